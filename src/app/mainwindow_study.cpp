// The main window's tabs: every edit of the study through the functions of
// study/, and the window redrawn from the study value.
#include "app/mainwindow.h"

#include "app/casedialog.h"
#include "app/controls.h"
#include "app/methodpage.h"
#include "app/piletab.h"
#include "app/placementdialog.h"
#include "app/proposaldialog.h"
#include "app/studyboxes.h"
#include "app/studydocument.h"
#include "app/twips.h"
#include "check/studycheck.h"
#include "dialogs/dialogservice.h"

#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace talven {

static_assert(MainWindow::tabOf(Section::Vertical) == MainWindow::VerticalTab
              && MainWindow::tabOf(Section::Horizontal) == MainWindow::HorizontalTab);

void MainWindow::buildTabs()
{
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    // Created tab by tab, row by row: this is also the Tab-key order.
    methodPage_ = new MethodPage(*boxes_);
    tabs_->addTab(methodPage_, QStringLiteral("検討方法・諸数値の設定"));
    for (Section section : Sections) {
        pileTabs_[std::size_t(section)] = new PileTab(section, *boxes_);
        tabs_->addTab(pileTab(section), sectionName(section) + QStringLiteral("の計算"));
        proposalWays_[std::size_t(section)] = defaultProposalWay(section);
    }
    boxes_->setAfterRatioBox(methodPage_->nextButton());

    // One line under the tabs, which the window grows by: the tabs keep their size.
    statusLine_ = newLabel(QString(), "statusLine");
    statusLine_->setTextFormat(Qt::RichText);
    statusLine_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto *client = new QWidget;
    auto *layout = new QVBoxLayout(client);
    const int margin = twipsX(this, 120);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(tabs_);
    layout->addWidget(statusLine_);
    setCentralWidget(client);
}

void MainWindow::connectStudy()
{
    connect(document_, &StudyDocument::studyChanged, this, &MainWindow::showStudy);
    connect(document_, &StudyDocument::stateChanged, this, &MainWindow::updateDocumentState);
    connect(document_, &StudyDocument::fileUsed, this, &MainWindow::rememberStudy);

    connect(boxes_, &StudyBoxes::numberEdited, this, &MainWindow::onNumberEdited);
    connect(boxes_, &StudyBoxes::nameEdited, this, [this](int index) {
        if (showing_ == 0)
            document_->edit(writeNameBox(document_->study(), index, boxes_->nameBox(index)->text()), nameTypingStep());
    });
    connect(boxes_, &StudyBoxes::numberBoxLeft, this, &MainWindow::onNumberBoxLeft);
    connect(boxes_, &StudyBoxes::nameBoxLeft, document_, &StudyDocument::commit);
    // The Tab key walks the boxes of the current tab only.
    connect(boxes_, &StudyBoxes::boxEntered, this, [this] {
        boxes_->setTabStops(tabs_->currentIndex());
        if (tabs_->currentIndex() != MethodTab)
            methodPage_->leaveTabOrder();
    });
    connect(boxes_, &StudyBoxes::fileDragged, this, &MainWindow::takeFileDrag);

    connect(methodPage_, &MethodPage::formulaChosen, this, &MainWindow::onFormulaChosen);
    connect(methodPage_, &MethodPage::soilClassChosen, this, &MainWindow::onSoilClassChosen);
    connect(methodPage_, &MethodPage::casesRequested, this, &MainWindow::editCases);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        const int previous = currentTab_;
        currentTab_ = tab;
        onTabChanged(previous);
    });
    const auto goTo = [this](Tab tab) { return [this, tab] { tabs_->setCurrentIndex(tab); }; };
    connect(methodPage_->nextButton(), &QPushButton::clicked, this, goTo(VerticalTab));
    connect(pileTab(Section::Vertical)->backButton(), &QPushButton::clicked, this, goTo(MethodTab));
    connect(pileTab(Section::Vertical)->nextButton(), &QPushButton::clicked, this, goTo(HorizontalTab));
    connect(pileTab(Section::Horizontal)->backButton(), &QPushButton::clicked, this, goTo(VerticalTab));
    // The tab's own preview button neither checks the study nor blocks the window.
    connect(pileTab(Section::Horizontal)->nextButton(), &QPushButton::clicked, this, [this] { showPreview(false); });
    for (Section section : Sections) {
        PileTab *tab = pileTab(section);
        connect(tab, &PileTab::doubleTickToggled, this, [this, section](int row, bool ticked) {
            document_->change(QStringLiteral("「×2」の切り替え"), setDoubleTick(document_->study(), section, row, ticked));
        });
        connect(tab->showResultButton(), &QPushButton::clicked, this,
                [this, tab] { tab->showResult(checkStudy(document_->study())); });
        connect(tab->proposalButton(), &QPushButton::clicked, this, [this, section] { proposePileLengths(section); });
    }
    connect(pileTab(Section::Vertical)->placementButton(), &QPushButton::clicked, this, &MainWindow::placePiles);
}

