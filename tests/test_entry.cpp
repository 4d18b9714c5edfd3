// Typing into the main window: the key filter, ranges and their messages,
// Enter, leaving a box, formula and soil class, the live totals and the two
// on-screen checks, driven as a user drives them.

#include "app/broughtintext.h"
#include "app/mainwindow.h"
#include "mainwindowtesting.h"
#include "scripteddialogs.h"
#include "files/studyfile.h"
#include "study/boxtable.h"
#include "study/numbers.h"
#include "study/studyrecord.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QLabel>
#include <QTabWidget>

using namespace talven;
using namespace Qt::StringLiterals;

using PileTexts = QMap<int, QString>;  // numberBox index -> what is typed

namespace {

const AskedDialog MessageA{u"数値は0から99.99の範囲で入力してください"_s, MessageIcon::Exclamation,
                           u"タルヴェン・数値が範囲を超えています"_s};
const AskedDialog MessageC{u"数値は５から９の範囲で入力してください"_s, MessageIcon::Exclamation,
                           u"タルヴェン・範囲外の数値です"_s};
const AskedDialog RangedClass{u"砂混じり砂利の場合、\r\nＣの値は５～９の間を選んでください"_s, MessageIcon::Information,
                              u"タルヴェン・数値に幅があります"_s};

bool isNear(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

// Lane, first class (C' = 8.5), water levels 3 and 1.
void makeReady(MainWindow &form)
{
    selectSoilClass(form, 0);
    numberBox(form, OuterWaterLevelBox)->setText(u"3"_s);
    numberBox(form, InnerWaterLevelBox)->setText(u"1"_s);
}

// Bligh's "砂混じり砂利", chosen with the mouse; its message is answered.
void chooseRangedClass(MainWindow &form, ScriptedDialogs &dialogs)
{
    clickButton(formulaButton(form, Formula::Bligh));
    dialogs.answer(Reply::Ok);
    clickListRow(soilClassList(form), 3);
}

}  // namespace

class TestEntry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void typing_data();
    void typing();
    void editingKeysPass();
    void enteredByClick();
    void creepRatioBox_data();
    void creepRatioBox();
    void focusGivenBehindMessage_data();
    void focusGivenBehindMessage();
    void enterMovesFocus_data();
    void enterMovesFocus();
    void leavingRounds_data();
    void leavingRounds();
    void namesTrimmed_data();
    void namesTrimmed();
    void nameLength();
    void pastedText_data();
    void pastedText();
    void textBroughtIn_data();
    void textBroughtIn();
    void pasteCut_data();
    void pasteCut();
    void copyKeys_data();
    void copyKeys();
    void formulaAndClass();
    void sameFormulaClickChangesNothing();
    void totals_data();
    void totals();
    void workedExamples_data();
    void workedExamples();
    void whatHidesResults();
};

void TestEntry::typing_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QList<AskedDialog>>("messages");
    const QList<AskedDialog> none;
    QTest::newRow("dimension 99.99") << 0 << u"99.99"_s << u"99.99"_s << 99.99 << none;
    QTest::newRow("dimension 100 at its third digit") << 0 << u"100"_s << QString() << 0.0 << QList{MessageA};
    QTest::newRow("dimension, seventh character") << 1 << u"1.23456"_s << u"1.2345"_s << 1.2345 << none;
    QTest::newRow("dimension, minus discarded") << 0 << u"-5"_s << u"5"_s << 5.0 << none;
    QTest::newRow("dimension, 100 then 5") << 0 << u"1005"_s << u"5"_s << 5.0 << QList{MessageA};
    QTest::newRow("water level, lone minus") << OuterWaterLevelBox << u"-"_s << u"-"_s << 0.0 << none;
    QTest::newRow("water level, eighth character") << InnerWaterLevelBox << u"-12.3456"_s << u"-12.345"_s << -12.345 << none;
    QTest::newRow("vertical length, minus discarded") << verticalBox(0) << u"-"_s << u"0.00"_s << 0.0 << none;
    QTest::newRow("horizontal length 100.5") << horizontalBox(6) << u"100.5"_s << u".5"_s << 0.5 << QList{MessageA};
    QTest::newRow("read-only creep ratio") << CreepRatioBox << u"7"_s << u"8.5"_s << 8.5 << none;
}

