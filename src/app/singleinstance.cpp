#include "app/singleinstance.h"

#include "files/controlcharacters.h"
#include "files/platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace talven {

namespace {

// A copy that has just created its lock file writes its name into it at once;
// an unreadable lock younger than this may be one being written.
constexpr int WritingGraceMs = 1000;
constexpr int WritingPollMs = 20;
// QLockFile's own lock for removing a stale lock, judged stale after this.
constexpr int RemovalLockStaleMs = 2000;
constexpr int RemovalWaitMs = 5000;
// The running copy listens once its window is up, a second or so after its
// start, and answers once it has taken the path; a launch waits this long for
// both, then says that it could not hand its study over. Long enough for a
// copy that reads a queue of silent connections, 16 every 3 seconds.
constexpr int HandOverWaitMs = 8000;
constexpr int ConnectWaitMs = 1000;
constexpr int ConnectRetryMs = 100;
// A message is one path, ended by a NUL (which no path holds); anything longer
// is not from a launch of ours. The running copy answers a message so ended
// once it has taken the path. A message that ends with the connection is
// taken too, without an answer.
constexpr qint64 MaxMessageBytes = 64 * 1024;
constexpr char MessageEnd = '\0';
const QByteArray TakenAnswer = QByteArrayLiteral("\x06");
// A launch writes its path as soon as it is connected: a connection that has
// not brought a whole message by then is dropped, so that silent ones cannot
// use up the descriptors.
constexpr int MessageWaitMs = 3000;
// Connections read at once; later ones wait in the queue (Qt's, then the
// system's) until one of these ends.
constexpr int MaxWaitingConnections = 16;
// How often the running copy looks whether its socket is still there.
constexpr int ListenCheckMs = 2000;

const QString LockName = QStringLiteral("/talven.lock");

}  // namespace

SingleInstance::SingleInstance(const QString &lockPath)
    : lockPath_(lockPath)
    , socketPath_(lockPath.isEmpty() ? QString() : QFileInfo(lockPath).absolutePath() + QStringLiteral("/talven.socket"))
    , lock_(lockPath)
{
    // Only a dead owner makes the lock stale: a copy that has run for hours
    // still holds it.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherCopyRuns()
{
    // Outside a folder of the user's own, the lock and the socket could be
    // anyone's: no copy is refused because of them and no path sent there.
    if (lockPath_.isEmpty() || !platform::isPrivateFolder(QFileInfo(lockPath_).absolutePath()))
        return false;
    // A stale lock removed here may be taken by another start first; the
    // next round then finds that start's lock.
    for (int round = 0; round < 3; ++round) {
        if (lock_.tryLock(0))
            return false;
        // A folder we cannot write to says nothing about another copy;
        // starting is better than refusing the user for no reason.
        if (lock_.error() != QLockFile::LockFailedError)
            return false;
        switch (removeStaleLock()) {
        case Removal::Removed:
            break;
        case Removal::OwnerRuns:
            return true;
        case Removal::Stuck:
            // No running copy holds it, yet it stays: start unguarded.
            return false;
        }
    }
    return true;
}

bool SingleInstance::guards() const
{
    return lock_.isLocked();
}

SingleInstance::Owner SingleInstance::lockOwner() const
{
    // Only a file of this user's own can be the lock of this user's copy.
    if (!platform::isOwnRegularFile(lockPath_))
        return Owner::Gone;
    qint64 pid = 0;
    QString host;
    QString program;
    if (lock_.getLockInfo(&pid, &host, &program)) {
        const bool ours = program == QCoreApplication::applicationName()
                          && (host.isEmpty() || host == QSysInfo::machineHostName()) && platform::runsProgramForThisUser(pid, program);
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
SingleInstance::Removal SingleInstance::removeStaleLock()
{
    QLockFile removal(lockPath_ + QStringLiteral(".rmlock"));
    removal.setStaleLockTime(RemovalLockStaleMs);
    // Another start is judging the lock: it may well be that of a running copy.
    if (!removal.tryLock(RemovalWaitMs))
        return Removal::OwnerRuns;
    for (;;) {
        switch (lockOwner()) {
        case Owner::Running:
            return Removal::OwnerRuns;
        case Owner::Gone:
            if (lock_.removeStaleLockFile() || !QFileInfo::exists(lockPath_))
                return Removal::Removed;
            // A lock file of ours that stays is held open by a living copy,
            // whatever it says; anything else that stays is no copy's lock.
            return platform::isOwnRegularFile(lockPath_) ? Removal::OwnerRuns : Removal::Stuck;
        case Owner::Writing:
            QThread::msleep(WritingPollMs);
            break;
        }
    }
}

bool SingleInstance::listen()
{
    if (!guards() || stopped_)
        return false;
    // Only where the start found the user's own folder: one that another user
    // has swapped in (a temporary folder open to all), or that was opened to
    // others, never gets the socket.
    const QString folder = QFileInfo(socketPath_).absolutePath();
    if (!platform::isPrivateFolder(folder)) {
        stopListening(folder);
        return false;
    }
    if (!server_) {
        server_ = new QLocalServer(this);
        // Only this user reaches the socket, as only this user reaches the folder.
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        server_->setMaxPendingConnections(MaxWaitingConnections);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::takeConnections);
        // A failed accept closes the server and removes its socket, and a
        // cleaner of the temporary folder may remove it too: later launches
        // would find no one. (A named pipe has no file to lose: on Windows
        // the socket is always there.)
        listenCheck_ = new QTimer(this);
        connect(listenCheck_, &QTimer::timeout, this, [this] {
            if (!platform::isPrivateSocket(socketPath_))
                listen();
        });
        listenCheck_->start(ListenCheckMs);
    }
    // Connections already accepted are read, not lost with the old socket.
    while (QLocalSocket *socket = server_->nextPendingConnection())
        watch(socket);
    server_->close();
    // A copy that ended without cleaning up left its socket behind; while we
    // hold the lock no other copy listens there.
    QLocalServer::removeServer(socketPath_);
    if (!server_->listen(socketPath_))
        return false;
    // The folder may have been swapped while the socket was made.
    if (!platform::isPrivateFolder(folder)) {
        stopListening(folder);
        return false;
    }
    return true;
}

// Once: no more sockets, no more looks at the folder.
void SingleInstance::stopListening(const QString &folder)
{
    if (stopped_)
        return;
    stopped_ = true;
    if (listenCheck_)
        listenCheck_->stop();
    if (server_)
        server_->close();
    qWarning().noquote() << QStringLiteral("talven: 起動の印を置いたフォルダー %1 がこの利用者だけのものではなくなったため、"
                                           "ほかの起動から検討ファイルを受け取るのをやめます。")
                                .arg(escapeControlCharacters(QDir::toNativeSeparators(folder)));
}

void SingleInstance::takeConnections()
{
    while (waiting_.size() < MaxWaitingConnections) {
        QLocalSocket *socket = server_->nextPendingConnection();
        if (!socket)
            return;
        watch(socket);
    }
}

void SingleInstance::watch(QLocalSocket *socket)
{
    waiting_.insert(socket);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->bytesAvailable() > MaxMessageBytes)
            drop(socket);
        else if (socket->peek(socket->bytesAvailable()).contains(MessageEnd))
            receive(socket);
    });
    // The launch closes the connection once its path is written.
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { receive(socket); });
    QTimer::singleShot(MessageWaitMs, socket, [this, socket] { drop(socket); });
    // One that waited in the queue may have brought its whole message already.
    if (socket->state() == QLocalSocket::UnconnectedState
        || socket->peek(socket->bytesAvailable()).contains(MessageEnd))
        receive(socket);
}

