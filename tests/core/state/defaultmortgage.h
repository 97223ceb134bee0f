// What the chart and report tests share: the Mortgage Tables window's default mortgage, worked
// out into the shared state as its Calculate leaves it.
#pragma once

#include "core/engine/currency.h"
#include "core/settings/daysperyear.h"
#include "core/state/calculation.h"
#include "core/state/shared.h"

#include <QStringView>

namespace qb {

// 100,000 at 10 % over 25 years, compounded monthly, paid at frequency, in view (1 one row a
// year, 2 every payment), on the 365-day basis.
inline void CalculateDefaultMortgage(SharedState& state, int view,
                                     QStringView frequency = u"      Monthly") {
    SizeCalculationTables(state);
    ApplyDaysPerYear(state, kDefaultDayFactorChoice);
    state.InputValues[1] = Currency::fromDouble(100000);
    state.InputValues[2] = Currency::fromDouble(10);
    state.InputValues[3] = Currency::fromDouble(25);
    state.TableView = static_cast<std::int16_t>(view);
    Calculate(state, frequency, u"      Monthly");
}

} // namespace qb