void TestEntry::typing()
{
    QFETCH(int, box);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(double, stored);
    QFETCH(QList<AskedDialog>, messages);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(tabOfBox(box));
    dialogs.forget();
    dialogs.answer(Reply::Ok, int(messages.size()));

    typeInto(numberBox(form, box), keys);

    QCOMPARE(dialogs.asked(), messages);
    QCOMPARE(numberBox(form, box)->text(), shown);
    QVERIFY2(isNear(numberField(recordOf(form), box), stored),
             qPrintable(QString::number(numberField(recordOf(form), box), 'g', 17)));
    QVERIFY(!isSaved(form));
    QCOMPARE(focusedWidget(), numberBox(form, box));
    QCOMPARE(tabs(form)->currentIndex(), tabOfBox(box));
}

// Arrows, Home, End, Delete and Backspace edit the box; only typed characters are filtered.
void TestEntry::editingKeysPass()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    QLineEdit *box = numberBox(form, 0);
    typeInto(box, u"12.5"_s);
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), u"2.5"_s);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Left);
    typeKeys(box, u"3"_s);
    QCOMPARE(box->text(), u"23."_s);
    QCOMPARE(recordOf(form).baseValues[0], 23.0);
    // Control characters are not typing: no select-all. Ctrl+Z undoes the
    // box's own typing first.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box->text(), u"23."_s);
    QVERIFY(!box->hasSelectedText());
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box->text(), u"2."_s);
    QCOMPARE(recordOf(form).baseValues[0], 2.0);
}

// A click into a box selects its whole text, so typing replaces it; a drag
// selects what it covers.
void TestEntry::enteredByClick()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    QLineEdit *box = numberBox(form, 2);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 8, box->height() / 2));
    QCOMPARE(focusedWidget(), box);
    QCOMPARE(box->selectedText(), u"0.00"_s);
    typeKeys(box, u"4"_s);
    QCOMPARE(box->text(), u"4"_s);
    QCOMPARE(recordOf(form).baseValues[2], 4.0);

    // Once inside, a click places the caret.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
    QVERIFY(!box->hasSelectedText());
    typeKeys(box, u"2"_s);
    QCOMPARE(box->text(), u"42"_s);
    QVERIFY(dialogs.asked().isEmpty());
}

void TestEntry::creepRatioBox_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("stored");
    QTest::addColumn<int>("rejections");
    QTest::newRow("7.5") << u"7.5"_s << u"7.5"_s << 7.5 << 0;
    QTest::newRow("9.5 at its last character") << u"9.5"_s << u"5"_s << 5.0 << 1;
    QTest::newRow("10: 1 is below 5, then 50") << u"10"_s << u"5"_s << 5.0 << 2;
    QTest::newRow("4") << u"4"_s << u"5"_s << 5.0 << 1;
}

void TestEntry::creepRatioBox()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(double, stored);
    QFETCH(int, rejections);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    chooseRangedClass(form, dialogs);
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{RangedClass});
    QLineEdit *ratio = numberBox(form, CreepRatioBox);
    QCOMPARE(ratio->text(), u"5"_s);
    QCOMPARE(focusedWidget(), ratio);
    QCOMPARE(ratio->selectedText(), u"5"_s);
    QVERIFY(!ratio->isReadOnly());
    QCOMPARE(recordOf(form).creepRatio, 5.0);

    dialogs.forget();
    dialogs.answer(Reply::Ok, rejections);
    typeKeys(ratio, keys);
    QCOMPARE(dialogs.asked(), QList<AskedDialog>(rejections, MessageC));
    QCOMPARE(ratio->text(), shown);
    QCOMPARE(recordOf(form).creepRatio, stored);
    QCOMPARE(focusedWidget(), ratio);

    // Any other class leaves the editable state.
    clickListRow(soilClassList(form), 2);
    QCOMPARE(ratio->text(), u"12"_s);
    QVERIFY(ratio->isReadOnly());
    QCOMPARE(recordOf(form).creepRatio, 12.0);
    ratio->setFocus();
    typeKeys(ratio, u"7"_s);
    QCOMPARE(ratio->text(), u"12"_s);
}

