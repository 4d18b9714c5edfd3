// The main window's preview and printing.
#include "app/mainwindow.h"

#include "app/previewwindow.h"
#include "app/printreport.h"
#include "dialogs/dialogservice.h"

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
        printStudyReport(this, studyInput(), proposedPdfPath(), true);
}

void MainWindow::showPreview(bool modal)
{
    PreviewWindow::open(this, [this] { return studyInput(); }, [this] { return proposedPdfPath(); }, modal);
}

// The name File > Save proposes, with .pdf for its extension.
QString MainWindow::proposedPdfPath() const
{
    return proposedFolder() + u'/' + QFileInfo(proposedFileName()).completeBaseName() + QStringLiteral(".pdf");
}

}  // namespace talven
