#include "base/AtomicFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "zv-atomic-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.insert(entry.path().filename().string());
        return names;
    }
    fs::path dir;
};

TEST_F(AtomicFileTest, ReplacesContentsKeepingPermissionsAndLinks) {
    const fs::path file = dir / "save01.dat";
    const std::string binary("a\0b\r\n\xff\r", 7);
    ASSERT_TRUE(zv::WriteFileAtomically(file, binary));
    std::string bytes;
    ASSERT_TRUE(zv::ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, binary);

    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(zv::WriteFileAtomically(file, "second"));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // Writing through a link replaces the file it names and keeps the link.
    fs::create_symlink("save01.dat", dir / "link.dat");
    ASSERT_TRUE(zv::WriteFileAtomically(dir / "link.dat", "third"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.dat"));
    ASSERT_TRUE(zv::ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, "third");

    EXPECT_EQ(Names(), (std::set<std::string>{"save01.dat", "link.dat"}));
    EXPECT_FALSE(zv::ReadWholeFile(dir / "missing.dat", bytes));
}

TEST_F(AtomicFileTest, FailureLeavesTheOldFileAndNoTemporaryFile) {
    std::string error;
    EXPECT_FALSE(zv::WriteFileAtomically(dir / "none" / "x.dat", "x", &error));
    EXPECT_NE(error.find("x.dat"), std::string::npos) << error;

    fs::create_directory(dir / "folder");
    EXPECT_FALSE(zv::WriteFileAtomically(dir / "folder", "x"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_EQ(Names(), (std::set<std::string>{"folder"}));
}

TEST_F(AtomicFileTest, StrayTemporaryFilesOfOursAreRemovedAndNothingElse) {
    for (const char* name :
         {".zorvex-tmp-settings.ini.k3j9x0", ".zorvex-tmp-save01.dat.000000", "settings.ini",
          "zorvex-tmp-settings.ini.k3j9x0", ".zorvex-tmp-notours", "wardrobe1.dat"})
        ASSERT_TRUE(zv::WriteFileAtomically(dir / name, "x"));
    fs::create_directory(dir / ".zorvex-tmp-folder.abcdef");

    zv::RemoveStrayTemporaryFiles(dir);
    EXPECT_EQ(Names(), (std::set<std::string>{"settings.ini", "zorvex-tmp-settings.ini.k3j9x0",
                                              ".zorvex-tmp-notours", "wardrobe1.dat",
                                              ".zorvex-tmp-folder.abcdef"}));
    zv::RemoveStrayTemporaryFiles(dir / "missing"); // nothing to do, no failure
}

} // namespace