// The edit's messages first, as they come while the box still shows what
// was typed; then the study, then the box the edit sends the user to. A
// refused text may leave the study as it was: the box shows the study's.
void MainWindow::apply(const StudyEdit &edit, const QString &step)
{
    for (const Message &message : edit.messages)
        showMessage(message);
    if (!document_->edit(edit.study, step))
        showStudy();
    if (edit.focusBox >= 0)
        boxes_->numberBox(edit.focusBox)->setFocus();
}

void MainWindow::onNumberEdited(int box)
{
    if (showing_ == 0)
        apply(writeNumberBox(document_->study(), box, boxes_->numberBox(box)->text()), numberTypingStep(box));
}

// Leaving a box writes every number back with two decimals and makes the
// typing one step of the history.
void MainWindow::onNumberBoxLeft(int box)
{
    const StudyEdit refreshed = refreshBoxes(document_->study());
    // Typing already made a step (a save or a tick while in the box): the
    // two decimals change only how its numbers are written.
    if (!document_->isTyping() && refreshed.messages.empty() && refreshed.study.record == document_->study().record) {
        document_->reformat(refreshed.study);
        return;
    }
    apply(refreshed, numberTypingStep(box));
    document_->commit();
}

void MainWindow::onFormulaChosen(Formula formula)
{
    document_->change(QStringLiteral("計算式の選択"), chooseFormula(document_->study(), formula));
}

void MainWindow::onSoilClassChosen(int soilClass)
{
    document_->commit();
    apply(chooseSoilClass(document_->study(), soilClass), QStringLiteral("土質の区分の選択"));
    document_->commit();
}

void MainWindow::onTabChanged(int previousTab)
{
    // Only leaving the first tab is checked; the nested re-selection of tab 0
    // below comes back here as a change away from tab 1 or 2.
    if (previousTab == MethodTab) {
        const StudyCheck check = checkStudy(document_->study());
        if (!check.ready()) {
            showMessage(firstTabProblemMessage(check.readiness()));
            tabs_->setCurrentIndex(MethodTab);
            if (check.readiness() == Readiness::NoCreepRatio)
                methodPage_->laneButton()->setFocus();
            else
                boxes_->numberBox(OuterWaterLevelBox)->setFocus();
            return;
        }
        for (Section section : Sections)
            pileTab(section)->showReferenceSigmaL(check.governingCase().referenceSigmaL);
    }
    const Tab tab = Tab(tabs_->currentIndex());
    const auto first = std::find_if(BoxGroups.begin(), BoxGroups.end(),
                                    [tab](const BoxGroupInfo &group) { return tabOf(group.section) == tab; });
    boxes_->numberBox(first->firstBox)->setFocus();
}

// Writes only what differs from the controls, and hides the result lines
// whose inputs changed.
void MainWindow::showStudy()
{
    const Study &study = document_->study();
    {
        const QScopedValueRollback writing(showing_, showing_ + 1);
        boxes_->show(study);
        methodPage_->show(study);
        for (Section section : Sections)
            pileTab(section)->showTicks(study.ticks(section));
    }
    const StudyCheck check = checkStudy(study);
    methodPage_->showTotals(check);
    for (Section section : Sections) {
        pileTab(section)->showTotals(check, study.record);
        if (sectionInputsDiffer(shown_, study, section))
            pileTab(section)->hideResult(numeratorCaption(study.formula));
    }
    // Spaces kept as they are: rich text would fold the wide one between the sections.
    const QString ng = verdictWord(false);
    const QString line = statusLineText(check).toHtmlEscaped().replace(
        ng, QStringLiteral("<span style=\"color:%1\">%2</span>").arg(QColor(Qt::red).name(), ng));
    statusLine_->setText(QStringLiteral("<span style=\"white-space:pre\">%1</span>").arg(line));
    shown_ = study;
}

void MainWindow::hideAllResults()
{
    for (Section section : Sections)
        pileTab(section)->hideResult(numeratorCaption(document_->study().formula));
}

// The dialog leaves the window usable underneath only for looking: it is
// window-modal. 適用 writes the lengths as typing would, as one step.
void MainWindow::proposePileLengths(Section section)
{
    auto *dialog = new ProposalDialog(document_->study(), section, proposalWays_[std::size_t(section)], this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The way chosen is this tab's next time, also after キャンセル.
    connect(dialog, &QDialog::finished, this,
            [this, dialog, section] { proposalWays_[std::size_t(section)] = dialog->options().way; });
    connect(dialog, &QDialog::accepted, this, [this, dialog, section] {
        document_->change(QStringLiteral("矢板長の提案"),
                          setPileLengths(document_->study(), section, dialog->proposal().lengths).study);
    });
    dialog->open();
}

// Window-modal, as the proposal: OK makes the cases one step of the study.
void MainWindow::editCases()
{
    auto *dialog = new CaseDialog(document_->study(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        document_->change(QStringLiteral("水位ケースの編集"), setCases(document_->study(), dialog->cases()).study);
    });
    dialog->open();
}

// Window-modal, as the cases: OK makes the stations and the level one step.
void MainWindow::placePiles()
{
    auto *dialog = new PlacementDialog(document_->study(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { document_->change(QStringLiteral("矢板の位置"), dialog->placement().study); });
    dialog->open();
}

}  // namespace talven
