#pragma once

// A study as one value: everything the user edits on the three tabs, as the
// boxes hold it and as it is stored, checked, printed and saved. The window
// only shows a Study; every edit is one of the functions below, which take
// the study and give the study after the edit with the messages it met.
//
// The boxes' texts belong to the study: a box may show "5." or nothing (a
// refused entry) while it stores 5 or 0, and a save writes what the boxes
// show. Every number the record holds is what its box's text stores.

#include "study/boxtable.h"
#include "study/designbasis.h"
#include "study/message.h"
#include "study/numbers.h"
#include "study/pageoptions.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"
#include "study/titleblock.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace talven {

// A water-level case beside the first tab's: its name and its WL1 and WL2
// as their boxes hold them, under the water levels' rules, and where the
// levels come from.
struct WaterLevelCase {
    QString name;
    QString outerText;  // WL1
    QString innerText;  // WL2
    double outer = 0.0;
    double inner = 0.0;
    LevelBasis basis;

    bool operator==(const WaterLevelCase &) const = default;
};

// Case 1 (the first tab's WL1 and WL2) and at most seven more.
inline constexpr int CaseLimit = 8;
inline constexpr int CaseNameMaxLength = 20;

// What the design summary (設計調書（遮水工）) asks of the cut-off besides its
// lengths, each where the user gave it: the sheet piles' type as named
// ("鋼矢板Ⅲ型"), the cut-off wall's (しゃ水壁) height and width, and the
// excavation's width beside the structure, from its side wall to the
// excavation's edge, which the horizontal piles are to reach. Metres to two
// decimals. Kept in the companion file; the study file has no place for them.
struct CutOffDetails {
    QString pileType;  // empty for none
    std::optional<double> wallHeight;
    std::optional<double> wallWidth;
    std::optional<double> excavationWidth;

    bool operator==(const CutOffDetails &) const = default;
};

inline constexpr int PileTypeMaxLength = 20;

struct Study {
    StudyRecord record;
    Formula formula = Formula::Lane;
    int soilClass = -1;  // the row in soilClasses(formula); -1 for none
    std::array<QString, NumberBoxCount> numberTexts;  // numberBox(i)'s text, the creep ratio's included
    std::array<QString, NameCount> nameTexts;         // nameBox(i)'s text; record.names keeps it trimmed
    // The water-level cases are read through cases() and set through
    // setCases(): case 1 is the first tab's WL1 and WL2 under a name and a
    // basis kept here, the others are kept whole.
    QString firstCaseName;
    LevelBasis firstCaseBasis;
    std::vector<WaterLevelCase> laterCases;
    // The title block kept with the study; none until it has one of its
    // own (a new study takes the user's, a report tool its options).
    std::optional<TitleBlock> titleBlock;
    // Where the vertical piles stand, where the user gave it: each row's
    // distance in metres from the 川表 end of the structure, two decimals;
    // and the structure's bottom level (函底高), on the water levels' datum.
    // Kept in the companion file; the study file has no place for them.
    std::array<std::optional<double>, PileCount> stations{};
    std::optional<double> bottomLevel;
    CutOffDetails cutOff;
    // Where the method and the soil come from, for the calculation sheet.
    DesignBasis basis;
    // The page options the study keeps as its own (studyOptionsOf): its
    // page label and whether its sheet is attached, so that two sections of
    // one binder keep their own numbers. None for a new study.
    PageOverrides pages;

    // The creep ratio is typed only for Bligh's ranged class; otherwise the
    // class writes it.
    bool ratioEditable() const { return isRangedClass(formula, soilClass); }
    const QString &ratioText() const { return numberTexts[CreepRatioBox]; }
    // The x2 ticks of a section: a ticked pile counts twice.
    PileTicks ticks(Section section) const;
    // Every case, case 1 (the first tab's levels) first.
    std::vector<WaterLevelCase> cases() const;
    int caseCount() const { return 1 + int(laterCases.size()); }

    bool operator==(const Study &) const = default;
};

// L: the seepage length along the structure, the sum of the three member
// dimensions, each as its box shows it.
Hundredths seepageLength(const StudyRecord &record);

