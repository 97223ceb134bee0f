// Money cells. Every amount the schedule keeps is a fixed-point value with exactly four decimals,
// held as a count of ten-thousandths. Storing a double rounds it to the nearest ten-thousandth,
// ties to the even neighbour, so a schedule adds up the same way every time it is worked out.
#pragma once

#include <cmath>
#include <cstdint>

namespace qb {

class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;

    // Rounds to four decimals, halves to even. Throws OverflowError for a value that does not fit
    // (about +-922 trillion) and for infinities and NaNs. Inline: the schedule stores six cells
    // for every payment.
    static Currency fromDouble(double value) {
        const double scaled = value * static_cast<double>(kScale);
        const double magnitude = std::fabs(scaled);
        if (magnitude < kWhole) {
            // Adding and taking away 2^52 leaves no fraction bits, and the hardware rounds that
            // addition to nearest, ties to even.
            return fromUnits(
                static_cast<std::int64_t>(std::copysign((magnitude + kWhole) - kWhole, scaled)));
        }
        return fromWholeDouble(scaled);
    }
    static constexpr Currency fromUnits(std::int64_t units) {
        Currency c;
        c.m_units = units;
        return c;
    }

    constexpr std::int64_t units() const { return m_units; }
    constexpr double toDouble() const { return static_cast<double>(m_units) / kScale; }
    constexpr bool isZero() const { return m_units == 0; }

    // Exact sums and differences; throw OverflowError past the range.
    Currency operator+(Currency other) const {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(m_units, other.m_units, &sum))
            throwOverflow();
        return fromUnits(sum);
    }
    Currency operator-(Currency other) const {
        std::int64_t difference = 0;
        if (__builtin_sub_overflow(m_units, other.m_units, &difference))
            throwOverflow();
        return fromUnits(difference);
    }

    constexpr bool operator==(Currency other) const { return m_units == other.m_units; }
    constexpr bool operator!=(Currency other) const { return m_units != other.m_units; }
    constexpr bool operator<(Currency other) const { return m_units < other.m_units; }
    constexpr bool operator<=(Currency other) const { return m_units <= other.m_units; }
    constexpr bool operator>(Currency other) const { return m_units > other.m_units; }
    constexpr bool operator>=(Currency other) const { return m_units >= other.m_units; }

private:
    static constexpr double kWhole = 4503599627370496.0; // 2^52: from here on doubles are whole
    // Scaled values of 2^52 and more need no rounding, only the range check; NaN fails it too.
    static Currency fromWholeDouble(double scaled);
    [[noreturn]] static void throwOverflow();

    std::int64_t m_units = 0;
};

} // namespace qb
