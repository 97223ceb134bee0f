// The printed mortgage and loan tables: a header line typed by the user, the inputs and results
// of the calculation, the table in the view the window shows (one row per year, every payment,
// or every payment by date) page by page, the totals and the additional payments applied.
//
// The two reports are one routine: TableReportLayout holds what they differ in. The report
// prints the Schedule a calculation made of a LoanInput, on any Printer: the paper or PDF printer
// of the desktop program, or the recording printer of the tests and the command-line tool. What
// comes before it (the no-data message, calculating again, the header dialog, the hourglass) is the
// window's business.
//
//   SharedState& state = ...;                      // ReportHeader set
//   const Schedule& schedule = CalculateTable(state, input);
//   PrintTable(MortgageTableReport(), TableReportFigures::of(MortgageTableReport(), schedule,
//              state), schedule, state, printer);
#pragma once

#include "core/print/printer.h"
#include "core/state/calculation.h"
#include "core/state/shared.h"

#include <array>
#include <utility>
#include <vector>

namespace qb {

struct TableReportLayout {
    QString name; // names the printout, e.g. its PDF file
    QString title;
    std::array<QString, 3> inputHeadings;
    std::array<QString, 3> resultHeadings;
    // Where the interest and principal amounts of a row start, and their widths.
    int interestColumn = 13;
    int interestWidth = 9;
    int principalColumn = 25;
    int principalWidth = 9;
    // The loan's term is typed and printed in months, and so is the time to the final payment.
    bool termInMonths = false;
    // The loan report breaks the page before the block of applied additional payments when the
    // page is nearly full, even with no block to follow, and sets no font after that break.
    bool loanEnding = false;
};

const TableReportLayout& MortgageTableReport();
const TableReportLayout& LoanTableReport();

// The figures of the report's input and result lines, as the calculation took and produced them
// (not as the window's labels show them, so any currency symbol formats right).
struct TableReportFigures {
    double principal = 0;
    double rate = 0;
    double term = 0; // years, or months for a loan
    QString compounding;
    QString frequency;
    QString daysInYear;
    double periodicRate = 0;
    int paymentsPerYear = 0;
    double timeToFinalPayment = 0; // years, or months for a loan
    double payment = 0;
    Currency totalPaid;
    Currency interestSavings;

    // The days in the year come from the shared days-per-year basis.
    static TableReportFigures of(const TableReportLayout& layout, const Schedule& schedule,
                                 const SharedState& state);
};

// "Normal" for monthly payments, otherwise the days of the year the weekly and two-weekly rates
// are based on: what the windows show as the days in the year.
QString DaysInYearCaption(const SharedState& state, const Calculation& result);

// Keeps the block of text the report ends with in ReportLines element 1 (a heading and one
// line per applied payment, each ended by CR LF) and their number in PrePayApplied.
void RecordAppliedPayments(SharedState& state, const AppliedPayments& applied);

// Prints the report of a completed calculation: sets the printer font, prints the pages and
// finishes the printout. LinesPerPage is the page length it counts with (SetPrinterFont sets
// it); ReportHeader is the header line; ReportLines element 1 the applied payments. Printer
// failures propagate.
void PrintTable(const TableReportLayout& layout, const TableReportFigures& figures,
                const Schedule& schedule, SharedState& state, Printer& printer);

} // namespace qb
