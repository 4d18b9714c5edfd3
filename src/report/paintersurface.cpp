#include "report/paintersurface.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace talven {

namespace {

// The resolution at which the original's pen widths were pixels.
constexpr double ScreenDpi = 96.0;
constexpr double PrinterDpi = 600.0;

}  // namespace

PainterSurface::PainterSurface(QPainter &painter, bool printer)
    : painter(painter), printer(printer)
{
    ApplyPen();
    painter.setBrush(Qt::NoBrush);
}

void PainterSurface::SetFont(const QString &family)
{
    font.setFamily(family);
}

void PainterSurface::SetFontSize(double points)
{
    font.setPointSizeF(points);
}

void PainterSurface::SetFontBold(bool bold)
{
    font.setBold(bold);
}

void PainterSurface::SetCurrentPoint(QPointF point)
{
    current = point;
}

void PainterSurface::Print(const QString &text)
{
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    // QPainter places text on its baseline; the report gives the top-left corner.
    painter.drawText(QPointF(current.x(), current.y() + metrics.ascent()), text);
    current = QPointF(0.0, current.y() + metrics.height());
}

double PainterSurface::TextWidth(const QString &text)
{
    return QFontMetricsF(font, painter.device()).horizontalAdvance(text);
}

double PainterSurface::TextHeight(const QString &)
{
    return QFontMetricsF(font, painter.device()).height();
}

void PainterSurface::Line(QPointF from, QPointF to)
{
    painter.drawLine(from, to);
}

void PainterSurface::Box(QPointF corner, QSizeF size)
{
    painter.drawRect(QRectF(corner, size));
}

void PainterSurface::SetDrawWidth(int width)
{
    drawWidth = width;
    ApplyPen();
}

bool PainterSurface::IsPrinter() const
{
    return printer;
}

void PainterSurface::ApplyPen()
{
    const double unit = painter.device()->logicalDpiX() / (printer ? PrinterDpi : ScreenDpi);
    painter.setPen(QPen(Qt::black, drawWidth * unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void RegisterReportFonts()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"),
                               {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
}

}  // namespace talven
