// Start-up: the title window, the help window, the example figures, the
// one-copy lock and the program's own start as a process.
#include "builtprogram.h"
#include "dialogs/dialogservice.h"
#include "endedprocess.h"
#include "app/commandline.h"
#include "app/examplefigure.h"
#include "app/mainwindow.h"
#include "app/titlewindow.h"
#include "app/helpwindow.h"
#include "app/singleinstance.h"
#include "app/toolkittexts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLabel>
#include <QMessageBox>
#include <QMainWindow>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <chrono>
#include <future>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

using namespace talven;
using namespace Qt::StringLiterals;

namespace {

// No dialog is expected anywhere here; one that shows up fails the test
// instead of waiting for an answer.
class NoDialogs final : public DialogService {
public:
    Answer showMessage(const Message &message) override
    {
        unexpected << QStringLiteral("message box %1 %2").arg(message.caption, message.prompt);
        return Answer::No;
    }
    QString openFileName(QWidget *, const QString &, const QString &) override
    {
        unexpected << QStringLiteral("OpenFileName");
        return {};
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        unexpected << QStringLiteral("SaveFileName");
        return {};
    }
    bool printerDialog(QWidget *, QPrinter &, bool) override
    {
        unexpected << QStringLiteral("PrinterDialog");
        return false;
    }
    QStringList unexpected;
};

QList<TitleWindow *> titleWindows()
{
    QList<TitleWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *title = qobject_cast<TitleWindow *>(widget))
            found << title;
    }
    return found;
}

// Runs pending deletions, so that a closed window is really gone.
void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void closeAllTitles()
{
    for (TitleWindow *title : titleWindows())
        title->close();
    flushDeletes();
}

int twips(int twips, int dpi)
{
    return qRound(twips * dpi / 1440.0);
}

QString programPath()
{
    return builtProgram(QStringLiteral("talven"));
}

// The lock file of a copy started with `runtime` as its runtime folder. On
// Windows the lock lives in the user's local data whatever the environment.
QString lockFileOf(const QString &runtime)
{
#ifdef Q_OS_WIN
    Q_UNUSED(runtime)
    return SingleInstance::defaultLockPath();
#else
    return runtime + QStringLiteral("/talven.lock");
#endif
}

QByteArray lockOwner(const QString &lockPath)
{
    QFile file(lockPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readLine().trimmed();
}

// The built program with a private runtime folder, which is its temporary
// folder too; its messages go to stderr.
std::unique_ptr<QProcess> launch(const QString &runtime, const QStringList &arguments = {},
                                 const QString &workingFolder = {})
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("TMPDIR"), runtime);
    environment.insert(QStringLiteral("TALVEN_DIALOG_LOG"), QStringLiteral("1"));
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(workingFolder.isEmpty() ? runtime : workingFolder);
    process->start(programPath(), arguments);
    return process;
}

// Everything the process has said on stderr so far.
QString said(QProcess &process)
{
    process.setProperty("said", process.property("said").toString() + QString::fromUtf8(process.readAllStandardError()));
    return process.property("said").toString();
}

// A study whose first dimension is out of range, so that opening it says so;
// or, with one line too many, a study that is refused.
void writeStudy(const QString &path, bool opens)
{
    QByteArray bytes;
    for (int line = 0; line < 53; ++line)
        bytes += (line == 19 ? "123" : line == 38 ? "20000" : "") + QByteArray("\r\n");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(opens ? bytes : bytes + "\r\n");
}

const QString OpenedSays = QStringLiteral("MsgBox|48|タルヴェン・数値が範囲を超えています|数値は0から99.99の範囲で入力してください");
const QString RefusedSays = QStringLiteral("MsgBox|48|タルヴェン・読み込みエラー|ファイル読み込みを中止しました。");
const QString RunningSays = QStringLiteral("MsgBox|48|タルヴェン|すでに「タルヴェン」は起動されています。");
const QString UnguardedSays = QStringLiteral("talven: この利用者だけのフォルダーに起動の印を置けないため、"
                                             "すでに起動しているかを確かめずに起動します。");

// Gives `path` to nobody; false where this process cannot (only root can).
[[maybe_unused]] bool giveAway(const QString &path)
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0 && ::lchown(QFile::encodeName(path).constData(), 65534, 65534) == 0;
#else
    Q_UNUSED(path)
    return false;
#endif
}

// Makes the folder `path` as `state` says: "private" (this user's, closed to
// others), "open" (this user's, open to others), "other user's", "link" (to
// a private folder) or "file" (no folder at all). False where that cannot be
// made here (another user's needs root; owners and modes need Unix).
[[maybe_unused]] bool makeFolder(const QString &path, const QString &state)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    if (state == QStringLiteral("file"))
        return QFile(path).open(QIODevice::WriteOnly);
    if (state == QStringLiteral("link"))
        return makeFolder(path + QStringLiteral(".real"), QStringLiteral("private"))
               && QFile::link(path + QStringLiteral(".real"), path);
    const mode_t mode = state == QStringLiteral("open") ? 0755 : 0700;
    return ::mkdir(name.constData(), mode) == 0 && ::chmod(name.constData(), mode) == 0
           && (state != QStringLiteral("other user's") || giveAway(path));
#else
    Q_UNUSED(path)
    Q_UNUSED(state)
    return false;
#endif
}

