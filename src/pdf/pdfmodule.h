// What the PDF module offers the command-line tool, which loads it for --pdf (see
// core/program/module.h): the application object fonts need, and a report printed into a PDF
// file by the desktop program's printer. This header is all of the module the tool includes; it
// needs no more than Qt Core.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QCoreApplication;

namespace qb {

class Printer;

class PdfModule {
public:
    virtual ~PdfModule() = default;

    // The application object a PDF is drawn with, for a program that has made none yet.
    virtual std::unique_ptr<QCoreApplication> startApplication(int& argc, char** argv) = 0;

    // Prints report, which ends its job, into a PDF at path through an output file, in the
    // printer's standard font until the report sets its own. Returns an empty text, or why the
    // file could not be written. Needs the application object startApplication makes.
    virtual QString writePdf(const QString& reportName, const QString& path,
                             const std::function<void(Printer&)>& report) = 0;
};

} // namespace qb

#define QB_PDF_MODULE_IID "org.quillbrook.Quillbrook.PdfModule/1"
Q_DECLARE_INTERFACE(qb::PdfModule, QB_PDF_MODULE_IID)
