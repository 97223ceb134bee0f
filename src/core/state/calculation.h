// The calculation as the windows and the command-line tool run it on their shared working values:
// the boxes' committed values and the lists' entries make a LoanInput, the engine (schedule.h)
// makes a Schedule of it, and the Schedule is kept as the last one, where the grid, the reports
// and the charts read it.
#pragma once

#include "core/engine/schedule.h"
#include "core/state/shared.h"

#include <QStringView>

namespace qb {

// The mortgage or loan the shared values describe: principal, rate and term from InputValues (a
// loan's months exactly, from TermMonths), the given frequency and compounding entries, the
// days-per-year basis, the additional payments, the table view and the first payment date when
// rows carry dates. Throws CalculationError when InputValues holds no term.
LoanInput LoanInputFrom(const SharedState& state, const Frequency* frequency,
                        const Compounding* compounding, ScheduleKind kind = ScheduleKind::Table);
// The same for the list texts of the frequency and the compounding; a text that is not an entry
// of its list gives an input the engine refuses.
LoanInput LoanInputFrom(const SharedState& state, QStringView frequencyText,
                        QStringView compoundingText, ScheduleKind kind = ScheduleKind::Table);

// Runs a table window's calculation: forgets the rows ready for printing and the applied
// payments of the last one, keeps the new schedule as LastSchedule, as far as it got, and, when
// it completed, its rows for printing and charting in DataCount. Never throws for a failure of
// the calculation: the schedule carries it.
const Schedule& CalculateTable(SharedState& state, const LoanInput& input,
                               CalculationListener* listener = nullptr);

// CalculateTable for the shared values and the list texts, failing by exception:
// TermLimitError when the term is 41 years or more and CalculationError for any other failure.
Calculation Calculate(SharedState& state, QStringView frequencyText, QStringView compoundingText,
                      CalculationListener* listener = nullptr);

// Sizes the shared tables as the calculation windows do when they load.
void SizeCalculationTables(SharedState& state);

} // namespace qb
