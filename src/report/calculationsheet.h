#pragma once

// The calculation sheet (計算書): the pages after the report that show every
// step of the check with its numbers, for a checker to follow by hand, and a
// section drawn to scale. Everything on them is the study's computed check;
// drawreport.cpp puts them after the report's own pages.

#include "check/studycheck.h"
#include "report/reportpage.h"
#include "study/study.h"

namespace talven {

// How many pages the sheet of a study that can be checked takes.
int sheetPageCount(const StudyCheck &check);

// Draws page `sheetPage` (from 0) of the sheet.
void drawSheetPage(Page &page, const Study &input, const StudyCheck &check, int sheetPage);

}  // namespace talven
