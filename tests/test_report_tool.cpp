#include "builtprogram.h"
#include "csvtable.h"
#include "endedprocess.h"
#include "files/studyfile.h"
#include "reportarguments.h"
#include "files/controlcharacters.h"
#include "reporttool/folderlisting.h"
#include "reporttool/reportbatch.h"
#include "reporttool/summarytable.h"
#include "reporttool/summaryworkbook.h"
#include "study/methodcode.h"
#include "xlsxworkbook.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <functional>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

using namespace talven;
using namespace Qt::StringLiterals;

namespace {

// The table's 状態, before the columns of the case and the structure.
constexpr qsizetype StateColumn = 14;

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

QString toolPath()
{
    return builtProgram(QStringLiteral("talven-report"));
}

// `prepare` may change the process before it starts: its output, its limits.
Run runTool(const QStringList &arguments, const std::function<void(QProcess &)> &prepare = {})
{
    QProcess process;
    process.setProgram(toolPath());
    process.setArguments(arguments);
    if (prepare)
        prepare(process);
    process.start();
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString describe(const Run &run)
{
    return QStringLiteral("exit %1\nstdout:\n%2\nstderr:\n%3").arg(run.exitCode).arg(run.out, run.err);
}

// A study as the window saves it: the texts of the boxes.
struct StudyTexts {
    Formula formula = Formula::Lane;
    int listIndex = 2;
    double typedRatio = 0.0;  // Bligh's ranged class only
    QStringList members{QStringLiteral("18.5"), QStringLiteral("6.25"), QStringLiteral("6.25")};
    QString wl1 = QStringLiteral("3.2");
    QString wl2 = QStringLiteral("-1.05");
    QStringList vertical{QStringLiteral("5.5"), QStringLiteral("4"), QStringLiteral("12.25")};
    QStringList horizontal{QStringLiteral("3"), QStringLiteral("3")};
    QList<int> verticalTicks{0};
    QList<int> horizontalTicks{1};
};

StudyFileContent contentOf(const StudyTexts &study)
{
    StudyFileContent content;
    content.names = {QStringLiteral("本体"), QStringLiteral("上流翼壁"), QStringLiteral("下流翼壁"),
                     QStringLiteral("計画高水位"), QStringLiteral("平水位"),
                     QStringLiteral("上流端"), QStringLiteral("下流端"), QStringLiteral("中間"),
                     {}, {}, {}, {}, QStringLiteral("左岸"), QStringLiteral("右岸"),
                     {}, {}, {}, {}, {}};
    for (int i = 0; i < 3; ++i)
        content.numberTexts[i] = study.members.value(i);
    content.numberTexts[OuterWaterLevelBox] = study.wl1;
    content.numberTexts[InnerWaterLevelBox] = study.wl2;
    for (int i = 0; i < PileCount; ++i) {
        content.numberTexts[FirstVerticalPileBox + i] = study.vertical.value(i);
        content.numberTexts[FirstHorizontalPileBox + i] = study.horizontal.value(i);
    }
    content.methodCode = buildMethodCode(study.formula, study.listIndex, study.typedRatio);
    for (int i : study.verticalTicks)
        content.doubleFlags[i] = 1;
    for (int i : study.horizontalTicks)
        content.doubleFlags[PileCount + i] = 1;
    return content;
}

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The folder's entries with their kinds and the files' contents, so that a
// FIFO replaced by a file or a study turned into a PDF shows.
QStringList entries(const QString &folder)
{
    QStringList listed;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        QFile file(entry.filePath());
        const QString kind = entry.isSymLink() ? u"@"_s
                             : entry.isDir()   ? u"/"_s
                             : entry.isFile() && file.open(QIODevice::ReadOnly) ? QString::number(qHash(file.readAll()))
                                                                                 : u"|"_s;
        listed << entry.fileName() + u' ' + kind;
    }
    return listed;
}

// entries() of the folder and of every folder below it.
QStringList allEntries(const QString &folder)
{
    QStringList listed = entries(folder);
    for (const QFileInfo &sub : QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        for (const QString &entry : allEntries(sub.filePath()))
            listed << sub.fileName() + u'/' + entry;
    }
    return listed;
}

// A study name the table must quote: a comma, and quotes where names may hold them.
#ifdef Q_OS_WIN
const QString QuotedName = QStringLiteral("b,c");
#else
const QString QuotedName = QStringLiteral("b,\"c\"");
#endif

QString pdfInfo(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The width a spreadsheet needs for a text, a character other than ASCII
// counting two.
int textWidth(const QString &text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() < 0x80 ? 1 : 2;
    return width;
}

// The workbook against the CSV of the same run: sheet 照査結果 cell for cell
// (numbers as numbers shown "0.00", the rest as text, NG on a red fill, 判定
// and ◎ centred, empty fields without a cell), the header bold, frozen, under the
// filter, broken into lines at its spaces each as wide as its column at
// most, 計算式, 土質の区分 and 構造物名 folded away; sheet 入力値 a row per
// study and section with those three, the first study's checked, the piles
// under their heading; sheet 設計調書（遮水工） a row per study. All print on
// A4 landscape at no less than 74 % (8 pt) with the columns that name a row
// and the header rows on every page, --job and the run's day (one of `days`)
// at the top; 入力値 a page for the piles.
void compareWorkbook(const QString &path, const QList<QStringList> &csv, const QString &job, const QStringList &days)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QMap<QString, XlsxSheet> book = readXlsxWorkbook(file.readAll());
    QCOMPARE(book.keys(), QStringList({u"入力値"_s, u"照査結果"_s, u"設計調書（遮水工）"_s}));
    const XlsxSheet &summary = book[u"照査結果"_s];
    QCOMPARE(summary.rowCount(), csv.size());
    QCOMPARE(summary.frozenRows, 1);
    QCOMPARE(summary.autofilter, u"A1:W%1"_s.arg(csv.size()));
    const QList<int> folded{2, 3, 19};
    QCOMPARE(summary.folded, folded);
    const QList<int> numberColumns{4, 5, 6, 7, 8, 10, 11, 12, 13, 16, 17};
    for (int r = 0; r < csv.size(); ++r) {
        for (int c = 0; c < csv[r].size(); ++c) {
            const QString &field = csv[r][c];
            const XlsxCell cell = summary.cell(r, c);
            const QString where = u"%1 row %2 column %3: "_s.arg(path).arg(r).arg(c) + field;
            QVERIFY2(summary.cells.contains({r, c}) == !field.isEmpty(), qPrintable(where));
            QVERIFY2(cell.bold == (r == 0), qPrintable(where));
            // NG on Excel's own light red.
            QVERIFY2(cell.fill == (field == u"NG"_s ? u"FFFFC7CE"_s : QString()), qPrintable(where));
            // 判定 and 支配 centred.
            QVERIFY2(cell.align == (r > 0 && (c == 9 || c == 18) && !field.isEmpty() ? u"center"_s : QString()),
                     qPrintable(where));
            if (r > 0 && numberColumns.contains(c) && !field.isEmpty()) {
                QVERIFY2(cell.number && cell.format == u"0.00"_s && cell.text.toDouble() == field.toDouble(),
                         qPrintable(where + u" != "_s + cell.text));
                continue;
            }
            const QString text = r == 0 ? QString(cell.text).replace(u'\n', u' ') : cell.text;
            // The CSV may guard a text a spreadsheet would take for a formula with a leading '.
            QVERIFY2(!cell.number && (text == field || u'\'' + text == field), qPrintable(where));
        }
    }
    qsizetype headerLines = 1;
    for (int c = 0; c < csv[0].size(); ++c) {
        const QStringList lines = summary.cell(0, c).text.split(u'\n');
        for (const QString &line : lines)
            QVERIFY2(summary.widths.value(c) >= textWidth(line), qPrintable(line));
        headerLines = std::max(headerLines, lines.size());
    }
    // A line more for the filter's button.
    QCOMPARE(summary.heights.value(0), 15.0 * double(headerLines + 1));
    const QString day = summary.print.value(u"oddHeader"_s).section(u"&R"_s, 1);
    QVERIFY2(days.contains(day), qPrintable(day));
    const QString pageTop = u"&L"_s + QString(job).replace(u"&"_s, u"&&"_s) + u"&R"_s + day;
    for (const auto &[sheet, titles] : {std::pair(u"照査結果"_s, u"'照査結果'!$A:$B,'照査結果'!$1:$1"_s),
                                        std::pair(u"入力値"_s, u"'入力値'!$A:$B,'入力値'!$1:$2"_s),
                                        std::pair(u"設計調書（遮水工）"_s, u"'設計調書（遮水工）'!$A:$A,'設計調書（遮水工）'!$1:$3"_s)}) {
        QMap<QString, QString> print = book[sheet].print;
        const int scale = print.take(u"pageSetup.scale"_s).toInt();
        QVERIFY2(scale >= 74 && scale <= 100, qPrintable(sheet));
        // Where 照査結果's and 設計調書's pages break depends on the lengths
        // of the names and texts (ten studies: workbookOfTenStudies).
        if (sheet != u"入力値"_s)
            print.remove(u"colBreaks"_s);
        QMap<QString, QString> expected{
            {u"pageSetup.paperSize"_s, u"9"_s}, {u"pageSetup.orientation"_s, u"landscape"_s},
            {u"printOptions.horizontalCentered"_s, u"1"_s}, {u"Print_Titles"_s, titles},
            {u"oddHeader"_s, pageTop}, {u"oddFooter"_s, u"&C&P / &N"_s}};
        // 入力値 breaks before the piles.
        if (sheet == u"入力値"_s)
            expected.insert(u"colBreaks"_s, u"16"_s);
        QCOMPARE(print, expected);
    }

    // A row per study and section; 計算式, 土質の区分 and 構造物名 as 照査結果 has them.
    const XlsxSheet &inputs = book[u"入力値"_s];
    QCOMPARE(inputs.rowCount(), csv.size() + 1);
    QCOMPARE(inputs.frozenRows, 2);
    for (int r = 1; r < csv.size(); ++r) {
        const QStringList shown{inputs.cell(r + 1, 0).text, inputs.cell(r + 1, 1).text, inputs.cell(r + 1, 2).text,
                                inputs.cell(r + 1, 3).text, inputs.cell(r + 1, 4).text};
        QCOMPARE(shown, QStringList({summary.cell(r, 0).text, summary.cell(r, 1).text, summary.cell(r, 19).text,
                                     summary.cell(r, 2).text, summary.cell(r, 3).text}));
    }
    // The first study's vertical row, then its horizontal one.
    const QMap<QString, QString> first{
        {u"計算式"_s, u"レインの式 レインの式"_s}, {u"必要値 Ｃ"_s, u"6 6"_s}, {u"部材名称 1"_s, u"本体 本体"_s},
        {u"寸法 1 (m)"_s, u"18.5 18.5"_s}, {u"WL2 水位名称"_s, u"平水位 平水位"_s}, {u"WL2 (m)"_s, u"-1.05 -1.05"_s},
        {u"矢板 設置場所 1"_s, u"上流端 左岸"_s}, {u"矢板 長さ 3 (m)"_s, u"12.25 0"_s}, {u"矢板 ×2 1"_s, u"○ "_s},
        {u"矢板 ×2 2"_s, u" ○"_s}, {u"矢板 長さ 7 (m)"_s, u"0 0"_s}};
    // Each title under its group's heading, which stands over the group's first column.
    QStringList header, seen, expected;
    QString group;
    for (int c = 0; inputs.cells.contains({1, c}); ++c) {
        if (!inputs.cell(0, c).text.isEmpty())
            group = inputs.cell(0, c).text + u' ';
        header << group + inputs.cell(1, c).text.replace(u'\n', u' ');
    }
    for (auto [title, value] : first.asKeyValueRange()) {
        const int c = int(header.indexOf(title));
        seen << title + u": "_s + inputs.cell(2, c).text + u' ' + inputs.cell(3, c).text;
        expected << title + u": "_s + value;
    }
    QCOMPARE(header.size(), 37);
    QCOMPARE(seen, expected);
    QCOMPARE(inputs.cell(2, int(header.indexOf(u"矢板 ×2 1"_s))).align, u"center"_s);

    // 設計調書（遮水工）: a row per study under the items' headings, 基準値 in the
    // row below where the studies share it (Lane's 6 and Bligh's 7.4 differ
    // for the creep ratios), 判定 centred as 照査結果's, × on red, 状態 last
    // for a study not checked.
    const XlsxSheet &review = book[u"設計調書（遮水工）"_s];
    QCOMPARE(review.rowCount(), 3 + (csv.size() - 1) / 2);
    // The headings as read, wherever their lines break.
    static const QRegularExpression breaks(u"[\n\u3000]"_s);
    QStringList headings;
    for (int c = 0; review.cells.contains({2, c}); ++c)
        headings << QStringList{review.cell(0, c).text, review.cell(1, c).text, review.cell(2, c).text}.join(u'|').remove(breaks);
    QCOMPARE(headings,
             QStringList({u"項目|基準値|ファイル"_s, u"鉛直方向設置個所|川表から優先して2ヶ所以上|計画値"_s, u"||判定"_s,
                          u"鉛直方向長さの決定|Laneの方法|計画値"_s, u"||判定"_s, u"鉛直方向クリープ比||基準値"_s,
                          u"||計画値"_s, u"||判定"_s, u"鉛直方向型式|U型以上|計画値"_s, u"||判定"_s,
                          u"しゃ水壁高さ・幅|1.0m以上|計画値"_s, u"||判定"_s, u"水平方向の範囲|掘削幅及びLaneの方法|計画値"_s,
                          u"||判定"_s, u"水平方向クリープ比||基準値"_s, u"||計画値"_s, u"||判定"_s, u"||状態"_s}));
    for (int r = 1; r < csv.size(); r += 2) {
        const int row = 3 + (r - 1) / 2;
        QCOMPARE(review.cell(row, 0).text, csv[r][0]);
        const bool checked = !csv[r][9].isEmpty();
        QCOMPARE(review.cell(row, int(headings.size()) - 1).text, checked ? QString() : csv[r][StateColumn]);
        for (const int c : {2, 4, 7, 9, 11, 13, 16}) {
            const XlsxCell verdict = review.cell(row, c);
            QVERIFY2(verdict.text.isEmpty() != checked, qPrintable(csv[r][0]));
            QCOMPARE(verdict.align, checked ? u"center"_s : QString());
            QCOMPARE(verdict.fill == u"FFFFC7CE"_s, verdict.text == u"×"_s);
        }
    }
}

}  // namespace

