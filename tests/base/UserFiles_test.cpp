// Where the settings file and the other user files live: in a portable program folder exactly
// where they always were; for an installed program in each user's own folders, seeded once.
#include "base/ProgramPaths.h"
#include "base/Settings.h"
#include "base/UserFiles.h"
#include "support/ProgramFolder.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using zvtest::ProgramFolder;

namespace {

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool IsEmptyFolder(const fs::path& folder) {
    return fs::is_directory(folder) && fs::directory_iterator(folder) == fs::directory_iterator();
}

// A user: their own configuration and data folders.
class UserFolders {
public:
    UserFolders() { use(); }
    void use() const {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    }
    fs::path configFile(const char* name) const {
        return fs::path(config.path().toStdString()) / "Zorvex" / name;
    }
    fs::path dataFile(const char* name) const {
        return fs::path(data.path().toStdString()) / "Zorvex" / name;
    }
    fs::path configHome() const { return config.path().toStdString(); }
    fs::path dataHome() const { return data.path().toStdString(); }

private:
    QTemporaryDir config;
    QTemporaryDir data;
};

class UserFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = zv::ProgramFolder();
        folder.activate();
    }
    void TearDown() override {
        zv::SetProgramFolder(saved);
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
    void markInstalled() const { folder.write("installed.txt", "installed\n"); }

    fs::path saved;
    ProgramFolder folder;
    UserFolders user;
};

TEST_F(UserFilesTest, PortableFolderKeepsEveryFileInItsDataFolderAndTouchesNoUserFolder) {
    EXPECT_FALSE(zv::ProgramFolderIsInstalled());
    EXPECT_EQ(zv::SettingsPath(), folder.file("data/settings.ini"));
    EXPECT_EQ(zv::UserFilePath("\\data\\save03.dat"), folder.file("data/save03.dat"));
    EXPECT_EQ(zv::UserFilePath("\\data\\wardrobe12.dat"), folder.file("data/wardrobe12.dat"));
    EXPECT_EQ(zv::UserFileFolders(), std::vector<fs::path>{folder.file("data")});

    const std::string before = folder.read("data/settings.ini");
    ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Zorvex", "Splashscreen", "2"));
    std::string expected = before;
    expected.replace(expected.find("Splashscreen=3"), 14, "Splashscreen=2");
    EXPECT_EQ(folder.read("data/settings.ini"), expected);
    EXPECT_TRUE(IsEmptyFolder(user.configHome()));
    EXPECT_TRUE(IsEmptyFolder(user.dataHome()));
}

TEST_F(UserFilesTest, InstalledFolderSeedsEachUserOnceAndNeverChanges) {
    markInstalled();
    const std::string installedSettings = folder.read("data/settings.ini");
    const std::string installedSlot = folder.read("data/save01.dat");
    ASSERT_TRUE(zv::ProgramFolderIsInstalled());

    // First use: the user's copies are the installed ones, byte for byte.
    EXPECT_EQ(zv::SettingsPath(), user.configFile("settings.ini"));
    EXPECT_EQ(Bytes(user.configFile("settings.ini")), installedSettings);
    EXPECT_EQ(zv::UserFilePath("\\data\\save01.dat"), user.dataFile("save01.dat"));
    EXPECT_EQ(Bytes(user.dataFile("save01.dat")), installedSlot);
    EXPECT_EQ(zv::UserFileFolders(),
              (std::vector<fs::path>{user.configHome() / "Zorvex", user.dataHome() / "Zorvex"}));

    // A file the installation does not have is not made up; it is created where it belongs.
    EXPECT_EQ(zv::UserFilePath("\\data\\wardrobe01.dat"), user.dataFile("wardrobe01.dat"));
    EXPECT_FALSE(fs::exists(user.dataFile("wardrobe01.dat")));

    // Writing changes the user's copy only; a changed installation never overwrites it, and the
    // version is the installation's.
    ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Zorvex", "Splashscreen", "2"));
    const std::string mine = Bytes(user.configFile("settings.ini"));
    EXPECT_NE(mine.find("Splashscreen=2\r\n"), std::string::npos);
    EXPECT_EQ(folder.read("data/settings.ini"), installedSettings);
    std::string upgraded = installedSettings;
    upgraded.replace(upgraded.find("Version=12"), 10, "Version=13");
    folder.write("data/settings.ini", upgraded);
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Zorvex", "Splashscreen"), "2");
    EXPECT_EQ(Bytes(user.configFile("settings.ini")), mine);
    EXPECT_EQ(zv::ReadSetting(zv::InstalledSettingsPath(), "Zorvex", "Version"), "13");
}

TEST_F(UserFilesTest, TwoUsersOfOneInstallationKeepTheirOwnFiles) {
    markInstalled();
    ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Zorvex", "Skin", "First"));
    UserFolders other;
    ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Zorvex", "Skin", "Second"));
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Zorvex", "Skin"), "Second");
    user.use();
    EXPECT_EQ(zv::ReadSetting(zv::SettingsPath(), "Zorvex", "Skin"), "First");
    EXPECT_EQ(zv::ReadSetting(zv::InstalledSettingsPath(), "Zorvex", "Skin"), "Midnight");
}

TEST_F(UserFilesTest, AnUnwritableProgramFolderCountsAsInstalled) {
    ProgramFolder locked;
    ::chmod(locked.path().c_str(), 0755);
    ::chmod(locked.file("data").c_str(), 0555);
    // Root may write anywhere, so the question is asked as nobody.
    const bool actedAsOther = ::geteuid() == 0 && ::seteuid(65534) == 0;
    if (::geteuid() != 0) {
        locked.activate();
        EXPECT_TRUE(zv::ProgramFolderIsInstalled());
        EXPECT_EQ(zv::SettingsPath(), user.configFile("settings.ini"));
    }
    if (actedAsOther && ::seteuid(0) != 0)
        std::abort(); // the rest of the run would go on as another user
    ::chmod(locked.file("data").c_str(), 0755);
    ::chmod(locked.path().c_str(), 0700);
}

} // namespace
