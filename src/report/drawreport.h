#pragma once

#include "check/studycheck.h"
#include "report/reportsurface.h"
#include "study/studyinput.h"

#include <QString>
#include <QStringList>

namespace talven {

struct ReportResult {
    // False when the ratio lines of sections 3 and 4 were left out because
    // ΔH is 0: everything else is on the page.
    bool complete = true;
};

// Draws the one-page report of a study and its check (checkStudy(input))
// onto the surface, which the caller has cleared (or has a printer page
// ready). Leaves the surface's font, size, bold state and current point as
// the last element set them, and the pen width at 1.
[[nodiscard]] ReportResult drawReport(ReportSurface &surface, const StudyInput &input, const StudyCheck &check);

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