Q_DECLARE_METATYPE(StudyTexts)

class TestReportTool : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void report_data();
    void report();
    void refusedFile_data();
    void refusedFile();
    void notReady();
    void unwritableOutput();
    void nothingWritten_data();
    void nothingWritten();
    void leftBehind_data();
    void leftBehind();
    void lostStandardOutput_data();
    void lostStandardOutput();
    void commandLine_data();
    void commandLine();
    void titlePrecedence_data();
    void titlePrecedence();
    void arguments();
    void help();
    void batch_data();
    void batch();
    void folderScan_data();
    void folderScan();
    void tableFields_data();
    void tableFields();
    void workbookCells_data();
    void workbookCells();
    void workbookPageHeader_data();
    void workbookPageHeader();
    void workbookPages_data();
    void workbookPages();
    void reviewTable_data();
    void reviewTable();
    void workbookOfTenStudies();
    void tableFileNames_data();
    void tableFileNames();
    void workers_data();
    void workers();
    void folderEntries_data();
    void folderEntries();
    void studyOrder_data();
    void studyOrder();
    void reportNames_data();
    void reportNames();
    void summary_data();
    void summary();
    void examples_data();
    void examples();

    void cleanupTestCase();

private:
    QTemporaryDir dir;
    QString Path(const QString &name) const { return dir.filePath(name); }
};

// The folder cannot remove names that are not UTF-8 itself: they go by their bytes.
void TestReportTool::cleanupTestCase()
{
#ifdef Q_OS_UNIX
    ::unlink(QFile::encodeName(Path(u"odd/plan"_s)) + "\xff.vek");
    ::rmdir(QFile::encodeName(Path(u"odd/dir"_s)) + "\xfe");
#endif
}

void TestReportTool::initTestCase()
{
    QVERIFY(dir.isValid());
    // The batch runs' folders: ready studies of both formulas (one name needing
    // quotes in the table, one a spreadsheet would take for a formula), a refused one, one not ready with a range warning,
    // one a level down; two studies whose reports would share a name and one
    // named like a report; a file where a folder should be; a FIFO.
    StudyTexts bligh;
    bligh.formula = Formula::Bligh;
    bligh.listIndex = RangedBlighClass;
    bligh.typedRatio = 7.4;
    StudyTexts rejectedLevel;
    rejectedLevel.wl1 = QStringLiteral("1000");
    rejectedLevel.wl2 = QStringLiteral("0");
    for (const QString &folder :
         {QStringLiteral("mixed/sub"), QStringLiteral("clash/x"), QStringLiteral("clash/y"), u"cross"_s})
        QVERIFY(QDir(dir.path()).mkpath(folder));
    const QList<std::pair<QString, StudyTexts>> studies{
        {QStringLiteral("mixed/樋門 a.vek"), StudyTexts()}, {QStringLiteral("mixed/=2+3.vek"), StudyTexts()}, {u"mixed/"_s + QuotedName + u".vek"_s, bligh},
        {QStringLiteral("mixed/notready.vek"), rejectedLevel}, {QStringLiteral("mixed/refused.vek"), StudyTexts()},
        {QStringLiteral("mixed/sub/deep.vek"), StudyTexts()}, {QStringLiteral("clash/x/plan.vek"), StudyTexts()},
        {QStringLiteral("clash/y/PLAN.VEK"), StudyTexts()}, {QStringLiteral("clash/odd.pdf"), StudyTexts()},
        {QStringLiteral("blocker"), StudyTexts()}, {u"cross/linked.vek"_s, StudyTexts()}};
    for (const auto &[name, study] : studies)
        QVERIFY(!writeStudyFile(Path(name), contentOf(study)));
#ifdef Q_OS_UNIX
    QCOMPARE(::mkfifo(QFile::encodeName(Path(QStringLiteral("table.fifo"))).constData(), 0600), 0);
    // A study named by bytes that are not UTF-8 beside the one that name
    // would read as, a subfolder named so, and one to be closed (folderScan).
    QVERIFY(QDir(dir.path()).mkpath(u"odd/locked"_s));
    for (const QString &name : {u"odd/plan\uFFFD.vek"_s, u"odd/raw"_s, u"odd/locked/plan.vek"_s})
        QVERIFY(!writeStudyFile(Path(name), contentOf(StudyTexts())));
    QCOMPARE(::rename(QFile::encodeName(Path(u"odd/raw"_s)).constData(), QFile::encodeName(Path(u"odd/plan"_s)) + "\xff.vek"), 0);
    QCOMPARE(::mkdir(QFile::encodeName(Path(u"odd/dir"_s)) + "\xfe", 0755), 0);
    // A link back up, which -r must not follow.
    QVERIFY(QFile::link(u".."_s, Path(u"mixed/sub/up"_s)));

    // A workbook's name that links to a table's, and a report's name that
    // links to a study: outputs are what their names lead to.
    QVERIFY(QFile::link(Path(u"linked.csv"_s), Path(u"link.xlsx"_s)));
    QVERIFY(QFile::link(Path(u"mixed/sub/deep.vek"_s), Path(u"clash/linked.pdf"_s)));
    QVERIFY(QFile::link(Path(u"mixed/sub/deep.talven.json"_s), Path(u"companion.xlsx"_s)));
#endif
    QFile refused(Path(QStringLiteral("mixed/refused.vek")));
    QVERIFY(refused.open(QIODevice::Append));
    QVERIFY(refused.write("\r\n") == 2);
    refused.close();
#ifdef Q_OS_UNIX
    // Names that would move the cursor, recolour the terminal or start lines
    // of their own: one study refused, one checked.
    QVERIFY(QDir(dir.path()).mkpath(u"control"_s));
    QVERIFY(!writeStudyFile(Path(u"control/\x1B]0;title\x07.vek"_s), contentOf(StudyTexts())));
    QVERIFY(QFile::copy(Path(u"mixed/refused.vek"_s), Path(u"control/\x1B[31mred\r\n.vek"_s)));
    // A companion that cannot be read: its message names it.
    QFile companion(Path(u"control/\x1B]0;title\x07.talven.json"_s));
    QVERIFY(companion.open(QIODevice::WriteOnly) && companion.write("{") == 1);
#endif
    QVERIFY2(QFile::exists(builtProgram(QStringLiteral("talven-report"))),
             "talven-report is not built");
#ifndef Q_OS_WIN
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is missing");
#endif
}

void TestReportTool::report_data()
{
    QTest::addColumn<StudyTexts>("study");
    QTest::addColumn<QStringList>("verdicts");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("pageTexts");
    QTest::addColumn<QStringList>("options");  // the page's options
    QTest::addColumn<int>("pages");

    // L 31, ΔH 4.25. Vertical ΣL 11 + 4 + 12.25 = 27.25: (31 / 3 + 27.25) / 4.25 = 8.84;
    // horizontal ΣL 3 + 6 = 9: (31 / 3 + 9) / 4.25 = 4.55.
    StudyTexts lane;
    QTest::newRow("lane")
        << lane
        << QStringList({QStringLiteral("鉛直方向　Ｃ′= 8.84 ≧ Ｃ = 6.00 ・・・ＯＫ"),
                        QStringLiteral("水平方向　Ｃ′= 4.55 ＜ Ｃ = 6.00 ・・・ＮＧ")})
        << QStringList()
        << QStringList({QStringLiteral("加重クリープ比"), QStringLiteral("柔構造樋門設計の手引き(P.189)"),
                        QStringLiteral("◆ 中砂"), QStringLiteral("上流端* 11.00"),
                        QStringLiteral("右岸* 6.00"), QStringLiteral("計 27.25"),
                        QStringLiteral("WL2 = -1.05 (m)"), QStringLiteral("= 4.25 (m)")})
        << QStringList() << 1;
    // The sheet follows, its L' to three decimals; the page label counts on.
    QTest::newRow("lane, the sheet")
        << lane
        << QStringList({QStringLiteral("鉛直方向　Ｃ′= 8.84 ≧ Ｃ = 6.00 ・・・ＯＫ"),
                        QStringLiteral("水平方向　Ｃ′= 4.55 ＜ Ｃ = 6.00 ・・・ＮＧ")})
        << QStringList()
        << QStringList({QStringLiteral("遮水矢板の計算書"), QStringLiteral("Ｌ′＝ Ｌ／3 ＝ 31.00／3 ≒ 10.333 m"),
                        QStringLiteral("Ｃ′＝ （31.00／3 ＋ 27.25）／4.25 ＝ 8.84"), QStringLiteral("3-14"),
                        QStringLiteral("3 / 4")})
        << QStringList{QStringLiteral("--sheet"), QStringLiteral("--page-label"), QStringLiteral("3-12")} << 4;

    // Eight more cases are one too many: the last, which would govern (⊿H
    // 10), is left out, and the study's own case governs as before.
    QStringList eightCases;
    for (int i = 1; i <= 7; ++i)
        eightCases << u"--case"_s << u"低水%1:1:0"_s.arg(i);
    QTest::newRow("eight cases more, the eighth left out")
        << lane
        << QStringList({QStringLiteral("鉛直方向　Ｃ′= 8.84 ≧ Ｃ = 6.00 ・・・ＯＫ"),
                        QStringLiteral("水平方向　Ｃ′= 4.55 ＜ Ｃ = 6.00 ・・・ＮＧ")})
        << QStringList{u"水位ケースは 8 つまでです。8 番目より後の 1 つのケースは使いません。"_s} << QStringList{u"低水7"_s}
        << eightCases + QStringList{u"--case"_s, u"洪水:10:0"_s} << 2;

    // Out-of-range values are warned about and read as 0, as File > Open does:
    // ΔH 0 - (-4.25), vertical ΣL 0 + 4 + 12.25, (31 / 3 + 16.25) / 4.25 = 6.25.
    StudyTexts outOfRange = lane;
    outOfRange.wl1 = QStringLiteral("1234");
    outOfRange.wl2 = QStringLiteral("-4.25");
    outOfRange.vertical = {QStringLiteral("100"), QStringLiteral("4"), QStringLiteral("12.25")};
    QTest::newRow("range warnings")
        << outOfRange
        << QStringList({QStringLiteral("鉛直方向　Ｃ′= 6.25 ≧ Ｃ = 6.00 ・・・ＯＫ"),
                        QStringLiteral("水平方向　Ｃ′= 4.55 ＜ Ｃ = 6.00 ・・・ＮＧ")})
        << QStringList({QStringLiteral("数値は-999.99から999.99の範囲で入力してください"),
                        QStringLiteral("数値は0から99.99の範囲で入力してください")})
        << QStringList({QStringLiteral("WL1 = 0.00 (m)"), QStringLiteral("計 16.25")}) << QStringList() << 1;
}

