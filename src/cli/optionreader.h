// How the tool's commands read their options: "--name value" or "--name=value", each name
// known to the command, "--help" or "-h" anywhere. A command says which names it knows and
// what to do with each value; the reading rules and their messages are the same for all.
#pragma once

#include "cli/usageerror.h"

#include <QStringList>
#include <QTextStream>

#include <functional>

namespace qb {

// Reads the options in arguments from index first on, handing each known name (without "--")
// and its value to apply, an empty value too. Returns false when help was asked for, without
// reading further. Throws UsageError for an unknown option, a missing value (the option last, or
// followed by another option) or a stray argument.
bool ReadOptions(const QStringList& arguments, qsizetype first,
                 const std::function<bool(QStringView)>& known,
                 const std::function<void(const QString&, const QString&)>& apply);

// Writes text to out and checks that it went out: a full disk or a closed standard output must
// not pass for success with the output cut. Returns the exit status: 0, or 1 after saying
// "cannot write the output: REASON" on err.
int WriteOutput(QTextStream& out, QTextStream& err, const QString& text);

// Called in a command's catch block: shows the refusal being handled (bad input, a term or row
// limit, a calculation that failed) as the program's one-line message and returns exit status
// 2. Anything else is thrown on.
int RefusalStatus(QTextStream& err);

// Writes "quillbrook-cli: message" as one line on err.
void PrintCliError(QTextStream& err, const QString& message);

} // namespace qb
