#pragma once

#include <QString>

#include <array>

namespace talven {

inline constexpr int NameCount = 19;
inline constexpr int BaseValueCount = 5;
// Where the first tab's values stand in baseValues and names: the three
// member dimensions, then WL1 (the outer water level) and WL2 (the inner).
inline constexpr int MemberCount = 3;
inline constexpr int OuterWaterLevelIndex = 3;
inline constexpr int InnerWaterLevelIndex = 4;
inline constexpr int PileCount = 7;
inline constexpr int DoubleFlagCount = 2 * PileCount;

// The two checks of a study: across the vertical and the horizontal section.
enum class Section { Vertical, Horizontal };
inline constexpr std::array<Section, 2> Sections{Section::Vertical, Section::Horizontal};

// "鉛直方向" or "水平方向".
inline QString sectionName(Section section)
{
    return section == Section::Vertical ? QStringLiteral("鉛直方向") : QStringLiteral("水平方向");
}

using PileLengths = std::array<double, PileCount>;
using PileTicks = std::array<bool, PileCount>;

// The numbers and names a study stores, and the x2 ticks. The formula, the
// soil class and the boxes' texts complete it into a Study (study.h); a
// saved file keeps formula, class and ratio in methodCode.
struct StudyRecord {
    std::array<QString, NameCount> names;
    std::array<double, BaseValueCount> baseValues{};  // three member dimensions, WL1, WL2 (m)
    double creepRatio = 0.0;
    double methodCode = 0.0;
    PileLengths verticalLengths{};
    PileLengths horizontalLengths{};
    std::array<int, DoubleFlagCount> doubleFlags{};  // 1: counted twice; vertical rows first, then horizontal

    double dimension(int member) const { return baseValues[member]; }
    double outerWaterLevel() const { return baseValues[OuterWaterLevelIndex]; }
    double innerWaterLevel() const { return baseValues[InnerWaterLevelIndex]; }
    const QString &memberName(int member) const { return names[member]; }
    const QString &outerWaterLevelName() const { return names[OuterWaterLevelIndex]; }
    const QString &innerWaterLevelName() const { return names[InnerWaterLevelIndex]; }

    bool operator==(const StudyRecord &) const = default;
};

// The stored pile lengths of one section.
inline const PileLengths &pileLengths(const StudyRecord &record, Section section)
{
    return section == Section::Vertical ? record.verticalLengths : record.horizontalLengths;
}

// The doubleFlags entry of a section's pile row.
inline constexpr int doubleFlagIndex(Section section, int row)
{
    return section == Section::Vertical ? row : PileCount + row;
}

// A name as it is stored, saved and printed: without leading and trailing
// blanks, half-width or ideographic.
inline QString trimmedName(const QString &name)
{
    return name.trimmed();
}

}  // namespace talven
