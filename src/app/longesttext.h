#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace talven {

// Holds a box to its longest text for whatever the user brings in: a paste
// (keys or context menu), a drop, the input method. What does not fit is cut
// from the text brought in, as typing would stop. Text the program writes
// into the box is never cut.
//
// The cut text replaces the box's text from inside the edit, so textChanged
// comes twice: first for the cut text, then once more for the edit under way;
// handlers that read the box see the cut text both times.
class LongestText final : public QObject {
public:
    LongestText(QLineEdit *box, int longest);

private:
    void cutWhatDoesNotFit();

    QLineEdit *box_;
    int longest_;
    QString before_;  // the box's text before the edit under way
};

}  // namespace talven
