// The main window as a shell: load state, menus and shortcuts, New, Clear,
// Exit, the checks made when the first tab is left, tab stops.

#include "app/form4.h"
#include "form4testing.h"
#include "scripteddialogs.h"
#include "study/studyrecord.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>

using namespace talven;
using namespace Qt::StringLiterals;

namespace {

const QString LeaveFirstTabHead = QStringLiteral("水位差が０以下の場合は計算できません");
const QString LeaveFirstTabRatio = QStringLiteral("使用する計算式と\r\nクリープ比を指定してください");
const QString LeaveFirstTabBoth = QStringLiteral(
    "水位差が０以下の場合は計算できません\r\nまた、使用する計算式とクリープ比を指定してください");
const QString FaultyCaption = QStringLiteral("タルヴェン・データに不備があります");
const QString MissingCaption = QStringLiteral("タルヴェン・データの不足です");
const AskedDialog LoseWorkNew{QStringLiteral("作業中のデータは全て失われますがいいですか？"), 36,
                              QStringLiteral("タルヴェン・新規作成")};
const AskedDialog LoseWorkOpen{LoseWorkNew.prompt, 36, QStringLiteral("タルヴェン・開く")};
const AskedDialog ClearQuestion{QStringLiteral("名称以外は全て消去されますがいいですか？"), 36,
                                QStringLiteral("タルヴェン・数値のクリア")};
const AskedDialog ExitQuestion{QStringLiteral("プログラムを終了しますか？"), 36,
                               QStringLiteral("タルヴェン・終了")};
const AskedDialog NoReport{QStringLiteral("水位データおよび\r\nクリープ比の選択を確認してください"), 16,
                           QStringLiteral("タルヴェン・帳票作成できません")};

// Lane, first class (C' = 8.5), water levels 3 and 1: the first tab can be left.
void MakeReady(Form4 &form)
{
    form.SetListIndex(0);
    form.Text1(3)->setText(QStringLiteral("3"));
    form.Text1(4)->setText(QStringLiteral("1"));
}

}  // namespace

class TestForm4 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadState();
    void boxColours_data();
    void boxColours();
    void captions_data();
    void captions();
    void menus_data();
    void menus();
    void clientArea();
    void nothingClipped_data();
    void nothingClipped();
    void newCommand_data();
    void newCommand();
    void clearKeepsNames_data();
    void clearKeepsNames();
    void exitAnswerNo_data();
    void exitAnswerNo();
    void leavingFirstTab_data();
    void leavingFirstTab();
    void laterTabsNeverChecked_data();
    void laterTabsNeverChecked();
    void navigationButtons_data();
    void navigationButtons();
    void referenceSigmaL_data();
    void referenceSigmaL();
    void fileShortcutsInBoxes_data();
    void fileShortcutsInBoxes();
    void reportNotReady_data();
    void reportNotReady();
    void saveAndOpenMarkSaved();
    void tabStopsOnTab1();
    // Last: it runs the event loop until the program ends.
    void exitAnswerYes();
};

