#include "study/fieldrules.h"

#include "study/numbers.h"
#include "study/studyrecord.h"

#include <cmath>

namespace talven {

namespace {

const QString OutOfRangeCaption = QStringLiteral("タルヴェン・数値が範囲を超えています");

Message MessageA()
{
    return {QStringLiteral("数値は0から99.99の範囲で入力してください"), 48, OutOfRangeCaption};
}

Message MessageB()
{
    return {QStringLiteral("数値は-999.99から999.99の範囲で入力してください"), 48, OutOfRangeCaption};
}

Message MessageC()
{
    return {QStringLiteral("数値は５から９の範囲で入力してください"), 48,
            QStringLiteral("タルヴェン・範囲外の数値です")};
}

bool IsWaterLevel(int index)
{
    return index == WaterLevel1Box || index == WaterLevel2Box;
}

}  // namespace

FieldCheck CheckNumberBox(int index, const QString &text, bool ratioEditable)
{
    FieldCheck check;
    if (text.isEmpty())
        return check;  // an emptied box stores 0, without a message
    const double v = LeadingNumber(text);
    if (IsWaterLevel(index)) {
        if (std::fabs(v) > 999.99)
            return {false, 0.0, MessageB(), QString()};
    } else if (index == CreepRatioBox) {
        if (ratioEditable && (v > 9.0 || v < 5.0))
            return {false, 5.0, MessageC(), QStringLiteral("5")};
    } else if (v < 0.0 || v > 99.99) {
        return {false, 0.0, MessageA(), QString()};
    }
    check.value = v;
    return check;
}

bool NumberBoxAccepts(int index, QChar character)
{
    if (character.unicode() >= u'0' && character.unicode() <= u'9')
        return true;
    if (character == u'.')
        return true;
    return character == u'-' && IsWaterLevel(index);
}

int NumberBoxMaxLength(int index)
{
    if (IsWaterLevel(index))
        return 7;
    if (index == CreepRatioBox)
        return 0;
    return 6;
}

int NextNumberBox(int index)
{
    switch (index) {
    case WaterLevel2Box:
        return 0;
    case CreepRatioBox:
        return -1;
    case FirstVerticalBox + PileCount - 1:
        return FirstVerticalBox;
    case FirstHorizontalBox + PileCount - 1:
        return FirstHorizontalBox;
    default:
        return index + 1;
    }
}

int NextNameBox(int index)
{
    switch (index) {
    case 4:
        return 0;
    case FirstVerticalName + PileCount - 1:
        return FirstVerticalName;
    case FirstHorizontalName + PileCount - 1:
        return FirstHorizontalName;
    default:
        return index + 1;
    }
}

Message RangedClassMessage()
{
    return {QStringLiteral("砂混じり砂利の場合、\r\nＣの値は５～９の間を選んでください"), 64,
            QStringLiteral("タルヴェン・数値に幅があります")};
}

}  // namespace talven
