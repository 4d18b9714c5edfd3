#include "app/titlewindow.h"

#include "app/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QWindow>

namespace talven {

QString applicationTitle()
{
    return QStringLiteral("タルヴェン");
}

namespace {

// The one title window for the whole program, whoever opens it (start-up,
// Help > バージョン情報): it stays here so that a second opening finds it.
QPointer<TitleWindow> openTitle;

// The product emblem: a steel sheet pile driven through the ground between a
// high and a low water, with the seepage path bending round its toe.
void drawLogo(QPainter &painter, const QRectF &area)
{
    constexpr qreal DesignWidth = 100;
    constexpr qreal DesignHeight = 122;
    const qreal scale = qMin(area.width() / DesignWidth, area.height() / DesignHeight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.center().x() - DesignWidth * scale / 2,
                      area.center().y() - DesignHeight * scale / 2);
    painter.scale(scale, scale);

    const QRectF badge(2, 2, 96, 118);
    QPainterPath outline;
    outline.addRoundedRect(badge, 10, 10);
    painter.setClipPath(outline);

    QLinearGradient sky(0, 0, 0, 50);
    sky.setColorAt(0, QColor(232, 242, 252));
    sky.setColorAt(1, QColor(255, 255, 255));
    painter.fillRect(badge, sky);

    // Ground with its strata.
    const qreal groundTop = 70;
    painter.fillRect(QRectF(0, groundTop, 100, 60), QColor(196, 160, 112));
    painter.setPen(QPen(QColor(150, 112, 70), 1.2));
    for (qreal y = groundTop + 12; y < 122; y += 12)
        painter.drawLine(QPointF(0, y), QPointF(100, y + 3));

    // High water on the left, low water on the right of the pile.
    auto water = [&](qreal left, qreal right, qreal level) {
        QPainterPath path;
        path.moveTo(left, level);
        for (qreal x = left; x < right; x += 10) {
            path.quadTo(x + 2.5, level - 2.5, x + 5, level);
            path.quadTo(x + 7.5, level + 2.5, x + 10, level);
        }
        path.lineTo(right, groundTop);
        path.lineTo(left, groundTop);
        path.closeSubpath();
        QLinearGradient deep(0, level, 0, groundTop);
        deep.setColorAt(0, QColor(70, 150, 220));
        deep.setColorAt(1, QColor(20, 80, 160));
        painter.setPen(QPen(QColor(255, 255, 255), 1.5));
        painter.setBrush(deep);
        painter.drawPath(path);
    };
    water(-5, 46, 34);
    water(54, 105, 52);

    // The sheet pile, its toe sharpened for driving.
    const qreal pileTop = 22;
    const qreal pileToe = 104;
    const QPolygonF pile({QPointF(45, pileTop), QPointF(55, pileTop), QPointF(55, pileToe - 7),
                          QPointF(50, pileToe), QPointF(45, pileToe - 7)});
    QLinearGradient steel(45, 0, 55, 0);
    steel.setColorAt(0, QColor(90, 96, 108));
    steel.setColorAt(0.5, QColor(200, 206, 214));
    steel.setColorAt(1, QColor(80, 86, 98));
    painter.setPen(QPen(QColor(40, 44, 52), 1));
    painter.setBrush(steel);
    painter.drawPolygon(pile);
    painter.setPen(QPen(QColor(60, 64, 74), 0.8));
    painter.drawLine(QPointF(50, pileTop + 2), QPointF(50, pileToe - 4));

    // The seepage path: down one face of the pile, round its toe, up the other.
    QPainterPath seepage;
    seepage.moveTo(30, groundTop + 4);
    seepage.cubicTo(38, 110, 62, 110, 70, groundTop + 4);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(220, 40, 40), 2.2, Qt::DashLine, Qt::RoundCap));
    painter.drawPath(seepage);
    painter.setPen(QPen(QColor(220, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(64, groundTop + 6), QPointF(70, groundTop + 4),
                                    QPointF(71, groundTop + 11)}));

