// The main window's menus, its first tab and the boxes every tab is built
// from; the pile tabs are PileTab's (piletab.cpp). Behaviour lives in
// mainwindow.cpp.

#include "app/mainwindow.h"

#include "app/controls.h"
#include "app/broughtintext.h"
#include "app/twips.h"
#include "study/fieldrules.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace talven {

namespace {

const QColor DimensionColour(255, 192, 192);   // member dimensions, vertical lengths
const QColor WaterLevelColour(192, 255, 255);  // water levels, horizontal lengths

// The colour of a group's boxes; the ratio box has the style's own.
std::optional<QColor> boxColour(BoxGroup group)
{
    switch (group) {
    case BoxGroup::Dimensions:
    case BoxGroup::VerticalPiles:
        return DimensionColour;
    case BoxGroup::WaterLevels:
    case BoxGroup::HorizontalPiles:
        return WaterLevelColour;
    case BoxGroup::CreepRatio:
        break;
    }
    return std::nullopt;
}

}  // namespace

QLineEdit *MainWindow::newNumberBox(int index)
{
    auto *box = new QLineEdit;
    box->setObjectName(indexed("numberBox", index));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12);
    box->setMaximumWidth(box->minimumWidth() + 20);
    if (const std::optional<QColor> colour = boxColour(groupOfBox(index).group)) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, *colour);
        palette.setColor(QPalette::Text, Qt::black);
        box->setPalette(palette);
    }
    box->installEventFilter(this);
    new BroughtInText(box, numberBoxMaxLength(index), [index](QChar character) {
        return numberBoxAccepts(index, character);
    });
    numberBoxes_[index] = box;
    return box;
}

QLineEdit *MainWindow::newNameBox(int index)
{
    auto *box = new QLineEdit;
    box->setObjectName(indexed("nameBox", index));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(NameBoxMaxLength, u'漢')) + 12);
    box->installEventFilter(this);
    new BroughtInText(box, NameBoxMaxLength);
    nameBoxes_[index] = box;
    return box;
}

void MainWindow::createActions()
{
    auto action = [this](const QString &text, const char *name, QKeyCombination shortcut = {}) {
        auto *created = new QAction(text, this);
        created->setObjectName(QLatin1StringView(name));
        if (shortcut != QKeyCombination())
            created->setShortcut(QKeySequence(shortcut));
        return created;
    };
    newAction_ = action(QStringLiteral("新規作成(&N)"), "newAction", Qt::CTRL | Qt::Key_N);
    openAction_ = action(QStringLiteral("開く(&O)"), "openAction", Qt::CTRL | Qt::Key_O);
    saveAction_ = action(QStringLiteral("保存(&S)"), "saveAction", Qt::CTRL | Qt::Key_S);
    reportSettingsAction_ = action(QStringLiteral("帳票の設定(&T)…"), "reportSettingsAction");
    previewAction_ = action(QStringLiteral("印刷プレビュー(&V)"), "previewAction");
    printAction_ = action(QStringLiteral("印刷(&P)"), "printAction", Qt::CTRL | Qt::Key_P);
    // Ctrl+X, not the desktop's Quit key: the program's users know it so.
    exitAction_ = action(QStringLiteral("終了(&X)"), "exitAction", Qt::CTRL | Qt::Key_X);
    // Their texts name the step they undo or redo ("元に戻す：寸法の入力").
    undoAction_ = action(QStringLiteral("元に戻す"), "undoAction", Qt::CTRL | Qt::Key_Z);
    redoAction_ = action(QStringLiteral("やり直し"), "redoAction", Qt::CTRL | Qt::Key_Y);
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    clearNumbersAction_ = action(QStringLiteral("数値のみクリア(&Q)"), "clearNumbersAction");
    helpAction_ = action(QStringLiteral("ヘルプ(&H)"), "helpAction");
    versionAction_ = action(QStringLiteral("バージョン情報(&A)"), "versionAction");
}

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(newAction_);
    file->addSeparator();
    file->addAction(openAction_);
    file->addAction(saveAction_);
    file->addSeparator();
    file->addAction(reportSettingsAction_);
    file->addAction(previewAction_);
    file->addAction(printAction_);
    file->addSeparator();
    recentMenu_ = file->addMenu(QStringLiteral("最近使ったファイル(&R)"));
    recentMenu_->menuAction()->setObjectName(QStringLiteral("recentMenu"));
    recentMenu_->setToolTipsVisible(true);  // the full paths
    file->addSeparator();
    file->addAction(exitAction_);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->addAction(undoAction_);
    edit->addAction(redoAction_);
    edit->addSeparator();
    edit->addAction(clearNumbersAction_);

    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(helpAction_);
    help->addSeparator();
    help->addAction(versionAction_);
}

// A group's rows under a header row: name box, then its number box. Returns
// the row below them.
int MainWindow::addRows(QGridLayout *grid, const BoxGroupInfo &group)
{
    for (int row = 0; row < group.count; ++row) {
        grid->addWidget(newNameBox(group.firstName + row), row + 1, 0);
        grid->addWidget(newNumberBox(group.firstBox + row), row + 1, 1, Qt::AlignRight);
    }
    return group.count + 1;
}

