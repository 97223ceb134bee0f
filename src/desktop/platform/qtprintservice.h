// The desktop program's print service: each report goes to the system's default printer, or,
// with no printer installed, into a PDF file in the user's documents folder, and the user is
// told where the file is. The hourglass shows while the report prints. A printer failure, or a
// PDF file that could not be saved, is shown in a message box rather than ending the program.
#pragma once

#include "core/print/printservice.h"
#include "core/program/messagebox.h"

namespace qb {

class QtPrintService : public PrintService {
public:
    explicit QtPrintService(MessageBoxService& messages) : m_messages(messages) {}

    void printReport(const QString& reportName, const Report& report) override;

    // What the user is told about a report written to a PDF file.
    static QString pdfMessage(const QString& file);

private:
    MessageBoxService& m_messages;
};

} // namespace qb
