// Money cells: storing a double rounds to four decimals with ties to even, the range is checked,
// and sums are exact. Tie cases use values whose product with 10000 is exactly k + 0.5 in binary
// (odd multiples of 625/20000), so the test sees a true tie rather than a rounding accident.
#include "core/engine/currency.h"
#include "core/engine/engineerror.h"

#include <QTest>

#include <limits>

class TestCurrency : public QObject {
    Q_OBJECT

private slots:
    void fromDouble_data();
    void fromDouble();
    void fromDoubleOverflow_data();
    void fromDoubleOverflow();
    void arithmetic_data();
    void arithmetic();
    void arithmeticOverflow_data();
    void arithmeticOverflow();
    void toDouble();
};

using qb::Currency;

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

} // namespace

void TestCurrency::fromDouble_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("units");

    QTest::newRow("zero") << 0.0 << qint64(0);
    QTest::newRow("one") << 1.0 << qint64(10000);
    QTest::newRow("hundred thousand") << 100000.0 << qint64(1000000000);
    QTest::newRow("millions with decimals") << 1234567.891 << qint64(12345678910);
    QTest::newRow("2.675 is close enough") << 2.675 << qint64(26750);
    QTest::newRow("fifth decimal rounds up") << 12.34567 << qint64(123457);
    QTest::newRow("negative fifth decimal") << -12.34567 << qint64(-123457);
    QTest::newRow("below half a unit") << 0.00004 << qint64(0);
    QTest::newRow("negative below half a unit") << -0.00004 << qint64(0);
    QTest::newRow("tie 312.5 to even") << 0.03125 << qint64(312);
    QTest::newRow("tie 937.5 to even") << 0.09375 << qint64(938);
    QTest::newRow("tie 1562.5 to even") << 0.15625 << qint64(1562);
    QTest::newRow("tie 2187.5 to even") << 0.21875 << qint64(2188);
    QTest::newRow("tie 10312.5 to even") << 1.03125 << qint64(10312);
    QTest::newRow("negative tie -312.5") << -0.03125 << qint64(-312);
    QTest::newRow("negative tie -937.5") << -0.09375 << qint64(-938);
    QTest::newRow("near the top of the range") << 9e14 << qint64(9000000000000000000);
}

void TestCurrency::fromDouble() {
    QFETCH(double, value);
    QFETCH(qint64, units);
    QCOMPARE(Currency::fromDouble(value).units(), units);
}

void TestCurrency::fromDoubleOverflow_data() {
    QTest::addColumn<double>("value");

    QTest::newRow("1e15") << 1e15;
    QTest::newRow("-1e15") << -1e15;
    // 2^63 / 10000 = 922337203685477.5808; the nearest double above it is .625.
    QTest::newRow("just past 2^63 units") << 922337203685477.625;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("negative infinity") << -std::numeric_limits<double>::infinity();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
}

void TestCurrency::fromDoubleOverflow() {
    QFETCH(double, value);
    QVERIFY_THROWS_EXCEPTION(qb::OverflowError, Currency::fromDouble(value));
}

void TestCurrency::arithmetic_data() {
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<qint64>("sum");
    QTest::addColumn<qint64>("difference");

    // 0.1 and 0.2 as cells: 1000 + 2000 units, with none of the binary error of 0.1 + 0.2.
    QTest::newRow("tenths") << qint64(1000) << qint64(2000) << qint64(3000) << qint64(-1000);
    QTest::newRow("signs") << qint64(-15) << qint64(40) << qint64(25) << qint64(-55);
    QTest::newRow("difference reaches the minimum") << qint64(-1) << kMax << kMax - 1 << kMin;
}

void TestCurrency::arithmetic() {
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(qint64, sum);
    QFETCH(qint64, difference);
    const Currency x = Currency::fromUnits(a);
    const Currency y = Currency::fromUnits(b);
    QCOMPARE((x + y).units(), sum);
    QCOMPARE((x - y).units(), difference);
}

void TestCurrency::arithmeticOverflow_data() {
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("subtract");

    QTest::newRow("max + 1") << kMax << qint64(1) << false;
    QTest::newRow("min + -1") << kMin << qint64(-1) << false;
    QTest::newRow("min - 1") << kMin << qint64(1) << true;
    QTest::newRow("max - -1") << kMax << qint64(-1) << true;
    QTest::newRow("0 - min") << qint64(0) << kMin << true;
    QTest::newRow("max - min") << kMax << kMin << true;
}

void TestCurrency::arithmeticOverflow() {
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(bool, subtract);
    const Currency x = Currency::fromUnits(a);
    const Currency y = Currency::fromUnits(b);
    if (subtract)
        QVERIFY_THROWS_EXCEPTION(qb::OverflowError, x - y);
    else
        QVERIFY_THROWS_EXCEPTION(qb::OverflowError, x + y);
}

void TestCurrency::toDouble() {
    // Dividing the count by 10000 lands on the double nearest the four-decimal amount.
    QVERIFY(Currency::fromUnits(12345678910).toDouble() == 1234567.891);
    QVERIFY(Currency::fromUnits(-3).toDouble() == -0.0003);
}

QTEST_GUILESS_MAIN(TestCurrency)
#include "tst_currency.moc"
