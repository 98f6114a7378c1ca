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

// A link whose target does not exist yet: the target is created and the link stays a link,
// also at the end of a chain of links in other folders. A loop is refused with a clear error.
TEST_F(AtomicFileTest, DanglingLinksAreFollowedToTheFileTheyName) {
    fs::create_directories(dir / "real");
    fs::create_symlink("real/save02.dat", dir / "save02.dat");
    ASSERT_TRUE(zv::WriteFileAtomically(dir / "save02.dat", "slot two"));
    EXPECT_TRUE(fs::is_symlink(dir / "save02.dat"));
    std::string bytes;
    ASSERT_TRUE(zv::ReadWholeFile(dir / "real" / "save02.dat", bytes));
    EXPECT_EQ(bytes, "slot two");

    // A chain: link -> ../other/link2 -> (absolute) real/wardrobe1.dat, missing.
    fs::create_directories(dir / "other");
    fs::create_symlink(dir / "real" / "wardrobe1.dat", dir / "other" / "link2");
    fs::create_symlink("other/link2", dir / "wardrobe1.dat");
    ASSERT_TRUE(zv::WriteFileAtomically(dir / "wardrobe1.dat", "w"));
    EXPECT_TRUE(fs::is_symlink(dir / "wardrobe1.dat"));
    EXPECT_TRUE(fs::is_symlink(dir / "other" / "link2"));
    ASSERT_TRUE(zv::ReadWholeFile(dir / "real" / "wardrobe1.dat", bytes));
    EXPECT_EQ(bytes, "w");

    // A target in a folder that does not exist is not made; the link stays.
    fs::create_symlink("gone/save03.dat", dir / "save03.dat");
    std::string error;
    EXPECT_FALSE(zv::WriteFileAtomically(dir / "save03.dat", "x", &error));
    EXPECT_NE(error.find("save03.dat"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "save03.dat"));
    EXPECT_FALSE(fs::exists(dir / "gone"));

    fs::create_symlink("loop-b", dir / "loop-a");
    fs::create_symlink("loop-a", dir / "loop-b");
    EXPECT_FALSE(zv::WriteFileAtomically(dir / "loop-a", "x", &error));
    EXPECT_NE(error.find("loop-a"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "loop-a"));
    EXPECT_TRUE(fs::is_symlink(dir / "loop-b"));
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
