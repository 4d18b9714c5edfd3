#pragma once

// 設計調書（遮水工）: the summary of the cut-off a checker reads beside the
// calculation, one row per standard of the design guide (基準値) with the
// study's planned value (計画値) and whether it meets it (判定). The
// calculation sheet's page and the workbook's sheet both print these rows.

#include "check/studycheck.h"
#include "study/study.h"

#include <QString>

#include <vector>

namespace talven {

enum class ReviewVerdict {
    Meets,                // ○
    Fails,                // ×
    DiffersForReference,  // 基準値と異なる（参考）: another method than the standard's, shown for reference
    NotGiven,             // — : the study does not hold what the row needs
};

struct ReviewRow {
    QString item;      // 項目, "鉛直方向　設置個所"
    QString standard;  // 基準値, "川表から優先して2ヶ所以上"
    QString planned;   // 計画値, "2ヶ所（川表から）"
    ReviewVerdict verdict = ReviewVerdict::NotGiven;

    bool operator==(const ReviewRow &) const = default;
};

// "○", "×", "基準値と異なる（参考）" or "—".
QString reviewVerdictText(ReviewVerdict verdict);

// The rows of a study and its check, in the summary's order: the vertical
// cut-off's lines (at least two, the first row, the 川表 one, among them),
// how its length is decided (Lane's method; Bligh's is shown for
// reference), the creep ratio of the governing case, the piles' type (a
// type named as a U-shaped steel sheet pile meets "U型以上"; any other is
// left to the checker, for reference), the cut-off wall's height and width
// (1.0 m at least each), the horizontal piles' reach against the
// excavation's width (each pile at least as long, by Lane's method), and
// the horizontal creep ratio.
std::vector<ReviewRow> designReviewRows(const Study &study, const StudyCheck &check);

// Whether a type as the user named it is a U-shaped steel sheet pile: "U形",
// "U型", or the series' names "SP-Ⅲ", "Ⅳ型", "SP-ⅤL" …, in either width;
// never a light-gauge one (軽量).
bool namesUShapedPile(const QString &type);

}  // namespace talven
