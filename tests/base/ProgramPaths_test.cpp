#include "base/ProgramPaths.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(ProgramPaths, NamesAreMatchedWithoutRegardToCase) {
    std::string pattern = (fs::path(::testing::TempDir()) / "zv-paths-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path base = pattern;
    fs::create_directories(base / "DATA");
    fs::create_directories(base / "skin" / "Blue");
    std::ofstream(base / "DATA" / "female12.DAT") << "x";
    std::ofstream(base / "skin" / "Blue" / "skin.ini") << "x";

    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\data\\Female12.dat"),
              base / "DATA" / "female12.DAT");
    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\Skin\\BLUE\\Skin.INI"),
              base / "skin" / "Blue" / "skin.ini");
    // What does not exist keeps the spelling given, so a file can be created there.
    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\data\\Save01.dat"), base / "DATA" / "Save01.dat");
    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\New\\x.dat"), base / "New" / "x.dat");

    const fs::path before = zv::ProgramFolder();
    zv::SetProgramFolder(base);
    EXPECT_EQ(zv::ProgramPath("\\data\\FEMALE12.dat"), base / "DATA" / "female12.DAT");
    zv::SetProgramFolder(before);
    fs::remove_all(base);
}

// With "skin" and "Skin" side by side, each file is found in the one that holds it, and a path
// that exists nowhere keeps the first spelling per part.
TEST(ProgramPaths, EachFileIsFoundUnderTheSpellingThatHoldsIt) {
    std::string pattern = (fs::path(::testing::TempDir()) / "zv-paths-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path base = pattern;
    fs::create_directories(base / "skin" / "Blue" / "graphics");
    fs::create_directories(base / "Skin" / "Red");
    std::ofstream(base / "skin" / "Blue" / "graphics" / "back.gif") << "x";
    std::ofstream(base / "Skin" / "Red" / "skin.ini") << "x";

    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\Skin\\Blue\\graphics\\back.gif"),
              base / "skin" / "Blue" / "graphics" / "back.gif");
    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\skin\\red\\SKIN.ini"),
              base / "Skin" / "Red" / "skin.ini");
    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\SKIN\\Blue"), base / "skin" / "Blue");
    // Nowhere: the exact spelling where it exists, else the first variant in name order.
    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\Skin\\Green\\skin.ini"),
              base / "Skin" / "Green" / "skin.ini");
    EXPECT_EQ(zv::ResolveCaseInsensitive(base, "\\SKIN\\Green"), base / "Skin" / "Green");
    fs::remove_all(base);
}

TEST(ProgramPaths, PrivateTempFolderIsOursAlone) {
    const fs::path& folder = zv::PrivateTempFolder();
    ASSERT_FALSE(folder.empty());
    struct stat info {};
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::geteuid());
    EXPECT_EQ(&zv::PrivateTempFolder(), &folder); // one folder per process
}

} // namespace
