// Number pictures and Val. The expected texts are worked out by hand from the picture rules:
// rounding half away from zero on the value's 15-digit decimal form, optional and required
// digits, thousands separators, and the sign of values that round to zero.
#include "core/format/format.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

class TestFormat : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void format_data();
    void format();
    void val_data();
    void val();
    void roundToEightDecimals_data();
    void roundToEightDecimals();
    void roundToEightDecimalsMatchesTextRoundTrip_data();
    void roundToEightDecimalsMatchesTextRoundTrip();
};

namespace {

void addFormatRow(const char* tag, double value, const char* picture, const char* expected) {
    QTest::newRow(tag) << value << QString::fromLatin1(picture) << QString::fromLatin1(expected);
}

void addValRow(const char* tag, const QString& text, double expected) {
    QTest::newRow(tag) << text << expected;
}

} // namespace

void TestFormat::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestFormat::format_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("expected");
    constexpr double inf = std::numeric_limits<double>::infinity();

    addFormatRow("doubled comma, hundred thousand", 100000, "####,,###.00", "100,000.00");
    addFormatRow("doubled comma, millions", 1234567.891, "####,,###.00", "1,234,567.89");
    addFormatRow("doubled comma, loan total", 1363053.65, "####,,###.00", "1,363,053.65");
    addFormatRow("doubled comma, tie in the millions", 123456789.125, "####,,###.00",
                 "123,456,789.13");
    addFormatRow("doubled comma, negative", -1234.5, "####,,###.00", "-1,234.50");
    addFormatRow("doubled comma, carry across separator", 999999.995, "####,,###.00",
                 "1,000,000.00");
    addFormatRow("doubled comma, below a thousand", 999, "####,,###.00", "999.00");
    addFormatRow("doubled comma, zero", 0, "####,,###.00", ".00");
    addFormatRow("doubled comma, negative tie", -0.005, "####,,###.00", "-.01");
    addFormatRow("three-place doubled comma", 12345.675, "###,,###.00", "12,345.68");
    addFormatRow("two-place doubled comma", 1000, "##,,###.00", "1,000.00");
    addFormatRow("two-place doubled comma, billions", 1234567890, "##,,###.00", "1,234,567,890.00");
    addFormatRow("single comma", 1234.5, "###,###.00", "1,234.50");
    addFormatRow("single comma, millions", 1234567, "###,###.00", "1,234,567.00");

    addFormatRow("no leading zero", 0.5, "###.00", ".50");
    addFormatRow("zero keeps required decimals", 0, "###.00", ".00");
    addFormatRow("tie whose double is below", 2.675, "###.00", "2.68");
    addFormatRow("tie 1.005", 1.005, "###.00", "1.01");
    addFormatRow("tie rounds away", 0.125, "###.00", ".13");
    addFormatRow("negative tie rounds away", -0.125, "###.00", "-.13");
    addFormatRow("negative rounding to zero has no sign", -0.001, "###.00", ".00");
    addFormatRow("just below the tie", 0.00499999, "###.00", ".00");
    addFormatRow("carry into the integer", 0.995, "###.00", "1.00");
    addFormatRow("no separators without comma", 1234.5, "###.00", "1234.50");
    addFormatRow("integer digits beyond the places", 1234567.891, "###.00", "1234567.89");

    addFormatRow("optional decimals kept", 365.25, "###.##", "365.25");
    addFormatRow("optional decimals trimmed", 365.2, "###.##", "365.2");
    addFormatRow("point stays without decimals", 365, "###.##", "365.");
    addFormatRow("zero is a lone point", 0, "###.##", ".");

    addFormatRow("whole, zero is empty", 0, "###", "");
    addFormatRow("whole, more digits than places", 1234567, "###", "1234567");
    addFormatRow("whole, tie", 2.5, "###", "3");
    addFormatRow("whole, negative tie", -2.5, "###", "-3");
    addFormatRow("whole, negative rounding to zero", -0.4, "###", "");
    addFormatRow("four places", 2100, "####", "2100");
    addFormatRow("four places, five digits", 12345, "####", "12345");

    addFormatRow("required digits pad", 5, "00", "05");
    addFormatRow("required digits zero", 0, "00", "00");
    addFormatRow("required digits overflow", 123, "00", "123");
    addFormatRow("required digits carry", 9.5, "00", "10");

    addFormatRow("rate with leading zero", 0.00833333333, "0.########", "0.00833333");
    addFormatRow("whole rate with leading zero", 1, "0.########", "1.");
    addFormatRow("rate without leading zero", 0.5, "#.########", ".5");
    addFormatRow("rate, sum of tenths", 0.1 + 0.2, "#.########", ".3");
    addFormatRow("rate, tie at the eighth decimal", 0.123456785, "#.########", ".12345679");
    addFormatRow("rate, tiny negative rounds away", -0.000000005, "#.########", "-.00000001");
    addFormatRow("rate, whole", 2, "#.##", "2.");

    addFormatRow("infinity", inf, "###.00", "");
    addFormatRow("negative infinity", -inf, "####,,###.00", "");
    addFormatRow("NaN", std::numeric_limits<double>::quiet_NaN(), "###.00", "");

    addFormatRow("short date", 46418, "Short Date", "1/31/2027");
    addFormatRow("short date rounds the serial", 46417.6, "Short Date", "1/31/2027");
    addFormatRow("short date, serial zero", 0, "Short Date", "12/30/1899");
}

