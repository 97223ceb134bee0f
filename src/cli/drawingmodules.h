// The tool draws only through modules it loads when asked (see core/program/module.h): the
// charts module for "chart", the PDF module for --pdf. Text commands never load either, so they
// run on Qt Core alone. Each function loads its module from the running program's folders and
// returns its interface, or null with why it could not be loaded in reason, as
// "Charts could not be loaded: REASON".
#pragma once

#include <QString>

namespace qb {

class ChartsModule;
class PdfModule;

ChartsModule* LoadChartsModule(QString& reason);
PdfModule* LoadPdfModule(QString& reason);

} // namespace qb
