#include "core/settings/daysperyear.h"

#include "core/state/shared.h"

namespace qb {

const std::array<DaysPerYearChoice, 7> kDaysPerYearChoices = {{
    {u"365.25", 365.25, 26.08928571, 52.17857143},
    {u"365", 365, 26.07142857, 52.14285714},
    {u"364", 364, 26, 52},
    {u"363", 363, 25.92857143, 51.85714286},
    {u"362", 362, 25.85714286, 51.71428571},
    {u"361", 361, 25.78571429, 51.57142857},
    {u"360", 360, 25.71428571, 51.42857143},
}};

void ApplyDaysPerYear(SharedState& state, int choice) {
    if (choice < 0 || choice >= static_cast<int>(kDaysPerYearChoices.size()))
        return;
    const DaysPerYearChoice& row = kDaysPerYearChoices[static_cast<std::size_t>(choice)];
    state.DaysPerYear = row.daysPerYear;
    state.BiWeeklyPerYear = row.biWeeklyPerYear;
    state.WeeklyPerYear = row.weeklyPerYear;
}

int FindDaysPerYearChoice(QStringView text) {
    for (std::size_t i = 0; i < kDaysPerYearChoices.size(); ++i) {
        if (text == QStringView(kDaysPerYearChoices[i].caption))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace qb