void TestForm4::loadState()
{
    ScriptedDialogs dialogs;
    Form4 form;
    const StudyRecord &record = Study();

    QCOMPARE(form.windowTitle(), QStringLiteral("タルヴェン"));
    QCOMPARE(form.SSTab1()->currentIndex(), 0);
    QVERIFY(record.Saved);
    for (int i = 0; i < 20; ++i) {
        const QString expected = i == 5 ? QStringLiteral("0.0") : QStringLiteral("0.00");
        QVERIFY2(form.Text1(i)->text() == expected, qPrintable(form.Text1(i)->objectName()));
    }
    for (int i = 0; i < 19; ++i) {
        QVERIFY2(form.Text2(i)->text().isEmpty(), qPrintable(form.Text2(i)->objectName()));
        QVERIFY(record.Names[i].isEmpty());
    }
    for (int i = 0; i < 7; ++i) {
        QVERIFY(form.Check1(i)->isChecked());
        QVERIFY(form.Check2(i)->isChecked());
    }
    for (int flag : record.DoubleFlags)
        QCOMPARE(flag, 1);
    for (double v : record.BaseValues)
        QCOMPARE(v, 0.0);
    QCOMPARE(record.CreepRatio, 0.0);
    QVERIFY(!form.Option1(0)->isChecked());
    QVERIFY(form.Option1(1)->isChecked());
    QCOMPARE(form.List1()->count(), 11);
    QCOMPARE(form.List1()->item(0)->text(), QStringLiteral("極めて細かい砂またはシルト"));
    QCOMPARE(form.ListIndex(), -1);
    QVERIFY(form.Text1(5)->isReadOnly());
    for (int i = 0; i < 4; ++i)
        QCOMPARE(form.Label2(i)->text(), QStringLiteral("0.00"));
    QCOMPARE(form.Label24()->text(), QStringLiteral("---"));
    QCOMPARE(form.Label25()->text(), QStringLiteral("---"));
    QCOMPARE(form.Label12()->text(), QStringLiteral("Ｌ / 3 +ΣL"));
    QCOMPARE(form.Label8(0)->text(), QStringLiteral("加重クリープ比"));
    for (int k = 5; k < 10; ++k) {
        QVERIFY(form.Label3(k)->isHidden());
        QVERIFY(form.Label4(k)->isHidden());
    }
    QCOMPARE(form.Label3(3)->text(), QStringLiteral("Ｌ / 3 +ΣL"));
    QCOMPARE(form.Label4(4)->text(), QStringLiteral("⊿H"));
    QVERIFY(dialogs.Asked().isEmpty());
}

void TestForm4::boxColours_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QColor>("colour");
    const QColor red(255, 192, 192);
    const QColor cyan(192, 255, 255);
    for (int i : {0, 1, 2, 6, 9, 12})
        QTest::addRow("Text1(%d) light red", i) << i << red;
    for (int i : {3, 4, 13, 16, 19})
        QTest::addRow("Text1(%d) light cyan", i) << i << cyan;
}

void TestForm4::boxColours()
{
    QFETCH(int, box);
    QFETCH(QColor, colour);
    ScriptedDialogs dialogs;
    Form4 form;
    QCOMPARE(form.Text1(box)->palette().color(QPalette::Base), colour);
    QVERIFY(form.Text1(5)->palette().color(QPalette::Base) != colour);
}

void TestForm4::captions_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char *name, const char16_t *caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf16(caption);
    };
    row("Command3(0)", u"次へ");
    row("Command3(1)", u"次へ");
    row("Command3(2)", u"前へ");
    row("Command3(3)", u"前へ");
    row("Command3(4)", u"ﾌﾟﾚﾋﾞｭｰ");
    row("Command3(5)", u"計算結果を見る");
    row("Command3(6)", u"計算結果を見る");
    row("Option1(0)", u"ブライの式");
    row("Option1(1)", u"レインの式");
    row("Frame3(0)", u"検討に使う計算式");
    row("Frame1(0)", u"形状寸法");
    row("Frame2(0)", u"水位差");
    row("Frame3(1)", u"遮水矢板の打設長");
    row("Frame3(2)", u"遮水矢板の打設範囲");
    row("Label5", u"形状寸法・水位差(樋門の例)");
    row("Label6(0)", u"鉛直方向の浸透経路長(樋門の例)");
    row("Label6(1)", u"水平方向の浸透経路長(樋門の例)");
    row("Label26", u"ΣL の参考値");
    row("Label27", u"ΣL の参考値");
    row("Label28", u"×2");
    row("Label14", u"×2");
    row("Label3(0)", u"■加重クリープ比");
    row("Label3(10)", u"■加重クリープ比");
    row("Label3(1)", u"Ｃ´ ＝");
    row("Label4(1)", u"Ｃ´ ＝");
}

void TestForm4::captions()
{
    QFETCH(QString, object);
    QFETCH(QString, caption);
    ScriptedDialogs dialogs;
    Form4 form;
    QObject *control = form.findChild<QObject *>(object);
    QVERIFY2(control, qPrintable(object));
    const QString shown = control->property("text").isValid() ? control->property("text").toString()
                                                              : control->property("title").toString();
    QCOMPARE(shown, caption);
}

