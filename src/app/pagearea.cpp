#include "app/pagearea.h"

#include "app/printreport.h"
#include "app/twips.h"
#include "report/paintersurface.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace talven {

namespace {

// The preview's design, in twips.
constexpr int ClientWidth = 12315;
constexpr int ClientHeight = 8340;
constexpr int PageWidth = 11907;  // A4 portrait, 210 × 297 mm
constexpr int PageHeight = 16840;
constexpr int BarWidth = 255;
constexpr int BottomGap = 100;  // below the page when scrolled to its end
constexpr int ScrollStep = 200;

constexpr double InchesPerMeter = 1.0 / 0.0254;
constexpr int WheelNotch = 120;

double pixelsToTwips(int pixels, int dpi)
{
    return pixels * 1440.0 / dpi;
}

QScrollBar *newBar(Qt::Orientation orientation, QWidget *parent)
{
    auto *bar = new QScrollBar(orientation, parent);
    bar->setSingleStep(ScrollStep);
    bar->setPageStep(ScrollStep);
    // Dragging the thumb moves the page only when the thumb is let go.
    bar->setTracking(false);
    return bar;
}

}  // namespace

// The page keeps what was drawn on it and only shows it when painted.
class PagePicture final : public QWidget {
public:
    using QWidget::QWidget;

    QImage image;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), image);
    }

    // The wheel over the page is the area's.
    void wheelEvent(QWheelEvent *event) override { QCoreApplication::sendEvent(parentWidget(), event); }
};

PageArea::PageArea(InputSource source, QWidget *parent)
    : QWidget(parent), source_(std::move(source)), page_(new PagePicture(this))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
    verticalBar_ = newBar(Qt::Vertical, this);
    horizontalBar_ = newBar(Qt::Horizontal, this);
    connect(verticalBar_, &QScrollBar::valueChanged, this, &PageArea::placePage);
    connect(horizontalBar_, &QScrollBar::valueChanged, this, &PageArea::placePage);
    page_->resize(twipsX(this, PageWidth), twipsY(this, PageHeight));
    redraw();
}

QWidget *PageArea::page() const
{
    return page_;
}

const QImage &PageArea::pageImage() const
{
    return page_->image;
}

QSize PageArea::sizeHint() const
{
    return {twipsX(this, ClientWidth), twipsY(this, ClientHeight)};
}

QSize PageArea::minimumSizeHint() const
{
    return sizeHint() / 4;
}

// Drawn in the window's own pixels, sharp on a high-density screen. The page
// is laid out at the screen's resolution and scaled to the zoom: text
// measured at a small resolution would take more of the page than at 100 %.
void PageArea::redraw()
{
    const QSize size = page_->size();
    const qreal ratio = devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.setDotsPerMeterX(qRound(logicalDpiX() * InchesPerMeter));
    image.setDotsPerMeterY(qRound(logicalDpiY() * InchesPerMeter));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(zoom_, zoom_);
    PainterSurface surface(painter, false, QRectF(0, 0, twipsX(this, PageWidth), twipsY(this, PageHeight)));
    const ReportDocument document = source_();
    pageCount_ = document.pageCount();
    pageIndex_ = std::min(pageIndex_, pageCount_ - 1);
    // A page 1 without verdict lines shows the readiness notice in their place.
    drawReportPage(surface, document, pageIndex_);
    painter.end();
    page_->image = image;
    page_->update();
    Q_EMIT pagesChanged();
}

void PageArea::showPage(int index)
{
    pageIndex_ = std::clamp(index, 0, pageCount_ - 1);
    redraw();
}

void PageArea::setZoom(double zoom)
{
    applyZoom(zoom, Fit::None);
}

void PageArea::setFit(Fit fit)
{
    fit_ = fit;
    applyZoom(fittedZoom(), fit);
}

void PageArea::zoomIn()
{
    const auto next = std::find_if(std::begin(ZoomSteps), std::end(ZoomSteps),
                                   [this](double step) { return step > zoom_ + 1e-9; });
    if (next != std::end(ZoomSteps))
        setZoom(*next);
}

void PageArea::zoomOut()
{
    const auto next = std::find_if(std::rbegin(ZoomSteps), std::rend(ZoomSteps),
                                   [this](double step) { return step < zoom_ - 1e-9; });
    if (next != std::rend(ZoomSteps))
        setZoom(*next);
}

