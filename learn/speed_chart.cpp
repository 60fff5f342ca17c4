// Where the speed line's marks stand on the chart.

#include "learn/speed_chart.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumaro::learn {

namespace {

// The axis's speeds and where their values stand: 40 and 100 indented, so that the close values
// stay apart. The values take the chart's left edge up to kAxisLabelsRight.
struct AxisSpeed {
    int kmh;
    int labelX;
};
constexpr std::array kAxis = std::to_array<AxisSpeed>({
    {0, 1},
    {40, 14},
    {60, 1},
    {100, 14},
    {160, 1},
});
constexpr int kAxisLabelsRight = 30;

// A piece narrower than this carries no label.
constexpr int kNarrowestLabel = 26;

} // namespace

double ChartY(double kmh)
{
    return kChartBottom - kmh * (kChartBottom - kChartTop) / kLineSpeed;
}

double ChartYAt(const SpeedLine& line, double head)
{
    return ChartY(PermittedSpeedAt(line, std::min(head, double(kLineEnd) - 0.5)));
}

Color ChartColor(PieceKind kind)
{
    switch (kind) {
    case PieceKind::Ramp:
        return Rgb(220, 110, 0);
    case PieceKind::Stop:
        return Rgb(200, 0, 0);
    default:
        return Rgb(0, 90, 0);
    }
}

SpeedChart ChartOf(const SpeedLine& line)
{
    SpeedChart chart;
    for (const AxisSpeed& speed : kAxis)
        chart.axis.push_back({speed.kmh, ChartY(speed.kmh), speed.labelX});
    // Constant pieces carry their speed below the line at the top speed (the controls stand
    // above it) and above it otherwise, clear of the axis's values.
    for (const SpeedPiece& piece : line.pieces) {
        const int left = std::max(piece.from, kAxisLabelsRight);
        if (piece.kind == PieceKind::Ramp || piece.to - left < kNarrowestLabel)
            continue;
        const int y = static_cast<int>(ChartY(piece.fromKmh));
        chart.labels.push_back({piece.kind == PieceKind::OnSight ? "40 auf Sicht" : std::to_string(std::lround(piece.fromKmh)),
                                left, piece.to, piece.fromKmh >= kLineSpeed ? y + 2 : y - 13, piece.kind});
    }
    return chart;
}

} // namespace lumaro::learn
