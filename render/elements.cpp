// DrawElement and the elements that show no aspect: masts, foundations, plates, boards and mast
// bands. These read no record and write no panel; only the palette changes how they look.

#include "render/elements.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace lumaro {

namespace {

// 98 and 99 stand for "no record": the elements given them do not test that record. A number
// outside the table reads as a record with every field 0.
const SignalRecord& RecordOf(const SignalTable& signals, std::int32_t n)
{
    static const SignalRecord kNoRecord {};
    return n >= 1 && n <= SignalTable::kCount ? signals[n] : kNoRecord;
}

} // namespace

Look::Look(const ElementRoom& room, const Element& e)
    : own(RecordOf(room.signals, e.own))
    , next(RecordOf(room.signals, e.next))
    , blink(room.blinkPhase)
    , system(room.system)
    , lights(room.lights)
{
}

// --- Drawing conventions ---------------------------------------------------------------------

namespace draw {

void Path(Canvas& canvas, const Element& e, std::span<const Offset> points)
{
    canvas.MoveTo(e.x + points.front().dx, e.y + points.front().dy);
    for (const Offset& p : points.subspan(1))
        canvas.LineTo(e.x + p.dx, e.y + p.dy);
}

void Outline(Canvas& canvas, const Element& e, Color color, std::span<const Offset> points)
{
    canvas.SetPenColor(color);
    canvas.SetPenWidth(1);
    Path(canvas, e, points);
}

void Fill(Canvas& canvas, const Element& e, Color brush, Offset seed, Color border)
{
    canvas.SetBrushColor(brush);
    canvas.FloodFill(e.x + seed.dx, e.y + seed.dy, border);
}

void RectOutline(Canvas& canvas, const Element& e, Color color, std::int32_t left, std::int32_t right,
                 std::int32_t top, std::int32_t bottom, std::int32_t leftFrom)
{
    const Offset points[] = {{left, leftFrom}, {left, top}, {right, top}, {right, bottom}, {left, bottom}};
    Outline(canvas, e, color, points);
}

void LitLamp(Canvas& canvas, const Element& e, Color color, Box box, Offset seed)
{
    canvas.SetPenWidth(1);
    canvas.SetPenColor(color);
    canvas.Ellipse(e.x + box.x1, e.y + box.y1, e.x + box.x2, e.y + box.y2);
    Fill(canvas, e, color, seed, color);
}

void NoteLight(const Look& look, const Element& e, Color color, LightKind kind, Box box, bool blinking,
               bool burning)
{
    LampColor lampColor;
    if (look.lights == nullptr || !LampColorOf(color, lampColor))
        return;
    LitLight light;
    light.column = ColumnOf(e.x);
    light.left = e.x + std::min(box.x1, box.x2);
    light.right = e.x + std::max(box.x1, box.x2);
    light.top = e.y + std::min(box.y1, box.y2);
    light.bottom = e.y + std::max(box.y1, box.y2);
    light.color = lampColor;
    light.kind = kind;
    light.blinking = blinking;
    light.burning = burning;
    look.lights->Add(light);
}

void Lamps(Canvas& canvas, const Element& e, const Look& look, std::span<const LampRow> lamps)
{
    // Conditions only read, so testing a row again in the other phase changes nothing.
    Look otherPhase = look;
    otherPhase.blink = !look.blink;
    for (const LampRow& lamp : lamps) {
        const bool now = lamp.when(look);
        if (now)
            LitLamp(canvas, e, lamp.color, lamp.box, lamp.seed);
        if (look.lights == nullptr)
            continue;
        const bool other = lamp.when(otherPhase);
        if (now || other)
            NoteLight(look, e, lamp.color, LightKind::Lamp, lamp.box, now != other, now);
    }
}

void Designations(const DesignationWriter& writer, int panel, const Look& look,
                  std::span<const DesignationRow> rows)
{
    for (const DesignationRow& row : rows)
        if (row.when(look))
            writer.Write(panel, row.caption, row.hint);
}

} // namespace draw

