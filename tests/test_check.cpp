#include "check/designaid.h"
#include "check/designreview.h"
#include "check/studycheck.h"
#include "study/numbers.h"
#include "workedexample.h"

#include <QTest>

using namespace talven;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(talven::Formula)
Q_DECLARE_METATYPE(talven::Readiness)
Q_DECLARE_METATYPE(talven::Study)
Q_DECLARE_METATYPE(talven::Section)
Q_DECLARE_METATYPE(talven::ProposalWay)
Q_DECLARE_METATYPE(talven::ProposalOutcome)

namespace {

// A study with L in the first dimension, ΔH as WL1 over a WL2 of 0, and ΣL
// as one unticked vertical pile.
Study studyOf(Formula formula, double seepageLength, double sigmaL, double headDifference,
                   double creepRatio)
{
    Study input;
    input.formula = formula;
    input.record.baseValues = {seepageLength, 0.0, 0.0, headDifference, 0.0};
    input.record.verticalLengths[0] = sigmaL;
    input.record.creepRatio = creepRatio;
    return input;
}

// The two lines' example with other vertical lengths and stations; a row
// given no station has none.
Study placed(QList<double> lengths, QList<std::optional<double>> stations)
{
    Study input = twoLinesExample();
    input.record.verticalLengths = {};
    std::copy(lengths.begin(), lengths.end(), input.record.verticalLengths.begin());
    input.stations = {};
    std::copy(stations.begin(), stations.end(), input.stations.begin());
    return input;
}

// Lane, C' 6.0, L 35, ΔH 4.25, two ticked piles of 3.0 in each section.
Study laneThirtyFive()
{
    Study input = workedExample();
    input.record.baseValues = {20, 10, 5, 5.25, 1};
    input.record.creepRatio = 6.0;
    input.record.verticalLengths = {3.0, 3.0};
    return input;
}

// Lane, C' 3.0, L 0.02, ΔH 1 and one unticked vertical pile: R rounds up to
// C from a ΣL 0.0033 m short of C x ΔH - L'.
Study roundingEdge(double pile)
{
    Study input = workedExample();
    input.record.baseValues = {0.02, 0, 0, 1, 0};
    input.record.creepRatio = 3.0;
    input.record.verticalLengths = {pile};
    std::fill_n(input.record.doubleFlags.begin(), PileCount, 0);  // the vertical ticks
    return input;
}

Study withBligh(Study input, double ratio)
{
    input.formula = Formula::Bligh;
    input.record.creepRatio = ratio;
    return input;
}

}  // namespace

class TestCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sigmaL_data();
    void sigmaL();
    void section_data();
    void section();
    void zeroHeadHasNoVerdict();
    void verdictFromShownTexts_data();
    void verdictFromShownTexts();
    void referenceSigmaL_data();
    void referenceSigmaL();
    void readiness_data();
    void readiness();
    void designFigures_data();
    void designFigures();
    void proposal_data();
    void proposal();
    void cases_data();
    void cases();
    void spacing_data();
    void spacing();
    void spacingProposal_data();
    void spacingProposal();
    void residualHead_data();
    void residualHead();
    void designReview_data();
    void designReview();
    void uShapedPile_data();
    void uShapedPile();
};

void TestCheck::sigmaL_data()
{
    QTest::addColumn<PileLengths>("lengths");
    QTest::addColumn<PileTicks>("ticks");
    QTest::addColumn<double>("expected");
    const PileLengths twoPiles{3.0, 1.5, 0, 0, 0, 0, 0};
    QTest::newRow("both ticked") << twoPiles << PileTicks{true, true, true, true, true, true, true} << 9.0;
    QTest::newRow("second unticked") << twoPiles << PileTicks{true, false, true, true, true, true, true} << 7.5;
    QTest::newRow("none ticked") << twoPiles << PileTicks{} << 4.5;
    QTest::newRow("all seven") << PileLengths{1, 2, 3, 4, 5, 6, 7}
                               << PileTicks{false, true, false, true, false, true, false} << 40.0;
}

void TestCheck::sigmaL()
{
    QFETCH(PileLengths, lengths);
    QFETCH(PileTicks, ticks);
    QFETCH(double, expected);
    QCOMPARE(talven::sigmaL(lengths, ticks), hundredths(expected));
}

