// How long the engine takes to work out a schedule, per row, for the longest every-payment
// schedule the tables hold (40 years of weekly payments, 2,080 rows), its yearly view and the
// default mortgage. The tables are sized once, as the windows size them when they load; only the
// calculation is timed.
#include "core/settings/daysperyear.h"
#include "core/state/calculation.h"
#include "core/state/shared.h"

#include <benchmark/benchmark.h>

#include <QStringView>

#include <cstdint>

namespace {

struct Loan {
    double principal;
    double rate;
    double years;
    QStringView frequency;
    std::int16_t tableView;
    int dayFactor = qb::kDefaultDayFactorChoice;
};

qb::SharedState prepared(const Loan& loan) {
    qb::SharedState state;
    qb::SizeCalculationTables(state);
    qb::ApplyDaysPerYear(state, loan.dayFactor);
    state.InputValues[1] = qb::Currency::fromDouble(loan.principal);
    state.InputValues[2] = qb::Currency::fromDouble(loan.rate);
    state.InputValues[3] = qb::Currency::fromDouble(loan.years);
    state.TableView = loan.tableView;
    return state;
}

void runSchedule(benchmark::State& benchmarkState, const Loan& loan) {
    qb::SharedState state = prepared(loan);
    const QStringView compounding = qb::kCompoundings[0].text;
    for (auto _ : benchmarkState) {
        qb::Calculation calculation = qb::Calculate(state, loan.frequency, compounding);
        benchmark::DoNotOptimize(calculation);
        benchmark::ClobberMemory();
    }
    // The yearly view still works out every payment before it sums the years, so the rows
    // counted are the payments, the work done, and the rows shown are reported beside them.
    const double payments = static_cast<double>(state.LastSchedule.figures.paymentsPerYear) *
                            state.LastSchedule.figures.yearsToRetire.value_or(0);
    benchmarkState.counters["rows"] = state.LastSchedule.tableRows;
    benchmarkState.counters["payments"] = payments;
    benchmarkState.counters["per_row"] = benchmark::Counter(
        payments, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// On a 360-day year the weekly payments never get ahead of the interest, so the schedule runs
// all 2,080 payments of the 40 years: the longest the tables are made for.
const int k360Days = qb::FindDaysPerYearChoice(u"360");

void BM_FortyYearsWeekly(benchmark::State& state) {
    runSchedule(state, {100000, 10, 40, u"      1 Week", 2, k360Days});
}

void BM_FortyYearsWeeklyYearlyView(benchmark::State& state) {
    runSchedule(state, {100000, 10, 40, u"      1 Week", 1, k360Days});
}

void BM_DefaultMortgage(benchmark::State& state) {
    runSchedule(state, {100000, 10, 25, u"      Monthly", 2});
}

} // namespace

BENCHMARK(BM_FortyYearsWeekly);
BENCHMARK(BM_FortyYearsWeeklyYearlyView);
BENCHMARK(BM_DefaultMortgage);

BENCHMARK_MAIN();
