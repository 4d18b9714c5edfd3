#include "app/studyboxes.h"

#include "app/broughtintext.h"
#include "app/controls.h"
#include "study/fieldrules.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

#include <algorithm>

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

void selectWholeText(QLineEdit *box)
{
    const int length = int(box->text().size());
    box->setSelection(length, -length);  // caret at the start
}

// Writing the same text empties a line edit's own undo history and changes
// nothing else.
void forgetTyping(QLineEdit *box)
{
    box->setText(box->text());
}

void showText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

}  // namespace

QLineEdit *newNumberEdit(int ruleBox)
{
    auto *box = new QLineEdit;
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12);
    box->setMaximumWidth(box->minimumWidth() + 20);
    new BroughtInText(box, numberBoxMaxLength(ruleBox), numberTextBroughtIn);
    return box;
}

bool swallowsTypedNumber(const QLineEdit &box, int ruleBox, const QKeyEvent &key)
{
    if (isEditingKey(key) || key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Paste))
        return false;
    // Other control characters, such as Ctrl+A, are discarded too.
    const QChar character = key.text().front();
    if (isControlCharacter(character) || !numberBoxAccepts(ruleBox, character))
        return true;
    const int longest = numberBoxMaxLength(ruleBox);
    return longest > 0 && roomLeft(box, longest) < 1;
}

bool isLeavingBox(const QFocusEvent &focus, const QWidget &window)
{
    if (isWindowSwitch(focus.reason()))
        return false;
    const QWidget *next = QApplication::focusWidget();
    return next && next->window() == &window;
}

NumberBoxFilter::NumberBoxFilter(QWidget *window) : QObject(window), window_(window) {}

void NumberBoxFilter::watch(QLineEdit *box, int ruleBox)
{
    ruleBoxes_.insert(box, ruleBox);
    box->installEventFilter(this);
    connect(box, &QObject::destroyed, this, [this](QObject *gone) { ruleBoxes_.remove(gone); });
}

bool NumberBoxFilter::eventFilter(QObject *watched, QEvent *event)
{
    const auto rule = ruleBoxes_.constFind(watched);
    if (rule == ruleBoxes_.cend())
        return QObject::eventFilter(watched, event);
    auto *box = static_cast<QLineEdit *>(watched);
    if (event->type() == QEvent::KeyPress)
        return swallowsTypedNumber(*box, *rule, *static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusOut && isLeavingBox(*static_cast<QFocusEvent *>(event), *window_))
        Q_EMIT left(box);
    return false;
}

StudyBoxes::StudyBoxes(QWidget *window) : QObject(window), window_(window) {}

QLineEdit *StudyBoxes::makeNumberBox(int index)
{
    QLineEdit *box = newNumberEdit(index);
    box->setObjectName(indexed("numberBox", index));
    if (const std::optional<QColor> colour = boxColour(groupOfBox(index).group)) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, *colour);
        palette.setColor(QPalette::Text, Qt::black);
        box->setPalette(palette);
    }
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, index] { Q_EMIT numberEdited(index); });
    numberBoxes_[index] = box;
    return box;
}

QLineEdit *StudyBoxes::makeNameBox(int index)
{
    auto *box = new QLineEdit;
    box->setObjectName(indexed("nameBox", index));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(NameBoxMaxLength, u'漢')) + 12);
    box->installEventFilter(this);
    new BroughtInText(box, NameBoxMaxLength);
    connect(box, &QLineEdit::textChanged, this, [this, index] { Q_EMIT nameEdited(index); });
    nameBoxes_[index] = box;
    return box;
}

void StudyBoxes::setCommandKeys(const QList<QAction *> &fileCommands, QAction *undo, QAction *redo)
{
    fileCommands_ = fileCommands;
    undo_ = undo;
    redo_ = redo;
}

void StudyBoxes::setAfterRatioBox(QWidget *next)
{
    afterRatioBox_ = next;
}

void StudyBoxes::show(const Study &study)
{
    for (int i = 0; i < NumberBoxCount; ++i)
        showText(numberBoxes_[i], study.numberTexts[i]);
    for (int i = 0; i < NameCount; ++i)
        showText(nameBoxes_[i], study.nameTexts[i]);
    QLineEdit *ratioBox = numberBoxes_[CreepRatioBox];
    ratioBox->setReadOnly(!study.ratioEditable());
    ratioBox->setAttribute(Qt::WA_InputMethodEnabled, false);  // setReadOnly turns it back on
}

void StudyBoxes::setTabStops(int tab)
{
    auto setStop = [](QWidget *widget, bool on) { widget->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); };
    for (const BoxGroupInfo &group : BoxGroups) {
        // The tabs follow the sections: the first tab's groups have none.
        const bool onTab = (group.section ? 1 + int(*group.section) : 0) == tab;
        for (int box = group.firstBox; box <= group.lastBox(); ++box) {
            setStop(numberBoxes_[box], onTab);
            if (const int name = nameBoxOfRow(box); name >= 0)
                setStop(nameBoxes_[name], onTab);
        }
    }
}

