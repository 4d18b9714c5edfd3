#include "study/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace talven {

double leadingNumber(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    std::string number;
    if (pos < text.size() && text[pos] == u'-') {
        number += '-';
        ++pos;
    }
    std::string integerDigits;
    std::string fractionDigits;
    bool seenPoint = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c >= u'0' && c <= u'9') {
            (seenPoint ? fractionDigits : integerDigits) += char(c.unicode());
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return 0.0;
    number += integerDigits.empty() ? std::string("0") : integerDigits;
    if (!fractionDigits.empty())
        number += '.' + fractionDigits;
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Hundreds of digits: a huge value keeps its sign and stays finite (the
        // range checks reject it); hundreds of zeros after the point give 0.
        if (integerDigits.find_first_not_of('0') == std::string::npos)
            return 0.0;
        const double largest = std::numeric_limits<double>::max();
        return number.front() == '-' ? -largest : largest;
    }
    return value == 0.0 ? 0.0 : value;  // no negative zero from "-0"
}

namespace {

// The shortest decimal text that reads back as the value, split into its
// significant digits and the position of the decimal point relative to them.
struct DecimalDigits {
    bool negative = false;
    std::string digits;  // no leading zeros, at least one digit
    int pointPosition = 0;  // digits before the decimal point; may be <= 0 or > size
};

DecimalDigits shortestDigits(double value)
{
    DecimalDigits result;
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific).ptr;
    const std::string text(buffer, end);
    const auto e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.')
            result.digits += c;
    result.pointPosition = std::stoi(text.substr(e + 1)) + 1;
    result.negative = std::signbit(value) && value != 0.0;
    return result;
}

std::string roundToDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;  // callers guard their divisions; never print "inf" or "nan"
    DecimalDigits d = shortestDigits(value);
    // Digits kept: everything up to `decimals` places after the point.
    const int kept = d.pointPosition + decimals;
    std::string digits;
    int pointPosition = d.pointPosition;
    if (kept < 0) {
        digits.assign(1, '0');
        pointPosition = 1;
    } else {
        digits = d.digits.substr(0, std::min<std::size_t>(kept, d.digits.size()));
        const bool roundUp = std::size_t(kept) < d.digits.size() && d.digits[kept] >= '5';
        digits.resize(kept, '0');
        if (roundUp) {
            int i = int(digits.size()) - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits.insert(digits.begin(), '1');
                ++pointPosition;
            }
        }
        if (digits.empty()) {
            digits.assign(1, '0');
            pointPosition = 1;
        }
    }
    // Lay the digits out around the point, with at least one integer digit.
    std::string integerPart;
    std::string fractionPart;
    if (pointPosition <= 0) {
        integerPart = "0";
        fractionPart = std::string(-pointPosition, '0') + digits;
    } else if (std::size_t(pointPosition) >= digits.size()) {
        integerPart = digits + std::string(pointPosition - digits.size(), '0');
    } else {
        integerPart = digits.substr(0, pointPosition);
        fractionPart = digits.substr(pointPosition);
    }
    fractionPart.resize(decimals, '0');
    const auto firstNonZero = integerPart.find_first_not_of('0');
    integerPart = firstNonZero == std::string::npos ? "0" : integerPart.substr(firstNonZero);
    std::string text = integerPart;
    if (decimals > 0)
        text += '.' + fractionPart;
    const bool allZero = text.find_first_not_of("0.") == std::string::npos;
    if (d.negative && !allZero)
        text.insert(text.begin(), '-');
    return text;
}

}  // namespace

QString formatNumber(double value, NumberPattern pattern)
{
    switch (pattern) {
    case NumberPattern::TwoDecimals:
        return QString::fromStdString(roundToDecimals(value, 2));
    case NumberPattern::OneDecimal:
        return QString::fromStdString(roundToDecimals(value, 1));
    case NumberPattern::Whole:
        return QString::fromStdString(roundToDecimals(value, 0));
    case NumberPattern::WholeOrEmpty: {
        const std::string whole = roundToDecimals(value, 0);
        return whole == "0" ? QString() : QString::fromStdString(whole);
    }
    }
    return {};
}

Hundredths hundredths(double value)
{
    constexpr double Largest = 1e10;
    if (!std::isfinite(value))
        return 0;
    if (std::fabs(value) > Largest)
        return value > 0 ? Hundredths(Largest) * 100 : -Hundredths(Largest) * 100;
    std::string digits = roundToDecimals(value, 2);
    digits.erase(digits.find('.'), 1);
    Hundredths result = 0;
    std::from_chars(digits.data() + (digits.front() == '-' ? 1 : 0), digits.data() + digits.size(), result);
    return digits.front() == '-' ? -result : result;
}

QString hundredthsText(Hundredths value)
{
    const Hundredths whole = value / 100;
    const Hundredths cents = value % 100;
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    return sign + QString::number(whole < 0 ? -whole : whole) + u'.'
           + QStringLiteral("%1").arg(cents < 0 ? -cents : cents, 2, 10, QLatin1Char('0'));
}

long long roundedQuotient(long long numerator, long long denominator)
{
    const bool negative = (numerator < 0) != (denominator < 0);
    const long long n = numerator < 0 ? -numerator : numerator;
    const long long d = denominator < 0 ? -denominator : denominator;
    const long long magnitude = n / d + (2 * (n % d) >= d ? 1 : 0);
    return negative ? -magnitude : magnitude;
}

QString decimalQuotient(long long numerator, long long denominator, int maxDecimals, bool *exact)
{
    long long scale = 100;
    int decimals = 2;
    while (decimals < maxDecimals && (numerator * scale) % denominator != 0) {
        scale *= 10;
        ++decimals;
    }
    if (exact)
        *exact = (numerator * scale) % denominator == 0;
    return fixedQuotient(numerator, denominator, decimals);
}

QString fixedQuotient(long long numerator, long long denominator, int decimals)
{
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long long value = roundedQuotient(numerator * scale, denominator);
    const long long magnitude = value < 0 ? -value : value;
    return QStringLiteral("%1%2.%3")
        .arg(value < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / scale)
        .arg(magnitude % scale, decimals, 10, QLatin1Char('0'));
}

QString generalNumber(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, 14).ptr;
    const std::string text(buffer, end);
    const auto e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    std::string digits;
    bool negative = false;
    for (char c : text.substr(0, e)) {
        if (c == '-')
            negative = true;
        else if (c != '.')
            digits += c;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string result;
    if (exponent >= 15 || exponent < -15) {
        // Out of the ordinary range: mantissa and exponent, as the general form does.
        result = digits.substr(0, 1);
        if (digits.size() > 1)
            result += '.' + digits.substr(1);
        result += exponent < 0 ? "E-" : "E+";
        result += std::to_string(std::abs(exponent));
    } else if (exponent < 0) {
        result = "0." + std::string(-exponent - 1, '0') + digits;
    } else if (std::size_t(exponent + 1) >= digits.size()) {
        result = digits + std::string(exponent + 1 - digits.size(), '0');
    } else {
        result = digits.substr(0, exponent + 1) + '.' + digits.substr(exponent + 1);
    }
    if (negative)
        result.insert(result.begin(), '-');
    return QString::fromStdString(result);
}

}  // namespace talven
