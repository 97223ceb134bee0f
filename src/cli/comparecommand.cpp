// The "compare" command: reads the rows, runs them one after another through the comparison
// table the window uses, and writes the table. Everything is built before anything is written,
// so a refusal leaves standard output empty.
#include "cli/comparecommand.h"

#include "cli/commandoptions.h"
#include "core/engine/comparison.h"
#include "core/reports/comparisonreport.h"
#include "core/settings/daysperyear.h"

#include <map>
#include <vector>

namespace qb {

namespace {

const QString kUsage = QStringLiteral(
    R"(Usage: quillbrook-cli compare --row SPEC [--row SPEC ...] [options]

Works out up to 12 mortgages one after another, as the Mortgage Comparisons
window does, and prints them as one comparison table. Each option takes its
value as the next argument or as --option=value.

Options:
  --row SPEC             one row of the table; repeat for each row, in order.
                         SPEC is blank-separated KEY=VALUE items:
                           principal=AMOUNT   (default 100000)
                           rate=PERCENT       (default 10)
                           years=N            (default 25); at most 40
                           compounding=NAME   (default monthly)
                           frequency=NAME     (default monthly)
                           extra=YEAR:AMOUNT  an additional payment of the row;
                                              may be repeated
                         with the names and limits of "quillbrook-cli schedule".
  --days-per-year DAYS   the year the weekly and two-weekly rates are based on:
                         365.25, 365 (default), 364, 363, 362, 361 or 360
  --currency SYMBOL      put before money amounts (default $)
  --format text|csv|json how to print the table (default text)
  --help                 show this text

Output:
  text  the report's column heading, one line per row and, when a row used
        additional payments, the lines listing them by row.
  csv   a header line and one line per row: row, compounding, frequency_code,
        years, years_to_retire, extra_payments_applied, payments_per_year,
        principal, rate, payment, total_interest, interest_rate_factor.
  json  an object with rows, an array of objects with the csv fields and
        extra_payments, the additional payments applied ({year, amount}).

Exit status: 0 on success, 2 for bad input or a row the window would refuse.
)");

enum class OutputFormat { Text, Csv, Json };

struct RowSpec {
    Currency principal = Currency::fromUnits(100000 * Currency::kScale);
    Currency rate = Currency::fromUnits(10 * Currency::kScale);
    Currency years = Currency::fromUnits(25 * Currency::kScale);
    QStringView compounding = u"monthly";
    QStringView frequency = u"monthly";
    std::map<int, Currency> extras; // one amount per year, as the Additional Payments window
};

struct CompareOptions {
    bool help = false;
    std::vector<RowSpec> rows;
    int dayFactorChoice = kDefaultDayFactorChoice;
    QString currency = QStringLiteral("$");
    OutputFormat format = OutputFormat::Text;
};

RowSpec parseRow(int number, const QString& spec) {
    RowSpec row;
    const QString rowOption = QStringLiteral("--row %1").arg(number);
    const QStringList items = spec.split(u' ', Qt::SkipEmptyParts);
    if (items.isEmpty())
        throw UsageError{QStringLiteral("%1: the row is empty").arg(rowOption)};
    for (const QString& item : items) {
        const qsizetype equals = item.indexOf(u'=');
        const QString key = item.left(equals);
        const QString value = equals < 0 ? QString() : item.mid(equals + 1);
        const QString option = rowOption + u' ' + key;
        if (equals <= 0)
            throw Refused(rowOption, item, "is not a KEY=VALUE item");
        if (value.isEmpty())
            throw UsageError{option + QStringLiteral(": missing value")};
        if (key == u"principal")
            row.principal = ParseAmount(option, value);
        else if (key == u"rate")
            row.rate = ParseAmount(option, value);
        else if (key == u"years")
            row.years = ParseAmount(option, value);
        else if (key == u"compounding")
            row.compounding = ParseCompoundingName(option, value);
        else if (key == u"frequency")
            row.frequency = ParseFrequencyName(option, value);
        else if (key == u"extra") {
            const auto [year, amount] = ParseExtraPayment(option, value);
            row.extras[year] = amount;
        } else
            throw Refused(rowOption, item, "has a key that is not listed by --help");
    }
    return row;
}

void applyOption(const QString& name, const QString& value, CompareOptions& options) {
    const QString option = QStringLiteral("--") + name;
    if (name == u"row") {
        options.rows.push_back(parseRow(static_cast<int>(options.rows.size()) + 1, value));
    } else if (name == u"days-per-year") {
        const int choice = FindDaysPerYearChoice(value);
        if (choice < 0)
            throw Refused(option, value, "is not one of the bases listed by --help");
        options.dayFactorChoice = choice;
    } else if (name == u"currency") {
        options.currency = value;
    } else if (name == u"format") {
        if (value == u"text")
            options.format = OutputFormat::Text;
        else if (value == u"csv")
            options.format = OutputFormat::Csv;
        else if (value == u"json")
            options.format = OutputFormat::Json;
        else
            throw Refused(option, value, "is not text, csv or json");
    } else {
        throw UsageError{QStringLiteral("unknown option \"--%1\"").arg(name)};
    }
}

CompareOptions parseOptions(const QStringList& arguments) {
    CompareOptions options;
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
        QString value;
        if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else {
            // A following option is taken for a forgotten value rather than read as one.
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(u"--"))
                throw UsageError{QStringLiteral("--%1: missing value").arg(name)};
            value = arguments.at(++i);
        }
        applyOption(name, value, options);
    }
    if (options.rows.empty())
        throw UsageError{QStringLiteral("at least one --row is needed")};
    return options;
}

