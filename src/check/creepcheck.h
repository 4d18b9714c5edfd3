#pragma once

#include "study/fieldrules.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"

#include <QString>

#include <array>
#include <optional>

namespace talven {

// The two checks of a study: across the vertical and the horizontal section.
enum class Section { Vertical, Horizontal };

using PileLengths = std::array<double, PileCount>;
using PileTicks = std::array<bool, PileCount>;

// L: the seepage length along the structure, the sum of the three member dimensions.
double seepageLength(const std::array<double, BaseValueCount> &baseValues);

// ΔH = WL1 - WL2.
double headDifference(const std::array<double, BaseValueCount> &baseValues);

// ΣL of one section: a ticked pile counts twice (down one face, up the other).
double sigmaL(const PileLengths &lengths, const PileTicks &doubled);

// The stored pile lengths of one section.
const PileLengths &pileLengths(const StudyRecord &record, Section section);

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

// L', ΣL and ΔH of one section as its result line shows them.
struct SectionQuantities {
    QString reducedLength;   // L' "###0.00"
    QString sigmaL;          // ΣL "##0.00"
    QString headDifference;  // ΔH "##0.00"
};

SectionQuantities sectionQuantities(Formula formula, double seepageLength, double sigmaL,
                                    double headDifference);

// The texts of one section's result line.
struct SectionResult {
    QString numerator;    // L' "###0.00" + "＋" + ΣL "##0.00"
    QString denominator;  // ΔH "##0.00"
    QString provided;     // R "##0.00"
    QString required;     // Q, see RequiredRatioText
    bool ok = false;
};

// The check of one section; nothing when ΔH is 0 (the ratio cannot be formed).
std::optional<SectionResult> checkSection(Formula formula, double seepageLength, double sigmaL,
                                          double headDifference, double creepRatio);

// ΣL still needed: C x ΔH - L' as "0.00", or "0.00" when nothing is missing.
QString referenceSigmaLText(Formula formula, double creepRatio, double seepageLength,
                            double headDifference);

// True when no report can be made: ΔH not above 0, or no creep ratio.
bool reportNotReady(const StudyRecord &record);
Message reportNotReadyMessage();

// The check made when the user leaves the first tab: 0 fine, +1 ΔH <= 0,
// +2 no creep ratio; and the message for a non-zero code.
int firstTabProblem(double headDifference, double creepRatio);
Message firstTabProblemMessage(int problem);

}  // namespace talven
