// Dates. The program shows, reads and keeps dates as text in one short form taken from the
// user's locale, always with a four-digit year (a thirty-year schedule needs the century).
// Inside the schedule a date is a day serial: the number of days since 30 December 1899.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

namespace qb {

// The locale's short date pattern with any two-digit year widened to four digits.
QString ShortDatePattern(const QLocale& locale = QLocale());

QString ToShortDate(QDate date, const QLocale& locale = QLocale());
// Reads a date typed in the short form; ISO dates (2027-01-31) are accepted too. Surrounding
// blanks are ignored. No value when the text is not a date.
std::optional<QDate> ParseShortDate(const QString& text, const QLocale& locale = QLocale());

int DateToSerial(QDate date);
QDate SerialToDate(int serial);

// Whole months, counted from the given date: the day is clamped to the end of a shorter month,
// so 31 January plus one month is the last day of February.
QDate AddMonths(QDate date, int months);
QDate AddDays(QDate date, int days);

} // namespace qb
