// H/V distant signals: free-standing (10, 12) and on a main signal's mast (14, 17).

#include "render/elements.h"
#include "render/panels.h"

namespace lumaro::blocks {

namespace {

using namespace field;
using draw::Designations;
using draw::Fill;
using draw::LitLamp;
using draw::Outline;

constexpr Color kGreen = clLampGreen;

// Codes 12 and 17 carry the housing of the additional white light; only they light it for the
// second shortened-distance marker.
constexpr std::int32_t kFreeStandingWithHousing = 12;
constexpr std::int32_t kAtMainWithHousing = 17;

// --- Designation texts -----------------------------------------------------------------------

constexpr const char* kHintDark = "dunkel";
constexpr const char* kHintStop = "Halt erwarten";
constexpr const char* kHintProceed = "Fahrt erwarten";
constexpr const char* kHintSlow = "Langsamfahrt erwarten";
constexpr const char* kHintStopShortened = "Halt erwarten - verkürzter Bremswegabstand";
constexpr const char* kHintProceedShortened = "Fahrt erwarten - verkürzter Bremswegabstand";
constexpr const char* kHint80 = "Fahrt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (80 km/h)) erwarten";
constexpr const char* kHint100 = "Fahrt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (100 km/h)) erwarten";
constexpr const char* kHint60 = "Langsamfahrt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (60 km/h)) erwarten";
constexpr const char* kHint20 = "Halt erwarten\r\n+ Geschwindigkeitsanzeiger (Zs 3 (20 km/h)) erwarten";
constexpr const char* kHintAlso100 = "Geschwindigkeitsanzeiger (Zs 3 (100 km/h)) erwarten";
constexpr const char* kHintShortened = "verkürzter Bremswegabstand";

// --- Conditions ------------------------------------------------------------------------------

// The lamp conditions of the white light also depend on the element code.
struct DistantLook : Look {
    std::int32_t code;

