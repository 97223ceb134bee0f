// Column padding, key filters and pastes; see entrytext.h.
#include "core/format/entrytext.h"

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

QString PastedFigure(QStringView pasted, QStringView currencySymbol, bool wholeNumber) {
    QString figure = pasted.toString();
    if (!currencySymbol.isEmpty())
        figure.remove(currencySymbol.toString());
    figure.removeIf([](QChar c) { return c.isSpace() || c == u','; });
    if (figure.endsWith(u'%'))
        figure.chop(1);
    for (const QChar c : figure) {
        const FilteredKey key = filterKey(c.unicode(), !wholeNumber);
        if (key.code == 0 || key.code == 8 || key.code == 127)
            return {};
    }
    return figure;
}

} // namespace qb
