// The loan options: how each is read and checked, and how the state is set up from them.
#include "cli/scheduleoptions.h"

#include "cli/terms.h"
#include "core/engine/engineerror.h"
#include "core/format/shortdate.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qb {

namespace {

constexpr int kLastExtraYear = 45;

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

double parseNumber(const QString& option, const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    // toDouble forgives surrounding blanks; a script that passes them has a bug worth reporting.
    if (!ok || text.isEmpty() || text.trimmed() != text)
        throw Refused(option, text, u"is not a number");
    if (!std::isfinite(value))
        throw Refused(option, text, u"is not a finite number");
    if (value < 0)
        throw Refused(option, text, u"must not be negative");
    return value;
}

Currency parseAmount(const QString& option, const QString& text) {
    const double value = parseNumber(option, text);
    try {
        return Currency::fromDouble(value);
    } catch (const OverflowError&) {
        throw Refused(option, text, u"is too large");
    }
}

template <std::size_t N>
QStringView parseName(const QString& option, const QString& text,
                      const std::array<ListName, N>& names) {
    const auto known =
        std::ranges::find_if(names, [&text](const ListName& entry) { return text == entry.name; });
    if (known == names.end())
        throw Refused(option, text, u"is not one of the names listed by --help");
    return known->name;
}

bool isAsciiDigits(QStringView text) {
    return !text.isEmpty() &&
           std::ranges::all_of(text, [](QChar c) { return c >= u'0' && c <= u'9'; });
}

void parseExtra(const QString& option, const QString& text, ScheduleOptions& options) {
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0 || colon == text.size() - 1 || text.indexOf(u':', colon + 1) >= 0)
        throw Refused(option, text, u"is not YEAR:AMOUNT");
    const QString yearText = text.left(colon);
    const QString amountText = text.mid(colon + 1);
    if (!isAsciiDigits(yearText))
        throw Refused(option, text, u"does not start with a whole year number");
    // Leading zeros are harmless: 003 is year 3.
    qsizetype first = 0;
    while (first < yearText.size() - 1 && yearText[first] == u'0')
        ++first;
    const QStringView digits = QStringView(yearText).mid(first);
    const int year = digits.size() > 2 ? kLastExtraYear + 1 : digits.toInt();
    if (year < 1 || year > kLastExtraYear)
        throw Refused(option, text, u"has a year that is not between 1 and 45");
    options.extras[year] = parseAmount(option, amountText);
    options.extraTexts[year] = text;
}

using Row = Option<ScheduleOptions>;

constexpr std::array<Row, 11> kOptions = {{
    {u"principal", u"AMOUNT", u"amount borrowed (default 100000)",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         t.principal = parseAmount(o.flag(), v);
     }},
    {u"rate", u"PERCENT", u"annual interest rate in percent (default 10)",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         t.rate = parseAmount(o.flag(), v);
     }},
    {u"years", u"N", u"term in whole years, {least} to {most} (default 25)",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         t.years = ParseTermYears(o.flag(), v);
     },
     1, kLongestTermYears},
    {u"months", u"M",
     u"term in whole months, {least} to {most}, for a loan; not\ntogether with --years",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         t.months = ParseTermMonths(o.flag(), v);
     },
     1, kLongestTermMonths},
    {u"compounding", u"NAME",
     u"how often interest is compounded: monthly (default),\n"
     u"bimonthly, quarterly, semiannual or annual",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         t.compounding = parseName(o.flag(), v, kCompoundingNames);
     }},
    {u"frequency", u"NAME",
     u"how often a payment is made: monthly (default),\n"
     u"semimonthly, 2-weeks, 1-week, biweekly-acc (half the\n"
     u"monthly payment every two weeks) or weekly-acc (a\n"
     u"quarter of the monthly payment every week)",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         t.frequency = parseName(o.flag(), v, kFrequencyNames);
     }},
    {u"view", u"all|annual", u"every payment (default) or one row per year",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         t.tableView = static_cast<std::int16_t>(2 - ChoiceOf(o, v));
     }},
    {u"first-date", u"DATE",
     u"date of the first payment as YYYY-MM-DD; the rows then\ncarry payment dates",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         const QDate date = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
         if (!date.isValid())
             throw Refused(o.flag(), v, u"is not a date of the form YYYY-MM-DD");
         t.firstDate = date;
     }},
    {u"extra", u"YEAR:AMOUNT",
     u"an additional payment of AMOUNT in year YEAR, from 1 to\n"
     u"the term in whole years (halves to even: a loan of\n"
     u"30 months has years 1 and 2); may be repeated, and a\n"
     u"repeated year keeps the last amount given",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         parseExtra(o.flag(), v, t);
     }},
    {u"days-per-year", u"DAYS", kDaysPerYearHelp,
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         const int choice = FindDaysPerYearChoice(v);
         if (choice < 0)
             throw Refused(o.flag(), v, u"is not one of the bases listed by --help");
         t.dayFactorChoice = choice;
     }},
    {u"format", u"text|csv|json", u"how to print the result (default text)",
     [](const Row& o, const QString& v, ScheduleOptions& t) {
         t.format = static_cast<OutputFormat>(ChoiceOf(o, v));
     }},
}};

