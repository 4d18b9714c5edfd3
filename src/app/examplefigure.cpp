#include "app/examplefigure.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace talven {

namespace {

// Every figure is drawn on a 300 x 220 sheet and scaled to the widget as a
// whole, text included, so that it keeps its proportions at any size.
constexpr qreal SheetWidth = 300;
constexpr qreal SheetHeight = 220;

const QColor Ink(30, 30, 30);
const QColor Concrete(205, 205, 205);
const QColor Embankment(214, 228, 190);
const QColor Soil(238, 228, 206);
const QColor Water(150, 200, 240);
const QColor WaterEdge(30, 100, 190);
const QColor Steel(60, 60, 70);
const QColor Path(215, 30, 30);
const QColor Dimension(0, 90, 160);

QFont labelFont()
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);  // 9 pt at 96 dpi, on the sheet's own scale
    return font;
}

// Text placed by one of its corners or edge centres at `at`.
void label(QPainter &p, QPointF at, const QString &text, Qt::Alignment align = Qt::AlignCenter,
           const QColor &color = Ink)
{
    const QFontMetricsF metrics(p.font());
    const QSizeF size(metrics.horizontalAdvance(text) + 2, metrics.height());
    QPointF topLeft = at;
    if (align & Qt::AlignHCenter)
        topLeft.rx() -= size.width() / 2;
    else if (align & Qt::AlignRight)
        topLeft.rx() -= size.width();
    if (align & Qt::AlignVCenter)
        topLeft.ry() -= size.height() / 2;
    else if (align & Qt::AlignBottom)
        topLeft.ry() -= size.height();
    p.save();
    p.setPen(color);
    p.drawText(QRectF(topLeft, size), Qt::AlignCenter, text);
    p.restore();
}

void arrowHead(QPainter &p, QPointF tip, QPointF from, qreal length = 5)
{
    const QPointF d = tip - from;
    const qreal norm = std::hypot(d.x(), d.y());
    if (norm == 0)
        return;
    const QPointF u = d / norm;
    const QPointF n(-u.y(), u.x());
    const QPointF back = tip - u * length;
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(QPolygonF({tip, back + n * length * 0.4, back - n * length * 0.4}));
    p.restore();
}

// A dimension line with arrows at both ends and short extension ticks.
void dimensionLine(QPainter &p, QPointF a, QPointF b)
{
    p.save();
    p.setPen(QPen(Dimension, 0.8));
    p.drawLine(a, b);
    arrowHead(p, a, b, 4);
    arrowHead(p, b, a, 4);
    const QPointF d = b - a;
    const qreal norm = std::hypot(d.x(), d.y());
    const QPointF n = QPointF(-d.y(), d.x()) / norm * 4;
    p.drawLine(a - n, a + n);
    p.drawLine(b - n, b + n);
    p.restore();
}

// A water surface with its level mark (▽) and name above it.
void waterSurface(QPainter &p, qreal x1, qreal x2, qreal y, qreal markX, const QString &name)
{
    p.save();
    p.setPen(QPen(WaterEdge, 1.2));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(markX - 4, y - 7), QPointF(markX + 4, y - 7), QPointF(markX, y)}));
    label(p, QPointF(markX + 6, y - 2), name, Qt::AlignLeft | Qt::AlignBottom, WaterEdge);
    p.restore();
}

void polygon(QPainter &p, const QPolygonF &shape, const QColor &fill, const QPen &pen = QPen(Ink, 1))
{
    p.save();
    p.setPen(pen);
    p.setBrush(fill);
    p.drawPolygon(shape);
    p.restore();
}

void hatch(QPainter &p, const QRectF &area, const QColor &fill)
{
    p.save();
    p.fillRect(area, fill);
    p.setClipRect(area);
    p.setPen(QPen(fill.darker(125), 0.6));
    for (qreal x = area.left() - area.height(); x < area.right(); x += 8)
        p.drawLine(QPointF(x, area.bottom()), QPointF(x + area.height(), area.top()));
    p.restore();
}

