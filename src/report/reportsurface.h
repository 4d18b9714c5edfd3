#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace talven {

// What the report draws on: the preview page, a printer or PDF page, or a
// recording for tests. Positions and sizes are in the surface's own units;
// the report measures its grid on the surface itself.
class ReportSurface {
public:
    virtual ~ReportSurface() = default;

    virtual void setFont(const QString &family) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;

    // The top-left corner of the next text.
    virtual void setCurrentPoint(QPointF point) = 0;
    // Draws one text at the current point, then moves to the start of the next line.
    virtual void print(const QString &text) = 0;

    virtual double textWidth(const QString &text) = 0;
    virtual double textHeight(const QString &text) = 0;

    // Black lines and rectangle outlines with the current draw width.
    virtual void line(QPointF from, QPointF to) = 0;
    virtual void box(QPointF corner, QSizeF size) = 0;
    // Pen width in draw-width units: 1 for every thin line; frames are drawn
    // six times the thin line on paper (6), twice on screen (2).
    virtual void setDrawWidth(int width) = 0;

    // Printers and PDF pages draw the frames with the printer's thick pen.
    virtual bool isPrinter() const = 0;

    // The sheet of paper in the surface's units: a printer's origin is where
    // it can begin to print, so the sheet may begin left of and above it.
    virtual QRectF sheet() const = 0;
    virtual double unitsPerMillimetre() const = 0;
    // Everything drawn from here on is scaled by `scale` and then moved by
    // `offset`; each call replaces the last. Texts are measured as before.
    virtual void place(QPointF offset, double scale) = 0;
};

}  // namespace talven
