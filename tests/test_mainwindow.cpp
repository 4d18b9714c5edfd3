// The main window as a shell: load state, menus and shortcuts, New, Clear,
// Exit, the checks made when the first tab is left, tab stops.

#include "app/casedialog.h"
#include "app/mainwindow.h"
#include "app/placementdialog.h"
#include "app/proposaldialog.h"
#include "app/previewwindow.h"
#include "app/reportsettings.h"
#include "files/studyfile.h"
#include "files/usersettings.h"
#include "mainwindowtesting.h"
#include "workedexample.h"
#include "scripteddialogs.h"
#include "study/boxtable.h"
#include "study/fieldrules.h"
#include "study/studyrecord.h"

#include <QDoubleSpinBox>
#include <QTableWidget>
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
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
const AskedDialog LoseWorkNew{QStringLiteral("作業中のデータは全て失われますがいいですか？"), MessageIcon::Question,
                              QStringLiteral("タルヴェン・新規作成")};
const AskedDialog LoseWorkOpen{LoseWorkNew.prompt, MessageIcon::Question, QStringLiteral("タルヴェン・開く")};
const AskedDialog ClearQuestion{QStringLiteral("名称以外は全て消去されますがいいですか？"), MessageIcon::Question,
                                QStringLiteral("タルヴェン・数値のクリア")};
const AskedDialog ExitQuestion{QStringLiteral("プログラムを終了しますか？"), MessageIcon::Question,
                               QStringLiteral("タルヴェン・終了")};
const AskedDialog ExitUnsaved{QStringLiteral("作業中のデータは保存されていません。保存してから終了しますか？"),
                              MessageIcon::Question, QStringLiteral("タルヴェン・終了"), true};
const AskedDialog NoReport{QStringLiteral("水位データおよび\r\nクリープ比の選択を確認してください"), MessageIcon::Stop,
                           QStringLiteral("タルヴェン・帳票作成できません")};

// Lane, first class (C' = 8.5), water levels 3 and 1: the first tab can be left.
void makeReady(MainWindow &form)
{
    selectSoilClass(form, 0);
    numberBox(form, OuterWaterLevelBox)->setText(QStringLiteral("3"));
    numberBox(form, InnerWaterLevelBox)->setText(QStringLiteral("1"));
}

// The worked example (Lane 8.5, dimensions 3 2 1, levels 3 and 1, piles 3 and
// 1.5, 2.5 and 2.5) saved in `folder` as 樋門A.vek and opened, both results shown.
void openExample(MainWindow &form, const QTemporaryDir &folder)
{
    StudyFileContent content;
    const char *const numbers[] = {"3", "2", "1", "3", "1", "", "3", "1.5"};
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        content.numberTexts[i] = QLatin1StringView(numbers[i]);
    content.numberTexts[FirstHorizontalPileBox] = content.numberTexts[FirstHorizontalPileBox + 1] = QStringLiteral("2.5");
    content.names[0] = QStringLiteral("本体");
    content.methodCode = buildMethodCode(Formula::Lane, 0, 8.5);
    content.doubleFlags.fill(1);
    const QString path = folder.filePath(QStringLiteral("樋門A.vek"));
    QVERIFY(!writeStudyFile(path, content));
    form.openStudyFile(path);
    clickButton(showResultButton(form, Section::Vertical));
    clickButton(showResultButton(form, Section::Horizontal));
}

// One change as the user makes it: "box N TEXT" typed and left with Enter,
// "typed N TEXT" typed and not left, "toggle v|h ROW" a tick clicked from code,
// "name N TEXT" likewise, "tick v|h ROW", "formula bligh|lane", "class ROW",
// "clear", "case NAME WL1 WL2" added in the water-level cases' dialog,
// "title STRUCTURE" in 帳票の設定, and "proposal": the vertical tab's
// 矢板長の提案 applied, the program writing lengths at once.
void makeChange(MainWindow &form, ScriptedDialogs &dialogs, const QString &change)
{
    const QStringList part = change.split(u' ');
    const int number = part.value(1).toInt();
    if (part[0] == u"box") {
        tabs(form)->setCurrentIndex(tabOfBox(number));
        typeInto(numberBox(form, number), part[2]);
        pressEnter(numberBox(form, number));
    } else if (part[0] == u"typed") {
        tabs(form)->setCurrentIndex(tabOfBox(number));
        typeInto(numberBox(form, number), part[2]);
    } else if (part[0] == u"toggle") {
        doubleTick(form, part[1] == u"v" ? Section::Vertical : Section::Horizontal, part[2].toInt())->click();
    } else if (part[0] == u"name") {
        tabs(form)->setCurrentIndex(tabOfName(number));
        typeInto(nameBox(form, number), part[2]);
        pressEnter(nameBox(form, number));
    } else if (part[0] == u"tick") {
        const Section section = part[1] == u"v" ? Section::Vertical : Section::Horizontal;
        tabs(form)->setCurrentIndex(MainWindow::tabOf(section));
        QTest::mouseClick(doubleTick(form, section, part[2].toInt()), Qt::LeftButton);
    } else if (part[0] == u"formula") {
        tabs(form)->setCurrentIndex(MainWindow::MethodTab);
        clickButton(formulaButton(form, part[1] == u"bligh" ? Formula::Bligh : Formula::Lane));
    } else if (part[0] == u"class") {
        tabs(form)->setCurrentIndex(MainWindow::MethodTab);
        if (isRangedClass(studyOf(form).formula, number))
            dialogs.answer(Reply::Ok);
        clickListRow(soilClassList(form), number);
    } else if (part[0] == u"clear") {
        dialogs.answer(Reply::Yes);
        action(form, "clearNumbersAction")->trigger();
    } else if (part[0] == u"case") {
        tabs(form)->setCurrentIndex(MainWindow::MethodTab);
        QMetaObject::invokeMethod(label(form, u"caseLink"_s), "linkActivated", Q_ARG(QString, u"cases"_s));
        auto *dialog = form.findChild<CaseDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        clickButton(dialog->addButton());
        const int added = studyOf(form).caseCount();
        typeInto(dialog->nameBox(added), part[1]);
        typeInto(dialog->levelBox(added, Level::Outer), part[2]);
        typeInto(dialog->levelBox(added, Level::Inner), part[3]);
        dialog->accept();
        QTRY_VERIFY(!form.findChild<CaseDialog *>());  // closed and gone
    } else if (part[0] == u"place") {
        // Stations for the first vertical rows; OK, or the message it gives.
        tabs(form)->setCurrentIndex(MainWindow::VerticalTab);
        clickButton(form.findChild<QPushButton *>(u"verticalPlacementButton"_s));
        auto *dialog = form.findChild<PlacementDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        for (int row = 1; row < part.size(); ++row)
            typeInto(dialog->stationBox(row - 1), part[row]);
        dialog->accept();
        if (dialog->isVisible())
            dialog->reject();
        QTRY_VERIFY(!form.findChild<PlacementDialog *>());
    } else if (part[0] == u"title") {
        action(form, "reportSettingsAction")->trigger();
        auto *dialog = form.findChild<ReportSettingsDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        dialog->field(&TitleBlock::structure)->setText(part[1]);
        dialog->accept();
    } else {
        tabs(form)->setCurrentIndex(MainWindow::VerticalTab);
        clickButton(proposalButton(form, Section::Vertical));
        auto *dialog = form.findChild<ProposalDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        clickButton(dialog->applyButton());
        QTRY_VERIFY(!form.findChild<ProposalDialog *>());  // closed and gone
    }
}

