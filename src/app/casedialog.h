#pragma once

#include "app/studyboxes.h"
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
// and WL2 under the water levels' rules; under each case's line, where its
// levels come from (基準面, WL1 の根拠, WL2 の根拠). OK hands back the cases
// (setCases); the caller makes them one step of the study.
class CaseDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CaseDialog(const Study &study, QWidget *parent = nullptr);

    // Every case, case 1 first, as edited.
    std::vector<WaterLevelCase> cases() const { return cases_; }

    // The boxes of case `index` (from 0); case 1's levels are the first
    // tab's and have no boxes here, nor a button to remove it.
    QLineEdit *nameBox(int index) const { return rows_.at(std::size_t(index)).name; }
    QLineEdit *levelBox(int index, Level level) const;
    QLineEdit *basisBox(int index, QString LevelBasis::*field) const;
    QPushButton *addButton() const { return add_; }
    QPushButton *removeButton(int index) const { return rows_.at(std::size_t(index)).remove; }

public Q_SLOTS:
    // OK: a case whose two levels are equal has no head to check, and is
    // refused as the first tab's levels would be.
    void accept() override;

private:
    void buildRows();
    void addCase();
    void removeCase(int index);
    void onLevelEdited(int index, Level level);
    void showHeadDifferences();
    void onLevelBoxLeft(QLineEdit *box);

    // The controls of one case's row.
    struct Row {
        QLineEdit *name = nullptr;
        std::array<QLineEdit *, 2> levels{};  // WL1, WL2; none for case 1
        QLabel *head = nullptr;
        QLabel *note = nullptr;  // ◎ on the governing case, 逆水位 where WL2 is the higher
        QPushButton *remove = nullptr;
        std::array<QLineEdit *, LevelBasisFields.size()> basis{};  // on the line below
    };

    QWidget *basisLine(int index, Row &row);

    std::vector<WaterLevelCase> cases_;  // every case, case 1 first, as edited
    NumberBoxFilter *numberBoxes_ = nullptr;
    QGridLayout *grid_ = nullptr;
    QWidget *table_ = nullptr;
    std::vector<Row> rows_;
    QPushButton *add_ = nullptr;
};

}  // namespace talven
