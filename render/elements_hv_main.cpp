// H/V main signals: block signal 20, entry signal 21, exit and intermediate signal 25.

#include "render/elements.h"
#include "render/hint_texts.h"
#include "render/panels.h"

#include <algorithm>

namespace lumaro::blocks {

namespace {

using namespace field;
using draw::Designations;
using draw::Fill;
using draw::Lamps;
using draw::Outline;
using draw::Path;

constexpr Color kGreen = clLampGreen;

// --- Designation texts -----------------------------------------------------------------------

constexpr const char* kHint80 =
    "Fahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (80 km/h)";
constexpr const char* kHint100 =
    "Fahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (100 km/h)";
constexpr const char* kHint100Long =
    "Fahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (100 km/h) 100 km/h";
constexpr const char* kHint60 =
    "Langsamfahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (60 km/h)";
constexpr const char* kHint60Long =
    "Langsamfahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (60 km/h) 60 km/h";

// --- Conditions ------------------------------------------------------------------------------

bool OwnHalt(const Look& l) { return Any(l.own, {Halt}); }
bool OwnFahrt(const Look& l) { return Any(l.own, {Fahrt}); }
bool OwnErsatz(const Look& l) { return Any(l.own, {Ersatz}); }
bool OwnVorsicht(const Look& l) { return Any(l.own, {Vorsicht}); }
bool OwnRangier(const Look& l) { return Any(l.own, {Rangier}); }
bool OwnKennlicht(const Look& l) { return Any(l.own, {Kennlicht}); }
bool OwnKmh40(const Look& l) { return Any(l.own, {Kmh40}); }
bool OwnKmh60(const Look& l) { return Any(l.own, {Kmh60}); }
bool OwnKmh80(const Look& l) { return Any(l.own, {Kmh80}); }
bool OwnKmh100(const Look& l) { return Any(l.own, {Kmh100}); }
bool OwnSlow(const Look& l) { return Any(l.own, {Kmh40, Kmh60}); }
bool OwnProceeds(const Look& l) { return Any(l.own, {Fahrt, Kmh40, Kmh60, Kmh80, Kmh100}); }
bool OwnStops(const Look& l) { return Any(l.own, {Halt, Rangier, Ersatz, Vorsicht}); }
bool OwnRedPair(const Look& l) { return Any(l.own, {Halt, Ersatz, Vorsicht}); }
bool OwnSubstituteOrCaution(const Look& l) { return Any(l.own, {Ersatz, Vorsicht}); }
bool OwnFullSpeed(const Look& l) { return Any(l.own, {Fahrt, Kmh80, Kmh100}); }

// --- Housing ---------------------------------------------------------------------------------

// The black screen with cut top corners and, under it, the indicator box that is open towards
// the screen. The same for codes 20, 21 and 25.
void Housing(Canvas& c, const Element& e)
{
    constexpr Offset kScreen[] = {{0, -200}, {-13, -200}, {-13, -254}, {-10, -257}, {10, -257},
                                  {13, -254}, {13, -200}, {0, -200}};
    Outline(c, e, clBlack, kScreen);
    Fill(c, e, clBlack, {1, -201}, clBlack);
    constexpr Offset kBoxFrame[] = {{-12, -200}, {-12, -184}, {13, -184}, {13, -200}};
    c.SetPenWidth(2);
    Path(c, e, kBoxFrame);
    constexpr Offset kBoxFace[] = {{-7, -184}, {-7, -197}, {7, -197}, {7, -184}};
    c.SetPenWidth(1);
    Path(c, e, kBoxFace);
    Fill(c, e, clBlack, {0, -190}, clBlack);
}

// Three lights of one colour in the indicator box: all three ellipses first, then the three
// fills.
struct LightGroup {
    Color color;
    Box lights[3];
    Offset seeds[3];
};

// "Zs 1": two white lights below, one above.
constexpr LightGroup kSubstituteLight {
    clWhite,
    {{-1, -190, -5, -186}, {2, -190, 6, -186}, {-2, -196, 2, -192}},
    {{-3, -188}, {3, -188}, {0, -195}},
};
// "Zs 7": two yellow lights above, one below.
constexpr LightGroup kCautionLight {
    clYellow,
    {{-1, -196, -5, -192}, {2, -196, 6, -192}, {-2, -190, 2, -186}},
    {{-3, -195}, {3, -195}, {0, -188}},
};

// Noted as one light: the three points are read together as one sign.
void DrawLightGroup(Canvas& c, const Element& e, const Look& look, const LightGroup& group)
{
    c.SetPenWidth(1);
    c.SetPenColor(group.color);
    for (const Box& b : group.lights)
        c.Ellipse(e.x + b.x1, e.y + b.y1, e.x + b.x2, e.y + b.y2);
    c.SetBrushColor(group.color);
    for (const Offset& s : group.seeds)
        c.FloodFill(e.x + s.dx, e.y + s.dy, group.color);
    Box bounds {0, 0, 0, 0};
    bool first = true;
    for (const Box& b : group.lights) {
        const Box n {std::min(b.x1, b.x2), std::min(b.y1, b.y2), std::max(b.x1, b.x2), std::max(b.y1, b.y2)};
        bounds = first ? n : Box {std::min(bounds.x1, n.x1), std::min(bounds.y1, n.y1), std::max(bounds.x2, n.x2),
                                  std::max(bounds.y2, n.y2)};
        first = false;
    }
    draw::NoteLight(look, e, group.color, LightKind::Figure, bounds, false);
}

// --- Code 20: block signal -------------------------------------------------------------------

// Each lamp is followed at once by the designation of the same condition.
struct BlockSignalRow {
    LampRow lamp;
    DesignationRow designation;
};

// The block signal names its aspect whatever next record it is given.
static_assert(kPanelsWrittenBy<20>.size() == 1);
constexpr int kBlockSignalPanel = kPanelsWrittenBy<20>.front().panel;

constexpr BlockSignalRow kBlockSignal[] = {
    // condition  colour   Ellipse corners       seed         caption          hint
    {{OwnHalt,   clRed,  {0, -210, -7, -203}, {-3, -205}}, {OwnHalt,   "Hp 0",        "Halt"}},
    {{OwnFahrt,  kGreen, {0, -210, 7, -203},  {3, -205}},  {OwnFahrt,  "Hp 1",        "Fahrt"}},
    {{OwnErsatz, clRed,  {0, -250, -7, -243}, {-3, -245}}, {OwnErsatz, "Hp 0 + Zs 1", kHintSubstitute}},
};

// --- Code 21: entry signal ------------------------------------------------------------------

constexpr LampRow kEntrySignalLamps[] = {
    // condition               colour     Ellipse corners        seed
    {OwnHalt,                  clRed,     {0, -210, -7, -203},   {-3, -205}},
    {OwnSlow,                  clYellow,  {0, -210, 7, -203},    {3, -205}},
    {OwnProceeds,              kGreen,    {0, -250, 7, -243},    {3, -245}},
    {OwnSubstituteOrCaution,   clRed,     {0, -250, -7, -243},   {-3, -245}},
};

// Later rows replace earlier ones: the last matching row is what the panel shows.
constexpr DesignationRow kEntrySignalDesignations[] = {
    // condition     caption                    hint
    {OwnStops,       "Hp 0",                    "Halt"},
    {OwnFahrt,       "Hp 1",                    "Fahrt"},
    {OwnKmh80,       "Hp 1 + Zs 3 \"8\"",       kHint80},
    {OwnKmh100,      "Hp 1 + Zs 3 \"10\"",      kHint100},
    {OwnKmh40,       "Hp 2",                    "Langsamfahrt"},
    {OwnKmh60,       "Hp 2 + Zs 3 \"6\"",       kHint60},
    {OwnErsatz,      "Hp 0 + Zs 1",             kHintSubstitute},
    {OwnVorsicht,    "Hp 0 + Zs 7",             kHintCaution},
};

// --- Code 25: exit and intermediate signal ---------------------------------------------------

// Rows 5 and 6 are the two white lights of "Sh 1", each a lamp of its own.
constexpr LampRow kMainSignalLamps[] = {
    // condition     colour     Ellipse corners         seed
    {OwnStops,       clRed,     {-9, -239, -2, -232},   {-4, -235}},
    {OwnRedPair,     clRed,     {2, -239, 9, -232},     {4, -235}},
    {OwnProceeds,    kGreen,    {-2, -250, -9, -243},   {-7, -245}},
    {OwnSlow,        clYellow,  {-2, -210, -9, -203},   {-7, -205}},
    {OwnRangier,     clWhite,   {3, -227, 8, -223},     {5, -225}},
    {OwnRangier,     clWhite,   {-3, -217, -8, -213},   {-5, -215}},
    {OwnKennlicht,   clWhite,   {-3, -227, -8, -223},   {-5, -225}},
};

// The exit signal names every speed figure.
constexpr DesignationRow kExitSignalDesignations[] = {
    // condition     caption                    hint
    {OwnStops,       "Hp 0",                    "Halt"},
    {OwnFahrt,       "Hp 1",                    "Fahrt"},
    {OwnKmh80,       "Hp 1 + Zs 3 \"8\"",       kHint80},
    {OwnKmh100,      "Hp 1 + Zs 3 \"10\"",      kHint100Long},
    {OwnKmh40,       "Hp 2",                    "Langsamfahrt"},
    {OwnKmh60,       "Hp 2 + Zs 3 \"6\"",       kHint60Long},
    {OwnErsatz,      "Hp 0 + Zs 1",             kHintSubstitute},
    {OwnVorsicht,    "Hp 0 + Zs 7",             kHintCaution},
    {OwnKennlicht,   "Ke",                      "Kennlicht"},
    {OwnRangier,     "Hp 0 + Sh 1",             "Halt - Rangierverbot aufgehoben"},
};

// The intermediate signal shows 80 and 100 km/h as plain "Hp 1".
constexpr DesignationRow kIntermediateSignalDesignations[] = {
    // condition     caption                    hint
    {OwnStops,       "Hp 0",                    "Halt"},
    {OwnFullSpeed,   "Hp 1",                    "Fahrt"},
    {OwnKmh40,       "Hp 2",                    "Langsamfahrt"},
    {OwnKmh60,       "Hp 2 + Zs 3 \"6\"",       kHint60},
    {OwnErsatz,      "Hp 0 + Zs 1",             kHintSubstitute},
    {OwnVorsicht,    "Hp 0 + Zs 7",             kHintCaution},
    {OwnKennlicht,   "Ke",                      "Kennlicht"},
    {OwnRangier,     "Hp 0 + Sh 1",             "Halt - Rangierverbot aufgehoben"},
};

// The substitute and caution lights follow the lamp table of codes 21 and 25.
void SubstituteAndCautionLights(Canvas& c, const Element& e, const Look& look)
{
    if (OwnErsatz(look))
        DrawLightGroup(c, e, look, kSubstituteLight);
    if (OwnVorsicht(look))
        DrawLightGroup(c, e, look, kCautionLight);
}

} // namespace

void HvBlockSignal20(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    Housing(c, e);
    for (const BlockSignalRow& row : kBlockSignal) {
        Lamps(c, e, look, {&row.lamp, 1});
        Designations(r.designations, kBlockSignalPanel, look, {&row.designation, 1});
    }
    if (OwnErsatz(look))
        DrawLightGroup(c, e, look, kSubstituteLight);
    // The block signal is always announced with a shortened braking distance: the mark travels
    // forward through the track-change indicator to the distant signal in the same paint.
    if (e.own == records::hv::kBlock)
        WriteOwnRecord(r, e, {}, [](SignalRecord& own) { own.Aux12 = 1; });
}

void HvEntrySignal21(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    Housing(c, e);
    Lamps(c, e, look, kEntrySignalLamps);
    SubstituteAndCautionLights(c, e, look);
    if (const int panel = PanelFor(kPanelsWrittenBy<21>, e.next))
        Designations(r.designations, panel, look, kEntrySignalDesignations);
}

void HvMainSignal25(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    Housing(c, e);
    Lamps(c, e, look, kMainSignalLamps);
    SubstituteAndCautionLights(c, e, look);
    // Any other placement draws its lamps and names nothing.
    const PanelPlace* place = FindPanel(kPanelsWrittenBy<25>, e.next);
    if (!place)
        return;
    if (place->own == records::hv::kExit)
        Designations(r.designations, place->panel, look, kExitSignalDesignations);
    else
        Designations(r.designations, place->panel, look, kIntermediateSignalDesignations);
}

} // namespace lumaro::blocks