// Chooses the enabled command of that text from a menu of the menu bar;
// false where there is none.
bool chooseFromMenu(const MainWindow &form, const QString &menu, const QString &text)
{
    for (const QAction *top : form.menuBar()->actions()) {
        for (QAction *entry : top->text() == menu ? top->menu()->actions() : QList<QAction *>()) {
            if (entry->text() == text && entry->isEnabled()) {
                entry->trigger();
                return true;
            }
        }
    }
    return false;
}

// The study as describeShown gives it on the first tab, without what depends
// on the way there: result lines and the figures shown with them, the
// reference ΣL, the order of the tabs' labels.
QStringList studyShown(MainWindow &form)
{
    tabs(form)->setCurrentIndex(MainWindow::MethodTab);
    QStringList lines = describeShown(form);
    lines.removeIf([](const QString &line) {
        return line.contains(u"Result") || line.contains(u"Reference") || line.contains(u"Margin")
               || line.contains(u"AllowableHead");
    });
    lines.sort();
    return lines;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { usePrivateSettings(); }
    void caseDialog_data();
    void caseDialog();
    void loadState();
    void boxColours();
    void captions();
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
    // Before exitQuestion: once a window closed, the program is told to end,
    // and a real message box would end at once.
    void exitQuestionKeys_data();
    void exitQuestionKeys();
    void exitQuestion_data();
    void exitQuestion();
    void leavingFirstTab_data();
    void leavingFirstTab();
    void laterTabsNeverChecked_data();
    void laterTabsNeverChecked();
    void navigationButtons_data();
    void navigationButtons();
    void referenceSigmaL();
    void fileShortcutsInBoxes_data();
    void fileShortcutsInBoxes();
    void reportNotReady_data();
    void reportNotReady();
    void saveAndOpenMarkSaved();
    void settingsNotKept();
    void tabStopsOnTab1();
    void undoRedo_data();
    void undoRedo();
    void placementRefused();
    void placementDetails();
    void proposalDialog_data();
    void proposalDialog();
    void undoKeys_data();
    void undoKeys();
    void designAid();
    // Last: it runs the event loop until the program ends.
    void exitAnswerYes();
};

void TestMainWindow::loadState()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    const StudyRecord &record = recordOf(form);

    QCOMPARE(form.windowTitle(), QStringLiteral("タルヴェン"));
    QCOMPARE(tabs(form)->currentIndex(), 0);
    QVERIFY(isSaved(form));
    for (int i = 0; i < NumberBoxCount; ++i) {
        const QString expected = i == CreepRatioBox ? QStringLiteral("0.0") : QStringLiteral("0.00");
        QVERIFY2(numberBox(form, i)->text() == expected, qPrintable(numberBox(form, i)->objectName()));
    }
    for (int i = 0; i < NameCount; ++i) {
        QVERIFY2(nameBox(form, i)->text().isEmpty(), qPrintable(nameBox(form, i)->objectName()));
        QVERIFY(record.names[i].isEmpty());
    }
    for (int i = 0; i < PileCount; ++i) {
        QVERIFY(doubleTick(form, Section::Vertical, i)->isChecked());
        QVERIFY(doubleTick(form, Section::Horizontal, i)->isChecked());
    }
    for (int flag : record.doubleFlags)
        QCOMPARE(flag, 1);
    for (double v : record.baseValues)
        QCOMPARE(v, 0.0);
    QCOMPARE(record.creepRatio, 0.0);
    QVERIFY(!formulaButton(form, Formula::Bligh)->isChecked());
    QVERIFY(formulaButton(form, Formula::Lane)->isChecked());
    QCOMPARE(soilClassList(form)->count(), 11);
    QCOMPARE(soilClassList(form)->item(0)->text(), QStringLiteral("極めて細かい砂またはシルト"));
    QCOMPARE(studyOf(form).soilClass, -1);
    QVERIFY(creepRatioBox(form)->isReadOnly());
    for (int i = 0; i < 4; ++i)
        QCOMPARE(totalLabels(form)[i]->text(), QStringLiteral("0.00"));
    QCOMPARE(referenceSigmaLLabel(form, Section::Vertical)->text(), QStringLiteral("---"));
    QCOMPARE(referenceSigmaLLabel(form, Section::Horizontal)->text(), QStringLiteral("---"));
    QCOMPARE(label(form, QStringLiteral("formulaNumeratorLabel"))->text(), QStringLiteral("Ｌ / 3 +ΣL"));
    QCOMPARE(label(form, QStringLiteral("creepRatioCaption"))->text(), QStringLiteral("加重クリープ比"));
    for (Section section : {Section::Vertical, Section::Horizontal}) {
        for (QLabel *label : resultLine(form, section).answer())
            QVERIFY(label->isHidden());
    }
    QCOMPARE(resultLine(form, Section::Vertical).numerator->text(), QStringLiteral("Ｌ / 3 +ΣL"));
    QCOMPARE(resultLine(form, Section::Horizontal).denominator->text(), QStringLiteral("⊿H"));
    QVERIFY(dialogs.asked().isEmpty());
}

// The first tab's and the vertical tab's boxes light red, the water levels
// and the horizontal tab's light cyan; the creep ratio's neither.
void TestMainWindow::boxColours()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    const QColor red(255, 192, 192), cyan(192, 255, 255);
    const auto colour = [&form](int box) { return numberBox(form, box)->palette().color(QPalette::Base); };
    for (int box : {0, 1, 2, verticalBox(0), verticalBox(3), verticalBox(6)})
        QVERIFY2(colour(box) == red, qPrintable(numberBox(form, box)->objectName()));
    for (int box : {int(OuterWaterLevelBox), int(InnerWaterLevelBox), horizontalBox(0), horizontalBox(3), horizontalBox(6)})
        QVERIFY2(colour(box) == cyan, qPrintable(numberBox(form, box)->objectName()));
    QVERIFY(colour(CreepRatioBox) != red && colour(CreepRatioBox) != cyan);
}

void TestMainWindow::captions()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    const std::pair<const char *, const char16_t *> captions[] = {
        {"toVerticalButton", u"次へ"}, {"toHorizontalButton", u"次へ"}, {"backToVerticalButton", u"前へ"},
        {"backToMethodButton", u"前へ"}, {"previewButton", u"ﾌﾟﾚﾋﾞｭｰ"},
        {"showVerticalResultButton", u"計算結果を見る"}, {"showHorizontalResultButton", u"計算結果を見る"},
        {"blighButton", u"ブライの式"}, {"laneButton", u"レインの式"}, {"formulaFrame", u"検討に使う計算式"},
        {"dimensionFrame", u"形状寸法"}, {"waterLevelFrame", u"水位差"}, {"verticalPileFrame", u"遮水矢板の打設長"},
        {"horizontalPileFrame", u"遮水矢板の打設範囲"}, {"methodFigureCaption", u"形状寸法・水位差(樋門の例)"},
        {"verticalFigureCaption", u"鉛直方向の浸透経路長(樋門の例)"},
        {"horizontalFigureCaption", u"水平方向の浸透経路長(樋門の例)"}, {"verticalReferenceCaption", u"ΣL の参考値"},
        {"horizontalReferenceCaption", u"ΣL の参考値"}, {"verticalDoubleHeader", u"×2"},
        {"horizontalDoubleHeader", u"×2"}, {"verticalResultHeading", u"■加重クリープ比"},
        {"horizontalResultHeading", u"■加重クリープ比"}, {"verticalResultLead", u"Ｃ´ ＝"},
        {"horizontalResultLead", u"Ｃ´ ＝"},
    };
    for (const auto &[object, caption] : captions) {
        const QObject *control = form.findChild<QObject *>(QLatin1StringView(object));
        QVERIFY2(control, object);
        const QString shown = control->property("text").isValid() ? control->property("text").toString()
                                                                  : control->property("title").toString();
        QCOMPARE(shown, QString::fromUtf16(caption));
    }
}

