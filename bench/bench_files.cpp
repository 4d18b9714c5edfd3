// Benchmarks of the study file: reading one (with every check) and writing one
// (through its temporary file) on the local disk.
#include "examplestudy.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace talven;

class BenchFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void readStudyFile();
    void writeStudyFile_data();
    void writeStudyFile();

private:
    QTemporaryDir folder;
    QString examplePath;
};

void BenchFiles::initTestCase()
{
    QVERIFY(folder.isValid());
    examplePath = folder.filePath(QStringLiteral("example.vek"));
    QFile file(examplePath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(exampleStudyBytes()) > 0);
}

void BenchFiles::readStudyFile()
{
    StudyFileReadResult read;
    QBENCHMARK {
        read = talven::readStudyFile(examplePath);
    }
    const auto *opened = std::get_if<StudyEdit>(&read);
    QVERIFY(opened);
    QCOMPARE(opened->study.record.names[0], QStringLiteral("本体"));
    QCOMPARE(opened->study.record.baseValues[0], 3.0);
}

// Saving goes through a temporary file that is synced before it replaces the
// target; on a disk the sync is most of the time, in memory it costs nothing.
void BenchFiles::writeStudyFile_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("disk") << folder.path();
    QTest::newRow("memory") << QStringLiteral("/dev/shm");
}

void BenchFiles::writeStudyFile()
{
    QFETCH(QString, where);
    QTemporaryDir target(where + QStringLiteral("/talven-bench-XXXXXX"));
    if (!target.isValid())
        QSKIP(qPrintable(where + QStringLiteral(" cannot be written here")));
    const StudyFileContent content = exampleStudyContent();
    const QString path = target.filePath(QStringLiteral("written.vek"));
    std::optional<Message> refused;
    QBENCHMARK {
        refused = talven::writeStudyFile(path, content);
    }
    QVERIFY2(!refused, qPrintable(refused ? refused->prompt : QString()));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), exampleStudyBytes());
}

QTEST_GUILESS_MAIN(BenchFiles)
#include "bench_files.moc"