void TestReportTool::report()
{
    QFETCH(StudyTexts, study);
    QFETCH(QStringList, verdicts);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, pageTexts);
    QFETCH(QStringList, options);
    QFETCH(int, pages);

    const QString vek = Path(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".vek"));
    const QString pdf = Path(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    QVERIFY(!writeStudyFile(vek, contentOf(study)));

    // Started as from su or cron, without a runtime folder: nothing is said of one.
    const Run run = runTool(QStringList{vek, QStringLiteral("-o"), pdf} + options, [](QProcess &process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"XDG_RUNTIME_DIR"_s);
        process.setProcessEnvironment(environment);
    });
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QCOMPARE(run.out, verdicts.join(u'\n') + u'\n');
    QString said;
    for (const QString &warning : warnings)
        said += u"talven-report: 警告: "_s + warning + u'\n';
    QCOMPARE(run.err, said);

    QVERIFY(QFile::exists(pdf));
#ifdef Q_OS_WIN
    QSKIP(NoPdfReaderOnWindows);
#endif
    const QString info = pdfInfo(pdf);
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("595.276 x 841.89")) || info.contains(QStringLiteral("595 x 842")),
             qPrintable(info));
    // Without --structure the title is the study's name.
    QVERIFY2(info.contains(QRegularExpression(u"Title:\\s+"_s + QString::fromLatin1(QTest::currentDataTag()) + u"\\n"_s)),
             qPrintable(info));

    // The page's text without blanks: the layout spaces its columns by position,
    // and "Ｃ = 12.00" ends where "・・・ＯＫ" begins.
    const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QString page = pdfText(pdf).remove(blanks);
    QStringList expected{QStringLiteral("遮水矢板の設計"), QStringLiteral("３．鉛直方向の計算"),
                         QStringLiteral("４．水平方向の計算"), QStringLiteral("計画高水位")};
    // The same four items as the page's verdict lines, in the same order.
    for (const QString &verdict : verdicts)
        expected.append(verdict.section(QStringLiteral("　"), 1));
    expected += pageTexts;
    for (QString text : expected)
        QVERIFY2(page.contains(text.remove(blanks)), qPrintable(text + QStringLiteral(" not in ") + page));
    QVERIFY(!page.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
}

void TestReportTool::refusedFile_data()
{
    QTest::addColumn<QByteArray>("append");  // bytes after a valid study
    QTest::addColumn<bool>("exists");

    QTest::newRow("a 54th line") << QByteArray("\r\n") << true;
    QTest::newRow("missing file") << QByteArray() << false;
}

void TestReportTool::refusedFile()
{
    QFETCH(QByteArray, append);
    QFETCH(bool, exists);

    const QString vek = Path(QStringLiteral("refused.vek"));
    const QString pdf = Path(QStringLiteral("refused.pdf"));
    QFile::remove(vek);
    if (exists) {
        QVERIFY(!writeStudyFile(vek, contentOf(StudyTexts())));
        QFile file(vek);
        QVERIFY(file.open(QIODevice::Append));
        file.write(append);
    }
    // An earlier report under that name is left as it was.
    {
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier");
    }

    const Run run = runTool({vek, QStringLiteral("-o"), pdf});
    QVERIFY2(run.exitCode == 1, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(vek + QStringLiteral(": ファイル読み込みを中止しました。")), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QFile old(pdf);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("earlier"));
}

// A study the check cannot take (its outer level out of range reads as 0,
// which leaves no head difference) writes no report.
void TestReportTool::notReady()
{
    StudyTexts study;
    study.wl1 = QStringLiteral("1000");
    study.wl2 = QStringLiteral("0");
    const QString vek = Path(QStringLiteral("notready.vek"));
    const QString pdf = Path(QStringLiteral("notready.pdf"));
    QFile::remove(pdf);
    QVERIFY(!writeStudyFile(vek, contentOf(study)));

    const Run run = runTool({vek, QStringLiteral("-o"), pdf});
    QVERIFY2(run.exitCode == 2, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(QStringLiteral("水位データおよび\nクリープ比の選択を確認してください")),
             qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFile::exists(pdf));
}

void TestReportTool::unwritableOutput()
{
    const QString vek = Path(QStringLiteral("unwritable.vek"));
    const QString pdf = Path(QStringLiteral("no such folder/report.pdf"));
    QVERIFY(!writeStudyFile(vek, contentOf(StudyTexts())));

    const Run run = runTool({vek, QStringLiteral("-o"), pdf});
    QVERIFY2(run.exitCode == 3, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(pdf + QStringLiteral(": PDF ファイルを書き出せませんでした。")),
             qPrintable(run.err));
    // No verdicts without the report they belong to.
    QVERIFY(run.out.isEmpty());
}

void TestReportTool::nothingWritten_data()
{
    // Names in a folder holding study.vek, its companion study.talven.json
    // (hard.json another name of it), s\uFFFD.vek, an earlier report.pdf,
    // sub/, link.vek, hard.vek and fifo.pdf; printf turns \ooo into a byte.
    QTest::addColumn<QString>("study");
    QTest::addColumn<QString>("output");
    QTest::addColumn<qint64>("room");        // bytes a file may take, from the PDF's end when negative; 0: no limit
    QTest::addColumn<QStringList>("named");  // in the message
    QTest::addColumn<int>("exitCode");

    const QString study = u"study.vek"_s;
    for (const QString &same : {study, u"link.vek"_s, u"sub/../study.vek"_s, u"hard.vek"_s})
        QTest::addRow("the study as %s", qPrintable(same)) << study << same << 0LL << QStringList{study, same} << 64;
    // The study's companion, by its name and by the file (a hard link).
    for (const QString &companion : {u"study.talven.json"_s, u"hard.json"_s})
        QTest::addRow("the companion as %s", qPrintable(companion))
            << study << companion << 0LL << QStringList{companion, study, u"水位ケースと表題欄"_s} << 64;
    QTest::newRow("a FIFO") << study << u"fifo.pdf"_s << 0LL << QStringList{u"fifo.pdf"_s} << 64;
    QTest::newRow("a folder") << study << u"sub"_s << 0LL << QStringList{u"sub"_s} << 64;
    QTest::newRow("output name not UTF-8") << study << u"r\\377\\376.pdf"_s << 0LL << QStringList{u"UTF-8"_s} << 64;
    // Read as UTF-8 the name would be s\uFFFD.vek, another study.
    QTest::newRow("study name not UTF-8") << u"s\\377.vek"_s << u"s.pdf"_s << 0LL << QStringList{u"UTF-8"_s} << 64;
    // Opening a FIFO would wait for a writer that never comes.
    QTest::newRow("a FIFO as the study") << u"fifo.pdf"_s << u"s.pdf"_s << 0LL
                                         << QStringList{u"ファイル読み込みを中止しました。"_s} << 1;
    // A file size limit fails the writes as a full disk does, without root:
    // the write that reaches it takes part of its bytes, the next one fails.
    const QStringList cannotWrite{u"report.pdf: PDF ファイルを書き出せませんでした。"_s};
    QTest::newRow("disk full in the font") << study << u"report.pdf"_s << 8192LL << cannotWrite << 3;
    QTest::newRow("disk full at the last byte") << study << u"report.pdf"_s << -1LL << cannotWrite << 3;
}

// Refused names and failed writes leave every file of the folder as it was.
void TestReportTool::nothingWritten()
{
#ifndef Q_OS_UNIX
    QSKIP("needs links, FIFOs, file size limits and a shell");
#else
    QFETCH(QString, study);
    QFETCH(QString, output);
    QFETCH(qint64, room);
    QFETCH(QStringList, named);
    QFETCH(int, exitCode);

    QTemporaryDir folder;
    const QString studyPath = folder.filePath(u"study.vek"_s);
    QVERIFY(!writeStudyFile(studyPath, contentOf(StudyTexts())));
    QVERIFY(!writeStudyFile(folder.filePath(u"s\uFFFD.vek"_s), contentOf(StudyTexts())));
    QCOMPARE(runTool({studyPath, u"-o"_s, folder.filePath(u"report.pdf"_s)}).exitCode, 0);
    const auto limit = rlim_t(room >= 0 ? room : QFileInfo(folder.filePath(u"report.pdf"_s)).size() + room);
    QVERIFY(QDir(folder.path()).mkdir(u"sub"_s));
    QVERIFY(QFile::link(u"study.vek"_s, folder.filePath(u"link.vek"_s)));
    QCOMPARE(::link(QFile::encodeName(studyPath).constData(), QFile::encodeName(folder.filePath(u"hard.vek"_s)).constData()), 0);
    QFile companion(folder.filePath(u"study.talven.json"_s));
    QVERIFY(companion.open(QIODevice::WriteOnly) && companion.write("{}") == 2);
    companion.close();
    QCOMPARE(::link(QFile::encodeName(companion.fileName()).constData(), QFile::encodeName(folder.filePath(u"hard.json"_s)).constData()), 0);
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(u"fifo.pdf"_s)).constData(), 0600), 0);
    const QStringList before = entries(folder.path());

    // QProcess hands over UTF-8 only; the shell's printf makes the other bytes.
    const Run run = runTool({}, [&](QProcess &process) {
        process.setWorkingDirectory(folder.path());
        process.setProgram(u"/bin/sh"_s);
        process.setArguments({u"-c"_s, u"exec \"$0\" \"$(printf \"$1\")\" -o \"$(printf \"$2\")\""_s, toolPath(), study, output});
        if (limit > 0) {
            process.setChildProcessModifier([limit] {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit tight{limit, limit};
                setrlimit(RLIMIT_FSIZE, &tight);
            });
        }
    });
    QVERIFY2(run.exitCode == exitCode, qPrintable(describe(run)));
    QVERIFY(run.out.isEmpty());
    for (const QString &name : named)
        QVERIFY2(run.err.contains(name), qPrintable(run.err));
    QCOMPARE(entries(folder.path()), before);
#endif
}

