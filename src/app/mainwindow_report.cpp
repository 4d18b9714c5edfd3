// The main window's preview and printing.
#include "app/mainwindow.h"

#include "app/previewwindow.h"
#include "app/printreport.h"
#include "app/reportsettings.h"
#include "dialogs/dialogservice.h"

#include <QDate>
#include <QFileInfo>

namespace talven {

// The menu's preview and print refuse a study that cannot be checked.
bool MainWindow::refuseReport()
{
    if (check().ready())
        return false;
    showMessage(reportNotReadyMessage());
    return true;
}

void MainWindow::printPreview()
{
    if (!refuseReport())
        showPreview(true);
}

// File > Print: the dialog offers the whole document on a printer and nothing else.
void MainWindow::printReport()
{
    if (!refuseReport())
        printStudyReport(this, reportPage(), proposedPdfPath(), true);
}

void MainWindow::showPreview(bool modal)
{
    PreviewWindow::open(this, [this] { return reportPage(); }, [this] { return proposedPdfPath(); }, modal);
}

ReportPage MainWindow::reportPage() const
{
    return {studyInput(), reportSettings_.pageOptions(studyPath_, QDate::currentDate())};
}

// The dialog leaves the window to look at; OK keeps what was set, the user's
// part for the next runs too.
void MainWindow::editReportSettings()
{
    auto *dialog = new ReportSettingsDialog(reportSettings_, studyPath_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        reportSettings_ = dialog->settings();
        reportSettings_.save();
    });
    dialog->open();
}

// The name File > Save proposes, with .pdf for its extension.
QString MainWindow::proposedPdfPath() const
{
    return proposedFolder() + u'/' + QFileInfo(proposedFileName()).completeBaseName() + QStringLiteral(".pdf");
}

}  // namespace talven
