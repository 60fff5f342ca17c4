#pragma once

// What the paint settles before any element draws: the selected signalling system and the
// palette of the structures.

#include "render/color.h"
#include "state/system.h"

namespace lumaro {

struct Palette {
    Color ColCaption = 0;     // designation captions
    Color ColStructure = 0;   // masts, brackets
    Color ColPlate = 0;       // plates at the mast foot
    Color ColMedium = 0;      // foundations
    Color ColGround = 0;      // ground strip
};

} // namespace lumaro
