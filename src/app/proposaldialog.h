#pragma once

#include "check/designaid.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace talven {

// "矢板長の提案…": the smallest added pile lengths that make one section ＯＫ,
// by a step, a way and a longest pile the user chooses. The proposal is
// worked out again on every change of a choice; 適用 accepts the dialog and
// the caller writes lengths() into the boxes, キャンセル changes nothing.
// The dialog starts with the way `way`.
class ProposalDialog final : public QDialog {
    Q_OBJECT
public:
    ProposalDialog(const Study &input, Section section, ProposalWay way, QWidget *parent = nullptr);

    const PileProposal &proposal() const { return proposal_; }
    ProposalOptions options() const;

    QComboBox *stepList() const { return step_; }
    QButtonGroup *ways() const { return ways_; }
    QComboBox *rowList() const { return row_; }
    QDoubleSpinBox *longestPileBox() const { return longest_; }
    QTableWidget *table() const { return table_; }
    QLabel *summaryLabel() const { return summary_; }
    QPushButton *applyButton() const { return apply_; }

private:
    void propose();
    void showTable();
    QString summaryText() const;

    Study input_;
    Section section_;
    std::vector<int> rowsInUse_;
    PileProposal proposal_;
    QComboBox *step_ = nullptr;
    QButtonGroup *ways_ = nullptr;
    QComboBox *row_ = nullptr;
    QDoubleSpinBox *longest_ = nullptr;
    QTableWidget *table_ = nullptr;
    QLabel *summary_ = nullptr;
    QPushButton *apply_ = nullptr;
};

}  // namespace talven
