#pragma once

#include <QWidget>

namespace talven {

// Schematic sketches of a sluice gate showing where the
// quantities of each tab are measured. 0 vertical section, 1 dimensions and
// water levels, 2 horizontal section.
class ExampleFigure : public QWidget {
    Q_OBJECT
public:
    explicit ExampleFigure(int index, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int index_;
};

}  // namespace talven
