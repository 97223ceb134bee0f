// The short warning sound of an input box that refuses a key.
#pragma once

namespace qb {

void Beep();

} // namespace qb
