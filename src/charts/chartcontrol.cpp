#include "charts/chartcontrol.h"

#include <algorithm>

namespace qb {

namespace {

QString operation(const char* name, const QString& value) {
    return QLatin1String(name) + u' ' + value;
}

QString operation(const char* name, int value) {
    return operation(name, QString::number(value));
}

} // namespace

void ChartControl::setDataSets(int sets) {
    // One data set is all the charts of this program draw; the count is only reported.
    handedOver(operation("DataSets", sets));
}

void ChartControl::setPoints(int points) {
    handedOver(operation("Points", points));
    const auto count = static_cast<std::size_t>(std::max(points, 0));
    m_picture.captions.resize(count);
    m_picture.values.resize(count);
}

void ChartControl::setTitle(const QString& title) {
    handedOver(operation("Title", title));
    m_picture.title = title;
}

void ChartControl::setValueAxisTitle(const QString& title) {
    handedOver(operation("AxisTitle", title));
    m_picture.valueAxisTitle = title;
}

void ChartControl::setAutoAdvance(bool on) {
    handedOver(operation("AutoAdvance", on ? 1 : 0));
    m_autoAdvance = on;
}

void ChartControl::setCurrentPoint(int point) {
    handedOver(operation("CurrentPoint", point));
    m_current = point;
}

void ChartControl::setFirstCaption(const QString& caption) {
    handedOver(operation("Caption1", caption));
    setCaption(caption);
}

void ChartControl::setSecondCaption(const QString& caption) {
    handedOver(operation("Caption2", caption));
    setCaption(caption);
}

void ChartControl::setCaption(const QString& caption) {
    if (m_current >= 1 && m_current <= points())
        m_picture.captions[static_cast<std::size_t>(m_current - 1)] = caption;
    advance();
}

void ChartControl::setValue(double value) {
    handedOver(operation("Value", QString::number(value, 'f', 2)));
    if (m_current >= 1 && m_current <= points())
        m_picture.values[static_cast<std::size_t>(m_current - 1)] = value;
    advance();
}

void ChartControl::advance() {
    if (!m_autoAdvance)
        return;
    m_current = m_current >= points() ? 1 : m_current + 1;
}

void ChartControl::setColourStyle(int style) {
    handedOver(operation("ColourStyle", style));
    m_picture.colourStyle = style;
}

void ChartControl::setChartType(int type) {
    handedOver(operation("ChartType", type));
    m_picture.chartType = type;
}

void ChartControl::draw(int command) {
    handedOver(operation("Draw", command));
    render(m_picture);
}

} // namespace qb
