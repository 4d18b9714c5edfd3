#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

namespace talven {

// Holds what the user brings into a box (a paste by keys or menu, a drop, the
// input method) to what the box takes: the part of it a rule keeps (a number
// box its leading number), and no more than its longest text; what does not
// fit is cut from the text brought in, as typing would stop. Text the program
// writes into the box is never cut.
//
// The kept text replaces the box's text from inside the edit, so textChanged
// comes twice: first for the kept text, then once more for the edit under
// way; handlers that read the box see the kept text both times.
class BroughtInText final : public QObject {
public:
    using Keep = std::function<QString(const QString &broughtIn)>;

    // `longest` 0: no limit; no `keep`: the whole text.
    BroughtInText(QLineEdit *box, int longest, Keep keep = {});

private:
    void keepWhatTypingCouldEnter();

    QLineEdit *box_;
    int longest_;
    Keep keep_;
    QString before_;  // the box's text before the edit under way
};

}  // namespace talven
