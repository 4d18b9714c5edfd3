#pragma once

// The calculation sheet (計算書): the pages after the report that show every
// step of the check with its numbers, for a checker to follow by hand, and a
// section drawn to scale. Everything on them is the document's. Not for
// other libraries.

#include "report/reportdocument.h"
#include "report/reportpage.h"

#include <vector>

namespace talven {

// The sheet's pages of a study that can be checked: the conditions, then the
// flowing pages, each block on the page it fits.
std::vector<DocumentPage> sheetPages(const Study &study, const StudyCheck &check);

void drawSheetPage(Page &page, const ReportDocument &document, const DocumentPage &sheetPage);

}  // namespace talven
