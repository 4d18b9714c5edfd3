#pragma once

// One study's report written as a PDF file: the checks on the output and the
// drawing; the file replaces the output only once it is complete
// (report/pdffile.h, which the window's printing shares). Every way
// talven-report makes a report goes through writeReportPdf.

#include "report/reportdocument.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

// The study files of a run, and their companions, by what their names lead
// to (links, ".." and hard links resolved), so that an output can be looked
// up among them at once.
class StudyFiles {
public:
    explicit StudyFiles(const QStringList &paths);
    // The study that writing to `outputPath` would replace; empty when none.
    QString studyAt(const QString &outputPath) const;
    // The study whose companion writing to `outputPath` would replace or
    // make, by outputKeys; empty when none.
    QString companionOf(const QString &outputPath) const;

private:
    QHash<QString, QString> byIdentity_;
    QHash<QString, QString> byCompanionKey_;
};

// Why `outputPath` may not receive `what` ("PDF ファイル", "一覧表") made from
// the study files `studies`: writing it would replace one of the studies or
// replace or make one's companion, or it is an existing file other than a
// regular one. Nothing when it may. A refused output is a wrong command line
// (ExitUsage).
std::optional<QString> outputRefusal(const StudyFiles &studies, const QString &outputPath, const QString &what);
std::optional<QString> outputRefusal(const QStringList &studyPaths, const QString &outputPath, const QString &what);

// What two outputs of a run may not share, or they would be one file: the
// name itself, case aside (names equal but for case count as equal, as on
// Windows), and the file its links lead to, found by its folder and name
// (case aside) and, where it exists, by the file itself (a hard link).
QStringList outputKeys(const QString &outputPath);

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

// Writes the report of the study read from the study file `studyPath` to
// `outputPath`, through a temporary file beside it that replaces the output
// only when every byte is written. The output must be a new name or a regular
// file other than the study.
PdfResult writeReportPdf(const QString &studyPath, const QString &outputPath, const ReportDocument &document);

}  // namespace talven
