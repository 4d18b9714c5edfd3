#pragma once

#include <QString>

#include <span>

namespace talven {

enum class Formula { Bligh, Lane };

struct SoilClass {
    const char16_t *listText;     // the main window's soil list
    const char16_t *ratioText;    // written into the creep-ratio box
    const char16_t *reportText;   // the report's creep-ratio table
    const char16_t *reportRatio;  // the report's value column
};

// The classes of a formula in list order (five for Bligh, eleven for Lane).
std::span<const SoilClass> soilClasses(Formula formula);

// Bligh's "砂混じり砂利": the one class whose creep ratio the user types (5 ... 9).
inline constexpr int RangedBlighClass = 3;
bool isRangedClass(Formula formula, int listIndex);

// The text of the creep-ratio box right after a formula is chosen.
QString emptyRatioText(Formula formula);

// Captions that follow the formula.
QString formulaName(Formula formula);        // "ブライの式" or "レインの式"
QString numeratorCaption(Formula formula);   // "Ｌ + ΣL" or "Ｌ / 3 +ΣL"
QString ratioCaption(Formula formula);       // "クリープ比" or "加重クリープ比"

// The report's creep-ratio table: header row, title and source.
QString reportTableHeaderClass();
QString reportTableHeaderRatio();
QString reportTableTitle(Formula formula);
QString reportTableSource(Formula formula);

}  // namespace talven
