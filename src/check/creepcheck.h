#pragma once

// The creep-ratio formulas over plain values. checkStudy (studycheck.h)
// puts them together into the one check every view shows.

#include "study/message.h"
#include "study/numbers.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"

#include <QString>

#include <array>
#include <optional>

namespace talven {

// Every length and level a check reads counts as its box shows it once left:
// rounded half away from zero to 0.01 (hundredths()). The window rounds each
// value so when a box is left and every opened file passes through that
// refresh; a value with more decimals (typed into a box not yet left) counts
// as it will show. From there the check works in whole hundredths, so that a
// ratio is exact and rounds as a hand calculation does: (5.49 + 6.50) / 2.00
// = 5.995 is 6.00.

// ΔH = WL1 - WL2.
Hundredths headDifference(double outerLevel, double innerLevel);

// ΣL of one section: a ticked pile counts twice (down one face, up the other).
Hundredths sigmaL(const PileLengths &lengths, const PileTicks &doubled);

// L' = L under Bligh, L / 3 under Lane, to two decimals.
Hundredths reducedLength(Formula formula, Hundredths seepageLength);

// The provided ratio R = (L' + ΣL) / ΔH to two decimals, rounded half away
// from zero: Bligh (L + ΣL) / ΔH, Lane (L + 3ΣL) / 3ΔH, L' never rounded
// first. Nothing when ΔH is 0.
std::optional<Hundredths> providedRatio(Formula formula, Hundredths seepageLength, Hundredths sigmaL,
                                        Hundredths headDifference);

// The required ratio as the screen shows it: Lane "##0.00"; Bligh "##" for a
// whole ratio and "##0.00" for a typed ratio with a fraction, so that 7.4 is
// neither shown nor compared as 7. Its number is hundredths(creepRatio).
QString requiredRatioText(Formula formula, double creepRatio);

// The one verdict rule of the screen and the report: the provided ratio to two
// decimals against the required ratio as shown; equality passes.
bool ratioMeetsRequirement(Hundredths provided, Hundredths required);

// The largest head difference, in steps of 0.01 m, for which a section is ＯＫ
// by the verdict rule against the required ratio; 0 when not even 0.01 m is.
// Nothing without a creep ratio.
std::optional<Hundredths> allowableHead(Formula formula, Hundredths seepageLength, Hundredths sigmaL,
                                        Hundredths required);

// The required ΣL: the least ΣL, in whole hundredths, whose ratio rounded to
// two decimals meets C, as the verdict rounds it. A ratio rounds to C or
// more from C - 0.005 on, so it is (C - 0.005) x ΔH - L' rounded up to 0.01
// m, and 0 when that is below 0; the head difference is taken as it is,
// above 0. ΣL at least this is ＯＫ, less is ＮＧ.
Hundredths referenceSigmaL(Formula formula, Hundredths required, Hundredths seepageLength,
                           Hundredths headDifference);

// (C - 0.005) x ΔH - L' in metres, exactly: numerator / denominator. The
// calculation sheet prints it before it is rounded up.
struct ExactQuotient {
    long long numerator = 0;
    long long denominator = 1;
};
ExactQuotient requiredSigmaLExact(Formula formula, Hundredths required, Hundredths seepageLength,
                                  Hundredths headDifference);

// Whether a study can be checked: ΔH above 0 and a creep ratio chosen. The
// first tab cannot be left, and no report made, otherwise.
enum class Readiness { Ready, HeadNotAboveZero, NoCreepRatio, NeitherHeadNorRatio };

Readiness readiness(Hundredths headDifference, double creepRatio);

// The message when leaving the first tab meets a problem; empty when ready.
Message firstTabProblemMessage(Readiness readiness);
// The message when a report is asked for before the study is ready.
Message reportNotReadyMessage();

}  // namespace talven
