// Bad input to quillbrook-cli: the error every command throws to refuse its arguments, and the
// safe way to show the refused value in the one-line message that follows the program's name.
//
// Arguments can hold anything a shell can pass: line breaks, escape sequences, megabytes. A
// message must stay one readable line whatever it quotes, so values are shown through
// ShownValue, never as given.
#pragma once

#include <QString>

#include <utility>

namespace qb {

struct UsageError {
    explicit UsageError(QString text, QString window = {})
        : message(std::move(text)), windowMessage(std::move(window)) {}

    QString message;
    // For a value a window refuses with its own message ("Wrong entry, 40 Years limit."): that
    // message, trimmed, so a caller that names the refused value its own way can say so.
    QString windowMessage;
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
UsageError Refused(const QString& option, const QString& value, QStringView problem);

// The refusal of what subject names with a window's message, trimmed:
// --extra 11:5: Year number does not exist.
UsageError WindowRefusal(const QString& subject, const QString& windowMessage);

} // namespace qb
