#include "report/sectiondrawing.h"

#include "study/boxtable.h"
#include "study/numbers.h"

#include <QLineF>
#include <QRectF>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace talven {

namespace {

// The scales the section is drawn at, the largest first.
constexpr int Scales[] = {50, 100, 200, 250, 500};
// A vertical scale may be this many times the horizontal one, and is then stated.
constexpr int MostExaggeration = 5;

// The members along the axis from the river, as the first tab's figure has
// them: the 川表 wing wall (the second box), the body (the first), the 川裏
// wing wall (the third).
constexpr int MemberOrder[] = {1, 0, 2};

// The geometry's rows, from the block's top: under the heading, the sides'
// names and the flow.
constexpr double RoomTop = 4.0;
constexpr double RoomRows = 13.0;
const QString Dash = QStringLiteral("‐ ‐ ‐");

struct PlacedPile {
    int row = 0;
    double station = 0.0;  // metres from the 川表 end
    double length = 0.0;
    bool doubled = false;
};

// What the drawing has put down, in columns and rows, so that each text goes
// where it stays within the block, meets no other text and has no line
// through it.
class Clearance {
public:
    explicit Clearance(const QRectF &block) : block_(block) {}

    void addLine(QPointF from, QPointF to)
    {
        lines_.emplace_back(from, to);
        bottom_ = std::max({bottom_, from.y(), to.y()});
    }
    void addText(const QRectF &area)
    {
        texts_.push_back(area);
        bottom_ = std::max(bottom_, area.bottom());
    }
    bool isFree(const QRectF &area) const
    {
        const QRectF within = block_.adjusted(-Hair, -Hair, Hair, Hair);
        if (!within.contains(area.topLeft()) || !within.contains(area.bottomRight()))
            return false;
        if (std::any_of(texts_.begin(), texts_.end(), [&area](const QRectF &other) { return other.intersects(area); }))
            return false;
        return std::none_of(lines_.begin(), lines_.end(), [&area](const QLineF &line) { return crosses(line, area); });
    }
    // The lowest row anything reaches.
    double bottom() const { return bottom_; }

private:
    static constexpr double Hair = 1e-9;

    // Through more than the area's edge.
    static bool crosses(const QLineF &line, const QRectF &area)
    {
        const QRectF inner = area.adjusted(Hair, Hair, -Hair, -Hair);
        if (inner.contains(line.p1()) || inner.contains(line.p2()))
            return true;
        const QLineF edges[] = {{inner.topLeft(), inner.topRight()},
                                {inner.topRight(), inner.bottomRight()},
                                {inner.bottomRight(), inner.bottomLeft()},
                                {inner.bottomLeft(), inner.topLeft()}};
        return std::any_of(std::begin(edges), std::end(edges), [&line](const QLineF &edge) {
            return line.intersects(edge, nullptr) == QLineF::BoundedIntersection;
        });
    }

    QRectF block_;
    std::vector<QLineF> lines_;
    std::vector<QRectF> texts_;
    double bottom_ = 0.0;
};

QString memberLabel(const StudyRecord &record, int member)
{
    const QString name = trimmedName(record.memberName(member));
    return name.isEmpty() ? QStringLiteral("部材%1").arg(member + 1) : name;
}

// The smallest denominator among the standard scales at which `metres` fit
// into `millimetres`; 0 when none does.
int fittingScale(double metres, double millimetres)
{
    for (int scale : Scales) {
        if (metres * 1000.0 / scale <= millimetres)
            return scale;
    }
    return 0;
}

}  // namespace

