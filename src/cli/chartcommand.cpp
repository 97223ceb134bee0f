// The chart command reads its own options (the picture's file and size, the currency symbol)
// and refuses the report options that only shape printed text; everything else describes the
// loan and is read by the schedule command's own rules, so they read a loan the same way. The chart
// is then drawn by the Charts window itself, with the window's title and captions.
#include "cli/chartcommand.h"

#include "cli/comparecommand.h"
#include "cli/optionreader.h"
#include "cli/reportoptions.h"
#include "cli/scheduleoptions.h"
#include "core/engine/engineerror.h"
#include "core/program/messagebox.h"
#include "core/state/comparison.h"
#include "core/state/shared.h"
#include "desktop/charts/graphicswindow.h"
#include "desktop/charts/qtchartcontrol.h"
#include "desktop/windows/tablewindow.h"

namespace qb {

namespace {

const QString kUsage = QStringLiteral(
    R"(Usage: quillbrook-cli chart mortgage|loan --output FILE [options]
       quillbrook-cli chart compare --row "ROW" ... --output FILE [options]

Draws the balance at the start of each year of a mortgage or loan as a bar
chart, as the Charts window shows it, and writes it as a picture.

Options:
  --output FILE          the picture to write; FILE ends in .png or .svg
  --width PIXELS         the picture's width, 200 to 4000 (default 1024)
  --height PIXELS        the picture's height, 200 to 4000 (default 640)
  --currency SYMBOL      the currency symbol (default $)
  --help                 show this text

The loan is described by the options of "quillbrook-cli schedule": --principal,
--rate, --compounding, --frequency, --view, --first-date, --extra and
--days-per-year, with the same meaning and defaults. "chart mortgage" takes
--years (default 25); "chart loan" takes --months (default 48) and its
principal defaults to 20000. "chart compare" takes the --row and --days-per-year
options of "quillbrook-cli compare" and draws the total interest of each row.

Exit status: 0 on success, 1 when the picture cannot be written, 2 for bad
input or a loan that cannot be worked out.
)");

constexpr int kSmallest = 200;
constexpr int kLargest = 4000;

struct PictureOptions {
    QString output;
    int width = 1024;
    int height = 640;
    QString currency = QStringLiteral("$");
};

bool isPictureOption(QStringView name) {
    return name == u"output" || name == u"width" || name == u"height" || name == u"currency";
}

int parseSize(const QString& option, const QString& value) {
    bool ok = false;
    const int pixels = value.toInt(&ok);
    if (!ok || pixels < kSmallest || pixels > kLargest)
        throw UsageError{QStringLiteral("%1: \"%2\" is not a whole number from 200 to 4000")
                             .arg(option, ShownValue(value))};
    return pixels;
}

void applyPictureOption(const QString& name, const QString& value, PictureOptions& options) {
    if (name == u"output")
        options.output = value;
    else if (name == u"width")
        options.width = parseSize(QStringLiteral("--width"), value);
    else if (name == u"height")
        options.height = parseSize(QStringLiteral("--height"), value);
    else {
        CheckPrintableText(QStringLiteral("--currency"), value);
        options.currency = value;
    }
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

// The window draws the chart the state describes; the picture is its 2D chart in colour.
int drawPicture(SharedState& state, const PictureOptions& picture, QTextStream& err,
                ChartPicture* drawn) {
    RecordingMessageBox messages;
    auto control = std::make_unique<QtChartControl>();
    QtChartControl& chart = *control;
    Graphics window(state, messages, std::move(control));
    window.drawInColour(true);
    if (drawn)
        *drawn = chart.picture();

    const QString reason = chart.writePicture(picture.output, QSize(picture.width, picture.height));
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
            if (name == u"format" || (IsReportOption(name) && name != u"currency"))
                throw UsageError{QStringLiteral("--%1 is not an option of chart").arg(name)};
            return isPictureOption(name);
        };
        const auto apply = [&picture](const QString& name, const QString& value) {
            applyPictureOption(name, value, picture);
        };
        if (!CalculateComparisonOptions(arguments, 2, state, known, apply)) {
            return WriteOutput(out, err, kUsage);
        }
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

int RunChartCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                    ChartPicture* drawn) {
    const QString kind = arguments.value(1);
    if (kind == u"--help" || kind == u"-h") {
        return WriteOutput(out, err, kUsage);
    }
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
    ScheduleOptions schedule;
    PictureOptions picture;
    SharedState state;
    try {
        schedule = StartOptions(loan);
        const auto known = [&](QStringView name) {
            RefuseOtherTerm(name, loan, QStringLiteral("chart ") + kind);
            // The report's options that shape printed text have no place in a picture.
            if (name == u"format" || (IsReportOption(name) && name != u"currency"))
                throw UsageError{QStringLiteral("--%1 is not an option of chart").arg(name)};
            return IsLoanOption(name) || isPictureOption(name);
        };
        const auto apply = [&](const QString& name, const QString& value) {
            if (isPictureOption(name))
                applyPictureOption(name, value, picture);
            else
                ApplyLoanOption(name, value, schedule);
        };
        if (!ReadOptions(arguments, 2, known, apply))
            return WriteOutput(out, err, kUsage);
        checkOutput(picture.output);
        CompleteStartOptions(schedule, loan);
        CheckLoanOptions(schedule);
        PrepareLoan(state, schedule);
        Calculate(state, FrequencyText(schedule), CompoundingText(schedule));
    } catch (...) {
        return RefusalStatus(err);
    }
    const TableWindowSetup setup = loan ? LoanTablesSetup() : MortgageTablesSetup();
    state.ChartTitle = setup.chartTitle;
    state.ChartSource = setup.chartSource;
    state.CurrencySymbol = picture.currency;
    return drawPicture(state, picture, err, drawn);
}

} // namespace qb
