// Twips, the program's unit of length on screen and paper: 1440 to the inch. Window geometry and
// grid sizes are given in twips and converted at the screen's logical resolution.
#pragma once

#include <cmath>

namespace qb {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

inline int PixelsToTwips(int pixels, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * kTwipsPerInch / dpi));
}

} // namespace qb