void TestForm4::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    const QString file = QStringLiteral("ファイル(&F)");
    const QString edit = QStringLiteral("編集(&E)");
    const QString help = QStringLiteral("ヘルプ(&H)");
    QTest::newRow("m11(1)") << file << 0 << QStringLiteral("新規作成(&N)") << QKeySequence(QStringLiteral("Ctrl+N"));
    QTest::newRow("m11(2)") << file << 1 << QString() << QKeySequence();
    QTest::newRow("m11(3)") << file << 2 << QStringLiteral("開く(&O)") << QKeySequence(QStringLiteral("Ctrl+O"));
    QTest::newRow("m11(4)") << file << 3 << QStringLiteral("保存(&S)") << QKeySequence(QStringLiteral("Ctrl+S"));
    QTest::newRow("m11(5)") << file << 4 << QString() << QKeySequence();
    QTest::newRow("m11(6)") << file << 5 << QStringLiteral("印刷プレビュー(&V)") << QKeySequence();
    QTest::newRow("m11(7)") << file << 6 << QStringLiteral("印刷(&P)") << QKeySequence(QStringLiteral("Ctrl+P"));
    QTest::newRow("m11(8)") << file << 7 << QString() << QKeySequence();
    QTest::newRow("m11(9)") << file << 8 << QStringLiteral("終了(&X)") << QKeySequence(QStringLiteral("Ctrl+X"));
    QTest::newRow("m21") << edit << 0 << QStringLiteral("数値のみクリア(&Q)") << QKeySequence();
    QTest::newRow("m41(0)") << help << 0 << QStringLiteral("ヘルプ(&H)") << QKeySequence();
    QTest::newRow("m41(1)") << help << 1 << QString() << QKeySequence();
    QTest::newRow("m41(2)") << help << 2 << QStringLiteral("バージョン情報(&A)") << QKeySequence();
}

void TestForm4::menus()
{
    QFETCH(QString, menu);
    QFETCH(int, position);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    ScriptedDialogs dialogs;
    Form4 form;
    QStringList menuCaptions;
    QAction *found = nullptr;
    for (QAction *top : form.menuBar()->actions()) {
        menuCaptions << top->text();
        if (top->text() == menu)
            found = top->menu()->actions().value(position);
    }
    QCOMPARE(menuCaptions, QStringList({QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                                        QStringLiteral("ヘルプ(&H)")}));
    QVERIFY(found);
    QCOMPARE(found->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(found->isSeparator(), caption.isEmpty());
    if (!caption.isEmpty())
        QCOMPARE(found->text(), caption);
    QCOMPARE(found->shortcut(), shortcut);
}

void TestForm4::clientArea()
{
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    const double dpi = form.logicalDpiX();
    const QWidget *client = form.centralWidget();
    // 10080 x 7260 twips; a larger font may only ever make it bigger.
    QVERIFY2(client->width() >= qRound(10080 * dpi / 1440) - 1, qPrintable(QString::number(client->width())));
    QVERIFY2(client->height() >= qRound(7260 * dpi / 1440) - 1, qPrintable(QString::number(client->height())));
}

void TestForm4::nothingClipped_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("tab 0") << 0;
    QTest::newRow("tab 1") << 1;
    QTest::newRow("tab 2") << 2;
}

// Every caption, button and box of a tab gets at least the room it asks for.
void TestForm4::nothingClipped()
{
    QFETCH(int, tab);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    MakeReady(form);
    form.SSTab1()->setCurrentIndex(tab);
    form.CheckVertical();
    form.CheckHorizontal();
    QCoreApplication::processEvents();
    QWidget *page = form.SSTab1()->currentWidget();
    const QList<QWidget *> widgets = page->findChildren<QWidget *>();
    int looked = 0;
    for (QWidget *widget : widgets) {
        if (!widget->isVisible() || !(qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)
                                      || qobject_cast<QLineEdit *>(widget)))
            continue;
        ++looked;
        const QSize need = widget->minimumSizeHint();
        QVERIFY2(widget->width() >= need.width() && widget->height() >= need.height(),
                 qPrintable(QStringLiteral("%1 \"%2\" is %3x%4, needs %5x%6")
                                .arg(widget->objectName(), widget->property("text").toString())
                                .arg(widget->width()).arg(widget->height())
                                .arg(need.width()).arg(need.height())));
        QVERIFY2(page->rect().contains(QRect(widget->mapTo(page, QPoint(0, 0)), widget->size())),
                 qPrintable(widget->objectName() + QStringLiteral(" reaches out of its tab")));
    }
    QVERIFY(looked > 20);
}