// The menu bar as the user reads it, an entry a line: its menu, name, text
// and keys; "―" a separator.
void TestMainWindow::menus()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QStringList entries;
    for (const QAction *top : form.menuBar()->actions()) {
        for (const QAction *entry : top->menu()->actions()) {
            QStringList words{top->text(), entry->isSeparator() ? u"―"_s : entry->objectName() + u' ' + entry->text()};
            for (const QKeySequence &keys : entry->shortcuts())
                words << keys.toString();
            entries << words.join(u' ');
        }
    }
    QCOMPARE(entries, (QStringList{
                          u"ファイル(&F) newAction 新規作成(&N) Ctrl+N"_s, u"ファイル(&F) ―"_s,
                          u"ファイル(&F) openAction 開く(&O) Ctrl+O"_s, u"ファイル(&F) saveAction 上書き保存(&S) Ctrl+S"_s,
                          u"ファイル(&F) saveAsAction 名前を付けて保存(&A)… Ctrl+Shift+S"_s, u"ファイル(&F) ―"_s,
                          u"ファイル(&F) reportSettingsAction 帳票の設定(&T)…"_s, u"ファイル(&F) previewAction 印刷プレビュー(&V)"_s,
                          u"ファイル(&F) printAction 印刷(&P) Ctrl+P"_s, u"ファイル(&F) ―"_s,
                          u"ファイル(&F) recentMenu 最近使ったファイル(&R)"_s, u"ファイル(&F) ―"_s,
                          u"ファイル(&F) exitAction 終了(&X) Ctrl+X"_s,
                          u"編集(&E) undoAction 元に戻す Ctrl+Z"_s, u"編集(&E) redoAction やり直し Ctrl+Y Ctrl+Shift+Z"_s,
                          u"編集(&E) ―"_s, u"編集(&E) clearNumbersAction 数値のみクリア(&Q)"_s,
                          u"ヘルプ(&H) helpAction ヘルプ(&H)"_s, u"ヘルプ(&H) ―"_s, u"ヘルプ(&H) versionAction バージョン情報(&A)"_s}));
}

void TestMainWindow::clientArea()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    const double dpi = form.logicalDpiX();
    const QWidget *client = form.centralWidget();
    // 10080 x 7260 twips; a larger font may only ever make it bigger.
    QVERIFY2(client->width() >= qRound(10080 * dpi / 1440) - 1, qPrintable(QString::number(client->width())));
    QVERIFY2(client->height() >= qRound(7260 * dpi / 1440) - 1, qPrintable(QString::number(client->height())));
}

void TestMainWindow::nothingClipped_data()
{
    QTest::addColumn<int>("tab");  // -1: the preview
    QTest::newRow("tab 0") << 0;
    QTest::newRow("tab 1") << 1;
    QTest::newRow("tab 2") << 2;
    QTest::newRow("preview") << -1;
}

// Every caption, button and box of a tab, and of the preview's bars, gets at
// least the room it asks for; the soil list shows whole rows; the status line,
// under the tabs, the room of its widest text. Also run at the scale factors
// 1.5 and 2 (tests/CMakeLists.txt).
void TestMainWindow::nothingClipped()
{
    QFETCH(int, tab);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(std::max(tab, 0));
    clickButton(showResultButton(form, Section::Vertical));
    clickButton(showResultButton(form, Section::Horizontal));
    if (tab < 0)
        button(form, "previewButton")->click();
    QCoreApplication::processEvents();
    QWidget *page = tab < 0 ? static_cast<QWidget *>(PreviewWindow::instance()) : tabs(form)->currentWidget();
    QVERIFY(page);
    const QListWidget *list = soilClassList(form);
    const int listRows = list->viewport()->height() / list->sizeHintForRow(0);
    QVERIFY2(listRows >= 4 && list->viewport()->height() == listRows * list->sizeHintForRow(0),
             qPrintable(u"%1 for rows of %2"_s.arg(list->viewport()->height()).arg(list->sizeHintForRow(0))));
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
    QVERIFY(looked >= (tab < 0 ? 6 : 20));
    const QLabel *status = label(form, u"statusLine"_s);
    QVERIFY(status->geometry().top() > tabs(form)->geometry().bottom() && status->width() >= status->minimumSizeHint().width()
            && status->width() >= status->fontMetrics().horizontalAdvance(statusLineText(checkStudy(Study{}))));
}

void TestMainWindow::newCommand_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("answer");  // 0: no question expected
    QTest::addColumn<bool>("reset");
    QTest::newRow("right after start-up") << false << 0 << true;
    QTest::newRow("after an edit, Yes") << true << int(Reply::Yes) << true;
    QTest::newRow("after an edit, No") << true << int(Reply::No) << false;
}

void TestMainWindow::newCommand()
{
    QFETCH(bool, edit);
    QFETCH(int, answer);
    QFETCH(bool, reset);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    if (edit) {
        makeReady(form);
        typeInto(nameBox(form, 0), QStringLiteral("門柱"));
        typeInto(numberBox(form, 0), QStringLiteral("2.5"));
        tabs(form)->setCurrentIndex(1);
        typeInto(numberBox(form, verticalBox(0)), QStringLiteral("4"));
        QTest::mouseClick(doubleTick(form, Section::Vertical, 2), Qt::LeftButton);
        QVERIFY(!isSaved(form));
    }
    if (answer)
        dialogs.answer(Reply(answer));
    action(form, "newAction")->trigger();
    if (answer)
        QCOMPARE(dialogs.asked(), QList<AskedDialog>{LoseWorkNew});
    else
        QVERIFY(dialogs.asked().isEmpty());
    if (reset) {
        QCOMPARE(tabs(form)->currentIndex(), 0);
        QCOMPARE(numberBox(form, 0)->text(), QStringLiteral("0.00"));
        QCOMPARE(creepRatioBox(form)->text(), QStringLiteral("0.0"));
        QCOMPARE(nameBox(form, 0)->text(), QString());
        QVERIFY(doubleTick(form, Section::Vertical, 2)->isChecked());
        QCOMPARE(studyOf(form).soilClass, -1);
        QCOMPARE(recordOf(form).verticalLengths[0], 0.0);
        QCOMPARE(recordOf(form).names[0], QString());
        QCOMPARE(recordOf(form).methodCode, 0.0);
        QVERIFY(isSaved(form));
        if (edit)
            QCOMPARE(focusedWidget(), numberBox(form, 0));  // tab 0 was selected again
    } else {
        QCOMPARE(tabs(form)->currentIndex(), 1);
        QCOMPARE(numberBox(form, 0)->text(), QStringLiteral("2.50"));
        QCOMPARE(numberBox(form, verticalBox(0))->text(), QStringLiteral("4.00"));
        QCOMPARE(nameBox(form, 0)->text(), QStringLiteral("門柱"));
        QCOMPARE(studyOf(form).soilClass, 0);
        QVERIFY(!doubleTick(form, Section::Vertical, 2)->isChecked());
        QCOMPARE(recordOf(form).verticalLengths[0], 4.0);
        QVERIFY(!isSaved(form));
    }
}

void TestMainWindow::clearKeepsNames_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(Reply::Yes);
    QTest::newRow("No") << int(Reply::No);
}

