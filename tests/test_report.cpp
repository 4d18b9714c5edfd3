#include "builtprogram.h"
#include "recordingsurface.h"
#include "workedexample.h"

#include "files/controlcharacters.h"
#include "report/reportdocument.h"
#include "report/sectiondrawing.h"
#include "report/paintersurface.h"
#include "report/pdffile.h"
#include "study/boxtable.h"
#include "study/numbers.h"

#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <cmath>
#include <numeric>
#include <optional>

using namespace talven;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(talven::Formula)
Q_DECLARE_METATYPE(talven::Section)
Q_DECLARE_METATYPE(talven::Study)
Q_DECLARE_METATYPE(talven::PageOptions)
Q_DECLARE_METATYPE(talven::TitleBlock)

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

// The page and nothing besides: no title block, figures, footer or margins.
PageOptions plainPage()
{
    PageOptions options;
    options.figures = false;
    options.margins = false;
    return options;
}

ReportDocument documentOf(const Study &input, const PageOptions &options = plainPage(), const TitleBlock &title = {},
                          const QString &fileName = {})
{
    return ReportDocument(input, options, title, fileName);
}

RecordingSurface drawnPage(const ReportDocument &document, int page = 0, bool printer = false)
{
    RecordingSurface surface(printer);
    drawReportPage(surface, document, page);
    return surface;
}

RecordingSurface drawnReport(const Study &input, bool printer = false)
{
    return drawnPage(documentOf(input), 0, printer);
}

QList<Call> textCalls(const RecordingSurface &surface, const QString &text)
{
    QList<Call> found;
    for (const Call &call : surface.calls)
        if (call.kind == Kind::Text && call.text == text)
            found.append(call);
    return found;
}

