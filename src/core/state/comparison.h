// Mortgage comparisons: one mortgage after another worked out by the engine, each kept as one row
// of a table of at most twelve. A row is the figures of one mortgage; the comparisons window's
// grid and the comparison report make their texts from them (see comparisonreport.h), and the
// chart takes its total interest. The additional payments a row used are kept in columns of their
// own, one per such row, for the window's second grid and the report's additional-payments
// section.
//
// The table is the comparisons window's working state; the command-line tool keeps one too, so
// both work a row out the same way.
#pragma once

#include "core/engine/engineerror.h"
#include "core/engine/table2d.h"
#include "core/state/calculation.h"
#include "core/state/shared.h"

#include <QString>

#include <array>
#include <utility>
#include <vector>

namespace qb {

inline constexpr int kComparisonRowLimit = 12;
inline constexpr int kLastPrePayLine = 40;
inline constexpr int kLastPrePayColumn = 11;
inline constexpr const char* kRowLimitMessage = "12 row limit.";
inline constexpr const char* kComparisonChartTitle = " Total mortgage interest paid";

// A thirteenth row was asked for.
class RowLimitError : public CalculationRefusal {
public:
    RowLimitError() : CalculationRefusal(kRowLimitMessage) {}
};

struct ComparisonTable {
    std::int16_t RowCount = 0;
    std::int16_t PrePayColumn = 0;  // the next additional-payment column, from 0
    std::int16_t PrePayGridCol = 0; // the first grid column of the next pair
    std::int16_t MaxPrePayCount = 0;
    std::int16_t LastPrePayColumn = 0;
    std::int16_t PrePayGridCols = 5;
    std::int16_t PrePayGridRows = 9;
    // Per band of additional-payment columns (0-4, 5-9, 10-11): the last line the report prints.
    std::array<std::int16_t, 3> BandLines{};
    // Lines 0 to 40 by columns 0 to 11. Line 0 heads a column with its row number ("  3") and
    // "  Row  "; each later line is one applied payment: the year in 3 characters and the amount
    // in 10.
    Table2D<QString> PrePayYearText;
    Table2D<QString> PrePayAmountText;
};

// One calculated row: the mortgage as it was given and what the engine made of it.
struct ComparisonRow {
    int number = 0;
    double principal = 0;
    double rate = 0;  // percent a year
    double years = 0; // the term
    Calculation calculation;
    QChar compoundingLetter; // M, B, Q, S or A
    QString frequencyCode;   // four characters: "1m  ", "b(a)", ...
    double yearsToRetire = 0;
    int paymentsPerYear = 0;
    Currency totalInterest; // the cumulative interest cell of the last payment
    int prePayColumn = -1;  // the additional-payment column the row filled, -1 for none
    std::vector<std::pair<int, Currency>> extraPayments; // (year, amount) as applied
};

// Sets up the shared tables and the comparison table as the comparisons window does when it
// opens: everything cleared, a schedule of every payment, no additional payments.
void LoadComparison(SharedState& state, ComparisonTable& table);

// Works out the next row of input (its term as given, its additional payments) and appends it to
// the table and to the chart data.
// Throws TermLimitError for a term of 41 years or more, RowLimitError when the table is full
// (DataCount then goes back to the row count so the table can still be printed) and
// CalculationError when the engine fails.
ComparisonRow CalculateComparisonRow(SharedState& state, ComparisonTable& table,
                                     const LoanInput& input);

} // namespace qb
