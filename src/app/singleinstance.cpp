#include "app/singleinstance.h"

#include <QDir>
#include <QStandardPaths>

namespace talven {

SingleInstance::SingleInstance(const QString &lockPath)
    : lock_(lockPath)
{
    // Only a dead owner makes the lock stale: a copy that has run for hours
    // still holds it.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::anotherCopyRuns()
{
    if (lock_.tryLock(0))
        return false;
    // A folder we cannot write to says nothing about another copy; starting
    // is better than refusing the user for no reason.
    return lock_.error() == QLockFile::LockFailedError;
}

QString SingleInstance::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/talven.lock");
}

}  // namespace talven
