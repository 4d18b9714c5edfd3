#include "report/drawreport.h"

#include "study/numbers.h"

#include <array>
#include <cmath>
#include <span>

namespace talven {

namespace {

const QString ReportFont = QStringLiteral("ＭＳ 明朝");
constexpr double TitleSize = 12.0;
constexpr double BodySize = 10.5;
constexpr double SmallSize = 9.0;

QString TwoDecimals(double value)
{
    return FormatNumber(value, NumberPattern::TwoDecimals);
}

// The page grid: a position (a, b) is a character widths across and b line
// heights down, both measured once at "ＭＳ 明朝" 10.5 pt.
class Page {
public:
    explicit Page(ReportSurface &surface) : s(surface)
    {
        s.SetFont(ReportFont);
        s.SetFontSize(BodySize);
        s.SetFontBold(false);
        charWidth = s.TextWidth(QStringLiteral("設"));
        lineHeight = s.TextHeight(QStringLiteral("計"));
    }

    void Font(double size, bool bold)
    {
        s.SetFontSize(size);
        s.SetFontBold(bold);
    }

    // Digits, "-" and "." share one width in the report font, so one
    // measurement places every number by its decimal point.
    void MeasureDot() { dotWidth = s.TextWidth(QStringLiteral(".")); }

    void Text(double a, double b, const QString &text) { TextAtX(a * charWidth, b, text); }

    // A "0.00" text whose decimal point falls on column a; a suffix may follow
    // the number.
    void Aligned(double a, double b, const QString &number, const QString &suffix = QString())
    {
        TextAtX(a * charWidth - CharactersBeforePoint(number) * dotWidth, b, number + suffix);
    }

    // Half the shift of the decimal alignment: centres numbers on column a.
    void Centred(double a, double b, const QString &number)
    {
        TextAtX(a * charWidth - CharactersBeforePoint(number) * dotWidth / 2.0, b, number);
    }

    void Line(double a1, double b1, double a2, double b2) { s.Line(At(a1, b1), At(a2, b2)); }
    void LineStep(double a, double b, double da, double db) { Line(a, b, a + da, b + db); }
    void Box(double a, double b, double w, double h)
    {
        s.Box(At(a, b), QSizeF(w * charWidth, h * lineHeight));
    }

    void ThickPen() { s.SetDrawWidth(s.IsPrinter() ? 6 : 2); }
    void ThinPen() { s.SetDrawWidth(1); }

private:
    QPointF At(double a, double b) const { return {a * charWidth, b * lineHeight}; }

    // An empty text draws nothing, so it is not drawn at all.
    void TextAtX(double x, double b, const QString &text)
    {
        if (text.isEmpty())
            return;
        s.SetCurrentPoint(QPointF(x, b * lineHeight));
        s.Print(text);
    }

    // A two-decimal text has all but three of its characters before the point.
    static double CharactersBeforePoint(const QString &number) { return double(number.size() - 3); }

