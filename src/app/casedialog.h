#pragma once

#include "study/study.h"

#include <QDialog>

#include <array>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace talven {

// 水位ケース: the study's water-level cases, case 1 with the first tab's WL1
// and WL2 (its name editable here) and up to seven more, each a name, WL1
// and WL2 under the water levels' rules. OK hands back the cases; the caller
// makes them one step of the study.
class CaseDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CaseDialog(const Study &study, QWidget *parent = nullptr);

    QString firstCaseName() const;
    std::vector<WaterLevelCase> moreCases() const { return cases_; }

    QLineEdit *nameBox(int index) const { return names_.at(std::size_t(index)); }
    // The level boxes of case `index` (1 and up): WL1 then WL2.
    QLineEdit *levelBox(int index, Level level) const;
    QPushButton *addButton() const { return add_; }
    QPushButton *removeButton(int index) const { return removes_.at(std::size_t(index - 1)); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildRows();
    void addCase();
    void removeCase(int index);
    void onLevelEdited(int index, Level level);
    void showHeadDifference(int index);

    Study study_;
    std::vector<WaterLevelCase> cases_;  // cases 2 and up, as edited
    QGridLayout *grid_ = nullptr;
    QWidget *rows_ = nullptr;
    std::vector<QLineEdit *> names_;
    std::vector<std::array<QLineEdit *, 2>> levels_;  // cases 2 and up
    std::vector<QLabel *> heads_;
    std::vector<QPushButton *> removes_;
    QPushButton *add_ = nullptr;
};

}  // namespace talven
