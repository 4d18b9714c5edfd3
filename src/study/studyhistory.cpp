#include "study/studyhistory.h"

namespace talven {

void StudyHistory::push(const QString &text, const Study &before, const Study &after)
{
    steps_.resize(std::size_t(index_));
    if (cleanIndex_ > index_)
        cleanIndex_ = -1;
    steps_.push_back({text, before, after});
    ++index_;
}

void StudyHistory::clear()
{
    steps_.clear();
    index_ = 0;
    cleanIndex_ = 0;
}

const Study &StudyHistory::undo()
{
    Q_ASSERT(canUndo());
    return steps_[std::size_t(--index_)].before;
}

const Study &StudyHistory::redo()
{
    Q_ASSERT(canRedo());
    return steps_[std::size_t(index_++)].after;
}

}  // namespace talven
