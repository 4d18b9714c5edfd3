#include "app/longesttext.h"

#include <QLineEdit>

#include <algorithm>

namespace talven {

LongestText::LongestText(QLineEdit *box, int longest)
    : QObject(box), box_(box), longest_(longest), before_(box->text())
{
    // textEdited comes before textChanged, and only for the user's edits.
    connect(box, &QLineEdit::textEdited, this, &LongestText::cutWhatDoesNotFit);
    connect(box, &QLineEdit::textChanged, this, [this] { before_ = box_->text(); });
}

void LongestText::cutWhatDoesNotFit()
{
    const QString after = box_->text();
    if (after.size() <= longest_)
        return;
    // What was brought in lies between the part the text kept at its front
    // and the part it kept at its back.
    const qsizetype shorter = std::min(before_.size(), after.size());
    qsizetype front = 0;
    while (front < shorter && before_[front] == after[front])
        ++front;
    qsizetype back = 0;
    while (back < shorter - front && before_[before_.size() - 1 - back] == after[after.size() - 1 - back])
        ++back;
    const qsizetype broughtIn = after.size() - front - back;
    const qsizetype room = std::max<qsizetype>(longest_ - front - back, 0);
    if (broughtIn <= room)
        return;
    box_->setText(after.left(front) + after.mid(front, room) + after.right(back));
    box_->setCursorPosition(int(front + room));
}

}  // namespace talven
