#include "builtprogram.h"
#include "recordingsurface.h"
#include "workedexample.h"

#include "files/controlcharacters.h"
#include "report/drawreport.h"
#include "report/paintersurface.h"
#include "report/pdffile.h"
#include "study/boxtable.h"

#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <cmath>

using namespace talven;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(talven::Formula)
Q_DECLARE_METATYPE(talven::Section)
Q_DECLARE_METATYPE(talven::Study)
Q_DECLARE_METATYPE(talven::ReportOptions)

namespace {

// The recording surface's grid: "設" and "計" at 10.5 pt.
constexpr double CharWidth = 10.5;
constexpr double LineHeight = 10.5 * 1.25;
constexpr double Tolerance = 1e-6;

using Call = RecordingSurface::Call;
using Kind = RecordingSurface::Kind;

double columnOf(double x) { return x / CharWidth; }
double rowOf(double y) { return y / LineHeight; }

Study sampleInput(Formula formula)
{
    Study input;
    input.formula = formula;
    input.soilClass = 2;
    StudyRecord &r = input.record;
    r.names = {QStringLiteral("本体"), QStringLiteral("上流翼壁"), QStringLiteral("下流翼壁"),
               QStringLiteral("計画高水位"), QStringLiteral("平水位"),
               QStringLiteral("上流"), QStringLiteral("下流"), {}, {}, {}, {}, {},
               QStringLiteral("左岸"), QStringLiteral("右岸"), {}, {}, {}, {}, {}};
    r.baseValues = {12.0, 3.5, 4.25, 5.5, 1.2};
    r.creepRatio = formula == Formula::Lane ? 6.0 : 12.0;
    r.verticalLengths = {5.0, 3.0, 0, 0, 0, 0, 0};
    r.horizontalLengths = {4.0, 4.5, 0, 0, 0, 0, 0};
    return input;
}

QList<Call> textCalls(const RecordingSurface &surface, const QString &text)
{
    QList<Call> found;
    for (const Call &call : surface.calls)
        if (call.kind == Kind::Text && call.text == text)
            found.append(call);
    return found;
}

// Every text whose top-left corner is on this row and within the given columns.
QStringList textsOnRow(const RecordingSurface &surface, double row, double fromColumn,
                       double toColumn)
{
    QStringList found;
    for (const Call &call : surface.calls)
        if (call.kind == Kind::Text && std::abs(rowOf(call.from.y()) - row) < Tolerance
            && columnOf(call.from.x()) >= fromColumn && columnOf(call.from.x()) < toColumn)
            found.append(call.text);
    return found;
}

// The column of the decimal point of a number text drawn by the report.
double columnOfPoint(const Call &call)
{
    const qsizetype point = call.text.indexOf(u'.');
    return columnOf(call.from.x() + RecordingSurface::width(call.text.left(point), call.size));
}

bool isNear(double a, double b) { return std::abs(a - b) < Tolerance; }

// A line or box given in grid units, in either direction.
bool joins(const Call &call, double a1, double b1, double a2, double b2)
{
    const QPointF p(a1 * CharWidth, b1 * LineHeight), q(a2 * CharWidth, b2 * LineHeight);
    auto same = [](QPointF u, QPointF v) { return isNear(u.x(), v.x()) && isNear(u.y(), v.y()); };
    return (same(call.from, p) && same(call.to, q)) || (same(call.from, q) && same(call.to, p));
}

QList<Call> shapesJoining(const RecordingSurface &surface, Kind kind, double a1, double b1, double a2,
                   double b2)
{
    QList<Call> found;
    for (const Call &call : surface.calls)
        if (call.kind == kind && joins(call, a1, b1, a2, b2))
            found.append(call);
    return found;
}

RecordingSurface drawnReport(const Study &input, bool printer = false)
{
    RecordingSurface surface(printer);
    const ReportResult result = drawReport(surface, input, checkStudy(input));
    Q_UNUSED(result);
    return surface;
}

}  // namespace

class TestReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sheet_data();
    void sheet();
    void casePages_data();
    void casePages();
    void elementPositions_data();
    void elementPositions();
    void frames_data();
    void frames();
    void selectedClassMark_data();
    void selectedClassMark();
    void decimalAlignment_data();
    void decimalAlignment();
    void numerator_data();
    void numerator();
    void pileRows_data();
    void pileRows();
    void dimensionRows_data();
    void dimensionRows();
    void verdicts_data();
    void verdicts();
    void zeroHeadDifference_data();
    void zeroHeadDifference();
    void pageOptions_data();
    void pageOptions();
    void painterSurfaceFont();
    void painterSurfacePens_data();
    void painterSurfacePens();
    void pdfOverAFifo();
    void pdfMetadata_data();
    void pdfMetadata();
    void controlCharacters_data();
    void controlCharacters();
};