void TestCheck::section_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<double>("seepageLength");
    QTest::addColumn<double>("sigmaL");
    QTest::addColumn<double>("headDifference");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<QString>("numerator");
    QTest::addColumn<QString>("denominator");
    QTest::addColumn<QString>("provided");
    QTest::addColumn<QString>("required");
    QTest::addColumn<bool>("ok");
    // The window's required ratio ("required") and the page's ("0.00") are one
    // number: the verdict is the same on both.
    QTest::newRow("lane worked example")
        << Formula::Lane << 6.0 << 9.0 << 2.0 << 8.5
        << QStringLiteral("2.00＋9.00") << QStringLiteral("2.00") << QStringLiteral("5.50") << QStringLiteral("8.50") << false;
    QTest::newRow("bligh worked example")
        << Formula::Bligh << 6.0 << 9.0 << 2.0 << 4.0
        << QStringLiteral("6.00＋9.00") << QStringLiteral("2.00") << QStringLiteral("7.50") << QStringLiteral("4") << true;
    QTest::newRow("bligh ranged equality passes")
        << Formula::Bligh << 0.0 << 18.0 << 2.0 << 9.0
        << QStringLiteral("0.00＋18.00") << QStringLiteral("2.00") << QStringLiteral("9.00") << QStringLiteral("9") << true;
    QTest::newRow("bligh 7.4 is not shown as 7")
        << Formula::Bligh << 0.0 << 14.4 << 2.0 << 7.4
        << QStringLiteral("0.00＋14.40") << QStringLiteral("2.00") << QStringLiteral("7.20") << QStringLiteral("7.40") << false;
    QTest::newRow("bligh 7.5 is not tested as 8")
        << Formula::Bligh << 0.0 << 15.4 << 2.0 << 7.5
        << QStringLiteral("0.00＋15.40") << QStringLiteral("2.00") << QStringLiteral("7.70") << QStringLiteral("7.50") << true;
    QTest::newRow("lane a little below a whole C")
        << Formula::Lane << 0.0 << 2.996 << 1.0 << 3.0
        << QStringLiteral("0.00＋3.00") << QStringLiteral("1.00") << QStringLiteral("3.00") << QStringLiteral("3.00") << true;
    QTest::newRow("lane just below rounds down and fails")
        << Formula::Lane << 0.0 << 2.994 << 1.0 << 3.0
        << QStringLiteral("0.00＋2.99") << QStringLiteral("1.00") << QStringLiteral("2.99") << QStringLiteral("3.00") << false;
    QTest::newRow("lane L over three")
        << Formula::Lane << 12.0 << 0.0 << 2.0 << 2.0
        << QStringLiteral("4.00＋0.00") << QStringLiteral("2.00") << QStringLiteral("2.00") << QStringLiteral("2.00") << true;
    // A head the other way round (逆水位) is checked over the same path.
    QTest::newRow("a reversed head is checked on its size")
        << Formula::Bligh << 6.0 << 9.0 << -2.0 << 4.0
        << QStringLiteral("6.00＋9.00") << QStringLiteral("2.00") << QStringLiteral("7.50") << QStringLiteral("4") << true;
    // Exact ratios: R rounds half away from zero as a hand calculation does.
    QTest::newRow("lane tie 5.995 rounds up to 6.00") << Formula::Lane << 16.47 << 6.5 << 2.0 << 6.0
                                                     << u"5.49＋6.50"_s << u"2.00"_s << u"6.00"_s << u"6.00"_s << true;
    QTest::newRow("bligh tie 3.995 rounds up to 4") << Formula::Bligh << 0.02 << 7.97 << 2.0 << 4.0
                                                   << u"0.02＋7.97"_s << u"2.00"_s << u"4.00"_s << u"4"_s << true;
    QTest::newRow("bligh 5.99499 just below the half") << Formula::Bligh << 0.0 << 59.89 << 9.99 << 6.0
                                                      << u"0.00＋59.89"_s << u"9.99"_s << u"5.99"_s << u"6"_s << false;
    QTest::newRow("bligh 5.99600 just above the half") << Formula::Bligh << 0.0 << 59.9 << 9.99 << 6.0
                                                      << u"0.00＋59.90"_s << u"9.99"_s << u"6.00"_s << u"6"_s << true;
    QTest::newRow("lane reversed tie passes as the tie does") << Formula::Lane << 16.47 << 6.5 << -2.0 << 6.0
        << u"5.49＋6.50"_s << u"2.00"_s << u"6.00"_s << u"6.00"_s << true;
    // Typed 0.005 and 5.985 show as 0.01 and 5.99 once their boxes are left.
    QTest::newRow("inputs count as they show") << Formula::Bligh << 0.005 << 5.985 << 1.0 << 6.0
                                               << u"0.01＋5.99"_s << u"1.00"_s << u"6.00"_s << u"6"_s << true;
}

void TestCheck::section()
{
    QFETCH(Formula, formula);
    QFETCH(double, seepageLength);
    QFETCH(double, sigmaL);
    QFETCH(double, headDifference);
    QFETCH(double, creepRatio);
    const StudyCheck check = checkStudy(studyOf(formula, seepageLength, sigmaL, headDifference, creepRatio));
    const SectionCheck &vertical = check.section(Section::Vertical);
    QVERIFY(vertical.verdict.has_value());
    QTEST(vertical.numerator, "numerator");
    QTEST(check.governingCase().headDifferenceText, "denominator");
    QTEST(vertical.verdict->provided, "provided");
    QTEST(check.requiredShown, "required");
    QCOMPARE(check.requiredPrinted, twoDecimals(creepRatio));
    QTEST(vertical.verdict->ok, "ok");
    QCOMPARE(vertical.verdict->relation(), vertical.verdict->ok ? QStringLiteral("≧") : QStringLiteral("＜"));
}

void TestCheck::zeroHeadHasNoVerdict()
{
    const StudyCheck check = checkStudy(studyOf(Formula::Lane, 6.0, 9.0, 0.0, 8.5));
    QVERIFY(!check.section(Section::Vertical).verdict);
    QVERIFY(!check.section(Section::Horizontal).verdict);
    QVERIFY(!providedRatio(Formula::Bligh, 600, 900, 0).has_value());
}

void TestCheck::verdictFromShownTexts_data()
{
    QTest::addColumn<QString>("provided");
    QTest::addColumn<QString>("required");
    QTest::addColumn<bool>("ok");
    QTest::newRow("equal") << QStringLiteral("9.00") << QStringLiteral("9") << true;
    QTest::newRow("above") << QStringLiteral("9.01") << QStringLiteral("9.00") << true;
    QTest::newRow("below") << QStringLiteral("8.99") << QStringLiteral("9") << false;
    QTest::newRow("negative") << QStringLiteral("-1.00") << QStringLiteral("2.00") << false;
}

void TestCheck::verdictFromShownTexts()
{
    QFETCH(QString, provided);
    QFETCH(QString, required);
    QTEST(ratioMeetsRequirement(hundredths(leadingNumber(provided)), hundredths(leadingNumber(required))), "ok");
}