void TestForm4::newCommand_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("answer");  // 0: no question expected
    QTest::addColumn<bool>("reset");
    QTest::newRow("right after start-up") << false << 0 << true;
    QTest::newRow("after an edit, Yes") << true << int(MsgBoxYes) << true;
    QTest::newRow("after an edit, No") << true << int(MsgBoxNo) << false;
}

void TestForm4::newCommand()
{
    QFETCH(bool, edit);
    QFETCH(int, answer);
    QFETCH(bool, reset);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    if (edit) {
        MakeReady(form);
        TypeInto(form.Text2(0), QStringLiteral("門柱"));
        TypeInto(form.Text1(0), QStringLiteral("2.5"));
        form.SSTab1()->setCurrentIndex(1);
        TypeInto(form.Text1(6), QStringLiteral("4"));
        QTest::mouseClick(form.Check1(2), Qt::LeftButton);
        QVERIFY(!Study().Saved);
    }
    if (answer)
        dialogs.Answer(answer);
    form.m11(1)->trigger();
    if (answer)
        QCOMPARE(dialogs.Asked(), QList<AskedDialog>{LoseWorkNew});
    else
        QVERIFY(dialogs.Asked().isEmpty());
    if (reset) {
        QCOMPARE(form.SSTab1()->currentIndex(), 0);
        QCOMPARE(form.Text1(0)->text(), QStringLiteral("0.00"));
        QCOMPARE(form.Text1(5)->text(), QStringLiteral("0.0"));
        QCOMPARE(form.Text2(0)->text(), QString());
        QVERIFY(form.Check1(2)->isChecked());
        QCOMPARE(form.ListIndex(), -1);
        QCOMPARE(Study().VerticalLengths[0], 0.0);
        QCOMPARE(Study().Names[0], QString());
        QCOMPARE(Study().MethodCode, 0.0);
        QVERIFY(Study().Saved);
        if (edit)
            QCOMPARE(FocusedWidget(), form.Text1(0));  // tab 0 was selected again
    } else {
        QCOMPARE(form.SSTab1()->currentIndex(), 1);
        QCOMPARE(form.Text1(0)->text(), QStringLiteral("2.50"));
        QCOMPARE(form.Text1(6)->text(), QStringLiteral("4.00"));
        QCOMPARE(form.Text2(0)->text(), QStringLiteral("門柱"));
        QCOMPARE(form.ListIndex(), 0);
        QVERIFY(!form.Check1(2)->isChecked());
        QCOMPARE(Study().VerticalLengths[0], 4.0);
        QVERIFY(!Study().Saved);
    }
}

void TestForm4::clearKeepsNames_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(MsgBoxYes);
    QTest::newRow("No") << int(MsgBoxNo);
}