void TestReport::elementPositions_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<double>("column");
    QTest::addColumn<double>("row");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");

    const Formula lane = Formula::Lane;
    const Formula bligh = Formula::Bligh;
    auto row = [](const char *name, Formula f, const char16_t *text, int occurrence, double a,
                  double b, double size, bool bold) {
        QTest::newRow(name) << f << QString::fromUtf16(text) << occurrence << a << b << size
                            << bold;
    };
    row("title", lane, u"遮水矢板の設計", 0, 4, 2, 12, true);
    row("section 1 heading", lane, u"１．検討方法および諸数値", 0, 5, 4, 10.5, true);
    row("formula heading", bligh, u"○計算式", 0, 6, 6.5, 10.5, true);
    row("formula symbol lane", lane, u"Ｃ≦", 0, 9, 9.5, 12, false);
    row("formula symbol bligh", bligh, u"Ｃ≦", 0, 9, 9.5, 12, false);
    row("lane L over 3", lane, u"Ｌ", 0, 12.8, 7.9, 10.5, true);
    row("lane 3 under L", lane, u"3", 0, 12.9, 8.9, 10.5, false);
    row("bligh L", bligh, u"Ｌ", 0, 13.4, 8.4, 12, true);
    row("formula plus", bligh, u"＋", 0, 14.5, 8.4, 12, false);
    row("formula sigma", lane, u"ΣL", 0, 15.7, 8.4, 12, false);
    row("formula head", lane, u"⊿Ｈ", 0, 13.5, 10.25, 12, false);
    row("legend L", lane, u" Ｌ", 0, 10, 16.4, 9, true);
    row("legend lane", lane, u"：加重クリープ比", 0, 12.5, 14.9, 9, false);
    row("legend bligh", bligh, u"：クリープ比", 0, 12.5, 14.9, 9, false);
    row("legend sigma", bligh, u"：遮水矢板等の浸透経路長(m)", 0, 12.5, 17.9, 9, false);
    row("legend head", bligh, u"：内外水位差(m)", 0, 12.5, 19.4, 9, false);
    row("table title lane", lane, u"加重クリープ比", 0, 33, 3.5, 9, true);
    row("table title bligh", bligh, u"クリープ比", 0, 33, 3.5, 9, true);
    row("table header", lane, u"区分   (◆は選択区分を示す)", 0, 34.5, 5.5, 9, false);
    row("table header ratio", bligh, u"Ｃ", 0, 49, 5.5, 9, false);
    row("lane last class", lane, u"堅い粘土", 0, 34.5, 22, 9, false);
    row("lane last ratio", lane, u"1.8", 0, 49, 22, 9, false);
    row("lane source", lane, u"柔構造樋門設計の手引き(P.189)", 0, 34.5, 23.5, 9, false);
    row("bligh ranged class", bligh, u"5～9", 0, 49, 11.5, 9, false);
    row("bligh last class", bligh, u"砂利混じり玉石", 0, 34.5, 13, 9, false);
    row("bligh source", bligh, u"樋門樋管の設計と考え方(P.143)", 0, 34.5, 14.5, 9, false);
    row("section 2 heading", lane, u"２．形状寸法および水位差", 0, 5, 24, 10.5, true);
    row("dimensions heading", bligh, u"○形状寸法", 0, 6, 26.5, 10.5, true);
    row("dimension table header", lane, u"各構造部寸法 (m)", 0, 7, 28.5, 9, false);
    row("dimension name", lane, u"上流翼壁", 0, 8, 31.5, 9, false);
    row("water levels heading", lane, u"○内外水位差", 0, 26, 26.5, 10.5, true);
    row("water level 1 name", lane, u"計画高水位", 0, 28, 28.5, 10.5, false);
    row("water level 2 label", bligh, u"WL2  = ", 0, 40, 30, 10.5, false);
    row("water level unit", bligh, u"(m)", 1, 47, 30, 10.5, false);
    row("head difference minus", lane, u"-", 0, 32.75, 32.5, 10.5, false);
    row("head difference values", lane, u"= 5.50 - 1.20", 0, 35.5, 32.5, 10.5, false);
    row("section 3 heading", lane, u"３．鉛直方向の計算", 0, 5, 37, 10.5, true);
    row("section 4 heading", bligh, u"４．水平方向の計算", 0, 5, 53, 10.5, true);
    row("pile table header 3", lane, u"矢板長 (m) 　(*の部分は往復の延長)", 0, 7, 39, 9, false);
    row("pile table header 4", lane, u"矢板長 (m) 　(*の部分は往復の延長)", 1, 7, 55, 9, false);
    row("pile name 3", lane, u"下流", 0, 8, 42, 9, false);
    row("pile name 4", bligh, u"右岸", 0, 8, 58, 9, false);
    row("sub-heading 3 lane", lane, u"○加重クリープ比", 0, 26, 39, 10.5, true);
    row("sub-heading 4 bligh", bligh, u"○クリープ比", 1, 26, 55, 10.5, true);
    row("length label 3", lane, u"・形状寸法 （Ｌ）=", 0, 28, 41, 9, false);
    row("sigma label 3", bligh, u"・矢板長   (ΣL) =", 0, 28, 42, 9, false);
    row("length label 4", bligh, u"・形状寸法（Ｌ）=", 0, 28, 57, 9, false);
    row("sigma label 4", lane, u"・矢板長　(ΣL) =", 0, 28, 58, 9, false);
    row("ratio symbol 3", lane, u"Ｃ′=", 0, 28, 47, 10.5, false);
    row("ratio symbol 4", bligh, u"Ｃ′=", 1, 28, 63, 10.5, false);
    row("lane 3 of section 3", lane, u"3", 1, 32.5, 46.25, 10.5, false);
    row("lane 3 of section 4", lane, u"3", 2, 32.5, 62.25, 10.5, false);
    row("lane plus 3", lane, u"＋", 1, 35, 45.5, 12, false);
    row("lane plus 4", lane, u"＋", 2, 35, 61.5, 12, false);
    row("bligh plus 3", bligh, u"＋", 1, 35, 46.25, 12, false);
    row("bligh plus 4", bligh, u"＋", 2, 35, 62.25, 12, false);
    row("lane sigma 3", lane, u"8.00", 1, 36.5, 45.5, 10.5, false);
    row("bligh sigma 4", bligh, u"8.50", 1, 36.5, 62.25, 10.5, false);
}

void TestReport::elementPositions()
{
    QFETCH(Formula, formula);
    QFETCH(QString, text);
    QFETCH(int, occurrence);
    QFETCH(double, column);
    QFETCH(double, row);
    QFETCH(double, size);
    QFETCH(bool, bold);

    const RecordingSurface surface = drawnReport(sampleInput(formula));
    const QList<Call> found = textCalls(surface, text);
    QVERIFY2(found.size() > occurrence,
             qPrintable(QStringLiteral("%1 drawn %2 times").arg(text).arg(found.size())));
    const Call &call = found[occurrence];
    QVERIFY2(isNear(columnOf(call.from.x()), column) && isNear(rowOf(call.from.y()), row),
             qPrintable(QStringLiteral("%1 at (%2, %3), expected (%4, %5)")
                            .arg(text).arg(columnOf(call.from.x())).arg(rowOf(call.from.y()))
                            .arg(column).arg(row)));
    QCOMPARE(call.size, size);
    QCOMPARE(call.bold, bold);
    QCOMPARE(call.font, QStringLiteral("ＭＳ 明朝"));
}

void TestReport::frames_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<bool>("printer");
    QTest::addColumn<double>("tableBottom");
    QTest::addColumn<int>("thick");

    QTest::newRow("lane preview") << Formula::Lane << false << 23.0 << 2;
    QTest::newRow("lane printer") << Formula::Lane << true << 23.0 << 6;
    QTest::newRow("bligh preview") << Formula::Bligh << false << 14.0 << 2;
    QTest::newRow("bligh printer") << Formula::Bligh << true << 14.0 << 6;
}

