// A number picture taken apart once, for code that formats many figures with the same picture
// (a table of thousands of money cells). Formatting with a NumberPicture gives exactly the text
// Format gives for the same picture and value; the rules are described in format.h.
//
// Money cells are formatted straight from their ten-thousandths: no double, no text of the
// picture read again, and no allocation but the resulting string.
#pragma once

#include "core/engine/currency.h"

#include <QString>
#include <QStringView>

namespace qb {

class NumberPicture {
public:
    explicit NumberPicture(QStringView picture);

    // Format(value, picture).
    QString format(double value) const;
    // Format(amount.toDouble(), picture), worked out on the exact units.
    QString format(Currency amount) const;

private:
    bool formatUnits(std::int64_t units, QString& out) const;

    bool m_shortDate = false;
    bool m_thousands = false;
    bool m_hasPoint = false;
    int m_requiredIntegerDigits = 0;
    int m_decimals = 0;         // decimal places shown at most
    int m_requiredDecimals = 0; // places kept even when zero: up to the last '0' after the point
};

} // namespace qb