void drawSectionDrawing(Page &page, double top, const Study &input, const StudyCheck &check)
{
    drawSheetLines(page, top, {{5, QStringLiteral("４．断面図（鉛直方向、函軸に沿って）"), BodySize, true}});
    const StudyRecord &record = input.record;
    const double length = check.structureLength;
    const CaseCheck &levels = check.governingCase();
    if (length <= 0.0) {
        drawSheetLines(page, top + 1.5, {{8, QStringLiteral("Ｌ が 0 のため、断面は描けません")}});
        return;
    }

    // The piles at their stations; where none is given they are spread evenly, and said so.
    std::vector<PlacedPile> piles;
    const PileLengths &lengths = pileLengths(record, Section::Vertical);
    const PileTicks ticks = input.ticks(Section::Vertical);
    for (int row = 0; row < PileCount; ++row) {
        if (hundredths(lengths[row]) > 0)
            piles.push_back({row, -1.0, double(hundredths(lengths[row])) / 100.0, ticks[row]});
    }
    int unplaced = 0;
    for (std::size_t i = 0; i < piles.size(); ++i) {
        const std::optional<double> &station = input.stations[std::size_t(piles[i].row)];
        piles[i].station = station ? std::clamp(*station, 0.0, length) : length * double(i + 1) / double(piles.size() + 1);
        unplaced += station ? 0 : 1;
    }
    std::stable_sort(piles.begin(), piles.end(), [](const PlacedPile &a, const PlacedPile &b) { return a.station < b.station; });
    double deepest = 0.0;
    for (const PlacedPile &pile : piles)
        deepest = std::max(deepest, pile.length);

    // Heights in metres above the box's bottom. The box's height is not part
    // of the study: a band of a fixed share of L. With the bottom level the
    // water levels stand at their elevations; without it the lower at the
    // box's top and the higher ⊿H above it.
    const double boxHeight = std::clamp(length / 8.0, 0.5, 2.0);
    double outerHeight = boxHeight + (levels.reversed ? 0.0 : levels.headDifference);
    double innerHeight = boxHeight + (levels.reversed ? levels.headDifference : 0.0);
    if (input.bottomLevel) {
        outerHeight = levels.outerLevel - *input.bottomLevel;
        innerHeight = levels.innerLevel - *input.bottomLevel;
    }
    const double highest = std::max({boxHeight, outerHeight, innerHeight});
    const double lowest = std::min({-deepest, outerHeight, innerHeight, 0.0});

    // Each end of the structure keeps room for its water level's label.
    page.font(SmallSize, false);
    const double textRows = page.rows(SmallSize);
    const QString outerLabel = QStringLiteral("▽WL1 ＝ %1").arg(levels.outerLevelText);
    const QString innerLabel = QStringLiteral("▽WL2 ＝ %1").arg(levels.innerLevelText);
    const QString bottomLabel = input.bottomLevel ? QStringLiteral("函底高 %1").arg(twoDecimals(*input.bottomLevel)) : QString();
    const double side = std::max({page.columns(outerLabel), page.columns(innerLabel), page.columns(bottomLabel)}) + 0.5;
    const double roomLeft = FrameLeft + 0.5 + side, roomRight = FrameRight - 0.5 - side;

    // The largest standard scale at which the section fits the room; down,
    // where its height leaves room, a larger one, at most MostExaggeration
    // times the other, and then stated.
    const double roomWidth = (roomRight - roomLeft) / page.columnsPerMillimetre();
    const double roomHeight = RoomRows / page.rowsPerMillimetre();
    const int wide = fittingScale(length, roomWidth), high = fittingScale(highest - lowest, roomHeight);
    const int across = wide > 0 && high > 0 ? std::max(wide, high) : 0;
    int down = across;
    for (int scale : Scales) {
        if (across > 0 && scale >= high && scale * MostExaggeration >= across) {
            down = scale;
            break;
        }
    }
    // Millimetres on paper per metre; a section too large for 1:500 is drawn smaller, and says so.
    const double perMetreX = across > 0 ? 1000.0 / across : std::min(roomWidth / length, roomHeight / (highest - lowest));
    const double perMetreY = across > 0 ? 1000.0 / down : perMetreX;
    const double left = roomLeft + (roomWidth - length * perMetreX) / 2 * page.columnsPerMillimetre();
    const double roomTop = top + RoomTop;
    auto x = [&](double metres) { return left + metres * perMetreX * page.columnsPerMillimetre(); };
    auto y = [&](double metres) { return roomTop + (highest - metres) * perMetreY * page.rowsPerMillimetre(); };

    // Every line goes through `line`, every text through `place`, which
    // sets it at the first of its places where it is clear of the rest.
    Clearance clearance(QRectF(QPointF(FrameLeft, top), QPointF(FrameRight, top + SectionDrawingHeight)));
    auto line = [&](double a1, double b1, double a2, double b2) {
        page.line(a1, b1, a2, b2);
        clearance.addLine({a1, b1}, {a2, b2});
    };
    auto dashed = [&](double a1, double b1, double a2, double b2) {
        page.dashedLine(a1, b1, a2, b2, 1.5);
        clearance.addLine({a1, b1}, {a2, b2});
    };
    auto place = [&](const QString &text, std::initializer_list<QPointF> places) {
        const double width = page.columns(text);
        for (QPointF at : places) {
            const QRectF area(at, QSizeF(width, textRows));
            if (clearance.isFree(area)) {
                page.text(at.x(), at.y(), text);
                clearance.addText(area);
                return true;
            }
        }
        return false;
    };
    // Labels with no clear place in the drawing are written under it.
    QStringList besides;

    // The river's side and the land's over the ends, and under them which
    // way the water seeps: from the higher level to the lower.
    const QString river = QStringLiteral("川表"), land = QStringLiteral("川裏");
    const QString flow = (levels.reversed ? QStringLiteral("← 浸透流") : QStringLiteral("浸透流 →"))
                         + QStringLiteral("（⊿Ｈ＝%1）").arg(levels.headDifferenceText);
    const double sideRow = top + 1.2;
    place(river, {{x(0) - 0.3 - page.columns(river), sideRow}});
    place(land, {{x(length) + 0.3, sideRow}});
    place(flow, {{(x(0) + x(length)) / 2 - page.columns(flow) / 2, sideRow + textRows + 0.1}});

    // The box and its members from the river, each numbered in its band,
    // or over it where the band is too thin.
    page.thickPen();
    page.box(x(0), y(boxHeight), x(length) - x(0), y(0) - y(boxHeight));
    page.thinPen();
    for (const auto &[from, to] : {std::pair{QPointF(x(0), y(boxHeight)), QPointF(x(length), y(boxHeight))},
                                   {QPointF(x(length), y(boxHeight)), QPointF(x(length), y(0))},
                                   {QPointF(x(length), y(0)), QPointF(x(0), y(0))},
                                   {QPointF(x(0), y(0)), QPointF(x(0), y(boxHeight))}})
        clearance.addLine(from, to);
    const QString numbers[] = {QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③")};
    QStringList legend;
    std::vector<double> boundaries{0.0};
    for (int position = 0; position < MemberCount; ++position) {
        const int member = MemberOrder[position];
        const double from = boundaries.back(), to = from + double(hundredths(record.dimension(member))) / 100.0;
        if (position > 0)
            line(x(from), y(boxHeight), x(from), y(0));
        boundaries.push_back(to);
        legend << numbers[position] + memberLabel(record, member) + u' ' + twoDecimals(record.dimension(member))
                      + QStringLiteral(" m");
    }
    for (std::size_t position = 0; position < std::size(numbers); ++position) {
        const double from = x(boundaries[position]), to = x(boundaries[position + 1]);
        const double width = page.columns(numbers[position]);
        // A member too short for its number leaves it to the legend.
        if (width <= to - from - 0.1)
            place(numbers[position], {{(from + to - width) / 2, (y(boxHeight) + y(0) - textRows) / 2},
                                    {(from + to - width) / 2, y(boxHeight) - textRows - 0.05}});
    }

    // The water levels at the ends they stand against: WL1 on the river's
    // side, WL2 on the land's, each named over its line or under it.
    const double outer = y(outerHeight), inner = y(innerHeight);
    const double outerLeft = x(0) - 0.3 - page.columns(outerLabel), innerLeft = x(length) + 0.3;
    line(outerLeft, outer, x(0), outer);
    line(x(length), inner, innerLeft + page.columns(innerLabel), inner);

    // The piles, and the creep path dashed along the box's bottom and down
    // and up each pile, 1.2 mm beside it.
    const double offset = 1.2 * page.columnsPerMillimetre();
    const double under = 1.2 * page.rowsPerMillimetre();
    double pathX = x(0);
    const double pathY = y(0) + under;
    for (const PlacedPile &pile : piles) {
        const double at = x(pile.station), tip = y(-pile.length);
        page.thickPen();
        line(at, y(0), at, tip);
        page.thinPen();
        dashed(pathX, pathY, at - offset, pathY);
        dashed(at - offset, pathY, at - offset, tip + under);
        if (pile.doubled) {
            dashed(at - offset, tip + under, at + offset, tip + under);
            dashed(at + offset, tip + under, at + offset, pathY);
            pathX = at + offset;
        } else {
            dashed(at - offset, tip + under, at - offset, pathY);
            pathX = at - offset;
        }
    }
    dashed(pathX, pathY, x(length), pathY);

    if (!place(outerLabel, {{outerLeft, outer - textRows - 0.05}, {outerLeft, outer + 0.05}}))
        besides << outerLabel;
    if (!place(innerLabel, {{innerLeft, inner - textRows - 0.05}, {innerLeft, inner + 0.05}}))
        besides << innerLabel;
    // The bottom level beside the box's bottom, on whichever end has room.
    if (input.bottomLevel) {
        const double bottomLeft = x(0) - 0.3 - page.columns(bottomLabel);
        if (!place(bottomLabel, {{bottomLeft, y(0) - textRows / 2}, {innerLeft, y(0) - textRows / 2},
                                 {bottomLeft, y(0) + 0.05}, {innerLeft, y(0) + 0.05}}))
            besides << bottomLabel;
    }

    // Under the piles' labels: the dimension lines, the notes (the members,
    // the scale, what is drawn schematically) and the scale bar.
    QString scale = across == 0      ? QStringLiteral("縮尺 1:500 に収まらないため縮めて描いています")
                    : down == across ? QStringLiteral("縮尺 1:%1").arg(across)
                                     : QStringLiteral("縮尺 横 1:%1、縦 1:%2（縦横比 不同）").arg(across).arg(down);
    scale += QStringLiteral("　　") + Dash + QStringLiteral(" 浸透経路（クリープ経路）");
    auto notesOf = [&](const QString &drawn) {
        return std::vector<SheetLine>{{8, legend.join(QStringLiteral("　")), SmallSize, false, 1, -0.1},
                                      {8, scale, SmallSize, false, 1, -0.1},
                                      {8, drawn, SmallSize, false, 2}};
    };
    const bool stationsGiven = unplaced < int(piles.size());
    const double dimensionRows = textRows + 0.5;
    const double barRows = 0.3 + textRows;
    double notesRows = 0.0;
    for (const SheetLine &note : notesOf(QString()))
        notesRows += note.advance();
    const double labelsBottom = top + SectionDrawingHeight - barRows - notesRows - 0.5
                                - (stationsGiven ? 2 : 1) * dimensionRows - 0.3;

    // Each pile's label under everything drawn, centred on its pile, a row
    // lower where it would meet its neighbour's; where the rows run out, the
    // label goes to the notes.
    const double labelTop = clearance.bottom() + 0.3;
    for (const PlacedPile &pile : piles) {
        const PilePart &part = check.section(Section::Vertical).piles[std::size_t(pile.row)];
        QString label = verticalRowName(record, pile.row) + u' ' + part.lengthText
                        + (part.doubled ? QStringLiteral("（×2）") : QString());
        if (input.bottomLevel)
            label += QStringLiteral(" 先端 %1").arg(twoDecimals(*input.bottomLevel - pile.length));
        if (const HeadPoint *tip = check.residualHead ? check.residualHead->tip(pile.row) : nullptr)
            label += QStringLiteral(" h＝") + hundredthsText(tip->head);
        const double width = page.columns(label);
        const double from = std::clamp(x(pile.station) - width / 2, FrameLeft + 0.5, FrameRight - width);
        bool placed = false;
        for (double row = labelTop; row + textRows <= labelsBottom && !placed; row += textRows + 0.1)
            placed = place(label, {{from, row}});
        if (!placed)
            besides << label;
    }

    // Dimension lines under the labels, each captioned at its left: the
    // stations, where given, then the members.
    double dimensionRow = clearance.bottom() + 0.3;
    auto dimensionLine = [&](const QString &caption, const std::vector<double> &marks) {
        dimensionRow += dimensionRows - 0.4;
        line(x(marks.front()), dimensionRow, x(marks.back()), dimensionRow);
        for (double mark : marks)
            line(x(mark), dimensionRow - 0.3, x(mark), dimensionRow + 0.3);
        place(caption, {{x(marks.front()) - page.columns(caption) - 0.4, dimensionRow - textRows / 2}});
        for (std::size_t i = 0; i + 1 < marks.size(); ++i) {
            const QString span = twoDecimals(marks[i + 1] - marks[i]);
            // A span too narrow for its figure leaves it to the tables.
            if (page.columns(span) + 0.2 <= x(marks[i + 1]) - x(marks[i]))
                place(span, {{(x(marks[i]) + x(marks[i + 1]) - page.columns(span)) / 2, dimensionRow - textRows - 0.05}});
        }
        dimensionRow += 0.4;
    };
    if (stationsGiven) {
        std::vector<double> marks{0.0};
        for (const PlacedPile &pile : piles) {
            if (input.stations[std::size_t(pile.row)])
                marks.push_back(pile.station);
        }
        marks.push_back(length);
        dimensionLine(QStringLiteral("位置"), marks);
    }
    dimensionLine(QStringLiteral("部材"), boundaries);

    const double notes = clearance.bottom() + 0.5;
    QStringList drawn;
    if (!besides.isEmpty())
        drawn << QStringLiteral("図中に書き切れない注記：") + besides.join(QStringLiteral("、"));
    if (unplaced == int(piles.size()) && !piles.empty())
        drawn << QStringLiteral("矢板の位置は入力にないため、函軸に沿って等間隔に描いています");
    else if (unplaced > 0)
        drawn << QStringLiteral("位置の入力がない矢板は、等間隔の位置に描いています");
    if (check.residualHead)
        drawn << QStringLiteral("h：矢板先端の残留水頭（参考）");
    drawn << QStringLiteral("函体の高さは模式的です");
    if (!input.bottomLevel)
        drawn << QStringLiteral("函底高の入力がないため、低い方の水位を函体の上端に描いています");
    drawSheetLines(page, notes, notesOf(drawn.join(QStringLiteral("。"))));

    // A bar of a round length about a quarter of the structure's: 1, 2 or 5
    // times a power of ten; half a metre for the shortest structures.
    double bar = 0.5;
    for (double decade = 1; decade <= length; decade *= 10) {
        for (double round : {1.0, 2.0, 5.0}) {
            if (round * decade <= length / 4)
                bar = round * decade;
        }
    }
    page.font(SmallSize, false);
    const double barRow = notes + notesRows + barRows - textRows / 2;
    const double barRight = x(0) + bar * perMetreX * page.columnsPerMillimetre();
    line(x(0), barRow, barRight, barRow);
    for (double at : {x(0), barRight})
        line(at, barRow - 0.3, at, barRow);
    const QString zero = QStringLiteral("0");
    place(zero, {{x(0) - page.columns(zero) - 0.3, barRow - textRows / 2}});
    place(QStringLiteral("%1 m").arg(generalNumber(bar)), {{barRight + 0.3, barRow - textRows / 2}});
}

}  // namespace talven
