#include "core/shell/shared.h"

namespace qb {

QString PadColumn(const QString& text, int width) {
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}

namespace {

FilteredKey filterKey(int code, bool allowPoint) {
    if (code == 8 || code == 127 || (allowPoint && code == '.'))
        return {code, false};
    if (code < '0' || code > '9')
        return {0, true};
    return {code, false};
}

} // namespace

FilteredKey AmountKeyFilter(int code) {
    return filterKey(code, true);
}

FilteredKey WholeNumberKeyFilter(int code) {
    return filterKey(code, false);
}

} // namespace qb