// A later launch's hand-over, from a thread of its own as from another
// process, while this thread runs the copy it hands to; a copy `stalled` gets
// no turn until the launch has given up.
bool handOverFromAnotherLaunch(const QString &lockPath, const QString &path, bool stalled = false)
{
    auto launch =
        std::async(std::launch::async, [lockPath, path] { return SingleInstance(lockPath).handOver(path); });
    while (!stalled && launch.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(10);
    return launch.get();
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void titleLoad_data();
    void titleLoad();
    void titleLabels_data();
    void titleLabels();
    void titleClientArea();
    void titleShownTwiceIsOneWindow();
    void titleNewWindowAfterClose();
    void titleKeys_data();
    void titleKeys();
    void splashReleasesTheWindow();

    void helpFile_data();
    void helpFile();
    void shippedHelpFile();
    void showHelpKeepsOneWindowAndTheOwner();

    void figurePaints_data();
    void figurePaints();

    void lock_data();
    void lock();

    void commandLine_data();
    void commandLine();
    void secondLaunchIsRefused();
    void launchWithFile_data();
    void launchWithFile();
    void launchesAtOnce_data();
    void launchesAtOnce();
    void handOverMessages_data();
    void handOverMessages();
    void lockPlace_data();
    void lockPlace();
    void startsUnguarded();
    void handOverSurvives_data();
    void handOverSurvives();
    void helpWindow_data();
    void helpWindow();

    void toolkitButtonsInJapanese_data();
    void toolkitButtonsInJapanese();

private:
    NoDialogs dialogs_;
};

void TestStartup::init()
{
    dialogs_.unexpected.clear();
    setDialogService(&dialogs_);
}

void TestStartup::cleanup()
{
    closeAllTitles();
    setDialogService(nullptr);
    QVERIFY2(dialogs_.unexpected.isEmpty(), qPrintable(dialogs_.unexpected.join(u'\n')));
}

void TestStartup::titleLoad_data()
{
    QTest::addColumn<bool>("version");  // the version window, or the splash
    QTest::newRow("splash") << false;
    QTest::newRow("version window") << true;
}

void TestStartup::titleLoad()
{
    QFETCH(bool, version);
    TitleWindow *title = TitleWindow::open(version ? TitleWindow::Look::Version : TitleWindow::Look::Splash);
    QVERIFY(title);
    QCOMPARE(title->versionText(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.1"));
    QCOMPARE(title->findChild<QLabel *>(QStringLiteral("versionLabel"))->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.1"));
    auto *ok = title->findChild<QPushButton *>(QStringLiteral("okButton"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->isVisible(), version);
    QCOMPARE(title->okButtonVisible(), version);
    QVERIFY(title->windowTitle().isEmpty());
}

void TestStartup::titleLabels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("company") << QStringLiteral("companyLabel") << QStringLiteral("株式会社　ノルフェ") << 18;
    QTest::newRow("product") << QStringLiteral("productLabel") << QStringLiteral("タルヴェン") << 18;
    QTest::newRow("version") << QStringLiteral("versionLabel") << QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.1") << 12;
}

void TestStartup::titleLabels()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, pointSize);
    TitleWindow *title = TitleWindow::open(TitleWindow::Look::Version);
    QVERIFY(QTest::qWaitForWindowExposed(title));
    auto *label = title->findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(label->font().pointSize(), pointSize);
    QVERIFY(label->font().bold());
    // The whole text fits inside the window, beside the logo.
    const QRect inWindow(label->mapTo(title, QPoint(0, 0)), label->size());
    QVERIFY2(title->rect().contains(inWindow), qPrintable(name));
    QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(name));
    auto *logo = title->findChild<QWidget *>(QStringLiteral("logo"));
    QVERIFY(logo);
    QVERIFY(inWindow.left() >= logo->mapTo(title, QPoint(logo->width(), 0)).x());
}

void TestStartup::titleClientArea()
{
    TitleWindow *title = TitleWindow::open(TitleWindow::Look::Version);
    const int dpiX = title->logicalDpiX();
    const int dpiY = title->logicalDpiY();
    QVERIFY(qAbs(title->width() - twips(7380, dpiX)) <= 1);
    QVERIFY(qAbs(title->height() - twips(4245, dpiY)) <= 1);
    auto *logo = title->findChild<QWidget *>(QStringLiteral("logo"));
    QVERIFY(qAbs(logo->width() - twips(2055, dpiX)) <= 1);
    QVERIFY(qAbs(logo->height() - twips(2505, dpiY)) <= 1);
}

void TestStartup::titleShownTwiceIsOneWindow()
{
    TitleWindow *first = TitleWindow::open(TitleWindow::Look::Version);
    // A mark that a second load would overwrite.
    first->findChild<QLabel *>(QStringLiteral("versionLabel"))->setText(QStringLiteral("mark"));
    TitleWindow *second = TitleWindow::open(TitleWindow::Look::Version);
    QCOMPARE(second, first);
    QCOMPARE(titleWindows().size(), 1);
    QCOMPARE(second->versionText(), QStringLiteral("mark"));
    QVERIFY(second->isVisible());
}

void TestStartup::titleNewWindowAfterClose()
{
    QPointer<TitleWindow> splash = TitleWindow::open(TitleWindow::Look::Splash);
    QVERIFY(!splash->okButtonVisible());
    splash->close();
    QCOMPARE(TitleWindow::instance(), nullptr);
    flushDeletes();
    QVERIFY(splash.isNull());

    QPointer<TitleWindow> version = TitleWindow::open(TitleWindow::Look::Version);
    QVERIFY(version);
    QCOMPARE(TitleWindow::instance(), version.data());
    QVERIFY(version->okButtonVisible());
    QCOMPARE(version->versionText(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.1"));

    QTest::mouseClick(version->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(TitleWindow::instance(), nullptr);
    flushDeletes();
    QVERIFY(version.isNull());
    QVERIFY(titleWindows().isEmpty());
}

void TestStartup::titleKeys_data()
{
    QTest::addColumn<bool>("version");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("splash escape") << false << int(Qt::Key_Escape) << false;
    QTest::newRow("splash enter") << false << int(Qt::Key_Return) << false;
    QTest::newRow("splash space") << false << int(Qt::Key_Space) << false;
    QTest::newRow("version escape") << true << int(Qt::Key_Escape) << true;
    QTest::newRow("version enter") << true << int(Qt::Key_Return) << true;
    QTest::newRow("version letter") << true << int(Qt::Key_A) << false;
}

void TestStartup::titleKeys()
{
    QFETCH(bool, version);
    QFETCH(int, key);
    QFETCH(bool, closes);
    TitleWindow *title = TitleWindow::open(version ? TitleWindow::Look::Version : TitleWindow::Look::Splash);
    QVERIFY(QTest::qWaitForWindowExposed(title));
    QTest::keyClick(title, Qt::Key(key));
    QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(title->width() / 2, title->height() - 5));
    QCOMPARE(TitleWindow::instance() == nullptr, closes);
}

void TestStartup::splashReleasesTheWindow()
{
    QElapsedTimer shown;
    shown.start();
    showSplash();
    const qint64 elapsed = shown.elapsed();
    QVERIFY2(elapsed >= 1000, qPrintable(QStringLiteral("splash lasted %1 ms").arg(elapsed)));
    QCOMPARE(TitleWindow::instance(), nullptr);
    QVERIFY(titleWindows().isEmpty());
    // The version window that follows start-up, from the main window's menu, has its OK button.
    MainWindow window;
    window.findChild<QAction *>(QStringLiteral("versionAction"))->trigger();
    QVERIFY(TitleWindow::instance());
    QVERIFY(TitleWindow::instance()->okButtonVisible());
}

void TestStartup::helpFile_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << true;
    QTest::newRow("missing") << false;
}

void TestStartup::helpFile()
{
    QFETCH(bool, present);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("VEK.hlp"));
    if (present) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><h1>遮水矢板の照査</h1></body></html>")
                       .toUtf8());
    }
    HelpWindow window;
    QCOMPARE(window.open(path), present);
    const QString shown = window.browser()->toPlainText();
    QCOMPARE(shown.contains(QStringLiteral("遮水矢板の照査")), present);
    QCOMPARE(shown.contains(QDir::toNativeSeparators(path)), !present);
    QCOMPARE(shown.contains(QStringLiteral("開けません")), !present);
}

