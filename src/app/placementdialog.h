#pragma once

#include "study/study.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;

namespace talven {

class NumberBoxFilter;

// 矢板の位置: where each vertical pile row stands, its distance in metres from
// the 川表 end of the structure (0 to L; empty for none), and the structure's
// bottom level (函底高), with the spacing rule as they are typed. OK hands
// them to setPlacement; a value it refuses keeps the dialog open.
class PlacementDialog final : public QDialog {
    Q_OBJECT
public:
    explicit PlacementDialog(const Study &study, QWidget *parent = nullptr);

    // The study with the stations and the level as typed; the messages of
    // what cannot be taken.
    StudyEdit placement() const;

    QLineEdit *stationBox(int row) const { return stations_.at(std::size_t(row)); }
    QLineEdit *bottomLevelBox() const { return bottomLevel_; }
    QLabel *spacingLabel() const { return spacing_; }

public Q_SLOTS:
    void accept() override;

private:
    void showSpacing();

    Study study_;
    std::array<QLineEdit *, PileCount> stations_{};
    QLineEdit *bottomLevel_ = nullptr;
    QLabel *spacing_ = nullptr;
    NumberBoxFilter *numberBoxes_ = nullptr;
};

}  // namespace talven
