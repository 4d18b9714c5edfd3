// File > Open in the main window and restoreStudy, which the report tool
// uses, must reach the same study from the same file, and so the same check.

#include "app/mainwindow.h"
#include "describestudy.h"
#include "files/studyfile.h"
#include "mainwindowtesting.h"
#include "reporttool/studyjob.h"
#include "reporttool/summarytable.h"
#include "scripteddialogs.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

using namespace talven;
using namespace Qt::StringLiterals;

namespace {

// The record, the window-held choices and the messages met, one entry per line.
QStringList describe(const StudyRecord &record, Formula formula, int listIndex, const QString &ratioText,
                     bool ratioEditable, const std::array<bool, PileCount> &verticalTicks,
                     const std::array<bool, PileCount> &horizontalTicks, const QList<AskedDialog> &messages)
{
    QStringList lines;
    lines << u"formula=%1 class=%2 ratio=%3 editable=%4"_s.arg(int(formula)).arg(listIndex).arg(ratioText).arg(
        ratioEditable);
    lines += describeRecord(record);
    for (int i = 0; i < PileCount; ++i)
        lines << u"ticks[%1]=%2 %3"_s.arg(i).arg(verticalTicks[i]).arg(horizontalTicks[i]);
    for (const AskedDialog &message : messages)
        lines << u"message %1 | %2 | %3"_s.arg(message.prompt).arg(int(message.icon)).arg(message.caption);
    return lines;
}

QStringList describeRestored(const RestoredStudy &study)
{
    QList<AskedDialog> messages;
    for (const Message &message : study.messages)
        messages.append(message);
    return describe(study.record, study.formula, study.listIndex, study.ratioText, study.ratioEditable,
                    study.verticalTicks, study.horizontalTicks, messages);
}

QStringList describeWindow(const MainWindow &form, const QList<AskedDialog> &messages)
{
    std::array<bool, PileCount> vertical{}, horizontal{};
    for (int i = 0; i < PileCount; ++i) {
        vertical[i] = form.doubleTick(Section::Vertical, i)->isChecked();
        horizontal[i] = form.doubleTick(Section::Horizontal, i)->isChecked();
    }
    return describe(form.study(), form.selectedFormula(), form.listIndex(), form.numberBox(CreepRatioBox)->text(),
                    form.ratioEditable(), vertical, horizontal, messages);
}

using Lines = QList<QPair<int, QString>>;

// A study file of 53 lines, empty but for the changes, in code page 932.
QString writeStudy(const QTemporaryDir &folder, const Lines &changes)
{
    QStringEncoder encoder("windows-31j");
    QList<QByteArray> lines(StudyFileLineCount);
    for (const auto &[line, text] : changes)
        lines[line] = encoder.encode(text);
    const QString path = folder.filePath(u"study.vek"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines.join("\r\n") + "\r\n") <= 0)
        return {};
    return path;
}

}  // namespace

class TestParity : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void openMatchesRestore_data();
    void openMatchesRestore();
    void tableMatchesWindow_data() { openMatchesRestore_data(); }
    void tableMatchesWindow();
};

void TestParity::openMatchesRestore_data()
{
    // Each row changes some lines of an otherwise empty file: line number, text.
    QTest::addColumn<Lines>("changes");
    const Lines values{{0, u" 樋門　"_s}, {5, u"杭"_s}, {19, u"6"_s}, {20, u"3"_s}, {21, u"3.004"_s}, {22, u"3"_s},
                       {23, u"1"_s}, {24, u"12.345"_s}, {30, u"2.5"_s}, {31, u"7"_s}, {37, u"0.125"_s}};
    const Lines outOfRange{{19, u"150"_s}, {22, u"-1000"_s}, {24, u"-2"_s}, {37, u"100"_s}, {23, u"999.99"_s}};
    Lines ticksOff;
    for (int line = 39; line < 53; line += 2)
        ticksOff.append({line, u"0"_s});

    QTest::newRow("empty file") << Lines{};
    QTest::newRow("Lane, first class") << values + Lines{{38, u"20108.5"_s}};
    QTest::newRow("Lane, last class") << values + Lines{{38, u"21101.8"_s}};
    QTest::newRow("Lane, no class, odd ratio") << values + Lines{{38, u"20003.26"_s}};
    QTest::newRow("Bligh, first class") << values + Lines{{38, u"10118"_s}};
    QTest::newRow("Bligh, last class") << values + Lines{{38, u"10504"_s}};
    QTest::newRow("Bligh, no class") << values + Lines{{38, u"10012.7"_s}};
    QTest::newRow("Bligh, ranged 7.5") << values + Lines{{38, u"10407.5"_s}};
    QTest::newRow("Bligh, ranged 7") << values + Lines{{38, u"10407"_s}};
    QTest::newRow("Bligh, ranged 9.5") << values + Lines{{38, u"10409.5"_s}};
    QTest::newRow("Bligh, ranged 10") << values + Lines{{38, u"10410"_s}};
    QTest::newRow("out of range, Lane") << outOfRange + Lines{{38, u"20403"_s}};
    QTest::newRow("out of range, ranged 9.5") << outOfRange + Lines{{38, u"10409.5"_s}};
    QTest::newRow("ticks off") << values + ticksOff + Lines{{38, u"10207"_s}};
    QTest::newRow("ticks off, out of range") << outOfRange + ticksOff + Lines{{38, u"21001.6"_s}};
}

void TestParity::openMatchesRestore()
{
    QFETCH(Lines, changes);
    QTemporaryDir folder;
    const QString path = writeStudy(folder, changes);
    QVERIFY(!path.isEmpty());
    const StudyFileReadResult read = readStudyFile(path);
    QVERIFY(std::holds_alternative<ParsedStudy>(read));
    const QStringList expected = describeRestored(restoreStudy(std::get<ParsedStudy>(read)));

    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    // Opened into a fresh window, then again over the study it brought, with
    // the focus where the first open left it.
    for (int round = 0; round < 2; ++round) {
        dialogs.forget();
        dialogs.answerFile(path);
        dialogs.answer(Reply::Ok, 30);
        form.openAction()->trigger();
        QCOMPARE(describeWindow(form, dialogs.asked()), expected);
    }
}

// The window checks the study File > Open leaves; talven-report's lines and
// table come from the check of the study it restores. The two are one, and
// the table's cells are that check's texts.
void TestParity::tableMatchesWindow()
{
    QFETCH(Lines, changes);
    QTemporaryDir folder;
    const QString path = writeStudy(folder, changes);
    QVERIFY(!path.isEmpty());
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    dialogs.answerFile(path);
    dialogs.answer(Reply::Ok, 30);
    form.openAction()->trigger();

    const StudyOutcome outcome = runStudyJob(path, QString());
    QVERIFY(outcome.check);
    const StudyCheck check = form.check();
    QVERIFY(*outcome.check == check);
    const QList<QStringList> rows = summaryRows(path, outcome);
    for (Section section : Sections) {
        const SectionCheck &own = check.section(section);
        QStringList expected{check.reducedLengthText, own.sigmaLText, check.headDifferenceText};
        if (check.ready() && own.verdict)
            expected << own.verdict->provided << check.requiredShown
                     << (own.verdict->ok ? u"OK"_s : u"NG"_s) << check.referenceSigmaL << own.marginText
                     << own.allowableHeadText << own.allowableOuterLevelText;
        else
            expected << QStringList(7);
        QCOMPARE(rows[int(section)].mid(4, 10), expected);
    }
}

QTEST_MAIN(TestParity)
#include "test_parity.moc"
