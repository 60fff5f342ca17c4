// H/V main signals: block signal 20, entry signal 21, exit and intermediate signal 25.

#include "render/elements.h"

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
constexpr const char* kHintSubstitute =
    "Ersatzsignal - Am Signal Hp 0 oder am gestörten\r\n"
    "Lichthauptsignal ohne schriftlichen Befehl vorbeifahren";
constexpr const char* kHintCaution =
    "Vorsichtsignal - Am Signal Hp 0 oder am gestörten\r\n"
    "Lichthauptsignal ohne schriftlichen Befehl vorbeifahren! Weiterfahrt auf Sicht.";

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

void DrawLightGroup(Canvas& c, const Element& e, const LightGroup& group)
{
    c.SetPenWidth(1);
    c.SetPenColor(group.color);
    for (const Box& b : group.lights)
        c.Ellipse(e.x + b.x1, e.y + b.y1, e.x + b.x2, e.y + b.y2);
    c.SetBrushColor(group.color);
    for (const Offset& s : group.seeds)
        c.FloodFill(e.x + s.dx, e.y + s.dy, group.color);
}

// --- Code 20: block signal -------------------------------------------------------------------

constexpr int kBlockSignalRecord = 2;

// Each lamp is followed at once by the designation of the same condition.
struct BlockSignalRow {
    LampRow lamp;
    DesignationRow designation;
};

constexpr BlockSignalRow kBlockSignal[] = {
    // condition  colour   Ellipse corners       seed         caption          hint
    {{OwnHalt,   clRed,  {0, -210, -7, -203}, {-3, -205}}, {OwnHalt,   "Hp 0",        "Halt"}},
    {{OwnFahrt,  kGreen, {0, -210, 7, -203},  {3, -205}},  {OwnFahrt,  "Hp 1",        "Fahrt"}},
    {{OwnErsatz, clRed,  {0, -250, -7, -243}, {-3, -245}}, {OwnErsatz, "Hp 0 + Zs 1", kHintSubstitute}},
};

} // namespace

void HvBlockSignal20(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const Look look(r, e);
    Housing(c, e);
    for (const BlockSignalRow& row : kBlockSignal) {
        Lamps(c, e, look, {&row.lamp, 1});
        Designations(r.designations, 1, look, {&row.designation, 1});
    }
    if (OwnErsatz(look))
        DrawLightGroup(c, e, kSubstituteLight);
    // The block signal is always announced with a shortened braking distance: the mark travels
    // forward through the track-change indicator to the distant signal in the same paint.
    if (e.own == kBlockSignalRecord)
        r.signals[kBlockSignalRecord].Aux12 = 1;
}

void HvEntrySignal21(const ElementRoom&, const Element&)
{
    // FIXME: lamps, indicators and designation of the entry signal are not drawn yet.
}

void HvMainSignal25(const ElementRoom&, const Element&)
{
    // FIXME: lamps, shunting and identification lights and designation are not drawn yet.
}

} // namespace lumaro::blocks
