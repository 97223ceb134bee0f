// The options every printed report of the tool takes, and the one way it prints one: as the
// pages' text on standard output, or as a PDF through the printer the desktop program prints
// with, in the PDF module loaded for it: --header, --currency, --lines-per-page and --pdf,
// declared in ReportOptionTable.
//
// A command reads its own options and these with ReadOptions, keeps these through
// ReportOptionTable, and hands WriteReport the routine that prints its report.
#pragma once

#include "cli/optionreader.h"
#include "cli/optiontable.h"
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

OptionTable<ReportOptions> ReportOptionTable();

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