void TestMainWindow::clearKeepsNames()
{
    QFETCH(int, answer);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);  // the piles' names are typed on their tabs
    for (int i = 0; i < NameCount; ++i) {
        tabs(form)->setCurrentIndex(tabOfName(i));
        typeInto(nameBox(form, i), QStringLiteral("名%1").arg(i));
        pressEnter(nameBox(form, i));  // leaving the box stores the name
    }
    tabs(form)->setCurrentIndex(MainWindow::MethodTab);
    clickButton(formulaButton(form, Formula::Bligh));  // Bligh
    selectSoilClass(form, 0);
    for (int i = 0; i < NumberBoxCount; ++i) {
        if (i != CreepRatioBox)
            numberBox(form, i)->setText(QString::number(i % 9 + 1));
    }
    doubleTick(form, Section::Horizontal, 6)->setChecked(false);
    const StudyRecord before = recordOf(form);

    dialogs.answer(Reply(answer));
    action(form, "clearNumbersAction")->trigger();
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{ClearQuestion});
    if (Reply(answer) == Reply::No) {
        QVERIFY(recordOf(form) == before);
        QVERIFY(formulaButton(form, Formula::Bligh)->isChecked());
        QCOMPARE(creepRatioBox(form)->text(), QStringLiteral("18"));
        QVERIFY(!doubleTick(form, Section::Horizontal, 6)->isChecked());
        return;
    }
    for (int i = 0; i < NameCount; ++i) {
        QCOMPARE(nameBox(form, i)->text(), QStringLiteral("名%1").arg(i));
        QCOMPARE(recordOf(form).names[i], QStringLiteral("名%1").arg(i));
    }
    for (int i = 0; i < NumberBoxCount; ++i) {
        if (i != CreepRatioBox)
            QCOMPARE(numberBox(form, i)->text(), QStringLiteral("0.00"));
    }
    QCOMPARE(creepRatioBox(form)->text(), QStringLiteral("0.0"));
    QVERIFY(formulaButton(form, Formula::Lane)->isChecked());
    QCOMPARE(soilClassList(form)->count(), 11);
    QCOMPARE(studyOf(form).soilClass, -1);
    QVERIFY(doubleTick(form, Section::Horizontal, 6)->isChecked());
    QCOMPARE(recordOf(form).doubleFlags[doubleFlagIndex(Section::Horizontal, 6)], 1);
    QCOMPARE(recordOf(form).creepRatio, 0.0);
    // A change like any other, undone in one step.
    QVERIFY(!isSaved(form));
    QCOMPARE(action(form, "undoAction")->text(), QStringLiteral("元に戻す：数値のみクリア"));
    action(form, "undoAction")->trigger();
    QVERIFY(recordOf(form) == before);
    QVERIFY(formulaButton(form, Formula::Bligh)->isChecked());
    QVERIFY(!doubleTick(form, Section::Horizontal, 6)->isChecked());
}

void TestMainWindow::exitAnswerNo_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("File > Exit") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Ctrl+X in a number box") << 2;
    QTest::newRow("Ctrl+X in a name box") << 3;
}

// Every way of closing asks; with unsaved work キャンセル leaves the window as it was.
void TestMainWindow::exitAnswerNo()
{
    QFETCH(int, way);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    typeInto(nameBox(form, 1), QStringLiteral("底版"));
    typeInto(numberBox(form, 1), QStringLiteral("12.5"));
    QLineEdit *box = way == 3 ? nameBox(form, 1) : numberBox(form, 1);
    box->setFocus();
    box->selectAll();
    dialogs.answer(Reply::Cancel);
    switch (way) {
    case 0:
        action(form, "exitAction")->trigger();
        break;
    case 1:
        form.close();
        break;
    default:
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        break;
    }
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{ExitUnsaved});
    QVERIFY(form.isVisible());
    // Only moving into the name box has rewritten the number with two decimals.
    QCOMPARE(numberBox(form, 1)->text(), way == 3 ? QStringLiteral("12.50") : QStringLiteral("12.5"));
    QCOMPARE(nameBox(form, 1)->text(), QStringLiteral("底版"));
    QCOMPARE(recordOf(form).baseValues[1], 12.5);
    QVERIFY(!isSaved(form));
    if (way >= 2)
        QCOMPARE(focusedWidget(), box);
}

void TestMainWindow::exitQuestion_data()
{
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs");  // the save dialog's answer in the test's folder; empty: Cancel
    QTest::addColumn<bool>("closes");
    QTest::newRow("saved, はい") << false << int(Reply::Yes) << QString() << true;
    QTest::newRow("saved, いいえ") << false << int(Reply::No) << QString() << false;
    QTest::newRow("unsaved, はい saves and quits") << true << int(Reply::Yes) << u"plan.vek"_s << true;
    QTest::newRow("unsaved, いいえ quits unsaved") << true << int(Reply::No) << QString() << true;
    QTest::newRow("unsaved, キャンセル stays") << true << int(Reply::Cancel) << QString() << false;
    QTest::newRow("unsaved, はい, save cancelled") << true << int(Reply::Yes) << QString() << false;
    QTest::newRow("unsaved, はい, save failing") << true << int(Reply::Yes) << u"missing/plan.vek"_s << false;
}

// The window closes only when the question lets it, and はい only once the study is saved.
void TestMainWindow::exitQuestion()
{
    QFETCH(bool, unsaved);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    dialogs.cancelFileDialogs();
    MainWindow form;
    QVERIFY(showActive(form));
    if (unsaved)
        typeInto(numberBox(form, 0), QStringLiteral("7"));
    dialogs.answer(Reply(answer));
    const bool saving = unsaved && Reply(answer) == Reply::Yes;
    const bool failing = saveAs.contains(u'/');
    if (saving)
        dialogs.answerFile(saveAs.isEmpty() ? QString() : folder.filePath(saveAs));
    if (failing)
        dialogs.answer(Reply::Ok);
    form.close();
    QList<AskedDialog> expected{unsaved ? ExitUnsaved : ExitQuestion};
    if (failing)
        expected << writeErrorMessage(WriteFailure::NoFolder, folder.filePath(saveAs));
    QCOMPARE(dialogs.asked(), expected);
    QCOMPARE(dialogs.fileDialogs().size(), saving ? 1 : 0);
    QCOMPARE(form.isVisible(), !closes);
    QCOMPARE(QFile::exists(folder.filePath(u"plan.vek"_s)), saving && closes);
    QCOMPARE(isSaved(form), !unsaved || (saving && closes));
    QCOMPARE(loggedStyle(expected.front()), unsaved ? 35 : 36);
}

void TestMainWindow::exitQuestionKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::newRow("Escape is キャンセル") << int(Qt::Key_Escape) << int(Answer::Cancel);
    QTest::newRow("Enter is はい") << int(Qt::Key_Return) << int(Answer::Yes);
}

// The real message box: はい, いいえ and キャンセル, Escape cancelling.
void TestMainWindow::exitQuestionKeys()
{
    QFETCH(int, key);
    QFETCH(int, answer);
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [key, &buttons] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            buttons = box->standardButtons();
            QTest::keyClick(box, Qt::Key(key));
        }
    });
    QCOMPARE(int(askOrCancel(ExitUnsaved.prompt, ExitUnsaved.caption)), answer);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void TestMainWindow::exitAnswerYes()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    numberBox(form, 0)->setFocus();
    dialogs.answer(Reply::Yes);
    QTimer::singleShot(0, &form, [&form] {
        QTest::keyClick(numberBox(form, 0), Qt::Key_X, Qt::ControlModifier);
    });
    // A guard so that a missing exit cannot hang the run.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    const int code = QCoreApplication::exec();
    QCOMPARE(code, 0);
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{ExitQuestion});
    QVERIFY(!form.isVisible());
}

