#pragma once

// What the window draws above the canvas for learners, from the list of lit lights: blinking
// lamps held burning with a marker, and colour letters beside the lights. Never drawn into the
// core's canvas, so its pixels, trace and picture stay the program's own.

#include "render/lamps.h"

#include <span>

class QPainter;

namespace lumaro {

struct LightOverlays {
    bool steadyLamps = false;   // "Blinken anhalten"
    bool colorLetters = false;  // "Lampenfarben beschriften"

    bool any() const { return steadyLamps || colorLetters; }
};

void PaintLightOverlays(QPainter& painter, std::span<const LitLight> lights, LightOverlays overlays);

} // namespace lumaro
