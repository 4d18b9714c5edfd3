#include "report/paintersurface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

namespace talven {

namespace {

// The resolutions at which one draw-width unit is one pixel or dot.
constexpr double ScreenDpi = 96.0;
constexpr double PrinterDpi = 600.0;

// The report's font names and the installed families standing for them,
// found once by registerReportFonts(): a name that is no family of its own
// would be looked for among every family, and then among its substitutes,
// at every size and weight the page uses.
struct ReportFamily {
    QString name;
    QString family;
};
std::vector<ReportFamily> &reportFamilies()
{
    static std::vector<ReportFamily> families;
    return families;
}

QString installedFamily(const QString &name)
{
    for (const ReportFamily &known : reportFamilies()) {
        if (known.name == name)
            return known.family;
    }
    return name;
}

}  // namespace

PainterSurface::PainterSurface(QPainter &painter, bool printer, const QRectF &sheet)
    : painter(painter), printer(printer), sheet_(sheet), base(painter.worldTransform())
{
    if (sheet_.isEmpty()) {
        const QPaintDevice &device = *painter.device();
        sheet_ = QRectF(0, 0, device.width() / device.devicePixelRatioF(), device.height() / device.devicePixelRatioF());
    }
    applyPen();
    painter.setBrush(Qt::NoBrush);
}

void PainterSurface::setFont(const QString &family)
{
    const QString installed = installedFamily(family);
    if (font.family() != installed) {
        font.setFamily(installed);
        fontChanged();
    }
}

void PainterSurface::setFontSize(double points)
{
    if (font.pointSizeF() != points) {
        font.setPointSizeF(points);
        fontChanged();
    }
}

void PainterSurface::setFontBold(bool bold)
{
    if (font.bold() != bold) {
        font.setBold(bold);
        fontChanged();
    }
}

void PainterSurface::setCurrentPoint(QPointF point)
{
    current = point;
}

// A page sets a handful of fonts over hundreds of texts: each is resolved,
// measured and handed to the painter once, when it changes.
void PainterSurface::fontChanged()
{
    metrics_.reset();
    painterHasFont = false;
}

const QFontMetricsF &PainterSurface::metrics()
{
    if (!metrics_)
        metrics_.emplace(font, painter.device());
    return *metrics_;
}

void PainterSurface::print(const QString &text)
{
    if (!painterHasFont) {
        painter.setFont(font);
        painterHasFont = true;
    }
    // QPainter places text on its baseline; the report gives the top-left corner.
    painter.drawText(QPointF(current.x(), current.y() + metrics().ascent()), text);
    current = QPointF(0.0, current.y() + metrics().height());
}

double PainterSurface::textWidth(const QString &text)
{
    return metrics().horizontalAdvance(text);
}

double PainterSurface::textHeight(const QString &)
{
    return metrics().height();
}

void PainterSurface::line(QPointF from, QPointF to)
{
    painter.drawLine(from, to);
}

void PainterSurface::box(QPointF corner, QSizeF size)
{
    painter.drawRect(QRectF(corner, size));
}

void PainterSurface::setDrawWidth(int width)
{
    drawWidth = width;
    applyPen();
}

bool PainterSurface::isPrinter() const
{
    return printer;
}

QRectF PainterSurface::sheet() const
{
    return sheet_;
}

double PainterSurface::unitsPerMillimetre() const
{
    return painter.device()->logicalDpiX() / 25.4;
}

void PainterSurface::place(QPointF offset, double scale)
{
    painter.setWorldTransform(QTransform(scale, 0, 0, scale, offset.x(), offset.y()) * base);
}

void PainterSurface::applyPen()
{
    const double unit = painter.device()->logicalDpiX() / (printer ? PrinterDpi : ScreenDpi);
    painter.setPen(QPen(Qt::black, drawWidth * unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void registerReportFonts()
{
    // Windows has no IPA fonts: the Windows program brings its own in fonts/
    // beside it. Elsewhere the system's are used, and there is no such folder.
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString &file : {QStringLiteral("ipam.ttf"), QStringLiteral("ipag.ttf"), QStringLiteral("ipagp.ttf")}) {
        if (fonts.exists(file))
            QFontDatabase::addApplicationFont(fonts.filePath(file));
    }
    const std::pair<QString, QStringList> substitutes[] = {
        {QStringLiteral("ＭＳ 明朝"), {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")}},
        {QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")}},
        {QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")}},
    };
    const QStringList available = QFontDatabase::families();
    const auto isAvailable = [&available](const QString &family) { return available.contains(family, Qt::CaseInsensitive); };
    std::vector<ReportFamily> &families = reportFamilies();
    families.clear();
    for (const auto &[name, installed] : substitutes) {
        QFont::insertSubstitutions(name, installed);
        // Where those fonts are there themselves, the report uses them as they are.
        if (isAvailable(name))
            continue;
        const auto found = std::find_if(installed.begin(), installed.end(), isAvailable);
        if (found != installed.end())
            families.push_back({name, *found});
    }
}

}  // namespace talven
