#include "check/creepcheck.h"

#include "study/numbers.h"

#include <algorithm>
#include <cmath>

namespace talven {

double seepageLength(const StudyRecord &record)
{
    double sum = 0.0;
    for (int member = 0; member < MemberCount; ++member)
        sum += record.dimension(member);
    return sum;
}

double headDifference(const StudyRecord &record)
{
    return record.outerWaterLevel() - record.innerWaterLevel();
}

double sigmaL(const PileLengths &lengths, const PileTicks &doubled)
{
    double sum = 0.0;
    for (int i = 0; i < PileCount; ++i)
        sum += doubled[i] ? 2.0 * lengths[i] : lengths[i];
    return sum;
}

double reducedLength(Formula formula, double seepageLength)
{
    return formula == Formula::Bligh ? seepageLength : seepageLength / 3.0;
}

std::optional<double> providedRatio(Formula formula, double seepageLength, double sigmaL,
                                    double headDifference)
{
    if (headDifference == 0.0)
        return std::nullopt;
    return (sigmaL + reducedLength(formula, seepageLength)) / headDifference;
}

QString requiredRatioText(Formula formula, double creepRatio)
{
    if (formula == Formula::Bligh && creepRatio == std::trunc(creepRatio))
        return formatNumber(creepRatio, NumberPattern::WholeOrEmpty);
    return formatNumber(creepRatio, NumberPattern::TwoDecimals);
}

bool ratioMeetsRequirement(const QString &providedShown, const QString &requiredShown)
{
    return leadingNumber(providedShown) >= leadingNumber(requiredShown);
}

std::optional<double> allowableHead(double path, const QString &requiredShown)
{
    const double required = leadingNumber(requiredShown);
    if (!(required > 0.0))
        return std::nullopt;
    // The verdict at a head of k centimetres; it only worsens as k grows.
    auto holds = [&](long long k) { return ratioMeetsRequirement(twoDecimals(path * 100.0 / double(k)), requiredShown); };
    long long k = std::max<long long>(1, std::llround(std::floor(path / required * 100.0)));
    while (holds(k + 1))
        ++k;
    while (k > 0 && !holds(k))
        --k;
    return double(k) / 100.0;
}

QString referenceSigmaLText(Formula formula, double creepRatio, double seepageLength,
                            double headDifference)
{
    const double missing = creepRatio * headDifference - reducedLength(formula, seepageLength);
    return formatNumber(missing > 0.0 ? missing : 0.0, NumberPattern::TwoDecimals);
}

Message reportNotReadyMessage()
{
    return {QStringLiteral("水位データおよび\r\nクリープ比の選択を確認してください"), MessageIcon::Stop,
            QStringLiteral("タルヴェン・帳票作成できません")};
}

Readiness readiness(double headDifference, double creepRatio)
{
    const bool head = headDifference > 0.0;
    const bool ratio = creepRatio != 0.0;
    if (head)
        return ratio ? Readiness::Ready : Readiness::NoCreepRatio;
    return ratio ? Readiness::HeadNotAboveZero : Readiness::NeitherHeadNorRatio;
}

Message firstTabProblemMessage(Readiness readiness)
{
    const QString headText = QStringLiteral("水位差が０以下の場合は計算できません");
    const QString faultyCaption = QStringLiteral("タルヴェン・データに不備があります");
    switch (readiness) {
    case Readiness::HeadNotAboveZero:
        return {headText, MessageIcon::Stop, faultyCaption};
    case Readiness::NoCreepRatio:
        return {QStringLiteral("使用する計算式と\r\nクリープ比を指定してください"), MessageIcon::Stop,
                QStringLiteral("タルヴェン・データの不足です")};
    case Readiness::NeitherHeadNorRatio:
        return {headText + QStringLiteral("\r\nまた、使用する計算式とクリープ比を指定してください"),
                MessageIcon::Stop, faultyCaption};
    case Readiness::Ready:
        break;
    }
    return {};
}

}  // namespace talven
