// The preview window and printing: the page and its scroll bar, drawing again
// on activation, one preview at most, closing, and printing through the
// printer dialog into PDF files.

#include "builtprogram.h"
#include "app/mainwindow.h"
#include "mainwindowtesting.h"
#include "app/previewwindow.h"
#include "app/reportsettings.h"
#include "files/studyfile.h"
#include "report/paintersurface.h"
#include "app/printreport.h"
#include "scripteddialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QProcess>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace talven;
using namespace Qt::StringLiterals;

namespace {

int twips(int twips, int dpi)
{
    return qRound(twips * dpi / 1440.0);
}

// Lane, first class (C' = 8.5), water levels 3 and 1.
bool showReady(MainWindow &form)
{
    if (!showActive(form))
        return false;
    selectSoilClass(form, 0);
    numberBox(form, OuterWaterLevelBox)->setText(u"3"_s);
    numberBox(form, InnerWaterLevelBox)->setText(u"1"_s);
    return true;
}

// The "ﾌﾟﾚﾋﾞｭｰ" button as the user reaches it, on the third tab.
PreviewWindow *pressPreviewButton(MainWindow &form)
{
    tabs(form)->setCurrentIndex(2);
    clickButton(button(form, "previewButton"));
    return PreviewWindow::instance();
}

// A ready study's window, shown, with the preview opened from its button.
PreviewWindow *openReadyPreview(MainWindow &form)
{
    return showReady(form) ? pressPreviewButton(form) : nullptr;
}

bool activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// Closed windows go at the next turn of the event loop.
int previewWindows(const MainWindow &form)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return int(form.findChildren<PreviewWindow *>().size());
}

// The page that `input` gives, on an image like the preview's.
QImage pageFor(const QImage &like, const ReportDocument &document)
{
    QImage image(like.size(), like.format());
    image.setDevicePixelRatio(like.devicePixelRatio());
    image.setDotsPerMeterX(like.dotsPerMeterX());
    image.setDotsPerMeterY(like.dotsPerMeterY());
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterSurface surface(painter, false);
    drawReportPage(surface, document, 0);
    return image;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot read)");
}

// Runs `action` with no file of this process growing past `bytes` (0: no
// limit): writes fall short as on a full disk, for root as well.
void withFileSizeLimit(int bytes, const std::function<void()> &action)
{
#ifdef Q_OS_UNIX
    rlimit saved{};
    if (bytes > 0 && getrlimit(RLIMIT_FSIZE, &saved) == 0) {
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved;
        tight.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &tight);
        action();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        return;
    }
#else
    Q_UNUSED(bytes)
#endif
    action();
}

QString runProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(%1 failed)").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

// Works the preview as a user does, step by step: "wheel up" or "wheel down"
// over the page (with "Ctrl+" before it, holding Ctrl), "size W H" for the
// window, an action's object name, or a key sequence ("PgDown", "Ctrl++").
void applySteps(PreviewWindow *preview, const QStringList &steps)
{
    QWidget *page = preview->pageWidget();
    for (const QString &step : steps) {
        if (step.endsWith(u"wheel up") || step.endsWith(u"wheel down")) {
            const QPoint notch(0, step.endsWith(u"up") ? 120 : -120);
            const Qt::KeyboardModifiers keys = step.startsWith(u"Ctrl+") ? Qt::ControlModifier : Qt::NoModifier;
            QWheelEvent wheel(QPointF(20, 20), page->mapToGlobal(QPointF(20, 20)), QPoint(), notch, Qt::NoButton, keys,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(page, &wheel);
        } else if (step.startsWith(u"size ")) {
            preview->resize(step.section(u' ', 1, 1).toInt(), step.section(u' ', 2, 2).toInt());
        } else if (QAction *action = preview->findChild<QAction *>(step)) {
            action->trigger();
        } else {
            QTest::keySequence(preview, QKeySequence(step));
        }
    }
}

class TestPreview : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        usePrivateSettings();
        registerReportFonts();
    }
    void window();
    void scrollModel_data();
    void scrollModel();
    void dragMovesOnRelease();
    void keysAndWheel_data();
    void keysAndWheel();
    void zoom_data();
    void zoom();
    void placement_data();
    void placement();
    void redrawOnActivation_data();
    void redrawOnActivation();
    void onePreview_data();
    void onePreview();
    void printing_data();
    void printing();
    void pdfProposal_data();
    void pdfProposal();
    void printerDialogOffersPdf_data();
    void printerDialogOffersPdf();
    void reportSettings();
};

