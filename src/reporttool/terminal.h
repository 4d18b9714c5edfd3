#pragma once

// What talven-report writes on its standard output and standard error.

#include <QString>

#include <cstdio>

namespace talven {

inline const QString ProgramName = QStringLiteral("talven-report");

// Writes UTF-8 (a Windows console the characters themselves) and flushes.
// False when the text did not reach the stream (a full disk, say); a lost
// message on standard error has nowhere else to go.
bool writeText(std::FILE *stream, const QString &text);

// "talven-report: " and the problem, on a line of standard error.
void complain(const QString &problem);

// Message boxes break lines with CR LF; a terminal wants LF.
QString terminalText(const QString &prompt);

}  // namespace talven
