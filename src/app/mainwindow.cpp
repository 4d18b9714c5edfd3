#include "app/mainwindow.h"

#include "app/printreport.h"
#include "app/titlewindow.h"
#include "app/twips.h"
#include "dialogs/dialogservice.h"
#include "check/creepcheck.h"
#include "files/studyfile.h"
#include "study/fieldrules.h"
#include "study/methodcode.h"
#include "study/numbers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>

namespace talven {

namespace {

const QString HeadCaption = QStringLiteral("⊿H");

// The file dialogs' filter, written as pairs of "text|patterns|" and given to
// Qt as "text (patterns)"; each pattern also in capitals, since file names
// here are case-sensitive.
QString qtFileFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(u'|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            patterns << pattern;
            if (pattern.toUpper() != pattern)
                patterns << pattern.toUpper();
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

QString studyFileFilter()
{
    return qtFileFilter(QStringLiteral("タルヴェン機項目名ファイル (*.VEK)|*.vek|"));
}

QString twoDecimals(double value)
{
    return formatNumber(value, NumberPattern::TwoDecimals);
}

template <typename Array>
int indexOf(const Array &controls, const QObject *control)
{
    const auto found = std::find(controls.begin(), controls.end(), control);
    return found == controls.end() ? -1 : int(found - controls.begin());
}

bool isEnter(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Keys that edit or move without typing a character pass every filter.
bool isEditingKey(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    default:
        return key.text().isEmpty();
    }
}

bool isControlCharacter(QChar character)
{
    return character.unicode() < 0x20 || character.unicode() == 0x7f;
}

// How many more characters a box with a longest text of `longest` takes: the
// selection is replaced by what is typed.
int roomLeft(const QLineEdit &box, int longest)
{
    return longest - int(box.text().size() - box.selectedText().size());
}

// A message box, a menu or another program taking the focus, or giving it back.
bool isWindowSwitch(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// A focus change counts as leaving a box only when the focus goes to another
// control of the same window.
bool movesWithinWindow(const QFocusEvent &focus, const QWidget *window)
{
    if (isWindowSwitch(focus.reason()))
        return false;
    const QWidget *next = QApplication::focusWidget();
    return next && next->window() == window;
}

}  // namespace

MainWindow::MainWindow()
{
    setWindowTitle(applicationTitle());
    setAcceptDrops(true);
    createActions();
    createMenus();
    buildTabs();
    connectControls();
    const QSize client(twipsX(this, 10080), twipsY(this, 7260));
    resize(QSize(client.width(), client.height() + menuBar()->sizeHint().height())
               .expandedTo(minimumSizeHint()));
    resetControlsAndRecord(false);
}

MainWindow::~MainWindow() = default;

// The File commands keep their shortcuts inside the boxes: a box must not
// claim Ctrl+X (cut) and the others for itself.
bool MainWindow::isFileShortcut(const QKeyEvent &key) const
{
    const QKeySequence pressed(key.keyCombination());
    const QAction *fileCommands[] = {newAction_, openAction_, saveAction_, printAction_, exitAction_};
    return std::any_of(std::begin(fileCommands), std::end(fileCommands),
                       [&pressed](const QAction *command) { return command->shortcut() == pressed; });
}

void MainWindow::connectControls()
{
    connect(newAction_, &QAction::triggered, this, &MainWindow::newStudy);
    connect(openAction_, &QAction::triggered, this, &MainWindow::openStudy);
    connect(saveAction_, &QAction::triggered, this, &MainWindow::saveStudy);
    connect(previewAction_, &QAction::triggered, this, &MainWindow::printPreview);
    connect(printAction_, &QAction::triggered, this, &MainWindow::printReport);
    connect(exitAction_, &QAction::triggered, this, &MainWindow::close);
    connect(clearNumbersAction_, &QAction::triggered, this, &MainWindow::clearNumbers);
    connect(helpAction_, &QAction::triggered, this, &MainWindow::showHelp);
    connect(versionAction_, &QAction::triggered, this, &MainWindow::showVersion);

    connect(toVerticalButton_, &QPushButton::clicked, this, [this] { tabs_->setCurrentIndex(VerticalTab); });
    connect(toHorizontalButton_, &QPushButton::clicked, this, [this] { tabs_->setCurrentIndex(HorizontalTab); });
    connect(backToVerticalButton_, &QPushButton::clicked, this, [this] { tabs_->setCurrentIndex(VerticalTab); });
    connect(backToMethodButton_, &QPushButton::clicked, this, [this] { tabs_->setCurrentIndex(MethodTab); });
    // The tab's own preview button neither checks the study nor blocks the window.
    connect(previewButton_, &QPushButton::clicked, this, [this] { showPreview(false); });
    connect(showVerticalResultButton_, &QPushButton::clicked, this, [this] { showResult(Section::Vertical); });
    connect(showHorizontalResultButton_, &QPushButton::clicked, this,
            [this] { showResult(Section::Horizontal); });

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
    for (Section section : {Section::Vertical, Section::Horizontal}) {
        for (int i = 0; i < PileCount; ++i)
            connect(doubleTick(section, i), &QCheckBox::toggled, this,
                    [this, section, i] { onDoubleTickToggled(section, i); });
    }
    for (int i = 0; i < NumberBoxCount; ++i)
        connect(numberBoxes_[i], &QLineEdit::textChanged, this, [this, i] { onNumberEdited(i); });
    for (int i = 0; i < NameCount; ++i)
        connect(nameBoxes_[i], &QLineEdit::textChanged, this, [this, i] { onNameEdited(i); });
}

QCheckBox *MainWindow::doubleTick(Section section, int row) const
{
    return (section == Section::Vertical ? verticalDoubleTicks_ : horizontalDoubleTicks_).at(row);
}

QRadioButton *MainWindow::formulaButton(Formula formula) const
{
    return formula == Formula::Bligh ? blighButton_ : laneButton_;
}

std::array<QLabel *, 4> MainWindow::totalLabels() const
{
    return {memberTotalLabel_, headDifferenceLabel_, verticalSigmaLLabel_, horizontalSigmaLLabel_};
}

QLabel *MainWindow::referenceSigmaLLabel(Section section) const
{
    return section == Section::Vertical ? verticalReferenceSigmaL_ : horizontalReferenceSigmaL_;
}

const ResultLine &MainWindow::resultLine(Section section) const
{
    return section == Section::Vertical ? verticalResult_ : horizontalResult_;
}

QPushButton *MainWindow::showResultButton(Section section) const
{
    return section == Section::Vertical ? showVerticalResultButton_ : showHorizontalResultButton_;
}

// ---- the window-held part of the study ----

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
    currentStudy().methodCode = 0.0;
    resetControlsAndRecord(keepNames);
}

// What a new window, New and Clear share; a new window leaves methodCode as it is.
void MainWindow::resetControlsAndRecord(bool keepNames)
{
    selectFormula(Formula::Lane);
    setListIndex(-1);
    setRatioEditable(false);
    StudyRecord &record = currentStudy();
    if (!keepNames)
        record.names.fill(QString());
    record.baseValues.fill(0.0);
    record.verticalLengths.fill(0.0);
    record.horizontalLengths.fill(0.0);
    record.doubleFlags.fill(1);
    refreshBoxes();
    tabs_->setCurrentIndex(MethodTab);
    // Every write above marked the study changed; it is unchanged now.
    record.saved = true;
}

// Each write runs the control's own handler, so the record is stored again
// from the rounded texts.
void MainWindow::refreshBoxes()
{
    const StudyRecord &record = currentStudy();
    for (int i = 0; i < PileCount; ++i) {
        verticalDoubleTicks_[i]->setChecked(record.doubleFlags[i] == 1);
        horizontalDoubleTicks_[i]->setChecked(record.doubleFlags[i + PileCount] == 1);
    }
    for (int i = 0; i < BaseValueCount; ++i) {
        nameBoxes_[i]->setText(record.names[i]);
        numberBoxes_[i]->setText(twoDecimals(record.baseValues[i]));
    }
    for (int i = FirstVerticalPileBox; i < FirstVerticalPileBox + PileCount; ++i) {
        numberBoxes_[i]->setText(twoDecimals(record.verticalLengths[i - FirstVerticalPileBox]));
        nameBoxes_[i - 1]->setText(trimmedName(record.names[i - 1]));
    }
    for (int i = FirstHorizontalPileBox; i < NumberBoxCount; ++i) {
        numberBoxes_[i]->setText(twoDecimals(record.horizontalLengths[i - FirstHorizontalPileBox]));
        nameBoxes_[i - 1]->setText(trimmedName(record.names[i - 1]));
    }
}

// ---- menus and buttons ----

bool MainWindow::confirmDiscard(const QString &caption)
{
    return ask(QStringLiteral("作業中のデータは全て失われますがいいですか？"), caption);
}

bool MainWindow::refuseReport()
{
    if (!reportNotReady(currentStudy()))
        return false;
    showMessage(reportNotReadyMessage());
    return true;
}

void MainWindow::newStudy()
{
    if (!currentStudy().saved && !confirmDiscard(QStringLiteral("タルヴェン・新規作成")))
        return;
    resetStudy(false);
}

void MainWindow::openStudy()
{
    if (!confirmOpen())
        return;
    const QString chosen = dialogService().openFileName(this, dialogFolder(), studyFileFilter());
    finishOpen(!chosen.isEmpty() && restoreStudyFile(chosen));
}

bool MainWindow::confirmOpen()
{
    return currentStudy().saved || confirmDiscard(QStringLiteral("タルヴェン・開く"));
}

void MainWindow::finishOpen(bool opened)
{
    // Also after a cancelled dialog or a refused file.
    tabs_->setCurrentIndex(MethodTab);
    if (opened)
        currentStudy().saved = true;
}

void MainWindow::saveStudy()
{
    if (saveStudyFile())
        currentStudy().saved = true;
}

void MainWindow::printPreview()
{
    if (!refuseReport())
        showPreview(true);
}

// File > Print: the dialog offers the whole document on a printer and nothing else.
void MainWindow::printReport()
{
    if (!refuseReport())
        talven::printReport(this, currentReportInput(), true);
}

void MainWindow::clearNumbers()
{
    if (ask(QStringLiteral("名称以外は全て消去されますがいいですか？"), QStringLiteral("タルヴェン・数値のクリア")))
        resetStudy(true);
}

void MainWindow::showHelp()
{
    talven::showHelp(this);
}

void MainWindow::showVersion()
{
    TitleWindow::open();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!ask(QStringLiteral("プログラムを終了しますか？"), QStringLiteral("タルヴェン・終了"))) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends here, whatever other window is open, and saves nothing.
    QCoreApplication::exit(0);
}

// ---- study files ----

bool MainWindow::saveStudyFile()
{
    const QString chosen = dialogService().saveFileName(this, dialogFolder(), QStringLiteral("新規タイトル"),
                                                   studyFileFilter());
    if (chosen.isEmpty())
        return false;
    const QString target = withStudyExtension(chosen);
    if (target != chosen && QFileInfo::exists(target) && !showMessage(overwriteQuestion(target)))
        return false;
    const double methodCode =
        buildMethodCode(selectedFormula(), listIndex(), leadingNumber(numberBoxes_[CreepRatioBox]->text()));
    StudyFileContent content;
    for (int i = 0; i < NameCount; ++i)
        content.names[i] = nameBoxes_[i]->text();
    for (int i = 0; i < NumberBoxCount; ++i)
        content.numberTexts[i] = numberBoxes_[i]->text();
    content.methodCode = methodCode;
    content.doubleFlags = currentStudy().doubleFlags;
    if (const std::optional<Message> refusal = writeStudyFile(target, content)) {
        showMessage(*refusal);
        return false;
    }
    currentStudy().methodCode = methodCode;
    lastStudyFolder_ = QFileInfo(target).absolutePath();
    return true;
}

bool MainWindow::restoreStudyFile(const QString &path)
{
    const StudyFileReadResult read = readStudyFile(path);
    const auto *parsed = std::get_if<ParsedStudy>(&read);
    if (!parsed) {
        showMessage(readErrorMessage());
        return false;
    }

    // A box being left runs its handling on the study it belongs to, before
    // that study is replaced.
    tabs_->setFocus();
    takeOverStudy(currentStudy(), *parsed);

    // Each write runs its control's handler as a user's change would; the
    // class handler gives the ranged class the stored ratio back.
    selectFormula(parsed->method.formula);
    numberBoxes_[CreepRatioBox]->setText(parsed->method.ratioText);
    restoredRatio_ = restoredRatioText(parsed->method);
    setListIndex(parsed->method.listIndex);
    restoredRatio_.reset();
    // Every number box is rewritten and checked, also where it already
    // showed the text the record now gives.
    for (int i = 0; i < NumberBoxCount; ++i) {
        if (i != CreepRatioBox)
            emptyNumberBoxQuietly(i);
    }
    refreshBoxes();
    nameBoxes_[0]->setFocus();
    lastStudyFolder_ = QFileInfo(path).absolutePath();
    return true;
}

// Empties a box without running its handlers, so that the next write is a
// change and meets the box's check.
void MainWindow::emptyNumberBoxQuietly(int index)
{
    const QSignalBlocker quiet(numberBoxes_[index]);
    numberBoxes_[index]->clear();
}

// ---- tabs ----

void MainWindow::onTabChanged(int previousTab)
{
    const StudyRecord &record = currentStudy();
    const double head = headDifference(record.baseValues);
    // Only leaving the first tab is checked; the nested re-selection of tab 0
    // below comes back here as a change away from tab 1 or 2.
    if (previousTab == MethodTab) {
        const int problem = firstTabProblem(head, record.creepRatio);
        if (problem != 0) {
            showMessage(firstTabProblemMessage(problem));
            tabs_->setCurrentIndex(MethodTab);
            if (problem == 2)
                laneButton_->setFocus();
            else
                numberBoxes_[OuterWaterLevelBox]->setFocus();
            return;
        }
        const QString reference = referenceSigmaLText(
            selectedFormula(), record.creepRatio, seepageLength(record.baseValues), head);
        verticalReferenceSigmaL_->setText(reference);
        horizontalReferenceSigmaL_->setText(reference);
    }
    const int firstBox[] = {0, FirstVerticalPileBox, FirstHorizontalPileBox};  // by tab
    numberBoxes_[firstBox[tabs_->currentIndex()]]->setFocus();
}

void MainWindow::setTabStopsForCurrentTab()
{
    auto setStop = [](QWidget *widget, bool on) {
        widget->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QLineEdit *box : numberBoxes_)
        setStop(box, false);
    for (QLineEdit *box : nameBoxes_)
        setStop(box, false);
    switch (tabs_->currentIndex()) {
    case MethodTab:
        for (int i = 0; i <= CreepRatioBox; ++i)
            setStop(numberBoxes_[i], true);
        for (int i = 0; i < FirstVerticalPileName; ++i)
            setStop(nameBoxes_[i], true);
        break;
    case VerticalTab:
    case HorizontalTab: {
        const bool vertical = tabs_->currentIndex() == VerticalTab;
        const int firstName = vertical ? FirstVerticalPileName : FirstHorizontalPileName;
        const int firstBox = vertical ? FirstVerticalPileBox : FirstHorizontalPileBox;
        for (int i = 0; i < PileCount; ++i) {
            setStop(nameBoxes_[firstName + i], true);
            setStop(numberBoxes_[firstBox + i], true);
        }
        // Only ever turned off: back on tab 0 the formula buttons stay out of the Tab order.
        setStop(blighButton_, false);
        setStop(laneButton_, false);
        break;
    }
    default:
        break;
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
    for (const ResultLine *line : {&verticalResult_, &horizontalResult_}) {
        line->numerator->setText(numerator);
        line->denominator->setText(HeadCaption);
    }
    currentStudy().saved = false;
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
    currentStudy().saved = false;
}

// ---- totals and checks ----

void MainWindow::updateTotals()
{
    const StudyRecord &record = currentStudy();
    memberTotalLabel_->setText(twoDecimals(seepageLength(record.baseValues)));
    headDifferenceLabel_->setText(twoDecimals(headDifference(record.baseValues)));
    // The sums follow what the boxes show, keystroke by keystroke.
    PileLengths vertical{}, horizontal{};
    for (int i = 0; i < PileCount; ++i) {
        vertical[i] = leadingNumber(numberBoxes_[FirstVerticalPileBox + i]->text());
        horizontal[i] = leadingNumber(numberBoxes_[FirstHorizontalPileBox + i]->text());
    }
    verticalSigmaLLabel_->setText(twoDecimals(sigmaL(vertical, ticks(Section::Vertical))));
    horizontalSigmaLLabel_->setText(twoDecimals(sigmaL(horizontal, ticks(Section::Horizontal))));
}

void MainWindow::onDoubleTickToggled(Section section, int row)
{
    const bool vertical = section == Section::Vertical;
    currentStudy().doubleFlags[vertical ? row : row + PileCount] = doubleTick(section, row)->isChecked() ? 1 : 0;
    hideResults(row + (vertical ? FirstVerticalPileBox : FirstHorizontalPileBox));
    updateTotals();
    currentStudy().saved = false;
}

PileTicks MainWindow::ticks(Section section) const
{
    PileTicks ticks{};
    for (int i = 0; i < PileCount; ++i)
        ticks[i] = doubleTick(section, i)->isChecked();
    return ticks;
}

void MainWindow::showResult(Section section)
{
    const StudyRecord &record = currentStudy();
    const double sectionSigmaL = sigmaL(pileLengths(record, section), ticks(section));
    // The required ratio is read from the box, as the user sees it.
    const std::optional<SectionResult> result =
        checkSection(selectedFormula(), seepageLength(record.baseValues), sectionSigmaL,
                     headDifference(record.baseValues), leadingNumber(creepRatioBox()->text()));
    if (!result)
        return;  // ΔH = 0: the first tab cannot be left then, so no result can be asked for
    const ResultLine &line = resultLine(section);
    line.numerator->setText(result->numerator);
    line.denominator->setText(result->denominator);
    line.provided->setText(result->provided);
    line.sign->setText(result->ok ? QStringLiteral("≧") : QStringLiteral("＜"));
    line.required->setText(result->required);
    line.verdict->setText(result->ok ? QStringLiteral("･･･ ＯＫ") : QStringLiteral("･･･ ＮＧ"));
    for (QLabel *label : line.answer())
        label->show();
}

void MainWindow::hideResults(int index)
{
    // A first-tab value feeds both sections, a pile only its own.
    const bool vertical = index < FirstHorizontalPileBox;
    const bool horizontal = index <= CreepRatioBox || index >= FirstHorizontalPileBox;
    const QString numerator = numeratorCaption(selectedFormula());
    for (const auto &[shown, line] :
         {std::pair{vertical, &verticalResult_}, std::pair{horizontal, &horizontalResult_}}) {
        if (!shown)
            continue;
        for (QLabel *label : line->answer())
            label->hide();
        line->numerator->setText(numerator);
        line->denominator->setText(HeadCaption);
    }
}

// ---- the boxes ----

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const int number = indexOf(numberBoxes_, watched);
    const int name = indexOf(nameBoxes_, watched);
    if (number < 0 && name < 0)
        return QMainWindow::eventFilter(watched, event);
    auto *box = static_cast<QLineEdit *>(watched);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Left unaccepted, the key goes to the menu's shortcut.
        return isFileShortcut(*static_cast<QKeyEvent *>(event));
    case QEvent::KeyPress: {
        const auto &key = *static_cast<QKeyEvent *>(event);
        return number >= 0 ? swallowsNumberKey(number, key) : swallowsNameKey(name, key);
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasUrls())
            return false;  // text, which the box takes
        takeFileDrag(drag);
        return true;
    }
    case QEvent::FocusIn: {
        // Coming back into the window to the box that held the focus is not
        // entering it; a box given the focus while a message box was up is.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        const bool returning = isWindowSwitch(reason) && box == focusedBox_;
        focusedBox_ = box;
        if (!returning)
            onBoxEntered(box);
        // The click that entered the box would put the caret where it landed.
        clickedBox_ = reason == Qt::MouseFocusReason ? box : nullptr;
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (box == clickedBox_ && !box->hasSelectedText())
            selectWholeText(box);
        clickedBox_ = nullptr;
        return false;
    case QEvent::FocusOut: {
        const auto &focus = *static_cast<QFocusEvent *>(event);
        if (!isWindowSwitch(focus.reason()))
            focusedBox_ = nullptr;
        if (movesWithinWindow(focus, this)) {
            if (number >= 0)
                onNumberBoxLeft(number);
            else
                onNameBoxLeft(name);
        }
        return false;
    }
    default:
        return false;
    }
}

