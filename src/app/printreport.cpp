#include "app/printreport.h"

#include "dialogs/dialogservice.h"
#include "report/paintersurface.h"
#include "report/pdffile.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace talven {

namespace {

// No paper size, orientation or scale of our own: the page is drawn from the
// printable area's origin with whatever the dialog chose, or within the
// margins, measured from the paper's edges.
bool printOnPrinter(QPrinter &printer, const ReportDocument &document)
{
    QPainter painter;
    // A printer that cannot start has no job to abort.
    if (!painter.begin(&printer))
        return false;
    const QPageLayout layout = printer.pageLayout();
    const int resolution = printer.resolution();
    PainterSurface surface(painter, true,
                           QRectF(layout.fullRectPixels(resolution).translated(-layout.paintRectPixels(resolution).topLeft())));
    bool started = true;
    for (int index = 0; index < document.pageCount(); ++index) {
        if (index > 0)
            started = printer.newPage() && started;
        // A page 1 without verdict lines (ΔH = 0, possible only once a
        // preview is open) is printed with the readiness notice in their place.
        drawReportPage(surface, document, index);
    }
    // Ending the document sends it.
    return painter.end() && started;
}

// The PDF printer's file, with the page the printer would have had. Its own
// engine would report success for a file a full disk cut short.
bool writePdf(const QPrinter &printer, const ReportDocument &document)
{
    return writeReportPdfFile(printer.outputFileName(), printer.pageLayout(), printer.resolution(),
                              document.titleBlock().structure, document.pageCount(),
                              [&document](ReportSurface &surface, int index) {
                                  drawReportPage(surface, document, index);
                                  return true;
                              });
}

}  // namespace

void printStudyReport(QWidget *owner, const ReportDocument &document, const QString &pdfPath, bool restricted)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(reportTitle(document.titleBlock().structure));
    // The file the PDF printer proposes; a printer, where there is one, stays
    // the first choice.
    printer.setOutputFileName(pdfPath);
    printer.setOutputFormat(QPrinter::NativeFormat);
    if (!dialogService().printerDialog(owner, printer, restricted))
        return;
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    if (!(pdf ? writePdf(printer, document) : printOnPrinter(printer, document)))
        showMessage(printFailedMessage());
}

Message printFailedMessage()
{
    return {QStringLiteral("印刷を中止しました。\r\nプリンターと出力先のファイルを確かめてください。"),
            MessageIcon::Exclamation, QStringLiteral("タルヴェン・印刷エラー")};
}

}  // namespace talven
