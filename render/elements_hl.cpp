// Hl signals: main signal 70, light strip 71, distant signal 72, boxes 73 and 77, signals 74 and 75.

#include "render/elements.h"
#include "render/hint_texts.h"
#include "render/panels.h"

#include <span>

namespace lumaro::blocks {

namespace {

using namespace field;
namespace hl = records::hl;
using draw::Designations;
using draw::Fill;
using draw::Lamps;
using draw::Outline;
using draw::Path;

constexpr Color kGreen = clLampGreen;

// --- Designation texts -----------------------------------------------------------------------

constexpr const char* kHintDeadEnd =
    "Stumpfgleis- und Frühhaltanzeiger - Fahrt in ein Stumpfgleis\r\n"
    "oder in ein Gleis mit verkürztem Einfahrweg";
constexpr const char* kHintShunting = "Rangierfahrtsignal - Rangierfahrt erlaubt";
constexpr const char* kHintStopExpected = "Halt erwarten";
constexpr const char* kHintReduceTo40Or60 = "Höchstgeschwindigkeit auf 40 km/h (60 km/h) ermäßigen";
constexpr const char* kHintReduceTo100 = "Höchstgeschwindigkeit auf 100 km/h ermäßigen";

// --- Conditions ------------------------------------------------------------------------------

bool OwnHalt(const Look& l) { return Any(l.own, {Halt}); }
bool OwnFahrt(const Look& l) { return Any(l.own, {Fahrt}); }
bool OwnErsatz(const Look& l) { return Any(l.own, {Ersatz}); }
bool OwnRangier(const Look& l) { return Any(l.own, {Rangier}); }
bool OwnNoRangier(const Look& l) { return l.own.Rangier == 0; }
bool OwnKennlicht(const Look& l) { return Any(l.own, {Kennlicht}); }
bool OwnKmh100(const Look& l) { return Any(l.own, {Kmh100}); }
bool OwnKmh60(const Look& l) { return Any(l.own, {Kmh60}); }
bool OwnTrackChange(const Look& l) { return Any(l.own, {Gwb}); }
bool OwnNoTrackChange(const Look& l) { return l.own.Gwb == 0; }
// 80 km/h is no Hl speed: a record with only Kmh80 set does not proceed here.
bool OwnProceeds(const Look& l) { return Any(l.own, {Fahrt, Kmh40, Kmh60, Kmh100}); }
bool OwnReducedSpeed(const Look& l) { return Any(l.own, {Kmh40, Kmh60, Kmh100}); }
bool OwnRedLamp(const Look& l) { return Any(l.own, {Halt, Rangier, Ersatz}); }
// The substitute signal flashes; the shunting permission and the identification light burn.
bool OwnLowerWhite(const Look& l)
{
    return Any(l.own, {Rangier, Kennlicht}) || (OwnErsatz(l) && l.blink);
}

bool NextStops(const Look& l) { return Any(l.next, {Halt, Ersatz}); }
bool NextSlow(const Look& l) { return Any(l.next, {Kmh40, Kmh60}); }
bool NextClear(const Look& l) { return Any(l.next, {Fahrt}); }
bool Next100(const Look& l) { return Any(l.next, {Kmh100}); }
bool NextShortened(const Look& l) { return Any(l.next, {Aux12}); }

// What a main signal announces. The track-change indicator stands for a clear track ahead,
// whatever the next record says.
bool AheadClear(const Look& l) { return NextClear(l) || OwnTrackChange(l); }
bool AheadStop(const Look& l) { return NextStops(l) && OwnNoTrackChange(l); }
bool AheadSlow(const Look& l) { return NextSlow(l); }
bool Ahead100(const Look& l) { return Next100(l); }

// A designation of the full list: what lies ahead combined with the own speed field.
template <Condition ahead, FieldPtr speed>
bool AheadAnd(const Look& l)
{
    return ahead(l) && l.own.*speed == 1;
}

// --- Screens and boxes -----------------------------------------------------------------------

// A black plate: outline, then a fill from `seed`.
void Screen(Canvas& c, const Element& e, std::span<const Offset> outline, Offset seed)
{
    Outline(c, e, clBlack, outline);
    Fill(c, e, clBlack, seed, clBlack);
}

constexpr Offset kMainScreen[] = {{-12, -165}, {12, -165}, {12, -224}, {9, -227}, {-9, -227},
                                  {-12, -224}, {-12, -165}};
constexpr Offset kShortScreen[] = {{-12, -182}, {12, -182}, {12, -224}, {9, -227}, {-9, -227},
                                   {-12, -224}, {-12, -182}};
constexpr Offset kShortScreenSeed = {0, -183};
constexpr Offset kIndicatorBox[] = {{-8, -263}, {8, -263}, {8, -287}, {-8, -287}, {-8, -263}};
constexpr Offset kIndicatorBoxSeed = {0, -270};
// What the dots of the indicator boxes cover, as noted lights.
constexpr Box kIndicatorBoxLights {-6, -286, 8, -264};

// --- Code 70: main signal --------------------------------------------------------------------

// The upper lamps announce the signal ahead, and only while this one proceeds. A shunting
// permission ahead lights the steady yellow like a stop, though it names no stop ahead.
bool UpperLeftSteady(const Look& l)
{
    return Any(l.next, {Halt, Rangier, Ersatz}) && OwnNoTrackChange(l) && OwnProceeds(l);
}
bool UpperLeftFlashing(const Look& l) { return NextSlow(l) && OwnProceeds(l) && l.blink; }
bool UpperRightSteady(const Look& l) { return AheadClear(l) && OwnProceeds(l); }
bool UpperRightFlashing(const Look& l) { return Next100(l) && OwnProceeds(l) && l.blink; }

// A lamp whose steady and flashing rows both hold is drawn twice.
constexpr LampRow kMainLamps[] = {
    // condition            colour    Ellipse corners         seed
    {UpperLeftSteady,     clYellow, {-9, -220, -2, -213}, {-5, -215}},
    {UpperLeftFlashing,   clYellow, {-9, -220, -2, -213}, {-5, -215}},
    {UpperRightSteady,    kGreen,   {2, -220, 9, -213},   {5, -215}},
    {UpperRightFlashing,  kGreen,   {2, -220, 9, -213},   {5, -215}},
    {OwnRedLamp,          clRed,    {-3, -203, 4, -196},  {0, -200}},
    {OwnRangier,          clWhite,  {4, -207, 8, -203},   {6, -205}},
    {OwnLowerWhite,       clWhite,  {-8, -195, -4, -191}, {-6, -193}},
    {OwnReducedSpeed,     clYellow, {-9, -185, -2, -178}, {-5, -180}},
};

// The block signal, whose successor always proceeds, names only stop, substitute and proceed.
constexpr DesignationRow kShortList[] = {
    {OwnHalt,   "Hp 0",        "Halt"},
    {OwnErsatz, "Hp 0 + Zs 1", kHintSubstitute},
    {OwnFahrt,  "Hl 1",        "Fahrt mit Höchstgeschwindigkeit"},
};

// The last matching row stays, so the later rows win: an aspect ahead listed further down
// replaces "Hl 1" on a track-change route, and shunting and the identification light come last.
constexpr DesignationRow kFullList[] = {
    {OwnHalt,                        "Hp 0",         "Halt"},
    {OwnErsatz,                      "Hp 0 + Zs 1",  kHintSubstitute},
    {AheadAnd<AheadClear, Fahrt>,    "Hl 1",         "Fahrt mit Höchstgeschwindigkeit"},
    {AheadAnd<AheadClear, Kmh40>,    "Hl 3a",        "Fahrt mit 40 km/h, dann mit Höchstgeschwindigkeit"},
    {AheadAnd<AheadClear, Kmh60>,    "Hl 3b",        "Fahrt mit 60 km/h, dann mit Höchstgeschwindigkeit"},
    {AheadAnd<AheadClear, Kmh100>,   "Hl 2",         "Fahrt mit 100 km/h, dann mit Höchstgeschwindigkeit"},
    {AheadAnd<AheadStop, Fahrt>,     "Hl 10",        kHintStopExpected},
    {AheadAnd<AheadStop, Kmh40>,     "Hl 12a",       "Geschwindigkeit 40 km/h ermäßigen, Halt erwarten"},
    {AheadAnd<AheadStop, Kmh60>,     "Hl 12b",       "Geschwindigkeit 60 km/h ermäßigen, Halt erwarten"},
    {AheadAnd<AheadStop, Kmh100>,    "Hl 11",        "Geschwindigkeit 100 km/h ermäßigen, Halt erwarten"},
    {AheadAnd<AheadSlow, Fahrt>,     "Hl 7",         kHintReduceTo40Or60},
    {AheadAnd<AheadSlow, Kmh40>,     "Hl 9a",        "Fahrt mit 40 km/h, dann mit 40 km/h (60 km/h)"},
    {AheadAnd<AheadSlow, Kmh60>,     "Hl 9b",        "Fahrt mit 60 km/h, dann mit 40 km/h (60 km/h)"},
    {AheadAnd<AheadSlow, Kmh100>,    "Hl 8",         "Geschwindigkeit 100 km/h auf 40 km/h (60 km/h) ermäßigen"},
    {AheadAnd<Ahead100, Fahrt>,      "Hl 4",         kHintReduceTo100},
    {AheadAnd<Ahead100, Kmh40>,      "Hl 6a",        "Fahrt mit 40 km/h, dann mit 100 km/h"},
    {AheadAnd<Ahead100, Kmh60>,      "Hl 6b",        "Fahrt mit 60 km/h, dann mit 100 km/h"},
    {AheadAnd<Ahead100, Kmh100>,     "Hl 5",         "Fahrt mit 100 km/h"},
    {OwnRangier,                     "Hp 0 + Ra 12", kHintShunting},
    {OwnKennlicht,                   "Ke",           "Kennlicht"},
};

bool TrackChangeShown(const Look& l) { return OwnTrackChange(l) && OwnProceeds(l); }
bool DeadEndShown(const Look& l) { return NextShortened(l) && OwnProceeds(l); }

constexpr DesignationRow kTrackChangeRow[] = {{TrackChangeShown, "Zs 6", kHintTrackChange}};
constexpr DesignationRow kDeadEndRow[] = {{DeadEndShown, "Zs 13", kHintDeadEnd}};

// The placements are told apart by their next record; the block signal names fewer aspects. A
// supplement is written after the list, on a panel of its own.
void MainSignalDesignations(const ElementRoom& r, const Element& e, const Look& look)
{
    constexpr auto& rows = kPanelsWrittenBy<70>;
    const PanelPlace* place = FindPanel(rows, e.next);
    if (!place)
        return;
    const std::span<const DesignationRow> list = place->own == hl::kBlock
        ? std::span<const DesignationRow>(kShortList) : std::span<const DesignationRow>(kFullList);
    Designations(r.designations, place->panel, look, list);
    if (const int panel = PanelFor(rows, e.next, PanelPart::TrackChange))
        Designations(r.designations, panel, look, kTrackChangeRow);
    if (const int panel = PanelFor(rows, e.next, PanelPart::DeadEnd))
        Designations(r.designations, panel, look, kDeadEndRow);
}

// --- Code 71: light strips -------------------------------------------------------------------

constexpr Offset kStripBox[] = {{-12, -162}, {-12, -140}, {12, -140}, {12, -162}, {-12, -162}};

// Each strip is four lamps with one condition, so it is lit whole or not at all.
constexpr LampRow kStripLamps[] = {
    // condition  colour    Ellipse corners         seed
    {OwnKmh100, kGreen,   {-10, -157, -6, -153}, {-9, -156}},
    {OwnKmh100, kGreen,   {-5, -157, -1, -153},  {-4, -156}},
    {OwnKmh100, kGreen,   {1, -157, 5, -153},    {4, -156}},
    {OwnKmh100, kGreen,   {6, -157, 10, -153},   {9, -156}},
    {OwnKmh60,  clYellow, {-10, -148, -6, -144}, {-9, -147}},
    {OwnKmh60,  clYellow, {-5, -148, -1, -144},  {-4, -147}},
    {OwnKmh60,  clYellow, {1, -148, 5, -144},    {4, -147}},
    {OwnKmh60,  clYellow, {6, -148, 10, -144},   {9, -147}},
};

// --- Code 72: distant signal -----------------------------------------------------------------

bool NextSlowFlashing(const Look& l) { return NextSlow(l) && l.blink; }
bool Next100Flashing(const Look& l) { return Next100(l) && l.blink; }

constexpr LampRow kDistantLamps[] = {
    // condition          colour    Ellipse corners         seed
    {NextStops,         clYellow, {-9, -220, -2, -213}, {-5, -215}},
    {NextSlowFlashing,  clYellow, {-9, -220, -2, -213}, {-5, -215}},
    {NextClear,         kGreen,   {2, -220, 9, -213},   {5, -215}},
    {Next100Flashing,   kGreen,   {2, -220, 9, -213},   {5, -215}},
};

constexpr DesignationRow kDistantRows[] = {
    {NextStops, "Hl 10", kHintStopExpected},
    {NextSlow,  "Hl 7",  kHintReduceTo40Or60},
    {NextClear, "Hl 1",  "Fahrt"},
    {Next100,   "Hl 4",  kHintReduceTo100},
};

// The fields that the distant signal hands over from the signal it announces into its own
// record. The speeds are not among them.
constexpr FieldPtr kHandedOver[] = {Halt, Fahrt, Ersatz};

bool IsRecord(std::int32_t n) { return n >= 1 && n <= SignalTable::kCount; }

// --- Codes 73 and 77: indicator boxes of dots ------------------------------------------------

// "Zs 6": a diagonal falling to the right.
constexpr Offset kTrackChangeDots[] = {{-6, -280}, {-3, -277}, {0, -274}, {3, -271}, {6, -268}};

// "Zs 13": a vertical bar at the left with a bar two dots high reaching right from its middle.
constexpr Offset kDeadEndDots[] = {
    {-6, -286}, {-6, -283}, {-6, -280},
    {-6, -277}, {-3, -277}, {0, -277}, {3, -277}, {6, -277},
    {-6, -274}, {-3, -274}, {0, -274}, {3, -274}, {6, -274},
    {-6, -271}, {-6, -268}, {-6, -265},
};

// Pen and brush are set by the caller, once for all dots. Each dot is an Ellipse over the 2 x 2
// box whose top left pixel is the dot, then a fill seeded at that pixel: the ellipse already
// covers all four pixels in the pen colour, so the fill finds its seed on the border and paints
// nothing.
void Dots(Canvas& c, const Element& e, Color color, std::span<const Offset> dots)
{
    for (const Offset& d : dots) {
        c.Ellipse(e.x + d.dx, e.y + d.dy, e.x + d.dx + 2, e.y + d.dy + 2);
        c.FloodFill(e.x + d.dx, e.y + d.dy, color);
    }
}

void SetPenAndBrush(Canvas& c, Color color)
{
    c.SetPenColor(color);
    c.SetPenWidth(1);
    c.SetBrushColor(color);
}

// --- Code 74: stop and identification light --------------------------------------------------

constexpr LampRow kStopScreenLamps[] = {
    // condition     colour   Ellipse corners         seed
    {OwnHalt,      clRed,   {-9, -220, -2, -213}, {-5, -215}},
    {OwnKennlicht, clWhite, {-8, -195, -4, -191}, {-6, -193}},
};

constexpr DesignationRow kStopScreenRows[] = {
    {OwnHalt,      "Hp 0", "Halt"},
    {OwnKennlicht, "Ke",   "Kennlicht"},
};

// --- Code 75: shunting signal ----------------------------------------------------------------

constexpr Offset kShuntingBox[] = {{-7, -22}, {7, -22}, {7, -50}, {-7, -50}, {-7, -22}};
constexpr Offset kShuntingPost[] = {{-2, -4}, {-2, -21}, {2, -21}, {2, -4}, {-2, -4}};
constexpr Offset kWaitSign[] = {{-5, -48}, {-2, -39}, {0, -46}, {2, -39}, {5, -48}};

constexpr LampRow kShuntingLamps[] = {
    // condition   colour   Ellipse corners       seed
    {OwnRangier, clWhite, {1, -34, 5, -30},   {3, -32}},
    {OwnRangier, clWhite, {-5, -28, -1, -24}, {-3, -26}},
};

constexpr DesignationRow kShuntingRows[] = {
    {OwnNoRangier, "Ra 11a", "Wartezeichen - Auftrag des Wärters zur Rangierfahrt abwarten"},
    {OwnRangier,   "Ra 12",  kHintShunting},
};

} // namespace

void HlMainSignal70(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    Screen(r.canvas, e, kMainScreen, {0, -166});
    Lamps(r.canvas, e, look, kMainLamps);
    MainSignalDesignations(r, e, look);
}

void HlLightStrip71(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    Screen(r.canvas, e, kStripBox, {0, -145});
    Lamps(r.canvas, e, look, kStripLamps);
}

void HlDistant72(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    Screen(r.canvas, e, kShortScreen, kShortScreenSeed);
    Lamps(r.canvas, e, look, kDistantLamps);
    // The hand-over runs before the designation and before any element drawn later in the
    // paint, so the signal behind that announces this record already sees the fresh copy.
    if (IsRecord(e.own))
        HandOver(r, e, look.next, kHandedOver);
    if (const int panel = PanelFor(kPanelsWrittenBy<72>, e.next))
        Designations(r.designations, panel, look, kDistantRows);
}

void HlTrackChangeBox73(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    Screen(r.canvas, e, kIndicatorBox, kIndicatorBoxSeed);
    // Pen and brush are set whether or not a dot follows; the next element inherits them.
    SetPenAndBrush(r.canvas, clWhite);
    if (OwnProceeds(look) && OwnTrackChange(look)) {
        Dots(r.canvas, e, clWhite, kTrackChangeDots);
        draw::NoteLight(look, e, clWhite, LightKind::Figure, kIndicatorBoxLights, false);
    }
}

void HlSignal74(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    Screen(r.canvas, e, kShortScreen, kShortScreenSeed);
    Lamps(r.canvas, e, look, kStopScreenLamps);
    if (const int panel = PanelFor(kPanelsWrittenBy<74>, e.next))
        Designations(r.designations, panel, look, kStopScreenRows);
}

void HlShunting75(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    Screen(c, e, kShuntingBox, {0, -23});
    const Color structure = r.colors.ColStructure;
    Outline(c, e, structure, kShuntingPost);
    Fill(c, e, structure, {0, -10}, structure);
    // The W is shown whatever the aspect.
    c.SetPenWidth(2);
    c.SetPenColor(clYellow);
    Path(c, e, kWaitSign);
    Lamps(c, e, look, kShuntingLamps);
    if (const int panel = PanelFor(kPanelsWrittenBy<75>, e.next))
        Designations(r.designations, panel, look, kShuntingRows);
}

void HlDeadEndBox77(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    Screen(r.canvas, e, kIndicatorBox, kIndicatorBoxSeed);
    // Pen and brush are set whether or not a dot follows; the next element inherits them.
    SetPenAndBrush(r.canvas, clYellow);
    if (OwnProceeds(look) && NextShortened(look)) {
        Dots(r.canvas, e, clYellow, kDeadEndDots);
        draw::NoteLight(look, e, clYellow, LightKind::Figure, kIndicatorBoxLights, false);
    }
}

} // namespace lumaro::blocks
