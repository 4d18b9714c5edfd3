#pragma once

#include <QString>

#include <array>

namespace talven {

inline constexpr int NameCount = 19;
inline constexpr int BaseValueCount = 5;
inline constexpr int PileCount = 7;
inline constexpr int DoubleFlagCount = 2 * PileCount;
inline constexpr int NumberBoxCount = 20;  // Text1(0..19)

// Text1 indices of the number boxes.
inline constexpr int WaterLevel1Box = 3;
inline constexpr int WaterLevel2Box = 4;
inline constexpr int CreepRatioBox = 5;
inline constexpr int FirstVerticalBox = 6;
inline constexpr int FirstHorizontalBox = 13;

// Names index of the first vertical and first horizontal pile's place name.
inline constexpr int FirstVerticalName = 5;
inline constexpr int FirstHorizontalName = 12;

// The one study of the program. The formula, the soil class, the creep-ratio
// text and the x2 ticks live in the main window's controls.
struct StudyRecord {
    bool Saved = true;
    std::array<QString, NameCount> Names;
    std::array<double, BaseValueCount> BaseValues{};  // three member dimensions, WL1, WL2 (m)
    double CreepRatio = 0.0;
    double MethodCode = 0.0;
    std::array<double, PileCount> VerticalLengths{};
    std::array<double, PileCount> HorizontalLengths{};
    std::array<int, DoubleFlagCount> DoubleFlags{};  // 1: counted twice; 0..6 vertical, 7..13 horizontal

    bool operator==(const StudyRecord &) const = default;
};

// The field that number box Text1(box) stores into.
inline double &NumberField(StudyRecord &record, int box)
{
    if (box < CreepRatioBox)
        return record.BaseValues[box];
    if (box == CreepRatioBox)
        return record.CreepRatio;
    if (box < FirstHorizontalBox)
        return record.VerticalLengths[box - FirstVerticalBox];
    return record.HorizontalLengths[box - FirstHorizontalBox];
}

// A name as it is stored, saved and printed: without leading and trailing
// blanks, half-width or ideographic.
inline QString TrimmedName(const QString &name)
{
    return name.trimmed();
}

// The program's one study, created on first use and kept until exit.
inline StudyRecord &Study()
{
    static StudyRecord record;
    return record;
}

}  // namespace talven
