#include "check/creepcheck.h"

#include <QTest>

using namespace talven;

Q_DECLARE_METATYPE(talven::Formula)

class TestCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sigmaL_data();
    void sigmaL();
    void section_data();
    void section();
    void zeroHeadHasNoRatio();
    void verdictFromShownTexts_data();
    void verdictFromShownTexts();
    void referenceSigmaL_data();
    void referenceSigmaL();
    void reportNotReady_data();
    void reportNotReady();
    void firstTabProblem_data();
    void firstTabProblem();
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
    const std::optional<SectionResult> result =
        checkSection(formula, seepageLength, sigmaL, headDifference, creepRatio);
    QVERIFY(result.has_value());
    QTEST(result->numerator, "numerator");
    QTEST(result->denominator, "denominator");
    QTEST(result->provided, "provided");
    QTEST(result->required, "required");
    QTEST(result->ok, "ok");
}

void TestCheck::zeroHeadHasNoRatio()
{
    QVERIFY(!checkSection(Formula::Lane, 6.0, 9.0, 0.0, 8.5).has_value());
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

void TestCheck::reportNotReady_data()
{
    QTest::addColumn<double>("waterLevel1");
    QTest::addColumn<double>("waterLevel2");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<bool>("notReady");
    QTest::newRow("ready") << 3.0 << 1.0 << 8.5 << false;
    QTest::newRow("equal levels") << 2.0 << 2.0 << 8.5 << true;
    QTest::newRow("inverted levels") << 1.0 << 3.0 << 8.5 << true;
    QTest::newRow("no ratio") << 3.0 << 1.0 << 0.0 << true;
}

void TestCheck::reportNotReady()
{
    QFETCH(double, waterLevel1);
    QFETCH(double, waterLevel2);
    QFETCH(double, creepRatio);
    StudyRecord record;
    record.baseValues[3] = waterLevel1;
    record.baseValues[4] = waterLevel2;
    record.creepRatio = creepRatio;
    QTEST(talven::reportNotReady(record), "notReady");
    const Message message = reportNotReadyMessage();
    QCOMPARE(message.prompt, QStringLiteral("水位データおよび\r\nクリープ比の選択を確認してください"));
    QCOMPARE(message.icon, MessageIcon::Stop);
}

void TestCheck::firstTabProblem_data()
{
    QTest::addColumn<double>("headDifference");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("caption");
    QTest::newRow("fine") << 2.0 << 8.5 << 0 << QString() << QString();
    QTest::newRow("equal levels") << 0.0 << 8.5 << 1 << QStringLiteral("水位差が０以下の場合は計算できません")
                                  << QStringLiteral("タルヴェン・データに不備があります");
    QTest::newRow("no ratio") << 2.0 << 0.0 << 2
                              << QStringLiteral("使用する計算式と\r\nクリープ比を指定してください")
                              << QStringLiteral("タルヴェン・データの不足です");
    QTest::newRow("both") << -1.0 << 0.0 << 3
                          << QStringLiteral("水位差が０以下の場合は計算できません\r\nまた、使用する計算式とクリープ比を指定してください")
                          << QStringLiteral("タルヴェン・データに不備があります");
}

void TestCheck::firstTabProblem()
{
    QFETCH(double, headDifference);
    QFETCH(double, creepRatio);
    QFETCH(int, problem);
    QCOMPARE(talven::firstTabProblem(headDifference, creepRatio), problem);
    const Message message = firstTabProblemMessage(problem);
    QTEST(message.prompt, "prompt");
    QTEST(message.caption, "caption");
    if (problem != 0)
        QCOMPARE(message.icon, MessageIcon::Stop);
}

QTEST_GUILESS_MAIN(TestCheck)
#include "test_check.moc"
