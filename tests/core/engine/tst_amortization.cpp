// The amortization engine against the published worked figures and hand-checked schedules:
// payments, row counts, totals, additional payments, dates, the yearly summary and failures.
#include "core/format/format.h"
#include "core/format/shortdate.h"
#include "core/settings/daysperyear.h"
#include "core/state/calculation.h"

#include <QTest>

#include <cmath>

using namespace qb;

namespace {

const QString kMonthly = QStringLiteral("      Monthly");
const QString kSemimonthly = QStringLiteral("  Semimonthly");
const QString kTwoWeeks = QStringLiteral("      2 Weeks");
const QString kOneWeek = QStringLiteral("      1 Week");
const QString kBiweeklyAcc = QStringLiteral(" Biweekly(Acc)");
const QString kWeeklyAcc = QStringLiteral("   Weekly(Acc)");
const QString kSemiannual = QStringLiteral("   Semiannual");
const QString kQuarterly = QStringLiteral("    Quarterly");

qint64 cents(double value) {
    return std::llround(value * 100);
}
qint64 cents(Currency value) {
    return cents(value.toDouble());
}

SharedState makeState(double principal, double rate, double years, int view = 2,
                      int dayFactor = kDefaultDayFactorChoice) {
    SharedState state;
    SizeCalculationTables(state);
    ApplyDaysPerYear(state, dayFactor);
    state.InputValues[1] = Currency::fromDouble(principal);
    state.InputValues[2] = Currency::fromDouble(rate);
    state.InputValues[3] = Currency::fromDouble(years);
    state.TableView = static_cast<std::int16_t>(view);
    return state;
}

Currency cell(const SharedState& state, int row, int column) {
    return state.LastSchedule.rows.at(row, column);
}

QDate dateAt(const SharedState& state, int row) {
    return SerialToDate(static_cast<int>(cell(state, row, 7).units() / Currency::kScale));
}

// Records the moments at which the window would show figures.
class Recorder : public CalculationListener {
public:
    void ratesKnown(const Calculation&) override { events += QLatin1Char('r'); }
    void paymentKnown(const Calculation&) override { events += QLatin1Char('p'); }
    void yearsToRetireKnown(const Calculation&) override { events += QLatin1Char('y'); }
    void extraPaymentApplied(int year, Currency amount) override {
        events += QStringLiteral("e%1:%2").arg(year).arg(cents(amount));
    }
    QString events;
};

} // namespace

class TestAmortization : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void workedFigures_data();
    void workedFigures();
    void compoundingRates_data();
    void compoundingRates();
    void everyPairEndsConsistently_data();
    void everyPairEndsConsistently();
    void paymentSplitsTheMonthlyPayment_data();
    void paymentSplitsTheMonthlyPayment();
    void twoWeeksTermDependsOnTheDaysPerYear();
    void acceleratedPaymentsSaveInterest();
    void additionalPayments();
    void additionalPaymentReachingTheBalanceIsIgnored();
    void yearlySummary_data();
    void yearlySummary();
    void yearlySummaryIgnoresRowsPastTheLastPayment();
    void yearNumbersOfEveryPaymentView();
    void paymentDates_data();
    void paymentDates();
    void yearlyViewDates();
    void sevenMonthLoan();
    void everyLoanTermPaysOffExactly();
    void termLimit();
    void failures_data();
    void failures();
    void rowsBeyondTheTableFail();
    void listenerSeesFiguresBeforeAFailure();
    void scheduleFromATypedInput_data();
    void scheduleFromATypedInput();
};

