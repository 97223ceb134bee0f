#include "cli/jsonwriter.h"

namespace qb {

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
