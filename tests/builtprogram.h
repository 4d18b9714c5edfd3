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

// Why the PDFs' own text is not read back on Windows: the tests read it with
// poppler's tools, which under Wine are Linux programs, reaching neither the
// test's files nor its pipes.
constexpr char NoPdfReaderOnWindows[] = "poppler's tools cannot read the PDF from a Windows program here";