void TestAmortization::workedFigures_data() {
    QTest::addColumn<double>("principal");
    QTest::addColumn<double>("years");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("compounding");
    QTest::addColumn<qint64>("payment");
    QTest::addColumn<int>("rows");
    QTest::addColumn<qint64>("totalInterest");
    QTest::addColumn<qint64>("yearsToRetire");

    QTest::newRow("default mortgage")
        << 100000.0 << 25.0 << kMonthly << kMonthly << 90870LL << 300 << 17260985LL << 2500LL;
    QTest::newRow("biweekly accelerated")
        << 100000.0 << 25.0 << kBiweeklyAcc << kMonthly << 45435LL << 484 << 11971131LL << 1862LL;
    QTest::newRow("semiannual compounding")
        << 100000.0 << 25.0 << kMonthly << kSemiannual << 89449LL << 300 << 16834659LL << 2500LL;
    QTest::newRow("48-month loan")
        << 20000.0 << 4.0 << kMonthly << kMonthly << 50725LL << 48 << -1LL << 400LL;
}

void TestAmortization::workedFigures() {
    QFETCH(double, principal);
    QFETCH(double, years);
    QFETCH(QString, frequency);
    QFETCH(QString, compounding);
    QFETCH(qint64, payment);
    QFETCH(int, rows);
    QFETCH(qint64, totalInterest);
    QFETCH(qint64, yearsToRetire);

    SharedState state = makeState(principal, 10, years);
    const Calculation result = Calculate(state, frequency, compounding);

    QCOMPARE(cents(result.payment), payment);
    QCOMPARE(state.LastSchedule.tableRows, rows);
    QCOMPARE(result.lastRow, rows);
    QCOMPARE(state.DataCount, rows + 1);
    QCOMPARE(cell(state, rows, 4), Currency());
    QCOMPARE(cents(cell(state, rows, 6)), cents(principal));
    if (totalInterest >= 0)
        QCOMPARE(cents(cell(state, rows, 5)), totalInterest);
    QCOMPARE(result.totalPaid, cell(state, rows, 5) + cell(state, rows, 6));
    QCOMPARE(cents(state.LastSchedule.figures.yearsToRetire.value_or(0)), yearsToRetire);
}

void TestAmortization::compoundingRates_data() {
    QTest::addColumn<QString>("compounding");
    QTest::addColumn<double>("monthlyRate");
    QTest::newRow("monthly") << kMonthly << 0.10 / 12;
    QTest::newRow("bimonthly") << QStringLiteral("    Bimonthly")
                               << std::pow(1 + 0.10 / 6, 0.5) - 1;
    QTest::newRow("quarterly") << kQuarterly << std::pow(1.025, 1.0 / 3) - 1;
    QTest::newRow("semiannual") << kSemiannual << std::pow(1.05, 1.0 / 6) - 1;
    QTest::newRow("annual") << QStringLiteral("       Annual") << std::pow(1.10, 1.0 / 12) - 1;
}

void TestAmortization::compoundingRates() {
    QFETCH(QString, compounding);
    QFETCH(double, monthlyRate);
    SharedState state = makeState(100000, 10, 25);
    const Calculation result = Calculate(state, kMonthly, compounding);
    QVERIFY(std::abs(result.monthlyRate - monthlyRate) < 1e-15);
    // Monthly payments are charged the monthly rate, so both factors agree.
    QVERIFY(std::abs(result.periodicRate - monthlyRate) < 1e-15);
    QCOMPARE(cell(state, 1, 2), Currency::fromDouble(RoundToEightDecimals(monthlyRate) * 100000));
}

void TestAmortization::everyPairEndsConsistently_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("compounding");
    for (const Frequency& f : kFrequencies) {
        for (const Compounding& c : kCompoundings) {
            const QString fText = QStringView(f.text).toString();
            const QString cText = QStringView(c.text).toString();
            QTest::addRow("%s/%s", qPrintable(fText.trimmed()), qPrintable(cText.trimmed()))
                << fText << cText;
        }
    }
}