void TestEntry::focusGivenBehindMessage_data()
{
    QTest::addColumn<int>("situation");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("selected");
    QTest::newRow("ranged class") << 0 << u"numberBox(5)"_s << u"5"_s;
    QTest::newRow("leaving tab 0 with equal levels") << 1 << u"numberBox(3)"_s << u"2.00"_s;
    QTest::newRow("rejected value keeps its box") << 2 << u"numberBox(1)"_s << QString();
}

// A real message box takes the window's activation; the box the program gives
// the focus to meanwhile is entered when the window comes back, the box that
// kept it is not entered again.
void TestEntry::focusGivenBehindMessage()
{
    QFETCH(int, situation);
    QFETCH(QString, focus);
    QFETCH(QString, selected);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    QWidget message;
    dialogs.whileAsking([&message] {
        message.show();
        QApplication::setActiveWindow(&message);
        QVERIFY(QTest::qWaitForWindowActive(&message));
    });
    dialogs.answer(Reply::Ok);
    switch (situation) {
    case 0:
        clickButton(formulaButton(form, Formula::Bligh));
        clickListRow(soilClassList(form), 3);
        break;
    case 1:
        typeInto(numberBox(form, OuterWaterLevelBox), u"2"_s);
        typeInto(numberBox(form, InnerWaterLevelBox), u"2"_s);
        clickButton(button(form, "toVerticalButton"));
        break;
    default:
        typeInto(numberBox(form, 1), u"123"_s);
        break;
    }
    QCOMPARE(dialogs.asked().size(), 1);
    message.hide();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(nameOf(focusedWidget()), focus);
    auto *box = static_cast<QLineEdit *>(focusedWidget());
    QCOMPARE(box->selectedText(), selected);
}

void TestEntry::enterMovesFocus_data()
{
    QTest::addColumn<bool>("names");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("path");
    QTest::newRow("tab 0 values") << false << 0
                                  << QStringList{u"numberBox(1)"_s, u"numberBox(2)"_s, u"numberBox(3)"_s, u"numberBox(4)"_s, u"numberBox(0)"_s};
    QTest::newRow("creep ratio to 次へ") << false << CreepRatioBox << QStringList{u"toVerticalButton"_s};
    QTest::newRow("vertical lengths")
        << false << verticalBox(4) << QStringList{u"numberBox(11)"_s, u"numberBox(12)"_s, u"numberBox(6)"_s, u"numberBox(7)"_s};
    QTest::newRow("horizontal lengths")
        << false << horizontalBox(5) << QStringList{u"numberBox(19)"_s, u"numberBox(13)"_s, u"numberBox(14)"_s};
    QTest::newRow("tab 0 names") << true << 3 << QStringList{u"nameBox(4)"_s, u"nameBox(0)"_s, u"nameBox(1)"_s};
    QTest::newRow("vertical names") << true << FirstVerticalPileName + 5 << QStringList{u"nameBox(11)"_s, u"nameBox(5)"_s, u"nameBox(6)"_s};
    QTest::newRow("horizontal names") << true << FirstHorizontalPileName + 5 << QStringList{u"nameBox(18)"_s, u"nameBox(12)"_s};
}

void TestEntry::enterMovesFocus()
{
    QFETCH(bool, names);
    QFETCH(int, start);
    QFETCH(QStringList, path);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    const int tab = names ? tabOfName(start) : tabOfBox(start);
    tabs(form)->setCurrentIndex(tab);
    QLineEdit *first = names ? nameBox(form, start) : numberBox(form, start);
    first->setFocus();
    const QString before = first->text();
    for (const QString &expected : path) {
        pressEnter(focusedWidget());
        QCOMPARE(nameOf(focusedWidget()), expected);
    }
    QCOMPARE(first->text(), before);  // Enter is never typed into a box
    QVERIFY(dialogs.asked().isEmpty());
}

