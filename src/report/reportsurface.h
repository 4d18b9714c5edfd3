#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

namespace talven {

// What the report draws on: the preview page, a printer or PDF page, or a
// recording for tests. Positions and sizes are in the surface's own units;
// the report measures its grid on the surface itself.
class ReportSurface {
public:
    virtual ~ReportSurface() = default;

    virtual void SetFont(const QString &family) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetFontBold(bool bold) = 0;

    // The top-left corner of the next text.
    virtual void SetCurrentPoint(QPointF point) = 0;
    // Draws one text at the current point, then moves to the start of the next line.
    virtual void Print(const QString &text) = 0;

    virtual double TextWidth(const QString &text) = 0;
    virtual double TextHeight(const QString &text) = 0;

    // Black lines and rectangle outlines with the current draw width.
    virtual void Line(QPointF from, QPointF to) = 0;
    virtual void Box(QPointF corner, QSizeF size) = 0;
    // Pen width in the original's pixels: 1 for every thin line; the frames
    // use 6 on a printer and 2 on the screen.
    virtual void SetDrawWidth(int width) = 0;

    // Printers and PDF pages draw the frames with the printer's thick pen.
    virtual bool IsPrinter() const = 0;
};

}  // namespace talven
