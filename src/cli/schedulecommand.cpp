// The "schedule" command: reads the loan from the command line into a fresh shared state, sets
// it up the way the mortgage and loan windows do before they calculate, runs the engine and
// prints the rows the window's grid would show.
//
// Bad input is refused before the engine runs, with one line naming the option, so a script
// gets exit status 2 and nothing on standard output. Money is written from the cells' integer
// ten-thousandths, never through a double, so a spreadsheet sees exactly what the schedule holds.
#include "cli/schedulecommand.h"

#include "cli/commandoptions.h"
#include "cli/comparecommand.h"

#include "core/engine/amortization.h"
#include "core/engine/engineerror.h"
#include "core/settings/daysperyear.h"
#include "core/shell/format.h"
#include "core/shell/shared.h"
#include "core/shell/shortdate.h"

#include <QDate>

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>

namespace qb {

namespace {

// The width of the grid's money columns.
constexpr int kColumnWidth = 16;
constexpr int kLabelWidth = 24;

const QString kUsage = QStringLiteral(
    R"(Usage: quillbrook-cli schedule [options]
       quillbrook-cli compare --row SPEC [--row SPEC ...] [options]
       quillbrook-cli --help

Works out the payment and the amortization schedule of a mortgage or loan and
prints it ("quillbrook-cli compare --help" describes compare). Each option takes
its value as the next argument or as --option=value.

Options:
  --principal AMOUNT     amount borrowed (default 100000)
  --rate PERCENT         annual interest rate in percent (default 10)
  --years N              term in years (default 25); at most 40
  --months M             term in months, for a loan; not together with --years
  --compounding NAME     how often interest is compounded: monthly (default),
                         bimonthly, quarterly, semiannual or annual
  --frequency NAME       how often a payment is made: monthly (default),
                         semimonthly, 2-weeks, 1-week, biweekly-acc (half the
                         monthly payment every two weeks) or weekly-acc (a
                         quarter of the monthly payment every week)
  --view all|annual      every payment (default) or one row per year
  --first-date DATE      date of the first payment as YYYY-MM-DD; the rows then
                         carry payment dates
  --extra YEAR:AMOUNT    an additional payment of AMOUNT in year YEAR (1 to 45);
                         may be repeated, and a repeated year keeps the last
                         amount given
  --days-per-year DAYS   the year the weekly and two-weekly rates are based on:
                         365.25, 365 (default), 364, 363, 362, 361 or 360
  --format text|csv|json how to print the result (default text)
  --help                 show this text

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

Exit status: 0 on success, 2 for bad input or a loan that cannot be worked out.
)");

enum class OutputFormat { Text, Csv, Json };

struct Options {
    bool help = false;
    Currency principal = Currency::fromUnits(100000 * Currency::kScale);
    Currency rate = Currency::fromUnits(10 * Currency::kScale);
    std::optional<Currency> years;
    std::optional<Currency> months;
    QStringView compounding = u"monthly";
    QStringView frequency = u"monthly";
    std::int16_t tableView = 2;
    std::optional<QDate> firstDate;
    std::map<int, Currency> extras;
    int dayFactorChoice = kDefaultDayFactorChoice;
    OutputFormat format = OutputFormat::Text;
};

void applyOption(const QString& name, const QString& value, Options& options) {
    const QString option = QStringLiteral("--") + name;
    if (name == u"principal") {
        options.principal = ParseAmount(option, value);
    } else if (name == u"rate") {
        options.rate = ParseAmount(option, value);
    } else if (name == u"years") {
        options.years = ParseAmount(option, value);
    } else if (name == u"months") {
        // The loan window keeps a term in months as years with four decimals; so does this.
        options.months = ToCell(option, value, ParseNumber(option, value) / 12.0);
    } else if (name == u"compounding") {
        options.compounding = ParseCompoundingName(option, value);
    } else if (name == u"frequency") {
        options.frequency = ParseFrequencyName(option, value);
    } else if (name == u"view") {
        if (value == u"all")
            options.tableView = 2;
        else if (value == u"annual")
            options.tableView = 1;
        else
            throw Refused(option, value, "is not all or annual");
    } else if (name == u"first-date") {
        const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            throw Refused(option, value, "is not a date of the form YYYY-MM-DD");
        options.firstDate = date;
    } else if (name == u"extra") {
        const auto [year, amount] = ParseExtraPayment(option, value);
        options.extras[year] = amount;
    } else if (name == u"days-per-year") {
        const int choice = FindDaysPerYearChoice(value);
        if (choice < 0)
            throw Refused(option, value, "is not one of the bases listed by --help");
        options.dayFactorChoice = choice;
    } else if (name == u"format") {
        if (value == u"text")
            options.format = OutputFormat::Text;
        else if (value == u"csv")
            options.format = OutputFormat::Csv;
        else if (value == u"json")
            options.format = OutputFormat::Json;
        else
            throw Refused(option, value, "is not text, csv or json");
    }
}

bool isValueOption(QStringView name) {
    static const std::array<QStringView, 11> kNames = {
        u"principal", u"rate",  u"years",  u"months",        u"compounding", u"frequency",
        u"view",      u"extra", u"format", u"days-per-year", u"first-date",
    };
    for (QStringView known : kNames) {
        if (name == known)
            return true;
    }
    return false;
}

Options parseScheduleOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == u"--help" || argument == u"-h") {
            options.help = true;
            return options;
        }
        if (!argument.startsWith(u"--"))
            throw UsageError{QStringLiteral("unexpected argument \"%1\"").arg(argument)};
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        if (!isValueOption(name))
            throw UsageError{QStringLiteral("unknown option \"%1\"").arg(argument.left(equals))};
        QString value;
        if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else {
            // A following option is taken for a forgotten value rather than read as one.
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(u"--"))
                throw UsageError{QStringLiteral("--%1: missing value").arg(name)};
            value = arguments.at(++i);
        }
        if (value.isEmpty())
            throw UsageError{QStringLiteral("--%1: missing value").arg(name)};
        applyOption(name, value, options);
    }
    if (options.years && options.months)
        throw UsageError{QStringLiteral("--years and --months cannot be given together")};
    return options;
}