// Whatever the pair, the rows must chain: each balance is the previous one less the principal,
// the cumulative columns add up the rows, and a retired loan ends at exactly zero.
void TestAmortization::everyPairEndsConsistently() {
    QFETCH(QString, frequency);
    QFETCH(QString, compounding);
    SharedState state = makeState(150000, 7.5, 20);
    const Calculation result = Calculate(state, frequency, compounding);
    const int rows = result.lastRow;
    const int bound = std::lround(20.0 * state.LastSchedule.figures.paymentsPerYear);
    QVERIFY(rows > 0 && rows <= bound);

    Currency interest;
    Currency principal;
    Currency previousBalance = Currency::fromDouble(150000);
    for (int i = 1; i <= rows; ++i) {
        QCOMPARE(cell(state, i, 1).units(), qint64(i) * Currency::kScale);
        interest = interest + cell(state, i, 2);
        principal = principal + cell(state, i, 3);
        QVERIFY2(std::llabs((previousBalance - cell(state, i, 3) - cell(state, i, 4)).units()) <= 1,
                 qPrintable(QStringLiteral("row %1").arg(i)));
        QVERIFY(std::llabs((cell(state, i, 5) - interest).units()) <= i);
        QVERIFY(std::llabs((cell(state, i, 6) - principal).units()) <= i);
        previousBalance = cell(state, i, 4);
    }
    if (rows < bound || cell(state, rows, 4) < Currency::fromDouble(2)) {
        QCOMPARE(cell(state, rows, 4), Currency());
        QCOMPARE(cents(cell(state, rows, 6)), 15000000LL);
    }
}

void TestAmortization::paymentSplitsTheMonthlyPayment_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<double>("share");
    QTest::addColumn<int>("paymentsPerYear");
    QTest::newRow("monthly") << kMonthly << 1.0 << 12;
    QTest::newRow("semimonthly") << kSemimonthly << 0.5 << 24;
    QTest::newRow("2 weeks") << kTwoWeeks << 12.0 / 26 << 26;
    QTest::newRow("1 week") << kOneWeek << 12.0 / 52 << 52;
    QTest::newRow("biweekly acc") << kBiweeklyAcc << 0.5 << 26;
    QTest::newRow("weekly acc") << kWeeklyAcc << 0.25 << 52;
}

void TestAmortization::paymentSplitsTheMonthlyPayment() {
    QFETCH(QString, frequency);
    QFETCH(double, share);
    QFETCH(int, paymentsPerYear);
    // 908.70049... is the monthly payment of the default mortgage.
    SharedState monthly = makeState(100000, 10, 25);
    const double monthlyPayment = Calculate(monthly, kMonthly, kMonthly).payment;
    QCOMPARE(cents(monthlyPayment), 90870LL);

    SharedState state = makeState(100000, 10, 25);
    const Calculation result = Calculate(state, frequency, kMonthly);
    QVERIFY(std::abs(result.payment - monthlyPayment * share) < 1e-9);
    QCOMPARE(state.LastSchedule.figures.paymentsPerYear, paymentsPerYear);
}

void TestAmortization::twoWeeksTermDependsOnTheDaysPerYear() {
    // 26.07 periods a year, each charged the compounded share of the monthly rate, retire the
    // loan a little before its 650 payments. On a 360-day year the 25.71 periods charge more
    // than the payment covers, and the term ends with a balance left to pay.
    SharedState state = makeState(100000, 10, 25);
    const Calculation result = Calculate(state, kTwoWeeks, kMonthly);
    QVERIFY(result.lastRow < 650);
    QVERIFY(result.lastRow > 600);
    QCOMPARE(cell(state, result.lastRow, 4), Currency());

    SharedState short360 = makeState(100000, 10, 25, 2, FindDaysPerYearChoice(u"360"));
    QCOMPARE(Calculate(short360, kTwoWeeks, kMonthly).lastRow, 650);
    QVERIFY(cell(short360, 650, 4) > Currency::fromDouble(1000));
}

void TestAmortization::acceleratedPaymentsSaveInterest() {
    SharedState monthly = makeState(100000, 10, 25);
    const Calculation plain = Calculate(monthly, kMonthly, kMonthly);
    // Without extras the monthly schedule pays what it was planned to pay: no savings.
    QCOMPARE(plain.interestSavings, Currency());
    // The planned total is 300 payments of the unrounded payment; the schedule itself charges
    // the rate kept to eight decimals and comes to a few cents less, which is no saving.
    QVERIFY(std::abs(plain.scheduledTotal - 300 * plain.payment) < 1e-6);
    QVERIFY(plain.scheduledTotal - plain.totalPaid.toDouble() < 10);

    SharedState state = makeState(100000, 10, 25);
    const Calculation result = Calculate(state, kBiweeklyAcc, kMonthly);
    QCOMPARE(cents(result.totalPaid), 21971131LL);
    QCOMPARE(cents(result.interestSavings), cents(plain.scheduledTotal - 219711.31));
    QVERIFY(result.interestSavings > Currency::fromDouble(52000));
}

