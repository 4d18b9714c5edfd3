#include "study/numbers.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace talven;

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leadingNumber_data();
    void leadingNumber();
    void formatNumber_data();
    void formatNumber();
    void generalNumber_data();
    void generalNumber();
    void generalNumberReadsBack_data();
    void generalNumberReadsBack();
};

void TestNumbers::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("lone minus") << QStringLiteral("-") << 0.0;
    QTest::newRow("lone point") << QStringLiteral(".") << 0.0;
    QTest::newRow("minus point") << QStringLiteral("-.") << 0.0;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 5.0;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("two points") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("leading blanks") << QStringLiteral("   12.5") << 12.5;
    QTest::newRow("leading tab") << QStringLiteral("\t7") << 7.0;
    QTest::newRow("negative") << QStringLiteral("-999.99") << -999.99;
    QTest::newRow("negative fraction") << QStringLiteral("-.25") << -0.25;
    QTest::newRow("stops at letter") << QStringLiteral("3.5m") << 3.5;
    QTest::newRow("stops at blank") << QStringLiteral("12 34") << 12.0;
    QTest::newRow("no plus sign") << QStringLiteral("+5") << 0.0;
    QTest::newRow("comma is no point") << QStringLiteral("3,5") << 3.0;
    QTest::newRow("no exponent") << QStringLiteral("1e3") << 1.0;
    QTest::newRow("full-width digits stop") << QStringLiteral("１２") << 0.0;
    QTest::newRow("minus zero") << QStringLiteral("-0") << 0.0;
    QTest::newRow("leading zeros") << QStringLiteral("007.50") << 7.5;
    QTest::newRow("tiny") << (QStringLiteral("0.") + QString(400, u'0') + u'1') << 0.0;
}

void TestNumbers::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = talven::leadingNumber(text);
    QVERIFY2(actual == expected, qPrintable(QStringLiteral("%1 read as %2").arg(text).arg(actual, 0, 'g', 17)));
    QVERIFY(!std::signbit(actual) || actual != 0.0);
}

void TestNumbers::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QString>("expected");
    const int two = int(NumberPattern::TwoDecimals);
    const int one = int(NumberPattern::OneDecimal);
    const int whole = int(NumberPattern::Whole);
    const int wholeOrEmpty = int(NumberPattern::WholeOrEmpty);
    QTest::newRow("2.675 up although binary is below") << 2.675 << two << QStringLiteral("2.68");
    QTest::newRow("1.005 up") << 1.005 << two << QStringLiteral("1.01");
    QTest::newRow("0.125 up") << 0.125 << two << QStringLiteral("0.13");
    QTest::newRow("-2.675 away from zero") << -2.675 << two << QStringLiteral("-2.68");
    QTest::newRow("zero") << 0.0 << two << QStringLiteral("0.00");
    QTest::newRow("3.5 padded") << 3.5 << two << QStringLiteral("3.50");
    QTest::newRow("no grouping") << 12345.678 << two << QStringLiteral("12345.68");
    QTest::newRow("carry through nines") << 9.995 << two << QStringLiteral("10.00");
    QTest::newRow("carry to new digit") << 99.999 << two << QStringLiteral("100.00");
    QTest::newRow("small rounds to zero has no sign") << -0.004 << two << QStringLiteral("0.00");
    QTest::newRow("small negative rounds away") << -0.005 << two << QStringLiteral("-0.01");
    QTest::newRow("below precision") << 0.0004 << two << QStringLiteral("0.00");
    QTest::newRow("just half below precision") << 0.0051 << two << QStringLiteral("0.01");
    QTest::newRow("negative water level") << -999.99 << two << QStringLiteral("-999.99");
    QTest::newRow("sum 0.1 + 0.2") << 0.1 + 0.2 << two << QStringLiteral("0.30");
    QTest::newRow("large") << 1e20 << two << QStringLiteral("100000000000000000000.00");
    QTest::newRow("-2.5 whole") << -2.5 << whole << QStringLiteral("-3");
    QTest::newRow("2.5 whole") << 2.5 << whole << QStringLiteral("3");
    QTest::newRow("0.4 whole") << 0.4 << whole << QStringLiteral("0");
    QTest::newRow("-0.4 whole has no sign") << -0.4 << whole << QStringLiteral("0");
    QTest::newRow("18 whole") << 18.0 << whole << QStringLiteral("18");
    QTest::newRow("7.5 ## rounds") << 7.5 << wholeOrEmpty << QStringLiteral("8");
    QTest::newRow("7.4 ##") << 7.4 << wholeOrEmpty << QStringLiteral("7");
    QTest::newRow("0.4 ## empty") << 0.4 << wholeOrEmpty << QString();
    QTest::newRow("0 ## empty") << 0.0 << wholeOrEmpty << QString();
    QTest::newRow("0.5 ## one") << 0.5 << wholeOrEmpty << QStringLiteral("1");
    QTest::newRow("8.5 one decimal") << 8.5 << one << QStringLiteral("8.5");
    QTest::newRow("7 one decimal") << 7.0 << one << QStringLiteral("7.0");
    QTest::newRow("0.05 one decimal") << 0.05 << one << QStringLiteral("0.1");
    QTest::newRow("1.25 one decimal") << 1.25 << one << QStringLiteral("1.3");
    QTest::newRow("-0.05 one decimal") << -0.05 << one << QStringLiteral("-0.1");
    QTest::newRow("infinity stays printable") << std::numeric_limits<double>::infinity() << two
                                              << QStringLiteral("0.00");
}

void TestNumbers::formatNumber()
{
    QFETCH(double, value);
    QFETCH(int, pattern);
    QFETCH(QString, expected);
    QCOMPARE(talven::formatNumber(value, NumberPattern(pattern)), expected);
    // The check's whole hundredths round alike (below 10^10, where they are held).
    if (NumberPattern(pattern) == NumberPattern::TwoDecimals && std::fabs(value) < 1e10)
        QCOMPARE(hundredthsText(hundredths(value)), expected);
}

void TestNumbers::generalNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("lane first class") << 20108.5 << QStringLiteral("20108.5");
    QTest::newRow("bligh first class") << 10118.0 << QStringLiteral("10118");
    QTest::newRow("lane no class") << 20000.0 << QStringLiteral("20000");
    QTest::newRow("typed fraction") << 10400.0 + 7.4 << QStringLiteral("10407.4");
    QTest::newRow("negative") << -12.25 << QStringLiteral("-12.25");
    QTest::newRow("small") << 0.001 << QStringLiteral("0.001");
    QTest::newRow("fifteen digits") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("large exponent") << 1e20 << QStringLiteral("1E+20");
    QTest::newRow("tiny exponent") << 1.5e-20 << QStringLiteral("1.5E-20");
}

void TestNumbers::generalNumber()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(talven::generalNumber(value), expected);
}

void TestNumbers::generalNumberReadsBack_data()
{
    QTest::addColumn<double>("value");
    for (double v : {10101.0, 10118.0, 10407.5, 10409.0, 20111.8, 20208.5, 29999.99})
        QTest::newRow(qPrintable(QString::number(v, 'f', 2))) << v;
}

void TestNumbers::generalNumberReadsBack()
{
    QFETCH(double, value);
    const QString text = talven::generalNumber(value);
    QCOMPARE(talven::leadingNumber(text), value);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
