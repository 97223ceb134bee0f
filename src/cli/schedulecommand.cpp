// The "schedule" command: reads the loan from the command line into a fresh shared state, sets
// it up the way the mortgage and loan windows do before they calculate, runs the engine and
// prints the rows the window's grid would show.
//
// Bad input is refused before the engine runs, with one line naming the option, so a script
// gets exit status 2 and nothing on standard output. Money is written from the cells' integer
// ten-thousandths, never through a double, so a spreadsheet sees exactly what the schedule holds.
#include "cli/schedulecommand.h"

#include "cli/comparecommand.h"
#include "cli/reportcommand.h"
#include "cli/scheduleoptions.h"
#include "cli/terms.h"
#include "cli/usageerror.h"
#include "core/engine/engineerror.h"
#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/format/numberpicture.h"
#include "core/format/shortdate.h"
#include "core/settings/daysperyear.h"
#include "core/state/calculation.h"
#include "core/state/shared.h"

#include <QDate>
#include <QIODevice>

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
constexpr int kLastExtraYear = 45;

const QString kUsage = QStringLiteral(
    R"(Usage: quillbrook-cli schedule [options]
       quillbrook-cli report mortgage|loan [options]   (see report --help)
       quillbrook-cli compare --row ROW ... [options]  (see compare --help)
       quillbrook-cli chart mortgage|loan|compare --output FILE [options]
                                                       (see chart --help)
       quillbrook-cli --help

Works out the payment and the amortization schedule of a mortgage or loan and
prints it. Each option takes its value as the next argument or as --option=value.

Options:
  --principal AMOUNT     amount borrowed (default 100000)
  --rate PERCENT         annual interest rate in percent (default 10)
  --years N              term in whole years, 1 to 40 (default 25)
  --months M             term in whole months, 1 to 480, for a loan; not
                         together with --years
  --compounding NAME     how often interest is compounded: monthly (default),
                         bimonthly, quarterly, semiannual or annual
  --frequency NAME       how often a payment is made: monthly (default),
                         semimonthly, 2-weeks, 1-week, biweekly-acc (half the
                         monthly payment every two weeks) or weekly-acc (a
                         quarter of the monthly payment every week)
  --view all|annual      every payment (default) or one row per year
  --first-date DATE      date of the first payment as YYYY-MM-DD; the rows then
                         carry payment dates
  --extra YEAR:AMOUNT    an additional payment of AMOUNT in year YEAR, from 1 to
                         the term in whole years (halves to even: a loan of
                         30 months has years 1 and 2); may be repeated, and a
                         repeated year keeps the last amount given
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

Exit status: 0 on success, 1 when the output cannot be written, 2 for bad input
or a loan that cannot be worked out.
)");

// The command-line names of the list entries, matched against the list texts without their
// leading blanks so the names do not depend on how the lists are laid out.
struct ListName {
    QStringView name;
    QStringView text;
};

constexpr std::array<ListName, 5> kCompoundingNames = {{
    {u"monthly", u"Monthly"},
    {u"bimonthly", u"Bimonthly"},
    {u"quarterly", u"Quarterly"},
    {u"semiannual", u"Semiannual"},
    {u"annual", u"Annual"},
}};

constexpr std::array<ListName, 6> kFrequencyNames = {{
    {u"monthly", u"Monthly"},
    {u"semimonthly", u"Semimonthly"},
    {u"2-weeks", u"2 Weeks"},
    {u"1-week", u"1 Week"},
    {u"biweekly-acc", u"Biweekly(Acc)"},
    {u"weekly-acc", u"Weekly(Acc)"},
}};

using Options = ScheduleOptions;

UsageError refused(const QString& option, const QString& text, const char* problem) {
    return Refused(option, text, QLatin1String(problem));
}

double parseNumber(const QString& option, const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    // toDouble forgives surrounding blanks; a script that passes them has a bug worth reporting.
    if (!ok || text.isEmpty() || text.trimmed() != text)
        throw refused(option, text, "is not a number");
    if (!std::isfinite(value))
        throw refused(option, text, "is not a finite number");
    if (value < 0)
        throw refused(option, text, "must not be negative");
    return value;
}

Currency toCell(const QString& option, const QString& text, double value) {
    try {
        return Currency::fromDouble(value);
    } catch (const OverflowError&) {
        throw refused(option, text, "is too large");
    }
}

Currency parseAmount(const QString& option, const QString& text) {
    return toCell(option, text, parseNumber(option, text));
}