void TestCheck::referenceSigmaL_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<double>("seepageLength");
    QTest::addColumn<double>("headDifference");
    QTest::addColumn<QString>("expected");
    // The least ΣL whose ratio rounds to C: (C - 0.005) x ΔH - L' rounded up.
    QTest::newRow("lane 8.495 x 2 - 12/3") << Formula::Lane << 8.5 << 12.0 << 2.0 << QStringLiteral("12.99");
    QTest::newRow("bligh 8.995 x 2 - 12") << Formula::Bligh << 9.0 << 12.0 << 2.0 << QStringLiteral("5.99");
    QTest::newRow("rounded up: 6.995 x 3.7 - 36/3 = 13.8815") << Formula::Lane << 7.0 << 36.0 << 3.7 << QStringLiteral("13.89");
    QTest::newRow("nothing missing") << Formula::Bligh << 4.0 << 12.0 << 2.0 << QStringLiteral("0.00");
    QTest::newRow("exactly enough") << Formula::Bligh << 6.0 << 12.0 << 2.0 << QStringLiteral("0.00");
}

void TestCheck::referenceSigmaL()
{
    QFETCH(Formula, formula);
    QFETCH(double, creepRatio);
    QFETCH(double, seepageLength);
    QFETCH(double, headDifference);
    QTEST(hundredthsText(talven::referenceSigmaL(formula, hundredths(creepRatio), hundredths(seepageLength),
                                                 hundredths(headDifference))),
          "expected");
}

void TestCheck::readiness_data()
{
    QTest::addColumn<double>("waterLevel1");
    QTest::addColumn<double>("waterLevel2");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<Readiness>("readiness");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("more");  // cases after the first, "name WL1 WL2"
    QTest::newRow("ready") << 3.0 << 1.0 << 8.5 << Readiness::Ready << QString() << QString() << QStringList{};
    QTest::newRow("equal levels") << 2.0 << 2.0 << 8.5 << Readiness::HeadNotAboveZero
                                  << QStringLiteral("水位差が０以下の場合は計算できません")
                                  << QStringLiteral("タルヴェン・データに不備があります") << QStringList{};
    // The governing case decides, not the first tab's levels.
    QTest::newRow("equal levels, a later case with a head")
        << 1.0 << 1.0 << 8.5 << Readiness::Ready << QString() << QString() << QStringList{u"既往 3 1"_s};
    QTest::newRow("no ratio") << 3.0 << 1.0 << 0.0 << Readiness::NoCreepRatio
                              << QStringLiteral("使用する計算式と\r\nクリープ比を指定してください")
                              << QStringLiteral("タルヴェン・データの不足です") << QStringList{};
    QTest::newRow("inverted levels, no ratio")
        << 1.0 << 3.0 << 0.0 << Readiness::NeitherHeadNorRatio
        << QStringLiteral("水位差が０以下の場合は計算できません\r\nまた、使用する計算式とクリープ比を指定してください")
        << QStringLiteral("タルヴェン・データに不備があります") << QStringList{};
}

void TestCheck::readiness()
{
    QFETCH(double, waterLevel1);
    QFETCH(double, waterLevel2);
    QFETCH(double, creepRatio);
    QFETCH(Readiness, readiness);
    Study input;
    input.record.baseValues[3] = waterLevel1;
    input.record.baseValues[4] = waterLevel2;
    input.record.creepRatio = creepRatio;
    QFETCH(QStringList, more);
    input.laterCases = casesOf(more);
    const StudyCheck check = checkStudy(input);
    QCOMPARE(check.readiness(), readiness);
    QCOMPARE(check.ready(), readiness == Readiness::Ready);
    const Message message = firstTabProblemMessage(readiness);
    QTEST(message.prompt, "prompt");
    QTEST(message.caption, "caption");
    if (readiness != Readiness::Ready)
        QCOMPARE(message.icon, MessageIcon::Stop);
    const Message notReady = reportNotReadyMessage();
    QCOMPARE(notReady.prompt, QStringLiteral("水位データおよび\r\nクリープ比の選択を確認してください"));
    QCOMPARE(notReady.icon, MessageIcon::Stop);
}