// The term as the calculation windows keep it; 25 years when none is given.
Currency termOf(const ScheduleOptions& options) {
    if (options.months)
        return TermInYearsFromMonths(*options.months);
    return TermInYears(options.years.value_or(25));
}

template <typename Entry, std::size_t N>
const Entry& listEntry(QStringView name, const std::array<ListName, N>& names,
                       std::span<const Entry> entries) {
    for (const ListName& known : names) {
        if (known.name != name)
            continue;
        for (const Entry& entry : entries) {
            if (QStringView(entry.text).trimmed() == known.text)
                return entry;
        }
    }
    throw CalculationError("entry not in the list");
}

} // namespace

OptionTable<ScheduleOptions> ScheduleOptionTable() {
    return kOptions;
}

void ApplyLoanOption(const QString& name, const QString& value, ScheduleOptions& options) {
    ApplyOption(ScheduleOptionTable(), name, value, options);
}

void CheckLoanOptions(const ScheduleOptions& options) {
    if (options.years && options.months)
        throw UsageError{QStringLiteral("--years and --months cannot be given together")};
    // Only now is the term known, whatever the order of the options.
    for (const auto& [year, text] : options.extraTexts)
        CheckExtraYear(QStringLiteral("--extra"), text, year, termOf(options));
}

std::int16_t EnterExtraPayments(CurrencyTable& table, const ScheduleOptions& options) {
    std::int16_t count = 0;
    for (const auto& [year, amount] : options.extras) {
        table.at(year, 1) = Currency::fromUnits(year * Currency::kScale);
        table.at(year, 2) = amount;
        if (amount > Currency())
            ++count;
    }
    return count;
}

bool CalculateLoanOptions(const QStringList& arguments, bool loan, const QString& command,
                          SharedState& state, const std::function<bool(QStringView)>& ownKnown,
                          const std::function<bool(const QString&, const QString&)>& ownApply,
                          const std::function<void()>& checkOwn) {
    ScheduleOptions options;
    if (loan)
        options.principal = Currency::fromUnits(20000 * Currency::kScale);
    const auto known = [&](QStringView name) {
        const QStringView own = loan ? u"months" : u"years";
        const QStringView other = loan ? u"years" : u"months";
        if (name == other)
            throw UsageError{
                QStringLiteral("--%1 is not an option of %2; use --%3").arg(other, command, own)};
        return ownKnown(name) || (name != u"format" && FindOption(ScheduleOptionTable(), name));
    };
    const auto apply = [&](const QString& name, const QString& value) {
        if (!ownApply(name, value))
            ApplyLoanOption(name, value, options);
    };
    if (!ReadOptions(arguments, 2, known, apply))
        return false;
    checkOwn();
    if (loan && !options.months)
        options.months = 48;
    CheckLoanOptions(options);

    // The state as a calculation window has it when the user presses Calculate.
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
    state.PrePayCount = EnterExtraPayments(state.PrePayTable, options);
    ThrowIfFailed(CalculateTable(state, LoanInputOf(options)));
    return true;
}

LoanInput LoanInputOf(const ScheduleOptions& options) {
    LoanInput input;
    input.principal = options.principal.toDouble();
    input.annualRate = options.rate.toDouble();
    input.termYears = options.months ? *options.months / 12.0 : termOf(options).toDouble();
    input.frequency = &FrequencyOf(options);
    input.compounding = &CompoundingOf(options);
    const auto choice = static_cast<std::size_t>(options.dayFactorChoice);
    if (choice < kDaysPerYearChoices.size()) {
        input.biWeeklyPerYear = kDaysPerYearChoices[choice].biWeeklyPerYear;
        input.weeklyPerYear = kDaysPerYearChoices[choice].weeklyPerYear;
    }
    input.extraPayments.size(45, 2);
    EnterExtraPayments(input.extraPayments, options);
    input.view = options.tableView;
    input.showDates = options.firstDate.has_value();
    input.firstPayment = options.firstDate;
    return input;
}

const Frequency& FrequencyOf(const ScheduleOptions& options) {
    return listEntry<Frequency>(options.frequency, kFrequencyNames, kFrequencies);
}

const Compounding& CompoundingOf(const ScheduleOptions& options) {
    return listEntry<Compounding>(options.compounding, kCompoundingNames, kCompoundings);
}

} // namespace qb