void TestAmortization::additionalPayments() {
    SharedState plain = makeState(100000, 10, 25);
    Calculate(plain, kMonthly, kMonthly);

    SharedState state = makeState(100000, 10, 25);
    state.PrePayTable.at(1, 2) = Currency::fromDouble(1000);
    state.PrePayTable.at(3, 2) = Currency::fromDouble(1500);
    state.PrePayCount = 2;
    Recorder recorder;
    const Calculation result = Calculate(state, kMonthly, kMonthly, &recorder);

    // Year 1's amount goes with payment 1 and year 3's with payment 25, the first of that year.
    QVERIFY(std::llabs((cell(state, 1, 3) - cell(plain, 1, 3)).units() - 10000000) <= 1);
    QVERIFY(std::llabs((cell(state, 25, 3) - cell(state, 24, 3)).units() - 15000000) <= 100000);
    QCOMPARE(result.extraPaymentYearsApplied, 2);
    QCOMPARE(recorder.events, QStringLiteral("rpe1:100000e3:150000y"));
    QVERIFY(result.lastRow < 300);
    QCOMPARE(cell(state, result.lastRow, 4), Currency());
    QCOMPARE(cents(cell(state, result.lastRow, 6)), 10000000LL);
    QVERIFY(result.interestSavings > Currency::fromDouble(1000));
}

void TestAmortization::additionalPaymentReachingTheBalanceIsIgnored() {
    SharedState plain = makeState(100000, 10, 25);
    const Calculation expected = Calculate(plain, kMonthly, kMonthly);

    SharedState state = makeState(100000, 10, 25);
    state.PrePayTable.at(2, 2) = Currency::fromDouble(100000);
    const Calculation result = Calculate(state, kMonthly, kMonthly);
    QCOMPARE(result.extraPaymentYearsApplied, 0);
    QCOMPARE(result.lastRow, expected.lastRow);
    QCOMPARE(result.totalPaid, expected.totalPaid);
}

void TestAmortization::yearlySummary_data() {
    QTest::addColumn<double>("years");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("dataCount"); // years to retire, halves to even
    QTest::newRow("25 years") << 25.0 << 25 << 25;
    QTest::newRow("retired after 12.5 years") << 12.5 << 13 << 12;
    QTest::newRow("retired after exactly 12 years") << 12.0 << 12 << 12;
}

void TestAmortization::yearlySummary() {
    QFETCH(double, years);
    QFETCH(int, rows);
    QFETCH(int, dataCount);
    SharedState payments = makeState(100000, 10, years, 2);
    const Calculation everyPayment = Calculate(payments, kMonthly, kMonthly);

    SharedState state = makeState(100000, 10, years, 1);
    const Calculation result = Calculate(state, kMonthly, kMonthly);
    QCOMPARE(state.LastSchedule.tableRows, rows);
    QCOMPARE(state.DataCount, dataCount);
    QCOMPARE(result.totalPaid, everyPayment.totalPaid);
    for (int j = 1; j <= rows; ++j) {
        const int lastOfYear = std::min(j * 12, everyPayment.lastRow);
        Currency interest;
        for (int k = (j - 1) * 12 + 1; k <= lastOfYear; ++k)
            interest = interest + cell(payments, k, 2);
        QCOMPARE(cell(state, j, 1).units(), qint64(j) * Currency::kScale);
        QCOMPARE(cell(state, j, 2), interest);
        QCOMPARE(cell(state, j, 4), cell(payments, lastOfYear, 4));
        QCOMPARE(cell(state, j, 5), cell(payments, lastOfYear, 5));
        QCOMPARE(state.LastSchedule.years.at(j, 6), cell(payments, lastOfYear, 6));
    }
    QCOMPARE(cell(state, rows, 4), Currency());
}