void TestFormat::format() {
    QFETCH(double, value);
    QFETCH(QString, picture);
    QFETCH(QString, expected);
    QCOMPARE(qb::Format(value, picture), expected);
}

void TestFormat::val_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    addValRow("blanks inside the number", QStringLiteral("  1 2.5"), 12.5);
    addValRow("tabs and line breaks", QStringLiteral("\t-\r\n4 2"), -42);
    addValRow("blanks around the point", QStringLiteral("7 . 5"), 7.5);
    addValRow("stops at a comma", QStringLiteral("1,234"), 1);
    addValRow("leading currency sign", QStringLiteral("$5"), 0);
    addValRow("rate text", QStringLiteral(".00833333"), 0.00833333);
    addValRow("trailing letters", QStringLiteral("-3.5abc"), -3.5);
    addValRow("trailing percent", QStringLiteral("12%"), 12);
    addValRow("empty", QString(), 0);
    addValRow("blanks only", QStringLiteral("   "), 0);
    addValRow("garbage", QStringLiteral("abc"), 0);
    addValRow("plus sign", QStringLiteral("+7"), 7);
    addValRow("sign then blank", QStringLiteral("- 5"), -5);
    addValRow("two signs", QStringLiteral("--5"), 0);
    addValRow("sign alone", QStringLiteral("-"), 0);
    addValRow("point alone", QStringLiteral("."), 0);
    addValRow("trailing point", QStringLiteral("5."), 5);
    addValRow("second point stops", QStringLiteral("1.2.3"), 1.2);
    addValRow("exponent", QStringLiteral("1e3"), 1000);
    addValRow("negative exponent", QStringLiteral("2.5E-2"), 0.025);
    addValRow("D exponent", QStringLiteral("1D2"), 100);
    addValRow("d exponent with sign", QStringLiteral("1d+2"), 100);
    addValRow("blanks in the exponent", QStringLiteral("1 e 2"), 100);
    addValRow("letter without digits", QStringLiteral("3E"), 3);
    addValRow("letter and sign without digits", QStringLiteral("3E+"), 3);
    addValRow("letter then other text", QStringLiteral("3Ex"), 3);
    addValRow("exponent without mantissa", QStringLiteral("e3"), 0);
    addValRow("underflow", QStringLiteral("1e-400"), 0);
}

void TestFormat::val() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    // Exact: the conversion must land on the double nearest the decimal text.
    const double actual = qb::Val(text);
    QVERIFY2(actual == expected, qPrintable(QString::number(actual, 'g', 17)));
}

void TestFormat::roundToEightDecimals_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("monthly rate of 10%") << 0.1 / 12 << 0.00833333;
    // 1.05^(1/6) = exp(ln 1.05 / 6) = exp(0.0081316940) = 1.0081648458...
    QTest::newRow("bimonthly equivalent of 5%") << std::pow(1.05, 1.0 / 6) - 1 << 0.00816485;
    QTest::newRow("already short") << 0.125 << 0.125;
    QTest::newRow("tie rounds away") << 0.123456785 << 0.12345679;
    QTest::newRow("below the last decimal") << 1e-9 << 0.0;
    QTest::newRow("negative tie") << -0.000000005 << -0.00000001;
}

void TestFormat::roundToEightDecimals() {
    QFETCH(double, value);
    QFETCH(double, expected);
    const double actual = qb::RoundToEightDecimals(value);
    QVERIFY2(actual == expected, qPrintable(QString::number(actual, 'g', 17)));
}

// The rounding must give exactly what formatting with "#.########" and reading the text back
// gives, sign of zero included, for any double: random bit patterns cover every magnitude,
// infinities and NaNs; the ties are every half of the eighth decimal below 0.01, where the rate
// factors live, with their negatives.
void TestFormat::roundToEightDecimalsMatchesTextRoundTrip_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("random bit patterns") << 0;
    QTest::newRow("random rates") << 1;
    QTest::newRow("every tie below 0.01") << 2;
}

void TestFormat::roundToEightDecimalsMatchesTextRoundTrip() {
    QFETCH(int, kind);
    std::mt19937_64 generator(14 + static_cast<unsigned>(kind));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    QString mismatch;
    const auto matches = [&mismatch](double value) {
        const double expected = qb::Val(qb::Format(value, u"#.########"));
        const double actual = qb::RoundToEightDecimals(value);
        if (std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected))
            return true;
        mismatch = QStringLiteral("%1 rounds to %2, the text gives %3")
                       .arg(value, 0, 'g', 17)
                       .arg(actual, 0, 'g', 17)
                       .arg(expected, 0, 'g', 17);
        return false;
    };
    if (kind == 2) {
        for (int n = 0; n < 1'000'000; ++n) {
            const double tie = (n + 0.5) / 1e8;
            if (!matches(tie) || !matches(-tie))
                QFAIL(qPrintable(mismatch));
        }
        return;
    }
    for (int i = 0; i < 500'000; ++i) {
        // Rates and factors between 10^-12 and 10^9, or any double at all.
        const double value = kind == 1 ? std::pow(10.0, unit(generator) * 21 - 12)
                                       : std::bit_cast<double>(generator());
        if (!matches(value))
            QFAIL(qPrintable(mismatch));
    }
}

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