void TestReport::frames()
{
    QFETCH(Formula, formula);
    QFETCH(bool, printer);
    QFETCH(double, tableBottom);
    QFETCH(int, thick);

    const RecordingSurface surface = drawnReport(sampleInput(formula), printer);
    struct Expected {
        Kind kind;
        double a1, b1, a2, b2;
        int width;
    };
    const Expected expected[] = {
        // creep-ratio table: outline, value column and header rule thick, cells thin
        {Kind::Box, 33, 5, 51.5, tableBottom, thick},
        {Kind::Line, 48, 5, 48, tableBottom, thick},
        {Kind::Line, 33, 6.5, 51.5, 6.5, thick},
        {Kind::Box, 33, tableBottom - 1.5, 51.5, tableBottom, 1},
        // dimension table
        {Kind::Box, 6, 28, 22.5, 35.5, thick},
        {Kind::Line, 6, 29.5, 22.5, 29.5, thick},
        {Kind::Line, 17, 29.5, 17, 35.5, 1},
        {Kind::Box, 6, 34, 22.5, 35.5, 1},
        {Kind::Line, 28, 32, 48.5, 32, 1},
        // pile tables
        {Kind::Box, 6, 38.5, 22.5, 52, thick},
        {Kind::Line, 6, 40, 22.5, 40, thick},
        {Kind::Line, 17, 40, 17, 52, 1},
        {Kind::Box, 6, 50.5, 22.5, 52, 1},
        {Kind::Box, 6, 54.5, 22.5, 68, thick},
        {Kind::Line, 6, 56, 22.5, 56, thick},
        {Kind::Box, 6, 66.5, 22.5, 68, 1},
        // fraction bars
        {Kind::Line, 12, 10.1, 18.5, 10.1, 1},
        {Kind::Line, 31, 47.5, 40, 47.5, 1},
        {Kind::Line, 31, 63.5, 40, 63.5, 1},
    };
    for (const Expected &e : expected) {
        const QList<Call> found = shapesJoining(surface, e.kind, e.a1, e.b1, e.a2, e.b2);
        const QString where =
            QStringLiteral("(%1, %2)-(%3, %4)").arg(e.a1).arg(e.b1).arg(e.a2).arg(e.b2);
        QVERIFY2(found.size() == 1, qPrintable(where + QStringLiteral(" drawn %1 times")
                                                          .arg(found.size())));
        QVERIFY2(found[0].drawWidth == e.width,
                 qPrintable(where + QStringLiteral(" width %1").arg(found[0].drawWidth)));
    }
    int creepCells = 0;
    for (const Call &call : surface.calls) {
        QVERIFY(call.kind == Kind::Text || call.drawWidth == 1 || call.drawWidth == thick);
        if (call.kind == Kind::Box && call.drawWidth == 1 && isNear(columnOf(call.from.x()), 33))
            ++creepCells;
        // Nothing below the table's frame in the table's columns before section 2.
        if (call.kind == Kind::Text && columnOf(call.from.x()) >= 33 && rowOf(call.from.y()) < 24)
            QVERIFY2(rowOf(call.from.y()) <= tableBottom + 0.5, qPrintable(call.text));
    }
    QCOMPARE(creepCells, int(soilClasses(formula).size()) + 1);
    QCOMPARE(surface.drawWidth, 1);
}

void TestReport::selectedClassMark_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<double>("row");

    QTest::newRow("lane none on the header") << Formula::Lane << -1 << 5.5;
    QTest::newRow("lane first") << Formula::Lane << 0 << 7.0;
    QTest::newRow("lane last") << Formula::Lane << 10 << 22.0;
    QTest::newRow("bligh none on the header") << Formula::Bligh << -1 << 5.5;
    QTest::newRow("bligh ranged class") << Formula::Bligh << 3 << 11.5;
    QTest::newRow("bligh last") << Formula::Bligh << 4 << 13.0;
}

void TestReport::selectedClassMark()
{
    QFETCH(Formula, formula);
    QFETCH(int, listIndex);
    QFETCH(double, row);

    Study input = sampleInput(formula);
    input.soilClass = listIndex;
    const RecordingSurface surface = drawnReport(input);
    const QList<Call> marks = textCalls(surface, QStringLiteral("◆"));
    QCOMPARE(marks.size(), 1);
    QVERIFY2(isNear(columnOf(marks[0].from.x()), 33.5) && isNear(rowOf(marks[0].from.y()), row),
             qPrintable(QStringLiteral("◆ at (%1, %2)")
                            .arg(columnOf(marks[0].from.x())).arg(rowOf(marks[0].from.y()))));
    QCOMPARE(marks[0].size, 9.0);
}

void TestReport::decimalAlignment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<double>("pointColumn");
    QTest::addColumn<double>("row");

    // WL1 -1.2, WL2 -3.45, vertical piles 12.34 and 2.5, members 100 + 2 + 3.
    QTest::newRow("negative water level 1") << QStringLiteral("-1.20") << 0 << 45.0 << 28.5;
    QTest::newRow("negative water level 2") << QStringLiteral("-3.45") << 0 << 45.0 << 30.0;
    QTest::newRow("head difference") << QStringLiteral("2.25") << 0 << 45.0 << 33.5;
    QTest::newRow("three-digit member") << QStringLiteral("100.00") << 0 << 20.0 << 30.0;
    QTest::newRow("one-digit member") << QStringLiteral("2.00") << 0 << 20.0 << 31.5;
    QTest::newRow("member total") << QStringLiteral("105.00") << 0 << 20.0 << 34.5;
    QTest::newRow("two-digit pile") << QStringLiteral("12.34") << 0 << 20.5 << 40.5;
    QTest::newRow("one-digit pile") << QStringLiteral("2.50") << 0 << 20.5 << 42.0;
    QTest::newRow("pile total") << QStringLiteral("14.84") << 0 << 20.5 << 51.0;
    QTest::newRow("length section 3") << QStringLiteral("105.00 (m)") << 0 << 38.0 << 41.0;
    QTest::newRow("sigma section 3") << QStringLiteral("14.84 (m)") << 0 << 38.0 << 42.0;
    QTest::newRow("length section 4") << QStringLiteral("105.00 (m)") << 1 << 37.0 << 57.0;
}

void TestReport::decimalAlignment()
{
    QFETCH(QString, text);
    QFETCH(int, occurrence);
    QFETCH(double, pointColumn);
    QFETCH(double, row);

    Study input = sampleInput(Formula::Lane);
    input.record.baseValues = {100.0, 2.0, 3.0, -1.2, -3.45};
    input.record.verticalLengths = {12.34, 2.5, 0, 0, 0, 0, 0};
    const RecordingSurface surface = drawnReport(input);
    const QList<Call> found = textCalls(surface, text);
    QVERIFY2(found.size() > occurrence, qPrintable(text));
    const Call &call = found[occurrence];
    QVERIFY2(isNear(columnOfPoint(call), pointColumn) && isNear(rowOf(call.from.y()), row),
             qPrintable(QStringLiteral("point of %1 at column %2 row %3")
                            .arg(text).arg(columnOfPoint(call)).arg(rowOf(call.from.y()))));

    // The numbers of the tables share one column of points: a wider number
    // starts one dot width (9 pt here) further left per extra digit.
    const Call twoDigits = textCalls(surface, QStringLiteral("12.34")).first();
    const Call oneDigit = textCalls(surface, QStringLiteral("2.50")).first();
    QCOMPARE(oneDigit.from.x() - twoDigits.from.x(), RecordingSurface::width(QStringLiteral("."), 9));
}

void TestReport::numerator_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<Section>("section");
    QTest::addColumn<double>("lengthCentre");
    QTest::addColumn<double>("lengthRow");
    QTest::addColumn<double>("sigmaRow");
    QTest::addColumn<double>("headRow");

    QTest::newRow("lane vertical") << Formula::Lane << Section::Vertical << 32.0 << 45.0
                                   << 45.5 << 48.0;
    QTest::newRow("lane horizontal") << Formula::Lane << Section::Horizontal << 32.0
                                     << 61.0 << 61.5 << 63.75;
    QTest::newRow("bligh vertical") << Formula::Bligh << Section::Vertical << 32.5
                                    << 46.25 << 46.25 << 48.0;
    QTest::newRow("bligh horizontal") << Formula::Bligh << Section::Horizontal << 32.5
                                      << 62.25 << 62.25 << 63.75;
}

