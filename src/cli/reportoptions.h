// The options every printed report of the tool takes, and the one way it prints one: as the
// pages' text on standard output, or as a PDF through the printer the desktop program prints
// with.
//
//   --header TEXT          the header line (default empty; at most 76 characters, no control
//                          characters nor layout controls)
//   --currency SYMBOL      put before the amounts of the summary and totals (default "$")
//   --lines-per-page N     the page length, 1 to 1000 (default 58); not with --pdf
//   --pdf FILE             write a PDF in Courier New instead of text
//
// A command reads its own options and these with ReadOptions, keeps these with
// ApplyReportOption, and hands WriteReport the routine that prints its report.
#pragma once

#include "cli/optionreader.h"
#include "core/print/printer.h"
#include "core/state/shared.h"

#include <functional>

namespace qb {

struct ReportOptions {
    QString header;
    QString currency = QStringLiteral("$");
    int linesPerPage = 58;
    bool linesPerPageGiven = false;
    QString pdf;
};

// The lines of --help that describe these options.
extern const QString kReportOptionsHelp;

bool IsReportOption(QStringView name);
// Checks and keeps the value of one report option; throws UsageError when it is refused.
void ApplyReportOption(const QString& name, const QString& value, ReportOptions& options);
// Refuses text that is printed or drawn as given (a header, a currency symbol) when it holds a
// control character or a layout control (see IsLayoutControl), which would break or reorder the
// line it is shown on.
void CheckPrintableText(const QString& option, const QString& value);
// Checks the options that cannot be given together, once all are read.
void CheckReportOptions(const ReportOptions& options);

// Puts the header and currency in state, prints the report on the printer the options ask for
// (setting the font and page length SetPrinterFont will measure), and writes the text to out or
// the PDF to its file. A PDF that cannot be written prints "cannot write the output: REASON"
// on err. Returns the exit status: 0, or 1 when the output could not be written.
int WriteReport(const ReportOptions& options, const QString& reportName, SharedState& state,
                const std::function<void(Printer&)>& report, QTextStream& out, QTextStream& err);

} // namespace qb
