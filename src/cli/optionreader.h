// How the tool's commands read their options: "--name value" or "--name=value", each name
// known to the command, "--help" or "-h" anywhere. A command says which names it knows and
// what to do with each value; the reading rules and their messages are the same for all.
#pragma once

#include <QStringList>
#include <QTextStream>

#include <functional>

namespace qb {

// Bad input: the message is shown after the program's name and nothing else is printed.
struct UsageError {
    QString message;
};

// Reads the options in arguments from index first on, handing each known name (without "--")
// and its value to apply. Returns false when help was asked for, without reading further.
// Throws UsageError for an unknown option, a missing value or a stray argument.
bool ReadOptions(const QStringList& arguments, qsizetype first,
                 const std::function<bool(QStringView)>& known,
                 const std::function<void(const QString&, const QString&)>& apply);

// Writes "quillbrook-cli: message" as one line on err.
void PrintCliError(QTextStream& err, const QString& message);

} // namespace qb