void TestReport::numerator()
{
    QFETCH(Formula, formula);
    QFETCH(Section, section);
    QFETCH(double, lengthCentre);
    QFETCH(double, lengthRow);
    QFETCH(double, sigmaRow);
    QFETCH(double, headRow);

    // L 19.75, ΔH 4.30, ΣL 8.00 vertical and 8.50 horizontal.
    const RecordingSurface surface = drawnReport(sampleInput(formula));
    const int index = section == Section::Vertical ? 0 : 1;
    const double dot = RecordingSurface::width(QStringLiteral("."), 10.5);

    // Centred: the start moves left by half a dot width per character beyond "0.0".
    const QList<Call> lengths = textCalls(surface, QStringLiteral("19.75"));
    QCOMPARE(lengths.size(), 3);  // the dimension total, then the two numerators
    const Call &length = lengths[index + 1];
    QVERIFY2(isNear(columnOf(length.from.x() + dot), lengthCentre) && isNear(rowOf(length.from.y()), lengthRow),
             qPrintable(QStringLiteral("L at (%1, %2)").arg(columnOf(length.from.x()))
                            .arg(rowOf(length.from.y()))));
    QCOMPARE(length.size, 10.5);

    const QString sigmaText = index == 0 ? QStringLiteral("8.00") : QStringLiteral("8.50");
    const Call sigma = textCalls(surface, sigmaText).last();
    QVERIFY2(isNear(columnOf(sigma.from.x()), 36.5) && isNear(rowOf(sigma.from.y()), sigmaRow),
             qPrintable(QStringLiteral("ΣL at (%1, %2)").arg(columnOf(sigma.from.x()))
                            .arg(rowOf(sigma.from.y()))));

    const QList<Call> heads = textCalls(surface, QStringLiteral("4.30"));
    QCOMPARE(heads.size(), 3);  // section 2, then the two denominators
    const Call &head = heads[index + 1];
    QVERIFY2(isNear(columnOf(head.from.x() + dot / 2), 34.5) && isNear(rowOf(head.from.y()), headRow),
             qPrintable(QStringLiteral("ΔH at (%1, %2)").arg(columnOf(head.from.x()))
                            .arg(rowOf(head.from.y()))));

    // Lane's L stands over a short bar and a "3"; Bligh's numerator is one line.
    int shortBars = 0;
    for (const Call &call : surface.calls)
        if (call.kind == Kind::Line && isNear(columnOf(call.from.x()), 31) && isNear(columnOf(call.to.x()), 34.5))
            ++shortBars;
    QCOMPARE(shortBars, formula == Formula::Lane ? 2 : 0);
}

void TestReport::pileRows_data()
{
    QTest::addColumn<Section>("section");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("length");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("total");

    const auto v = Section::Vertical;
    const auto h = Section::Horizontal;
    const QString name = QStringLiteral("止水矢板");
    QTest::newRow("ticked doubles") << v << name << 2.5 << true << name + u'*' << QStringLiteral("5.00") << QStringLiteral("5.00");
    QTest::newRow("unticked") << v << name << 2.5 << false << name << QStringLiteral("2.50") << QStringLiteral("2.50");
    QTest::newRow("ticked zero named") << h << name << 0.0 << true << name << QStringLiteral("0.00") << QStringLiteral("0.00");
    QTest::newRow("unticked zero named") << h << name << 0.0 << false << name << QStringLiteral("0.00") << QStringLiteral("0.00");
    QTest::newRow("ticked zero unnamed") << v << QString() << 0.0 << true << QString() << QString() << QStringLiteral("0.00");
    QTest::newRow("unticked zero unnamed") << h << QString() << 0.0 << false << QString() << QString() << QStringLiteral("0.00");
    QTest::newRow("unnamed with length") << v << QString() << 3.0 << false << QString() << QStringLiteral("3.00") << QStringLiteral("3.00");
    QTest::newRow("unnamed ticked") << h << QString() << 3.0 << true << QStringLiteral("*") << QStringLiteral("6.00") << QStringLiteral("6.00");
    QTest::newRow("blanks trimmed") << v << QStringLiteral("  左岸 ") << 1.0 << true << QStringLiteral("左岸*") << QStringLiteral("2.00") << QStringLiteral("2.00");
    QTest::newRow("only blanks") << h << QStringLiteral("   ") << 0.0 << false << QString() << QString() << QStringLiteral("0.00");
    QTest::newRow("tiny doubled stays 0.00") << v << name << 0.002 << true << name << QStringLiteral("0.00") << QStringLiteral("0.00");
    // A pile counts as its box shows it once left: 0.003 is 0.00, twice 0.00.
    QTest::newRow("doubled after rounding") << h << name << 0.003 << true << name << QStringLiteral("0.00") << QStringLiteral("0.00");
    QTest::newRow("doubled rounds up") << h << name << 0.005 << true << name + u'*' << QStringLiteral("0.02") << QStringLiteral("0.02");
}

void TestReport::pileRows()
{
    QFETCH(Section, section);
    QFETCH(QString, name);
    QFETCH(double, length);
    QFETCH(bool, ticked);
    QFETCH(QString, label);
    QFETCH(QString, value);
    QFETCH(QString, total);

    // Pile 3 of the section; every other pile is unnamed and 0.
    Study input = sampleInput(Formula::Bligh);
    input.record.names = {};
    input.record.verticalLengths = {};
    input.record.horizontalLengths = {};
    const bool vertical = section == Section::Vertical;
    input.record.names[(vertical ? FirstVerticalPileName : FirstHorizontalPileName) + 3] = name;
    (vertical ? input.record.verticalLengths : input.record.horizontalLengths)[3] = length;
    input = setDoubleTick(input, vertical ? Section::Vertical : Section::Horizontal, 3, ticked);
    const RecordingSurface surface = drawnReport(input);

    const double top = vertical ? 38.5 : 54.5;
    const double row = top + 0.5 + 1.5 * 4;
    QStringList expected;
    if (!label.isEmpty())
        expected.append(label);
    if (!value.isEmpty())
        expected.append(value);
    QCOMPARE(textsOnRow(surface, row, 6, 22.5), expected);
    for (const Call &call : surface.calls) {
        if (call.kind != Kind::Text || !isNear(rowOf(call.from.y()), row) || columnOf(call.from.x()) > 22.5)
            continue;
        if (call.text == label)
            QCOMPARE(columnOf(call.from.x()), 8.0);
        else
            QCOMPARE(columnOfPoint(call), 20.5);
    }
    // Every other pile row is blank; the total always shows.
    for (int k = 1; k <= 7; ++k)
        if (k != 4)
            QVERIFY(textsOnRow(surface, top + 0.5 + 1.5 * k, 6, 22.5).isEmpty());
    QCOMPARE(textsOnRow(surface, top + 12.5, 6, 22.5), QStringList({QStringLiteral("計"), total}));
}