void TestStartup::shippedHelpFile()
{
    const QString path = qEnvironmentVariable("TALVEN_BIN_DIR") + QStringLiteral("/VEK.hlp");
    HelpWindow window;
    QVERIFY2(window.open(path), qPrintable(path));
    const QString shown = window.browser()->toPlainText();
    for (const QString &needed : {QStringLiteral("ブライの式"), QStringLiteral("レインの式"),
                                  QStringLiteral("検討方法・諸数値の設定"), QStringLiteral("鉛直方向の計算"),
                                  QStringLiteral("水平方向の計算"), QStringLiteral("ΣL"), QStringLiteral("ΔH")})
        QVERIFY2(shown.contains(needed), qPrintable(needed));
    QVERIFY(!shown.contains(u'\uFFFD'));  // read as UTF-8 throughout

    // The contents links jump within the page and keep it.
    window.resize(500, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.browser()->verticalScrollBar()->value(), 0);
    window.browser()->setSource(QUrl(QStringLiteral("#ratios")));
    QTRY_VERIFY(window.browser()->verticalScrollBar()->value() > 0);
    QCOMPARE(window.browser()->toPlainText(), shown);
}

void TestStartup::showHelpKeepsOneWindowAndTheOwner()
{
    QMainWindow owner;
    owner.setWindowTitle(QStringLiteral("タルヴェン"));
    owner.show();
    // The test program's folder has no help file.
    QVERIFY(!QFile::exists(helpFilePath()));
    showHelp(&owner);
    showHelp(&owner);
    const QList<HelpWindow *> windows = owner.findChildren<HelpWindow *>();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.front()->isVisible());
    QVERIFY(windows.front()->browser()->toPlainText().contains(QDir::toNativeSeparators(helpFilePath())));
    QVERIFY(owner.isVisible());
    QCOMPARE(owner.windowTitle(), QStringLiteral("タルヴェン"));
    windows.front()->close();
}

void TestStartup::figurePaints_data()
{
    QTest::addColumn<int>("index");  // an ExampleFigure::Drawing
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("ratio");
    for (int index = 0; index < 3; ++index) {
        QTest::addRow("figure %d at 300x220", index) << index << QSize(300, 220) << 1;
        QTest::addRow("figure %d at 300x220 on a 200%% screen", index) << index << QSize(300, 220) << 2;
        QTest::addRow("figure %d at 600x440", index) << index << QSize(600, 440) << 1;
        QTest::addRow("figure %d at 500x220", index) << index << QSize(500, 220) << 1;
    }
}

