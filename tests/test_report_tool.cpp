#include "csvtable.h"
#include "files/studyfile.h"
#include "study/methodcode.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>

using namespace talven;
using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

QString toolPath()
{
    return qEnvironmentVariable("TALVEN_BIN_DIR") + QStringLiteral("/talven-report");
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

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
}

// Every file under the folder with its size and time, to show nothing was written.
QStringList snapshot(const QString &folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::System, QDirIterator::Subdirectories); it.hasNext();) {
        const QFileInfo file = it.nextFileInfo();
        files << u"%1 %2 %3"_s.arg(file.filePath()).arg(file.size()).arg(file.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

QString pdfInfo(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
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
    void notReady_data();
    void notReady();
    void unwritableOutput();
    void refusedOutput_data();
    void refusedOutput();
    void fullDisk_data();
    void fullDisk();
    void undecodableName_data();
    void undecodableName();
    void lostStandardOutput_data();
    void lostStandardOutput();
    void arguments_data();
    void arguments();
    void help();
    void batch_data();
    void batch();

private:
    QTemporaryDir dir;
    QString Path(const QString &name) const { return dir.filePath(name); }
};

void TestReportTool::initTestCase()
{
    QVERIFY(dir.isValid());
    // The batch runs' folders: ready studies of both formulas (one name needing
    // quotes in the table), a refused one, one not ready with a range warning,
    // one a level down; two studies whose reports would share a name and one
    // named like a report; a file where a folder should be; a FIFO.
    StudyTexts bligh;
    bligh.formula = Formula::Bligh;
    bligh.listIndex = RangedBlighClass;
    bligh.typedRatio = 7.4;
    StudyTexts rejectedLevel;
    rejectedLevel.wl1 = QStringLiteral("1000");
    rejectedLevel.wl2 = QStringLiteral("0");
    for (const QString &folder : {QStringLiteral("mixed/sub"), QStringLiteral("clash/x"), QStringLiteral("clash/y")})
        QVERIFY(QDir(dir.path()).mkpath(folder));
    const QList<std::pair<QString, StudyTexts>> studies{
        {QStringLiteral("mixed/樋門 a.vek"), StudyTexts()}, {QStringLiteral("mixed/b,\"c\".vek"), bligh},
        {QStringLiteral("mixed/notready.vek"), rejectedLevel}, {QStringLiteral("mixed/refused.vek"), StudyTexts()},
        {QStringLiteral("mixed/sub/deep.vek"), StudyTexts()}, {QStringLiteral("clash/x/plan.vek"), StudyTexts()},
        {QStringLiteral("clash/y/PLAN.VEK"), StudyTexts()}, {QStringLiteral("clash/odd.pdf"), StudyTexts()},
        {QStringLiteral("blocker"), StudyTexts()}};
    for (const auto &[name, study] : studies)
        QVERIFY(!writeStudyFile(Path(name), contentOf(study)));
    QCOMPARE(::mkfifo(QFile::encodeName(Path(QStringLiteral("table.fifo"))).constData(), 0600), 0);
    QFile refused(Path(QStringLiteral("mixed/refused.vek")));
    QVERIFY(refused.open(QIODevice::Append));
    QVERIFY(refused.write("\r\n") == 2);
    QVERIFY2(QFile::exists(qEnvironmentVariable("TALVEN_BIN_DIR") + QStringLiteral("/talven-report")),
             "talven-report is not built");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is missing");
}

void TestReportTool::report_data()
{
    QTest::addColumn<StudyTexts>("study");
    QTest::addColumn<QStringList>("verdicts");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("pageTexts");

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
                        QStringLiteral("WL2 = -1.05 (m)"), QStringLiteral("= 4.25 (m)")});

    // Bligh's gravel with sand, C typed as 7.4; ΔH 2.15. Vertical (31 + 27.25) / 2.15 = 27.09,
    // horizontal (31 + 9) / 2.15 = 18.60.
    StudyTexts bligh;
    bligh.formula = Formula::Bligh;
    bligh.listIndex = RangedBlighClass;
    bligh.typedRatio = 7.4;
    bligh.wl2 = QStringLiteral("1.05");
    QTest::newRow("bligh typed ratio")
        << bligh
        << QStringList({QStringLiteral("鉛直方向　Ｃ′= 27.09 ≧ Ｃ = 7.40 ・・・ＯＫ"),
                        QStringLiteral("水平方向　Ｃ′= 18.60 ≧ Ｃ = 7.40 ・・・ＯＫ")})
        << QStringList()
        << QStringList({QStringLiteral("樋門樋管の設計と考え方(P.143)"), QStringLiteral("◆ 砂混じり砂利"),
                        QStringLiteral("砂利混じり玉石 4"), QStringLiteral("31.00 ＋ 27.25")});

    // A ratio a little below C that rounds to it passes in both sections: 35.99 / 3 = 11.997.
    StudyTexts edge;
    edge.formula = Formula::Bligh;
    edge.listIndex = 2;  // coarse sand, C 12
    edge.members = {};
    edge.wl1 = QStringLiteral("3");
    edge.wl2 = QStringLiteral("0");
    edge.vertical = {QStringLiteral("35.99")};
    edge.horizontal = {QStringLiteral("35.97")};
    edge.verticalTicks = {};
    edge.horizontalTicks = {};
    QTest::newRow("rounding edge")
        << edge
        << QStringList({QStringLiteral("鉛直方向　Ｃ′= 12.00 ≧ Ｃ = 12.00 ・・・ＯＫ"),
                        QStringLiteral("水平方向　Ｃ′= 11.99 ＜ Ｃ = 12.00 ・・・ＮＧ")})
        << QStringList() << QStringList({QStringLiteral("0.00 ＋ 35.99")});

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
        << QStringList({QStringLiteral("WL1 = 0.00 (m)"), QStringLiteral("計 16.25")});
}