void TestReport::dimensionRows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("dimension");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("total");

    QTest::newRow("unnamed zero is blank") << QString() << 0.0 << QStringList()
                                           << QStringLiteral("0.00");
    QTest::newRow("named zero") << QStringLiteral("本体") << 0.0
                                << QStringList({QStringLiteral("本体"), QStringLiteral("0.00")})
                                << QStringLiteral("0.00");
    QTest::newRow("unnamed value") << QString() << 7.25 << QStringList({QStringLiteral("7.25")})
                                   << QStringLiteral("7.25");
    QTest::newRow("trimmed name") << QStringLiteral(" 本体  ") << 1.0
                                  << QStringList({QStringLiteral("本体"), QStringLiteral("1.00")})
                                  << QStringLiteral("1.00");
}

void TestReport::dimensionRows()
{
    QFETCH(QString, name);
    QFETCH(double, dimension);
    QFETCH(QStringList, texts);
    QFETCH(QString, total);

    Study input = sampleInput(Formula::Lane);
    input.record.names[0] = name;
    input.record.baseValues[0] = dimension;
    input.record.names[1] = QString();
    input.record.baseValues[1] = 0.0;
    input.record.names[2] = QString();
    input.record.baseValues[2] = 0.0;
    const RecordingSurface surface = drawnReport(input);
    QCOMPARE(textsOnRow(surface, 30, 6, 22.5), texts);
    QVERIFY(textsOnRow(surface, 31.5, 6, 22.5).isEmpty());
    QVERIFY(textsOnRow(surface, 33, 6, 22.5).isEmpty());
    QCOMPARE(textsOnRow(surface, 34.5, 6, 22.5), QStringList({QStringLiteral("計"), total}));
}

void TestReport::verdicts_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<double>("member");
    QTest::addColumn<double>("pile");
    QTest::addColumn<double>("wl1");
    QTest::addColumn<double>("wl2");
    QTest::addColumn<QString>("provided");
    QTest::addColumn<QString>("required");
    QTest::addColumn<bool>("ok");

    // A ratio a little below a whole C that rounds to it passes in both sections.
    QTest::newRow("bligh rounds up to C") << Formula::Bligh << 3.0 << 0.0 << 2.996 << 1.0 << 0.0
                                          << "3.00" << "3.00" << true;
    QTest::newRow("lane rounds up to C") << Formula::Lane << 3.0 << 3.0 << 1.996 << 1.0 << 0.0
                                         << "3.00" << "3.00" << true;
    QTest::newRow("bligh equal") << Formula::Bligh << 4.0 << 2.0 << 6.0 << 2.0 << 0.0 << "4.00"
                                 << "4.00" << true;
    QTest::newRow("bligh rounds down below C") << Formula::Bligh << 3.0 << 0.0 << 2.994 << 1.0
                                               << 0.0 << "2.99" << "3.00" << false;
    QTest::newRow("lane well above") << Formula::Lane << 8.5 << 12.0 << 20.0 << 3.0 << 0.5
                                     << "9.60" << "8.50" << true;
    QTest::newRow("lane below") << Formula::Lane << 8.5 << 6.0 << 9.0 << 2.0 << 0.0 << "5.50"
                                << "8.50" << false;
    QTest::newRow("bligh typed fraction") << Formula::Bligh << 7.4 << 0.0 << 7.38 << 1.0 << 0.0
                                          << "7.38" << "7.40" << false;
    QTest::newRow("negative head") << Formula::Bligh << 4.0 << 2.0 << 2.0 << 0.0 << 1.0 << "-4.00"
                                   << "4.00" << false;
}

void TestReport::verdicts()
{
    QFETCH(Formula, formula);
    QFETCH(double, creepRatio);
    QFETCH(double, member);
    QFETCH(double, pile);
    QFETCH(double, wl1);
    QFETCH(double, wl2);
    QFETCH(QString, provided);
    QFETCH(QString, required);
    QFETCH(bool, ok);

    Study input = sampleInput(formula);
    input.record.baseValues = {member, 0.0, 0.0, wl1, wl2};
    input.record.creepRatio = creepRatio;
    input.record.verticalLengths = {pile, 0, 0, 0, 0, 0, 0};
    input.record.horizontalLengths = {0, 0, 0, 0, 0, 0, pile};
    RecordingSurface surface;
    QVERIFY(drawReport(surface, input, checkStudy(input)).complete);

    const QString sign = ok ? QStringLiteral("≧") : QStringLiteral("＜");
    const QString verdict = ok ? QStringLiteral("・・・ＯＫ") : QStringLiteral("・・・ＮＧ");
    const QString left = QStringLiteral("Ｃ′= ") + provided;
    const QString right = QStringLiteral("Ｃ = ") + required;
    for (int section = 0; section < 2; ++section) {
        const double row = section == 0 ? 50 : 66;
        QCOMPARE(textsOnRow(surface, row, 0, 60), QStringList({left, sign, verdict, right}));
        for (const auto &[text, column] : {std::pair{left, 28.0}, std::pair{sign, 35.0},
                                           std::pair{verdict, 43.0}, std::pair{right, 38.0}}) {
            const Call call = textCalls(surface, text)[section];
            QCOMPARE(columnOf(call.from.x()), column);
            QCOMPARE(call.size, 10.5);
            QCOMPARE(call.bold, false);
        }
        QCOMPARE(textsOnRow(surface, section == 0 ? 47 : 63, 41, 60),
                 QStringList({QStringLiteral("= ") + provided}));
        const ReportVerdictLine line =
            reportVerdictLine(checkStudy(input), section == 0 ? Section::Vertical : Section::Horizontal);
        QCOMPARE(line.items(), QStringList({left, sign, right, verdict}));
    }
}

void TestReport::zeroHeadDifference_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<double>("level");
    QTest::newRow("lane") << Formula::Lane << 2.5;
    QTest::newRow("bligh") << Formula::Bligh << 0.0;
    QTest::newRow("bligh negative levels") << Formula::Bligh << -3.25;
}

