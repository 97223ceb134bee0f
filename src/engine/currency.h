// Money cells. Every amount the schedule keeps is a fixed-point value with exactly four decimals,
// held as a count of ten-thousandths. Storing a double rounds it to the nearest ten-thousandth,
// ties to the even neighbour, so a schedule adds up the same way every time it is worked out.
#pragma once

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
        const double scaled = roundHalfEven(value * static_cast<double>(kScale));
        // 2^63 is the first value past the range; the negated test also catches NaN.
        if (!(scaled < 9223372036854775808.0 && scaled >= -9223372036854775808.0))
            throwOverflow();
        return fromUnits(static_cast<std::int64_t>(scaled));
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
    // Adding and taking away 2^52 leaves a double with no fraction bits, and the hardware rounds
    // that addition to nearest, ties to even. Values of 2^52 and more are whole already.
    static double roundHalfEven(double value) {
        constexpr double kWhole = 4503599627370496.0; // 2^52
        if (value >= 0 && value < kWhole)
            return (value + kWhole) - kWhole;
        if (value < 0 && value > -kWhole)
            return (value - kWhole) + kWhole;
        return value;
    }
    [[noreturn]] static void throwOverflow();

    std::int64_t m_units = 0;
};

} // namespace qb
