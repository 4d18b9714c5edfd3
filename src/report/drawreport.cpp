#include "report/drawreport.h"

#include "study/boxtable.h"
#include "study/numbers.h"

#include <algorithm>
#include <array>

namespace talven {

namespace {

// Where the blocks of page 1 stand: each block's rows are counted from its
// anchor row.
constexpr double TitleRow = 2;
constexpr double MethodRow = 4;        // １．検討方法および諸数値, the formula and its legend
constexpr double CreepTableTop = 5;    // the creep-ratio table, right of the formula
constexpr double DimensionsRow = 24;   // ２．形状寸法および水位差
constexpr double SectionRows[] = {37, 53};  // ３．鉛直方向の計算, ４．水平方向の計算, by Section

constexpr double CreepTableLeft = 33;
constexpr double CreepTableRight = 51.5;

const QString ReportTitle = QStringLiteral("遮水矢板の設計");

void drawTitleAndFormula(Page &page, Formula formula)
{
    page.font(TitleSize, true);
    page.text(4, TitleRow, ReportTitle);

    const double top = MethodRow;
    page.font(BodySize, true);
    page.text(5, top, QStringLiteral("１．検討方法および諸数値"));
    page.text(6, top + 2.5, QStringLiteral("○計算式"));

    // Ｃ≦ (Ｌ ＋ ΣL) / ⊿Ｈ; under Lane the Ｌ is itself a small fraction over 3.
    page.font(TitleSize, false);
    page.text(9, top + 5.5, QStringLiteral("Ｃ≦"));
    page.lineStep(12, top + 6.1, 6.5, 0);
    if (formula == Formula::Lane) {
        page.lineStep(12.4, top + 4.9, 2, 0);
        page.font(BodySize, false);
        page.text(12.9, top + 4.9, QStringLiteral("3"));
        page.font(BodySize, true);
        page.text(12.8, top + 3.9, QStringLiteral("Ｌ"));
    } else {
        page.font(TitleSize, true);
        page.text(13.4, top + 4.4, QStringLiteral("Ｌ"));
    }
    page.font(TitleSize, false);
    page.text(14.5, top + 4.4, QStringLiteral("＋"));
    page.text(15.7, top + 4.4, QStringLiteral("ΣL"));
    page.text(13.5, top + 6.25, QStringLiteral("⊿Ｈ"));

    // The legend: one symbol a line.
    page.font(SmallSize, false);
    page.text(10, top + 10.9, QStringLiteral(" Ｃ"));
    page.font(SmallSize, true);
    page.text(10, top + 12.4, QStringLiteral(" Ｌ"));
    page.font(SmallSize, false);
    page.text(10, top + 13.9, QStringLiteral(" ΣL"));
    page.text(10, top + 15.4, QStringLiteral("⊿Ｈ"));
    page.text(12.5, top + 10.9, QStringLiteral("：") + ratioCaption(formula));
    page.text(12.5, top + 12.4, QStringLiteral("：本体および翼壁の函軸方向の浸透路長(m)"));
    page.text(12.5, top + 15.4, QStringLiteral("：内外水位差(m)"));
    page.text(12.5, top + 13.9, QStringLiteral("：遮水矢板等の浸透経路長(m)"));
}

// The formula's creep-ratio table; list index k is table row k + 1, so no
// selection puts the mark on the header row.
void drawCreepRatioTable(Page &page, Formula formula, int listIndex)
{
    const auto classes = soilClasses(formula);
    constexpr double ClassColumn = CreepTableLeft + 1.5;
    constexpr double ValueEdge = 48;
    RuledTable table{CreepTableTop, {CreepTableLeft, ValueEdge, CreepTableRight}, {}, ColumnRules::Thick};
    table.rows.push_back({{reportTableHeaderClass(), ClassColumn}, {reportTableHeaderRatio(), ValueEdge + 1}});
    for (const SoilClass &soil : classes)
        table.rows.push_back({{QString::fromUtf16(soil.reportText), ClassColumn},
                              {QString::fromUtf16(soil.reportRatio), ValueEdge + 1}});

    table.drawFrame(page);
    page.font(SmallSize, true);
    page.text(CreepTableLeft, CreepTableTop - 1.5, reportTableTitle(formula));
    table.drawCells(page);
    page.text(ClassColumn, table.textRow(table.rows.size()), reportTableSource(formula));
    page.text(CreepTableLeft + 0.5, table.textRow(std::size_t(listIndex + 1)), QStringLiteral("◆"));
}

// A row of the dimension and pile tables: a label at its column and a value
// on its decimal point at the table's anchor. A row without a label whose
// value is 0.00 stays blank: an unnamed member or pile of 0 leaves its line
// empty.
std::vector<TableCell> labelledRow(const QString &label, double column, const QString &value, double anchor)
{
    const bool blank = label.isEmpty() && value == QStringLiteral("0.00");
    return {{label, column}, {blank ? QString() : value, anchor, true}};
}

// The dimension and pile tables: a header spanning both columns, the
// labels, and the total.
constexpr double LabelEdge = 6, ValueEdge = 17, RightEdge = 22.5;

void drawDimensions(Page &page, const Study &input, const StudyCheck &check)
{
    const StudyRecord &record = input.record;
    // The water levels are the governing case's; with several cases the
    // heading names it, and the frame's level names are case 1's alone.
    const CaseCheck &levels = check.governingCase();
    const bool ownLevels = check.governing == 0;
    const double top = DimensionsRow;

    page.font(BodySize, true);
    page.text(5, top, QStringLiteral("２．形状寸法および水位差"));
    page.text(6, top + 2.5, QStringLiteral("○形状寸法"));

    constexpr double Anchor = 20;
    RuledTable table{top + 4, {LabelEdge, ValueEdge, RightEdge}, {}, ColumnRules::BelowHeader};
    table.rows.push_back(labelledRow(QStringLiteral("各構造部寸法 (m)"), 7, QString(), Anchor));
    for (int m = 0; m < MemberCount; ++m)
        table.rows.push_back(labelledRow(trimmedName(record.memberName(m)), 8, twoDecimals(record.dimension(m)), Anchor));
    table.rows.push_back(labelledRow(QStringLiteral("計"), 12, check.structureLengthText, Anchor));
    table.draw(page);

    const double levelsTop = top + 4.5;
    page.font(BodySize, false);
    page.measureDot();
    page.font(BodySize, true);
    const QString levelHeading = QStringLiteral("○内外水位差");
    const QString reversed = levels.reversed ? QStringLiteral("・逆水位") : QString();
    page.text(26, top + 2.5,
              check.cases.size() > 1
                  ? page.fitted(levelHeading + QStringLiteral("（◎") + levels.shownName(check.governing) + reversed + u'）', 25.5)
                  : levelHeading);
    page.font(BodySize, false);
    page.text(28, levelsTop, ownLevels ? record.outerWaterLevelName() : QStringLiteral("外水位"));
    page.text(40, levelsTop, QStringLiteral("WL1  = "));
    page.aligned(45, levelsTop, levels.outerLevelText);
    page.text(47, levelsTop, QStringLiteral("(m)"));
    page.text(28, levelsTop + 1.5, ownLevels ? record.innerWaterLevelName() : QStringLiteral("内水位"));
    page.text(40, levelsTop + 1.5, QStringLiteral("WL2  = "));
    page.aligned(45, levelsTop + 1.5, levels.innerLevelText);
    page.text(47, levelsTop + 1.5, QStringLiteral("(m)"));

    // ΔH from the higher level: WL2 - WL1 where the inner level is the higher.
    const double head = top + 8.5;
    page.text(28, head, QStringLiteral("⊿Ｈ"));
    page.text(30, head, QStringLiteral("="));
    page.text(31, head, levels.reversed ? QStringLiteral("WL2") : QStringLiteral("WL1"));
    page.text(32.75, head, QStringLiteral("-"));
    page.text(33.5, head, levels.reversed ? QStringLiteral("WL1") : QStringLiteral("WL2"));
    page.line(28, head - 0.5, 48.5, head - 0.5);
    page.text(35.5, head, QStringLiteral("= ") + levels.higherLevelText() + QStringLiteral(" - ") + levels.lowerLevelText());
    page.text(42.5, head + 1, QStringLiteral("="));
    page.aligned(45, head + 1, levels.headDifferenceText);
    page.text(47, head + 1, QStringLiteral("(m)"));
}

// What differs between the two sections' blocks, apart from their anchor row.
struct SectionLayout {
    QString lengthLabel;
    QString sigmaLabel;
    double anchor;   // decimal point of the L and ΣL values
    double headRow;  // ΔH under the fraction bar, from the bar
};

SectionLayout layoutOf(Section section)
{
    if (section == Section::Vertical)
        return {QStringLiteral("・形状寸法 （Ｌ）="), QStringLiteral("・矢板長   (ΣL) ="), 38, 0.5};
    return {QStringLiteral("・形状寸法（Ｌ）="), QStringLiteral("・矢板長　(ΣL) ="), 37, 0.25};
}

// The rows of a section's block, from its heading.
constexpr double BarRow = 10.5;      // B, the fraction bar
constexpr double VerdictRow = 13;

double sectionRow(Section section)
{
    return SectionRows[std::size_t(section)];
}

// Header, the seven piles and the total. A ticked pile shows its part of ΣL,
// twice its length, and a "*" after its name, unless that part is still 0.
RuledTable pileTable(const Study &input, const SectionCheck &check, double top)
{
    constexpr double Anchor = 20.5;
    RuledTable table{top, {LabelEdge, ValueEdge, RightEdge}, {}, ColumnRules::BelowHeader};
    table.rows.push_back(labelledRow(QStringLiteral("矢板長 (m) 　(*の部分は往復の延長)"), 7, QString(), Anchor));
    for (int i = 0; i < PileCount; ++i) {
        const QString name = trimmedName(input.record.names[pileNameBox(check.section, i)]);
        const PilePart &part = check.piles[std::size_t(i)];
        table.rows.push_back(labelledRow(
            part.doubled && part.partText != QStringLiteral("0.00") ? name + QStringLiteral("*") : name, 8,
            part.partText, Anchor));
    }
    table.rows.push_back(labelledRow(QStringLiteral("計"), 12, check.sigmaLText, Anchor));
    return table;
}

// Returns false when the ratio lines had to be left out.
bool drawSection(Page &page, const Study &input, const StudyCheck &study, Section section)
{
    const SectionLayout layout = layoutOf(section);
    const SectionCheck &check = study.section(section);
    const double top = sectionRow(section);
    const double b = top + BarRow;

    page.font(BodySize, true);
    page.text(5, top, (section == Section::Vertical ? QStringLiteral("３．") : QStringLiteral("４．")) + sectionName(section)
                          + QStringLiteral("の計算"));
    pileTable(input, check, top + 1.5).draw(page);

    page.font(BodySize, true);
    page.text(26, top + 2, QStringLiteral("○") + ratioCaption(input.formula));

    const QString metres = QStringLiteral(" (m)");
    page.font(SmallSize, false);
    page.measureDot();
    page.text(28, top + 4, layout.lengthLabel);
    page.aligned(layout.anchor, top + 4, study.structureLengthText, metres);
    page.text(28, top + 5, layout.sigmaLabel);
    page.aligned(layout.anchor, top + 5, check.sigmaLText, metres);

    page.font(BodySize, false);
    page.measureDot();
    page.text(28, b - 0.5, QStringLiteral("Ｃ′="));
    page.lineStep(31, b, 9, 0);
    const QString &length = study.structureLengthText;
    const QString &sigma = check.sigmaLText;
    if (input.formula == Formula::Lane) {
        page.lineStep(31, b - 1.5, 3.5, 0);
        page.text(32.5, b - 1.25, QStringLiteral("3"));
        page.centred(32, b - 2.5, length);
        page.font(TitleSize, false);
        page.text(35, b - 2, QStringLiteral("＋"));
        page.font(BodySize, false);
        page.text(36.5, b - 2, sigma);
    } else {
        page.centred(32.5, b - 1.25, length);
        page.font(TitleSize, false);
        page.text(35, b - 1.25, QStringLiteral("＋"));
        page.font(BodySize, false);
        page.text(36.5, b - 1.25, sigma);
    }
    page.centred(34.5, b + layout.headRow, study.governingCase().headDifferenceText);

    if (!check.verdict)
        return false;
    const ReportVerdictLine line = reportVerdictLine(study, section);
    const double verdict = top + VerdictRow;
    page.text(41.5, b - 0.5, QStringLiteral("= ") + check.verdict->provided);
    page.text(28, verdict, line.left);
    page.text(35, verdict, line.relation);
    page.text(43, verdict, line.verdict);
    page.text(38, verdict, line.right);
    return true;
}

// Under a section's verdict line: the required ΣL and the margin, then the
// head difference the section holds; the vertical piles' spacing between
// its ΣL line and its fraction.
void drawFigures(Page &page, const Study &input, const StudyCheck &study, const SectionCheck &check)
{
    const double verdict = sectionRow(check.section) + VerdictRow;
    page.font(SmallSize, false);
    page.text(28, verdict + 1.3,
              QStringLiteral("必要 ΣL = %1 (m)　　ΣL の過不足　%2")
                  .arg(study.governingCase().referenceSigmaL, check.marginLabel()));
    page.text(28, verdict + 2.2, check.allowableHeadLabel());
    // A study without stations prints as it always did.
    if (check.section == Section::Vertical && !study.spacing.placed.empty())
        page.text(28, sectionRow(check.section) + 6.1,
                  page.set(spacingVerdict(study.spacing, input.record), CreepTableRight - 28, SmallSize, 2));
}

// The title block's fields in the free space right of the title and above
// the creep-ratio table, each in its own slot (left column, right column,
// row) at 9 pt. A value too long for its slot is set smaller, down to 7 pt,
// then on two lines, the rows below moving down, the block moving up where
// it would reach the table's title (columns 33 on) or the first heading;
// only where even that leaves no room is the field cut with "…". 河川名 and
// 所在地 share the first row with 業務名 where either is given.
void drawTitleBlock(Page &page, const TitleBlock &block)
{
    struct Slot {
        const char16_t *label;
        const QString &value;
        double from, to;
        int row;
        Page::Setting setting{};
    };
    const bool located = !block.river.trimmed().isEmpty() || !block.place.trimmed().isEmpty();
    Slot slots[] = {
        {u"業務名：", block.job, 15, located ? 32 : CreepTableRight, 0},
        {u"河川名：", block.river, CreepTableLeft, 42, 0},
        {u"所在地：", block.place, 42.5, CreepTableRight, 0},
        {u"構造物名：", block.structure, 15, 32, 1},
        {u"作成日：", block.date, CreepTableLeft, CreepTableRight, 1},
        {u"会社名：", block.company, 15, 32, 2},
        {u"設計者：", block.designer, CreepTableLeft, 42, 2},
        {u"照査者：", block.checker, 42.5, CreepTableRight, 2},
    };
    constexpr std::array<double, 3> Rows{0.4, 1.35, 2.3};
    // The block's room: down to the first heading, and above the creep-ratio
    // table's title right of it.
    constexpr double HeadingTop = MethodRow - 0.05;
    constexpr double TableTitleTop = CreepTableTop - 1.55;
    page.font(SmallSize, false);
    const double oneLine = page.rows(SmallSize);
    const double twoLines = page.rows(Page::Setting{SmallestSize, {QString(), QString()}});
    for (Slot &slot : slots) {
        const QString value = slot.value.trimmed();
        if (!value.isEmpty())
            slot.setting = page.set(QString::fromUtf16(slot.label) + value, slot.to - slot.from, SmallSize, 2);
    }
    std::array<double, 3> tops = Rows;
    for (;;) {
        // A row on two lines moves the rows below down by what it adds.
        double down = 0.0;
        for (int row = 0; row < 3; ++row) {
            tops[row] = Rows[row] + down;
            for (const Slot &slot : slots) {
                if (slot.row == row && slot.setting.lines.size() > 1) {
                    down += twoLines - oneLine;
                    break;
                }
            }
        }
        double overrun = 0.0;
        for (const Slot &slot : slots) {
            if (slot.setting.lines.isEmpty())
                continue;
            const double bottom = tops[slot.row] + page.rows(slot.setting);
            overrun = std::max(overrun, bottom - (slot.from < CreepTableLeft ? HeadingTop : TableTitleTop));
        }
        if (overrun <= Rows[0]) {
            for (double &top : tops)
                top -= overrun;
            break;
        }
        // No room: the lowest field on two lines goes back to one, cut.
        auto wrapped = std::find_if(std::rbegin(slots), std::rend(slots),
                                    [](const Slot &slot) { return slot.setting.lines.size() > 1; });
        if (wrapped == std::rend(slots))
            break;
        page.rows(wrapped->setting.size);
        wrapped->setting.lines = {page.fitted(QString::fromUtf16(wrapped->label) + wrapped->value.trimmed(),
                                              wrapped->to - wrapped->from)};
    }
    for (const Slot &slot : slots) {
        if (!slot.setting.lines.isEmpty())
            page.text(slot.from, tops[slot.row], slot.setting);
    }
}

// The title block ruled as a form, in the same free space: the fields in
// three bands of cells left of two boxes to stamp, 設計 and 照査, whose names
// stand at their feet. The boxes reach down beside the creep-ratio table's
// title, to leave room for a seal. A field at 8 pt is set smaller, down to
// 7 pt, and cut with "…" where even that is too wide; an empty one leaves
// its cell blank.
void drawFramedTitleBlock(Page &page, const TitleBlock &block)
{
    // Columns: the cells' left side, where the first band and the others
    // divide, the boxes to stamp; rows: three bands of cells, the boxes' head
    // and foot.
    constexpr double Left = 15, FirstDivide = 33, LaterDivide = 26;
    constexpr double StampLeft = 42.5, StampMiddle = 47, Right = CreepTableRight;
    constexpr double Band = 1.1, FieldsBottom = 3 * Band;
    constexpr double StampHead = 0.95, StampFoot = 3.85, StampBottom = 4.8;
    struct Cell {
        const char16_t *label;
        const QString &value;
        double from, to;
        int band;
    };
    const Cell cells[] = {
        {u"業務名：", block.job, Left, FirstDivide, 0},         {u"作成日：", block.date, FirstDivide, StampLeft, 0},
        {u"河川名：", block.river, Left, LaterDivide, 1},       {u"所在地：", block.place, LaterDivide, StampLeft, 1},
        {u"構造物名：", block.structure, Left, LaterDivide, 2}, {u"会社名：", block.company, LaterDivide, StampLeft, 2},
    };
    struct Stamp {
        const char16_t *label;
        const QString &name;
        double from, to;
    };
    const Stamp stamps[] = {{u"設計", block.designer, StampLeft, StampMiddle}, {u"照査", block.checker, StampMiddle, Right}};
    constexpr double Inset = 0.4;      // a text's room from its cell's sides
    constexpr double FrameSize = 8.0;  // a little under 9 pt, for room above and below
    // A text set into a room of one line, in the middle of it heightwise.
    auto fill = [&page](const QString &text, double from, double to, double top, double bottom, bool centred) {
        if (text.isEmpty())
            return;
        page.font(FrameSize, false);
        const Page::Setting setting = page.set(text, to - from - 2 * Inset, FrameSize);
        const double width = page.columns(setting.lines.value(0));
        page.text(centred ? (from + to - width) / 2 : from + Inset, top + (bottom - top - page.rows(setting)) / 2, setting);
    };

    page.thinPen();
    for (int band = 1; band < 3; ++band)
        page.line(Left, band * Band, StampLeft, band * Band);
    page.line(FirstDivide, 0, FirstDivide, Band);
    page.line(LaterDivide, Band, LaterDivide, FieldsBottom);
    page.line(StampMiddle, 0, StampMiddle, StampBottom);
    page.line(StampLeft, StampHead, Right, StampHead);
    page.line(StampLeft, StampFoot, Right, StampFoot);
    page.thickPen();
    page.box(Left, 0, StampLeft - Left, FieldsBottom);
    page.box(StampLeft, 0, Right - StampLeft, StampBottom);
    page.thinPen();

    for (const Cell &cell : cells) {
        const QString value = cell.value.trimmed();
        fill(value.isEmpty() ? QString() : QString::fromUtf16(cell.label) + value, cell.from, cell.to, cell.band * Band,
             (cell.band + 1) * Band, false);
    }
    for (const Stamp &stamp : stamps) {
        fill(QString::fromUtf16(stamp.label), stamp.from, stamp.to, 0, StampHead, true);
        fill(stamp.name.trimmed(), stamp.from, stamp.to, StampFoot, StampBottom, true);
    }
}

// The study's file name on the left, the page's label in the middle, and
// which page of how many on the right.
void drawFooter(Page &page, const ReportDocument &document, int pageIndex)
{
    page.font(SmallSize, false);
    const QString label = page.fitted(document.pageLabel(pageIndex), 12);
    if (document.options().footer)
        page.text(6, FooterRow, page.fitted(document.fileName(), label.isEmpty() ? 40 : 20));
    page.text((FrameLeft + FrameRight) / 2 - page.columns(label) / 2, FooterRow, label);
    page.text(48, FooterRow, QStringLiteral("%1 / %2").arg(pageIndex + 1).arg(document.pageCount()));
}

// For a page 1 without verdict lines: the readiness message, lines broken
// with CR LF, where the verdict lines of both sections would stand.
void drawNotReadyNotice(Page &page)
{
    const QStringList lines = reportNotReadyMessage().prompt.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    page.font(BodySize, false);
    for (Section section : Sections) {
        const double row = sectionRow(section) + VerdictRow;
        for (int i = 0; i < int(lines.size()); ++i)
            page.text(28, row + i, lines[i]);
    }
}

// The cases' table: the columns' edges are mark, case, WL1, WL2, ΔH, then
// ratio and verdict of each section.
RuledTable caseTable(const StudyCheck &check, double top)
{
    RuledTable table{top, {6, 8, 20, 25.5, 31, 36, 40.5, 44, 48.5, 51.5}, {}, ColumnRules::WithSides};
    const std::vector<double> &edges = table.edges;
    const QString headers[] = {QStringLiteral("ケース"), QStringLiteral("WL1 (m)"), QStringLiteral("WL2 (m)"),
                               QStringLiteral("⊿H (m)"), QStringLiteral("鉛直 Ｃ′"), QStringLiteral("判定"),
                               QStringLiteral("水平 Ｃ′"), QStringLiteral("判定")};
    std::vector<TableCell> &header = table.rows.emplace_back();
    for (std::size_t i = 0; i < std::size(headers); ++i)
        header.push_back({headers[i], edges[i + 1] + 0.5});
    // A number's decimal point this far left of its column's right edge.
    constexpr double PointInset = 1.7;
    for (int i = 0; i < int(check.cases.size()); ++i) {
        const CaseCheck &levels = check.cases[std::size_t(i)];
        std::vector<TableCell> &row = table.rows.emplace_back();
        if (i == check.governing)
            row.push_back({QStringLiteral("◎"), 6.5});
        row.push_back({levels.shownName(i) + (levels.reversed ? QStringLiteral("※") : QString()), 8.5, false, 11});
        row.push_back({levels.outerLevelText, edges[3] - PointInset, true});
        row.push_back({levels.innerLevelText, edges[4] - PointInset, true});
        row.push_back({levels.headDifferenceText, edges[5] - PointInset, true});
        for (Section section : Sections) {
            const std::optional<SectionVerdict> &verdict = levels.section(section).verdict;
            // The ratio's column ends where its verdict's begins.
            const double edge = edges[section == Section::Vertical ? 6 : 8];
            if (!verdict) {
                row.push_back({QStringLiteral("―"), edge - 3});
                continue;
            }
            row.push_back({verdict->provided, edge - PointInset, true});
            row.push_back({verdictWord(verdict->ok), edge + 0.75});
        }
    }
    return table;
}

}  // namespace

void drawFirstPage(Page &page, const ReportDocument &document)
{
    const Study &input = document.study();
    drawTitleAndFormula(page, input.formula);
    drawCreepRatioTable(page, input.formula, input.soilClass);
    drawDimensions(page, input, document.check());
    for (Section section : Sections)
        drawSection(page, input, document.check(), section);
}

// The page of the water-level cases: each case's levels, ΔH and the two
// sections' ratios and verdicts, the governing case marked ◎.
void drawCasesPage(Page &page, const ReportDocument &document)
{
    const StudyCheck &check = document.check();
    page.font(TitleSize, true);
    page.text(4, TitleRow, ReportTitle);
    page.font(BodySize, true);
    page.text(5, MethodRow, QStringLiteral("５．水位ケースごとの照査"));

    const RuledTable table = caseTable(check, 6);
    const double below = table.top + table.draw(page) + 1;
    page.text(6, below, QStringLiteral("◎：支配ケース（⊿H が最大のケース）。１～４はこのケースの値です。　Ｃ = ")
                            + check.requiredPrinted);
    if (std::any_of(check.cases.begin(), check.cases.end(), [](const CaseCheck &levels) { return levels.reversed; }))
        page.text(6, below + 1.2, QStringLiteral("※：逆水位（内水位＞外水位）。⊿H は WL2 － WL1 です。"));
}

void drawPageAdditions(Page &page, const ReportDocument &document, int pageIndex)
{
    const StudyCheck &check = document.check();
    if (document.options().titleFrame)
        drawFramedTitleBlock(page, document.titleBlock());
    else if (!document.titleBlock().isEmpty())
        drawTitleBlock(page, document.titleBlock());
    if (pageIndex == 0 && document.options().figures && check.ready()) {
        for (Section section : Sections) {
            if (check.section(section).verdict)
                drawFigures(page, document.study(), check, check.section(section));
        }
    }
    // A document of more than one page is numbered on every page.
    if (document.options().footer || !document.pageLabel(pageIndex).isEmpty() || document.pageCount() > 1)
        drawFooter(page, document, pageIndex);
    if (!document.pageComplete(pageIndex))
        drawNotReadyNotice(page);
}

}  // namespace talven