void TestAmortization::yearlySummaryIgnoresRowsPastTheLastPayment() {
    // Seven months of 2 Weeks payments on a 360-day year: 15 payments that leave a balance, in a
    // year of 26 rows. Rows 16 to 26 hold an older, longer schedule and must not count.
    SharedState state = makeState(100000, 10, 25, 2, FindDaysPerYearChoice(u"360"));
    Calculate(state, kMonthly, kMonthly);
    state.InputValues[3] = Currency::fromDouble(7.0 / 12);
    const Calculation payments = Calculate(state, kTwoWeeks, kMonthly);
    QCOMPARE(payments.lastRow, 15);
    const Currency balance = cell(state, 15, 4);
    const Currency paidOff = cell(state, 15, 6);
    QVERIFY(balance > Currency::fromDouble(2));

    state.TableView = 1;
    Calculate(state, kTwoWeeks, kMonthly);
    QCOMPARE(state.LastSchedule.tableRows, 1);
    QCOMPARE(cell(state, 1, 4), balance);
    QCOMPARE(cell(state, 1, 6), paidOff);
}

void TestAmortization::yearNumbersOfEveryPaymentView() {
    SharedState state = makeState(100000, 10, 25);
    Calculate(state, kBiweeklyAcc, kMonthly);
    QCOMPARE(Format(cell(state, 1, 0).toDouble(), u"###"), QStringLiteral("1"));
    QCOMPARE(Format(cell(state, 26, 0).toDouble(), u"###"), QStringLiteral("1"));
    QCOMPARE(Format(cell(state, 27, 0).toDouble(), u"###"), QStringLiteral("2"));
    QCOMPARE(Format(cell(state, 484, 0).toDouble(), u"###"), QStringLiteral("19"));
}

void TestAmortization::paymentDates_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QList<QDate>>("expected"); // payments 1, 2, 3, 4

    const QDate jan31(2027, 1, 31);
    QTest::newRow("monthly from a month end")
        << kMonthly << jan31 << QList<QDate>{jan31, {2027, 2, 28}, {2027, 3, 31}, {2027, 4, 30}};
    QTest::newRow("monthly in a leap year")
        << kMonthly << QDate(2028, 1, 31)
        << QList<QDate>{{2028, 1, 31}, {2028, 2, 29}, {2028, 3, 31}, {2028, 4, 30}};
    QTest::newRow("semimonthly") << kSemimonthly << QDate(2027, 1, 15)
                                 << QList<QDate>{
                                        {2027, 1, 15}, {2027, 1, 29}, {2027, 2, 15}, {2027, 3, 1}};
    QTest::newRow("semimonthly from a month end")
        << kSemimonthly << jan31
        << QList<QDate>{jan31, {2027, 2, 14}, {2027, 2, 28}, {2027, 3, 14}};
    QTest::newRow("2 weeks") << kTwoWeeks << jan31
                             << QList<QDate>{jan31, {2027, 2, 14}, {2027, 2, 28}, {2027, 3, 14}};
    QTest::newRow("1 week") << kOneWeek << jan31
                            << QList<QDate>{jan31, {2027, 2, 7}, {2027, 2, 14}, {2027, 2, 21}};
    QTest::newRow("biweekly acc") << kBiweeklyAcc << jan31
                                  << QList<QDate>{
                                         jan31, {2027, 2, 14}, {2027, 2, 28}, {2027, 3, 14}};
    QTest::newRow("weekly acc") << kWeeklyAcc << jan31
                                << QList<QDate>{jan31, {2027, 2, 7}, {2027, 2, 14}, {2027, 2, 21}};
}

