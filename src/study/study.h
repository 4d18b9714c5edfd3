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
#include "study/message.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"

#include <QString>

#include <array>
#include <vector>

namespace talven {

struct Study {
    StudyRecord record;
    Formula formula = Formula::Lane;
    int soilClass = -1;  // the row in soilClasses(formula); -1 for none
    std::array<QString, NumberBoxCount> numberTexts;  // numberBox(i)'s text, the creep ratio's included
    std::array<QString, NameCount> nameTexts;         // nameBox(i)'s text; record.names keeps it trimmed

    // The creep ratio is typed only for Bligh's ranged class; otherwise the
    // class writes it.
    bool ratioEditable() const { return isRangedClass(formula, soilClass); }
    const QString &ratioText() const { return numberTexts[CreepRatioBox]; }
    // The x2 ticks of a section: a ticked pile counts twice.
    PileTicks ticks(Section section) const;

    bool operator==(const Study &) const = default;
};

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
// kept or not. The method code last saved is forgotten.
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

// What typing into a box is called as a step of the study's history, in the
// 編集 menu: "寸法の入力", "名称の入力".
QString numberTypingStep(int box);
QString nameTypingStep();

// Whether what a section's check reads differs between two studies: its own
// piles, the first tab's values, the formula or the ratio.
bool sectionInputsDiffer(const Study &a, const Study &b, Section section);

}  // namespace talven