void TestForm4::clearKeepsNames()
{
    QFETCH(int, answer);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    for (int i = 0; i < 19; ++i)
        Study().Names[i] = QStringLiteral("名%1").arg(i);
    form.RefreshFields();
    ClickButton(form.Option1(0));  // Bligh
    form.SetListIndex(0);
    for (int i = 0; i < 20; ++i) {
        if (i != 5)
            form.Text1(i)->setText(QString::number(i % 9 + 1));
    }
    form.Check2(6)->setChecked(false);
    const StudyRecord before = Study();

    dialogs.Answer(answer);
    form.m21()->trigger();
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{ClearQuestion});
    if (answer == MsgBoxNo) {
        QVERIFY(Study() == before);
        QVERIFY(form.Option1(0)->isChecked());
        QCOMPARE(form.Text1(5)->text(), QStringLiteral("18"));
        QVERIFY(!form.Check2(6)->isChecked());
        return;
    }
    for (int i = 0; i < 19; ++i) {
        QCOMPARE(form.Text2(i)->text(), QStringLiteral("名%1").arg(i));
        QCOMPARE(Study().Names[i], QStringLiteral("名%1").arg(i));
    }
    for (int i = 0; i < 20; ++i) {
        if (i != 5)
            QCOMPARE(form.Text1(i)->text(), QStringLiteral("0.00"));
    }
    QCOMPARE(form.Text1(5)->text(), QStringLiteral("0.0"));
    QVERIFY(form.Option1(1)->isChecked());
    QCOMPARE(form.List1()->count(), 11);
    QCOMPARE(form.ListIndex(), -1);
    QVERIFY(form.Check2(6)->isChecked());
    QCOMPARE(Study().DoubleFlags[13], 1);
    QCOMPARE(Study().CreepRatio, 0.0);
    QVERIFY(Study().Saved);
}

void TestForm4::exitAnswerNo_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("File > Exit") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Ctrl+X in a number box") << 2;
    QTest::newRow("Ctrl+X in a name box") << 3;
}

// No leaves the window as it was, whatever is unsaved.
void TestForm4::exitAnswerNo()
{
    QFETCH(int, way);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    TypeInto(form.Text2(1), QStringLiteral("底版"));
    TypeInto(form.Text1(1), QStringLiteral("12.5"));
    QLineEdit *box = way == 3 ? form.Text2(1) : form.Text1(1);
    box->setFocus();
    box->selectAll();
    dialogs.Answer(MsgBoxNo);
    switch (way) {
    case 0:
        form.m11(9)->trigger();
        break;
    case 1:
        form.close();
        break;
    default:
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        break;
    }
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{ExitQuestion});
    QVERIFY(form.isVisible());
    // Only moving into the name box has rewritten the number with two decimals.
    QCOMPARE(form.Text1(1)->text(), way == 3 ? QStringLiteral("12.50") : QStringLiteral("12.5"));
    QCOMPARE(form.Text2(1)->text(), QStringLiteral("底版"));
    QCOMPARE(Study().BaseValues[1], 12.5);
    QVERIFY(!Study().Saved);
    if (way >= 2)
        QCOMPARE(FocusedWidget(), box);
}

void TestForm4::exitAnswerYes()
{
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    TypeInto(form.Text1(0), QStringLiteral("7"));
    dialogs.Answer(MsgBoxYes);
    QTimer::singleShot(0, &form, [&form] {
        QTest::keyClick(form.Text1(0), Qt::Key_X, Qt::ControlModifier);
    });
    // A guard so that a missing exit cannot hang the run.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    const int code = QCoreApplication::exec();
    QCOMPARE(code, 0);
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{ExitQuestion});
    QVERIFY(!form.isVisible());
}

void TestForm4::leavingFirstTab_data()
{
    QTest::addColumn<QString>("level1");
    QTest::addColumn<QString>("level2");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<int>("how");  // 0 "次へ", 1 the tab 1 header, 2 the tab 2 header
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("focus");
    QTest::newRow("equal levels, 次へ") << u"2"_s << u"2"_s << 0 << 0 << LeaveFirstTabHead << FaultyCaption << u"Text1(3)"_s;
    QTest::newRow("level 1 below, tab 2") << u"1"_s << u"2"_s << 3 << 2 << LeaveFirstTabHead << FaultyCaption << u"Text1(3)"_s;
    QTest::newRow("no class, 次へ") << u"3"_s << u"1"_s << -1 << 0 << LeaveFirstTabRatio << MissingCaption << u"Option1(1)"_s;
    QTest::newRow("no class, tab 1") << u"3"_s << u"1"_s << -1 << 1 << LeaveFirstTabRatio << MissingCaption << u"Option1(1)"_s;
    QTest::newRow("both, tab 1") << u"0"_s << u"0"_s << -1 << 1 << LeaveFirstTabBoth << FaultyCaption << u"Text1(3)"_s;
    QTest::newRow("both, 次へ") << u"-1"_s << u"0"_s << -1 << 0 << LeaveFirstTabBoth << FaultyCaption << u"Text1(3)"_s;
}

