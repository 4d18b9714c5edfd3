// The main window's behaviour: its controls' handlers, the window-held part
// of the study, the totals and results drawn from check(), the menus.
#include "app/mainwindow.h"

#include "app/helpwindow.h"
#include "app/proposaldialog.h"
#include "app/titlewindow.h"
#include "app/twips.h"
#include "dialogs/dialogservice.h"
#include "study/fieldrules.h"
#include "study/numbers.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QUndoStack>

#include <algorithm>

namespace talven {

static_assert(MainWindow::tabOf(Section::Vertical) == MainWindow::VerticalTab
              && MainWindow::tabOf(Section::Horizontal) == MainWindow::HorizontalTab);

MainWindow::MainWindow()
{
    setAcceptDrops(true);
    history_ = new QUndoStack(this);
    createActions();
    createMenus();
    buildTabs();
    connectControls();
    const QSize client(twipsX(this, 10080), twipsY(this, 7260));
    resize(QSize(client.width(), client.height() + menuBar()->sizeHint().height())
               .expandedTo(minimumSizeHint()));
    resetControlsAndRecord(false);
    setStudyPath(QString());
    startHistory();
    updateRecentMenu();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls()
{
    connect(newAction_, &QAction::triggered, this, &MainWindow::newStudy);
    connect(openAction_, &QAction::triggered, this, &MainWindow::openStudy);
    connect(saveAction_, &QAction::triggered, this, &MainWindow::saveStudy);
    connect(previewAction_, &QAction::triggered, this, &MainWindow::printPreview);
    connect(printAction_, &QAction::triggered, this, &MainWindow::printReport);
    connect(exitAction_, &QAction::triggered, this, &MainWindow::close);
    connect(clearNumbersAction_, &QAction::triggered, this, &MainWindow::clearNumbers);
    connect(undoAction_, &QAction::triggered, this, &MainWindow::undo);
    connect(redoAction_, &QAction::triggered, this, &MainWindow::redo);
    connect(history_, &QUndoStack::indexChanged, this, &MainWindow::updateDocumentState);
    connect(history_, &QUndoStack::cleanChanged, this, &MainWindow::updateDocumentState);
    connect(helpAction_, &QAction::triggered, this, &MainWindow::showHelp);
    connect(versionAction_, &QAction::triggered, this, &MainWindow::showVersion);
    connect(reportSettingsAction_, &QAction::triggered, this, &MainWindow::editReportSettings);

    connect(toVerticalButton_, &QPushButton::clicked, this, [this] { tabs_->setCurrentIndex(VerticalTab); });
    connect(toHorizontalButton(), &QPushButton::clicked, this, [this] { tabs_->setCurrentIndex(HorizontalTab); });
    connect(backToVerticalButton(), &QPushButton::clicked, this, [this] { tabs_->setCurrentIndex(VerticalTab); });
    connect(backToMethodButton(), &QPushButton::clicked, this, [this] { tabs_->setCurrentIndex(MethodTab); });
    // The tab's own preview button neither checks the study nor blocks the window.
    connect(previewButton(), &QPushButton::clicked, this, [this] { showPreview(false); });
    for (Section section : Sections) {
        connect(showResultButton(section), &QPushButton::clicked, this, [this, section] { showResult(section); });
        connect(pileTab(section)->proposalButton(), &QPushButton::clicked, this,
                [this, section] { proposePileLengths(section); });
        for (int row = 0; row < PileCount; ++row)
            connect(doubleTick(section, row), &QCheckBox::toggled, this,
                    [this, section, row] { onDoubleTickToggled(section, row); });
    }

    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        const int previous = currentTab_;
        currentTab_ = tab;
        onTabChanged(previous);
    });
    for (Formula formula : {Formula::Bligh, Formula::Lane}) {
        connect(formulaButton(formula), &QRadioButton::toggled, this, [this, formula](bool checked) {
            if (checked)
                onFormulaSelected(formula);
        });
    }
    connect(soilClassList_, &QListWidget::itemSelectionChanged, this, &MainWindow::onSoilClassSelected);
    for (int i = 0; i < NumberBoxCount; ++i)
        connect(numberBoxes_[i], &QLineEdit::textChanged, this, [this, i] { onNumberEdited(i); });
    for (int i = 0; i < NameCount; ++i)
        connect(nameBoxes_[i], &QLineEdit::textChanged, this, [this, i] { onNameEdited(i); });
}

