#pragma once

// The element blocks of DrawElement. Each block draws one kind of element at an anchor; the
// dispatcher in elements.cpp runs, in a fixed order, every block whose codes include the code it
// was given. A block sees only its ElementRoom: what it draws with, the records it reads and
// writes, and the designation panels.

#include "render/canvas.h"
#include "render/designations.h"
#include "render/lamps.h"
#include "render/palette.h"
#include "state/provenance.h"
#include "state/record_fields.h"
#include "state/records.h"
#include "state/signal_table.h"

#include <cstdint>
#include <initializer_list>
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

// The corners of an Ellipse relative to the anchor, exactly as passed (not normalised).
struct Box {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
};

// Everything an element block may read or change. The paint builds one room and hands it to
// every element it draws.
struct ElementRoom {
    Canvas& canvas;
    SignalTable& signals;          // read; a few blocks copy fields into their own record
    RecordOrigins& origins;        // where those copies note themselves
    const Palette& colors;
    bool blinkPhase;               // blinking lamps burn while this is true
    System system;                 // the selected signalling system
    const DesignationWriter& designations;
    // Where the lights lit in this paint are noted; nothing is noted without one.
    LightList* lights = nullptr;
};

// Draws element `e.code` at (e.x, e.y); codes without a block draw nothing.
void DrawElement(const ElementRoom& room, const Element& e);

// What the conditions of lamps and designations test: the element's own record, the record of
// the signal it announces (all zero when the element reads none), the blink phase and the
// selected system. The references stay live, so a condition tested after a block copied fields
// into its own record sees the copy.
struct Look {
    const SignalRecord& own;
    const SignalRecord& next;
    bool blink;
    System system;
    LightList* lights;

    Look(const ElementRoom& room, const Element& e);
};

// True when at least one of `fields` of `record` is exactly 1.
inline bool Any(const SignalRecord& record, std::initializer_list<FieldPtr> fields)
{
    for (FieldPtr f : fields)
        if (record.*f == 1)
            return true;
    return false;
}

// The record hand-over a block makes while it draws: `fields` of `from` copied into `to`, in this
// order. Every element drawn after it in the same paint sees the copy.
inline void CopyFields(SignalRecord& to, const SignalRecord& from, std::span<const FieldPtr> fields)
{
    for (FieldPtr f : fields)
        to.*f = from.*f;
}

// A block's write into its own record while it draws, noted as made by element `e.code` reading
// `reads`. `write` gets the own record.
template <class Write>
void WriteOwnRecord(const ElementRoom& room, const Element& e, std::initializer_list<int> reads, Write&& write)
{
    room.origins.Change(room.signals, e.own, RecordOrigin::FromDrawing(e.code, reads), write);
}

// The usual hand-over: `fields` of the next record (as the block's Look sees it) copied into the
// own record.
inline void HandOver(const ElementRoom& room, const Element& e, const SignalRecord& next,
                     std::span<const FieldPtr> fields)
{
    WriteOwnRecord(room, e, {e.next}, [&](SignalRecord& own) { CopyFields(own, next, fields); });
}

using Condition = bool (*)(const Look&);

// One lamp of a lamp table: lit while `when` holds.
struct LampRow {
    Condition when;
    Color color;
    Box box;
    Offset seed;
};

// One row of a designation table: written while `when` holds.
struct DesignationRow {
    Condition when;
    const char* caption;
    const char* hint;
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
// A lit lamp: pen `color` width 1, Ellipse over `box` (its interior takes the brush left by
// what came before), brush `color`, border-mode fill from `seed` that stops at `color`.
void LitLamp(Canvas& canvas, const Element& e, Color color, Box box, Offset seed);
// Notes a light of the element at `box` (relative to the anchor, corners in any order) in the
// look's light list. `burning` is false for a blinking light in its dark phase.
void NoteLight(const Look& look, const Element& e, Color color, LightKind kind, Box box, bool blinking,
               bool burning = true);
// Every row of `lamps` whose condition holds, in table order. Two matching rows for one lamp
// draw it twice. A row whose condition holds in one blink phase only is noted as blinking, in
// either phase.
void Lamps(Canvas& canvas, const Element& e, const Look& look, std::span<const LampRow> lamps);
// Every row of `rows` whose condition holds writes `panel`, in table order, so the last
// matching row is what stays.
void Designations(const DesignationWriter& writer, int panel, const Look& look,
                  std::span<const DesignationRow> rows);

} // namespace draw

namespace blocks {

using Block = void (*)(const ElementRoom&, const Element&);

// Aspect-independent elements (elements.cpp): they depend only on the palette.
void Board0(const ElementRoom&, const Element&);
void Board78(const ElementRoom&, const Element&);
void Plate(const ElementRoom&, const Element&);
void MastBand(const ElementRoom&, const Element&);
void MastBandWithTriangle(const ElementRoom&, const Element&);
void YellowTriangle(const ElementRoom&, const Element&);
void Mast(const ElementRoom&, const Element&);
void SlimMast(const ElementRoom&, const Element&);
void KsMast(const ElementRoom&, const Element&);
void Foundation(const ElementRoom&, const Element&);
void NarrowFoundation(const ElementRoom&, const Element&);

// H/V main signals (elements_hv_main.cpp).
void HvBlockSignal20(const ElementRoom&, const Element&);
void HvEntrySignal21(const ElementRoom&, const Element&);
void HvMainSignal25(const ElementRoom&, const Element&);

// H/V distant signals (elements_hv_distant.cpp).
void HvDistant10_12(const ElementRoom&, const Element&);
void HvDistantAtMain14_17(const ElementRoom&, const Element&);

// Indicators and shunting signals (elements_indicators.cpp).
void TrackChange30(const ElementRoom&, const Element&);
void Shunting33_34(const ElementRoom&, const Element&);
void SpeedIndicator27_31(const ElementRoom&, const Element&);
void SpeedPreIndicator32(const ElementRoom&, const Element&);

// Ks signals (elements_ks.cpp).
void KsMainSignal50(const ElementRoom&, const Element&);
void KsDistant54(const ElementRoom&, const Element&);
void KsMainSignal55(const ElementRoom&, const Element&);
void KsDistant59(const ElementRoom&, const Element&);

// Hl signals (elements_hl.cpp).
void HlMainSignal70(const ElementRoom&, const Element&);
void HlLightStrip71(const ElementRoom&, const Element&);
void HlDistant72(const ElementRoom&, const Element&);
void HlTrackChangeBox73(const ElementRoom&, const Element&);
void HlSignal74(const ElementRoom&, const Element&);
void HlShunting75(const ElementRoom&, const Element&);
void HlDeadEndBox77(const ElementRoom&, const Element&);

} // namespace blocks
} // namespace lumaro
