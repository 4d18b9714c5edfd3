// File > Open in the main window and RestoreStudy, which the report tool
// uses, must reach the same study from the same file; the report tool's table
// must show the numbers the window shows for it.

#include "app/mainwindow.h"
#include "csvtable.h"
#include "describestudy.h"
#include "files/studyfile.h"
#include "mainwindowtesting.h"
#include "scripteddialogs.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
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
    return describe(currentStudy(), form.selectedFormula(), form.listIndex(), form.numberBox(CreepRatioBox)->text(),
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

// Each section's row against the window after File > Open, "次へ" and
// "計算結果を見る"; a study that is not ready has no check in either.
void TestParity::tableMatchesWindow()
{
    QFETCH(Lines, changes);
    QTemporaryDir folder;
    const QString path = writeStudy(folder, changes);
    QVERIFY(!path.isEmpty());
    QProcess tool;
    tool.start(qEnvironmentVariable("TALVEN_BIN_DIR") + u"/talven-report"_s, {u"--csv"_s, u"-"_s, path});
    QVERIFY(tool.waitForFinished(60000));
    const QList<QStringList> rows = parseCsvTable(tool.readAllStandardOutput());
    QCOMPARE(rows.size(), 3);

    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    dialogs.answerFile(path);
    dialogs.answer(Reply::Ok, 30);
    form.openAction()->trigger();
    dialogs.forget();
    const bool ready = !rows[1].value(11).startsWith(u"帳票を作成できません"_s);
    if (ready)
        clickButton(form.toVerticalButton());
    for (Section section : {Section::Vertical, Section::Horizontal}) {
        QStringList shown{form.formulaButton(form.selectedFormula())->text(),
                          form.listIndex() < 0 ? QString() : form.soilClassList()->currentItem()->text()};
        if (ready) {
            if (section == Section::Horizontal)
                clickButton(form.toHorizontalButton());
            clickButton(form.showResultButton(section));
            const ResultLine &line = form.resultLine(section);
            shown << line.numerator->text().split(u"＋"_s) << line.denominator->text() << line.provided->text()
                  << line.required->text() << (line.verdict->text().contains(u"ＯＫ"_s) ? u"OK"_s : u"NG"_s)
                  << form.referenceSigmaLLabel(section)->text();
            QCOMPARE(rows[section == Section::Vertical ? 1 : 2].mid(2, 9), shown);
        } else {
            QCOMPARE(rows[section == Section::Vertical ? 1 : 2].mid(2, 2) + rows[1].mid(7, 4),
                     shown + QStringList(4));
        }
    }
    QVERIFY(dialogs.asked().isEmpty());
}

QTEST_MAIN(TestParity)
#include "test_parity.moc"
