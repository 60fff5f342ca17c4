#pragma once

// The element blocks of DrawElement. Each block draws one kind of element at an anchor; the
// dispatcher in elements.cpp runs, in a fixed order, every block whose codes include the code it
// was given. Blocks read and write the main window's globals directly, as the handlers do.

#include "core/main_form.h"

#include <cstdint>
#include <span>

namespace lumaro {

// The arguments of one DrawElement call: anchor, element code, own and next record numbers.
struct Element {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t code = 0;
    std::int32_t own = 0;
    std::int32_t next = 0;
};

// A point relative to the anchor of an element.
struct Offset {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
};

// Drawing conventions shared by all blocks. Each sets exactly the pen or brush it names and
// leaves it set for whatever follows.
namespace draw {

// MoveTo the first point, LineTo each further one, with the pen as it is.
void Path(Canvas& canvas, const Element& e, std::span<const Offset> points);
// A path in pen `color`, width 1.
void Outline(Canvas& canvas, const Element& e, Color color, std::span<const Offset> points);
// Brush `brush`, then a border-mode fill from `seed` that stops at `border`.
void Fill(Canvas& canvas, const Element& e, Color brush, Offset seed, Color border);
// The rectangular outline (left, leftFrom), (left, top), (right, top), (right, bottom),
// (left, bottom) in pen `color`, width 1. `leftFrom` is the bottom row unless the left edge
// reaches further down than the rest.
void RectOutline(Canvas& canvas, const Element& e, Color color, std::int32_t left, std::int32_t right,
                 std::int32_t top, std::int32_t bottom, std::int32_t leftFrom);

} // namespace draw

namespace blocks {

using Block = void (*)(MainForm&, const Element&);

// Aspect-independent elements (elements.cpp): they depend only on the palette.
void Board0(MainForm&, const Element&);
void Board78(MainForm&, const Element&);
void Plate(MainForm&, const Element&);
void MastBand(MainForm&, const Element&);
void MastBandWithTriangle(MainForm&, const Element&);
void YellowTriangle(MainForm&, const Element&);
void Mast(MainForm&, const Element&);
void SlimMast(MainForm&, const Element&);
void KsMast(MainForm&, const Element&);
void Foundation(MainForm&, const Element&);
void NarrowFoundation(MainForm&, const Element&);

// H/V main signals (elements_hv_main.cpp).
void HvBlockSignal20(MainForm&, const Element&);
void HvEntrySignal21(MainForm&, const Element&);
void HvMainSignal25(MainForm&, const Element&);

// H/V distant signals (elements_hv_distant.cpp).
void HvDistant10_12(MainForm&, const Element&);
void HvDistantAtMain14_17(MainForm&, const Element&);

// Indicators and shunting signals (elements_indicators.cpp).
void TrackChange30(MainForm&, const Element&);
void Shunting33_34(MainForm&, const Element&);
void SpeedIndicator27_31(MainForm&, const Element&);
void SpeedPreIndicator32(MainForm&, const Element&);

// Ks signals (elements_ks.cpp).
void KsMainSignal50(MainForm&, const Element&);
void KsDistant54(MainForm&, const Element&);
void KsMainSignal55(MainForm&, const Element&);
void KsDistant59(MainForm&, const Element&);

// Hl signals (elements_hl.cpp).
void HlMainSignal70(MainForm&, const Element&);
void HlLightStrip71(MainForm&, const Element&);
void HlDistant72(MainForm&, const Element&);
void HlTrackChangeBox73(MainForm&, const Element&);
void HlSignal74(MainForm&, const Element&);
void HlShunting75(MainForm&, const Element&);
void HlDeadEndBox77(MainForm&, const Element&);

} // namespace blocks
} // namespace lumaro
