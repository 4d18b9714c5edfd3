#pragma once

#include <QWidget>

namespace talven {

// Schematic sketches of a sluice gate showing where the quantities of each
// tab are measured.
class ExampleFigure : public QWidget {
    Q_OBJECT
public:
    enum class Drawing {
        Method,      // the member dimensions and the water levels
        Vertical,    // the vertical section's seepage path
        Horizontal,  // the horizontal section's seepage path
    };

    explicit ExampleFigure(Drawing drawing, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Drawing drawing_;
};

}  // namespace talven
