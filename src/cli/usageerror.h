// Bad input to quillbrook-cli: the error every command throws to refuse its arguments, and the
// safe way to show the refused value in the one-line message that follows the program's name.
//
// Arguments can hold anything a shell can pass: line breaks, escape sequences, megabytes. A
// message must stay one readable line whatever it quotes, so values are shown through
// ShownValue, never as given.
#pragma once

#include <QString>

namespace qb {

struct UsageError {
    QString message;
};

// The longest part of a value a message quotes; a longer value is cut and ends with "...".
inline constexpr qsizetype kShownValueLength = 40;

// The characters that reorder or break a line wherever it is shown: the direction marks,
// embeddings, overrides and isolates (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to
// U+2069) and the line and paragraph separators (U+2028, U+2029).
bool IsLayoutControl(QChar c);

// value with its control characters written as C escapes (\n, \r, \t, \xHH) and its layout
// controls as \uHHHH (\u202E), cut to its first kShownValueLength characters followed by "..."
// when it is longer.
QString ShownValue(const QString& value);

// The refusal of an option's value: --rate: "abc" is not a number.
UsageError Refused(const QString& option, const QString& value, const QString& problem);

} // namespace qb
