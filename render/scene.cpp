// Ground strip and track plan.

#include "render/scene.h"

#include <algorithm>

namespace lumaro {

namespace {

// Track-plan strokes mark the signal columns; the Hl line leaves out 350 and 750.
constexpr std::int32_t kSignalStrokes[] = {40, 140, 240, 340, 440, 540, 640, 740, 840, 940};
constexpr std::int32_t kNoHlSignal[] = {340, 740};

bool IsHlGap(std::int32_t dx)
{
    return std::find(std::begin(kNoHlSignal), std::end(kNoHlSignal), dx) != std::end(kNoHlSignal);
}

} // namespace

void DrawGroundStrip(Canvas& canvas, Color ground)
{
    // The right end lies beyond the client area.
    canvas.SetPenColor(ground);
    canvas.SetPenWidth(1);
    canvas.MoveTo(0, 414);
    canvas.LineTo(1100, 414);
    canvas.LineTo(1100, 419);
    canvas.LineTo(0, 419);
    canvas.LineTo(0, 414);
    canvas.SetBrushColor(ground);
    canvas.FloodFill(1, 415, ground);
}

void DrawTrackPlan(Canvas& canvas, System system, Point origin)
{
    const auto moveTo = [&](std::int32_t dx, std::int32_t dy) { canvas.MoveTo(origin.x + dx, origin.y + dy); };
    const auto lineTo = [&](std::int32_t dx, std::int32_t dy) { canvas.LineTo(origin.x + dx, origin.y + dy); };

    canvas.SetPenColor(clBlack);
    canvas.SetPenWidth(2);
    // Main track.
    moveTo(0, 0);
    lineTo(980, 0);
    // Second track with its left-hand turnout.
    moveTo(280, 0);
    lineTo(300, -20);
    lineTo(980, -20);
    // Crossover.
    moveTo(580, 0);
    lineTo(560, -20);
    // Open triangle pointing in the direction of travel.
    moveTo(80, 10);
    lineTo(100, 0);
    lineTo(80, -10);
    lineTo(80, 10);
    // The right-hand crossover stands in front of the block signal's column.
    if (system == System::HV || system == System::Ks) {
        moveTo(880, 0);
        lineTo(900, -20);
    }
    if (system == System::Hl) {
        moveTo(780, 0);
        lineTo(800, -20);
    }
    // Platform between the tracks, outline only.
    moveTo(340, -5);
    canvas.SetPenColor(clGray);
    canvas.SetPenWidth(2);
    lineTo(540, -5);
    lineTo(540, -15);
    lineTo(340, -15);
    lineTo(340, -5);
    // One stroke under the main track per signal column.
    for (std::int32_t dx : kSignalStrokes) {
        if (system == System::Hl && IsHlGap(dx))
            continue;
        moveTo(dx, 10);
        canvas.SetPenColor(clBlack);
        canvas.SetPenWidth(1);
        lineTo(dx, 30);
    }
}

std::span<const Placement> PlacementsOf(System system)
{
    switch (system) {
    case System::HV: return kPlacementsHV;
    case System::Ks: return kPlacementsKs;
    case System::Hl: return kPlacementsHl;
    }
    return {};
}

} // namespace lumaro
