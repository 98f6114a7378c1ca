#include "base/SingleInstance.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {
constexpr qint64 kUnreadableLockGraceSeconds = 5;

QString DefaultLockFolder() {
    return QStringLiteral("/tmp/zorvex-%1").arg(static_cast<qulonglong>(::getuid()));
}

// Makes the user's lock folder when missing and checks that it is theirs alone: a folder, not a
// link, owned by the user, writable by no one else. In a folder others may write, a lock file
// could be planted (keeping the program from starting) or removed.
bool PrepareLockFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid())
        return false;
    if ((info.st_mode & 0077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

} // namespace

QString SingleInstanceLock::DefaultLockPath() {
    const QByteArray chosen = qgetenv("ZORVEX_INSTANCE_LOCK");
    if (!chosen.isEmpty())
        return QFile::decodeName(chosen);
    return DefaultLockFolder() + QStringLiteral("/zorvex.lock");
}

SingleInstanceLock::SingleInstanceLock(const QString& lockFilePath)
    : m_path(lockFilePath.isEmpty() ? DefaultLockPath() : lockFilePath)
    , m_lock(m_path) {
    // Only a dead owner makes a lock stale: a long-running instance must keep its lock however
    // old the file is.
    m_lock.setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() {
    if (m_held)
        m_lock.unlock();
}

bool SingleInstanceLock::tryAcquire() {
    if (m_held)
        return true;
    if (m_path == DefaultLockFolder() + QStringLiteral("/zorvex.lock") &&
        !PrepareLockFolder(DefaultLockFolder()))
        return true; // no safe place for the lock: the program still starts
    if (m_lock.tryLock(0)) {
        m_held = true;
        return true;
    }
    if (m_lock.error() != QLockFile::LockFailedError)
        return true;

    // A lock file without a readable owner (cut short by a crash or power loss) would otherwise
    // block every later start. Once it is clearly not being written any more, take it over;
    // the removal still fails while a live process holds the file.
    qint64 pid = 0;
    QString host;
    QString app;
    const QDateTime modified = QFileInfo(m_path).lastModified();
    if (!m_lock.getLockInfo(&pid, &host, &app) && modified.isValid() &&
        qAbs(modified.secsTo(QDateTime::currentDateTime())) > kUnreadableLockGraceSeconds &&
        m_lock.removeStaleLockFile() && m_lock.tryLock(0)) {
        m_held = true;
        return true;
    }
    return false;
}

} // namespace zv
