// Printer font and page length for the reports, and the end of a printout.
#include "core/print/printersetup.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace qb {

namespace {

constexpr double kPageLengthTwips = 11 * 1440;
constexpr double kLinesKeptFree = 8;

} // namespace

void SetPrinterFont(SharedState& state, Printer& printer) {
    try {
        // The empty line opens the job, so the font and the metrics are those of the device.
        printer.printEmptyLine();
        if (state.PrinterFontChoice != 0) {
            PrinterFont font = printer.font();
            font.name = QStringLiteral("Courier New");
            font.bold = false;
            if (state.PrinterFontChoice == 1)
                font.pointSize = 11;
            printer.setFont(font);
        }
        const double height = printer.textHeight(QStringLiteral("abc"));
        // A device that reports no height has no usable metrics; keep the page length we have.
        if (!(height > 0))
            return;
        const double lines = std::nearbyint(kPageLengthTwips / height - kLinesKeptFree);
        // A font too tall to leave one line on the page would give the reports no page to
        // print on (and a page length of 0 to count with).
        if (lines < 1 || lines > std::numeric_limits<std::int16_t>::max())
            return;
        state.LinesPerPage = static_cast<std::int16_t>(lines);
    } catch (const PrinterError&) {
        // Deliberately silent: choosing the font is a preparation, the report's own printing is
        // where a missing printer is dealt with.
    }
}

void FinishPrintout(Printer& printer) {
    printer.newPage();
    printer.endDoc();
}

} // namespace qb
