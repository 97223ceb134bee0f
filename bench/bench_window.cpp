// How long the Mortgage Tables window takes from a click on Calculate to a painted grid: the
// engine, the labels, every grid cell written and a full repaint of the grid. Measured for
// the default mortgage and for the longest schedule the window shows (40 years of weekly
// payments, 2,080 rows of six columns), each in the yearly view and the every-payment view.
// The real window runs on the offscreen platform; a user should never wait longer than one
// 60 Hz frame (16 ms).
#include "core/settings/daysperyear.h"
#include "desktop/platform/grid.h"
#include "desktop/windows/tablewindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct Case {
    bool fortyYearsWeekly;
    bool everyPayment;
    int expectedRows;
};

// One click to a painted grid: the pending events paint the labels, then the grid is painted
// whole, as a window that comes back into view paints it, whatever part of it Qt found changed.
// Kept out of line so that a profiler (callgrind --toggle-collect) can count just this.
[[gnu::noinline]] void clickToPaint(QPushButton* calculate, qb::Grid* grid) {
    calculate->click();
    QCoreApplication::processEvents();
    grid->repaint();
}

void runClickToPaint(benchmark::State& benchmarkState, const Case& loan) {
    qb::SharedState state;
    // On a 360-day year the weekly payments run all 2,080 payments of the 40 years.
    if (loan.fortyYearsWeekly)
        qb::ApplyDaysPerYear(state, qb::FindDaysPerYearChoice(u"360"));
    state.CurrencySymbol = QStringLiteral("$");
    qb::RecordingMessageBox messages;
    qb::TableWindow window(qb::MortgageTablesSetup(), state, messages);
    window.resize(900, 700);
    window.show();
    window
        .findChild<QRadioButton*>(loan.everyPayment ? QStringLiteral("Option1")
                                                    : QStringLiteral("Option2"))
        ->click();
    if (loan.fortyYearsWeekly) {
        window.findChild<QComboBox*>(QStringLiteral("FreqPmt"))->setCurrentIndex(3);
        state.InputValues[3] = qb::Currency::fromDouble(40);
    }
    auto* calculate = window.findChild<QPushButton*>(QStringLiteral("Calc4"));
    QCoreApplication::processEvents();

    for (auto _ : benchmarkState)
        clickToPaint(calculate, window.grid());
    if (state.LastSchedule.tableRows != loan.expectedRows || !messages.shown.empty())
        benchmarkState.SkipWithError("the schedule did not come out at the expected rows");
    const double payments = static_cast<double>(state.LastSchedule.figures.paymentsPerYear) *
                            state.LastSchedule.figures.yearsToRetire.value_or(0);
    benchmarkState.counters["rows"] = state.LastSchedule.tableRows;
    benchmarkState.counters["payments"] = payments;
    benchmarkState.counters["per_row"] = benchmark::Counter(
        state.LastSchedule.tableRows,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ClickToPaintDefaultMortgageYearly(benchmark::State& state) {
    runClickToPaint(state, {false, false, 25});
}

void BM_ClickToPaintDefaultMortgageEveryPayment(benchmark::State& state) {
    runClickToPaint(state, {false, true, 300});
}

void BM_ClickToPaintFortyYearsWeeklyYearly(benchmark::State& state) {
    runClickToPaint(state, {true, false, 40});
}

void BM_ClickToPaintFortyYearsWeeklyEveryPayment(benchmark::State& state) {
    runClickToPaint(state, {true, true, 2080});
}

} // namespace

BENCHMARK(BM_ClickToPaintDefaultMortgageYearly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickToPaintDefaultMortgageEveryPayment)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickToPaintFortyYearsWeeklyYearly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickToPaintFortyYearsWeeklyEveryPayment)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