void TestStartup::figurePaints()
{
    QFETCH(int, index);
    QFETCH(QSize, size);
    QFETCH(int, ratio);
    ExampleFigure figure{ExampleFigure::Drawing(index)};
    QVERIFY(figure.sizeHint().width() >= 280 && figure.sizeHint().height() >= 200);
    figure.resize(size);
    QImage canvas(size * ratio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::white);
    figure.render(&canvas);
    // Measured in the figure's own pixels, whatever the screen's ratio.
    const QImage image = canvas.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);

    // Ink over a good part of the picture, spread across the drawing's width.
    int inked = 0;
    int left = size.width();
    int right = -1;
    for (int y = 2; y < image.height() - 2; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 2; x < image.width() - 2; ++x) {
            if (line[x] != qRgb(255, 255, 255)) {
                ++inked;
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    const double share = double(inked) / (size.width() * size.height());
    QVERIFY2(share > 0.15, qPrintable(QStringLiteral("ink share %1").arg(share)));
    // The drawing keeps its proportions and is centred: 300 x 220 scaled to fit.
    const double scale = qMin(size.width() / 300.0, size.height() / 220.0);
    const double drawnWidth = 300 * scale;
    QVERIFY2(right - left >= 0.85 * drawnWidth,
             qPrintable(QStringLiteral("ink from %1 to %2, drawing %3 wide").arg(left).arg(right).arg(drawnWidth)));
    const double margin = (size.width() - drawnWidth) / 2;
    QVERIFY2(left >= margin - 3 && right <= size.width() - margin + 3,
             qPrintable(QStringLiteral("ink from %1 to %2, margin %3").arg(left).arg(right).arg(margin)));
}

void TestStartup::lock_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QByteArray>("content");  // written into the lock file, a minute old unless "fresh"
    QTest::addColumn<bool>("refused");
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid());
    QTest::newRow("no lock") << QString() << QByteArray() << false;
    QTest::newRow("held by this process") << QStringLiteral("held") << QByteArray() << true;
    QTest::newRow("left by a dead process") << QStringLiteral("dead") << QByteArray() << false;
    QTest::newRow("released") << QStringLiteral("released") << QByteArray() << false;
    QTest::newRow("empty") << QStringLiteral("written") << QByteArray() << false;
    QTest::newRow("garbled") << QStringLiteral("written") << QByteArray("\x01\xfe\xff\nqq\n") << false;
    QTest::newRow("half written") << QStringLiteral("written") << pid.left(2) << false;
    QTest::newRow("garbled, just written") << QStringLiteral("fresh") << QByteArray("\xfe") << false;
    QTest::newRow("from another machine") << QStringLiteral("written") << pid + "\ntest_startup\nelsewhere\n" << false;
    // The living copy keeps its lock file open; it is never taken away.
    QTest::newRow("held, then garbled") << QStringLiteral("held") << QByteArray("\xfe") << true;
    QTest::newRow("a folder that cannot be written") << QStringLiteral("closed") << QByteArray() << false;
}

void TestStartup::lock()
{
    QFETCH(QString, before);
    QFETCH(QByteArray, content);
    QFETCH(bool, refused);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("talven.lock"));

    std::unique_ptr<SingleInstance> holder;
    if (before == QStringLiteral("held") || before == QStringLiteral("released")) {
        holder = std::make_unique<SingleInstance>(path);
        QVERIFY(!holder->anotherCopyRuns());
        if (before == QStringLiteral("released"))
            holder.reset();
    } else if (before == QStringLiteral("dead")) {
        const qint64 pid = endedProcessId();
        QVERIFY(pid > 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(pid) + "\ntalven\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    }
#ifdef Q_OS_WIN
    if (holder && !content.isEmpty())
        QSKIP("Windows lets no one else write a lock file that is held");
#endif
    if (before == QStringLiteral("written") || before == QStringLiteral("fresh") || !content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        QVERIFY(file.flush());
        if (before != QStringLiteral("fresh"))
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }

    if (before == QStringLiteral("closed")) {
#ifdef Q_OS_UNIX
        // Root writes anywhere: the folder, and this process for the while, are then nobody's.
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (::geteuid() == 0)
            QVERIFY(giveAway(folder.path()) && ::seteuid(65534) == 0);
#else
        QSKIP("a folder closed by its mode");
#endif
    }
    const auto asBefore = qScopeGuard([] {
#ifdef Q_OS_UNIX
        if (::getuid() == 0)
            ::seteuid(0);
#endif
    });

    SingleInstance instance(path);
    QCOMPARE(instance.anotherCopyRuns(), refused);
    // A folder that cannot be written says nothing of another copy: this one runs unguarded.
    QCOMPARE(instance.guards(), !refused && before != QStringLiteral("closed"));
    if (instance.guards())
        QCOMPARE(lockOwner(path), QByteArray::number(QCoreApplication::applicationPid()));
}

void TestStartup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("read");  // the study's absolute path, or what is said
    QTest::newRow("a study") << QStringList{QStringLiteral("a.vek")}
                             << QDir::current().absoluteFilePath(QStringLiteral("a.vek"));
    QTest::newRow("a short option") << QStringList{QStringLiteral("-x")}
                                    << QStringLiteral("オプション「-x」は使えません。\r\n使い方：talven [検討ファイル.vek]");
}

void TestStartup::commandLine()
{
    QFETCH(QStringList, arguments);
    const StartRequest request = readCommandLine(arguments);
    QTEST(request.problem ? request.problem->prompt : request.studyPath, "read");
}

