#pragma once

// The design guide's rule for the cut-off lines under a structure: a pile
// no longer than half the distance to the nearest other line (しゃ水工長さは
// 設置間隔の1/2以下), for the vertical rows whose station the user gave.

#include "study/study.h"

#include <QString>

#include <optional>
#include <vector>

namespace talven {

struct PileSpacing {
    int row = 0;
    Hundredths station = 0;
    Hundredths length = 0;              // d, the driven length
    std::optional<Hundredths> spacing;  // s, to the nearest other line; none for the only line placed
    bool ok = true;                     // d <= s / 2 (two decimals, equality passes), or no other line

    // The longest the pile may be: s / 2, down to the hundredth; none without another line.
    std::optional<Hundredths> cap() const;
};

struct SpacingCheck {
    std::vector<PileSpacing> placed;  // the vertical rows with a pile and a station, by station
    std::vector<int> unplaced;        // the vertical rows with a pile and no station

    bool ok() const;
    // The row's spacing where it has a station.
    const PileSpacing *row(int row) const;
};

SpacingCheck checkSpacing(const Study &study);

// The rule for one row, "川表 2.50 ≦ 7.50 ＯＫ", or why it does not apply.
QString spacingRowText(const PileSpacing &spacing, const StudyRecord &record);
// Every row in one line: "矢板の間隔（d ≦ s/2）：川表 2.50 ≦ 7.50 ＯＫ、…", the
// rows without a station named after it; what the tab and page 1 show.
QString spacingLine(const SpacingCheck &check, const StudyRecord &record);

// The rule in a few words for page 1: "矢板の間隔（d ≦ s/2）：ＯＫ", the rows
// that break it named with their figures, the rows without a station after.
QString spacingVerdict(const SpacingCheck &check, const StudyRecord &record);

// A vertical row's name as the report and the sheet write it: "3 行目" for a row without one.
QString verticalRowName(const StudyRecord &record, int row);

}  // namespace talven
