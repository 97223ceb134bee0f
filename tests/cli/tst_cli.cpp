// The command-line tool run in-process over string buffers: the published figures of the default
// mortgage and its variants, how each option reaches the schedule, the three output forms and
// the refusal of bad input. Figures are compared in cents, as the window shows them.
#include "cli/clirun.h"
#include "cli/jsonwriter.h"
#include "core/format/entrytext.h"
#include "core/format/shortdate.h"
#include "core/state/shared.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <limits>

namespace {

using qb::CliRun;

CliRun run(const QStringList& arguments) {
    return qb::RunTool(arguments);
}

// "schedule" with JSON output; an empty object when the run failed or printed no JSON object.
QJsonObject schedule(QStringList options) {
    options.prepend(QStringLiteral("schedule"));
    options << QStringLiteral("--format") << QStringLiteral("json");
    const CliRun result = run(options);
    if (result.status != 0 || !result.err.isEmpty()) {
        qWarning() << "run failed:" << result.status << result.err;
        return {};
    }
    return QJsonDocument::fromJson(result.out.toUtf8()).object();
}

qint64 cents(const QJsonValue& value) {
    return qRound64(value.toDouble() * 100);
}
qint64 units(const QJsonValue& value) {
    return qRound64(value.toDouble() * 10000);
}

QJsonObject lastRow(const QJsonObject& result) {
    return result[u"rows"].toArray().last().toObject();
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void workedFigures_data();
    void workedFigures();
    void exactMoney_data();
    void exactMoney();
    void paymentFollowsListChoices_data();
    void paymentFollowsListChoices();
    void weeklyRateFollowsDaysPerYear();
    void annualViewSummarisesEachYear();
    void paymentDates_data();
    void paymentDates();
    void extraPayments_data();
    void extraPayments();
    void csvMatchesJson();
    void textShowsGridRowsAndTotals();
    void badInput_data();
    void badInput();
    void termLimits_data();
    void termLimits();
    void messagesShowValuesSafely_data();
    void messagesShowValuesSafely();
    void failedWriteIsAFailure_data();
    void failedWriteIsAFailure();
    void help_data();
    void help();
};

void TestCli::workedFigures_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<qint64>("payment");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("paymentsPerYear");
    QTest::addColumn<qint64>("yearsToRetire"); // hundredths
    QTest::addColumn<qint64>("principal");
    QTest::addColumn<qint64>("interest"); // -1 when no figure is published

    QTest::newRow("default mortgage")
        << QStringList{} << 90870LL << 300 << 12 << 2500LL << 10000000LL << 17260985LL;
    QTest::newRow("defaults spelled out")
        << QStringList{"--principal=100000", "--rate=10", "--years=25",      "--view=all",
                       "--compounding",      "monthly",   "--days-per-year", "365"}
        << 90870LL << 300 << 12 << 2500LL << 10000000LL << 17260985LL;
    QTest::newRow("biweekly accelerated") << QStringList{"--frequency", "biweekly-acc"} << 45435LL
                                          << 484 << 26 << 1862LL << 10000000LL << 11971131LL;
    QTest::newRow("semiannual compounding") << QStringList{"--compounding", "semiannual"} << 89449LL
                                            << 300 << 12 << 2500LL << 10000000LL << 16834659LL;
    QTest::newRow("48-month loan") << QStringList{"--principal", "20000", "--months", "48"}
                                   << 50725LL << 48 << 12 << 400LL << 2000000LL << -1LL;
}

void TestCli::workedFigures() {
    QFETCH(QStringList, options);
    QFETCH(qint64, payment);
    QFETCH(int, rows);
    QFETCH(int, paymentsPerYear);
    QFETCH(qint64, yearsToRetire);
    QFETCH(qint64, principal);
    QFETCH(qint64, interest);

    const QJsonObject result = schedule(options);
    QCOMPARE(cents(result[u"payment"]), payment);
    QCOMPARE(result[u"payments_per_year"].toInt(), paymentsPerYear);
    QCOMPARE(cents(result[u"years_to_retire"]), yearsToRetire);
    const QJsonArray table = result[u"rows"].toArray();
    QCOMPARE(table.size(), rows);
    for (int i = 0; i < table.size(); ++i)
        QCOMPARE(table[i].toObject()[u"number"].toInt(), i + 1);

    const QJsonObject last = lastRow(result);
    QCOMPARE(last[u"balance"].toDouble(), 0.0);
    QCOMPARE(cents(last[u"cumulative_principal"]), principal);
    if (interest >= 0) {
        QCOMPARE(cents(last[u"cumulative_interest"]), interest);
        QCOMPARE(cents(result[u"total_paid"]), principal + interest);
    }
}

