// The points of the balance chart: the remaining balance at the start of each year of the schedule
// the Mortgage Tables or Personal Loan Table window worked out last (LastSchedule), and leaves the
// points in ChartData and their number in DataCount, where the Charts window and the command-line
// tool's chart command draw them from.
#pragma once

#include "core/state/shared.h"

namespace qb {

// Which balance chart: the title the Mortgage Tables or Personal Loan Table window gives it and
// the ChartSource that window sets, for the Charts window and the command-line tool alike.
struct BalanceChartKind {
    QString title;
    std::int16_t chartSource = 0;
};

BalanceChartKind MortgageBalanceChart();
BalanceChartKind LoanBalanceChart();

// Point 1 is the principal; point y + 1 the balance at the end of year y. ChartData column 1
// holds the point number, column 5 the balance as a double. The chart table must be sized and
// LastSchedule hold a calculated schedule (TableView 1 or 2).
void PrepareBalanceChart(SharedState& state);

} // namespace qb