// The seepage path as a dashed line with arrows showing the flow.
void seepagePath(QPainter &p, const QPolygonF &path)
{
    p.save();
    p.setPen(QPen(Path, 1.6, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(path);
    p.setPen(QPen(Path, 1.2));
    for (int i = 1; i < path.size(); ++i) {
        const QPointF a = path[i - 1];
        const QPointF b = path[i];
        if (std::hypot(b.x() - a.x(), b.y() - a.y()) >= 20)
            arrowHead(p, (a + b) / 2 + (b - a) * 0.1, a, 6);
    }
    p.restore();
}

void sideNames(QPainter &p)
{
    label(p, QPointF(6, 4), QStringLiteral("川側"), Qt::AlignLeft | Qt::AlignTop);
    label(p, QPointF(294, 4), QStringLiteral("堤内側"), Qt::AlignRight | Qt::AlignTop);
}

// Tab 0: the longitudinal section along the box axis, with the three member
// lengths that add up to L and the two water levels that give ΔH.
void drawDimensionsAndLevels(QPainter &p)
{
    const qreal ground = 140;
    hatch(p, QRectF(0, ground, SheetWidth, 20), Soil);
    polygon(p, QPolygonF({QPointF(0, 70), QPointF(106.8, 70), QPointF(70, ground), QPointF(0, ground)}),
            Water, Qt::NoPen);
    polygon(p, QPolygonF({QPointF(211.6, 105), QPointF(300, 105), QPointF(300, ground), QPointF(230, ground)}),
            Water, Qt::NoPen);
    polygon(p, QPolygonF({QPointF(70, ground), QPointF(120, 45), QPointF(180, 45), QPointF(230, ground)}),
            Embankment);
    label(p, QPointF(150, 50), QStringLiteral("堤防"), Qt::AlignHCenter | Qt::AlignTop);

    // Wing walls at both ends, the box between them, the gate column on the river side.
    polygon(p, QPolygonF({QPointF(30, ground), QPointF(30, 128), QPointF(75, 106), QPointF(75, ground)}), Concrete);
    polygon(p, QPolygonF({QPointF(225, ground), QPointF(225, 106), QPointF(270, 128), QPointF(270, ground)}),
            Concrete);
    polygon(p, QPolygonF(QRectF(75, 106, 150, 34)), Concrete);
    p.fillRect(QRectF(80, 112, 140, 22), Qt::white);
    p.setPen(QPen(Ink, 0.8));
    p.drawRect(QRectF(80, 112, 140, 22));
    label(p, QPointF(150, 123), QStringLiteral("本体(函体)"));
    polygon(p, QPolygonF(QRectF(75, 38, 12, 68)), Concrete);
    label(p, QPointF(89, 38), QStringLiteral("門柱"), Qt::AlignLeft | Qt::AlignTop);

    waterSurface(p, 0, 106.8, 70, 14, QStringLiteral("WL1"));
    waterSurface(p, 211.6, 300, 105, 226, QStringLiteral("WL2"));

    // ΔH between the two levels, beyond the inland wing wall.
    p.setPen(QPen(Dimension, 0.6, Qt::DashLine));
    p.drawLine(QPointF(106.8, 70), QPointF(294, 70));
    dimensionLine(p, QPointF(288, 70), QPointF(288, 105));
    p.setFont(labelFont());
    label(p, QPointF(284, 87.5), QStringLiteral("ΔH"), Qt::AlignRight | Qt::AlignVCenter, Dimension);

    // The three member lengths along the box axis, and their sum L.
    const qreal dimY = 172;
    p.setPen(QPen(Dimension, 0.5, Qt::DotLine));
    for (qreal x : {30.0, 75.0, 225.0, 270.0})
        p.drawLine(QPointF(x, ground), QPointF(x, 202));
    dimensionLine(p, QPointF(30, dimY), QPointF(75, dimY));
    dimensionLine(p, QPointF(75, dimY), QPointF(225, dimY));
    dimensionLine(p, QPointF(225, dimY), QPointF(270, dimY));
    label(p, QPointF(52.5, dimY - 1), QStringLiteral("①翼壁"), Qt::AlignHCenter | Qt::AlignBottom, Dimension);
    label(p, QPointF(150, dimY - 1), QStringLiteral("②本体"), Qt::AlignHCenter | Qt::AlignBottom, Dimension);
    label(p, QPointF(247.5, dimY - 1), QStringLiteral("③翼壁"), Qt::AlignHCenter | Qt::AlignBottom, Dimension);
    dimensionLine(p, QPointF(30, 198), QPointF(270, 198));
    label(p, QPointF(150, 199), QStringLiteral("Ｌ＝①＋②＋③ (函軸方向)"), Qt::AlignHCenter | Qt::AlignTop,
          Dimension);
    sideNames(p);
}

// Tab 1: the vertical section. The water seeps along the underside of the
// structure and down and up each vertical cut-off sheet pile.
void drawVerticalSection(QPainter &p)
{
    const qreal ground = 110;
    hatch(p, QRectF(0, ground, SheetWidth, 100), Soil);
    polygon(p, QPolygonF({QPointF(0, 50), QPointF(80, 50), QPointF(80, ground), QPointF(0, ground)}), Water,
            Qt::NoPen);
    polygon(p, QPolygonF({QPointF(225, 75), QPointF(300, 75), QPointF(300, ground), QPointF(225, ground)}),
            Water, Qt::NoPen);
    polygon(p, QPolygonF({QPointF(80, ground), QPointF(120, 35), QPointF(180, 35), QPointF(225, ground)}),
            Embankment);
    polygon(p, QPolygonF({QPointF(30, ground), QPointF(30, 100), QPointF(75, 82), QPointF(75, ground)}), Concrete);
    polygon(p, QPolygonF({QPointF(225, ground), QPointF(225, 82), QPointF(270, 100), QPointF(270, ground)}),
            Concrete);
    polygon(p, QPolygonF(QRectF(75, 82, 150, 28)), Concrete);
    p.setFont(labelFont());
    label(p, QPointF(150, 96), QStringLiteral("本体"));
    waterSurface(p, 0, 80, 50, 14, QStringLiteral("WL1"));
    waterSurface(p, 225, 300, 75, 248, QStringLiteral("WL2"));

    // Cut-off sheet piles under the structure.
    struct Pile {
        qreal x;
        qreal toe;
        const char16_t *name;
    };
    const Pile piles[] = {{78, 180, u"ℓ1"}, {150, 160, u"ℓ2"}, {222, 170, u"ℓ3"}};
    QPolygonF path{QPointF(10, ground + 3)};
    for (const Pile &pile : piles) {
        p.setPen(QPen(Steel, 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(pile.x, ground), QPointF(pile.x, pile.toe));
        path << QPointF(pile.x - 5, ground + 3) << QPointF(pile.x - 5, pile.toe + 5)
             << QPointF(pile.x + 5, pile.toe + 5) << QPointF(pile.x + 5, ground + 3);
        dimensionLine(p, QPointF(pile.x + 14, ground), QPointF(pile.x + 14, pile.toe));
        label(p, QPointF(pile.x + 18, (ground + pile.toe) / 2), QString::fromUtf16(pile.name),
              Qt::AlignLeft | Qt::AlignVCenter, Dimension);
    }
    path << QPointF(290, ground + 3);
    seepagePath(p, path);
    label(p, QPointF(64, 150), QStringLiteral("遮水矢板"), Qt::AlignRight | Qt::AlignVCenter, Steel);

    label(p, QPointF(150, 190), QStringLiteral("ΣL＝(ℓ1＋ℓ2＋ℓ3)×2"), Qt::AlignHCenter | Qt::AlignTop, Path);
    label(p, QPointF(150, 204), QStringLiteral("×2：矢板を下って上る経路"), Qt::AlignHCenter | Qt::AlignTop, Path);
    sideNames(p);
}

// Tab 2: the plan. The water seeps along the side walls of the box and round
// the horizontal sheet piles set out sideways from it.
void drawHorizontalSection(QPainter &p)
{
    p.fillRect(QRectF(0, 0, SheetWidth, SheetHeight), Soil);
    p.fillRect(QRectF(0, 20, 40, 175), Water);
    polygon(p, QPolygonF(QRectF(80, 20, 140, 175)), Embankment, QPen(Ink, 0.8));
    p.setPen(QPen(Ink, 0.6, Qt::DashLine));
    p.drawLine(QPointF(125, 20), QPointF(125, 195));
    p.drawLine(QPointF(175, 20), QPointF(175, 195));
    p.setFont(labelFont());
    label(p, QPointF(150, 24), QStringLiteral("堤防(平面)"), Qt::AlignHCenter | Qt::AlignTop);

    // The box crossing the embankment, with its wing walls flaring at both ends.
    const qreal top = 100;
    const qreal bottom = 124;
    polygon(p, QPolygonF({QPointF(30, 84), QPointF(60, top), QPointF(60, bottom), QPointF(30, 140)}), Concrete);
    polygon(p, QPolygonF({QPointF(270, 84), QPointF(240, top), QPointF(240, bottom), QPointF(270, 140)}),
            Concrete);
    polygon(p, QPolygonF(QRectF(60, top, 180, bottom - top)), Concrete);
    label(p, QPointF(150, (top + bottom) / 2), QStringLiteral("函体"));

    // Horizontal sheet piles on both sides of the box.
    struct Pile {
        qreal x;
        qreal reach;
        const char16_t *name;
    };
    const Pile piles[] = {{105, 55, u"ℓ1"}, {195, 45, u"ℓ2"}};
    QPolygonF path{QPointF(45, top - 4)};
    for (const Pile &pile : piles) {
        p.setPen(QPen(Steel, 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(pile.x, top), QPointF(pile.x, top - pile.reach));
        p.drawLine(QPointF(pile.x, bottom), QPointF(pile.x, bottom + pile.reach));
        path << QPointF(pile.x - 5, top - 4) << QPointF(pile.x - 5, top - pile.reach - 5)
             << QPointF(pile.x + 5, top - pile.reach - 5) << QPointF(pile.x + 5, top - 4);
        dimensionLine(p, QPointF(pile.x + 14, top), QPointF(pile.x + 14, top - pile.reach));
        label(p, QPointF(pile.x + 18, top - pile.reach / 2), QString::fromUtf16(pile.name),
              Qt::AlignLeft | Qt::AlignVCenter, Dimension);
    }
    path << QPointF(255, top - 4);
    seepagePath(p, path);
    label(p, QPointF(101, bottom + 40), QStringLiteral("遮水矢板"), Qt::AlignRight | Qt::AlignVCenter, Steel);

    p.fillRect(QRectF(0, 196, SheetWidth, 24), Qt::white);
    label(p, QPointF(150, 198), QStringLiteral("ΣL＝(ℓ1＋ℓ2)×2  (片側の経路)"), Qt::AlignHCenter | Qt::AlignTop,
          Path);
    p.fillRect(QRectF(0, 0, SheetWidth, 20), Qt::white);
    sideNames(p);
}

}  // namespace

ExampleFigure::ExampleFigure(Drawing drawing, QWidget *parent)
    : QWidget(parent)
    , drawing_(drawing)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ExampleFigure::sizeHint() const
{
    return QSize(300, 220);
}

QSize ExampleFigure::minimumSizeHint() const
{
    return QSize(240, 176);
}

void ExampleFigure::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const qreal scale = qMin(width() / SheetWidth, height() / SheetHeight);
    p.save();
    p.translate((width() - SheetWidth * scale) / 2, (height() - SheetHeight * scale) / 2);
    p.scale(scale, scale);
    p.setFont(labelFont());
    switch (drawing_) {
    case Drawing::Method:
        drawDimensionsAndLevels(p);
        break;
    case Drawing::Vertical:
        drawVerticalSection(p);
        break;
    case Drawing::Horizontal:
        drawHorizontalSection(p);
        break;
    }
    p.restore();

    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace talven
