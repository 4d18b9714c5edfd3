#include "app/mainwindow.h"

#include "app/previewwindow.h"

namespace talven {

ReportInput MainWindow::currentReportInput() const
{
    ReportInput input;
    input.record = currentStudy();
    input.formula = selectedFormula();
    input.listIndex = listIndex();
    input.verticalTicks = ticks(Section::Vertical);
    input.horizontalTicks = ticks(Section::Horizontal);
    return input;
}

void MainWindow::showPreview(bool modal)
{
    PreviewWindow::open(this, [this] { return currentReportInput(); }, modal);
}

}  // namespace talven
