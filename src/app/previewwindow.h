#pragma once

#include "app/pagearea.h"
#include "study/study.h"

#include <QImage>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QScrollBar;
class QToolBar;

namespace talven {

// Where a window whose frame is `size` opens: centred over `over`, moved into
// `available` and, where it is larger, made as small as that.
QRect placedWithin(QSize size, const QRect &over, const QRect &available);

// The preview window: one white A4 page (PageArea) with zoom commands, drawn
// again each time the window becomes active, so that a preview left open
// shows the main window's latest values. At most one exists; closing
// releases it.
class PreviewWindow final : public QMainWindow {
    Q_OBJECT
public:
    // Where each drawing takes the study from, and where its print proposes
    // to write a PDF file.
    using InputSource = PageArea::InputSource;
    using PdfPathSource = std::function<QString()>;

    // Opens the preview centred over `owner`, at its designed size where the
    // screen has room for it; a modal one blocks every other window until it
    // is closed. A preview already open is brought to the front as it is, and
    // no second one is made.
    static PreviewWindow *open(QWidget *owner, InputSource source, PdfPathSource pdfPath, bool modal);
    // The open preview, or nullptr.
    static PreviewWindow *instance();

    PageArea *pageArea() const { return area_; }
    QWidget *pageWidget() const { return area_->page(); }
    QScrollBar *scrollBar() const { return area_->verticalBar(); }
    QAction *printAction() const { return printAction_; }
    QAction *closeAction() const { return closeAction_; }
    QAction *wholePageAction() const { return wholePageAction_; }
    QAction *pageWidthAction() const { return pageWidthAction_; }
    QAction *actualSizeAction() const { return actualSizeAction_; }
    QAction *zoomInAction() const { return zoomInAction_; }
    QAction *zoomOutAction() const { return zoomOutAction_; }
    QAction *previousPageAction() const { return previousPageAction_; }
    QAction *nextPageAction() const { return nextPageAction_; }
    // The page as last drawn.
    const QImage &pageImage() const { return area_->pageImage(); }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The keys Up, Down, PageUp, PageDown, Home and End work the vertical
    // scroll bar, Left and Right the horizontal one, so the page moves in
    // the bars' steps.
    void keyPressEvent(QKeyEvent *event) override;

private:
    PreviewWindow(QWidget *owner, InputSource source, PdfPathSource pdfPath);

    void createZoomBar();
    void createPageCommands(QToolBar *bar);
    void showZoom();
    void showPages();
    void placeOver(const QWidget *owner);
    void printReport();
    void closePreview();

    InputSource source_;
    PdfPathSource pdfPath_;
    PageArea *area_ = nullptr;
    QLabel *zoomLabel_ = nullptr;
    QAction *printAction_ = nullptr;
    QAction *closeAction_ = nullptr;
    QAction *wholePageAction_ = nullptr;
    QAction *pageWidthAction_ = nullptr;
    QAction *actualSizeAction_ = nullptr;
    QAction *zoomInAction_ = nullptr;
    QAction *zoomOutAction_ = nullptr;
    QAction *pagesSeparator_ = nullptr;
    QAction *previousPageAction_ = nullptr;
    QAction *nextPageAction_ = nullptr;
    QAction *pageLabelAction_ = nullptr;
    QLabel *pageLabel_ = nullptr;
};

}  // namespace talven
