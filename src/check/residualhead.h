#pragma once

// The head left along the vertical section's creep path (残留水頭, for
// reference; no verdict). The creep ratio says whether the path is long
// enough as a whole; the theory behind it has the head lost in proportion to
// the weighted distance crept, w: under Lane the metres along the box's
// bottom count a third (L / 3) and the metres down and up the piles whole,
// under Bligh every metre whole. The whole path weighs W = L' + ΣL, and at
// each point h = ⊿H (1 - w / W), ⊿H the governing case's. Traced only where
// every vertical pile in use stands at a station within 0 to L: the order of
// the piles along the path is their order along the box, and a pile without
// a station has none.

#include "study/numbers.h"
#include "study/study.h"

#include <QString>

#include <optional>
#include <vector>

namespace talven {

struct HeadPoint {
    // Where on the path: an end of the box, a pile's top (the pile counted
    // once has one), a top on the river's or the land's face, a tip.
    enum class Place { RiverEnd, LandEnd, Top, RiverFaceTop, LandFaceTop, Tip };
    Place place = Place::RiverEnd;
    int row = -1;           // the pile's vertical row; -1 at an end
    Hundredths across = 0;  // x: along the box's bottom from the end the water enters
    Hundredths down = 0;    // v: down and up the piles so far
    QString weightedText;   // w = x / 3 + v to three decimals (Lane), x + v (Bligh)
    Hundredths head = 0;    // h to 0.01 m, from the exact w and W

    bool operator==(const HeadPoint &) const = default;
};

// The mean gradient up the face the water leaves by: the last pile along the
// path, back up from its tip, as a checker works it from the printed heads.
struct ExitGradient {
    int row = 0;
    Hundredths length = 0;  // d, the face's length
    QString tipHead;        // h at the tip and back at the top, to three
    QString topHead;        // decimals (one more for a pile under 1 m, two under 0.1 m)
    QString gradient;       // (tip - top) / d of those texts, to three decimals

    bool operator==(const ExitGradient &) const = default;
};

struct ResidualHead {
    bool fromLand = false;       // the governing case is reversed: the water enters at the 川裏 end
    Hundredths headDifference = 0;
    QString weightedLength;      // W, to three decimals where it does not end
    bool weightedLengthExact = true;
    std::vector<HeadPoint> points;      // along the path, from the end the water enters
    std::optional<ExitGradient> exit;   // none where the last pile is counted once

    // The point at a pile's tip.
    const HeadPoint *tip(int row) const;
    bool operator==(const ResidualHead &) const = default;
};

// The path of the governing case; none unless every vertical pile in use has
// a station within 0 to L and the head is not 0.
std::optional<ResidualHead> residualHead(const Study &study);

// A point as the sheet's table names it: "川表端", "川表 上端（川表側）",
// "川表 先端", and "3 行目 上端" for a pile counted once in a row without a name.
QString headPointName(const StudyRecord &record, const HeadPoint &point);

}  // namespace talven
