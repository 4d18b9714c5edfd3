#pragma once

#include <QProcess>

// The id of a process that has already ended: a lock or a file named after
// it belongs to no running program.
inline qint64 endedProcessId()
{
    QProcess process;
#ifdef Q_OS_WIN
    process.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("exit")});
#else
    process.start(QStringLiteral("sleep"), {QStringLiteral("0.1")});
#endif
    if (!process.waitForStarted(10000))
        return 0;
    const qint64 pid = process.processId();
    process.waitForFinished(10000);
    return pid;
}
