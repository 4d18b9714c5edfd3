#pragma once

#include "check/studycheck.h"
#include "study/studyrecord.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace talven {

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
    // The window makes the boxes (numberBox or nameBox index in, box out), so
    // that its key handling and its box arrays see them.
    using BoxMaker = std::function<QLineEdit *(int index)>;

    PileTab(Section section, const BoxMaker &nameBox, const BoxMaker &numberBox);

    Section section() const { return section_; }
    QCheckBox *doubleTick(int row) const { return ticks_.at(row); }
    // The x2 ticks as the totals, the check and the report read them.
    PileTicks ticks() const;
    QLabel *sigmaLLabel() const { return sigmaL_; }
    QLabel *referenceSigmaLLabel() const { return reference_; }
    const ResultLine &resultLine() const { return result_; }
    QPushButton *showResultButton() const { return showResultButton_; }
    QPushButton *proposalButton() const { return proposalButton_; }  // "矢板長の提案…"
    // The design figures, shown with the result line: "不足 1.83 m" and
    // "許容水位差 ⊿H = …".
    QLabel *marginLabel() const { return margin_; }
    QLabel *allowableHeadLabel() const { return allowableHead_; }
    QPushButton *backButton() const { return back_; }  // "前へ"
    QPushButton *nextButton() const { return next_; }  // "次へ", on the last tab "ﾌﾟﾚﾋﾞｭｰ"

    // Writes this section's ratio, sign, required ratio and verdict, and the
    // design figures, and shows them; without a verdict (ΔH = 0) nothing changes.
    void showResult(const StudyCheck &check);
    // The fraction shows the formula's captions instead of numbers.
    void showFormulaCaptions(const QString &numerator);
    void hideResult(const QString &numerator);

private:
    QWidget *buildFrame(const BoxMaker &nameBox, const BoxMaker &numberBox);
    QWidget *buildResultArea();

    Section section_;
    std::array<QCheckBox *, PileCount> ticks_{};
    QLabel *doubleHeader_ = nullptr;
    QLabel *sigmaL_ = nullptr;
    QLabel *reference_ = nullptr;
    ResultLine result_;
    QPushButton *showResultButton_ = nullptr;
    QPushButton *proposalButton_ = nullptr;
    QLabel *marginCaption_ = nullptr;
    QLabel *margin_ = nullptr;
    QLabel *allowableHead_ = nullptr;
    QPushButton *back_ = nullptr;
    QPushButton *next_ = nullptr;
};

}  // namespace talven
