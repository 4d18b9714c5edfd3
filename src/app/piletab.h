#pragma once

#include "check/studycheck.h"
#include "study/studyrecord.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace talven {

class StudyBoxes;

// The labels of one section's result: the formula with its fraction, and
// the answer that a check writes and any change hides again.
struct ResultLine {
    QLabel *heading = nullptr;
    QLabel *lead = nullptr;  // "Ｃ´ ＝"
    QLabel *numerator = nullptr;
    QFrame *rule = nullptr;
    QLabel *denominator = nullptr;
    QLabel *equals = nullptr;
    QLabel *provided = nullptr;
    QLabel *sign = nullptr;
    QLabel *required = nullptr;
    QLabel *verdict = nullptr;

    std::array<QLabel *, 5> answer() const { return {equals, provided, sign, required, verdict}; }
};

// The tab of one section's piles: seven rows of place name, length and x2
// tick, ΣL, the reference ΣL, the sketch, the result line and the tab's
// three buttons. The vertical and the horizontal tab are two of these; the
// section decides their captions and object names.
class PileTab : public QWidget {
    Q_OBJECT
public:
    // The boxes are the StudyBoxes', which handle their keys.
    PileTab(Section section, StudyBoxes &boxes);

    Section section() const { return section_; }
    QPushButton *showResultButton() const { return showResultButton_; }
    QPushButton *proposalButton() const { return proposalButton_; }  // "矢板長の提案…"
    // "矢板の位置…", on the vertical tab only; null on the horizontal.
    QPushButton *placementButton() const { return placementButton_; }
    QPushButton *backButton() const { return back_; }  // "前へ"
    QPushButton *nextButton() const { return next_; }  // "次へ", on the last tab "ﾌﾟﾚﾋﾞｭｰ"

    // The ticks as the study has them, without emitting doubleTickToggled.
    void showTicks(const PileTicks &ticks);
    // ΣL, whether the study can be checked (the proposal needs it) and, on
    // the vertical tab, the piles against their spacing.
    void showTotals(const StudyCheck &check, const StudyRecord &record);
    void showReferenceSigmaL(const QString &text);

    // Writes this section's ratio, sign, required ratio and verdict, and the
    // design figures, and shows them: the governing case's, under a list of
    // every case when there are several. Without a verdict (ΔH = 0) nothing
    // changes.
    void showResult(const StudyCheck &check);
    // The fraction shows the formula's captions instead of numbers.
    void showFormulaCaptions(const QString &numerator);
    void hideResult(const QString &numerator);

Q_SIGNALS:
    void doubleTickToggled(int row, bool ticked);

private:
    QWidget *buildFrame(StudyBoxes &boxes);
    QWidget *buildResultArea();

    Section section_;
    std::array<QCheckBox *, PileCount> ticks_{};
    QLabel *doubleHeader_ = nullptr;
    QLabel *sigmaL_ = nullptr;
    QLabel *reference_ = nullptr;
    QLabel *governingNote_ = nullptr;  // with several cases: whose ΣL の参考値 and figures these are
    ResultLine result_;
    QPushButton *showResultButton_ = nullptr;
    QPushButton *proposalButton_ = nullptr;
    QPushButton *placementButton_ = nullptr;
    QLabel *spacing_ = nullptr;  // the spacing rule, on the vertical tab
    QLabel *marginCaption_ = nullptr;
    QLabel *margin_ = nullptr;
    QLabel *allowableHead_ = nullptr;
    QLabel *cases_ = nullptr;  // each water-level case's ΔH, ratio and verdict, with several cases
    QPushButton *back_ = nullptr;
    QPushButton *next_ = nullptr;
};

}  // namespace talven