void TestCheck::designFigures_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<QString>("required");
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QString>("allowable");
    QTest::addColumn<QString>("horizontalMargin");
    QTest::addColumn<QString>("status");  // the window's status line

    Study typed = withBligh(workedExample(), 7.5);  // the ranged class, C typed
    typed.record.baseValues = {0, 0, 0, 2, 0};
    typed.record.verticalLengths = {15.4};
    std::fill_n(typed.record.doubleFlags.begin(), PileCount, 0);  // the vertical ticks
    Study noRatio = workedExample();
    noRatio.record.creepRatio = 0.0;
    Study oneUnticked = workedExample();
    oneUnticked = setDoubleTick(oneUnticked, Section::Horizontal, 1, false);
    const Study tie = studyOf(Formula::Lane, 16.47, 6.5, 2.0, 6.0);  // L 12.00 + 2.47 + 2.00 as one

    // 11 / 1.29 = 8.53 passes, 11 / 1.30 = 8.46 fails.
    // (2.00 + 14.99) / 2.00 = 8.495 passes as 8.50; 14.98 would give 8.49.
    QTest::newRow("worked example") << workedExample() << "14.99" << "不足 5.99 m"
                                    << "許容水位差 ⊿H = 1.29 m（外水位 WL1 = 2.29 m まで）" << "不足 4.99 m"
                                    << "鉛直方向 ＮＧ（不足 5.99 m）　水平方向 ＮＧ（不足 4.99 m）";
    // 5.995 x 4.25 - 35/3 = 13.8121 rounds up to 13.82.
    QTest::newRow("L 35, short by 1.82") << laneThirtyFive() << "13.82" << "不足 1.82 m"
                                         << "許容水位差 ⊿H = 3.94 m（外水位 WL1 = 4.94 m まで）" << "不足 3.82 m"
                                         << "鉛直方向 ＮＧ（不足 1.82 m）　水平方向 ＮＧ（不足 3.82 m）";
    QTest::newRow("bligh, whole C") << withBligh(workedExample(), 4.0) << "1.99" << "余裕 7.01 m"
                                    << "許容水位差 ⊿H = 3.75 m（外水位 WL1 = 4.75 m まで）" << "余裕 8.01 m"
                                    << "鉛直方向 ＯＫ（余裕 7.01 m）　水平方向 ＯＫ（余裕 8.01 m）";
    QTest::newRow("bligh, typed 7.5") << typed << "14.99" << "余裕 0.41 m"
                                      << "許容水位差 ⊿H = 2.05 m（外水位 WL1 = 2.05 m まで）" << "不足 4.99 m"
                                      << "鉛直方向 ＯＫ（余裕 0.41 m）　水平方向 ＮＧ（不足 4.99 m）";
    QTest::newRow("R rounds up to C") << roundingEdge(2.99) << "2.99" << "余裕 0.00 m"
                                      << "許容水位差 ⊿H = 1.00 m（外水位 WL1 = 1.00 m まで）" << "余裕 7.01 m"
                                      << "鉛直方向 ＯＫ（余裕 0.00 m）　水平方向 ＯＫ（余裕 7.01 m）";
    // R is 5.995, shown 6.00, at 2.00 m: ＯＫ, and ΣL is just what is needed.
    QTest::newRow("the tie") << tie << "6.50" << "余裕 0.00 m" << "許容水位差 ⊿H = 2.00 m（外水位 WL1 = 2.00 m まで）"
                             << "不足 6.50 m" << "鉛直方向 ＯＫ（余裕 0.00 m）　水平方向 ＮＧ（不足 6.50 m）";
    // 70 / 17.52 = 3.995 passes as 4.00, 70 / 17.53 = 3.993 does not.
    QTest::newRow("the allowable head to its last step") << studyOf(Formula::Bligh, 50, 20, 1, 4) << "0.00"
                                                         << "余裕 20.00 m"
                                                         << "許容水位差 ⊿H = 17.52 m（外水位 WL1 = 17.52 m まで）"
                                                         << "余裕 0.00 m"
                                                         << "鉛直方向 ＯＫ（余裕 20.00 m）　水平方向 ＯＫ（余裕 0.00 m）";
    QTest::newRow("no head holds, not even 0.01 m") << studyOf(Formula::Lane, 0, 0.05, 1, 8.5) << "8.50"
                                                    << "不足 8.45 m"
                                                    << "許容水位差 ⊿H = 0.00 m（外水位 WL1 = 0.00 m まで）"
                                                    << "不足 8.50 m"
                                                    << "鉛直方向 ＮＧ（不足 8.45 m）　水平方向 ＮＧ（不足 8.50 m）";
    QTest::newRow("no creep ratio") << noRatio << "0.00" << "余裕 9.00 m" << "" << "余裕 10.00 m"
                                    << "照査できません：水位データおよびクリープ比の選択を確認してください";
    // The study is ready when its governing case is, the first tab's levels
    // not standing the other way round.
    Study levelFirst = workedExample();
    levelFirst.record.baseValues[OuterWaterLevelBox] = 1.0;
    const std::vector<WaterLevelCase> flood = casesOf({u"既往 3 1"_s});
    QTest::newRow("a level case 1, a flood governs") << withCases(levelFirst, flood) << "14.99" << "不足 5.99 m"
                                                     << "許容水位差 ⊿H = 1.29 m（外水位 WL1 = 2.29 m まで）"
                                                     << "不足 4.99 m"
                                                     << "鉛直方向 ＮＧ（不足 5.99 m）　水平方向 ＮＧ（不足 4.99 m）";
    Study reversedFirst = workedExample();
    reversedFirst.record.baseValues[InnerWaterLevelBox] = 6.0;
    QTest::newRow("case 1 the other way round cannot be checked")
        << withCases(reversedFirst, flood) << "23.49" << "不足 14.49 m"
        << "許容水位差 ⊿H = 1.29 m（内水位 WL2 = 4.29 m まで）" << "不足 13.49 m"
        << "照査できません：水位データおよびクリープ比の選択を確認してください";
    QTest::newRow("an unticked horizontal pile") << oneUnticked << "14.99" << "不足 5.99 m"
                                                 << "許容水位差 ⊿H = 1.29 m（外水位 WL1 = 2.29 m まで）"
                                                 << "不足 7.49 m"
                                                 << "鉛直方向 ＮＧ（不足 5.99 m）　水平方向 ＮＧ（不足 7.49 m）";
}

void TestCheck::designFigures()
{
    QFETCH(Study, input);
    const StudyCheck check = checkStudy(input);
    const SectionCheck &vertical = check.section(Section::Vertical);
    QTEST(check.governingCase().referenceSigmaL, "required");
    QTEST(vertical.marginLabel(), "margin");
    QCOMPARE(vertical.marginText, twoDecimals(vertical.margin));
    QTEST(vertical.allowableHeadLabel(), "allowable");
    QTEST(check.section(Section::Horizontal).marginLabel(), "horizontalMargin");
    QTEST(statusLineText(check), "status");
}

