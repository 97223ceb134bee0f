// The days-per-year basis of the interest-rate factor, and the real number of bi-weekly and
// weekly periods in such a year. The period counts are fixed eight-decimal constants, not worked
// out at run time, so every figure that depends on them is reproducible.
#pragma once

#include <QStringView>

#include <array>
#include <string_view>

namespace qb {

struct SharedState;

struct DaysPerYearChoice {
    std::u16string_view caption;
    double daysPerYear;
    double biWeeklyPerYear;
    double weeklyPerYear;
};

// Indexed by DayFactorChoice; index 1 (365 days) is the default of every run.
extern const std::array<DaysPerYearChoice, 7> kDaysPerYearChoices;
inline constexpr int kDefaultDayFactorChoice = 1;

// Sets DaysPerYear, BiWeeklyPerYear and WeeklyPerYear from the row of choice; an index outside
// the table leaves them as they are.
void ApplyDaysPerYear(SharedState& state, int choice);

// The index whose caption is text ("365.25", "360", ...), or -1.
int FindDaysPerYearChoice(QStringView text);

} // namespace qb