QRadioButton *MainWindow::formulaButton(Formula formula) const
{
    return formula == Formula::Bligh ? blighButton_ : laneButton_;
}

std::array<QLabel *, 4> MainWindow::totalLabels() const
{
    return {memberTotalLabel_, headDifferenceLabel_, pileTab(Section::Vertical)->sigmaLLabel(),
            pileTab(Section::Horizontal)->sigmaLLabel()};
}

// ---- the window-held part of the study ----

StudyInput MainWindow::studyInput() const
{
    StudyInput input;
    input.record = study_;
    input.formula = selectedFormula();
    input.listIndex = listIndex();
    input.verticalTicks = pileTab(Section::Vertical)->ticks();
    input.horizontalTicks = pileTab(Section::Horizontal)->ticks();
    return input;
}

Formula MainWindow::selectedFormula() const
{
    return blighButton_->isChecked() ? Formula::Bligh : Formula::Lane;
}

int MainWindow::listIndex() const
{
    const QList<QListWidgetItem *> selected = soilClassList_->selectedItems();
    return selected.isEmpty() ? -1 : soilClassList_->row(selected.front());
}

bool MainWindow::ratioEditable() const
{
    return !numberBoxes_[CreepRatioBox]->isReadOnly();
}

void MainWindow::selectFormula(Formula formula)
{
    QRadioButton *button = formulaButton(formula);
    if (button->isChecked())
        onFormulaSelected(formula);
    else
        button->setChecked(true);
}

void MainWindow::setListIndex(int index)
{
    if (index < 0) {
        soilClassList_->clearSelection();
        soilClassList_->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    } else {
        soilClassList_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
}

void MainWindow::setRatioEditable(bool editable)
{
    QLineEdit *box = numberBoxes_[CreepRatioBox];
    box->setReadOnly(!editable);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);  // setReadOnly turns it back on
}

// ---- reset, refresh ----

void MainWindow::resetStudy(bool keepNames)
{
    study_.methodCode = 0.0;
    resetControlsAndRecord(keepNames);
}

// What a new window, New and Clear share; a new window leaves methodCode as it is.
void MainWindow::resetControlsAndRecord(bool keepNames)
{
    const QScopedValueRollback quiet(quietChanges_, quietChanges_ + 1);
    selectFormula(Formula::Lane);
    setListIndex(-1);
    setRatioEditable(false);
    if (!keepNames)
        study_.names.fill(QString());
    study_.baseValues.fill(0.0);
    study_.verticalLengths.fill(0.0);
    study_.horizontalLengths.fill(0.0);
    study_.doubleFlags.fill(1);
    refreshBoxes();
    tabs_->setCurrentIndex(MethodTab);
}

// Each write runs the control's own handler, so the record is stored again
// from the rounded texts.
void MainWindow::refreshBoxes()
{
    for (int row = 0; row < PileCount; ++row) {
        for (Section section : Sections)
            doubleTick(section, row)->setChecked(study_.doubleFlags[doubleFlagIndex(section, row)] == 1);
    }
    // Every row with a name; the ratio box is written by the formula and the
    // class. A first-tab row shows its name as stored, a pile row trimmed.
    for (int box = 0; box < NumberBoxCount; ++box) {
        const int name = nameBoxOfRow(box);
        if (name < 0)
            continue;
        const bool pile = groupOfBox(box).section.has_value();
        if (!pile)
            nameBoxes_[name]->setText(study_.names[name]);
        numberBoxes_[box]->setText(twoDecimals(numberField(study_, box)));
        if (pile)
            nameBoxes_[name]->setText(trimmedName(study_.names[name]));
    }
}