Call onlyText(const RecordingSurface &surface, const QString &text, int occurrence = 0)
{
    const QList<Call> found = textCalls(surface, text);
    if (found.size() <= occurrence)
        qWarning("%s drawn %d times", qPrintable(text), int(found.size()));
    return found.value(occurrence);
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

// The area a text takes by the recording surface's metrics, placed at `scale`.
QRectF areaOf(const Call &call, double scale = 1.0)
{
    return QRectF(call.from, QSizeF(RecordingSurface::width(call.text, call.size), call.size * 1.25) * scale);
}

// Two texts' areas overlap when they share more than an edge: their ink
// does where they share more than the side bearings of full-width
// characters, a tenth of a size across.
bool overlap(const QRectF &a, const QRectF &b)
{
    const QRectF shared = a.intersected(b);
    return shared.width() > 0.1 * a.height() / 1.25 && shared.height() > 1e-9 * a.height();
}

// A line crosses a text's area when it passes through more than its edge.
bool crosses(const QLineF &path, const QRectF &area)
{
    const QRectF inner = area.adjusted(Tolerance, Tolerance, -Tolerance, -Tolerance);
    if (inner.contains(path.p1()) || inner.contains(path.p2()))
        return true;
    const QLineF edges[] = {{inner.topLeft(), inner.topRight()}, {inner.topRight(), inner.bottomRight()},
                            {inner.bottomRight(), inner.bottomLeft()}, {inner.bottomLeft(), inner.topLeft()}};
    return std::any_of(std::begin(edges), std::end(edges),
                       [&path](const QLineF &edge) { return path.intersects(edge, nullptr) == QLineF::BoundedIntersection; });
}

// The worked example with a flood that governs (既往 3.40 / 1.00, ⊿H 2.40)
// and a lower case (施工 3.00 / 1.70, ⊿H 1.30).
Study workedCases()
{
    return withCases(workedExample(), casesOf({u"既往 3.4 1"_s, u"施工 3 1.7"_s}));
}

// A study of many shapes: either formula, a class, members, levels, piles
// and names from `seed`, and up to eight water-level cases.
Study generatedStudy(quint32 seed)
{
    QRandomGenerator random(seed);
    auto number = [&random](int below) { return random.bounded(below * 100) / 100.0; };
    Study study = sampleInput(random.bounded(2) ? Formula::Lane : Formula::Bligh);
    study.soilClass = random.bounded(int(soilClasses(study.formula).size()));
    study.record.creepRatio = study.formula == Formula::Lane ? 2.0 + number(7) : double(4 + random.bounded(15));
    for (int m = 0; m < MemberCount; ++m) {
        study.record.baseValues[std::size_t(m)] = number(40);
        study.record.names[std::size_t(m)] = QString(1 + random.bounded(10), u'壁');
    }
    study.record.baseValues[3] = 1.0 + number(9);
    study.record.baseValues[4] = number(1);
    for (Section section : Sections) {
        for (int row = 0; row < PileCount; ++row) {
            const bool used = random.bounded(3) > 0;
            (section == Section::Vertical ? study.record.verticalLengths : study.record.horizontalLengths)[row] =
                used ? number(12) : 0.0;
            study.record.names[std::size_t(pileNameBox(section, row))] = used ? QString(1 + random.bounded(10), u'板') : QString();
            study = setDoubleTick(study, section, row, random.bounded(2));
        }
    }
    // Half the studies place their piles, some rows left without a station;
    // some of those give the bottom level.
    if (random.bounded(2)) {
        const int length = int(seepageLength(study.record));
        for (std::optional<double> &station : study.stations)
            station = random.bounded(3) ? std::optional<double>(random.bounded(length + 1) / 100.0) : std::nullopt;
        if (random.bounded(2))
            study.bottomLevel = random.bounded(2000) / 100.0 - 10.0;
    }
    QStringList more;
    for (int i = 0, count = random.bounded(CaseLimit); i < count; ++i) {
        more << QString(random.bounded(CaseNameMaxLength + 1), u'時');
        more.last() += u' ' + QString::number(1.0 + number(9), 'f', 2);
        more.last() += u' ' + QString::number(number(1), 'f', 2);
    }
    study = withCases(study, casesOf(more));
    // Half the studies say where their numbers come from, some at length.
    if (random.bounded(2)) {
        auto text = [&random] { return QString(random.bounded(80), u'拠'); };
        study.basis = {text(), text(), text()};
        for (WaterLevelCase &levelCase : study.laterCases)
            levelCase.basis = {text(), text(), text()};
        study.firstCaseBasis = {text(), text(), text()};
    }
    return study;
}

// Eight cases and every basis at length: the most the sheet's 設計条件 holds.
Study everyBasis()
{
    Study study = generatedStudy(1);
    study.record.verticalLengths.fill(1.0);
    study.record.horizontalLengths.fill(1.0);
    study = withCases(study, casesOf(QStringList(CaseLimit - int(study.cases().size()), QString(20, u'時') + u" 3 1"_s)));
    const QString longText(200, u'拠');
    study.basis = {longText, longText, longText};
    study.firstCaseBasis = {longText, longText, longText};
    for (WaterLevelCase &levelCase : study.laterCases)
        levelCase.basis = {longText, longText, longText};
    return study;
}


// An exact number: numerator / denominator in lowest terms, the denominator above 0.
struct Exact {
    long long n = 0;
    long long d = 1;
    static Exact of(long long n, long long d)
    {
        const long long g = std::gcd(n, d) * (d < 0 ? -1 : 1);
        return {n / g, d / g};
    }
    Exact operator+(Exact o) const { return of(n * o.d + o.n * d, d * o.d); }
    Exact operator-(Exact o) const { return of(n * o.d - o.n * d, d * o.d); }
    Exact operator*(Exact o) const { return of(n * o.n, d * o.d); }
    Exact operator/(Exact o) const { return of(n * o.d, d * o.n); }
};

// The arithmetic of a printed working, as a checker reads it: numbers with
// "." and "-", "＋", "－", "×", "／" and brackets "（" "）".
struct Working {
    QString text;
    qsizetype at = 0;
    bool failed = false;

    void blanks() { while (at < text.size() && text[at].isSpace()) ++at; }
    bool take(QChar c) { blanks(); if (at < text.size() && text[at] == c) { ++at; return true; } return false; }
    Exact number()
    {
        blanks();
        if (take(u'（')) {
            const Exact inner = sum();
            failed = failed || !take(u'）');
            return inner;
        }
        const qsizetype from = at;
        if (at < text.size() && text[at] == u'-')
            ++at;
        while (at < text.size() && (text[at].isDigit() || text[at] == u'.'))
            ++at;
        const QString digits = text.mid(from, at - from);
        const qsizetype point = digits.indexOf(u'.');
        long long scale = 1;
        for (qsizetype i = point < 0 ? digits.size() : point + 1; i < digits.size(); ++i)
            scale *= 10;
        bool ok = false;
        const long long whole = QString(digits).remove(u'.').toLongLong(&ok);
        failed = failed || !ok;
        return Exact::of(whole, scale);
    }
    Exact product()
    {
        Exact value = number();
        for (;;) {
            if (take(u'×')) value = value * number();
            else if (take(u'／')) value = value / number();
            else return value;
        }
    }
    Exact sum()
    {
        Exact value = product();
        for (;;) {
            if (take(u'＋')) value = value + product();
            else if (take(u'－')) value = value - product();
            else return value;
        }
    }
};

// The exact value rounded half away from zero to `decimals`, as a text; with
// fewer decimals where it ends sooner, as the program prints it.
QString roundedText(Exact value, int decimals)
{
    return decimalQuotient(value.n, value.d, decimals);
}

int decimalsOf(const QString &number)
{
    const qsizetype point = number.indexOf(u'.');
    return point < 0 ? 0 : int(number.size() - point - 1);
}

// Where a printed line does not hold when worked out again from its printed
// operands: each "＝" or "≒" after arithmetic of numbers alone gives the
// printed number rounded to its decimals; "→" what the rule makes of it
// (rounded up to 0.01 m, or 0 with 負のため 0); 余裕 / 不足 the difference's
// size and sign; "≧" / "＜" the relation of the two numbers about it. Empty
// where the line holds.
QString workingFault(const QString &line)
{
    static const QRegularExpression numberPattern(u"^-?[0-9]+(\\.[0-9]+)?"_s);
    const QStringList parts = line.split(QRegularExpression(u"[＝≒]"_s));
    // The arithmetic before this part's "＝", when there is some.
    bool pending = false;
    Exact pendingValue;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        if (pending) {
            const QRegularExpressionMatch shown = numberPattern.match(part);
            QString printed = shown.captured();
            Exact value = pendingValue;
            if (part.startsWith(u"余裕 "_s) || part.startsWith(u"不足 "_s)) {
                printed = numberPattern.match(part.mid(3)).captured();
                if ((value.n < 0) != part.startsWith(u"不足"_s))
                    return u"the sign of "_s + part;
                value.n = value.n < 0 ? -value.n : value.n;
            }
            if (printed.isEmpty() || roundedText(value, decimalsOf(printed)) != printed)
                return u"%1 is not %2"_s.arg(printed, roundedText(value, 6));
            if (const qsizetype arrow = part.indexOf(u"→ "_s); arrow >= 0) {
                const QString ruled = numberPattern.match(part.mid(arrow + 2)).captured();
                const long long hundredths = value.n <= 0 ? 0 : (value.n * 100 + value.d - 1) / value.d;
                if (ruled != hundredthsText(hundredths) || (value.n < 0) != part.contains(u"負のため 0"_s))
                    return u"→ "_s + ruled;
            }
        }
        pending = false;
        // Arithmetic of numbers alone, with at least one operation.
        static const QRegularExpression arithmetic(u"^[-0-9.（）＋－×／ ]+$"_s);
        if (arithmetic.match(part).hasMatch() && part.contains(QRegularExpression(u"[＋－×／]"_s))) {
            Working working{part};
            const Exact value = working.sum();
            pending = !working.failed && working.at == part.size();
            pendingValue = value;
        }
    }
    // A verdict or a proposal: "R ≧ C" holds, "R ＜ C" holds.
    static const QRegularExpression relation(u"([-0-9.]+) (≧|＜) (?:Ｃ ＝ )?([-0-9.]+)"_s);
    for (const QRegularExpressionMatch &found : relation.globalMatch(line)) {
        const bool atLeast = found.captured(1).toDouble() >= found.captured(3).toDouble();
        if (atLeast != (found.captured(2) == u"≧"_s))
            return found.captured();
    }
    return {};
}

}  // namespace

class TestReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sheet_data();
    void sheet();
    void casePages_data();
    void casePages();
    void layout_data();
    void layout();
    void sectionDrawing();
    void substitutions();
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
    void pageLabels_data();
    void pageLabels();
    void painterSurfaceFont();
    void painterSurfacePens_data();
    void painterSurfacePens();
    void pdfOverAFifo();
    void pdfMetadata_data();
    void pdfMetadata();
    void controlCharacters_data();
    void controlCharacters();
};

