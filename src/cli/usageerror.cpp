#include "cli/usageerror.h"

namespace qb {

bool IsLayoutControl(QChar c) {
    const char16_t code = c.unicode();
    return code == 0x061C || code == 0x200E || code == 0x200F || code == 0x2028 || code == 0x2029 ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

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
            else if (IsLayoutControl(c))
                shown += QLatin1String("\\u") +
                         QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
            else
                shown += c;
        }
    }
    if (cut)
        shown += QLatin1String("...");
    return shown;
}

UsageError Refused(const QString& option, const QString& value, QStringView problem) {
    return UsageError{QStringLiteral("%1: \"%2\" %3").arg(option, ShownValue(value), problem)};
}

UsageError WindowRefusal(const QString& subject, const QString& windowMessage) {
    const QString message = windowMessage.trimmed();
    return UsageError(subject + QStringLiteral(": ") + message, message);
}

} // namespace qb