// ---- tabs ----

void MainWindow::onTabChanged(int previousTab)
{
    // Only leaving the first tab is checked; the nested re-selection of tab 0
    // below comes back here as a change away from tab 1 or 2.
    if (previousTab == MethodTab) {
        const StudyCheck check = this->check();
        if (!check.ready()) {
            showMessage(firstTabProblemMessage(check.readiness));
            tabs_->setCurrentIndex(MethodTab);
            if (check.readiness == Readiness::NoCreepRatio)
                laneButton_->setFocus();
            else
                numberBoxes_[OuterWaterLevelBox]->setFocus();
            return;
        }
        showReferenceSigmaL(check);
    }
    const Tab tab = Tab(tabs_->currentIndex());
    const auto first = std::find_if(BoxGroups.begin(), BoxGroups.end(),
                                    [tab](const BoxGroupInfo &group) { return tabOf(group.section) == tab; });
    numberBoxes_[first->firstBox]->setFocus();
}

void MainWindow::showReferenceSigmaL(const StudyCheck &check)
{
    for (Section section : Sections)
        referenceSigmaLLabel(section)->setText(check.referenceSigmaL);
}

// The Tab key walks the boxes of the current tab only.
void MainWindow::setTabStopsForCurrentTab()
{
    auto setStop = [](QWidget *widget, bool on) {
        widget->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QLineEdit *box : numberBoxes_)
        setStop(box, false);
    for (QLineEdit *box : nameBoxes_)
        setStop(box, false);
    const Tab tab = Tab(tabs_->currentIndex());
    for (const BoxGroupInfo &group : BoxGroups) {
        if (tabOf(group.section) != tab)
            continue;
        for (int box = group.firstBox; box <= group.lastBox(); ++box) {
            setStop(numberBoxes_[box], true);
            if (const int name = nameBoxOfRow(box); name >= 0)
                setStop(nameBoxes_[name], true);
        }
    }
    if (tab != MethodTab) {
        // Only ever turned off: back on tab 0 the formula buttons stay out of the Tab order.
        setStop(blighButton_, false);
        setStop(laneButton_, false);
    }
}

// ---- formula and soil class ----

void MainWindow::onFormulaSelected(Formula formula)
{
    {
        // Emptying the list is not a choice of class.
        const QSignalBlocker quiet(soilClassList_);
        soilClassList_->clear();
    }
    setRatioEditable(false);
    numberBoxes_[CreepRatioBox]->setText(emptyRatioText(formula));
    for (const SoilClass &soil : soilClasses(formula))
        soilClassList_->addItem(QString::fromUtf16(soil.listText));
    const QString numerator = numeratorCaption(formula);
    formulaNumeratorLabel_->setText(numerator);
    creepRatioCaption_->setText(ratioCaption(formula));
    for (Section section : Sections)
        pileTab(section)->showFormulaCaptions(numerator);
    commitChange(QStringLiteral("計算式の選択"));
}

// How a whole study's formula and class come into the window, from a file or
// from the undo history: each write runs its control's handler as a user's
// change would, and the class handler gives a ranged class `rangedRatio`.
void MainWindow::showMethod(Formula formula, int listIndex, const QString &ratioText, const QString &rangedRatio)
{
    selectFormula(formula);
    numberBoxes_[CreepRatioBox]->setText(ratioText);
    restoredRatio_ = rangedRatio;
    setListIndex(listIndex);
    restoredRatio_.reset();
}