void TestMainWindow::leavingFirstTab_data()
{
    QTest::addColumn<QString>("level1");
    QTest::addColumn<QString>("level2");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<int>("how");  // 0 "次へ", 1 the tab 1 header, 2 the tab 2 header
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("focus");
    QTest::newRow("equal levels, 次へ") << u"2"_s << u"2"_s << 0 << 0 << LeaveFirstTabHead << FaultyCaption << u"numberBox(3)"_s;
    QTest::newRow("level 1 below, tab 2") << u"1"_s << u"2"_s << 3 << 2 << LeaveFirstTabHead << FaultyCaption << u"numberBox(3)"_s;
    QTest::newRow("no class, 次へ") << u"3"_s << u"1"_s << -1 << 0 << LeaveFirstTabRatio << MissingCaption << u"laneButton"_s;
    QTest::newRow("both, tab 1") << u"0"_s << u"0"_s << -1 << 1 << LeaveFirstTabBoth << FaultyCaption << u"numberBox(3)"_s;
}

void TestMainWindow::leavingFirstTab()
{
    QFETCH(QString, level1);
    QFETCH(QString, level2);
    QFETCH(int, soilClass);
    QFETCH(int, how);
    QFETCH(QString, prompt);
    QFETCH(QString, caption);
    QFETCH(QString, focus);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    typeInto(numberBox(form, OuterWaterLevelBox), level1);
    typeInto(numberBox(form, InnerWaterLevelBox), level2);
    if (soilClass >= 0)
        clickListRow(soilClassList(form), soilClass);
    dialogs.answer(Reply::Ok);
    if (how == 0)
        clickButton(button(form, "toVerticalButton"));
    else
        tabs(form)->setCurrentIndex(how);
    QCOMPARE(dialogs.asked(), (QList<AskedDialog>{{prompt, MessageIcon::Stop, caption}}));
    QCOMPARE(tabs(form)->currentIndex(), 0);
    QCOMPARE(nameOf(focusedWidget()), focus);
    QCOMPARE(referenceSigmaLLabel(form, Section::Vertical)->text(), QStringLiteral("---"));
}

void TestMainWindow::laterTabsNeverChecked_data()
{
    QTest::addColumn<QList<int>>("moves");
    QTest::newRow("1 to 2") << QList<int>{2};
    QTest::newRow("1 to 2 to 1") << QList<int>{2, 1};
    QTest::newRow("1 to 0") << QList<int>{0};
    QTest::newRow("1 to 2 to 0") << QList<int>{2, 0};
}

void TestMainWindow::laterTabsNeverChecked()
{
    QFETCH(QList<int>, moves);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(1);
    QCOMPARE(tabs(form)->currentIndex(), 1);
    // Faulty data can only come from the first tab; written here by the program.
    numberBox(form, InnerWaterLevelBox)->setText(QStringLiteral("5"));
    selectSoilClass(form, -1);
    creepRatioBox(form)->setText(QStringLiteral("0.0"));
    QCOMPARE(recordOf(form).creepRatio, 0.0);
    for (int tab : moves) {
        tabs(form)->setCurrentIndex(tab);
        QCOMPARE(tabs(form)->currentIndex(), tab);
    }
    QVERIFY(dialogs.asked().isEmpty());
    const char *first[] = {"numberBox(0)", "numberBox(6)", "numberBox(13)"};
    QCOMPARE(nameOf(focusedWidget()), QString::fromLatin1(first[moves.last()]));
}

void TestMainWindow::navigationButtons_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("focus");
    QTest::newRow("次へ on tab 0") << 0 << u"toVerticalButton"_s << 1 << u"numberBox(6)"_s;
    QTest::newRow("次へ on tab 1") << 1 << u"toHorizontalButton"_s << 2 << u"numberBox(13)"_s;
    QTest::newRow("前へ on tab 2") << 2 << u"backToVerticalButton"_s << 1 << u"numberBox(6)"_s;
    QTest::newRow("前へ on tab 1") << 1 << u"backToMethodButton"_s << 0 << u"numberBox(0)"_s;
}

void TestMainWindow::navigationButtons()
{
    QFETCH(int, from);
    QFETCH(QString, button);
    QFETCH(int, to);
    QFETCH(QString, focus);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(from);
    auto *pressed = form.findChild<QPushButton *>(button);
    QVERIFY(pressed && pressed->isVisible());
    clickButton(pressed);
    QCOMPARE(tabs(form)->currentIndex(), to);
    QCOMPARE(nameOf(focusedWidget()), focus);
    QVERIFY(dialogs.asked().isEmpty());
}

// Both pile tabs show the check's reference ΣL once the first tab is left
// (Bligh's ranged class with 9 typed: 8.995 x 2 - 12 = 5.99), and New keeps it.
void TestMainWindow::referenceSigmaL()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    fillFirstTabAndGoOn(form, dialogs, true, 3, u"9"_s, {u"6"_s, u"3"_s, u"3"_s, u"3"_s, u"1"_s});
    QCOMPARE(tabs(form)->currentIndex(), 1);
    QCOMPARE(referenceSigmaLLabel(form, Section::Vertical)->text(), u"5.99"_s);
    QCOMPARE(referenceSigmaLLabel(form, Section::Horizontal)->text(), u"5.99"_s);
    QCOMPARE(dialogs.unanswered(), 0);
    dialogs.answer(Reply::Yes);
    action(form, "newAction")->trigger();
    QCOMPARE(referenceSigmaLLabel(form, Section::Vertical)->text(), u"5.99"_s);
}

void TestMainWindow::fileShortcutsInBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<AskedDialog>("asked");
    QTest::newRow("Ctrl+N in numberBox(2)") << u"numberBox(2)"_s << int(Qt::Key_N) << LoseWorkNew;
    QTest::newRow("Ctrl+O in nameBox(0)") << u"nameBox(0)"_s << int(Qt::Key_O) << LoseWorkOpen;
    QTest::newRow("Ctrl+P in numberBox(4)") << u"numberBox(4)"_s << int(Qt::Key_P) << NoReport;
    QTest::newRow("Ctrl+X in numberBox(5)") << u"numberBox(5)"_s << int(Qt::Key_X) << ExitUnsaved;
    QTest::newRow("Ctrl+X in nameBox(4)") << u"nameBox(4)"_s << int(Qt::Key_X) << ExitUnsaved;
}

// The File shortcuts run their commands with the cursor in a box, and the box
// keeps its text: no cut, no paste.
void TestMainWindow::fileShortcutsInBoxes()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(AskedDialog, asked);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    auto *target = form.findChild<QLineEdit *>(box);
    QVERIFY(target);
    target->setFocus();
    target->insert(QStringLiteral("3"));  // unsaved, and something to cut
    target->selectAll();
    const QString before = target->text();
    dialogs.answer(asked.cancellable ? Reply::Cancel : asked.icon == MessageIcon::Question ? Reply::No : Reply::Ok);
    QTest::keyClick(target, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{asked});
    QCOMPARE(target->text(), before);
    QVERIFY(form.isVisible());
}