void TestReportTool::report()
{
    QFETCH(StudyTexts, study);
    QFETCH(QStringList, verdicts);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, pageTexts);

    const QString vek = Path(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".vek"));
    const QString pdf = Path(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    QVERIFY(!writeStudyFile(vek, contentOf(study)));

    const Run run = runTool({vek, QStringLiteral("-o"), pdf});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QCOMPARE(run.out, verdicts.join(u'\n') + u'\n');
    QStringList reported;
    for (const QString &line : run.err.split(u'\n'))
        if (line.startsWith(QStringLiteral("talven-report: 警告: ")))
            reported.append(line.mid(QStringLiteral("talven-report: 警告: ").size()));
    QCOMPARE(reported, warnings);

    QVERIFY(QFile::exists(pdf));
    const QString info = pdfInfo(pdf);
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("595.276 x 841.89")) || info.contains(QStringLiteral("595 x 842")),
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
    QTest::addColumn<QString>("kind");       // file, missing or fifo

    QTest::newRow("a 54th line") << QByteArray("\r\n") << QStringLiteral("file");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("missing");
    // Opening a FIFO would wait for a writer that never comes.
    QTest::newRow("a FIFO") << QByteArray() << QStringLiteral("fifo");
}

void TestReportTool::refusedFile()
{
    QFETCH(QByteArray, append);
    QFETCH(QString, kind);

    const QString vek = Path(QStringLiteral("refused.vek"));
    const QString pdf = Path(QStringLiteral("refused.pdf"));
    QFile::remove(vek);
    if (kind == QStringLiteral("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(vek).constData(), 0600), 0);
    if (kind == QStringLiteral("file")) {
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
    QVERIFY2(run.err.contains(QStringLiteral("ファイル読み込みを中止しました。")), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QFile old(pdf);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("earlier"));
}

void TestReportTool::notReady_data()
{
    QTest::addColumn<StudyTexts>("study");

    StudyTexts level;
    level.wl1 = QStringLiteral("2.5");
    level.wl2 = QStringLiteral("2.5");
    QTest::newRow("equal water levels") << level;

    StudyTexts falling;
    falling.wl1 = QStringLiteral("1");
    falling.wl2 = QStringLiteral("2");
    QTest::newRow("negative head difference") << falling;

    StudyTexts noClass;
    noClass.listIndex = -1;
    QTest::newRow("no creep ratio") << noClass;

    // A water level out of range becomes 0, which leaves no head difference.
    StudyTexts rejected;
    rejected.wl1 = QStringLiteral("1000");
    rejected.wl2 = QStringLiteral("0");
    QTest::newRow("rejected level") << rejected;
}

void TestReportTool::notReady()
{
    QFETCH(StudyTexts, study);

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

void TestReportTool::refusedOutput_data()
{
    QTest::addColumn<QString>("output");  // in a folder holding study.vek and the names below
    QTest::addColumn<bool>("isStudy");

    QTest::newRow("the study itself") << QStringLiteral("study.vek") << true;
    QTest::newRow("a link to the study") << QStringLiteral("link.vek") << true;
    QTest::newRow("through a folder and ..") << QStringLiteral("sub/../study.vek") << true;
    QTest::newRow("a hard link to the study") << QStringLiteral("hard.vek") << true;
    QTest::newRow("a FIFO") << QStringLiteral("fifo.pdf") << false;
    QTest::newRow("a folder") << QStringLiteral("sub") << false;
}

void TestReportTool::refusedOutput()
{
    QFETCH(QString, output);
    QFETCH(bool, isStudy);

    QTemporaryDir folder;
    const QString study = folder.filePath(QStringLiteral("study.vek"));
    QVERIFY(!writeStudyFile(study, contentOf(StudyTexts())));
    const QByteArray studyBytes = readAll(study);
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(QFile::link(study, folder.filePath(QStringLiteral("link.vek"))));
    QCOMPARE(::link(QFile::encodeName(study).constData(),
                    QFile::encodeName(folder.filePath(QStringLiteral("hard.vek"))).constData()), 0);
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("fifo.pdf"))).constData(), 0600), 0);
    const QStringList before = entries(folder.path());

    const QString target = folder.filePath(output);
    const Run run = runTool({study, QStringLiteral("-o"), target});
    QVERIFY2(run.exitCode == 64, qPrintable(describe(run)));
    QVERIFY(run.out.isEmpty());
    // The message names both arguments when the output is the study.
    QVERIFY2(run.err.contains(target) && run.err.contains(study) == isStudy, qPrintable(run.err));
    QCOMPARE(readAll(study), studyBytes);
    QCOMPARE(entries(folder.path()), before);
    QCOMPARE(QFileInfo(target).isFile(), isStudy);
}

