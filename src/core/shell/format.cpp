// Number pictures and the leading-number conversion. Format rounds on the decimal digits of the
// value rather than on the binary double, so a figure that reads 2.675 on screen rounds the way
// a person rounds it on paper. Both directions use to_chars/from_chars, which ignore the C
// locale: Qt sets it from the environment, and a German locale would otherwise swap the point.
#include "core/shell/format.h"

#include "core/shell/shortdate.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace qb {

namespace {

constexpr int kSignificantDigits = 15;

// A number picture taken apart: how many integer digits are always shown, whether thousands
// are separated, and one entry per decimal place telling whether that place is required.
struct Picture {
    int requiredIntegerDigits = 0;
    bool thousands = false;
    bool hasPoint = false;
    QString decimals; // '0' required, '#' optional, one per decimal place
};

bool isPlaceholder(QChar c) {
    return c == u'#' || c == u'0';
}

Picture parsePicture(QStringView picture) {
    Picture p;
    bool placeholderSeen = false;
    bool commaPending = false;
    for (QChar c : picture) {
        if (p.hasPoint) {
            if (isPlaceholder(c))
                p.decimals.append(c);
            continue;
        }
        if (c == u'.') {
            p.hasPoint = true;
        } else if (isPlaceholder(c)) {
            if (commaPending)
                p.thousands = true;
            placeholderSeen = true;
            if (c == u'0')
                ++p.requiredIntegerDigits;
        } else if (c == u',') {
            commaPending = placeholderSeen;
        }
    }
    return p;
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

QString Format(double value, QStringView picture) {
    if (!std::isfinite(value))
        return {};
    if (picture == u"Short Date")
        return formatShortDate(value);

    const Picture p = parsePicture(picture);
    const int decimals = static_cast<int>(p.decimals.size());
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
    if (static_cast<int>(integer.size()) < p.requiredIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(p.requiredIntegerDigits) - integer.size(), '0');

    // Optional places drop their trailing zeros; required ones stop the trimming.
    std::size_t fractionLength = fraction.size();
    while (fractionLength > 0 && p.decimals[static_cast<qsizetype>(fractionLength - 1)] == u'#' &&
           fraction[fractionLength - 1] == '0')
        --fractionLength;

    QString out;
    out.reserve(static_cast<qsizetype>(integer.size() + integer.size() / 3 + fractionLength + 2));
    if (value < 0 && !isZero)
        out.append(u'-');
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (p.thousands && i > 0 && (integer.size() - i) % 3 == 0)
            out.append(u',');
        out.append(QLatin1Char(integer[i]));
    }
    if (p.hasPoint)
        out.append(u'.');
    for (std::size_t i = 0; i < fractionLength; ++i)
        out.append(QLatin1Char(fraction[i]));
    return out;
}

double Val(QStringView text) {
    // The number is collected into plain ASCII, with blanks removed and a D exponent turned
    // into E, then converted in one correctly rounded step.
    const auto isBlank = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
    };
    const auto isDigit = [](QChar c) {
        return c >= u'0' && c <= u'9';
    };
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto skipBlanks = [&](qsizetype from) {
        while (from < n && isBlank(text[from]))
            ++from;
        return from;
    };

    bool negative = false;
    i = skipBlanks(i);
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    std::string mantissa;
    bool pointSeen = false;
    bool digitSeen = false;
    for (i = skipBlanks(i); i < n; i = skipBlanks(i + 1)) {
        const QChar c = text[i];
        if (isDigit(c)) {
            mantissa.push_back(static_cast<char>(c.unicode()));
            digitSeen = true;
        } else if (c == u'.' && !pointSeen) {
            mantissa.push_back('.');
            pointSeen = true;
        } else {
            break;
        }
    }
    if (!digitSeen)
        return 0.0;

    // An exponent counts only when at least one digit follows the letter and its sign.
    std::string exponent;
    bool negativeExponent = false;
    if (i < n) {
        const char16_t letter = text[i].unicode();
        if (letter == u'E' || letter == u'e' || letter == u'D' || letter == u'd') {
            qsizetype j = skipBlanks(i + 1);
            if (j < n && (text[j] == u'+' || text[j] == u'-')) {
                negativeExponent = text[j] == u'-';
                j = skipBlanks(j + 1);
            }
            for (; j < n && isDigit(text[j]); j = skipBlanks(j + 1))
                exponent.push_back(static_cast<char>(text[j].unicode()));
        }
    }
    std::string number = mantissa;
    if (!exponent.empty()) {
        number.push_back('e');
        if (negativeExponent)
            number.push_back('-');
        number += exponent;
    }

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    if (value == 0.0)
        return 0.0;
    return negative ? -value : value;
}

double ShownAmount(QStringView text, QStringView currencySymbol) {
    QString figure = text.trimmed().toString();
    if (!currencySymbol.isEmpty()) {
        const qsizetype at = figure.indexOf(currencySymbol);
        if (at >= 0)
            figure.remove(at, currencySymbol.size());
    }
    if (figure.endsWith(u'%'))
        figure.chop(1);
    figure.remove(u',');
    return Val(figure);
}

double RoundToEightDecimals(double value) {
    return Val(Format(value, u"#.########"));
}

} // namespace qb
