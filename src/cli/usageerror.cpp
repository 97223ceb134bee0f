#include "cli/usageerror.h"

namespace qb {

QString ShownValue(const QString& value) {
    QStringView kept(value);
    const bool cut = kept.size() > kShownValueLength;
    if (cut) {
        kept = kept.left(kShownValueLength);
        // Never half a character: a cut between the two halves of a pair drops the first half.
        if (kept.back().isHighSurrogate())
            kept.chop(1);
    }
    QString shown;
    shown.reserve(kept.size() + 3);
    for (const QChar c : kept) {
        switch (c.unicode()) {
        case u'\n':
            shown += QLatin1String("\\n");
            break;
        case u'\r':
            shown += QLatin1String("\\r");
            break;
        case u'\t':
            shown += QLatin1String("\\t");
            break;
        default:
            if (c.category() == QChar::Other_Control)
                shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                shown += c;
        }
    }
    if (cut)
        shown += QLatin1String("...");
    return shown;
}

UsageError Refused(const QString& option, const QString& value, const QString& problem) {
    return UsageError{QStringLiteral("%1: \"%2\" %3").arg(option, ShownValue(value), problem)};
}

} // namespace qb
