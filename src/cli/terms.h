// The terms every command accepts, checked as the windows' boxes check them: a term is a whole
// number of years from 1 to 40 or of months from 1 to 480, and an additional payment can only
// go to a year the Additional Payments window offers for the term.
//
// A fraction, zero or a negative number is not a term at all and is refused with the option's
// name; a whole number above the limit gets the window's own message after the option and the
// value ("--years 41: Wrong entry, 40 Years limit."). Both throw UsageError.
#pragma once

#include "cli/usageerror.h"
#include "core/engine/currency.h"

#include <QString>

namespace qb {

inline constexpr int kLongestTermYears = 40;
inline constexpr int kLongestTermMonths = 480;

// The term of --years (or years= of a comparison row) in whole years.
int ParseTermYears(const QString& option, const QString& text);
// The term of --months in whole months.
int ParseTermMonths(const QString& option, const QString& text);

// The term as the calculation keeps it: years, or months / 12 to four decimals as the loan
// window keeps them.
Currency TermInYears(int years);
Currency TermInYearsFromMonths(int months);

// Refuses an additional payment in a year beyond the offered ones with the window's message,
// naming the option and the payment as given: --extra 11:5: Year number does not exist.
void CheckExtraYear(const QString& option, const QString& text, int year, Currency term);

} // namespace qb
