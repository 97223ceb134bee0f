// The shared module: the working values every window reads and writes.
//
// The values keep the names the windows and reports know them by. They live in one plain struct
// owned by the application and handed by reference to whoever needs them, so a test can build a
// fresh set. Numbers start at 0, texts empty, tables unsized; start-up and the windows give them
// their working values.
#pragma once

#include "core/engine/schedule.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <vector>

namespace qb {

struct SharedState {
    // 1 principal, 2 annual rate in percent, 3 term in years (the loan window stores months / 12).
    std::vector<Currency> InputValues;
    // A loan's period in whole months as the user gave it; 0 for a term given in years. The
    // calculation runs on it exactly while element 3 still holds it (months / 12, rounded).
    std::int16_t TermMonths = 0;

    // The schedule of the last Calculate of a table window, as far as it got: the grid, the
    // printed table and the balance chart read it.
    Schedule LastSchedule;

    std::int16_t TableView = 0; // 1 one row per year, 2 every payment
    std::int16_t DataCount = 0; // rows ready for printing and charting; 0 = nothing calculated

    // Years 0..45 by columns 0..2: 1 year number, 2 additional amount paid that year.
    CurrencyTable PrePayTable;
    std::int16_t PrePayYears = 0;
    std::int16_t PrePayCount = 0;
    std::int16_t PrePayApplied = 0;
    std::vector<QString> ReportLines;

    QString FirstPayDate; // short date text
    std::int16_t ShowDates = 0;

    std::int16_t EntryStarted = 0;
    std::int16_t HelpOpen = 0;

    std::int16_t ChartSource = 0; // 1 comparisons, 2 personal loan table, 4 mortgage table
    Table2D<QVariant> ChartData;  // 0..45 by 0..6: column 1 caption, column 5 value
    QString ChartTitle;

    std::int16_t CompoundChoice = 0;
    std::int16_t DayFactorChoice = 0;
    std::int16_t PrinterFontChoice = 0;
    double DaysPerYear = 0;
    double BiWeeklyPerYear = 0;
    double WeeklyPerYear = 0;
    QString CurrencySymbol;
    QString OwnerName;

    std::int16_t LinesPerPage = 0;
    QString ReportHeader;
};

} // namespace qb