void TestStartup::secondLaunchIsRefused()
{
    const QString program = programPath();
    QVERIFY2(QFile::exists(program), qPrintable(program));
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    const QString lockPath = lockFileOf(runtime.path());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    // Any message goes to stderr, so that nothing waits for an answer.
    environment.insert(QStringLiteral("TALVEN_DIALOG_LOG"), QStringLiteral("1"));

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(program, {});
    QVERIFY(first.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(lockOwner(lockPath) == QByteArray::number(first.processId()), 20000);

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(program, {});
    QVERIFY(second.waitForStarted(10000));
    QVERIFY2(second.waitForFinished(30000), "the second copy did not end by itself");
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    const QString said = QString::fromUtf8(second.readAllStandardError());
    QVERIFY2(said.contains(QStringLiteral("MsgBox|48|タルヴェン|すでに「タルヴェン」は起動されています。")),
             qPrintable(said));
    QCOMPARE(said.count(QStringLiteral("MsgBox|")), 1);
    QCOMPARE(first.state(), QProcess::Running);

    // A copy that dies leaves its lock file behind; it must not stop the next start.
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    QVERIFY(QFile::exists(lockPath));

    QProcess third;
    third.setProcessEnvironment(environment);
    third.start(program, {});
    QVERIFY(third.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(lockOwner(lockPath) == QByteArray::number(third.processId()), 20000);
    QTest::qWait(1500);  // past the splash, into the main window
    QCOMPARE(third.state(), QProcess::Running);
    const QString thirdSaid = QString::fromUtf8(third.readAllStandardError());
    QVERIFY2(!thirdSaid.contains(QStringLiteral("MsgBox|")), qPrintable(thirdSaid));
    third.kill();
    QVERIFY(third.waitForFinished(10000));
}

void TestStartup::launchWithFile_data()
{
    QTest::addColumn<bool>("running");  // a copy runs already: the launch is a second one
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("runningSays");  // the copy with the window
    QTest::addColumn<QString>("launchSays");   // a second launch, which ends
    QTest::addColumn<bool>("answers");         // the running copy answers; otherwise it is stopped
    const QString opens = QStringLiteral("opens.vek");
    const QString refused = QStringLiteral("refused.vek");
    const QString start = QStringLiteral("MsgBox|48|タルヴェン・起動|");
    QTest::newRow("a study, named relative to the folder")
        << false << QStringList{opens} << OpenedSays << QString() << true;
    QTest::newRow("a refused study") << false << QStringList{refused} << RefusedSays << QString() << true;
    QTest::newRow("two studies") << false << QStringList{opens, refused}
                                 << start + QStringLiteral("開くことのできる検討ファイルは一つだけです。"
                                                           "\\n使い方：talven [検討ファイル.vek]")
                                 << QString() << true;
    QTest::newRow("an unknown option") << false << QStringList{QStringLiteral("--verbose"), opens}
                                       << start + QStringLiteral("オプション「--verbose」は使えません。") << QString()
                                       << true;
    QTest::newRow("a study handed over") << true << QStringList{opens} << OpenedSays << QString() << true;
    QTest::newRow("a refused study handed over")
        << true << QStringList{refused} << RefusedSays << QString() << true;
    QTest::newRow("no such file, while a copy runs") << true << QStringList{QStringLiteral("none.vek")} << QString()
                                                     << RefusedSays << true;
    QTest::newRow("a folder, while a copy runs") << true << QStringList{QStringLiteral(".")} << QString()
                                                 << RefusedSays << true;
#ifdef Q_OS_UNIX
    QTest::newRow("a study, while the running copy does not answer")
        << true << QStringList{opens} << QString()
        << start + QStringLiteral("起動している「タルヴェン」が応答しないため、検討ファイルを渡せませんでした。") << false;
#endif
}

// The program starts whatever its command line, and opens the study as File >
// Open would; a second launch hands its file to the running copy and ends.
void TestStartup::launchWithFile()
{
    QFETCH(bool, running);
    QFETCH(QStringList, arguments);
    QFETCH(QString, runningSays);
    QFETCH(QString, launchSays);
    QFETCH(bool, answers);
    QTemporaryDir runtime;
    QTemporaryDir studies;
    writeStudy(studies.filePath(QStringLiteral("opens.vek")), true);
    writeStudy(studies.filePath(QStringLiteral("refused.vek")), false);
    auto first = launch(runtime.path(), running ? QStringList() : arguments, studies.path());
    if (running) {
        QTRY_VERIFY_WITH_TIMEOUT(lockOwner(lockFileOf(runtime.path()))
                                     == QByteArray::number(first->processId()), 20000);
#ifdef Q_OS_UNIX
        if (!answers) {
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(runtime.filePath(u"talven.socket"_s)), 20000);
            QCOMPARE(::kill(pid_t(first->processId()), SIGSTOP), 0);
        }
#endif
        const auto second = launch(runtime.path(), arguments, studies.path());
        QVERIFY(second->waitForFinished(30000));
        QCOMPARE(second->exitCode(), answers ? 0 : 1);
        QCOMPARE(said(*second).count(QStringLiteral("MsgBox|")), launchSays.isEmpty() ? 0 : 1);
        QVERIFY2(said(*second).contains(launchSays), qPrintable(said(*second)));
    }
    if (!runningSays.isEmpty())
        QTRY_VERIFY_WITH_TIMEOUT(said(*first).contains(runningSays), 20000);
    QCOMPARE(said(*first).count(QStringLiteral("MsgBox|")), runningSays.isEmpty() ? 0 : 1);
    QCOMPARE(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished(10000);
}

void TestStartup::launchesAtOnce_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("damaged");  // a garbled lock file waits for them
    QTest::newRow("two") << 2 << false;
    QTest::newRow("ten") << 10 << false;
    QTest::newRow("ten over a garbled lock") << 10 << true;
}

// One copy runs; every other one says so and ends cleanly.
void TestStartup::launchesAtOnce()
{
    QFETCH(int, count);
    QFETCH(bool, damaged);
    QTemporaryDir runtime;
    if (damaged) {
        QFile lock(lockFileOf(runtime.path()));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("\xfe\xff\n");
    }
    std::vector<std::unique_ptr<QProcess>> launches;
    for (int i = 0; i < count; ++i)
        launches.push_back(launch(runtime.path()));
    const auto ended = [&launches] {
        return std::count_if(launches.begin(), launches.end(),
                             [](const auto &process) { return process->state() == QProcess::NotRunning; });
    };
    QTRY_COMPARE_WITH_TIMEOUT(ended(), count - 1, 60000);
    for (const auto &process : launches) {
        if (process->state() == QProcess::Running)
            continue;
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
        QCOMPARE(said(*process).trimmed(), RunningSays);
    }
    for (const auto &process : launches)
        process->kill();
}

void TestStartup::handOverMessages_data()
{
    QTest::addColumn<QByteArray>("message");  // "%1" stands for the studies' folder
    QTest::addColumn<bool>("taken");
    QTest::newRow("a study") << QByteArray("%1/a.vek") << true;
    QTest::newRow("a relative path") << QByteArray("a.vek") << false;
    QTest::newRow("a folder") << QByteArray("%1") << false;
    QTest::newRow("not a path") << QByteArray("\xfe\x00\xff") << false;
}

// The running copy takes only the path of an existing regular file, from this user only.
void TestStartup::handOverMessages()
{
    QFETCH(QByteArray, message);
    QFETCH(bool, taken);
    QTemporaryDir folder;
    const QByteArray sent = message.replace("%1", QFile::encodeName(folder.path()));
    for (const char *name : {"a.vek", "b.vek"})
        writeStudy(folder.filePath(QLatin1StringView(name)), true);
    // There a relative path names a study, which is refused all the same.
    const QString ownFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    const auto back = qScopeGuard([ownFolder] { QDir::setCurrent(ownFolder); });
    const QString lockPath = folder.filePath(QStringLiteral("talven.lock"));
    SingleInstance running(lockPath);
    QVERIFY(!running.anotherCopyRuns());
    QVERIFY(running.listen());
    const QFileInfo socket(folder.filePath(QStringLiteral("talven.socket")));
    QVERIFY(!(socket.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
    QSignalSpy handed(&running, &SingleInstance::studyHandedOver);

    QLocalSocket raw;
    raw.connectToServer(socket.filePath());
    QVERIFY(raw.waitForConnected(5000));
    raw.write(sent);
    raw.disconnectFromServer();
#ifdef Q_OS_WIN
    // A named pipe's end may reach the running copy after a later connection.
    if (taken)
        QTRY_COMPARE(handed.size(), 1);
#endif
    // Then a later launch's own hand-over, which comes after it.
    const QString last = folder.filePath(QStringLiteral("b.vek"));
    QVERIFY(handOverFromAnotherLaunch(lockPath, last));
    QTRY_VERIFY(!handed.isEmpty() && handed.last().front().toString() == last);
    QStringList paths;
    for (const QList<QVariant> &signal : handed)
        paths << signal.front().toString();
    const QStringList expected = taken ? QStringList{QFile::decodeName(sent), last} : QStringList{last};
    QCOMPARE(paths, expected);
}

void TestStartup::lockPlace_data()
{
    QTest::addColumn<QString>("runtime");   // "private": XDG_RUNTIME_DIR's; "taken": unset, TMPDIR/runtime-USER not a folder
    QTest::addColumn<QString>("own");       // TMPDIR/talven-UID before, as makeFolder makes it; empty: missing
    QTest::addColumn<QString>("lock");      // there before: "other user's" (naming this process), "folder", or none
    QTest::addColumn<QString>("expected");  // the lock's folder: "runtime", "own", or empty for none
    QTest::addColumn<bool>("guarded");
    const QString taken = QStringLiteral("taken"), own = QStringLiteral("own"), runtime = QStringLiteral("runtime");
    QTest::newRow("the runtime folder") << QStringLiteral("private") << QString() << QString() << runtime << true;
    QTest::newRow("runtime folder taken, own folder made") << taken << QString() << QString() << own << true;
    QTest::newRow("own folder found") << taken << QStringLiteral("private") << QString() << own << true;
    QTest::newRow("own folder open to others") << taken << QStringLiteral("open") << QString() << QString() << false;
    QTest::newRow("own folder of another user") << taken << QStringLiteral("other user's") << QString() << QString() << false;
    QTest::newRow("own folder a link") << taken << QStringLiteral("link") << QString() << QString() << false;
    QTest::newRow("a lock of another user, naming a running copy")
        << QStringLiteral("private") << QString() << QStringLiteral("other user's") << runtime << true;
    QTest::newRow("a lock that cannot be removed")
        << QStringLiteral("private") << QString() << QStringLiteral("folder") << runtime << false;
}

// The lock goes only into a folder of the user's alone. No copy is refused,
// and none listens, because of a lock that is no running copy's of this user;
// another user's is taken away.
void TestStartup::lockPlace()
{
#ifndef Q_OS_UNIX
    QSKIP("the folders are judged by their Unix owner and mode");
#else
    QFETCH(QString, runtime);
    QFETCH(QString, own);
    QFETCH(QString, lock);
    QFETCH(QString, expected);
    QFETCH(bool, guarded);
    QTemporaryDir scratch;
    const QString temporary = scratch.filePath(QStringLiteral("tmp"));
    const QString ownFolder = temporary + QStringLiteral("/talven-%1").arg(::geteuid());
    QVERIFY(makeFolder(temporary, QStringLiteral("private")));
    if (!own.isEmpty() && !makeFolder(ownFolder, own))
        QSKIP("another user's files need root");
    const auto restore = qScopeGuard([saved = QProcessEnvironment::systemEnvironment()] {
        for (const char *name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
            if (saved.contains(QLatin1StringView(name)))
                qputenv(name, QFile::encodeName(saved.value(QLatin1StringView(name))));
            else
                qunsetenv(name);
        }
    });
    qputenv("TMPDIR", QFile::encodeName(temporary));
    if (runtime == QStringLiteral("taken")) {
        // As when another user has made Qt's fallback runtime folder first.
        qunsetenv("XDG_RUNTIME_DIR");
        QVERIFY(makeFolder(temporary + QStringLiteral("/runtime-") + QFileInfo(temporary).owner(), QStringLiteral("file")));
    } else {
        QVERIFY(makeFolder(scratch.filePath(QStringLiteral("runtime")), runtime));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(scratch.filePath(QStringLiteral("runtime"))));
    }
    const QString folder = expected == QStringLiteral("own") ? ownFolder : scratch.filePath(expected);
    const QString lockPath = SingleInstance::defaultLockPath();
    QCOMPARE(lockPath, expected.isEmpty() ? QString() : folder + QStringLiteral("/talven.lock"));
    if (!expected.isEmpty())
        QCOMPARE(QFileInfo(folder).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (lock == QStringLiteral("folder")) {
        QVERIFY(QDir().mkpath(lockPath + QStringLiteral("/inside")));
    } else if (!lock.isEmpty()) {
        QFile file(lockPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(QCoreApplication::applicationPid()) + "\ntest_startup\n"
                   + QSysInfo::machineHostName().toUtf8() + '\n');
        file.close();
        if (!giveAway(lockPath))
            QSKIP("another user's files need root");
    }
    SingleInstance instance(lockPath);
    QVERIFY(!instance.anotherCopyRuns());
    QCOMPARE(instance.guards(), guarded);
    QCOMPARE(instance.listen(), guarded);
#endif
}

// Without a folder of the user's own, every launch starts, says so, and
// opens its study itself.
void TestStartup::startsUnguarded()
{
#ifndef Q_OS_UNIX
    QSKIP("the folders are judged by their Unix owner and mode");
#else
    // A name holding ESC, which Qt's warning about the folder's mode shows escaped.
    QTemporaryDir runtime(QDir::tempPath() + u"/run\x1B[2J-XXXXXX"_s);
    QTemporaryDir studies;
    writeStudy(studies.filePath(QStringLiteral("opens.vek")), true);
    // Open to others, and so is the own folder under the temporary folder,
    // which is the same (launch); Qt's own fallback is a file.
    QVERIFY(makeFolder(runtime.filePath(QStringLiteral("talven-%1").arg(::geteuid())), QStringLiteral("open")));
    QVERIFY(makeFolder(runtime.filePath(QStringLiteral("runtime-") + QFileInfo(runtime.path()).owner()),
                       QStringLiteral("file")));
    QVERIFY(QFile::setPermissions(runtime.path(), QFile::permissions(runtime.path()) | QFile::ReadOther | QFile::ExeOther));
    const auto first = launch(runtime.path(), {QStringLiteral("opens.vek")}, studies.path());
    const auto second = launch(runtime.path(), {QStringLiteral("opens.vek")}, studies.path());
    for (QProcess *process : {first.get(), second.get()}) {
        QTRY_VERIFY_WITH_TIMEOUT(said(*process).contains(OpenedSays), 20000);
        QVERIFY2(said(*process).contains(UnguardedSays), qPrintable(said(*process)));
        QVERIFY2(said(*process).contains(u"run\\x1B[2J-"_s) && !said(*process).contains(u'\x1B'),
                 qPrintable(said(*process)));
        QCOMPARE(process->state(), QProcess::Running);
    }
    first->kill();
    second->kill();
    first->waitForFinished(10000);
    second->waitForFinished(10000);
#endif
}

void TestStartup::handOverSurvives_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<bool>("taken");  // a later launch's study reaches the running copy
    QTest::newRow("twenty silent connections") << QStringLiteral("silent") << true;
    QTest::newRow("a message never finished") << QStringLiteral("unfinished") << true;
    QTest::newRow("the socket removed") << QStringLiteral("removed") << true;
    QTest::newRow("a failed accept") << QStringLiteral("failed accept") << true;
    QTest::newRow("another user's socket, no copy listening") << QStringLiteral("other user's") << false;
    // A launch that cannot hand over says so rather than end as if it had.
    QTest::newRow("a copy that takes no hand-over in time") << QStringLiteral("stalled") << false;
    QTest::newRow("the folder swapped for one open to others") << QStringLiteral("swapped") << false;
}

// The running copy keeps taking later launches' files, whatever came before;
// a path goes to no socket but the user's own.
void TestStartup::handOverSurvives()
{
#ifndef Q_OS_UNIX
    QSKIP("sockets that are files, descriptor limits");
#else
    QFETCH(QString, trouble);
    QFETCH(bool, taken);
    QTemporaryDir folder;
    for (const char *name : {"a.vek", "b.vek"})
        writeStudy(folder.filePath(QLatin1StringView(name)), true);
    // The lock's own folder, whose name the running copy may have to show.
    const QString lockFolder = folder.filePath(u"own\x1B[2J"_s);
    QVERIFY(makeFolder(lockFolder, u"private"_s));
    const QString lockPath = lockFolder + u"/talven.lock"_s;
    const QString socketPath = lockFolder + u"/talven.socket"_s;
    SingleInstance running(lockPath);
    QVERIFY(!running.anotherCopyRuns());
    QSignalSpy handed(&running, &SingleInstance::studyHandedOver);
    QLocalServer planted;
    if (trouble == QStringLiteral("other user's")) {
        QVERIFY(planted.listen(socketPath));
        if (!giveAway(socketPath))
            QSKIP("another user's socket needs root");
    } else {
        QVERIFY(running.listen());
    }

    std::vector<std::unique_ptr<QLocalSocket>> clients;
    const auto connectClient = [&] {
        clients.push_back(std::make_unique<QLocalSocket>());
        clients.back()->connectToServer(socketPath);
        return clients.back()->waitForConnected(5000);
    };
    if (trouble == QStringLiteral("silent")) {
        for (int i = 0; i < 20; ++i)
            QVERIFY(connectClient());
    } else if (trouble == QStringLiteral("unfinished")) {
        QVERIFY(connectClient());
        clients.back()->write(QFile::encodeName(folder.filePath(QStringLiteral("a.vek"))));
        QVERIFY(clients.back()->waitForBytesWritten(5000));
    } else if (trouble == QStringLiteral("removed")) {
        QVERIFY(QFile::remove(socketPath));
    } else if (trouble == QStringLiteral("failed accept")) {
        // Every descriptor but one in use: the client takes it, the accept finds none.
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_NOFILE, &saved) == 0);
        rlimit tight = saved;
        tight.rlim_cur = std::min<rlim_t>(saved.rlim_cur, 256);
        QVERIFY(setrlimit(RLIMIT_NOFILE, &tight) == 0);
        std::vector<int> fillers;
        for (int descriptor; (descriptor = ::dup(0)) >= 0;)
            fillers.push_back(descriptor);
        QVERIFY(!fillers.empty());
        ::close(fillers.back());
        fillers.pop_back();
        const bool connected = connectClient();
        QTRY_VERIFY(!QFileInfo::exists(socketPath));
        for (int descriptor : fillers)
            ::close(descriptor);
        setrlimit(RLIMIT_NOFILE, &saved);
        QVERIFY(connected);
    }

    if (trouble == u"swapped"_s) {
        // The socket's folder is taken away and one open to all put in its
        // place: the socket is never made again there, and the copy says so once.
        QVERIFY(QDir().rename(lockFolder, lockFolder + u".moved"_s));
        QVERIFY(makeFolder(lockFolder, u"open"_s));
        const QString said = u"talven: 起動の印を置いたフォルダー "_s + QDir::toNativeSeparators(folder.path())
                             + u"/own\\x1B[2J がこの利用者だけのものではなくなったため"_s;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^"_s + QRegularExpression::escape(said)));
        QTest::failOnWarning(QRegularExpression(u"起動の印を置いたフォルダー"_s));
        QTest::qWait(5000);  // two of the copy's looks at its socket
        QVERIFY(!QFileInfo::exists(socketPath));
    }
    // Listening again, before this launch holds up the running copy's thread.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath) || trouble == u"swapped"_s, 5000);
    const QString last = folder.filePath(QStringLiteral("b.vek"));
    QCOMPARE(handOverFromAnotherLaunch(lockPath, last, trouble == u"stalled"_s), taken);
    if (taken)
        QTRY_COMPARE_WITH_TIMEOUT(handed.size(), 1, 15000);
    else
        QVERIFY(!planted.waitForNewConnection(500));
    for (const auto &client : clients)
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QLocalSocket::UnconnectedState, 15000);
    // A launch that gave up is not followed later by its study.
    QTest::qWait(500);
    QCOMPARE(handed.size(), taken ? 1 : 0);
    if (taken)
        QCOMPARE(handed.front().front().toString(), last);
    if (trouble == u"swapped"_s) {
        QVERIFY(QDir(lockFolder).removeRecursively());
        QVERIFY(QDir().rename(lockFolder + u".moved"_s, lockFolder));
    }