// Sets up the state the way a calculation window has it when the user presses Calculate.
void prepare(SharedState& state, const Options& options) {
    SizeCalculationTables(state);
    state.DayFactorChoice = static_cast<std::int16_t>(options.dayFactorChoice);
    ApplyDaysPerYear(state, options.dayFactorChoice);

    state.InputValues.at(1) = options.principal;
    state.InputValues.at(2) = options.rate;
    state.InputValues.at(3) = options.months  ? *options.months
                              : options.years ? *options.years
                                              : Currency::fromUnits(25 * Currency::kScale);
    state.TableView = options.tableView;

    state.ShowDates = options.firstDate ? 1 : 0;
    state.FirstPayDate = options.firstDate ? ToShortDate(*options.firstDate) : QString();

    std::int16_t count = 0;
    for (const auto& [year, amount] : options.extras) {
        state.PrePayTable.at(year, 1) = Currency::fromUnits(year * Currency::kScale);
        state.PrePayTable.at(year, 2) = amount;
        if (amount.units() > 0)
            ++count;
    }
    state.PrePayCount = count;
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

std::vector<Row> collectRows(const SharedState& state) {
    const bool yearColumn = state.TableView == 2 && state.ShowDates == 0;
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(std::max<int>(state.TableRows, 0)));
    for (int r = 1; r <= state.TableRows; ++r) {
        Row row;
        row.number = wholeNumber(state.ScheduleTable.at(r, 1));
        if (yearColumn)
            row.year = wholeNumber(state.ScheduleTable.at(r, 0));
        if (state.ShowDates != 0)
            row.date = SerialToDate(static_cast<int>(wholeNumber(state.ScheduleTable.at(r, 7))));
        for (int c = 0; c < 5; ++c)
            row.money[static_cast<std::size_t>(c)] = state.ScheduleTable.at(r, c + 2);
        rows.push_back(row);
    }
    return rows;
}

QString writeCsv(const std::vector<Row>& rows) {
    QString text = QStringLiteral("number,year,date,interest,principal,balance,"
                                  "cumulative_interest,cumulative_principal\n");
    for (const Row& row : rows) {
        text += QString::number(row.number) + u',';
        text += (row.year ? QString::number(*row.year) : QString()) + u',';
        text += (row.date ? row.date->toString(Qt::ISODate) : QString());
        for (Currency cell : row.money)
            text += u',' + ExactMoney(cell);
        text += u'\n';
    }
    return text;
}

QString optionalNumber(std::optional<std::int64_t> value) {
    return value ? QString::number(*value) : QStringLiteral("null");
}

QString optionalDate(std::optional<QDate> date) {
    return date ? QStringLiteral("\"%1\"").arg(date->toString(Qt::ISODate))
                : QStringLiteral("null");
}

