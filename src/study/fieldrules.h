#pragma once

#include <QChar>
#include <QString>

namespace talven {

// A message box of the program: prompt, style code and caption.
struct Message {
    QString prompt;
    int style = 0;  // 16 stop, 36 question, 48 exclamation, 64 information
    QString caption;

    bool operator==(const Message &) const = default;
};

// The outcome of checking one number box's text against its range.
struct FieldCheck {
    bool accepted = true;
    double value = 0.0;   // what the box's field stores when accepted
    Message message;      // the range message when rejected
    QString replacement;  // the text the box gets back when rejected ("" or "5")
};

// Range check of number box Text1(index) for the text it now holds. The
// creep-ratio box is checked only while it is editable (the ranged class).
FieldCheck CheckNumberBox(int index, const QString &text, bool ratioEditable);

// Characters a number box takes from the keyboard: digits, "." and, in the
// two water-level boxes, "-".
bool NumberBoxAccepts(int index, QChar character);

// The longest text a user may type into a box; 0 means no limit.
int NumberBoxMaxLength(int index);
inline constexpr int NameBoxMaxLength = 10;

// Enter moves the focus round one column of one group.
int NextNumberBox(int index);  // Text1(5) hands over to the "次へ" button: returns -1
int NextNameBox(int index);

// The information message shown when Bligh's "砂混じり砂利" is chosen.
Message RangedClassMessage();

}  // namespace talven
