// What a chart shows: one data set of points, each with a caption and a value, the titles, the
// colour style and the chart type. The chart control holds one; the command-line tool's chart
// command can read back the one it drew.
#pragma once

#include <QString>

#include <vector>

namespace qb {

struct ChartPicture {
    QString title;
    QString valueAxisTitle;
    std::vector<QString> captions;
    std::vector<double> values;
    int colourStyle = 0; // 0 monochrome, 1 colour
    int chartType = 3;   // 3 two-dimensional bars, 4 three-dimensional bars
};

} // namespace qb