void TestCheck::proposal_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<Section>("section");
    QTest::addColumn<int>("step");  // cm
    QTest::addColumn<ProposalWay>("way");
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("longest");
    QTest::addColumn<ProposalOutcome>("outcome");
    QTest::addColumn<QList<double>>("lengths");  // the first two rows
    QTest::addColumn<double>("added");
    QTest::addColumn<QString>("provided");
    QTest::addColumn<double>("missing");

    const auto V = Section::Vertical, H = Section::Horizontal;
    const auto InOrder = ProposalWay::InOrder, AllAlike = ProposalWay::AllAlike, OneRow = ProposalWay::OneRow;
    const auto Proposed = ProposalOutcome::Proposed;
    Study unticked = workedExample();
    unticked = setDoubleTick(unticked, Section::Horizontal, 1, false);
    Study empty = workedExample();
    empty.record.horizontalLengths = {};
    Study typed = workedExample();
    typed.record.verticalLengths = {1.005, 1.5};

    QTest::newRow("example, in order") << workedExample() << V << 50 << InOrder << 0 << 99.99 << Proposed
                                       << QList<double>{6.0, 1.5} << 3.0 << "8.50" << 0.0;
    QTest::newRow("example, step 1.0") << workedExample() << V << 100 << InOrder << 0 << 99.99 << Proposed
                                       << QList<double>{6.0, 1.5} << 3.0 << "8.50" << 0.0;
    QTest::newRow("example, all alike") << workedExample() << V << 50 << AllAlike << 0 << 99.99 << Proposed
                                        << QList<double>{4.5, 3.0} << 3.0 << "8.50" << 0.0;
    QTest::newRow("example, second row only") << workedExample() << V << 10 << OneRow << 1 << 99.99 << Proposed
                                              << QList<double>{3.0, 4.5} << 3.0 << "8.50" << 0.0;
    // First pile to the longest, then the next.
    QTest::newRow("example, longest pile 4.5") << workedExample() << V << 50 << InOrder << 0 << 4.5 << Proposed
                                               << QList<double>{4.5, 3.0} << 3.0 << "8.50" << 0.0;
    // What is missing at the longest itself: 14.99 - 4 x 3.50.
    QTest::newRow("out of reach") << workedExample() << V << 50 << InOrder << 0 << 3.5
                                  << ProposalOutcome::OutOfReach << QList<double>{3.5, 3.5} << 2.5 << "8.00" << 0.99;
    QTest::newRow("L 35, in order") << laneThirtyFive() << V << 50 << InOrder << 0 << 99.99 << Proposed
                                    << QList<double>{4.0, 3.0} << 1.0 << "6.04" << 0.0;
    QTest::newRow("L 35, all alike") << laneThirtyFive() << V << 50 << AllAlike << 0 << 99.99 << Proposed
                                     << QList<double>{3.5, 3.5} << 1.0 << "6.04" << 0.0;
    QTest::newRow("already OK") << withBligh(workedExample(), 4.0) << V << 50 << InOrder << 0 << 99.99
                                << ProposalOutcome::AlreadyOk << QList<double>{3.0, 1.5} << 0.0 << "7.50" << 0.0;
    QTest::newRow("R rounds up to C") << roundingEdge(2.89) << V << 10 << InOrder << 0 << 99.99 << Proposed
                                      << QList<double>{2.99, 0.0} << 0.1 << "3.00" << 0.0;
    QTest::newRow("the tie is already OK") << studyOf(Formula::Lane, 16.47, 6.5, 2.0, 6.0) << V << 10 << InOrder << 0
                                           << 99.99 << ProposalOutcome::AlreadyOk << QList<double>{6.5, 0.0} << 0.0
                                           << "6.00" << 0.0;
    QTest::newRow("a typed 1.005 grows from 1.01") << typed << V << 50 << InOrder << 0 << 99.99 << Proposed
                                                   << QList<double>{6.01, 1.5} << 5.0 << "8.51" << 0.0;
    QTest::newRow("horizontal, own ticks") << unticked << H << 50 << InOrder << 0 << 99.99 << Proposed
                                           << QList<double>{6.5, 2.5} << 4.0 << "8.75" << 0.0;
    QTest::newRow("no row in use") << empty << H << 50 << InOrder << 0 << 99.99 << Proposed
                                   << QList<double>{7.5, 0.0} << 7.5 << "8.50" << 0.0;
}

void TestCheck::proposal()
{
    QFETCH(Study, input);
    QFETCH(Section, section);
    QFETCH(int, step);
    QFETCH(ProposalWay, way);
    QFETCH(int, row);
    QFETCH(double, longest);
    QFETCH(QList<double>, lengths);
    const PileProposal proposal = proposePileLengths(input, section, {step, way, row, longest});
    QTEST(proposal.outcome, "outcome");
    QCOMPARE((QList<double>{proposal.lengths[0], proposal.lengths[1]}), lengths);
    QTEST(proposal.added, "added");
    const std::optional<SectionVerdict> &verdict = proposal.check.section(section).verdict;
    QVERIFY(verdict);
    QTEST(verdict->provided, "provided");
    QCOMPARE(verdict->ok, proposal.outcome != ProposalOutcome::OutOfReach);
    QTEST(proposal.missing, "missing");
}