    DistantLook(const ElementRoom& room, const Element& e)
        : Look(room, e)
        , code(e.code)
    {
    }
};

using DistantCondition = bool (*)(const DistantLook&);

bool NextStop(const Look& l) { return Any(l.next, {Halt, Ersatz, Vorsicht}); }
bool NextNotStop(const Look& l) { return !NextStop(l); }
bool NextStopOrShunting(const Look& l) { return Any(l.next, {Halt, Rangier, Ersatz, Vorsicht}); }
bool NextFahrt(const Look& l) { return Any(l.next, {Fahrt}); }
bool NextKmh40(const Look& l) { return Any(l.next, {Kmh40}); }
bool NextKmh60(const Look& l) { return Any(l.next, {Kmh60}); }
bool NextKmh80(const Look& l) { return Any(l.next, {Kmh80}); }
bool NextKmh100(const Look& l) { return Any(l.next, {Kmh100}); }
bool NextGwb(const Look& l) { return Any(l.next, {Gwb}); }
bool NextFullSpeed(const Look& l) { return Any(l.next, {Fahrt, Kmh80, Kmh100}); }
bool NextShortened(const Look& l) { return Any(l.next, {Aux12, Aux13}); }
bool NextNotShortened(const Look& l) { return !NextShortened(l); }

bool UpperYellow(const DistantLook& l) { return NextStop(l); }
bool UpperYellowAtMain(const DistantLook& l) { return NextStopOrShunting(l); }
bool LowerYellow(const DistantLook& l) { return Any(l.next, {Halt, Kmh40, Kmh60, Ersatz, Vorsicht}); }
bool LowerYellowAtMain(const DistantLook& l) { return Any(l.next, {Halt, Kmh40, Kmh60, Rangier, Ersatz, Vorsicht}); }
bool UpperGreen(const DistantLook& l) { return Any(l.next, {Fahrt, Kmh40, Kmh60, Kmh80, Kmh100}); }
bool LowerGreen(const DistantLook& l) { return NextFullSpeed(l); }
bool WhiteLight(const DistantLook& l)
{
    return Any(l.next, {Aux12}) || (Any(l.next, {Aux13}) && l.code == kFreeStandingWithHousing);
}
bool WhiteLightAtMain(const DistantLook& l)
{
    return Any(l.next, {Aux12}) || (Any(l.next, {Aux13}) && l.code == kAtMainWithHousing);
}

// Codes 14 and 17 stand on the mast of the main signal whose record follows their own; they are
// dark unless that signal proceeds or shows only its identification light.
bool MainSignalProceeds(const ElementRoom& r, const Element& e)
{
    return Any(r.signals[e.own + 1], {Fahrt, Kmh40, Kmh60, Kmh80, Kmh100, Kennlicht});
}

// --- Screen and housing ----------------------------------------------------------------------

// The slanted octagon rising to the right, the same for all four codes.
void Screen(Canvas& c, const Element& e)
{
    constexpr Offset kScreen[] = {{-3, -160}, {-14, -160}, {-20, -166}, {-20, -177}, {3, -200},
                                  {14, -200}, {20, -194},  {20, -183},  {-3, -160}};
    Outline(c, e, clBlack, kScreen);
    Fill(c, e, clBlack, {-4, -161}, clBlack);
}

// The round housing of the additional white light, joined to the screen's upper left end.
void AdditionalLightHousing(Canvas& c, const Element& e)
{
    c.SetPenWidth(1);
    c.SetPenColor(clBlack);
    c.Ellipse(e.x - 19, e.y - 195, e.x - 6, e.y - 183);
    Fill(c, e, clBlack, {-8, -190}, clBlack);
    constexpr Offset kJoint[] = {{-10, -180}, {-15, -184}, {-8, -192}, {-4, -189}, {-10, -180}};
    Outline(c, e, clBlack, kJoint);
    Fill(c, e, clBlack, {-10, -181}, clBlack);
}

// --- Lamps -----------------------------------------------------------------------------------

struct DistantLampRow {
    Color color;
    Box box;
    Offset seed;
    DistantCondition freeStanding;  // codes 10, 12
    DistantCondition atMain;        // codes 14, 17
};

// Drawn in this order. Code 10 has no housing, yet its white light is drawn at the same place,
// on the background.
constexpr DistantLampRow kLamps[] = {
    // colour   Ellipse corners           seed          codes 10, 12  codes 14, 17
    {clYellow, {3, -194, 10, -187},    {5, -192},    UpperYellow,  UpperYellowAtMain},
    {clYellow, {-17, -173, -10, -166}, {-15, -171},  LowerYellow,  LowerYellowAtMain},
    {kGreen,   {10, -194, 17, -187},   {12, -192},   UpperGreen,   UpperGreen},
    {kGreen,   {-10, -173, -3, -166},  {-5, -171},   LowerGreen,   LowerGreen},
    {clWhite,  {-15, -192, -11, -188}, {-14, -190},  WhiteLight,   WhiteLightAtMain},
};

enum class Mounting { FreeStanding, AtMain };

void DrawLamps(Canvas& c, const Element& e, const DistantLook& look, Mounting mounting)
{
    for (const DistantLampRow& lamp : kLamps) {
        const DistantCondition when = mounting == Mounting::FreeStanding ? lamp.freeStanding : lamp.atMain;
        if (!when(look))
            continue;
        LitLamp(c, e, lamp.color, lamp.box, lamp.seed);
        draw::NoteLight(look, e, lamp.color, LightKind::Lamp, lamp.box, false);
    }
}

// --- Codes 10, 12: designations --------------------------------------------------------------

// Code 12 in column 750. The second row holds exactly when the first does not; a full
// speed announced then replaces it.
constexpr DesignationRow kDistant750[] = {
    // condition      caption        hint
    {NextStop,       "Vr 0 + ZL",   kHintStopShortened},
    {NextNotStop,    "Ke",          "Kennlicht"},
    {NextFullSpeed,  "Vr 1 + ZL",   kHintProceedShortened},
};

// Code 10 in column 50, with the 100 km/h supplement on the speed pre-indicator's panel. Each
// row is tested in turn, so the last matching row stays.
struct EntryAnnouncementRow {
    DesignationRow aspect;
    DesignationRow preIndicator;  // no write where `when` is null
};

constexpr EntryAnnouncementRow kDistant50[] = {
    // condition    caption                  hint             pre-indicator
    {{NextStop,    "Vr 0",                  kHintStop},      {}},
    {{NextFahrt,   "Vr 1",                  kHintProceed},   {}},
    {{NextKmh80,   "Vr 1 + Zs 3v \"8\"",    kHint80},        {}},
    {{NextKmh100,  "Vr 1",                  kHintProceed},   {NextKmh100, "+ Zs 3v \"10\"", kHintAlso100}},
    {{NextKmh40,   "Vr 2",                  kHintSlow},      {}},
    {{NextKmh60,   "Vr 2 + Zs 3v \"6\"",    kHint60},        {}},
};

void WriteFreeStandingPanels(const ElementRoom& r, const Element& e, const Look& look)
{
    constexpr auto& rows = kPanelsWrittenBy<10, 12>;
    const PanelPlace* place = FindPanel(rows, e.next);
    if (!place)
        return;
    if (place->code == 12) {
        Designations(r.designations, place->panel, look, kDistant750);
        return;
    }
    const int preIndicator = PanelFor(rows, e.next, PanelPart::SpeedPreIndicator);
    for (const EntryAnnouncementRow& row : kDistant50) {
        Designations(r.designations, place->panel, look, {&row.aspect, 1});
        if (row.preIndicator.when)
            Designations(r.designations, preIndicator, look, {&row.preIndicator, 1});
    }
}

// --- Codes 14, 17: designations --------------------------------------------------------------

// Code 14 in column 650, while the exit signal proceeds. Unlike lamp 1, the stop test
// leaves out Rangier.
constexpr DesignationRow kDistant650[] = {
    // condition      caption  hint
    {NextStop,       "Vr 0",  kHintStop},
    {NextNotStop,    "",      kHintDark},
    {NextFullSpeed,  "Vr 1",  kHintProceed},
};

// Code 17 in column 150, while the entry signal proceeds. Each row is tested in turn,
// so the last matching row stays.
constexpr DesignationRow kDistant150[] = {
    // condition           caption                  hint
    {NextStopOrShunting,  "Vr 0",                  kHintStop},
    {NextFahrt,           "Vr 1",                  kHintProceed},
    {NextKmh80,           "Vr 1 + Zs 3v \"8\"",    kHint80},
    {NextKmh100,          "Vr 1 + Zs 3v \"10\"",   kHint100},
    {NextKmh40,           "Vr 2",                  kHintSlow},
    {NextKmh60,           "Vr 2 + Zs 3v \"6\"",    kHint60},
    {NextGwb,             "Vr 0 + Zs 3v \"2\"",    kHint20},
};

// Code 17's additional light: exactly one of the two rows holds.
constexpr DesignationRow kDistant150Supplement[] = {
    // condition         caption  hint
    {NextShortened,     "+ ZL",  kHintShortened},
    {NextNotShortened,  "",      ""},
};

// Both panels are written "dark" alone while the main signal on the mast does not proceed.
void WriteDistant650(const ElementRoom& r, const Look& look, int panel, bool mainProceeds)
{
    if (!mainProceeds) {
        r.designations.Write(panel, "", kHintDark);
        return;
    }
    Designations(r.designations, panel, look, kDistant650);
}

void WriteDistant150(const ElementRoom& r, const Look& look, int panel, int additionalLight, bool mainProceeds)
{
    if (!mainProceeds) {
        r.designations.Write(panel, "", kHintDark);
        return;
    }
    Designations(r.designations, panel, look, kDistant150);
    Designations(r.designations, additionalLight, look, kDistant150Supplement);
}

// What the free-standing distant signals pass on to the elements drawn after them.
constexpr FieldPtr kCopiedFields[] = {Halt, Fahrt, Kmh40, Ersatz};

} // namespace

void HvDistant10_12(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const DistantLook look(r, e);
    Screen(c, e);
    if (e.code == kFreeStandingWithHousing)
        AdditionalLightHousing(c, e);
    DrawLamps(c, e, look, Mounting::FreeStanding);
    // After the lamps and before the panels; the panels read only `next`, so they do not see
    // the copy, but every element drawn later in this paint does.
    HandOver(r, e, look.next, kCopiedFields);
    WriteFreeStandingPanels(r, e, look);
}

void HvDistantAtMain14_17(const ElementRoom& r, const Element& e)
{
    Canvas& c = r.canvas;
    const DistantLook look(r, e);
    Screen(c, e);
    if (e.code == kAtMainWithHousing)
        AdditionalLightHousing(c, e);
    const bool mainProceeds = MainSignalProceeds(r, e);
    if (mainProceeds)
        DrawLamps(c, e, look, Mounting::AtMain);
    constexpr auto& rows = kPanelsWrittenBy<14, 17>;
    const PanelPlace* place = FindPanel(rows, e.next, PanelPart::DistantOnMast);
    if (!place)
        return;
    if (place->code == 14)
        WriteDistant650(r, look, place->panel, mainProceeds);
    else
        WriteDistant150(r, look, place->panel, PanelFor(rows, e.next, PanelPart::AdditionalLight), mainProceeds);
}

} // namespace lumaro::blocks