// Every name reaches its own list entry: with one discount for the term, the payment is the
// monthly one spread over the payments of a month, and less frequent compounding charges less.
void TestCli::paymentFollowsListChoices_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<qint64>("payment");
    QTest::addColumn<int>("paymentsPerYear");

    const auto frequency = [](const char* name) {
        return QStringList{"--frequency", name};
    };
    const auto compounding = [](const char* name) {
        return QStringList{"--compounding", name};
    };
    QTest::newRow("monthly") << frequency("monthly") << 90870LL << 12;
    QTest::newRow("semimonthly") << frequency("semimonthly") << 45435LL << 24;
    QTest::newRow("2-weeks") << frequency("2-weeks") << 41940LL << 26;
    QTest::newRow("1-week") << frequency("1-week") << 20970LL << 52;
    QTest::newRow("biweekly-acc") << frequency("biweekly-acc") << 45435LL << 26;
    QTest::newRow("weekly-acc") << frequency("weekly-acc") << 22718LL << 52;
    QTest::newRow("bimonthly") << compounding("bimonthly") << 90579LL << 12;
    QTest::newRow("quarterly") << compounding("quarterly") << 90291LL << 12;
    QTest::newRow("semiannual") << compounding("semiannual") << 89449LL << 12;
    QTest::newRow("annual") << compounding("annual") << 87850LL << 12;
}

void TestCli::paymentFollowsListChoices() {
    QFETCH(QStringList, options);
    QFETCH(qint64, payment);
    QFETCH(int, paymentsPerYear);

    const QJsonObject result = schedule(options);
    QCOMPARE(cents(result[u"payment"]), payment);
    QCOMPARE(result[u"payments_per_year"].toInt(), paymentsPerYear);
}

// A longer year holds more weeks, so each week's share of the monthly rate is smaller; a
// 364-day year is exactly 52 weeks: (1 + 0.10 / 12) ^ (12 / 52) - 1.
void TestCli::weeklyRateFollowsDaysPerYear() {
    double previous = 0;
    for (const char* days : {"365.25", "365", "364", "363", "362", "361", "360"}) {
        const QJsonObject result =
            schedule({"--frequency", "1-week", "--days-per-year", QString::fromLatin1(days)});
        const double factor = result[u"interest_rate_factor"].toDouble();
        QVERIFY2(factor > previous, days);
        if (qstrcmp(days, "364") == 0)
            QVERIFY(qAbs(factor - 0.001916943333048593) < 1e-15);
        previous = factor;
    }
    QCOMPARE(schedule({"--days-per-year", "360"})[u"payment"].toDouble(),
             schedule({})[u"payment"].toDouble());
}

// Each year's row carries the running totals of its last payment.
void TestCli::annualViewSummarisesEachYear() {
    const QJsonArray years = schedule({"--view", "annual"})[u"rows"].toArray();
    const QJsonArray payments = schedule({})[u"rows"].toArray();
    QCOMPARE(years.size(), 25);
    for (int year = 1; year <= 25; ++year) {
        const QJsonObject row = years[year - 1].toObject();
        const QJsonObject december = payments[year * 12 - 1].toObject();
        QCOMPARE(row[u"number"].toInt(), year);
        QCOMPARE(payments[year * 12 - 12][u"year"].toInt(), year);
        QCOMPARE(payments[year * 12 - 1][u"year"].toInt(), year);
        QVERIFY(row[u"year"].isNull());
        QVERIFY(row[u"date"].isNull());
        for (const char* key : {"balance", "cumulative_interest", "cumulative_principal"})
            QCOMPARE(row[QLatin1String(key)].toDouble(), december[QLatin1String(key)].toDouble());
    }
    QCOMPARE(cents(years.last()[u"cumulative_interest"]), 17260985LL);
}

