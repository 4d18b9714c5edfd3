#pragma once

#include "report/reportsurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTransform>

#include <optional>

class QPainter;

namespace talven {

// The report on anything QPainter paints: the preview's page image, a
// QPdfWriter or a QPrinter. Units are the paint device's pixels; fonts are
// sized at the device's logical resolution, so a page image must carry its
// resolution (QImage::setDotsPerMeterX/Y).
//
// Pen widths: on the screen image one draw-width unit is one pixel at 96 dpi,
// on printers and PDF one dot at 600 dpi. Frames are drawn six times the thin
// line on paper, twice on screen: a 96 dpi preview gets frames of 2 pixels and
// lines of 1, a 600 dpi PDF frames of 6 dots (0.25 mm) and lines of 1 dot.
class PainterSurface final : public ReportSurface {
public:
    // The painter must be active on its device for the surface's lifetime.
    // `sheet` is the paper in the painter's coordinates as they are now;
    // empty for the whole device.
    PainterSurface(QPainter &painter, bool printer, const QRectF &sheet = QRectF());

    void setFont(const QString &family) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    void setCurrentPoint(QPointF point) override;
    void print(const QString &text) override;
    double textWidth(const QString &text) override;
    double textHeight(const QString &text) override;
    void line(QPointF from, QPointF to) override;
    void box(QPointF corner, QSizeF size) override;
    void setDrawWidth(int width) override;
    bool isPrinter() const override;
    QRectF sheet() const override;
    double unitsPerMillimetre() const override;
    void place(QPointF offset, double scale) override;

private:
    void applyPen();
    void fontChanged();
    const QFontMetricsF &metrics();

    QPainter &painter;
    bool printer;
    QRectF sheet_;
    QTransform base;  // the painter's transform before any placement
    QFont font;
    std::optional<QFontMetricsF> metrics_;  // the font's, made when first needed
    bool painterHasFont = false;
    QPointF current;
    int drawWidth = 1;
};

// Lets the report's font names find the IPA fonts: "ＭＳ 明朝", "ＭＳ ゴシック"
// and "ＭＳ Ｐゴシック". Needs a QGuiApplication. On Windows it first loads the
// IPA fonts the program brings in its fonts folder.
void registerReportFonts();

}  // namespace talven
