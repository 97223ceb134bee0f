// The JSON the tool writes: an object with one field a line and a list of rows last, each row an
// object on one line. Numbers come already written (ExactMoney, FullPrecision), so the JSON holds
// the same digits as the CSV.
#pragma once

#include "core/format/format.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace qb {

// text as a JSON string.
QString JsonString(const QString& text);
// The items, each already JSON, as a list on one line: [a, b].
QString JsonList(const QStringList& items);

// The fields of an object in the order they are added, each value already JSON.
class JsonObject {
public:
    JsonObject& add(const char* key, const QString& value);
    // {"key": value, "other": value}, on one line.
    QString line() const;
    // The whole output: one field a line, then the field listKey holding items, one a line.
    QString document(const char* listKey, const QStringList& items) const;

private:
    std::vector<std::pair<QLatin1String, QString>> m_fields;
};

} // namespace qb