void TestReportTool::leftBehind_data()
{
    QTest::addColumn<QString>("output");  // "pdf": -o out.pdf; "csv", "xlsx": --csv out.csv, --xlsx out.xlsx
    QTest::addColumn<QString>("left");    // beside it: %1 the id of a process that has ended, %2 this one's; @: a link
    QTest::addColumn<bool>("removed");

    QTest::newRow("a PDF's temporary file, its run ended") << u"pdf"_s << u"out.pdf.talven-%1-AbC123"_s << true;
    QTest::newRow("a table's temporary file, its run ended") << u"csv"_s << u"out.csv.talven-%1-x0Y9zZ"_s << true;
    QTest::newRow("a workbook's temporary file, its run ended") << u"xlsx"_s << u"out.xlsx.talven-%1-000000"_s << true;
    QTest::newRow("a workbook's temporary file, its run still going") << u"xlsx"_s << u"out.xlsx.talven-%2-AbC123"_s
                                                                     << false;
    QTest::newRow("another output's temporary file") << u"pdf"_s << u"other.pdf.talven-%1-AbC123"_s << false;
    QTest::newRow("a name that only begins alike") << u"pdf"_s << u"out.pdf.talven-%1-AbC123.bak"_s << false;
    QTest::newRow("a name of another pattern") << u"pdf"_s << u"out.pdf.AbC123"_s << false;
#ifdef Q_OS_UNIX
    QTest::newRow("a link of that name") << u"csv"_s << u"@out.csv.talven-%1-AbC123"_s << false;
#endif
}

// What a run killed while writing left beside its output goes with the next
// run to that output; nothing else does. The output keeps its permissions.
void TestReportTool::leftBehind()
{
    QFETCH(QString, output);
    QFETCH(QString, left);
    QFETCH(bool, removed);
    QTemporaryDir folder;
    const QString study = folder.filePath(u"plan.vek"_s);
    QVERIFY(!writeStudyFile(study, contentOf(StudyTexts())));
    const qint64 ended = endedProcessId();
    QVERIFY(ended > 0);
    const bool link = left.startsWith(u'@');
    const QString name = left.mid(link ? 1 : 0)
                             .replace(u"%1"_s, QString::number(ended))
                             .replace(u"%2"_s, QString::number(QCoreApplication::applicationPid()));
    if (link) {
        QVERIFY(QFile::link(study, folder.filePath(name)));
    } else {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("left behind") > 0);
    }

    // An earlier output readable by all stays so once replaced.
    const QString target = folder.filePath(u"out."_s + output);
    const QFile::Permissions readableByAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.setPermissions(readableByAll));
    earlier.close();
    const Run run = runTool(output == u"pdf"_s ? QStringList{study, u"-o"_s, target}
                                               : QStringList{u"--"_s + output, target, study});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
#ifdef Q_OS_UNIX
    QCOMPARE(QFile::permissions(target) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), readableByAll);
#endif
    QStringList expected{u"plan.vek"_s, u"out."_s + output};
    if (!removed)
        expected << name;
    QStringList found =
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    found.sort();
    expected.sort();
    QCOMPARE(found, expected);
}

void TestReportTool::lostStandardOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("pipe");          // a pipe whose reader has gone; otherwise a full disk
    QTest::addColumn<QStringList>("written");  // files made all the same

    const QStringList single{u"lost.vek"_s, u"-o"_s, u"lost.pdf"_s};
    QTest::newRow("verdict lines") << single << false << QStringList{u"lost.pdf"_s};
    QTest::newRow("help") << QStringList{u"--help"_s} << false << QStringList();
    QTest::newRow("verdict lines, reader gone") << single << true << QStringList{u"lost.pdf"_s};
    QTest::newRow("batch, reader gone") << QStringList{u"-d"_s, u"lost"_s, u"--csv"_s, u"lost.csv"_s, u"mixed"_s} << true
                                        << QStringList{u"lost/樋門 a.pdf"_s, u"lost/"_s + QuotedName + u".pdf"_s, u"lost.csv"_s};
    QTest::newRow("table, reader gone") << QStringList{u"--csv"_s, u"-"_s, u"mixed"_s} << true << QStringList();
}

void TestReportTool::lostStandardOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, pipe);
    QFETCH(QStringList, written);
#ifndef Q_OS_UNIX
    Q_UNUSED(pipe)
    QSKIP("needs /dev/full and pipes handed to the child");
#else
    if (!QFileInfo::exists(u"/dev/full"_s))
        QSKIP("no /dev/full here");
    QVERIFY(!writeStudyFile(Path(u"lost.vek"_s), contentOf(StudyTexts())));
    for (const QString &file : written)
        QFile::remove(Path(file));
    // The reader's end closed before the tool writes anything, as `| head -n 0` would.
    int ends[2];
    QCOMPARE(::pipe(ends), 0);
    ::close(ends[0]);

    const Run run = runTool(arguments, [&](QProcess &process) {
        process.setWorkingDirectory(dir.path());
        if (!pipe) {
            process.setStandardOutputFile(u"/dev/full"_s);
            return;
        }
        process.setChildProcessModifier([&ends] {
            std::signal(SIGPIPE, SIG_DFL);
            ::dup2(ends[1], STDOUT_FILENO);
        });
    });
    ::close(ends[1]);
    QVERIFY2(run.exitCode == 74, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(u"標準出力に書き込めませんでした。"_s), qPrintable(run.err));
    for (const QString &file : written)
        QVERIFY2(QFileInfo(Path(file)).size() > 0, qPrintable(file));
#endif
}

void TestReportTool::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");  // after the program's name
    QTest::addColumn<QString>("read");           // the page's options as read, or the problem

    const QStringList single{u"a.vek"_s, u"-o"_s, u"a.pdf"_s};
    QTest::newRow("no page options") << single << u"||||| figures, margins, structure from the file"_s;
    QTest::newRow("a title block")
        << single + QStringList{u"--job"_s, u"業務"_s, u"--structure"_s, u"樋門"_s, u"--company"_s, u"社"_s,
                                u"--designer"_s, u"設"_s, u"--checker"_s, u"照"_s, u"--date"_s, u"令和8年"_s}
        << u"業務|樋門|社|設|照|令和8年 figures, margins, date given"_s;
    QTest::newRow("a job of 5,000 characters is read as its first 1,000")
        << QStringList{u"--job"_s, QString(5000, u'長')} + single
        << QString(1000, u'長') + u"||||| figures, margins, structure from the file"_s;
    QTest::newRow("empty texts leave fields out")
        << QStringList{u"--structure"_s, u""_s, u"--date"_s, u""_s} + single << u"||||| figures, margins, date given"_s;
    QTest::newRow("no figures, a footer, batch")
        << QStringList{u"--no-figures"_s, u"--footer"_s, u"--csv"_s, u"-"_s, u"a.vek"_s}
        << u"||||| footer, margins, structure from the file"_s;
    QTest::newRow("no margins, a sheet, a page label")
        << single + QStringList{u"--no-margins"_s, u"--sheet"_s, u"--page-label"_s, u"3-12"_s}
        << u"||||| figures, sheet, label 3-12, structure from the file"_s;
    QTest::newRow("a river, a place, the title frame")
        << single + QStringList{u"--river"_s, u"○○川"_s, u"--place"_s, u"○○市"_s, u"--title-frame"_s}
        << u"||||| figures, margins, structure from the file, ○○川, ○○市, title frame"_s;
    QTest::newRow("a page label without a text") << single + QStringList{u"--page-label"_s}
                                                 << u"--page-label の後にページ番号を指定してください。"_s;
    QTest::newRow("figures twice") << QStringList{u"--figures"_s, u"--no-figures"_s} + single
                                   << u"--figures と --no-figures は、どちらか一つを一度だけ指定してください。"_s;
    QTest::newRow("a job twice") << QStringList{u"--job"_s, u"a"_s, u"--job"_s, u"b"_s} + single
                                 << u"業務名は一つだけ指定してください。"_s;
    QTest::newRow("a checker without a text") << single + QStringList{u"--checker"_s}
                                              << u"--checker の後に照査者を指定してください。"_s;
    QTest::newRow("no jobs") << QStringList{u"-j"_s, u"0"_s, u"--csv"_s, u"-"_s, u"a.vek"_s}
                             << u"-j には 1 以上の整数を一つだけ指定してください。"_s;
    const QString outputAlone = u"-o は -d、--csv、--xlsx と一緒には使えません（-d で帳票のフォルダーを指定します）。"_s;
    QTest::newRow("-o with -d") << single + QStringList{u"-d"_s, u"out"_s} << outputAlone;
    QTest::newRow("-o with --csv") << single + QStringList{u"--csv"_s, u"-"_s} << outputAlone;
    QTest::newRow("cases, a name holding colons")
        << single + QStringList{u"--case"_s, u"高水:既往:3.4:-1"_s, u"--case"_s, u"施工:3:1.7"_s}
        << u"||||| figures, margins, structure from the file; 高水:既往 3.40/-1.00, 施工 3.00/1.70"_s;
    const QString caseForm = u"--case は「名前:WL1:WL2」の形で、水位は -999.99 から 999.99 の数で指定してください: "_s;
    QTest::newRow("a case without its levels") << single + QStringList{u"--case"_s, u"施工:3"_s} << caseForm + u"施工:3"_s;
    QTest::newRow("a case level out of range") << single + QStringList{u"--case"_s, u"a:1000:1"_s} << caseForm + u"a:1000:1"_s;
    QTest::newRow("a case of equal levels") << single + QStringList{u"--case"_s, u"平水:1:1.00"_s}
                                            << u"--case 平水:1:1.00: 水位差が０以下の場合は計算できません"_s;
    QTest::newRow("a case name of 20 characters") << single + QStringList{u"--case"_s, QString(20, u'長') + u":3:1"_s}
                                                  << u"||||| figures, margins, structure from the file; "_s
                                                         + QString(20, u'長') + u" 3.00/1.00"_s;
    QTest::newRow("a case name of 21 characters") << single + QStringList{u"--case"_s, QString(21, u'長') + u":3:1"_s}
                                                  << u"--case のケース名は 20 文字までです: "_s + QString(21, u'長');
    QTest::newRow("a case level that is no plain number")
        << single + QStringList{u"--case"_s, u"a:1e2:1"_s} << caseForm + u"a:1e2:1"_s;
    QTest::newRow("none") << QStringList() << u"検討ファイルを指定してください。"_s;
    QTest::newRow("no study") << QStringList{u"-o"_s, u"a.pdf"_s} << u"検討ファイルを指定してください。"_s;
    QTest::newRow("no output") << QStringList{u"a.vek"_s} << u"-o で PDF ファイルを指定してください。"_s;
    QTest::newRow("output without file") << QStringList{u"a.vek"_s, u"-o"_s} << u"-o の後に PDF ファイルを指定してください。"_s;
    QTest::newRow("two studies") << QStringList{u"b.vek"_s} + single
                                 << u"検討ファイルは一つだけ指定してください（まとめて扱うには -d、--csv、--xlsx のどれかを付けます）。"_s;
    // A workbook is a zip archive, no stream.
    QTest::newRow("workbook on standard output") << QStringList{u"--xlsx"_s, u"-"_s, u"a.vek"_s}
                                                 << u"--xlsx には標準出力（-）を指定できません。ファイルの名前を指定してください。"_s;
}

// What the command line asks of the page, for both forms.
void TestReportTool::commandLine()
{
    QFETCH(QStringList, arguments);
    const auto parsed = parseReportArguments(QStringList{u"talven-report"_s} + arguments);
    QString read;
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        read = *problem;
    } else {
        const ReportArguments &given = std::get<ReportArguments>(parsed);
        const PageOptions page = given.batch.report.page.over(PageOptions());
        const TitleOverrides &title = given.batch.report.title;
        const TitleBlock &block = title.values;
        QStringList flags;
        if (page.figures)
            flags << u"figures"_s;
        if (page.footer)
            flags << u"footer"_s;
        if (page.margins)
            flags << u"margins"_s;
        if (page.sheet)
            flags << u"sheet"_s;
        if (!page.pageLabel.isEmpty())
            flags << u"label "_s + page.pageLabel;
        if (!title.has(&TitleBlock::structure))
            flags << u"structure from the file"_s;
        if (title.has(&TitleBlock::date))
            flags << u"date given"_s;
        for (QString TitleBlock::*located : {&TitleBlock::river, &TitleBlock::place})
            if (title.has(located))
                flags << block.*located;
        if (page.titleFrame)
            flags << u"title frame"_s;
        read = QStringList{block.job, block.structure, block.company, block.designer, block.checker, block.date}.join(u'|')
               + u' ' + flags.join(u", "_s);
        QStringList cases;
        for (const WaterLevelCase &added : given.batch.cases)
            cases << added.name + u' ' + added.outerText + u'/' + added.innerText;
        if (!cases.isEmpty())
            read += u"; "_s + cases.join(u", "_s);
    }
    QTEST(read, "read");
}

