// talven-report over 1,000 generated studies (both formulas, every soil class,
// varied values; one in ten not ready, one in twenty-five refused): each as
// its own single-study run, side by side with one batch run writing every
// report and the table, and the table alone.
#include "examplestudy.h"

#include "study/numbers.h"
#include "study/soilclasses.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace talven;

namespace {

constexpr int StudyCount = 1000;

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

// The same studies on every run: a fixed seed.
QByteArray generatedStudy(int i, QRandomGenerator &random)
{
    StudyFileContent content = exampleStudyContent();
    const Formula formula = i % 2 ? Formula::Lane : Formula::Bligh;
    int listIndex = int(random.bounded(qsizetype(soilClasses(formula).size())));
    double ratio = isRangedClass(formula, listIndex) ? 5.0 + 0.5 * random.bounded(9)
                                                     : leadingNumber(soilClasses(formula)[listIndex].ratioText);
    for (int m = 0; m < 3; ++m)
        content.numberTexts[m] = number(random.bounded(3000) / 100.0);
    const double outer = 1.0 + random.bounded(1000) / 100.0;
    double inner = outer - (1 + random.bounded(800)) / 100.0;
    if (i % 20 == 7)
        inner = outer;  // no head difference
    if (i % 20 == 13) {
        listIndex = -1;  // no creep ratio
        ratio = 0.0;
    }
    content.numberTexts[OuterWaterLevelBox] = number(outer);
    content.numberTexts[InnerWaterLevelBox] = number(inner);
    const int piles = 1 + int(random.bounded(PileCount));
    for (int p = 0; p < PileCount; ++p) {
        content.numberTexts[FirstVerticalPileBox + p] = p < piles ? number(random.bounded(2000) / 100.0) : QString();
        content.numberTexts[FirstHorizontalPileBox + p] = p < piles ? number(random.bounded(2000) / 100.0) : QString();
        content.doubleFlags[p] = int(random.bounded(2));
        content.doubleFlags[PileCount + p] = int(random.bounded(2));
    }
    content.methodCode = buildMethodCode(formula, listIndex, ratio);
    QByteArray bytes = studyFileBytes(content);
    if (i % 25 == 3)
        bytes += "\r\n";  // a 54th line: refused
    return bytes;
}

int runReportTool(const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QStringLiteral(TALVEN_REPORT_PROGRAM), arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

}  // namespace

class BenchBatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void singleRuns();
    void batchReportsAndTable();
    void tableOnly();

private:
    QString studyFolder() const { return folder.filePath(QStringLiteral("studies")); }
    QString outputFolder(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    QStringList studies;
    int worstSingle = 0;
};

void BenchBatch::initTestCase()
{
    QVERIFY(folder.isValid());
    QVERIFY(QDir().mkpath(studyFolder()));
    QRandomGenerator random(20240611);
    for (int i = 0; i < StudyCount; ++i) {
        const QString name = QStringLiteral("study%1.vek").arg(i, 4, 10, QLatin1Char('0'));
        QFile file(QDir(studyFolder()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(generatedStudy(i, random)) > 0);
        studies.append(name);
    }
}

void BenchBatch::singleRuns()
{
    const QDir out(outputFolder(QStringLiteral("single")));
    QVERIFY(QDir().mkpath(out.path()));
    QBENCHMARK {
        worstSingle = 0;
        for (const QString &study : studies) {
            const QString pdf = out.filePath(QFileInfo(study).completeBaseName() + QStringLiteral(".pdf"));
            worstSingle = std::max(worstSingle, runReportTool({QDir(studyFolder()).filePath(study),
                                                               QStringLiteral("-o"), pdf}));
        }
    }
    QCOMPARE(worstSingle, 2);
}

void BenchBatch::batchReportsAndTable()
{
    const QString out = outputFolder(QStringLiteral("batch"));
    const QString table = folder.filePath(QStringLiteral("batch.csv"));
    int status = -1;
    QBENCHMARK {
        status = runReportTool({QStringLiteral("-d"), out, QStringLiteral("--csv"), table, studyFolder()});
    }
    QCOMPARE(status, 2);
    // The same reports as the single runs, when they ran before.
    const QStringList written = QDir(out).entryList(QDir::Files);
    const QStringList single = QDir(outputFolder(QStringLiteral("single"))).entryList(QDir::Files);
    if (!single.isEmpty())
        QCOMPARE(written, single);
    QFile file(table);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("\r\n"), 1 + 2 * StudyCount);
}

void BenchBatch::tableOnly()
{
    const QString table = folder.filePath(QStringLiteral("table.csv"));
    int status = -1;
    QBENCHMARK {
        status = runReportTool({QStringLiteral("--csv"), table, studyFolder()});
    }
    QCOMPARE(status, 2);
    QVERIFY(QFileInfo(table).size() > 100 * StudyCount);
}

QTEST_GUILESS_MAIN(BenchBatch)
#include "bench_batch.moc"
