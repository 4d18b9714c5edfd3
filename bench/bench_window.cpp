// Benchmarks of the main window: start-up to the main window shown, the
// resident memory with it open, and one keystroke in a number box (change,
// range check, store, the four totals).
#include "app/dialogservice.h"
#include "app/formtitle.h"
#include "form4testing.h"
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
    int MsgBox(const QString &prompt, int, const QString &caption) override
    {
        qFatal("unexpected message box: %s / %s", qPrintable(caption), qPrintable(prompt));
    }
    QString OpenFileName(QWidget *, const QString &, const QString &) override
    {
        qFatal("unexpected open dialog");
    }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        qFatal("unexpected save dialog");
    }
    bool PrinterDialog(QWidget *, QPrinter &, bool) override { qFatal("unexpected printer dialog"); }
};

// The process's resident set in kB, from the kernel; -1 where there is no /proc.
qint64 ResidentKilobytes()
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
    SetDialogService(&dialogs);
    // Start-up as the program makes it: fonts, the title window's second,
    // then the first main window of the process, built, shown and painted.
    RegisterReportFonts();
    ShowSplash();
    QElapsedTimer clock;
    clock.start();
    Form4 form;
    form.show();
    QCoreApplication::processEvents();
    const qint64 firstWindowNanoseconds = clock.nsecsElapsed();
    QVERIFY(ShowActive(form));
    QCoreApplication::processEvents();
    const qint64 resident = ResidentKilobytes();
    QVERIFY(resident > 0);
    // Read by tools/run-bench.sh: one sample per process.
    std::printf("FIRST_WINDOW_MS %.3f\nRESIDENT_KB %lld\n", firstWindowNanoseconds / 1e6,
                static_cast<long long>(resident));
    std::fflush(stdout);
}

void BenchWindow::cleanupTestCase()
{
    SetDialogService(nullptr);
}

void BenchWindow::startupToMainWindowShown()
{
    // Another main window per run, once the process is warm: built
    // (Form_Load included), shown and painted. Its closing is not measured.
    std::unique_ptr<Form4> form;
    QBENCHMARK_ONCE {
        form = std::make_unique<Form4>();
        form->show();
        QCoreApplication::processEvents();
    }
    QVERIFY(form->isVisible());
    QCOMPARE(form->SSTab1()->currentIndex(), 0);
}

void BenchWindow::keystrokeInNumberBox()
{
    Form4 form;
    QVERIFY(ShowActive(form));
    // The worked example's tab-0 values, so that the vertical tab opens.
    TypeInto(form.Text1(WaterLevel1Box), QStringLiteral("3"));
    TypeInto(form.Text1(WaterLevel2Box), QStringLiteral("1"));
    ClickListRow(form.List1(), 0);
    ClickButton(form.Command3(0));
    QCOMPARE(form.SSTab1()->currentIndex(), 1);
    QLineEdit *box = form.Text1(FirstVerticalBox);
    QCOMPARE(FocusedWidget(), box);
    QTest::keyClick(box, Qt::Key_1);  // replaces the selected "0.00"

    // Each iteration is one keystroke: a digit into the empty box, or
    // Backspace taking it out again.
    QBENCHMARK {
        QTest::keyClick(box, box->text().isEmpty() ? Qt::Key_1 : Qt::Key_Backspace);
    }
    QVERIFY(box->text().isEmpty() || box->text() == QStringLiteral("1"));
    QCOMPARE(form.Label2(2)->text(), box->text().isEmpty() ? QStringLiteral("0.00") : QStringLiteral("2.00"));
}

QTEST_MAIN(BenchWindow)
#include "bench_window.moc"
