// The charts module's entry: the object the programs load (see chartsmodule.h). The windows and
// pictures it makes are the Charts window with the Qt chart control, as the desktop program has
// always shown them.
#include "charts/chartsmodule.h"
#include "charts/graphicswindow.h"
#include "charts/qtchartcontrol.h"
#include "core/program/messagebox.h"

#include <QApplication>

namespace qb {

class ChartsPlugin : public QObject, public ChartsModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QB_CHARTS_MODULE_IID)
    Q_INTERFACES(qb::ChartsModule)

public:
    QWidget* createChartWindow(SharedState& state, MessageBoxService& messages,
                               std::function<void()> closed) override {
        auto* window = new Graphics(state, messages, std::make_unique<QtChartControl>());
        connect(window, &Graphics::exited, window, std::move(closed));
        return window;
    }

    std::unique_ptr<QCoreApplication> startApplication(int& argc, char** argv) override {
        return std::make_unique<QApplication>(argc, argv);
    }

    // The window draws the chart the state describes; the picture is its 2D chart in colour.
    QString writeChartPicture(SharedState& state, const QString& path, QSize size,
                              ChartPicture* drawn) override {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return QStringLiteral("no window support in this run");
        RecordingMessageBox messages;
        auto control = std::make_unique<QtChartControl>();
        QtChartControl& chart = *control;
        Graphics window(state, messages, std::move(control));
        window.drawInColour(true);
        if (drawn)
            *drawn = chart.picture();
        return chart.writePicture(path, size);
    }
};

} // namespace qb

#include "chartsplugin.moc"