void TestEntry::leavingRounds_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("whileTyping");
    QTest::addColumn<QString>("afterLeaving");
    QTest::addColumn<double>("stored");
    QTest::newRow("3") << 0 << u"3"_s << u"3"_s << u"3.00"_s << 3.0;
    QTest::newRow("1.235 rounds up") << verticalBox(1) << u"1.235"_s << u"1.235"_s << u"1.24"_s << 1.24;
    QTest::newRow("2.675 rounds up") << horizontalBox(1) << u"2.675"_s << u"2.675"_s << u"2.68"_s << 2.68;
    QTest::newRow("1.005 rounds up") << 1 << u"1.005"_s << u"1.005"_s << u"1.01"_s << 1.01;
    QTest::newRow("-0.125 away from zero") << InnerWaterLevelBox << u"-0.125"_s << u"-0.125"_s << u"-0.13"_s << -0.13;
    QTest::newRow("1.234 rounds down") << verticalBox(6) << u"1.234"_s << u"1.234"_s << u"1.23"_s << 1.23;
    QTest::newRow("lone minus") << OuterWaterLevelBox << u"-"_s << u"-"_s << u"0.00"_s << 0.0;
    QTest::newRow("5.") << horizontalBox(6) << u"5."_s << u"5."_s << u"5.00"_s << 5.0;
}

void TestEntry::leavingRounds()
{
    QFETCH(int, box);
    QFETCH(QString, keys);
    QFETCH(QString, whileTyping);
    QFETCH(QString, afterLeaving);
    QFETCH(double, stored);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(tabOfBox(box));
    typeInto(numberBox(form, box), keys);
    QCOMPARE(numberBox(form, box)->text(), whileTyping);
    QVERIFY(isNear(numberField(recordOf(form), box), leadingNumber(whileTyping)));

    pressEnter(numberBox(form, box));  // leaves the box
    QCOMPARE(numberBox(form, box)->text(), afterLeaving);
    QVERIFY2(isNear(numberField(recordOf(form), box), stored),
             qPrintable(QString::number(numberField(recordOf(form), box), 'g', 17)));
    QVERIFY(dialogs.asked().isEmpty());
}

void TestEntry::namesTrimmed_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("stored");
    QTest::newRow("member name") << 0 << u"  門柱 "_s << u"門柱"_s;
    QTest::newRow("water level name") << 4 << u" 外水位"_s << u"外水位"_s;
    QTest::newRow("vertical place, inner blank kept") << FirstVerticalPileName << u"上流 側  "_s << u"上流 側"_s;
    QTest::newRow("horizontal place") << FirstHorizontalPileName + 6 << u"  右岸"_s << u"右岸"_s;
}

void TestEntry::namesTrimmed()
{
    QFETCH(int, box);
    QFETCH(QString, keys);
    QFETCH(QString, stored);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(tabOfName(box));
    QTemporaryDir folder;
    saveStudyInto(form, dialogs, folder);
    QVERIFY(isSaved(form));
    typeInto(nameBox(form, box), keys);
    QVERIFY(!isSaved(form));
    QCOMPARE(recordOf(form).names[box], stored);
}

void TestEntry::nameLength()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    typeInto(nameBox(form, 1), u"一二三四五六七八九十十一"_s);
    QCOMPARE(nameBox(form, 1)->text(), u"一二三四五六七八九十"_s);

    // Composed Japanese text is held to the same length.
    typeInto(nameBox(form, 2), u"樋門"_s);
    QInputMethodEvent composed;
    composed.setCommitString(u"本体部分の下流側の壁"_s);
    QCoreApplication::sendEvent(nameBox(form, 2), &composed);
    QCOMPARE(nameBox(form, 2)->text(), u"樋門本体部分の下流側"_s);

    // The program's own writes are never cut: a study file's name.
    QTemporaryDir folder;
    StudyFileContent content;
    content.names[3] = u"とても長い水位の名前です"_s;
    content.methodCode = 20000;  // Lane, no class
    QVERIFY(!writeStudyFile(folder.filePath(u"long.vek"_s), content));
    dialogs.answer(Reply::Yes);  // the typed names are given up
    dialogs.answerFile(folder.filePath(u"long.vek"_s));
    action(form, "openAction")->trigger();
    QCOMPARE(nameBox(form, 3)->text(), u"とても長い水位の名前です"_s);
}

