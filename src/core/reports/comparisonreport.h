// The comparison report: the comparisons window's table printed as plain text. A header line,
// the title, a three-line column heading and the row lines the window built while it calculated;
// then, when any row used additional payments, those payments listed row by row in bands of five
// columns, with a page break whenever the page fills.
#pragma once

#include "core/print/printer.h"
#include "core/state/comparison.h"
#include "core/state/shared.h"

#include <QStringList>

#include <array>

namespace qb {

inline constexpr const char* kNoDataToPrint = " No data to Print. Calculate.";

// The texts of a row's eight columns, as the comparisons window's grid shows them: row number,
// compounding letter and frequency code; term; years to retire (after "*" when the row applied
// additional payments); payments a year; principal; rate; payment; total interest.
std::array<QString, 8> ComparisonRowCells(const ComparisonRow& row, const QString& currencySymbol);

// The row's line of the report, laid out under the column heading, line breaks included.
QString ComparisonReportLine(const ComparisonRow& row, const QString& currencySymbol);

// Works out the next row (CalculateComparisonRow) and adds its line to ReportLines(1), where the
// report prints the rows from.
ComparisonRow AddComparisonRow(SharedState& state, ComparisonTable& table, const LoanInput& input);

// Appends a field of width characters that ends at the field's right edge. A longer text grows
// to the left into the blanks before it, but keeps one blank between itself and any text before
// it; where that needs more room, the line grows to the right.
void AppendField(QString& line, const QString& text, int width);

// The three lines of the column heading, as printed from column 2.
const std::array<QString, 3>& ComparisonHeadings();

// The lines of the additional-payments section without its rules and blank lines: every line of
// every band the report prints, in order, each laid out from column 1.
QStringList ComparisonBandLines(const ComparisonTable& table);

// Prints the report on printer, with ReportHeader as its header line. The caller has checked
// that there is something to print and asked for the header. Printer failures propagate.
void PrintComparisonReport(SharedState& state, const ComparisonTable& table, Printer& printer);

} // namespace qb