void TestCheck::cases_data()
{
    // Further cases as "name WL1 WL2"; each case's ΔH, its two verdicts as
    // "5.50 NG / 6.00 NG", then the governing case and its required ΣL.
    QTest::addColumn<QStringList>("more");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("governing");
    QTest::addColumn<QString>("requiredSigmaL");
    QTest::newRow("one case is the study as ever") << QStringList{} << QStringList{u"2.00: 5.50 NG / 6.00 NG"_s} << 0
                                                   << u"14.99"_s;
    QTest::newRow("the worked cases: the highest flood governs")
        << QStringList{u"既往 3.40 1.00"_s, u"施工 3.00 1.70"_s}
        << QStringList{u"2.00: 5.50 NG / 6.00 NG"_s, u"2.40: 4.58 NG / 5.00 NG"_s, u"1.30: 8.46 NG / 9.23 OK"_s} << 1
        << u"18.39"_s;
    QTest::newRow("equal heads: the first governs") << QStringList{u"平水 4.00 2.00"_s}
                                                    << QStringList{u"2.00: 5.50 NG / 6.00 NG"_s, u"2.00: 5.50 NG / 6.00 NG"_s}
                                                    << 0 << u"14.99"_s;
    // 8.495 x 2.60 - 6.00/3 = 20.087, rounded up.
    QTest::newRow("a reversed case governs by its size") << QStringList{u"既往 3.40 1.00"_s, u"内水 1.00 3.60"_s}
        << QStringList{u"2.00: 5.50 NG / 6.00 NG"_s, u"2.40: 4.58 NG / 5.00 NG"_s, u"2.60 reversed: 4.23 NG / 4.62 NG"_s}
        << 2 << u"20.09"_s;
    QTest::newRow("a case of equal levels is left out") << QStringList{u"無 1.00 1.00"_s}
                                                       << QStringList{u"2.00: 5.50 NG / 6.00 NG"_s} << 0 << u"14.99"_s;
}

// Each case is checked with the study's L, ΣL and C; the governing case's
// design figures hold for every case.
void TestCheck::cases()
{
    QFETCH(QStringList, more);
    QFETCH(QStringList, expected);
    QFETCH(int, governing);
    QFETCH(QString, requiredSigmaL);
    const StudyCheck check = checkStudy(withCases(workedExample(), casesOf(more)));
    QStringList seen;
    for (const CaseCheck &levels : check.cases) {
        QStringList verdicts;
        for (Section section : Sections) {
            const std::optional<SectionVerdict> &verdict = levels.section(section).verdict;
            verdicts << (verdict ? verdict->provided + (verdict->ok ? u" OK"_s : u" NG"_s) : u"-"_s);
        }
        seen << levels.headDifferenceText + (levels.reversed ? u" reversed"_s : QString()) + u": "_s
                    + verdicts.join(u" / "_s);
    }
    QCOMPARE(seen, expected);
    QCOMPARE(check.governing, governing);
    QCOMPARE(check.governingCase().referenceSigmaL, requiredSigmaL);
}

// The design guide's rule d <= s / 2, s the distance to the nearest other
// line, as the tab, the report and the tables write it.
void TestCheck::spacing_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");

    const auto none = std::nullopt;
    QTest::newRow("two lines 15 apart") << twoLinesExample()
                                        << u"矢板の間隔（d ≦ s/2）：川表 2.50 ≦ 7.50 ＯＫ、川裏 2.00 ≦ 7.50 ＯＫ"_s << true;
    QTest::newRow("equal to s/2 passes") << placed({7.5, 7.5}, {3.0, 18.0})
                                         << u"矢板の間隔（d ≦ s/2）：川表 7.50 ≦ 7.50 ＯＫ、川裏 7.50 ≦ 7.50 ＯＫ"_s << true;
    QTest::newRow("a hundredth over") << placed({7.51, 2.0}, {3.0, 18.0})
                                      << u"矢板の間隔（d ≦ s/2）：川表 7.51 ＞ 7.50 ＮＧ、川裏 2.00 ≦ 7.50 ＯＫ"_s << false;
    QTest::newRow("odd spacing, half exactly") << placed({7.5, 7.51}, {3.0, 18.01})
                                               << u"矢板の間隔（d ≦ s/2）：川表 7.50 ≦ 7.505 ＯＫ、川裏 7.51 ＞ 7.505 ＮＧ"_s << false;
    // By station, not by row; each to its nearest line.
    QTest::newRow("third line between") << placed({2.5, 2.0, 3.76}, {3.0, 18.0, 10.5})
                                        << u"矢板の間隔（d ≦ s/2）：川表 2.50 ≦ 3.75 ＯＫ、3 行目 3.76 ＞ 3.75 ＮＧ、川裏 2.00 ≦ 3.75 ＯＫ"_s
                                        << false;
    QTest::newRow("one line placed") << placed({2.5, 2.0}, {3.0, none})
                                     << u"矢板の間隔（d ≦ s/2）：川表 ほかに位置のある遮水工がないため照査なし。川裏は位置未入力のため間隔の照査なし"_s
                                     << true;
    QTest::newRow("a station without a pile") << placed({2.5, 0.0}, {3.0, 18.0})
                                              << u"矢板の間隔（d ≦ s/2）：川表 ほかに位置のある遮水工がないため照査なし"_s << true;
    QTest::newRow("no stations") << placed({2.5, 2.0}, {}) << u"矢板の間隔：位置未入力のため間隔の照査なし"_s << true;
}

void TestCheck::spacing()
{
    QFETCH(Study, input);
    const SpacingCheck check = checkSpacing(input);
    QTEST(spacingLine(check, input.record), "line");
    QTEST(check.ok(), "ok");
}

