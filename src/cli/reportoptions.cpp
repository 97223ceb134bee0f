// The report options and the two ways out for a report: text or PDF.
#include "cli/reportoptions.h"

#include "cli/drawingmodules.h"
#include "cli/scheduleoptions.h"
#include "core/print/outputfile.h"
#include "core/print/textprinter.h"
#include "pdf/pdfmodule.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace qb {

namespace {

constexpr double kPageLengthTwips = 11 * 1440;
constexpr int kLinesKeptFree = 8;

// Control characters, and the layout controls that would reorder or break the printed line.
bool hasControlCharacter(const QString& text) {
    return std::ranges::any_of(
        text, [](QChar c) { return c.category() == QChar::Other_Control || IsLayoutControl(c); });
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
    QString reason;
    PdfModule* pdf = LoadPdfModule(reason);
    if (!pdf)
        return cannotWrite(reason);
    // Fonts need the GUI part of Qt; the tool's main has the PDF module start it when a PDF is
    // asked for.
    if (!QCoreApplication::instance() || !QCoreApplication::instance()->inherits("QGuiApplication"))
        return cannotWrite(QStringLiteral("no font support in this run"));
    // Courier New 11 point: SetPrinterFont measures the page length from it.
    state.PrinterFontChoice = 1;
    reason = pdf->writePdf(reportName, options.pdf, report);
    return reason.isEmpty() ? 0 : cannotWrite(reason);
}

} // namespace

void CheckPrintableText(const QString& option, const QString& value) {
    if (hasControlCharacter(value))
        throw UsageError{option + QStringLiteral(": holds a control character")};
}

namespace {

using Row = Option<ReportOptions>;

// Digits only, no more than the largest number has.
int parseLinesPerPage(const Row& option, const QString& value) {
    const bool digitsOnly =
        !value.isEmpty() && value.size() <= QString::number(option.most).size() &&
        std::ranges::all_of(value, [](QChar c) { return c >= u'0' && c <= u'9'; });
    const int lines = digitsOnly ? value.toInt() : 0;
    if (lines < option.least || lines > option.most)
        throw Refused(option.flag(), value,
                      QStringLiteral("is not a whole number from %1 to %2")
                          .arg(option.least)
                          .arg(option.most));
    return lines;
}

constexpr std::array<Row, 4> kOptions = {{
    {u"header", u"TEXT",
     u"the header line at the top of the report (default\n"
     u"none); at most {most} characters, no control characters",
     [](const Row& o, const QString& v, ReportOptions& t) {
         // The value is not repeated: it may be long, and a control character would break the
         // message line.
         // Characters as the reader counts them: an emoji is one, not two halves.
         if (QStringView(v).toUcs4().size() > o.most)
             throw UsageError{o.flag() + QStringLiteral(": more than %1 characters").arg(o.most)};
         CheckPrintableText(o.flag(), v);
         t.header = v;
     },
     0, 76},
    {u"currency", u"SYMBOL",
     u"put before the amounts of the two summary lines and the\ntotals, as given (default $)",
     [](const Row& o, const QString& v, ReportOptions& t) {
         CheckPrintableText(o.flag(), v);
         t.currency = v;
     }},
    {u"lines-per-page", u"N",
     u"lines a page holds, {least} to {most} (default 58, the page\n"
     u"length of a 12-point line spacing)",
     [](const Row& o, const QString& v, ReportOptions& t) {
         t.linesPerPage = parseLinesPerPage(o, v);
         t.linesPerPageGiven = true;
     },
     1, 1000},
    {u"pdf", u"FILE",
     u"write the report to FILE as a PDF in Courier New 11\n"
     u"point, its page length measured from that font;\n"
     u"nothing is written on standard output",
     [](const Row& o, const QString& v, ReportOptions& t) {
         if (v.isEmpty())
             throw Refused(o.flag(), v, u"is not a file name");
         t.pdf = v;
     }},
}};

} // namespace

OptionTable<ReportOptions> ReportOptionTable() {
    return kOptions;
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
