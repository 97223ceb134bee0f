// quillbrook-cli: the amortization engine without a window, for people who want a schedule in a
// spreadsheet or a script. "quillbrook-cli schedule [options]" works out one mortgage or loan and
// prints its schedule as text (the rows the window's grid shows), CSV or JSON.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace qb {

// Runs the tool on its arguments (without the program name). Returns the exit status: 0 on
// success, 2 for bad input or a calculation that failed, with a one-line message on err.
int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace qb
