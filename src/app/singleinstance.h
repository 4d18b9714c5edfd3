#pragma once

#include <QLockFile>
#include <QObject>
#include <QSet>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace talven {

// One copy of the program per user. The lock lives in a folder that belongs
// to the user alone (the runtime folder, or one of the user's own under the
// temporary folder), and beside it the socket through which a later launch
// hands its study file to the running copy. A lock that no running copy of
// this user holds (its owner gone, the file damaged, empty or half written,
// or another user's) is removed and the start goes on. Where no such folder
// exists, or the lock there can be neither taken nor removed, the copy runs
// unguarded: it neither refuses the user nor hands a path to anyone.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // An empty path: no folder of the user's own, the copy runs unguarded.
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    ~SingleInstance() override;

    // True when another running copy of this user holds the lock. Otherwise
    // this object holds the lock until it is destroyed, or runs unguarded.
    bool anotherCopyRuns();
    // This copy holds the lock: it takes the files of later launches.
    bool guards() const;

    // The copy that holds the lock takes the files of later launches, and
    // listens again whenever its socket is gone (a failed accept closes it),
    // as long as its folder is still the user's own; otherwise it stops
    // listening for good and says so once on standard error.
    bool listen();
    // A later launch gives the running copy the absolute path of a study;
    // false when no copy of this user has taken it within a few seconds.
    bool handOver(const QString &path);

    // The lock's path in the user's own folder, made when missing; empty
    // when there is none.
    static QString defaultLockPath();

Q_SIGNALS:
    // The path of an existing regular file, handed over by a later launch.
    void studyHandedOver(const QString &path);

private:
    enum class Owner { Running, Writing, Gone };
    enum class Removal { Removed, OwnerRuns, Stuck };
    Owner lockOwner() const;
    Removal removeStaleLock();
    void takeConnections();
    void watch(QLocalSocket *socket);
    void receive(QLocalSocket *socket);
    void drop(QLocalSocket *socket);
    void stopListening(const QString &folder);

    QString lockPath_;
    QString socketPath_;
    QLockFile lock_;
    QLocalServer *server_ = nullptr;
    QTimer *listenCheck_ = nullptr;
    bool stopped_ = false;  // the folder stopped being the user's own
    QSet<QLocalSocket *> waiting_;  // connections taken whose message has not come in yet
};

}  // namespace talven
