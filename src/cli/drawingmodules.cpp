#include "cli/drawingmodules.h"

#include "charts/chartsmodule.h"
#include "core/program/module.h"
#include "pdf/pdfmodule.h"

namespace qb {

namespace {

// A loader per call: the module, once loaded, stays loaded, and the next loader finds it so.
template <class Interface> Interface* load(QStringView file, const char* what, QString& reason) {
    ModuleLoader loader(file.toString(), ModuleFolders(RunningProgramFolder()));
    Interface* module = loader.template load<Interface>();
    reason = module
                 ? QString()
                 : QLatin1String(what) + QStringLiteral(" could not be loaded: ") + loader.reason();
    return module;
}

} // namespace

ChartsModule* LoadChartsModule(QString& reason) {
    return load<ChartsModule>(kChartsModuleFile, "Charts", reason);
}

PdfModule* LoadPdfModule(QString& reason) {
    return load<PdfModule>(kPdfModuleFile, "PDF output", reason);
}

} // namespace qb
