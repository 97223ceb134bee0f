#include "cli/optiontable.h"

#include <QStringList>

namespace qb {

namespace {

constexpr qsizetype kHelpColumn = 25;

} // namespace

int ChoiceOf(QStringView choices, const QString& option, const QString& value) {
    QList<QStringView> names = choices.split(u'|');
    const qsizetype index = names.indexOf(value);
    if (index >= 0)
        return static_cast<int>(index);
    const QStringView last = names.takeLast();
    QStringList listed;
    for (QStringView name : names)
        listed.append(name.toString());
    throw Refused(option, value,
                  QStringLiteral("is not %1 or %2").arg(listed.join(QLatin1String(", ")), last));
}

QString OptionHelpLines(QStringView name, QStringView value, QStringView help, int least,
                        int most) {
    const QString indent(kHelpColumn, u' ');
    QString lead = QStringLiteral("  --%1").arg(name);
    if (!value.isEmpty())
        lead += u' ' + value.toString();
    lead = lead.size() < kHelpColumn ? lead.leftJustified(kHelpColumn) : lead + u'\n' + indent;
    QString text = help.toString();
    text.replace(QLatin1String("{least}"), QString::number(least))
        .replace(QLatin1String("{most}"), QString::number(most))
        .replace(u'\n', u'\n' + indent);
    return lead + text + u'\n';
}

QString HelpOptionLine() {
    return OptionHelpLines(u"help", {}, u"show this text");
}

} // namespace qb
