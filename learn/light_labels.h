#pragma once

// Where the colour letters of the lit lights stand ("Lampenfarben beschriften"): beside each
// light, on the side away from the middle of its column's lights, so that the letters of
// neighbouring lamps cover neither each other nor the lamps. The window and the page draw them
// above the canvas, each in its own font; the places are decided here.

#include "render/lamps.h"

#include <cstdint>
#include <span>
#include <vector>

namespace lumaro::learn {

struct LightLabel {
    const char* letters;    // "rt", "ge", "gn", "ws"
    // On the light's left: the label's right edge (exclusive) is at x. Otherwise its left edge is.
    bool left = false;
    std::int32_t x = 0;
    std::int32_t middleY = 0;   // the label is centred on this row
};

// One label per light, in the lights' order.
std::vector<LightLabel> LightLabels(std::span<const LitLight> lights);

} // namespace lumaro::learn