void TestReport::zeroHeadDifference()
{
    QFETCH(Formula, formula);
    QFETCH(double, level);

    Study input = sampleInput(formula);
    input.record.baseValues[3] = level;
    input.record.baseValues[4] = level;
    RecordingSurface surface;
    QVERIFY(!drawReport(surface, input, checkStudy(input)).complete);
    QVERIFY(!checkStudy(input).section(Section::Vertical).verdict);
    QVERIFY(!checkStudy(input).section(Section::Horizontal).verdict);

    for (const Call &call : surface.calls) {
        QVERIFY2(!call.text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)
                     && !call.text.contains(QStringLiteral("nan"), Qt::CaseInsensitive),
                 qPrintable(call.text));
        QVERIFY2(!call.text.startsWith(QStringLiteral("・・・")), qPrintable(call.text));
    }
    for (double row : {47.0, 50.0, 63.0, 66.0})
        QVERIFY2(textsOnRow(surface, row, 29, 60).isEmpty(), qPrintable(QString::number(row)));
    // Everything else is there: both denominators, section 4's table and numerator.
    QCOMPARE(textsOnRow(surface, 48, 30, 40), QStringList({QStringLiteral("0.00")}));
    QCOMPARE(textsOnRow(surface, 63.75, 30, 40), QStringList({QStringLiteral("0.00")}));
    QCOMPARE(textsOnRow(surface, 68 - 1, 6, 22.5), QStringList({QStringLiteral("計"), QStringLiteral("8.50")}));
    QCOMPARE(shapesJoining(surface, Kind::Box, 6, 54.5, 22.5, 68).size(), 1);
    QCOMPARE(textCalls(surface, QStringLiteral("Ｃ′=")).size(), 2);
    QCOMPARE(surface.drawWidth, 1);

    // The caller may write the readiness message where the verdicts would stand.
    RecordingSurface notice;
    drawNotReadyNotice(notice, reportNotReadyMessage().prompt);
    for (double row : {50.0, 66.0}) {
        QCOMPARE(textsOnRow(notice, row, 28, 29), QStringList({QStringLiteral("水位データおよび")}));
        QCOMPARE(textsOnRow(notice, row + 1, 28, 29),
                 QStringList({QStringLiteral("クリープ比の選択を確認してください")}));
    }
    QCOMPARE(notice.calls.size(), 4);
}

void TestReport::pageOptions_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<ReportOptions>("options");
    QTest::addColumn<QStringList>("added");  // the texts drawn besides today's page, in order

    const Study example = workedExample();
    Study bligh = example;  // C 4: both sections OK
    bligh.formula = Formula::Bligh;
    bligh.record.creepRatio = 4.0;
    Study notReady = example;
    notReady.record.creepRatio = 0.0;

    ReportOptions all;
    all.titleBlock = {u"○○川樋門詳細設計"_s, u"樋門A"_s, u"タルヴェン設計"_s, u"山田"_s, u"鈴木"_s, u"2026年12月7日"_s};
    ReportOptions some;
    some.titleBlock.job = u"業務"_s;
    some.titleBlock.date = u"令和8年"_s;
    some.titleBlock.company = u"　 "_s;  // blanks only: no bare label
    ReportOptions figures;
    figures.figures = true;
    ReportOptions footer;
    footer.footer = true;
    footer.fileName = u"樋門A.vek"_s;
    ReportOptions longJob;
    longJob.titleBlock.job = QString(60, u'長');
    ReportOptions longerJob;
    longerJob.titleBlock.job = QString(20000, u'長');
    ReportOptions smallerJob;
    smallerJob.titleBlock.job = QString(42, u'長');
    ReportOptions longCompany;
    longCompany.titleBlock.company = u"株式会社テスト建設コンサルタント東日本支社設計第二部門技術部"_s;
    ReportOptions label;
    label.pageLabel = u"3-12"_s;
    ReportOptions margins;
    margins.margins = true;

    QTest::newRow("everything off") << example << ReportOptions() << QStringList();
    QTest::newRow("title block, every field")
        << example << all
        << QStringList{u"業務名：○○川樋門詳細設計"_s, u"構造物名：樋門A"_s, u"作成日：2026年12月7日"_s,
                       u"会社名：タルヴェン設計"_s, u"設計者：山田"_s, u"照査者：鈴木"_s};
    QTest::newRow("title block, some fields") << example << some << QStringList{u"業務名：業務"_s, u"作成日：令和8年"_s};
    // 36.5 columns in a grid of 10.5 pt: 46 characters at 8 pt, 54 at 7 pt on each of two lines.
    QTest::newRow("a job a little long is set smaller, whole") << example << smallerJob
                                                               << QStringList{u"業務名："_s + QString(42, u'長')};
    QTest::newRow("a long job takes two lines")
        << example << longJob << QStringList{u"業務名："_s + QString(50, u'長'), QString(10, u'長')};
    QTest::newRow("a job of 20,000 characters is cut on its second line")
        << example << longerJob << QStringList{u"業務名："_s + QString(50, u'長'), QString(53, u'長') + u"…"_s};
    QTest::newRow("a company of 30 characters, whole on two lines")
        << example << longCompany
        << QStringList{u"会社名：株式会社テスト建設コンサルタント東日本支社"_s, u"設計第二部門技術部"_s};
    QTest::newRow("figures, NG")
        << example << figures
        << QStringList{u"必要 ΣL = 15.00 (m)　　ΣL の過不足　不足 6.00 m"_s,
                       u"許容水位差 ⊿H = 1.29 m（外水位 WL1 = 2.29 m まで）"_s,
                       u"必要 ΣL = 15.00 (m)　　ΣL の過不足　不足 5.00 m"_s,
                       u"許容水位差 ⊿H = 1.41 m（外水位 WL1 = 2.41 m まで）"_s};
    QTest::newRow("figures, OK")
        << bligh << figures
        << QStringList{u"必要 ΣL = 2.00 (m)　　ΣL の過不足　余裕 7.00 m"_s,
                       u"許容水位差 ⊿H = 3.75 m（外水位 WL1 = 4.75 m まで）"_s,
                       u"必要 ΣL = 2.00 (m)　　ΣL の過不足　余裕 8.00 m"_s,
                       u"許容水位差 ⊿H = 4.00 m（外水位 WL1 = 5.00 m まで）"_s};
    QTest::newRow("figures, not ready") << notReady << figures << QStringList();
    QTest::newRow("footer") << example << footer << QStringList{u"樋門A.vek"_s, u"1 / 1"_s};
    ReportOptions named;  // the window always knows the file; only the footer prints it
    named.fileName = footer.fileName;
    QTest::newRow("a file name, footer off") << example << named << QStringList();
    QTest::newRow("page label") << example << label << QStringList{u"3-12"_s, u"1 / 1"_s};
    QTest::newRow("margins") << example << margins << QStringList();
}