namespace blocks {

using draw::Fill;
using draw::Outline;
using draw::Path;
using draw::RectOutline;

// --- Boards ----------------------------------------------------------------------------------

// White board with two black wedges that meet at (x, y-59).
void Board0(const ElementRoom& f, const Element& e)
{
    Canvas& c = f.canvas;
    // The rectangle keeps whatever pen the previous element left: both outlines below cover
    // its edge, so only its white interior remains.
    c.SetBrushColor(clWhite);
    c.Rectangle(e.x - 9, e.y - 74, e.x + 9, e.y - 43);
    // Unlike the stripes and plates, both edges run down from their top left corner.
    constexpr Offset kInnerEdge[] = {{-8, -73}, {-8, -43}, {8, -43}, {8, -73}, {-8, -73}};
    constexpr Offset kOuterEdge[] = {{-9, -74}, {-9, -44}, {9, -44}, {9, -74}, {-9, -74}};
    Outline(c, e, clBlack, kInnerEdge);
    Outline(c, e, clBlack, kOuterEdge);
    constexpr Offset kUpperWedge[] = {{-9, -74}, {0, -59}, {9, -74}, {6, -74}, {0, -64}, {-6, -74}, {-9, -74}};
    constexpr Offset kLowerWedge[] = {{-9, -44}, {0, -59}, {9, -44}, {6, -44}, {0, -54}, {-6, -44}, {-9, -44}};
    Outline(c, e, clBlack, kUpperWedge);
    Fill(c, e, clBlack, {-7, -72}, clBlack);
    Outline(c, e, clBlack, kLowerWedge);
    Fill(c, e, clBlack, {-7, -46}, clBlack);
}

// White square board with a black double edge and a black ring.
void Board78(const ElementRoom& f, const Element& e)
{
    Canvas& c = f.canvas;
    constexpr Offset kInnerEdge[] = {{-7, -20}, {8, -20}, {8, -38}, {-7, -38}, {-7, -20}};
    constexpr Offset kOuterEdge[] = {{-8, -21}, {9, -21}, {9, -39}, {-8, -39}, {-8, -21}};
    Outline(c, e, clBlack, kInnerEdge);
    Path(c, e, kOuterEdge);
    Fill(c, e, clWhite, {0, -22}, clBlack);
    c.SetPenColor(clBlack);
    c.SetPenWidth(1);
    // The brush is still white, so the ellipse leaves a ring.
    c.Ellipse(e.x - 4, e.y - 24, e.x + 6, e.y - 34);
}

// --- Plates ----------------------------------------------------------------------------------

enum class PlateKind {
    Sign,    // black edge, interior in ColPlate
    Marker,  // white throughout
};

struct PlateRow {
    std::int32_t code;
    PlateKind kind;
    std::int32_t left, right, top, bottom;
    Offset seed;
};

// Code 6 is a pair: each of its plates is outlined and filled before the next one.
constexpr PlateRow kPlates[] = {
    // code  kind               left right   top  bottom  seed
    {5,  PlateKind::Sign,   -10,  10,  -35,    -8, {0, -10}},
    {6,  PlateKind::Sign,   -21,  -1,  -35,    -8, {-2, -10}},
    {6,  PlateKind::Sign,    21,   1,  -35,    -8, {2, -10}},
    {9,  PlateKind::Marker,  -4,   4, -122,  -110, {0, -112}},
    {53, PlateKind::Marker,  -6,   6, -122,  -110, {0, -112}},
};

void Plate(const ElementRoom& f, const Element& e)
{
    for (const PlateRow& p : kPlates) {
        if (p.code != e.code)
            continue;
        const Color edge = p.kind == PlateKind::Sign ? clBlack : clWhite;
        const Color inside = p.kind == PlateKind::Sign ? f.colors.ColPlate : clWhite;
        RectOutline(f.canvas, e, edge, p.left, p.right, p.top, p.bottom, p.bottom);
        Fill(f.canvas, e, inside, p.seed, edge);
    }
}

// --- Mast bands ------------------------------------------------------------------------------

struct StripeRow {
    std::int32_t code;
    Color color;
    std::int32_t left, right, top, bottom;
    std::int32_t leftFrom;  // where the outline starts on the left edge
    Offset seed;
};

// Stripes of each band from top to bottom. They share their boundary rows, so the order
// matters: each stripe's outline repaints the bottom row of the stripe above it, and each fill
// runs before the next stripe is outlined.
constexpr StripeRow kStripes[] = {
    // code  colour    left right   top  bottom  leftFrom  seed
    {7,  clWhite,   -2,  1, -105,  -90,  -90, {0, -95}},
    {7,  clRed,     -2,  1,  -90,  -60,  -60, {0, -70}},
    {7,  clWhite,   -2,  1,  -60,  -45,  -45, {0, -55}},

    {8,  clWhite,   -2,  1, -105,  -93,  -93, {0, -95}},
    {8,  clYellow,  -2,  1,  -93,  -81,  -81, {0, -83}},
    {8,  clWhite,   -2,  1,  -81,  -69,  -69, {0, -71}},
    {8,  clYellow,  -2,  1,  -69,  -57,  -57, {0, -59}},
    {8,  clWhite,   -2,  1,  -57,  -45,  -45, {0, -47}},

    {52, clWhite,   -2,  2, -105,  -90,  -90, {0, -95}},
    {52, clRed,     -2,  2,  -90,  -60,  -60, {0, -70}},
    {52, clWhite,   -2,  2,  -60,  -45,  -45, {0, -55}},

    {79, clWhite,   -2,  2, -105,  -93,  -93, {0, -95}},
    {79, clBlack,   -2,  2,  -93,  -81,  -81, {0, -83}},
    {79, clWhite,   -2,  2,  -81,  -69,  -69, {0, -71}},
    {79, clBlack,   -2,  2,  -69,  -57,  -57, {0, -59}},
    {79, clWhite,   -2,  2,  -57,  -45,  -45, {0, -47}},

    // The red stripe's left edge runs on down to y-60; the white stripe below repaints it.
    {80, clWhite,   -2,  2, -105,  -90,  -90, {0, -95}},
    {80, clRed,     -2,  2,  -90,  -75,  -60, {0, -80}},
    {80, clWhite,   -2,  2,  -75,  -60,  -60, {0, -65}},

    {81, clWhite,   -2,  2, -105,  -90,  -90, {0, -95}},
    {81, clRed,     -2,  2,  -90,  -75,  -60, {0, -80}},
    {81, clWhite,   -2,  2,  -75,  -60,  -60, {0, -65}},

    // The top stripe's left edge starts at y-90, inside the red stripe that covers it.
    {57, clWhite,   -4,  4, -112, -104,  -90, {0, -106}},
    {57, clRed,     -4,  4, -104,  -88,  -88, {0, -90}},
    {57, clWhite,   -4,  4,  -88,  -80,  -80, {0, -84}},
};

struct TriangleRow {
    std::int32_t code;
    std::array<Offset, 4> outline;
    Offset seed;
};

constexpr TriangleRow kTriangles[] = {
    // code  outline                                       seed
    {57, {{{-4, -72}, {4, -72}, {0, -40}, {-4, -72}}}, {0, -70}},
    {80, {{{-2, -60}, {2, -60}, {0, -45}, {-2, -60}}}, {0, -55}},
};

void MastBand(const ElementRoom& f, const Element& e)
{
    for (const StripeRow& s : kStripes) {
        if (s.code != e.code)
            continue;
        RectOutline(f.canvas, e, s.color, s.left, s.right, s.top, s.bottom, s.leftFrom);
        Fill(f.canvas, e, s.color, s.seed, s.color);
    }
}

void YellowTriangle(const ElementRoom& f, const Element& e)
{
    for (const TriangleRow& t : kTriangles) {
        if (t.code != e.code)
            continue;
        Outline(f.canvas, e, clYellow, t.outline);
        Fill(f.canvas, e, clYellow, t.seed, clYellow);
    }
}

void MastBandWithTriangle(const ElementRoom& f, const Element& e)
{
    MastBand(f, e);
    YellowTriangle(f, e);
}

// --- Masts -----------------------------------------------------------------------------------

struct MastRow {
    std::int32_t code;
    int penWidth;               // draws the foot and the shaft
    std::array<Offset, 4> foot;
    int footPoints;
    std::int32_t shaftBottom;   // the shaft runs up from (x, y+shaftBottom) to (x, y+shaftTop)
    std::int32_t shaftTop;
};

constexpr MastRow kMasts[] = {
    // code width  foot                                               points shaft
    {1,  4, {{{-7, 4}, {0, -31}, {7, 4}}},                             3, -31, -179},
    {2,  4, {{{-7, 4}, {0, -31}, {7, 4}}},                             3, -31, -199},
    {3,  4, {{{-7, 4}, {0, -31}, {7, 4}}},                             3, -31, -219},
    {4,  4, {{{-7, 4}, {0, -31}, {7, 4}}},                             3, -31, -160},
    {35, 4, {{{-6, 4}, {0, -12}, {6, 4}}},                             3,   4, -160},
    {56, 5, {{{-5, 4}, {-3, -13}, {2, -13}, {4, 4}}},                  4,   4, -219},
};

// Masts drawn as lines in ColStructure: a foot, then the shaft, no fill.
void Mast(const ElementRoom& f, const Element& e)
{
    const auto row = std::find_if(std::begin(kMasts), std::end(kMasts), [&e](const MastRow& r) { return r.code == e.code; });
    if (row == std::end(kMasts))
        return;
    Canvas& c = f.canvas;
    c.SetPenColor(f.colors.ColStructure);
    c.SetPenWidth(row->penWidth);
    Path(c, e, std::span(row->foot).first(static_cast<std::size_t>(row->footPoints)));
    const Offset shaft[] = {{0, row->shaftBottom}, {0, row->shaftTop}};
    Path(c, e, shaft);
}

// Code 76: a slim filled mast.
void SlimMast(const ElementRoom& f, const Element& e)
{
    const Color structure = f.colors.ColStructure;
    constexpr Offset kShaft[] = {{-2, 4}, {-2, -200}, {2, -200}, {2, 4}, {-2, 4}};
    Outline(f.canvas, e, structure, kShaft);
    Fill(f.canvas, e, structure, {0, 0}, structure);
}

// Code 51: foot, shaft, bracket and post filled in ColStructure, then an open frame.
void KsMast(const ElementRoom& f, const Element& e)
{
    Canvas& c = f.canvas;
    const Color structure = f.colors.ColStructure;
    constexpr Offset kFoot[] = {{-8, 3}, {-4, -9}, {4, -9}, {8, 3}, {-8, 3}};
    constexpr Offset kShaft[] = {{-4, -9}, {-4, -160}, {4, -160}, {4, -9}, {-4, -9}};
    constexpr Offset kBracket[] = {{-4, -160}, {-24, -160}, {-21, -154}, {-4, -154}};
    constexpr Offset kPost[] = {{-18, -160}, {-18, -202}, {-14, -202}, {-14, -160}, {-18, -160}};
    constexpr Offset kFrame[] = {{0, -160}, {-8, -160}, {-8, -202}, {20, -202}, {20, -160}, {0, -160}, {0, -202}};

    Outline(c, e, structure, kFoot);
    Fill(c, e, structure, {0, -2}, structure);
    Outline(c, e, structure, kShaft);
    Fill(c, e, structure, {0, -11}, structure);
    Path(c, e, kBracket);
    Fill(c, e, structure, {-6, -156}, structure);
    Outline(c, e, structure, kPost);
    Fill(c, e, structure, {-16, -170}, structure);
    c.SetPenWidth(2);
    Path(c, e, kFrame);
}

// --- Foundations -----------------------------------------------------------------------------

// Under every mast. With the anchor at y = 400 it ends at y = 413, just above the ground strip.
void Foundation(const ElementRoom& f, const Element& e)
{
    const Color medium = f.colors.ColMedium;
    constexpr Offset kOutline[] = {{-10, 13}, {-10, 6}, {-9, 4}, {9, 4}, {10, 6}, {10, 13}, {-10, 13}};
    Outline(f.canvas, e, medium, kOutline);
    Fill(f.canvas, e, medium, {-9, 10}, medium);
}

// Code 36: the foundation of the low shunting signal.
void NarrowFoundation(const ElementRoom& f, const Element& e)
{
    const Color medium = f.colors.ColMedium;
    constexpr Offset kOutline[] = {{-8, 13}, {-8, 6}, {-7, 4}, {7, 4}, {8, 6}, {8, 13}, {-8, 13}};
    Outline(f.canvas, e, medium, kOutline);
    Fill(f.canvas, e, medium, {-7, 10}, medium);
}

// --- Dispatcher ------------------------------------------------------------------------------

// The element codes that select one block.
class CodeSet {
public:
    constexpr CodeSet(std::initializer_list<std::int32_t> codes)
    {
        for (std::int32_t code : codes)
            m_codes[m_size++] = code;
    }
    constexpr bool Contains(std::int32_t code) const
    {
        return std::find(m_codes.begin(), m_codes.begin() + m_size, code) != m_codes.begin() + m_size;
    }

private:
    std::array<std::int32_t, 8> m_codes {};
    std::size_t m_size = 0;
};

struct BlockRow {
    CodeSet codes;
    Block run;
};

// Every row whose codes hold the element's code runs, top to bottom. The order is part of the
// picture: a mast's foundation comes after its mast, code 57 runs its band and then its
// triangle, and a code that no row names draws nothing.
constexpr BlockRow kBlocks[] = {
    {{0},                                Board0},
    {{78},                               Board78},
    {{9},                                Plate},
    {{53},                               Plate},
    {{5},                                Plate},
    {{6},                                Plate},
    {{7},                                MastBand},
    {{80},                               MastBandWithTriangle},
    {{81},                               MastBand},
    {{79},                               MastBand},
    {{52},                               MastBand},
    {{57},                               MastBand},
    {{57},                               YellowTriangle},
    {{8},                                MastBand},
    {{1},                                Mast},
    {{2},                                Mast},
    {{3},                                Mast},
    {{76},                               SlimMast},
    {{56},                               Mast},
    {{4},                                Mast},
    {{35},                               Mast},
    {{51},                               KsMast},
    {{1, 2, 3, 4, 35, 51, 56, 76},       Foundation},
    {{36},                               NarrowFoundation},
    {{20},                               HvBlockSignal20},
    {{30},                               TrackChange30},
    {{10, 12},                           HvDistant10_12},
    {{14, 17},                           HvDistantAtMain14_17},
    {{25},                               HvMainSignal25},
    {{33, 34},                           Shunting33_34},
    {{27, 31},                           SpeedIndicator27_31},
    {{32},                               SpeedPreIndicator32},
    {{21},                               HvEntrySignal21},
    {{50},                               KsMainSignal50},
    {{54},                               KsDistant54},
    {{55},                               KsMainSignal55},
    {{59},                               KsDistant59},
    {{70},                               HlMainSignal70},
    {{71},                               HlLightStrip71},
    {{72},                               HlDistant72},
    {{73},                               HlTrackChangeBox73},
    {{77},                               HlDeadEndBox77},
    {{74},                               HlSignal74},
    {{75},                               HlShunting75},
};

} // namespace blocks

void DrawElement(const ElementRoom& room, const Element& e)
{
    for (const blocks::BlockRow& block : blocks::kBlocks) {
        if (block.codes.Contains(e.code))
            block.run(room, e);
    }
}

} // namespace lumaro
