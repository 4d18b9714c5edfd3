#include "check/designreview.h"

#include "study/boxtable.h"
#include "study/numbers.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace talven {

namespace {

const QString NotGivenText = QStringLiteral("—");

// A standard's least measure, 1.0 m, in hundredths.
constexpr Hundredths LeastWallMeasure = 100;

QString metres(Hundredths value)
{
    return hundredthsText(value) + QStringLiteral(" m");
}

QString metresOrNone(const std::optional<double> &value)
{
    return value ? metres(hundredths(*value)) : NotGivenText;
}

// The rows of a section with a pile, in row order.
std::vector<int> drivenRows(const StudyRecord &record, Section section)
{
    std::vector<int> rows;
    const PileLengths &lengths = pileLengths(record, section);
    for (int row = 0; row < PileCount; ++row) {
        if (hundredths(lengths[row]) > 0)
            rows.push_back(row);
    }
    return rows;
}

// The lines are counted from the tab's first row, the 川表 one, as the
// proposal lengthens them from there.
ReviewRow verticalLines(const StudyRecord &record)
{
    const std::vector<int> rows = drivenRows(record, Section::Vertical);
    const bool fromRiverSide = !rows.empty() && rows.front() == 0;
    QString planned = QStringLiteral("%1ヶ所").arg(rows.size());
    if (!rows.empty())
        planned += fromRiverSide ? QStringLiteral("（%1から）").arg(verticalRowName(record, 0)) : QStringLiteral("（1 行目なし）");
    return {QStringLiteral("鉛直方向　設置個所"), QStringLiteral("川表から優先して2ヶ所以上"), planned,
            rows.size() >= 2 && fromRiverSide ? ReviewVerdict::Meets : ReviewVerdict::Fails};
}

ReviewVerdict laneOrReference(Formula formula)
{
    return formula == Formula::Lane ? ReviewVerdict::Meets : ReviewVerdict::DiffersForReference;
}

// The governing case's ratio against C, named where there are several cases.
ReviewRow creepRatio(const StudyCheck &check, Section section)
{
    ReviewRow row{sectionName(section) + QStringLiteral("　クリープ比"),
                  QStringLiteral("Ｃ ＝ %1 以上").arg(check.requiredPrinted), NotGivenText, ReviewVerdict::NotGiven};
    if (const std::optional<SectionVerdict> &verdict = check.section(section).verdict) {
        row.planned = QStringLiteral("Ｃ′＝ ") + verdict->provided;
        if (check.cases.size() > 1)
            row.planned += QStringLiteral("（%1）").arg(check.governingCase().shownName(check.governing));
        row.verdict = verdict->ok ? ReviewVerdict::Meets : ReviewVerdict::Fails;
    }
    return row;
}

ReviewRow pileType(const CutOffDetails &details)
{
    ReviewRow row{QStringLiteral("鉛直方向　型式"), QStringLiteral("U型以上"), NotGivenText, ReviewVerdict::NotGiven};
    if (!details.pileType.isEmpty()) {
        row.planned = details.pileType;
        row.verdict = namesUShapedPile(details.pileType) ? ReviewVerdict::Meets : ReviewVerdict::DiffersForReference;
    }
    return row;
}

// Either measure under 1.0 m fails; both are needed to pass.
ReviewRow cutOffWall(const CutOffDetails &details)
{
    ReviewRow row{QStringLiteral("しゃ水壁　高さ・幅"), QStringLiteral("1.0m以上"), NotGivenText, ReviewVerdict::NotGiven};
    const std::optional<double> &height = details.wallHeight, &width = details.wallWidth;
    if (!height && !width)
        return row;
    row.planned = QStringLiteral("高さ %1・幅 %2").arg(metresOrNone(height), metresOrNone(width));
    const auto below = [](const std::optional<double> &measure) { return measure && hundredths(*measure) < LeastWallMeasure; };
    if (below(height) || below(width))
        row.verdict = ReviewVerdict::Fails;
    else if (height && width)
        row.verdict = ReviewVerdict::Meets;
    return row;
}

// Each horizontal pile reaches at least the excavation's width beside the
// structure; where it does, the method decides as for the vertical length.
ReviewRow horizontalReach(const Study &study)
{
    ReviewRow row{QStringLiteral("水平方向の範囲"), QStringLiteral("掘削幅及びLaneの方法"), QString(), ReviewVerdict::NotGiven};
    const std::vector<int> rows = drivenRows(study.record, Section::Horizontal);
    const PileLengths &lengths = pileLengths(study.record, Section::Horizontal);
    const std::optional<double> &excavation = study.cutOff.excavationWidth;
    std::optional<Hundredths> shortest;
    for (int pile : rows)
        shortest = std::min(shortest.value_or(hundredths(lengths[pile])), hundredths(lengths[pile]));
    if (!excavation) {
        row.planned = (shortest ? QStringLiteral("最短 ") + metres(*shortest) : QStringLiteral("矢板なし"))
                      + QStringLiteral("、掘削幅 ") + NotGivenText;
        return row;
    }
    const Hundredths width = hundredths(*excavation);
    const bool reaches = shortest && *shortest >= width;
    row.planned = shortest ? QStringLiteral("最短 %1 %2 掘削幅 %3")
                                 .arg(metres(*shortest), reaches ? QStringLiteral("≧") : QStringLiteral("＜"), metres(width))
                           : QStringLiteral("矢板なし、掘削幅 ") + metres(width);
    row.verdict = reaches ? laneOrReference(study.formula) : ReviewVerdict::Fails;
    return row;
}

}  // namespace

QString reviewVerdictText(ReviewVerdict verdict)
{
    switch (verdict) {
    case ReviewVerdict::Meets:
        return QStringLiteral("○");
    case ReviewVerdict::Fails:
        return QStringLiteral("×");
    case ReviewVerdict::DiffersForReference:
        return QStringLiteral("基準値と異なる（参考）");
    case ReviewVerdict::NotGiven:
        break;
    }
    return NotGivenText;
}

std::vector<ReviewRow> designReviewRows(const Study &study, const StudyCheck &check)
{
    return {verticalLines(study.record),
            {QStringLiteral("鉛直方向　長さの決定"), QStringLiteral("Laneの方法"), formulaName(study.formula),
             laneOrReference(study.formula)},
            creepRatio(check, Section::Vertical),
            pileType(study.cutOff),
            cutOffWall(study.cutOff),
            horizontalReach(study),
            creepRatio(check, Section::Horizontal)};
}

bool namesUShapedPile(const QString &type)
{
    // Compatibility forms first: "Ⅲ" is "III", "ＳＰ－" is "SP-".
    const QString name = type.normalized(QString::NormalizationForm_KC).toUpper();
    static const QRegularExpression uShaped(QStringLiteral(
        "U\\s*[型形]"
        "|SP-?\\s*(III|II|IV|VIL|VL|[234]|[56]L)W?(?![A-Z0-9])"
        "|(?<![A-Z0-9])(III|II|IV|VIL|VL)W?\\s*[型形]"));
    return !name.contains(QStringLiteral("軽量")) && name.contains(uShaped);
}

}  // namespace talven
