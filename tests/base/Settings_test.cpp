#include "base/AtomicFile.h"
#include "base/Settings.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "zv-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        file = dir / "settings.ini";
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    void Put(const std::string& bytes) const { ASSERT_TRUE(zv::WriteFileAtomically(file, bytes)); }
    std::string Bytes() const {
        std::string bytes;
        EXPECT_TRUE(zv::ReadWholeFile(file, bytes));
        return bytes;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        return names;
    }

    fs::path dir;
    fs::path file;
};

TEST_F(SettingsFile, ReadsMatchCaseInsensitivelyAndReturnValuesAsStored) {
    const std::string contents = "Orphan=before any header\r\n"
                                 "[Zorvex]\r\n"
                                 "Version=12\r\n"
                                 "Greeting=  Hello World  \r\n"
                                 " Indented=1\r\n"
                                 "Spaced =1\r\n"
                                 "Dup=first\r\n"
                                 "Dup=second\r\n"
                                 "\r\n"
                                 "[lower case]\r\n"
                                 "key=v\r"              // a lone CR ends a line too
                                 "Url=http://x/[a]\r\n" // ends the section for the reader
                                 "after=lost\r\n"
                                 "[Padded]  \r\n"
                                 "k=unreachable\r\n"
                                 "[\xC4rger]\r\n" // Latin-1 capitals match too
                                 "\xDC=1\r\n";
    Put(contents);

    EXPECT_EQ(zv::ReadSetting(file, "zorvex", "VERSION"), "12");
    EXPECT_EQ(zv::ReadSetting(file, "ZORVEX", "version"), "12");
    EXPECT_EQ(zv::ReadSetting(file, "Zorvex", "greeting"), "  Hello World  ");
    EXPECT_EQ(zv::ReadSetting(file, "Zorvex", "Indented"), "");
    EXPECT_EQ(zv::ReadSetting(file, "Zorvex", "Spaced"), "");
    EXPECT_EQ(zv::ReadSetting(file, "Zorvex", "Dup"), "first");
    EXPECT_EQ(zv::ReadSetting(file, "Zorvex", "Orphan"), "");
    EXPECT_EQ(zv::ReadSetting(file, "LOWER CASE", "KEY"), "v");
    EXPECT_EQ(zv::ReadSetting(file, "lower case", "url"), "");
    EXPECT_EQ(zv::ReadSetting(file, "lower case", "after"), "");
    EXPECT_EQ(zv::ReadSetting(file, "Padded", "k"), "");
    EXPECT_EQ(zv::ReadSetting(file, "Missing", "k"), "");
    EXPECT_EQ(zv::ReadSetting(file, "\xE4rger", "\xFC"), "1");

    EXPECT_EQ(Bytes(), contents); // reading never changes the file
}

