// The calculation as the windows and the command-line tool run it on their shared working values:
// the LoanInput those values describe goes through the engine (schedule.h), and the Schedule it
// gives back is kept where the grid, the reports and the charts read it (the schedule and yearly
// tables, the payments a year, the years to retire, the rows to print and chart).
#pragma once

#include "core/engine/schedule.h"
#include "core/state/shared.h"

#include <QStringView>

namespace qb {

// The mortgage or loan the shared values describe: principal, rate and term from InputValues (a
// loan's months exactly, from TermMonths), the entries of the frequency and compounding list
// texts, the days-per-year basis, the additional payments, the table view and the first payment
// date when rows carry dates.
LoanInput LoanInputFrom(const SharedState& state, QStringView frequencyText,
                        QStringView compoundingText, ScheduleKind kind = ScheduleKind::Table);

// Runs the whole calculation and keeps its results in the shared values. The shared tables must
// have been sized by the caller (the window that loads them, or the command-line tool). Throws
// TermLimitError when the term is 41 years or more and CalculationError for any other failure;
// what was worked out before a failure is kept all the same.
Calculation Calculate(SharedState& state, QStringView frequencyText, QStringView compoundingText,
                      CalculationListener* listener = nullptr,
                      ScheduleKind kind = ScheduleKind::Table);

// Sizes the shared tables as the calculation windows do when they load.
void SizeCalculationTables(SharedState& state);

} // namespace qb