void TestReportTool::titlePrecedence_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("kept");  // whether the study keeps a title block (川の業務, 樋門C), page label 3-1 and sheet
    QTest::addColumn<QString>("printed");  // 業務名|構造物名|page label|sheet; then the same for a second study of label 8-1
    QTest::newRow("the study's own") << QStringList() << true << u"川の業務|樋門C|3-1|sheet, |plan|8-1|"_s;
    QTest::newRow("--job over the companion's 業務名")
        << QStringList{u"--job"_s, u"業務"_s} << true << u"業務|樋門C|3-1|sheet, 業務|plan|8-1|"_s;
    QTest::newRow("--structure '' leaves 構造物名 empty") << QStringList{u"--structure"_s, QString()} << true
                                                        << u"川の業務||3-1|sheet, ||8-1|"_s;
    QTest::newRow("none: the study file's name, no label, no sheet") << QStringList() << false << u"|plan||, |plan|8-1|"_s;
    QTest::newRow("--page-label over each study's own")
        << QStringList{u"--page-label"_s, u"5-1"_s} << true << u"川の業務|樋門C|5-1|sheet, |plan|5-1|"_s;
    QTest::newRow("--page-label '' leaves each study's out")
        << QStringList{u"--page-label"_s, QString()} << true << u"川の業務|樋門C||sheet, |plan||"_s;
    QTest::newRow("--no-sheet over the study's sheet") << QStringList{u"--no-sheet"_s} << true
                                                       << u"川の業務|樋門C|3-1|, |plan|8-1|"_s;
    QTest::newRow("--sheet for every study") << QStringList{u"--sheet"_s} << false << u"|plan||sheet, |plan|8-1|sheet"_s;
}

// The title fields and the page options a report prints: each option's
// text, an empty one too, over what the study keeps, for one study after
// another.
void TestReportTool::titlePrecedence()
{
    QFETCH(QStringList, options);
    QFETCH(bool, kept);
    Study study;
    if (kept) {
        study.titleBlock = TitleBlock{u"川の業務"_s, u"樋門C"_s, {}, {}, {}, {}, {}, {}};
        study.pages.set(&PageOptions::pageLabel, u"3-1"_s);
        study.pages.set(&PageOptions::sheet, true);
    }
    Study second;
    second.pages.set(&PageOptions::pageLabel, u"8-1"_s);
    const auto parsed = parseReportArguments(QStringList{u"talven-report"_s, u"plan.vek"_s, u"-o"_s, u"plan.pdf"_s} + options);
    const ReportRequest &request = std::get<ReportArguments>(parsed).batch.report;
    QStringList printed;
    for (const Study &each : {study, second}) {
        const TitleBlock title = studyTitleBlock(request, u"plan.vek"_s, each);
        const PageOptions page = studyPageOptions(request, each);
        printed << QStringList{title.job, title.structure, page.pageLabel, page.sheet ? u"sheet"_s : QString()}.join(u'|');
    }
    QTEST(printed.join(u", "_s), "printed");
}

// A command line that cannot be read: the problem, then how to use the program.
void TestReportTool::arguments()
{
    const Run run = runTool({u"a.vek"_s, u"-x"_s, u"-o"_s, u"a.pdf"_s});
    QVERIFY2(run.exitCode == 64, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(u"talven-report: 知らないオプションです: -x\n使い方: talven-report 検討ファイル.vek -o 帳票.pdf"_s),
             qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

void TestReportTool::help()
{
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const Run run = runTool({option});
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QVERIFY(run.out.contains(QStringLiteral("使い方: talven-report 検討ファイル.vek -o 帳票.pdf")));
        QVERIFY(run.out.contains(QStringLiteral("終了コード")));
    }
}

void TestReportTool::batch_data()
{
    // Tokens in the arguments: OUT, TABLE and the folders and links of initTestCase.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("reports");  // the PDFs in OUT
    QTest::addColumn<QStringList>("studies");  // "file: status" in table order; for 64 or no TABLE, what stderr names

    const QString written = QStringLiteral("書き出しました"), checked = QStringLiteral("照査しました");
    const QString refused = QStringLiteral("refused.vek: 読み込めません");
    const QString notReady = QStringLiteral("notready.vek: 帳票を作成できません 警告");
    const QStringList pdfs{u"=2+3.pdf"_s, QuotedName + u".pdf"_s, QStringLiteral("樋門 a.pdf")};
    auto mixed = [&](const QString &ready) {
        return QStringList{u"=2+3.vek: "_s + ready, QuotedName + u".vek: "_s + ready, notReady, refused,
                           QStringLiteral("樋門 a.vek: ") + ready};
    };
    QTest::newRow("reports and tables")
        << QStringList{u"-d"_s, u"OUT"_s, u"--csv"_s, u"TABLE"_s, u"--xlsx"_s, u"BOOK"_s, u"--job"_s,
                       u"○○川 & 樋門"_s, u"MIXED"_s}
        << 2 << pdfs << mixed(written);
    QTest::newRow("subfolders, studies named twice in argument order")
        << QStringList{u"-r"_s, u"--csv"_s, u"TABLE"_s, u"MIXED/refused.vek"_s, u"MIXED"_s} << 2 << QStringList()
        << QStringList{refused} + mixed(checked) + QStringList{u"deep.vek: "_s + checked};
    QTest::newRow("all written") << QStringList{u"-d"_s, u"OUT"_s, u"--csv"_s, u"TABLE"_s, u"MIXED/sub"_s} << 0
                                 << QStringList{u"deep.pdf"_s} << QStringList{u"deep.vek: "_s + written};
    QTest::newRow("unwritable report folder")
        << QStringList{u"-d"_s, u"BLOCKER/out"_s, u"--csv"_s, u"TABLE"_s, u"MIXED"_s} << 3 << QStringList()
        << mixed(QStringLiteral("書き出せません"));
    QTest::newRow("reports sharing a name") << QStringList{u"-r"_s, u"-d"_s, u"OUT"_s, u"--csv"_s, u"TABLE"_s, u"CLASH"_s}
                                            << 64 << QStringList() << QStringList{u"x/plan.vek"_s, u"y/PLAN.VEK"_s};
    QTest::newRow("a report that is a study") << QStringList{u"-d"_s, u"CLASH"_s, u"CLASH/odd.pdf"_s} << 64
                                              << QStringList() << QStringList{u"odd.pdf"_s};
    QTest::newRow("a report that is a study, after one that would be written")
        << QStringList{u"-d"_s, u"CLASH"_s, u"CLASH/x/plan.vek"_s, u"CLASH/odd.pdf"_s} << 64 << QStringList()
        << QStringList{u"odd.pdf"_s};
    QTest::newRow("a table that is a study") << QStringList{u"--csv"_s, u"MIXED/sub/deep.vek"_s, u"MIXED/sub"_s}
                                             << 64 << QStringList() << QStringList{u"一覧表"_s, u"deep.vek"_s};
#ifdef Q_OS_UNIX
    QTest::newRow("a table that is a FIFO, no study") << QStringList{u"--csv"_s, u"FIFO"_s, u"CLASH"_s} << 64
                                                      << QStringList() << QStringList{u"table.fifo"_s};
#endif
    QTest::newRow("a workbook under the table's name")
        << QStringList{u"--csv"_s, u"TABLE"_s, u"--xlsx"_s, u"TABLE"_s, u"MIXED/sub"_s} << 64 << QStringList()
        << QStringList{u"一覧表と Excel ファイル"_s};
#ifdef Q_OS_UNIX
    QTest::newRow("a workbook linked to the table")
        << QStringList{u"--csv"_s, u"LINKED"_s, u"--xlsx"_s, u"SYMLINK"_s, u"MIXED/sub"_s} << 64 << QStringList()
        << QStringList{u"一覧表と Excel ファイル"_s};
    QTest::newRow("a report linked to another study")
        << QStringList{u"-d"_s, u"CLASH"_s, u"CROSS/linked.vek"_s, u"MIXED/sub/deep.vek"_s} << 64 << QStringList()
        << QStringList{u"linked.pdf"_s, u"deep.vek"_s};
#endif
    // A study's companion, before it is made, and through a link.
    QTest::newRow("a table onto a study's companion") << QStringList{u"--csv"_s, u"MIXED/sub/deep.talven.json"_s, u"MIXED/sub"_s}
                                                      << 64 << QStringList() << QStringList{u"deep.talven.json"_s, u"deep.vek"_s};
#ifdef Q_OS_UNIX
    QTest::newRow("a workbook linked to a study's companion")
        << QStringList{u"--xlsx"_s, u"COMPANIONLINK"_s, u"MIXED/sub"_s} << 64 << QStringList()
        << QStringList{u"companion.xlsx"_s, u"deep.vek"_s};
#endif
    QTest::newRow("a workbook that is a study") << QStringList{u"--xlsx"_s, u"MIXED/sub/deep.vek"_s, u"MIXED/sub"_s}
                                                << 64 << QStringList() << QStringList{u"Excel ファイル"_s, u"deep.vek"_s};
    QTest::newRow("an unwritable workbook")
        << QStringList{u"--csv"_s, u"TABLE"_s, u"--xlsx"_s, u"BLOCKER/book.xlsx"_s, u"MIXED/sub"_s} << 3
        << QStringList() << QStringList{u"deep.vek: "_s + checked};
    QTest::newRow("an unwritable workbook, its cause named")
        << QStringList{u"--xlsx"_s, u"BLOCKER/book.xlsx"_s, u"MIXED/sub"_s} << 3 << QStringList()
        << QStringList{u"Excel ファイルを書き出せませんでした（同じフォルダーに一時ファイルを作れません"_s};
    QTest::newRow("an unwritable table") << QStringList{u"-d"_s, u"OUT"_s, u"--csv"_s, u"BLOCKER/t.csv"_s, u"MIXED/sub"_s}
                                         << 3 << QStringList{u"deep.pdf"_s} << QStringList{u"一覧表を書き出せませんでした。"_s};
#ifdef Q_OS_UNIX
    QTest::newRow("names holding control characters") << QStringList{u"--csv"_s, u"TABLE"_s, u"CONTROL"_s} << 1
                                                      << QStringList()
                                                      << QStringList{u"\x1B[31mred\r\n.vek: 読み込めません"_s,
                                                                     u"\x1B]0;title\x07.vek: "_s + checked + u" 警告"_s};
#endif
    QTest::newRow("a table under a report's name")
        << QStringList{u"-d"_s, u"OUT"_s, u"--csv"_s, u"OUT/deep.pdf"_s, u"MIXED/sub"_s} << 64 << QStringList()
        << QStringList{u"deep.pdf"_s, u"deep.vek"_s};
}

// Each row twice, one study at a time and three at once: the same statuses,
// tables byte for byte, and reports alike but for their creation time.
void TestReportTool::batch()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, reports);
    QFETCH(QStringList, studies);

    const QRegularExpression creationDate(QStringLiteral("/CreationDate \\(D:\\d+Z\\)"));
    QList<QByteArray> outputs[2];
    for (int round = 0; round < 2; ++round) {
        const QString tag = QString::fromLatin1(QTest::currentDataTag()) + QString::number(round);
        const QString out = Path(tag), table = Path(tag + QStringLiteral(".csv")), book = Path(tag + u".xlsx"_s);
        QStringList toolArguments{QStringLiteral("-j"), round == 0 ? QStringLiteral("1") : QStringLiteral("3")};
        for (QString argument : arguments)
            toolArguments << argument.replace(u"OUT"_s, out).replace(u"TABLE"_s, table).replace(u"BOOK"_s, book)
                                 .replace(u"MIXED"_s, Path(u"mixed"_s)).replace(u"CLASH"_s, Path(u"clash"_s))
                                 .replace(u"BLOCKER"_s, Path(u"blocker"_s)).replace(u"FIFO"_s, Path(u"table.fifo"_s))
                                 .replace(u"SYMLINK"_s, Path(u"link.xlsx"_s)).replace(u"LINKED"_s, Path(u"linked.csv"_s))
                                 .replace(u"CROSS"_s, Path(u"cross"_s)).replace(u"CONTROL"_s, Path(u"control"_s))
                                 .replace(u"COMPANIONLINK"_s, Path(u"companion.xlsx"_s));
        const QStringList before = allEntries(dir.path());
        const QStringList days{reportDate(QDate::currentDate())};
        const Run run = runTool(toolArguments);
        QVERIFY2(run.exitCode == status, qPrintable(describe(run)));
        // Names reach the terminal with their control characters escaped: only line ends are left.
        static const QRegularExpression controls(u"[\\x00-\\x09\\x0B\\x0C\\x0E-\\x1F\\x7F-\\x9F]|\\r(?!\\n)"_s);
        QVERIFY2(!run.out.contains(controls) && !run.err.contains(controls), qPrintable(describe(run)));
        QCOMPARE(QDir(out).entryList(QDir::Files), reports);
        for (const QString &report : reports) {
            QFile pdf(QDir(out).filePath(report));
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            outputs[round].append(QString::fromLatin1(pdf.readAll()).remove(creationDate).toLatin1());
        }
        if (status == 64)
            QCOMPARE(allEntries(dir.path()), before);
        if (status == 64 || !arguments.contains(u"TABLE"_s)) {
            for (const QString &study : studies)
                QVERIFY2(run.err.contains(QDir::toNativeSeparators(study)), qPrintable(run.err));
            continue;
        }
        QFile file(table);
        QVERIFY(file.open(QIODevice::ReadOnly));
        outputs[round].append(file.readAll());
        const QList<QStringList> rows = parseCsvTable(outputs[round].last());
        QCOMPARE(rows.value(0), QStringList({u"ファイル"_s, u"方向"_s, u"計算式"_s, u"土質の区分"_s, u"Ｌ′"_s, u"ΣL"_s,
                                             u"⊿H"_s, u"計算値 Ｃ′"_s, u"必要値 Ｃ"_s, u"判定"_s, u"ΣL の参考値"_s,
                                             u"ΣL の過不足"_s, u"許容 ⊿H"_s, u"許容水位"_s, u"状態"_s, u"検討ケース"_s,
                                             u"WL1"_s, u"WL2"_s, u"支配"_s, u"構造物名"_s, u"逆水位"_s,
                                             u"間隔の照査"_s, u"矢板の間隔"_s}));
        QStringList seen, paths;
        for (qsizetype r = 1; r < rows.size(); r += 2) {
            QCOMPARE(rows.value(r + 1).value(0), rows[r].value(0));
            QCOMPARE(QStringList({rows[r].value(1), rows.value(r + 1).value(1)}), QStringList({u"鉛直方向"_s, u"水平方向"_s}));
            const QString state = rows[r].value(StateColumn);
            seen << QFileInfo(rows[r].value(0)).fileName() + u": "_s + state.section(u'（', 0, 0).section(u'　', 0, 0)
                        + (state.contains(u"　警告: "_s) ? u" 警告"_s : QString());
            if (state.startsWith(u"書き出しました"_s) || state.startsWith(u"照査しました"_s))
                paths << escapeControlCharacters(rows[r].value(0)) << escapeControlCharacters(rows[r].value(0));
        }
        QCOMPARE(seen, studies);
        if (arguments.contains(u"BOOK"_s)) {
            const qsizetype job = arguments.indexOf(u"--job"_s);
            compareWorkbook(book, rows, job < 0 ? QString() : arguments.value(job + 1),
                            days + QStringList{reportDate(QDate::currentDate())});
            if (QTest::currentTestFailed())
                return;
        }
        // The verdict lines of the studies checked or written, each after its file.
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), paths.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(paths[i] + u": "_s + (i % 2 ? u"水平方向"_s : u"鉛直方向"_s)), qPrintable(lines[i]));
    }
    QCOMPARE(outputs[1], outputs[0]);
}

