#pragma once

#include "study/boxtable.h"
#include "study/study.h"

#include <QDropEvent>
#include <QHash>
#include <QObject>

#include <array>

class QAction;
class QDropEvent;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace talven {

// A number box of the look and the text rules of numberBox(ruleBox):
// right-aligned, without input method, text brought in held to what the box
// takes. The study's boxes are made so, and the water-level cases' too.
QLineEdit *newNumberEdit(int ruleBox);
// Whether a key typed into such a box is dropped: a character the box does
// not take, or one past its longest text.
bool swallowsTypedNumber(const QLineEdit &box, int ruleBox, const QKeyEvent &key);

// Whether a box that lost the focus was left: the focus went to another
// control of `window`. A message box, a menu or another program taking the
// focus is not leaving the box. The study's boxes and the cases' keep to it.
bool isLeavingBox(const QFocusEvent &focus, const QWidget &window);

// A dialog's number boxes kept to the rules of the study's: each takes the
// keys of its rule box, and says when it is left (isLeavingBox).
class NumberBoxFilter final : public QObject {
    Q_OBJECT
public:
    explicit NumberBoxFilter(QWidget *window);
    void watch(QLineEdit *box, int ruleBox);

Q_SIGNALS:
    void left(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    QHash<QObject *, int> ruleBoxes_;
};

// The study's boxes: the twenty number boxes numberBox(0..19) and the
// nineteen name boxes nameBox(0..18), made here so that their keys and focus
// are handled in one place, and shown from a Study.
//
// A number box takes digits and "." ("-" in the water levels) from the keys,
// up to its longest text; Enter goes round the rows of its tab. Leaving a box
// means the focus going to another control of the window: a message box or
// another program taking it is not leaving. The File commands' and the
// history's keys reach their commands from inside a box, after the box's own
// typing is undone.
class StudyBoxes final : public QObject {
    Q_OBJECT
public:
    explicit StudyBoxes(QWidget *window);

    // Made once each, by the tab that lays it out.
    QLineEdit *makeNumberBox(int index);
    QLineEdit *makeNameBox(int index);
    QLineEdit *numberBox(int index) const { return numberBoxes_.at(index); }
    QLineEdit *nameBox(int index) const { return nameBoxes_.at(index); }

    // The commands whose keys work in a box, and where Enter in the ratio box goes.
    void setCommandKeys(const QList<QAction *> &fileCommands, QAction *undo, QAction *redo);
    void setAfterRatioBox(QWidget *next);

    // Writes the texts that differ from the study's, and whether the ratio
    // may be typed. The writes emit numberEdited and nameEdited; the caller
    // knows they are its own.
    void show(const Study &study);
    // The Tab key walks the boxes of `tab` only (MainWindow::Tab).
    void setTabStops(int tab);
    // The box holding the focus shows its text selected, as when entered.
    void selectFocusedBox();

Q_SIGNALS:
    void numberEdited(int index);
    void nameEdited(int index);
    void numberBoxLeft(int index);
    void nameBoxLeft(int index);
    void boxEntered();
    // Files dragged over a box are a study to open, never text.
    void fileDragged(QDropEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isCommandKey(const QKeyEvent &key) const;
    int historyStep(const QKeyEvent &key) const;
    bool swallowsNumberKey(int index, const QKeyEvent &key);
    bool swallowsNameKey(int index, const QKeyEvent &key);
    void onFocusIn(QLineEdit *box, const QFocusEvent &focus);
    void onFocusOut(int number, int name, const QFocusEvent &focus);

    QWidget *window_;
    std::array<QLineEdit *, NumberBoxCount> numberBoxes_{};
    std::array<QLineEdit *, NameCount> nameBoxes_{};
    QList<QAction *> fileCommands_;
    QAction *undo_ = nullptr;
    QAction *redo_ = nullptr;
    QWidget *afterRatioBox_ = nullptr;
    QLineEdit *focusedBox_ = nullptr;  // the box holding the focus, also while a message box is up
    QLineEdit *clickedBox_ = nullptr;  // a box just entered with the mouse
};

}  // namespace talven
