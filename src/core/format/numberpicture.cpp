// Number pictures, parsed once. A double is rounded on its 15-significant-digit decimal form, as a
// person reads it; a money cell below 10^11 has at most 15 significant digits, and the nearest
// double to such a decimal reads back as that same decimal at 15 digits, so rounding the exact
// units gives the text the double would. Larger cells take the double's own road to keep that
// text, digits past the 15th included.
#include "core/format/numberpicture.h"

#include "core/format/shortdate.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace qb {

namespace {

constexpr int kSignificantDigits = 15;
// Units from here on have more than 15 significant digits.
constexpr std::int64_t kExactUnitsLimit = 1'000'000'000'000'000;
// Money units scaled to eight decimals stay within 64 bits below the limit above.
constexpr int kMostUnitDecimals = 8;
constexpr int kUnitDecimals = 4;
// More required integer digits than a money cell has are left to the double's road.
constexpr int kMostRequiredDigits = 16;

constexpr std::array<std::uint64_t, 9> kPowersOfTen = {
    1, 10, 100, 1'000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000};

bool isPlaceholder(QChar c) {
    return c == u'#' || c == u'0';
}

// The value scaled by 10^decimals and rounded half away from zero, as a string of decimal
// digits without a sign (possibly with leading zeros). Works from the 15 significant digits a
// double reliably carries, so the halfway test sees the decimal the user typed.
std::string scaledDigits(double magnitude, int decimals) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    // Layout: d.dddddddddddddde[+-]xx
    std::string mantissa;
    mantissa.reserve(kSignificantDigits);
    const char* cursor = buffer;
    for (; cursor != result.ptr && *cursor != 'e'; ++cursor) {
        if (*cursor != '.')
            mantissa.push_back(*cursor);
    }
    int exponent = 0;
    ++cursor; // 'e'
    const bool negativeExponent = *cursor == '-';
    ++cursor; // sign
    std::from_chars(cursor, result.ptr, exponent);
    if (negativeExponent)
        exponent = -exponent;

    // Digits that remain once the value is scaled: those down to the last shown decimal.
    const int kept = exponent + decimals + 1;
    if (kept < 0)
        return "0";
    std::string digits;
    bool roundUp = false;
    if (kept >= kSignificantDigits) {
        digits = mantissa;
        digits.append(static_cast<std::size_t>(kept - kSignificantDigits), '0');
    } else {
        digits = mantissa.substr(0, static_cast<std::size_t>(kept));
        roundUp = mantissa[static_cast<std::size_t>(kept)] >= '5';
    }
    if (roundUp) {
        auto it = digits.rbegin();
        for (; it != digits.rend() && *it == '9'; ++it)
            *it = '0';
        if (it == digits.rend())
            digits.insert(digits.begin(), '1');
        else
            ++*it;
    }
    return digits.empty() ? std::string("0") : digits;
}

QString formatShortDate(double serial) {
    const double day = std::round(serial);
    if (!(std::fabs(day) <= std::numeric_limits<int>::max()))
        return {};
    return ToShortDate(SerialToDate(static_cast<int>(day)));
}

} // namespace

NumberPicture::NumberPicture(QStringView picture) {
    if (picture == u"Short Date") {
        m_shortDate = true;
        return;
    }
    bool placeholderSeen = false;
    bool commaPending = false;
    for (QChar c : picture) {
        if (m_hasPoint) {
            if (isPlaceholder(c)) {
                ++m_decimals;
                if (c == u'0')
                    m_requiredDecimals = m_decimals;
            }
            continue;
        }
        if (c == u'.') {
            m_hasPoint = true;
        } else if (isPlaceholder(c)) {
            if (commaPending)
                m_thousands = true;
            placeholderSeen = true;
            if (c == u'0')
                ++m_requiredIntegerDigits;
        } else if (c == u',') {
            commaPending = placeholderSeen;
        }
    }
}

