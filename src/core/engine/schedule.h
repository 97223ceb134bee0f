// The amortization engine's own terms: one mortgage or loan in (LoanInput), its payment, rate
// factors and whole schedule out (Schedule). The engine parses no text and keeps no state: the
// frequency and compounding are entries of the engine's own tables, whose list texts are only
// their display names, and the first payment is a date.
//
// A calculation that fails part-way returns what it had worked out by then, with the failure:
// the windows keep showing the figures they were shown before it.
#pragma once

#include "core/engine/currency.h"
#include "core/engine/engineerror.h"
#include "core/engine/table2d.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qb {

using CurrencyTable = Table2D<Currency>;

enum class SplitKind { None, Semimonthly, TwoWeekly, Weekly };
enum class DateInterval { Months, Days };
enum class PeriodsPerYear { Twelve, TwentyFour, BiWeekly, Weekly }; // the real count q

struct Frequency {
    std::u16string_view text; // the list entry, leading blanks included
    int divisorClass;         // 0 monthly kinds, 2 two-weekly kinds, 4 weekly kinds
    int paymentsPerYear;      // n
    PeriodsPerYear periods;   // q, the real number of periods a year for the per-payment rate
    SplitKind split;
    DateInterval interval;
    int step;
};

struct Compounding {
    std::u16string_view text;
    int periodsPerYear; // m
};

extern const std::array<Frequency, 6> kFrequencies;
extern const std::array<Compounding, 5> kCompoundings;

// What a calculation has worked out so far. Fields are filled in step order.
struct Calculation {
    const Frequency* frequency = nullptr;
    double monthlyRate = 0;    // i_m, effective rate per month
    double periodicRate = 0;   // i_p, effective rate per payment: the interest rate factor
    double payment = 0;        // A, principal plus interest of each payment
    double scheduledTotal = 0; // T, what the scheduled payments add up to without extras
    int lastRow = 0;
    // The interest of every payment up to the last, as the payment loop adds it up, before any
    // of it is stored in a four-decimal cell.
    double cumulativeInterest = 0;
    int extraPaymentYearsApplied = 0;
    int paymentsPerYear = 0;             // n, once the frequency is known
    std::optional<double> yearsToRetire; // the payments made / n, once they are counted
    Currency totalPaid;
    Currency interestSavings; // zero when below 10
};

// The moments at which a window shows figures while the calculation goes on, so that what was
// shown before a failure stays on screen.
class CalculationListener {
public:
    virtual ~CalculationListener() = default;
    virtual void ratesKnown(const Calculation&) {}
    virtual void paymentKnown(const Calculation&) {}
    virtual void yearsToRetireKnown(const Calculation&) {}
    // An additional payment of amount in year was added to the principal repaid.
    virtual void extraPaymentApplied(int /*year*/, Currency /*amount*/) {}
};

enum class ScheduleKind {
    Table,      // the table windows: year numbers or dates, the yearly summary, the totals
    Comparison, // one row of a comparison: every payment, no dates, no yearly summary
};

// One mortgage or loan, as the engine takes it.
struct LoanInput {
    double principal = 0;
    double annualRate = 0;                    // percent: 10 is 10 %
    double termYears = 0;                     // exact: a loan's months / 12, not rounded
    const Frequency* frequency = nullptr;     // none: not an entry of the list, which fails
    const Compounding* compounding = nullptr; // likewise
    // The real number of two-weekly and weekly periods in a year (the days-per-year basis).
    double biWeeklyPerYear = 0;
    double weeklyPerYear = 0;
    // Years 0..45 by columns 0..2: column 2 the additional amount paid at the start of the year.
    CurrencyTable extraPayments;
    int view = 1; // 1 one row per year, 2 every payment
    bool showDates = false;
    // The first payment's date, when rows carry dates; none where no date could be read.
    std::optional<QDate> firstPayment;
    ScheduleKind kind = ScheduleKind::Table;
};

// Additional payments as (year, amount), in the order the calculation applied them.
using AppliedPayments = std::vector<std::pair<int, Currency>>;

// Why a calculation stopped.
struct CalculationFailure {
    bool termLimit = false; // the term is 41 years or more
    std::string detail;     // what failed, for a developer
    QString message() const {
        return QString::fromLatin1(termLimit ? kFortyYearLimit : kWrongEntry);
    }
};

// What the calculation made of a LoanInput, as far as it got.
struct Schedule {
    LoanInput input; // what was calculated
    Calculation figures;
    // Payment rows 0..2100 by columns 0..7 (row 0 stays zero): 0 year number, 1 payment number,
    // 2 interest, 3 principal, 4 remaining balance, 5 cumulative interest, 6 cumulative
    // principal, 7 payment date as a day serial. A yearly table overwrites the first rows with
    // the yearly summary.
    CurrencyTable rows;
    CurrencyTable years;    // the yearly summary: years 0..45 by the same columns
    int lastRowWritten = 0; // the highest row this calculation wrote
    int tableRows = 0;      // the rows of the table shown; set when a table calculation completes
    int dataCount =
        0; // rows for the printout and the charts; 0 until a table calculation completes
    AppliedPayments extraPaymentsApplied; // the additional amounts added to the principal
    std::optional<CalculationFailure> failure;
};

// Works the whole schedule out. Never throws for a failure of the calculation: the schedule
// carries it with what was worked out before it.
Schedule CalculateSchedule(const LoanInput& input, CalculationListener* listener = nullptr);

// For callers that report failures as exceptions: throws TermLimitError or CalculationError when
// the schedule ended with a failure.
void ThrowIfFailed(const Schedule& schedule);

} // namespace qb