void TestPreview::window()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    form.move(300, 200);
    PreviewWindow *preview = openReadyPreview(form);
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), u"印刷プレビュー"_s);
    const auto x = [preview](int length) { return twips(length, preview->logicalDpiX()); };
    const auto y = [preview](int length) { return twips(length, preview->logicalDpiY()); };
    // The designed size, centred over the main window; the page at 100%,
    // centred across, the bar at the right.
    QCOMPARE(preview->centralWidget()->size(), QSize(x(12315), y(8340)));
    QVERIFY2((preview->frameGeometry().center() - form.frameGeometry().center()).manhattanLength() <= 2,
             qPrintable(u"%1,%2"_s.arg(preview->frameGeometry().center().x()).arg(preview->frameGeometry().center().y())));
    const int barLeft = x(12315) - x(255);
    QCOMPARE(preview->scrollBar()->geometry(), QRect(barLeft, 0, x(255), y(8340)));
    QCOMPARE(preview->pageWidget()->geometry(), QRect((barLeft - x(11907)) / 2, 0, x(11907), y(16840)));
    QVERIFY(!preview->pageArea()->horizontalBar()->isVisible());
    QCOMPARE(preview->pageArea()->zoom(), 1.0);
    QVERIFY(preview->actualSizeAction()->isChecked());

    // Two commands on the bar itself, no menus under them.
    const QList<QAction *> bar = preview->menuBar()->actions();
    QCOMPARE(bar, (QList<QAction *>{preview->printAction(), preview->closeAction()}));
    QCOMPARE(preview->printAction()->text(), u"印刷(&Ｔ)"_s);
    QCOMPARE(preview->closeAction()->text(), u"閉じる(&C)"_s);
    QVERIFY(!preview->printAction()->menu() && !preview->closeAction()->menu());

    // The page is a sheet of the screen's resolution, white at its corners.
    const QImage &page = preview->pageImage();
    QCOMPARE(page.size(), preview->pageWidget()->size() * page.devicePixelRatio());
    QCOMPARE(qRound(page.dotsPerMeterY() * 0.0254), preview->logicalDpiY());
    QCOMPARE(page.pixelColor(page.width() - 1, page.height() - 1), QColor(Qt::white));
}

void TestPreview::scrollModel_data()
{
    QTest::addColumn<bool>("trough");  // a click below the thumb instead of on the arrow
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("value");  // twips
    QTest::newRow("opened") << false << 0 << 0;
    QTest::newRow("one arrow click") << false << 1 << 200;
    QTest::newRow("one trough click") << true << 1 << 200;
    QTest::newRow("five arrow clicks") << false << 5 << 1000;
    QTest::newRow("to the end") << true << 43 << 8600;
    QTest::newRow("past the end") << false << 50 << 8600;
}