void TestReportTool::fullDisk_data()
{
    QTest::addColumn<qint64>("room");  // bytes the PDF may take; counted from its end when negative

    QTest::newRow("full in the first bytes") << qint64(512);
    QTest::newRow("full in the font") << qint64(8192);
    QTest::newRow("full at the last byte") << qint64(-1);
}

// A file size limit makes the writes fail as a full disk does, without root:
// the write that reaches the limit takes part of its bytes, the next one fails.
void TestReportTool::fullDisk()
{
    QFETCH(qint64, room);

    const QString vek = Path(QStringLiteral("full.vek"));
    QVERIFY(!writeStudyFile(vek, contentOf(StudyTexts())));
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
    QCOMPARE(runTool({vek, QStringLiteral("-o"), pdf}).exitCode, 0);
    const auto limit = rlim_t(room > 0 ? room : QFileInfo(pdf).size() + room);
    {
        QFile earlier(pdf);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier report");
    }

    const Run run = runTool({vek, QStringLiteral("-o"), pdf}, [limit](QProcess &process) {
        process.setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit tight{limit, limit};
            setrlimit(RLIMIT_FSIZE, &tight);
        });
    });
    QVERIFY2(run.exitCode == 3, qPrintable(describe(run)));
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(pdf + QStringLiteral(": PDF ファイルを書き出せませんでした。")), qPrintable(run.err));
    QCOMPARE(readAll(pdf), QByteArray("earlier report"));
    QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("report.pdf")});
}