void TestEntry::pastedText_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QList<AskedDialog>>("messages");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("keys");  // Ctrl+V from the clipboard, or an insert as the menu's paste makes
    const QList<AskedDialog> none;
    QTest::newRow("letters dropped") << 0 << u"3abc"_s << 3.0 << none << u"3"_s << false;
    QTest::newRow("negative length refused") << verticalBox(0) << u"-5"_s << 0.0 << QList{MessageA} << QString() << false;
    QTest::newRow("Ctrl+V, full-width negative refused") << verticalBox(0) << u"－５"_s << 0.0 << QList{MessageA} << QString() << true;
    // Cut to the box's seven characters, as typing would stop.
    QTest::newRow("long water level") << OuterWaterLevelBox << u"-12.3456789"_s << -12.345 << none << u"-12.345"_s << false;
    QTest::newRow("Ctrl+V, a spreadsheet's cell") << 1 << u"12.5\r\n"_s << 12.5 << none << u"12.5"_s << true;
    QTest::newRow("Ctrl+V, a level with its unit") << OuterWaterLevelBox << u"-3.5 m"_s << -3.5 << none << u"-3.5"_s << true;
    QTest::newRow("Ctrl+V, thousands") << 2 << u"1,234"_s << 0.0 << QList{MessageA} << QString() << true;
}

// A paste, by the menu or Ctrl+V, keeps what typing could have entered; the
// range check holds.
void TestEntry::pastedText()
{
    QFETCH(int, box);
    QFETCH(QString, pasted);
    QFETCH(double, stored);
    QFETCH(QList<AskedDialog>, messages);
    QFETCH(QString, shown);
    QFETCH(bool, keys);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(tabOfBox(box));
    dialogs.answer(Reply::Ok, int(messages.size()));
    numberBox(form, box)->setFocus();
    if (keys) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(numberBox(form, box), Qt::Key_V, Qt::ControlModifier);
    } else {
        numberBox(form, box)->insert(pasted);  // replaces the selected text, as a paste does
    }
    QCOMPARE(dialogs.asked(), messages);
    QCOMPARE(numberBox(form, box)->text(), shown);
    QVERIFY(isNear(numberField(recordOf(form), box), stored));
}

void TestEntry::textBroughtIn_data()
{
    QTest::addColumn<bool>("name");  // nameBox(index), or numberBox(index), all on the first tab
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("before");  // written by the program, the caret at `caret`
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("brought");
    QTest::addColumn<QString>("shown");
    const QString ten = u"一二三四五六七八九十"_s;
    QTest::newRow("name, Ctrl+V past ten") << true << 1 << u"keys"_s << QString() << 0 << ten + u"十一"_s << ten;
    QTest::newRow("name, menu paste into the middle")
        << true << 2 << u"menu"_s << u"樋門樋門"_s << 2 << u"12345678"_s << u"樋門123456樋門"_s;
    QTest::newRow("name, text dropped at the front") << true << 3 << u"drop"_s << u"abcdefgh"_s << 8 << u"XYZ"_s
                                                     << u"XYabcdefgh"_s;
    QTest::newRow("name longer than ten, nothing added")
        << true << 4 << u"keys"_s << u"とても長い水位の名前です"_s << 12 << u"ab"_s << u"とても長い水位の名前です"_s;
    QTest::newRow("dimension, menu paste of eight") << false << 0 << u"menu"_s << QString() << 0 << u"1.234567"_s
                                                   << u"1.2345"_s;
    QTest::newRow("water level, dropped") << false << 3 << u"drop"_s << QString() << 0 << u"-12.3456789"_s
                                          << u"-12.345"_s;
    QTest::newRow("dimension, pasted letters dropped") << false << 1 << u"menu"_s << u"1"_s << 1 << u"2abcdefg"_s
                                                       << u"12"_s;
}

// Every way text comes in holds to the box's longest text; the box's check
// sees only what it keeps. (The input method: nameLength.)
void TestEntry::textBroughtIn()
{
    QFETCH(bool, name);
    QFETCH(int, index);
    QFETCH(QString, way);
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, brought);
    QFETCH(QString, shown);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    QLineEdit *edit = name ? nameBox(form, index) : numberBox(form, index);
    edit->setFocus();
    edit->setText(before);
    edit->setCursorPosition(caret);
    QGuiApplication::clipboard()->setText(brought);
    if (way == u"keys"_s) {
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    } else if (way == u"menu"_s) {
        // The menu's paste is the entry that shows the paste keys.
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        const QString keys = u"\t"_s + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        const QList<QAction *> actions = menu->actions();
        const auto paste = std::find_if(actions.begin(), actions.end(),
                                        [&keys](const QAction *action) { return action->text().endsWith(keys); });
        QVERIFY(paste != actions.end());
        (*paste)->trigger();
    } else {
        QMimeData data;
        data.setText(brought);
        const QPoint at(1, edit->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &drop);
    }
    QCOMPARE(edit->text(), shown);
    if (!name)
        QVERIFY(isNear(numberField(recordOf(form), index), leadingNumber(shown)));
    QVERIFY(dialogs.asked().isEmpty());
}

