#include "app/printreport.h"

#include "dialogs/dialogservice.h"
#include "report/paintersurface.h"

#include <QPainter>
#include <QPrinter>

namespace talven {

void drawReportPage(ReportSurface &surface, const ReportInput &input)
{
    if (!drawReport(surface, input).complete)
        drawNotReadyNotice(surface);
}

void printReport(QWidget *owner, const ReportInput &input, bool restricted)
{
    // No paper size, orientation or scale of our own: the page is drawn from
    // the printable area's origin with whatever the dialog chose.
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogService().printerDialog(owner, printer, restricted))
        return;
    QPainter painter;
    // A printer that cannot start has no job to abort.
    if (!painter.begin(&printer))
        return;
    PainterSurface surface(painter, true);
    drawReportPage(surface, input);
    // Ending the document sends it. When that fails nothing has gone out, and
    // a print command says nothing about its failures.
    painter.end();
}

}  // namespace talven