// The proposal never lengthens a placed pile past s / 2; when the lines at
// their limits still miss, it says so with the best it reaches. Without
// stations it is as ever, with the reminder to check the spacing.
void TestCheck::spacingProposal_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<ProposalOutcome>("outcome");
    QTest::addColumn<QList<double>>("lengths");
    QTest::addColumn<QStringList>("lines");  // proposalLines

    Study reachable = withBligh(twoLinesExample(), 13.0);
    Study unplaced = twoLinesExample();
    unplaced.stations = {};
    // 15 x 3.50 - 21.00 = 31.50, and the tie rule takes 31.49; the caps give 30.00.
    QTest::newRow("the guide's example") << twoLinesExample() << ProposalOutcome::OutOfReach << QList<double>{7.5, 7.5}
                                         << QStringList{u"間隔の1/2までの延長では不足します（上限まで延ばして ΣL ＝ 30.00 m、Ｃ′＝ 14.57 ＜ 15.00、不足 1.49 m）。函体の長さか遮水工の配置を見直してください"_s,
                                                        u"なお、10.50 m に遮水工を加えると、間隔 7.50 m、上限 3.75 m となり、ΣL は最大 22.50 m です"_s};
    // 13 x 3.50 - 21.00 = 24.50: 川表 stops at its cap, 川裏 takes the rest.
    QTest::newRow("one row at its cap") << reachable << ProposalOutcome::Proposed << QList<double>{7.5, 5.0}
                                        << QStringList{u"川表 2.50 m → 7.50 m、川裏 2.00 m → 5.00 m：ΣL ＝ 25.00 m、Ｃ′＝ 13.14 ≧ 13.00 で ＯＫ"_s};
    QTest::newRow("no stations") << unplaced << ProposalOutcome::Proposed << QList<double>{14.0, 2.0}
                                 << QStringList{u"川表 2.50 m → 14.00 m：ΣL ＝ 32.00 m、Ｃ′＝ 15.14 ≧ 15.00 で ＯＫ"_s,
                                                uncheckedSpacingNote()};
}

void TestCheck::spacingProposal()
{
    QFETCH(Study, input);
    QFETCH(QList<double>, lengths);
    const PileProposal proposal = proposePileLengths(input, Section::Vertical, {});
    QTEST(proposal.outcome, "outcome");
    QCOMPARE((QList<double>{proposal.lengths[0], proposal.lengths[1]}), lengths);
    QTEST(proposalLines(input, Section::Vertical), "lines");
}

// The head along the vertical path, h = ⊿H (1 - w / W), each point as
// "name w h", and the exit gradient as "tip top d gradient"; worked by hand.
void TestCheck::residualHead_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<QString>("weightedLength");  // W; empty: no table
    QTest::addColumn<QStringList>("points");
    QTest::addColumn<QString>("exit");

    // W = 40.50 / 3 + 19.00 = 32.50; the exit 0.343 / 2.50 = 0.1372, ⊿H / W = 0.1369.
    QTest::newRow("the worked example, Lane")
        << residualHeadExample() << u"32.50"_s
        << QStringList{u"川表端 0.000 4.45"_s,       u"1 行目 上端（川表側） 2.083 4.16"_s, u"1 行目 先端 6.083 3.62"_s,
                       u"1 行目 上端（川裏側） 10.083 3.07"_s, u"2 行目 上端（川表側） 14.833 2.42"_s,
                       u"2 行目 先端 17.833 2.01"_s,  u"2 行目 上端（川裏側） 20.833 1.60"_s,
                       u"3 行目 上端（川表側） 25.583 0.95"_s, u"3 行目 先端 28.083 0.60"_s,
                       u"3 行目 上端（川裏側） 30.583 0.26"_s, u"川裏端 32.500 0.00"_s}
        << u"0.605 0.262 2.50 0.137"_s;
    // W = 21 + 9 = 30; the exit (0.583 - 0.35) / 2.00 = 0.1165.
    QTest::newRow("Bligh, two lines")
        << twoLinesExample() << u"30.00"_s
        << QStringList{u"川表端 0.00 3.50"_s,         u"川表 上端（川表側） 3.00 3.15"_s, u"川表 先端 5.50 2.86"_s,
                       u"川表 上端（川裏側） 8.00 2.57"_s, u"川裏 上端（川表側） 23.00 0.82"_s, u"川裏 先端 25.00 0.58"_s,
                       u"川裏 上端（川裏側） 27.00 0.35"_s, u"川裏端 30.00 0.00"_s}
        << u"0.583 0.35 2.00 0.117"_s;
    // W = 21 + 5 + 2 = 28: 川裏 goes down to its tip and on; 3.125, 0.625 and
    // 0.375 round up; no face to rise by at the end.
    QTest::newRow("the last pile counted once")
        << setDoubleTick(twoLinesExample(), Section::Vertical, 1, false) << u"28.00"_s
        << QStringList{u"川表端 0.00 3.50"_s,         u"川表 上端（川表側） 3.00 3.13"_s, u"川表 先端 5.50 2.81"_s,
                       u"川表 上端（川裏側） 8.00 2.50"_s, u"川裏 上端 23.00 0.63"_s,        u"川裏 先端 25.00 0.38"_s,
                       u"川裏端 28.00 0.00"_s}
        << QString();
    // 内水 (1.00 / 6.00, ⊿H 5.00) governs: the water enters at the 川裏 end and
    // leaves up 川表's river face, (0.917 - 0.50) / 2.50 = 0.1668.
    QTest::newRow("a reversed case governs: from the 川裏 end")
        << withCases(twoLinesExample(), casesOf({u"内水 1 6"_s, u"平水 3 2"_s})) << u"30.00"_s
        << QStringList{u"川裏端 0.00 5.00"_s,         u"川裏 上端（川裏側） 3.00 4.50"_s, u"川裏 先端 5.00 4.17"_s,
                       u"川裏 上端（川表側） 7.00 3.83"_s, u"川表 上端（川裏側） 22.00 1.33"_s, u"川表 先端 24.50 0.92"_s,
                       u"川表 上端（川表側） 27.00 0.50"_s, u"川表端 30.00 0.00"_s}
        << u"0.917 0.50 2.50 0.167"_s;
    Study unplaced = twoLinesExample();
    unplaced.stations[1] = std::nullopt;
    QTest::newRow("a pile without a station: none") << unplaced << QString() << QStringList{} << QString();
    unplaced.stations = {};
    QTest::newRow("no stations: none") << unplaced << QString() << QStringList{} << QString();
}

