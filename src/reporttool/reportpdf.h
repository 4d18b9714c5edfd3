#pragma once

// One study's report written as a PDF file: the checks on the output and the
// drawing; the file replaces the output only once it is complete
// (report/pdffile.h, which the window's printing shares). Every way
// talven-report makes a report goes through writeReportPdf.

#include "check/studycheck.h"
#include "report/drawreport.h"
#include "study/study.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

// Why `outputPath` may not receive `what` ("PDF ファイル", "一覧表") made from
// the study files `studyPaths`: it names one of the studies (links, ".." and
// hard links resolved) or an existing file other than a regular one. Nothing
// when it may. A refused output is a wrong command line (ExitUsage).
std::optional<QString> outputRefusal(const QStringList &studyPaths, const QString &outputPath,
                                     const QString &what);

enum class PdfOutcome {
    Written,
    Refused,      // outputRefusal: nothing written
    CannotWrite,  // a failed write or commit: an earlier output is kept as it was
};

struct PdfResult {
    PdfOutcome outcome = PdfOutcome::Written;
    QString message;  // for standard error, without the program's name; empty when written

    int exitStatus() const;
};

// Writes the report of `input`, read from the study file `studyPath`, to
// `outputPath`, through a temporary file beside it that replaces the output
// only when every byte is written. The output must be a new name or a regular
// file other than the study.
PdfResult writeReportPdf(const QString &studyPath, const QString &outputPath, const Study &input,
                         const StudyCheck &check, const ReportOptions &page);

}  // namespace talven
