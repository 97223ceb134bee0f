// A chart control that draws nothing and keeps every operation handed to it, in order, so tests
// can check what the Charts window and the command-line tool give the chart. It offers
// three-dimensional bars everywhere, since it never needs OpenGL.
#pragma once

#include "charts/chartcontrol.h"

#include <QStringList>

namespace qb {

class RecordingChartControl : public ChartControl {
public:
    QStringList calls;
    int renders = 0;
    bool offer3D = true;

    bool threeDimensionalAvailable() const override { return offer3D; }

protected:
    void handedOver(const QString& operation) override { calls.append(operation); }
    void render(const ChartPicture&) override { ++renders; }
};

} // namespace qb
