#pragma once

#include "study/soilclasses.h"

#include <QString>

namespace talven {

// The study file keeps formula, soil class and creep ratio in one number:
// formula (1 Bligh, 2 Lane) x 10000 + (class index + 1) x 100 + ratio.
double buildMethodCode(Formula formula, int listIndex, double creepRatio);

struct DecodedMethod {
    Formula formula = Formula::Lane;
    int listIndex = -1;
    QString ratioText;       // the remainder re-formatted "0" (Bligh) or "0.0" (Lane); "" when empty
    QString ratioRemainder;  // characters 4 onwards, as they stand
};

// Decodes the general-number text of a method code by character position:
// character 1 the formula, 2-3 the class number, the rest the ratio.
DecodedMethod decodeMethodCode(const QString &generalText);

// The ratio a study saved with the ranged class gets back: the user's own
// value as the code's remaining characters carry it, so 7.5 stays 7.5 where
// the "0" pattern of ratioText would make it 8.
QString restoredRatioText(const DecodedMethod &method);

}  // namespace talven
