#include "cli/chartcommand.h"
#include "cli/schedulecommand.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // Charts are drawn with widgets, on the offscreen platform so no display is needed; the other
    // commands need no more than the core.
    const bool chart = argc > 1 && qstrcmp(argv[1], "chart") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (chart) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return chart ? qb::RunChartCommand(arguments, out, err) : qb::RunCli(arguments, out, err);
}