template <std::size_t N>
QStringView parseName(const QString& option, const QString& text,
                      const std::array<ListName, N>& names) {
    for (const ListName& entry : names) {
        if (text == entry.name)
            return entry.name;
    }
    throw refused(option, text, "is not one of the names listed by --help");
}

bool isAsciiDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

void parseExtra(const QString& option, const QString& text, Options& options) {
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0 || colon == text.size() - 1 || text.indexOf(u':', colon + 1) >= 0)
        throw refused(option, text, "is not YEAR:AMOUNT");
    const QString yearText = text.left(colon);
    const QString amountText = text.mid(colon + 1);
    if (!isAsciiDigits(yearText))
        throw refused(option, text, "does not start with a whole year number");
    // Leading zeros are harmless: 003 is year 3.
    qsizetype first = 0;
    while (first < yearText.size() - 1 && yearText[first] == u'0')
        ++first;
    const QStringView digits = QStringView(yearText).mid(first);
    const int year = digits.size() > 2 ? kLastExtraYear + 1 : digits.toInt();
    if (year < 1 || year > kLastExtraYear)
        throw refused(option, text, "has a year that is not between 1 and 45");
    options.extras[year] = parseAmount(option, amountText);
    options.extraTexts[year] = text;
}

void applyOption(const QString& name, const QString& value, Options& options) {
    const QString option = QStringLiteral("--") + name;
    if (name == u"principal") {
        options.principal = parseAmount(option, value);
    } else if (name == u"rate") {
        options.rate = parseAmount(option, value);
    } else if (name == u"years") {
        options.years = ParseTermYears(option, value);
    } else if (name == u"months") {
        options.months = ParseTermMonths(option, value);
    } else if (name == u"compounding") {
        options.compounding = parseName(option, value, kCompoundingNames);
    } else if (name == u"frequency") {
        options.frequency = parseName(option, value, kFrequencyNames);
    } else if (name == u"view") {
        if (value == u"all")
            options.tableView = 2;
        else if (value == u"annual")
            options.tableView = 1;
        else
            throw refused(option, value, "is not all or annual");
    } else if (name == u"first-date") {
        const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            throw refused(option, value, "is not a date of the form YYYY-MM-DD");
        options.firstDate = date;
    } else if (name == u"extra") {
        parseExtra(option, value, options);
    } else if (name == u"days-per-year") {
        const int choice = FindDaysPerYearChoice(value);
        if (choice < 0)
            throw refused(option, value, "is not one of the bases listed by --help");
        options.dayFactorChoice = choice;
    } else if (name == u"format") {
        if (value == u"text")
            options.format = OutputFormat::Text;
        else if (value == u"csv")
            options.format = OutputFormat::Csv;
        else if (value == u"json")
            options.format = OutputFormat::Json;
        else
            throw refused(option, value, "is not text, csv or json");
    }
}

// The term as the calculation windows keep it; 25 years when none is given.
Currency termOf(const Options& options) {
    if (options.months)
        return TermInYearsFromMonths(*options.months);
    return TermInYears(options.years.value_or(25));
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
    options.help = !ReadOptions(arguments, 1, isValueOption,
                                [&options](const QString& name, const QString& value) {
                                    applyOption(name, value, options);
                                });
    if (options.help)
        return options;
    CheckLoanOptions(options);
    return options;
}

const Frequency& frequencyFor(QStringView name) {
    for (const ListName& entry : kFrequencyNames) {
        if (entry.name != name)
            continue;
        for (const Frequency& frequency : kFrequencies) {
            if (QStringView(frequency.text).trimmed() == entry.text)
                return frequency;
        }
    }
    throw CalculationError("frequency not in the list");
}

const Compounding& compoundingFor(QStringView name) {
    for (const ListName& entry : kCompoundingNames) {
        if (entry.name != name)
            continue;
        for (const Compounding& compounding : kCompoundings) {
            if (QStringView(compounding.text).trimmed() == entry.text)
                return compounding;
        }
    }
    throw CalculationError("compounding not in the list");
}

