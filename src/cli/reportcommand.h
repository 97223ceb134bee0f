// The "report" command: the printed mortgage or loan table, for a script or a file.
//   quillbrook-cli report mortgage|loan [schedule's options] [report options]
#pragma once

#include <QStringList>
#include <QTextStream>

namespace qb {

// arguments start with "report". Returns the exit status: 0 on success, 1 when the output
// could not be written, 2 for bad input, a failed calculation or nothing to print.
int RunReport(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace qb
