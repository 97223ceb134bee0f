#include "core/engine/currency.h"

#include "core/engine/engineerror.h"

namespace qb {

void Currency::throwOverflow() {
    throw OverflowError();
}

Currency Currency::fromWholeDouble(double scaled) {
    // 2^63 is the first value past the range.
    if (!(scaled < 9223372036854775808.0 && scaled >= -9223372036854775808.0))
        throwOverflow();
    return fromUnits(static_cast<std::int64_t>(scaled));
}

} // namespace qb