void TestForm4::leavingFirstTab()
{
    QFETCH(QString, level1);
    QFETCH(QString, level2);
    QFETCH(int, soilClass);
    QFETCH(int, how);
    QFETCH(QString, prompt);
    QFETCH(QString, caption);
    QFETCH(QString, focus);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    TypeInto(form.Text1(3), level1);
    TypeInto(form.Text1(4), level2);
    if (soilClass >= 0)
        ClickListRow(form.List1(), soilClass);
    dialogs.Answer(MsgBoxOk);
    if (how == 0)
        ClickButton(form.Command3(0));
    else
        form.SSTab1()->setCurrentIndex(how);
    QCOMPARE(dialogs.Asked(), (QList<AskedDialog>{{prompt, 16, caption}}));
    QCOMPARE(form.SSTab1()->currentIndex(), 0);
    QCOMPARE(NameOf(FocusedWidget()), focus);
    QCOMPARE(form.Label24()->text(), QStringLiteral("---"));
}

void TestForm4::laterTabsNeverChecked_data()
{
    QTest::addColumn<QList<int>>("moves");
    QTest::newRow("1 to 2") << QList<int>{2};
    QTest::newRow("1 to 2 to 1") << QList<int>{2, 1};
    QTest::newRow("1 to 0") << QList<int>{0};
    QTest::newRow("1 to 2 to 0") << QList<int>{2, 0};
}

void TestForm4::laterTabsNeverChecked()
{
    QFETCH(QList<int>, moves);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    MakeReady(form);
    form.SSTab1()->setCurrentIndex(1);
    QCOMPARE(form.SSTab1()->currentIndex(), 1);
    // Faulty data can only come from the first tab; written here by the program.
    form.Text1(4)->setText(QStringLiteral("5"));
    form.SetListIndex(-1);
    form.Text1(5)->setText(QStringLiteral("0.0"));
    QCOMPARE(Study().CreepRatio, 0.0);
    for (int tab : moves) {
        form.SSTab1()->setCurrentIndex(tab);
        QCOMPARE(form.SSTab1()->currentIndex(), tab);
    }
    QVERIFY(dialogs.Asked().isEmpty());
    const char *first[] = {"Text1(0)", "Text1(6)", "Text1(13)"};
    QCOMPARE(NameOf(FocusedWidget()), QString::fromLatin1(first[moves.last()]));
}

void TestForm4::navigationButtons_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("focus");
    QTest::newRow("次へ on tab 0") << 0 << 0 << 1 << u"Text1(6)"_s;
    QTest::newRow("次へ on tab 1") << 1 << 1 << 2 << u"Text1(13)"_s;
    QTest::newRow("前へ on tab 2") << 2 << 2 << 1 << u"Text1(6)"_s;
    QTest::newRow("前へ on tab 1") << 1 << 3 << 0 << u"Text1(0)"_s;
}

void TestForm4::navigationButtons()
{
    QFETCH(int, from);
    QFETCH(int, button);
    QFETCH(int, to);
    QFETCH(QString, focus);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    MakeReady(form);
    form.SSTab1()->setCurrentIndex(from);
    QVERIFY(form.Command3(button)->isVisible());
    ClickButton(form.Command3(button));
    QCOMPARE(form.SSTab1()->currentIndex(), to);
    QCOMPARE(NameOf(FocusedWidget()), focus);
    QVERIFY(dialogs.Asked().isEmpty());
}

