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

// What does not depend on the water levels: L, L', C and C as shown.
struct StudyWide {
    double structureLength = 0.0;
    double reducedLength = 0.0;
    QString reducedLengthText;
    QString requiredShown;
};

SectionCheck checkSection(const Study &study, const StudyWide &wide, const CaseCheck &levels, Section section)
{
    SectionCheck check;
    check.section = section;
    check.sigmaL = sigmaL(pileLengths(study.record, section), study.ticks(section));
    check.sigmaLText = twoDecimals(check.sigmaL);
    check.numerator = wide.reducedLengthText + QStringLiteral("＋") + check.sigmaLText;
    check.margin = shownDifference(check.sigmaLText, levels.referenceSigmaL);
    check.marginText = twoDecimals(check.margin);
    check.allowableHead = allowableHead(wide.reducedLength + check.sigmaL, wide.requiredShown);
    if (check.allowableHead) {
        check.allowableOuterLevel = levels.innerLevel + *check.allowableHead;
        check.allowableHeadText = twoDecimals(*check.allowableHead);
        check.allowableOuterLevelText = twoDecimals(check.allowableOuterLevel);
    }
    const std::optional<double> ratio =
        providedRatio(study.formula, wide.structureLength, check.sigmaL, levels.headDifference);
    if (!ratio || !std::isfinite(*ratio))
        return check;
    SectionVerdict verdict;
    verdict.ratio = *ratio;
    verdict.provided = twoDecimals(*ratio);
    verdict.ok = ratioMeetsRequirement(verdict.provided, wide.requiredShown);
    check.verdict = verdict;
    return check;
}

CaseCheck checkCase(const Study &study, const StudyWide &wide, const WaterLevelCase &levels)
{
    CaseCheck check;
    check.name = levels.name;
    check.outerLevel = levels.outer;
    check.innerLevel = levels.inner;
    check.outerLevelText = twoDecimals(levels.outer);
    check.innerLevelText = twoDecimals(levels.inner);
    check.headDifference = levels.outer - levels.inner;
    check.headDifferenceText = twoDecimals(check.headDifference);
    const double ratio = study.record.creepRatio;
    check.referenceSigmaL = referenceSigmaLText(study.formula, ratio, wide.structureLength, check.headDifference);
    check.readiness = readiness(check.headDifference, ratio);
    for (Section section : Sections)
        check.sections[std::size_t(section)] = checkSection(study, wide, check, section);
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

QString CaseCheck::shownName(int index) const
{
    return name.isEmpty() ? QStringLiteral("ケース%1").arg(index + 1) : name;
}

StudyCheck checkStudy(const Study &study)
{
    StudyCheck check;
    check.structureLength = seepageLength(study.record);
    check.reducedLength = reducedLength(study.formula, check.structureLength);
    check.creepRatio = study.record.creepRatio;
    check.structureLengthText = twoDecimals(check.structureLength);
    check.reducedLengthText = twoDecimals(check.reducedLength);
    check.requiredShown = requiredRatioText(study.formula, check.creepRatio);
    check.requiredPrinted = twoDecimals(check.creepRatio);
    const StudyWide wide{check.structureLength, check.reducedLength, check.reducedLengthText, check.requiredShown};
    for (int i = 0; i < study.caseCount(); ++i) {
        check.cases.push_back(checkCase(study, wide, study.levelCase(i)));
        if (check.cases.back().headDifference > check.governingCase().headDifference)
            check.governing = i;
    }
    const CaseCheck &governing = check.governingCase();
    check.headDifference = governing.headDifference;
    check.headDifferenceText = governing.headDifferenceText;
    check.referenceSigmaL = governing.referenceSigmaL;
    check.readiness = governing.readiness;
    check.sections = governing.sections;
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
