#include "app/previewwindow.h"

#include "app/printreport.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>

#include <algorithm>

namespace talven {

namespace {

// The one preview for the whole program, from the menu or the tab's button:
// it stays here so that a second opening finds it.
QPointer<PreviewWindow> openPreview;

// The frame a window manager puts round `window`, as it did round the owner.
QMargins frameOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

}  // namespace

QRect placedWithin(QSize size, const QRect &over, const QRect &available)
{
    QRect placed(QPoint(), size.boundedTo(available.size()));
    placed.moveCenter(over.center());
    placed.moveLeft(std::clamp(placed.left(), available.left(), available.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), available.top(), available.bottom() + 1 - placed.height()));
    return placed;
}

PreviewWindow *PreviewWindow::open(QWidget *owner, InputSource source, PdfPathSource pdfPath, bool modal)
{
    if (!openPreview) {
        openPreview = new PreviewWindow(owner, std::move(source), std::move(pdfPath));
        if (modal)
            openPreview->setWindowModality(Qt::ApplicationModal);
        openPreview->placeOver(owner);
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
    : QMainWindow(owner, Qt::Window), source_(source), pdfPath_(std::move(pdfPath))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("印刷プレビュー"));

    printAction_ = menuBar()->addAction(QStringLiteral("印刷(&Ｔ)"));
    closeAction_ = menuBar()->addAction(QStringLiteral("閉じる(&C)"));
    connect(printAction_, &QAction::triggered, this, &PreviewWindow::printReport);
    connect(closeAction_, &QAction::triggered, this, &PreviewWindow::closePreview);

    area_ = new PageArea(std::move(source));
    setCentralWidget(area_);
    createZoomBar();
    connect(area_, &PageArea::zoomChanged, this, &PreviewWindow::showZoom);
    connect(area_, &PageArea::pagesChanged, this, &PreviewWindow::showPages);
    showZoom();
    showPages();
}

// 全体表示, 幅に合わせる and 100% stay checked while they hold; 縮小 and 拡大
// step through the zooms, as Ctrl+minus, Ctrl+plus and Ctrl+wheel do.
void PreviewWindow::createZoomBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("表示"));
    bar->setObjectName(QStringLiteral("zoomBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto command = [this, bar](const QString &text, const char *name, QList<QKeySequence> keys) {
        auto *action = bar->addAction(text);
        action->setObjectName(QLatin1StringView(name));
        action->setShortcuts(keys);
        return action;
    };
    wholePageAction_ = command(QStringLiteral("全体表示"), "wholePageAction", {});
    pageWidthAction_ = command(QStringLiteral("幅に合わせる"), "pageWidthAction", {});
    actualSizeAction_ = command(QStringLiteral("100%"), "actualSizeAction", {QKeySequence(Qt::CTRL | Qt::Key_0)});
    bar->addSeparator();
    zoomOutAction_ = command(QStringLiteral("縮小"), "zoomOutAction", {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    zoomInAction_ = command(QStringLiteral("拡大"), "zoomInAction",
                            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomLabel_ = new QLabel;
    zoomLabel_->setObjectName(QStringLiteral("zoomLabel"));
    zoomLabel_->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(zoomLabel_);
    createPageCommands(bar);

    auto *fits = new QActionGroup(this);
    fits->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *fit : {wholePageAction_, pageWidthAction_, actualSizeAction_}) {
        fit->setCheckable(true);
        fits->addAction(fit);
    }
    connect(wholePageAction_, &QAction::triggered, this, [this] { area_->setFit(PageArea::Fit::WholePage); });
    connect(pageWidthAction_, &QAction::triggered, this, [this] { area_->setFit(PageArea::Fit::PageWidth); });
    connect(actualSizeAction_, &QAction::triggered, this, [this] { area_->setZoom(1.0); });
    connect(zoomInAction_, &QAction::triggered, area_, &PageArea::zoomIn);
    connect(zoomOutAction_, &QAction::triggered, area_, &PageArea::zoomOut);
}

// A report of several pages (the water-level cases) is turned page by page;
// with one page the commands are not shown.
void PreviewWindow::createPageCommands(QToolBar *bar)
{
    pagesSeparator_ = bar->addSeparator();
    previousPageAction_ = bar->addAction(QStringLiteral("前のページ"));
    previousPageAction_->setObjectName(QStringLiteral("previousPageAction"));
    previousPageAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    pageLabel_ = new QLabel;
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    pageLabel_->setContentsMargins(8, 0, 8, 0);
    pageLabelAction_ = bar->addWidget(pageLabel_);
    nextPageAction_ = bar->addAction(QStringLiteral("次のページ"));
    nextPageAction_->setObjectName(QStringLiteral("nextPageAction"));
    nextPageAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    connect(previousPageAction_, &QAction::triggered, this, [this] { area_->showPage(area_->pageIndex() - 1); });
    connect(nextPageAction_, &QAction::triggered, this, [this] { area_->showPage(area_->pageIndex() + 1); });
}

void PreviewWindow::showPages()
{
    const int count = area_->pageCount();
    const int index = area_->pageIndex();
    for (QAction *part : {pagesSeparator_, previousPageAction_, pageLabelAction_, nextPageAction_})
        part->setVisible(count > 1);
    pageLabel_->setText(QStringLiteral("%1 / %2 ページ").arg(index + 1).arg(count));
    previousPageAction_->setEnabled(index > 0);
    nextPageAction_->setEnabled(index + 1 < count);
}

void PreviewWindow::showZoom()
{
    const double zoom = area_->zoom();
    const PageArea::Fit fit = area_->fit();
    zoomLabel_->setText(QStringLiteral("表示倍率：%1%").arg(qRound(zoom * 100)));
    wholePageAction_->setChecked(fit == PageArea::Fit::WholePage);
    pageWidthAction_->setChecked(fit == PageArea::Fit::PageWidth);
    actualSizeAction_->setChecked(fit == PageArea::Fit::None && zoom == 1.0);
    zoomInAction_->setEnabled(zoom < PageArea::MaximumZoom);
    zoomOutAction_->setEnabled(zoom > PageArea::ZoomSteps[0]);
}

// The designed size where the owner's screen has room for it; the frame is
// taken to be the owner's.
void PreviewWindow::placeOver(const QWidget *owner)
{
    const QWidget *window = owner->window();
    QScreen *screen = QGuiApplication::screenAt(window->frameGeometry().center());
    if (!screen)
        screen = window->screen();
    const QMargins frame = frameOf(window);
    const QRect placed = placedWithin(sizeHint().grownBy(frame), window->frameGeometry(), screen->availableGeometry());
    setGeometry(placed.marginsRemoved(frame));
}

bool PreviewWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        area_->redraw();
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
        QCoreApplication::sendEvent(area_->verticalBar(), event);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        QCoreApplication::sendEvent(area_->horizontalBar(), event);
        break;
    default:
        QMainWindow::keyPressEvent(event);
    }
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
