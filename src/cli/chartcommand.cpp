// The chart command reads its own options (the picture's file and size, the currency symbol)
// and refuses the report options that only shape printed text; everything else describes the
// loan and is read by the schedule command's own rules, so they read a loan the same way. The chart
// is then drawn by the Charts window itself, with the window's title and captions, in the charts
// module the command loads.
#include "cli/chartcommand.h"

#include "charts/chartsmodule.h"
#include "cli/comparecommand.h"
#include "cli/drawingmodules.h"
#include "cli/optionreader.h"
#include "cli/reportoptions.h"
#include "cli/scheduleoptions.h"
#include "core/state/balancechart.h"
#include "core/state/comparison.h"
#include "core/state/shared.h"

#include <array>

namespace qb {

struct PictureOptions {
    QString output;
    int width = 1024;
    int height = 640;
    QString currency = QStringLiteral("$");
};

namespace {

using Row = Option<PictureOptions>;

// Between the smallest and the largest size, as QString::toInt reads a number.
int parseSize(const Row& option, const QString& value) {
    bool ok = false;
    const int pixels = value.toInt(&ok);
    if (!ok || pixels < option.least || pixels > option.most)
        throw Refused(option.flag(), value,
                      QStringLiteral("is not a whole number from %1 to %2")
                          .arg(option.least)
                          .arg(option.most));
    return pixels;
}

constexpr std::array<Row, 4> kOptions = {{
    {u"output", u"FILE", u"the picture to write; FILE ends in .png or .svg",
     [](const Row&, const QString& v, PictureOptions& t) {
         t.output = v;
     }},
    {u"width", u"PIXELS", u"the picture's width, {least} to {most} (default 1024)",
     [](const Row& o, const QString& v, PictureOptions& t) { t.width = parseSize(o, v); }, 200,
     4000},
    {u"height", u"PIXELS", u"the picture's height, {least} to {most} (default 640)",
     [](const Row& o, const QString& v, PictureOptions& t) { t.height = parseSize(o, v); }, 200,
     4000},
    {u"currency", u"SYMBOL", u"the currency symbol (default $)",
     [](const Row& o, const QString& v, PictureOptions& t) {
         CheckPrintableText(o.flag(), v);
         t.currency = v;
     }},
}};

QString usage() {
    return QStringLiteral(
               R"(Usage: quillbrook-cli chart mortgage|loan --output FILE [options]
       quillbrook-cli chart compare --row "ROW" ... --output FILE [options]

Draws the balance at the start of each year of a mortgage or loan as a bar
chart, as the Charts window shows it, and writes it as a picture.

Options:
)") + OptionHelp(ChartOptionTable()) +
           HelpOptionLine() + QStringLiteral(R"(
The loan is described by the options of "quillbrook-cli schedule": --principal,
--rate, --compounding, --frequency, --view, --first-date, --extra and
--days-per-year, with the same meaning and defaults. "chart mortgage" takes
--years (default 25); "chart loan" takes --months (default 48) and its
principal defaults to 20000. "chart compare" takes the --row and --days-per-year
options of "quillbrook-cli compare" and draws the total interest of each row.

Exit status: 0 on success, 1 when the picture cannot be written, 2 for bad
input or a loan that cannot be worked out.
)");
}

// The report's options that shape printed text have no place in a picture.
void refuseTextOption(QStringView name) {
    if (name == u"format" || (FindOption(ReportOptionTable(), name) && name != u"currency"))
        throw UsageError{QStringLiteral("--%1 is not an option of chart").arg(name)};
}

void checkOutput(const QString& output) {
    if (output.isEmpty())
        throw UsageError{QStringLiteral("--output: a picture file is required")};
    if (!output.endsWith(u".png", Qt::CaseInsensitive) &&
        !output.endsWith(u".svg", Qt::CaseInsensitive)) {
        throw UsageError{QStringLiteral("--output: \"%1\" does not end in .png or .svg")
                             .arg(ShownValue(output))};
    }
}

// The charts module's Charts window draws the chart the state describes; the picture is its 2D
// chart in colour.
int drawPicture(SharedState& state, const PictureOptions& picture, QTextStream& err,
                ChartPicture* drawn) {
    QString reason;
    if (ChartsModule* charts = LoadChartsModule(reason)) {
        reason = charts->writeChartPicture(state, picture.output,
                                           QSize(picture.width, picture.height), drawn);
    }
    if (!reason.isEmpty()) {
        PrintCliError(err, QStringLiteral("cannot write the output: %1").arg(reason));
        return 1;
    }
    return 0;
}

// "chart compare": the rows as compare reads them, drawn as the comparison chart.
int runCompareChart(const QStringList& arguments, QTextStream& out, QTextStream& err,
                    ChartPicture* drawn) {
    PictureOptions picture;
    SharedState state;
    try {
        const auto known = [](QStringView name) {
            refuseTextOption(name);
            return FindOption(ChartOptionTable(), name) != nullptr;
        };
        const auto apply = [&picture](const QString& name, const QString& value) {
            ApplyOption(ChartOptionTable(), name, value, picture);
        };
        if (!CalculateComparisonOptions(arguments, 2, state, known, apply))
            return WriteOutput(out, err, usage());
        checkOutput(picture.output);
    } catch (...) {
        return RefusalStatus(err);
    }
    // The comparisons window always lists every payment: the axis shows money.
    state.TableView = 2;
    state.ChartSource = 1;
    state.CurrencySymbol = picture.currency;
    return drawPicture(state, picture, err, drawn);
}

} // namespace

OptionTable<PictureOptions> ChartOptionTable() {
    return kOptions;
}

int RunChartCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                    ChartPicture* drawn) {
    const QString kind = arguments.value(1);
    if (kind == u"--help" || kind == u"-h")
        return WriteOutput(out, err, usage());
    if (kind == u"compare")
        return runCompareChart(arguments, out, err, drawn);
    if (kind != u"mortgage" && kind != u"loan") {
        PrintCliError(err, kind.isEmpty()
                               ? QStringLiteral("chart: say mortgage, loan or compare")
                               : QStringLiteral("chart: \"%1\" is not mortgage, loan or compare")
                                     .arg(ShownValue(kind)));
        return 2;
    }
    const bool loan = kind == u"loan";
    PictureOptions picture;
    SharedState state;
    try {
        const bool read = CalculateLoanOptions(
            arguments, loan, QStringLiteral("chart ") + kind, state,
            [](QStringView name) {
                refuseTextOption(name);
                return FindOption(ChartOptionTable(), name) != nullptr;
            },
            [&picture](const QString& name, const QString& value) {
                return ApplyOption(ChartOptionTable(), name, value, picture);
            },
            [&picture] { checkOutput(picture.output); });
        if (!read)
            return WriteOutput(out, err, usage());
    } catch (...) {
        return RefusalStatus(err);
    }
    const BalanceChartKind chart = loan ? LoanBalanceChart() : MortgageBalanceChart();
    state.ChartTitle = chart.title;
    state.ChartSource = chart.chartSource;
    state.CurrencySymbol = picture.currency;
    return drawPicture(state, picture, err, drawn);
}

} // namespace qb
