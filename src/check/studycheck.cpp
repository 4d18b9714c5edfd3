#include "check/studycheck.h"

#include "study/numbers.h"

#include <QStringList>

#include <cmath>
#include <cstdlib>

namespace talven {

namespace {

// What does not depend on the water levels: L, L', C and how they show.
struct StudyWide {
    Hundredths structureLength = 0;
    double reducedLength = 0.0;
    QString reducedLengthText;
    Hundredths required = 0;  // C as shown
};

// What a case gives each of its sections.
struct CaseFigures {
    Hundredths lowerLevel = 0;      // the level that stays: WL2, or WL1 of a reversed case
    Hundredths headDifference = 0;  // |ΔH|
    Hundredths referenceSigmaL = 0;
    bool reversed = false;
};

SectionCheck checkSection(const Study &study, const StudyWide &wide, const CaseFigures &levels, Section section)
{
    SectionCheck check;
    check.section = section;
    check.reversed = levels.reversed;
    const PileLengths &lengths = pileLengths(study.record, section);
    const PileTicks ticks = study.ticks(section);
    for (int i = 0; i < PileCount; ++i) {
        const Hundredths length = hundredths(lengths[i]);
        check.piles[i] = {hundredthsText(length), ticks[i], hundredthsText(ticks[i] ? 2 * length : length)};
    }
    const Hundredths sigma = sigmaL(lengths, ticks);
    check.sigmaL = double(sigma) / 100.0;
    check.sigmaLText = hundredthsText(sigma);
    check.numerator = wide.reducedLengthText + QStringLiteral("＋") + check.sigmaLText;
    check.margin = double(sigma - levels.referenceSigmaL) / 100.0;
    check.marginText = hundredthsText(sigma - levels.referenceSigmaL);
    if (const std::optional<Hundredths> allowable =
            allowableHead(study.formula, wide.structureLength, sigma, wide.required)) {
        const Hundredths level = levels.lowerLevel + *allowable;
        check.allowableHead = double(*allowable) / 100.0;
        check.allowableLevel = double(level) / 100.0;
        check.allowableHeadText = hundredthsText(*allowable);
        check.allowableLevelText = hundredthsText(level);
    }
    const std::optional<Hundredths> ratio =
        providedRatio(study.formula, wide.structureLength, sigma, levels.headDifference);
    if (!ratio)
        return check;
    SectionVerdict verdict;
    verdict.ratio = (wide.reducedLength + check.sigmaL) / (double(levels.headDifference) / 100.0);
    verdict.provided = hundredthsText(*ratio);
    verdict.ok = ratioMeetsRequirement(*ratio, wide.required);
    check.verdict = verdict;
    return check;
}

CaseCheck checkCase(const Study &study, const StudyWide &wide, const WaterLevelCase &levels)
{
    CaseCheck check;
    CaseFigures figures;
    check.name = levels.name;
    const Hundredths outerLevel = hundredths(levels.outer);
    const Hundredths innerLevel = hundredths(levels.inner);
    const Hundredths signedHead = headDifference(levels.outer, levels.inner);
    figures.reversed = signedHead < 0;
    figures.lowerLevel = figures.reversed ? outerLevel : innerLevel;
    figures.headDifference = figures.reversed ? -signedHead : signedHead;
    figures.referenceSigmaL =
        referenceSigmaL(study.formula, wide.required, wide.structureLength, figures.headDifference);
    check.reversed = figures.reversed;
    check.outerLevel = double(outerLevel) / 100.0;
    check.innerLevel = double(innerLevel) / 100.0;
    check.outerLevelText = hundredthsText(outerLevel);
    check.innerLevelText = hundredthsText(innerLevel);
    check.headDifference = double(figures.headDifference) / 100.0;
    check.headDifferenceText = hundredthsText(figures.headDifference);
    check.referenceSigmaL = hundredthsText(figures.referenceSigmaL);
    for (Section section : Sections)
        check.sections[std::size_t(section)] = checkSection(study, wide, figures, section);
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
    return QStringLiteral("許容水位差 ⊿H = %1 m（%2 = %3 m まで）")
        .arg(allowableHeadText, reversed ? QStringLiteral("内水位 WL2") : QStringLiteral("外水位 WL1"), allowableLevelText);
}

Readiness StudyCheck::readiness() const
{
    const Hundredths head = cases.front().reversed ? 0 : hundredths(governingCase().headDifference);
    return talven::readiness(head, creepRatio);
}

QString CaseCheck::shownName(int index) const
{
    return name.isEmpty() ? QStringLiteral("ケース%1").arg(index + 1) : name;
}

StudyCheck checkStudy(const Study &study)
{
    StudyCheck check;
    const Hundredths length = seepageLength(study.record);
    check.structureLength = double(length) / 100.0;
    check.reducedLength = double(length) / (study.formula == Formula::Bligh ? 100.0 : 300.0);
    check.creepRatio = study.record.creepRatio;
    check.structureLengthText = hundredthsText(length);
    check.reducedLengthText = hundredthsText(reducedLength(study.formula, length));
    check.requiredShown = requiredRatioText(study.formula, check.creepRatio);
    check.requiredPrinted = twoDecimals(check.creepRatio);
    const StudyWide wide{length, check.reducedLength, check.reducedLengthText, hundredths(check.creepRatio)};
    const std::vector<WaterLevelCase> cases = study.cases();
    for (const WaterLevelCase &levels : cases)
        check.cases.push_back(checkCase(study, wide, levels));
    check.governing = governingCaseIndex(cases);
    check.spacing = checkSpacing(study);
    check.residualHead = residualHead(study);
    return check;
}

int governingCaseIndex(const std::vector<WaterLevelCase> &cases)
{
    int governing = 0;
    Hundredths largest = -1;
    for (int i = 0; i < int(cases.size()); ++i) {
        const Hundredths head = std::abs(headDifference(cases[std::size_t(i)].outer, cases[std::size_t(i)].inner));
        if (head > largest) {
            largest = head;
            governing = i;
        }
    }
    return governing;
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
    for (const SectionCheck &section : check.governingCase().sections) {
        // A study that can be checked has ΔH above 0, so a verdict.
        if (section.verdict)
            sections << sectionName(section.section) + u' ' + verdictWord(section.verdict->ok) + u'（'
                            + section.marginLabel() + u'）';
    }
    return sections.join(u'　');
}

}  // namespace talven