void TestCli::paymentDates_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("date");

    const QStringList monthly{"--first-date", "2027-01-31"};
    QTest::newRow("first payment") << monthly << 1 << "2027-01-31";
    QTest::newRow("end of a shorter month") << monthly << 2 << "2027-02-28";
    QTest::newRow("month end kept after February") << monthly << 3 << "2027-03-31";
    QTest::newRow("a year on") << monthly << 13 << "2028-01-31";
    QTest::newRow("2 weeks") << QStringList{"--frequency", "2-weeks", "--first-date", "2027-01-31"}
                             << 2 << "2027-02-14";
    QTest::newRow("1 week") << QStringList{"--frequency", "1-week", "--first-date", "2027-01-31"}
                            << 2 << "2027-02-07";
    QTest::newRow("semimonthly second half")
        << QStringList{"--frequency", "semimonthly", "--first-date", "2027-01-01"} << 2
        << "2027-01-15";
    QTest::newRow("semimonthly next month")
        << QStringList{"--frequency", "semimonthly", "--first-date", "2027-01-01"} << 3
        << "2027-02-01";
    QTest::newRow("yearly view") << QStringList{"--view", "annual", "--first-date", "2027-01-31"}
                                 << 2 << "2028-01-31";
}

void TestCli::paymentDates() {
    QFETCH(QStringList, options);
    QFETCH(int, row);
    QFETCH(QString, date);

    const QJsonArray rows = schedule(options)[u"rows"].toArray();
    QVERIFY(rows.size() >= row);
    QCOMPARE(rows[row - 1][u"date"].toString(), date);
    QVERIFY(rows[row - 1][u"year"].isNull());
}

// Year 3 starts with payment 25; an extra amount goes to that payment's principal.
void TestCli::extraPayments_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("yearsApplied");
    QTest::addColumn<qint64>("extraInPayment25"); // ten-thousandths

    QTest::newRow("none") << QStringList{} << 0 << 0LL;
    QTest::newRow("one year") << QStringList{"--extra", "3:1500"} << 1 << 15000000LL;
    QTest::newRow("two years") << QStringList{"--extra", "3:1500", "--extra=5:1000"} << 2
                               << 15000000LL;
    QTest::newRow("repeated year keeps the last")
        << QStringList{"--extra", "3:200", "--extra", "3:1500"} << 1 << 15000000LL;
    QTest::newRow("repeated year cleared")
        << QStringList{"--extra", "3:1500", "--extra", "3:0"} << 0 << 0LL;
    QTest::newRow("year with leading zeros")
        << QStringList{"--extra", "003:1500"} << 1 << 15000000LL;
}

void TestCli::extraPayments() {
    QFETCH(QStringList, options);
    QFETCH(int, yearsApplied);
    QFETCH(qint64, extraInPayment25);

    const QJsonObject plain = schedule({});
    const QJsonObject result = schedule(options);
    QCOMPARE(result[u"extra_payment_years_applied"].toInt(), yearsApplied);

    const QJsonArray rows = result[u"rows"].toArray();
    const QJsonArray plainRows = plain[u"rows"].toArray();
    QCOMPARE(rows[23][u"balance"].toDouble(), plainRows[23][u"balance"].toDouble());
    QCOMPARE(units(rows[24][u"principal"]) - units(plainRows[24][u"principal"]), extraInPayment25);

    const QJsonObject last = lastRow(result);
    QCOMPARE(last[u"balance"].toDouble(), 0.0);
    QCOMPARE(cents(last[u"cumulative_principal"]), 10000000LL);
    if (yearsApplied == 0) {
        QCOMPARE(rows.size(), 300);
        QCOMPARE(result[u"interest_savings"].toDouble(), 0.0);
    } else {
        QVERIFY(rows.size() < 300);
        QVERIFY(result[u"interest_savings"].toDouble() > 0);
        QVERIFY(last[u"cumulative_interest"].toDouble() <
                lastRow(plain)[u"cumulative_interest"].toDouble());
    }
}