void TestEntry::pasteCut_data()
{
    QTest::addColumn<int>("longest");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("caretAfter");
    QTest::newRow("the text around the caret repeated") << 3 << u"ab"_s << 1 << u"ba"_s << u"abb"_s << 2;
    QTest::newRow("no room left, the same characters around") << 3 << u"111"_s << 1 << u"1"_s << u"111"_s << 1;
    QTest::newRow("cut in the middle") << 5 << u"abc"_s << 1 << u"xyz"_s << u"axybc"_s << 3;
}

// The cut on a box of its own: what typing at the caret could have entered,
// the caret after it.
void TestEntry::pasteCut()
{
    QFETCH(int, longest);
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, pasted);
    QLineEdit box;
    new BroughtInText(&box, longest);
    box.setText(before);
    box.setCursorPosition(caret);
    box.insert(pasted);
    QTEST(box.text(), "shown");
    QTEST(box.cursorPosition(), "caretAfter");
}

void TestEntry::copyKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("a dimension") << u"numberBox(0)"_s << u"2.50"_s;
    QTest::newRow("the read-only ratio") << u"numberBox(5)"_s << u"8.5"_s;
    QTest::newRow("a name") << u"nameBox(3)"_s << u"外水位"_s;
}

// Ctrl+C copies what is selected in any box.
void TestEntry::copyKeys()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    auto *edit = form.findChild<QLineEdit *>(box);
    QVERIFY(edit);
    edit->setFocus();
    if (!edit->isReadOnly())
        edit->setText(text);
    edit->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    QCOMPARE(edit->text(), text);
}

// The window shows what the formula and the class give (their rules: test_study).
void TestEntry::formulaAndClass()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    for (Formula formula : {Formula::Bligh, Formula::Lane}) {
        clickButton(formulaButton(form, formula));
        QCOMPARE(soilClassList(form)->count(), qsizetype(soilClasses(formula).size()));
        QCOMPARE(soilClassList(form)->item(1)->text(), u"細　砂"_s);
        QCOMPARE(numberBox(form, CreepRatioBox)->text(), emptyRatioText(formula));
        QCOMPARE(label(form, u"creepRatioCaption"_s)->text(), ratioCaption(formula));
        QCOMPARE(label(form, u"formulaNumeratorLabel"_s)->text(), numeratorCaption(formula));
        for (Section section : Sections)
            QCOMPARE(resultLine(form, section).numerator->text(), numeratorCaption(formula));
        clickListRow(soilClassList(form), 2);
        QCOMPARE(numberBox(form, CreepRatioBox)->text(), QString::fromUtf16(soilClasses(formula)[2].ratioText));
        QVERIFY(numberBox(form, CreepRatioBox)->isReadOnly());
    }
    QVERIFY(dialogs.asked().isEmpty());
}

void TestEntry::sameFormulaClickChangesNothing()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    clickListRow(soilClassList(form), 4);
    QTemporaryDir folder;
    saveStudyInto(form, dialogs, folder);
    clickButton(formulaButton(form, Formula::Lane));  // Lane is already chosen
    QCOMPARE(studyOf(form).soilClass, 4);
    QCOMPARE(numberBox(form, CreepRatioBox)->text(), u"4.0"_s);
    QVERIFY(isSaved(form));
}

