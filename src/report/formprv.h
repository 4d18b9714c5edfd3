#pragma once

#include "report/drawreport.h"

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
class FormPrv final : public QMainWindow {
    Q_OBJECT
public:
    // Where each drawing takes the study from.
    using InputSource = std::function<ReportInput()>;

    // Opens the preview in front of `owner`; a modal one blocks every other
    // window until it is closed. A preview already open is brought to the
    // front as it is, and no second one is made.
    static FormPrv *Open(QWidget *owner, InputSource source, bool modal);
    // The open preview, or nullptr.
    static FormPrv *Instance();

    QWidget *Pic() const;
    QScrollBar *VScroll1() const { return vscroll1_; }
    QAction *mnuPrint() const { return mnuPrint_; }
    QAction *mnuEnd() const { return mnuEnd_; }
    // The page as last drawn.
    const QImage &Page() const;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    FormPrv(QWidget *owner, InputSource source);

    int TwipsX(int twips) const;  // 1440 to the inch
    int TwipsY(int twips) const;

    void Form_Activate();
    void VScroll1_Change(int value);
    void mnuPrint_Click();
    void mnuEnd_Click();

    InputSource source_;
    PagePicture *pic_ = nullptr;
    QScrollBar *vscroll1_ = nullptr;
    QAction *mnuPrint_ = nullptr;
    QAction *mnuEnd_ = nullptr;
};

}  // namespace talven
