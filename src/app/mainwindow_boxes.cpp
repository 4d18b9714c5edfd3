// The main window's boxes: the keys they take, Enter, entering and leaving
// them, and what a change of their text stores.
#include "app/mainwindow.h"

#include "dialogs/dialogservice.h"
#include "study/fieldrules.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace talven {

namespace {

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

// The File commands keep their shortcuts inside the boxes: a box must not
// claim Ctrl+X (cut) and the others for itself.
bool MainWindow::isFileShortcut(const QKeyEvent &key) const
{
    const QKeySequence pressed(key.keyCombination());
    const QAction *fileCommands[] = {newAction_, openAction_, saveAction_, printAction_, exitAction_};
    return std::any_of(std::begin(fileCommands), std::end(fileCommands),
                       [&pressed](const QAction *command) { return command->shortcut() == pressed; });
}

// -1 for the keys of 元に戻す, 1 for those of やり直し, 0 for any other key.
int MainWindow::historyStep(const QKeyEvent &key) const
{
    const QKeySequence pressed(key.keyCombination());
    if (undoAction_->shortcuts().contains(pressed))
        return -1;
    return redoAction_->shortcuts().contains(pressed) ? 1 : 0;
}

// What a step of typing into `box` is called in the 編集 menu.
QString MainWindow::editText(const QLineEdit *box) const
{
    if (indexOf(nameBoxes_, box) >= 0)
        return QStringLiteral("名称の入力");
    const int number = indexOf(numberBoxes_, box);
    if (number < 0)
        return QStringLiteral("入力");
    switch (groupOfBox(number).group) {
    case BoxGroup::Dimensions:
        return QStringLiteral("寸法の入力");
    case BoxGroup::WaterLevels:
        return QStringLiteral("水位の入力");
    case BoxGroup::CreepRatio:
        return QStringLiteral("クリープ比の入力");
    case BoxGroup::VerticalPiles:
        return QStringLiteral("打設長の入力");
    case BoxGroup::HorizontalPiles:
        return QStringLiteral("打設範囲の入力");
    }
    return QString();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    const int number = indexOf(numberBoxes_, watched);
    const int name = indexOf(nameBoxes_, watched);
    if (number < 0 && name < 0)
        return QMainWindow::eventFilter(watched, event);
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
        return isFileShortcut(key);
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
    if (isEditingKey(key) || key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Paste))
        return false;
    // Other control characters, such as Ctrl+A, are discarded too.
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

// Leaving a box commits its typing to the study's history; the box forgets
// its own, which Ctrl+Z would otherwise undo a second time.
void MainWindow::onNumberBoxLeft(int index)
{
    refreshBoxes();
    forgetTyping(numberBoxes_[index]);
    commitChange(editText(numberBoxes_[index]));
}

void MainWindow::onNameBoxLeft(int index)
{
    study_.names[index] = trimmedName(nameBoxes_[index]->text());
    forgetTyping(nameBoxes_[index]);
    commitChange(editText(nameBoxes_[index]));
}

void MainWindow::onNumberEdited(int index)
{
    hideResults(index);
    validateNumberBox(index);
    if (quietChanges_ == 0)
        updateDocumentState();
}

void MainWindow::onNameEdited(int)
{
    if (quietChanges_ == 0)
        updateDocumentState();
}

// Writing the same text empties a line edit's own undo history and changes
// nothing else.
void MainWindow::forgetTyping(QLineEdit *box)
{
    box->setText(box->text());
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
    numberField(study_, index) = check.value;
    updateTotals();
}


// Empties a box without running its handlers, so that the next write is a
// change and meets the box's check.
void MainWindow::emptyNumberBoxQuietly(int index)
{
    const QSignalBlocker quiet(numberBoxes_[index]);
    numberBoxes_[index]->clear();
}

}  // namespace talven
