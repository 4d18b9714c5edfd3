#pragma once

// Where a study's numbers come from, as a checker asks for it: the book the
// method is taken from, the boring and layer the soil's class rests on and
// why a value was chosen within a ranged class, and for each water-level case
// its levels' datum and sources. Texts only: none of them changes the check.
// The calculation sheet prints what is given in its 設計条件 and nothing of
// what is not; the companion file keeps them.

#include <QString>

#include <array>

namespace talven {

// A water-level case's levels: on which datum, and where each comes from.
struct LevelBasis {
    QString datum;        // 基準面, "T.P."
    QString outerSource;  // WL1 の根拠, "河川整備計画 H.W.L."
    QString innerSource;  // WL2 の根拠, "堤内地盤高"

    bool isEmpty() const { return datum.isEmpty() && outerSource.isEmpty() && innerSource.isEmpty(); }
    bool operator==(const LevelBasis &) const = default;
};

// Each text of a case's basis: its key in a case of the companion file, its
// label in the case dialog, and what the sheet prints before it.
struct LevelBasisField {
    const char *key;
    QString LevelBasis::*value;
    const char16_t *label;
    const char16_t *printed;
};

inline constexpr std::array<LevelBasisField, 3> LevelBasisFields{{
    {"datum", &LevelBasis::datum, u"基準面", u"基準面 "},
    {"wl1Source", &LevelBasis::outerSource, u"WL1 の根拠", u"WL1 "},
    {"wl2Source", &LevelBasis::innerSource, u"WL2 の根拠", u"WL2 "},
}};

// The study's method and soil.
struct DesignBasis {
    QString method;  // 計算式の根拠: book, edition, page
    QString soil;    // 土質の根拠: boring No., layer
    QString ratio;   // Ｃ の選定理由: why this value of a ranged class

    bool operator==(const DesignBasis &) const = default;
};

// Each text of the study's basis: its key in the companion's "basis", and
// its label and example in 帳票の設定.
struct DesignBasisField {
    const char *key;
    QString DesignBasis::*value;
    const char16_t *label;
    const char16_t *placeholder;
};

inline constexpr std::array<DesignBasisField, 3> DesignBasisFields{{
    {"method", &DesignBasis::method, u"計算式の根拠", u"（例: 書名、版、ページ）"},
    {"soil", &DesignBasis::soil, u"土質の根拠", u"（例: ボーリング No.2、第2層 砂礫）"},
    {"ratio", &DesignBasis::ratio, u"Ｃ の選定理由", u"（範囲のある区分から値を選んだ理由）"},
}};

}  // namespace talven