void TestReportTool::folderScan_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("studies");  // "file: status" in table order
    QTest::addColumn<QStringList>("said");     // on standard error

    const QStringList both{u"plan\\xFF.vek: 読み込めません"_s, u"plan\uFFFD.vek: 照査しました"_s};
    const QString notUtf8 = u"odd/plan\\xFF.vek: ファイル名が UTF-8 ではありません。"_s;
    const QString closed = u"odd/locked: フォルダーを読み込めません。"_s;
    QTest::newRow("a name that is not UTF-8, and the name it reads as") << QStringList{u"odd"_s} << both
                                                                        << QStringList{notUtf8};
    QTest::newRow("a folder that cannot be listed") << QStringList{u"odd/locked"_s} << QStringList()
                                                    << QStringList{closed};
    QTest::newRow("names holding ESC, CR and LF")
        << QStringList{u"control"_s}
        << QStringList{u"\x1B[31mred\r\n.vek: 読み込めません"_s, u"\x1B]0;title\x07.vek: 照査しました"_s}
        << QStringList{u"talven-report: control/\\x1B[31mred\\x0D\\x0A.vek: ファイル読み込みを中止しました。"_s,
                       u"talven-report: control/\\x1B]0;title\\x07.vek: 警告: 「\\x1B]0;title\\x07.talven.json」を読み込めません。"_s};
    QTest::newRow("subfolders that cannot be listed")
        << QStringList{u"-r"_s, u"odd"_s} << both
        << QStringList{notUtf8, u"odd/dir\\xFE: フォルダー名が UTF-8 ではないため読み込めません。"_s, closed};
}

// Every study of a folder is checked under its own name or refused by name,
// and a folder that cannot be listed is an error: exit 1 each time.
void TestReportTool::folderScan()
{
#ifndef Q_OS_UNIX
    QSKIP("names that are bytes, folders closed by their mode");
#else
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, studies);
    QFETCH(QStringList, said);
    // Root lists any folder: the tool then runs as nobody.
    const bool root = ::geteuid() == 0;
    // The build folder of a clone in a private folder is out of nobody's
    // reach: nobody runs a copy of the program in the test's own folder.
    const QString nobodysProgram = Path(u"program/talven-report"_s);
    if (root) {
        const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFileInfo::exists(nobodysProgram)
                || (QDir().mkdir(Path(u"program"_s), open) && QFile::copy(toolPath(), nobodysProgram)
                    && QFile::setPermissions(nobodysProgram, open)));
    }
    QVERIFY(QFile::setPermissions(Path(u"odd/locked"_s), {}));
    const auto reopen = qScopeGuard([this] {
        QFile::setPermissions(Path(u"odd/locked"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    const Run run = runTool(QStringList{u"--csv"_s, u"-"_s} + arguments, [&](QProcess &process) {
        process.setWorkingDirectory(dir.path());
        if (!root)
            return;
        process.setProgram(nobodysProgram);
        // The tests' own settings and screens lie in the clone, out of
        // nobody's reach too: nobody starts as from su, without a runtime folder.
        QProcessEnvironment environment;
        environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        process.setProcessEnvironment(environment);
        process.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(127);
        });
    });
    QVERIFY2(run.exitCode == 1, qPrintable(describe(run)));
    // Read as UTF-8, the output has lost its byte-order mark.
    const QList<QStringList> rows = parseCsvTable("\xEF\xBB\xBF" + run.out.toUtf8());
    QStringList seen;
    for (qsizetype r = 1; r < rows.size(); r += 2)
        seen << QFileInfo(rows[r].value(0)).fileName() + u": "_s + rows[r].value(StateColumn).section(u'（', 0, 0).section(u'　', 0, 0);
    QCOMPARE(seen, studies);
    for (const QString &line : said)
        QVERIFY2(run.err.contains(line), qPrintable(run.err));
#endif
}

void TestReportTool::tableFields_data()
{
    QTest::addColumn<int>("column");  // of the table's fifteen
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("written");

    QTest::newRow("a link as a file name") << 0 << u"=HYPERLINK(\"http://x\").vek"_s << u"\"'=HYPERLINK(\"\"http://x\"\").vek\""_s;
    QTest::newRow("a sum as a file name") << 0 << u"=2+3.vek"_s << u"'=2+3.vek"_s;
    QTest::newRow("plus first") << 0 << u"+2+3.vek"_s << u"'+2+3.vek"_s;
    QTest::newRow("minus first") << 0 << u"-2+3.vek"_s << u"'-2+3.vek"_s;
    QTest::newRow("at first") << 0 << u"@SUM(A1).vek"_s << u"'@SUM(A1).vek"_s;
    QTest::newRow("tab first") << 0 << u"\t=1.vek"_s << u"'\t=1.vek"_s;
    QTest::newRow("carriage return first") << 0 << u"\r=1.vek"_s << u"\"'\r=1.vek\""_s;
    QTest::newRow("a plain file name") << 0 << u"plan-2.vek"_s << u"plan-2.vek"_s;
    QTest::newRow("minus first in the status") << 14 << u"-x"_s << u"'-x"_s;
    QTest::newRow("a negative margin") << 11 << u"-1.83"_s << u"-1.83"_s;
    QTest::newRow("a negative ΣL") << 5 << u"-2.32"_s << u"-2.32"_s;
    QTest::newRow("a negative reference ΣL") << 10 << u"-2.32"_s << u"-2.32"_s;
}

// Text that a spreadsheet would run as a formula is shown as text; numbers stay numbers.
void TestReportTool::tableFields()
{
    QFETCH(int, column);
    QFETCH(QString, field);
    QFETCH(QString, written);
    QStringList row(summaryColumns().size()), expected(row.size());
    row[column] = field;
    expected[column] = written;
    QCOMPARE(csvLine(row), expected.join(u',') + u"\r\n"_s);
}

void TestReportTool::workbookCells_data()
{
    QTest::addColumn<QString>("name");    // the first member's name, in the inputs' row
    QTest::addColumn<QString>("status");  // the study's status, in both summary rows
    QTest::addColumn<QString>("cell");    // the name as the workbook holds it
    QTest::addColumn<bool>("cut");        // the status says a cell was cut

    QTest::newRow("a name as long as a cell holds") << QString(32767, u'x') << u"照査しました"_s << QString(32767, u'x')
                                                   << false;
    QTest::newRow("a name one character longer") << QString(32768, u'x') << u"照査しました"_s
                                                << QString(32766, u'x') + u'…' << true;
    QTest::newRow("a pair at the cut") << QString(32765, u'x') + u"\U0001F30A"_s + u'x' << u"照査しました"_s
                                      << QString(32765, u'x') + u'…' << true;
    QTest::newRow("a status longer than a cell") << u"本体"_s << QString(40000, u's') << u"本体"_s << true;
}

// A text longer than a workbook's cell is cut with "…", and the study's
// status in the workbook says so; the workbook is never lost for one cell.
void TestReportTool::workbookCells()
{
    QFETCH(QString, name);
    QFETCH(QString, status);
    QFETCH(QString, cell);
    QFETCH(bool, cut);
    const qsizetype state = summaryStatusColumn();
    QStringList row(summaryColumns().size());
    row[0] = u"a.vek"_s;
    row[state] = status;
    QList<QStringList> rows{row, row};
    QList<QStringList> inputs{{u"a.vek"_s, u"鉛直方向"_s, u"a"_s, u"レインの式"_s, u"中　砂"_s, u"6"_s, name}};
    QList<QStringList> review{{u"a.vek"_s, u"鉛直方向　設置個所"_s, u"川表から優先して2ヶ所以上"_s, name}};
    fitToWorkbook(rows, inputs, review);
    QCOMPARE(inputs[0].value(6), cell);
    QCOMPARE(review[0].value(3), cell);
    const QString note = u"　警告: 32,767 文字を超える欄は、Excel ファイルでは「…」で切りました。"_s;
    for (const QStringList &fitted : rows) {
        QVERIFY(fitted[state].size() <= 32767);
        QCOMPARE(fitted[state].endsWith(note), cut);
        QVERIFY(fitted[state].startsWith(status.left(100)));
    }
}

void TestReportTool::workbookPageHeader_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("header");
    const QString day = u"&R2026年12月7日"_s;
    // 255 characters in all: the date's 12 and "&L" leave 241 for 業務名, "…" included.
    const QString x(239, u'x');
    QTest::newRow("ampersands doubled, control characters written out") << u"A&B\n"_s << u"&LA&&B\\x0A"_s + day;
    QTest::newRow("a long 業務名 cut") << x + u"yyy"_s << u"&L"_s + x + u"y…"_s + day;
    QTest::newRow("no ampersand alone at the cut") << x + u"&yy"_s << u"&L"_s + x + u"…"_s + day;
    QTest::newRow("no --job, the date alone") << QString() << day;
}

