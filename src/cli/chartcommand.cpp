// The chart command reads its own options (the picture's file and size, the currency symbol)
// and refuses the report options that only shape printed text; everything else describes the
// loan and goes to the schedule command's parser, so the two read a loan the same way. The chart
// is then drawn by the Charts window itself, with the window's title and captions.
#include "cli/chartcommand.h"

#include "cli/schedulecommand.h"
#include "core/shell/messagebox.h"
#include "core/shell/shared.h"
#include "desktop/charts/graphicswindow.h"
#include "desktop/charts/qtchartcontrol.h"
#include "desktop/windows/tablewindow.h"

#include <algorithm>
#include <array>
#include <optional>

namespace qb {

namespace {

const QString kUsage = QStringLiteral(
    R"(Usage: quillbrook-cli chart mortgage|loan --output FILE [options]

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
principal defaults to 20000.

Exit status: 0 on success, 1 when the picture cannot be written, 2 for bad
input or a loan that cannot be worked out.
)");

constexpr int kSmallest = 200;
constexpr int kLargest = 4000;

// Options of the report command that shape printed text only.
constexpr std::array<QStringView, 4> kReportOnly = {u"format", u"header", u"lines-per-page",
                                                    u"pdf"};

struct BadInput {
    QString message;
};

struct ChartOptions {
    QString output;
    int width = 1024;
    int height = 640;
    QString currency = QStringLiteral("$");
    QStringList loanOptions;
};

int parseSize(const QString& option, const QString& value) {
    bool ok = false;
    const int pixels = value.toInt(&ok);
    if (!ok || pixels < kSmallest || pixels > kLargest)
        throw BadInput{
            QStringLiteral("%1: \"%2\" is not a whole number from 200 to 4000").arg(option, value)};
    return pixels;
}

ChartOptions parseOptions(const QStringList& arguments, bool loan) {
    ChartOptions options;
    // The loan's defaults come first, so the user's own values replace them.
    if (loan) {
        const TableWindowSetup setup = LoanTablesSetup();
        options.loanOptions << QStringLiteral("--principal") << QString::number(setup.principal)
                            << QStringLiteral("--months") << setup.termText.trimmed();
    }
    bool monthsGiven = false;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(u"--")) {
            throw BadInput{QStringLiteral("unexpected argument \"%1\"").arg(argument)};
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        const QString option = QStringLiteral("--") + name;
        const bool ownOption =
            name == u"output" || name == u"width" || name == u"height" || name == u"currency";
        if (kReportOnly.end() != std::find(kReportOnly.begin(), kReportOnly.end(), name))
            throw BadInput{QStringLiteral("%1 is not an option of chart").arg(option)};
        if ((name == u"years" && loan) || (name == u"months" && !loan)) {
            throw BadInput{
                QStringLiteral("%1 is not an option of chart %2")
                    .arg(option, loan ? QStringLiteral("loan") : QStringLiteral("mortgage"))};
        }
        if (!ownOption) {
            // Left to the schedule command's parser, value and all.
            if (name == u"months")
                monthsGiven = true;
            options.loanOptions << argument;
            if (equals < 0 && i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(u"--"))
                options.loanOptions << arguments.at(++i);
            continue;
        }
        QString value;
        if (equals >= 0)
            value = argument.mid(equals + 1);
        else if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(u"--"))
            value = arguments.at(++i);
        if (value.isEmpty() && name != u"currency")
            throw BadInput{QStringLiteral("%1: missing value").arg(option)};
        if (name == u"output")
            options.output = value;
        else if (name == u"width")
            options.width = parseSize(option, value);
        else if (name == u"height")
            options.height = parseSize(option, value);
        else
            options.currency = value;
    }
    if (loan && monthsGiven)
        options.loanOptions.remove(2, 2); // the default term gives way to the user's
    if (options.output.isEmpty())
        throw BadInput{QStringLiteral("--output: a picture file is required")};
    if (!options.output.endsWith(u".png", Qt::CaseInsensitive) &&
        !options.output.endsWith(u".svg", Qt::CaseInsensitive)) {
        throw BadInput{
            QStringLiteral("--output: \"%1\" does not end in .png or .svg").arg(options.output)};
    }
    return options;
}

void fail(QTextStream& err, const QString& message) {
    err << "quillbrook-cli: " << message << '\n';
    err.flush();
}

} // namespace

int RunChartCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                    ChartPicture* drawn) {
    const QString kind = arguments.value(1);
    if (kind == u"--help" || kind == u"-h" || arguments.contains(QStringLiteral("--help"))) {
        out << kUsage;
        out.flush();
        return 0;
    }
    if (kind != u"mortgage" && kind != u"loan") {
        fail(err, kind.isEmpty()
                      ? QStringLiteral("chart: say mortgage or loan")
                      : QStringLiteral("chart: \"%1\" is not mortgage or loan").arg(kind));
        return 2;
    }
    const bool loan = kind == u"loan";
    ChartOptions options;
    try {
        options = parseOptions(arguments, loan);
    } catch (const BadInput& error) {
        fail(err, error.message);
        return 2;
    }

    SharedState state;
    const QString problem = CalculateFromScheduleOptions(options.loanOptions, state);
    if (!problem.isEmpty()) {
        fail(err, problem);
        return 2;
    }
    const TableWindowSetup setup = loan ? LoanTablesSetup() : MortgageTablesSetup();
    state.ChartTitle = setup.chartTitle;
    state.ChartSource = setup.chartSource;
    state.CurrencySymbol = options.currency;

    RecordingMessageBox messages;
    auto control = std::make_unique<QtChartControl>();
    QtChartControl& chart = *control;
    Graphics window(state, messages, std::move(control));
    window.drawInColour(true);
    if (drawn)
        *drawn = chart.picture();

    const QString reason = chart.writePicture(options.output, QSize(options.width, options.height));
    if (!reason.isEmpty()) {
        fail(err, QStringLiteral("cannot write the output: %1").arg(reason));
        return 1;
    }
    return 0;
}

} // namespace qb
