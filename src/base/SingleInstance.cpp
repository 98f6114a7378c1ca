#include "base/SingleInstance.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace zv {
namespace {
constexpr qint64 kUnreadableLockGraceSeconds = 5;
}

QString SingleInstanceLock::DefaultLockPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("zorvex.lock"));
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("zorvex-%1.lock").arg(static_cast<qulonglong>(::getuid())));
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