// An edit's outcome: the study after it, and the messages to show, in order.
struct StudyEdit {
    Study study;
    std::vector<Message> messages;
    // The box the user is sent to: one a range message emptied, or the ratio
    // box of the ranged class; -1 for none.
    int focusBox = -1;

    // This edit followed by `next`, which was made on this edit's study.
    void append(const StudyEdit &next);
};

// A new window's study: Lane's formula, no class, every number 0.00, every
// pile ticked.
Study emptyStudy();

// New (keepNames false) and 数値のみクリア (true): the empty study, the names
// (and the cases' names, the title block, the bases and the study's own
// page options) kept or not. The method code last saved is forgotten.
Study resetStudy(const Study &study, bool keepNames);

// A number box's text changed, by typing, a paste or the program: the text
// is checked against the box's range and its number stored. A refused text
// empties the box (the ratio box gets "5") and brings the range message.
StudyEdit writeNumberBox(const Study &study, int box, const QString &text);

// A name box's text changed; the name is stored trimmed as it is typed.
Study writeNameBox(const Study &study, int index, const QString &text);

// Leaving a number box: every number is written back with two decimals
// through its box's check. The first tab's names show as stored, the pile
// names trimmed.
StudyEdit refreshBoxes(const Study &study);

Study setDoubleTick(const Study &study, Section section, int row, bool ticked);

// A formula chosen: its empty list and empty ratio, no class.
Study chooseFormula(const Study &study, Formula formula);

// A soil class chosen by the user: its ratio, or for the ranged class the
// information message and 5, which the user may then change.
StudyEdit chooseSoilClass(const Study &study, int soilClass);

// The class of a study being opened: the ranged class keeps the ratio it was
// saved with (`savedRatio`), through the box's range check.
StudyEdit restoreSoilClass(const Study &study, int soilClass, const QString &savedRatio);

// A case's WL1 or WL2 typed: checked against the water levels' range; a
// refused text empties the box and brings the range message.
enum class Level { Outer, Inner };
struct CaseLevelEdit {
    WaterLevelCase levelCase;
    std::optional<Message> message;
};
CaseLevelEdit writeCaseLevel(const WaterLevelCase &levelCase, Level level, const QString &text);
// A case's levels written back with two decimals, as leaving a box does.
WaterLevelCase refreshCaseLevels(const WaterLevelCase &levelCase);
// The study's cases, case 1 first, from the case dialog, a companion file or
// talven-report's --case: case 1 gives its name only, its levels being the
// first tab's. A later case with two equal levels, which has no head to
// check, is left out with headNotAboveZeroMessage(); cases after the
// CaseLimit-th with tooManyCasesMessage(). A case whose inner level is the
// higher (逆水位) is kept: it is checked on its head the other way round.
StudyEdit setCases(const Study &study, std::vector<WaterLevelCase> cases);
Message tooManyCasesMessage(int given);
// Whether a case after the first can be checked: its levels differ.
bool hasHead(const WaterLevelCase &levelCase);

// A section's pile lengths set at once (矢板長の提案 適用), each written as
// typing it would be, then shown with two decimals.
StudyEdit setPileLengths(const Study &study, Section section, const PileLengths &lengths);

// The piles' stations and the bottom level set at once (矢板の位置), each to
// two decimals; a station outside 0 to L, or a level outside the water
// levels' range, is refused with its message and nothing is set.
StudyEdit setPlacement(const Study &study, const std::array<std::optional<double>, PileCount> &stations,
                       std::optional<double> bottomLevel);
// The message for a station outside 0 to L (`structureLength`, metres).
Message stationRangeMessage(double structureLength);

// The cut-off's details set at once (矢板の位置, and a companion file): the
// type trimmed and cut to PileTypeMaxLength characters, each measure to two
// decimals within a dimension's range (0 to 99.99); a measure outside it is
// refused with the dimensions' range message and nothing is set.
StudyEdit setCutOffDetails(const Study &study, const CutOffDetails &details);

// What typing into a box is called as a step of the study's history, in the
// 編集 menu: "寸法の入力", "名称の入力".
QString numberTypingStep(int box);
QString nameTypingStep();

// Whether what a section's check reads differs between two studies: its own
// piles, the first tab's values, the formula or the ratio.
bool sectionInputsDiffer(const Study &a, const Study &b, Section section);

}  // namespace talven
