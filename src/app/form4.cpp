#include "app/form4.h"

#include "app/dialogservice.h"
#include "app/formtitle.h"
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
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>

namespace talven {

namespace {

const QString HeadCaption = QStringLiteral("⊿H");

// Study files are offered from the program's own folder.
QString StudyFileFolder()
{
    return QCoreApplication::applicationDirPath();
}

// The file dialogs' filter, written as pairs of "text|patterns|" and given to
// Qt as "text (patterns)"; each pattern also in capitals, since file names
// here are case-sensitive.
QString QtFileFilter(const QString &pairs)
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

QString StudyFileFilter()
{
    return QtFileFilter(QStringLiteral("タルヴェン機項目名ファイル (*.VEK)|*.vek|"));
}

QString TwoDecimals(double value)
{
    return FormatNumber(value, NumberPattern::TwoDecimals);
}

template <typename Array>
int IndexOf(const Array &controls, const QObject *control)
{
    const auto found = std::find(controls.begin(), controls.end(), control);
    return found == controls.end() ? -1 : int(found - controls.begin());
}

bool IsEnter(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Keys that edit or move without typing a character pass every filter.
bool IsEditingKey(const QKeyEvent &key)
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

bool IsControlCharacter(QChar character)
{
    return character.unicode() < 0x20 || character.unicode() == 0x7f;
}

// How many more characters a box with a longest text of `longest` takes: the
// selection is replaced by what is typed.
int RoomLeft(const QLineEdit &box, int longest)
{
    return longest - int(box.text().size() - box.selectedText().size());
}

// A message box, a menu or another program taking the focus, or giving it back.
bool IsWindowSwitch(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// A focus change counts as leaving a box only when the focus goes to another
// control of the same window.
bool MovesWithinWindow(const QFocusEvent &focus, const QWidget *window)
{
    if (IsWindowSwitch(focus.reason()))
        return false;
    const QWidget *next = QApplication::focusWidget();
    return next && next->window() == window;
}

// Composed Japanese text counts against a name box's longest text as typed
// text does.
bool LimitComposedText(QLineEdit &box, const QInputMethodEvent &input)
{
    const int room = std::max(RoomLeft(box, NameBoxMaxLength), 0);
    if (input.commitString().size() <= room)
        return false;
    QInputMethodEvent cut(input.preeditString(), input.attributes());
    cut.setCommitString(input.commitString().left(room), input.replacementStart(),
                        input.replacementLength());
    QCoreApplication::sendEvent(&box, &cut);
    return true;
}

}  // namespace

Form4::Form4()
{
    setWindowTitle(QStringLiteral("タルヴェン"));
    BuildMenus();
    BuildTabs();
    ConnectControls();
    const QSize client(Twips(10080), Twips(7260));
    resize(QSize(client.width(), client.height() + menuBar()->sizeHint().height())
               .expandedTo(minimumSizeHint()));
    Form_Load();
}

Form4::~Form4() = default;

int Form4::Twips(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

// The File commands keep their shortcuts inside the boxes: a box must not
// claim Ctrl+X (cut) and the others for itself.
bool Form4::IsFileShortcut(const QKeyEvent &key) const
{
    const QKeySequence pressed(key.keyCombination());
    return std::any_of(m11_.begin(), m11_.end(), [&pressed](const QAction *command) {
        return command && !command->shortcut().isEmpty() && command->shortcut() == pressed;
    });
}

void Form4::ConnectControls()
{
    for (int i = 1; i < int(m11_.size()); ++i)
        connect(m11_[i], &QAction::triggered, this, [this, i] { m11_Click(i); });
    connect(m21_, &QAction::triggered, this, &Form4::m21_Click);
    for (int i = 0; i < int(m41_.size()); ++i)
        connect(m41_[i], &QAction::triggered, this, [this, i] { m41_Click(i); });
    for (int i = 0; i < int(command3_.size()); ++i)
        connect(command3_[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
    connect(sstab1_, &QTabWidget::currentChanged, this, [this](int tab) {
        const int previous = currentTab_;
        currentTab_ = tab;
        SSTab1_Click(previous);
    });
    for (int i = 0; i < int(option1_.size()); ++i) {
        connect(option1_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                Option1_Click(i);
        });
    }
    connect(list1_, &QListWidget::itemSelectionChanged, this, &Form4::List1_Click);
    for (int i = 0; i < PileCount; ++i) {
        connect(check1_[i], &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
        connect(check2_[i], &QCheckBox::toggled, this, [this, i] { Check2_Click(i); });
    }
    for (int i = 0; i < NumberBoxCount; ++i)
        connect(text1_[i], &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
    for (int i = 0; i < NameCount; ++i)
        connect(text2_[i], &QLineEdit::textChanged, this, [this, i] { Text2_Change(i); });
}

// ---- the window-held part of the study ----

Formula Form4::SelectedFormula() const
{
    return option1_[0]->isChecked() ? Formula::Bligh : Formula::Lane;
}

int Form4::ListIndex() const
{
    const QList<QListWidgetItem *> selected = list1_->selectedItems();
    return selected.isEmpty() ? -1 : list1_->row(selected.front());
}

bool Form4::RatioEditable() const
{
    return !text1_[CreepRatioBox]->isReadOnly();
}

void Form4::SelectFormula(Formula formula)
{
    const int index = formula == Formula::Bligh ? 0 : 1;
    if (option1_[index]->isChecked())
        Option1_Click(index);
    else
        option1_[index]->setChecked(true);
}

void Form4::SetListIndex(int index)
{
    if (index < 0) {
        list1_->clearSelection();
        list1_->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    } else {
        list1_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
}

void Form4::SetRatioEditable(bool editable)
{
    QLineEdit *box = text1_[CreepRatioBox];
    box->setReadOnly(!editable);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);  // setReadOnly turns it back on
}

// ---- load, reset, refresh ----

void Form4::Form_Load()
{
    ResetControlsAndRecord(false);
}

void Form4::ResetStudy(bool keepNames)
{
    Study().MethodCode = 0.0;
    ResetControlsAndRecord(keepNames);
}

// What load, New and Clear share; load alone leaves MethodCode as it is.
void Form4::ResetControlsAndRecord(bool keepNames)
{
    SelectFormula(Formula::Lane);
    SetListIndex(-1);
    SetRatioEditable(false);
    StudyRecord &record = Study();
    if (!keepNames)
        record.Names.fill(QString());
    record.BaseValues.fill(0.0);
    record.VerticalLengths.fill(0.0);
    record.HorizontalLengths.fill(0.0);
    record.DoubleFlags.fill(1);
    RefreshFields();
    sstab1_->setCurrentIndex(0);
    // Every write above marked the study changed; it is unchanged now.
    record.Saved = true;
}

// Each write runs the control's own handler, so the record is stored again
// from the rounded texts.
void Form4::RefreshFields()
{
    const StudyRecord &record = Study();
    for (int i = 0; i < PileCount; ++i) {
        check1_[i]->setChecked(record.DoubleFlags[i] == 1);
        check2_[i]->setChecked(record.DoubleFlags[i + PileCount] == 1);
    }
    for (int i = 0; i < BaseValueCount; ++i) {
        text2_[i]->setText(record.Names[i]);
        text1_[i]->setText(TwoDecimals(record.BaseValues[i]));
    }
    for (int i = FirstVerticalBox; i < FirstVerticalBox + PileCount; ++i) {
        text1_[i]->setText(TwoDecimals(record.VerticalLengths[i - FirstVerticalBox]));
        text2_[i - 1]->setText(TrimmedName(record.Names[i - 1]));
    }
    for (int i = FirstHorizontalBox; i < NumberBoxCount; ++i) {
        text1_[i]->setText(TwoDecimals(record.HorizontalLengths[i - FirstHorizontalBox]));
        text2_[i - 1]->setText(TrimmedName(record.Names[i - 1]));
    }
}

// ---- menus and buttons ----

bool Form4::ConfirmDiscard(const QString &caption)
{
    return Dialogs().MsgBox(QStringLiteral("作業中のデータは全て失われますがいいですか？"), 36, caption)
           == MsgBoxYes;
}

bool Form4::RefuseReport()
{
    if (!ReportNotReady(Study()))
        return false;
    ShowMessage(ReportNotReadyMessage());
    return true;
}

void Form4::m11_Click(int index)
{
    switch (index) {
    case 1:
        if (!Study().Saved && !ConfirmDiscard(QStringLiteral("タルヴェン・新規作成")))
            return;
        ResetStudy(false);
        break;
    case 3:
        if (!Study().Saved && !ConfirmDiscard(QStringLiteral("タルヴェン・開く")))
            return;
        {
            const bool opened = OpenStudy();
            // Also after a cancelled dialog or a refused file.
            sstab1_->setCurrentIndex(0);
            if (opened)
                Study().Saved = true;
        }
        break;
    case 4:
        if (SaveStudy())
            Study().Saved = true;
        break;
    case 6:
        if (!RefuseReport())
            ShowPreview(true);
        break;
    case 7:
        if (!RefuseReport())
            PrintReport();
        break;
    case 9:
        close();
        break;
    default:
        break;
    }
}

void Form4::m21_Click()
{
    if (Dialogs().MsgBox(QStringLiteral("名称以外は全て消去されますがいいですか？"), 36,
                         QStringLiteral("タルヴェン・数値のクリア"))
        != MsgBoxYes)
        return;
    ResetStudy(true);
}

void Form4::m41_Click(int index)
{
    if (index == 0)
        ShowHelp(this);
    else if (index == 2)
        FormTitle::Show();
}

void Form4::Command3_Click(int index)
{
    switch (index) {
    case 0:
        sstab1_->setCurrentIndex(1);
        break;
    case 1:
        sstab1_->setCurrentIndex(2);
        break;
    case 2:
        sstab1_->setCurrentIndex(1);
        break;
    case 3:
        sstab1_->setCurrentIndex(0);
        break;
    case 4:
        ShowPreview(false);
        break;
    case 5:
        CheckVertical();
        break;
    case 6:
        CheckHorizontal();
        break;
    default:
        break;
    }
}

void Form4::closeEvent(QCloseEvent *event)
{
    if (Dialogs().MsgBox(QStringLiteral("プログラムを終了しますか？"), 36,
                         QStringLiteral("タルヴェン・終了"))
        != MsgBoxYes) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends here, whatever other window is open, and saves nothing.
    QCoreApplication::exit(0);
}

// ---- study files ----

bool Form4::SaveStudy()
{
    const QString chosen = Dialogs().SaveFileName(this, StudyFileFolder(), QStringLiteral("新規タイトル"),
                                                   StudyFileFilter());
    if (chosen.isEmpty())
        return false;
    const QString target = WithStudyExtension(chosen);
    if (target != chosen && QFileInfo::exists(target) && ShowMessage(OverwriteQuestion(target)) != MsgBoxYes)
        return false;
    const double methodCode =
        BuildMethodCode(SelectedFormula(), ListIndex(), LeadingNumber(text1_[CreepRatioBox]->text()));
    StudyFileContent content;
    for (int i = 0; i < NameCount; ++i)
        content.names[i] = text2_[i]->text();
    for (int i = 0; i < NumberBoxCount; ++i)
        content.numberTexts[i] = text1_[i]->text();
    content.methodCode = methodCode;
    content.doubleFlags = Study().DoubleFlags;
    if (const std::optional<Message> refusal = WriteStudyFile(target, content)) {
        ShowMessage(*refusal);
        return false;
    }
    Study().MethodCode = methodCode;
    return true;
}

bool Form4::OpenStudy()
{
    const QString chosen = Dialogs().OpenFileName(this, StudyFileFolder(), StudyFileFilter());
    if (chosen.isEmpty())
        return false;
    const StudyFileReadResult read = ReadStudyFile(chosen);
    const auto *parsed = std::get_if<ParsedStudy>(&read);
    if (!parsed) {
        ShowMessage(ReadErrorMessage());
        return false;
    }

    // A box being left runs its handling on the study it belongs to, before
    // that study is replaced.
    sstab1_->setFocus();
    TakeOverStudy(Study(), *parsed);

    // Each write runs its control's handler as a user's change would; the
    // class handler gives the ranged class the stored ratio back.
    SelectFormula(parsed->method.formula);
    text1_[CreepRatioBox]->setText(parsed->method.ratioText);
    restoredRatio_ = RestoredRatioText(parsed->method);
    SetListIndex(parsed->method.listIndex);
    restoredRatio_.reset();
    // Every number box is rewritten and checked, also where it already
    // showed the text the record now gives.
    for (int i = 0; i < NumberBoxCount; ++i) {
        if (i != CreepRatioBox)
            EmptyNumberBoxQuietly(i);
    }
    RefreshFields();
    text2_[0]->setFocus();
    return true;
}

// Empties a box without running its handlers, so that the next write is a
// change and meets the box's check.
void Form4::EmptyNumberBoxQuietly(int index)
{
    const QSignalBlocker quiet(text1_[index]);
    text1_[index]->clear();
}

// ---- tabs ----

void Form4::SSTab1_Click(int previousTab)
{
    const StudyRecord &record = Study();
    const double headDifference = HeadDifference(record.BaseValues);
    // Only leaving the first tab is checked; the nested re-selection of tab 0
    // below comes back here as a change away from tab 1 or 2.
    if (previousTab == 0) {
        const int problem = FirstTabProblem(headDifference, record.CreepRatio);
        if (problem != 0) {
            ShowMessage(FirstTabProblemMessage(problem));
            sstab1_->setCurrentIndex(0);
            if (problem == 2)
                option1_[1]->setFocus();
            else
                text1_[WaterLevel1Box]->setFocus();
            return;
        }
        const QString reference = ReferenceSigmaLText(
            SelectedFormula(), record.CreepRatio, SeepageLength(record.BaseValues), headDifference);
        label24_->setText(reference);
        label25_->setText(reference);
    }
    const int firstBox[] = {0, FirstVerticalBox, FirstHorizontalBox};
    text1_[firstBox[sstab1_->currentIndex()]]->setFocus();
}

void Form4::SetTabStopsForCurrentTab()
{
    auto setStop = [](QWidget *widget, bool on) {
        widget->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QLineEdit *box : text1_)
        setStop(box, false);
    for (QLineEdit *box : text2_)
        setStop(box, false);
    switch (sstab1_->currentIndex()) {
    case 0:
        for (int i = 0; i <= CreepRatioBox; ++i)
            setStop(text1_[i], true);
        for (int i = 0; i < FirstVerticalName; ++i)
            setStop(text2_[i], true);
        break;
    case 1:
    case 2: {
        const bool vertical = sstab1_->currentIndex() == 1;
        const int firstName = vertical ? FirstVerticalName : FirstHorizontalName;
        const int firstBox = vertical ? FirstVerticalBox : FirstHorizontalBox;
        for (int i = 0; i < PileCount; ++i) {
            setStop(text2_[firstName + i], true);
            setStop(text1_[firstBox + i], true);
        }
        // Only ever turned off: back on tab 0 the formula buttons stay out of the Tab order.
        for (QRadioButton *button : option1_)
            setStop(button, false);
        break;
    }
    default:
        break;
    }
}

// ---- formula and soil class ----

void Form4::Option1_Click(int index)
{
    const Formula formula = index == 0 ? Formula::Bligh : Formula::Lane;
    {
        // Emptying the list is not a choice of class.
        const QSignalBlocker quiet(list1_);
        list1_->clear();
    }
    SetRatioEditable(false);
    text1_[CreepRatioBox]->setText(EmptyRatioText(formula));
    for (const SoilClass &soil : SoilClasses(formula))
        list1_->addItem(QString::fromUtf16(soil.listText));
    const QString numerator = NumeratorCaption(formula);
    label12_->setText(numerator);
    label3_[3]->setText(numerator);
    label4_[3]->setText(numerator);
    label8_[0]->setText(RatioCaption(formula));
    label3_[4]->setText(HeadCaption);
    label4_[4]->setText(HeadCaption);
    Study().Saved = false;
}

void Form4::List1_Click()
{
    SetRatioEditable(false);
    const Formula formula = SelectedFormula();
    const int index = ListIndex();
    QLineEdit *ratioBox = text1_[CreepRatioBox];
    if (IsRangedClass(formula, index) && restoredRatio_) {
        // An opened study keeps the ratio it was saved with; the box checks it.
        SetRatioEditable(true);
        EmptyNumberBoxQuietly(CreepRatioBox);
        ratioBox->setText(*restoredRatio_);
    } else if (IsRangedClass(formula, index)) {
        ShowMessage(RangedClassMessage());
        ratioBox->setText(QStringLiteral("5"));
        ratioBox->setFocus();
        SetRatioEditable(true);
    } else if (index >= 0) {
        ratioBox->setText(QString::fromUtf16(SoilClasses(formula)[index].ratioText));
    }
    Study().Saved = false;
}

// ---- totals and checks ----

void Form4::UpdateTotals()
{
    const StudyRecord &record = Study();
    label2_[0]->setText(TwoDecimals(SeepageLength(record.BaseValues)));
    label2_[1]->setText(TwoDecimals(HeadDifference(record.BaseValues)));
    // The sums follow what the boxes show, keystroke by keystroke.
    PileLengths vertical{}, horizontal{};
    for (int i = 0; i < PileCount; ++i) {
        vertical[i] = LeadingNumber(text1_[FirstVerticalBox + i]->text());
        horizontal[i] = LeadingNumber(text1_[FirstHorizontalBox + i]->text());
    }
    label2_[2]->setText(TwoDecimals(SigmaL(vertical, Ticks(check1_))));
    label2_[3]->setText(TwoDecimals(SigmaL(horizontal, Ticks(check2_))));
}

void Form4::Check1_Click(int index)
{
    Study().DoubleFlags[index] = check1_[index]->isChecked() ? 1 : 0;
    HideResults(index + FirstVerticalBox);
    UpdateTotals();
    Study().Saved = false;
}

void Form4::Check2_Click(int index)
{
    Study().DoubleFlags[index + PileCount] = check2_[index]->isChecked() ? 1 : 0;
    HideResults(index + FirstHorizontalBox);
    UpdateTotals();
    Study().Saved = false;
}

PileTicks Form4::Ticks(const std::array<QCheckBox *, PileCount> &boxes)
{
    PileTicks ticks{};
    for (int i = 0; i < PileCount; ++i)
        ticks[i] = boxes[i]->isChecked();
    return ticks;
}

void Form4::CheckVertical()
{
    ShowSectionResult(std::span<QLabel *const, 10>(label3_.data(), 10),
                      SigmaL(Study().VerticalLengths, Ticks(check1_)));
}

void Form4::CheckHorizontal()
{
    ShowSectionResult(std::span<QLabel *const, 10>(label4_.data(), 10),
                      SigmaL(Study().HorizontalLengths, Ticks(check2_)));
}

void Form4::ShowSectionResult(std::span<QLabel *const, 10> block, double sigmaL)
{
    const StudyRecord &record = Study();
    // The required ratio is read from the box, as the user sees it.
    const std::optional<SectionResult> result =
        CheckSection(SelectedFormula(), SeepageLength(record.BaseValues), sigmaL,
                     HeadDifference(record.BaseValues), LeadingNumber(text1_[CreepRatioBox]->text()));
    if (!result)
        return;  // ΔH = 0: the first tab cannot be left then, so no result can be asked for
    block[3]->setText(result->numerator);
    block[4]->setText(result->denominator);
    block[6]->setText(result->provided);
    block[7]->setText(result->ok ? QStringLiteral("≧") : QStringLiteral("＜"));
    block[8]->setText(result->required);
    block[9]->setText(result->ok ? QStringLiteral("･･･ ＯＫ") : QStringLiteral("･･･ ＮＧ"));
    for (int k = 5; k < 10; ++k)
        block[k]->show();
}

void Form4::HideResults(int index)
{
    // A first-tab value feeds both sections, a pile only its own.
    const bool vertical = index < FirstHorizontalBox;
    const bool horizontal = index <= CreepRatioBox || index >= FirstHorizontalBox;
    const QString numerator = NumeratorCaption(SelectedFormula());
    for (const auto &[shown, block] :
         {std::pair{vertical, label3_.data()}, std::pair{horizontal, label4_.data()}}) {
        if (!shown)
            continue;
        for (int k = 5; k < 10; ++k)
            block[k]->hide();
        block[3]->setText(numerator);
        block[4]->setText(HeadCaption);
    }
}

// ---- the boxes ----

bool Form4::eventFilter(QObject *watched, QEvent *event)
{
    const int number = IndexOf(text1_, watched);
    const int name = IndexOf(text2_, watched);
    if (number < 0 && name < 0)
        return QMainWindow::eventFilter(watched, event);
    auto *box = static_cast<QLineEdit *>(watched);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Left unaccepted, the key goes to the menu's shortcut.
        return IsFileShortcut(*static_cast<QKeyEvent *>(event));
    case QEvent::KeyPress: {
        const auto &key = *static_cast<QKeyEvent *>(event);
        return number >= 0 ? Text1_KeyPress(number, key) : Text2_KeyPress(name, key);
    }
    case QEvent::InputMethod:
        return name >= 0 && LimitComposedText(*box, *static_cast<QInputMethodEvent *>(event));
    case QEvent::FocusIn: {
        // Coming back into the window to the box that held the focus is not
        // entering it; a box given the focus while a message box was up is.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        const bool returning = IsWindowSwitch(reason) && box == focusedBox_;
        focusedBox_ = box;
        if (!returning)
            BoxGotFocus(box);
        // The click that entered the box would put the caret where it landed.
        clickedBox_ = reason == Qt::MouseFocusReason ? box : nullptr;
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (box == clickedBox_ && !box->hasSelectedText())
            SelectWholeText(box);
        clickedBox_ = nullptr;
        return false;
    case QEvent::FocusOut: {
        const auto &focus = *static_cast<QFocusEvent *>(event);
        if (!IsWindowSwitch(focus.reason()))
            focusedBox_ = nullptr;
        if (MovesWithinWindow(focus, this)) {
            if (number >= 0)
                Text1_LostFocus(number);
            else
                Text2_LostFocus(name);
        }
        return false;
    }
    default:
        return false;
    }
}

// Returns true when the key is swallowed.
bool Form4::Text1_KeyPress(int index, const QKeyEvent &key)
{
    if (IsEnter(key)) {
        const int next = NextNumberBox(index);
        if (next < 0)
            command3_[0]->setFocus();
        else
            text1_[next]->setFocus();
        return true;
    }
    if (IsEditingKey(key))
        return false;
    // Control characters such as Ctrl+C, Ctrl+V and Ctrl+Z are discarded too.
    const QChar character = key.text().front();
    if (IsControlCharacter(character) || !NumberBoxAccepts(index, character))
        return true;
    const int longest = NumberBoxMaxLength(index);
    return longest > 0 && RoomLeft(*text1_[index], longest) < 1;
}

bool Form4::Text2_KeyPress(int index, const QKeyEvent &key)
{
    if (IsEnter(key)) {
        text2_[NextNameBox(index)]->setFocus();
        return true;
    }
    if (IsEditingKey(key) || IsControlCharacter(key.text().front()))
        return false;
    return RoomLeft(*text2_[index], NameBoxMaxLength) < 1;
}

void Form4::BoxGotFocus(QLineEdit *box)
{
    SetTabStopsForCurrentTab();
    SelectWholeText(box);
}

void Form4::SelectWholeText(QLineEdit *box)
{
    const int length = int(box->text().size());
    box->setSelection(length, -length);  // caret at the start
}

void Form4::Text1_LostFocus(int)
{
    RefreshFields();
}

void Form4::Text2_LostFocus(int index)
{
    Study().Names[index] = TrimmedName(text2_[index]->text());
}

void Form4::Text1_Change(int index)
{
    HideResults(index);
    ValidateField(index);
    Study().Saved = false;
}

void Form4::Text2_Change(int)
{
    Study().Saved = false;
}

void Form4::ValidateField(int index)
{
    QLineEdit *box = text1_[index];
    const FieldCheck check = CheckNumberBox(index, box->text(), RatioEditable());
    if (!check.accepted) {
        ShowMessage(check.message);
        // Runs this box's change handling again, which stores 0 (or 5).
        box->setText(check.replacement);
        box->setFocus();
        return;
    }
    NumberField(Study(), index) = check.value;
    UpdateTotals();
}

}  // namespace talven