void TestCli::csvMatchesJson() {
    const QStringList options{"--first-date", "2027-01-31", "--extra", "2:2500"};
    const CliRun csv = run(QStringList{"schedule", "--format", "csv"} + options);
    QCOMPARE(csv.status, 0);
    const QJsonArray rows = schedule(options)[u"rows"].toArray();
    const QStringList lines = csv.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), QString("number,year,date,interest,principal,balance,"
                                    "cumulative_interest,cumulative_principal"));
    QCOMPARE(lines.size(), rows.size() + 1);
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject row = rows[i].toObject();
        QStringList expected{QString::number(row[u"number"].toInt()), QString(),
                             row[u"date"].toString()};
        for (const char* key :
             {"interest", "principal", "balance", "cumulative_interest", "cumulative_principal"})
            expected << QString::number(row[QLatin1String(key)].toDouble(), 'f', 4);
        QCOMPARE(lines[i + 1].split(u','), expected);
    }
    QCOMPARE(lines.last().split(u',').value(5), QString("0.0000"));
    QCOMPARE(lines.last().split(u',').value(7), QString("100000.0000"));
    QVERIFY(run({"schedule", "--format", "json"})
                .out.contains("\"balance\": 0.0000, \"cumulative_interest\": 172609.8"));
}

void TestCli::textShowsGridRowsAndTotals() {
    const CliRun text = run({"schedule"});
    QCOMPARE(text.status, 0);
    const QStringList lines = text.out.split(u'\n');
    QCOMPARE(lines.filter(QRegularExpression("^Payment: +908\\.70$")).size(), 1);
    QCOMPARE(lines.filter(QRegularExpression("^Total paid: +272,609\\.85$")).size(), 1);
    QCOMPARE(lines.filter(QRegularExpression("^Years to final payment: +25\\.00$")).size(), 1);

    // The last payment clears the balance, which the grid shows as ".00".
    const QString lastTotals = qb::PadColumn(".00", 16) + qb::PadColumn("172,609.85", 16) +
                               qb::PadColumn("100,000.00", 16);
    const QStringList last = lines.filter(QRegularExpression("^ 300      25 "));
    QCOMPARE(last.size(), 1);
    QVERIFY(last.first().endsWith(lastTotals));
    QCOMPARE(lines.filter(QRegularExpression("^ +\\d+ +\\d+ ")).size(), 300);
    const QStringList total = lines.filter(QRegularExpression("^Total: "));
    QCOMPARE(total.size(), 1);
    QVERIFY(total.first().endsWith(lastTotals));

    const QString dated = run({"schedule", "--first-date", "2027-01-31"}).out;
    QVERIFY(dated.contains(u'\n' + qb::ToShortDate(QDate(2027, 2, 28)) + u' '));
    const QStringList yearly = run({"schedule", "--view", "annual"}).out.split(u'\n');
    const QStringList year25 = yearly.filter(QRegularExpression("^  25 "));
    QCOMPARE(year25.size(), 1);
    QVERIFY(year25.first().endsWith(lastTotals));
}