QString writeJson(const SharedState& state, const Calculation& calculation,
                  const std::vector<Row>& rows) {
    static const std::array<QLatin1String, 5> kMoneyKeys = {
        QLatin1String("interest"), QLatin1String("principal"), QLatin1String("balance"),
        QLatin1String("cumulative_interest"), QLatin1String("cumulative_principal")};
    QString text = QStringLiteral("{\n");
    const auto field = [&text](const char* key, const QString& value) {
        text += QStringLiteral("  \"%1\": %2,\n").arg(QLatin1String(key), value);
    };
    field("payment", FullPrecision(calculation.payment));
    field("interest_rate_factor", FullPrecision(calculation.periodicRate));
    field("monthly_rate", FullPrecision(calculation.monthlyRate));
    field("payments_per_year", QString::number(state.PaymentsPerYear));
    field("years_to_retire", FullPrecision(state.YearsToRetire));
    field("total_paid", ExactMoney(calculation.totalPaid));
    field("interest_savings", ExactMoney(calculation.interestSavings));
    field("data_count", QString::number(state.DataCount));
    field("extra_payment_years_applied", QString::number(calculation.extraPaymentYearsApplied));
    text += QStringLiteral("  \"rows\": [");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        text += QLatin1String(i == 0 ? "\n    {" : ",\n    {");
        text +=
            QStringLiteral("\"number\": %1, \"year\": %2, \"date\": %3")
                .arg(QString::number(row.number), optionalNumber(row.year), optionalDate(row.date));
        for (std::size_t c = 0; c < row.money.size(); ++c)
            text += QStringLiteral(", \"%1\": %2").arg(kMoneyKeys[c], ExactMoney(row.money[c]));
        text += u'}';
    }
    text += rows.empty() ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    return text;
}

QString summaryLine(QStringView label, const QString& value) {
    return label.toString().leftJustified(kLabelWidth) + PadColumn(value, kColumnWidth) + u'\n';
}

QString money(Currency cell) {
    return Format(cell.toDouble(), u"####,,###.00");
}

QString writeText(const SharedState& state, const Calculation& calculation) {
    QString text;
    text += summaryLine(u"Payment:", Format(calculation.payment, u"###,,###.00"));
    text += summaryLine(u"Payments per year:", QString::number(state.PaymentsPerYear));
    text += summaryLine(u"Years to final payment:", Format(state.YearsToRetire, u"###.00"));
    text += summaryLine(u"Total paid:", Format(calculation.totalPaid.toDouble(), u"###,,###.00"));
    text += summaryLine(u"Interest savings:",
                        Format(calculation.interestSavings.toDouble(), u"###,,###.00"));
    text += u'\n';

    const bool dates = state.ShowDates != 0;
    const bool yearly = state.TableView == 1;
    const int rowCount = std::max<int>(state.TableRows, 0);
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
            const auto serial = static_cast<int>(wholeNumber(state.ScheduleTable.at(r, 7)));
            cell = ToShortDate(SerialToDate(serial));
        } else {
            cell = PadColumn(Format(state.ScheduleTable.at(r, 1).toDouble(), u"####"), 4);
            if (!yearly)
                cell += PadColumn(Format(state.ScheduleTable.at(r, 0).toDouble(), u"###"), 8);
        }
        firstWidth = std::max(firstWidth, static_cast<int>(cell.size()));
        firstColumn.push_back(cell);

        std::array<QString, 5> amounts;
        for (int c = 0; c < 5; ++c) {
            QString& amount = amounts[static_cast<std::size_t>(c)];
            amount = money(state.ScheduleTable.at(r, c + 2));
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

QString runSchedule(const Options& options) {
    SharedState state;
    prepare(state, options);
    const Calculation calculation = Calculate(state, FrequencyFor(options.frequency).text,
                                              CompoundingFor(options.compounding).text);
    switch (options.format) {
    case OutputFormat::Csv:
        return writeCsv(collectRows(state));
    case OutputFormat::Json:
        return writeJson(state, calculation, collectRows(state));
    case OutputFormat::Text:
        break;
    }
    return writeText(state, calculation);
}

} // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty()) {
        Fail(err, QStringLiteral("no command given; try \"quillbrook-cli --help\""));
        return 2;
    }
    const QString& command = arguments.first();
    if (command == u"--help" || command == u"-h" || command == u"help") {
        out << kUsage;
        out.flush();
        return 0;
    }
    if (command == u"compare")
        return RunCompare(arguments, out, err);
    if (command != u"schedule") {
        Fail(err,
             QStringLiteral("unknown command \"%1\"; try \"quillbrook-cli --help\"").arg(command));
        return 2;
    }
    // The whole output is built before any of it is written, so a failure leaves out empty.
    QString output;
    try {
        const Options options = parseScheduleOptions(arguments);
        output = options.help ? kUsage : runSchedule(options);
    } catch (const UsageError& error) {
        Fail(err, error.message);
        return 2;
    } catch (const TermLimitError& error) {
        Fail(err, QString::fromLatin1(error.userMessage()));
        return 2;
    } catch (const CalculationError& error) {
        Fail(err, QString::fromLatin1(error.userMessage()));
        return 2;
    }
    out << output;
    out.flush();
    return 0;
}

} // namespace qb
