// The two routines every report runs around its own lines: choosing the printer font and working
// out how many lines fit on a page, and finishing the printout.
#pragma once

#include "core/print/printer.h"
#include "core/state/shared.h"

namespace qb {

// Opens the job with one empty line, sets the font the user chose in PrinterFontChoice (0 the
// printer's own standard font, 1 Courier New 11 point, otherwise Courier New at the current size)
// and sets LinesPerPage from the printed line height: an 11-inch page less 8 lines, never below 1
// (a font taller than that keeps the value there was). A printer
// failure ends it quietly and leaves LinesPerPage as it was; a printer that cannot print fails
// again at the report's own lines, where the report deals with it.
void SetPrinterFont(SharedState& state, Printer& printer);

// Ends the last page and the job. Printer failures propagate.
void FinishPrintout(Printer& printer);

} // namespace qb
