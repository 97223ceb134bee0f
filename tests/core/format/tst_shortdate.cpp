// Short dates and day serials: the widened four-digit-year pattern in a few locales, reading back
// what was written, the ISO fallback, and month arithmetic at month ends.
#include "core/format/shortdate.h"

#include <QTest>

class TestShortDate : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pattern_data();
    void pattern();
    void roundTrip_data();
    void roundTrip();
    void roundTripInEveryLocale();
    void parse_data();
    void parse();
    void serial_data();
    void serial();
    void addMonths_data();
    void addMonths();
    void addDays_data();
    void addDays();
};

Q_DECLARE_METATYPE(std::optional<QDate>)

namespace {

QLocale usEnglish() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}
QLocale german() {
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace

void TestShortDate::initTestCase() {
    QLocale::setDefault(usEnglish());
}

void TestShortDate::pattern_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("written");

    QTest::newRow("en_US widens yy") << usEnglish() << "M/d/yyyy"
                                     << "1/31/2027";
    QTest::newRow("de_DE widens yy") << german() << "dd.MM.yyyy"
                                     << "31.01.2027";
    QTest::newRow("C already has yyyy") << QLocale::c() << "d MMM yyyy"
                                        << "31 Jan 2027";
}

void TestShortDate::pattern() {
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QFETCH(QString, written);
    QCOMPARE(qb::ShortDatePattern(locale), expected);
    QCOMPARE(qb::ToShortDate(QDate(2027, 1, 31), locale), written);
}

void TestShortDate::roundTrip_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("date");

    const QList<QDate> dates{QDate(2027, 1, 31), QDate(2000, 2, 29), QDate(1999, 12, 31),
                             QDate(2067, 6, 5)};
    const QList<QLocale> locales{usEnglish(), german(), QLocale::c()};
    for (const QLocale& locale : locales) {
        for (QDate date : dates) {
            QTest::addRow("%s %s", qPrintable(locale.name()),
                          qPrintable(date.toString(Qt::ISODate)))
                << locale << date;
        }
    }
}

void TestShortDate::roundTrip() {
    QFETCH(QLocale, locale);
    QFETCH(QDate, date);
    const std::optional<QDate> back = qb::ParseShortDate(qb::ToShortDate(date, locale), locale);
    QVERIFY(back.has_value());
    QCOMPARE(*back, date);
}

// Whatever the locale's digits and names, a date the program writes reads back as the same date;
// some locales write digits from beyond the 16-bit range of characters.
void TestShortDate::roundTripInEveryLocale() {
    const QList<QDate> dates{QDate(2027, 1, 31), QDate(2028, 2, 29), QDate(9999, 12, 31)};
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QVERIFY(locales.size() > 100);
    QStringList failures;
    for (const QLocale& locale : locales) {
        for (QDate date : dates) {
            const QString text = qb::ToShortDate(date, locale);
            if (qb::ParseShortDate(text, locale) != date)
                failures << locale.name() + u' ' + text;
        }
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
}

void TestShortDate::parse_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<QDate>>("expected");

    const std::optional<QDate> none;
    const std::optional<QDate> endOfJanuary = QDate(2027, 1, 31);
    QTest::newRow("short form") << usEnglish() << "1/31/2027" << endOfJanuary;
    QTest::newRow("surrounding blanks") << usEnglish() << "  1/31/2027 \t" << endOfJanuary;
    QTest::newRow("ISO in en_US") << usEnglish() << "2027-01-31" << endOfJanuary;
    QTest::newRow("ISO in de_DE") << german() << "2027-01-31" << endOfJanuary;
    QTest::newRow("German short form") << german() << "31.01.2027" << endOfJanuary;
    QTest::newRow("US form in de_DE") << german() << "1/31/2027" << none;
    QTest::newRow("month 31") << usEnglish() << "31/31/2027" << none;
    QTest::newRow("30 February") << usEnglish() << "2/30/2027" << none;
    QTest::newRow("ISO 30 February") << usEnglish() << "2027-02-30" << none;
    QTest::newRow("words") << usEnglish() << "hello" << none;
    QTest::newRow("empty") << usEnglish() << "" << none;
    QTest::newRow("blanks only") << usEnglish() << "   " << none;
}

void TestShortDate::parse() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(std::optional<QDate>, expected);
    const std::optional<QDate> actual = qb::ParseShortDate(text, locale);
    QCOMPARE(actual.has_value(), expected.has_value());
    if (expected)
        QCOMPARE(*actual, *expected);
}

void TestShortDate::serial_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("serial");

    QTest::newRow("day zero") << QDate(1899, 12, 30) << 0;
    QTest::newRow("day before") << QDate(1899, 12, 29) << -1;
    QTest::newRow("1900-01-01") << QDate(1900, 1, 1) << 2;
    QTest::newRow("2000-01-01") << QDate(2000, 1, 1) << 36526;
    // 2000-01-01 plus 27 years of which 7 leap (2000..2024), plus 30 days.
    QTest::newRow("2027-01-31") << QDate(2027, 1, 31) << 36526 + 27 * 365 + 7 + 30;
}

void TestShortDate::serial() {
    QFETCH(QDate, date);
    QFETCH(int, serial);
    QCOMPARE(qb::DateToSerial(date), serial);
    QCOMPARE(qb::SerialToDate(serial), date);
}

void TestShortDate::addMonths_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("months");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("31 Jan to February") << QDate(2027, 1, 31) << 1 << QDate(2027, 2, 28);
    QTest::newRow("31 Jan to leap February") << QDate(2028, 1, 31) << 1 << QDate(2028, 2, 29);
    QTest::newRow("31 Jan plus two keeps the 31st")
        << QDate(2027, 1, 31) << 2 << QDate(2027, 3, 31);
    QTest::newRow("31 Mar back one") << QDate(2027, 3, 31) << -1 << QDate(2027, 2, 28);
    QTest::newRow("into next year") << QDate(2027, 12, 15) << 1 << QDate(2028, 1, 15);
    QTest::newRow("thirty years") << QDate(2027, 1, 31) << 360 << QDate(2057, 1, 31);
    QTest::newRow("leap day plus a year") << QDate(2028, 2, 29) << 12 << QDate(2029, 2, 28);
}

void TestShortDate::addMonths() {
    QFETCH(QDate, date);
    QFETCH(int, months);
    QFETCH(QDate, expected);
    QCOMPARE(qb::AddMonths(date, months), expected);
}

void TestShortDate::addDays_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("days");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("end of February") << QDate(2027, 2, 28) << 1 << QDate(2027, 3, 1);
    QTest::newRow("leap February") << QDate(2028, 2, 28) << 1 << QDate(2028, 2, 29);
    QTest::newRow("year end") << QDate(2027, 12, 31) << 1 << QDate(2028, 1, 1);
    QTest::newRow("two weeks back") << QDate(2027, 1, 10) << -14 << QDate(2026, 12, 27);
}

void TestShortDate::addDays() {
    QFETCH(QDate, date);
    QFETCH(int, days);
    QFETCH(QDate, expected);
    QCOMPARE(qb::AddDays(date, days), expected);
}

QTEST_GUILESS_MAIN(TestShortDate)
#include "tst_shortdate.moc"
