// Benchmarks of the main window: start-up to the main window shown, the
// resident memory with it open, and one keystroke in a number box (change,
// range check, store, the four totals).
#include "dialogs/dialogservice.h"
#include "app/titlewindow.h"
#include "mainwindowtesting.h"
#include "report/paintersurface.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QRegularExpression>

#include <cstdio>
#include <memory>

using namespace talven;

namespace {

// No benchmarked path asks anything; a dialog would be a fault, never a wait.
class NoDialogs final : public DialogService {
public:
    Answer showMessage(const Message &message) override
    {
        qFatal("unexpected message box: %s / %s", qPrintable(message.caption), qPrintable(message.prompt));
    }
    QString openFileName(QWidget *, const QString &, const QString &) override
    {
        qFatal("unexpected open dialog");
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        qFatal("unexpected save dialog");
    }
    bool printerDialog(QWidget *, QPrinter &, bool) override { qFatal("unexpected printer dialog"); }
};

// The process's resident set in kB, from the kernel; -1 where there is no /proc.
qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QRegularExpression line(QStringLiteral("^VmRSS:\\s+(\\d+)\\s+kB"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

}  // namespace

class BenchWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void startupToMainWindowShown();
    void keystrokeInNumberBox();

private:
    NoDialogs dialogs;
};

void BenchWindow::initTestCase()
{
    setDialogService(&dialogs);
    // Start-up as the program makes it: fonts, the title window's second,
    // then the first main window of the process, built, shown and painted.
    registerReportFonts();
    showSplash();
    QElapsedTimer clock;
    clock.start();
    MainWindow form;
    form.show();
    QCoreApplication::processEvents();
    const qint64 firstWindowNanoseconds = clock.nsecsElapsed();
    QVERIFY(showActive(form));
    QCoreApplication::processEvents();
    const qint64 resident = residentKilobytes();
    QVERIFY(resident > 0);
    // Read by scripts/run-bench.sh: one sample per process.
    std::printf("FIRST_WINDOW_MS %.3f\nRESIDENT_KB %lld\n", firstWindowNanoseconds / 1e6,
                static_cast<long long>(resident));
    std::fflush(stdout);
}

void BenchWindow::cleanupTestCase()
{
    setDialogService(nullptr);
}

void BenchWindow::startupToMainWindowShown()
{
    // Another main window per run, once the process is warm: built
    // (its empty study loaded), shown and painted. Its closing is not measured.
    std::unique_ptr<MainWindow> form;
    QBENCHMARK_ONCE {
        form = std::make_unique<MainWindow>();
        form->show();
        QCoreApplication::processEvents();
    }
    QVERIFY(form->isVisible());
    QCOMPARE(tabs(*form)->currentIndex(), 0);
}

void BenchWindow::keystrokeInNumberBox()
{
    MainWindow form;
    QVERIFY(showActive(form));
    // The worked example's tab-0 values, so that the vertical tab opens.
    typeInto(numberBox(form, OuterWaterLevelBox), QStringLiteral("3"));
    typeInto(numberBox(form, InnerWaterLevelBox), QStringLiteral("1"));
    clickListRow(soilClassList(form), 0);
    clickButton(button(form, "toVerticalButton"));
    QCOMPARE(tabs(form)->currentIndex(), 1);
    QLineEdit *box = numberBox(form, FirstVerticalPileBox);
    QCOMPARE(focusedWidget(), box);
    QTest::keyClick(box, Qt::Key_1);  // replaces the selected "0.00"

    // Each iteration is one keystroke: a digit into the empty box, or
    // Backspace taking it out again.
    QBENCHMARK {
        QTest::keyClick(box, box->text().isEmpty() ? Qt::Key_1 : Qt::Key_Backspace);
    }
    QVERIFY(box->text().isEmpty() || box->text() == QStringLiteral("1"));
    QCOMPARE(totalLabels(form)[2]->text(), box->text().isEmpty() ? QStringLiteral("0.00") : QStringLiteral("2.00"));
}

QTEST_MAIN(BenchWindow)
#include "bench_window.moc"
