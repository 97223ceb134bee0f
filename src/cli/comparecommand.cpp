// The "compare" command: reads the rows, runs them one after another through the comparison
// table the window uses, and writes the table. Everything is built before anything is written,
// so a refusal leaves standard output empty.
#include "cli/comparecommand.h"

#include "cli/jsonwriter.h"
#include "cli/reportoptions.h"
#include "cli/scheduleoptions.h"
#include "cli/terms.h"
#include "core/engine/engineerror.h"
#include "core/reports/comparisonreport.h"
#include "core/reports/spreadsheet.h"
#include "core/settings/daysperyear.h"
#include "core/state/comparison.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qb {

enum class CompareFormat { Text, Csv, Json, Report };

struct CompareOptions {
    bool help = false;
    std::vector<ScheduleOptions> rows;
    ScheduleOptions common; // --days-per-year
    ReportOptions report;
    bool reportOptionGiven = false;
    CompareFormat format = CompareFormat::Text;
};

namespace {

QString usage() {
    return QStringLiteral(
               R"(Usage: quillbrook-cli compare --row ROW [--row ROW ...] [options]

Works out up to 12 mortgages one after another, as the Mortgage Comparisons
window does, and prints them as one comparison table. Each option takes its
value as the next argument or as --option=value.

Options:
)") + OptionHelp(CompareOptionTable()) +
           QStringLiteral("For --format report only, and --currency with any format:\n") +
           OptionHelp(ReportOptionTable()) + HelpOptionLine() + QStringLiteral(R"(
Output:
  text  the report's column heading, one line per row and, when a row used
        additional payments, the lines listing them by row.
  csv   a header line and one line per row: row, compounding, frequency_code,
        years, years_to_retire, extra_payments_applied, payments_per_year,
        principal, rate, payment, total_interest, interest_rate_factor.
  json  an object with rows, an array of objects with the csv fields and
        extra_payments, the additional payments applied ({year, amount}).
  report the pages the Mortgage Comparisons window prints with To Printer, as
        text (a line holding only a form feed between pages) or as a PDF.

Exit status: 0 on success, 1 when the output cannot be written, 2 for bad input
or a row the window would refuse.
)");
}

// The loan options a row takes, by the names of schedule's options.
constexpr std::array<QStringView, 6> kRowKeys = {u"principal",   u"rate",      u"years",
                                                 u"compounding", u"frequency", u"extra"};

// A refusal of schedule's option --key names the row's item instead: --row 2 key.
void renameOption(UsageError& error, const QString& key, const QString& rowOption) {
    const QString option = QStringLiteral("--") + key;
    if (error.message.startsWith(option))
        error.message.replace(0, option.size(), rowOption + u' ' + key);
}

// A row is read item by item as schedule reads its options, so names, limits and messages are
// the same; a refusal names the row: --row 2 years: "41" ...
ScheduleOptions parseRow(int number, const QString& input) {
    ScheduleOptions row;
    const QString rowOption = QStringLiteral("--row %1").arg(number);
    const QStringList items = input.split(u' ', Qt::SkipEmptyParts);
    if (items.isEmpty())
        throw UsageError{QStringLiteral("%1: the row is empty").arg(rowOption)};
    for (const QString& item : items) {
        const qsizetype equals = item.indexOf(u'=');
        if (equals <= 0)
            throw Refused(rowOption, item, u"is not a KEY=VALUE item");
        const QString key = item.left(equals);
        const QString value = item.mid(equals + 1);
        if (std::find(kRowKeys.begin(), kRowKeys.end(), key) == kRowKeys.end())
            throw Refused(rowOption, item, u"has a key that is not listed by --help");
        if (value.isEmpty())
            throw UsageError{QStringLiteral("%1 %2: missing value").arg(rowOption, key)};
        try {
            ApplyLoanOption(key, value, row);
        } catch (UsageError& error) {
            // A term beyond the window's limit is the row's refusal, as in the window.
            if (!error.windowMessage.isEmpty())
                throw WindowRefusal(rowOption, error.windowMessage);
            renameOption(error, key, rowOption);
            throw;
        }
    }
    // An additional payment in a year the row's term does not have is refused, as in schedule:
    // --row 1 extra 30:5: Year number does not exist.
    try {
        CheckLoanOptions(row);
    } catch (UsageError& error) {
        renameOption(error, QStringLiteral("extra"), rowOption);
        throw;
    }
    return row;
}

using Row = Option<CompareOptions>;

constexpr std::array<Row, 3> kOptions = {{
    {u"row", u"ROW",
     u"one row of the table; repeat for each row, in order.\n"
     u"ROW is blank-separated KEY=VALUE items:\n"
     u"  principal=AMOUNT   (default 100000)\n"
     u"  rate=PERCENT       (default 10)\n"
     u"  years=N            (default 25); at most 40\n"
     u"  compounding=NAME   (default monthly)\n"
     u"  frequency=NAME     (default monthly)\n"
     u"  extra=YEAR:AMOUNT  an additional payment of the row;\n"
     u"                     may be repeated\n"
     u"with the names and limits of \"quillbrook-cli schedule\".",
     [](const Row&, const QString& v, CompareOptions& t) {
         t.rows.push_back(parseRow(static_cast<int>(t.rows.size()) + 1, v));
     }},
    {u"days-per-year", u"DAYS", kDaysPerYearHelp,
     [](const Row& o, const QString& v, CompareOptions& t) {
         ApplyLoanOption(o.name.toString(), v, t.common);
     }},
    {u"format", u"text|csv|json|report", u"how to print the table (default text)",
     [](const Row& o, const QString& v, CompareOptions& t) {
         t.format = static_cast<CompareFormat>(ChoiceOf(o, v));
     }},
}};

// The options of the rows, which chart compare takes too: all but compare's own --format.
bool isRowOption(QStringView name) {
    return name != u"format" && FindOption(CompareOptionTable(), name);
}

void applyOption(const QString& name, const QString& value, CompareOptions& options) {
    if (ApplyOption(CompareOptionTable(), name, value, options))
        return;
    ApplyOption(ReportOptionTable(), name, value, options.report);
    if (name != u"currency")
        options.reportOptionGiven = true;
}

bool isOption(QStringView name) {
    return FindOption(CompareOptionTable(), name) || FindOption(ReportOptionTable(), name);
}

CompareOptions parseOptions(const QStringList& arguments) {
    CompareOptions options;
    options.help =
        !ReadOptions(arguments, 1, isOption, [&options](const QString& name, const QString& value) {
            applyOption(name, value, options);
        });
    if (options.help)
        return options;
    if (options.rows.empty())
        throw UsageError{QStringLiteral("at least one --row is needed")};
    if (options.reportOptionGiven && options.format != CompareFormat::Report)
        throw UsageError{
            QStringLiteral("--header, --lines-per-page and --pdf need --format report")};
    CheckReportOptions(options.report);
    return options;
}

// Works the rows out in order through one comparison table, as the window would.
std::vector<ComparisonRow> calculateRows(SharedState& state, ComparisonTable& table,
                                         const CompareOptions& options) {
    state.CurrencySymbol = options.report.currency;
    state.DayFactorChoice = static_cast<std::int16_t>(options.common.dayFactorChoice);
    ApplyDaysPerYear(state, options.common.dayFactorChoice);
    LoadComparison(state, table);

    std::vector<ComparisonRow> rows;
    for (const ScheduleOptions& input : options.rows) {
        state.InputValues.at(1) = input.principal;
        state.InputValues.at(2) = input.rate;
        state.InputValues.at(3) = TermInYears(input.years.value_or(25));
        // Only the row's own additional payments, as if they were all that was entered.
        state.PrePayTable.size(45, 2);
        state.PrePayCount = EnterExtraPayments(state.PrePayTable, input);
        // The window's refusal of a row, named by the row: --row 13: 12 row limit.
        const QString rowOption = QStringLiteral("--row %1").arg(rows.size() + 1);
        try {
            rows.push_back(
                AddComparisonRow(state, table,
                                 LoanInputFrom(state, &FrequencyOf(input), &CompoundingOf(input),
                                               ScheduleKind::Comparison)));
        } catch (const CalculationRefusal& error) {
            throw WindowRefusal(rowOption, QString::fromLatin1(error.userMessage()));
        }
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

QString writeJson(const std::vector<ComparisonRow>& rows) {
    QStringList lines;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        JsonObject line;
        const ComparisonFields fields = ComparisonRowFields(rows[i]);
        for (std::size_t f = 0; f < fields.size(); ++f)
            line.add(fields[f].first,
                     f == 1 || f == 2 ? JsonString(fields[f].second) : fields[f].second);
        QStringList extras;
        for (const auto& [year, amount] : rows[i].extraPayments)
            extras.append(JsonObject()
                              .add("year", QString::number(year))
                              .add("amount", ExactMoney(amount))
                              .line());
        lines.append(line.add("extra_payments", JsonList(extras)).line());
    }
    return JsonObject().document("rows", lines);
}

} // namespace

OptionTable<CompareOptions> CompareOptionTable() {
    return kOptions;
}

bool CalculateComparisonOptions(
    const QStringList& arguments, qsizetype first, SharedState& state,
    const std::function<bool(QStringView)>& ownKnown,
    const std::function<void(const QString&, const QString&)>& ownApply) {
    CompareOptions options;
    const bool read = ReadOptions(
        arguments, first, [&](QStringView name) { return isRowOption(name) || ownKnown(name); },
        [&](const QString& name, const QString& value) {
            if (isRowOption(name))
                applyOption(name, value, options);
            else
                ownApply(name, value);
        });
    if (!read)
        return false;
    if (options.rows.empty())
        throw UsageError{QStringLiteral("at least one --row is needed")};
    ComparisonTable table;
    calculateRows(state, table, options);
    return true;
}

int RunCompare(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    CompareOptions options;
    SharedState state;
    ComparisonTable table;
    std::vector<ComparisonRow> rows;
    try {
        options = parseOptions(arguments);
        if (options.help)
            return WriteOutput(out, err, usage());
        rows = calculateRows(state, table, options);
    } catch (...) {
        return RefusalStatus(err);
    }
    switch (options.format) {
    case CompareFormat::Csv:
        return WriteOutput(out, err, ComparisonCsv(rows));
    case CompareFormat::Json:
        return WriteOutput(out, err, writeJson(rows));
    case CompareFormat::Report:
        return WriteReport(
            options.report, QStringLiteral("Mortgage Comparisons"), state,
            [&](Printer& printer) { PrintComparisonReport(state, table, printer); }, out, err);
    case CompareFormat::Text:
        break;
    }
    return WriteOutput(out, err, writeText(state, table));
}

} // namespace qb
