#pragma once

#include <QString>

#include <array>

namespace talven {

inline constexpr int NameCount = 19;
inline constexpr int BaseValueCount = 5;
inline constexpr int PileCount = 7;
inline constexpr int DoubleFlagCount = 2 * PileCount;
inline constexpr int NumberBoxCount = 20;  // numberBox(0..19)

// numberBox indices of the number boxes.
inline constexpr int OuterWaterLevelBox = 3;
inline constexpr int InnerWaterLevelBox = 4;
inline constexpr int CreepRatioBox = 5;
inline constexpr int FirstVerticalPileBox = 6;
inline constexpr int FirstHorizontalPileBox = 13;

// names index of the first vertical and first horizontal pile's place name.
inline constexpr int FirstVerticalPileName = 5;
inline constexpr int FirstHorizontalPileName = 12;

// The one study of the program. The formula, the soil class, the creep-ratio
// text and the x2 ticks live in the main window's controls.
struct StudyRecord {
    bool saved = true;
    std::array<QString, NameCount> names;
    std::array<double, BaseValueCount> baseValues{};  // three member dimensions, WL1, WL2 (m)
    double creepRatio = 0.0;
    double methodCode = 0.0;
    std::array<double, PileCount> verticalLengths{};
    std::array<double, PileCount> horizontalLengths{};
    std::array<int, DoubleFlagCount> doubleFlags{};  // 1: counted twice; 0..6 vertical, 7..13 horizontal

    bool operator==(const StudyRecord &) const = default;
};

// The field that number box numberBox(box) stores into.
inline double &numberField(StudyRecord &record, int box)
{
    if (box < CreepRatioBox)
        return record.baseValues[box];
    if (box == CreepRatioBox)
        return record.creepRatio;
    if (box < FirstHorizontalPileBox)
        return record.verticalLengths[box - FirstVerticalPileBox];
    return record.horizontalLengths[box - FirstHorizontalPileBox];
}

// A name as it is stored, saved and printed: without leading and trailing
// blanks, half-width or ideographic.
inline QString trimmedName(const QString &name)
{
    return name.trimmed();
}

// The program's one study, created on first use and kept until exit.
inline StudyRecord &currentStudy()
{
    static StudyRecord record;
    return record;
}

}  // namespace talven
