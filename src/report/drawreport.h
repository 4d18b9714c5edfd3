#pragma once

#include "check/creepcheck.h"
#include "report/reportsurface.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

// Everything the report reads: the study, and the parts of it that live in
// the main window's controls (formula, soil list, the x2 tick boxes). The
// ticks are read from the boxes, not from the record's doubleFlags.
struct ReportInput {
    StudyRecord record;
    Formula formula = Formula::Lane;
    int listIndex = -1;  // the soil list's selection; -1 for none
    PileTicks verticalTicks{};
    PileTicks horizontalTicks{};
};

// "鉛直方向" or "水平方向".
QString sectionName(Section section);

// The verdict line of one section, its four items in reading order. The
// report and the command-line tool take them from here.
struct SectionVerdict {
    QString provided;  // R: the provided ratio "0.00"
    QString left;      // "Ｃ′= " + R
    QString sign;      // "≧" or "＜"
    QString right;     // "Ｃ = " + C "0.00"
    QString verdict;   // "・・・ＯＫ" or "・・・ＮＧ"
    bool ok = false;

    QStringList items() const { return {left, sign, right, verdict}; }
};

// R against C, both as the report shows them; nothing when no ratio can be
// formed (ΔH = 0).
std::optional<SectionVerdict> reportVerdict(const ReportInput &input, Section section);

struct ReportResult {
    // False when the ratio lines of sections 3 and 4 were left out because
    // ΔH is 0: everything else is on the page.
    bool complete = true;
};

// Draws the one-page report onto the surface, which the caller has cleared
// (or has a printer page ready). Leaves the surface's font, size, bold state
// and current point as the last element set them, and the pen width at 1.
[[nodiscard]] ReportResult drawReport(ReportSurface &surface, const ReportInput &input);

// For an incomplete report: writes the readiness message ("水位データおよび" /
// "クリープ比の選択を確認してください") where the verdict lines of both
// sections would stand.
void drawNotReadyNotice(ReportSurface &surface);

}  // namespace talven
