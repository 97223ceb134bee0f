#include "core/state/balancechart.h"

#include <algorithm>
#include <cmath>

namespace qb {

namespace {

void setPoint(SharedState& state, int point, Currency balance) {
    state.ChartData.at(point, 1) = point;
    state.ChartData.at(point, 5) = balance.toDouble();
}

} // namespace

BalanceChartKind MortgageBalanceChart() {
    return {QStringLiteral("Mortgage balance at start of each Year"), 4};
}

BalanceChartKind LoanBalanceChart() {
    return {QStringLiteral("Personal Loan balance at start of each Year"), 2};
}

void PrepareBalanceChart(SharedState& state) {
    // Any started year counts: 20.1 years chart as 21. nearbyint rounds halves to even.
    const Schedule& calculated = state.LastSchedule;
    const double yearsToRetire = calculated.figures.yearsToRetire.value_or(0);
    int years = static_cast<int>(std::nearbyint(yearsToRetire + 0.49));
    // The chart table holds one point more than there are years; a schedule longer than that is
    // cut rather than written past the table's end.
    years = std::clamp(years, 0, std::max(state.ChartData.rowCount() - 2, 0));
    const CurrencyTable& schedule = calculated.rows;
    const int lastRow = schedule.rowCount() - 1;
    const int perYear = calculated.figures.paymentsPerYear;

    for (int year = 1; year <= years; ++year) {
        if (state.TableView == 2) {
            const int first = std::max((year - 1) * perYear, 1);
            const int last = std::min(year * perYear, lastRow);
            for (int period = first; period <= last; ++period) {
                const Currency balance = schedule.at(period, 4);
                setPoint(state, year + 1, balance);
                // The loan is paid off: later rows of the year are empty.
                if (balance.toDouble() <= 1)
                    break;
            }
        } else if (state.TableView == 1) {
            setPoint(state, year + 1, schedule.at(std::min(year, lastRow), 4));
        }
    }

    state.ChartData.at(1, 5) = state.InputValues.at(1).toDouble();
    state.ChartData.at(1, 1) = 1;
    state.DataCount = static_cast<std::int16_t>(years);
}

} // namespace qb