void TestReport::layout_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<PageOptions>("options");
    QTest::addColumn<bool>("printer");

    PageOptions everything;  // figures and margins by default
    everything.sheet = true;
    everything.footer = true;
    everything.pageLabel = u"3-12"_s;
    PageOptions unplaced = everything;
    unplaced.margins = false;
    PageOptions framed = everything;
    framed.titleFrame = true;
    PageOptions framedUnplaced = unplaced;
    framedUnplaced.titleFrame = true;
    QTest::newRow("Lane, plain, preview") << sampleInput(Formula::Lane) << plainPage() << false;
    QTest::newRow("Bligh, plain, printer") << sampleInput(Formula::Bligh) << plainPage() << true;
    QTest::newRow("worked example, everything") << workedExample() << everything << true;
    QTest::newRow("three cases, everything, no margins") << workedCases() << unplaced << false;
    QTest::newRow("eight cases, every basis, framed, no margins") << everyBasis() << framedUnplaced << false;
    QTest::newRow("eight cases, every basis, framed, within margins") << everyBasis() << framed << true;
    for (quint32 seed = 1; seed <= 24; ++seed)
        QTest::addRow("generated %u%s%s", seed, seed % 2 ? ", within margins" : "", seed % 4 < 2 ? ", framed" : "")
            << generatedStudy(seed) << (seed % 4 < 2 ? (seed % 2 ? framed : framedUnplaced) : (seed % 2 ? everything : unplaced))
            << bool(seed % 3);
}

// Every page of every document keeps to the page's frame (to the margins'
// room where it is placed within them), no text runs into another, every
// block stands above the footer, and the frames are drawn thick, the rest thin.
void TestReport::layout()
{
    QFETCH(Study, input);
    QFETCH(PageOptions, options);
    QFETCH(bool, printer);
    const ReportDocument document =
        documentOf(input, options, {u"業務"_s, u"樋門"_s, u"社"_s, u"設"_s, u"照"_s, u"日"_s, u"川"_s, u"所"_s}, u"plan.vek"_s);
    const int thick = printer ? 6 : 2;
    for (int page = 0; page < document.pageCount(); ++page) {
        const RecordingSurface surface = drawnPage(document, page, printer);
        const QRectF sheet = surface.sheet();
        const QRectF room = options.margins
                                ? sheet.adjusted(20 * surface.PerMillimetre, 15 * surface.PerMillimetre,
                                                 -10 * surface.PerMillimetre, -15 * surface.PerMillimetre)
                                : QRectF(QPointF(3.8 * CharWidth, 0), QPointF(51.5 * CharWidth, 70.6 * LineHeight));
        QList<Call> texts;
        for (const Call &call : surface.calls) {
            const QString what = u"page %1: %2 at (%3, %4)"_s.arg(page + 1)
                                     .arg(call.kind == Kind::Text ? call.text : u"a line"_s)
                                     .arg(columnOf(call.from.x()))
                                     .arg(rowOf(call.from.y()));
            const double scale = surface.placedScale();
            const QRectF area = call.kind == Kind::Text ? areaOf(call, scale) : QRectF(call.from, call.to).normalized();
            const QRectF within = room.adjusted(-Tolerance, -Tolerance, Tolerance, Tolerance);
            QVERIFY2(within.contains(area.topLeft()) && within.contains(area.bottomRight()), qPrintable(what));
            if (call.kind != Kind::Text) {
                QVERIFY2(call.drawWidth == 1 || call.drawWidth == thick, qPrintable(what));
                continue;
            }
            for (const Call &other : texts)
                QVERIFY2(!overlap(area, areaOf(other, scale)), qPrintable(what + u" over "_s + other.text));
            texts.append(call);
            // Only the footer's texts stand below the last block's row.
            if (!options.margins && !call.text.contains(u" / "_s) && call.text != u"plan.vek"_s
                && call.text != document.pageLabel(page))
                QVERIFY2(rowOf(area.bottom()) <= 69.6, qPrintable(what));
        }
        QCOMPARE(surface.drawWidth, 1);
    }
}

// Over studies of every shape, the sheet's drawing keeps to its block, and
// none of its texts runs into another or has a line or a box's edge through it.
void TestReport::sectionDrawing()
{
    const QRectF block = QRectF(QPointF(FrameLeft * CharWidth, 0), QPointF(FrameRight * CharWidth, SectionDrawingHeight * LineHeight))
                             .adjusted(-Tolerance, -Tolerance, Tolerance, Tolerance);
    for (quint32 seed = 1; seed <= 300; ++seed) {
        const Study input = generatedStudy(seed);
        RecordingSurface surface;
        Page page(surface);
        drawSectionDrawing(page, 0, input, checkStudy(input));
        QList<Call> texts;
        QList<QLineF> lines;
        for (const Call &call : surface.calls) {
            const QRectF area = call.kind == Kind::Text ? areaOf(call) : QRectF(call.from, call.to).normalized();
            const QString what = u"seed %1: %2"_s.arg(seed).arg(call.kind == Kind::Text ? call.text : u"a line"_s);
            QVERIFY2(block.contains(area.topLeft()) && block.contains(area.bottomRight()), qPrintable(what));
            if (call.kind == Kind::Text)
                texts.append(call);
            else if (call.kind == Kind::Line)
                lines << QLineF(call.from, call.to);
            else
                lines << QLineF(area.topLeft(), area.topRight()) << QLineF(area.topRight(), area.bottomRight())
                      << QLineF(area.bottomRight(), area.bottomLeft()) << QLineF(area.bottomLeft(), area.topLeft());
        }
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QRectF area = areaOf(texts[i]);
            for (qsizetype j = 0; j < i; ++j)
                QVERIFY2(!overlap(area, areaOf(texts[j])), qPrintable(u"seed %1: %2 over %3"_s.arg(seed).arg(texts[i].text, texts[j].text)));
            for (const QLineF &line : lines)
                QVERIFY2(!crosses(line, area), qPrintable(u"seed %1: a line through %2"_s.arg(seed).arg(texts[i].text)));
        }
    }
}

// Every line of the calculation sheet that puts numbers in holds when a
// checker works it out again from what it prints, over studies of every
// shape; so do the verdict lines of page 1.
void TestReport::substitutions()
{
    PageOptions options = plainPage();
    options.sheet = true;
    int worked = 0;
    for (quint32 seed = 1; seed <= 60; ++seed) {
        const ReportDocument document = documentOf(generatedStudy(seed), options);
        // One rule for a tie: ＯＫ never stands beside 不足, nor ＮＧ beside 余裕
        // or a head within the allowable one.
        for (const CaseCheck &levels : document.check().cases) {
            for (const SectionCheck &section : levels.sections) {
                if (!section.verdict)
                    continue;
                QCOMPARE(section.margin >= 0, section.verdict->ok);
                QCOMPARE(*section.allowableHead >= levels.headDifference, section.verdict->ok);
            }
        }
        for (int page = 0; page < document.pageCount(); ++page) {
            for (const Call &call : drawnPage(document, page).calls) {
                if (call.kind != Kind::Text || !call.text.contains(QRegularExpression(u"[＝≒≧＜]"_s)))
                    continue;
                const QString fault = workingFault(call.text);
                QVERIFY2(fault.isEmpty(), qPrintable(u"study %1: %2: %3"_s.arg(seed).arg(call.text, fault)));
                ++worked;
            }
        }
    }
    QVERIFY(worked > 1000);
}

