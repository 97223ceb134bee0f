// Number pictures and the leading-number conversion. Every figure the program shows or prints
// goes through Format with one of a handful of pictures:
//   "#"  an optional digit: no leading zero, so 0.5 with "###.00" is ".50";
//   "0"  a required digit;
//   "."  the decimal point;
//   ","  between digit placeholders, single or doubled, switches on thousands separators.
// Optional decimal places drop trailing zeros, but the point always prints when the picture has
// one: 5 with "#.##" is "5.".
// Values are rounded half away from zero to the decimals the picture shows, working on the
// value's shortest decimal form (15 significant digits), so 2.675 shows as 2.68. Digits beyond
// the picture's integer places are never dropped. A value that rounds to zero has no sign, and
// an infinity or NaN formats as an empty text.
// The named picture "Short Date" takes the value as a day serial (see shortdate.h), rounds it to
// a whole day and gives ToShortDate(SerialToDate(day)).
#pragma once

#include "core/engine/currency.h"

#include <QString>
#include <QStringView>

namespace qb {

QString Format(double value, QStringView picture);

// A money cell as the exact decimal it holds, four decimals always, and a double at full
// precision ("null" when it is not finite), as the CSV and JSON outputs write them.
QString ExactMoney(Currency cell);
QString FullPrecision(double value);

// The number at the start of a text, as the program's input boxes read it: blanks, tabs and line
// breaks are skipped anywhere in the number, then an optional sign, digits, one decimal point and
// an optional exponent (E or D). Reading stops at the first other character; a text with no
// leading number is 0. "1,234" is 1 and "$5" is 0.
double Val(QStringView text);

// The amount an input box shows, as the box reads it when it is left: the currency symbol, the
// thousands separators and a trailing "%" the window wrote around the figure are not part of the
// number, so "   $100,000.00" is 100000 and "   10.00%" is 10. What the user types (digits and
// a point) reads as Val reads it.
double ShownAmount(QStringView text, QStringView currencySymbol);

// Rounds to eight decimals the way the rate factors are kept: formatted with "#.########" and
// read back.
double RoundToEightDecimals(double value);

} // namespace qb
