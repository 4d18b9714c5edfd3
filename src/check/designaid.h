#pragma once

// The design aid: how much path a section misses or has to spare, the largest
// head difference it holds, and the smallest added pile lengths that make it
// ＯＫ. Every verdict here is the program's own rule, through checkStudy.

#include "check/studycheck.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace talven {

enum class ProposalWay {
    InOrder,   // 川表側から順に: the first row up to the longest pile, then the next
    AllAlike,  // すべての矢板を同じだけ: every row in use gets the same added length
    OneRow,    // 選んだ矢板だけ: only the row the user picks
};

// The way a section's proposal starts with: 川表側から順に across the
// vertical section, whose rows run from the river side; every pile alike
// across the horizontal one, whose rows (左岸, 右岸) have no such order, so
// that both banks gain the same.
ProposalWay defaultProposalWay(Section section);

struct ProposalOptions {
    int stepCentimetres = 50;  // 10, 50 or 100: the added length in steps of 0.1, 0.5 or 1.0 m
    ProposalWay way = ProposalWay::InOrder;
    int row = 0;                // the row of OneRow
    double longestPile = 99.99; // the longest driven length one pile may have
};

enum class ProposalOutcome {
    AlreadyOk,   // nothing to add
    Proposed,    // the lengths make the section ＯＫ
    OutOfReach,  // not even the longest piles do; `missing` says by how much
};

struct PileProposal {
    ProposalOutcome outcome = ProposalOutcome::AlreadyOk;
    PileLengths lengths{};     // every row's driven length as proposed (unchanged rows as they are)
    double added = 0.0;        // the driven length added, all rows together (m)
    StudyCheck check;          // the study with the proposed lengths
    double missing = 0.0;      // OutOfReach: ΣL still missing at the longest piles (m)
    // The design guide's limit held the proposal back: a vertical row with a
    // station may grow only to half the spacing of its line (s / 2).
    bool spacingLimited = false;
    // Some lengthened row has no such limit (no station, or no other line):
    // its spacing is for the user to see to.
    bool spacingUnchecked = false;
};

// With the lines at their stations, what one more line halfway across the
// widest space between two of them would do: each line's limit s / 2 falls,
// and with every pile at its limit (the new line's counted twice) ΣL is at
// most `mostSigmaL`. Nothing with fewer than two lines placed.
struct ExtraLine {
    Hundredths station = 0;
    Hundredths spacing = 0;   // s, the narrowest of the new spacings
    Hundredths cap = 0;       // s / 2 there
    Hundredths mostSigmaL = 0;
};
std::optional<ExtraLine> extraLine(const Study &study, double longestPile = 99.99);

// The rows a proposal may lengthen: those with a length or a name; row 0 when
// there is none.
std::vector<int> rowsInUse(const StudyRecord &record, Section section);

// The smallest proposal of the chosen way: whole steps added to driven
// lengths, never shortening a pile, each pile at most the longest pile (and
// the length boxes' maximum) and, on a vertical row with a station, at most
// half the spacing of its line. A ticked row gains twice its added length in
// path.
PileProposal proposePileLengths(const Study &study, Section section, const ProposalOptions &options);

// What makes an ＮＧ section ＯＫ, in a line for the calculation sheet (or two): the
// proposal of the section's default way in steps of 0.5 m, each lengthened
// row by its name and what it gives, "川表 3.00 m → 6.00 m：ΣL ＝ 15.00 m、Ｃ′＝
// 8.50 ≧ 8.50 で ＯＫ"; or how much ΣL the piles at the longest still
// miss. Empty when the section is ＯＫ or cannot be checked.
QStringList proposalLines(const Study &study, Section section);

// Where a vertical proposal lengthens a pile without a limit of its spacing:
// "矢板長は設置間隔の1/2以下であることを別途確認してください".
QString uncheckedSpacingNote();

// A vertical proposal held back by the spacing rule that still misses: the
// best it reaches, that the structure's length or the cut-off layout must
// change; and, in a line of its own, what a line added between two others
// would do.
QStringList spacingLimitedLines(const Study &study, const PileProposal &proposal);

}  // namespace talven