void TestReport::selectedClassMark_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<int>("listIndex");

    QTest::newRow("lane none on the header") << Formula::Lane << -1;
    QTest::newRow("lane first") << Formula::Lane << 0;
    QTest::newRow("lane last") << Formula::Lane << 10;
    QTest::newRow("bligh none on the header") << Formula::Bligh << -1;
    QTest::newRow("bligh ranged class") << Formula::Bligh << 3;
    QTest::newRow("bligh last") << Formula::Bligh << 4;
}

// "◆" stands on the selected class's row of the table, left of its name;
// with no class, on the header row.
void TestReport::selectedClassMark()
{
    QFETCH(Formula, formula);
    QFETCH(int, listIndex);

    Study input = sampleInput(formula);
    input.soilClass = listIndex;
    const RecordingSurface surface = drawnReport(input);
    const QList<Call> marks = textCalls(surface, QStringLiteral("◆"));
    QCOMPARE(marks.size(), 1);
    const Call row = onlyText(surface, listIndex < 0 ? reportTableHeaderClass()
                                                     : QString::fromUtf16(soilClasses(formula)[listIndex].reportText));
    QCOMPARE(marks[0].from.y(), row.from.y());
    QVERIFY(marks[0].from.x() + RecordingSurface::width(marks[0].text, marks[0].size) <= row.from.x());
    QCOMPARE(marks[0].size, 9.0);
}

void TestReport::decimalAlignment_data()
{
    QTest::addColumn<QStringList>("texts");  // numbers, in drawing order, whose points share one column

    // WL1 -1.2, WL2 -3.45, vertical piles 12.34 and 2.5, members 100 + 2 + 3.
    QTest::newRow("water levels and their difference") << QStringList{u"-1.20"_s, u"-3.45"_s, u"2.25"_s};
    QTest::newRow("members and their total") << QStringList{u"100.00"_s, u"2.00"_s, u"3.00"_s, u"105.00"_s};
    QTest::newRow("piles and their total") << QStringList{u"12.34"_s, u"2.50"_s, u"14.84"_s};
    QTest::newRow("section 3's L and ΣL") << QStringList{u"105.00 (m)"_s, u"14.84 (m)"_s};
}

// Numbers in a column stand on one decimal point: a wider number starts one
// dot width further left per extra digit.
void TestReport::decimalAlignment()
{
    QFETCH(QStringList, texts);

    Study input = sampleInput(Formula::Lane);
    input.record.baseValues = {100.0, 2.0, 3.0, -1.2, -3.45};
    input.record.verticalLengths = {12.34, 2.5, 0, 0, 0, 0, 0};
    const RecordingSurface surface = drawnReport(input);
    const double point = columnOfPoint(onlyText(surface, texts.first()));
    double row = -1;
    for (const QString &text : texts) {
        const Call call = onlyText(surface, text);
        QVERIFY2(isNear(columnOfPoint(call), point), qPrintable(text));
        QVERIFY2(call.from.y() > row, qPrintable(text));  // one under the other
        row = call.from.y();
    }
}

void TestReport::numerator_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<Section>("section");

    QTest::newRow("lane vertical") << Formula::Lane << Section::Vertical;
    QTest::newRow("lane horizontal") << Formula::Lane << Section::Horizontal;
    QTest::newRow("bligh vertical") << Formula::Bligh << Section::Vertical;
    QTest::newRow("bligh horizontal") << Formula::Bligh << Section::Horizontal;
}

