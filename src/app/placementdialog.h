#pragma once

#include "study/study.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;

namespace talven {

class NumberBoxFilter;

// 矢板の位置: where each vertical pile row stands, its distance in metres from
// the 川表 end of the structure (0 to L; empty for none), and the structure's
// bottom level (函底高), with the spacing rule as they are typed; below them
// the cut-off's details the design summary asks for (矢板の型式, しゃ水壁の
// 高さ・幅, 掘削幅; empty for none). OK hands them to setPlacement and
// setCutOffDetails; a value either refuses keeps the dialog open.
class PlacementDialog final : public QDialog {
    Q_OBJECT
public:
    explicit PlacementDialog(const Study &study, QWidget *parent = nullptr);

    // The study with the stations, the level and the cut-off's details as
    // typed; the messages of what cannot be taken.
    StudyEdit placement() const;

    QLineEdit *stationBox(int row) const { return stations_.at(std::size_t(row)); }
    QLineEdit *bottomLevelBox() const { return bottomLevel_; }
    QLabel *spacingLabel() const { return spacing_; }
    QLineEdit *pileTypeBox() const { return pileType_; }
    // wallHeight, wallWidth and excavationWidth's boxes.
    QLineEdit *measureBox(std::optional<double> CutOffDetails::*measure) const;

public Q_SLOTS:
    void accept() override;

private:
    void showSpacing();
    QWidget *buildDetails(const CutOffDetails &details);

    Study study_;
    std::array<QLineEdit *, PileCount> stations_{};
    QLineEdit *bottomLevel_ = nullptr;
    QLabel *spacing_ = nullptr;
    QLineEdit *pileType_ = nullptr;
    std::array<QLineEdit *, 3> measures_{};  // in the order of DetailMeasures
    NumberBoxFilter *numberBoxes_ = nullptr;
};

}  // namespace talven
