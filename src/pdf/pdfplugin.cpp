// The PDF module's entry: the desktop program's Qt printer writing into a file.
#include "desktop/platform/qtprinter.h"
#include "pdf/pdfmodule.h"

#include <QGuiApplication>

namespace qb {

class PdfPlugin : public QObject, public PdfModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QB_PDF_MODULE_IID)
    Q_INTERFACES(qb::PdfModule)

public:
    std::unique_ptr<QCoreApplication> startApplication(int& argc, char** argv) override {
        return std::make_unique<QGuiApplication>(argc, argv);
    }

    QString writePdf(const QString& reportName, const QString& path,
                     const std::function<void(Printer&)>& report) override {
        try {
            QtPrinter printer(reportName, path);
            report(printer);
            // The file is put in place when the job ends; ending it here reports a failure.
            printer.endDoc();
        } catch (const PrinterError& error) {
            return QString::fromStdString(error.what());
        }
        return QString();
    }
};

} // namespace qb

#include "pdfplugin.moc"