void TestPreview::scrollModel()
{
    QFETCH(bool, trough);
    QFETCH(int, clicks);
    QFETCH(int, value);
    ScriptedDialogs dialogs;
    MainWindow form;
    PreviewWindow *preview = openReadyPreview(form);
    QVERIFY(preview);
    QScrollBar *bar = preview->scrollBar();
    for (int i = 0; i < clicks; ++i)
        bar->triggerAction(trough ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(bar->value(), value);
    QCOMPARE(preview->pageWidget()->y(), -twips(value, preview->logicalDpiY()));
    if (value == bar->maximum()) {
        // The page's bottom 100 twips above the window's bottom, to a pixel.
        const int gap = preview->centralWidget()->height() - preview->pageWidget()->geometry().bottom() - 1;
        QVERIFY2(qAbs(gap - twips(100, preview->logicalDpiY())) <= 1, qPrintable(QString::number(gap)));
    }
}

void TestPreview::dragMovesOnRelease()
{
    ScriptedDialogs dialogs;
    MainWindow form;
    PreviewWindow *preview = openReadyPreview(form);
    QVERIFY(preview);
    QScrollBar *bar = preview->scrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(4000);
    QCOMPARE(preview->pageWidget()->y(), 0);
    bar->setSliderDown(false);
    QCOMPARE(preview->pageWidget()->y(), -twips(4000, preview->logicalDpiY()));
}

void TestPreview::keysAndWheel_data()
{
    QTest::addColumn<QStringList>("input");  // keys, or "wheel+" (towards the user) and "wheel-"
    QTest::addColumn<int>("value");         // twips
    QTest::newRow("Down") << QStringList{u"Down"_s} << 200;
    QTest::newRow("Down, Down, Up") << QStringList{u"Down"_s, u"Down"_s, u"Up"_s} << 200;
    QTest::newRow("Up at the top") << QStringList{u"Up"_s} << 0;
    QTest::newRow("PageDown") << QStringList{u"PgDown"_s} << 200;
    QTest::newRow("End, PageUp") << QStringList{u"End"_s, u"PgUp"_s} << 8400;
    QTest::newRow("Down, Home") << QStringList{u"Down"_s, u"Home"_s} << 0;
    QTest::newRow("wheel, one notch") << QStringList{u"wheel down"_s} << 200;
    QTest::newRow("wheel, three notches and one back")
        << QStringList{u"wheel down"_s, u"wheel down"_s, u"wheel down"_s, u"wheel up"_s} << 400;
}

// The keys and the wheel over the page work the scroll bar, in its steps.
void TestPreview::keysAndWheel()
{
    QFETCH(QStringList, input);
    QFETCH(int, value);
    ScriptedDialogs dialogs;
    MainWindow form;
    PreviewWindow *preview = openReadyPreview(form);
    QVERIFY(preview);
    QVERIFY(activate(preview));
    QWidget *page = preview->pageWidget();
    applySteps(preview, input);
    QCOMPARE(preview->scrollBar()->value(), value);
    QCOMPARE(page->y(), -twips(value, preview->logicalDpiY()));
}

void TestPreview::zoom_data()
{
    QTest::addColumn<QStringList>("input");  // steps of applySteps
    QTest::addColumn<double>("zoom");        // 0: whatever the fit gives
    QTest::addColumn<QString>("fit");        // "whole", "width" or none
    QTest::addColumn<QString>("bars");       // "v" and "h" for the bars shown
    QTest::newRow("全体表示") << QStringList{u"wholePageAction"_s} << 0.0 << u"whole"_s << QString();
    QTest::newRow("幅に合わせる") << QStringList{u"pageWidthAction"_s} << 0.0 << u"width"_s << u"v"_s;
    QTest::newRow("100% again") << QStringList{u"wholePageAction"_s, u"actualSizeAction"_s} << 1.0 << QString() << u"v"_s;
    QTest::newRow("拡大 twice") << QStringList{u"zoomInAction"_s, u"zoomInAction"_s} << 1.5 << QString() << u"vh"_s;
    QTest::newRow("縮小") << QStringList{u"zoomOutAction"_s} << 0.75 << QString() << u"v"_s;
    QTest::newRow("Ctrl+plus") << QStringList{u"Ctrl++"_s} << 1.25 << QString() << u"vh"_s;
    QTest::newRow("Ctrl+minus, three times") << QStringList{u"Ctrl+-"_s, u"Ctrl+-"_s, u"Ctrl+-"_s} << 0.25 << QString()
                                             << QString();
    QTest::newRow("Ctrl+wheel, a notch away") << QStringList{u"Ctrl+wheel up"_s} << 1.25 << QString() << u"vh"_s;
    QTest::newRow("Ctrl+wheel, two notches back") << QStringList{u"Ctrl+wheel down"_s, u"Ctrl+wheel down"_s} << 0.5
                                                  << QString() << u"v"_s;
    QTest::newRow("at most 400%") << QStringList(6, u"zoomInAction"_s) << 4.0 << QString() << u"vh"_s;
    QTest::newRow("全体表示 follows the window")
        << QStringList{u"wholePageAction"_s, u"size 500 300"_s} << 0.0 << u"whole"_s << QString();
    QTest::newRow("幅に合わせる follows the window")
        << QStringList{u"pageWidthAction"_s, u"size 1000 600"_s} << 0.0 << u"width"_s << u"v"_s;
    QTest::newRow("a zoom of its own stays") << QStringList{u"zoomOutAction"_s, u"size 500 300"_s} << 0.75 << QString()
                                             << u"vh"_s;
    QTest::newRow("a small page in a large window, centred")
        << QStringList{u"size 1200 900"_s, u"zoomOutAction"_s, u"zoomOutAction"_s} << 0.5 << QString() << QString();
}

// The preview zooms and resizes; the page stays centred where it is smaller
// than the window, with scroll bars where it is larger.
void TestPreview::zoom()
{
    QFETCH(QStringList, input);
    QFETCH(double, zoom);
    QFETCH(QString, fit);
    QFETCH(QString, bars);
    ScriptedDialogs dialogs;
    MainWindow form;
    PreviewWindow *preview = openReadyPreview(form);
    QVERIFY(preview);
    QVERIFY(activate(preview));
    PageArea *area = preview->pageArea();
    QWidget *page = preview->pageWidget();
    applySteps(preview, input);
    QCoreApplication::processEvents();
    if (zoom > 0)
        QCOMPARE(area->zoom(), zoom);
    QCOMPARE(preview->findChild<QLabel *>(u"zoomLabel"_s)->text(), u"表示倍率：%1%"_s.arg(qRound(area->zoom() * 100)));
    QCOMPARE(area->verticalBar()->isVisible(), bars.contains(u'v'));
    QCOMPARE(area->horizontalBar()->isVisible(), bars.contains(u'h'));
    const int viewWidth = area->width() - (bars.contains(u'v') ? area->verticalBar()->width() : 0);
    const int viewHeight = area->height() - (bars.contains(u'h') ? area->horizontalBar()->height() : 0);
    if (fit == u"whole") {
        QVERIFY(page->width() <= viewWidth && page->height() <= viewHeight);
        QVERIFY(page->width() >= viewWidth - 1 || page->height() >= viewHeight - twips(100, area->logicalDpiY()) - 1);
    }
    if (fit == u"width")
        QCOMPARE(page->width(), viewWidth);
    QCOMPARE(preview->wholePageAction()->isChecked(), fit == u"whole");
    QCOMPARE(preview->pageWidthAction()->isChecked(), fit == u"width");
    // Centred across and down where no bar is needed.
    if (!bars.contains(u'h'))
        QVERIFY(qAbs(page->x() * 2 + page->width() - viewWidth) <= 1);
    if (!bars.contains(u'v'))
        QVERIFY(qAbs(page->y() * 2 + page->height() - viewHeight) <= 1);
    // The page is drawn at the zoom as it is laid out at 100 %: its bottom margin stays blank.
    const QImage &image = preview->pageImage();
    QCOMPARE(image.size(), page->size() * image.devicePixelRatio());
    for (int y = image.height() * 97 / 100; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            QVERIFY2(image.pixel(x, y) == qRgb(255, 255, 255), qPrintable(u"%1,%2"_s.arg(x).arg(y)));
    }
}

void TestPreview::placement_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("over");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("placed");
    const QRect desk(0, 0, 1280, 1024);
    QTest::newRow("centred over the owner") << QSize(800, 600) << QRect(400, 300, 400, 300) << desk
                                            << QRect(200, 150, 800, 600);
    QTest::newRow("owner at the left edge") << QSize(800, 600) << QRect(0, 300, 400, 300) << desk
                                            << QRect(0, 150, 800, 600);
    QTest::newRow("owner at the bottom right") << QSize(800, 600) << QRect(1000, 900, 400, 300) << desk
                                               << QRect(480, 424, 800, 600);
    QTest::newRow("taller than the screen") << QSize(821, 1233) << QRect(400, 300, 400, 300) << QRect(0, 0, 960, 510)
                                            << QRect(139, 0, 821, 510);
    QTest::newRow("on a second screen") << QSize(800, 600) << QRect(1300, 50, 300, 200) << QRect(1280, 0, 640, 480)
                                        << QRect(1280, 0, 640, 480);
}

