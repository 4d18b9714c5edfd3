#include "study/soilclasses.h"

#include <array>

namespace talven {

namespace {

// The list spells some classes with an ideographic space; the report does not.
constexpr std::array<SoilClass, 5> BlighClasses{{
    {u"微細砂", u"18", u"微細砂", u"18"},
    {u"細　砂", u"15", u"細砂", u"15"},
    {u"粗　砂", u"12", u"粗砂", u"12"},
    {u"砂混じり砂利", u"5", u"砂混じり砂利", u"5～9"},
    {u"砂利混じり玉石", u"4", u"砂利混じり玉石", u"4"},
}};

constexpr std::array<SoilClass, 11> LaneClasses{{
    {u"極めて細かい砂またはシルト", u"8.5", u"極めて細かい砂またはシルト", u"8.5"},
    {u"細　砂", u"7.0", u"細砂", u"7.0"},
    {u"中　砂", u"6.0", u"中砂", u"6.0"},
    {u"粗　砂", u"5.0", u"粗砂", u"5.0"},
    {u"細砂利", u"4.0", u"細砂利", u"4.0"},
    {u"中砂利", u"3.5", u"中砂利", u"3.5"},
    {u"栗石を含む粗砂利", u"3.0", u"栗石を含む粗砂利", u"3.0"},
    {u"栗石と礫を含む砂利", u"2.5", u"栗石と礫を含む砂利", u"2.5"},
    {u"軟らかい粘土", u"3.0", u"軟らかい粘土", u"3.0"},
    {u"中くらいの粘土", u"2.0", u"中くらいの粘土", u"2.0"},
    {u"堅い粘土", u"1.8", u"堅い粘土", u"1.8"},
}};

}  // namespace

std::span<const SoilClass> soilClasses(Formula formula)
{
    if (formula == Formula::Bligh)
        return BlighClasses;
    return LaneClasses;
}

bool isRangedClass(Formula formula, int listIndex)
{
    return formula == Formula::Bligh && listIndex == RangedBlighClass;
}

QString emptyRatioText(Formula formula)
{
    return formula == Formula::Bligh ? QStringLiteral("0") : QStringLiteral("0.0");
}

QString formulaName(Formula formula)
{
    return formula == Formula::Bligh ? QStringLiteral("ブライの式") : QStringLiteral("レインの式");
}

QString numeratorCaption(Formula formula)
{
    return formula == Formula::Bligh ? QStringLiteral("Ｌ + ΣL") : QStringLiteral("Ｌ / 3 +ΣL");
}

QString ratioCaption(Formula formula)
{
    return formula == Formula::Bligh ? QStringLiteral("クリープ比") : QStringLiteral("加重クリープ比");
}

QString reportTableHeaderClass()
{
    return QStringLiteral("区分   (◆は選択区分を示す)");
}

QString reportTableHeaderRatio()
{
    return QStringLiteral("Ｃ");
}

QString reportTableTitle(Formula formula)
{
    return ratioCaption(formula);
}

QString reportTableSource(Formula formula)
{
    return formula == Formula::Bligh ? QStringLiteral("樋門樋管の設計と考え方(P.143)")
                                     : QStringLiteral("柔構造樋門設計の手引き(P.189)");
}

}  // namespace talven
