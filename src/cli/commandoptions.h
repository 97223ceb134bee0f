// What the tool's commands share in reading their options: the refusal every bad value gets, the
// readers of amounts, list names and additional payments, and the exact writing of money cells.
// A command refuses bad input before anything is worked out, with one line naming the option.
#pragma once

#include "core/engine/amortization.h"
#include "core/engine/currency.h"

#include <QString>
#include <QStringView>
#include <QTextStream>

#include <utility>

namespace qb {

// Bad input: the message is shown after the program's name and nothing else is printed.
struct UsageError {
    QString message;
};

// The message of a refused value: --rate: "abc" is not a number.
UsageError Refused(const QString& option, const QString& text, const char* problem);

// A number that is finite and not negative, written without surrounding blanks.
double ParseNumber(const QString& option, const QString& text);
// value as a money cell; too large for one is refused.
Currency ToCell(const QString& option, const QString& text, double value);
Currency ParseAmount(const QString& option, const QString& text);

// The command-line name of a compounding period or payment frequency, as --help lists them
// ("monthly", "biweekly-acc", ...); the name comes back as the tool's own text.
QStringView ParseCompoundingName(const QString& option, const QString& text);
QStringView ParseFrequencyName(const QString& option, const QString& text);
// The list entries the engine knows those names by.
const Frequency& FrequencyFor(QStringView name);
const Compounding& CompoundingFor(QStringView name);

// YEAR:AMOUNT, the year 1 to 45.
std::pair<int, Currency> ParseExtraPayment(const QString& option, const QString& text);

// A cell as the exact decimal it holds, four decimals always.
QString ExactMoney(Currency cell);
// A double at full precision, as JSON and CSV carry it; "null" when it is not finite.
QString FullPrecision(double value);

// Writes "quillbrook-cli: message" on err.
void Fail(QTextStream& err, const QString& message);

} // namespace qb
