// The option reading every command shares; see optionreader.h.
#include "cli/optionreader.h"

namespace qb {

bool ReadOptions(const QStringList& arguments, qsizetype first,
                 const std::function<bool(QStringView)>& known,
                 const std::function<void(const QString&, const QString&)>& apply) {
    for (qsizetype i = first; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == u"--help" || argument == u"-h")
            return false;
        if (!argument.startsWith(u"--"))
            throw UsageError{QStringLiteral("unexpected argument \"%1\"").arg(argument)};
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        if (!known(name))
            throw UsageError{QStringLiteral("unknown option \"%1\"").arg(argument.left(equals))};
        QString value;
        if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else {
            // A following option is taken for a forgotten value rather than read as one.
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(u"--"))
                throw UsageError{QStringLiteral("--%1: missing value").arg(name)};
            value = arguments.at(++i);
        }
        if (value.isEmpty())
            throw UsageError{QStringLiteral("--%1: missing value").arg(name)};
        apply(name, value);
    }
    return true;
}

void PrintCliError(QTextStream& err, const QString& message) {
    err << "quillbrook-cli: " << message << '\n';
    err.flush();
}

} // namespace qb
