#include "check/studycheck.h"
#include "study/numbers.h"

#include <QTest>

using namespace talven;

Q_DECLARE_METATYPE(talven::Formula)
Q_DECLARE_METATYPE(talven::Readiness)

namespace {

// A study with L in the first dimension, ΔH as WL1 over a WL2 of 0, and ΣL
// as one unticked vertical pile.
StudyInput studyOf(Formula formula, double seepageLength, double sigmaL, double headDifference,
                   double creepRatio)
{
    StudyInput input;
    input.formula = formula;
    input.record.baseValues = {seepageLength, 0.0, 0.0, headDifference, 0.0};
    input.record.verticalLengths[0] = sigmaL;
    input.record.creepRatio = creepRatio;
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
    QCOMPARE(talven::sigmaL(lengths, ticks), expected);
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
    QTest::newRow("lane just below 8.5 rounds up and passes")
        << Formula::Lane << 0.0 << 16.9999 << 2.0 << 8.5
        << QStringLiteral("0.00＋17.00") << QStringLiteral("2.00") << QStringLiteral("8.50") << QStringLiteral("8.50") << true;
    QTest::newRow("lane a little below a whole C")
        << Formula::Lane << 0.0 << 2.996 << 1.0 << 3.0
        << QStringLiteral("0.00＋3.00") << QStringLiteral("1.00") << QStringLiteral("3.00") << QStringLiteral("3.00") << true;
    QTest::newRow("lane just below rounds down and fails")
        << Formula::Lane << 0.0 << 2.994 << 1.0 << 3.0
        << QStringLiteral("0.00＋2.99") << QStringLiteral("1.00") << QStringLiteral("2.99") << QStringLiteral("3.00") << false;
    QTest::newRow("lane L over three")
        << Formula::Lane << 12.0 << 0.0 << 2.0 << 2.0
        << QStringLiteral("4.00＋0.00") << QStringLiteral("2.00") << QStringLiteral("2.00") << QStringLiteral("2.00") << true;
    QTest::newRow("negative head gives NG")
        << Formula::Bligh << 6.0 << 9.0 << -2.0 << 4.0
        << QStringLiteral("6.00＋9.00") << QStringLiteral("-2.00") << QStringLiteral("-7.50") << QStringLiteral("4") << false;
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
    QTEST(check.headDifferenceText, "denominator");
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
    QVERIFY(!providedRatio(Formula::Bligh, 6.0, 9.0, 0.0).has_value());
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
    QTEST(ratioMeetsRequirement(provided, required), "ok");
}

void TestCheck::referenceSigmaL_data()
{
    QTest::addColumn<Formula>("formula");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<double>("seepageLength");
    QTest::addColumn<double>("headDifference");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lane 8.5 x 2 - 12/3") << Formula::Lane << 8.5 << 12.0 << 2.0 << QStringLiteral("13.00");
    QTest::newRow("bligh 9 x 2 - 12") << Formula::Bligh << 9.0 << 12.0 << 2.0 << QStringLiteral("6.00");
    QTest::newRow("nothing missing") << Formula::Bligh << 4.0 << 12.0 << 2.0 << QStringLiteral("0.00");
    QTest::newRow("exactly enough") << Formula::Bligh << 6.0 << 12.0 << 2.0 << QStringLiteral("0.00");
}

void TestCheck::referenceSigmaL()
{
    QFETCH(Formula, formula);
    QFETCH(double, creepRatio);
    QFETCH(double, seepageLength);
    QFETCH(double, headDifference);
    QTEST(referenceSigmaLText(formula, creepRatio, seepageLength, headDifference), "expected");
}

void TestCheck::readiness_data()
{
    QTest::addColumn<double>("waterLevel1");
    QTest::addColumn<double>("waterLevel2");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<Readiness>("readiness");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("caption");
    QTest::newRow("ready") << 3.0 << 1.0 << 8.5 << Readiness::Ready << QString() << QString();
    QTest::newRow("equal levels") << 2.0 << 2.0 << 8.5 << Readiness::HeadNotAboveZero
                                  << QStringLiteral("水位差が０以下の場合は計算できません")
                                  << QStringLiteral("タルヴェン・データに不備があります");
    QTest::newRow("no ratio") << 3.0 << 1.0 << 0.0 << Readiness::NoCreepRatio
                              << QStringLiteral("使用する計算式と\r\nクリープ比を指定してください")
                              << QStringLiteral("タルヴェン・データの不足です");
    QTest::newRow("inverted levels, no ratio")
        << 1.0 << 3.0 << 0.0 << Readiness::NeitherHeadNorRatio
        << QStringLiteral("水位差が０以下の場合は計算できません\r\nまた、使用する計算式とクリープ比を指定してください")
        << QStringLiteral("タルヴェン・データに不備があります");
}

void TestCheck::readiness()
{
    QFETCH(double, waterLevel1);
    QFETCH(double, waterLevel2);
    QFETCH(double, creepRatio);
    QFETCH(Readiness, readiness);
    StudyInput input;
    input.record.baseValues[3] = waterLevel1;
    input.record.baseValues[4] = waterLevel2;
    input.record.creepRatio = creepRatio;
    const StudyCheck check = checkStudy(input);
    QCOMPARE(check.readiness, readiness);
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

QTEST_GUILESS_MAIN(TestCheck)
#include "test_check.moc"