void TestMainWindow::reportNotReady_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("level1");
    QTest::addColumn<int>("soilClass");
    QTest::addColumn<bool>("refused");
    QTest::newRow("preview, equal levels") << u"previewAction"_s << u"0"_s << 0 << true;
    QTest::newRow("print, no ratio") << u"printAction"_s << u"5"_s << -1 << true;
    QTest::newRow("preview, ready") << u"previewAction"_s << u"0.01"_s << 5 << false;
    QTest::newRow("print, ready") << u"printAction"_s << u"2"_s << 10 << false;
}

void TestMainWindow::reportNotReady()
{
    QFETCH(QString, command);
    QFETCH(QString, level1);
    QFETCH(int, soilClass);
    QFETCH(bool, refused);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    numberBox(form, OuterWaterLevelBox)->setText(level1);
    if (soilClass >= 0)
        selectSoilClass(form, soilClass);
    if (refused)
        dialogs.answer(Reply::Ok);
    else if (command == u"printAction")
        dialogs.answerPrinter(false);
    form.findChild<QAction *>(command)->trigger();
    if (refused)
        QCOMPARE(dialogs.asked(), QList<AskedDialog>{NoReport});
    else
        QVERIFY(dialogs.asked().isEmpty());
    QCOMPARE(tabs(form)->currentIndex(), 0);
}

void TestMainWindow::saveAndOpenMarkSaved()
{
    ScriptedDialogs dialogs;
    dialogs.cancelFileDialogs();
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(2);
    QVERIFY(!isSaved(form));

    // A cancelled save writes nothing, so New still asks.
    action(form, "saveAction")->trigger();
    QVERIFY(!isSaved(form));
    QCOMPARE(tabs(form)->currentIndex(), 2);
    dialogs.answer(Reply::Yes);
    action(form, "newAction")->trigger();
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{LoseWorkNew});
    QCOMPARE(tabs(form)->currentIndex(), 0);
    dialogs.forget();

    // Open asks when there is unsaved work; No changes nothing.
    typeInto(numberBox(form, 0), QStringLiteral("4"));
    dialogs.answer(Reply::No);
    action(form, "openAction")->trigger();
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{LoseWorkOpen});
    QVERIFY(!isSaved(form));
    QCOMPARE(numberBox(form, 0)->text(), QStringLiteral("4"));

    // Yes, then Cancel: tab 0, and the work is still unsaved.
    dialogs.forget();
    makeReady(form);
    tabs(form)->setCurrentIndex(1);
    dialogs.answer(Reply::Yes);
    action(form, "openAction")->trigger();
    QCOMPARE(dialogs.asked(), QList<AskedDialog>{LoseWorkOpen});
    QCOMPARE(tabs(form)->currentIndex(), 0);
    QVERIFY(!isSaved(form));
}

// Settings whose folder is a file cannot be kept: saving them says so, and
// the window, which keeps the studies opened last, tells its error output.
void TestMainWindow::settingsNotKept()
{
    const auto restore = qScopeGuard([] { usePrivateSettings(); });
    QTemporaryDir home, folder;
    QVERIFY(QFile(home.filePath(u"talven"_s)).open(QIODevice::WriteOnly));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    QVERIFY(!UserSettings().save());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^talven: the settings cannot be kept in .*talven\\.ini$"_s));
    ScriptedDialogs dialogs;
    MainWindow form;
    openExample(form, folder);
    QVERIFY(dialogs.asked().isEmpty());
}

void TestMainWindow::tabStopsOnTab1()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    makeReady(form);
    tabs(form)->setCurrentIndex(1);
    QCOMPARE(focusedWidget(), numberBox(form, verticalBox(0)));

    QSet<QWidget *> reached;
    for (int press = 0; press < 60; ++press) {
        QTest::keyClick(focusedWidget(), Qt::Key_Tab);
        reached.insert(focusedWidget());
    }
    for (int i = 0; i < NumberBoxCount; ++i) {
        const bool own = pileGroup(Section::Vertical).contains(i);
        QVERIFY2(reached.contains(numberBox(form, i)) == own, qPrintable(numberBox(form, i)->objectName()));
    }
    for (int i = 0; i < NameCount; ++i) {
        const bool own = tabOfName(i) == MainWindow::VerticalTab;
        QVERIFY2(reached.contains(nameBox(form, i)) == own, qPrintable(nameBox(form, i)->objectName()));
    }
    // The boxes of the other tabs are out of the Tab order, and so are the formula buttons.
    for (int i : {0, int(CreepRatioBox), horizontalBox(0), horizontalBox(6)})
        QVERIFY(!(numberBox(form, i)->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(formulaButton(form, Formula::Bligh)->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(formulaButton(form, Formula::Lane)->focusPolicy() & Qt::TabFocus));
    QVERIFY(doubleTick(form, Section::Vertical, 0)->focusPolicy() & Qt::TabFocus);

    // Back on tab 0 its boxes take the Tab key again, the formula buttons do not.
    tabs(form)->setCurrentIndex(0);
    QVERIFY(creepRatioBox(form)->focusPolicy() & Qt::TabFocus);
    QVERIFY(nameBox(form, 4)->focusPolicy() & Qt::TabFocus);
    QVERIFY(!(numberBox(form, verticalBox(0))->focusPolicy() & Qt::TabFocus));
    QVERIFY(!(formulaButton(form, Formula::Lane)->focusPolicy() & Qt::TabFocus));
}

void TestMainWindow::undoRedo_data()
{
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("steps");  // the 編集 menu's name of each change's step
    QTest::addColumn<bool>("hidesVertical");
    QTest::addColumn<bool>("hidesHorizontal");
    QTest::newRow("a dimension") << QStringList{u"box 0 2.5"_s} << QStringList{u"寸法の入力"_s} << true << true;
    QTest::newRow("a water level") << QStringList{u"box 4 0.5"_s} << QStringList{u"水位の入力"_s} << true << true;
    QTest::newRow("a vertical length") << QStringList{u"box 6 4"_s} << QStringList{u"打設長の入力"_s} << true << false;
    QTest::newRow("a horizontal length") << QStringList{u"box 14 4"_s} << QStringList{u"打設範囲の入力"_s} << false << true;
    QTest::newRow("a name") << QStringList{u"name 0 門柱"_s} << QStringList{u"名称の入力"_s} << false << false;
    QTest::newRow("a tick") << QStringList{u"tick v 1"_s} << QStringList{u"「×2」の切り替え"_s} << true << false;
    QTest::newRow("the formula") << QStringList{u"formula bligh"_s} << QStringList{u"計算式の選択"_s} << true << true;
    QTest::newRow("a soil class") << QStringList{u"class 3"_s} << QStringList{u"土質の区分の選択"_s} << true << true;
    QTest::newRow("the ranged class and its ratio")
        << QStringList{u"formula bligh"_s, u"class 3"_s, u"box 5 7.5"_s}
        << QStringList{u"計算式の選択"_s, u"土質の区分の選択"_s, u"クリープ比の入力"_s} << true << true;
    QTest::newRow("数値のみクリア") << QStringList{u"clear"_s} << QStringList{u"数値のみクリア"_s} << true << true;
    QTest::newRow("a pile proposal applied") << QStringList{u"proposal"_s} << QStringList{u"矢板長の提案"_s} << true << false;
    QTest::newRow("a water-level case that governs")
        << QStringList{u"case 既往 3.4 1"_s} << QStringList{u"水位ケースの編集"_s} << true << true;
    QTest::newRow("typing, then a tick while still in the box: two steps")
        << QStringList{u"typed 6 4"_s, u"toggle v 1"_s} << QStringList{u"打設長の入力"_s, u"「×2」の切り替え"_s} << true << false;
    QTest::newRow("the title block") << QStringList{u"title 樋門B"_s} << QStringList{u"帳票の設定"_s} << false << false;
    QTest::newRow("the piles' stations") << QStringList{u"place 1 5"_s} << QStringList{u"矢板の位置"_s} << false << false;
    QTest::newRow("one of each on three tabs")
        << QStringList{u"name 12 右岸"_s, u"box 1 4"_s, u"tick h 6"_s, u"box 7 2"_s}
        << QStringList{u"名称の入力"_s, u"寸法の入力"_s, u"「×2」の切り替え"_s, u"打設長の入力"_s} << true << true;
}

// Each committed change is one step: undone back to the opened study, which is
// saved again, and redone to the changed one; result lines hide as any change
// hides them.
void TestMainWindow::caseDialog_data()
{
    QTest::addColumn<QStringList>("added");   // "name WL1 WL2 [datum]" a case, "" a case left as it comes
    QTest::addColumn<QStringList>("notes");   // each case's mark, from case 1
    QTest::addColumn<bool>("accepted");       // OK closes the dialog; otherwise the levels' message
    QTest::addColumn<bool>("canAdd");
    QTest::newRow("the reversed case governs by its head, marked")
        << QStringList{u"既往 3.4 1"_s, u"内水 1 3.6"_s} << QStringList{u""_s, u""_s, u"◎ 逆水位"_s} << true << true;
    QTest::newRow("a case left at 0.00 / 0.00 is refused")
        << QStringList{u""_s} << QStringList{u"◎"_s, u""_s} << false << true;
    QTest::newRow("seven more fill the dialog")
        << QStringList(7, u"a 3 1"_s) << (QStringList{u"◎"_s} + QStringList(7, QString())) << true << false;
    QTest::newRow("a name of 25 characters keeps 20")
        << QStringList{QString(25, u'長') + u" 2 1"_s} << QStringList{u"◎"_s, u""_s} << true << true;
    QTest::newRow("a datum typed under a case's line")
        << QStringList{u"既往 3.4 1 T.P."_s, u"施工 3 1.7"_s} << QStringList{u""_s, u"◎"_s, u""_s} << true << true;
}

// The case dialog marks the governing case and the reversed ones as the
// levels are typed, takes seven cases besides the first, names of 20
// characters, and refuses a case without a head as the first tab does.
void TestMainWindow::caseDialog()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, notes);
    QFETCH(bool, accepted);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    form.document().start(workedExample(), QString());
    QMetaObject::invokeMethod(label(form, u"caseLink"_s), "linkActivated", Q_ARG(QString, u"cases"_s));
    auto *dialog = form.findChild<CaseDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    for (int i = 0; i < added.size(); ++i) {
        clickButton(dialog->addButton());
        const QStringList fields = added[i].split(u' ', Qt::SkipEmptyParts);
        if (fields.isEmpty())
            continue;
        typeInto(dialog->nameBox(i + 1), fields[0]);
        typeInto(dialog->levelBox(i + 1, Level::Outer), fields[1]);
        typeInto(dialog->levelBox(i + 1, Level::Inner), fields[2]);
        if (fields.size() > 3)
            typeInto(dialog->basisBox(i + 1, &LevelBasis::datum), fields[3]);
    }
    QStringList seen;
    for (int i = 0; i < notes.size(); ++i)
        seen << dialog->findChild<QLabel *>(u"caseNote(%1)"_s.arg(i))->text();
    QCOMPARE(seen, notes);
    QTEST(dialog->addButton()->isEnabled(), "canAdd");
    if (!accepted)
        dialogs.answer(Reply::Ok);
    dialog->accept();
    QCOMPARE(dialogs.asked().isEmpty(), accepted);
    if (!accepted) {
        QCOMPARE(dialogs.asked().first(), headNotAboveZeroMessage());
        QVERIFY(dialog->isVisible());
        dialog->reject();
    }
    QTRY_VERIFY(!form.findChild<CaseDialog *>());
    const std::vector<WaterLevelCase> cases = studyOf(form).cases();
    QCOMPARE(int(cases.size()), accepted ? int(notes.size()) : 1);
    for (std::size_t i = 1; i < cases.size(); ++i) {
        QCOMPARE(cases[i].name, added[qsizetype(i) - 1].section(u' ', 0, 0).left(20));
        QCOMPARE(cases[i].basis.datum, added[qsizetype(i) - 1].section(u' ', 3, 3));
    }
}

