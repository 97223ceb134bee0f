// Number pictures and the leading-number conversion. Format rounds on the decimal digits of the
// value rather than on the binary double, so a figure that reads 2.675 on screen rounds the way
// a person rounds it on paper. Both directions use to_chars/from_chars, which ignore the C
// locale: Qt sets it from the environment, and a German locale would otherwise swap the point.
#include "core/format/format.h"

#include "core/format/numberpicture.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>

namespace qb {

QString Format(double value, QStringView picture) {
    return NumberPicture(picture).format(value);
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

// The round trip through "#.########" and Val, without the text: the value's 15 significant
// digits, rounded half away from zero at the eighth decimal, read back correctly rounded. Below
// 10^6 the rounded figure is a whole number N of hundred-millionths with at most 15 digits, and
// N / 10^8 divides two exact doubles, which rounds correctly just as reading the text does.
double RoundToEightDecimals(double value) {
    if (!std::isfinite(value))
        return 0.0; // Format gives an empty text, which reads as 0
    constexpr int kSignificantDigits = 15;
    constexpr int kDecimals = 8;
    char buffer[32];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    // Layout: d.dddddddddddddde[+-]xx
    std::int64_t mantissa = 0;
    const char* cursor = buffer;
    for (; *cursor != 'e'; ++cursor) {
        if (*cursor != '.')
            mantissa = mantissa * 10 + (*cursor - '0');
    }
    const char* const exponentText = cursor + 1;
    int exponent = 0;
    std::from_chars(exponentText + (*exponentText == '+' ? 1 : 0), printed.ptr, exponent);

    // Digits of the mantissa down to the eighth decimal.
    const int kept = exponent + kDecimals + 1;
    if (kept < 0)
        return 0.0;
    double rounded = 0.0;
    if (kept < kSignificantDigits) {
        std::int64_t dropped = 1; // 10 to the power of the digits rounded away
        for (int digit = kept; digit < kSignificantDigits; ++digit)
            dropped *= 10;
        std::int64_t hundredMillionths = mantissa / dropped;
        if ((mantissa % dropped) * 2 >= dropped)
            ++hundredMillionths;
        if (hundredMillionths == 0)
            return 0.0; // a zero has no sign in the text
        rounded = static_cast<double>(hundredMillionths) / 1e8;
    } else {
        // Nothing is rounded away: the text is the 15 digits themselves, read correctly rounded.
        const auto [end, error] = std::from_chars(buffer, printed.ptr, rounded);
        (void)end;
        if (error == std::errc::result_out_of_range)
            rounded = std::numeric_limits<double>::infinity();
    }
    return value < 0 ? -rounded : rounded;
}

// Written from the last digit back into one buffer, so a schedule's thousands of cells make one
// string each and nothing more.
QString ExactMoney(Currency cell) {
    const std::int64_t units = cell.units();
    std::uint64_t magnitude =
        units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    // A sign, the point and 20 digits at most.
    char16_t digits[24];
    char16_t* start = std::end(digits);
    const auto nextDigit = [&start, &magnitude] {
        *--start = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    };
    for (int decimal = 0; decimal < 4; ++decimal)
        nextDigit();
    *--start = u'.';
    do
        nextDigit();
    while (magnitude > 0);
    if (units < 0)
        *--start = u'-';
    return QString(reinterpret_cast<const QChar*>(start), std::end(digits) - start);
}

QString FullPrecision(double value) {
    return std::isfinite(value) ? QString::number(value, 'g', 17) : QStringLiteral("null");
}

} // namespace qb
