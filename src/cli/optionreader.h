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
// and its value to apply. Returns false when help was asked for, without reading further.
// Throws UsageError for an unknown option, a missing value or a stray argument.
bool ReadOptions(const QStringList& arguments, qsizetype first,
                 const std::function<bool(QStringView)>& known,
                 const std::function<void(const QString&, const QString&)>& apply);

// Writes text to out and checks that it went out: a full disk or a closed standard output must
// not pass for success with the output cut. Returns the exit status: 0, or 1 after saying
// "cannot write the output: REASON" on err.
int WriteOutput(QTextStream& out, QTextStream& err, const QString& text);

// Writes "quillbrook-cli: message" as one line on err.
void PrintCliError(QTextStream& err, const QString& message);

} // namespace qb
