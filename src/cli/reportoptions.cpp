// The report options and the two ways out for a report: text or PDF.
#include "cli/reportoptions.h"

#include "cli/scheduleoptions.h"
#include "core/print/outputfile.h"
#include "core/print/textprinter.h"
#include "desktop/platform/qtprinter.h"

#include <QGuiApplication>

namespace qb {

namespace {

constexpr int kMaxHeaderLength = 76;
constexpr int kMaxLinesPerPage = 1000;
constexpr double kPageLengthTwips = 11 * 1440;
constexpr int kLinesKeptFree = 8;

// Control characters, and the layout controls that would reorder or break the printed line.
bool hasControlCharacter(const QString& text) {
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control || IsLayoutControl(c))
            return true;
    }
    return false;
}

int parseLinesPerPage(const QString& option, const QString& value) {
    bool digitsOnly = !value.isEmpty() && value.size() <= 4;
    for (QChar c : value)
        digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
    const int lines = digitsOnly ? value.toInt() : 0;
    if (lines < 1 || lines > kMaxLinesPerPage)
        throw RefusedOption(option, value, "is not a whole number from 1 to 1000");
    return lines;
}

int writePdf(const ReportOptions& options, const QString& reportName, SharedState& state,
             const std::function<void(Printer&)>& report, QTextStream& err) {
    const auto cannotWrite = [&err](const QString& reason) {
        PrintCliError(err, QStringLiteral("cannot write the output: ") + reason);
        return 1;
    };
    // A file that cannot be made is reported before anything is drawn. Only a file is tried so:
    // a FIFO opened twice would hand its reader an end before the report.
    if (!OutputFile::writesInPlace(options.pdf)) {
        OutputFile probe;
        if (!probe.start(options.pdf))
            return cannotWrite(probe.errorString());
    }
    // Fonts need the GUI part of Qt; the tool's main starts it when a PDF is asked for.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return cannotWrite(QStringLiteral("no font support in this run"));
    // Courier New 11 point: SetPrinterFont measures the page length from it.
    state.PrinterFontChoice = 1;
    try {
        QtPrinter printer(reportName, options.pdf);
        report(printer);
        // The file is put in place when the job ends; ending it here reports a failure.
        printer.endDoc();
    } catch (const PrinterError& error) {
        return cannotWrite(QString::fromStdString(error.what()));
    }
    return 0;
}

} // namespace

const QString kReportOptionsHelp = QStringLiteral(
    R"(  --header TEXT          the header line at the top of the report (default
                         none); at most 76 characters, no control characters
  --currency SYMBOL      put before the amounts of the two summary lines and the
                         totals, as given (default $)
  --lines-per-page N     lines a page holds, 1 to 1000 (default 58, the page
                         length of a 12-point line spacing)
  --pdf FILE             write the report to FILE as a PDF in Courier New 11
                         point, its page length measured from that font;
                         nothing is written on standard output
)");

void CheckPrintableText(const QString& option, const QString& value) {
    if (hasControlCharacter(value))
        throw UsageError{option + QStringLiteral(": holds a control character")};
}

bool IsReportOption(QStringView name) {
    return name == u"header" || name == u"currency" || name == u"lines-per-page" || name == u"pdf";
}

void ApplyReportOption(const QString& name, const QString& value, ReportOptions& options) {
    const QString option = QStringLiteral("--") + name;
    if (name == u"header") {
        // The value is not repeated: it may be long, and a control character would break the
        // message line.
        // Characters as the reader counts them: an emoji is one, not two halves.
        if (QStringView(value).toUcs4().size() > kMaxHeaderLength)
            throw UsageError{option + QStringLiteral(": more than 76 characters")};
        CheckPrintableText(option, value);
        options.header = value;
    } else if (name == u"currency") {
        CheckPrintableText(option, value);
        options.currency = value;
    } else if (name == u"lines-per-page") {
        options.linesPerPage = parseLinesPerPage(option, value);
        options.linesPerPageGiven = true;
    } else if (name == u"pdf") {
        if (value.isEmpty())
            throw RefusedOption(option, value, "is not a file name");
        options.pdf = value;
    }
}

void CheckReportOptions(const ReportOptions& options) {
    if (options.linesPerPageGiven && !options.pdf.isEmpty())
        throw UsageError{QStringLiteral(
            "--lines-per-page cannot be given with --pdf: the PDF's font sets the page length")};
}

int WriteReport(const ReportOptions& options, const QString& reportName, SharedState& state,
                const std::function<void(Printer&)>& report, QTextStream& out, QTextStream& err) {
    state.ReportHeader = options.header;
    state.CurrencySymbol = options.currency;
    if (!options.pdf.isEmpty())
        return writePdf(options, reportName, state, report, err);

    // A line height that makes SetPrinterFont measure the page length asked for.
    state.PrinterFontChoice = 0;
    TextPrinter printer(kPageLengthTwips / (options.linesPerPage + kLinesKeptFree));
    report(printer);
    return WriteOutput(out, err, printer.reportText());
}

} // namespace qb