// Where the preview opens: over its owner, never beyond the screen's free area.
void TestPreview::placement()
{
    QFETCH(QSize, size);
    QFETCH(QRect, over);
    QFETCH(QRect, available);
    QFETCH(QRect, placed);
    QCOMPARE(placedWithin(size, over, available), placed);
}

void TestPreview::redrawOnActivation_data()
{
    QTest::addColumn<int>("box");  // numberBox index changed in the main window
    QTest::addColumn<QString>("text");
    QTest::newRow("vertical pile") << verticalBox(0) << u"4.5"_s;
    QTest::newRow("horizontal pile") << horizontalBox(0) << u"12.25"_s;
    QTest::newRow("dimension") << 0 << u"7"_s;
    QTest::newRow("levels made equal") << InnerWaterLevelBox << u"3"_s;
}

void TestPreview::redrawOnActivation()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    ScriptedDialogs dialogs;
    MainWindow form;
    PreviewWindow *preview = openReadyPreview(form);
    QVERIFY(preview);
    QVERIFY(activate(preview));
    const QImage before = preview->pageImage().copy();
    QCOMPARE(before, pageFor(before, form.reportDocument()));

    QVERIFY(activate(&form));
    numberBox(form, box)->setText(text);
    QCOMPARE(preview->pageImage(), before);  // nothing drawn until the preview is active again
    QVERIFY(activate(preview));
    QVERIFY(preview->pageImage() != before);
    QCOMPARE(preview->pageImage(), pageFor(before, form.reportDocument()));
}

