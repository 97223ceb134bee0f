// The chart control on screen: two-dimensional bars with Qt Charts, three-dimensional bars with
// Qt Data Visualization. Both show the title, the caption of each point under its bar, and the
// value axis with thousands separators; colour style 0 draws grey bars on white, 1 the chart's
// own theme colours.
//
// Three-dimensional bars need OpenGL and a real window system. They are offered only where a
// context can be made current (see threeDimensionalAvailable()); the 3D chart is created the
// first time it is drawn, so a machine without OpenGL never touches it.
#pragma once

#include "charts/chartcontrol.h"

#include <QSize>

class QChart;
class QChartView;
class QLabel;
class QStackedWidget;
class QString;
class QWidget;

class Q3DBars;

namespace qb {

class QtChartControl : public ChartControl {
public:
    explicit QtChartControl(QWidget* parent = nullptr);

    QWidget* widget() override;
    bool threeDimensionalAvailable() const override;

    // Whether this machine can draw three-dimensional bars: not on the offscreen or minimal
    // platforms, and only when an OpenGL context can be made current. Worked out once.
    static bool openGLAvailable();

    // Writes the two-dimensional chart as a picture of size pixels: PNG for a path ending in
    // ".png", SVG for ".svg", through an OutputFile, so an existing file is replaced only by a
    // whole picture. Returns an empty text on success, else why the file could not be written.
    QString writePicture(const QString& path, QSize size);

    // The three-dimensional chart, once it has been drawn; and whether it is the one on show.
    Q3DBars* bars3D() const { return m_bars; }
    bool showing3D() const;

    void paintOver(QImage& picture, const QWidget& window) const override;

protected:
    void render(const ChartPicture& picture) override;

private:
    void render2D(const ChartPicture& picture);
    void render3D(const ChartPicture& picture);

    QStackedWidget* m_stack = nullptr;
    QChartView* m_view = nullptr;
    QWidget* m_page3D = nullptr;
    QLabel* m_title3D = nullptr;
    Q3DBars* m_bars = nullptr;
    QWidget* m_container3D = nullptr; // holds the 3D chart's window
};

} // namespace qb
