// How long one money cell takes to format, for each money picture the program shows amounts
// with: from the cell's units with a compiled picture, and as a double with Format. The cells are
// the amounts of the longest schedule (40 years of weekly payments: interest, principal, balance
// and the two running totals of every payment), formatted in turn, so the figure is the average
// over the digits and carries a real table has.
#include "core/format/format.h"
#include "core/format/numberpicture.h"
#include "core/settings/daysperyear.h"
#include "core/state/calculation.h"
#include "core/state/shared.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <vector>

namespace {

std::vector<qb::Currency> scheduleCells() {
    qb::SharedState state;
    qb::SizeCalculationTables(state);
    qb::ApplyDaysPerYear(state, qb::FindDaysPerYearChoice(u"360"));
    state.InputValues[1] = qb::Currency::fromDouble(100000);
    state.InputValues[2] = qb::Currency::fromDouble(10);
    state.InputValues[3] = qb::Currency::fromDouble(40);
    state.TableView = 2;
    qb::Calculate(state, qb::kFrequencies[3].text, qb::kCompoundings[0].text);
    std::vector<qb::Currency> cells;
    for (int row = 1; row <= state.LastSchedule.tableRows; ++row)
        for (int column = 2; column <= 6; ++column)
            cells.push_back(state.LastSchedule.rows.at(row, column));
    return cells;
}

const std::vector<qb::Currency>& cells() {
    static const std::vector<qb::Currency> schedule = scheduleCells();
    return schedule;
}

// Today's way: the cell turned into a double and formatted with the picture text.
void BM_FormatDoubleCell(benchmark::State& state, const char16_t* picture) {
    const std::vector<qb::Currency>& amounts = cells();
    std::size_t next = 0;
    for (auto _ : state) {
        QString text = qb::Format(amounts[next].toDouble(), picture);
        benchmark::DoNotOptimize(text);
        next = next + 1 == amounts.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

// The grid's way: the picture compiled once, the cell formatted from its integer units.
void BM_FormatCurrencyCell(benchmark::State& state, const char16_t* picture) {
    const std::vector<qb::Currency>& amounts = cells();
    const qb::NumberPicture compiled(picture);
    std::size_t next = 0;
    for (auto _ : state) {
        QString text = compiled.format(amounts[next]);
        benchmark::DoNotOptimize(text);
        next = next + 1 == amounts.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(BM_FormatCurrencyCell, grid, u"####,,###.00");
BENCHMARK_CAPTURE(BM_FormatCurrencyCell, labels, u"###,,###.00");
BENCHMARK_CAPTURE(BM_FormatCurrencyCell, comparison, u"##,,###.00");
BENCHMARK_CAPTURE(BM_FormatCurrencyCell, single_comma, u"###,###.00");
BENCHMARK_CAPTURE(BM_FormatCurrencyCell, plain, u"###.00");
BENCHMARK_CAPTURE(BM_FormatDoubleCell, grid, u"####,,###.00");
BENCHMARK_CAPTURE(BM_FormatDoubleCell, labels, u"###,,###.00");
BENCHMARK_CAPTURE(BM_FormatDoubleCell, comparison, u"##,,###.00");
BENCHMARK_CAPTURE(BM_FormatDoubleCell, single_comma, u"###,###.00");
BENCHMARK_CAPTURE(BM_FormatDoubleCell, plain, u"###.00");

BENCHMARK_MAIN();