void SingleInstance::receive(QLocalSocket *socket)
{
    if (!waiting_.contains(socket))
        return;
    // An answer that finds the launch gone ends the connection, which must
    // not bring it here again.
    disconnect(socket, nullptr, this, nullptr);
    const QByteArray message = socket->readAll();
    const qsizetype end = message.indexOf(MessageEnd);
    const QFileInfo file(QFile::decodeName(end < 0 ? message : message.left(end)));
    bool taken = file.isAbsolute() && file.isFile();
    // A launch that waits for the answer has told the user it could not hand
    // its study over once it is gone: its study is not opened behind its back.
    if (taken && end >= 0)
        taken = socket->write(TakenAnswer) == TakenAnswer.size() && socket->flush();
    drop(socket);
    if (taken)
        Q_EMIT studyHandedOver(file.absoluteFilePath());
}

// Once for each connection: its message taken, too long or too late.
void SingleInstance::drop(QLocalSocket *socket)
{
    if (!waiting_.remove(socket))
        return;
    disconnect(socket, nullptr, this, nullptr);
    socket->abort();
    socket->deleteLater();
    // One that waited in the queue takes its place.
    if (server_)
        takeConnections();
}

bool SingleInstance::handOver(const QString &path)
{
    QLocalSocket socket;
    const QDeadlineTimer deadline(HandOverWaitMs);
    // Only a socket of the user's own hears which study the user opens.
    const auto connected = [this, &socket, &deadline] {
        if (socketPath_.isEmpty() || !platform::isPrivateSocket(socketPath_))
            return false;
        socket.connectToServer(socketPath_);
        return socket.waitForConnected(int(std::min<qint64>(ConnectWaitMs, deadline.remainingTime())));
    };
    while (!connected()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(ConnectRetryMs);
    }
    const QByteArray message = QFile::encodeName(QFileInfo(path).absoluteFilePath()) + MessageEnd;
    if (socket.write(message) != message.size()
        || (socket.bytesToWrite() > 0 && !socket.waitForBytesWritten(int(deadline.remainingTime()))))
        return false;
    // The running copy answers once it has taken the path; a copy that is
    // stuck, or flooded by connections that say nothing, does not in time.
    while (socket.bytesAvailable() < TakenAnswer.size() && socket.state() == QLocalSocket::ConnectedState
           && !deadline.hasExpired())
        socket.waitForReadyRead(int(deadline.remainingTime()));
    return socket.bytesAvailable() >= TakenAnswer.size() && socket.read(TakenAnswer.size()) == TakenAnswer;
}

QString SingleInstance::defaultLockPath()
{
    const QString runtime = platform::userRuntimeFolder();
    if (!runtime.isEmpty() && platform::isPrivateFolder(runtime))
        return runtime + LockName;
    const QString own = platform::privateTemporaryFolder();
    return own.isEmpty() ? QString() : own + LockName;
}

}  // namespace talven
