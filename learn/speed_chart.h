#pragma once

// The speed line as a chart over the band of the track plan, 1000 pixels wide at the columns' x:
// where its axis, its labels and its train stand and in which colours. The window and the page
// draw these marks as they are.

#include "learn/fahrt.h"
#include "render/color.h"

#include <string>
#include <vector>

namespace lumaro::learn {

inline constexpr int kChartTop = 30;      // y of the line speed
inline constexpr int kChartBottom = 86;   // y of 0 km/h; the train-length marks stand below it
// A label's box is this high; its text is centred in it.
inline constexpr int kChartLabelHeight = 12;

// The y of a speed on the chart.
double ChartY(double kmh);
// The y of the line under a train's head at `head` (0 .. kLineEnd).
double ChartYAt(const SpeedLine& line, double head);
Color ChartColor(PieceKind kind);

// A speed of the axis: a faint line at `y`, its value written from `labelX` on.
struct ChartAxisMark {
    int kmh = 0;
    double y = 0;
    int labelX = 0;
};

// A constant piece's speed, written centred in the box from `left` to `right`, `top` down.
struct ChartLabel {
    std::string text;
    int left = 0;
    int right = 0;
    int top = 0;
    PieceKind kind = PieceKind::Line;
};

struct SpeedChart {
    std::vector<ChartAxisMark> axis;
    std::vector<ChartLabel> labels;
};

SpeedChart ChartOf(const SpeedLine& line);

} // namespace lumaro::learn
