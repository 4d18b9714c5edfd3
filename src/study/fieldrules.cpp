#include "study/fieldrules.h"

#include "study/numbers.h"
#include "study/studyrecord.h"

#include <cmath>

namespace talven {

namespace {

const QString OutOfRangeCaption = QStringLiteral("タルヴェン・数値が範囲を超えています");

Message lengthRangeMessage()
{
    return {QStringLiteral("数値は0から99.99の範囲で入力してください"), MessageIcon::Exclamation, OutOfRangeCaption};
}

Message levelRangeMessage()
{
    return {QStringLiteral("数値は-999.99から999.99の範囲で入力してください"), MessageIcon::Exclamation, OutOfRangeCaption};
}

Message ratioRangeMessage()
{
    return {QStringLiteral("数値は５から９の範囲で入力してください"), MessageIcon::Exclamation,
            QStringLiteral("タルヴェン・範囲外の数値です")};
}

bool isWaterLevel(int index)
{
    return index == OuterWaterLevelBox || index == InnerWaterLevelBox;
}

}  // namespace

FieldCheck checkNumberBox(int index, const QString &text, bool ratioEditable)
{
    FieldCheck check;
    if (text.isEmpty())
        return check;  // an emptied box stores 0, without a message
    const double v = leadingNumber(text);
    if (isWaterLevel(index)) {
        if (std::fabs(v) > 999.99)
            return {false, 0.0, levelRangeMessage(), QString()};
    } else if (index == CreepRatioBox) {
        if (ratioEditable && (v > 9.0 || v < 5.0))
            return {false, 5.0, ratioRangeMessage(), QStringLiteral("5")};
    } else if (v < 0.0 || v > 99.99) {
        return {false, 0.0, lengthRangeMessage(), QString()};
    }
    check.value = v;
    return check;
}

bool numberBoxAccepts(int index, QChar character)
{
    if (character.unicode() >= u'0' && character.unicode() <= u'9')
        return true;
    if (character == u'.')
        return true;
    return character == u'-' && isWaterLevel(index);
}

int numberBoxMaxLength(int index)
{
    if (isWaterLevel(index))
        return 7;
    if (index == CreepRatioBox)
        return 0;
    return 6;
}

int nextNumberBox(int index)
{
    switch (index) {
    case InnerWaterLevelBox:
        return 0;
    case CreepRatioBox:
        return -1;
    case FirstVerticalPileBox + PileCount - 1:
        return FirstVerticalPileBox;
    case FirstHorizontalPileBox + PileCount - 1:
        return FirstHorizontalPileBox;
    default:
        return index + 1;
    }
}

int nextNameBox(int index)
{
    switch (index) {
    case 4:
        return 0;
    case FirstVerticalPileName + PileCount - 1:
        return FirstVerticalPileName;
    case FirstHorizontalPileName + PileCount - 1:
        return FirstHorizontalPileName;
    default:
        return index + 1;
    }
}

Message rangedClassMessage()
{
    return {QStringLiteral("砂混じり砂利の場合、\r\nＣの値は５～９の間を選んでください"), MessageIcon::Information,
            QStringLiteral("タルヴェン・数値に幅があります")};
}

}  // namespace talven
