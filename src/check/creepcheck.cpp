#include "check/creepcheck.h"

#include "study/fieldrules.h"
#include "study/numbers.h"

#include <algorithm>
#include <cmath>

namespace talven {

namespace {

// A section's ratio as one fraction of whole numbers: (L' + ΣL) / ΔH is
// path / (weight x ΔH), with path = L + ΣL and weight 1 under Bligh,
// path = L + 3ΣL and weight 3 under Lane.
struct CreepPath {
    Hundredths path = 0;
    long long weight = 1;
};

CreepPath creepPath(Formula formula, Hundredths seepageLength, Hundredths sigmaL)
{
    if (formula == Formula::Bligh)
        return {seepageLength + sigmaL, 1};
    return {seepageLength + 3 * sigmaL, 3};
}

}  // namespace

Hundredths headDifference(double outerLevel, double innerLevel)
{
    return hundredths(outerLevel) - hundredths(innerLevel);
}

Hundredths sigmaL(const PileLengths &lengths, const PileTicks &doubled)
{
    Hundredths sum = 0;
    for (int i = 0; i < PileCount; ++i)
        sum += (doubled[i] ? 2 : 1) * hundredths(lengths[i]);
    return sum;
}

Hundredths reducedLength(Formula formula, Hundredths seepageLength)
{
    return formula == Formula::Bligh ? seepageLength : roundedQuotient(seepageLength, 3);
}

std::optional<Hundredths> providedRatio(Formula formula, Hundredths seepageLength, Hundredths sigmaL,
                                        Hundredths headDifference)
{
    if (headDifference == 0)
        return std::nullopt;
    const CreepPath path = creepPath(formula, seepageLength, sigmaL);
    return roundedQuotient(100 * path.path, path.weight * headDifference);
}

QString requiredRatioText(Formula formula, double creepRatio)
{
    if (formula == Formula::Bligh && creepRatio == std::trunc(creepRatio))
        return formatNumber(creepRatio, NumberPattern::WholeOrEmpty);
    return formatNumber(creepRatio, NumberPattern::TwoDecimals);
}

bool ratioMeetsRequirement(Hundredths provided, Hundredths required)
{
    return provided >= required;
}

std::optional<Hundredths> allowableHead(Formula formula, Hundredths seepageLength, Hundredths sigmaL,
                                        Hundredths required)
{
    if (required <= 0)
        return std::nullopt;
    // At a head of k hundredths R rounds to at least C while 100 path / (weight k)
    // >= C - 1/2, that is while k <= 200 path / (weight (2C - 1)).
    const CreepPath path = creepPath(formula, seepageLength, sigmaL);
    return std::max<Hundredths>(0, 200 * path.path / (path.weight * (2 * required - 1)));
}

ExactQuotient requiredSigmaLExact(Formula formula, Hundredths required, Hundredths seepageLength,
                                  Hundredths headDifference)
{
    // (C - 0.005) x ΔH - L / w in metres, with C, ΔH and L in hundredths:
    // ((2C - 1) ΔH w - 200 L) / (20000 w).
    const long long weight = formula == Formula::Bligh ? 1 : 3;
    return {(2 * required - 1) * headDifference * weight - 200 * seepageLength, 20000 * weight};
}

Hundredths referenceSigmaL(Formula formula, Hundredths required, Hundredths seepageLength,
                           Hundredths headDifference)
{
    const ExactQuotient exact = requiredSigmaLExact(formula, required, seepageLength, headDifference);
    if (exact.numerator <= 0)
        return 0;
    // Rounded up to whole hundredths: the denominator is 200 w hundredths of a metre.
    const long long hundredth = exact.denominator / 100;
    return (exact.numerator + hundredth - 1) / hundredth;
}

Message reportNotReadyMessage()
{
    return {QStringLiteral("水位データおよび\r\nクリープ比の選択を確認してください"), MessageIcon::Stop,
            QStringLiteral("タルヴェン・帳票作成できません")};
}

Readiness readiness(Hundredths headDifference, double creepRatio)
{
    const bool head = headDifference > 0;
    const bool ratio = creepRatio != 0.0;
    if (head)
        return ratio ? Readiness::Ready : Readiness::NoCreepRatio;
    return ratio ? Readiness::HeadNotAboveZero : Readiness::NeitherHeadNorRatio;
}

Message firstTabProblemMessage(Readiness readiness)
{
    const Message head = headNotAboveZeroMessage();
    switch (readiness) {
    case Readiness::HeadNotAboveZero:
        return head;
    case Readiness::NoCreepRatio:
        return {QStringLiteral("使用する計算式と\r\nクリープ比を指定してください"), MessageIcon::Stop,
                QStringLiteral("タルヴェン・データの不足です")};
    case Readiness::NeitherHeadNorRatio:
        return {head.prompt + QStringLiteral("\r\nまた、使用する計算式とクリープ比を指定してください"),
                MessageIcon::Stop, head.caption};
    case Readiness::Ready:
        break;
    }
    return {};
}

}  // namespace talven
