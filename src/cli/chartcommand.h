// "quillbrook-cli chart mortgage|loan": the balance chart of the Charts window as a PNG or SVG
// picture, so a schedule's balance can go into a web page or a document. The loan is described
// with the options of the schedule and report commands; the picture is the window's chart in two
// dimensions and in colour, drawn by the charts module. It needs no display: the caller runs it
// on the offscreen platform.
#pragma once

#include "cli/optiontable.h"

#include <QStringList>
#include <QTextStream>

namespace qb {

struct ChartPicture;
struct PictureOptions;

// The picture's options; chart takes the loan options of schedule or the row options of compare
// beside them.
OptionTable<PictureOptions> ChartOptionTable();

// Runs "chart" on its arguments (the first is "chart"). Returns 0 on success, 1 when the picture
// cannot be written (or drawn: the charts module cannot be loaded), 2 for bad input; a failure
// prints one line on err. When drawn is given it receives what the chart control was handed.
// Needs the application object the charts module makes.
int RunChartCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                    ChartPicture* drawn = nullptr);

} // namespace qb
