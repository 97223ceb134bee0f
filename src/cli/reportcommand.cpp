// The "report" command reads the loan as "schedule" does (a loan's term in months, a mortgage's
// in years), works it out as the table window's Calculate does, and prints the same report the
// window's To Printer button prints, through the report options' text or PDF output.
#include "cli/reportcommand.h"

#include "cli/reportoptions.h"
#include "cli/scheduleoptions.h"
#include "core/reports/tablereport.h"

namespace qb {

namespace {

QString reportUsage() {
    return QStringLiteral(
               R"(Usage: quillbrook-cli report mortgage|loan [options]

Prints the report the Mortgage Tables or Personal Loan Table window prints with
To Printer: the header, the inputs and results, the table page by page, the
totals and the additional payments applied. Without --pdf the pages are written
as text: one line per printed line, a line holding only a form feed between
pages.

The loan takes every option of "schedule" but --format, with the same meaning
and defaults, except that a mortgage takes --years (default 25) and a loan takes
--months (default 48) and a principal of 20000 by default. Also:
)") + OptionHelp(ReportOptionTable()) +
           HelpOptionLine() + QStringLiteral(R"(
Exit status: 0 on success, 1 when the output cannot be written, 2 for bad input,
a loan that cannot be worked out or a table with no rows to print.
)");
}

const QString kNoData = QStringLiteral(" No data to Print. Calculate.");

} // namespace

int RunReport(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QString kind = arguments.value(1);
    if (kind == u"--help" || kind == u"-h") {
        return WriteOutput(out, err, reportUsage());
    }
    const bool loan = kind == u"loan";
    if (!loan && kind != u"mortgage") {
        PrintCliError(
            err,
            kind.isEmpty()
                ? QStringLiteral("report: say mortgage or loan")
                : QStringLiteral("report: \"%1\" is not mortgage or loan").arg(ShownValue(kind)));
        return 2;
    }
    const TableReportLayout& layout = loan ? LoanTableReport() : MortgageTableReport();

    ReportOptions report;
    SharedState state;
    try {
        const bool read = CalculateLoanOptions(
            arguments, loan, QStringLiteral("report ") + kind, state,
            [](QStringView name) { return FindOption(ReportOptionTable(), name) != nullptr; },
            [&report](const QString& name, const QString& value) {
                return ApplyOption(ReportOptionTable(), name, value, report);
            },
            [&report] { CheckReportOptions(report); });
        if (!read)
            return WriteOutput(out, err, reportUsage());
    } catch (...) {
        return RefusalStatus(err);
    }
    // The window refuses to print a table with no rows: a loan too short for a whole year in
    // the yearly view.
    if (state.DataCount == 0) {
        PrintCliError(err, kNoData.trimmed());
        return 2;
    }
    // The window lists the applied payments only when additional payments were entered.
    const Schedule& calculated = state.LastSchedule;
    if (state.PrePayCount > 0)
        RecordAppliedPayments(state, calculated.extraPaymentsApplied);
    const TableReportFigures figures = TableReportFigures::of(layout, calculated, state);
    return WriteReport(
        report, layout.name, state,
        [&](Printer& printer) { PrintTable(layout, figures, calculated, state, printer); }, out,
        err);
}

} // namespace qb
