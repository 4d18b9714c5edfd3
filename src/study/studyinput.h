#pragma once

#include "study/soilclasses.h"
#include "study/studyrecord.h"

namespace talven {

// A study as it is checked and printed: the record, and the choices the main
// window holds in its controls (formula, soil list, the x2 tick boxes). The
// record's creep ratio is what the ratio box stores on every change of its text.
struct StudyInput {
    StudyRecord record;
    Formula formula = Formula::Lane;
    int listIndex = -1;  // the soil list's selection; -1 for none
    PileTicks verticalTicks{};
    PileTicks horizontalTicks{};

    const PileTicks &ticks(Section section) const
    {
        return section == Section::Vertical ? verticalTicks : horizontalTicks;
    }
};

}  // namespace talven
