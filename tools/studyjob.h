#pragma once

// One study through talven-report: read as File > Open does, checked, and its
// report written when an output is named. The single form runs one such job,
// a batch run many at once on worker threads: a job keeps its messages and
// verdict lines to itself, so that the caller prints them in argument order.

#include "files/studyfile.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace talven {

// The exit statuses of the tool; a batch exits with the largest it met.
enum ExitStatus {
    ExitDone = 0,
    ExitRefused = 1,
    ExitNotReady = 2,
    ExitCannotWrite = 3,
    ExitUsage = 64,  // the usual one for a wrong command line
};

enum class StudyStatus {
    Written,      // the report was written
    Checked,      // checked only: no output was asked for
    Refused,      // the study file was refused
    NotReady,     // ΔH <= 0 or no creep ratio: no report can be made
    CannotWrite,  // the report could not be written
};

struct StudyOutcome {
    StudyStatus status = StudyStatus::Refused;
    // Range messages met while the study was restored, as the window would
    // show them (line breaks CR LF).
    QStringList warnings;
    // Why there is no report: the file the problem is about (the study, or
    // the report for a failed write) and the message.
    QString problemFile;
    QString problem;
    // Each section's verdict line, "鉛直方向　Ｃ′= 5.50 ＜ Ｃ = 8.50 ・・・ＮＧ";
    // only for a study written or checked.
    QStringList verdictLines;
    // The study as the window would hold it; empty when it was refused.
    std::optional<RestoredStudy> study;

    int exitStatus() const;
};

// Reads the study and, when output is not empty, writes its report there as
// a one-page A4 PDF, replacing an earlier file only by a complete new one.
// Safe on a worker thread once the report fonts are registered.
StudyOutcome runStudyJob(const QString &studyPath, const QString &output);

inline const QString ProgramName = QStringLiteral("talven-report");

// Writes UTF-8 and flushes; false when the stream refused it.
bool writeText(std::FILE *stream, const QString &text);

// Message boxes break lines with CR LF; a terminal wants LF, a table cell
// one line.
QString terminalText(const QString &prompt);
QString oneLine(const QString &prompt);

}  // namespace talven
