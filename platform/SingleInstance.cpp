#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

SingleInstance::SingleInstance(const QString &programName, const QString &lockFolder)
{
    const QString folder = lockFolder.isEmpty() ? defaultLockFolder() : lockFolder;
    QDir().mkpath(folder);
    path_ = folder + QLatin1Char('/') + programName + QStringLiteral(".lock");
}

QString SingleInstance::defaultLockFolder()
{
    QString folder;
#ifdef Q_OS_UNIX
    // Without XDG_RUNTIME_DIR Qt would warn and pick a folder of its own; the
    // per-user folder below is the same idea without the noise.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
#endif
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        // No runtime folder: a per-user folder under the temporary folder, never a
        // shared name that another user could take first.
#ifdef Q_OS_UNIX
        folder = QDir::tempPath() + QStringLiteral("/vistello-") + QString::number(getuid());
#else
        folder = QDir::tempPath() + QStringLiteral("/vistello-") + qEnvironmentVariable("USERNAME");
#endif
    }
    return folder;
}

bool SingleInstance::otherInstanceRunning()
{
    if (lock_ && lock_->isLocked())
        return false;
#ifdef Q_OS_UNIX
    // A lock folder that another user made (a squatted name in the temporary
    // folder) must not keep this user's program from running.
    if (QFileInfo(QFileInfo(path_).absolutePath()).ownerId() != getuid())
        return false;
#endif
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock whose owner process is gone counts as stale at once.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return false;
    if (lock_->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, app;
        if (lock_->getLockInfo(&pid, &host, &app))
            return true;
        // Unreadable lock content: a half-written lock of a process that died.
        lock_->removeStaleLockFile();
        return !lock_->tryLock(0);
    }
    // The lock cannot be created at all (folder not writable): do not refuse to run.
    return false;
}
