// The calculation on the shared working values; see calculation.h.
#include "core/state/calculation.h"

#include "core/format/shortdate.h"

namespace qb {

namespace {

// The term the arithmetic runs on. A loan's months are kept as years to four decimals, which is
// what the windows show and offer; the schedule uses the months exactly, or a 7-month loan would
// run on 6.9996 months and end owing money.
double exactTerm(const SharedState& state) {
    const Currency kept = state.InputValues[3];
    if (state.TermMonths > 0) {
        const double years = state.TermMonths / 12.0;
        if (Currency::fromDouble(years) == kept)
            return years;
    }
    return kept.toDouble();
}

// Keeps what the calculation worked out, as far as it got, where the windows read it.
void keep(SharedState& state, const Schedule& schedule, ScheduleKind kind) {
    const Calculation& figures = schedule.figures;
    state.PaymentsPerYear = static_cast<std::int16_t>(figures.paymentsPerYear);
    state.AnnualTable = schedule.years;
    for (int row = 1; row <= schedule.lastRowWritten; ++row) {
        for (int column = 0; column <= 7; ++column)
            state.ScheduleTable.at(row, column) = schedule.rows.at(row, column);
    }
    if (figures.yearsToRetire)
        state.YearsToRetire = *figures.yearsToRetire;
    if (kind == ScheduleKind::Table && !schedule.failure) {
        state.TableRows = static_cast<std::int16_t>(schedule.tableRows);
        state.DataCount = static_cast<std::int16_t>(schedule.dataCount);
    }
}

} // namespace

LoanInput LoanInputFrom(const SharedState& state, QStringView frequencyText,
                        QStringView compoundingText, ScheduleKind kind) {
    if (state.InputValues.size() < 4)
        throw CalculationError("subscript out of range");
    LoanInput input;
    input.principal = state.InputValues[1].toDouble();
    input.annualRate = state.InputValues[2].toDouble();
    input.termYears = exactTerm(state);
    input.frequency = findFrequency(frequencyText);
    input.compounding = findCompounding(compoundingText);
    input.biWeeklyPerYear = state.BiWeeklyPerYear;
    input.weeklyPerYear = state.WeeklyPerYear;
    input.extraPayments = state.PrePayTable;
    input.view = state.TableView;
    input.showDates = state.ShowDates == 1;
    if (input.showDates)
        input.firstPayment = ParseShortDate(state.FirstPayDate);
    input.kind = kind;
    return input;
}

Calculation Calculate(SharedState& state, QStringView frequencyText, QStringView compoundingText,
                      CalculationListener* listener, ScheduleKind kind) {
    if (kind == ScheduleKind::Table) {
        state.DataCount = 0;
        state.PrePayApplied = 0;
        if (state.ReportLines.size() < 2)
            throw CalculationError("subscript out of range");
        state.ReportLines[1].clear();
    }
    state.AnnualTable.size(45, 7);
    const Schedule schedule =
        CalculateSchedule(LoanInputFrom(state, frequencyText, compoundingText, kind), listener);
    keep(state, schedule, kind);
    ThrowIfFailed(schedule);
    return schedule.figures;
}

void SizeCalculationTables(SharedState& state) {
    state.ScheduleTable.size(2100, 7);
    state.AnnualTable.size(45, 7);
    state.ChartData.size(45, 6);
    state.PrePayTable.size(45, 2);
    state.InputValues.assign(6, Currency());
    state.ReportLines.assign(4, QString());
}

} // namespace qb
