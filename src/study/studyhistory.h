#pragma once

// The study's undo history: each step holds the study before and after one
// change and its name for the 編集 menu ("寸法の入力"). Undoing gives back the
// study before, redoing the study after; the caller shows what it gets.

#include "study/study.h"

#include <QString>

#include <vector>

namespace talven {

class StudyHistory {
public:
    // A change made: it becomes the current step, and the steps that were
    // undone are gone. When the saved step was among them, no step is saved.
    void push(const QString &text, const Study &before, const Study &after);
    // Nothing to undo or redo, and the study as it stands is the saved one.
    void clear();

    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < int(steps_.size()); }
    QString undoText() const { return canUndo() ? steps_[index_ - 1].text : QString(); }
    QString redoText() const { return canRedo() ? steps_[index_].text : QString(); }
    // Call only when canUndo() or canRedo().
    const Study &undo();
    const Study &redo();

    // Whether the history stands at the step that was saved.
    bool isClean() const { return index_ == cleanIndex_; }
    void setClean() { cleanIndex_ = index_; }

private:
    struct Step {
        QString text;
        Study before;
        Study after;
    };

    std::vector<Step> steps_;
    int index_ = 0;       // steps_[0 .. index_ - 1] are done
    int cleanIndex_ = 0;  // -1 when the saved step was undone and replaced
};

}  // namespace talven
