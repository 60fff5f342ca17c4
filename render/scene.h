#pragma once

// The parts of the scene that stand behind the elements: the ground strip, the track plan, and
// which placement table each system draws.

#include "render/canvas.h"
#include "render/palette.h"
#include "render/placements.h"

#include <cstdint>
#include <span>

namespace lumaro {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// A strip across the whole window in `ground`, directly under the foundations.
void DrawGroundStrip(Canvas& canvas, Color ground);
// The schematic track plan with its origin at `origin`, drawn as `system` needs it.
void DrawTrackPlan(Canvas& canvas, System system, Point origin);
// The placement table of `system`, in drawing order.
std::span<const Placement> PlacementsOf(System system);

} // namespace lumaro