void TestPreview::onePreview_data()
{
    QTest::addColumn<bool>("firstFromMenu");
    QTest::addColumn<QString>("closing");  // how the first is closed before the second opening
    QTest::addColumn<bool>("secondFromMenu");
    QTest::newRow("button twice") << false << QString() << false;
    QTest::newRow("menu while the button's is open") << false << QString() << true;
    QTest::newRow("button after the close command") << false << u"command"_s << false;
    QTest::newRow("menu after the close command") << true << u"command"_s << true;
    QTest::newRow("button after the close box") << false << u"box"_s << false;
}

void TestPreview::onePreview()
{
    QFETCH(bool, firstFromMenu);
    QFETCH(QString, closing);
    QFETCH(bool, secondFromMenu);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showReady(form));
    const auto open = [&form](bool fromMenu) {
        if (fromMenu) {
            action(form, "previewAction")->trigger();
            return PreviewWindow::instance();
        }
        return pressPreviewButton(form);
    };
    PreviewWindow *first = open(firstFromMenu);
    QVERIFY(first);
    QCOMPARE(first->windowModality(), firstFromMenu ? Qt::ApplicationModal : Qt::NonModal);
    first->scrollBar()->setValue(1000);
    QWidget other;  // the close command brings the main window even from behind another
    other.show();
    QVERIFY(activate(closing.isEmpty() ? static_cast<QWidget *>(&form) : &other));
    if (!closing.isEmpty()) {
        if (closing == u"command"_s)
            first->closeAction()->trigger();
        else
            first->close();
        // Released at once, though the window object goes only later.
        QVERIFY(!PreviewWindow::instance());
        if (closing == u"command"_s)
            QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(activate(&form));
    }
    PreviewWindow *second = open(secondFromMenu);
    QVERIFY(second);
    QCOMPARE(previewWindows(form), 1);
    QVERIFY(QTest::qWaitForWindowActive(second));
    // The window kept open keeps its place on the page; a new one starts at the top.
    const bool kept = closing.isEmpty();
    QCOMPARE(second->scrollBar()->value(), kept ? 1000 : 0);
    QCOMPARE(second->pageWidget()->y(), -twips(second->scrollBar()->value(), second->logicalDpiY()));
    QCOMPARE(second->windowModality(),
             (kept ? firstFromMenu : secondFromMenu) ? Qt::ApplicationModal : Qt::NonModal);
    QVERIFY(dialogs.asked().isEmpty());
}