void StudyBoxes::selectFocusedBox()
{
    if (focusedBox_)
        selectWholeText(focusedBox_);
}

// The File commands keep their shortcuts inside the boxes: a box must not
// claim Ctrl+X (cut) and the others for itself.
bool StudyBoxes::isCommandKey(const QKeyEvent &key) const
{
    const QKeySequence pressed(key.keyCombination());
    return std::any_of(fileCommands_.begin(), fileCommands_.end(),
                       [&pressed](const QAction *command) { return command->shortcuts().contains(pressed); });
}

// -1 for the keys of 元に戻す, 1 for those of やり直し, 0 for any other key.
int StudyBoxes::historyStep(const QKeyEvent &key) const
{
    const QKeySequence pressed(key.keyCombination());
    if (undo_ && undo_->shortcuts().contains(pressed))
        return -1;
    return redo_ && redo_->shortcuts().contains(pressed) ? 1 : 0;
}

bool StudyBoxes::eventFilter(QObject *watched, QEvent *event)
{
    const int number = indexOf(numberBoxes_, watched);
    const int name = indexOf(nameBoxes_, watched);
    if (number < 0 && name < 0)
        return QObject::eventFilter(watched, event);
    auto *box = static_cast<QLineEdit *>(watched);
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Left unaccepted, the key goes to the menu's shortcut.
        const auto &key = *static_cast<QKeyEvent *>(event);
        if (const int step = historyStep(key)) {
            // The box's own typing is undone first, as a line edit does; then
            // the study's history.
            if (step < 0 ? box->isUndoAvailable() : box->isRedoAvailable())
                event->accept();
            return true;
        }
        return isCommandKey(key);
    }
    case QEvent::KeyPress: {
        const auto &key = *static_cast<QKeyEvent *>(event);
        if (const int step = historyStep(key)) {
            if (step < 0)
                box->undo();
            else
                box->redo();
            return true;
        }
        return number >= 0 ? swallowsNumberKey(number, key) : swallowsNameKey(name, key);
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasUrls())
            return false;  // text, which the box takes
        Q_EMIT fileDragged(drag);
        return true;
    }
    case QEvent::FocusIn:
        onFocusIn(box, *static_cast<QFocusEvent *>(event));
        return false;
    case QEvent::MouseButtonRelease:
        if (box == clickedBox_ && !box->hasSelectedText())
            selectWholeText(box);
        clickedBox_ = nullptr;
        return false;
    case QEvent::FocusOut:
        onFocusOut(number, name, *static_cast<QFocusEvent *>(event));
        return false;
    default:
        return false;
    }
}

void StudyBoxes::onFocusIn(QLineEdit *box, const QFocusEvent &focus)
{
    // Coming back into the window to the box that held the focus is not
    // entering it; a box given the focus while a message box was up is.
    const bool returning = isWindowSwitch(focus.reason()) && box == focusedBox_;
    focusedBox_ = box;
    if (!returning) {
        Q_EMIT boxEntered();
        selectWholeText(box);
    }
    // The click that entered the box would put the caret where it landed.
    clickedBox_ = focus.reason() == Qt::MouseFocusReason ? box : nullptr;
}

// A focus change counts as leaving a box only when the focus goes to another
// control of the same window.
void StudyBoxes::onFocusOut(int number, int name, const QFocusEvent &focus)
{
    if (isWindowSwitch(focus.reason()))
        return;
    focusedBox_ = nullptr;
    if (!isLeavingBox(focus, *window_))
        return;
    QLineEdit *box = number >= 0 ? numberBoxes_[number] : nameBoxes_[name];
    forgetTyping(box);
    if (number >= 0)
        Q_EMIT numberBoxLeft(number);
    else
        Q_EMIT nameBoxLeft(name);
}

// Returns true when the key is swallowed.
bool StudyBoxes::swallowsNumberKey(int index, const QKeyEvent &key)
{
    if (isEnter(key)) {
        const int next = nextNumberBox(index);
        if (next < 0)
            afterRatioBox_->setFocus();
        else
            numberBoxes_[next]->setFocus();
        return true;
    }
    return swallowsTypedNumber(*numberBoxes_[index], index, key);
}

bool StudyBoxes::swallowsNameKey(int index, const QKeyEvent &key)
{
    if (isEnter(key)) {
        nameBoxes_[nextNameBox(index)]->setFocus();
        return true;
    }
    if (isEditingKey(key) || isControlCharacter(key.text().front()))
        return false;
    return roomLeft(*nameBoxes_[index], NameBoxMaxLength) < 1;
}

}  // namespace talven
