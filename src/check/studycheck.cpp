#include "check/studycheck.h"

#include "study/numbers.h"

#include <QStringList>

#include <cmath>

namespace talven {

namespace {

// The difference of two "0.00" texts, to the centimetre.
double shownDifference(const QString &a, const QString &b)
{
    return double(std::llround((leadingNumber(a) - leadingNumber(b)) * 100.0)) / 100.0;
}

SectionCheck checkSection(const Study &study, const StudyCheck &totals, Section section)
{
    SectionCheck check;
    check.section = section;
    check.sigmaL = sigmaL(pileLengths(study.record, section), study.ticks(section));
    check.sigmaLText = twoDecimals(check.sigmaL);
    check.numerator = totals.reducedLengthText + QStringLiteral("＋") + check.sigmaLText;
    check.margin = shownDifference(check.sigmaLText, totals.referenceSigmaL);
    check.marginText = twoDecimals(check.margin);
    check.allowableHead = allowableHead(totals.reducedLength + check.sigmaL, totals.requiredShown);
    if (check.allowableHead) {
        check.allowableOuterLevel = study.record.innerWaterLevel() + *check.allowableHead;
        check.allowableHeadText = twoDecimals(*check.allowableHead);
        check.allowableOuterLevelText = twoDecimals(check.allowableOuterLevel);
    }
    const std::optional<double> ratio =
        providedRatio(study.formula, totals.structureLength, check.sigmaL, totals.headDifference);
    if (!ratio || !std::isfinite(*ratio))
        return check;
    SectionVerdict verdict;
    verdict.ratio = *ratio;
    verdict.provided = twoDecimals(*ratio);
    verdict.ok = ratioMeetsRequirement(verdict.provided, totals.requiredShown);
    check.verdict = verdict;
    return check;
}

}  // namespace

QString SectionCheck::marginLabel() const
{
    return (margin < 0.0 ? QStringLiteral("不足 ") : QStringLiteral("余裕 ")) + twoDecimals(std::fabs(margin))
           + QStringLiteral(" m");
}

QString SectionCheck::allowableHeadLabel() const
{
    if (!allowableHead)
        return {};
    return QStringLiteral("許容水位差 ⊿H = %1 m（外水位 WL1 = %2 m まで）").arg(allowableHeadText, allowableOuterLevelText);
}

StudyCheck checkStudy(const Study &study)
{
    const StudyRecord &record = study.record;
    StudyCheck check;
    check.structureLength = seepageLength(record);
    check.reducedLength = reducedLength(study.formula, check.structureLength);
    check.headDifference = headDifference(record);
    check.creepRatio = record.creepRatio;
    check.structureLengthText = twoDecimals(check.structureLength);
    check.reducedLengthText = twoDecimals(check.reducedLength);
    check.headDifferenceText = twoDecimals(check.headDifference);
    check.requiredShown = requiredRatioText(study.formula, check.creepRatio);
    check.requiredPrinted = twoDecimals(check.creepRatio);
    check.referenceSigmaL =
        referenceSigmaLText(study.formula, check.creepRatio, check.structureLength, check.headDifference);
    check.readiness = readiness(check.headDifference, check.creepRatio);
    for (Section section : Sections)
        check.sections[std::size_t(section)] = checkSection(study, check, section);
    return check;
}

QString verdictWord(bool ok)
{
    return ok ? QStringLiteral("ＯＫ") : QStringLiteral("ＮＧ");
}

// The message a report refused for the same reason gives: the reason of each
// readiness separately would not fit the window's width when both values are
// missing, as in a new study.
QString statusLineText(const StudyCheck &check)
{
    if (!check.ready())
        return QStringLiteral("照査できません：") + oneLine(reportNotReadyMessage().prompt);
    QStringList sections;
    for (const SectionCheck &section : check.sections) {
        // A study that can be checked has ΔH above 0, so a verdict.
        if (section.verdict)
            sections << sectionName(section.section) + u' ' + verdictWord(section.verdict->ok) + u'（'
                            + section.marginLabel() + u'）';
    }
    return sections.join(u'　');
}

}  // namespace talven
