#include "base/SingleInstance.h"

#include <QFile>
#include <QSysInfo>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "zv-lock-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        lockPath = QString::fromStdString((dir / "zorvex.lock").string());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path dir;
    QString lockPath;
};

TEST_F(SingleInstanceTest, SecondLockFailsWhileTheFirstIsHeld) {
    {
        zv::SingleInstanceLock first(lockPath);
        ASSERT_TRUE(first.tryAcquire());
        EXPECT_TRUE(first.isHeld());

        zv::SingleInstanceLock second(lockPath);
        EXPECT_FALSE(second.tryAcquire());
        EXPECT_FALSE(second.isHeld());
        EXPECT_FALSE(second.tryAcquire());
    }
    // Released on destruction: the next start gets it.
    zv::SingleInstanceLock third(lockPath);
    EXPECT_TRUE(third.tryAcquire());
}

TEST_F(SingleInstanceTest, LockHeldByAnotherLiveProcessRefuses) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        zv::SingleInstanceLock lock(lockPath);
        const char ok = lock.tryAcquire() ? '1' : '0';
        if (::write(ready[1], &ok, 1) != 1)
            ::_exit(2);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');

    zv::SingleInstanceLock mine(lockPath);
    EXPECT_FALSE(mine.tryAcquire());

    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    ::close(ready[0]);
    ::close(ready[1]);
    // Its owner died without releasing: the lock is stale now.
    EXPECT_TRUE(mine.tryAcquire());
}

TEST_F(SingleInstanceTest, StaleLocksNeverBlock) {
    // A process that took the lock and ended without releasing it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        zv::SingleInstanceLock lock(lockPath);
        ::_exit(lock.tryAcquire() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(lockPath));
    {
        zv::SingleInstanceLock lock(lockPath);
        EXPECT_TRUE(lock.tryAcquire());
    }

    // A lock file naming a process id that does not exist.
    pid_t unused = 4194000;
    while (unused > 300 && !(::kill(unused, 0) != 0 && errno == ESRCH))
        --unused;
    {
        std::ofstream(dir / "zorvex.lock") << unused << "\nzorvex\n"
                                           << QSysInfo::machineHostName().toStdString() << "\n";
        zv::SingleInstanceLock lock(lockPath);
        EXPECT_TRUE(lock.tryAcquire());
    }

    // A lock file cut short (empty) by a crash long ago.
    {
        std::ofstream(dir / "zorvex.lock").flush();
        zv::SingleInstanceLock fresh(lockPath); // maybe still being written: left alone
        EXPECT_FALSE(fresh.tryAcquire());
        fs::last_write_time(dir / "zorvex.lock",
                            fs::file_time_type::clock::now() - std::chrono::minutes(5));
        zv::SingleInstanceLock lock(lockPath);
        EXPECT_TRUE(lock.tryAcquire());
    }
}

// Sets (or with nullptr removes) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : name_(name)
        , had_(qEnvironmentVariableIsSet(name))
        , old_(qgetenv(name)) {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// The lock is the user's whatever the session's environment: a desktop launcher and a shell
// with other runtime and temporary folders agree on it. Only the explicit variable names another.
TEST(SingleInstanceLockPath, KeyedOnTheUserIdAlone) {
    ScopedEnv noChoice("ZORVEX_INSTANCE_LOCK", nullptr);
    const QString expected = QStringLiteral("/tmp/zorvex-%1/zorvex.lock").arg(::getuid());
    const std::pair<const char*, const char*> environments[] = {
        {nullptr, nullptr}, {"/run/user/1000", "/var/tmp"}, {"/nonexistent", "/home/x/tmp"}};
    for (const auto& [runtime, temp] : environments) {
        ScopedEnv runtimeDir("XDG_RUNTIME_DIR", runtime);
        ScopedEnv tempDir("TMPDIR", temp);
        EXPECT_EQ(zv::SingleInstanceLock::DefaultLockPath(), expected);
        EXPECT_EQ(zv::SingleInstanceLock(QString()).lockFilePath(), expected);
    }
    ScopedEnv chosen("ZORVEX_INSTANCE_LOCK", "/somewhere/else.lock");
    EXPECT_EQ(zv::SingleInstanceLock::DefaultLockPath(), QStringLiteral("/somewhere/else.lock"));
    EXPECT_EQ(zv::SingleInstanceLock(QString()).lockFilePath(),
              QStringLiteral("/somewhere/else.lock"));
}

} // namespace
