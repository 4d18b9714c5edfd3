#pragma once

#include "study/studyinput.h"

// The worked example of the help and README (docs/example.vek): Lane, class
// 極めて細かい砂またはシルト (C' 8.5), dimensions 3, 2 and 1 (L 6), WL 3 and 1
// (ΔH 2), vertical piles 3 and 1.5 (ΣL 9), horizontal piles 2.5 and 2.5
// (ΣL 10), every pile counted twice.
inline talven::StudyInput workedExample()
{
    talven::StudyInput input;
    input.listIndex = 0;
    input.record.baseValues = {3, 2, 1, 3, 1};
    input.record.creepRatio = 8.5;
    input.record.verticalLengths = {3.0, 1.5};
    input.record.horizontalLengths = {2.5, 2.5};
    input.verticalTicks.fill(true);
    input.horizontalTicks.fill(true);
    return input;
}
