#include "app/previewwindow.h"

#include "app/twips.h"

#include "report/paintersurface.h"
#include "app/printreport.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>

namespace talven {

namespace {

// The window's design, in twips.
constexpr int ClientWidth = 12315;
constexpr int ClientHeight = 8340;
constexpr int PageWidth = 11907;  // A4 portrait, 210 × 297 mm
constexpr int PageHeight = 16840;
constexpr int ScrollLeft = 12000;
constexpr int ScrollWidth = 255;
constexpr int ScrollHeight = 8295;
constexpr int ScrollMax = 8600;  // leaves the page's bottom 100 twips above the window's
constexpr int ScrollStep = 200;

constexpr double InchesPerMeter = 1.0 / 0.0254;

// The one preview for the whole program, from the menu or the tab's button:
// it stays here so that a second opening finds it.
QPointer<PreviewWindow> openPreview;

}  // namespace

// The page keeps what was drawn on it and only shows it when painted.
class PagePicture final : public QWidget {
public:
    PagePicture(QSize size, double dpiX, double dpiY, QWidget *parent) : QWidget(parent)
    {
        setFixedSize(size);
        // Drawn in the window's own pixels at its resolution, sharp on a
        // high-density screen.
        const qreal ratio = devicePixelRatioF();
        page = QImage(size * ratio, QImage::Format_RGB32);
        page.setDevicePixelRatio(ratio);
        page.setDotsPerMeterX(qRound(dpiX * InchesPerMeter));
        page.setDotsPerMeterY(qRound(dpiY * InchesPerMeter));
        page.fill(Qt::white);
    }

    QImage page;
    QScrollBar *scrollBar = nullptr;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), page);
    }

    // The wheel over the page works the scroll bar, in the bar's steps.
    void wheelEvent(QWheelEvent *event) override
    {
        QCoreApplication::sendEvent(scrollBar, event);
    }
};

PreviewWindow *PreviewWindow::open(QWidget *owner, InputSource source, PdfPathSource pdfPath, bool modal)
{
    if (!openPreview) {
        openPreview = new PreviewWindow(owner, std::move(source), std::move(pdfPath));
        if (modal)
            openPreview->setWindowModality(Qt::ApplicationModal);
        openPreview->show();
    }
    openPreview->raise();
    openPreview->activateWindow();
    return openPreview;
}

PreviewWindow *PreviewWindow::instance()
{
    return openPreview;
}

PreviewWindow::PreviewWindow(QWidget *owner, InputSource source, PdfPathSource pdfPath)
    : QMainWindow(owner, Qt::Window), source_(std::move(source)), pdfPath_(std::move(pdfPath))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("印刷プレビュー"));

    printAction_ = menuBar()->addAction(QStringLiteral("印刷(&Ｔ)"));
    closeAction_ = menuBar()->addAction(QStringLiteral("閉じる(&C)"));
    connect(printAction_, &QAction::triggered, this, &PreviewWindow::printReport);
    connect(closeAction_, &QAction::triggered, this, &PreviewWindow::closePreview);

    auto *client = new QWidget(this);
    client->setFixedSize(twipsX(this, ClientWidth), twipsY(this, ClientHeight));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    page_ = new PagePicture(QSize(twipsX(this, PageWidth), twipsY(this, PageHeight)), logicalDpiX(), logicalDpiY(),
                           client);
    page_->move(0, 0);

    scrollBar_ = new QScrollBar(Qt::Vertical, client);
    scrollBar_->setGeometry(twipsX(this, ScrollLeft), 0, twipsX(this, ScrollWidth), twipsY(this, ScrollHeight));
    scrollBar_->setRange(0, ScrollMax);
    scrollBar_->setSingleStep(ScrollStep);
    scrollBar_->setPageStep(ScrollStep);
    // Dragging the thumb moves the page only when the thumb is let go.
    scrollBar_->setTracking(false);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &PreviewWindow::onScrolled);
    page_->scrollBar = scrollBar_;
}

QWidget *PreviewWindow::pageWidget() const
{
    return page_;
}

const QImage &PreviewWindow::pageImage() const
{
    return page_->page;
}

bool PreviewWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        redrawPage();
    return QMainWindow::event(event);
}

// Any way of closing releases the window; the next one starts at the top.
void PreviewWindow::closeEvent(QCloseEvent *event)
{
    if (openPreview == this)
        openPreview = nullptr;
    event->accept();
}

void PreviewWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        QCoreApplication::sendEvent(scrollBar_, event);
        break;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void PreviewWindow::redrawPage()
{
    QImage &page = page_->page;
    page.fill(Qt::white);
    QPainter painter(&page);
    PainterSurface surface(painter, false);
    drawReportPage(surface, source_());
    painter.end();
    page_->update();
}

void PreviewWindow::onScrolled(int value)
{
    // Only the page moves; what is on it stays.
    page_->move(0, -twipsY(this, value));
}

void PreviewWindow::printReport()
{
    // The dialog as it comes: its PDF choice is how a desktop without a PDF
    // printer gets a file.
    printStudyReport(this, source_(), pdfPath_(), false);
}

void PreviewWindow::closePreview()
{
    QWidget *owner = parentWidget();
    close();
    if (owner) {
        owner->show();
        owner->raise();
        owner->activateWindow();
    }
}

}  // namespace talven
