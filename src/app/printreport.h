#pragma once

#include "report/drawreport.h"
#include "report/reportsurface.h"
#include "study/message.h"
#include "study/study.h"

class QWidget;

namespace talven {

// What a printed page shows: the study, and the page's options (帳票の設定).
struct ReportPage {
    Study input;
    ReportOptions options;
};

// The report's pages, as the preview shows them and the printer prints them.
int reportPageCount(const ReportPage &page);
// Page `index` (from 0): the report of the study and its check, with the
// readiness message where the verdict lines cannot be computed (ΔH = 0,
// possible only once a preview is already open).
void drawReportPage(ReportSurface &surface, const ReportPage &page, int index = 0);

// The printer dialog, then the page on the chosen printer and the end of the
// document. The dialog's PDF printer proposes `pdfPath` and writes the file
// as talven-report does (writeReportPdfFile). Cancel prints nothing and says
// nothing; a print that cannot start or finish (no printer, a PDF file that
// is not whole on the disk) shows printFailedMessage(). With `restricted` the
// dialog offers neither a page range nor the selection.
void printStudyReport(QWidget *owner, const ReportPage &page, const QString &pdfPath, bool restricted);

// "印刷を中止しました。" / "タルヴェン・印刷エラー", exclamation.
Message printFailedMessage();

}  // namespace talven
