// The main window's undo history, its title and its unsaved mark.
#include "app/mainwindow.h"

#include "app/titlewindow.h"
#include "files/recentstudies.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QUndoStack>

namespace talven {

namespace {

// One step of the history: the study before and after a change. The change
// has been made when the step is pushed, so the first redo has nothing to do.
class StudyStep final : public QUndoCommand {
public:
    using Restore = std::function<void(const StudySnapshot &)>;

    StudyStep(const QString &text, StudySnapshot before, StudySnapshot after, Restore restore)
        : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), restore_(std::move(restore))
    {
    }

    void undo() override { restore_(before_); }
    void redo() override
    {
        if (made_)
            restore_(after_);
        made_ = true;
    }

private:
    StudySnapshot before_;
    StudySnapshot after_;
    Restore restore_;
    bool made_ = false;
};

// "元に戻す：寸法の入力", or the bare command when there is nothing to name.
QString commandText(const QString &command, const QString &step)
{
    return step.isEmpty() ? command : command + u'：' + step;
}

}  // namespace

StudySnapshot MainWindow::snapshot() const
{
    StudySnapshot shot{study_, {}, selectedFormula(), listIndex(), numberBoxes_[CreepRatioBox]->text()};
    for (int i = 0; i < NameCount; ++i)
        shot.nameTexts[i] = nameBoxes_[i]->text();
    return shot;
}

bool MainWindow::isSaved() const
{
    return history_->isClean() && snapshot() == committed_;
}

// Writes only what differs, so that only the boxes, ticks and choices the
// step touched run their handlers and hide results.
void MainWindow::restoreSnapshot(const StudySnapshot &target)
{
    const QScopedValueRollback quiet(quietChanges_, quietChanges_ + 1);
    const StudySnapshot now = snapshot();
    study_ = target.record;
    if (now.formula != target.formula || now.listIndex != target.listIndex || now.ratioText != target.ratioText)
        showMethod(target.formula, target.listIndex, target.ratioText, target.ratioText);
    refreshBoxes();
    updateTotals();
    // The first tab's values may have changed under a pile tab.
    const StudyCheck check = this->check();
    if (tabs_->currentIndex() != MethodTab && check.ready())
        showReferenceSigmaL(check);
}

// A step from the study last committed to the study now, when they differ.
void MainWindow::commitChange(const QString &text)
{
    if (quietChanges_ > 0)
        return;
    const StudySnapshot now = snapshot();
    if (now != committed_) {
        const auto restore = [this](const StudySnapshot &target) {
            restoreSnapshot(target);
            committed_ = snapshot();
            updateDocumentState();
            // The box holding the focus shows its restored value as if entered.
            if (focusedBox_)
                selectWholeText(focusedBox_);
        };
        // Pushing makes this the current step; its first redo does nothing.
        history_->push(new StudyStep(text, committed_, now, restore));
        committed_ = now;
    }
    updateDocumentState();
}

void MainWindow::changeStudy(const QString &text, const std::function<void()> &change)
{
    commitChange(editText(focusedBox_));
    {
        const QScopedValueRollback quiet(quietChanges_, quietChanges_ + 1);
        change();
    }
    commitChange(text);
}

// New, Open and a new window: the study as it stands is the saved one, and
// the title block's study fields typed for another study are gone.
void MainWindow::startHistory()
{
    reportSettings_.typed.structure.clear();
    reportSettings_.typed.date.clear();
    history_->clear();
    committed_ = snapshot();
    updateDocumentState();
}

void MainWindow::undo()
{
    commitChange(editText(focusedBox_));
    history_->undo();
}

void MainWindow::redo()
{
    history_->redo();
}

void MainWindow::setStudyPath(const QString &path)
{
    studyPath_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!path.isEmpty()) {
        lastStudyFolder_ = QFileInfo(path).absolutePath();
        rememberRecentStudy(studyPath_);
        updateRecentMenu();
    }
    // The unsaved mark stands where [*] is; the title of a study without a
    // file has none.
    setWindowTitle(studyPath_.isEmpty() ? applicationTitle()
                                        : QFileInfo(studyPath_).fileName() + QStringLiteral("[*] - ") + applicationTitle());
    updateDocumentState();
}

// Also while a box is typed in: typing is a change not yet on the history.
void MainWindow::updateDocumentState()
{
    const bool typing = snapshot() != committed_;
    const bool modified = !studyPath_.isEmpty() && (typing || !history_->isClean());
    if (isWindowModified() != modified)
        setWindowModified(modified);
    undoAction_->setEnabled(typing || history_->canUndo());
    undoAction_->setText(commandText(QStringLiteral("元に戻す"), typing ? editText(focusedBox_) : history_->undoText()));
    // Committing the typing would end the redo history.
    redoAction_->setEnabled(!typing && history_->canRedo());
    redoAction_->setText(commandText(QStringLiteral("やり直し"), typing ? QString() : history_->redoText()));
}

}  // namespace talven
