// One comparison row: the engine run in its comparison kind, the row's figures, and the texts of
// the additional-payment columns.
#include "core/state/comparison.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"

#include <algorithm>

namespace qb {

namespace {

int bandOf(int column) {
    return column < 5 ? 0 : column < 10 ? 1 : 2;
}

// The amount of one applied payment as the second grid and the report list it: right-aligned in
// 10 characters after its 3-character year. A longer amount keeps one blank after the year, so
// the two never read as one number.
QString prePayAmountText(Currency amount) {
    const QString text = Format(amount.toDouble(), u"###,,###.00");
    return text.size() > 10 ? QLatin1Char(' ') + text : PadColumn(text, 10);
}

// The four-character code the comparison shows for a payment frequency; empty for none.
QString FrequencyCode(const Frequency* frequency) {
    static const std::array<QStringView, 6> kCodes = {u"1m  ", u"sm  ", u"2wk ",
                                                      u"1wk ", u"b(a)", u"w(a)"};
    for (std::size_t i = 0; i < kFrequencies.size(); ++i) {
        if (frequency == &kFrequencies[i])
            return kCodes[i].toString();
    }
    return {};
}

} // namespace

void LoadComparison(SharedState& state, ComparisonTable& table) {
    SizeCalculationTables(state);
    table = ComparisonTable();
    table.PrePayYearText.size(kLastPrePayLine, kLastPrePayColumn);
    table.PrePayAmountText.size(kLastPrePayLine, kLastPrePayColumn);
    state.TableView = 2;
    state.HelpOpen = 0;
}

ComparisonRow CalculateComparisonRow(SharedState& state, ComparisonTable& table,
                                     const LoanInput& input) {
    state.DataCount = 0;
    state.PrePayApplied = 0;
    const double years = input.termYears;
    const QString code = FrequencyCode(input.frequency);
    if (code.isEmpty() || input.compounding == nullptr)
        throw CalculationError("not in the list");

    if (years >= 41)
        throw TermLimitError();
    if (table.RowCount >= kComparisonRowLimit) {
        state.DataCount = table.RowCount;
        throw RowLimitError();
    }

    LoanInput comparison = input;
    comparison.kind = ScheduleKind::Comparison;
    const Schedule schedule = CalculateSchedule(comparison);
    ThrowIfFailed(schedule);
    ComparisonRow row;
    row.calculation = schedule.figures;
    const Calculation& calc = row.calculation;

    const int column = table.PrePayColumn;
    const auto count = static_cast<int>(schedule.extraPaymentsApplied.size());
    if (count > 0) {
        // The column's header and one line per payment; a term of at most 40 years applies at
        // most 40 payments, so the lines always fit.
        for (int line = 1; line <= count; ++line) {
            const auto& [year, amount] =
                schedule.extraPaymentsApplied[static_cast<std::size_t>(line - 1)];
            table.PrePayYearText.at(line, column) = PadColumn(Format(year, u"###"), 3);
            table.PrePayAmountText.at(line, column) = prePayAmountText(amount);
        }
    }
    row.extraPayments = schedule.extraPaymentsApplied;

    table.RowCount = static_cast<std::int16_t>(table.RowCount + 1);
    row.number = table.RowCount;
    if (count > 0) {
        table.PrePayYearText.at(0, column) = PadColumn(QString::number(row.number), 3);
        table.PrePayAmountText.at(0, column) = QStringLiteral("  Row  ");
    }

    state.ChartData.at(row.number, 1) = QStringLiteral("Row  %1").arg(row.number);
    state.ChartData.at(row.number, 5) = calc.cumulativeInterest;
    state.DataCount = table.RowCount;
    state.ChartTitle = QString::fromLatin1(kComparisonChartTitle);

    row.principal = input.principal;
    row.rate = input.annualRate;
    row.years = years;
    const QStringView compounding = QStringView(input.compounding->text).trimmed();
    row.compoundingLetter = compounding.isEmpty() ? QChar(u' ') : compounding.at(0);
    row.frequencyCode = code;
    row.yearsToRetire = calc.yearsToRetire.value_or(0);
    row.paymentsPerYear = calc.paymentsPerYear;
    row.totalInterest = schedule.rows.at(calc.lastRow, 5);

    if (count > 0) {
        table.PrePayGridCols = static_cast<std::int16_t>(table.PrePayGridCol + 2);
        table.MaxPrePayCount =
            static_cast<std::int16_t>(std::max<int>(table.MaxPrePayCount, count));
        table.PrePayGridRows = static_cast<std::int16_t>(table.MaxPrePayCount + 2);
        table.BandLines[static_cast<std::size_t>(bandOf(column))] = table.MaxPrePayCount;
        table.LastPrePayColumn =
            static_cast<std::int16_t>(std::max<int>(table.LastPrePayColumn, column));
        row.prePayColumn = column;
        table.PrePayColumn = static_cast<std::int16_t>(table.PrePayColumn + 1);
        table.PrePayGridCol = static_cast<std::int16_t>(table.PrePayGridCol + 2);
    }
    return row;
}

} // namespace qb