void TestAmortization::paymentDates() {
    QFETCH(QString, frequency);
    QFETCH(QDate, first);
    QFETCH(QList<QDate>, expected);
    SharedState state = makeState(100000, 10, 25);
    state.ShowDates = 1;
    state.FirstPayDate = ToShortDate(first);
    Calculate(state, frequency, kMonthly);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(dateAt(state, i + 1), expected[i]);
    // Dates replace the year column.
    QCOMPARE(cell(state, 2, 0), Currency());
}

void TestAmortization::yearlyViewDates() {
    SharedState state = makeState(100000, 10, 25, 1);
    state.ShowDates = 1;
    state.FirstPayDate = ToShortDate(QDate(2028, 2, 29));
    Calculate(state, kOneWeek, kMonthly);
    QCOMPARE(dateAt(state, 1), QDate(2028, 2, 29));
    QCOMPARE(dateAt(state, 2), QDate(2029, 2, 28));
    QCOMPARE(dateAt(state, 5), QDate(2032, 2, 29));
}

void TestAmortization::sevenMonthLoan() {
    // Seven months are kept as 0.5833 years: 6.9996 payments, run as 7.
    SharedState state = makeState(20000, 10, 7.0 / 12);
    QCOMPARE(state.InputValues[3].units(), 5833LL);
    const Calculation result = Calculate(state, kMonthly, kMonthly);
    QCOMPARE(result.lastRow, 7);
    QCOMPARE(cell(state, 7, 4), Currency());
    QCOMPARE(cents(cell(state, 7, 6)), 2000000LL);
}

// A loan's months run exactly, whatever their years are kept as: the payment is the annuity
// P i / (1 - (1 + i)^-n) with i = 10 % / 12 (the discount factor kept to eight decimals moves it
// by less than 0.007), there is one row a month, and the last row repays the whole principal:
// its principal is the balance before it, the principal itself for a one-payment loan, whose
// one row is 166.67 of interest and 20,000.00 of principal.
void TestAmortization::everyLoanTermPaysOffExactly() {
    const double i = 0.10 / 12;
    for (int months = 1; months <= 480; ++months) {
        SharedState state = makeState(20000, 10, months / 12.0);
        state.TermMonths = static_cast<std::int16_t>(months);
        const Calculation result = Calculate(state, kMonthly, kMonthly);
        const double annuity = 20000 * i / (1 - std::pow(1 + i, -months));
        QVERIFY2(std::fabs(result.payment - annuity) < 0.007, qPrintable(QString::number(months)));
        QCOMPARE(result.lastRow, months);
        QCOMPARE(cents(cell(state, months, 6)), 2000000LL);
        QCOMPARE(cell(state, months, 4), Currency());
        const Currency before =
            months == 1 ? Currency::fromDouble(20000) : cell(state, months - 1, 4);
        QCOMPARE(cell(state, months, 3), before);
        if (months == 1)
            QCOMPARE(cents(cell(state, 1, 2)), 16667LL);
        if (months == 2)
            QCOMPARE(Format(result.payment, u"###,,###.00"), QStringLiteral("10,125.18"));
    }
}

void TestAmortization::termLimit() {
    SharedState forty = makeState(100000, 10, 40);
    QCOMPARE(Calculate(forty, kMonthly, kMonthly).lastRow, 480);

    SharedState state = makeState(100000, 10, 41);
    QVERIFY_THROWS_EXCEPTION(TermLimitError, Calculate(state, kMonthly, kMonthly));
    try {
        Calculate(state, kMonthly, kMonthly);
    } catch (const TermLimitError& error) {
        QCOMPARE(QString::fromLatin1(error.userMessage()),
                 QStringLiteral("Wrong entry, 40 Years limit."));
    }
    QCOMPARE(state.DataCount, 0);
}

void TestAmortization::failures_data() {
    QTest::addColumn<double>("principal");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("years");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("compounding");
    QTest::newRow("zero rate") << 100000.0 << 0.0 << 25.0 << kMonthly << kMonthly;
    QTest::newRow("zero term") << 100000.0 << 10.0 << 0.0 << kMonthly << kMonthly;
    QTest::newRow("unknown frequency")
        << 100000.0 << 10.0 << 25.0 << QStringLiteral("Monthly") << kMonthly;
    QTest::newRow("unknown compounding")
        << 100000.0 << 10.0 << 25.0 << kMonthly << QStringLiteral("Daily");
    QTest::newRow("currency overflow") << 9.0e14 << 99.0 << 40.0 << kMonthly << kMonthly;
}

