#include "app/printreport.h"

#include "check/studycheck.h"
#include "dialogs/dialogservice.h"
#include "report/drawreport.h"
#include "report/paintersurface.h"

#include <QPainter>
#include <QPrinter>

namespace talven {

void drawReportPage(ReportSurface &surface, const StudyInput &input)
{
    if (!drawReport(surface, input, checkStudy(input)).complete)
        drawNotReadyNotice(surface, reportNotReadyMessage().prompt);
}

void printStudyReport(QWidget *owner, const StudyInput &input, bool restricted)
{
    // No paper size, orientation or scale of our own: the page is drawn from
    // the printable area's origin with whatever the dialog chose.
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogService().printerDialog(owner, printer, restricted))
        return;
    QPainter painter;
    // A printer that cannot start has no job to abort.
    if (!painter.begin(&printer)) {
        showMessage(printFailedMessage());
        return;
    }
    PainterSurface surface(painter, true);
    drawReportPage(surface, input);
    // Ending the document sends it, or finishes the PDF file.
    if (!painter.end())
        showMessage(printFailedMessage());
}

Message printFailedMessage()
{
    return {QStringLiteral("印刷を中止しました。\r\nプリンターと出力先のファイルを確かめてください。"),
            MessageIcon::Exclamation, QStringLiteral("タルヴェン・印刷エラー")};
}

}  // namespace talven
