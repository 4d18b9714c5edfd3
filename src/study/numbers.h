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

// A length, level or ratio in whole hundredths: 5.99 is 599.
using Hundredths = long long;

// The value as twoDecimals() writes it, in whole hundredths: 2.675 gives 268,
// -0.005 gives -1. A value beyond 10^10 either way is held there and one that
// is not finite gives 0, so that the sums and products of a check stay far
// within 64 bits (no box takes a value beyond 999.99 either way).
Hundredths hundredths(double value);

// Whole hundredths as "0.00": 599 gives "5.99", -5 gives "-0.05".
QString hundredthsText(Hundredths value);

// numerator / denominator rounded half away from zero to a whole number,
// exactly; the denominator is not 0.
long long roundedQuotient(long long numerator, long long denominator);

// numerator / denominator (denominator above 0) as a decimal text with at
// least two decimals: exactly where the quotient ends within `maxDecimals`
// decimals (`exact` true), otherwise rounded half away from zero to
// `maxDecimals` (`exact` false). 1 / 4 gives "0.25", 2 / 3 at 6 gives "0.666667".
QString decimalQuotient(long long numerator, long long denominator, int maxDecimals, bool *exact = nullptr);

// numerator / denominator (denominator above 0) rounded half away from zero
// to exactly `decimals` decimals (at least 1): 1 / 4 at 3 gives "0.250".
QString fixedQuotient(long long numerator, long long denominator, int decimals);

// The general number form: at most 15 significant digits, no trailing zeros,
// no exponent for ordinary magnitudes.
QString generalNumber(double value);

}  // namespace talven
