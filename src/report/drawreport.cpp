#include "report/drawreport.h"

#include "study/boxtable.h"
#include "study/numbers.h"

#include <array>
#include <span>

namespace talven {

namespace {

const QString ReportFont = QStringLiteral("ＭＳ 明朝");
constexpr double TitleSize = 12.0;
constexpr double BodySize = 10.5;
constexpr double SmallSize = 9.0;
constexpr double FooterRow = 69.6;
// The first beginning measured: longer than most texts, which are then
// measured whole, once, as before.
constexpr qsizetype FirstMeasuredLength = 64;

// The page grid: a position (a, b) is a character widths across and b line
// heights down, both measured once at "ＭＳ 明朝" 10.5 pt.
class Page {
public:
    explicit Page(ReportSurface &surface) : s(surface)
    {
        s.setFont(ReportFont);
        s.setFontSize(BodySize);
        s.setFontBold(false);
        charWidth = s.textWidth(QStringLiteral("設"));
        lineHeight = s.textHeight(QStringLiteral("計"));
    }

    void font(double size, bool bold)
    {
        s.setFontSize(size);
        s.setFontBold(bold);
    }

    // Digits, "-" and "." share one width in the report font, so one
    // measurement places every number by its decimal point.
    void measureDot() { dotWidth = s.textWidth(QStringLiteral(".")); }

    void text(double a, double b, const QString &text) { textAtX(a * charWidth, b, text); }

    // A "0.00" text whose decimal point falls on column a; a suffix may follow
    // the number.
    void aligned(double a, double b, const QString &number, const QString &suffix = QString())
    {
        textAtX(a * charWidth - charactersBeforePoint(number) * dotWidth, b, number + suffix);
    }

    // Half the shift of the decimal alignment: centres numbers on column a.
    void centred(double a, double b, const QString &number)
    {
        textAtX(a * charWidth - charactersBeforePoint(number) * dotWidth / 2.0, b, number);
    }

    // The text as it fits into `columns` columns at the current font: cut,
    // with "…" at the end, when it is wider; cut after its longest beginning
    // that leaves room for the "…". A beginning is never wider than the text
    // it begins, so the cut is found by measuring beginnings, each twice as
    // long as the last until one is too wide, then halving the range between:
    // what lies beyond the slot is never measured, and a text of any length
    // costs no more than a short one.
    QString fitted(const QString &text, double columns)
    {
        const double room = columns * charWidth;
        qsizetype tooWide = FirstMeasuredLength;
        while (tooWide < text.size() && s.textWidth(text.left(tooWide)) <= room)
            tooWide *= 2;
        if (tooWide >= text.size()) {
            if (s.textWidth(text) <= room)
                return text;
            tooWide = text.size();
        }
        const QString ellipsis = QStringLiteral("…");
        qsizetype kept = 0;
        while (tooWide - kept > 1) {
            const qsizetype middle = kept + (tooWide - kept) / 2;
            if (s.textWidth(text.left(middle) + ellipsis) <= room)
                kept = middle;
            else
                tooWide = middle;
        }
        return text.left(kept) + ellipsis;
    }

    void line(double a1, double b1, double a2, double b2) { s.line(at(a1, b1), at(a2, b2)); }
    void lineStep(double a, double b, double da, double db) { line(a, b, a + da, b + db); }
    void box(double a, double b, double w, double h)
    {
        s.box(at(a, b), QSizeF(w * charWidth, h * lineHeight));
    }

    void thickPen() { s.setDrawWidth(s.isPrinter() ? 6 : 2); }
    void thinPen() { s.setDrawWidth(1); }

private:
    QPointF at(double a, double b) const { return {a * charWidth, b * lineHeight}; }

    // An empty text draws nothing, so it is not drawn at all.
    void textAtX(double x, double b, const QString &text)
    {
        if (text.isEmpty())
            return;
        s.setCurrentPoint(QPointF(x, b * lineHeight));
        s.print(text);
    }

    // A two-decimal text has all but three of its characters before the point.
    static double charactersBeforePoint(const QString &number) { return double(number.size() - 3); }

    ReportSurface &s;
    double charWidth = 0.0;
    double lineHeight = 0.0;
    double dotWidth = 0.0;
};

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

// Header, the seven piles and the total. A ticked pile shows twice its length
// and a "*" after its name, unless the doubled value is still 0.
std::array<TableRow, 9> pileRows(const Study &input, const SectionCheck &check)
{
    const PileLengths &lengths = pileLengths(input.record, check.section);
    const PileTicks ticks = input.ticks(check.section);

    std::array<TableRow, 9> rows;
    rows[0] = {QStringLiteral("矢板長 (m) 　(*の部分は往復の延長)"), 7, QString()};
    for (int i = 0; i < PileCount; ++i) {
        const QString name = trimmedName(input.record.names[pileNameBox(check.section, i)]);
        TableRow &row = rows[i + 1];
        row.column = 8;
        if (ticks[i]) {
            row.value = hundredthsText(2 * hundredths(lengths[i]));  // as the check counts it
            row.label = row.value == QStringLiteral("0.00") ? name : name + QStringLiteral("*");
        } else {
            row.value = twoDecimals(lengths[i]);
            row.label = name;
        }
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
// row); a value too long for its slot is cut.
void drawTitleBlock(Page &page, const TitleBlock &block)
{
    struct Slot {
        const char16_t *label;
        const QString &value;
        double from, to, row;
    };
    const Slot slots[] = {
        {u"業務名：", block.job, 15, 51.5, 0.4},
        {u"構造物名：", block.structure, 15, 32, 1.35},
        {u"作成日：", block.date, 33, 51.5, 1.35},
        {u"会社名：", block.company, 15, 32, 2.3},
        {u"設計者：", block.designer, 33, 42, 2.3},
        {u"照査者：", block.checker, 42.5, 51.5, 2.3},
    };
    page.font(SmallSize, false);
    for (const Slot &slot : slots) {
        if (slot.value.trimmed().isEmpty())
            continue;
        page.text(slot.from, slot.row, page.fitted(QString::fromUtf16(slot.label) + slot.value.trimmed(), slot.to - slot.from));
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

void drawFooter(Page &page, const QString &fileName, int pageIndex, int pageCount)
{
    page.font(SmallSize, false);
    page.text(6, FooterRow, page.fitted(fileName, 40));
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

int reportPageCount(const StudyCheck &check, const ReportOptions &)
{
    return check.cases.size() > 1 ? 2 : 1;
}

ReportResult drawReport(ReportSurface &surface, const Study &input, const StudyCheck &check,
                        const ReportOptions &options, int pageIndex)
{
    Page page(surface);
    if (pageIndex > 0) {
        drawCases(page, check);
        if (!options.titleBlock.isEmpty())
            drawTitleBlock(page, options.titleBlock);
        if (options.footer)
            drawFooter(page, options.fileName, pageIndex, reportPageCount(check, options));
        return {};
    }
    drawTitleAndFormula(page, input.formula);
    drawCreepRatioTable(page, input.formula, input.soilClass);
    drawDimensions(page, input, check);

    ReportResult result;
    for (Section section : Sections)
        result.complete = drawSection(page, input, check, section) && result.complete;
    // The additions come last, so that the plain page is drawn as it always was.
    if (!options.titleBlock.isEmpty())
        drawTitleBlock(page, options.titleBlock);
    if (options.figures && check.ready()) {
        for (Section section : Sections) {
            if (check.section(section).verdict)
                drawFigures(page, check, check.section(section), layoutOf(section).verdictRow);
        }
    }
    if (options.footer)
        drawFooter(page, options.fileName, 0, reportPageCount(check, options));
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
