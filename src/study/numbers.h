#pragma once

#include <QString>
#include <QStringView>

namespace talven {

// Reads the number at the front of a text: leading blanks, an optional "-",
// digits with at most one "." (never the locale's separator), up to the first
// other character. A text without a leading number gives 0.
double leadingNumber(QStringView text);

// The display patterns the program uses. The three two-decimal patterns
// ("##0.00", "###0.00", "0.00") give the same text: no grouping, at least one
// digit before the point.
enum class NumberPattern {
    TwoDecimals,   // "##0.00", "###0.00", "0.00"
    OneDecimal,    // "0.0"
    Whole,         // "0"
    WholeOrEmpty,  // "##": a value that rounds to 0 gives ""
};

// Rounds half away from zero on the shortest decimal text of the value, so
// 2.675 gives 2.68 although its binary value lies just below.
QString formatNumber(double value, NumberPattern pattern);

// "0.00": how the program writes every length, level and ratio.
inline QString twoDecimals(double value)
{
    return formatNumber(value, NumberPattern::TwoDecimals);
}

// The general number form: at most 15 significant digits, no trailing zeros,
// no exponent for ordinary magnitudes.
QString generalNumber(double value);

}  // namespace talven