// The page point at the middle of the view stays there.
void PageArea::applyZoom(double zoom, Fit fit)
{
    zoom = std::clamp(zoom, MinimumZoom, MaximumZoom);
    const QSize old = page_->size();
    const QPointF middle(width() / 2.0, height() / 2.0);
    const QPointF share((middle.x() - page_->x()) / old.width(), (middle.y() - page_->y()) / old.height());
    zoom_ = zoom;
    fit_ = fit;
    // Rounded down, so that a fitted page fits.
    page_->resize(int(std::floor(twipsX(this, PageWidth) * zoom + 1e-6)),
                  int(std::floor(twipsY(this, PageHeight) * zoom + 1e-6)));
    if (page_->size() != old)
        redraw();
    layOut();
    const QSize now = page_->size();
    horizontalBar_->setValue(qRound(pixelsToTwips(qRound(share.x() * now.width() - middle.x()), logicalDpiX())));
    verticalBar_->setValue(qRound(pixelsToTwips(qRound(share.y() * now.height() - middle.y()), logicalDpiY())));
    // Also when nothing changed: a command clicked again shows its state again.
    Q_EMIT zoomChanged();
}

// The page's width fitted beside the vertical bar it will need; the whole
// page fitted with the gap below it.
double PageArea::fittedZoom() const
{
    const double pageWidth = twipsX(this, PageWidth);
    switch (fit_) {
    case Fit::PageWidth:
        return (width() - twipsX(this, BarWidth)) / pageWidth;
    case Fit::WholePage:
        return std::min(width() / pageWidth, (height() - twipsY(this, BottomGap)) / double(twipsY(this, PageHeight)));
    case Fit::None:
        break;
    }
    return zoom_;
}

void PageArea::resizeEvent(QResizeEvent *)
{
    if (fit_ != Fit::None)
        applyZoom(fittedZoom(), fit_);
    else
        layOut();
}

// Bars only where the page is larger than what is left of the area.
void PageArea::layOut()
{
    const QSize pageSize = page_->size();
    const int barWidth = twipsX(this, BarWidth);
    const int barHeight = twipsY(this, BarWidth);
    const int gap = twipsY(this, BottomGap);
    bool across = false;
    bool down = false;
    for (int pass = 0; pass < 2; ++pass) {
        down = pageSize.height() + gap > height() - (across ? barHeight : 0);
        across = pageSize.width() > width() - (down ? barWidth : 0);
    }
    const int viewWidth = width() - (down ? barWidth : 0);
    const int viewHeight = height() - (across ? barHeight : 0);

    verticalBar_->setVisible(down);
    verticalBar_->setGeometry(viewWidth, 0, barWidth, viewHeight);
    const double pageDown = PageHeight * zoom_ + BottomGap - pixelsToTwips(viewHeight, logicalDpiY());
    verticalBar_->setRange(0, down ? qRound(pageDown) : 0);

    horizontalBar_->setVisible(across);
    horizontalBar_->setGeometry(0, viewHeight, viewWidth, barHeight);
    const double pageAcross = PageWidth * zoom_ - pixelsToTwips(viewWidth, logicalDpiX());
    horizontalBar_->setRange(0, across ? qRound(pageAcross) : 0);
    placePage();
}

// Only the page moves; what is on it stays.
void PageArea::placePage()
{
    const int viewWidth = width() - (verticalBar_->isVisibleTo(this) ? verticalBar_->width() : 0);
    const int viewHeight = height() - (horizontalBar_->isVisibleTo(this) ? horizontalBar_->height() : 0);
    const int x = horizontalBar_->isVisibleTo(this) ? -twipsX(this, horizontalBar_->value())
                                                    : (viewWidth - page_->width()) / 2;
    const int y = verticalBar_->isVisibleTo(this) ? -twipsY(this, verticalBar_->value())
                                                  : (viewHeight - page_->height()) / 2;
    page_->move(x, y);
}

void PageArea::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QCoreApplication::sendEvent(verticalBar_->isVisibleTo(this) ? verticalBar_ : horizontalBar_, event);
        return;
    }
    wheelAngle_ += event->angleDelta().y();
    for (; wheelAngle_ >= WheelNotch; wheelAngle_ -= WheelNotch)
        zoomIn();
    for (; wheelAngle_ <= -WheelNotch; wheelAngle_ += WheelNotch)
        zoomOut();
    event->accept();
}

}  // namespace talven
