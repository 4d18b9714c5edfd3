#include "check/residualhead.h"

#include "check/creepcheck.h"
#include "check/pilespacing.h"
#include "check/studycheck.h"
#include "study/boxtable.h"

#include <algorithm>
#include <cstdlib>

namespace talven {

namespace {

long long powerOfTen(int exponent)
{
    long long power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

}  // namespace

const HeadPoint *ResidualHead::tip(int row) const
{
    const auto found = std::find_if(points.begin(), points.end(), [row](const HeadPoint &point) {
        return point.place == HeadPoint::Place::Tip && point.row == row;
    });
    return found == points.end() ? nullptr : &*found;
}

std::optional<ResidualHead> residualHead(const Study &study)
{
    const SpacingCheck placement = checkSpacing(study);
    const Hundredths length = seepageLength(study.record);
    if (placement.placed.empty() || !placement.unplaced.empty()
        || std::any_of(placement.placed.begin(), placement.placed.end(), [length](const PileSpacing &pile) {
               return pile.station < 0 || pile.station > length;
           }))
        return std::nullopt;
    const std::vector<WaterLevelCase> cases = study.cases();
    const WaterLevelCase &governing = cases[std::size_t(governingCaseIndex(cases))];
    const Hundredths signedHead = headDifference(governing.outer, governing.inner);
    if (signedHead == 0)
        return std::nullopt;

    ResidualHead result;
    result.fromLand = signedHead < 0;
    const Hundredths head = std::abs(signedHead);
    result.headDifference = head;
    // Distances in hundredths of a metre, weighted by `weight` so that they
    // stay whole: crept = x + 3v under Lane (w = crept / 300 m), x + v under
    // Bligh (w = crept / 100 m), and W likewise as `total`.
    const long long weight = study.formula == Formula::Bligh ? 1 : 3;
    const PileTicks ticks = study.ticks(Section::Vertical);
    const Hundredths total = length + weight * sigmaL(pileLengths(study.record, Section::Vertical), ticks);
    result.weightedLength = decimalQuotient(total, 100 * weight, 3, &result.weightedLengthExact);
    // h in metres to `decimals` decimals, in units of the last: ⊿H (total - crept) / total.
    auto headAt = [&](long long crept, int decimals) {
        return roundedQuotient(powerOfTen(decimals) * head * (total - crept), 100 * total);
    };

    // The piles in the order the water meets them, at their distance from the end it enters.
    std::vector<PileSpacing> piles = placement.placed;
    if (result.fromLand) {
        std::reverse(piles.begin(), piles.end());
        for (PileSpacing &pile : piles)
            pile.station = length - pile.station;
    }
    const HeadPoint::Place entryFace = result.fromLand ? HeadPoint::Place::LandFaceTop : HeadPoint::Place::RiverFaceTop;
    const HeadPoint::Place exitFace = result.fromLand ? HeadPoint::Place::RiverFaceTop : HeadPoint::Place::LandFaceTop;
    Hundredths down = 0;
    auto pass = [&](HeadPoint::Place place, int row, Hundredths across) {
        const long long crept = across + weight * down;
        result.points.push_back({place, row, across, down,
                                 weight == 1 ? hundredthsText(crept) : fixedQuotient(crept, 100 * weight, 3),
                                 headAt(crept, 2)});
    };
    pass(result.fromLand ? HeadPoint::Place::LandEnd : HeadPoint::Place::RiverEnd, -1, 0);
    for (const PileSpacing &pile : piles) {
        // A pile counted twice takes the path down the face the water meets
        // first, round the tip and up the other face. One counted once (×1)
        // is in ΣL, and so in W, with one face only: the path goes down it to
        // the tip and on from there; the way back up is not part of the path,
        // so it has a top and a tip and no point back up, and as the last pile
        // it leaves no face for the water to rise by, so no exit gradient.
        const bool twice = ticks[std::size_t(pile.row)];
        pass(twice ? entryFace : HeadPoint::Place::Top, pile.row, pile.station);
        down += pile.length;
        pass(HeadPoint::Place::Tip, pile.row, pile.station);
        if (twice) {
            down += pile.length;
            pass(exitFace, pile.row, pile.station);
        }
    }
    pass(result.fromLand ? HeadPoint::Place::RiverEnd : HeadPoint::Place::LandEnd, -1, length);

    const PileSpacing &last = piles.back();
    if (ticks[std::size_t(last.row)]) {
        // The heads to three decimals, and more for a short face, so that
        // their rounding moves the gradient by no more than about 0.001.
        const int decimals = last.length < 10 ? 5 : last.length < 100 ? 4 : 3;
        const long long tipCrept = last.station + weight * (down - last.length);
        const long long tip = headAt(tipCrept, decimals);
        const long long top = headAt(tipCrept + weight * last.length, decimals);
        const long long unit = powerOfTen(decimals);
        result.exit = ExitGradient{last.row, last.length, decimalQuotient(tip, unit, decimals),
                                   decimalQuotient(top, unit, decimals),
                                   decimalQuotient(100 * (tip - top), unit * last.length, 3)};
    }
    return result;
}

QString headPointName(const StudyRecord &record, const HeadPoint &point)
{
    switch (point.place) {
    case HeadPoint::Place::RiverEnd:
        return QStringLiteral("川表端");
    case HeadPoint::Place::LandEnd:
        return QStringLiteral("川裏端");
    case HeadPoint::Place::Top:
        return verticalRowName(record, point.row) + QStringLiteral(" 上端");
    case HeadPoint::Place::RiverFaceTop:
        return verticalRowName(record, point.row) + QStringLiteral(" 上端（川表側）");
    case HeadPoint::Place::LandFaceTop:
        return verticalRowName(record, point.row) + QStringLiteral(" 上端（川裏側）");
    case HeadPoint::Place::Tip:
        break;
    }
    return verticalRowName(record, point.row) + QStringLiteral(" 先端");
}

}  // namespace talven
