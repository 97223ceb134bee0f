// The real three-dimensional chart, which needs OpenGL and a window system: this test runs under
// a virtual X display on the xcb platform, where Mesa draws it. It switches a balance chart to
// three dimensions and back, and prints the window in 3D.
#include "charts/graphicswindow.h"
#include "charts/qtchartcontrol.h"
#include "core/state/defaultmortgage.h"
#include "desktop/windowtest.h"

#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QBarDataProxy>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QValue3DAxis>

#include <cstring>
#include <dlfcn.h>
#include <link.h>

using namespace qb;

namespace {

// Mesa unloads its DRI driver when the display connection closes, so LeakSanitizer could not name
// the driver's own allocations at exit. Keeping the driver already loaded in memory lets
// lsan.supp match them by module name; it loads nothing new.
void keepGraphicsDriverLoaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char* name = info->dlpi_name;
            if (name && std::strstr(name, "_dri.so"))
                dlopen(name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

// How many different colours the area of a picture (in the window's own coordinates) holds.
int coloursIn(const QImage& picture, const QRect& area) {
    const qreal ratio = picture.devicePixelRatio();
    const QRect pixels(area.topLeft() * ratio, area.size() * ratio);
    QSet<QRgb> colours;
    for (int y = pixels.top(); y <= pixels.bottom() && y < picture.height(); ++y)
        for (int x = pixels.left(); x <= pixels.right() && x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    return static_cast<int>(colours.size());
}

} // namespace

class TestGraphics3D : public QObject {
    Q_OBJECT

private slots:
    void balanceChartInThreeDimensions();
};

void TestGraphics3D::balanceChartInThreeDimensions() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY(QtChartControl::openGLAvailable());

    SharedState state;
    CalculateDefaultMortgage(state, 1);
    state.ChartSource = 4;
    state.ChartTitle = QStringLiteral("Mortgage balance at start of each Year");

    RecordingMessageBox messages;
    auto control = std::make_unique<QtChartControl>();
    QtChartControl& chart = *control;
    Graphics window(state, messages, std::move(control));
    // There is no window manager on the virtual display to make the window active.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    keepGraphicsDriverLoaded();
    QVERIFY(!chart.showing3D());

    Control<QPushButton>(&window, QStringLiteral("ThreeDee"))->click();
    QVERIFY(messages.shown.empty());
    QCOMPARE(window.chartKind(), Graphics::BalanceChart3D);
    QVERIFY(chart.showing3D());
    Q3DBars* bars = chart.bars3D();
    QVERIFY(bars);
    QCOMPARE(bars->seriesList().size(), 1);
    const QBarDataProxy* data = bars->seriesList().first()->dataProxy();
    QCOMPARE(data->rowCount(), 1);
    QCOMPARE(data->columnLabels().size(), 25);
    QCOMPARE(data->columnLabels().first(), QStringLiteral("1"));
    QCOMPARE(data->itemAt(0, 0)->value(), 100000.0f);
    QCOMPARE(bars->valueAxis()->labelFormat(), QStringLiteral("%.0f"));
    QTest::qWait(300); // a few frames of the real chart

    // Printed in 3D: the image is taken while the 3D chart is on show.
    QImage printed;
    window.setImagePrinter([&printed](const QImage& image) { printed = image; });
    messages.answer = AnswerYes;
    window.printChart();
    QVERIFY(!printed.isNull());
    QCOMPARE(window.colourPrint(), 1);
    // The printed page holds the bars OpenGL draws: the chart's area is a shaded scene of many
    // colours, where a plain picture of the window leaves it one flat colour.
    QWidget* scene = nullptr;
    for (QWidget* child : chart.widget()->findChildren<QWidget*>()) {
        if (qstrcmp(child->metaObject()->className(), "QWindowContainer") == 0)
            scene = child;
    }
    QVERIFY(scene);
    const QRect area(scene->mapTo(&window, QPoint(0, 0)), scene->size());
    QVERIFY(coloursIn(printed, area) > 100);
    QVERIFY(coloursIn(window.grab().toImage(), area) < 10);
    // On screen the chart fills its area: its lower part shows bars and their years, and
    // nothing reaches the area's top edge.
    const QPoint origin = scene->mapToGlobal(QPoint(0, 0));
    const QImage shown =
        QGuiApplication::primaryScreen()
            ->grabWindow(0, origin.x(), origin.y(), scene->width(), scene->height())
            .toImage();
    const QRect lower(0, shown.height() * 6 / 10, shown.width(), shown.height() * 3 / 10);
    QVERIFY(coloursIn(shown, lower) > 50);
    QVERIFY(coloursIn(shown, QRect(0, 0, shown.width(), shown.height() / 25)) < 10);
    QVERIFY(chart.showing3D());

    Control<QPushButton>(&window, QStringLiteral("Sav2D"))->click();
    QCOMPARE(window.chartKind(), Graphics::BalanceChart2D);
    QVERIFY(!chart.showing3D());
    QCOMPARE(chart.picture().values.size(), std::size_t(25));
}

QTEST_MAIN(TestGraphics3D)
#include "tst_graphics3d.moc"