QString NumberPicture::format(double value) const {
    if (!std::isfinite(value))
        return {};
    if (m_shortDate)
        return formatShortDate(value);

    const int decimals = m_decimals;
    const std::string digits = scaledDigits(std::fabs(value), decimals);

    // Split into integer and fraction digits; the fraction is padded to the picture's places.
    std::string integer;
    std::string fraction;
    if (static_cast<int>(digits.size()) > decimals) {
        integer = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
        fraction = digits.substr(integer.size());
    } else {
        fraction = std::string(static_cast<std::size_t>(decimals) - digits.size(), '0') + digits;
    }
    const bool isZero = digits.find_first_not_of('0') == std::string::npos;

    const std::size_t firstNonZero = integer.find_first_not_of('0');
    integer.erase(0, firstNonZero == std::string::npos ? integer.size() : firstNonZero);
    if (static_cast<int>(integer.size()) < m_requiredIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(m_requiredIntegerDigits) - integer.size(), '0');

    // Optional places drop their trailing zeros; required ones stop the trimming.
    std::size_t fractionLength = fraction.size();
    while (fractionLength > static_cast<std::size_t>(m_requiredDecimals) &&
           fraction[fractionLength - 1] == '0')
        --fractionLength;

    QString out;
    out.reserve(static_cast<qsizetype>(integer.size() + integer.size() / 3 + fractionLength + 2));
    if (value < 0 && !isZero)
        out.append(u'-');
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (m_thousands && i > 0 && (integer.size() - i) % 3 == 0)
            out.append(u',');
        out.append(QLatin1Char(integer[i]));
    }
    if (m_hasPoint)
        out.append(u'.');
    for (std::size_t i = 0; i < fractionLength; ++i)
        out.append(QLatin1Char(fraction[i]));
    return out;
}

QString NumberPicture::format(Currency amount) const {
    QString out;
    if (formatUnits(amount.units(), out))
        return out;
    return format(amount.toDouble());
}

// The integer road: the units rounded half away from zero to the picture's places, then laid
// out right to left into a buffer on the stack. Declines (returns false) where only the double's
// road gives the same text.
bool NumberPicture::formatUnits(std::int64_t units, QString& out) const {
    if (m_shortDate || m_decimals > kMostUnitDecimals ||
        m_requiredIntegerDigits > kMostRequiredDigits || units <= -kExactUnitsLimit ||
        units >= kExactUnitsLimit)
        return false;
    const std::uint64_t magnitude =
        static_cast<std::uint64_t>(units < 0 ? -units : units); // |units| < 10^15: no overflow
    std::uint64_t scaled = 0;
    if (m_decimals >= kUnitDecimals) {
        scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(m_decimals - kUnitDecimals)];
    } else {
        const std::uint64_t divisor =
            kPowersOfTen[static_cast<std::size_t>(kUnitDecimals - m_decimals)];
        scaled = magnitude / divisor;
        if ((magnitude % divisor) * 2 >= divisor)
            ++scaled;
    }
    const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(m_decimals)];
    std::uint64_t whole = scaled / unit;
    std::uint64_t fraction = scaled % unit;

    // Longest text: a sign, 16 integer digits with 5 separators, the point and eight places.
    constexpr int kCapacity = 32;
    char16_t buffer[kCapacity];
    char16_t* const end = buffer + kCapacity;
    char16_t* cursor = end;

    // Optional places drop their trailing zeros; required ones stop the trimming.
    int places = m_decimals;
    while (places > m_requiredDecimals && fraction % 10 == 0) {
        fraction /= 10;
        --places;
    }
    for (int i = 0; i < places; ++i) {
        *--cursor = static_cast<char16_t>(u'0' + fraction % 10);
        fraction /= 10;
    }
    if (m_hasPoint)
        *--cursor = u'.';

    int digits = 0;
    while (whole != 0 || digits < m_requiredIntegerDigits) {
        if (m_thousands && digits > 0 && digits % 3 == 0)
            *--cursor = u',';
        *--cursor = static_cast<char16_t>(u'0' + whole % 10);
        whole /= 10;
        ++digits;
    }
    if (units < 0 && scaled != 0)
        *--cursor = u'-';
    out = QString(reinterpret_cast<const QChar*>(cursor), end - cursor);
    return true;
}

} // namespace qb
