// The points of the balance chart: how many years it shows and which balance each point holds,
// from schedules the engine works out and from small schedules laid out by hand.
#include "core/state/balancechart.h"
#include "core/state/calculation.h"
#include "core/state/defaultmortgage.h"

#include <QTest>

using namespace qb;

namespace {

const QString kMonthly = QStringLiteral("      Monthly");
const QString kBiweeklyAcc = QStringLiteral(" Biweekly(Acc)");

SharedState calculated(int view, const QString& frequency) {
    SharedState state;
    CalculateDefaultMortgage(state, view, frequency);
    return state;
}

double point(const SharedState& state, int i) {
    return state.ChartData.at(i, 5).toDouble();
}

// Balances by hand, one row per period, the rest of the table empty.
SharedState handMade(double yearsToRetire, int perYear, const std::vector<double>& balances) {
    SharedState state;
    SizeCalculationTables(state);
    state.InputValues[1] = Currency::fromDouble(1000);
    state.TableView = 2;
    state.LastSchedule.rows.size(2100, 7);
    state.LastSchedule.figures.paymentsPerYear = perYear;
    state.LastSchedule.figures.yearsToRetire = yearsToRetire;
    for (std::size_t i = 0; i < balances.size(); ++i)
        state.LastSchedule.rows.at(static_cast<int>(i) + 1, 4) = Currency::fromDouble(balances[i]);
    return state;
}

} // namespace

class TestBalanceChart : public QObject {
    Q_OBJECT

private slots:
    void mortgageOfTwentyFiveYears_data();
    void mortgageOfTwentyFiveYears();
    void yearlyViewGivesTheSamePoints();
    void startedYearsCount_data();
    void startedYearsCount();
};

void TestBalanceChart::mortgageOfTwentyFiveYears_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("perYear");
    // 300 monthly payments: 25 years exactly.
    QTest::newRow("monthly") << kMonthly << 25 << 12;
    // Half the monthly payment every two weeks retires it in 484 payments, 18.62 years: the
    // nineteenth year is started, so it counts.
    QTest::newRow("biweekly accelerated") << kBiweeklyAcc << 19 << 26;
}

void TestBalanceChart::mortgageOfTwentyFiveYears() {
    QFETCH(QString, frequency);
    QFETCH(int, points);
    QFETCH(int, perYear);
    SharedState state = calculated(2, frequency);
    QCOMPARE(state.LastSchedule.figures.paymentsPerYear, perYear);
    PrepareBalanceChart(state);

    QCOMPARE(state.DataCount, points);
    QCOMPARE(point(state, 1), 100000.0);
    QCOMPARE(state.ChartData.at(1, 1).toInt(), 1);
    // The start of year y + 1 is the end of year y: the balance after payment y * perYear.
    for (int year : {1, 10, points - 1}) {
        QCOMPARE(point(state, year + 1), state.LastSchedule.rows.at(year * perYear, 4).toDouble());
        QCOMPARE(state.ChartData.at(year + 1, 1).toInt(), year + 1);
    }
    // Worked by hand from the payment of 908.7007 at 10/12 % a month: 99,052.966 is left after
    // a year (the cells' four decimals may move it by a few ten-thousandths).
    if (frequency == kMonthly)
        QVERIFY(qAbs(point(state, 2) - 99052.966) < 0.01);
    QVERIFY(point(state, points) > point(state, points + 1));
}

void TestBalanceChart::yearlyViewGivesTheSamePoints() {
    SharedState everyPayment = calculated(2, kMonthly);
    SharedState yearly = calculated(1, kMonthly);
    PrepareBalanceChart(everyPayment);
    PrepareBalanceChart(yearly);
    QCOMPARE(yearly.DataCount, 25);
    for (int i = 1; i <= 26; ++i) {
        QCOMPARE(yearly.ChartData.at(i, 1).toInt(), everyPayment.ChartData.at(i, 1).toInt());
        QCOMPARE(point(yearly, i), point(everyPayment, i));
    }
}

void TestBalanceChart::startedYearsCount_data() {
    QTest::addColumn<double>("yearsToRetire");
    QTest::addColumn<QList<double>>("balances");
    QTest::addColumn<QList<double>>("expected"); // points 1 to DataCount + 1

    // Two payments a year. A year that is only started counts; the walk of a year stops at the
    // first balance of 1 or less, so the point after it holds that balance, not the empty rows.
    QTest::newRow("half a year more")
        << 1.5 << QList<double>{800, 500, 0.5} << QList<double>{1000, 500, 0.5};
    QTest::newRow("stop at a balance of 1")
        << 1.51 << QList<double>{700, 400, 1, 0} << QList<double>{1000, 400, 1};
    QTest::newRow("whole years") << 3.0 << QList<double>{900, 800, 600, 400, 200, 0}
                                 << QList<double>{1000, 800, 400, 0};
    QTest::newRow("a little over a year")
        << 1.02 << QList<double>{600, 300, 0.25} << QList<double>{1000, 300, 0.25};
    QTest::newRow("within the first year") << 0.4 << QList<double>{0} << QList<double>{1000, 0};
}

void TestBalanceChart::startedYearsCount() {
    QFETCH(double, yearsToRetire);
    QFETCH(QList<double>, balances);
    QFETCH(QList<double>, expected);
    SharedState state = handMade(yearsToRetire, 2, {balances.begin(), balances.end()});
    PrepareBalanceChart(state);
    QCOMPARE(state.DataCount, expected.size() - 1);
    for (int i = 1; i <= expected.size(); ++i) {
        QCOMPARE(point(state, i), expected[i - 1]);
        QCOMPARE(state.ChartData.at(i, 1).toInt(), i);
    }
}

QTEST_GUILESS_MAIN(TestBalanceChart)
#include "tst_balancechart.moc"