void TestReportTool::undecodableName_data()
{
    QTest::addColumn<QString>("study");  // as printf formats: \ooo is a byte
    QTest::addColumn<QString>("output");

    QTest::newRow("output name") << QStringLiteral("study.vek") << QStringLiteral("r\\377\\376.pdf");
    // Read as UTF-8 the name would be "s\uFFFD.vek", another study.
    QTest::newRow("study name") << QStringLiteral("s\\377.vek") << QStringLiteral("s.pdf");
}

void TestReportTool::undecodableName()
{
    QFETCH(QString, study);
    QFETCH(QString, output);

    QTemporaryDir folder;
    QVERIFY(!writeStudyFile(folder.filePath(QStringLiteral("study.vek")), contentOf(StudyTexts())));
    QVERIFY(!writeStudyFile(folder.filePath(QStringLiteral("s\uFFFD.vek")), contentOf(StudyTexts())));
    const QStringList before = entries(folder.path());

    // QProcess hands over UTF-8; the shell's printf makes the other bytes.
    const Run run = runTool({}, [&](QProcess &process) {
        process.setWorkingDirectory(folder.path());
        process.setProgram(QStringLiteral("/bin/sh"));
        process.setArguments({QStringLiteral("-c"),
                              QStringLiteral("exec \"$0\" \"$(printf \"$1\")\" -o \"$(printf \"$2\")\""),
                              toolPath(), study, output});
    });
    QVERIFY2(run.exitCode == 64, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(QStringLiteral("UTF-8")), qPrintable(run.err));
    QCOMPARE(entries(folder.path()), before);
}

void TestReportTool::lostStandardOutput_data()
{
    QTest::addColumn<bool>("help");

    QTest::newRow("verdict lines") << false;
    QTest::newRow("help") << true;
}

void TestReportTool::lostStandardOutput()
{
    QFETCH(bool, help);
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full on this system");

    const QString vek = Path(QStringLiteral("lost.vek"));
    const QString pdf = Path(QStringLiteral("lost.pdf"));
    QVERIFY(!writeStudyFile(vek, contentOf(StudyTexts())));
    const Run run = runTool(help ? QStringList{QStringLiteral("--help")} : QStringList{vek, QStringLiteral("-o"), pdf},
                            [](QProcess &process) { process.setStandardOutputFile(QStringLiteral("/dev/full")); });
    QVERIFY2(run.exitCode == 74, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(QStringLiteral("標準出力に書き込めませんでした。")), qPrintable(run.err));
    // The report itself is complete.
    QVERIFY(help || pdfInfo(pdf).contains(QStringLiteral("Pages:")));
}

void TestReportTool::arguments_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("none") << QStringList();
    QTest::newRow("no output") << QStringList({QStringLiteral("a.vek")});
    QTest::newRow("output without file") << QStringList({QStringLiteral("a.vek"), QStringLiteral("-o")});
    QTest::newRow("no study") << QStringList({QStringLiteral("-o"), QStringLiteral("a.pdf")});
    QTest::newRow("two studies") << QStringList({QStringLiteral("a.vek"), QStringLiteral("b.vek"),
                                                 QStringLiteral("-o"), QStringLiteral("a.pdf")});
    QTest::newRow("unknown option") << QStringList({QStringLiteral("a.vek"), QStringLiteral("-x"),
                                                    QStringLiteral("-o"), QStringLiteral("a.pdf")});
}

