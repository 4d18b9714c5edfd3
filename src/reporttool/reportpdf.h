#pragma once

// One study's report written as a PDF file: the checks on the output, the
// drawing, and the replacement of the output only once the file is complete.
// Every way talven-report makes a report goes through writeReportPdf.

#include "report/drawreport.h"

#include <QString>
#include <QStringList>

namespace talven {

// talven-report's exit statuses; 64 and 74 are the usual ones for a wrong
// command line and for an output that could not be written.
enum ExitStatus : int {
    ExitWritten = 0,
    ExitRefused = 1,      // the study file was refused
    ExitNotReady = 2,     // no report can be made of the study
    ExitCannotWrite = 3,  // the PDF could not be written
    ExitUsage = 64,       // a wrong command line, an output refused included
    ExitLostOutput = 74,  // the verdict lines could not be written to standard output
};

enum class PdfOutcome {
    Written,
    OutputIsStudy,   // the output names the study file itself: nothing written
    OutputNotAFile,  // a folder, device, FIFO or socket: nothing written
    CannotWrite,     // a failed write or commit: an earlier output is kept as it was
};

struct PdfResult {
    PdfOutcome outcome = PdfOutcome::Written;
    QString message;  // for standard error, without the program's name; empty when written

    int exitStatus() const;
};

// Whether `outputPath` may receive `what` ("PDF ファイル", "一覧表") made from the
// study files `studyPaths`: refused when it names one of the studies or an
// existing file other than a regular one. Written when it may.
PdfResult checkOutput(const QStringList &studyPaths, const QString &outputPath, const QString &what);

// Writes the report of `input`, read from the study file `studyPath`, to
// `outputPath`, through a temporary file beside it that replaces the output
// only when every byte is written. The output must be a new name or a regular
// file other than the study (links, ".." and hard links resolved).
PdfResult writeReportPdf(const QString &studyPath, const QString &outputPath, const ReportInput &input);

}  // namespace talven
