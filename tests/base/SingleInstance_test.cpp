#include "base/SingleInstance.h"

#include <QDir>
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

TEST(SingleInstanceLockPath, PerUser) {
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const bool hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");

    const QString tempDir = QString::fromStdString(::testing::TempDir());
    qputenv("XDG_RUNTIME_DIR", tempDir.toLocal8Bit());
    EXPECT_EQ(zv::SingleInstanceLock::DefaultLockPath(),
              QDir(tempDir).filePath(QStringLiteral("zorvex.lock")));
    EXPECT_EQ(zv::SingleInstanceLock(QString()).lockFilePath(),
              QDir(tempDir).filePath(QStringLiteral("zorvex.lock")));

    qunsetenv("XDG_RUNTIME_DIR");
    const QString fallback = zv::SingleInstanceLock::DefaultLockPath();
    EXPECT_TRUE(fallback.startsWith(QDir::tempPath())) << fallback.toStdString();
    EXPECT_TRUE(fallback.endsWith(QStringLiteral("zorvex-%1.lock").arg(::getuid())))
        << fallback.toStdString();

    if (hadRuntime)
        qputenv("XDG_RUNTIME_DIR", saved);
}

} // namespace