void MainWindow::onSoilClassSelected()
{
    setRatioEditable(false);
    const Formula formula = selectedFormula();
    const int index = listIndex();
    QLineEdit *ratioBox = numberBoxes_[CreepRatioBox];
    if (isRangedClass(formula, index) && restoredRatio_) {
        // An opened study keeps the ratio it was saved with; the box checks it.
        setRatioEditable(true);
        emptyNumberBoxQuietly(CreepRatioBox);
        ratioBox->setText(*restoredRatio_);
    } else if (isRangedClass(formula, index)) {
        showMessage(rangedClassMessage());
        ratioBox->setText(QStringLiteral("5"));
        ratioBox->setFocus();
        setRatioEditable(true);
    } else if (index >= 0) {
        ratioBox->setText(QString::fromUtf16(soilClasses(formula)[index].ratioText));
    }
    commitChange(QStringLiteral("土質の区分の選択"));
}

// ---- totals and checks ----

// Every box stores its value on each change of its text, so the totals
// follow what the boxes show, keystroke by keystroke.
void MainWindow::updateTotals()
{
    const StudyCheck check = this->check();
    memberTotalLabel_->setText(check.structureLengthText);
    headDifferenceLabel_->setText(check.headDifferenceText);
    for (Section section : Sections) {
        pileTab(section)->sigmaLLabel()->setText(check.section(section).sigmaLText);
        pileTab(section)->proposalButton()->setEnabled(check.ready());
    }
}

void MainWindow::onDoubleTickToggled(Section section, int row)
{
    study_.doubleFlags[doubleFlagIndex(section, row)] = doubleTick(section, row)->isChecked() ? 1 : 0;
    hideResults(pileBox(section, row));
    updateTotals();
    commitChange(QStringLiteral("「×2」の切り替え"));
}

void MainWindow::showResult(Section section)
{
    pileTab(section)->showResult(check());
}

// The dialog leaves the window usable underneath only for looking: it is
// window-modal. 適用 writes the lengths as typing would, as one step.
void MainWindow::proposePileLengths(Section section)
{
    auto *dialog = new ProposalDialog(studyInput(), section, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, section] {
        const PileLengths lengths = dialog->proposal().lengths;
        changeStudy(QStringLiteral("矢板長の提案"), [&] {
            for (int row = 0; row < PileCount; ++row) {
                if (lengths[row] != pileLengths(study_, section)[row])
                    numberBox(pileBox(section, row))->setText(twoDecimals(lengths[row]));
            }
            refreshBoxes();
        });
    });
    dialog->open();
}

void MainWindow::hideResults(int box)
{
    const QString numerator = numeratorCaption(selectedFormula());
    for (Section section : Sections) {
        if (feedsSection(box, section))
            pileTab(section)->hideResult(numerator);
    }
}

// ---- menus ----

bool MainWindow::confirmDiscard(const QString &caption)
{
    return ask(QStringLiteral("作業中のデータは全て失われますがいいですか？"), caption);
}

void MainWindow::newStudy()
{
    if (!isSaved() && !confirmDiscard(QStringLiteral("タルヴェン・新規作成")))
        return;
    resetStudy(false);
    setStudyPath(QString());
    startHistory();
}

void MainWindow::clearNumbers()
{
    if (ask(QStringLiteral("名称以外は全て消去されますがいいですか？"), QStringLiteral("タルヴェン・数値のクリア")))
        changeStudy(QStringLiteral("数値のみクリア"), [this] { resetStudy(true); });
}

void MainWindow::showHelp()
{
    talven::showHelp(this);
}

void MainWindow::showVersion()
{
    TitleWindow::open(TitleWindow::Look::Version);
}

// Unsaved work is offered a save first; Yes quits only once it is saved.
bool MainWindow::confirmExit()
{
    const QString caption = QStringLiteral("タルヴェン・終了");
    if (isSaved())
        return ask(QStringLiteral("プログラムを終了しますか？"), caption);
    switch (askOrCancel(QStringLiteral("作業中のデータは保存されていません。保存してから終了しますか？"), caption)) {
    case Answer::Yes:
        return saveStudy();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends here, whatever other window is open.
    QCoreApplication::exit(0);
}

}  // namespace talven
