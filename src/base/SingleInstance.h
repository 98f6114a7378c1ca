#pragma once
// One running copy per user. The lock is a small file held by the running process; a process
// that died without releasing it (crash, kill) leaves a stale file that the next start
// recognises by its dead process id and takes over.
#include <QLockFile>
#include <QString>

namespace zv {

class SingleInstanceLock {
public:
    // /tmp/zorvex-<user id>/zorvex.lock: keyed on the user id alone, so every session of the
    // user agrees on it whatever its environment (XDG_RUNTIME_DIR and TMPDIR differ between a
    // desktop launcher and a shell). The folder is the user's own (mode 0700); one that is not
    // (another user made it first, or it is a link) is not used. Tests that run real processes
    // side by side name another lock file in ZORVEX_INSTANCE_LOCK.
    static QString DefaultLockPath();

    // An empty path means the default one.
    explicit SingleInstanceLock(const QString& lockFilePath = DefaultLockPath());
    ~SingleInstanceLock(); // releases the lock when held

    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False only when another live process holds the lock. When the lock file cannot be made
    // at all (unwritable folder) the program is not stopped from starting: true, not held.
    bool tryAcquire();

    bool isHeld() const { return m_held; }
    const QString& lockFilePath() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
    bool m_held = false;
};

} // namespace zv