// Returns true when the key is swallowed.
bool MainWindow::swallowsNumberKey(int index, const QKeyEvent &key)
{
    if (isEnter(key)) {
        const int next = nextNumberBox(index);
        if (next < 0)
            toVerticalButton_->setFocus();
        else
            numberBoxes_[next]->setFocus();
        return true;
    }
    if (isEditingKey(key))
        return false;
    // Control characters such as Ctrl+C, Ctrl+V and Ctrl+Z are discarded too.
    const QChar character = key.text().front();
    if (isControlCharacter(character) || !numberBoxAccepts(index, character))
        return true;
    const int longest = numberBoxMaxLength(index);
    return longest > 0 && roomLeft(*numberBoxes_[index], longest) < 1;
}

bool MainWindow::swallowsNameKey(int index, const QKeyEvent &key)
{
    if (isEnter(key)) {
        nameBoxes_[nextNameBox(index)]->setFocus();
        return true;
    }
    if (isEditingKey(key) || isControlCharacter(key.text().front()))
        return false;
    return roomLeft(*nameBoxes_[index], NameBoxMaxLength) < 1;
}

void MainWindow::onBoxEntered(QLineEdit *box)
{
    setTabStopsForCurrentTab();
    selectWholeText(box);
}

void MainWindow::selectWholeText(QLineEdit *box)
{
    const int length = int(box->text().size());
    box->setSelection(length, -length);  // caret at the start
}

void MainWindow::onNumberBoxLeft(int)
{
    refreshBoxes();
}

void MainWindow::onNameBoxLeft(int index)
{
    currentStudy().names[index] = trimmedName(nameBoxes_[index]->text());
}

void MainWindow::onNumberEdited(int index)
{
    hideResults(index);
    validateNumberBox(index);
    currentStudy().saved = false;
}

void MainWindow::onNameEdited(int)
{
    currentStudy().saved = false;
}

void MainWindow::validateNumberBox(int index)
{
    QLineEdit *box = numberBoxes_[index];
    const FieldCheck check = checkNumberBox(index, box->text(), ratioEditable());
    if (!check.accepted) {
        showMessage(check.message);
        // Runs this box's change handling again, which stores 0 (or 5).
        box->setText(check.replacement);
        box->setFocus();
        return;
    }
    numberField(currentStudy(), index) = check.value;
    updateTotals();
}

}  // namespace talven
