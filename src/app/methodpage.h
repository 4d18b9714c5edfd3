#pragma once

#include "check/studycheck.h"
#include "study/soilclasses.h"
#include "study/study.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace talven {

class StudyBoxes;

// The first tab's page, 検討方法・諸数値の設定: the formula, the three member
// dimensions with L, the two water levels with ΔH, the soil class list and
// the creep ratio, the sketch and "次へ". It shows a Study and says what the
// user chose; the boxes are the StudyBoxes'.
class MethodPage final : public QWidget {
    Q_OBJECT
public:
    explicit MethodPage(StudyBoxes &boxes);

    // Writes what differs from the study without emitting a choice.
    void show(const Study &study);
    void showTotals(const StudyCheck &check);
    // The formula buttons are in the Tab-key order only until another tab is
    // shown.
    void leaveTabOrder();

    QPushButton *nextButton() const { return nextButton_; }
    QRadioButton *laneButton() const { return laneButton_; }

Q_SIGNALS:
    // A click on the formula already chosen chooses nothing.
    void formulaChosen(Formula formula);
    // -1 when the choice is cleared.
    void soilClassChosen(int soilClass);
    // The water-level cases' link in the 水位差 frame.
    void casesRequested();

private:
    QWidget *buildFormulaFrame();
    int selectedClass() const;

    QRadioButton *blighButton_ = nullptr;
    QRadioButton *laneButton_ = nullptr;
    QLabel *formulaNumeratorLabel_ = nullptr;
    QLabel *memberTotalLabel_ = nullptr;
    QLabel *headDifferenceLabel_ = nullptr;
    QLabel *casesLink_ = nullptr;
    QLabel *governingNote_ = nullptr;  // with several cases: whose ⊿H the row shows, and which case governs
    QListWidget *soilClassList_ = nullptr;
    QLabel *creepRatioCaption_ = nullptr;
    QPushButton *nextButton_ = nullptr;
    std::optional<Formula> listedFormula_;  // whose classes the list holds
};

}  // namespace talven
