#pragma once

#include "app/printreport.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QScrollBar;

namespace talven {

class PagePicture;

// The preview's page: one white A4 sheet of the report drawn at a zoom, centred where it is
// smaller than the area, with scroll bars where it is larger. The bars count
// in twips of the screen and step 200 twips; the vertical one leaves the
// page's bottom 100 twips above the area's. A fit (whole page, page width)
// holds when the area is resized; a zoom of its own stays as it is.
class PageArea final : public QWidget {
    Q_OBJECT
public:
    enum class Fit { None, WholePage, PageWidth };

    // The zooms Ctrl+wheel and Ctrl+plus/minus step through; fits go between.
    static constexpr double ZoomSteps[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
    static constexpr double MinimumZoom = 0.1;
    static constexpr double MaximumZoom = 4.0;

    // The report as it is now, made for each drawing.
    using InputSource = std::function<ReportDocument()>;

    explicit PageArea(InputSource source, QWidget *parent = nullptr);

    QWidget *page() const;
    const QImage &pageImage() const;
    QScrollBar *verticalBar() const { return verticalBar_; }
    QScrollBar *horizontalBar() const { return horizontalBar_; }
    double zoom() const { return zoom_; }
    Fit fit() const { return fit_; }

    // Draws the page again from the study as it is now.
    void redraw();
    // The report's pages: the one shown (from 0) and how many there are.
    int pageIndex() const { return pageIndex_; }
    int pageCount() const { return pageCount_; }
    void showPage(int index);
    void setZoom(double zoom);  // a zoom of its own, 1.0 being 100%
    void setFit(Fit fit);
    void zoomIn();   // to the next of ZoomSteps
    void zoomOut();

    // The designed size of the preview's client area, where it fits.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // After every zoom command and fit, whether or not the zoom changed.
    void zoomChanged();
    // After every drawing: the page shown or the number of pages may have changed.
    void pagesChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;
    // The wheel works the scroll bar; with Ctrl it zooms, a notch a step.
    void wheelEvent(QWheelEvent *event) override;

private:
    void applyZoom(double zoom, Fit fit);
    double fittedZoom() const;
    void layOut();
    void placePage();

    InputSource source_;
    PagePicture *page_ = nullptr;
    QScrollBar *verticalBar_ = nullptr;
    QScrollBar *horizontalBar_ = nullptr;
    double zoom_ = 1.0;
    Fit fit_ = Fit::None;
    int wheelAngle_ = 0;  // Ctrl+wheel turns not yet a whole notch
    int pageIndex_ = 0;
    int pageCount_ = 1;
};

}  // namespace talven
