#pragma once

// One study through talven-report: read as File > Open does, checked, and its
// report written when an output is named. The single form runs one such job,
// a batch run many at once on worker threads: a job keeps its messages and
// verdict lines to itself, so that the caller prints them in argument order.

#include "check/studycheck.h"
#include "files/studyfile.h"
#include "study/pageoptions.h"
#include "study/titleblock.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

enum class StudyStatus {
    Written,      // the report was written
    Checked,      // checked only: no output was asked for
    Refused,      // the study file was refused
    NotReady,     // ΔH <= 0 or no creep ratio: no report can be made
    CannotWrite,  // the report could not be written, or its name was refused
};

struct StudyOutcome {
    StudyStatus status = StudyStatus::Refused;
    // Range messages met while the study was restored, as the window would
    // show them (line breaks CR LF).
    QStringList warnings;
    // Why there is no report, and the file named before the message (the
    // study), or nothing where the message names its files itself.
    QString problemFile;
    QString problem;
    // Each section's verdict line, "鉛直方向　Ｃ′= 5.50 ＜ Ｃ = 8.50 ・・・ＮＧ";
    // only for a study written or checked.
    QStringList verdictLines;
    // The study as the window would hold it, and its check; empty when the
    // study was refused.
    std::optional<Study> study;
    std::optional<StudyCheck> check;
    // The structure's name as the report prints it: the table's 構造物名.
    QString structure;
    int exitStatus = 0;  // the single form's
};

// How talven-report makes each study's report: the page's options and the
// title fields its options gave, and the day of the run.
struct ReportRequest {
    PageOverrides page;
    TitleOverrides title;
    QString day;  // "2026年12月7日": 作成日 where none is given or kept with the study

    bool operator==(const ReportRequest &) const = default;
};

// A study refused without a report: its file and why, as printOutcome and
// the table show them.
StudyOutcome refusedStudy(const QString &studyPath, const QString &problem);

// Reads the study (with its companion) and adds `addedCases` to its cases
// (--case); when output is not empty, writes its report there
// (writeReportPdf) with the title block of studyTitleBlock(). Safe on a
// worker thread once the report fonts are registered and looked up.
StudyOutcome runStudyJob(const QString &studyPath, const QString &output, const ReportRequest &request = {},
                         const std::vector<WaterLevelCase> &addedCases = {});

// The title block one study's report prints: the fields its options gave,
// the others the study's own where it keeps a title block, with the study
// file's name for an empty 構造物名 and the day of the run for an empty 作成日.
TitleBlock studyTitleBlock(const ReportRequest &request, const QString &studyPath, const Study &study);

// The page options one study's report is made with: those its options gave,
// the others the study's own where it keeps them (its page label and sheet),
// else the defaults. The window's remembered options are never read.
PageOptions studyPageOptions(const ReportRequest &request, const Study &study);

// What is printed of one study: its warnings and its problem on standard
// error, its verdict lines on standard output, each after `label` when one is
// given (the study's name in a batch run). False when a verdict line was lost.
bool printOutcome(const StudyOutcome &outcome, const QString &label);

}  // namespace talven
