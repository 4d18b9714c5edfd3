#pragma once

#include "report/reportdocument.h"
#include "study/message.h"

class QWidget;

namespace talven {

// The printer dialog, then the document's pages on the chosen printer and the
// end of the document. The dialog's PDF printer proposes `pdfPath` and writes the file
// as talven-report does (writeReportPdfFile). Cancel prints nothing and says
// nothing; a print that cannot start or finish (no printer, a PDF file that
// is not whole on the disk) shows printFailedMessage(). With `restricted` the
// dialog offers neither a page range nor the selection.
void printStudyReport(QWidget *owner, const ReportDocument &document, const QString &pdfPath, bool restricted);

// "印刷を中止しました。" / "タルヴェン・印刷エラー", exclamation.
Message printFailedMessage();

}  // namespace talven
