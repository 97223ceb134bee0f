// The desktop program's print service: the Qt printer, the hourglass and the messages.
#include "desktop/platform/qtprintservice.h"

#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/qtprinter.h"

#include <QDir>

namespace qb {

QString QtPrintService::pdfMessage(const QString& file) {
    return QStringLiteral(" No printer is installed. The report was saved as the file\r\n") +
           QDir::toNativeSeparators(file);
}

void QtPrintService::printReport(const QString& reportName, const Report& report) {
    QString file;
    QString failure;
    QString unsaved;
    {
        BusyCursor busy;
        QtPrinter printer(reportName);
        try {
            report(printer);
        } catch (const FileSaveError& error) {
            unsaved = QString::fromStdString(error.what());
        } catch (const PrinterError& error) {
            failure = QString::fromStdString(error.what());
        }
        file = printer.outputFile();
    }
    // The messages come after the hourglass is gone.
    if (!unsaved.isEmpty())
        m_messages.message(QStringLiteral("The file could not be saved: ") + unsaved,
                           QStringLiteral("Advisory"));
    else if (!failure.isEmpty())
        m_messages.message(QStringLiteral(" The report was not printed: ") + failure,
                           QStringLiteral("Help"));
    else if (!file.isEmpty())
        m_messages.message(pdfMessage(file), QStringLiteral("To Printer"), MbInformation);
}

} // namespace qb
