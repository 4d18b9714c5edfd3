#include "check/designaid.h"

#include "study/boxtable.h"
#include "study/numbers.h"

#include <QStringList>

#include <algorithm>

namespace talven {

namespace {

// Lengths are worked in whole centimetres, each as the check takes it, so
// that added steps stay exact.
double metres(Hundredths centimetres)
{
    return double(centimetres) / 100.0;
}

// The driven lengths a proposal of `steps` steps gives; `room` is how many
// steps each row may still take.
PileLengths lengthsAt(const PileLengths &now, const std::vector<int> &rows, const std::vector<long long> &room,
                      ProposalWay way, int step, long long steps)
{
    PileLengths lengths = now;
    auto add = [&](int row, long long count) { lengths[row] = metres(hundredths(now[row]) + count * step); };
    switch (way) {
    case ProposalWay::InOrder:
        for (std::size_t i = 0; i < rows.size() && steps > 0; ++i) {
            const long long taken = std::min(steps, room[i]);
            add(rows[i], taken);
            steps -= taken;
        }
        break;
    case ProposalWay::AllAlike:
        for (int row : rows)
            add(row, steps);
        break;
    case ProposalWay::OneRow:
        add(rows.front(), steps);
        break;
    }
    return lengths;
}

}  // namespace

ProposalWay defaultProposalWay(Section section)
{
    return section == Section::Vertical ? ProposalWay::InOrder : ProposalWay::AllAlike;
}

std::vector<int> rowsInUse(const StudyRecord &record, Section section)
{
    std::vector<int> rows;
    for (int row = 0; row < PileCount; ++row) {
        if (pileLengths(record, section)[row] != 0.0 || !trimmedName(record.names[pileNameBox(section, row)]).isEmpty())
            rows.push_back(row);
    }
    if (rows.empty())
        rows.push_back(0);
    return rows;
}

PileProposal proposePileLengths(const Study &study, Section section, const ProposalOptions &options)
{
    PileProposal proposal;
    const PileLengths &now = pileLengths(study.record, section);
    proposal.lengths = now;
    proposal.check = checkStudy(study);
    const std::optional<SectionVerdict> &verdict = proposal.check.section(section).verdict;
    if (!proposal.check.ready() || (verdict && verdict->ok))
        return proposal;

    const std::vector<int> rows =
        options.way == ProposalWay::OneRow ? std::vector<int>{options.row} : rowsInUse(study.record, section);
    const Hundredths longest = hundredths(std::min(options.longestPile, pileGroup(section).maximum));
    const int step = options.stepCentimetres;
    // Each row's limit: the longest pile, and on a placed vertical row half
    // the spacing of its line.
    std::vector<Hundredths> limits;
    for (int row : rows) {
        const PileSpacing *spacing = section == Section::Vertical ? proposal.check.spacing.row(row) : nullptr;
        const std::optional<Hundredths> cap = spacing ? spacing->cap() : std::nullopt;
        limits.push_back(cap ? std::min(longest, *cap) : longest);
        proposal.spacingLimited = proposal.spacingLimited || (cap && *cap < longest);
        proposal.spacingUnchecked = proposal.spacingUnchecked || (section == Section::Vertical && !cap);
    }
    std::vector<long long> room;
    for (std::size_t i = 0; i < rows.size(); ++i)
        room.push_back(std::max<long long>(0, (limits[i] - hundredths(now[rows[i]])) / step));
    long long most = 0;
    switch (options.way) {
    case ProposalWay::InOrder:
        for (long long r : room)
            most += r;
        break;
    case ProposalWay::AllAlike:
        most = *std::min_element(room.begin(), room.end());
        break;
    case ProposalWay::OneRow:
        most = room.front();
        break;
    }

    Study trial = study;
    PileLengths &lengths = section == Section::Vertical ? trial.record.verticalLengths : trial.record.horizontalLengths;
    auto checkAt = [&](long long steps) {
        lengths = lengthsAt(now, rows, room, options.way, step, steps);
        return checkStudy(trial);
    };
    auto holds = [&](const StudyCheck &check) {
        const std::optional<SectionVerdict> &v = check.section(section).verdict;
        return v && v->ok;
    };

    // More path never turns ＯＫ into ＮＧ, so the smallest number of steps
    // is found by halving.
    const StudyCheck longestCheck = checkAt(most);
    if (!holds(longestCheck)) {
        // What is still missing with the piles at their limits themselves,
        // not at the last whole step below; alike, each gains what the
        // shortest room allows.
        std::vector<Hundredths> gaps;
        for (std::size_t i = 0; i < rows.size(); ++i)
            gaps.push_back(std::max<Hundredths>(0, limits[i] - hundredths(now[rows[i]])));
        const Hundredths alike = *std::min_element(gaps.begin(), gaps.end());
        for (std::size_t i = 0; i < rows.size(); ++i)
            lengths[rows[i]] = metres(hundredths(now[rows[i]]) + (options.way == ProposalWay::AllAlike ? alike : gaps[i]));
        proposal.outcome = ProposalOutcome::OutOfReach;
        proposal.lengths = lengths;
        proposal.check = checkStudy(trial);
        proposal.missing = std::max(0.0, -proposal.check.section(section).margin);
    } else {
        long long low = 0, high = most;  // ＮＧ at low, ＯＫ at high
        while (high - low > 1) {
            const long long middle = low + (high - low) / 2;
            (holds(checkAt(middle)) ? high : low) = middle;
        }
        proposal.outcome = ProposalOutcome::Proposed;
        proposal.check = checkAt(high);
        proposal.lengths = lengths;
    }
    long long added = 0;
    for (int row = 0; row < PileCount; ++row)
        added += hundredths(proposal.lengths[row]) - hundredths(now[row]);
    proposal.added = metres(added);
    return proposal;
}

std::optional<ExtraLine> extraLine(const Study &study, double longestPile)
{
    const SpacingCheck spacing = checkSpacing(study);
    if (spacing.placed.size() < 2)
        return std::nullopt;
    std::size_t widest = 0;
    for (std::size_t i = 1; i + 1 < spacing.placed.size(); ++i) {
        if (spacing.placed[i + 1].station - spacing.placed[i].station
            > spacing.placed[widest + 1].station - spacing.placed[widest].station)
            widest = i;
    }
    // The lines by station, each counted twice or once; the new one twice.
    const PileTicks ticks = study.ticks(Section::Vertical);
    ExtraLine extra;
    extra.station = (spacing.placed[widest].station + spacing.placed[widest + 1].station) / 2;
    std::vector<std::pair<Hundredths, bool>> lines{{extra.station, true}};
    for (const PileSpacing &placed : spacing.placed)
        lines.push_back({placed.station, ticks[placed.row]});
    std::sort(lines.begin(), lines.end());
    const Hundredths longest = hundredths(std::min(longestPile, pileGroup(Section::Vertical).maximum));
    extra.spacing = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Hundredths before = i > 0 ? lines[i].first - lines[i - 1].first : -1;
        const Hundredths after = i + 1 < lines.size() ? lines[i + 1].first - lines[i].first : -1;
        const Hundredths near = before < 0 ? after : after < 0 ? before : std::min(before, after);
        extra.spacing = extra.spacing < 0 ? near : std::min(extra.spacing, near);
        extra.mostSigmaL += (lines[i].second ? 2 : 1) * std::min(longest, near / 2);
    }
    // The rows without a station keep the longest.
    for (int row : spacing.unplaced)
        extra.mostSigmaL += (ticks[row] ? 2 : 1) * longest;
    extra.cap = extra.spacing / 2;
    return extra;
}

