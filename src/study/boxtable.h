#pragma once

// The study's boxes in one table. The twenty number boxes numberBox(0..19)
// form five groups; each group says which record field its boxes store into,
// which name boxes name its rows, the range and longest text of a typed value,
// the tab it stands on and its lines in the study file. The range rules, the
// study file, the window's refresh, the hiding of results, the tab stops and
// the colours all read this table rather than ranges of indices.

#include "study/studyrecord.h"

#include <array>
#include <optional>

namespace talven {

enum class BoxGroup { Dimensions, WaterLevels, CreepRatio, VerticalPiles, HorizontalPiles };

struct BoxGroupInfo {
    BoxGroup group;
    int firstBox;       // numberBox index of the group's first box
    int count;
    int firstName;      // nameBox index naming the first row; -1: the rows have no names
    int firstFileLine;  // study-file line of the first box; -1: not written
    int longestText;    // the longest text a user may type; 0: no limit
    double minimum;     // the range a typed value keeps to
    double maximum;
    // The pile tab of the group; none for the first tab, whose values feed
    // both sections.
    std::optional<Section> section;

    constexpr int lastBox() const { return firstBox + count - 1; }
    constexpr bool contains(int box) const { return box >= firstBox && box <= lastBox(); }
};

// In box order: numberBox(0..2) the member dimensions, (3..4) WL1 and WL2,
// (5) the creep ratio, (6..12) and (13..19) the pile lengths.
inline constexpr std::array<BoxGroupInfo, 5> BoxGroups{{
    {.group = BoxGroup::Dimensions, .firstBox = 0, .count = 3, .firstName = 0, .firstFileLine = 19,
     .longestText = 6, .minimum = 0.0, .maximum = 99.99, .section = std::nullopt},
    {.group = BoxGroup::WaterLevels, .firstBox = 3, .count = 2, .firstName = 3, .firstFileLine = 22,
     .longestText = 7, .minimum = -999.99, .maximum = 999.99, .section = std::nullopt},
    // The ratio is checked only while the user may type it (Bligh's ranged class).
    {.group = BoxGroup::CreepRatio, .firstBox = 5, .count = 1, .firstName = -1, .firstFileLine = -1,
     .longestText = 0, .minimum = 5.0, .maximum = 9.0, .section = std::nullopt},
    {.group = BoxGroup::VerticalPiles, .firstBox = 6, .count = PileCount, .firstName = 5, .firstFileLine = 24,
     .longestText = 6, .minimum = 0.0, .maximum = 99.99, .section = Section::Vertical},
    {.group = BoxGroup::HorizontalPiles, .firstBox = 13, .count = PileCount, .firstName = 12,
     .firstFileLine = 31, .longestText = 6, .minimum = 0.0, .maximum = 99.99, .section = Section::Horizontal},
}};

constexpr const BoxGroupInfo &boxGroup(BoxGroup group)
{
    return BoxGroups[std::size_t(group)];
}

inline constexpr int NumberBoxCount = boxGroup(BoxGroup::HorizontalPiles).lastBox() + 1;
inline constexpr int OuterWaterLevelBox = boxGroup(BoxGroup::WaterLevels).firstBox;
inline constexpr int InnerWaterLevelBox = OuterWaterLevelBox + 1;
inline constexpr int CreepRatioBox = boxGroup(BoxGroup::CreepRatio).firstBox;
inline constexpr int FirstVerticalPileBox = boxGroup(BoxGroup::VerticalPiles).firstBox;
inline constexpr int FirstHorizontalPileBox = boxGroup(BoxGroup::HorizontalPiles).firstBox;
inline constexpr int FirstVerticalPileName = boxGroup(BoxGroup::VerticalPiles).firstName;
inline constexpr int FirstHorizontalPileName = boxGroup(BoxGroup::HorizontalPiles).firstName;

// The group numberBox(box) belongs to.
const BoxGroupInfo &groupOfBox(int box);

constexpr const BoxGroupInfo &pileGroup(Section section)
{
    return boxGroup(section == Section::Vertical ? BoxGroup::VerticalPiles : BoxGroup::HorizontalPiles);
}

// The length box and the name box of a section's pile row.
constexpr int pileBox(Section section, int row)
{
    return pileGroup(section).firstBox + row;
}
constexpr int pileNameBox(Section section, int row)
{
    return pileGroup(section).firstName + row;
}

// The name box of the row a number box stands in, or -1 (the creep ratio).
int nameBoxOfRow(int box);

// Whether a section's check reads the box: a first-tab value feeds both.
bool feedsSection(int box, Section section);

// The record field numberBox(box) stores into.
double &numberField(StudyRecord &record, int box);
double numberField(const StudyRecord &record, int box);

}  // namespace talven
