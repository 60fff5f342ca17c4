// Supplementary indicators and shunting signals: 27/31, 30, 32, 33/34. They stand in the H/V and
// the Ks scene alike and change their look with the selected system.

#include "render/elements.h"
#include "render/hint_texts.h"
#include "render/panels.h"

#include <cstddef>
#include <iterator>
#include <span>

namespace lumaro::blocks {

namespace {

using namespace field;
using draw::Designations;
using draw::Fill;
using draw::Lamps;
using draw::LitLamp;
using draw::Outline;
using draw::Path;

// --- Designation texts -----------------------------------------------------------------------

constexpr const char* kHintSpeed20 =
    "Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (20 km/h)";

// --- Conditions ------------------------------------------------------------------------------

bool HvLook(const Look& l) { return l.system == System::HV; }
bool KsLook(const Look& l) { return l.system == System::Ks; }

bool OwnHalt(const Look& l) { return Any(l.own, {Halt}); }
bool OwnRangier(const Look& l) { return Any(l.own, {Rangier}); }
bool OwnKennlicht(const Look& l) { return Any(l.own, {Kennlicht}); }
bool OwnShuntingOrIdentification(const Look& l) { return Any(l.own, {Rangier, Kennlicht}); }
bool OwnHaltOnTwoLamps(const Look& l) { return OwnHalt(l) && HvLook(l); }
bool OwnGwb(const Look& l) { return Any(l.own, {Gwb}); }
// The speed indicator reports "dunkel" whenever its digit is dark; the track-change indicator
// only while its field is exactly 0.
bool OwnGwbNotSet(const Look& l) { return !OwnGwb(l); }
bool OwnGwbZero(const Look& l) { return l.own.Gwb == 0; }
bool OwnAux12(const Look& l) { return Any(l.own, {Aux12}); }
bool OwnAux12NotSet(const Look& l) { return !OwnAux12(l); }
bool OwnKmh40(const Look& l) { return Any(l.own, {Kmh40}); }
bool OwnKmh60(const Look& l) { return Any(l.own, {Kmh60}); }
bool OwnKmh80(const Look& l) { return Any(l.own, {Kmh80}); }
bool OwnKmh100(const Look& l) { return Any(l.own, {Kmh100}); }
// The pre-indicator stays dark while the signal it is mounted with stops the train or lets it
// pass only on a substitute or caution signal.
bool OwnStopsTrain(const Look& l) { return Any(l.own, {Halt, Ersatz, Vorsicht}); }

bool NextGwb(const Look& l) { return Any(l.next, {Gwb}); }
bool NextKmh60(const Look& l) { return Any(l.next, {Kmh60}); }
bool NextKmh80(const Look& l) { return Any(l.next, {Kmh80}); }
bool NextKmh100(const Look& l) { return Any(l.next, {Kmh100}); }
// A lower speed ahead is announced only while the own signal allows a higher one.
bool Announce2(const Look& l) { return Any(l.next, {Aux12}) && l.own.Halt != 1; }
bool Announce4(const Look& l) { return Any(l.next, {Kmh40}) && Any(l.own, {Kmh60, Kmh80, Kmh100, Fahrt}); }
bool Announce6(const Look& l) { return Any(l.next, {Kmh60}) && Any(l.own, {Kmh80, Kmh100, Fahrt}); }
bool Announce8(const Look& l) { return Any(l.next, {Kmh80}) && Any(l.own, {Kmh100, Fahrt}); }
bool Announce10(const Look& l) { return Any(l.next, {Kmh100}) && Any(l.own, {Fahrt}); }

// --- Shared drawing --------------------------------------------------------------------------

// An outline whose pen, brush and fill border are all `color`.
void FilledOutline(Canvas& c, const Element& e, Color color, std::span<const Offset> points, Offset seed)
{
    Outline(c, e, color, points);
    Fill(c, e, color, seed, color);
}

// What the lit symbols and digits of codes 27, 30, 31 and 32 cover, as noted lights.
constexpr Box kSymbolBox {-8, -287, 9, -265};

// The open frame around the black box of the Ks look of codes 27, 30, 31 and 32.
constexpr Offset kKsFrame[] = {{-9, -265}, {9, -265}, {9, -288}, {-9, -288}, {-9, -265}};
// The black box that carries the symbol or the digits in both looks.
constexpr Offset kBox[] = {{-8, -266}, {8, -266}, {8, -287}, {-8, -287}, {-8, -266}};

// --- Digit glyphs ----------------------------------------------------------------------------

using Digits = unsigned;
enum : Digits {
    kNoDigit = 0,
    kDigit2 = 1u << 0,
    kDigit4 = 1u << 1,
    kDigit6 = 1u << 2,
    kDigit8 = 1u << 3,
    kDigit10 = 1u << 4,
};

// A digit shown while its condition holds; several may be shown over one another.
struct DigitRow {
    Digits digit;
    Condition when;
};

Digits SelectedDigits(const Look& look, std::span<const DigitRow> rows)
{
    Digits selected = kNoDigit;
    for (const DigitRow& row : rows)
        if (row.when(look))
            selected |= row.digit;
    return selected;
}

// Line digits (Ks look). A ring is an outline in the digit colour with a black inside: the
// outer ellipse takes whatever brush is current, the inner black ellipse and the black fill
// that follow make the inside black either way.
struct Ring {
    Box outer;
    Box inner;
    Offset seed;
};

using Polyline = std::span<const Offset>;

constexpr Offset kStroke2[] = {{-5, -281}, {-4, -282}, {-4, -283}, {-3, -284}, {-2, -284}, {-1, -285},
                               {0, -285},  {1, -284},  {2, -284},  {3, -283},  {3, -282},  {4, -281},
                               {4, -280},  {4, -279},  {3, -277},  {-5, -269}, {5, -269}};
constexpr Offset kStroke4Slant[] = {{1, -283}, {-5, -273}, {5, -273}};
constexpr Offset kStroke4Stem[] = {{2, -276}, {2, -269}};
constexpr Offset kStroke6Neck[] = {{1, -284}, {-5, -275}};
constexpr Offset kStroke10One[] = {{-6, -282}, {-3, -285}, {-3, -269}};
constexpr Offset kStroke10ZeroRight[] = {{3, -285}, {4, -285}, {5, -284}, {5, -271}, {4, -270}, {2, -270}};
constexpr Offset kStroke10ZeroLeft[] = {{1, -271}, {1, -284}, {2, -285}, {3, -285}};

constexpr Polyline kLines2[] = {kStroke2};
constexpr Polyline kLines4[] = {kStroke4Slant, kStroke4Stem};
constexpr Polyline kLines6[] = {kStroke6Neck};
constexpr Polyline kLines10[] = {kStroke10One, kStroke10ZeroRight, kStroke10ZeroLeft};

constexpr Ring kLowerRing {{-5, -278, 5, -268}, {-4, -277, 4, -269}, {0, -273}};
// Its fill is seeded in the lower ring, whose inside is black by then: the upper ring's inside
// is black only because the brush already is.
constexpr Ring kUpperRing {{-4, -285, 4, -277}, {-3, -284, 3, -278}, {0, -273}};

constexpr Ring kRings6[] = {kLowerRing};
constexpr Ring kRings8[] = {kLowerRing, kUpperRing};

// Each digit draws its rings first, then its polylines.
struct LineDigitRow {
    Digits digit;
    std::span<const Ring> rings;
    std::span<const Polyline> lines;
};

// Selected digits are drawn in this order.
constexpr LineDigitRow kLineDigits[] = {
    // digit    rings     polylines
    {kDigit2,  {},       kLines2},
    {kDigit4,  {},       kLines4},
    {kDigit6,  kRings6,  kLines6},
    {kDigit8,  kRings8,  {}},
    {kDigit10, {},       kLines10},
};

void DrawRing(Canvas& c, const Element& e, Color color, const Ring& ring)
{
    c.SetPenColor(color);
    c.Ellipse(e.x + ring.outer.x1, e.y + ring.outer.y1, e.x + ring.outer.x2, e.y + ring.outer.y2);
    c.SetPenColor(clBlack);
    c.Ellipse(e.x + ring.inner.x1, e.y + ring.inner.y1, e.x + ring.inner.x2, e.y + ring.inner.y2);
    Fill(c, e, clBlack, ring.seed, clBlack);
}

// Draws with the pen width that is set (1 in every caller).
void LineDigits(Canvas& c, const Element& e, Color color, Digits selected)
{
    for (const LineDigitRow& row : kLineDigits) {
        if (!(selected & row.digit))
            continue;
        for (const Ring& ring : row.rings)
            DrawRing(c, e, color, ring);
        for (const Polyline& line : row.lines) {
            c.SetPenColor(color);
            Path(c, e, line);
        }
    }
}

// Dot matrix (H/V look): for each grid position, the digits that light it. "10" is a one-column
// "1" beside a narrow "0"; there is no "4".
constexpr std::int32_t kMatrixColumns[] = {-6, -3, 0, 3, 6};
constexpr std::int32_t kMatrixRows[] = {-286, -283, -280, -277, -274, -271, -268};

constexpr Digits k2_6_8 = kDigit2 | kDigit6 | kDigit8;
constexpr Digits k6_8_10 = kDigit6 | kDigit8 | kDigit10;
constexpr Digits k2_8_10 = kDigit2 | kDigit8 | kDigit10;

constexpr Digits kDotMatrix[7][5] = {
    // x-6                 x-3                x                   x+3                 x+6
    {kDigit10,            k2_6_8,            k2_6_8,             k2_6_8 | kDigit10,  kNoDigit},  // y-286
    {kDigit2 | k6_8_10,   kNoDigit,          kDigit10,           kNoDigit,           k2_8_10},   // y-283
    {k6_8_10,             kNoDigit,          kDigit10,           kNoDigit,           k2_8_10},   // y-280
    {kDigit6 | kDigit10,  kDigit6 | kDigit8, k6_8_10,            k2_6_8,             kDigit10},  // y-277
    {k6_8_10,             kNoDigit,          kDigit2 | kDigit10, kNoDigit,           k6_8_10},   // y-274
    {k6_8_10,             kDigit2,           kDigit10,           kNoDigit,           k6_8_10},   // y-271
    {kDigit2 | kDigit10,  k2_6_8,            k2_6_8,             k2_6_8 | kDigit10,  kDigit2},   // y-268
};

// Each lit dot is drawn once, row by row from the top, left to right. The caller sets pen
// (width 1) and brush to `color` once before: the dots themselves set nothing.
void DotMatrix(Canvas& c, const Element& e, Color color, Digits selected)
{
    for (std::size_t row = 0; row < std::size(kMatrixRows); ++row) {
        for (std::size_t col = 0; col < std::size(kMatrixColumns); ++col) {
            if (!(kDotMatrix[row][col] & selected))
                continue;
            const std::int32_t px = e.x + kMatrixColumns[col];
            const std::int32_t py = e.y + kMatrixRows[row];
            c.Ellipse(px, py, px + 2, py + 2);
            c.FloodFill(px, py, color);
        }
    }
}

// Pen width 1 and pen and brush in the digit colour, for the line digits and the dot matrix.
void DigitPen(Canvas& c, Color color)
{
    c.SetPenWidth(1);
    c.SetPenColor(color);
    c.SetBrushColor(color);
}

// --- Code 30: track-change indicator ---------------------------------------------------------

constexpr Offset kTrackChangeDiamond[] = {{0, -295}, {19, -276}, {0, -257}, {-19, -276}, {0, -295}};
constexpr Offset kTrackChangeStroke[] = {{4, -268}, {4, -274}, {-4, -279}, {-4, -285}};

// A two-dot-wide band down the upper left, across, and down the lower right; each dot a lamp of
// its own, so the first one's inside takes the brush left by the box fill.
constexpr Offset kTrackChangeDots[] = {
    {-6, -286}, {-3, -286}, {-6, -283}, {-3, -283}, {-6, -280}, {-3, -280},
    {-6, -277}, {-3, -277}, {0, -277},  {3, -277},  {6, -277},
    {3, -274},  {6, -274},  {3, -271},  {6, -271},  {3, -268},  {6, -268},
};

constexpr DesignationRow kTrackChangeDesignations[] = {
    // condition   caption  hint
    {OwnGwb,     "Zs 6",  kHintTrackChange},
    {OwnGwbZero, "",      "dunkel"},
};

// What the indicator passes on from the signal ahead to the distant signal behind it, in this
// order.
constexpr FieldPtr kTrackChangeCopied[] = {Halt, Fahrt, Kmh40, Ersatz, Aux12};

void TrackChangeSymbol(Canvas& c, const Element& e, const Look& look)
{
    if (!OwnGwb(look))
        return;
    if (KsLook(look) || HvLook(look))
        draw::NoteLight(look, e, clWhite, LightKind::Figure, kSymbolBox, false);
    if (KsLook(look))
        Outline(c, e, clWhite, kTrackChangeStroke);
    if (HvLook(look))
        for (const Offset& dot : kTrackChangeDots)
            LitLamp(c, e, clWhite, {dot.dx, dot.dy, dot.dx + 2, dot.dy + 2}, dot);
}

// The own record becomes what the distant signal behind announces: the signal ahead, or, while
// the indicator is lit, no aspect but the additional light.
void PassOnAspect(SignalRecord& own, const SignalRecord& next)
{
    CopyFields(own, next, kTrackChangeCopied);
    if (own.Gwb != 1)
        return;
    own.Halt = 0;
    own.Fahrt = 0;
    own.Kmh40 = 0;
    own.Ersatz = 0;
    own.Aux12 = 1;
}

// --- Codes 33 and 34: shunting signals -------------------------------------------------------

constexpr Offset kShuntingScreen[] = {{-6, -35}, {6, -35}, {13, -28}, {13, -18}, {-13, -18}, {-13, -28}, {-6, -35}};
constexpr Offset kShuntingSquare[] = {{2, -26}, {6, -26}, {6, -20}, {2, -20}, {2, -26}};
constexpr Offset kShuntingFoot[] = {{-3, -18}, {2, -18}, {2, -14}, {-3, -14}, {-3, -18}};

// The white-red-white marker of the dwarf signal (code 33), top to bottom, each square outlined
// and filled before the next.
struct MarkerSquare {
    Color color;
    Offset outline[5];
    Offset seed;
};

constexpr MarkerSquare kDwarfMarker[] = {
    {clWhite, {{9, -28}, {12, -28}, {12, -25}, {9, -25}, {9, -28}}, {10, -26}},
    {clRed,   {{9, -24}, {12, -24}, {12, -21}, {9, -21}, {9, -24}}, {10, -22}},
    {clWhite, {{9, -20}, {12, -20}, {12, -17}, {9, -17}, {9, -20}}, {10, -18}},
};

constexpr LampRow kShuntingLamps[] = {
    // condition                     colour   Ellipse corners     seed
    {OwnHaltOnTwoLamps,           clRed,   {-8, -32, -4, -27}, {-7, -30}},  // left red
    {OwnHalt,                     clRed,   {5, -32, 9, -27},   {7, -30}},   // right red
    {OwnShuntingOrIdentification, clWhite, {0, -32, 4, -27},   {2, -30}},   // upper white
    {OwnRangier,                  clWhite, {-8, -25, -4, -20}, {-7, -23}},  // lower white
};

// A later matching row replaces an earlier one.
constexpr DesignationRow kHighShuntingDesignations[] = {
    {OwnKennlicht, "Ke",   "Kennlicht"},
    {OwnHalt,      "Hp 0", "Halt"},
};
constexpr DesignationRow kDwarfShuntingDesignations[] = {
    {OwnRangier, "Sh 1", "Rangierverbot aufgehoben"},
    {OwnHalt,    "Hp 0", "Halt"},
};

// The panel and its rows follow the next record, not the code.
void ShuntingDesignations(const ElementRoom& r, const Element& e, const Look& look)
{
    const PanelPlace* place = FindPanel(kPanelsWrittenBy<33, 34>, e.next);
    if (!place)
        return;
    const auto rows = place->code == 34 ? std::span(kHighShuntingDesignations) : std::span(kDwarfShuntingDesignations);
    Designations(r.designations, place->panel, look, rows);
}

// --- Codes 27 and 31: speed indicator --------------------------------------------------------

constexpr Offset kSpeedIndicatorBar[] = {{-13, -254}, {-13, -266}, {13, -266}, {13, -254}, {-13, -254}};
constexpr Offset kSpeedIndicatorTriangle[] = {{-20, -266}, {20, -266}, {0, -300}, {-20, -266}};
constexpr Offset kKsBracket[] = {{0, -265}, {0, -263}};

constexpr DigitRow kSpeedDigitsHv[] = {
    {kDigit2,  OwnGwb},
    {kDigit6,  OwnKmh60},
    {kDigit8,  OwnKmh80},
    {kDigit10, OwnKmh100},
};
constexpr DigitRow kSpeedDigitsKs[] = {
    {kDigit2,  OwnAux12},
    {kDigit4,  OwnKmh40},
    {kDigit6,  OwnKmh60},
    {kDigit8,  OwnKmh80},
    {kDigit10, OwnKmh100},
};

constexpr DesignationRow kSpeedDesignationsHv[] = {
    {OwnGwb,       "Zs 3 \"2\"", kHintSpeed20},
    {OwnGwbNotSet, "",           "dunkel"},
};
constexpr DesignationRow kSpeedDesignationsKs[] = {
    {OwnAux12,       "Zs 3 \"2\"", kHintSpeed20},
    {OwnAux12NotSet, "",           "dunkel"},
};

// Only the stand-alone indicator names its speed; on a main signal the main signal does. Its
// rows follow the line its next record belongs to, not the look.
void SpeedIndicatorDesignations(const ElementRoom& r, const Element& e, const Look& look)
{
    const PanelPlace* place = FindPanel(kPanelsWrittenBy<27, 31>, e.next);
    if (!place)
        return;
    const auto rows = place->system == System::HV ? std::span(kSpeedDesignationsHv) : std::span(kSpeedDesignationsKs);
    Designations(r.designations, place->panel, look, rows);
}

// --- Code 32: speed pre-indicator ------------------------------------------------------------

constexpr Offset kPreIndicatorTriangle[] = {{-20, -287}, {20, -287}, {0, -253}, {-20, -287}};

constexpr DigitRow kPreDigitsHv[] = {
    {kDigit2,  NextGwb},
    {kDigit6,  NextKmh60},
    {kDigit8,  NextKmh80},
    {kDigit10, NextKmh100},
};
constexpr DigitRow kPreDigitsKs[] = {
    {kDigit2,  Announce2},
    {kDigit4,  Announce4},
    {kDigit6,  Announce6},
    {kDigit8,  Announce8},
    {kDigit10, Announce10},
};

} // namespace

void TrackChange30(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    if (HvLook(look))
        FilledOutline(c, e, clBlack, kTrackChangeDiamond, {1, -292});
    if (KsLook(look))
        Outline(c, e, clBlack, kKsFrame);
    FilledOutline(c, e, clBlack, kBox, {0, -270});
    TrackChangeSymbol(c, e, look);
    // Whatever next record it is given.
    if (HvLook(look) || KsLook(look))
        Designations(r.designations, PanelIn(kPanelsWrittenBy<30>, look.system), look, kTrackChangeDesignations);
    // Runs before the distant signal behind it in every paint, which so announces the copy.
    WriteOwnRecord(r, e, {e.next}, [&](SignalRecord& own) { PassOnAspect(own, look.next); });
}

void Shunting33_34(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    FilledOutline(c, e, clBlack, kShuntingScreen, {12, -20});
    FilledOutline(c, e, clWhite, kShuntingSquare, {4, -22});
    FilledOutline(c, e, clBlack, kShuntingFoot, {0, -16});
    if (e.code == 33)
        for (const MarkerSquare& square : kDwarfMarker)
            FilledOutline(c, e, square.color, square.outline, square.seed);
    Lamps(c, e, look, kShuntingLamps);
    ShuntingDesignations(r, e, look);
}

void SpeedIndicator27_31(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    c.SetPenColor(clBlack);
    c.SetPenWidth(1);
    if (HvLook(look)) {
        if (e.code == 27)
            FilledOutline(c, e, clBlack, kSpeedIndicatorBar, {0, -260});
        FilledOutline(c, e, clBlack, kSpeedIndicatorTriangle, {0, -270});
    }
    if (KsLook(look)) {
        Outline(c, e, clBlack, kKsFrame);
        c.SetPenWidth(3);
        Path(c, e, kKsBracket);
    }
    // The box keeps the pen width left by the steps above: 3 in the Ks look, 1 otherwise.
    c.SetPenColor(clBlack);
    Path(c, e, kBox);
    Fill(c, e, clBlack, {0, -270}, clBlack);
    DigitPen(c, clWhite);
    Digits shown = kNoDigit;
    if (KsLook(look)) {
        shown = SelectedDigits(look, kSpeedDigitsKs);
        LineDigits(c, e, clWhite, shown);
    }
    if (HvLook(look)) {
        shown = SelectedDigits(look, kSpeedDigitsHv);
        DotMatrix(c, e, clWhite, shown);
    }
    if (shown != kNoDigit)
        draw::NoteLight(look, e, clWhite, LightKind::Figure, kSymbolBox, false);
    SpeedIndicatorDesignations(r, e, look);
}

void SpeedPreIndicator32(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    c.SetPenColor(clBlack);
    c.SetPenWidth(1);
    if (HvLook(look))
        FilledOutline(c, e, clBlack, kPreIndicatorTriangle, {0, -270});
    if (KsLook(look))
        Outline(c, e, clBlack, kKsFrame);
    Outline(c, e, clBlack, kBox);
    Fill(c, e, clBlack, {0, -281}, clBlack);
    Fill(c, e, clBlack, {0, -284}, clBlack);
    DigitPen(c, clYellow);
    Digits shown = kNoDigit;
    if (KsLook(look)) {
        shown = SelectedDigits(look, kPreDigitsKs);
        LineDigits(c, e, clYellow, shown);
    }
    if (HvLook(look) && !OwnStopsTrain(look)) {
        shown = SelectedDigits(look, kPreDigitsHv);
        DotMatrix(c, e, clYellow, shown);
    }
    if (shown != kNoDigit)
        draw::NoteLight(look, e, clYellow, LightKind::Figure, kSymbolBox, false);
}

} // namespace lumaro::blocks
