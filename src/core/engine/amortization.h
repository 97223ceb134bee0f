// The amortization engine: one mortgage or loan in, the payment, the rate factors and the whole
// schedule out. It reads the inputs from the shared state (principal, rate and term in
// InputValues, the additional payments, the table view, the date settings, the days-per-year
// basis) and the texts of the frequency and compounding lists, and writes the schedule and its
// yearly summary into the shared tables. It knows nothing of windows: a failure is thrown as a
// CalculationError or TermLimitError carrying the user's message, and a window that wants to show
// figures as soon as they are known listens for the three moments below.
#pragma once

#include "core/shell/shared.h"

#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace qb {

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

const Frequency* findFrequency(QStringView text);
const Compounding* findCompounding(QStringView text);

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

// Runs the whole calculation. The shared tables must have been sized by the caller (the window
// that loads them, or the command-line tool). Throws TermLimitError when the term is 41 years or
// more and CalculationError for any other failure; rows written before a failure stay.
Calculation Calculate(SharedState& state, QStringView frequencyText, QStringView compoundingText,
                      CalculationListener* listener = nullptr,
                      ScheduleKind kind = ScheduleKind::Table);

// Sizes the shared tables as the calculation windows do when they load.
void SizeCalculationTables(SharedState& state);

} // namespace qb
