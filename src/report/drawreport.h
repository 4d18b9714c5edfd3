#pragma once

// The report's own pages (reportdocument.h): page 1 with its four blocks,
// the page of the water-level cases, and what every page adds (title block,
// page 1's design figures, footer, readiness notice). Not for other
// libraries.

#include "report/reportdocument.h"
#include "report/reportpage.h"

namespace talven {

void drawFirstPage(Page &page, const ReportDocument &document);
void drawCasesPage(Page &page, const ReportDocument &document);
// Drawn last on page `pageIndex`, so that a page without them is drawn alike.
void drawPageAdditions(Page &page, const ReportDocument &document, int pageIndex);

}  // namespace talven
