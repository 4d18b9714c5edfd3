#pragma once

#include <QString>
#include <QtGlobal>

// A program of the build (TALVEN_BIN_DIR), by its name: talven, talven-report.
inline QString builtProgram(const QString &name)
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("TALVEN_BIN_DIR") + u'/' + name + QStringLiteral(".exe");
#else
    return qEnvironmentVariable("TALVEN_BIN_DIR") + u'/' + name;
#endif
}
