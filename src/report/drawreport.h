#pragma once

#include "check/studycheck.h"
#include "report/reportsurface.h"
#include "study/study.h"
#include "study/titleblock.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace talven {

// What the page carries beside the study. Everything off and empty is the
// plain report.
struct ReportOptions {
    TitleBlock titleBlock;
    bool figures = false;  // 照査の補足: required ΣL, its margin and the allowable head under each verdict
    bool footer = false;   // the study's file name and "1 / 1" at the foot
    QString fileName;      // the study's file name, for the footer
    bool margins = false;  // the page within a binder's margins, made smaller where it must
    bool sheet = false;    // the calculation sheet (計算書) after the report
    // The first page's label at the foot, "3-12", with which page of how many.
    QString pageLabel;
    // talven-report: the structure's name is each study's file name unless
    // --structure or the study's own title block gives one.
    bool structureFromFileName = false;
    // talven-report: which fields of TitleFields an option gave; the others
    // come from each study's own title block where it has one.
    std::array<bool, TitleFields.size()> titleGiven{};

    bool operator==(const ReportOptions &) const = default;
};

// "2026年12月7日".
QString reportDate(const QDate &date);

struct ReportResult {
    // False when the ratio lines of sections 3 and 4 were left out because
    // ΔH is 0: everything else is on the page.
    bool complete = true;
};

// The report's pages: the report page, with several water-level cases a
// page of the cases, and with the sheet its pages.
int reportPageCount(const StudyCheck &check, const ReportOptions &options);

// Draws page `page` (from 0) of the report of a study and its check
// (checkStudy(input)) onto the surface, which the caller has cleared (or has
// a printer page ready). Leaves the surface's font, size, bold state and
// current point as the last element set them, and the pen width at 1.
[[nodiscard]] ReportResult drawReport(ReportSurface &surface, const Study &input, const StudyCheck &check,
                                      const ReportOptions &options = {}, int page = 0);

// For an incomplete report: writes a notice (the readiness message, lines
// broken with CR LF) where the verdict lines of both sections would stand.
void drawNotReadyNotice(ReportSurface &surface, const QString &notice);

// The verdict line of one section as the page prints it, its four items in
// reading order; all empty when the section has no verdict (ΔH = 0).
// talven-report prints the same line.
struct ReportVerdictLine {
    QString left;      // "Ｃ′= " + R
    QString relation;  // "≧" or "＜"
    QString right;     // "Ｃ = " + C "0.00"
    QString verdict;   // "・・・ＯＫ" or "・・・ＮＧ"

    QStringList items() const { return {left, relation, right, verdict}; }
};

ReportVerdictLine reportVerdictLine(const StudyCheck &check, Section section);

}  // namespace talven
