#include "check/pilespacing.h"

#include "study/boxtable.h"

#include <QStringList>

#include <algorithm>

namespace talven {

std::optional<Hundredths> PileSpacing::cap() const
{
    if (!spacing)
        return std::nullopt;
    return *spacing / 2;
}

bool SpacingCheck::ok() const
{
    return std::all_of(placed.begin(), placed.end(), [](const PileSpacing &spacing) { return spacing.ok; });
}

const PileSpacing *SpacingCheck::row(int row) const
{
    const auto found = std::find_if(placed.begin(), placed.end(), [row](const PileSpacing &spacing) { return spacing.row == row; });
    return found == placed.end() ? nullptr : &*found;
}

SpacingCheck checkSpacing(const Study &study)
{
    SpacingCheck check;
    const PileLengths &lengths = pileLengths(study.record, Section::Vertical);
    for (int row = 0; row < PileCount; ++row) {
        const Hundredths length = hundredths(lengths[row]);
        if (length <= 0)
            continue;
        if (const std::optional<double> &station = study.stations[std::size_t(row)])
            check.placed.push_back({row, hundredths(*station), length, std::nullopt, true});
        else
            check.unplaced.push_back(row);
    }
    std::stable_sort(check.placed.begin(), check.placed.end(),
                     [](const PileSpacing &a, const PileSpacing &b) { return a.station < b.station; });
    for (std::size_t i = 0; i < check.placed.size(); ++i) {
        PileSpacing &spacing = check.placed[i];
        if (i > 0)
            spacing.spacing = spacing.station - check.placed[i - 1].station;
        if (i + 1 < check.placed.size())
            spacing.spacing = std::min(spacing.spacing.value_or(check.placed[i + 1].station - spacing.station),
                                       check.placed[i + 1].station - spacing.station);
        // d <= s / 2 in whole hundredths: 2d <= s.
        spacing.ok = !spacing.spacing || 2 * spacing.length <= *spacing.spacing;
    }
    return check;
}

QString spacingVerdict(const SpacingCheck &check, const StudyRecord &record)
{
    if (check.placed.empty())
        return spacingLine(check, record);
    QStringList failing;
    for (const PileSpacing &spacing : check.placed) {
        if (!spacing.ok)
            failing << spacingRowText(spacing, record).chopped(3);  // without its "ＮＧ"
    }
    QString verdict = QStringLiteral("矢板の間隔（d ≦ s/2）：")
                      + (failing.isEmpty() ? QStringLiteral("ＯＫ")
                                           : QStringLiteral("ＮＧ（%1）").arg(failing.join(QStringLiteral("、"))));
    QStringList unplaced;
    for (int row : check.unplaced)
        unplaced << verticalRowName(record, row);
    if (!unplaced.isEmpty())
        verdict += QStringLiteral("。%1は位置未入力").arg(unplaced.join(QStringLiteral("、")));
    return verdict;
}

QString verticalRowName(const StudyRecord &record, int row)
{
    const QString name = trimmedName(record.names[pileNameBox(Section::Vertical, row)]);
    return name.isEmpty() ? QStringLiteral("%1 行目").arg(row + 1) : name;
}

QString spacingRowText(const PileSpacing &spacing, const StudyRecord &record)
{
    const QString name = verticalRowName(record, spacing.row);
    if (!spacing.spacing)
        return name + QStringLiteral(" ほかに位置のある遮水工がないため照査なし");
    // s / 2 exactly, as the rule compares it: 7.505 for s = 15.01.
    const QString half = decimalQuotient(*spacing.spacing, 200, 3);
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(name, hundredthsText(spacing.length), spacing.ok ? QStringLiteral("≦") : QStringLiteral("＞"), half,
             spacing.ok ? QStringLiteral("ＯＫ") : QStringLiteral("ＮＧ"));
}

QString spacingLine(const SpacingCheck &check, const StudyRecord &record)
{
    QStringList rows;
    for (const PileSpacing &spacing : check.placed)
        rows << spacingRowText(spacing, record);
    QStringList unplaced;
    for (int row : check.unplaced)
        unplaced << verticalRowName(record, row);
    if (rows.isEmpty())
        return QStringLiteral("矢板の間隔：位置未入力のため間隔の照査なし");
    QString line = QStringLiteral("矢板の間隔（d ≦ s/2）：") + rows.join(QStringLiteral("、"));
    if (!unplaced.isEmpty())
        line += QStringLiteral("。") + unplaced.join(QStringLiteral("、")) + QStringLiteral("は位置未入力のため間隔の照査なし");
    return line;
}

}  // namespace talven
