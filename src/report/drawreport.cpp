#include "report/drawreport.h"

#include "report/calculationsheet.h"
#include "report/reportpage.h"
#include "study/boxtable.h"
#include "study/numbers.h"

#include <array>
#include <span>

namespace talven {

namespace {

void drawTitleAndFormula(Page &page, Formula formula)
{
    page.font(TitleSize, true);
    page.text(4, 2, QStringLiteral("遮水矢板の設計"));

    page.font(BodySize, true);
    page.text(5, 4, QStringLiteral("１．検討方法および諸数値"));
    page.text(6, 6.5, QStringLiteral("○計算式"));

    // Ｃ≦ (Ｌ ＋ ΣL) / ⊿Ｈ; under Lane the Ｌ is itself a small fraction over 3.
    page.font(TitleSize, false);
    page.text(9, 9.5, QStringLiteral("Ｃ≦"));
    page.lineStep(12, 10.1, 6.5, 0);
    if (formula == Formula::Lane) {
        page.lineStep(12.4, 8.9, 2, 0);
        page.font(BodySize, false);
        page.text(12.9, 8.9, QStringLiteral("3"));
        page.font(BodySize, true);
        page.text(12.8, 7.9, QStringLiteral("Ｌ"));
    } else {
        page.font(TitleSize, true);
        page.text(13.4, 8.4, QStringLiteral("Ｌ"));
    }
    page.font(TitleSize, false);
    page.text(14.5, 8.4, QStringLiteral("＋"));
    page.text(15.7, 8.4, QStringLiteral("ΣL"));
    page.text(13.5, 10.25, QStringLiteral("⊿Ｈ"));

    page.font(SmallSize, false);
    page.text(10, 14.9, QStringLiteral(" Ｃ"));
    page.font(SmallSize, true);
    page.text(10, 16.4, QStringLiteral(" Ｌ"));
    page.font(SmallSize, false);
    page.text(10, 17.9, QStringLiteral(" ΣL"));
    page.text(10, 19.4, QStringLiteral("⊿Ｈ"));
    page.text(12.5, 14.9, QStringLiteral("：") + ratioCaption(formula));
    page.text(12.5, 16.4, QStringLiteral("：本体および翼壁の函軸方向の浸透路長(m)"));
    page.text(12.5, 19.4, QStringLiteral("：内外水位差(m)"));
    page.text(12.5, 17.9, QStringLiteral("：遮水矢板等の浸透経路長(m)"));
}

// The formula's creep-ratio table; list index k is table row k + 1, so no
// selection puts the mark on the header row.
void drawCreepRatioTable(Page &page, Formula formula, int listIndex)
{
    const auto classes = soilClasses(formula);
    const int n = int(classes.size());
    const double rowsHeight = 1.5 * (n + 1);

    page.thinPen();
    for (int r = 0; r <= n; ++r)
        page.box(33, 5 + 1.5 * r, 18.5, 1.5);
    page.thickPen();
    page.box(33, 5, 18.5, rowsHeight);
    page.line(48, 5, 48, 5 + rowsHeight);
    page.line(33, 6.5, 51.5, 6.5);
    page.thinPen();

    page.font(SmallSize, true);
    page.text(33, 3.5, reportTableTitle(formula));
    page.font(SmallSize, false);
    page.text(34.5, 5.5, reportTableHeaderClass());
    page.text(49, 5.5, reportTableHeaderRatio());
    for (int r = 1; r <= n; ++r) {
        page.text(34.5, 5.5 + 1.5 * r, QString::fromUtf16(classes[r - 1].reportText));
        page.text(49, 5.5 + 1.5 * r, QString::fromUtf16(classes[r - 1].reportRatio));
    }
    page.text(34.5, 5.5 + rowsHeight, reportTableSource(formula));
    page.text(33.5, 5.5 + 1.5 * (listIndex + 1), QStringLiteral("◆"));
}

// A row of the dimension and pile tables: a label at its column and a value
// aligned on its decimal point.
struct TableRow {
    QString label;
    double column;
    QString value;
};

// Rows 1.5 apart from `firstRow`. A row without a label whose value is 0.00
// stays blank: an unnamed member or pile of 0 leaves its line empty.
void drawTableRows(Page &page, double firstRow, double anchor, std::span<const TableRow> rows)
{
    for (int r = 0; r < int(rows.size()); ++r) {
        const double row = firstRow + 1.5 * r;
        page.font(SmallSize, false);
        page.measureDot();
        page.text(rows[r].column, row, rows[r].label);
        const bool blank = rows[r].label.isEmpty() && rows[r].value == QStringLiteral("0.00");
        page.aligned(anchor, row, blank ? QString() : rows[r].value);
    }
}

void drawDimensions(Page &page, const Study &input, const StudyCheck &check)
{
    const StudyRecord &record = input.record;
    // The water levels are the governing case's; with several cases the
    // heading names it.
    const CaseCheck &levels = check.governingCase();

    page.font(BodySize, true);
    page.text(5, 24, QStringLiteral("２．形状寸法および水位差"));
    page.text(6, 26.5, QStringLiteral("○形状寸法"));

    page.thinPen();
    for (int r = 0; r <= 4; ++r)
        page.box(6, 28 + 1.5 * r, 16.5, 1.5);
    page.lineStep(17, 29.5, 0, 6);
    page.thickPen();
    page.box(6, 28, 16.5, 7.5);
    page.line(6, 29.5, 22.5, 29.5);
    page.thinPen();

    const std::array<TableRow, 5> rows{{
        {QStringLiteral("各構造部寸法 (m)"), 7, QString()},
        {trimmedName(record.memberName(0)), 8, twoDecimals(record.dimension(0))},
        {trimmedName(record.memberName(1)), 8, twoDecimals(record.dimension(1))},
        {trimmedName(record.memberName(2)), 8, twoDecimals(record.dimension(2))},
        {QStringLiteral("計"), 12, check.structureLengthText},
    }};
    drawTableRows(page, 28.5, 20, rows);

    page.font(BodySize, false);
    page.measureDot();
    page.font(BodySize, true);
    const QString levelHeading = QStringLiteral("○内外水位差");
    page.text(26, 26.5, check.cases.size() > 1 ? page.fitted(levelHeading + QStringLiteral("（◎")
                                                                   + levels.shownName(check.governing) + u'）', 25.5)
                                               : levelHeading);
    page.font(BodySize, false);
    page.text(28, 28.5, record.outerWaterLevelName());
    page.text(40, 28.5, QStringLiteral("WL1  = "));
    page.aligned(45, 28.5, levels.outerLevelText);
    page.text(47, 28.5, QStringLiteral("(m)"));
    page.text(28, 30, record.innerWaterLevelName());
    page.text(40, 30, QStringLiteral("WL2  = "));
    page.aligned(45, 30, levels.innerLevelText);
    page.text(47, 30, QStringLiteral("(m)"));

    page.text(28, 32.5, QStringLiteral("⊿Ｈ"));
    page.text(30, 32.5, QStringLiteral("="));
    page.text(31, 32.5, QStringLiteral("WL1"));
    page.text(32.75, 32.5, QStringLiteral("-"));
    page.text(33.5, 32.5, QStringLiteral("WL2"));
    page.line(28, 32, 48.5, 32);
    page.text(35.5, 32.5, QStringLiteral("= ") + levels.outerLevelText + QStringLiteral(" - ")
                              + levels.innerLevelText);
    page.text(42.5, 33.5, QStringLiteral("="));
    page.aligned(45, 33.5, check.headDifferenceText);
    page.text(47, 33.5, QStringLiteral("(m)"));
}

struct SectionLayout {
    QString heading;
    double headingRow;
    QString lengthLabel;
    QString sigmaLabel;
    double anchor;       // decimal point of the L and ΣL values
    double barRow;       // B, the fraction bar
    double headRow;      // ΔH under the bar
    double verdictRow;
};

SectionLayout layoutOf(Section section)
{
    const QString heading = QStringLiteral("の計算");
    if (section == Section::Vertical)
        return {QStringLiteral("３．") + sectionName(section) + heading, 37,
                QStringLiteral("・形状寸法 （Ｌ）="), QStringLiteral("・矢板長   (ΣL) ="), 38, 47.5,
                48, 50};
    return {QStringLiteral("４．") + sectionName(section) + heading, 53,
            QStringLiteral("・形状寸法（Ｌ）="), QStringLiteral("・矢板長　(ΣL) ="), 37, 63.5, 63.75,
            66};
}

// Header, the seven piles and the total. A ticked pile shows its part of ΣL,
// twice its length, and a "*" after its name, unless that part is still 0.
std::array<TableRow, 9> pileRows(const Study &input, const SectionCheck &check)
{
    std::array<TableRow, 9> rows;
    rows[0] = {QStringLiteral("矢板長 (m) 　(*の部分は往復の延長)"), 7, QString()};
    for (int i = 0; i < PileCount; ++i) {
        const QString name = trimmedName(input.record.names[pileNameBox(check.section, i)]);
        const PilePart &part = check.piles[std::size_t(i)];
        rows[i + 1] = {part.doubled && part.partText != QStringLiteral("0.00") ? name + QStringLiteral("*") : name, 8,
                       part.partText};
    }
    rows[8] = {QStringLiteral("計"), 12, check.sigmaLText};
    return rows;
}

// Returns false when the ratio lines had to be left out.
bool drawSection(Page &page, const Study &input, const StudyCheck &study, Section section)
{
    const SectionLayout layout = layoutOf(section);
    const SectionCheck &check = study.section(section);
    const double top = layout.headingRow + 1.5;
    const double b = layout.barRow;

    page.font(BodySize, true);
    page.text(5, layout.headingRow, layout.heading);

    page.thinPen();
    for (int k = 0; k <= 8; ++k)
        page.box(6, top + 1.5 * k, 16.5, 1.5);
    page.line(17, top + 1.5, 17, top + 13.5);
    page.thickPen();
    page.box(6, top, 16.5, 13.5);
    page.line(6, top + 1.5, 22.5, top + 1.5);
    page.thinPen();

    drawTableRows(page, top + 0.5, 20.5, pileRows(input, check));

    page.font(BodySize, true);
    page.text(26, top + 0.5, QStringLiteral("○") + ratioCaption(input.formula));

    const QString metres = QStringLiteral(" (m)");
    page.font(SmallSize, false);
    page.measureDot();
    page.text(28, layout.headingRow + 4, layout.lengthLabel);
    page.aligned(layout.anchor, layout.headingRow + 4, study.structureLengthText, metres);
    page.text(28, layout.headingRow + 5, layout.sigmaLabel);
    page.aligned(layout.anchor, layout.headingRow + 5, check.sigmaLText, metres);

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
    page.centred(34.5, layout.headRow, study.headDifferenceText);

    if (!check.verdict)
        return false;
    const ReportVerdictLine line = reportVerdictLine(study, section);
    page.text(41.5, b - 0.5, QStringLiteral("= ") + check.verdict->provided);
    page.text(28, layout.verdictRow, line.left);
    page.text(35, layout.verdictRow, line.relation);
    page.text(43, layout.verdictRow, line.verdict);
    page.text(38, layout.verdictRow, line.right);
    return true;
}

// The title block's fields in the free space right of the title and above
// the creep-ratio table, each in its own slot (left column, right column,
// row) at 9 pt. A value too long for its slot is set smaller, down to 7 pt,
// then on two lines, the rows below moving down, the block moving up where
// it would reach the table's title (columns 33 on) or the first heading;
// only where even that leaves no room is the field cut with "…".
void drawTitleBlock(Page &page, const TitleBlock &block)
{
    struct Slot {
        const char16_t *label;
        const QString &value;
        double from, to;
        int row;
        Page::Setting setting{};
    };
    Slot slots[] = {
        {u"業務名：", block.job, 15, 51.5, 0},
        {u"構造物名：", block.structure, 15, 32, 1},
        {u"作成日：", block.date, 33, 51.5, 1},
        {u"会社名：", block.company, 15, 32, 2},
        {u"設計者：", block.designer, 33, 42, 2},
        {u"照査者：", block.checker, 42.5, 51.5, 2},
    };
    constexpr std::array<double, 3> Rows{0.4, 1.35, 2.3};
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
            overrun = std::max(overrun, bottom - (slot.from < 33 ? 3.95 : 3.45));
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

// Under a section's verdict line: the required ΣL and the margin, then the
// head difference the section holds.
void drawFigures(Page &page, const StudyCheck &study, const SectionCheck &check, double verdictRow)
{
    page.font(SmallSize, false);
    page.text(28, verdictRow + 1.3,
              QStringLiteral("必要 ΣL = %1 (m)　　ΣL の過不足　%2").arg(study.referenceSigmaL, check.marginLabel()));
    page.text(28, verdictRow + 2.2, check.allowableHeadLabel());
}

// The label of page `pageIndex`: a label that ends in a number is the first
// page's, and each page after it counts on ("3-12", "3-13"); another is the
// same on every page.
QString pageLabel(const QString &label, int pageIndex)
{
    qsizetype digits = 0;
    while (digits < label.size() && digits < 9 && label.at(label.size() - 1 - digits).isDigit()
           && label.at(label.size() - 1 - digits).unicode() < 0x80)
        ++digits;
    if (digits == 0)
        return label;
    const qsizetype number = label.right(digits).toLongLong() + pageIndex;
    return label.left(label.size() - digits) + QStringLiteral("%1").arg(number, int(digits), 10, QLatin1Char('0'));
}

// The study's file name on the left, the page's label in the middle, and
// which page of how many on the right.
void drawFooter(Page &page, const ReportOptions &options, int pageIndex, int pageCount)
{
    page.font(SmallSize, false);
    const QString label = page.fitted(pageLabel(options.pageLabel.trimmed(), pageIndex), 12);
    if (options.footer)
        page.text(6, FooterRow, page.fitted(options.fileName, label.isEmpty() ? 40 : 20));
    page.text((FrameLeft + FrameRight) / 2 - page.columns(label) / 2, FooterRow, label);
    page.text(48, FooterRow, QStringLiteral("%1 / %2").arg(pageIndex + 1).arg(pageCount));
}

// The page of the water-level cases: each case's levels, ΔH and the two
// sections' ratios and verdicts, the governing case marked ◎.
void drawCases(Page &page, const StudyCheck &check)
{
    page.font(TitleSize, true);
    page.text(4, 2, QStringLiteral("遮水矢板の設計"));
    page.font(BodySize, true);
    page.text(5, 4, QStringLiteral("５．水位ケースごとの照査"));

    // The columns' edges: mark, case, WL1, WL2, ΔH, then ratio and verdict
    // of each section.
    const double edges[] = {6, 8, 20, 25.5, 31, 36, 40.5, 44, 48.5, 51.5};
    const double top = 6;
    const int rows = int(check.cases.size()) + 1;
    page.thinPen();
    for (int r = 0; r < rows; ++r)
        page.box(6, top + 1.5 * r, 45.5, 1.5);
    for (double edge : edges)
        page.line(edge, top, edge, top + 1.5 * rows);
    page.thickPen();
    page.box(6, top, 45.5, 1.5 * rows);
    page.line(6, top + 1.5, 51.5, top + 1.5);
    page.thinPen();

    page.font(SmallSize, false);
    page.measureDot();
    const QString headers[] = {QStringLiteral("ケース"), QStringLiteral("WL1 (m)"), QStringLiteral("WL2 (m)"),
                               QStringLiteral("⊿H (m)"), QStringLiteral("鉛直 Ｃ′"), QStringLiteral("判定"),
                               QStringLiteral("水平 Ｃ′"), QStringLiteral("判定")};
    for (int i = 0; i < 8; ++i)
        page.text(edges[i + 1] + 0.5, top + 0.5, headers[i]);
    // A number's decimal point this far left of its column's right edge.
    constexpr double PointInset = 1.7;
    for (int i = 0; i < int(check.cases.size()); ++i) {
        const CaseCheck &levels = check.cases[std::size_t(i)];
        const double row = top + 0.5 + 1.5 * (i + 1);
        if (i == check.governing)
            page.text(6.5, row, QStringLiteral("◎"));
        page.text(8.5, row, page.fitted(levels.shownName(i), 11));
        page.aligned(edges[3] - PointInset, row, levels.outerLevelText);
        page.aligned(edges[4] - PointInset, row, levels.innerLevelText);
        page.aligned(edges[5] - PointInset, row, levels.headDifferenceText);
        for (Section section : Sections) {
            const std::optional<SectionVerdict> &verdict = levels.section(section).verdict;
            // The ratio's column ends where its verdict's begins.
            const double edge = edges[section == Section::Vertical ? 6 : 8];
            if (!verdict) {
                page.text(edge - 3, row, QStringLiteral("―"));
                continue;
            }
            page.aligned(edge - PointInset, row, verdict->provided);
            page.text(edge + 0.75, row, verdict->ok ? QStringLiteral("ＯＫ") : QStringLiteral("ＮＧ"));
        }
    }
    const double below = top + 1.5 * rows + 1;
    page.text(6, below, QStringLiteral("◎：支配ケース（⊿H が最大のケース）。１～４はこのケースの値です。　Ｃ = ")
                            + check.requiredPrinted);
}

}  // namespace

ReportVerdictLine reportVerdictLine(const StudyCheck &check, Section section)
{
    const std::optional<SectionVerdict> &verdict = check.section(section).verdict;
    if (!verdict)
        return {};
    return {QStringLiteral("Ｃ′= ") + verdict->provided, verdict->relation(),
            QStringLiteral("Ｃ = ") + check.requiredPrinted,
            verdict->ok ? QStringLiteral("・・・ＯＫ") : QStringLiteral("・・・ＮＧ")};
}

QString reportDate(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

// Before the sheet: the report page, and the page of the cases when there are several.
int casePages(const StudyCheck &check)
{
    return check.cases.size() > 1 ? 1 : 0;
}

int reportPageCount(const StudyCheck &check, const ReportOptions &options)
{
    return 1 + casePages(check) + (options.sheet && check.ready() ? sheetPageCount(check) : 0);
}

ReportResult drawReport(ReportSurface &surface, const Study &input, const StudyCheck &check,
                        const ReportOptions &options, int pageIndex)
{
    Page page(surface);
    if (options.margins)
        page.placeWithinMargins();
    ReportResult result;
    if (pageIndex == 0) {
        drawTitleAndFormula(page, input.formula);
        drawCreepRatioTable(page, input.formula, input.soilClass);
        drawDimensions(page, input, check);
        for (Section section : Sections)
            result.complete = drawSection(page, input, check, section) && result.complete;
    } else if (pageIndex <= casePages(check)) {
        drawCases(page, check);
    } else {
        drawSheetPage(page, input, check, pageIndex - 1 - casePages(check));
    }
    // The additions come last, so that the plain page is drawn as it always was.
    if (!options.titleBlock.isEmpty())
        drawTitleBlock(page, options.titleBlock);
    if (pageIndex == 0 && options.figures && check.ready()) {
        for (Section section : Sections) {
            if (check.section(section).verdict)
                drawFigures(page, check, check.section(section), layoutOf(section).verdictRow);
        }
    }
    if (options.footer || !options.pageLabel.trimmed().isEmpty())
        drawFooter(page, options, pageIndex, reportPageCount(check, options));
    return result;
}

void drawNotReadyNotice(ReportSurface &surface, const QString &notice)
{
    Page page(surface);
    const QStringList lines = notice.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (Section section : Sections) {
        const double row = layoutOf(section).verdictRow;
        for (int i = 0; i < int(lines.size()); ++i)
            page.text(28, row + i, lines[i]);
    }
}

}  // namespace talven
