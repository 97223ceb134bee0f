// Where a window sends a report: the window asks for the header and calculates, then hands the
// routine that prints the report to the print service, which picks the printer, runs it and
// tells the user what became of it. The desktop program's service prints on the system printer
// or into a PDF file; the recording one keeps the text, for tests.
#pragma once

#include "core/print/printer.h"
#include "core/print/textprinter.h"

#include <QStringList>

#include <functional>

namespace qb {

class PrintService {
public:
    using Report = std::function<void(Printer&)>;

    virtual ~PrintService() = default;
    // Prints one report; reportName names the printout (its PDF file, its print job).
    virtual void printReport(const QString& reportName, const Report& report) = 0;
};

// Prints every report on one recording printer, so the latest report's pages can be read back.
class RecordingPrintService : public PrintService {
public:
    void printReport(const QString& reportName, const Report& report) override {
        names << reportName;
        report(printer);
    }

    TextPrinter printer;
    QStringList names; // the reports printed, in order
};

} // namespace qb