#endif
}

void TestStartup::helpWindow_data()
{
    QTest::addColumn<QStringList>("steps");  // "#anchor": a link; "back": the button; "find:" text, Enter; keys
    QTest::addColumn<bool>("atTop");
    QTest::addColumn<bool>("back");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("match");  // the match selected, 1 for the first; 0: none
    const QString link = QStringLiteral("#tool");
    const QString find = QStringLiteral("find:レインの式");
    QTest::newRow("a link followed") << QStringList{link} << false << true << false << 0;
    QTest::newRow("Alt+Left") << QStringList{link, QStringLiteral("Alt+Left")} << true << false << true << 0;
    QTest::newRow("Alt+Right") << QStringList{link, QStringLiteral("Alt+Left"), QStringLiteral("Alt+Right")} << false
                               << true << false << 0;
    QTest::newRow("the back button") << QStringList{link, QStringLiteral("back")} << true << false << true << 0;
    QTest::newRow("Ctrl+F, a word, Enter") << QStringList{find} << false << false << false << 1;
    QTest::newRow("Enter again") << QStringList{find, QStringLiteral("Return")} << false << false << false << 2;
    QTest::newRow("past the only match, the same again")
        << QStringList{QStringLiteral("find:「見つかりません」"), QStringLiteral("Return")} << false << false << false << 1;
    QTest::newRow("no such word") << QStringList{QStringLiteral("find:見当たらない言葉")} << true << false << false << 0;
}