void TestReportTool::workbookPageHeader()
{
    QFETCH(QString, job);
    QFETCH(QString, header);
    QCOMPARE(pageHeader({job, u"2026年12月7日"_s}), header);
}

void TestReportTool::workbookPages_data()
{
    QTest::addColumn<QString>("name");        // in the first column, which names the row
    QTest::addColumn<QString>("longText");    // in a column of its own after the name; none when empty
    QTest::addColumn<QString>("longColumn");  // that column's kind: "text", "verdict" or "folded" (a text)
    QTest::addColumn<QStringList>("groups");  // each further column's group, its number 100000000.00
    QTest::addColumn<QString>("breaks");      // the columns that start a page
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("height");  // the data row's, where a text wraps

    // At 74 % a page holds 1441 pixels (285 mm at 96 an inch, less 1 %, / 0.74); a
    // column w digits wide takes (w + 5/7) * 7.43: a name of 10 digits (w 11) 87.0, a
    // number (w 12) 94.5, 20 Japanese characters (w 41) 309.9 or, narrowed to 16
    // digits, 124.2. The scale fits the widest page into 1066 pixels.
    const QString name(10, u'0');
    const QStringList twelve(12, QString());
    QTest::newRow("a page per group") << name << QString() << u"text"_s
                                      << QStringList(12, u"A"_s) + QStringList(12, u"B"_s) + QStringList(12, u"C"_s)
                                      << u"13 25"_s << 87 << 0.0;  // 87.0 + 12 * 94.5 = 1221
    QTest::newRow("a group wider than a page breaks between its columns")
        << name << QString() << u"text"_s << QStringList(20, u"A"_s) << u"15"_s << 75 << 0.0;  // 87.0 + 14 * 94.5 = 1410
    // 87.0 + 309.9 + 12 * 94.5 = 1531 is too wide; narrowed to 28 digits (213.4) the long text
    // fits in 1434, on two lines of 13 characters at most.
    QTest::newRow("a long text wraps to save a page") << name << QString(20, u'あ') << u"text"_s << twelve << QString()
                                                      << 74 << 30.0;
    QTest::newRow("a long verdict wraps to save a page") << name << QString(20, u'あ') << u"verdict"_s << twelve
                                                         << QString() << 74 << 30.0;
    // Folded, it takes no room: 87.0 + 12 * 94.5 = 1221, on one line.
    QTest::newRow("a folded text takes no room") << name << QString(20, u'あ') << u"folded"_s << twelve << QString()
                                                 << 87 << 0.0;
    // Even at 16 digits 87.0 + 124.2 + 14 * 94.5 = 1534: as wide, the text keeps its line.
    QTest::newRow("a long text that saves no page") << name << QString(20, u'あ') << u"text"_s
                                                    << twelve + QStringList(2, QString()) << u"13"_s << 74
                                                    << 0.0;  // 87.0 + 309.9 + 11 * 94.5 = 1436
    // A name of 30 Japanese characters (w 60, 451.1) leaves no page room for group B
    // (11 * 94.5 = 1039.2); narrowed to 53 digits (399.1) it does, on two lines.
    QTest::newRow("a long name narrows to keep a group whole")
        << QString(30, u'あ') << QString() << u"text"_s << QStringList(6, u"A"_s) + QStringList(11, u"B"_s) << u"7"_s
        << 74 << 30.0;
    QTest::newRow("a narrow sheet at full size") << name << QString() << u"text"_s << QStringList(2, QString())
                                                 << QString() << 100 << 0.0;
}

