#include "cli/terms.h"

#include "core/engine/engineerror.h"

#include <cmath>

namespace qb {

namespace {

const QString kMonthLimit = QStringLiteral("Wrong entry, 480 Month limit.");
const QString kNoSuchYear = QStringLiteral(" Year number does not exist.");

// Digits only, as the term boxes' key filter lets through; leading zeros are harmless.
int parseWholeTerm(const QString& option, const QString& text, int limit,
                   const QString& limitMessage) {
    const auto notATerm = [&] {
        return Refused(option, text,
                       QStringLiteral("is not a whole number from 1 to %1").arg(limit));
    };
    if (text.isEmpty())
        throw notATerm();
    qsizetype significant = 0;
    long long value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            throw notATerm();
        if (significant > 0 || c != u'0')
            ++significant;
        // Past six digits the number is above any limit; stop counting before it overflows.
        if (significant <= 6)
            value = value * 10 + (c.unicode() - u'0');
    }
    if (value == 0)
        throw notATerm();
    if (significant > 6 || value > limit)
        throw WindowRefusal(option + u' ' + ShownValue(text), limitMessage);
    return static_cast<int>(value);
}

} // namespace

int ParseTermYears(const QString& option, const QString& text) {
    return parseWholeTerm(option, text, kLongestTermYears, QString::fromLatin1(kFortyYearLimit));
}

int ParseTermMonths(const QString& option, const QString& text) {
    return parseWholeTerm(option, text, kLongestTermMonths, kMonthLimit);
}

Currency TermInYears(int years) {
    return Currency::fromUnits(years * Currency::kScale);
}

Currency TermInYearsFromMonths(int months) {
    return Currency::fromDouble(months / 12.0);
}

void CheckExtraYear(const QString& option, const QString& text, int year, Currency term) {
    // The Additional Payments window offers the term's years rounded to the nearest whole
    // number, halves to the even one (a loan of 6 months offers none, one of 30 months 2, one of
    // 42 months 4); nearbyint rounds halves to even in the default rounding mode.
    if (year > static_cast<int>(std::nearbyint(term.toDouble())))
        throw WindowRefusal(option + u' ' + ShownValue(text), kNoSuchYear);
}

} // namespace qb
