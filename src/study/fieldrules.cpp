#include "study/fieldrules.h"

#include "study/boxtable.h"
#include "study/numbers.h"

#include <algorithm>

namespace talven {

namespace {

const QString OutOfRangeCaption = QStringLiteral("タルヴェン・数値が範囲を超えています");

Message ratioRangeMessage()
{
    return {QStringLiteral("数値は５から９の範囲で入力してください"), MessageIcon::Exclamation,
            QStringLiteral("タルヴェン・範囲外の数値です")};
}

// Enter goes round the rows with names on one tab (the first tab's ratio box
// has none). `first` picks the box or name index of a group.
template <typename FirstOf>
int nextInCycle(const BoxGroupInfo &own, int index, FirstOf first)
{
    int from = index, to = index;
    for (const BoxGroupInfo &group : BoxGroups) {
        if (group.section == own.section && group.firstName >= 0) {
            from = std::min(from, first(group));
            to = std::max(to, first(group) + group.count - 1);
        }
    }
    return index == to ? from : index + 1;
}

}  // namespace

Message lengthRangeMessage()
{
    return {QStringLiteral("数値は0から99.99の範囲で入力してください"), MessageIcon::Exclamation, OutOfRangeCaption};
}

Message levelRangeMessage()
{
    return {QStringLiteral("数値は-999.99から999.99の範囲で入力してください"), MessageIcon::Exclamation, OutOfRangeCaption};
}

FieldCheck checkNumberBox(int index, const QString &text, bool ratioEditable)
{
    FieldCheck check;
    if (text.isEmpty())
        return check;  // an emptied box stores 0, without a message
    const BoxGroupInfo &group = groupOfBox(index);
    const double v = leadingNumber(text);
    const bool checked = group.group != BoxGroup::CreepRatio || ratioEditable;
    if (checked && (v < group.minimum || v > group.maximum)) {
        switch (group.group) {
        case BoxGroup::WaterLevels:
            return {false, 0.0, levelRangeMessage(), QString()};
        case BoxGroup::CreepRatio:
            return {false, group.minimum, ratioRangeMessage(), QStringLiteral("5")};
        default:
            return {false, 0.0, lengthRangeMessage(), QString()};
        }
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
    return character == u'-' && groupOfBox(index).minimum < 0.0;
}

QString numberTextBroughtIn(const QString &text)
{
    QString kept;
    for (QChar character : text.normalized(QString::NormalizationForm_KC)) {
        if (character == QChar(0x2212))  // MINUS SIGN
            character = u'-';
        if ((character >= u'0' && character <= u'9') || character == u'.' || character == u'-')
            kept += character;
    }
    return kept;
}

int numberBoxMaxLength(int index)
{
    return groupOfBox(index).longestText;
}

int nextNumberBox(int index)
{
    const BoxGroupInfo &group = groupOfBox(index);
    if (group.firstName < 0)
        return -1;
    return nextInCycle(group, index, [](const BoxGroupInfo &g) { return g.firstBox; });
}

int nextNameBox(int index)
{
    const auto named = std::find_if(BoxGroups.begin(), BoxGroups.end(), [index](const BoxGroupInfo &group) {
        return group.firstName >= 0 && index >= group.firstName && index < group.firstName + group.count;
    });
    Q_ASSERT(named != BoxGroups.end());
    return nextInCycle(*named, index, [](const BoxGroupInfo &g) { return g.firstName; });
}

Message rangedClassMessage()
{
    return {QStringLiteral("砂混じり砂利の場合、\r\nＣの値は５～９の間を選んでください"), MessageIcon::Information,
            QStringLiteral("タルヴェン・数値に幅があります")};
}

Message headNotAboveZeroMessage()
{
    return {QStringLiteral("水位差が０以下の場合は計算できません"), MessageIcon::Stop,
            QStringLiteral("タルヴェン・データに不備があります")};
}

}  // namespace talven