// A station beyond L keeps the dialog open with the range message and
// changes nothing; the tab shows the rule of the stations the study has.
void TestMainWindow::placementRefused()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    form.document().start(workedExample(), QString());
    QLabel *spacing = label(form, u"verticalSpacing"_s);
    QCOMPARE(spacing->text(), spacingLine(checkSpacing(workedExample()), workedExample().record));
    dialogs.answer(Reply::Ok);
    makeChange(form, dialogs, u"place 1 6.01"_s);
    QCOMPARE(dialogs.asked(), QList<Message>{stationRangeMessage(6.0)});
    QCOMPARE(studyOf(form).stations, workedExample().stations);
    makeChange(form, dialogs, u"place 1 5"_s);
    QCOMPARE(spacing->text(), spacingLine(checkSpacing(studyOf(form)), studyOf(form).record));
    QVERIFY(spacing->text().contains(u"ＮＧ"_s));
}

// The cut-off's details typed in 矢板の位置… are one step with the stations.
void TestMainWindow::placementDetails()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    form.document().start(workedExample(), QString());
    tabs(form)->setCurrentIndex(MainWindow::VerticalTab);
    clickButton(form.findChild<QPushButton *>(u"verticalPlacementButton"_s));
    auto *dialog = form.findChild<PlacementDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    typeInto(dialog->pileTypeBox(), u"鋼矢板Ⅲ型"_s);
    typeInto(dialog->measureBox(&CutOffDetails::wallHeight), u"1.5"_s);
    typeInto(dialog->measureBox(&CutOffDetails::excavationWidth), u"2"_s);
    dialog->accept();
    QTRY_VERIFY(!form.findChild<PlacementDialog *>());
    QVERIFY(studyOf(form).cutOff == (CutOffDetails{u"鋼矢板Ⅲ型"_s, 1.5, std::nullopt, 2.0}));
    QCOMPARE(action(form, "undoAction")->text(), u"元に戻す：矢板の位置"_s);
    action(form, "undoAction")->trigger();
    QVERIFY(studyOf(form).cutOff == CutOffDetails{});
}

void TestMainWindow::undoRedo()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, steps);
    QFETCH(bool, hidesVertical);
    QFETCH(bool, hidesHorizontal);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    openExample(form, folder);
    const QStringList opened = studyShown(form);
    QVERIFY(!action(form, "undoAction")->isEnabled() && !action(form, "redoAction")->isEnabled());
    for (const QString &change : changes)
        makeChange(form, dialogs, change);
    const QStringList changed = studyShown(form);
    QVERIFY(changed != opened);
    QVERIFY(!isSaved(form) && form.isWindowModified());

    for (qsizetype i = steps.size() - 1; i >= 0; --i) {
        QCOMPARE(action(form, "undoAction")->text(), u"元に戻す："_s + steps[i]);
        action(form, "undoAction")->trigger();
        QCOMPARE(action(form, "redoAction")->text(), u"やり直し："_s + steps[i]);
    }
    QCOMPARE(studyShown(form), opened);
    QVERIFY(isSaved(form) && !form.isWindowModified());
    QCOMPARE(action(form, "undoAction")->text(), u"元に戻す"_s);
    QVERIFY(!action(form, "undoAction")->isEnabled());
    QCOMPARE(resultLine(form, Section::Vertical).verdict->isHidden(), hidesVertical);
    QCOMPARE(resultLine(form, Section::Horizontal).verdict->isHidden(), hidesHorizontal);

    for (int i = 0; i < steps.size(); ++i)
        action(form, "redoAction")->trigger();
    QCOMPARE(studyShown(form), changed);
    QVERIFY(!action(form, "redoAction")->isEnabled());
    QVERIFY(!isSaved(form));
    QVERIFY(dialogs.unanswered() == 0);
}

