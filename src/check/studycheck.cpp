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
    Hundredths innerLevel = 0;
    Hundredths headDifference = 0;
    Hundredths referenceSigmaL = 0;
};

SectionCheck checkSection(const Study &study, const StudyWide &wide, const CaseFigures &levels, Section section)
{
    SectionCheck check;
    check.section = section;
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
        const Hundredths outerLevel = levels.innerLevel + *allowable;
        check.allowableHead = double(*allowable) / 100.0;
        check.allowableOuterLevel = double(outerLevel) / 100.0;
        check.allowableHeadText = hundredthsText(*allowable);
        check.allowableOuterLevelText = hundredthsText(outerLevel);
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
    figures.innerLevel = hundredths(levels.inner);
    figures.headDifference = headDifference(levels.outer, levels.inner);
    figures.referenceSigmaL =
        referenceSigmaL(study.formula, wide.required, wide.structureLength, figures.headDifference);
    check.outerLevel = double(outerLevel) / 100.0;
    check.innerLevel = double(figures.innerLevel) / 100.0;
    check.outerLevelText = hundredthsText(outerLevel);
    check.innerLevelText = hundredthsText(figures.innerLevel);
    check.headDifference = double(figures.headDifference) / 100.0;
    check.headDifferenceText = hundredthsText(figures.headDifference);
    check.referenceSigmaL = hundredthsText(figures.referenceSigmaL);
    check.readiness = readiness(figures.headDifference, study.record.creepRatio);
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
    return QStringLiteral("許容水位差 ⊿H = %1 m（外水位 WL1 = %2 m まで）").arg(allowableHeadText, allowableOuterLevelText);
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
    // Thousandths: L x 10 / 3 under Lane, rounded half away from zero.
    const long long thousandths = study.formula == Formula::Bligh ? 10 * length : roundedQuotient(10 * length, 3);
    check.reducedLengthThousandths = QStringLiteral("%1%2.%3")
                                         .arg(thousandths < 0 ? QStringLiteral("-") : QString())
                                         .arg(std::abs(thousandths) / 1000)
                                         .arg(std::abs(thousandths) % 1000, 3, 10, QLatin1Char('0'));
    check.requiredShown = requiredRatioText(study.formula, check.creepRatio);
    check.requiredPrinted = twoDecimals(check.creepRatio);
    const StudyWide wide{length, check.reducedLength, check.reducedLengthText, hundredths(check.creepRatio)};
    for (const WaterLevelCase &levels : study.cases()) {
        check.cases.push_back(checkCase(study, wide, levels));
        if (check.cases.back().headDifference > check.governingCase().headDifference)
            check.governing = int(check.cases.size()) - 1;
    }
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
    for (const SectionCheck &section : check.governingCase().sections) {
        // A study that can be checked has ΔH above 0, so a verdict.
        if (section.verdict)
            sections << sectionName(section.section) + u' ' + verdictWord(section.verdict->ok) + u'（'
                            + section.marginLabel() + u'）';
    }
    return sections.join(u'　');
}

}  // namespace talven
