#pragma once

#include "study/study.h"

#include <QStringList>

// The worked example of the help and README (docs/example.vek): Lane, class
// 極めて細かい砂またはシルト (C' 8.5), dimensions 3, 2 and 1 (L 6), WL 3 and 1
// (ΔH 2), vertical piles 3 and 1.5 (ΣL 9), horizontal piles 2.5 and 2.5
// (ΣL 10), every pile counted twice.
inline talven::Study workedExample()
{
    talven::Study study;
    study.soilClass = 0;
    study.record.baseValues = {3, 2, 1, 3, 1};
    study.record.creepRatio = 8.5;
    study.record.verticalLengths = {3.0, 1.5};
    study.record.horizontalLengths = {2.5, 2.5};
    study.record.doubleFlags.fill(1);
    return study;
}

// The study with `more` cases after its own first.
inline talven::Study withCases(const talven::Study &study, const std::vector<talven::WaterLevelCase> &more)
{
    std::vector<talven::WaterLevelCase> cases = study.cases();
    cases.insert(cases.end(), more.begin(), more.end());
    return talven::setCases(study, cases).study;
}

// The design guide's example of two cut-off lines: Bligh, 細砂 (C 15), 川表翼壁
// 3, 函体 15 and 川裏翼壁 3 (L 21), WL 5 and 1.5 (ΔH 3.5), 川表 2.5 at station 3
// and 川裏 2.0 at station 18, both counted twice: s 15, so each may reach 7.5.
inline talven::Study twoLinesExample()
{
    talven::Study study;
    study.formula = talven::Formula::Bligh;
    study.soilClass = 1;
    study.record.baseValues = {15, 3, 3, 5, 1.5};
    study.record.creepRatio = 15;
    study.record.names[talven::pileNameBox(talven::Section::Vertical, 0)] = QStringLiteral("川表");
    study.record.names[talven::pileNameBox(talven::Section::Vertical, 1)] = QStringLiteral("川裏");
    study.record.verticalLengths = {2.5, 2.0};
    study.record.doubleFlags.fill(1);
    study.stations = {3.0, 18.0};
    return study;
}

// The head along the path's example: Lane, 粗砂 (C' 5.0), 川表翼壁 6.25, 函体
// 28.50 and 川裏翼壁 5.75 (L 40.50), WL 5.45 and 1.00 (ΔH 4.45), lines of 4.00,
// 3.00 and 2.50 at stations 6.25, 20.50 and 34.75, each counted twice (ΣL 19);
// horizontal piles 2.50 and 2.50, twice, so that the horizontal section is ＯＫ
// ((13.50 + 10.00) / 4.45 = 5.28).
inline talven::Study residualHeadExample()
{
    talven::Study study;
    study.soilClass = 3;
    study.record.baseValues = {28.5, 6.25, 5.75, 5.45, 1.0};
    study.record.creepRatio = 5.0;
    study.record.verticalLengths = {4.0, 3.0, 2.5};
    study.record.horizontalLengths = {2.5, 2.5};
    study.record.doubleFlags.fill(1);
    study.stations = {6.25, 20.5, 34.75};
    return study;
}

// Water-level cases from "name WL1 WL2", as the case dialog takes them.
inline std::vector<talven::WaterLevelCase> casesOf(const QStringList &entries)
{
    std::vector<talven::WaterLevelCase> cases;
    for (const QString &entry : entries) {
        const QStringList part = entry.split(u' ');
        const talven::WaterLevelCase outer = writeCaseLevel({part[0], {}, {}, 0, 0, {}}, talven::Level::Outer, part[1]).levelCase;
        cases.push_back(refreshCaseLevels(writeCaseLevel(outer, talven::Level::Inner, part[2]).levelCase));
    }
    return cases;
}

// docs/example.vek: the worked example with its rows named 川表, 川裏, 左岸
// and 右岸; `vertical` its vertical lengths.
inline talven::Study exampleVek(const talven::PileLengths &vertical = {3.0, 1.5},
                                const talven::CutOffDetails &details = {})
{
    talven::Study study = workedExample();
    const QStringList names{QStringLiteral("川表"), QStringLiteral("川裏"), QStringLiteral("左岸"), QStringLiteral("右岸")};
    for (int i = 0; i < 4; ++i)
        study.record.names[talven::pileNameBox(i < 2 ? talven::Section::Vertical : talven::Section::Horizontal, i % 2)] = names[i];
    study.record.verticalLengths = vertical;
    study.cutOff = details;
    return study;
}

// docs/sluice-gate-horizontal-ng.vek: Bligh, 粗砂 (C 12), L 20 + 5.5 + 5.5,
// WL 4.80 and 1.30, vertical 4.00 and 2.50, horizontal 2.50 and 2.50, all
// counted twice.
inline talven::Study sluiceGateVek(const talven::CutOffDetails &details = {})
{
    talven::Study study = exampleVek({4.0, 2.5}, details);
    study.formula = talven::Formula::Bligh;
    study.record.creepRatio = 12;
    study.record.baseValues = {20, 5.5, 5.5, 4.8, 1.3};
    return study;
}