// Printed pages break between the groups of columns and wrap long texts only
// where that saves a page or keeps a group whole; a folded column takes no
// room; the text stays at 8 pt or more.
void TestReportTool::workbookPages()
{
    QFETCH(QString, name);
    QFETCH(QString, longText);
    QFETCH(QString, longColumn);
    QFETCH(QStringList, groups);
    QFETCH(QString, breaks);
    QFETCH(int, scale);
    QFETCH(double, height);
    QList<TableColumn> columns{{u"ファイル"_s, CellKind::Text, true}};
    QStringList row{name};
    if (!longText.isEmpty()) {
        columns << TableColumn{u"長い欄"_s, longColumn == u"verdict"_s ? CellKind::Verdict : CellKind::Text, false, {},
                               {}, longColumn == u"folded"_s};
        row << longText;
    }
    for (const QString &group : groups) {
        columns << TableColumn{u"欄"_s, CellKind::Number, false, group};
        row << u"100000000"_s;
    }
    const QString path = Path(u"pages.xlsx"_s);
    QVERIFY(!writeWorkbook(path, {{u"表"_s, columns, {row}, {u"業務"_s, u"2026年12月7日"_s}}}, {}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const XlsxSheet sheet = readXlsxWorkbook(file.readAll()).value(u"表"_s);
    const bool grouped = !groups.join(QString()).isEmpty();
    QCOMPARE(sheet.print.value(u"colBreaks"_s), breaks);
    QCOMPARE(sheet.print.value(u"pageSetup.scale"_s, u"100"_s).toInt(), scale);
    QCOMPARE(sheet.print.value(u"Print_Titles"_s), grouped ? u"'表'!$A:$A,'表'!$1:$2"_s : u"'表'!$A:$A,'表'!$1:$1"_s);
    const int dataRow = grouped ? 2 : 1;
    QCOMPARE(sheet.heights.value(dataRow), height);
    QCOMPARE(sheet.cell(dataRow, 0).wraps || sheet.cell(dataRow, 1).wraps, height > 0.0);
    QCOMPARE(sheet.folded, longColumn == u"folded"_s ? QList<int>{1} : QList<int>());
}

void TestReportTool::reviewTable_data()
{
    QTest::addColumn<QList<QList<QStringList>>>("studies");  // each study's reviewRows
    QTest::addColumn<QStringList>("columns");                // "group|subheading|title"
    QTest::addColumn<QList<QStringList>>("rows");

    const auto study = [](const QString &file, const QString &ratio) {
        return QList<QStringList>{{file, u"設置個所"_s, u"2ヶ所以上"_s, u"2ヶ所"_s, u"○"_s},
                                  {file, u"クリープ比"_s, ratio, u"Ｃ′＝ 5.50"_s, u"×"_s}};
    };
    const QList<QStringList> refused{{u"c.vek"_s, u"読み込めません"_s}};
    const QStringList lines{u"項目|基準値|ファイル"_s, u"設置個所|2ヶ所以上|計画値"_s, u"設置個所|2ヶ所以上|判定"_s};
    const QStringList ratios = lines + QStringList{u"クリープ比||基準値"_s, u"クリープ比||計画値"_s, u"クリープ比||判定"_s};
    QTest::newRow("a standard the studies share, in the heading")
        << QList<QList<QStringList>>{study(u"a.vek"_s, u"Ｃ ＝ 7.00 以上"_s), study(u"b.vek"_s, u"Ｃ ＝ 7.00 以上"_s)}
        << lines + QStringList{u"クリープ比|Ｃ ＝ 7.00 以上|計画値"_s, u"クリープ比|Ｃ ＝ 7.00 以上|判定"_s}
        << QList<QStringList>{{u"a.vek"_s, u"2ヶ所"_s, u"○"_s, u"Ｃ′＝ 5.50"_s, u"×"_s},
                              {u"b.vek"_s, u"2ヶ所"_s, u"○"_s, u"Ｃ′＝ 5.50"_s, u"×"_s}};
    QTest::newRow("each study's own standard, in a column")
        << QList<QList<QStringList>>{study(u"a.vek"_s, u"Ｃ ＝ 7.00 以上"_s), study(u"b.vek"_s, u"Ｃ ＝ 8.50 以上"_s)}
        << ratios
        << QList<QStringList>{{u"a.vek"_s, u"2ヶ所"_s, u"○"_s, u"Ｃ ＝ 7.00 以上"_s, u"Ｃ′＝ 5.50"_s, u"×"_s},
                              {u"b.vek"_s, u"2ヶ所"_s, u"○"_s, u"Ｃ ＝ 8.50 以上"_s, u"Ｃ′＝ 5.50"_s, u"×"_s}};
    QTest::newRow("a study not checked, its status last")
        << QList<QList<QStringList>>{refused, study(u"a.vek"_s, u"Ｃ ＝ 7.00 以上"_s)}
        << lines + QStringList{u"クリープ比|Ｃ ＝ 7.00 以上|計画値"_s, u"クリープ比|Ｃ ＝ 7.00 以上|判定"_s, u"||状態"_s}
        << QList<QStringList>{{u"c.vek"_s, {}, {}, {}, {}, u"読み込めません"_s},
                              {u"a.vek"_s, u"2ヶ所"_s, u"○"_s, u"Ｃ′＝ 5.50"_s, u"×"_s}};
    QTest::newRow("no study checked") << QList<QList<QStringList>>{refused} << QStringList{u"||ファイル"_s, u"||状態"_s}
                                      << QList<QStringList>{{u"c.vek"_s, u"読み込めません"_s}};
}

// 設計調書（遮水工） in the workbook: a row per study, each item's 基準値 in
// the heading or, where the studies' differ, beside its 計画値.
void TestReportTool::reviewTable()
{
    QFETCH(QList<QList<QStringList>>, studies);
    QFETCH(QStringList, columns);
    QFETCH(QList<QStringList>, rows);
    const ReviewTable table = talven::reviewTable(studies);
    QStringList shown;
    for (const TableColumn &column : table.columns)
        shown << column.group + u'|' + column.subheading + u'|' + column.title;
    QCOMPARE(shown, columns);
    QCOMPARE(table.rows, rows);
}

// Ten studies as an office files them print in four pages at 8 pt or more:
// 照査結果 on one, 入力値 on two (the piles on the second), 設計調書（遮水工）
// on one; each sheet's rows a page high at its scale (178 mm, 5 % kept free).
void TestReportTool::workbookOfTenStudies()
{
    const QString folder = Path(u"ten"_s);
    QVERIFY(QDir().mkpath(folder));
    QStringList studies;
    for (int i = 1; i <= 4; ++i) {
        for (const QString &example : {u"culvert-ok"_s, u"example"_s, u"sluice-gate-horizontal-ng"_s}) {
            studies << u"%1-%2.vek"_s.arg(example).arg(i);
            QVERIFY(QFile::copy(QStringLiteral(TALVEN_SOURCE_DIR "/docs/") + example + u".vek"_s,
                                QDir(folder).filePath(studies.last())));
        }
    }
    studies.sort();
    // Run from the studies' folder, so the names are as typed; its headless
    // screen without the tests' screen file, whose name has no drive and is
    // not found from the temporary folder's under Wine.
    const Run run = runTool(QStringList{u"--xlsx"_s, u"ten.xlsx"_s} + studies.mid(0, 10), [&](QProcess &process) {
        process.setWorkingDirectory(folder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        process.setProcessEnvironment(environment);
    });
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QFile file(QDir(folder).filePath(u"ten.xlsx"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QMap<QString, XlsxSheet> book = readXlsxWorkbook(file.readAll());
    QStringList pages;
    for (const auto &[name, sheet] : book.asKeyValueRange()) {
        const int scale = sheet.print.value(u"pageSetup.scale"_s, u"100"_s).toInt();
        double height = 0.0;
        for (int row = 0; row < sheet.rowCount(); ++row)
            height += sheet.heights.value(row, 15.0);
        QVERIFY2(scale >= 74 && height * scale / 100.0 <= 178.0 / 25.4 * 72.0 * 0.95, qPrintable(name));
        pages << name + u' ' + sheet.print.value(u"colBreaks"_s);
    }
    QCOMPARE(pages, QStringList({u"入力値 16"_s, u"照査結果 "_s, u"設計調書（遮水工） "_s}));
}

void TestReportTool::tableFileNames_data()
{
    QTest::addColumn<QString>("study");
    QTest::addColumn<QString>("shown");
    QTest::newRow("found in the folder \".\"") << u"./plan.vek"_s << u"plan.vek"_s;
    QTest::newRow("named so twice") << u"././plan.vek"_s << u"plan.vek"_s;
    QTest::newRow("the folder above") << u"../plan.vek"_s << u"../plan.vek"_s;
    QTest::newRow("within the path") << u"a/./plan.vek"_s << u"a/./plan.vek"_s;
#ifdef Q_OS_WIN
    QTest::newRow("Windows' separator") << u".\\plan.vek"_s << u"plan.vek"_s;
#else
    QTest::newRow("a backslash, part of a Unix name") << u".\\plan.vek"_s << u".\\plan.vek"_s;
#endif
}

// The file as the table and every sheet of the workbook show it.
void TestReportTool::tableFileNames()
{
    QFETCH(QString, study);
    QFETCH(QString, shown);
    const StudyOutcome refused = refusedStudy(study, u"x"_s);
    QStringList names;
    for (const QStringList &row : summaryRows(study, refused) + inputRows(study, refused) + reviewRows(study, refused))
        names << row.value(0);
    QCOMPARE(names, QStringList(5, shown));
}

void TestReportTool::workers_data()
{
    QTest::addColumn<int>("jobs");  // -j; 0 when not given
    QTest::addColumn<int>("studies");
    QTest::addColumn<int>("expected");

    const int cores = QThread::idealThreadCount();
    QTest::newRow("two per core by default") << 0 << 10000 << 2 * cores;
    QTest::newRow("by default, one study") << 0 << 1 << 1;
    QTest::newRow("one asked for") << 1 << 10000 << 1;
    QTest::newRow("more asked for than studies") << 8 << 3 << 3;
    QTest::newRow("no more than four per core") << 99999 << 10000 << 4 * cores;
    QTest::newRow("no studies") << 99999 << 0 << 1;
}

void TestReportTool::workers()
{
    QFETCH(int, jobs);
    QFETCH(int, studies);
    QFETCH(int, expected);
    QCOMPARE(workerCount(jobs, studies), expected);
}

void TestReportTool::folderEntries_data()
{
    // Each row makes one entry in an empty folder: "NAME" a file, "NAME/" a folder.
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("listed");  // "name study|folder|other", or nothing
    QTest::newRow("a study") << u"a.vek"_s << u"a.vek study"_s;
    QTest::newRow("capitals are a study too") << u"D.VEK"_s << u"D.VEK study"_s;
    QTest::newRow("another file") << u"e.txt"_s << u"e.txt other"_s;
    QTest::newRow("a hidden study is left out") << u".b.vek"_s << QString();
    QTest::newRow("a folder named as a study is a folder") << u"c.vek/"_s << u"c.vek folder"_s;
}

void TestReportTool::folderEntries()
{
    QFETCH(QString, made);
    QFETCH(QString, listed);
    QTemporaryDir folder;
    if (made.endsWith(u'/'))
        QVERIFY(QDir(folder.path()).mkdir(made.chopped(1)));
    else
        QVERIFY(!writeStudyFile(folder.filePath(made), StudyFileContent{}));
    const std::optional<QList<FolderEntry>> entries = listFolder(folder.path());
    QVERIFY(entries);
    QStringList seen;
    for (const FolderEntry &entry : *entries)
        seen << entry.name + (entry.study ? u" study"_s : entry.folder ? u" folder"_s : u" other"_s);
    QCOMPARE(seen.join(u'|'), listed);
}

void TestReportTool::studyOrder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("case aside") << u"a.vek"_s << u"B.vek"_s;
    QTest::newRow("equal but for case") << u"A.vek"_s << u"a.vek"_s;
}

void TestReportTool::studyOrder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(listedBefore(first, second));
    QVERIFY(!listedBefore(second, first));
}

void TestReportTool::reportNames_data()
{
    QTest::addColumn<QString>("study");
    QTest::addColumn<QString>("report");  // in the folder "out"
    QTest::newRow("a study") << u"plan.vek"_s << u"out/plan.pdf"_s;
    QTest::newRow("a dot in the name") << u"old/plan.v2.vek"_s << u"out/plan.v2.pdf"_s;
    QTest::newRow("capitals") << u"PLAN.VEK"_s << u"out/PLAN.pdf"_s;
}

void TestReportTool::reportNames()
{
    QFETCH(QString, study);
    QFETCH(QString, report);
    QCOMPARE(reportName(study, u"out"_s), QDir::toNativeSeparators(report));
}

void TestReportTool::summary_data()
{
    QTest::addColumn<StudyTexts>("study");
    QTest::addColumn<QStringList>("added");  // --case
    QTest::addColumn<QStringList>("rows");  // each case's and section's fields from 計算式 to 許容水位
    QTest::addColumn<QStringList>("cases");  // each row's last fields, from 検討ケース

    // Vertical ΣL 11 + 4 + 12.25, horizontal 3 + 3 without its tick: (31 / 3 + 6) / 4.25 = 3.84,
    // allowable head (31 / 3 + 6) / 6 = 2.72, outer level -1.05 + 2.72.
    StudyTexts ownTicks;
    ownTicks.horizontalTicks = {};
    // After 逆水位 the spacing of the vertical piles, which have no stations.
    const QString unplaced = u"||矢板の間隔：位置未入力のため間隔の照査なし"_s, none = u"||"_s;
    const QString one = u"ケース1|3.20|-1.05|◎|summary|"_s;
    // The required ΣL: 5.995 x 4.25 - 31 / 3 = 15.1454, rounded up.
    QTest::newRow("ticks that differ between the sections") << ownTicks << QStringList{} << QStringList{
        u"レインの式|中　砂|10.33|27.25|4.25|8.84|6.00|OK|15.15|12.10|6.26|5.21"_s,
        u"レインの式|中　砂|10.33|6.00|4.25|3.84|6.00|NG|15.15|-9.15|2.72|1.67"_s} << QStringList{one + unplaced, one + none};
    StudyTexts level;
    level.wl1 = level.wl2 = u"2.5"_s;
    QTest::newRow("not ready") << level << QStringList{} << QStringList{u"レインの式|中　砂|10.33|27.25|0.00|||||||"_s,
                                                       u"レインの式|中　砂|10.33|9.00|0.00|||||||"_s}
                               << QStringList{u"ケース1|2.50|2.50|◎|summary|"_s + unplaced, u"ケース1|2.50|2.50|◎|summary|"_s + none};
    // A lower case: its own ΔH, ratios, required ΣL and margin; the
    // allowable head is the study's, its outer level the case's WL2 + 2.72.
    // A case the other way round has the head of case 1, which stays the
    // governing one, and its allowable level is the inner one, WL1 + 6.26.
    QTest::newRow("cases added") << ownTicks << QStringList{u"施工:1.2:0"_s, u"逆:0:4.25"_s} << QStringList{
        u"レインの式|中　砂|10.33|27.25|4.25|8.84|6.00|OK|15.15|12.10|6.26|5.21"_s,
        u"レインの式|中　砂|10.33|6.00|4.25|3.84|6.00|NG|15.15|-9.15|2.72|1.67"_s,
        u"レインの式|中　砂|10.33|27.25|1.20|31.32|6.00|OK|0.00|27.25|6.26|6.26"_s,
        u"レインの式|中　砂|10.33|6.00|1.20|13.61|6.00|OK|0.00|6.00|2.72|2.72"_s,
        u"レインの式|中　砂|10.33|27.25|4.25|8.84|6.00|OK|15.15|12.10|6.26|6.26"_s,
        u"レインの式|中　砂|10.33|6.00|4.25|3.84|6.00|NG|15.15|-9.15|2.72|2.72"_s}
        << QStringList{one + unplaced, one + none, u"施工|1.20|0.00||summary|"_s + unplaced, u"施工|1.20|0.00||summary|"_s + none,
                       u"逆|0.00|4.25||summary|○"_s + unplaced, u"逆|0.00|4.25||summary|○"_s + none};
}

// The numbers of each section's row are that section's own.
void TestReportTool::summary()
{
    QFETCH(StudyTexts, study);
    QFETCH(QStringList, added);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, cases);
    const QString vek = Path(u"summary.vek"_s);
    QVERIFY(!writeStudyFile(vek, contentOf(study)));
    ReportArguments arguments = std::get<ReportArguments>(
        parseReportArguments(QStringList{u"talven-report"_s, u"--csv"_s, u"-"_s, vek} + [&] {
            QStringList options;
            for (const QString &levels : added)
                options << u"--case"_s << levels;
            return options;
        }()));
    QStringList seen, seenCases;
    for (const QStringList &row : summaryRows(vek, runStudyJob(vek, QString(), arguments.batch.report, arguments.batch.cases))) {
        seen << row.mid(2, 12).join(u'|');
        seenCases << row.mid(StateColumn + 1).join(u'|');
    }
    QCOMPARE(seen, rows);
    QCOMPARE(seenCases, cases);
}

void TestReportTool::examples_data()
{
    QTest::addColumn<QString>("study");
    QTest::addColumn<QStringList>("verdicts");

    QTest::newRow("the worked example") << u"example.vek"_s
                                        << QStringList{u"鉛直方向　Ｃ′= 5.50 ＜ Ｃ = 8.50 ・・・ＮＧ"_s,
                                                       u"水平方向　Ｃ′= 6.00 ＜ Ｃ = 8.50 ・・・ＮＧ"_s};
    // Lane, fine sand: L' 36 / 3, ΔH 5.2 - 1.8; ΣL 2 (5 + 3) and 2 (3.5 + 3.5).
    QTest::newRow("a culvert, OK") << u"culvert-ok.vek"_s
                                   << QStringList{u"鉛直方向　Ｃ′= 8.24 ≧ Ｃ = 7.00 ・・・ＯＫ"_s,
                                                  u"水平方向　Ｃ′= 7.65 ≧ Ｃ = 7.00 ・・・ＯＫ"_s};
    // Bligh, coarse sand: L 31, ΔH 4.8 - 1.3; ΣL 2 (4 + 2.5) and 2 (2.5 + 2.5).
    QTest::newRow("a sluice gate, NG across") << u"sluice-gate-horizontal-ng.vek"_s
                                              << QStringList{u"鉛直方向　Ｃ′= 12.57 ≧ Ｃ = 12.00 ・・・ＯＫ"_s,
                                                             u"水平方向　Ｃ′= 11.71 ＜ Ｃ = 12.00 ・・・ＮＧ"_s};
}

// The studies installed as examples, as the user finds them.
void TestReportTool::examples()
{
    QFETCH(QString, study);
    QFETCH(QStringList, verdicts);
    const Run run = runTool({QStringLiteral(TALVEN_SOURCE_DIR "/docs/") + study, u"-o"_s, Path(study + u".pdf"_s)});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QCOMPARE(run.out, verdicts.join(u'\n') + u'\n');
}

QTEST_GUILESS_MAIN(TestReportTool)
#include "test_report_tool.moc"
