// The amortization engine; see schedule.h.
#include "core/engine/schedule.h"

#include "core/format/format.h"
#include "core/format/shortdate.h"

#include <algorithm>
#include <cmath>

namespace qb {

const std::array<Frequency, 6> kFrequencies = {{
    {u"      Monthly", 0, 12, PeriodsPerYear::Twelve, SplitKind::None, DateInterval::Months, 1},
    {u"  Semimonthly", 2, 24, PeriodsPerYear::TwentyFour, SplitKind::Semimonthly,
     DateInterval::Months, 1},
    {u"      2 Weeks", 2, 26, PeriodsPerYear::BiWeekly, SplitKind::TwoWeekly, DateInterval::Days,
     14},
    {u"      1 Week", 4, 52, PeriodsPerYear::Weekly, SplitKind::Weekly, DateInterval::Days, 7},
    {u" Biweekly(Acc)", 2, 26, PeriodsPerYear::BiWeekly, SplitKind::None, DateInterval::Days, 14},
    {u"   Weekly(Acc)", 4, 52, PeriodsPerYear::Weekly, SplitKind::None, DateInterval::Days, 7},
}};

const std::array<Compounding, 5> kCompoundings = {{
    {u"      Monthly", 12},
    {u"    Bimonthly", 6},
    {u"    Quarterly", 4},
    {u"   Semiannual", 2},
    {u"       Annual", 1},
}};

namespace {

// Double arithmetic never traps, but a calculation must fail where a division by zero or an
// overflow happens, not carry an infinity into the schedule.
double checked(double value) {
    if (!std::isfinite(value))
        throw OverflowError();
    return value;
}

double divide(double numerator, double denominator) {
    if (denominator == 0)
        throw CalculationError("division by zero");
    return checked(numerator / denominator);
}

double power(double base, double exponent) {
    if (base < 0 && exponent != std::floor(exponent))
        throw CalculationError("invalid power");
    if (base == 0 && exponent < 0)
        throw CalculationError("division by zero");
    return checked(std::pow(base, exponent));
}

// Whole counts (payments, years, rows) are 16-bit integers rounded to nearest, ties to even, so a
// 7-month term of 0.5833 years makes 6.9996 payments and runs 7.
std::int16_t toWhole(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768 && rounded <= 32767))
        throw OverflowError();
    return static_cast<std::int16_t>(rounded);
}

Currency dateCell(QDate date) {
    if (!date.isValid() || date.year() > 9999)
        throw OverflowError();
    return Currency::fromUnits(static_cast<std::int64_t>(DateToSerial(date)) * Currency::kScale);
}

double periodsPerYear(const LoanInput& input, const Frequency* frequency) {
    if (frequency == nullptr)
        return 0;
    switch (frequency->periods) {
    case PeriodsPerYear::Twelve:
        return 12;
    case PeriodsPerYear::TwentyFour:
        return 24;
    case PeriodsPerYear::BiWeekly:
        return input.biWeeklyPerYear;
    case PeriodsPerYear::Weekly:
        return input.weeklyPerYear;
    }
    return 0;
}

// The rate the payment is worked out with: the monthly rate spread over the payments of a month.
double paymentRate(const Frequency& frequency, double monthlyRate) {
    switch (frequency.split) {
    case SplitKind::Semimonthly:
        return monthlyRate / 2;
    case SplitKind::TwoWeekly:
        return monthlyRate * 12 / 26;
    case SplitKind::Weekly:
        return monthlyRate * 12 / 52;
    case SplitKind::None:
        break;
    }
    if (frequency.divisorClass == 2)
        return monthlyRate / 2;
    if (frequency.divisorClass == 4)
        return monthlyRate / 4;
    return monthlyRate;
}

double paymentBound(const Frequency& frequency, double years) {
    if (frequency.divisorClass == 2)
        return years * 12 / 12 * 26;
    if (frequency.divisorClass == 4)
        return years * 12 / 12 * 52;
    return years * 12;
}

class Run {
public:
    Run(const LoanInput& input, Schedule& schedule, CalculationListener* listener)
        : m_input(input), m_schedule(schedule), m_table(schedule.rows), m_listener(listener),
          m_tableKind(input.kind == ScheduleKind::Table) {}

    void calculate();

private:
    void paymentLoop();
    double extraPaymentWith(int i, double balance);
    QDate nextPaymentDate();
    void adjustFinalPayment();
    void summariseYears();
    QDate firstPayDate();

    const LoanInput& m_input;
    Schedule& m_schedule;
    CurrencyTable& m_table;
    CalculationListener* m_listener;
    bool m_tableKind;
    Calculation& m_calc = m_schedule.figures;

    const Frequency* m_frequency = nullptr;
    int m_n = 0;
    double m_principal = 0;
    double m_years = 0;
    double m_scheduleRate = 0;
    double m_balance = 0;
    DateInterval m_interval = DateInterval::Months;
    int m_step = 0;
    int m_offset = 0;
    int m_semimonthlyCounter = 0;
    QDate m_previousDate;
};

