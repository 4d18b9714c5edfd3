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
    std::vector<long long> room;
    for (int row : rows)
        room.push_back(std::max<long long>(0, (longest - hundredths(now[row])) / step));
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
        // What is still missing with the piles at the longest itself, not at
        // the last whole step below it; alike, each gains what the shortest
        // room allows.
        std::vector<Hundredths> gaps;
        for (int row : rows)
            gaps.push_back(std::max<Hundredths>(0, longest - hundredths(now[row])));
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

QString proposalLine(const Study &study, Section section)
{
    ProposalOptions options;
    options.way = defaultProposalWay(section);
    const PileProposal proposal = proposePileLengths(study, section, options);
    const PileLengths &now = pileLengths(study.record, section);
    switch (proposal.outcome) {
    case ProposalOutcome::AlreadyOk:
        return {};
    case ProposalOutcome::OutOfReach:
        return QStringLiteral("矢板を最長 %1 m にしても ΣL が %2 m 足りません")
            .arg(twoDecimals(std::min(options.longestPile, pileGroup(section).maximum)), twoDecimals(proposal.missing));
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
    return changes.join(QStringLiteral("、"))
           + QStringLiteral("：ΣL ＝ %1 m、Ｃ′＝ %2 %3 %4 で ＯＫ")
                 .arg(result.sigmaLText, result.verdict->provided, result.verdict->relation(), proposal.check.requiredPrinted);
}

}  // namespace talven