void TestPreview::printing_data()
{
    QTest::addColumn<bool>("fromPreview");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("level2");  // changed after the preview opened
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QString>("pdfName");  // in the test's folder
    QTest::addColumn<int>("fileLimit");    // bytes a file may grow to while printing; 0: no limit
    const QStringList report{u"遮水矢板の設計"_s, u"ＯＫ"_s};
    const QString pdf = u"report.pdf"_s;
    QTest::newRow("File menu, OK") << false << true << QString() << report << pdf << 0;
    QTest::newRow("File menu, Cancel") << false << false << QString() << QStringList() << pdf << 0;
    QTest::newRow("preview, OK") << true << true << QString() << report << pdf << 0;
    QTest::newRow("preview, Cancel") << true << false << QString() << QStringList() << pdf << 0;
    QTest::newRow("preview, levels made equal")
        << true << true << u"3"_s << QStringList{u"遮水矢板の設計"_s, u"水位データおよび"_s} << pdf << 0;
    // A print that cannot start says so.
    QTest::newRow("File menu, no folder for the file") << false << true << QString() << QStringList()
                                                       << u"missing/report.pdf"_s << 0;
    QTest::newRow("preview, no folder for the file") << true << true << QString() << QStringList()
                                                     << u"missing/report.pdf"_s << 0;
#ifdef Q_OS_UNIX
    // A file size limit cuts the PDF short as a full disk does, for root as well.
    QTest::newRow("File menu, full disk") << false << true << QString() << QStringList() << pdf << 4096;
    QTest::newRow("preview, full disk") << true << true << QString() << QStringList() << pdf << 4096;
#endif
}

void TestPreview::printing()
{
    QFETCH(bool, fromPreview);
    QFETCH(bool, ok);
    QFETCH(QString, level2);
    QFETCH(QStringList, printed);
    QFETCH(QString, pdfName);
    QFETCH(int, fileLimit);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(pdfName);
    const bool fails = ok && (pdfName.contains(u'/') || fileLimit > 0);
    const QByteArray earlier = "an earlier report";
    if (fileLimit > 0)
        writeBytes(pdf, earlier);
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showReady(form));
    numberBox(form, verticalBox(0))->setText(u"20"_s);  // enough for both verdicts to be ＯＫ
    numberBox(form, horizontalBox(0))->setText(u"20"_s);
    dialogs.answerPrinter(ok, pdf);
    if (fails)
        dialogs.answer(Reply::Ok);
    QAction *print = action(form, "printAction");
    if (fromPreview) {
        PreviewWindow *preview = pressPreviewButton(form);
        QVERIFY(preview);
        if (!level2.isEmpty())
            numberBox(form, InnerWaterLevelBox)->setText(level2);
        print = preview->printAction();
    }
    withFileSizeLimit(fileLimit, [print] { print->trigger(); });
    // File > Print offers the whole document on a printer only; the preview's dialog is left as it comes.
    QCOMPARE(dialogs.printerDialogs(), QList<bool>{!fromPreview});
    QCOMPARE(dialogs.asked(), fails ? QList<AskedDialog>{printFailedMessage()} : QList<AskedDialog>{});
    // The earlier file survives whole, and nothing is left beside it.
    if (fileLimit > 0) {
        QCOMPARE(readBytes(pdf), earlier);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{pdfName});
    }
    QCOMPARE(QFileInfo::exists(pdf), (ok && !fails) || fileLimit > 0);
    if (!ok || fails)
        return;
#ifdef Q_OS_WIN
    QSKIP(NoPdfReaderOnWindows);
#endif
    const QString info = runProgram(u"pdfinfo"_s, {pdf});
    QVERIFY(info.contains(QRegularExpression(u"Pages:\\s+1\\n"_s)));
    // Title, subject and creator as talven-report writes them; a study without
    // a file has no structure's name for the title.
    QVERIFY2(info.contains(QRegularExpression(u"Title:\\s+遮水矢板の設計\\n"_s)), qPrintable(info));
    const QString creator = u"タルヴェン %1.%2.%3"_s.arg(TALVEN_VERSION_MAJOR).arg(TALVEN_VERSION_MINOR).arg(TALVEN_VERSION_REVISION);
    QVERIFY2(info.contains(QRegularExpression(u"Creator:\\s+"_s + creator + u"\\n"_s)), qPrintable(info));
    const QString meta = runProgram(u"pdfinfo"_s, {u"-meta"_s, pdf});
    QVERIFY2(meta.contains(u"<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>遮水矢板の設計</rdf:li>"_s), qPrintable(meta));
    const QString text = runProgram(u"pdftotext"_s, {pdf, u"-"_s});
    for (const QString &expected : printed)
        QVERIFY2(text.contains(expected), qPrintable(expected + u" not in: "_s + text));
}