// The ratio set as a fraction: L and ΣL above the bar, ΔH centred under it;
// Lane's L is itself a fraction, L over a short bar over "3", a line above
// "＋ ΣL"; Bligh's numerator is one line.
void TestReport::numerator()
{
    QFETCH(Formula, formula);
    QFETCH(Section, section);

    // L 19.75, ΔH 4.30, ΣL 8.00 vertical and 8.50 horizontal.
    const RecordingSurface surface = drawnReport(sampleInput(formula));
    const int index = section == Section::Vertical ? 0 : 1;
    const Call length = onlyText(surface, u"19.75"_s, index + 1);  // after the dimension total
    const Call sigma = textCalls(surface, index == 0 ? u"8.00"_s : u"8.50"_s).last();
    const Call plus = onlyText(surface, u"＋"_s, index + 1);  // after the formula's
    const Call head = onlyText(surface, u"4.30"_s, index + 1);
    QCOMPARE(plus.from.y(), sigma.from.y());
    QVERIFY(length.from.x() < plus.from.x() && plus.from.x() < sigma.from.x());
    QCOMPARE(formula == Formula::Lane, length.from.y() < sigma.from.y());
    QVERIFY(head.from.y() > sigma.from.y());
    // ΔH centred under the numerator's middle: its point half a dot right of where a left-set number's would be.
    QVERIFY(head.from.x() > length.from.x() && head.from.x() < sigma.from.x());
    int shortBars = 0;
    for (const Call &call : surface.calls)
        if (call.kind == Kind::Line && isNear(call.from.y(), call.to.y()) && isNear(columnOf(call.to.x() - call.from.x()), 3.5))
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

    // Rows 1.5 apart under the table's header, the total last.
    const double header = rowOf(onlyText(surface, u"矢板長 (m) 　(*の部分は往復の延長)"_s, vertical ? 0 : 1).from.y());
    auto texts = [&](int row) { return textsOnRow(surface, header + 1.5 * row, 0, 25); };
    QStringList expected;
    if (!label.isEmpty())
        expected.append(label);
    if (!value.isEmpty())
        expected.append(value);
    QCOMPARE(texts(4), expected);
    // Every other pile row is blank; the total always shows.
    for (int k = 1; k <= 7; ++k)
        if (k != 4)
            QVERIFY(texts(k).isEmpty());
    QCOMPARE(texts(8), QStringList({QStringLiteral("計"), total}));
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
    const double header = rowOf(onlyText(surface, u"各構造部寸法 (m)"_s).from.y());
    QCOMPARE(textsOnRow(surface, header + 1.5, 0, 25), texts);
    QVERIFY(textsOnRow(surface, header + 3, 0, 25).isEmpty());
    QVERIFY(textsOnRow(surface, header + 4.5, 0, 25).isEmpty());
    QCOMPARE(textsOnRow(surface, header + 6, 0, 25), QStringList({QStringLiteral("計"), total}));
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

    // The rounding of the ratio is the check's (test_check); the page prints its verdict.
    QTest::newRow("bligh equal") << Formula::Bligh << 4.0 << 2.0 << 6.0 << 2.0 << 0.0 << "4.00"
                                 << "4.00" << true;
    QTest::newRow("lane well above") << Formula::Lane << 8.5 << 12.0 << 20.0 << 3.0 << 0.5
                                     << "9.60" << "8.50" << true;
    QTest::newRow("lane below") << Formula::Lane << 8.5 << 6.0 << 9.0 << 2.0 << 0.0 << "5.50"
                                << "8.50" << false;
    QTest::newRow("bligh typed fraction") << Formula::Bligh << 7.4 << 0.0 << 7.38 << 1.0 << 0.0
                                          << "7.38" << "7.40" << false;
    QTest::newRow("reversed head: checked on its size") << Formula::Bligh << 4.0 << 2.0 << 2.0 << 0.0 << 1.0 << "4.00"
                                                        << "4.00" << true;
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
    const ReportDocument document = documentOf(input);
    QVERIFY(document.pageComplete(0));
    const RecordingSurface surface = drawnPage(document);

    const QString sign = ok ? QStringLiteral("≧") : QStringLiteral("＜");
    const QString verdict = ok ? QStringLiteral("・・・ＯＫ") : QStringLiteral("・・・ＮＧ");
    const QString left = QStringLiteral("Ｃ′= ") + provided;
    const QString right = QStringLiteral("Ｃ = ") + required;
    for (Section section : Sections) {
        // One line, read left to right; the fraction's "= R" above it.
        const int index = section == Section::Vertical ? 0 : 1;
        const double row = rowOf(onlyText(surface, left, index).from.y());
        QStringList line;
        QList<Call> items;
        for (const Call &call : surface.calls)
            if (call.kind == Kind::Text && isNear(rowOf(call.from.y()), row))
                items.append(call);
        std::sort(items.begin(), items.end(), [](const Call &a, const Call &b) { return a.from.x() < b.from.x(); });
        for (const Call &call : items) {
            line << call.text;
            QCOMPARE(call.size, 10.5);
            QCOMPARE(call.bold, false);
        }
        QCOMPARE(line, QStringList({left, sign, right, verdict}));
        QVERIFY(onlyText(surface, QStringLiteral("= ") + provided, index).from.y() < items.first().from.y());
        QCOMPARE(reportVerdictLine(document.check(), section).items(), line);
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
    const ReportDocument document = documentOf(input);
    QVERIFY(!document.pageComplete(0));
    QVERIFY(!document.check().section(Section::Vertical).verdict);
    QVERIFY(!document.check().section(Section::Horizontal).verdict);
    const RecordingSurface surface = drawnPage(document);

    for (const Call &call : surface.calls) {
        QVERIFY2(!call.text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)
                     && !call.text.contains(QStringLiteral("nan"), Qt::CaseInsensitive),
                 qPrintable(call.text));
        QVERIFY2(!call.text.startsWith(QStringLiteral("・・・")) && !call.text.startsWith(u"Ｃ′= "_s), qPrintable(call.text));
    }
    // Everything else is there: both fractions with their denominators, section 4's table.
    QCOMPARE(textCalls(surface, QStringLiteral("Ｃ′=")).size(), 2);
    QVERIFY(textCalls(surface, QStringLiteral("0.00")).size() >= 3);  // section 2's ΔH and the two denominators
    QCOMPARE(textCalls(surface, QStringLiteral("8.50")).size(), 2);  // section 4's pile total and numerator
    QCOMPARE(surface.drawWidth, 1);
    // In place of each verdict line, under its fraction: the readiness message.
    for (int section = 0; section < 2; ++section) {
        const Call fraction = onlyText(surface, QStringLiteral("Ｃ′="), section);
        const Call first = onlyText(surface, QStringLiteral("水位データおよび"), section);
        const Call second = onlyText(surface, QStringLiteral("クリープ比の選択を確認してください"), section);
        QCOMPARE(first.from.x(), fraction.from.x());
        QVERIFY(fraction.from.y() < first.from.y() && first.from.y() < second.from.y());
    }
}

