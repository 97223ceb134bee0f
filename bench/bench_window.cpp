// How long the Mortgage Tables window takes from a click on Calculate to a painted grid: the
// engine, the labels, every grid cell written and a full repaint of the grid. Measured for
// the default mortgage and for the longest schedule the window shows (40 years of weekly
// payments, 2,080 rows of six columns), each in the yearly view and the every-payment view.
// The real window runs on the offscreen platform; a user should never wait longer than one
// 60 Hz frame (16 ms).
//
// BM_ClickRatio times the 300-row and the 2,080-row click in turn (A, B, A, B, ...) and prints
// the median of each and their ratio: the grid makes only the texts it paints, so the longer
// schedule should cost little more than the shorter one. Every benchmark also counts the memory
// allocations of a click (a replaced operator new) beyond those of the engine's own calculation
// of the same schedule, per schedule row.
#include "core/settings/daysperyear.h"
#include "core/state/calculation.h"
#include "desktop/platform/grid.h"
#include "desktop/windows/tablewindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <vector>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define QB_COUNT_MALLOC 1
#endif

namespace {
std::atomic<long> allocations{0};
} // namespace

// Every allocation counts: C++'s operator new and, where the C library lets a program replace
// malloc (glibc, without AddressSanitizer, which has its own), the C allocations Qt's strings
// and containers make.
void* operator new(std::size_t size) {
#ifndef QB_COUNT_MALLOC
    allocations.fetch_add(1, std::memory_order_relaxed);
#endif
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

#ifdef QB_COUNT_MALLOC
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);

void* malloc(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
}
#endif

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

// A Mortgage Tables window set up for one case, ready for clicks on Calculate.
class Window {
public:
    explicit Window(const Case& loan) {
        // On a 360-day year the weekly payments run all 2,080 payments of the 40 years.
        if (loan.fortyYearsWeekly)
            qb::ApplyDaysPerYear(state, qb::FindDaysPerYearChoice(u"360"));
        state.CurrencySymbol = QStringLiteral("$");
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
        calculate = window.findChild<QPushButton*>(QStringLiteral("Calc4"));
        QCoreApplication::processEvents();
    }

    void click() { clickToPaint(calculate, window.grid()); }

    // The allocations of one click beyond the engine's own for the same schedule, per row.
    double allocationsPerRow() {
        const qb::LoanInput input = state.LastSchedule.input;
        long before = allocations.load();
        const qb::Schedule engineOnly = qb::CalculateSchedule(input);
        const long engine = allocations.load() - before;
        before = allocations.load();
        click();
        const long clicked = allocations.load() - before;
        return double(clicked - engine) / std::max(engineOnly.tableRows, 1);
    }

    qb::SharedState state;
    qb::RecordingMessageBox messages;
    qb::TableWindow window{qb::MortgageTablesSetup(), state, messages};
    QPushButton* calculate = nullptr;
};

void runClickToPaint(benchmark::State& benchmarkState, const Case& loan) {
    Window window(loan);
    qb::SharedState& state = window.state;
    for (auto _ : benchmarkState)
        window.click();
    if (state.LastSchedule.tableRows != loan.expectedRows || !window.messages.shown.empty())
        benchmarkState.SkipWithError("the schedule did not come out at the expected rows");
    const double payments = static_cast<double>(state.LastSchedule.figures.paymentsPerYear) *
                            state.LastSchedule.figures.yearsToRetire.value_or(0);
    benchmarkState.counters["rows"] = state.LastSchedule.tableRows;
    benchmarkState.counters["payments"] = payments;
    benchmarkState.counters["per_row"] = benchmark::Counter(
        state.LastSchedule.tableRows,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    benchmarkState.counters["allocs_per_row"] = window.allocationsPerRow();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The 300-row and the 2,080-row click, one after the other each iteration.
void BM_ClickRatio(benchmark::State& benchmarkState) {
    Window shorter({false, true, 300});
    Window longer({true, true, 2080});
    std::vector<double> shortTimes;
    std::vector<double> longTimes;
    using Clock = std::chrono::steady_clock;
    const auto time = [](Window& window) {
        const auto start = Clock::now();
        window.click();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    for (auto _ : benchmarkState) {
        shortTimes.push_back(time(shorter));
        longTimes.push_back(time(longer));
    }
    if (shorter.state.LastSchedule.tableRows != 300 || longer.state.LastSchedule.tableRows != 2080)
        benchmarkState.SkipWithError("the schedules did not come out at 300 and 2,080 rows");
    const double a = median(shortTimes);
    const double b = median(longTimes);
    benchmarkState.counters["ms_300"] = a;
    benchmarkState.counters["ms_2080"] = b;
    benchmarkState.counters["ratio"] = a > 0 ? b / a : 0;
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
BENCHMARK(BM_ClickRatio)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