void TestPreview::pdfProposal_data()
{
    QTest::addColumn<QStringList>("steps");  // "save NAME", "open NAME" in the test's folder, "new"
    QTest::addColumn<bool>("fromPreview");
    QTest::addColumn<QString>("proposed");   // in the test's folder; a name alone: in the program's folder
    QTest::newRow("a new study") << QStringList{} << false << u"新規タイトル.pdf"_s;
    QTest::newRow("a saved study") << QStringList{u"save 樋門A"_s} << false << u"/樋門A.pdf"_s;
    QTest::newRow("a saved study, from the preview") << QStringList{u"save plan.txt"_s} << true << u"/plan.txt.pdf"_s;
    QTest::newRow("an opened study") << QStringList{u"save a"_s, u"new"_s, u"open a.vek"_s} << false << u"/a.pdf"_s;
    QTest::newRow("new after a save") << QStringList{u"save a"_s, u"new"_s} << true << u"/新規タイトル.pdf"_s;
}

// The PDF printer proposes the study's own name in its folder.
void TestPreview::pdfProposal()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, fromPreview);
    QFETCH(QString, proposed);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    MainWindow form;
    QVERIFY(showReady(form));
    for (const QString &step : steps) {
        dialogs.answer(Reply::Yes, isSaved(form) ? 0 : 1);  // unsaved work is given up
        if (step == u"new"_s) {
            action(form, "newAction")->trigger();
            showReady(form);
            continue;
        }
        dialogs.answerFile(folder.path() + u'/' + step.section(u' ', 1));
        (step.startsWith(u"save"_s) ? action(form, "saveAction") : action(form, "openAction"))->trigger();
    }
    dialogs.answerPrinter(false);
    if (fromPreview)
        pressPreviewButton(form)->printAction()->trigger();
    else
        action(form, "printAction")->trigger();
    const QString expected = proposed.startsWith(u'/') ? folder.path() + proposed
                                                        : QCoreApplication::applicationDirPath() + u'/' + proposed;
    QCOMPARE(dialogs.proposedPdfFiles(), QList<QString>{expected});
}

void TestPreview::printerDialogOffersPdf_data()
{
    QTest::addColumn<bool>("restricted");
    QTest::newRow("File > Print") << true;
    QTest::newRow("the preview's print") << false;
}

// The real printer dialog: printing to a PDF file is offered in either, with
// the file the print proposes; a page range only in the preview's.
void TestPreview::printerDialogOffersPdf()
{
    QFETCH(bool, restricted);
#ifdef Q_OS_WIN
    QSKIP("Windows' own print dialog lists the system's printers, its PDF printer among them");
#endif
    QStringList printers;
    QStringList files;
    bool ranges = true;
    QTimer::singleShot(0, [&printers, &files, &ranges] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        ranges = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        if (dialog->testOption(QAbstractPrintDialog::PrintToFile)) {
            for (const QComboBox *list : dialog->findChildren<QComboBox *>())
                for (int i = 0; i < list->count(); ++i)
                    printers << list->itemText(i);
        }
        for (const QLineEdit *field : dialog->findChildren<QLineEdit *>())
            files << field->text();
        dialog->reject();
    });
    const QString proposed = QDir::tempPath() + u"/樋門A.pdf"_s;
    QPrinter printer;
    printer.setOutputFileName(proposed);
    printer.setOutputFormat(QPrinter::NativeFormat);
    QVERIFY(!dialogService().printerDialog(nullptr, printer, restricted));
    QVERIFY2(!printers.filter(u"PDF"_s).isEmpty(), qPrintable(printers.join(u'|')));
    QVERIFY2(files.contains(proposed), qPrintable(files.join(u'|')));
    QCOMPARE(ranges, !restricted);
}

