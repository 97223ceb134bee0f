#include "cli/jsonwriter.h"

#include <cmath>
#include <cstdint>
#include <iterator>

namespace qb {

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

QString JsonString(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\\', QLatin1String("\\\\")).replace(u'"', QLatin1String("\\\""));
    return u'"' + quoted + u'"';
}

QString JsonList(const QStringList& items) {
    return u'[' + items.join(QLatin1String(", ")) + u']';
}

JsonObject& JsonObject::add(const char* key, const QString& value) {
    m_fields.emplace_back(QLatin1String(key), value);
    return *this;
}

QString JsonObject::line() const {
    QStringList fields;
    for (const auto& [key, value] : m_fields)
        fields.append(QStringLiteral("\"%1\": %2").arg(key, value));
    return u'{' + fields.join(QLatin1String(", ")) + u'}';
}

QString JsonObject::document(const char* listKey, const QStringList& items) const {
    QString text = QStringLiteral("{\n");
    for (const auto& [key, value] : m_fields)
        text += QStringLiteral("  \"%1\": %2,\n").arg(key, value);
    text += QStringLiteral("  \"%1\": [").arg(QLatin1String(listKey));
    for (qsizetype i = 0; i < items.size(); ++i)
        text += QLatin1String(i == 0 ? "\n    " : ",\n    ") + items.at(i);
    text += items.isEmpty() ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    return text;
}

} // namespace qb