QStringList proposalLines(const Study &study, Section section)
{
    ProposalOptions options;
    options.way = defaultProposalWay(section);
    const PileProposal proposal = proposePileLengths(study, section, options);
    const PileLengths &now = pileLengths(study.record, section);
    switch (proposal.outcome) {
    case ProposalOutcome::AlreadyOk:
        return {};
    case ProposalOutcome::OutOfReach:
        if (proposal.spacingLimited)
            return spacingLimitedLines(study, proposal);
        return {QStringLiteral("矢板を最長 %1 m にしても ΣL が %2 m 足りません")
                    .arg(twoDecimals(std::min(options.longestPile, pileGroup(section).maximum)), twoDecimals(proposal.missing))};
    case ProposalOutcome::Proposed:
        break;
    }
    const SectionCheck &result = proposal.check.section(section);
    QStringList changes;
    for (int row = 0; row < PileCount; ++row) {
        if (hundredths(proposal.lengths[row]) == hundredths(now[row]))
            continue;
        const QString name = trimmedName(study.record.names[pileNameBox(section, row)]);
        changes << QStringLiteral("%1 %2 m → %3 m")
                       .arg(name.isEmpty() ? QStringLiteral("%1 行目").arg(row + 1) : name, twoDecimals(now[row]),
                            twoDecimals(proposal.lengths[row]));
    }
    // The result with it, for a checker to see without working it out again.
    QStringList lines{changes.join(QStringLiteral("、"))
                      + QStringLiteral("：ΣL ＝ %1 m、Ｃ′＝ %2 %3 %4 で ＯＫ")
                            .arg(result.sigmaLText, result.verdict->provided, result.verdict->relation(),
                                 proposal.check.requiredPrinted)};
    if (proposal.spacingUnchecked)
        lines << uncheckedSpacingNote();
    return lines;
}

QString uncheckedSpacingNote()
{
    return QStringLiteral("矢板長は設置間隔の1/2以下であることを別途確認してください");
}

QStringList spacingLimitedLines(const Study &study, const PileProposal &proposal)
{
    const SectionCheck &best = proposal.check.section(Section::Vertical);
    QStringList lines{QStringLiteral("間隔の1/2までの延長では不足します（上限まで延ばして ΣL ＝ %1 m、Ｃ′＝ %2 %3 %4、不足 %5 m）。"
                                  "函体の長さか遮水工の配置を見直してください")
                       .arg(best.sigmaLText, best.verdict ? best.verdict->provided : QString(),
                            best.verdict ? best.verdict->relation() : QString(), proposal.check.requiredPrinted,
                            twoDecimals(proposal.missing))};
    // Another line between two others only lowers every limit.
    if (const std::optional<ExtraLine> extra = extraLine(study))
        lines << QStringLiteral("なお、%1 m に遮水工を加えると、間隔 %2 m、上限 %3 m となり、ΣL は最大 %4 m です")
                     .arg(hundredthsText(extra->station), hundredthsText(extra->spacing), decimalQuotient(extra->spacing, 200, 3),
                          hundredthsText(extra->mostSigmaL));
    return lines;
}

}  // namespace talven