void TestCli::badInput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const auto with = [](QStringList options) {
        return QStringList{"schedule"} + options;
    };
    QTest::newRow("no command") << QStringList{} << "no command";
    QTest::newRow("unknown command") << QStringList{"amortize"} << "unknown command \"amortize\"";
    QTest::newRow("unknown option") << with({"--rat", "5"}) << "unknown option \"--rat\"";
    QTest::newRow("unknown option with value") << with({"--colour=red"}) << "\"--colour\"";
    QTest::newRow("stray argument") << with({"100000"}) << "unexpected argument \"100000\"";
    QTest::newRow("missing value at the end") << with({"--rate"}) << "--rate: missing value";
    QTest::newRow("option taken for a value")
        << with({"--rate", "--years", "5"}) << "--rate: missing value";
    // An empty value is a value, read by the option's own rules.
    QTest::newRow("empty value") << with({"--rate="}) << "--rate: \"\" is not a number";
    QTest::newRow("empty next argument")
        << with({"--principal", ""}) << "--principal: \"\" is not a number";
    QTest::newRow("empty term") << with({"--years", ""})
                                << "--years: \"\" is not a whole number from 1 to 40";
    QTest::newRow("empty extra") << with({"--extra="}) << "--extra: \"\" is not YEAR:AMOUNT";
    QTest::newRow("word") << with({"--rate", "abc"}) << "--rate: \"abc\" is not a number";
    QTest::newRow("trailing letters") << with({"--principal", "10abc"}) << "\"10abc\"";
    QTest::newRow("thousands separator") << with({"--principal", "100,000"}) << "\"100,000\"";
    QTest::newRow("blank around") << with({"--years", " 25"}) << "--years: \" 25\"";
    QTest::newRow("negative") << with({"--rate", "-1"}) << "--rate: \"-1\" must not be negative";
    QTest::newRow("infinite") << with({"--principal", "inf"}) << "--principal: \"inf\"";
    QTest::newRow("not a number") << with({"--months", "nan"}) << "--months: \"nan\"";
    QTest::newRow("past the cells") << with({"--principal", "1e300"}) << "--principal: \"1e300\"";
    QTest::newRow("both terms") << with({"--years", "5", "--months", "60"}) << "--months";
    QTest::newRow("compounding") << with({"--compounding", "daily"}) << "--compounding: \"daily\"";
    QTest::newRow("frequency") << with({"--frequency", "Monthly"}) << "--frequency: \"Monthly\"";
    QTest::newRow("view") << with({"--view", "yearly"}) << "--view: \"yearly\"";
    QTest::newRow("format") << with({"--format", "xml"}) << "--format: \"xml\"";
    QTest::newRow("days per year") << with({"--days-per-year", "366"}) << "--days-per-year";
    QTest::newRow("no such day") << with({"--first-date", "2027-02-30"}) << "--first-date";
    QTest::newRow("day first") << with({"--first-date", "31/01/2027"}) << "--first-date";
    QTest::newRow("short month") << with({"--first-date", "2027-1-31"}) << "--first-date";
    QTest::newRow("extra without amount") << with({"--extra", "3"}) << "--extra: \"3\"";
    QTest::newRow("extra empty amount") << with({"--extra", "3:"}) << "--extra: \"3:\"";
    QTest::newRow("extra without year") << with({"--extra", ":100"}) << "--extra: \":100\"";
    QTest::newRow("extra fractional year") << with({"--extra", "3.5:100"}) << "\"3.5:100\"";
    QTest::newRow("extra year 0") << with({"--extra", "0:100"}) << "--extra: \"0:100\"";
    QTest::newRow("extra year 46") << with({"--extra", "46:100"}) << "--extra: \"46:100\"";
    QTest::newRow("extra word") << with({"--extra", "3:abc"}) << "--extra: \"abc\"";
    QTest::newRow("extra negative") << with({"--extra", "3:-5"}) << "--extra: \"-5\"";
    QTest::newRow("extra two colons") << with({"--extra", "3:100:5"}) << "\"3:100:5\"";
    QTest::newRow("zero rate") << with({"--rate", "0"}) << "Wrong entry, try again";
    QTest::newRow("zero term") << with({"--years", "0"})
                               << "--years: \"0\" is not a whole number from 1 to 40";
    QTest::newRow("41 years") << with({"--years", "41"}) << "Wrong entry, 40 Years limit.";
    QTest::newRow("492 months") << with({"--months", "492"}) << "Wrong entry, 480 Month limit.";
}

void TestCli::badInput() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const CliRun result = run(arguments);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.startsWith("quillbrook-cli: "), qPrintable(result.err));
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.err.count(u'\n'), 1);
    QVERIFY(result.err.endsWith(u'\n'));
}

