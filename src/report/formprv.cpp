#include "report/formprv.h"

#include "report/paintersurface.h"
#include "report/printreport.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

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

QPointer<FormPrv> openPreview;

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

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), page);
    }
};

FormPrv *FormPrv::Open(QWidget *owner, InputSource source, bool modal)
{
    if (!openPreview) {
        openPreview = new FormPrv(owner, std::move(source));
        if (modal)
            openPreview->setWindowModality(Qt::ApplicationModal);
        openPreview->show();
    }
    openPreview->raise();
    openPreview->activateWindow();
    return openPreview;
}

FormPrv *FormPrv::Instance()
{
    return openPreview;
}

FormPrv::FormPrv(QWidget *owner, InputSource source)
    : QMainWindow(owner, Qt::Window), source_(std::move(source))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("印刷プレビュー"));

    mnuPrint_ = menuBar()->addAction(QStringLiteral("印刷(&Ｔ)"));
    mnuEnd_ = menuBar()->addAction(QStringLiteral("閉じる(&C)"));
    connect(mnuPrint_, &QAction::triggered, this, &FormPrv::mnuPrint_Click);
    connect(mnuEnd_, &QAction::triggered, this, &FormPrv::mnuEnd_Click);

    auto *client = new QWidget(this);
    client->setFixedSize(TwipsX(ClientWidth), TwipsY(ClientHeight));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    pic_ = new PagePicture(QSize(TwipsX(PageWidth), TwipsY(PageHeight)), logicalDpiX(), logicalDpiY(),
                           client);
    pic_->move(0, 0);

    vscroll1_ = new QScrollBar(Qt::Vertical, client);
    vscroll1_->setGeometry(TwipsX(ScrollLeft), 0, TwipsX(ScrollWidth), TwipsY(ScrollHeight));
    vscroll1_->setRange(0, ScrollMax);
    vscroll1_->setSingleStep(ScrollStep);
    vscroll1_->setPageStep(ScrollStep);
    // Dragging the thumb moves the page only when the thumb is let go.
    vscroll1_->setTracking(false);
    connect(vscroll1_, &QScrollBar::valueChanged, this, &FormPrv::VScroll1_Change);
}

QWidget *FormPrv::Pic() const
{
    return pic_;
}

const QImage &FormPrv::Page() const
{
    return pic_->page;
}

int FormPrv::TwipsX(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

int FormPrv::TwipsY(int twips) const
{
    return qRound(twips * logicalDpiY() / 1440.0);
}

bool FormPrv::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

// Any way of closing releases the window; the next one starts at the top.
void FormPrv::closeEvent(QCloseEvent *event)
{
    if (openPreview == this)
        openPreview = nullptr;
    event->accept();
}

void FormPrv::Form_Activate()
{
    QImage &page = pic_->page;
    page.fill(Qt::white);
    QPainter painter(&page);
    PainterSurface surface(painter, false);
    DrawReportPage(surface, source_());
    painter.end();
    pic_->update();
}

void FormPrv::VScroll1_Change(int value)
{
    // Only the page moves; what is on it stays.
    pic_->move(0, -TwipsY(value));
}

void FormPrv::mnuPrint_Click()
{
    // The dialog as it comes: its PDF choice is how a desktop without a PDF
    // printer gets a file.
    PrintReport(this, source_(), false);
}

void FormPrv::mnuEnd_Click()
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
