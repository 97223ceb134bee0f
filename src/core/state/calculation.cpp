// The calculation on the shared working values; see calculation.h.
#include "core/state/calculation.h"

#include "core/format/shortdate.h"

#include <algorithm>

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

// The entry of a list whose text is text, or none.
template <typename Entry, std::size_t N>
const Entry* findEntry(const std::array<Entry, N>& entries, QStringView text) {
    const auto found = std::ranges::find_if(
        entries, [text](const Entry& entry) { return text == QStringView(entry.text); });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace

LoanInput LoanInputFrom(const SharedState& state, const Frequency* frequency,
                        const Compounding* compounding, ScheduleKind kind) {
    if (state.InputValues.size() < 4)
        throw CalculationError("subscript out of range");
    LoanInput input;
    input.principal = state.InputValues[1].toDouble();
    input.annualRate = state.InputValues[2].toDouble();
    input.termYears = exactTerm(state);
    input.frequency = frequency;
    input.compounding = compounding;
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

LoanInput LoanInputFrom(const SharedState& state, QStringView frequencyText,
                        QStringView compoundingText, ScheduleKind kind) {
    return LoanInputFrom(state, findEntry(kFrequencies, frequencyText),
                         findEntry(kCompoundings, compoundingText), kind);
}

const Schedule& CalculateTable(SharedState& state, const LoanInput& input,
                               CalculationListener* listener) {
    state.DataCount = 0;
    state.PrePayApplied = 0;
    if (state.ReportLines.size() < 2)
        state.ReportLines.resize(4);
    state.ReportLines[1].clear();
    state.LastSchedule = CalculateSchedule(input, listener);
    if (!state.LastSchedule.failure)
        state.DataCount = static_cast<std::int16_t>(state.LastSchedule.dataCount);
    return state.LastSchedule;
}

Calculation Calculate(SharedState& state, QStringView frequencyText, QStringView compoundingText,
                      CalculationListener* listener) {
    const Schedule& schedule =
        CalculateTable(state, LoanInputFrom(state, frequencyText, compoundingText), listener);
    ThrowIfFailed(schedule);
    return schedule.figures;
}

void SizeCalculationTables(SharedState& state) {
    state.ChartData.size(45, 6);
    state.PrePayTable.size(45, 2);
    state.InputValues.assign(6, Currency());
    state.ReportLines.assign(4, QString());
}

} // namespace qb