// Terms are whole numbers within the windows' limits, and an additional payment goes only to a
// year the Additional Payments window offers: the term in years, halves rounded to even.
void TestCli::termLimits_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>(
        "message"); // the whole line after the program's name; empty: accepted

    QTest::newRow("40 years") << QStringList{"--years", "40"} << "";
    QTest::newRow("1 year") << QStringList{"--years", "1"} << "";
    QTest::newRow("leading zero") << QStringList{"--years", "040"} << "";
    QTest::newRow("480 months") << QStringList{"--months", "480"} << "";
    QTest::newRow("1 month") << QStringList{"--months", "1"} << "";
    QTest::newRow("41 years") << QStringList{"--years", "41"}
                              << "--years 41: Wrong entry, 40 Years limit.";
    QTest::newRow("huge years") << QStringList{"--years", "99999999999999999999"}
                                << "--years 99999999999999999999: Wrong entry, 40 Years limit.";
    QTest::newRow("481 months") << QStringList{"--months", "481"}
                                << "--months 481: Wrong entry, 480 Month limit.";
    QTest::newRow("40.99 years") << QStringList{"--years", "40.99"}
                                 << "--years: \"40.99\" is not a whole number from 1 to 40";
    QTest::newRow("0.01 years") << QStringList{"--years", "0.01"}
                                << "--years: \"0.01\" is not a whole number from 1 to 40";
    QTest::newRow("25.0 years") << QStringList{"--years", "25.0"}
                                << "--years: \"25.0\" is not a whole number from 1 to 40";
    QTest::newRow("negative years")
        << QStringList{"--years", "-5"} << "--years: \"-5\" is not a whole number from 1 to 40";
    QTest::newRow("0.4 months") << QStringList{"--months", "0.4"}
                                << "--months: \"0.4\" is not a whole number from 1 to 480";
    QTest::newRow("0 months") << QStringList{"--months", "000"}
                              << "--months: \"000\" is not a whole number from 1 to 480";
    QTest::newRow("exponent") << QStringList{"--months", "1e2"}
                              << "--months: \"1e2\" is not a whole number from 1 to 480";

    QTest::newRow("last year of the default term") << QStringList{"--extra", "25:100"} << "";
    QTest::newRow("year after the default term")
        << QStringList{"--extra", "26:100"} << "--extra 26:100: Year number does not exist.";
    QTest::newRow("term given after the extra") << QStringList{"--extra", "11:100", "--years", "10"}
                                                << "--extra 11:100: Year number does not exist.";
    QTest::newRow("6-month loan offers none") << QStringList{"--months", "6", "--extra", "1:100"}
                                              << "--extra 1:100: Year number does not exist.";
    QTest::newRow("30 months offer 2") << QStringList{"--months", "30", "--extra", "2:100"} << "";
    QTest::newRow("30 months, year 3") << QStringList{"--months", "30", "--extra", "3:100"}
                                       << "--extra 3:100: Year number does not exist.";
    QTest::newRow("42 months offer 4") << QStringList{"--months", "42", "--extra", "4:100"} << "";
    QTest::newRow("18 months offer 2") << QStringList{"--months", "18", "--extra", "2:100"} << "";
    QTest::newRow("an empty amount counts too") << QStringList{"--years", "5", "--extra", "6:0"}
                                                << "--extra 6:0: Year number does not exist.";
    QTest::newRow("payment named as given") << QStringList{"--years", "10", "--extra", "011:5"}
                                            << "--extra 011:5: Year number does not exist.";
}

void TestCli::termLimits() {
    QFETCH(QStringList, options);
    QFETCH(QString, message);

    const CliRun result = run(QStringList{"schedule", "--format", "csv"} + options);
    if (message.isEmpty()) {
        QCOMPARE(result.err, QString());
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.count(u'\n') > 1);
    } else {
        QCOMPARE(result.err, "quillbrook-cli: " + message + u'\n');
        QCOMPARE(result.status, 2);
        QCOMPARE(result.out, QString());
    }
}

// A value is quoted on one line, its control characters as C escapes, the characters that
// would reorder or break the line as \uHHHH, and at most 40 of its characters.
void TestCli::messagesShowValuesSafely_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const QString forty(40, u'7');
    QTest::newRow("line break") << QStringList{"schedule", "--rate", "5\n6"}
                                << "--rate: \"5\\n6\" is not a number";
    QTest::newRow("control characters")
        << QStringList{"schedule", "--rate", QStringLiteral("\r\t\x01\x1b[2J\x7f\u0085")}
        << "--rate: \"\\r\\t\\x01\\x1b[2J\\x7f\\x85\" is not a number";
    QTest::newRow("forty characters kept whole")
        << QStringList{"schedule", "--principal", forty.chopped(1) + u'x'}
        << "--principal: \"" + forty.chopped(1) + "x\" is not a number";
    QTest::newRow("forty-one characters cut")
        << QStringList{"schedule", "--principal", forty + u'x'}
        << "--principal: \"" + forty + "...\" is not a number";
    QTest::newRow("100,000 characters")
        << QStringList{"schedule", "--principal", QString(100000, u'9') + u'x'}
        << "--principal: \"" + QString(40, u'9') + "...\" is not a number";
    QTest::newRow("escapes of a cut value")
        << QStringList{"schedule", "--rate", QString(39, u'a') + "\n\n"}
        << "--rate: \"" + QString(39, u'a') + "\\n...\" is not a number";
    QTest::newRow("unknown command")
        << QStringList{"sched\nule"}
        << "unknown command \"sched\\nule\"; try \"quillbrook-cli --help\"";
    QTest::newRow("stray argument")
        << QStringList{"schedule", "\x1b]0;x\x07"} << "unexpected argument \"\\x1b]0;x\\x07\"";
    QTest::newRow("unknown option")
        << QStringList{"schedule", "--a\tb=1"} << "unknown option \"--a\\tb\"";
    QTest::newRow("direction controls and line separators")
        << QStringList{"schedule", "--rate",
                       QStringLiteral("\u061C\u200E\u200F\u202A\u202B\u202C\u202D\u202E\u2066"
                                      "\u2067\u2068\u2069\u2028\u2029")}
        << "--rate: \"\\u061C\\u200E\\u200F\\u202A\\u202B\\u202C\\u202D\\u202E\\u2066"
           "\\u2067\\u2068\\u2069\\u2028\\u2029\" is not a number";
    QTest::newRow("override among control characters")
        << QStringList{"schedule", "--principal", QStringLiteral("1\u202E0\x01")}
        << "--principal: \"1\\u202E0\\x01\" is not a number";
    QTest::newRow("term") << QStringList{"schedule", "--months", "4\n"}
                          << "--months: \"4\\n\" is not a whole number from 1 to 480";
}