TEST_F(SettingsFile, ReadCreatesAMissingFileEmptyAndMakesItWritable) {
    EXPECT_EQ(zv::ReadSetting(file, "Zorvex", "Version"), "");
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(Bytes(), "");

    Put("[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(zv::ReadSetting(file, "A", "x"), "1");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

struct WriteCase {
    const char* name;
    std::string before; // "<missing>" for no file at all
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

TEST_F(SettingsFile, WritesProduceExactlyTheseBytes) {
    const std::vector<WriteCase> cases = {
        {"missing file", "<missing>", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"new section after one blank line", "[A]\r\nx=1\r\n", "B", "y", "2",
         "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        {"new key directly below its header", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "k", "v",
         "[A]\r\nk=v\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        {"existing key: only its line, caller's spelling", "[A]\r\nx=1\r\nKey=old\r\nz=3\r\n", "a",
         "KEY", " New Value ", "[A]\r\nx=1\r\nKEY= New Value \r\nz=3\r\n"},
        {"same key in another section untouched", "[A]\r\nx=1\r\n\r\n[B]\r\nk=2\r\n", "A", "k", "9",
         "[A]\r\nk=9\r\nx=1\r\n\r\n[B]\r\nk=2\r\n"},
        {"first of two equal keys replaced", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "3",
         "[A]\r\nk=3\r\nk=2\r\n"},
        {"header with trailing spaces gets a second section", "[A]  \r\nk=1\r\n", "A", "k", "2",
         "[A]  \r\nk=1\r\n\r\n[A]\r\nk=2\r\n"},
        {"value with a bracket ends its section", "[A]\r\nurl=[x]\r\nk=1\r\n", "A", "k", "2",
         "[A]\r\nk=2\r\nurl=[x]\r\nk=1\r\n"},
        {"space before = is another key", "[A]\r\nk =1\r\n", "A", "k", "2",
         "[A]\r\nk=2\r\nk =1\r\n"},
        {"no final line break, new key", "[A]\r\nx=1", "A", "y", "2", "[A]\r\ny=2\r\nx=1\r\n"},
        {"no final line break, last key", "[A]\r\nx=1", "A", "x", "5", "[A]\r\nx=5\r\n"},
        {"blank lines collapse to one", "[A]\r\n\r\n\r\n\r\n\r\nx=1\r\n\r\n\r\n", "A", "x", "2",
         "[A]\r\n\r\nx=2\r\n"},
        {"leading blank lines and trailing junk dropped", "\r\n\r\n[A]\r\nx=1\r\n\t\r\n", "A", "x",
         "2", "[A]\r\nx=2\r\n"},
        {"section and key matched regardless of case", "[ZORVEX]\r\nVersion=1\r\n", "zorvex",
         "version", "2", "[ZORVEX]\r\nversion=2\r\n"},
        {"empty value", "[A]\r\nx=1\r\n", "A", "x", "", "[A]\r\nx=\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::error_code ec;
        fs::remove(file, ec);
        if (c.before != "<missing>")
            Put(c.before);
        ASSERT_TRUE(zv::WriteSetting(file, c.section, c.key, c.value));
        EXPECT_EQ(Bytes(), c.after);
        EXPECT_EQ(zv::ReadSetting(file, c.section, c.key), c.value);
    }
}

TEST_F(SettingsFile, UnwritableFileReportsFailureAndChangesNothing) {
    EXPECT_FALSE(zv::WriteSetting(dir / "no such folder" / "settings.ini", "A", "k", "v"));
    EXPECT_EQ(zv::ReadSetting(dir / "no such folder" / "settings.ini", "A", "k"), "");

    // A folder where the file should be: nothing to read, nothing replaced.
    fs::create_directory(file);
    EXPECT_FALSE(zv::WriteSetting(file, "A", "k", "v"));
    EXPECT_TRUE(fs::is_directory(file));
}

// Runs `write` in a child process for which `dir` takes no new file: the folder is made
// read-only, and root (whom that would not stop) first becomes the user "nobody". Returns the
// error text of a failed write, or "ok".
std::string WriteWhereNoFileCanBeCreated(const fs::path& dir,
                                         const std::function<bool(std::string*)>& write) {
    int pipe[2];
    if (::pipe(pipe) != 0)
        return "no pipe";
    ::chmod(dir.c_str(), 0555);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        std::string error;
        const std::string result = write(&error) ? std::string("ok") : error;
        const auto written = ::write(pipe[1], result.data(), result.size());
        ::_exit(written == static_cast<ssize_t>(result.size()) ? 0 : 3);
    }
    ::close(pipe[1]);
    std::string result;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<size_t>(got));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::chmod(dir.c_str(), 0700);
    return result;
}

// An installation folder the user may not add files to, holding a settings file the user may
// write: the file is rewritten where it is. A file the user may not write either stays as it was
// and the failure names it.
TEST_F(SettingsFile, AWritableFileInAFolderThatTakesNoNewFileIsRewrittenInPlace) {
    Put("[Zorvex]\r\nSkin=Blue\r\nVersion=3\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);

    EXPECT_EQ(WriteWhereNoFileCanBeCreated(dir,
                                           [this](std::string* error) {
                                               return zv::WriteSetting(file, "zorvex", "skin",
                                                                       "Red", error);
                                           }),
              "ok");
    EXPECT_EQ(Bytes(), "[Zorvex]\r\nskin=Red\r\nVersion=3\r\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"settings.ini"});
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0666u);

    // Shorter contents leave nothing of the old ones behind.
    EXPECT_EQ(
        WriteWhereNoFileCanBeCreated(
            dir, [this](std::string* error) { return zv::WriteFileAtomically(file, "x", error); }),
        "ok");
    EXPECT_EQ(Bytes(), "x");

    if (::geteuid() == 0) {
        // Only another user meets a file that its owner's permissions keep from them.
        ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
        const std::string error = WriteWhereNoFileCanBeCreated(dir, [this](std::string* error) {
            return zv::WriteSetting(file, "Zorvex", "Skin", "Green", error);
        });
        EXPECT_NE(error.find(file.string()), std::string::npos) << error;
        EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
        EXPECT_EQ(Bytes(), "x");
    }
}

TEST(SettingNumber, NonNumericTextCountsAsZero) {
    const std::vector<std::pair<const char*, double>> cases = {
        {"12", 12}, {" 1 ", 1},  {"-2.5", -2.5}, {"+3", 3},  {"1e3", 1000}, {".5", 0.5},
        {"", 0},    {"  ", 0},   {"abc", 0},     {"1x", 0},  {"1 2", 0},    {"inf", 0},
        {"nan", 0}, {"0x10", 0}, {".", 0},       {"- 1", 0}, {"\t7\t", 7},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(zv::SettingNumber(text), value) << '"' << text << '"';
    // The plain parse tells "not a number" from a zero.
    EXPECT_EQ(zv::ParseNumber(" 0 "), 0.0);
    EXPECT_EQ(zv::ParseNumber("abc"), std::nullopt);
    EXPECT_EQ(zv::ParseNumber(""), std::nullopt);
}

// A writer killed at any moment leaves the old or the new file, whole; what it leaves behind
// besides is recognised as ours and cleared away.
TEST_F(SettingsFile, WriterKilledMidWriteLeavesOldOrNewFileWhole) {
    const std::string head = "[Zorvex]\r\nVersion=1\r\n\r\n[Big]\r\nData=";
    const std::string original = head + "x\r\n";
    const std::string bigA(1 << 20, 'a');
    const std::string bigB(1 << 20, 'b');
    const std::string withA = head + bigA + "\r\n";
    const std::string withB = head + bigB + "\r\n";

    int killedMidWrite = 0;
    // Eight rounds, more if none of them happened to catch a write in progress.
    for (int round = 0; round < 8 || (killedMidWrite == 0 && round < 40); ++round) {
        SCOPED_TRACE(round);
        Put(original);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (bool a = true;; a = !a)
                zv::WriteSetting(file, "Big", "Data", a ? bigA : bigB);
        }
        if (round % 2 == 0) {
            // Kill it the moment a temporary file appears: in the middle of a write.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (Names().size() < 2 && std::chrono::steady_clock::now() < deadline) {
            }
        } else {
            // Wait until the child has replaced the file once, then kill it a little later.
            for (int i = 0; i < 2000 && Bytes() == original; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::this_thread::sleep_for(std::chrono::microseconds(300 * round));
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string now = Bytes();
        EXPECT_TRUE(now == original || now == withA || now == withB)
            << "file of " << now.size() << " bytes is neither old nor new";
        EXPECT_EQ(zv::ReadSetting(file, "Zorvex", "Version"), "1");

        if (Names().size() > 1)
            ++killedMidWrite;
        zv::RemoveStrayTemporaryFiles(dir);
        EXPECT_EQ(Names(), std::vector<std::string>{"settings.ini"});
    }
    EXPECT_GT(killedMidWrite, 0) << "no round hit a write in progress";
}

// The file size limit makes every write past 4 KiB fail with EFBIG, as a full disk does with
// ENOSPC; the child reports through its exit status whether WriteSetting said so.
TEST_F(SettingsFile, WriteIntoAFullDiskKeepsTheOldFileAndReportsFailure) {
    const std::string original = "[Zorvex]\r\nVersion=1\r\n\r\n[Time Calculator]\r\nGameTime=5\r\n";
    Put(original);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(3);
        const bool written =
            zv::WriteSetting(file, "Time Calculator", "GameTime", std::string(64 * 1024, '7'));
        ::_exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "WriteSetting reported success on a full disk";

    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(Names(), std::vector<std::string>{"settings.ini"}); // no temporary file left
}

} // namespace
