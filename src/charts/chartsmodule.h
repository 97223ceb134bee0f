// What the charts module offers the programs that load it (see core/program/module.h): the Charts
// window for the desktop program's Show Graph, and for the command-line tool's chart command the
// application object it draws with and the chart written as a picture. This header and
// chartpicture.h are all of the module a program includes; neither needs more than Qt Core.
#pragma once

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QCoreApplication;
class QWidget;

namespace qb {

class MessageBoxService;
struct ChartPicture;
struct SharedState;

class ChartsModule {
public:
    virtual ~ChartsModule() = default;

    // A new Charts window, drawing at once the chart ChartSource asks for, on the screen when
    // shown. closed runs when the user leaves it; the caller owns the window.
    virtual QWidget* createChartWindow(SharedState& state, MessageBoxService& messages,
                                       std::function<void()> closed) = 0;

    // The application object a chart is drawn with, for a program that has made none yet.
    virtual std::unique_ptr<QCoreApplication> startApplication(int& argc, char** argv) = 0;

    // Draws the chart ChartSource asks for, in two dimensions and in colour, and writes it to
    // path as a picture of size pixels (PNG, or SVG for a path ending in ".svg"), through an
    // output file. Returns an empty text, or why the picture could not be written. When drawn is
    // given it receives what was drawn.
    virtual QString writeChartPicture(SharedState& state, const QString& path, QSize size,
                                      ChartPicture* drawn) = 0;
};

} // namespace qb

#define QB_CHARTS_MODULE_IID "org.quillbrook.Quillbrook.ChartsModule/1"
Q_DECLARE_INTERFACE(qb::ChartsModule, QB_CHARTS_MODULE_IID)
