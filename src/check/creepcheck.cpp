#include "check/creepcheck.h"

#include "study/numbers.h"

#include <cmath>

namespace talven {

double SeepageLength(const std::array<double, BaseValueCount> &baseValues)
{
    return baseValues[0] + baseValues[1] + baseValues[2];
}

double HeadDifference(const std::array<double, BaseValueCount> &baseValues)
{
    return baseValues[3] - baseValues[4];
}

double SigmaL(const PileLengths &lengths, const PileTicks &doubled)
{
    double sum = 0.0;
    for (int i = 0; i < PileCount; ++i)
        sum += doubled[i] ? 2.0 * lengths[i] : lengths[i];
    return sum;
}

double ReducedLength(Formula formula, double seepageLength)
{
    return formula == Formula::Bligh ? seepageLength : seepageLength / 3.0;
}

std::optional<double> ProvidedRatio(Formula formula, double seepageLength, double sigmaL,
                                    double headDifference)
{
    if (headDifference == 0.0)
        return std::nullopt;
    return (sigmaL + ReducedLength(formula, seepageLength)) / headDifference;
}

QString RequiredRatioText(Formula formula, double creepRatio)
{
    if (formula == Formula::Bligh && creepRatio == std::trunc(creepRatio))
        return FormatNumber(creepRatio, NumberPattern::WholeOrEmpty);
    return FormatNumber(creepRatio, NumberPattern::TwoDecimals);
}

bool RatioMeetsRequirement(const QString &providedShown, const QString &requiredShown)
{
    return LeadingNumber(providedShown) >= LeadingNumber(requiredShown);
}

std::optional<SectionResult> CheckSection(Formula formula, double seepageLength, double sigmaL,
                                          double headDifference, double creepRatio)
{
    const std::optional<double> ratio =
        ProvidedRatio(formula, seepageLength, sigmaL, headDifference);
    if (!ratio)
        return std::nullopt;
    SectionResult result;
    result.numerator = FormatNumber(ReducedLength(formula, seepageLength), NumberPattern::TwoDecimals)
                       + QStringLiteral("＋") + FormatNumber(sigmaL, NumberPattern::TwoDecimals);
    result.denominator = FormatNumber(headDifference, NumberPattern::TwoDecimals);
    result.provided = FormatNumber(*ratio, NumberPattern::TwoDecimals);
    result.required = RequiredRatioText(formula, creepRatio);
    result.ok = RatioMeetsRequirement(result.provided, result.required);
    return result;
}

QString ReferenceSigmaLText(Formula formula, double creepRatio, double seepageLength,
                            double headDifference)
{
    const double missing = creepRatio * headDifference - ReducedLength(formula, seepageLength);
    return FormatNumber(missing > 0.0 ? missing : 0.0, NumberPattern::TwoDecimals);
}

bool ReportNotReady(const StudyRecord &record)
{
    return !(HeadDifference(record.BaseValues) > 0.0) || record.CreepRatio == 0.0;
}

Message ReportNotReadyMessage()
{
    return {QStringLiteral("水位データおよび\r\nクリープ比の選択を確認してください"), 16,
            QStringLiteral("タルヴェン・帳票作成できません")};
}

int FirstTabProblem(double headDifference, double creepRatio)
{
    int problem = 0;
    if (headDifference <= 0.0)
        problem += 1;
    if (creepRatio == 0.0)
        problem += 2;
    return problem;
}

Message FirstTabProblemMessage(int problem)
{
    const QString headText = QStringLiteral("水位差が０以下の場合は計算できません");
    const QString faultyCaption = QStringLiteral("タルヴェン・データに不備があります");
    switch (problem) {
    case 1:
        return {headText, 16, faultyCaption};
    case 2:
        return {QStringLiteral("使用する計算式と\r\nクリープ比を指定してください"), 16,
                QStringLiteral("タルヴェン・データの不足です")};
    case 3:
        return {headText + QStringLiteral("\r\nまた、使用する計算式とクリープ比を指定してください"),
                16, faultyCaption};
    default:
        return {};
    }
}

}  // namespace talven
