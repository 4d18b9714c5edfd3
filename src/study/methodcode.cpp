#include "study/methodcode.h"

#include "study/numbers.h"

namespace talven {

double buildMethodCode(Formula formula, int listIndex, double creepRatio)
{
    const int base = formula == Formula::Bligh ? 101 : 201;
    return double(base + listIndex) * 100.0 + creepRatio;
}

DecodedMethod decodeMethodCode(const QString &generalText)
{
    DecodedMethod decoded;
    decoded.formula = generalText.startsWith(u'1') ? Formula::Bligh : Formula::Lane;
    decoded.listIndex = int(leadingNumber(QStringView(generalText).mid(1, 2))) - 1;
    decoded.ratioRemainder = generalText.mid(3);
    if (!decoded.ratioRemainder.isEmpty()) {
        const NumberPattern pattern = decoded.formula == Formula::Bligh ? NumberPattern::Whole
                                                                        : NumberPattern::OneDecimal;
        decoded.ratioText = formatNumber(leadingNumber(decoded.ratioRemainder), pattern);
    }
    return decoded;
}

QString restoredRatioText(const DecodedMethod &method)
{
    return generalNumber(leadingNumber(method.ratioRemainder));
}

}  // namespace talven
