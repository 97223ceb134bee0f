// Dates in the locale's short form with a four-digit year, and the day serials the schedule keeps.
// Many locales' short forms carry a two-digit year, which cannot tell a 2027 payment from a 1927
// one; the pattern is widened once here so every window and report agrees on it.
#include "core/format/shortdate.h"

namespace qb {

namespace {

// Day 0 of the serial count.
QDate serialEpoch() {
    return QDate(1899, 12, 30);
}

// A few locales (Chakma, Fulah in Adlam script) write their digits from beyond the 16-bit range
// of characters, and Qt writes dates in them but reads such digits back only as ASCII ones. The
// text goes back to ASCII digits before it is read; in other locales it is read as it stands.
QString withAsciiDigits(const QString& text, const QLocale& locale) {
    const QString zero = locale.zeroDigit();
    if (zero.size() != 2 || !QChar::isSurrogate(zero[0].unicode()))
        return text;
    const char32_t zeroCode = QChar::surrogateToUcs4(zero[0], zero[1]);
    QString ascii;
    ascii.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            if (code >= zeroCode && code < zeroCode + 10) {
                ascii += QChar(static_cast<char16_t>(u'0' + (code - zeroCode)));
                ++i;
                continue;
            }
        }
        ascii += text[i];
    }
    return ascii;
}

} // namespace

QString ShortDatePattern(const QLocale& locale) {
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    QString widened;
    widened.reserve(pattern.size() + 2);
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            quoted = !quoted;
            widened.append(c);
            ++i;
            continue;
        }
        if (quoted || c != u'y') {
            widened.append(c);
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < pattern.size() && pattern[i + run] == u'y')
            ++run;
        widened.append(QString(run == 2 ? 4 : run, u'y'));
        i += run;
    }
    return widened;
}

QString ToShortDate(QDate date, const QLocale& locale) {
    return locale.toString(date, ShortDatePattern(locale));
}

std::optional<QDate> ParseShortDate(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QDate date = locale.toDate(withAsciiDigits(trimmed, locale), ShortDatePattern(locale));
    if (!date.isValid())
        date = QDate::fromString(trimmed, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

int DateToSerial(QDate date) {
    return static_cast<int>(serialEpoch().daysTo(date));
}

QDate SerialToDate(int serial) {
    return serialEpoch().addDays(serial);
}

QDate AddMonths(QDate date, int months) {
    return date.addMonths(months);
}

QDate AddDays(QDate date, int days) {
    return date.addDays(days);
}

} // namespace qb