QWidget *MainWindow::buildMethodTab()
{
    auto *page = new QWidget;

    // The formula.
    auto *formulaFrame = new QGroupBox(QStringLiteral("検討に使う計算式"));
    formulaFrame->setObjectName(QStringLiteral("formulaFrame"));
    auto *formulaLayout = new QGridLayout(formulaFrame);
    blighButton_ = new QRadioButton(formulaName(Formula::Bligh));
    blighButton_->setObjectName(QStringLiteral("blighButton"));
    laneButton_ = new QRadioButton(formulaName(Formula::Lane));
    laneButton_->setObjectName(QStringLiteral("laneButton"));
    formulaLayout->addWidget(blighButton_, 0, 0, Qt::AlignLeft);
    formulaLayout->addWidget(laneButton_, 1, 0, Qt::AlignLeft);
    formulaNumeratorLabel_ = newLabel(QString(), "formulaNumeratorLabel");
    formulaNumeratorLabel_->setAlignment(Qt::AlignCenter);
    auto *formulaRule = new QFrame;
    formulaRule->setFrameShape(QFrame::HLine);
    formulaRule->setFrameShadow(QFrame::Plain);
    auto *formulaDenominator = newLabel(QStringLiteral("⊿H"));
    formulaDenominator->setAlignment(Qt::AlignCenter);
    auto *formulaLead = newLabel(QStringLiteral("Ｃ ≦"));
    formulaLead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *fraction = new QVBoxLayout;
    fraction->setSpacing(1);
    fraction->addWidget(formulaNumeratorLabel_);
    fraction->addWidget(formulaRule);
    fraction->addWidget(formulaDenominator);
    formulaLayout->addWidget(formulaLead, 0, 1, 2, 1);
    formulaLayout->addLayout(fraction, 0, 2, 2, 1);
    formulaLayout->setColumnStretch(0, 1);

    // The three member dimensions and L.
    auto *shapeFrame = new QGroupBox(QStringLiteral("形状寸法"));
    shapeFrame->setObjectName(QStringLiteral("dimensionFrame"));
    auto *shapeLayout = new QGridLayout(shapeFrame);
    shapeLayout->addWidget(newLabel(QStringLiteral("部材名称")), 0, 0);
    shapeLayout->addWidget(newLabel(QStringLiteral("寸法 (m)")), 0, 1, Qt::AlignRight);
    const int totalRow = addRows(shapeLayout, boxGroup(BoxGroup::Dimensions));
    memberTotalLabel_ = valueLabel("memberTotalLabel");
    shapeLayout->addWidget(newLabel(QStringLiteral("Ｌ = ")), totalRow, 0, Qt::AlignRight);
    shapeLayout->addWidget(memberTotalLabel_, totalRow, 1);

    // The two water levels and ΔH.
    auto *levelFrame = new QGroupBox(QStringLiteral("水位差"));
    levelFrame->setObjectName(QStringLiteral("waterLevelFrame"));
    auto *levelLayout = new QGridLayout(levelFrame);
    levelLayout->addWidget(newLabel(QStringLiteral("水位名称")), 0, 0);
    levelLayout->addWidget(newLabel(QStringLiteral("( EL = )")), 0, 1, Qt::AlignRight);
    const int differenceRow = addRows(levelLayout, boxGroup(BoxGroup::WaterLevels));
    headDifferenceLabel_ = valueLabel("headDifferenceLabel");
    levelLayout->addWidget(newLabel(QStringLiteral("⊿H　=")), differenceRow, 0, Qt::AlignRight);
    levelLayout->addWidget(headDifferenceLabel_, differenceRow, 1);

    // The soil class and the creep ratio.
    auto *soil = new QGridLayout;
    auto *soilCaption = newLabel(QStringLiteral("土質の区分"), "soilClassCaption");
    soilClassList_ = new QListWidget;
    soilClassList_->setObjectName(QStringLiteral("soilClassList"));
    soilClassList_->setSelectionMode(QAbstractItemView::SingleSelection);
    creepRatioCaption_ = newLabel(QString(), "creepRatioCaption");
    soil->addWidget(soilCaption, 0, 0, 1, 2);
    soil->addWidget(inWholeRows(soilClassList_, 4), 1, 0, 1, 2);
    soil->addWidget(creepRatioCaption_, 2, 0, Qt::AlignRight);
    soil->addWidget(newNumberBox(CreepRatioBox), 2, 1);
    soil->setColumnStretch(0, 1);
    soil->setRowStretch(1, 1);

    auto *figureCaption = newLabel(QStringLiteral("形状寸法・水位差(樋門の例)"), "methodFigureCaption");
    toVerticalButton_ = newButton(QStringLiteral("次へ"), "toVerticalButton");

    auto *left = new QVBoxLayout;
    left->addWidget(formulaFrame);
    left->addWidget(shapeFrame);
    left->addWidget(levelFrame);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(figureWithCaption(figureCaption, newFigure(ExampleFigure::Drawing::Method, "methodFigure")), 3);
    right->addLayout(soil, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(toVerticalButton_);
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return page;
}

void MainWindow::buildTabs()
{
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    // Created tab by tab, row by row: this is also the Tab-key order.
    tabs_->addTab(buildMethodTab(), QStringLiteral("検討方法・諸数値の設定"));
    const auto nameBox = [this](int index) { return newNameBox(index); };
    const auto numberBox = [this](int index) { return newNumberBox(index); };
    for (Section section : Sections) {
        pileTabs_[std::size_t(section)] = new PileTab(section, nameBox, numberBox);
        tabs_->addTab(pileTab(section), sectionName(section) + QStringLiteral("の計算"));
    }

    auto *client = new QWidget;
    auto *layout = new QVBoxLayout(client);
    const int margin = twipsX(this, 120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(tabs_);
    setCentralWidget(client);
}

}  // namespace talven