// Sets up the state the way a calculation window has it when the user presses Calculate.
void prepare(SharedState& state, const Options& options) {
    SizeCalculationTables(state);
    state.DayFactorChoice = static_cast<std::int16_t>(options.dayFactorChoice);
    ApplyDaysPerYear(state, options.dayFactorChoice);

    state.InputValues.at(1) = options.principal;
    state.InputValues.at(2) = options.rate;
    state.InputValues.at(3) = termOf(options);
    state.TermMonths = static_cast<std::int16_t>(options.months.value_or(0));
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

// A cell as the exact decimal it holds, four decimals always.
QString exactMoney(Currency cell) {
    const std::int64_t units = cell.units();
    const std::uint64_t magnitude =
        units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    const auto scale = static_cast<std::uint64_t>(Currency::kScale);
    QString text = QString::number(magnitude / scale) + u'.' +
                   QString::number(magnitude % scale).rightJustified(4, u'0');
    return units < 0 ? u'-' + text : text;
}

// The whole number a cell shows with a picture of "#" only: rounded half away from zero.
std::int64_t wholeNumber(Currency cell) {
    const std::int64_t half = Currency::kScale / 2;
    const std::int64_t units = cell.units();
    return units < 0 ? -((-units + half) / Currency::kScale) : (units + half) / Currency::kScale;
}

QString fullPrecision(double value) {
    return std::isfinite(value) ? QString::number(value, 'g', 17) : QStringLiteral("null");
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
            text += u',' + exactMoney(cell);
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
    field("payment", fullPrecision(calculation.payment));
    field("interest_rate_factor", fullPrecision(calculation.periodicRate));
    field("monthly_rate", fullPrecision(calculation.monthlyRate));
    field("payments_per_year", QString::number(state.PaymentsPerYear));
    field("years_to_retire", fullPrecision(state.YearsToRetire));
    field("total_paid", exactMoney(calculation.totalPaid));
    field("interest_savings", exactMoney(calculation.interestSavings));
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
            text += QStringLiteral(", \"%1\": %2").arg(kMoneyKeys[c], exactMoney(row.money[c]));
        text += u'}';
    }
    text += rows.empty() ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    return text;
}

QString summaryLine(QStringView label, const QString& value) {
    return label.toString().leftJustified(kLabelWidth) + PadColumn(value, kColumnWidth) + u'\n';
}

QString money(Currency cell) {
    static const NumberPicture picture(u"####,,###.00");
    return picture.format(cell);
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
    const Calculation calculation = Calculate(state, frequencyFor(options.frequency).text,
                                              compoundingFor(options.compounding).text);
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

void CheckLoanOptions(const ScheduleOptions& options) {
    if (options.years && options.months)
        throw UsageError{QStringLiteral("--years and --months cannot be given together")};
    // Only now is the term known, whatever the order of the options.
    for (const auto& [year, text] : options.extraTexts)
        CheckExtraYear(QStringLiteral("--extra"), text, year, termOf(options));
}

ScheduleOptions StartOptions(bool loan) {
    ScheduleOptions options;
    if (loan)
        options.principal = Currency::fromUnits(20000 * Currency::kScale);
    return options;
}

void RefuseOtherTerm(QStringView name, bool loan, const QString& command) {
    const QStringView own = loan ? u"months" : u"years";
    const QStringView other = loan ? u"years" : u"months";
    if (name == other)
        throw UsageError{
            QStringLiteral("--%1 is not an option of %2; use --%3").arg(other, command, own)};
}

void CompleteStartOptions(ScheduleOptions& options, bool loan) {
    if (loan && !options.months)
        options.months = 48;
}

UsageError RefusedOption(const QString& option, const QString& text, const char* problem) {
    return refused(option, text, problem);
}

bool IsLoanOption(QStringView name) {
    return name != u"format" && isValueOption(name);
}

void ApplyLoanOption(const QString& name, const QString& value, ScheduleOptions& options) {
    applyOption(name, value, options);
}

void PrepareLoan(SharedState& state, const ScheduleOptions& options) {
    prepare(state, options);
}

QString ExactMoney(Currency cell) {
    return exactMoney(cell);
}

QString FullPrecision(double value) {
    return fullPrecision(value);
}

QStringView FrequencyText(const ScheduleOptions& options) {
    return frequencyFor(options.frequency).text;
}

QStringView CompoundingText(const ScheduleOptions& options) {
    return compoundingFor(options.compounding).text;
}

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty()) {
        PrintCliError(err, QStringLiteral("no command given; try \"quillbrook-cli --help\""));
        return 2;
    }
    const QString& command = arguments.first();
    if (command == u"--help" || command == u"-h" || command == u"help")
        return WriteOutput(out, err, kUsage);
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
        const Options options = parseScheduleOptions(arguments);
        output = options.help ? kUsage : runSchedule(options);
    } catch (...) {
        return RefusalStatus(err);
    }
    return WriteOutput(out, err, output);
}

} // namespace qb
