#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace talven {

// One copy of the program per user. The lock lives in the user's runtime
// folder, and beside it the socket through which a later launch hands its
// study file to the running copy. A lock that no running copy of this user
// holds (its owner gone, or the file damaged, empty or half written) is
// removed and the start goes on.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    ~SingleInstance() override;

    // True when another running copy holds the lock. Otherwise this object
    // holds it until it is destroyed.
    bool anotherCopyRuns();

    // The copy that holds the lock takes the files of later launches.
    bool listen();
    // A later launch gives the running copy the absolute path of a study;
    // false when no copy answered.
    bool handOver(const QString &path);

    static QString defaultLockPath();

Q_SIGNALS:
    // The path of an existing regular file, handed over by a later launch.
    void studyHandedOver(const QString &path);

private:
    enum class Owner { Running, Writing, Gone };
    Owner lockOwner() const;
    bool removeStaleLock();
    void takeConnections();
    void receive(QLocalSocket *socket);

    QString lockPath_;
    QString socketPath_;
    QLockFile lock_;
    QLocalServer *server_ = nullptr;
};

}  // namespace talven