namespace {

// File > 帳票の設定… answered with the fields in TitleFields' order, the
// options and the page label: no margins, the sheet and "3-12"; the method's
// basis "手引き".
void setReportSettings(MainWindow &form, const QStringList &fields, bool figures, bool footer)
{
    action(form, "reportSettingsAction")->trigger();
    auto *dialog = form.findChild<ReportSettingsDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    for (std::size_t i = 0; i < TitleFields.size(); ++i)
        dialog->field(TitleFields[i].value)->setText(fields[qsizetype(i)]);
    dialog->optionBox(&PageOptions::figures)->setChecked(figures);
    dialog->optionBox(&PageOptions::footer)->setChecked(footer);
    dialog->optionBox(&PageOptions::margins)->setChecked(false);
    dialog->optionBox(&PageOptions::sheet)->setChecked(true);
    dialog->optionField(&PageOptions::pageLabel)->setText(u"3-12"_s);
    dialog->basisField(&DesignBasis::method)->setText(u"手引き"_s);
    dialog->accept();
    QTRY_VERIFY(!form.findChild<ReportSettingsDialog *>());
}

QString describePage(const ReportDocument &document)
{
    const TitleBlock &block = document.titleBlock();
    const PageOptions &page = document.options();
    return QStringList{block.job,      block.river,   block.place,   block.structure,
                       block.company, block.designer, block.checker, block.date}
               .join(u'|')
           + u" figures %1 footer %2 margins %3 sheet %4 %5 %6"_s.arg(page.figures)
                 .arg(page.footer)
                 .arg(page.margins)
                 .arg(page.sheet)
                 .arg(page.pageLabel, document.fileName());
}

}  // namespace

// The title block, the page label and the sheet are the study's, saved with
// it; a new study and a study file without its companion take the user's
// fields (河川名 among them, not 所在地) and the options' defaults for the
// page label and the sheet, while the other options are kept for the next
// windows. 構造物名 and 作成日 fall back to the file name and the day of
// printing.
void TestPreview::reportSettings()
{
    const QString today = reportDate(QDate::currentDate());
    const QString userOnly = u"figures 0 footer 1 margins 0 sheet 0  "_s;
    ScriptedDialogs dialogs;
    {
        MainWindow form;
        QVERIFY(showActive(form));
        QCOMPARE(describePage(form.reportDocument()), u"|||||||"_s + today + u" figures 1 footer 0 margins 1 sheet 0  "_s);
        setReportSettings(form, {u"業務"_s, u"川"_s, u"地"_s, u""_s, u"社"_s, u"設"_s, u"照"_s, u""_s}, false, true);
        QCOMPARE(describePage(form.reportDocument()),
                 u"業務|川|地||社|設|照|"_s + today + u" figures 0 footer 1 margins 0 sheet 1 3-12 "_s);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"樋門A.vek"_s);
        QVERIFY(!writeStudyFile(path, StudyFileContent{}));
        dialogs.answer(Reply::Yes);  // the title block is a change of the study
        form.openStudyFile(path);
        QCOMPARE(describePage(form.reportDocument()), u"業務|川||樋門A|社|設|照|"_s + today + u' ' + userOnly + u"樋門A.vek"_s);
        setReportSettings(form, {u"業務2"_s, u"川2"_s, u"地2"_s, u"第2樋門"_s, u"社"_s, u"設"_s, u"照"_s, u"令和8年"_s}, false,
                          true);
        const QString own = u"業務2|川2|地2|第2樋門|社|設|照|令和8年 figures 0 footer 1 margins 0 sheet 1 3-12 樋門A.vek"_s;
        QCOMPARE(describePage(form.reportDocument()), own);
        dialogs.answerFile(path);
        action(form, "saveAction")->trigger();
        action(form, "newAction")->trigger();
        QCOMPARE(describePage(form.reportDocument()), u"業務2|川2|||社|設|照|"_s + today + u' ' + userOnly);
        form.openStudyFile(path);
        QCOMPARE(describePage(form.reportDocument()), own);
        QCOMPARE(form.document().study().basis.method, u"手引き"_s);
    }
    MainWindow later;
    QCOMPARE(describePage(later.reportDocument()), u"業務2|川2|||社|設|照|"_s + today + u' ' + userOnly);
    QCOMPARE(dialogs.unanswered(), 0);
}

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
