#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace talven {

namespace {

// A copy that has just created its lock file writes its name into it at once;
// an unreadable lock younger than this may be one being written.
constexpr int WritingGraceMs = 1000;
constexpr int WritingPollMs = 20;
// QLockFile's own lock for removing a stale lock, judged stale after this.
constexpr int RemovalLockStaleMs = 2000;
constexpr int RemovalWaitMs = 5000;
// The running copy listens once its window is up, a second or so after its start.
constexpr int HandOverWaitMs = 5000;
constexpr int ConnectWaitMs = 1000;
constexpr int ConnectRetryMs = 100;
// A message is one path; anything longer is not from a launch of ours.
constexpr qint64 MaxMessageBytes = 64 * 1024;

// True when process `pid` runs `program` for this user.
bool runsForThisUser(qint64 pid, const QString &program)
{
#ifdef Q_OS_LINUX
    const QString process = QStringLiteral("/proc/%1").arg(pid);
    const QFileInfo info(process);
    return info.exists() && info.ownerId() == ::geteuid()
           && QFileInfo(QFile::symLinkTarget(process + QStringLiteral("/exe"))).fileName() == program;
#else
    // QLockFile has already found the process alive and, where the system
    // tells, running the program the lock names.
    Q_UNUSED(pid)
    Q_UNUSED(program)
    return true;
#endif
}

}  // namespace

SingleInstance::SingleInstance(const QString &lockPath)
    : lockPath_(lockPath)
    , socketPath_(QFileInfo(lockPath).absolutePath() + QStringLiteral("/talven.socket"))
    , lock_(lockPath)
{
    // Only a dead owner makes the lock stale: a copy that has run for hours
    // still holds it.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherCopyRuns()
{
    // A stale lock removed here may be taken by another start first; the
    // next round then finds that start's lock.
    for (int round = 0; round < 3; ++round) {
        if (lock_.tryLock(0))
            return false;
        // A folder we cannot write to says nothing about another copy;
        // starting is better than refusing the user for no reason.
        if (lock_.error() != QLockFile::LockFailedError)
            return false;
        if (!removeStaleLock())
            return true;
    }
    return true;
}

SingleInstance::Owner SingleInstance::lockOwner() const
{
    qint64 pid = 0;
    QString host;
    QString program;
    if (lock_.getLockInfo(&pid, &host, &program)) {
        const bool ours = program == QCoreApplication::applicationName()
                          && (host.isEmpty() || host == QSysInfo::machineHostName()) && runsForThisUser(pid, program);
        return ours ? Owner::Running : Owner::Gone;
    }
    const QFileInfo file(lockPath_);
    const bool fresh =
        file.exists() && file.lastModified().msecsTo(QDateTime::currentDateTime()) < WritingGraceMs;
    return fresh ? Owner::Writing : Owner::Gone;
}

// Two starts that both find the same stale lock must not remove each other's
// fresh one: the lock is judged again under QLockFile's own removal lock, and
// QLockFile never removes a lock file that its living owner holds open.
bool SingleInstance::removeStaleLock()
{
    QLockFile removal(lockPath_ + QStringLiteral(".rmlock"));
    removal.setStaleLockTime(RemovalLockStaleMs);
    if (!removal.tryLock(RemovalWaitMs))
        return false;
    for (;;) {
        switch (lockOwner()) {
        case Owner::Running:
            return false;
        case Owner::Gone:
            return lock_.removeStaleLockFile() || !QFileInfo::exists(lockPath_);
        case Owner::Writing:
            QThread::msleep(WritingPollMs);
            break;
        }
    }
}

bool SingleInstance::listen()
{
    server_ = new QLocalServer(this);
    // Only this user reaches the socket, as only this user reaches the folder.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A copy that ended without cleaning up left its socket behind; while we
    // hold the lock no other copy listens there.
    QLocalServer::removeServer(socketPath_);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::takeConnections);
    return server_->listen(socketPath_);
}

void SingleInstance::takeConnections()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, socket, [socket] {
            if (socket->bytesAvailable() > MaxMessageBytes)
                socket->abort();
        });
        // The launch closes the connection once its path is written.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { receive(socket); });
    }
}

void SingleInstance::receive(QLocalSocket *socket)
{
    const QFileInfo file(QFile::decodeName(socket->readAll()));
    socket->deleteLater();
    if (file.isAbsolute() && file.isFile())
        Q_EMIT studyHandedOver(file.absoluteFilePath());
}

bool SingleInstance::handOver(const QString &path)
{
    QLocalSocket socket;
    const QDeadlineTimer deadline(HandOverWaitMs);
    socket.connectToServer(socketPath_);
    while (!socket.waitForConnected(ConnectWaitMs)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(ConnectRetryMs);
        socket.connectToServer(socketPath_);
    }
    const QByteArray message = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    if (socket.write(message) != message.size())
        return false;
    // Closing sends what is written first.
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(ConnectWaitMs);
}

QString SingleInstance::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/talven.lock");
}

}  // namespace talven
