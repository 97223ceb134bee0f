// The loan a command works out, as "schedule" reads it from the command line: principal, rate,
// term, compounding, frequency, view, first date, additional payments and the days-per-year
// basis. Other commands that work out a mortgage or loan ("report") read the same options with
// the same meaning through these functions, so a value is checked the same way everywhere.
#pragma once

#include "cli/optionreader.h"
#include "cli/optiontable.h"
#include "core/settings/daysperyear.h"
#include "core/state/calculation.h"
#include "core/state/shared.h"

#include <QDate>

#include <map>
#include <optional>

namespace qb {

enum class OutputFormat { Text, Csv, Json };

struct ScheduleOptions {
    bool help = false;
    Currency principal = Currency::fromUnits(100000 * Currency::kScale);
    Currency rate = Currency::fromUnits(10 * Currency::kScale);
    std::optional<int> years;
    std::optional<int> months;
    QStringView compounding = u"monthly";
    QStringView frequency = u"monthly";
    std::int16_t tableView = 2;
    std::optional<QDate> firstDate;
    std::map<int, Currency> extras;
    std::map<int, QString> extraTexts; // each year's additional payment as given, for messages
    int dayFactorChoice = kDefaultDayFactorChoice;
    OutputFormat format = OutputFormat::Text;
};

// The help of --days-per-year, which compare takes too.
inline constexpr QStringView kDaysPerYearHelp =
    u"the year the weekly and two-weekly rates are based on:\n"
    u"365.25, 365 (default), 364, 363, 362, 361 or 360";

// Schedule's options: those that describe the loan, then its own --format.
OptionTable<ScheduleOptions> ScheduleOptionTable();

// Checks the value of one of schedule's options and keeps it; throws UsageError when it is
// refused.
void ApplyLoanOption(const QString& name, const QString& value, ScheduleOptions& options);

// Refuses what the options only say together: both terms, or an additional payment in a year
// the term does not have.
void CheckLoanOptions(const ScheduleOptions& options);

// Reads the options of a command that works out a mortgage or, as the loan window starts, a loan
// of 20000 over 48 months ("report loan", "chart mortgage"): the loan's, as schedule reads them,
// and the command's own, which ownKnown tells and ownApply keeps (returning false for a loan
// option). Each kind takes only its own term option: --years for a mortgage, --months for a
// loan; the other is refused naming the command. Then checks the command's own options with
// checkOwn and works the loan out into state as the window's Calculate does. Returns false when
// help was asked for; throws what the reading and the calculation throw.
bool CalculateLoanOptions(const QStringList& arguments, bool loan, const QString& command,
                          SharedState& state, const std::function<bool(QStringView)>& ownKnown,
                          const std::function<bool(const QString&, const QString&)>& ownApply,
                          const std::function<void()>& checkOwn);

// Enters the options' additional payments into a table sized for them, as the Additional Payments
// window does; returns how many of them are more than zero.
std::int16_t EnterExtraPayments(CurrencyTable& table, const ScheduleOptions& options);

// The mortgage or loan the options describe, as the engine takes it: the same figures PrepareLoan
// gives the shared values, the term exact and the first payment as its date.
LoanInput LoanInputOf(const ScheduleOptions& options);

// The entries of the windows' lists the option names stand for.
const Frequency& FrequencyOf(const ScheduleOptions& options);
const Compounding& CompoundingOf(const ScheduleOptions& options);

} // namespace qb