// Works the rows out in order through one comparison table, as the window would.
std::vector<ComparisonRow> calculateRows(SharedState& state, ComparisonTable& table,
                                         const CompareOptions& options) {
    state.CurrencySymbol = options.currency;
    state.DayFactorChoice = static_cast<std::int16_t>(options.dayFactorChoice);
    ApplyDaysPerYear(state, options.dayFactorChoice);
    LoadComparison(state, table);

    std::vector<ComparisonRow> rows;
    for (const RowSpec& spec : options.rows) {
        state.InputValues.at(1) = spec.principal;
        state.InputValues.at(2) = spec.rate;
        state.InputValues.at(3) = spec.years;
        // Only the row's own additional payments, as if they were all that was entered.
        state.PrePayTable.size(45, 2);
        std::int16_t count = 0;
        for (const auto& [year, amount] : spec.extras) {
            state.PrePayTable.at(year, 1) = Currency::fromUnits(year * Currency::kScale);
            state.PrePayTable.at(year, 2) = amount;
            if (amount > Currency())
                ++count;
        }
        state.PrePayCount = count;
        rows.push_back(CalculateComparisonRow(state, table, FrequencyFor(spec.frequency).text,
                                              CompoundingFor(spec.compounding).text));
    }
    return rows;
}

QString writeText(const SharedState& state, const ComparisonTable& table) {
    QString text;
    for (const QString& heading : ComparisonHeadings())
        text += u' ' + heading + u'\n';
    for (const QString& line : state.ReportLines.at(1).split(QStringLiteral("\r\n"))) {
        if (!line.isEmpty())
            text += line + u'\n';
    }
    if (table.MaxPrePayCount > 0) {
        for (const QString& line : ComparisonBandLines(table))
            text += line + u'\n';
    }
    return text;
}

QString writeCsv(const std::vector<ComparisonRow>& rows, const std::vector<RowSpec>& specs) {
    QString text = QStringLiteral(
        "row,compounding,frequency_code,years,years_to_retire,extra_payments_applied,"
        "payments_per_year,principal,rate,payment,total_interest,interest_rate_factor\n");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ComparisonRow& row = rows[i];
        const QStringList values = {
            QString::number(row.number),
            QString(row.compoundingLetter),
            row.frequencyCode.trimmed(),
            FullPrecision(specs[i].years.toDouble()),
            FullPrecision(row.yearsToRetire),
            QString::number(row.extraPayments.size()),
            QString::number(row.paymentsPerYear),
            ExactMoney(specs[i].principal),
            FullPrecision(specs[i].rate.toDouble()),
            FullPrecision(row.calculation.payment),
            ExactMoney(row.totalInterest),
            FullPrecision(row.calculation.periodicRate),
        };
        text += values.join(u',') + u'\n';
    }
    return text;
}

QString writeJson(const std::vector<ComparisonRow>& rows, const std::vector<RowSpec>& specs) {
    QString text = QStringLiteral("{\n  \"rows\": [");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ComparisonRow& row = rows[i];
        text += QLatin1String(i == 0 ? "\n    {" : ",\n    {");
        text += QStringLiteral("\"row\": %1, \"compounding\": \"%2\", \"frequency_code\": \"%3\", ")
                    .arg(QString::number(row.number), QString(row.compoundingLetter),
                         row.frequencyCode.trimmed());
        text +=
            QStringLiteral("\"years\": %1, \"years_to_retire\": %2, ")
                .arg(FullPrecision(specs[i].years.toDouble()), FullPrecision(row.yearsToRetire));
        text += QStringLiteral("\"extra_payments_applied\": %1, \"payments_per_year\": %2, ")
                    .arg(QString::number(row.extraPayments.size()),
                         QString::number(row.paymentsPerYear));
        text += QStringLiteral("\"principal\": %1, \"rate\": %2, \"payment\": %3, ")
                    .arg(ExactMoney(specs[i].principal), FullPrecision(specs[i].rate.toDouble()),
                         FullPrecision(row.calculation.payment));
        text +=
            QStringLiteral("\"total_interest\": %1, \"interest_rate_factor\": %2, ")
                .arg(ExactMoney(row.totalInterest), FullPrecision(row.calculation.periodicRate));
        text += QStringLiteral("\"extra_payments\": [");
        for (std::size_t e = 0; e < row.extraPayments.size(); ++e) {
            const auto& [year, amount] = row.extraPayments[e];
            text += QStringLiteral("%1{\"year\": %2, \"amount\": %3}")
                        .arg(QLatin1String(e == 0 ? "" : ", "), QString::number(year),
                             ExactMoney(amount));
        }
        text += QStringLiteral("]}");
    }
    text += rows.empty() ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    return text;
}

QString runCompare(const CompareOptions& options) {
    SharedState state;
    ComparisonTable table;
    const std::vector<ComparisonRow> rows = calculateRows(state, table, options);
    switch (options.format) {
    case OutputFormat::Csv:
        return writeCsv(rows, options.rows);
    case OutputFormat::Json:
        return writeJson(rows, options.rows);
    case OutputFormat::Text:
        break;
    }
    return writeText(state, table);
}

} // namespace

int RunCompare(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QString output;
    try {
        const CompareOptions options = parseOptions(arguments);
        output = options.help ? kUsage : runCompare(options);
    } catch (const UsageError& error) {
        Fail(err, error.message);
        return 2;
    } catch (const TermLimitError& error) {
        Fail(err, QString::fromLatin1(error.userMessage()));
        return 2;
    } catch (const RowLimitError& error) {
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
