// The chart control of the Charts window: the bar chart is described to it one property at a
// time (how many points, the title, the caption and value of the current point, the colour style,
// the chart type) and then told to draw. The Charts window's drawing routines set these in a
// fixed order; the control only has to draw what it was given.
//
// This base class keeps what was handed over and reports each operation to handedOver(), so the
// recording control the tests use can keep the calls in order. The Qt control draws the bars.
#pragma once

#include "charts/chartpicture.h"

#include <QString>

class QImage;
class QWidget;

namespace qb {

class ChartControl {
public:
    // The chart types and draw commands the window uses.
    static constexpr int kBars2D = 3;
    static constexpr int kBars3D = 4;
    static constexpr int kDrawFromData = 2;
    static constexpr int kRedraw = 3;

    ChartControl() = default;
    virtual ~ChartControl() = default;
    ChartControl(const ChartControl&) = delete;
    ChartControl& operator=(const ChartControl&) = delete;

    void setDataSets(int sets);
    // Points beyond the new count are dropped; new points start empty.
    void setPoints(int points);
    int points() const { return static_cast<int>(m_picture.values.size()); }
    void setTitle(const QString& title);
    void setValueAxisTitle(const QString& title);
    // With automatic advance on, every caption or value assigned moves the current point on by
    // one, from the last point back to the first.
    void setAutoAdvance(bool on);
    void setCurrentPoint(int point);
    // The two caption properties; both caption the current point's bar.
    void setFirstCaption(const QString& caption);
    void setSecondCaption(const QString& caption);
    void setValue(double value);
    void setColourStyle(int style);
    void setChartType(int type);
    // kDrawFromData draws the points as set; kRedraw draws again what is held, in the current
    // chart type and colour style. Both draw the same picture here, since the control holds the
    // points it was given.
    void draw(int command);

    const ChartPicture& picture() const { return m_picture; }

    // The widget that shows the chart, or none for a control that only records.
    virtual QWidget* widget() { return nullptr; }
    // Whether three-dimensional bars can be drawn on this machine.
    virtual bool threeDimensionalAvailable() const { return true; }
    // Draws into a picture of window (taken with grab()) what such a picture leaves blank: the
    // three-dimensional bars, which OpenGL draws outside the window's own painting.
    virtual void paintOver(QImage& picture, const QWidget& window) const {
        Q_UNUSED(picture);
        Q_UNUSED(window);
    }

protected:
    // Each operation as it is handed over, e.g. "Points 25", "Caption2 3", "Draw 2".
    virtual void handedOver(const QString& operation) { Q_UNUSED(operation); }
    virtual void render(const ChartPicture& picture) = 0;

private:
    void setCaption(const QString& caption);
    void advance();

    ChartPicture m_picture;
    int m_current = 1;
    bool m_autoAdvance = false;
};

} // namespace qb
