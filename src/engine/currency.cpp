#include "currency.h"

#include "engineerror.h"

namespace qb {

void Currency::throwOverflow() {
    throw OverflowError();
}

} // namespace qb