void TestReport::pageOptions_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<PageOptions>("options");
    QTest::addColumn<TitleBlock>("title");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("added");  // the texts drawn besides today's page, in order

    const Study example = workedExample();
    Study bligh = example;  // C 4: both sections OK
    bligh.formula = Formula::Bligh;
    bligh.record.creepRatio = 4.0;
    Study notReady = example;
    notReady.record.creepRatio = 0.0;

    const PageOptions plain = plainPage();
    const TitleBlock all{u"○○川樋門詳細設計"_s, u"樋門A"_s, u"タルヴェン設計"_s, u"山田"_s, u"鈴木"_s, u"2026年12月7日"_s,
                         {}, {}};
    TitleBlock located = all;
    located.river = u"一級河川 ○○川"_s;
    located.place = u"○○県○○市"_s;
    PageOptions framed = plain;
    framed.titleFrame = true;
    TitleBlock some;
    some.job = u"業務"_s;
    some.date = u"令和8年"_s;
    some.company = u"　 "_s;  // blanks only: no bare label
    PageOptions figures = plain;
    figures.figures = true;
    PageOptions footer = plain;
    footer.footer = true;
    TitleBlock longJob, longerJob, smallerJob, longCompany;
    longJob.job = QString(60, u'長');
    longerJob.job = QString(20000, u'長');
    smallerJob.job = QString(42, u'長');
    longCompany.company = u"株式会社テスト建設コンサルタント東日本支社設計第二部門技術部"_s;
    PageOptions label = plain;
    label.pageLabel = u"3-12"_s;
    PageOptions margins = plain;
    margins.margins = true;
    const QString file = u"樋門A.vek"_s;

    QTest::newRow("everything off") << example << plain << TitleBlock() << QString() << QStringList();
    QTest::newRow("title block, every field")
        << example << plain << all << QString()
        << QStringList{u"業務名：○○川樋門詳細設計"_s, u"構造物名：樋門A"_s, u"作成日：2026年12月7日"_s,
                       u"会社名：タルヴェン設計"_s, u"設計者：山田"_s, u"照査者：鈴木"_s};
    QTest::newRow("title block, 河川名 and 所在地 beside 業務名")
        << example << plain << located << QString()
        << QStringList{u"業務名：○○川樋門詳細設計"_s, u"河川名：一級河川 ○○川"_s, u"所在地：○○県○○市"_s,
                       u"構造物名：樋門A"_s, u"作成日：2026年12月7日"_s, u"会社名：タルヴェン設計"_s,
                       u"設計者：山田"_s, u"照査者：鈴木"_s};
    // The frame's rules (─ a line, □ a box), then its cells and the boxes to stamp.
    const QStringList frame = QStringList(7, u"─"_s) + QStringList(2, u"□"_s);
    QTest::newRow("title block framed")
        << example << framed << located << QString()
        << frame + QStringList{u"業務名：○○川樋門詳細設計"_s, u"作成日：2026年12月7日"_s, u"河川名：一級河川 ○○川"_s,
                               u"所在地：○○県○○市"_s, u"構造物名：樋門A"_s, u"会社名：タルヴェン設計"_s,
                               u"設計"_s, u"山田"_s, u"照査"_s, u"鈴木"_s};
    QTest::newRow("an empty title block framed: the boxes to stamp")
        << example << framed << TitleBlock() << QString() << frame + QStringList{u"設計"_s, u"照査"_s};
    QTest::newRow("title block, some fields") << example << plain << some << QString()
                                              << QStringList{u"業務名：業務"_s, u"作成日：令和8年"_s};
    // 36.5 columns in a grid of 10.5 pt: 46 characters at 8 pt, 54 at 7 pt on each of two lines.
    QTest::newRow("a job a little long is set smaller, whole") << example << plain << smallerJob << QString()
                                                               << QStringList{u"業務名："_s + QString(42, u'長')};
    QTest::newRow("a long job takes two lines")
        << example << plain << longJob << QString() << QStringList{u"業務名："_s + QString(50, u'長'), QString(10, u'長')};
    QTest::newRow("a job of 20,000 characters is cut on its second line")
        << example << plain << longerJob << QString()
        << QStringList{u"業務名："_s + QString(50, u'長'), QString(53, u'長') + u"…"_s};
    QTest::newRow("a company of 30 characters, whole on two lines")
        << example << plain << longCompany << QString()
        << QStringList{u"会社名：株式会社テスト建設コンサルタント東日本支社"_s, u"設計第二部門技術部"_s};
    QTest::newRow("figures, NG")
        << example << figures << TitleBlock() << QString()
        << QStringList{u"必要 ΣL = 14.99 (m)　　ΣL の過不足　不足 5.99 m"_s,
                       u"許容水位差 ⊿H = 1.29 m（外水位 WL1 = 2.29 m まで）"_s,
                       u"必要 ΣL = 14.99 (m)　　ΣL の過不足　不足 4.99 m"_s,
                       u"許容水位差 ⊿H = 1.41 m（外水位 WL1 = 2.41 m まで）"_s};
    QTest::newRow("figures, OK")
        << bligh << figures << TitleBlock() << QString()
        << QStringList{u"必要 ΣL = 1.99 (m)　　ΣL の過不足　余裕 7.01 m"_s,
                       u"許容水位差 ⊿H = 3.75 m（外水位 WL1 = 4.75 m まで）"_s,
                       u"必要 ΣL = 1.99 (m)　　ΣL の過不足　余裕 8.01 m"_s,
                       u"許容水位差 ⊿H = 4.00 m（外水位 WL1 = 5.00 m まで）"_s};
    QTest::newRow("figures, not ready") << notReady << figures << TitleBlock() << QString() << QStringList();
    QTest::newRow("footer") << example << footer << TitleBlock() << file << QStringList{file, u"1 / 1"_s};
    // The window always knows the file; only the footer prints it.
    QTest::newRow("a file name, footer off") << example << plain << TitleBlock() << file << QStringList();
    QTest::newRow("page label") << example << label << TitleBlock() << QString() << QStringList{u"3-12"_s, u"1 / 1"_s};
    QTest::newRow("margins") << example << margins << TitleBlock() << QString() << QStringList();
}

// What the options add comes after today's page, which stays element for
// element as it was, and no added text runs into another text.
void TestReport::pageOptions()
{
    QFETCH(Study, input);
    QFETCH(PageOptions, options);
    QFETCH(TitleBlock, title);
    QFETCH(QString, fileName);
    PageOptions placed = plainPage();
    placed.margins = options.margins;
    const RecordingSurface plain = drawnPage(documentOf(input, placed));
    const RecordingSurface full = drawnPage(documentOf(input, options, title, fileName));
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
    QStringList texts;
    for (const Call &call : full.calls.mid(plain.calls.size()))
        texts << (call.kind == Kind::Text ? call.text : call.kind == Kind::Line ? u"─"_s : u"□"_s);
    QTEST(texts, "added");

    // What lies beyond a slot is never measured: a text of any length costs
    // what its first 1,000 characters cost.
    TitleBlock shortened = title;
    for (const TitleField &field : TitleFields)
        (shortened.*field.value).truncate(1000);
    QCOMPARE(full.measured, drawnPage(documentOf(input, options, shortened, fileName)).measured);
}

void TestReport::pageLabels_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<PageOptions>("options");
    QTest::addColumn<QSizeF>("paper");       // millimetres
    QTest::addColumn<QStringList>("labels");  // one a page
    QTest::addColumn<double>("scale");       // the page's within the margins

    PageOptions sheet = plainPage();
    sheet.sheet = true;
    sheet.pageLabel = u"3-08"_s;
    Study notReady = workedExample();
    notReady.record.creepRatio = 0.0;
    PageOptions margins = plainPage();
    margins.margins = true;
    QTest::newRow("3-08 counts on with its zeros") << workedExample() << sheet << QSizeF(210, 297)
                                                   << QStringList{u"3-08"_s, u"3-09"_s, u"3-10"_s, u"3-11"_s, u"3-12"_s} << 1.0;
    PageOptions longLabel = sheet;
    longLabel.pageLabel = u"3-9999999998"_s;
    QTest::newRow("ten digits count on") << workedExample() << longLabel << QSizeF(210, 297)
                                         << QStringList{u"3-9999999998"_s, u"3-9999999999"_s, u"3-10000000000"_s,
                                                        u"3-10000000001"_s, u"3-10000000002"_s}
                                         << 1.0;
    QTest::newRow("a study that cannot be checked has no sheet")
        << notReady << sheet << QSizeF(210, 297) << QStringList{u"3-08"_s} << 1.0;
    // The frame, 47.7 x 70.6 grid cells of 10.5 pt x 13.125 pt, fits into
    // A3's room (277 x 390 mm) as it is; into A4's 267 mm high, made smaller.
    QTest::newRow("margins never enlarge an A3 page") << workedExample() << margins << QSizeF(297, 420)
                                                      << QStringList{QString()} << 1.0;
    QTest::newRow("margins shrink an A4 page to their height") << workedExample() << margins << QSizeF(210, 297)
                                                               << QStringList{QString()} << 267 * 72 / 25.4 / (70.6 * 13.125);
}

