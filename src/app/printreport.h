#pragma once

#include "report/drawreport.h"

class QWidget;

namespace talven {

// The page as the preview shows it and the printer prints it: the report,
// with the readiness message where the verdict lines cannot be computed
// (ΔH = 0, possible only once a preview is already open).
void drawReportPage(ReportSurface &surface, const ReportInput &input);

// The printer dialog, then the page on the chosen printer and the end of the
// document. Cancel, or a printer that cannot start a job, prints nothing and
// says nothing. With `restricted` the dialog offers neither print-to-file nor
// a page range nor the selection.
void printReport(QWidget *owner, const ReportInput &input, bool restricted);

}  // namespace talven