void TestEntry::totals_data()
{
    QTest::addColumn<QStringList>("values");  // numberBox(0..4)
    QTest::addColumn<PileTexts>("lengths");
    QTest::addColumn<QList<int>>("singleVertical");
    QTest::addColumn<QList<int>>("singleHorizontal");
    QTest::addColumn<QStringList>("totals");       // L, ΔH, vertical and horizontal ΣL
    QTest::addColumn<QString>("firstPileEmptied");  // its section's ΣL once the first pile is emptied
    const QStringList level{u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"0"_s};
    QTest::newRow("L of 1.25, 1.25, 0.5") << QStringList{u"1.25"_s, u"1.25"_s, u"0.5"_s, u"0"_s, u"0"_s}
                                          << PileTexts{} << QList<int>{} << QList<int>{}
                                          << QStringList{u"3.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s} << QString();
    QTest::newRow("negative head difference") << QStringList{u"0"_s, u"0"_s, u"0"_s, u"2.5"_s, u"4"_s}
                                              << PileTexts{} << QList<int>{} << QList<int>{}
                                              << QStringList{u"0.00"_s, u"-1.50"_s, u"0.00"_s, u"0.00"_s} << QString();
    QTest::newRow("3 and 1.5, row 1 single") << level << PileTexts{{verticalBox(0), u"3"_s}, {verticalBox(1), u"1.5"_s}}
                                             << QList<int>{1} << QList<int>{}
                                             << QStringList{u"0.00"_s, u"1.00"_s, u"7.50"_s, u"0.00"_s} << u"1.50"_s;
    QTest::newRow("both sections") << level << PileTexts{{verticalBox(6), u"0.25"_s}, {horizontalBox(0), u"10"_s}, {horizontalBox(6), u"0.125"_s}}
                                   << QList<int>{} << QList<int>{6}
                                   << QStringList{u"0.00"_s, u"1.00"_s, u"0.50"_s, u"20.13"_s} << u"0.00"_s;
}

// The four totals follow each keystroke and each tick.
void TestEntry::totals()
{
    QFETCH(QStringList, values);
    QFETCH(PileTexts, lengths);
    QFETCH(QList<int>, singleVertical);
    QFETCH(QList<int>, singleHorizontal);
    QFETCH(QStringList, totals);
    QFETCH(QString, firstPileEmptied);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    for (int i = 0; i < 5; ++i)
        typeInto(numberBox(form, i), values[i]);
    if (!lengths.isEmpty()) {
        selectSoilClass(form, 0);  // the piles' tabs are reached with a creep ratio
        for (auto it = lengths.cbegin(); it != lengths.cend(); ++it) {
            tabs(form)->setCurrentIndex(tabOfBox(it.key()));
            typeInto(numberBox(form, it.key()), it.value());
        }
        tabs(form)->setCurrentIndex(1);
        for (int row : singleVertical)
            QTest::mouseClick(doubleTick(form, Section::Vertical, row), Qt::LeftButton);
        tabs(form)->setCurrentIndex(2);
        for (int row : singleHorizontal)
            QTest::mouseClick(doubleTick(form, Section::Horizontal, row), Qt::LeftButton);
    }
    for (int i = 0; i < 4; ++i)
        QCOMPARE(totalLabels(form)[i]->text(), totals[i]);
    for (int row : singleVertical)
        QCOMPARE(recordOf(form).doubleFlags[doubleFlagIndex(Section::Vertical, row)], 0);
    for (int row : singleHorizontal)
        QCOMPARE(recordOf(form).doubleFlags[doubleFlagIndex(Section::Horizontal, row)], 0);

    // Emptying a length counts its row as 0 at once, without a message.
    if (!lengths.isEmpty()) {
        const int box = lengths.firstKey();
        tabs(form)->setCurrentIndex(tabOfBox(box));
        numberBox(form, box)->setFocus();
        QTest::keyClick(numberBox(form, box), Qt::Key_Delete);  // the whole text is selected
        QCOMPARE(numberBox(form, box)->text(), QString());
        QCOMPARE(numberField(recordOf(form), box), 0.0);
        QCOMPARE(totalLabels(form)[tabOfBox(box) + 1]->text(), firstPileEmptied);
    }
    QVERIFY(dialogs.asked().isEmpty());
}

void TestEntry::workedExamples_data()
{
    QTest::addColumn<bool>("bligh");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<QString>("typedRatio");
    QTest::addColumn<QStringList>("values");   // numberBox(0..4)
    QTest::addColumn<QStringList>("piles");    // lengths of rows 0, 1, ...
    QTest::addColumn<QList<int>>("untick");    // rows counted once
    QTest::addColumn<QStringList>("expected"); // numerator, denominator, R, S, Q, V

    // How the ratio rounds is the check's, tested there; here what typing gives.
    const QStringList example{u"3"_s, u"2"_s, u"1"_s, u"3"_s, u"1"_s};
    const QStringList piles{u"3"_s, u"1.5"_s};
    QTest::newRow("Lane 8.5: NG") << false << 0 << QString() << example << piles << QList<int>{}
                                  << QStringList{u"2.00＋9.00"_s, u"2.00"_s, u"5.50"_s, u"＜"_s, u"8.50"_s, u"･･･ ＮＧ"_s};
    QTest::newRow("Bligh 4: OK") << true << 4 << QString() << example << piles << QList<int>{}
                                 << QStringList{u"6.00＋9.00"_s, u"2.00"_s, u"7.50"_s, u"≧"_s, u"4"_s, u"･･･ ＯＫ"_s};
    QTest::newRow("Bligh ranged 7.4 is not 7")
        << true << 3 << u"7.4"_s << QStringList{u"0"_s, u"0"_s, u"0"_s, u"2"_s, u"0"_s}
        << QStringList{u"7.2"_s} << QList<int>{}
        << QStringList{u"0.00＋14.40"_s, u"2.00"_s, u"7.20"_s, u"＜"_s, u"7.40"_s, u"･･･ ＮＧ"_s};
    QTest::newRow("Lane 3.0, soft clay, mixed ticks")
        << false << 8 << QString() << QStringList{u"4.5"_s, u"3"_s, u"1.5"_s, u"10.25"_s, u"8.75"_s}
        << QStringList{u"1"_s, u"2"_s, u"0.5"_s} << QList<int>{1}
        << QStringList{u"3.00＋5.00"_s, u"1.50"_s, u"5.33"_s, u"≧"_s, u"3.00"_s, u"･･･ ＯＫ"_s};
}

// Typed as a user would, checked on tab 1 and then on tab 2 with the same piles.
void TestEntry::workedExamples()
{
    QFETCH(bool, bligh);
    QFETCH(int, soilClass);
    QFETCH(QString, typedRatio);
    QFETCH(QStringList, values);
    QFETCH(QStringList, piles);
    QFETCH(QList<int>, untick);
    QFETCH(QStringList, expected);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));

    fillFirstTabAndGoOn(form, dialogs, bligh, soilClass, typedRatio, values);
    QCOMPARE(tabs(form)->currentIndex(), 1);

    for (Section section : {Section::Vertical, Section::Horizontal}) {
        for (int row = 0; row < piles.size(); ++row)
            typeInto(numberBox(form, pileBox(section, row)), piles[row]);
        for (int row : untick)
            QTest::mouseClick(doubleTick(form, section, row), Qt::LeftButton);
        clickButton(showResultButton(form, section));
        const ResultLine &line = resultLine(form, section);
        const QLabel *written[] = {line.numerator, line.denominator, line.provided, line.sign, line.required, line.verdict};
        for (int r = 0; r < 6; ++r)
            QCOMPARE(written[r]->text(), expected[r]);
        for (QLabel *label : line.answer())
            QVERIFY(label->isVisible());
        if (section == Section::Vertical)
            clickButton(button(form, "toHorizontalButton"));
    }
    // The vertical result is still shown beside the horizontal one.
    QVERIFY(!resultLine(form, Section::Vertical).verdict->isHidden());
    QCOMPARE(dialogs.unanswered(), 0);
}

// A change to what a section's check reads (sectionInputsDiffer) hides its
// result line, which shows the formula's captions again: here Bligh chosen.
void TestEntry::whatHidesResults()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    for (Section section : Sections) {
        tabs(form)->setCurrentIndex(MainWindow::tabOf(section));
        typeInto(numberBox(form, pileBox(section, 0)), u"3"_s);
        clickButton(showResultButton(form, section));
        QCOMPARE(resultLine(form, section).provided->text(), u"3.00"_s);  // (0 + 2 x 3) / 2
    }
    tabs(form)->setCurrentIndex(MainWindow::MethodTab);
    clickButton(formulaButton(form, Formula::Bligh));
    for (Section section : Sections) {
        for (QLabel *label : resultLine(form, section).answer())
            QVERIFY(label->isHidden());
        QCOMPARE(resultLine(form, section).numerator->text(), u"Ｌ + ΣL"_s);
        QCOMPARE(resultLine(form, section).denominator->text(), u"⊿H"_s);
    }
}

QTEST_MAIN(TestEntry)
#include "test_entry.moc"