QDate Run::firstPayDate() {
    if (!m_input.firstPayment)
        throw CalculationError("not a date");
    return *m_input.firstPayment;
}

void Run::calculate() {
    m_principal = m_input.principal;
    const double annualRate = m_input.annualRate;
    m_years = m_input.termYears;

    m_frequency = m_input.frequency;
    m_calc.frequency = m_frequency;
    const double q = periodsPerYear(m_input, m_frequency);
    m_n = m_frequency ? m_frequency->paymentsPerYear : 0;
    m_calc.paymentsPerYear = m_n;
    if (m_frequency) {
        m_interval = m_frequency->interval;
        m_step = m_frequency->step;
    }
    m_offset = -m_step;
    if (m_input.view != 2) {
        m_interval = DateInterval::Months;
        m_step = 12;
        m_offset = -12;
    }

    const Compounding* compounding = m_input.compounding;
    const double m = compounding ? compounding->periodsPerYear : 0;

    if (m_years >= 41)
        throw TermLimitError();

    const double r = annualRate / 100;
    const double growth = 1 + divide(r, m);
    m_calc.monthlyRate = power(growth, divide(m, 12)) - 1;
    m_calc.periodicRate = power(growth, divide(m, q)) - 1;
    const double monthlyRounded = RoundToEightDecimals(m_calc.monthlyRate);
    const double periodicRounded = RoundToEightDecimals(m_calc.periodicRate);
    if (m_listener)
        m_listener->ratesKnown(m_calc);

    const double discount = RoundToEightDecimals(divide(1, power(growth, m_years * m)));
    if (m_tableKind)
        m_calc.scheduledTotal =
            checked(divide(m_principal * m_calc.monthlyRate, 1 - discount) * 12 * m_years);

    m_calc.payment =
        divide(m_principal * paymentRate(*m_frequency, m_calc.monthlyRate), 1 - discount);
    const int divisorClass = m_frequency->divisorClass;
    m_scheduleRate = (divisorClass == 2 || divisorClass == 4) ? periodicRounded : monthlyRounded;
    if (m_listener)
        m_listener->paymentKnown(m_calc);

    paymentLoop();
    adjustFinalPayment();

    m_calc.yearsToRetire = divide(m_calc.lastRow, m_n);
    if (m_listener)
        m_listener->yearsToRetireKnown(m_calc);

    if (m_tableKind && m_input.view == 1)
        summariseYears();

    const int last = m_calc.lastRow;
    m_calc.totalPaid = m_table.at(last, 5) + m_table.at(last, 6);
    if (!m_tableKind)
        return;

    const int tableRows = toWhole(last);
    const double savings = m_calc.scheduledTotal - m_calc.totalPaid.toDouble();
    m_calc.interestSavings = savings < 10 ? Currency() : Currency::fromDouble(savings);
    m_schedule.dataCount = m_input.view == 2 ? toWhole(last + 1) : toWhole(*m_calc.yearsToRetire);
    m_schedule.tableRows = tableRows;
}

void Run::paymentLoop() {
    const double payment = m_calc.payment;
    const int bound = toWhole(paymentBound(*m_frequency, m_years));
    const bool everyPayment = m_tableKind && m_input.view == 2;
    const bool withDates = everyPayment && m_input.showDates;
    const bool withYears = everyPayment && !m_input.showDates;

    double balance = m_principal;
    double interest = m_scheduleRate * m_principal;
    double principal = payment - interest;
    double rowInterest = 0;
    double rowPrincipal = 0;
    double cumulativeInterest = 0;
    double cumulativePrincipal = 0;
    Currency yearNumber;
    int paymentOfYear = 0; // counts 1..n, so that no division runs for every payment

    for (int i = 1; i <= bound; ++i) {
        const bool firstOfYear = paymentOfYear == 0;
        if (++paymentOfYear == m_n)
            paymentOfYear = 0;
        if (firstOfYear)
            principal += extraPaymentWith(i, balance);

        rowInterest += interest;
        rowPrincipal += principal;

        balance -= principal;
        interest = m_scheduleRate * balance;
        principal = payment - interest;

        // A negative interest means the previous payment already cleared the loan.
        if (rowInterest < 0) {
            m_calc.lastRow = i - 1;
            break;
        }

        cumulativeInterest += rowInterest;
        cumulativePrincipal += rowPrincipal;

        Currency* row = m_table.row(i);
        m_schedule.lastRowWritten = i;
        row[1] = Currency::fromUnits(static_cast<std::int64_t>(i) * Currency::kScale);
        row[2] = Currency::fromDouble(rowInterest);
        row[3] = Currency::fromDouble(rowPrincipal);
        row[4] = Currency::fromDouble(balance);
        row[5] = Currency::fromDouble(cumulativeInterest);
        row[6] = Currency::fromDouble(cumulativePrincipal);

        if (withDates)
            row[7] = dateCell(nextPaymentDate());
        if (withYears) {
            if (firstOfYear)
                yearNumber = Currency::fromDouble(static_cast<double>(i) / m_n + 1);
            row[0] = yearNumber;
        }

        rowInterest = 0;
        rowPrincipal = 0;
        m_calc.lastRow = i;
        m_calc.cumulativeInterest = cumulativeInterest;
    }
    m_balance = balance;
}