void TestReportTool::arguments()
{
    QFETCH(QStringList, arguments);

    const Run run = runTool(arguments);
    QVERIFY2(run.exitCode == 64, qPrintable(describe(run)));
    QVERIFY2(run.err.contains(QStringLiteral("使い方: talven-report 検討ファイル.vek -o 帳票.pdf")),
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
    // Tokens in the arguments: OUT, TABLE and the folders of initTestCase.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("reports");  // the PDFs in OUT
    QTest::addColumn<QStringList>("studies");  // "file: status" in table order; for 64 the names on stderr

    const QString written = QStringLiteral("書き出しました"), checked = QStringLiteral("照査しました");
    const QString refused = QStringLiteral("refused.vek: 読み込めません");
    const QString notReady = QStringLiteral("notready.vek: 帳票を作成できません 警告");
    const QStringList pdfs{QStringLiteral("b,\"c\".pdf"), QStringLiteral("樋門 a.pdf")};
    auto mixed = [&](const QString &ready) {
        return QStringList{QStringLiteral("b,\"c\".vek: ") + ready, notReady, refused, QStringLiteral("樋門 a.vek: ") + ready};
    };
    QTest::newRow("reports and table") << QStringList{u"-d"_s, u"OUT"_s, u"--csv"_s, u"TABLE"_s, u"MIXED"_s} << 2
                                       << pdfs << mixed(written);
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
    QTest::newRow("a table that is a study") << QStringList{u"--csv"_s, u"MIXED/sub/deep.vek"_s, u"MIXED/sub"_s}
                                             << 64 << QStringList() << QStringList{u"一覧表"_s, u"deep.vek"_s};
    QTest::newRow("a table that is a FIFO, no study") << QStringList{u"--csv"_s, u"FIFO"_s, u"CLASH"_s} << 64
                                                      << QStringList() << QStringList{u"table.fifo"_s};
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
        const QString out = Path(tag), table = Path(tag + QStringLiteral(".csv"));
        QStringList toolArguments{QStringLiteral("-j"), round == 0 ? QStringLiteral("1") : QStringLiteral("3")};
        for (QString argument : arguments)
            toolArguments << argument.replace(u"OUT"_s, out).replace(u"TABLE"_s, table)
                                 .replace(u"MIXED"_s, Path(u"mixed"_s)).replace(u"CLASH"_s, Path(u"clash"_s))
                                 .replace(u"BLOCKER"_s, Path(u"blocker"_s)).replace(u"FIFO"_s, Path(u"table.fifo"_s));
        const QStringList before = snapshot(dir.path());
        const Run run = runTool(toolArguments);
        QVERIFY2(run.exitCode == status, qPrintable(describe(run)));
        QCOMPARE(QDir(out).entryList(QDir::Files), reports);
        for (const QString &report : reports) {
            QFile pdf(QDir(out).filePath(report));
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            outputs[round].append(QString::fromLatin1(pdf.readAll()).remove(creationDate).toLatin1());
        }
        QFile file(table);
        if (status == 64) {
            QCOMPARE(snapshot(dir.path()), before);
            for (const QString &study : studies)
                QVERIFY2(run.err.contains(study), qPrintable(run.err));
            continue;
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        outputs[round].append(file.readAll());
        const QList<QStringList> rows = parseCsvTable(outputs[round].last());
        QCOMPARE(rows.value(0), QStringList({u"ファイル"_s, u"方向"_s, u"計算式"_s, u"土質の区分"_s, u"Ｌ′"_s, u"ΣL"_s,
                                             u"⊿H"_s, u"計算値 Ｃ′"_s, u"必要値 Ｃ"_s, u"判定"_s, u"ΣL の参考値"_s,
                                             u"状態"_s}));
        QStringList seen, paths;
        for (qsizetype r = 1; r < rows.size(); r += 2) {
            QCOMPARE(rows.value(r + 1).value(0), rows[r].value(0));
            QCOMPARE(QStringList({rows[r].value(1), rows.value(r + 1).value(1)}), QStringList({u"鉛直方向"_s, u"水平方向"_s}));
            const QString state = rows[r].value(11);
            seen << QFileInfo(rows[r].value(0)).fileName() + u": "_s + state.section(u'（', 0, 0).section(u'　', 0, 0)
                        + (state.contains(u"　警告: "_s) ? u" 警告"_s : QString());
            if (state.startsWith(u"書き出しました"_s) || state.startsWith(u"照査しました"_s))
                paths << rows[r].value(0) << rows[r].value(0);
        }
        QCOMPARE(seen, studies);
        // The verdict lines of the studies checked or written, each after its file.
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), paths.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(paths[i] + u": "_s + (i % 2 ? u"水平方向"_s : u"鉛直方向"_s)), qPrintable(lines[i]));
    }
    QCOMPARE(outputs[1], outputs[0]);
}

QTEST_GUILESS_MAIN(TestReportTool)
#include "test_report_tool.moc"