// Each page's label, and the scale the margins set a page at.
void TestReport::pageLabels()
{
    QFETCH(Study, input);
    QFETCH(PageOptions, options);
    QFETCH(QSizeF, paper);
    const ReportDocument document = documentOf(input, options);
    QStringList labels;
    for (int page = 0; page < document.pageCount(); ++page)
        labels << document.pageLabel(page);
    QTEST(labels, "labels");
    RecordingSurface surface(false, paper);
    drawReportPage(surface, document, 0);
    QTEST(surface.placedScale(), "scale");
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

// A draw width is that many pixels on the screen and dots on a printer of
// 600 dpi, the lines the report calls thick and thin; a text hangs from
// the point it is printed at.
void TestReport::painterSurfacePens()
{
    QFETCH(bool, printer);
    QFETCH(int, dotsPerMeter);
    QFETCH(int, thick);
    QFETCH(int, thin);

    registerReportFonts();
    QImage image(200, 200, QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    double textHeight = 0.0;
    {
        QPainter painter(&image);
        PainterSurface surface(painter, printer);
        surface.setDrawWidth(thick);
        surface.line({50, 10}, {50, 190});
        surface.setDrawWidth(thin);
        surface.line({70, 10}, {70, 190});
        surface.setFont(QStringLiteral("ＭＳ 明朝"));
        surface.setFontSize(10.5);
        surface.setCurrentPoint({90, 40});
        surface.print(QStringLiteral("計"));
        textHeight = surface.textHeight(QStringLiteral("計"));
    }
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    auto runAcross = [&](int x0) {
        int count = 0;
        for (int x = x0 - 10; x <= x0 + 10; ++x)
            count += dark(x, 100) ? 1 : 0;
        return count;
    };
    QCOMPARE(runAcross(50), thick);
    QCOMPARE(runAcross(70), thin);
    int inkTop = image.height(), inkBottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 85; x < image.width(); ++x)
            std::tie(inkTop, inkBottom) = dark(x, y) ? std::pair(std::min(inkTop, y), y) : std::pair(inkTop, inkBottom);
    }
    QVERIFY2(inkTop >= 40 && inkBottom < 40 + textHeight, qPrintable(u"%1 to %2"_s.arg(inkTop).arg(inkBottom)));
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
    QTest::newRow("a reversed case governs on its size") << QStringList{u"内水 1 3.6"_s} << u"○内外水位差（◎内水・逆水位）"_s
                                                         << QStringList{u"ケース1 3.00 1.00 2.00 5.50 ＮＧ 6.00 ＮＧ"_s,
                                                                        u"◎ 内水※ 1.00 3.60 2.60 4.23 ＮＧ 4.62 ＮＧ"_s};
}

// The report page shows the governing case; a second page lists them all.
void TestReport::casePages()
{
    QFETCH(QStringList, more);
    QFETCH(QString, heading);
    QFETCH(QStringList, rows);
    const ReportDocument document = documentOf(withCases(workedExample(), casesOf(more)));
    QCOMPARE(document.pageCount(), rows.isEmpty() ? 1 : 2);
    const RecordingSurface first = drawnPage(document);
    // More than one page: each is numbered, whatever the options.
    QCOMPARE(textCalls(first, u"1 / 2"_s).size(), rows.isEmpty() ? 0 : 1);
    const Call levels = onlyText(first, u"WL1  = "_s);
    QCOMPARE(textsOnRow(first, rowOf(onlyText(first, u"○形状寸法"_s).from.y()), 26, 52).value(0), heading);
    QVERIFY(levels.from.y() > onlyText(first, heading).from.y());
    if (rows.isEmpty())
        return;
    // One row of the table a case, 1.5 rows apart under the header.
    const RecordingSurface second = drawnPage(document, 1);
    const double header = rowOf(onlyText(second, u"ケース"_s).from.y());
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(textsOnRow(second, header + 1.5 * (i + 1), 0, 52).join(u' '), rows[i]);
}