// What the options add comes after today's page, which stays element for
// element as it was, and no added text runs into another text.
void TestReport::pageOptions()
{
    QFETCH(Study, input);
    QFETCH(ReportOptions, options);
    const StudyCheck check = checkStudy(input);
    RecordingSurface plain, full;
    ReportOptions placed;
    placed.margins = options.margins;
    Q_UNUSED(drawReport(plain, input, check, placed));
    Q_UNUSED(drawReport(full, input, check, options));
    // Within the margins every corner lies 15 mm from the top and bottom, 20 mm
    // from the left and 10 mm from the right; without them the title stands
    // left of 20 mm, as it always did.
    const QRectF room = QRectF(full.sheet()).adjusted(20 * full.PerMillimetre, 15 * full.PerMillimetre,
                                                     -10 * full.PerMillimetre, -15 * full.PerMillimetre);
    bool inside = true;
    for (const Call &call : full.calls)
        inside = inside && room.contains(call.from) && (call.kind == Kind::Text || room.contains(call.to));
    QCOMPARE(inside, options.margins);
    QCOMPARE(full.calls.mid(0, plain.calls.size()), plain.calls);
    const QList<Call> added = full.calls.mid(plain.calls.size());
    QStringList texts;
    for (const Call &call : added)
        texts << call.text;
    QTEST(texts, "added");

    // What lies beyond a slot is never measured: a text of any length costs
    // what its first 1,000 characters cost.
    ReportOptions shortened = options;
    TitleBlock &block = shortened.titleBlock;
    for (QString *field : {&block.job, &block.structure, &block.company, &block.designer, &block.checker, &block.date})
        field->truncate(1000);
    RecordingSurface reference;
    Q_UNUSED(drawReport(reference, input, check, shortened));
    QCOMPARE(full.measured, reference.measured);

    auto area = [](const Call &call) {
        return QRectF(call.from, QSizeF(RecordingSurface::width(call.text, call.size), call.size * 1.25));
    };
    for (const Call &call : added) {
        QVERIFY2(area(call).right() <= 51.5 * CharWidth + Tolerance, qPrintable(call.text));
        for (const Call &other : full.calls) {
            if (other.kind == Kind::Text && !(other == call))
                QVERIFY2(!area(call).intersects(area(other)), qPrintable(call.text + u" / "_s + other.text));
        }
    }
}

void TestReport::painterSurfaceFont()
{
    registerReportFonts();
    QFont font(QStringLiteral("ＭＳ 明朝"));
    const QString family = QFontInfo(font).family();
    QVERIFY2(family == QStringLiteral("IPAMincho") || family == QStringLiteral("IPA明朝"),
             qPrintable(family));
    QFont gothic(QStringLiteral("ＭＳ Ｐゴシック"));
    QVERIFY2(QFontInfo(gothic).family().contains(QStringLiteral("P")),
             qPrintable(QFontInfo(gothic).family()));

    QImage image(200, 200, QImage::Format_ARGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    PainterSurface surface(painter, false);
    surface.setFont(QStringLiteral("ＭＳ 明朝"));
    surface.setFontSize(10.5);
    // A full-width character is one em: 10.5 pt at 96 dpi is 14 pixels.
    const double full = surface.textWidth(QStringLiteral("設"));
    QVERIFY2(std::abs(full - 14.0) < 0.6, qPrintable(QString::number(full)));
    // Decimal alignment relies on every digit, "-" and "." having one width.
    const double dot = surface.textWidth(QStringLiteral("."));
    for (const QString &c : {QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("-")})
        QVERIFY2(std::abs(surface.textWidth(c) - dot) < 1e-9, qPrintable(c));
    QVERIFY2(std::abs(dot - full / 2) < 0.6, qPrintable(QString::number(dot)));
}

void TestReport::painterSurfacePens_data()
{
    QTest::addColumn<bool>("printer");
    QTest::addColumn<int>("dotsPerMeter");
    QTest::addColumn<int>("thick");
    QTest::addColumn<int>("thin");

    QTest::newRow("preview at 96 dpi") << false << 3780 << 2 << 1;
    QTest::newRow("printer at 600 dpi") << true << 23622 << 6 << 1;
}

void TestReport::painterSurfacePens()
{
    QFETCH(bool, printer);
    QFETCH(int, dotsPerMeter);
    QFETCH(int, thick);
    QFETCH(int, thin);

    registerReportFonts();
    // Wide enough for the creep-ratio table, down to row 16.
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(dotsPerMeter);
    probe.setDotsPerMeterY(dotsPerMeter);
    double charWidth = 0, lineHeight = 0;
    {
        QPainter painter(&probe);
        PainterSurface surface(painter, printer);
        surface.setFont(QStringLiteral("ＭＳ 明朝"));
        surface.setFontSize(10.5);
        charWidth = surface.textWidth(QStringLiteral("設"));
        lineHeight = surface.textHeight(QStringLiteral("計"));
    }
    QImage image(int(53 * charWidth), int(16 * lineHeight), QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterSurface surface(painter, printer);
        const ReportResult result = drawReport(surface, sampleInput(Formula::Bligh), checkStudy(sampleInput(Formula::Bligh)));
        QVERIFY(result.complete);
    }
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    // Across the table's left edge, in the middle of row 9 (thick outline).
    auto runAcross = [&](int x0, int y) {
        int count = 0;
        for (int x = x0 - 10; x <= x0 + 10; ++x)
            count += dark(x, y) ? 1 : 0;
        return count;
    };
    auto runDown = [&](int x, int y0) {
        int count = 0;
        for (int y = y0 - 10; y <= y0 + 10; ++y)
            count += dark(x, y) ? 1 : 0;
        return count;
    };
    const int y = int(9.75 * lineHeight);
    QCOMPARE(runAcross(int(33 * charWidth), y), thick);
    QCOMPARE(runAcross(int(48 * charWidth), y), thick);
    // Between two cells of the table, away from any text: a thin rule.
    QCOMPARE(runDown(int(33.2 * charWidth), int(9.5 * lineHeight)), thin);
    // The title's ink lies below its row's top line, within one line height.
    bool inked = false;
    for (int yy = int(2 * lineHeight); yy < int(3.3 * lineHeight) && !inked; ++yy)
        for (int xx = int(4 * charWidth); xx < int(10 * charWidth) && !inked; ++xx)
            inked = dark(xx, yy);
    QVERIFY(inked);
    for (int xx = int(4 * charWidth); xx < int(10 * charWidth); ++xx)
        QVERIFY(!dark(xx, int(2 * lineHeight) - 2));
}

// The window's PDF printing and talven-report write through one function,
// which never puts a file in the place of a FIFO.
void TestReport::pdfOverAFifo()
{
#ifdef Q_OS_UNIX
    QTemporaryDir folder;
    const QString fifo = folder.filePath(u"report.pdf"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    QVERIFY(!writeReportPdfFile(fifo, layout, 72, QString(), 1, [](ReportSurface &, int) { return true; }));
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
#else
    QSKIP("no FIFOs");
#endif
}

void TestReport::pdfMetadata_data()
{
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QString>("title");  // dc:title as an XML reader reads it

    QTest::newRow("a structure's name") << u"樋門A"_s << u"樋門A"_s;
    QTest::newRow("no structure's name") << QString() << u"遮水矢板の設計"_s;
    QTest::newRow("markup characters") << u"<樋門&\"A'>"_s << u"<樋門&\"A'>"_s;
    // XML 1.0 has no way to write them, not even as &#1;.
    QTest::newRow("control characters") << u"樋門\x01" "A\x1B[2J\uFFFE"_s << u"樋門A[2J"_s;
}

// The XMP metadata of every report PDF, the window's and talven-report's, is
// XML that a reader takes: title and subject, whatever the structure's name holds.
void TestReport::pdfMetadata()
{
    QFETCH(QString, structure);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(u"report.pdf"_s);
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    QVERIFY(writeReportPdfFile(pdf, layout, 72, structure, 1, [](ReportSurface &, int) { return true; }));
#ifdef Q_OS_WIN
    QSKIP(NoPdfReaderOnWindows);
#endif
    QProcess info;
    info.start(u"pdfinfo"_s, {u"-meta"_s, pdf});
    QVERIFY(info.waitForFinished(60000));
    const QByteArray meta = info.readAllStandardOutput();
    QXmlStreamReader reader(meta);
    QStringList items;  // the rdf:li texts in order: title, subject
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"li"_s)
            items << reader.readElementText();
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString() + u"\n"_s + QString::fromUtf8(meta)));
    QFETCH(QString, title);
    QCOMPARE(items, QStringList({title, u"遮水矢板の設計"_s}));
}

