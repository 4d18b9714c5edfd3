#include "app/broughtintext.h"

#include <QLineEdit>

#include <algorithm>

namespace talven {

BroughtInText::BroughtInText(QLineEdit *box, int longest, Keep keep)
    : QObject(box), box_(box), longest_(longest), keep_(std::move(keep)), before_(box->text())
{
    // textEdited comes before textChanged, and only for the user's edits.
    connect(box, &QLineEdit::textEdited, this, &BroughtInText::keepWhatTypingCouldEnter);
    connect(box, &QLineEdit::textChanged, this, [this] { before_ = box_->text(); });
}

void BroughtInText::keepWhatTypingCouldEnter()
{
    const QString after = box_->text();
    // What was brought in lies between the part the text kept at its front
    // and the part it kept at its back, and ends at the caret: where it
    // repeats the text around the caret ("ba" into "a|b"), the caret tells
    // which part was kept.
    const qsizetype shorter = std::min(before_.size(), after.size());
    const qsizetype afterCaret = std::min<qsizetype>(shorter, after.size() - box_->cursorPosition());
    qsizetype back = 0;
    while (back < afterCaret && before_[before_.size() - 1 - back] == after[after.size() - 1 - back])
        ++back;
    qsizetype front = 0;
    while (front < shorter - back && before_[front] == after[front])
        ++front;
    const QString broughtIn = after.mid(front, after.size() - front - back);
    QString kept = keep_ ? keep_(broughtIn) : broughtIn;
    if (longest_ > 0)
        kept.truncate(std::max<qsizetype>(longest_ - front - back, 0));
    if (kept == broughtIn)
        return;
    box_->setText(after.left(front) + kept + after.right(back));
    box_->setCursorPosition(int(front + kept.size()));
}

}  // namespace talven