    painter.setClipping(false);
    painter.setPen(QPen(QColor(20, 40, 90), 3));
    painter.drawRoundedRect(badge, 10, 10);
    painter.restore();
}

class LogoPicture final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        drawLogo(painter, rect());
    }
};

QFont titleFont(int pointSize)
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"), pointSize);
    font.setBold(true);
    return font;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int pointSize)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->setFont(titleFont(pointSize));
    return label;
}

// Until the window system has mapped the window a paint reaches nothing; wait
// for that (briefly), then paint and push the picture out.
void paintNow(QWidget *window)
{
    QElapsedTimer waited;
    waited.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed())
           && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    window->repaint();
    QCoreApplication::processEvents();
}

}  // namespace

TitleWindow::TitleWindow(Look look)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TitleWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsX(this, 7380), twipsY(this, 4245));

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(twipsX(this, 120), twipsY(this, 90), twipsX(this, 120), twipsY(this, 150));
    outer->addWidget(frame);

    auto *logo = new LogoPicture(frame);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setFixedSize(twipsX(this, 2055), twipsY(this, 2505));

    QLabel *company = makeLabel(frame, "companyLabel", QStringLiteral("株式会社　ノルフェ"), 18);
    QLabel *product = makeLabel(frame, "productLabel", QStringLiteral("タルヴェン"), 18);
    versionLabel_ = makeLabel(frame, "versionLabel",
                              QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QString::number(TALVEN_VERSION_MAJOR) + u'.'
                                  + QString::number(TALVEN_VERSION_MINOR) + u'.'
                                  + QString::number(TALVEN_VERSION_REVISION),
                              12);

    okButton_ = new QPushButton(QStringLiteral("OK"), frame);
    okButton_->setObjectName(QStringLiteral("okButton"));
    // The splash keeps the button's place, so both looks share one layout.
    QSizePolicy keepPlace = okButton_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    okButton_->setSizePolicy(keepPlace);
    okButton_->setMinimumWidth(twipsX(this, 1200));
    okButton_->setVisible(look == Look::Version);
    connect(okButton_, &QPushButton::clicked, this, &QWidget::close);

    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(twipsX(this, 240), twipsY(this, 180), twipsX(this, 240), twipsY(this, 180));
    grid->setHorizontalSpacing(twipsX(this, 360));
    grid->addWidget(logo, 0, 0, 6, 1, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(okButton_, 0, 1, Qt::AlignRight | Qt::AlignTop);
    grid->setRowStretch(1, 1);
    grid->addWidget(company, 2, 1, Qt::AlignLeft);
    grid->addWidget(product, 3, 1, Qt::AlignLeft);
    grid->addWidget(versionLabel_, 4, 1, Qt::AlignRight);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);

    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TitleWindow *TitleWindow::open(Look look)
{
    if (!openTitle)
        openTitle = new TitleWindow(look);
    openTitle->show();
    openTitle->raise();
    openTitle->activateWindow();
    return openTitle;
}

TitleWindow *TitleWindow::instance()
{
    return openTitle;
}

QString TitleWindow::versionText() const
{
    return versionLabel_->text();
}

bool TitleWindow::okButtonVisible() const
{
    return !okButton_->isHidden();
}

void TitleWindow::closeEvent(QCloseEvent *event)
{
    // The next open() builds a fresh window.
    if (openTitle == this)
        openTitle = nullptr;
    event->accept();
}

void TitleWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter and Escape answer the OK button; the splash has none and ignores them.
    const int key = event->key();
    if (okButtonVisible() && (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void showSplash()
{
    QPointer<TitleWindow> title = TitleWindow::open(TitleWindow::Look::Splash);
    paintNow(title);
    // The splash second blocks the interface on purpose: nothing else may run
    // before the main window.
    QThread::msleep(1000);
    if (title)
        title->close();
    // Released at once rather than later, so that clicks and keys queued during
    // the second find no window to act on.
    delete title;
}

}  // namespace talven