void TestCheck::residualHead()
{
    QFETCH(Study, input);
    QFETCH(QString, weightedLength);
    const std::optional<ResidualHead> path = checkStudy(input).residualHead;
    QCOMPARE(path.has_value(), !weightedLength.isEmpty());
    if (!path)
        return;
    QCOMPARE(path->weightedLength, weightedLength);
    QStringList points;
    for (const HeadPoint &point : path->points)
        points << u"%1 %2 %3"_s.arg(headPointName(input.record, point), point.weightedText, hundredthsText(point.head));
    QTEST(points, "points");
    const std::optional<ExitGradient> &exit = path->exit;
    QTEST(exit ? u"%1 %2 %3 %4"_s.arg(exit->tipHead, exit->topHead, hundredthsText(exit->length), exit->gradient) : QString(),
          "exit");
}

// 設計調書（遮水工）: each row's 計画値 and 判定, from the study and its one
// check (the ratios worked by hand in the rows' names).
void TestCheck::designReview_data()
{
    QTest::addColumn<Study>("input");
    QTest::addColumn<QStringList>("rows");  // "計画値 | 判定", in the summary's order

    const QString none = u"— | —"_s;
    QTest::newRow("example.vek: (2 + 9) / 2 = 5.50, (2 + 10) / 2 = 6.00")
        << exampleVek()
        << QStringList{u"2ヶ所（川表から） | ○"_s, u"レインの式 | ○"_s, u"Ｃ′＝ 5.50 | ×"_s, none, none,
                       u"最短 2.50 m、掘削幅 — | —"_s, u"Ｃ′＝ 6.00 | ×"_s};
    QTest::newRow("example.vek, 既往最高水位時 governs: 11 / 2.40 = 4.58, 12 / 2.40 = 5.00")
        << withCases(exampleVek(), casesOf({u"既往最高水位時 3.40 1.00"_s}))
        << QStringList{u"2ヶ所（川表から） | ○"_s, u"レインの式 | ○"_s, u"Ｃ′＝ 4.58（既往最高水位時） | ×"_s, none, none,
                       u"最短 2.50 m、掘削幅 — | —"_s, u"Ｃ′＝ 5.00（既往最高水位時） | ×"_s};
    QTest::newRow("sluice-gate: (31 + 8 + 5) / 3.50 = 12.57, (31 + 10) / 3.50 = 11.71")
        << sluiceGateVek()
        << QStringList{u"2ヶ所（川表から） | ○"_s, u"ブライの式 | 基準値と異なる（参考）"_s, u"Ｃ′＝ 12.57 | ○"_s, none, none,
                       u"最短 2.50 m、掘削幅 — | —"_s, u"Ｃ′＝ 11.71 | ×"_s};
    QTest::newRow("sluice-gate, every detail given, the reach equal")
        << sluiceGateVek({u"鋼矢板Ⅲ型"_s, 1.0, 1.2, 2.5})
        << QStringList{u"2ヶ所（川表から） | ○"_s, u"ブライの式 | 基準値と異なる（参考）"_s, u"Ｃ′＝ 12.57 | ○"_s,
                       u"鋼矢板Ⅲ型 | ○"_s, u"高さ 1.00 m・幅 1.20 m | ○"_s,
                       u"最短 2.50 m ≧ 掘削幅 2.50 m | 基準値と異なる（参考）"_s, u"Ｃ′＝ 11.71 | ×"_s};
    QTest::newRow("example.vek, every detail given, each short")
        << exampleVek({3.0, 1.5}, {u"ハット形 SP-10H"_s, 0.99, 1.2, 2.51})
        << QStringList{u"2ヶ所（川表から） | ○"_s, u"レインの式 | ○"_s, u"Ｃ′＝ 5.50 | ×"_s,
                       u"ハット形 SP-10H | 基準値と異なる（参考）"_s, u"高さ 0.99 m・幅 1.20 m | ×"_s,
                       u"最短 2.50 m ＜ 掘削幅 2.51 m | ×"_s, u"Ｃ′＝ 6.00 | ×"_s};
    // (2 + 3) / 2 = 2.50.
    QTest::newRow("one line, not in row 1; the wall's height alone; the reach by Lane")
        << exampleVek({0.0, 1.5}, {QString(), 1.2, std::nullopt, 2.0})
        << QStringList{u"1ヶ所（1 行目なし） | ×"_s, u"レインの式 | ○"_s, u"Ｃ′＝ 2.50 | ×"_s, none,
                       u"高さ 1.20 m・幅 — | —"_s, u"最短 2.50 m ≧ 掘削幅 2.00 m | ○"_s, u"Ｃ′＝ 6.00 | ×"_s};
}

void TestCheck::designReview()
{
    QFETCH(Study, input);
    QStringList rows;
    for (const ReviewRow &row : designReviewRows(input, checkStudy(input)))
        rows << row.planned + u" | "_s + reviewVerdictText(row.verdict);
    QTEST(rows, "rows");
}

void TestCheck::uShapedPile_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("uShaped");
    for (const QString &type : u"鋼矢板Ⅲ型 ＳＰ－Ⅳ U形鋼矢板 SP-ⅢW SP-VIL sp-3 Ⅱw型 軽量鋼矢板 軽量U形 SP-10H SP-25H 鋼管矢板 Z形 SP-Ⅰ"_s.split(u' '))
        QTest::newRow(qPrintable(type)) << type << !(type.contains(u"軽量"_s) || u"SP-10H SP-25H 鋼管矢板 Z形 SP-Ⅰ"_s.contains(type));
}

void TestCheck::uShapedPile()
{
    QFETCH(QString, type);
    QTEST(namesUShapedPile(type), "uShaped");
}

QTEST_GUILESS_MAIN(TestCheck)
#include "test_check.moc"
