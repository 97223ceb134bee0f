// The "schedule" command: reads the loan from the command line into a LoanInput, runs the engine
// and prints, from the Schedule it gives back, the rows the window's grid would show.
//
// Bad input is refused before the engine runs, with one line naming the option, so a script
// gets exit status 2 and nothing on standard output. Money is written from the cells' integer
// ten-thousandths, never through a double, so a spreadsheet sees exactly what the schedule holds.
#include "cli/schedulecommand.h"

#include "cli/comparecommand.h"
#include "cli/jsonwriter.h"
#include "cli/reportcommand.h"
#include "cli/scheduleoptions.h"
#include "cli/usageerror.h"
#include "core/engine/engineerror.h"
#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/format/numberpicture.h"
#include "core/format/shortdate.h"
#include "core/settings/daysperyear.h"

#include <QDate>

#include <array>
#include <cstdint>
#include <optional>

namespace qb {

namespace {

// The width of the grid's money columns.
constexpr int kColumnWidth = 16;
constexpr int kLabelWidth = 24;

QString usage() {
    return QStringLiteral(
               R"(Usage: quillbrook-cli schedule [options]
       quillbrook-cli report mortgage|loan [options]   (see report --help)
       quillbrook-cli compare --row ROW ... [options]  (see compare --help)
       quillbrook-cli chart mortgage|loan|compare --output FILE [options]
                                                       (see chart --help)
       quillbrook-cli --help

Works out the payment and the amortization schedule of a mortgage or loan and
prints it. Each option takes its value as the next argument or as --option=value.

Options:
)") + OptionHelp(ScheduleOptionTable()) +
           HelpOptionLine() + QStringLiteral(R"(
Output:
  text  a summary (payment, payments per year, years to the final payment, total
        paid, interest savings) followed by the rows as the schedule window shows
        them and the totals of the last row.
  csv   a header line and one line per row: number, year, date, interest,
        principal, balance, cumulative_interest, cumulative_principal. Money has
        four decimals; an empty field has no value.
  json  one object with payment, interest_rate_factor, monthly_rate,
        payments_per_year, years_to_retire, total_paid, interest_savings,
        data_count, extra_payment_years_applied and rows, an array of objects
        with the same fields as the csv lines (null for no value).

In the every-payment view without dates, year is the year the payment falls in
as the window shows it; date is the payment date (YYYY-MM-DD) when --first-date
is given. In the yearly view, number is the year.

Exit status: 0 on success, 1 when the output cannot be written, 2 for bad input
or a loan that cannot be worked out.
)");
}

ScheduleOptions parseScheduleOptions(const QStringList& arguments) {
    ScheduleOptions options;
    const OptionTable<ScheduleOptions> table = ScheduleOptionTable();
    options.help = !ReadOptions(
        arguments, 1, [table](QStringView name) { return FindOption(table, name) != nullptr; },
        [&](const QString& name, const QString& value) {
            ApplyOption(table, name, value, options);
        });
    if (!options.help)
        CheckLoanOptions(options);
    return options;
}

// The whole number a cell shows with a picture of "#" only: rounded half away from zero.
std::int64_t wholeNumber(Currency cell) {
    const std::int64_t half = Currency::kScale / 2;
    const std::int64_t units = cell.units();
    return units < 0 ? -((-units + half) / Currency::kScale) : (units + half) / Currency::kScale;
}

struct Row {
    std::int64_t number = 0;
    std::optional<std::int64_t> year;
    std::optional<QDate> date;
    std::array<Currency, 5>
        money; // interest, principal, balance, cumulative interest and principal
};

std::vector<Row> collectRows(const LoanInput& input, const Schedule& schedule) {
    const bool yearColumn = input.view == 2 && !input.showDates;
    const CurrencyTable& table = schedule.rows;
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(std::max<int>(schedule.tableRows, 0)));
    for (int r = 1; r <= schedule.tableRows; ++r) {
        Row row;
        row.number = wholeNumber(table.at(r, 1));
        if (yearColumn)
            row.year = wholeNumber(table.at(r, 0));
        if (input.showDates)
            row.date = SerialToDate(static_cast<int>(wholeNumber(table.at(r, 7))));
        for (int c = 0; c < 5; ++c)
            row.money[static_cast<std::size_t>(c)] = table.at(r, c + 2);
        rows.push_back(row);
    }
    return rows;
}

QString writeCsv(const std::vector<Row>& rows) {
    QString text = QStringLiteral("number,year,date,interest,principal,balance,"
                                  "cumulative_interest,cumulative_principal\n");
    // Room for a row of five large amounts, so the text is seldom moved as it grows.
    text.reserve(text.size() + static_cast<qsizetype>(rows.size()) * 96);
    for (const Row& row : rows) {
        text += QString::number(row.number);
        text += u',';
        if (row.year)
            text += QString::number(*row.year);
        text += u',';
        if (row.date)
            text += row.date->toString(Qt::ISODate);
        for (Currency cell : row.money) {
            text += u',';
            text += ExactMoney(cell);
        }
        text += u'\n';
    }
    return text;
}

QString optionalNumber(std::optional<std::int64_t> value) {
    return value ? QString::number(*value) : QStringLiteral("null");
}

QString optionalDate(std::optional<QDate> date) {
    return date ? JsonString(date->toString(Qt::ISODate)) : QStringLiteral("null");
}

QString writeJson(const Schedule& schedule, const std::vector<Row>& rows) {
    const Calculation& calculation = schedule.figures;
    static constexpr std::array<const char*, 5> kMoneyKeys = {
        "interest", "principal", "balance", "cumulative_interest", "cumulative_principal"};
    QStringList lines;
    for (const Row& row : rows) {
        JsonObject line;
        line.add("number", QString::number(row.number))
            .add("year", optionalNumber(row.year))
            .add("date", optionalDate(row.date));
        for (std::size_t c = 0; c < row.money.size(); ++c)
            line.add(kMoneyKeys[c], ExactMoney(row.money[c]));
        lines.append(line.line());
    }
    return JsonObject()
        .add("payment", FullPrecision(calculation.payment))
        .add("interest_rate_factor", FullPrecision(calculation.periodicRate))
        .add("monthly_rate", FullPrecision(calculation.monthlyRate))
        .add("payments_per_year", QString::number(calculation.paymentsPerYear))
        .add("years_to_retire", FullPrecision(calculation.yearsToRetire.value_or(0)))
        .add("total_paid", ExactMoney(calculation.totalPaid))
        .add("interest_savings", ExactMoney(calculation.interestSavings))
        .add("data_count", QString::number(schedule.dataCount))
        .add("extra_payment_years_applied", QString::number(calculation.extraPaymentYearsApplied))
        .document("rows", lines);
}

QString summaryLine(QStringView label, const QString& value) {
    return label.toString().leftJustified(kLabelWidth) + PadColumn(value, kColumnWidth) + u'\n';
}

QString money(Currency cell) {
    static const NumberPicture picture(u"####,,###.00");
    return picture.format(cell);
}

QString writeText(const LoanInput& input, const Schedule& schedule) {
    const Calculation& calculation = schedule.figures;
    const CurrencyTable& table = schedule.rows;
    QString text;
    text += summaryLine(u"Payment:", Format(calculation.payment, u"###,,###.00"));
    text += summaryLine(u"Payments per year:", QString::number(calculation.paymentsPerYear));
    text += summaryLine(u"Years to final payment:",
                        Format(calculation.yearsToRetire.value_or(0), u"###.00"));
    text += summaryLine(u"Total paid:", Format(calculation.totalPaid.toDouble(), u"###,,###.00"));
    text += summaryLine(u"Interest savings:",
                        Format(calculation.interestSavings.toDouble(), u"###,,###.00"));
    text += u'\n';

    const bool dates = input.showDates;
    const bool yearly = input.view == 1;
    const int rowCount = std::max<int>(schedule.tableRows, 0);
    std::vector<QString> firstColumn;
    std::vector<std::array<QString, 5>> moneyColumns;
    QString heading = dates ? QStringLiteral("Date") : QStringLiteral("Year");
    if (!dates && !yearly)
        heading = PadColumn(QStringLiteral("No."), 4) + PadColumn(QStringLiteral("Year"), 8);
    int firstWidth = static_cast<int>(heading.size());
    int width = kColumnWidth;
    for (int r = 1; r <= rowCount; ++r) {
        QString cell;
        if (dates) {
            const auto serial = static_cast<int>(wholeNumber(table.at(r, 7)));
            cell = ToShortDate(SerialToDate(serial));
        } else {
            cell = PadColumn(Format(table.at(r, 1).toDouble(), u"####"), 4);
            if (!yearly)
                cell += PadColumn(Format(table.at(r, 0).toDouble(), u"###"), 8);
        }
        firstWidth = std::max(firstWidth, static_cast<int>(cell.size()));
        firstColumn.push_back(cell);

        std::array<QString, 5> amounts;
        for (int c = 0; c < 5; ++c) {
            QString& amount = amounts[static_cast<std::size_t>(c)];
            amount = money(table.at(r, c + 2));
            // The grid's columns are wide enough for any mortgage; a larger figure widens every
            // column rather than running into its neighbour.
            width = std::max(width, static_cast<int>(amount.size()) + 2);
        }
        moneyColumns.push_back(amounts);
    }

    text += heading.leftJustified(firstWidth);
    for (QStringView title :
         {u"Interest", u"Principal", u"Balance", u"Cum. Interest", u"Cum. Principal"})
        text += PadColumn(title.toString(), width);
    text += u'\n';

    for (int r = 0; r < rowCount; ++r) {
        text += firstColumn[static_cast<std::size_t>(r)].leftJustified(firstWidth);
        for (const QString& amount : moneyColumns[static_cast<std::size_t>(r)])
            text += PadColumn(amount, width);
        text += u'\n';
    }

    if (rowCount > 0) {
        const std::array<QString, 5>& last = moneyColumns.back();
        text += u'\n';
        text += QStringLiteral("Total:").leftJustified(firstWidth + 2 * width);
        for (std::size_t c = 2; c < last.size(); ++c)
            text += PadColumn(last[c], width);
        text += u'\n';
    }
    return text;
}

// The options become a LoanInput, the engine gives its Schedule, and the output is written from
// that Schedule.
QString runSchedule(const ScheduleOptions& options) {
    const LoanInput input = LoanInputOf(options);
    const Schedule schedule = CalculateSchedule(input);
    ThrowIfFailed(schedule);
    switch (options.format) {
    case OutputFormat::Csv:
        return writeCsv(collectRows(input, schedule));
    case OutputFormat::Json:
        return writeJson(schedule, collectRows(input, schedule));
    case OutputFormat::Text:
        break;
    }
    return writeText(input, schedule);
}

} // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty()) {
        PrintCliError(err, QStringLiteral("no command given; try \"quillbrook-cli --help\""));
        return 2;
    }
    const QString& command = arguments.first();
    if (command == u"--help" || command == u"-h" || command == u"help")
        return WriteOutput(out, err, usage());
    if (command == u"report")
        return RunReport(arguments, out, err);
    if (command == u"compare")
        return RunCompare(arguments, out, err);
    if (command != u"schedule") {
        PrintCliError(err, QStringLiteral("unknown command \"%1\"; try \"quillbrook-cli --help\"")
                               .arg(ShownValue(command)));
        return 2;
    }
    // The whole output is built before any of it is written, so a failure leaves out empty.
    QString output;
    try {
        const ScheduleOptions options = parseScheduleOptions(arguments);
        output = options.help ? usage() : runSchedule(options);
    } catch (...) {
        return RefusalStatus(err);
    }
    return WriteOutput(out, err, output);
}

} // namespace qb
