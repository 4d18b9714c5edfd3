#pragma once

#include "study/message.h"

#include <QChar>
#include <QString>

namespace talven {

// The outcome of checking one number box's text against its range.
struct FieldCheck {
    bool accepted = true;
    double value = 0.0;   // what the box's field stores when accepted
    Message message;      // the range message when rejected
    QString replacement;  // the text the box gets back when rejected ("" or "5")
};

// Range check of number box numberBox(index) for the text it now holds. The
// creep-ratio box is checked only while it is editable (the ranged class).
FieldCheck checkNumberBox(int index, const QString &text, bool ratioEditable);

// The water levels' range message, of the boxes and the cases alike.
Message levelRangeMessage();
// The lengths' range message (0 to 99.99), of the dimensions and the piles.
Message lengthRangeMessage();

// Characters a number box takes from the keyboard: digits, "." and, in the
// two water-level boxes, "-".
bool numberBoxAccepts(int index, QChar character);

// What a number box keeps of text brought in (a paste, a drop): its digits,
// points and minus signs, full-width forms and the sign "−" read as their
// ASCII selves. A minus sign is kept in every box, so that a pasted "-5"
// meets the range check instead of turning silently into 5.
QString numberTextBroughtIn(const QString &text);

// The longest text a user may type into a box; 0 means no limit.
int numberBoxMaxLength(int index);
inline constexpr int NameBoxMaxLength = 10;

// Enter moves the focus round one column of one group.
int nextNumberBox(int index);  // numberBox(5) hands over to the "次へ" button: returns -1
int nextNameBox(int index);

// The information message shown when Bligh's "砂混じり砂利" is chosen.
Message rangedClassMessage();

// Levels that give no head to check: the first tab's WL1 not above its
// WL2, or a water-level case whose two levels are equal.
Message headNotAboveZeroMessage();

}  // namespace talven