void TestReport::sheet_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<bool>("sheet");
    QTest::addColumn<QStringList>("texts");  // among the sheet's, in this order; none without it
    QTest::addColumn<int>("pages");          // the report's and the sheet's

    Study bligh = workedExample();  // C 4: both sections OK
    bligh.formula = Formula::Bligh;
    bligh.record.creepRatio = 4.0;
    // The proposals under the governing 既往 of workedCases().
    const QStringList floodProposals{
        u"ＯＫ にするには（0.50 m きざみ）：1 行目 3.00 m → 8.00 m：ΣL ＝ 19.00 m、Ｃ′＝ 8.75 ≧ 8.50 で ＯＫ"_s,
        u"ＯＫ にするには（0.50 m きざみ）：1 行目 2.50 m → 5.00 m、2 行目 2.50 m → 5.00 m：ΣL ＝ 20.00 m、"
        "Ｃ′＝ 9.17 ≧ 8.50 で ＯＫ"_s};
    QTest::newRow("the worked example")
        << workedExample() << true
        << QStringList{u"遮水矢板の計算書"_s, u"Ｌ′＝ Ｌ／3 ＝ 6.00／3 ＝ 2.00 m"_s,
                       u"必要 ΣL ＝ （Ｃ － 0.005）×⊿Ｈ － Ｌ′ ＝ （8.50 － 0.005）× 2.00 － 6.00／3 ＝ 14.99 m"_s,
                       u"Ｃ′＝ （6.00／3 ＋ 9.00）／2.00 ＝ 5.50"_s, u"Ｃ′＝ 5.50 ＜ Ｃ ＝ 8.50　・・・ＮＧ"_s,
                       u"ΣL の過不足 ＝ ΣL － 必要 ΣL ＝ 9.00 － 14.99 ＝ 不足 5.99 m"_s,
                       u"ＯＫ にするには（0.50 m きざみ）：1 行目 3.00 m → 6.00 m：ΣL ＝ 15.00 m、Ｃ′＝ 8.50 ≧ 8.50 で ＯＫ"_s,
                       u"矢板長は設置間隔の1/2以下であることを別途確認してください"_s,
                       u"Ｃ′＝ （6.00／3 ＋ 10.00）／2.00 ＝ 6.00"_s,
                       u"ＯＫ にするには（0.50 m きざみ）：1 行目 2.50 m → 4.00 m、2 行目 2.50 m → 4.00 m：ΣL ＝ 16.00 m、"
                       "Ｃ′＝ 9.00 ≧ 8.50 で ＯＫ"_s,
                       u"総合判定：ＮＧ（鉛直方向 不足 5.99 m、水平方向 不足 4.99 m）。遮水矢板の長さなどを見直してください。"_s,
                       u"６．設計調書（遮水工）"_s, u"鉛直方向　設置個所"_s, u"川表から優先して2ヶ所以上"_s, u"2ヶ所（1 行目から）"_s,
                       u"○"_s, u"Laneの方法"_s, u"Ｃ′＝ 5.50"_s, u"×"_s, u"U型以上"_s, u"1.0m以上"_s, u"—"_s, u"—"_s,
                       u"掘削幅及びLaneの方法"_s, u"最短 2.50 m、掘削幅 —"_s, u"Ｃ′＝ 6.00"_s, u"×"_s}
        << 5;
    QTest::newRow("Bligh, OK: nothing to propose")
        << bligh << true
        << QStringList{u"Ｌ′＝ Ｌ ＝ 6.00 m"_s, u"Ｃ′＝ （6.00 ＋ 9.00）／2.00 ＝ 7.50"_s,
                       u"Ｃ′＝ 7.50 ≧ Ｃ ＝ 4.00　・・・ＯＫ"_s, u"総合判定：ＯＫ（鉛直方向・水平方向とも Ｃ′≧ Ｃ）"_s,
                       u"ブライの式"_s, u"基準値と異なる（参考）"_s}
        << 4;
    QTest::newRow("no sheet") << workedExample() << false << QStringList() << 1;
    // The head along the path under the vertical check, and at the tips in
    // the drawing; the rows without stations have none.
    QTest::newRow("the head along the path")
        << residualHeadExample() << true
        << QStringList{u"○残留水頭（参考）　鉛直方向の浸透経路に沿って。判定は行いません"_s, u"⊿Ｈ ＝ 4.45 m、Ｗ ＝ Ｌ′ ＋ ΣL ＝ 40.50／3 ＋ 19.00 ＝ 32.50 m"_s,
                       u"1 行目 上端（川表側）"_s, u"6.25"_s, u"0.00"_s, u"2.083"_s, u"4.16"_s,
                       u"3 行目 先端"_s, u"34.75"_s, u"16.50"_s, u"28.083"_s, u"0.60"_s,
                       u"出口動水勾配：最も川裏の矢板（3 行目）の川裏側の面を上る平均"_s,
                       u"i ＝ （h先端 － h上端）／d ＝ （0.605 － 0.262）／2.50 ＝ 0.137 ≒ 1／Ｃ′ ＝ 1／7.30"_s,
                       u"1 行目 4.00（×2） h＝3.62"_s}
        << 5;
    // Where the numbers come from, each under what it is the basis of; the
    // rows above give none and print none.
    Study based = workedCases();
    based.basis = {u"手引き 平成10年 p.189"_s, u"No.2 第2層"_s, u"粒度から"_s};
    based.laterCases.front().basis = {u"T.P."_s, u"既往最高水位"_s, u"堤内地盤高"_s};
    based.laterCases.back().basis.datum = u"T.P."_s;
    QTest::newRow("every basis, two cases of three with one")
        << based << true
        << QStringList{u"○計算式　レインの式"_s, u"根拠：手引き 平成10年 p.189"_s,
                       u"出典：柔構造樋門設計の手引き(P.189)　加重クリープ比の表"_s, u"土質の根拠：No.2 第2層"_s,
                       u"Ｃ の選定理由：粒度から"_s, u"◎：支配ケース（⊿H が最大のケース）"_s,
                       u"水位の根拠（既往）：基準面 T.P.、WL1 既往最高水位、WL2 堤内地盤高"_s, u"水位の根拠（施工）：基準面 T.P."_s,
                       u"２．浸透路長"_s}
               + floodProposals
        << 6;
    // Proposals under the governing 既往 only, from its 18.39 (8.495 x 2.40 - 2
    // = 18.388): ΣL 9 + 10 x 1.00 and 10 + 5 x 2.00. 施工's own requirement,
    // 8.495 x 1.30 - 2 = 9.0435. Report, cases, conditions, the three cases'
    // blocks (16.8 + 21.6 + 16.8 rows from 5.6), then the drawing (31) and the
    // results (13.4), and the design summary with 既往's (2 + 9) / 2.40 =
    // 4.583: six pages.
    QTest::newRow("three cases: 既往 governs")
        << workedCases() << true
        << QStringList{u"◎既往"_s, u"○ケース1"_s, u"○既往（◎支配ケース）"_s} + floodProposals
               + QStringList{u"○施工"_s,
                             u"必要 ΣL ＝ （Ｃ － 0.005）×⊿Ｈ － Ｌ′ ＝ （8.50 － 0.005）× 1.30 － 6.00／3 ＝ 9.0435 → 9.05 m"_s,
                             u"ΣL の過不足 ＝ ΣL － 必要 ΣL ＝ 9.00 － 9.05 ＝ 不足 0.05 m"_s, u"Ｃ′＝ 4.58（既往）"_s}
        << 6;
    // ⊿H 1999.98: 8.495 x 1999.98 - 2 = 16987.8301 needed, each section's
    // two piles at 99.99 m give 4 x 99.99 = 399.96.
    Study extremes = workedExample();
    extremes.record.baseValues[OuterWaterLevelBox] = 999.99;
    extremes.record.baseValues[InnerWaterLevelBox] = -999.99;
    const QString outOfReach = u"ＯＫ にするには（0.50 m きざみ）：矢板を最長 99.99 m にしても ΣL が 16587.88 m 足りません"_s;
    QTest::newRow("the levels at their extremes: out of reach")
        << extremes << true
        << QStringList{u"必要 ΣL ＝ （Ｃ － 0.005）×⊿Ｈ － Ｌ′ ＝ （8.50 － 0.005）× 1999.98 － 6.00／3 ＝ 16987.8301 → 16987.84 m"_s,
                       outOfReach, outOfReach}
        << 4;
}

// The sheet's pages follow the report's with every step of the one check.
void TestReport::sheet()
{
    QFETCH(Study, input);
    QFETCH(bool, sheet);
    QFETCH(QStringList, texts);
    PageOptions options = plainPage();
    options.sheet = sheet;
    const ReportDocument document = documentOf(input, options);
    QTEST(document.pageCount(), "pages");
    QStringList drawn;
    for (int page = 1; page < document.pageCount(); ++page) {
        for (const Call &call : drawnPage(document, page).calls)
            drawn << call.text;
    }
    QCOMPARE(drawn.isEmpty(), !sheet);
    qsizetype from = 0;
    for (const QString &text : texts) {
        from = drawn.indexOf(text, from) + 1;
        QVERIFY2(from > 0, qPrintable(text));
    }
    QCOMPARE(drawn.filter(u"残留水頭（参考）"_s).isEmpty(), texts.filter(u"残留水頭（参考）"_s).isEmpty());
    // A proposal only under an ＮＧ of the governing case; a basis only where one is given.
    for (const QString &only : {u"ＯＫ にするには"_s, u"根拠"_s, u"選定理由"_s})
        QCOMPARE(drawn.filter(only).size(), texts.filter(only).size());
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