    ReportSurface &s;
    double charWidth = 0.0;
    double lineHeight = 0.0;
    double dotWidth = 0.0;
};

// The values both calculation sections read.
struct Totals {
    double seepageLength = 0.0;
    double verticalSigmaL = 0.0;
    double horizontalSigmaL = 0.0;
};

Totals ComputeTotals(const ReportInput &input)
{
    return {SeepageLength(input.record.BaseValues),
            SigmaL(input.record.VerticalLengths, input.verticalTicks),
            SigmaL(input.record.HorizontalLengths, input.horizontalTicks)};
}

double SectionSigmaL(const Totals &totals, ReportSection section)
{
    return section == ReportSection::Vertical ? totals.verticalSigmaL : totals.horizontalSigmaL;
}

void DrawTitleAndFormula(Page &page, Formula formula)
{
    page.Font(TitleSize, true);
    page.Text(4, 2, QStringLiteral("遮水矢板の設計"));

    page.Font(BodySize, true);
    page.Text(5, 4, QStringLiteral("１．検討方法および諸数値"));
    page.Text(6, 6.5, QStringLiteral("○計算式"));

    // Ｃ≦ (Ｌ ＋ ΣL) / ⊿Ｈ; under Lane the Ｌ is itself a small fraction over 3.
    page.Font(TitleSize, false);
    page.Text(9, 9.5, QStringLiteral("Ｃ≦"));
    page.LineStep(12, 10.1, 6.5, 0);
    if (formula == Formula::Lane) {
        page.LineStep(12.4, 8.9, 2, 0);
        page.Font(BodySize, false);
        page.Text(12.9, 8.9, QStringLiteral("3"));
        page.Font(BodySize, true);
        page.Text(12.8, 7.9, QStringLiteral("Ｌ"));
    } else {
        page.Font(TitleSize, true);
        page.Text(13.4, 8.4, QStringLiteral("Ｌ"));
    }
    page.Font(TitleSize, false);
    page.Text(14.5, 8.4, QStringLiteral("＋"));
    page.Text(15.7, 8.4, QStringLiteral("ΣL"));
    page.Text(13.5, 10.25, QStringLiteral("⊿Ｈ"));

    page.Font(SmallSize, false);
    page.Text(10, 14.9, QStringLiteral(" Ｃ"));
    page.Font(SmallSize, true);
    page.Text(10, 16.4, QStringLiteral(" Ｌ"));
    page.Font(SmallSize, false);
    page.Text(10, 17.9, QStringLiteral(" ΣL"));
    page.Text(10, 19.4, QStringLiteral("⊿Ｈ"));
    page.Text(12.5, 14.9, QStringLiteral("：") + RatioCaption(formula));
    page.Text(12.5, 16.4, QStringLiteral("：本体および翼壁の函軸方向の浸透路長(m)"));
    page.Text(12.5, 19.4, QStringLiteral("：内外水位差(m)"));
    page.Text(12.5, 17.9, QStringLiteral("：遮水矢板等の浸透経路長(m)"));
}

// The formula's creep-ratio table; list index k is table row k + 1, so no
// selection puts the mark on the header row.
void DrawCreepRatioTable(Page &page, Formula formula, int listIndex)
{
    const auto classes = SoilClasses(formula);
    const int n = int(classes.size());
    const double rowsHeight = 1.5 * (n + 1);

    page.ThinPen();
    for (int r = 0; r <= n; ++r)
        page.Box(33, 5 + 1.5 * r, 18.5, 1.5);
    page.ThickPen();
    page.Box(33, 5, 18.5, rowsHeight);
    page.Line(48, 5, 48, 5 + rowsHeight);
    page.Line(33, 6.5, 51.5, 6.5);
    page.ThinPen();

    page.Font(SmallSize, true);
    page.Text(33, 3.5, ReportTableTitle(formula));
    page.Font(SmallSize, false);
    page.Text(34.5, 5.5, ReportTableHeaderClass());
    page.Text(49, 5.5, ReportTableHeaderRatio());
    for (int r = 1; r <= n; ++r) {
        page.Text(34.5, 5.5 + 1.5 * r, QString::fromUtf16(classes[r - 1].reportText));
        page.Text(49, 5.5 + 1.5 * r, QString::fromUtf16(classes[r - 1].reportRatio));
    }
    page.Text(34.5, 5.5 + rowsHeight, ReportTableSource(formula));
    page.Text(33.5, 5.5 + 1.5 * (listIndex + 1), QStringLiteral("◆"));
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
void DrawTableRows(Page &page, double firstRow, double anchor, std::span<const TableRow> rows)
{
    for (int r = 0; r < int(rows.size()); ++r) {
        const double row = firstRow + 1.5 * r;
        page.Font(SmallSize, false);
        page.MeasureDot();
        page.Text(rows[r].column, row, rows[r].label);
        const bool blank = rows[r].label.isEmpty() && rows[r].value == QStringLiteral("0.00");
        page.Aligned(anchor, row, blank ? QString() : rows[r].value);
    }
}

void DrawDimensions(Page &page, const ReportInput &input, double seepageLength)
{
    const auto &names = input.record.Names;
    const auto &values = input.record.BaseValues;

    page.Font(BodySize, true);
    page.Text(5, 24, QStringLiteral("２．形状寸法および水位差"));
    page.Text(6, 26.5, QStringLiteral("○形状寸法"));

    page.ThinPen();
    for (int r = 0; r <= 4; ++r)
        page.Box(6, 28 + 1.5 * r, 16.5, 1.5);
    page.LineStep(17, 29.5, 0, 6);
    page.ThickPen();
    page.Box(6, 28, 16.5, 7.5);
    page.Line(6, 29.5, 22.5, 29.5);
    page.ThinPen();

    const std::array<TableRow, 5> rows{{
        {QStringLiteral("各構造部寸法 (m)"), 7, QString()},
        {TrimmedName(names[0]), 8, TwoDecimals(values[0])},
        {TrimmedName(names[1]), 8, TwoDecimals(values[1])},
        {TrimmedName(names[2]), 8, TwoDecimals(values[2])},
        {QStringLiteral("計"), 12, TwoDecimals(seepageLength)},
    }};
    DrawTableRows(page, 28.5, 20, rows);

    page.Font(BodySize, false);
    page.MeasureDot();
    page.Font(BodySize, true);
    page.Text(26, 26.5, QStringLiteral("○内外水位差"));
    page.Font(BodySize, false);
    page.Text(28, 28.5, names[3]);
    page.Text(40, 28.5, QStringLiteral("WL1  = "));
    page.Aligned(45, 28.5, TwoDecimals(values[3]));
    page.Text(47, 28.5, QStringLiteral("(m)"));
    page.Text(28, 30, names[4]);
    page.Text(40, 30, QStringLiteral("WL2  = "));
    page.Aligned(45, 30, TwoDecimals(values[4]));
    page.Text(47, 30, QStringLiteral("(m)"));

    page.Text(28, 32.5, QStringLiteral("⊿Ｈ"));
    page.Text(30, 32.5, QStringLiteral("="));
    page.Text(31, 32.5, QStringLiteral("WL1"));
    page.Text(32.75, 32.5, QStringLiteral("-"));
    page.Text(33.5, 32.5, QStringLiteral("WL2"));
    page.Line(28, 32, 48.5, 32);
    page.Text(35.5, 32.5, QStringLiteral("= ") + TwoDecimals(values[3]) + QStringLiteral(" - ")
                              + TwoDecimals(values[4]));
    page.Text(42.5, 33.5, QStringLiteral("="));
    page.Aligned(45, 33.5, TwoDecimals(HeadDifference(values)));
    page.Text(47, 33.5, QStringLiteral("(m)"));
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

SectionLayout LayoutOf(ReportSection section)
{
    const QString heading = QStringLiteral("の計算");
    if (section == ReportSection::Vertical)
        return {QStringLiteral("３．") + SectionName(section) + heading, 37,
                QStringLiteral("・形状寸法 （Ｌ）="), QStringLiteral("・矢板長   (ΣL) ="), 38, 47.5,
                48, 50};
    return {QStringLiteral("４．") + SectionName(section) + heading, 53,
            QStringLiteral("・形状寸法（Ｌ）="), QStringLiteral("・矢板長　(ΣL) ="), 37, 63.5, 63.75,
            66};
}

// The two calculation sections, in drawing order.
constexpr std::array<ReportSection, 2> Sections{ReportSection::Vertical, ReportSection::Horizontal};

// Header, the seven piles and the total. A ticked pile shows twice its length
// and a "*" after its name, unless the doubled value is still 0.
std::array<TableRow, 9> PileRows(const ReportInput &input, ReportSection section, double sigmaL)
{
    const bool vertical = section == ReportSection::Vertical;
    const PileLengths &lengths = vertical ? input.record.VerticalLengths
                                          : input.record.HorizontalLengths;
    const PileTicks &ticks = vertical ? input.verticalTicks : input.horizontalTicks;
    const int firstName = vertical ? FirstVerticalName : FirstHorizontalName;

    std::array<TableRow, 9> rows;
    rows[0] = {QStringLiteral("矢板長 (m) 　(*の部分は往復の延長)"), 7, QString()};
    for (int i = 0; i < PileCount; ++i) {
        const QString name = TrimmedName(input.record.Names[firstName + i]);
        TableRow &row = rows[i + 1];
        row.column = 8;
        if (ticks[i]) {
            row.value = TwoDecimals(2.0 * lengths[i]);
            row.label = row.value == QStringLiteral("0.00") ? name : name + QStringLiteral("*");
        } else {
            row.value = TwoDecimals(lengths[i]);
            row.label = name;
        }
    }
    rows[8] = {QStringLiteral("計"), 12, TwoDecimals(sigmaL)};
    return rows;
}

// Returns false when the ratio lines had to be left out.
bool DrawSection(Page &page, const ReportInput &input, ReportSection section, const Totals &totals)
{
    const SectionLayout layout = LayoutOf(section);
    const double sigmaL = SectionSigmaL(totals, section);
    const double top = layout.headingRow + 1.5;
    const double b = layout.barRow;

    page.Font(BodySize, true);
    page.Text(5, layout.headingRow, layout.heading);

    page.ThinPen();
    for (int k = 0; k <= 8; ++k)
        page.Box(6, top + 1.5 * k, 16.5, 1.5);
    page.Line(17, top + 1.5, 17, top + 13.5);
    page.ThickPen();
    page.Box(6, top, 16.5, 13.5);
    page.Line(6, top + 1.5, 22.5, top + 1.5);
    page.ThinPen();

    DrawTableRows(page, top + 0.5, 20.5, PileRows(input, section, sigmaL));

    page.Font(BodySize, true);
    page.Text(26, top + 0.5, QStringLiteral("○") + RatioCaption(input.formula));

    const QString metres = QStringLiteral(" (m)");
    page.Font(SmallSize, false);
    page.MeasureDot();
    page.Text(28, layout.headingRow + 4, layout.lengthLabel);
    page.Aligned(layout.anchor, layout.headingRow + 4, TwoDecimals(totals.seepageLength), metres);
    page.Text(28, layout.headingRow + 5, layout.sigmaLabel);
    page.Aligned(layout.anchor, layout.headingRow + 5, TwoDecimals(sigmaL), metres);

    page.Font(BodySize, false);
    page.MeasureDot();
    page.Text(28, b - 0.5, QStringLiteral("Ｃ′="));
    page.LineStep(31, b, 9, 0);
    const QString length = TwoDecimals(totals.seepageLength);
    const QString sigma = TwoDecimals(sigmaL);
    if (input.formula == Formula::Lane) {
        page.LineStep(31, b - 1.5, 3.5, 0);
        page.Text(32.5, b - 1.25, QStringLiteral("3"));
        page.Centred(32, b - 2.5, length);
        page.Font(TitleSize, false);
        page.Text(35, b - 2, QStringLiteral("＋"));
        page.Font(BodySize, false);
        page.Text(36.5, b - 2, sigma);
    } else {
        page.Centred(32.5, b - 1.25, length);
        page.Font(TitleSize, false);
        page.Text(35, b - 1.25, QStringLiteral("＋"));
        page.Font(BodySize, false);
        page.Text(36.5, b - 1.25, sigma);
    }
    page.Centred(34.5, layout.headRow, TwoDecimals(HeadDifference(input.record.BaseValues)));

    const std::optional<SectionVerdict> verdict = ReportVerdict(input, section);
    if (!verdict)
        return false;
    page.Text(41.5, b - 0.5, QStringLiteral("= ") + verdict->provided);
    page.Text(28, layout.verdictRow, verdict->left);
    page.Text(35, layout.verdictRow, verdict->sign);
    page.Text(43, layout.verdictRow, verdict->verdict);
    page.Text(38, layout.verdictRow, verdict->right);
    return true;
}

}  // namespace

QString SectionName(ReportSection section)
{
    return section == ReportSection::Vertical ? QStringLiteral("鉛直方向")
                                              : QStringLiteral("水平方向");
}

std::optional<SectionVerdict> ReportVerdict(const ReportInput &input, ReportSection section)
{
    const Totals totals = ComputeTotals(input);
    const std::optional<double> ratio =
        ProvidedRatio(input.formula, totals.seepageLength, SectionSigmaL(totals, section),
                      HeadDifference(input.record.BaseValues));
    if (!ratio || !std::isfinite(*ratio))
        return std::nullopt;
    SectionVerdict result;
    result.provided = TwoDecimals(*ratio);
    const QString required = TwoDecimals(input.record.CreepRatio);
    result.ok = RatioMeetsRequirement(result.provided, required);
    result.left = QStringLiteral("Ｃ′= ") + result.provided;
    result.sign = result.ok ? QStringLiteral("≧") : QStringLiteral("＜");
    result.right = QStringLiteral("Ｃ = ") + required;
    result.verdict = result.ok ? QStringLiteral("・・・ＯＫ") : QStringLiteral("・・・ＮＧ");
    return result;
}

ReportResult DrawReport(ReportSurface &surface, const ReportInput &input)
{
    Page page(surface);
    const Totals totals = ComputeTotals(input);

    DrawTitleAndFormula(page, input.formula);
    DrawCreepRatioTable(page, input.formula, input.listIndex);
    DrawDimensions(page, input, totals.seepageLength);

    ReportResult result;
    for (ReportSection section : Sections)
        result.complete = DrawSection(page, input, section, totals) && result.complete;
    return result;
}

void DrawNotReadyNotice(ReportSurface &surface)
{
    Page page(surface);
    const QStringList lines =
        ReportNotReadyMessage().prompt.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (ReportSection section : Sections) {
        const double row = LayoutOf(section).verdictRow;
        for (int i = 0; i < int(lines.size()); ++i)
            page.Text(28, row + i, lines[i]);
    }
}

}  // namespace talven
