#pragma once

#include "study/studyinput.h"

#include <QImage>
#include <QMainWindow>

#include <functional>

class QAction;
class QScrollBar;

namespace talven {

class PagePicture;

// The preview window: one white A4 page that scrolls vertically, drawn again
// each time the window becomes active, so that a preview left open shows the
// main window's latest values. At most one exists; closing releases it.
class PreviewWindow final : public QMainWindow {
    Q_OBJECT
public:
    // Where each drawing takes the study from, and where its print proposes
    // to write a PDF file.
    using InputSource = std::function<StudyInput()>;
    using PdfPathSource = std::function<QString()>;

    // Opens the preview in front of `owner`; a modal one blocks every other
    // window until it is closed. A preview already open is brought to the
    // front as it is, and no second one is made.
    static PreviewWindow *open(QWidget *owner, InputSource source, PdfPathSource pdfPath, bool modal);
    // The open preview, or nullptr.
    static PreviewWindow *instance();

    QWidget *pageWidget() const;
    QScrollBar *scrollBar() const { return scrollBar_; }
    QAction *printAction() const { return printAction_; }
    QAction *closeAction() const { return closeAction_; }
    // The page as last drawn.
    const QImage &pageImage() const;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The keys Up, Down, PageUp, PageDown, Home and End work the scroll bar,
    // so the page moves in the bar's steps.
    void keyPressEvent(QKeyEvent *event) override;

private:
    PreviewWindow(QWidget *owner, InputSource source, PdfPathSource pdfPath);

    void redrawPage();
    void onScrolled(int value);
    void printReport();
    void closePreview();

    InputSource source_;
    PdfPathSource pdfPath_;
    PagePicture *page_ = nullptr;
    QScrollBar *scrollBar_ = nullptr;
    QAction *printAction_ = nullptr;
    QAction *closeAction_ = nullptr;
};

}  // namespace talven
