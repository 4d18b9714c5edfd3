#pragma once

// The one check of a study. checkStudy() computes everything any view shows
// of it, once: the window's totals and result lines, the report page,
// talven-report's verdict lines and its table only format this value. It
// works in whole hundredths (creepcheck.h); the numbers below are those
// hundredths in metres, so each is exactly what its text shows, L' and R
// excepted (unrounded, for those who print more decimals).

#include "check/creepcheck.h"
#include "check/pilespacing.h"
#include "check/residualhead.h"
#include "study/study.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace talven {

// R against C for one section: there is one only when ΔH is not 0.
struct SectionVerdict {
    double ratio = 0.0;  // R = (L' + ΣL) / ΔH, unrounded
    QString provided;    // R "0.00", rounded exactly
    bool ok = false;     // R to two decimals against C as shown; equality passes

    QString relation() const { return ok ? QStringLiteral("≧") : QStringLiteral("＜"); }
    bool operator==(const SectionVerdict &) const = default;
};

// One pile row's part of ΣL: its length, counted twice when ticked.
struct PilePart {
    QString lengthText;  // the driven length, "0.00"
    bool doubled = false;
    QString partText;    // what it adds to ΣL, "0.00"

    bool operator==(const PilePart &) const = default;
};

struct SectionCheck {
    Section section = Section::Vertical;
    std::array<PilePart, PileCount> piles;
    double sigmaL = 0.0;  // ΣL: a ticked pile counts twice
    QString sigmaLText;   // ΣL "0.00"
    QString numerator;    // the result line's L' "＋" ΣL: "2.00＋9.00"
    std::optional<SectionVerdict> verdict;
    // The design figures. The margin is ΣL less the required ΣL, both as
    // shown, so it adds up on screen; below 0 path is missing.
    double margin = 0.0;
    QString marginText;  // "-1.83"
    // ⊿Ha: the largest head difference, to 0.01 m, for which the section is
    // ＯＫ by the verdict rule, and the level on the side that rises that it
    // means: the outer level WL2 + ⊿Ha, or for a reversed case the inner
    // level WL1 + ⊿Ha; none without a creep ratio.
    std::optional<double> allowableHead;
    double allowableLevel = 0.0;
    bool reversed = false;  // the inner level is the one that rises
    QString allowableHeadText;  // "1.29", empty without a creep ratio
    QString allowableLevelText;

    // "余裕 0.50 m" for a margin of 0 or more, "不足 1.83 m" below 0.
    QString marginLabel() const;
    // "許容水位差 ⊿H = 1.29 m（外水位 WL1 = 2.29 m まで）", for a reversed case
    // "（内水位 WL2 = … m まで）"; empty without a creep ratio.
    QString allowableHeadLabel() const;

    bool operator==(const SectionCheck &) const = default;
};

// One water-level case of a study: its head difference and what each
// section makes of it. A case whose inner level stands above the outer one
// (逆水位) is checked on the head the other way round, over the same path;
// a case whose ΔH is 0 has no verdicts.
struct CaseCheck {
    QString name;  // as the user named it; empty for none
    double outerLevel = 0.0;  // WL1
    double innerLevel = 0.0;  // WL2
    QString outerLevelText;   // "0.00", as are the next two
    QString innerLevelText;
    bool reversed = false;        // WL2 above WL1
    double headDifference = 0.0;  // ΔH = |WL1 - WL2|, the head the check works with
    QString headDifferenceText;
    QString referenceSigmaL;  // the required ΣL of this case
    std::array<SectionCheck, 2> sections;

    const SectionCheck &section(Section section) const { return sections[std::size_t(section)]; }
    // "ケース2" for a case without a name.
    QString shownName(int index) const;
    // The higher level and the lower, as ΔH is worked out: WL1 and WL2, or
    // WL2 and WL1 for a reversed case.
    QString higherLevelText() const { return reversed ? innerLevelText : outerLevelText; }
    QString lowerLevelText() const { return reversed ? outerLevelText : innerLevelText; }
    bool operator==(const CaseCheck &) const = default;
};

// What a study makes of its water-level cases. L, L' and C hold for every
// case; each case has its own head difference and verdicts. The governing
// case, the one with the largest ΔH either way (the first of equals), is the
// one the result lines, the status line, the design figures and the
// report's first page show.
struct StudyCheck {
    double structureLength = 0.0;  // L, the seepage length along the structure
    double reducedLength = 0.0;    // L': L under Bligh, L / 3 under Lane, unrounded
    double creepRatio = 0.0;       // C (Bligh) or C' (Lane)
    QString structureLengthText;   // "0.00"
    QString reducedLengthText;
    // The required ratio as the window shows it and as the report prints it.
    // The window writes a whole Bligh ratio without decimals ("7"), the page
    // always with two ("7.00"): one number in two dresses, so one verdict.
    QString requiredShown;
    QString requiredPrinted;
    std::vector<CaseCheck> cases;  // every case, case 1 first
    int governing = 0;
    SpacingCheck spacing;  // the vertical piles' lengths against their spacing, where stations are given
    // The governing case's head along the vertical path, for reference, where every pile has a station.
    std::optional<ResidualHead> residualHead;

    const CaseCheck &governingCase() const { return cases[std::size_t(governing)]; }
    // Whether the study can be checked: a creep ratio, and a head to check,
    // the governing case's; the first tab's own levels (case 1) may not
    // stand the other way round.
    Readiness readiness() const;
    bool ready() const { return readiness() == Readiness::Ready; }
    const SectionCheck &section(Section section) const { return governingCase().section(section); }
    bool operator==(const StudyCheck &) const = default;
};

StudyCheck checkStudy(const Study &study);

// Which of the cases governs: the largest head either way, the first of equals.
int governingCaseIndex(const std::vector<WaterLevelCase> &cases);

// "ＯＫ" or "ＮＧ": a verdict as the status line names it.
QString verdictWord(bool ok);

// The window's status line, always current: each section's verdict and its
// margin, "鉛直方向 ＮＧ（不足 6.00 m）　水平方向 ＯＫ（余裕 1.20 m）", or
// "照査できません：" and what to look at while the study cannot be checked.
QString statusLineText(const StudyCheck &check);

}  // namespace talven