// The additional amount paid with payment i, the first of its year: the year's amount, unless
// it would pay off more than is left before the payment.
double Run::extraPaymentWith(int i, double balance) {
    const int year = toWhole(static_cast<double>(i) / m_n + 1);
    const Currency extra = m_input.extraPayments.at(year, 2);
    const double previousPrincipal = m_table.at(i - 1, 3).toDouble();
    if (extra.toDouble() >= balance - previousPrincipal)
        return 0;
    if (extra > Currency()) {
        ++m_calc.extraPaymentYearsApplied;
        m_schedule.extraPaymentsApplied.emplace_back(year, extra);
        if (m_listener)
            m_listener->extraPaymentApplied(year, extra);
    }
    return extra.toDouble();
}

// Semimonthly payments fall on the day of each month's first payment and 14 days later; every
// other date is counted from the first payment, never stepped from the previous one, so month
// ends do not drift.
QDate Run::nextPaymentDate() {
    ++m_semimonthlyCounter;
    if (m_n == 24 && m_semimonthlyCounter % 2 == 0)
        return AddDays(m_previousDate, 14);
    const int units = m_step + m_offset;
    m_previousDate = m_interval == DateInterval::Months ? AddMonths(firstPayDate(), units)
                                                        : AddDays(firstPayDate(), units);
    m_offset += m_step;
    return m_previousDate;
}

// When what is left after the last payment is under 2, the last payment takes exactly the
// balance that remained before it, so the schedule ends at zero. Before the first payment that
// balance is the principal itself (row 0 of the table stays empty).
void Run::adjustFinalPayment() {
    if (!(m_balance < 2))
        return;
    const int last = m_calc.lastRow;
    const Currency before = last == 1 ? Currency::fromDouble(m_principal) : m_table.at(last - 1, 4);
    m_table.at(last, 3) = before;
    m_table.at(last, 5) = m_table.at(last, 2) + m_table.at(last - 1, 5);
    m_table.at(last, 6) = m_table.at(last, 6) + m_table.at(last, 4);
    m_table.at(last, 4) = before - m_table.at(last, 3);
}

void Run::summariseYears() {
    CurrencyTable& annual = m_schedule.years;
    const int years = toWhole(*m_calc.yearsToRetire + 0.49);
    const int lastPayment = m_calc.lastRow;

    for (int j = 1; j <= years; ++j) {
        Currency interest;
        Currency principal;
        int visited = -1;
        bool paidOff = false;
        // A year never reaches past the last payment: rows beyond it belong to no schedule.
        const int end = std::min(j * m_n, lastPayment);
        for (int k = (j - 1) * m_n + 1; k <= end; ++k) {
            const Currency* row = m_table.row(k);
            interest = interest + row[2];
            principal = principal + row[3];
            visited = k;
            if (row[4] <= Currency()) {
                paidOff = true;
                break;
            }
        }
        if (visited < 0)
            break;
        annual.at(j, 1) = Currency::fromUnits(static_cast<std::int64_t>(j) * Currency::kScale);
        annual.at(j, 2) = interest;
        annual.at(j, 3) = principal;
        for (int column = 4; column <= 6; ++column)
            annual.at(j, column) = m_table.at(visited, column);
        if (paidOff)
            break;
    }

    for (int j = 1; j <= years; ++j) {
        for (int column = 2; column <= 6; ++column)
            m_table.at(j, column) = annual.at(j, column);
        if (!m_input.showDates) {
            m_table.at(j, 1) = Currency::fromUnits(static_cast<std::int64_t>(j) * Currency::kScale);
        } else {
            annual.at(j, 7) = dateCell(AddMonths(firstPayDate(), 12 * (j - 1)));
            m_table.at(j, 7) = annual.at(j, 7);
        }
    }
    m_calc.lastRow = years;
}

} // namespace

void ThrowIfFailed(const Schedule& schedule) {
    if (!schedule.failure)
        return;
    if (schedule.failure->termLimit)
        throw TermLimitError();
    throw CalculationError(schedule.failure->detail.c_str());
}

Schedule CalculateSchedule(const LoanInput& input, CalculationListener* listener) {
    Schedule schedule;
    schedule.input = input;
    schedule.rows.size(2100, 7);
    schedule.years.size(45, 7);
    try {
        Run(input, schedule, listener).calculate();
    } catch (const TermLimitError&) {
        schedule.failure = CalculationFailure{true, "term limit"};
    } catch (const CalculationError& error) {
        schedule.failure = CalculationFailure{false, error.what()};
    }
    return schedule;
}

} // namespace qb
