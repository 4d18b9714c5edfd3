#pragma once

// The creep-ratio formulas over plain values. checkStudy (studycheck.h)
// puts them together into the one check every view shows.

#include "study/message.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"

#include <QString>

#include <array>
#include <optional>

namespace talven {

// L: the seepage length along the structure, the sum of the three member dimensions.
double seepageLength(const StudyRecord &record);

// ΔH = WL1 - WL2.
double headDifference(const StudyRecord &record);

// ΣL of one section: a ticked pile counts twice (down one face, up the other).
double sigmaL(const PileLengths &lengths, const PileTicks &doubled);

// L' = L under Bligh, L / 3 under Lane.
double reducedLength(Formula formula, double seepageLength);

// (L' + ΣL) / ΔH, or nothing when ΔH is 0.
std::optional<double> providedRatio(Formula formula, double seepageLength, double sigmaL,
                                    double headDifference);

// The required ratio as the screen shows it: Lane "##0.00"; Bligh "##" for a
// whole ratio and "##0.00" for a typed ratio with a fraction, so that 7.4 is
// neither shown nor compared as 7.
QString requiredRatioText(Formula formula, double creepRatio);

// The one verdict rule of the screen and the report: the provided ratio to two
// decimals against the required ratio as shown; equality passes.
bool ratioMeetsRequirement(const QString &providedShown, const QString &requiredShown);

// The largest head difference, in steps of 0.01 m, for which a section whose
// path L' + ΣL is `path` is ＯＫ against the required ratio as shown; 0 when
// not even 0.01 m is. Nothing without a creep ratio.
std::optional<double> allowableHead(double path, const QString &requiredShown);

// ΣL still needed: C x ΔH - L' as "0.00", or "0.00" when nothing is missing.
QString referenceSigmaLText(Formula formula, double creepRatio, double seepageLength,
                            double headDifference);

// Whether a study can be checked: ΔH above 0 and a creep ratio chosen. The
// first tab cannot be left, and no report made, otherwise.
enum class Readiness { Ready, HeadNotAboveZero, NoCreepRatio, NeitherHeadNorRatio };

Readiness readiness(double headDifference, double creepRatio);

// The message when leaving the first tab meets a problem; empty when ready.
Message firstTabProblemMessage(Readiness readiness);
// The message when a report is asked for before the study is ready.
Message reportNotReadyMessage();

}  // namespace talven
