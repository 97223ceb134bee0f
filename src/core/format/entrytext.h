// The texts of fixed columns and input boxes: column padding, the input boxes' key filters and
// what a paste into a box keeps.
#pragma once

#include <QString>
#include <QStringView>

namespace qb {

// Right-justifies text in a field of width characters, padding with spaces on the left. A text
// longer than the field comes back whole: every caller passes an amount, and an amount must
// never lose digits. Callers that place fields at fixed columns shift a long field left instead.
QString PadColumn(const QString& text, int width);

// What a key filter makes of a typed character: the code to let through (0 drops the key) and
// whether the input box should beep. The filters never beep themselves.
struct FilteredKey {
    int code = 0;
    bool beep = false;
};

// Digits, the decimal point, backspace (8) and 127 pass; anything else is dropped with a beep.
FilteredKey AmountKeyFilter(int code);
// The same without the decimal point.
FilteredKey WholeNumberKeyFilter(int code);

// What a text pasted into an input box puts there: the figure without its blanks, currency
// symbol, thousands separators and trailing percent sign. Empty when anything else in it would
// be refused by the box's key filter (the whole paste is refused then).
QString PastedFigure(QStringView pasted, QStringView currencySymbol, bool wholeNumber);

} // namespace qb
