#pragma once

#include "report/reportsurface.h"

#include <QFont>

class QPainter;

namespace talven {

// The report on anything QPainter paints: the preview's page image, a
// QPdfWriter or a QPrinter. Units are the paint device's pixels; fonts are
// sized at the device's logical resolution, so a page image must carry its
// resolution (QImage::setDotsPerMeterX/Y).
//
// Pen widths follow the original's pixels: on the screen image one draw-width
// unit is one pixel at 96 dpi, on printers and PDF one dot at 600 dpi. A 96 dpi
// preview thus gets frames of 2 pixels and lines of 1; a 600 dpi PDF frames of
// 6 dots (0.25 mm) and lines of 1 dot, as the printer drew them.
class PainterSurface final : public ReportSurface {
public:
    // The painter must be active on its device for the surface's lifetime.
    PainterSurface(QPainter &painter, bool printer);

    void SetFont(const QString &family) override;
    void SetFontSize(double points) override;
    void SetFontBold(bool bold) override;
    void SetCurrentPoint(QPointF point) override;
    void Print(const QString &text) override;
    double TextWidth(const QString &text) override;
    double TextHeight(const QString &text) override;
    void Line(QPointF from, QPointF to) override;
    void Box(QPointF corner, QSizeF size) override;
    void SetDrawWidth(int width) override;
    bool IsPrinter() const override;

private:
    void ApplyPen();

    QPainter &painter;
    bool printer;
    QFont font;
    QPointF current;
    int drawWidth = 1;
};

// Lets the report's font names find the IPA fonts: "ＭＳ 明朝", "ＭＳ ゴシック"
// and "ＭＳ Ｐゴシック". Needs a QGuiApplication.
void RegisterReportFonts();

}  // namespace talven