void TestAmortization::failures() {
    QFETCH(double, principal);
    QFETCH(double, rate);
    QFETCH(double, years);
    QFETCH(QString, frequency);
    QFETCH(QString, compounding);
    SharedState state = makeState(principal, rate, years);
    try {
        Calculate(state, frequency, compounding);
        QFAIL("the calculation should have failed");
    } catch (const CalculationError& error) {
        QCOMPARE(QString::fromLatin1(error.userMessage()),
                 QStringLiteral("Wrong entry, try again"));
    }
    QCOMPARE(state.DataCount, 0);
}

void TestAmortization::rowsBeyondTheTableFail() {
    // 40.9 years of weekly payments on a 360-day year never retire the loan before payment 2101.
    SharedState state = makeState(100000, 10, 40.9, 2, FindDaysPerYearChoice(u"360"));
    QVERIFY_THROWS_EXCEPTION(CalculationError, Calculate(state, kOneWeek, kMonthly));
    QCOMPARE(cell(state, 2100, 1).units(), 2100LL * Currency::kScale);
    QVERIFY(cell(state, 2100, 4) > Currency());
}

void TestAmortization::listenerSeesFiguresBeforeAFailure() {
    SharedState state = makeState(100000, 0, 25);
    Recorder recorder;
    QVERIFY_THROWS_EXCEPTION(CalculationError, Calculate(state, kTwoWeeks, kMonthly, &recorder));
    QCOMPARE(recorder.events, QStringLiteral("r"));

    SharedState bad = makeState(100000, 10, 25);
    bad.ShowDates = 1;
    bad.FirstPayDate = QStringLiteral("not a date");
    QVERIFY_THROWS_EXCEPTION(CalculationError, Calculate(bad, kMonthly, kMonthly, &recorder));
    QCOMPARE(cell(bad, 1, 1).units(), Currency::kScale);
}

// The engine on its own terms: a LoanInput in, a Schedule out, with no shared values. A failure
// comes back with the schedule and what was worked out before it.
void TestAmortization::scheduleFromATypedInput_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("years");
    QTest::addColumn<qint64>("payment"); // cents; -1 when never worked out
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("failure");
    QTest::newRow("default mortgage") << 10.0 << 25.0 << 90870LL << 300 << QString();
    QTest::newRow("zero rate") << 0.0 << 25.0 << -1LL << 0
                               << QStringLiteral("Wrong entry, try again");
    QTest::newRow("41 years") << 10.0 << 41.0 << -1LL << 0
                              << QStringLiteral("Wrong entry, 40 Years limit.");
}

void TestAmortization::scheduleFromATypedInput() {
    QFETCH(double, rate);
    QFETCH(double, years);
    QFETCH(qint64, payment);
    QFETCH(int, rows);
    QFETCH(QString, failure);

    LoanInput input;
    input.principal = 100000;
    input.annualRate = rate;
    input.termYears = years;
    input.frequency = &kFrequencies[0];
    input.compounding = &kCompoundings[0];
    input.extraPayments.size(45, 2);
    input.view = 2;
    const Schedule schedule = CalculateSchedule(input);
    QCOMPARE(schedule.failure ? schedule.failure->message() : QString(), failure);
    QCOMPARE(payment < 0 ? -1LL : cents(schedule.figures.payment), payment);
    QCOMPARE(schedule.figures.paymentsPerYear, 12);
    QCOMPARE(schedule.lastRowWritten, rows);
    QCOMPARE(schedule.dataCount, failure.isEmpty() ? rows + 1 : 0);
    if (rows > 0)
        QCOMPARE(schedule.rows.at(rows, 4), Currency());
}

QTEST_GUILESS_MAIN(TestAmortization)
#include "tst_amortization.moc"