void TestCli::messagesShowValuesSafely() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const CliRun result = run(arguments);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.err, "quillbrook-cli: " + message + u'\n');
}

// Output that does not reach its file is a failure, never a success with the output cut.
void TestCli::failedWriteIsAFailure_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");

    QTest::newRow("full disk") << QStringList{"schedule"} << "/dev/full"
                               << "No space left on device";
    QTest::newRow("help on a full disk") << QStringList{"--help"} << "/dev/full"
                                         << "No space left on device";
    QTest::newRow("file open for reading only")
        << QStringList{"schedule", "--format", "csv"} << "/dev/null"
        << "";
}

void TestCli::failedWriteIsAFailure() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, path);
    QFETCH(QString, reason);
    if (!QFile::exists(path))
        QSKIP("no such device here");

    QFile file(path);
    QVERIFY(file.open(reason.isEmpty() ? QIODevice::ReadOnly : QIODevice::WriteOnly));
    if (reason.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ReadOnly device"));
    QString errors;
    QTextStream out(&file);
    QTextStream err(&errors);
    const int status = qb::RunCli(arguments, out, err);
    err.flush();
    QCOMPARE(status, 1);
    QVERIFY2(errors.startsWith("quillbrook-cli: cannot write the output: "), qPrintable(errors));
    QVERIFY2(errors.endsWith(reason + u'\n'), qPrintable(errors));
    QCOMPARE(errors.count(u'\n'), 1);
}

void TestCli::help_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("help") << QStringList{"help"};
    QTest::newRow("schedule --help") << QStringList{"schedule", "--help"};
    QTest::newRow("after options") << QStringList{"schedule", "--rate", "5", "--help"};
}

void TestCli::help() {
    QFETCH(QStringList, arguments);

    const CliRun result = run(arguments);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QString());
    for (const char* option :
         {"--principal", "--rate", "--years", "--months", "--compounding", "--frequency", "--view",
          "--first-date", "--extra", "--days-per-year", "--format", "biweekly-acc", "semiannual"})
        QVERIFY2(result.out.contains(QLatin1String(option)), option);
}

// A money cell as the CSV and JSON write it: every unit of its four decimals, a minus before a
// debt, nothing rounded however large the amount.
void TestCli::exactMoney_data() {
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("written");
    QTest::newRow("nothing") << qint64(0) << "0.0000";
    QTest::newRow("one unit") << qint64(1) << "0.0001";
    QTest::newRow("a cent") << qint64(100) << "0.0100";
    QTest::newRow("default principal") << qint64(1000000000) << "100000.0000";
    QTest::newRow("a debt") << qint64(-12345678901) << "-1234567.8901";
    QTest::newRow("less than a cent owed") << qint64(-5) << "-0.0005";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
}

void TestCli::exactMoney() {
    QFETCH(qint64, units);
    QFETCH(QString, written);
    QCOMPARE(qb::ExactMoney(qb::Currency::fromUnits(units)), written);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
