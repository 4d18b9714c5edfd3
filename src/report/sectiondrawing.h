#pragma once

// The calculation sheet's drawing of the vertical section along the box's
// axis, to scale. Not for other libraries.

#include "check/studycheck.h"
#include "report/reportpage.h"
#include "study/study.h"

namespace talven {

// Draws it in the SectionDrawingHeight rows from `top`, heading included.
void drawSectionDrawing(Page &page, double top, const Study &input, const StudyCheck &check);

}  // namespace talven
