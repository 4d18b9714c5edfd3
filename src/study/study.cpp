#include "study/study.h"

#include "study/fieldrules.h"
#include "study/numbers.h"

#include <algorithm>
#include <cmath>

namespace talven {

namespace {

// Writes the ratio box the way the formula and the class do: checked only
// while the ratio may be typed.
StudyEdit writeRatio(const Study &study, const QString &text)
{
    return writeNumberBox(study, CreepRatioBox, text);
}

}  // namespace

Hundredths seepageLength(const StudyRecord &record)
{
    Hundredths sum = 0;
    for (int member = 0; member < MemberCount; ++member)
        sum += hundredths(record.dimension(member));
    return sum;
}

void StudyEdit::append(const StudyEdit &next)
{
    study = next.study;
    messages.insert(messages.end(), next.messages.begin(), next.messages.end());
    if (next.focusBox >= 0)
        focusBox = next.focusBox;
}

PileTicks Study::ticks(Section section) const
{
    PileTicks ticked{};
    for (int row = 0; row < PileCount; ++row)
        ticked[row] = record.doubleFlags[doubleFlagIndex(section, row)] == 1;
    return ticked;
}

std::vector<WaterLevelCase> Study::cases() const
{
    std::vector<WaterLevelCase> all{{firstCaseName, numberTexts[OuterWaterLevelBox], numberTexts[InnerWaterLevelBox],
                                     record.outerWaterLevel(), record.innerWaterLevel(), firstCaseBasis}};
    all.insert(all.end(), laterCases.begin(), laterCases.end());
    return all;
}

Study emptyStudy()
{
    return resetStudy(Study{}, false);
}

Study resetStudy(const Study &study, bool keepNames)
{
    Study reset = chooseFormula(study, Formula::Lane);
    StudyRecord &record = reset.record;
    record.methodCode = 0.0;
    if (keepNames) {
        for (WaterLevelCase &levelCase : reset.laterCases)
            levelCase = refreshCaseLevels({levelCase.name, {}, {}, 0.0, 0.0, levelCase.basis});
    } else {
        record.names.fill(QString());
        reset.firstCaseName.clear();
        reset.firstCaseBasis = {};
        reset.laterCases.clear();
        reset.titleBlock.reset();
        reset.basis = {};
        reset.pages = {};
    }
    reset.stations.fill(std::nullopt);
    reset.bottomLevel.reset();
    // The type is a name, which 数値のみクリア keeps; the measures go.
    reset.cutOff = {keepNames ? study.cutOff.pileType : QString(), std::nullopt, std::nullopt, std::nullopt};
    record.baseValues.fill(0.0);
    record.verticalLengths.fill(0.0);
    record.horizontalLengths.fill(0.0);
    record.doubleFlags.fill(1);
    return refreshBoxes(reset).study;
}

StudyEdit writeNumberBox(const Study &study, int box, const QString &text)
{
    StudyEdit edit{study, {}, -1};
    const FieldCheck check = checkNumberBox(box, text, study.ratioEditable());
    edit.study.numberTexts[box] = check.accepted ? text : check.replacement;
    numberField(edit.study.record, box) = check.value;
    if (!check.accepted) {
        edit.messages.push_back(check.message);
        edit.focusBox = box;
    }
    return edit;
}

Study writeNameBox(const Study &study, int index, const QString &text)
{
    Study written = study;
    written.nameTexts[index] = text;
    written.record.names[index] = trimmedName(text);
    return written;
}

StudyEdit refreshBoxes(const Study &study)
{
    StudyEdit edit{study, {}, -1};
    for (int box = 0; box < NumberBoxCount; ++box) {
        const int name = nameBoxOfRow(box);
        if (name < 0)
            continue;  // the ratio box: the formula and the class write it
        const QString &stored = edit.study.record.names[name];
        edit.study.nameTexts[name] = groupOfBox(box).section ? trimmedName(stored) : stored;
        edit.append(writeNumberBox(edit.study, box, twoDecimals(numberField(edit.study.record, box))));
    }
    return edit;
}

Study setDoubleTick(const Study &study, Section section, int row, bool ticked)
{
    Study set = study;
    set.record.doubleFlags[doubleFlagIndex(section, row)] = ticked ? 1 : 0;
    return set;
}

Study chooseFormula(const Study &study, Formula formula)
{
    Study chosen = study;
    chosen.formula = formula;
    chosen.soilClass = -1;
    return writeRatio(chosen, emptyRatioText(formula)).study;
}

StudyEdit chooseSoilClass(const Study &study, int soilClass)
{
    Study chosen = study;
    chosen.soilClass = soilClass;
    if (chosen.ratioEditable()) {
        // 5 is the range's first value: written as the class's, not typed.
        chosen.numberTexts[CreepRatioBox] = QStringLiteral("5");
        chosen.record.creepRatio = 5.0;
        return {chosen, {rangedClassMessage()}, CreepRatioBox};
    }
    if (soilClass < 0)
        return {chosen, {}, -1};
    return writeRatio(chosen, QString::fromUtf16(soilClasses(chosen.formula)[soilClass].ratioText));
}

StudyEdit restoreSoilClass(const Study &study, int soilClass, const QString &savedRatio)
{
    Study restored = study;
    restored.soilClass = soilClass;
    if (restored.ratioEditable())
        return writeRatio(restored, savedRatio);
    return chooseSoilClass(study, soilClass);
}

CaseLevelEdit writeCaseLevel(const WaterLevelCase &levelCase, Level level, const QString &text)
{
    // A case's levels keep the first tab's water-level rules.
    const FieldCheck check = checkNumberBox(OuterWaterLevelBox, text, false);
    CaseLevelEdit edit{levelCase, std::nullopt};
    (level == Level::Outer ? edit.levelCase.outerText : edit.levelCase.innerText) =
        check.accepted ? text : check.replacement;
    (level == Level::Outer ? edit.levelCase.outer : edit.levelCase.inner) = check.value;
    if (!check.accepted)
        edit.message = check.message;
    return edit;
}

WaterLevelCase refreshCaseLevels(const WaterLevelCase &levelCase)
{
    WaterLevelCase refreshed = levelCase;
    refreshed.outerText = twoDecimals(levelCase.outer);
    refreshed.innerText = twoDecimals(levelCase.inner);
    return refreshed;
}

bool hasHead(const WaterLevelCase &levelCase)
{
    return hundredths(levelCase.outer) != hundredths(levelCase.inner);
}

StudyEdit setCases(const Study &study, std::vector<WaterLevelCase> cases)
{
    StudyEdit edit{study, {}, -1};
    const auto headless = std::remove_if(cases.begin() + std::min<std::ptrdiff_t>(1, std::ssize(cases)), cases.end(),
                                         [](const WaterLevelCase &levelCase) { return !hasHead(levelCase); });
    if (headless != cases.end()) {
        edit.messages.push_back(headNotAboveZeroMessage());
        cases.erase(headless, cases.end());
    }
    if (int(cases.size()) > CaseLimit) {
        edit.messages.push_back(tooManyCasesMessage(int(cases.size())));
        cases.resize(CaseLimit);
    }
    edit.study.firstCaseName = cases.empty() ? QString() : cases.front().name;
    edit.study.firstCaseBasis = cases.empty() ? LevelBasis() : cases.front().basis;
    edit.study.laterCases.assign(cases.begin() + std::min<std::ptrdiff_t>(1, std::ssize(cases)), cases.end());
    return edit;
}

Message tooManyCasesMessage(int given)
{
    return {QStringLiteral("水位ケースは %1 つまでです。%1 番目より後の %2 つのケースは使いません。")
                .arg(CaseLimit)
                .arg(given - CaseLimit),
            MessageIcon::Exclamation, QStringLiteral("タルヴェン・水位ケース")};
}

StudyEdit setPileLengths(const Study &study, Section section, const PileLengths &lengths)
{
    StudyEdit edit{study, {}, -1};
    for (int row = 0; row < PileCount; ++row) {
        if (lengths[row] != pileLengths(edit.study.record, section)[row])
            edit.append(writeNumberBox(edit.study, pileBox(section, row), twoDecimals(lengths[row])));
    }
    edit.append(refreshBoxes(edit.study));
    return edit;
}

Message stationRangeMessage(double structureLength)
{
    return {QStringLiteral("矢板の位置は、川表の端からの距離を 0 から Ｌ（%1 m）までの数値で入力してください。")
                .arg(twoDecimals(structureLength)),
            MessageIcon::Exclamation, QStringLiteral("タルヴェン・範囲外の数値")};
}

StudyEdit setPlacement(const Study &study, const std::array<std::optional<double>, PileCount> &stations,
                       std::optional<double> bottomLevel)
{
    StudyEdit edit{study, {}, -1};
    const double length = double(seepageLength(study.record)) / 100.0;
    for (const std::optional<double> &station : stations) {
        if (station && (hundredths(*station) < 0 || double(hundredths(*station)) / 100.0 > length)) {
            edit.messages.push_back(stationRangeMessage(length));
            return edit;
        }
    }
    if (bottomLevel) {
        const FieldCheck level = checkNumberBox(OuterWaterLevelBox, twoDecimals(*bottomLevel), false);
        if (!level.accepted) {
            edit.messages.push_back(level.message);
            return edit;
        }
    }
    for (int row = 0; row < PileCount; ++row)
        edit.study.stations[std::size_t(row)] = stations[std::size_t(row)]
                                                    ? std::optional<double>(double(hundredths(*stations[std::size_t(row)])) / 100.0)
                                                    : std::nullopt;
    edit.study.bottomLevel = bottomLevel ? std::optional<double>(double(hundredths(*bottomLevel)) / 100.0) : std::nullopt;
    return edit;
}

StudyEdit setCutOffDetails(const Study &study, const CutOffDetails &details)
{
    // A measure is typed and checked as a dimension is.
    constexpr int MeasureRuleBox = boxGroup(BoxGroup::Dimensions).firstBox;
    StudyEdit edit{study, {}, -1};
    CutOffDetails &set = edit.study.cutOff;
    // A character of two halves stays whole or goes.
    const QString type = details.pileType.trimmed();
    set.pileType = type.left(type.size() > PileTypeMaxLength && type.at(PileTypeMaxLength - 1).isHighSurrogate()
                                 ? PileTypeMaxLength - 1
                                 : PileTypeMaxLength);
    for (const auto measure : {&CutOffDetails::wallHeight, &CutOffDetails::wallWidth, &CutOffDetails::excavationWidth}) {
        const std::optional<double> &given = details.*measure;
        if (!given) {
            set.*measure = std::nullopt;
            continue;
        }
        const Hundredths value = hundredths(*given);
        if (!std::isfinite(*given) || !checkNumberBox(MeasureRuleBox, hundredthsText(value), false).accepted)
            return {study, {lengthRangeMessage()}, -1};
        set.*measure = double(value) / 100.0;
    }
    return edit;
}

QString numberTypingStep(int box)
{
    switch (groupOfBox(box).group) {
    case BoxGroup::Dimensions:
        return QStringLiteral("寸法の入力");
    case BoxGroup::WaterLevels:
        return QStringLiteral("水位の入力");
    case BoxGroup::CreepRatio:
        return QStringLiteral("クリープ比の入力");
    case BoxGroup::VerticalPiles:
        return QStringLiteral("打設長の入力");
    case BoxGroup::HorizontalPiles:
        break;
    }
    return QStringLiteral("打設範囲の入力");
}

QString nameTypingStep()
{
    return QStringLiteral("名称の入力");
}

bool sectionInputsDiffer(const Study &a, const Study &b, Section section)
{
    if (a.formula != b.formula || a.ticks(section) != b.ticks(section) || a.caseCount() != b.caseCount())
        return true;
    for (std::size_t i = 0; i < a.laterCases.size(); ++i) {
        if (a.laterCases[i].outer != b.laterCases[i].outer || a.laterCases[i].inner != b.laterCases[i].inner)
            return true;
    }
    for (int box = 0; box < NumberBoxCount; ++box) {
        if (feedsSection(box, section) && a.numberTexts[box] != b.numberTexts[box])
            return true;
    }
    return false;
}

}  // namespace talven
