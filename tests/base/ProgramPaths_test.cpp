#include "base/ProgramPaths.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
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

namespace {

// A process id no process has.
pid_t UnusedPid() {
    pid_t pid = 4194000;
    while (pid > 300 && !(::kill(pid, 0) != 0 && errno == ESRCH))
        --pid;
    return pid;
}

// The private temporary folders of killed runs go; those of live runs, foreign names, plain files
// and links stay.
TEST(ProgramPaths, StaleTempFoldersOfKilledRunsAreRemoved) {
    std::string pattern = (fs::path(::testing::TempDir()) / "zv-stale-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path base = pattern;
    for (const char* sub : {"run", "tmp", "program"})
        fs::create_directories(base / sub);
    const fs::path before = zv::ProgramFolder();
    const std::string runtimeBefore =
        std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    const std::string tmpBefore = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    ::setenv("XDG_RUNTIME_DIR", (base / "run").c_str(), 1);
    ::setenv("TMPDIR", (base / "tmp").c_str(), 1);
    zv::SetProgramFolder(base / "program");

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    const std::string dead = std::to_string(UnusedPid());
    const std::string live = std::to_string(child);
    const std::string mine = std::to_string(::getpid());
    const fs::path gone[] = {base / "run" / ("zorvex-" + dead + "-a1B2c3"),
                             base / "tmp" / ("zorvex-" + dead + "-zzzzzz"),
                             base / "program" / ("zorvex-" + dead + "-000000")};
    for (const auto& folder : gone) {
        fs::create_directories(folder / "inner");
        std::ofstream(folder / "tmp.gif") << "picture";
    }
    fs::create_directories(base / "outside");
    std::ofstream(base / "outside" / "keep.txt") << "x";
    const fs::path kept[] = {base / "run" / ("zorvex-" + live + "-abcdef"),
                             base / "run" / ("zorvex-" + mine + "-abcdef"),
                             base / "run" / "zorvex-abcdef",
                             base / "run" / ("zorvex-" + dead + "-abc"),
                             base / "run" / ("zorvex-" + dead + "x-abcdef"),
                             base / "run" / ("Zorvex-" + dead + "-abcdef")};
    for (const auto& folder : kept)
        fs::create_directories(folder);
    std::ofstream(base / "tmp" / ("zorvex-" + dead + "-file00")) << "a file";
    fs::create_directory_symlink(base / "outside", base / "tmp" / ("zorvex-" + dead + "-link00"));

    EXPECT_EQ(zv::RemoveStaleTempFolders(), 3);
    for (const auto& folder : gone)
        EXPECT_FALSE(fs::exists(folder)) << folder;
    for (const auto& folder : kept)
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
    EXPECT_TRUE(fs::is_regular_file(base / "tmp" / ("zorvex-" + dead + "-file00")));
    EXPECT_TRUE(fs::is_symlink(base / "tmp" / ("zorvex-" + dead + "-link00")));
    EXPECT_TRUE(fs::exists(base / "outside" / "keep.txt"));

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    zv::SetProgramFolder(before);
    if (runtimeBefore.empty())
        ::unsetenv("XDG_RUNTIME_DIR");
    else
        ::setenv("XDG_RUNTIME_DIR", runtimeBefore.c_str(), 1);
    if (tmpBefore.empty())
        ::unsetenv("TMPDIR");
    else
        ::setenv("TMPDIR", tmpBefore.c_str(), 1);
    fs::remove_all(base);
}

} // namespace
