// "quillbrook-cli compare": the Mortgage Comparisons window without the window. Each --row is
// one comparison row, worked out as if its values had been typed into the window, its additional
// payments entered, and Calculate clicked; the rows come out as the comparison report's lines,
// CSV, JSON or the pages of the report the window prints.
#pragma once

#include "cli/optiontable.h"
#include "core/state/shared.h"

#include <QStringList>
#include <QTextStream>

#include <functional>

namespace qb {

struct CompareOptions;

// Compare's own options: --row and --days-per-year, which describe the rows, and --format.
// It takes the report options too.
OptionTable<CompareOptions> CompareOptionTable();

// Runs "compare" (arguments start with the command's name). Returns 0 on success and 2 for bad
// input or a row the window would refuse, with one line on err.
int RunCompare(const QStringList& arguments, QTextStream& out, QTextStream& err);

// Reads compare's --row and --days-per-year options from arguments (from index first on), with
// the caller's own options beside them (ownKnown, ownApply), and works the rows out into state
// as compare does, ready for the comparison chart. Returns false when help was asked for.
// Throws UsageError for bad input and the engine's errors for a row the window would refuse.
bool CalculateComparisonOptions(
    const QStringList& arguments, qsizetype first, SharedState& state,
    const std::function<bool(QStringView)>& ownKnown,
    const std::function<void(const QString&, const QString&)>& ownApply);

} // namespace qb