// The figures come and go with their section's result line, and a proposal
// cancelled changes nothing; its way is the tab's own, then the one last
// chosen there. The status line follows every change, each ＮＧ in red.
void TestMainWindow::designAid()
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    openExample(form, folder);
    const StudyCheck check = checkStudy(studyOf(form));
    for (Section section : Sections) {
        QCOMPARE(label(form, sectionPrefix(section) + u"Margin"_s)->text(), check.section(section).marginLabel());
        QCOMPARE(label(form, sectionPrefix(section) + u"AllowableHead"_s)->text().remove(u'\n'),
                 check.section(section).allowableHeadLabel());
        QVERIFY(proposalButton(form, section)->isEnabled());
    }
    const auto statusShown = [&form] {
        const QString html = label(form, u"statusLine"_s)->text();
        const QString text = statusLineText(checkStudy(studyOf(form)));
        return QTextDocumentFragment::fromHtml(html).toPlainText() == text
               && html.count(u"color:"_s) == text.count(verdictWord(false));
    };
    QVERIFY(statusShown());
    const auto proposalWay = [&form](Section section, std::optional<ProposalWay> chosen) {
        tabs(form)->setCurrentIndex(MainWindow::tabOf(section));
        clickButton(proposalButton(form, section));
        auto *dialog = form.findChild<ProposalDialog *>();
        const ProposalWay way = dialog->options().way;
        if (chosen)
            clickButton(dialog->ways()->button(int(*chosen)));
        dialog->reject();
        const bool gone = QTest::qWaitFor([&form] { return !form.findChild<ProposalDialog *>(); });
        return gone ? std::optional(way) : std::nullopt;
    };
    QCOMPARE(proposalWay(Section::Horizontal, ProposalWay::OneRow), ProposalWay::AllAlike);
    QCOMPARE(proposalWay(Section::Vertical, std::nullopt), ProposalWay::InOrder);
    QCOMPARE(proposalWay(Section::Horizontal, std::nullopt), ProposalWay::OneRow);
    QVERIFY(isSaved(form) && !action(form, "undoAction")->isEnabled());
    QCOMPARE(numberBox(form, horizontalBox(0))->text(), u"2.50"_s);

    makeChange(form, dialogs, u"tick h 0"_s);
    QVERIFY(label(form, u"horizontalMargin"_s)->isHidden());
    QVERIFY(label(form, u"horizontalAllowableHead"_s)->isHidden());
    QVERIFY(!label(form, u"verticalMargin"_s)->isHidden());
    QVERIFY(statusShown());
}

void TestMainWindow::proposalDialog_data()
{
    // The worked example's vertical piles 3.00 and 1.50, both ticked: ΣL 9 of the 15 needed.
    QTest::addColumn<double>("longestPile");
    QTest::addColumn<QString>("firstRow");  // 設置場所 | 打設長 | ×2 | 経路長
    QTest::addColumn<bool>("applicable");
    QTest::newRow("the first pile lengthened, its path twice")
        << 99.99 << u"1 行目|3.00 → 6.00|○|6.00 → 12.00"_s << true;
    QTest::newRow("out of reach: nothing to apply") << 3.5 << u"1 行目|3.00 → 3.50|○|6.00 → 7.00"_s << false;
}

// The dialog opens on steps of 0.5 m; a ticked pile's path grows twice its length.
void TestMainWindow::proposalDialog()
{
    QFETCH(double, longestPile);
    QFETCH(QString, firstRow);
    QFETCH(bool, applicable);
    ProposalDialog dialog(workedExample(), Section::Vertical, ProposalWay::InOrder);
    QCOMPARE(dialog.options().stepCentimetres, 50);
    dialog.longestPileBox()->setValue(longestPile);
    QStringList cells;
    for (int column = 0; column < dialog.table()->columnCount(); ++column)
        cells << dialog.table()->item(0, column)->text();
    QCOMPARE(cells.join(u'|'), firstRow);
    QCOMPARE(dialog.applyButton()->isEnabled(), applicable);
}

void TestMainWindow::undoKeys_data()
{
    // "type N TEXT" without leaving, "enter N", "元に戻す…" chosen from the 編集 menu, or a key sequence.
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("dimension1");
    QTest::addColumn<QString>("dimension2");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("redo");  // the やり直し command's text
    QTest::newRow("Ctrl+Z undoes the box's own typing") << QStringList{u"type 1 7"_s, u"Ctrl+Z"_s}
                                                        << u"3.00"_s << u"2.00"_s << true << u"やり直し"_s;
    QTest::newRow("then the study's step")
        << QStringList{u"type 0 5"_s, u"enter 0"_s, u"type 1 7"_s, u"Ctrl+Z"_s, u"Ctrl+Z"_s}
        << u"3.00"_s << u"2.00"_s << true << u"やり直し：寸法の入力"_s;
    // From the menu the typing is a step of its own, undone whole.
    QTest::newRow("元に戻す from the menu while typing") << QStringList{u"type 0 5"_s, u"元に戻す：寸法の入力"_s} << u"3.00"_s
                                                          << u"2.00"_s << true << u"やり直し：寸法の入力"_s;
    QTest::newRow("Ctrl+Y redoes it") << QStringList{u"type 0 5"_s, u"enter 0"_s, u"Ctrl+Z"_s, u"Ctrl+Y"_s}
                                      << u"5.00"_s << u"2.00"_s << false << u"やり直し"_s;
    QTest::newRow("Ctrl+Shift+Z redoes it")
        << QStringList{u"type 0 5"_s, u"enter 0"_s, u"Ctrl+Z"_s, u"Ctrl+Shift+Z"_s} << u"5.00"_s << u"2.00"_s << false
        << u"やり直し"_s;
    QTest::newRow("typing after an undo ends the redo steps")
        << QStringList{u"type 0 5"_s, u"enter 0"_s, u"Ctrl+Z"_s, u"type 1 7"_s, u"Ctrl+Y"_s}
        << u"3.00"_s << u"7"_s << false << u"やり直し"_s;
}

// The history's keys in the boxes: the box's own typing first, then the study's.
void TestMainWindow::undoKeys()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, dimension1);
    QFETCH(QString, dimension2);
    QFETCH(bool, saved);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showActive(form));
    openExample(form, folder);
    for (const QString &key : keys) {
        QLineEdit *box = numberBox(form, key.section(u' ', 1, 1).toInt());
        if (key.startsWith(u"type"))
            typeInto(box, key.section(u' ', 2));
        else if (key.startsWith(u"enter"))
            pressEnter(box);
        else if (key.startsWith(u"元に戻す"))
            QVERIFY2(chooseFromMenu(form, u"編集(&E)"_s, key), qPrintable(key));
        else
            QTest::keySequence(focusedWidget(), QKeySequence(key));
    }
    QCOMPARE(numberBox(form, 0)->text(), dimension1);
    QCOMPARE(numberBox(form, 1)->text(), dimension2);
    QCOMPARE(isSaved(form), saved);
    QTEST(action(form, "redoAction")->text(), "redo");
    QVERIFY(dialogs.asked().isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