void TestForm4::referenceSigmaL_data()
{
    QTest::addColumn<bool>("bligh");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<QString>("typedRatio");
    QTest::addColumn<QStringList>("values");  // three dimensions, two water levels
    QTest::addColumn<QString>("expected");
    const QStringList example{u"6"_s, u"3"_s, u"3"_s, u"3"_s, u"1"_s};
    QTest::newRow("Lane 8.5: 17 - 4") << false << 0 << QString() << example << u"13.00"_s;
    QTest::newRow("Bligh 9: 18 - 12") << true << 3 << u"9"_s << example << u"6.00"_s;
    QTest::newRow("Bligh 4: 8 - 12 is nothing missing") << true << 4 << QString() << example << u"0.00"_s;
    QTest::newRow("Lane 1.8, exactly enough") << false << 10 << QString()
                                              << QStringList{u"5.4"_s, u"0"_s, u"0"_s, u"1"_s, u"0"_s} << u"0.00"_s;
    QTest::newRow("Lane 2.5, a fraction") << false << 7 << QString()
                                          << QStringList{u"1"_s, u"0.5"_s, u"0"_s, u"2.25"_s, u"1"_s} << u"2.63"_s;
}

void TestForm4::referenceSigmaL()
{
    QFETCH(bool, bligh);
    QFETCH(int, soilClass);
    QFETCH(QString, typedRatio);
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    ScriptedDialogs dialogs;
    dialogs.CancelFileDialogs();
    Form4 form;
    QVERIFY(ShowActive(form));
    FillFirstTabAndGoOn(form, dialogs, bligh, soilClass, typedRatio, values);
    QCOMPARE(form.SSTab1()->currentIndex(), 1);
    QCOMPARE(form.Label24()->text(), expected);
    QCOMPARE(form.Label25()->text(), expected);
    QCOMPARE(dialogs.Unanswered(), 0);

    // New keeps them.
    dialogs.Answer(MsgBoxYes);
    form.m11(1)->trigger();
    QCOMPARE(form.Label24()->text(), expected);
}

void TestForm4::fileShortcutsInBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<AskedDialog>("asked");
    QTest::newRow("Ctrl+N in Text1(2)") << u"Text1(2)"_s << int(Qt::Key_N) << LoseWorkNew;
    QTest::newRow("Ctrl+O in Text2(0)") << u"Text2(0)"_s << int(Qt::Key_O) << LoseWorkOpen;
    QTest::newRow("Ctrl+P in Text1(4)") << u"Text1(4)"_s << int(Qt::Key_P) << NoReport;
    QTest::newRow("Ctrl+X in Text1(5)") << u"Text1(5)"_s << int(Qt::Key_X) << ExitQuestion;
    QTest::newRow("Ctrl+X in Text2(4)") << u"Text2(4)"_s << int(Qt::Key_X) << ExitQuestion;
}

// The File shortcuts run their commands with the cursor in a box, and the box
// keeps its text: no cut, no paste.
void TestForm4::fileShortcutsInBoxes()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(AskedDialog, asked);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    auto *target = form.findChild<QLineEdit *>(box);
    QVERIFY(target);
    target->setFocus();
    target->insert(QStringLiteral("3"));  // unsaved, and something to cut
    target->selectAll();
    const QString before = target->text();
    dialogs.Answer(asked.style == 36 ? MsgBoxNo : MsgBoxOk);
    QTest::keyClick(target, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{asked});
    QCOMPARE(target->text(), before);
    QVERIFY(form.isVisible());
}

void TestForm4::reportNotReady_data()
{
    QTest::addColumn<int>("command");  // m11 index
    QTest::addColumn<QString>("level1");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<bool>("refused");
    QTest::newRow("preview, equal levels") << 6 << u"0"_s << 0 << true;
    QTest::newRow("preview, no ratio") << 6 << u"2"_s << -1 << true;
    QTest::newRow("print, level 1 below") << 7 << u"-1"_s << 2 << true;
    QTest::newRow("print, no ratio") << 7 << u"5"_s << -1 << true;
    QTest::newRow("preview, ready") << 6 << u"0.01"_s << 5 << false;
    QTest::newRow("print, ready") << 7 << u"2"_s << 10 << false;
}