void TestReport::controlCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");

    QTest::newRow("escape") << u"a\x1B[2Jb.vek"_s << u"a\\x1B[2Jb.vek"_s;
    QTest::newRow("carriage return, line feed") << u"a\r\n.vek"_s << u"a\\x0D\\x0A.vek"_s;
    QTest::newRow("tab, delete, NUL") << u"\t\x7F"_s + QChar(0) << u"\\x09\\x7F\\x00"_s;
    QTest::newRow("a control of the upper half") << u"\u009B2J"_s << u"\\x9B2J"_s;
    QTest::newRow("Japanese, blanks and a backslash as they are") << u"樋門 A\\b.vek"_s << u"樋門 A\\b.vek"_s;
}

// Names on a terminal: a control character can neither move the cursor,
// recolour the terminal nor start a line of its own.
void TestReport::controlCharacters()
{
    QFETCH(QString, name);
    QTEST(escapeControlCharacters(name), "shown");
}

void TestReport::casePages_data()
{
    // Further cases as "name WL1 WL2"; the heading of 内外水位差 and the
    // texts of the case page's rows, one case a row.
    QTest::addColumn<QStringList>("more");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("one case: one page, as ever") << QStringList{} << u"○内外水位差"_s << QStringList{};
    QTest::newRow("the highest flood governs, marked on both pages")
        << QStringList{u"既往 3.4 1"_s, u"施工 3 1.7"_s} << u"○内外水位差（◎既往）"_s
        << QStringList{u"ケース1 3.00 1.00 2.00 5.50 ＮＧ 6.00 ＮＧ"_s, u"◎ 既往 3.40 1.00 2.40 4.58 ＮＧ 5.00 ＮＧ"_s,
                       u"施工 3.00 1.70 1.30 8.46 ＮＧ 9.23 ＯＫ"_s};
    QTest::newRow("a level case has no ratios") << QStringList{u"平水 1 1"_s} << u"○内外水位差（◎ケース1）"_s
                                                << QStringList{u"◎ ケース1 3.00 1.00 2.00 5.50 ＮＧ 6.00 ＮＧ"_s,
                                                               u"平水 1.00 1.00 0.00 ― ―"_s};
}

// The report page shows the governing case; a second page lists them all.
void TestReport::casePages()
{
    QFETCH(QStringList, more);
    QFETCH(QString, heading);
    QFETCH(QStringList, rows);
    std::vector<WaterLevelCase> cases;
    for (const QString &entry : more) {
        const QStringList part = entry.split(u' ');
        const WaterLevelCase outer = writeCaseLevel({part[0], {}, {}, 0, 0}, Level::Outer, part[1]).levelCase;
        cases.push_back(refreshCaseLevels(writeCaseLevel(outer, Level::Inner, part[2]).levelCase));
    }
    const Study study = setCases(workedExample(), QString(), cases);
    const StudyCheck check = checkStudy(study);
    QCOMPARE(reportPageCount(check, {}), rows.isEmpty() ? 1 : 2);
    RecordingSurface first;
    QVERIFY(drawReport(first, study, check).complete);
    QCOMPARE(textsOnRow(first, 26.5, 26, 52).value(0), heading);
    if (rows.isEmpty())
        return;
    RecordingSurface second;
    QVERIFY(drawReport(second, study, check, {}, 1).complete);
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(textsOnRow(second, 6.5 + 1.5 * (i + 1), 6, 52).join(u' '), rows[i]);
}

void TestReport::sheet_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<bool>("sheet");
    QTest::addColumn<QStringList>("texts");  // among the sheet's, in this order; none without it

    Study bligh = workedExample();  // C 4: both sections OK
    bligh.formula = Formula::Bligh;
    bligh.record.creepRatio = 4.0;
    QTest::newRow("the worked example")
        << workedExample() << true
        << QStringList{u"遮水矢板の計算書"_s, u"Ｌ′＝ Ｌ／3 ＝ 6.00／3 ＝ 2.000 m"_s,
                       u"必要 ΣL ＝ Ｃ′×⊿Ｈ － Ｌ′ ＝ 8.50 × 2.00 － 2.000 ＝ 15.00 m"_s,
                       u"Ｒ ＝ （6.00／3 ＋ 9.00）／2.00 ＝ 5.50"_s, u"Ｒ ＝ 5.50 ＜ Ｃ′ ＝ 8.50　・・・ＮＧ"_s,
                       u"ΣL の過不足 ＝ ΣL － 必要 ΣL ＝ 9.00 － 15.00 ＝ 不足 6.00 m"_s,
                       u"ＯＫ にするには（0.50 m きざみ）：1 行目 3.00 m → 6.00 m で ＯＫ"_s,
                       u"Ｒ ＝ （6.00／3 ＋ 10.00）／2.00 ＝ 6.00"_s,
                       u"ＯＫ にするには（0.50 m きざみ）：1 行目 2.50 m → 4.00 m、2 行目 2.50 m → 4.00 m で ＯＫ"_s};
    QTest::newRow("Bligh, OK: nothing to propose")
        << bligh << true
        << QStringList{u"Ｌ′＝ Ｌ ＝ 6.00 m"_s, u"Ｒ ＝ （6.00 ＋ 9.00）／2.00 ＝ 7.50"_s,
                       u"Ｒ ＝ 7.50 ≧ Ｃ ＝ 4.00　・・・ＯＫ"_s};
    QTest::newRow("no sheet") << workedExample() << false << QStringList();
}

// The sheet's pages follow the report's with every step of the one check.
void TestReport::sheet()
{
    QFETCH(Study, input);
    QFETCH(bool, sheet);
    QFETCH(QStringList, texts);
    ReportOptions options;
    options.sheet = sheet;
    const StudyCheck check = checkStudy(input);
    QStringList drawn;
    for (int page = 1; page < reportPageCount(check, options); ++page) {
        RecordingSurface surface;
        QVERIFY(drawReport(surface, input, check, options, page).complete);
        for (const Call &call : surface.calls)
            drawn << call.text;
    }
    QCOMPARE(drawn.isEmpty(), !sheet);
    qsizetype from = 0;
    for (const QString &text : texts) {
        from = drawn.indexOf(text, from);
        QVERIFY2(from >= 0, qPrintable(text));
    }
    // A proposal only under an ＮＧ.
    QCOMPARE(drawn.filter(u"ＯＫ にするには"_s).size(), texts.filter(u"ＯＫ にするには"_s).size());
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