void TestStartup::helpWindow()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, atTop);
    QFETCH(bool, back);
    QFETCH(bool, forward);
    QFETCH(int, match);
    HelpWindow window;
    QVERIFY(window.open(qEnvironmentVariable("TALVEN_BIN_DIR") + QStringLiteral("/VEK.hlp")));
    window.resize(500, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QString word;
    for (const QString &step : steps) {
        if (step.startsWith(u'#')) {
            window.browser()->setSource(QUrl(step));
        } else if (step == QStringLiteral("back")) {
            window.backButton()->click();
        } else if (step.startsWith(QStringLiteral("find:"))) {
            word = step.mid(5);
            QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), window.findBox());
            window.findBox()->insert(word);
            QTest::keyClick(window.findBox(), Qt::Key_Return);
        } else {
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(step));
        }
    }
    QTRY_VERIFY((window.browser()->verticalScrollBar()->value() == 0) == atTop);
    QCOMPARE(window.backButton()->isEnabled(), back);
    QCOMPARE(window.forwardButton()->isEnabled(), forward);
    QTextCursor expected;
    for (int i = 0; i < match; ++i)
        expected = window.browser()->document()->find(word, expected);
    const QTextCursor shown = window.browser()->textCursor();
    QCOMPARE(shown.hasSelection(), match > 0);
    if (match > 0)
        QCOMPARE(shown.selectionStart(), expected.selectionStart());
    QCOMPARE(window.notFoundLabel()->isVisibleTo(&window), !word.isEmpty() && match == 0);
}

QTEST_MAIN(TestStartup)
// The question boxes answer with はい / いいえ, not Yes / No.
void TestStartup::toolkitButtonsInJapanese_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("yes") << int(QMessageBox::Yes) << QStringLiteral("はい");
    QTest::newRow("no") << int(QMessageBox::No) << QStringLiteral("いいえ");
    QTest::newRow("ok") << int(QMessageBox::Ok) << QStringLiteral("OK");
}

void TestStartup::toolkitButtonsInJapanese()
{
    QFETCH(int, button);
    QFETCH(QString, text);
    QVERIFY(installJapaneseToolkitTexts());
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
    const QString shown = box.button(QMessageBox::StandardButton(button))->text();
    QVERIFY2(shown.startsWith(text), qPrintable(shown));
}

#include "test_startup.moc"
