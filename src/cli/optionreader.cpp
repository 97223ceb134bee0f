// The option reading every command shares; see optionreader.h.
#include "cli/optionreader.h"

#include "core/engine/engineerror.h"

#include <QIODevice>

namespace qb {

bool ReadOptions(const QStringList& arguments, qsizetype first,
                 const std::function<bool(QStringView)>& known,
                 const std::function<void(const QString&, const QString&)>& apply) {
    for (qsizetype i = first; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == u"--help" || argument == u"-h")
            return false;
        if (!argument.startsWith(u"--"))
            throw UsageError{
                QStringLiteral("unexpected argument \"%1\"").arg(ShownValue(argument))};
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        if (!known(name))
            throw UsageError{
                QStringLiteral("unknown option \"%1\"").arg(ShownValue(argument.left(equals)))};
        QString value;
        if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else {
            // A following option is taken for a forgotten value rather than read as one.
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(u"--"))
                throw UsageError{QStringLiteral("--%1: missing value").arg(name)};
            value = arguments.at(++i);
        }
        // An empty value is a value: each option says what it means or refuses it.
        apply(name, value);
    }
    return true;
}

// Writes the whole output and checks that it went out: a full disk or a closed standard output
// must not pass for success with the output cut.
int WriteOutput(QTextStream& out, QTextStream& err, const QString& text) {
    out << text;
    out.flush();
    if (out.status() == QTextStream::Ok)
        return 0;
    QString reason = out.device() ? out.device()->errorString() : QString();
    if (reason.isEmpty())
        reason = QStringLiteral("write error");
    PrintCliError(err, QStringLiteral("cannot write the output: ") + reason);
    return 1;
}

int RefusalStatus(QTextStream& err) {
    try {
        throw;
    } catch (const UsageError& error) {
        PrintCliError(err, error.message);
    } catch (const CalculationRefusal& error) {
        PrintCliError(err, QString::fromLatin1(error.userMessage()));
    }
    return 2;
}

void PrintCliError(QTextStream& err, const QString& message) {
    err << "quillbrook-cli: " << message << '\n';
    err.flush();
}

} // namespace qb
