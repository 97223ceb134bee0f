// "quillbrook-cli compare": the Mortgage Comparisons window without the window. Each --row is
// one comparison row, worked out as if its values had been typed into the window, its additional
// payments entered, and Calculate clicked; the rows come out as the comparison report's lines,
// CSV, JSON or the pages of the report the window prints.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace qb {

// Runs "compare" (arguments start with the command's name). Returns 0 on success and 2 for bad
// input or a row the window would refuse, with one line on err.
int RunCompare(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace qb