void TestForm4::reportNotReady()
{
    QFETCH(int, command);
    QFETCH(QString, level1);
    QFETCH(int, soilClass);
    QFETCH(bool, refused);
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    form.Text1(3)->setText(level1);
    if (soilClass >= 0)
        form.SetListIndex(soilClass);
    if (refused)
        dialogs.Answer(MsgBoxOk);
    else if (command == 7)
        dialogs.AnswerPrinter(false);
    form.m11(command)->trigger();
    if (refused)
        QCOMPARE(dialogs.Asked(), QList<AskedDialog>{NoReport});
    else
        QVERIFY(dialogs.Asked().isEmpty());
    QCOMPARE(form.SSTab1()->currentIndex(), 0);
}

void TestForm4::saveAndOpenMarkSaved()
{
    ScriptedDialogs dialogs;
    dialogs.CancelFileDialogs();
    Form4 form;
    QVERIFY(ShowActive(form));
    MakeReady(form);
    form.SSTab1()->setCurrentIndex(2);
    QVERIFY(!Study().Saved);

    // A cancelled save writes nothing, so New still asks.
    form.m11(4)->trigger();
    QVERIFY(!Study().Saved);
    QCOMPARE(form.SSTab1()->currentIndex(), 2);
    dialogs.Answer(MsgBoxYes);
    form.m11(1)->trigger();
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{LoseWorkNew});
    QCOMPARE(form.SSTab1()->currentIndex(), 0);
    dialogs.Forget();

    // Open asks when there is unsaved work; No changes nothing.
    TypeInto(form.Text1(0), QStringLiteral("4"));
    dialogs.Answer(MsgBoxNo);
    form.m11(3)->trigger();
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{LoseWorkOpen});
    QVERIFY(!Study().Saved);
    QCOMPARE(form.Text1(0)->text(), QStringLiteral("4"));

    // Yes, then Cancel: tab 0, and the work is still unsaved.
    dialogs.Forget();
    MakeReady(form);
    form.SSTab1()->setCurrentIndex(1);
    dialogs.Answer(MsgBoxYes);
    form.m11(3)->trigger();
    QCOMPARE(dialogs.Asked(), QList<AskedDialog>{LoseWorkOpen});
    QCOMPARE(form.SSTab1()->currentIndex(), 0);
    QVERIFY(!Study().Saved);
}

void TestForm4::tabStopsOnTab1()
{
    ScriptedDialogs dialogs;
    Form4 form;
    QVERIFY(ShowActive(form));
    MakeReady(form);
    form.SSTab1()->setCurrentIndex(1);
    QCOMPARE(FocusedWidget(), form.Text1(6));

    QSet<QWidget *> reached;
    for (int press = 0; press < 60; ++press) {
        QTest::keyClick(FocusedWidget(), Qt::Key_Tab);
        reached.insert(FocusedWidget());
    }
    for (int i = 0; i < 20; ++i) {
        const bool own = i >= 6 && i <= 12;
        QVERIFY2(reached.contains(form.Text1(i)) == own, qPrintable(form.Text1(i)->objectName()));
    }
    for (int i = 0; i < 19; ++i) {
        const bool own = i >= 5 && i <= 11;
        QVERIFY2(reached.contains(form.Text2(i)) == own, qPrintable(form.Text2(i)->objectName()));
    }
    // The boxes of the other tabs are out of the Tab order, and so are the formula buttons.
    for (int i : {0, 5, 13, 19})
        QVERIFY(!(form.Text1(i)->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(form.Option1(0)->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(form.Option1(1)->focusPolicy() & Qt::TabFocus));
    QVERIFY(form.Check1(0)->focusPolicy() & Qt::TabFocus);

    // Back on tab 0 its boxes take the Tab key again, the formula buttons do not.
    form.SSTab1()->setCurrentIndex(0);
    QVERIFY(form.Text1(5)->focusPolicy() & Qt::TabFocus);
    QVERIFY(form.Text2(4)->focusPolicy() & Qt::TabFocus);
    QVERIFY(!(form.Text1(6)->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(form.Option1(1)->focusPolicy() & Qt::TabFocus));
}

QTEST_MAIN(TestForm4)
#include "test_form4.moc"
