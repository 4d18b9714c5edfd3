#include "check/creepcheck.h"

#include "study/numbers.h"

#include <cmath>

namespace talven {

double seepageLength(const std::array<double, BaseValueCount> &baseValues)
{
    return baseValues[0] + baseValues[1] + baseValues[2];
}

double headDifference(const std::array<double, BaseValueCount> &baseValues)
{
    return baseValues[3] - baseValues[4];
}

double sigmaL(const PileLengths &lengths, const PileTicks &doubled)
{
    double sum = 0.0;
    for (int i = 0; i < PileCount; ++i)
        sum += doubled[i] ? 2.0 * lengths[i] : lengths[i];
    return sum;
}

const PileLengths &pileLengths(const StudyRecord &record, Section section)
{
    return section == Section::Vertical ? record.verticalLengths : record.horizontalLengths;
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

SectionQuantities sectionQuantities(Formula formula, double seepageLength, double sigmaL,
                                    double headDifference)
{
    return {formatNumber(reducedLength(formula, seepageLength), NumberPattern::TwoDecimals),
            formatNumber(sigmaL, NumberPattern::TwoDecimals),
            formatNumber(headDifference, NumberPattern::TwoDecimals)};
}

std::optional<SectionResult> checkSection(Formula formula, double seepageLength, double sigmaL,
                                          double headDifference, double creepRatio)
{
    const std::optional<double> ratio =
        providedRatio(formula, seepageLength, sigmaL, headDifference);
    if (!ratio)
        return std::nullopt;
    const SectionQuantities shown = sectionQuantities(formula, seepageLength, sigmaL, headDifference);
    SectionResult result;
    result.numerator = shown.reducedLength + QStringLiteral("＋") + shown.sigmaL;
    result.denominator = shown.headDifference;
    result.provided = formatNumber(*ratio, NumberPattern::TwoDecimals);
    result.required = requiredRatioText(formula, creepRatio);
    result.ok = ratioMeetsRequirement(result.provided, result.required);
    return result;
}

QString referenceSigmaLText(Formula formula, double creepRatio, double seepageLength,
                            double headDifference)
{
    const double missing = creepRatio * headDifference - reducedLength(formula, seepageLength);
    return formatNumber(missing > 0.0 ? missing : 0.0, NumberPattern::TwoDecimals);
}

bool reportNotReady(const StudyRecord &record)
{
    return !(headDifference(record.baseValues) > 0.0) || record.creepRatio == 0.0;
}

Message reportNotReadyMessage()
{
    return {QStringLiteral("水位データおよび\r\nクリープ比の選択を確認してください"), MessageIcon::Stop,
            QStringLiteral("タルヴェン・帳票作成できません")};
}

int firstTabProblem(double headDifference, double creepRatio)
{
    int problem = 0;
    if (headDifference <= 0.0)
        problem += 1;
    if (creepRatio == 0.0)
        problem += 2;
    return problem;
}

Message firstTabProblemMessage(int problem)
{
    const QString headText = QStringLiteral("水位差が０以下の場合は計算できません");
    const QString faultyCaption = QStringLiteral("タルヴェン・データに不備があります");
    switch (problem) {
    case 1:
        return {headText, MessageIcon::Stop, faultyCaption};
    case 2:
        return {QStringLiteral("使用する計算式と\r\nクリープ比を指定してください"), MessageIcon::Stop,
                QStringLiteral("タルヴェン・データの不足です")};
    case 3:
        return {headText + QStringLiteral("\r\nまた、使用する計算式とクリープ比を指定してください"),
                MessageIcon::Stop, faultyCaption};
    default:
        return {};
    }
}

}  // namespace talven
