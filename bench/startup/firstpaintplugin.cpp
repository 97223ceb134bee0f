// A Qt generic plugin the start-up benchmark loads into the program it measures
// (QT_QPA_GENERIC_PLUGINS=qbfirstpaint), so the program itself carries nothing for the benchmark.
// It waits for the first paint of the window named by QB_FIRST_PAINT_WINDOW (an object name),
// lets that frame finish, and then writes one line on standard output and ends the process at
// once:
//
//   <monotonic clock in nanoseconds> <shared objects mapped> <mapped chart and QML libraries>
//
// The benchmark reads the peak memory of the process from its exit, which is then the peak up to
// the first paint. The plugin's own file is left out of the count.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGenericPlugin>
#include <QSet>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// The libraries that should only be loaded once a chart is shown.
bool isChartLibrary(const QString& path) {
    for (const char* name :
         {"libQt6Charts", "libQt6DataVisualization", "libQt6Quick", "libQt6Qml"}) {
        if (path.contains(QLatin1String(name)))
            return true;
    }
    return false;
}

[[noreturn]] void reportAndExit() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    QSet<QString> libraries;
    QStringList charts;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (maps.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : maps.readAll().split('\n')) {
            const qsizetype slash = line.indexOf('/');
            if (slash < 0)
                continue;
            const QString path = QString::fromLocal8Bit(line.mid(slash));
            if (!path.contains(QLatin1String(".so")) ||
                path.contains(QLatin1String("qbfirstpaint")))
                continue;
            if (!libraries.contains(path) && isChartLibrary(path))
                charts.append(path.section(u'/', -1));
            libraries.insert(path);
        }
    }
    const QByteArray line = QByteArray::number(qint64(now.tv_sec) * 1000000000 + now.tv_nsec) +
                            ' ' + QByteArray::number(libraries.size()) + ' ' +
                            (charts.isEmpty() ? QByteArray("-") : charts.join(u',').toLocal8Bit()) +
                            '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fflush(stdout);
    _exit(0);
}

class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QString window) : m_window(std::move(window)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint && watched->objectName() == m_window) {
            m_seen = true;
            // The rest of the frame (the child widgets and the flush to the screen) is painted
            // before the event loop takes up the timer.
            QTimer::singleShot(0, [] { reportAndExit(); });
        }
        return false;
    }

private:
    QString m_window;
    bool m_seen = false;
};

} // namespace

class FirstPaintPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "firstpaint.json")

public:
    QObject* create(const QString&, const QString&) override {
        auto* watcher = new FirstPaintWatcher(qEnvironmentVariable("QB_FIRST_PAINT_WINDOW"));
        QCoreApplication::instance()->installEventFilter(watcher);
        return watcher;
    }
};

#include "firstpaintplugin.moc"
