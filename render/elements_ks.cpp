// Ks signals: main signals 50 and 55, distant signals 54 and 59.

#include "render/elements.h"
#include "render/hint_texts.h"
#include "render/panels.h"

#include <array>
#include <cstddef>

namespace lumaro::blocks {

namespace {

using namespace field;
using draw::Designations;
using draw::Lamps;
using draw::Path;

constexpr Color kGreen = clLampGreen;

// True when every one of `fields` of `record` is exactly 0.
bool None(const SignalRecord& record, std::initializer_list<FieldPtr> fields)
{
    for (FieldPtr f : fields)
        if (record.*f != 0)
            return false;
    return true;
}

// --- Designation texts -----------------------------------------------------------------------


// Proceed with a speed indicator.
constexpr const char* kH40 =
    "Fahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (40 km/h)";
constexpr const char* kH60 =
    "Fahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (60 km/h)";
constexpr const char* kH80 =
    "Fahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (80 km/h)";
constexpr const char* kH100 =
    "Fahrt + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (100 km/h)";

// Stop expected with a speed indicator.
constexpr const char* kK40 =
    "Halt erwarten + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (40 km/h)";
constexpr const char* kK60 =
    "Halt erwarten + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (60 km/h)";
constexpr const char* kK80 =
    "Halt erwarten + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (80 km/h)";
constexpr const char* kK100 =
    "Halt erwarten + Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (100 km/h)";

// The speed indicator alone, as a supplement under the main designation.
constexpr const char* kZ60 =
    "Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (60 km/h)";
constexpr const char* kZ80 =
    "Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (80 km/h)";
constexpr const char* kZ100 =
    "Geschwindigkeitsanzeiger - Die durch die Kennziffer angezeigte Geschwindigkeit\r\n"
    "darf vom Signal ab im anschließenden Weichenbereich nicht überschritten werden (100 km/h)";

// A speed indicator expected at the next signal.
constexpr const char* kV20 = "Geschwindigkeitsanzeiger (Zs 3 (20 km/h)) erwarten";
constexpr const char* kV40 = "Geschwindigkeitsanzeiger (Zs 3 (40 km/h)) erwarten";
constexpr const char* kV60 = "Geschwindigkeitsanzeiger (Zs 3 (60 km/h)) erwarten";
constexpr const char* kV80 = "Geschwindigkeitsanzeiger (Zs 3 (80 km/h)) erwarten";
constexpr const char* kV100 = "Geschwindigkeitsanzeiger (Zs 3 (100 km/h)) erwarten";

// --- Designations over several panels ------------------------------------------------------

// One panel's text in a row that writes several panels; a null caption leaves the panel alone.
struct PanelText {
    const char* caption = nullptr;
    const char* hint = nullptr;
};

// A designation row whose condition writes up to N panels at once, in the order of `panels`.
template <std::size_t N>
struct MultiPanelRow {
    Condition when;
    std::array<PanelText, N> texts;
};

template <std::size_t N>
void MultiPanelDesignations(const DesignationWriter& writer, const std::array<int, N>& panels,
                            const Look& look, std::span<const MultiPanelRow<N>> rows)
{
    for (const MultiPanelRow<N>& row : rows) {
        if (!row.when(look))
            continue;
        for (std::size_t i = 0; i < N; ++i)
            if (row.texts[i].caption != nullptr)
                writer.Write(panels[i], row.texts[i].caption, row.texts[i].hint);
    }
}

// --- Screen ----------------------------------------------------------------------------------

// Where the screen's black fill comes in its drawing. The picture is the same either way; the
// order of operations is not.
enum class ScreenFill {
    BeforeHood,
    AfterTopEdge,
};

struct ScreenShape {
    std::int32_t top;  // the top edge, relative to the anchor
    ScreenFill fill;
};

constexpr ScreenShape kTallScreen {-266, ScreenFill::AfterTopEdge};       // code 50
constexpr ScreenShape kTallScreen55 {-266, ScreenFill::BeforeHood};       // code 55
constexpr ScreenShape kShortScreen {-256, ScreenFill::AfterTopEdge};      // codes 54 and 59

// The black screen with the open hood below it and a doubled top edge.
void KsScreen(Canvas& c, const Element& e, ScreenShape shape)
{
    const std::int32_t t = shape.top;
    constexpr Offset kSeed {0, -220};
    c.SetPenColor(clBlack);
    c.SetPenWidth(1);
    c.SetBrushColor(clBlack);
    const Offset rectangle[] = {{0, -216}, {-13, -216}, {-13, t}, {13, t}, {13, -216}, {-13, -216}};
    Path(c, e, rectangle);
    if (shape.fill == ScreenFill::BeforeHood)
        c.FloodFill(e.x + kSeed.dx, e.y + kSeed.dy, clBlack);
    // The hood continues from the rectangle's last corner, so it starts with a LineTo.
    constexpr Offset kHood[] = {{-5, -208}, {5, -208}, {13, -216}};
    for (const Offset& p : kHood)
        c.LineTo(e.x + p.dx, e.y + p.dy);
    constexpr Offset kLowerEdge[] = {{-12, -217}, {12, -217}};
    Path(c, e, kLowerEdge);
    const Offset doubledTop[] = {{-12, t - 1}, {12, t - 1}};
    Path(c, e, doubledTop);
    if (shape.fill == ScreenFill::AfterTopEdge)
        c.FloodFill(e.x + kSeed.dx, e.y + kSeed.dy, clBlack);
}

// --- Shared conditions -----------------------------------------------------------------------

bool OwnHalt(const Look& l) { return Any(l.own, {Halt}); }
bool OwnFahrt(const Look& l) { return Any(l.own, {Fahrt}); }
bool OwnKmh40(const Look& l) { return Any(l.own, {Kmh40}); }
bool OwnKmh60(const Look& l) { return Any(l.own, {Kmh60}); }
bool OwnKmh80(const Look& l) { return Any(l.own, {Kmh80}); }
bool OwnKmh100(const Look& l) { return Any(l.own, {Kmh100}); }
bool OwnRangier(const Look& l) { return Any(l.own, {Rangier}); }
bool OwnErsatz(const Look& l) { return Any(l.own, {Ersatz}); }
bool OwnVorsicht(const Look& l) { return Any(l.own, {Vorsicht}); }
bool OwnKennlicht(const Look& l) { return Any(l.own, {Kennlicht}); }
bool OwnProceeds(const Look& l) { return Any(l.own, {Fahrt, Kmh40, Kmh60, Kmh80, Kmh100}); }
bool OwnSubstituteBlinks(const Look& l) { return OwnErsatz(l) && l.blink; }

bool NextFahrt(const Look& l) { return Any(l.next, {Fahrt}); }
bool NextKmh40(const Look& l) { return Any(l.next, {Kmh40}); }
bool NextKmh60(const Look& l) { return Any(l.next, {Kmh60}); }
bool NextKmh80(const Look& l) { return Any(l.next, {Kmh80}); }
bool NextKmh100(const Look& l) { return Any(l.next, {Kmh100}); }
bool NextNoTrackChange(const Look& l) { return l.next.Gwb == 0; }
// The announced signal shows no proceed aspect and no track change.
bool NextFree(const Look& l) { return None(l.next, {Fahrt, Kmh40, Kmh60, Kmh80, Kmh100, Gwb}); }

// --- Code 50: main signal without distant function -------------------------------------------

bool OwnStopOrSubstitute(const Look& l) { return Any(l.own, {Halt, Ersatz}); }

constexpr LampRow kLamps50[] = {
    // condition             colour   Ellipse corners        seed
    {OwnStopOrSubstitute,  clRed,   {-3, -255, 4, -248},  {0, -250}},
    {OwnFahrt,             kGreen,  {-3, -245, 4, -238},  {0, -240}},
    {OwnSubstituteBlinks,  clWhite, {-2, -234, 2, -230},  {0, -232}},
};

// Later rows replace earlier ones.
constexpr DesignationRow kDesignations50[] = {
    // condition  caption          hint
    {OwnHalt,   "Hp 0",        "Halt"},
    {OwnFahrt,  "Ks 1",        "Fahrt"},
    {OwnErsatz, "Hp 0 + Zs 1", kHintSubstitute},
};

// --- Code 54: distant signal with additional light -------------------------------------------

bool NextStopExpected54(const Look& l) { return Any(l.next, {Halt}) || (Any(l.next, {Ersatz}) && NextNoTrackChange(l)); }
bool NextFahrtStraight(const Look& l) { return NextFahrt(l) && NextNoTrackChange(l); }
bool NextStopOrTrackChange(const Look& l) { return Any(l.next, {Halt, Ersatz, Gwb}); }

constexpr LampRow kLamps54[] = {
    // condition              colour    Ellipse corners         seed
    {NextStopExpected54,    clYellow, {2, -244, 9, -237},    {4, -240}},
    {NextFahrtStraight,     kGreen,   {-9, -244, -2, -237},  {-4, -240}},
    {NextStopOrTrackChange, clWhite,  {-7, -228, -3, -224},  {-5, -226}},
};

constexpr std::array<FieldPtr, 5> kCopy54 = {Halt, Fahrt, Kmh40, Ersatz, Gwb};

bool NextStopLike(const Look& l) { return Any(l.next, {Halt, Ersatz, Vorsicht}); }
bool NextNotStopLike(const Look& l) { return !NextStopLike(l); }
bool NextFullSpeed(const Look& l) { return Any(l.next, {Fahrt, Kmh80, Kmh100}); }

// The first two rows exclude each other; the third, when it holds, replaces either.
constexpr DesignationRow kDesignations54[] = {
    // condition        caption       hint
    {NextStopLike,    "Ks 2 + ZL", "Halt erwarten - verkürzter Bremswegabstand"},
    {NextNotStopLike, "Ke",        "Kennlicht"},
    {NextFullSpeed,   "Ks 1",      "Fahrt"},
};

// --- Code 59: distant signal of the entry signal ----------------------------------------------

bool NextStopExpected59(const Look& l)
{
    return Any(l.next, {Halt, Ersatz}) || (Any(l.next, {Vorsicht}) && NextNoTrackChange(l));
}
bool NextSlowerStraight(const Look& l) { return Any(l.next, {Kmh40, Kmh60, Kmh80, Kmh100}) && NextNoTrackChange(l); }
bool NextSlowerBlinks(const Look& l) { return NextSlowerStraight(l) && l.blink; }

// Both green rows light the same lamp; when both hold it is drawn twice.
constexpr LampRow kLamps59[] = {
    // condition           colour    Ellipse corners         seed
    {NextStopExpected59, clYellow, {2, -239, 9, -232},    {4, -237}},
    {NextFahrt,          kGreen,   {-9, -239, -2, -232},  {-4, -237}},
    {NextSlowerBlinks,   kGreen,   {-9, -239, -2, -232},  {-4, -237}},
};

// Fahrt is left out: the propagation keeps it set on the distant signal's record.
constexpr std::array<FieldPtr, 4> kCopy59 = {Halt, Kmh40, Ersatz, Gwb};

bool NextKmh40Straight(const Look& l) { return NextKmh40(l) && NextNoTrackChange(l); }
bool NextKmh60Straight(const Look& l) { return NextKmh60(l) && NextNoTrackChange(l); }
bool NextKmh80Straight(const Look& l) { return NextKmh80(l) && NextNoTrackChange(l); }
bool NextKmh100Straight(const Look& l) { return NextKmh100(l) && NextNoTrackChange(l); }

// Later rows replace earlier ones, panel by panel.
constexpr MultiPanelRow<2> kDesignations59[] = {
    // condition             aspect                       speed pre-indicator
    {NextStopExpected59, {{{"Ks 2", "Halt erwarten"}, {}}}},
    {NextFahrt,          {{{"Ks 1", "Fahrt"},         {}}}},
    {NextKmh40Straight,  {{{"Ks 1", "Fahrt"},         {"+ Zs 3v \"4\"", kV40}}}},
    {NextKmh60Straight,  {{{"Ks 1", "Fahrt"},         {"+ Zs 3v \"6\"", kV60}}}},
    {NextKmh80Straight,  {{{"Ks 1", "Fahrt"},         {"+ Zs 3v \"8\"", kV80}}}},
    {NextKmh100Straight, {{{"Ks 1", "Fahrt"},         {"+ Zs 3v \"10\"", kV100}}}},
};

// --- Code 55: main signal with distant function -----------------------------------------------

// Stop, shunting, substitute or caution: the red lamp burns.
bool OwnStops(const Look& l) { return Any(l.own, {Halt, Rangier, Ersatz, Vorsicht}); }

// The own signal allows a speed and the announced signal a lower one.
bool GreenBlinkCase(const Look& l)
{
    return (OwnFahrt(l) && Any(l.next, {Kmh40, Kmh60, Kmh80, Kmh100}))
        || (OwnKmh60(l) && NextKmh40(l))
        || (OwnKmh80(l) && Any(l.next, {Kmh40, Kmh60}))
        || (OwnKmh100(l) && Any(l.next, {Kmh40, Kmh60, Kmh80}));
}

// No own proceed aspect is needed for the steady case: a record with nothing set whose
// announced record shows no stop burns steady green.
bool GreenSteadyCase(const Look& l)
{
    return !Any(l.own, {Halt, Rangier, Ersatz, Vorsicht, Kennlicht})
        && !Any(l.next, {Halt, Rangier, Ersatz, Vorsicht});
}

bool GreenLit(const Look& l)
{
    if (GreenBlinkCase(l))
        return l.blink;
    return GreenSteadyCase(l);
}

bool YellowLit(const Look& l) { return OwnProceeds(l) && NextFree(l); }
// The identification light, which also serves as the additional light for a shortened braking
// distance.
bool TopWhiteLit(const Look& l) { return OwnKennlicht(l) || (Any(l.next, {Aux13}) && OwnProceeds(l)); }

constexpr LampRow kLamps55[] = {
    // condition            colour    Ellipse corners          seed
    {OwnStops,            clRed,    {-3, -255, 4, -248},    {0, -250}},
    {GreenLit,            kGreen,   {-9, -245, -2, -238},   {-5, -240}},
    {YellowLit,           clYellow, {2, -245, 9, -238},     {5, -240}},
    {OwnRangier,          clWhite,  {-2, -234, 2, -230},    {0, -233}},
    {OwnRangier,          clWhite,  {-10, -227, -6, -223},  {-8, -227}},
    {OwnSubstituteBlinks, clWhite,  {-10, -234, -6, -230},  {-8, -232}},
    {OwnVorsicht,         clYellow, {-6, -234, -2, -230},   {-4, -233}},
    {OwnVorsicht,         clYellow, {2, -234, 6, -230},     {4, -234}},
    {OwnVorsicht,         clYellow, {-2, -227, 2, -223},    {0, -227}},
    {TopWhiteLit,         clWhite,  {-8, -261, -4, -257},   {-6, -259}},
};

// P: the announced signal shows no stop, shunting or substitute aspect, or a track change.
bool NextLetsPass(const Look& l) { return !Any(l.next, {Halt, Rangier, Ersatz}) || Any(l.next, {Gwb}); }

bool FahrtAndP(const Look& l) { return OwnFahrt(l) && NextLetsPass(l); }
bool Kmh40AndP(const Look& l) { return OwnKmh40(l) && NextLetsPass(l); }
bool Kmh60AndP(const Look& l) { return OwnKmh60(l) && NextLetsPass(l); }
bool Kmh80AndP(const Look& l) { return OwnKmh80(l) && NextLetsPass(l); }
bool Kmh100AndP(const Look& l) { return OwnKmh100(l) && NextLetsPass(l); }
bool FahrtAndQ(const Look& l) { return OwnFahrt(l) && NextFree(l); }
bool Kmh40AndQ(const Look& l) { return OwnKmh40(l) && NextFree(l); }
bool Kmh60AndQ(const Look& l) { return OwnKmh60(l) && NextFree(l); }
bool Kmh80AndQ(const Look& l) { return OwnKmh80(l) && NextFree(l); }
bool Kmh100AndQ(const Look& l) { return OwnKmh100(l) && NextFree(l); }

// Whether the entry signal, which writes no shunting and no identification row, tests a row.
enum class AtEntry : bool { No, Yes };

struct MainRow55 {
    DesignationRow row;
    AtEntry atEntry;
};

// Later rows replace earlier ones.
constexpr MainRow55 kDesignations55[] = {
    //  condition     caption                   hint              entry
    {{OwnStops,     "Hp 0",                 "Halt"},          AtEntry::Yes},
    {{FahrtAndP,    "Ks 1",                 "Fahrt"},         AtEntry::Yes},
    {{Kmh40AndP,    "Ks 1 + Zs 3 \"4\"",    kH40},            AtEntry::Yes},
    {{Kmh60AndP,    "Ks 1 + Zs 3 \"6\"",    kH60},            AtEntry::Yes},
    {{Kmh80AndP,    "Ks 1 + Zs 3 \"8\"",    kH80},            AtEntry::Yes},
    {{Kmh100AndP,   "Ks 1 + Zs 3 \"10\"",   kH100},           AtEntry::Yes},
    {{FahrtAndQ,    "Ks 2",                 "Halt erwarten"}, AtEntry::Yes},
    {{Kmh40AndQ,    "Ks 2 + Zs 3 \"4\"",    kK40},            AtEntry::Yes},
    {{Kmh60AndQ,    "Ks 2 + Zs 3 \"6\"",    kK60},            AtEntry::Yes},
    {{Kmh80AndQ,    "Ks 2 + Zs 3 \"8\"",    kK80},            AtEntry::Yes},
    {{Kmh100AndQ,   "Ks 2 + Zs 3 \"10\"",   kK100},           AtEntry::Yes},
    {{OwnRangier,   "Hp 0 + Sh 1",          "Halt - Rangierverbot aufgehoben"}, AtEntry::No},
    {{OwnErsatz,    "Hp 0 + Zs 1",          kHintSubstitute}, AtEntry::Yes},
    {{OwnVorsicht,  "Hp 0 + Zs 7",          kHintCaution},    AtEntry::Yes},
    {{OwnKennlicht, "Ke",                   "Kennlicht"},     AtEntry::No},
};

bool Kmh60To40(const Look& l) { return OwnKmh60(l) && NextKmh40(l); }
bool Kmh80To60(const Look& l) { return OwnKmh80(l) && NextKmh60(l); }
bool Kmh80To40(const Look& l) { return OwnKmh80(l) && NextKmh40(l); }
bool Kmh100To40(const Look& l) { return OwnKmh100(l) && NextKmh40(l); }
bool Kmh100To60(const Look& l) { return OwnKmh100(l) && NextKmh60(l); }
bool Kmh100To80(const Look& l) { return OwnKmh100(l) && NextKmh80(l); }
bool FahrtTo40(const Look& l) { return OwnFahrt(l) && NextKmh40(l); }
bool FahrtTo60(const Look& l) { return OwnFahrt(l) && NextKmh60(l); }
bool FahrtTo80(const Look& l) { return OwnFahrt(l) && NextKmh80(l); }
bool FahrtTo100(const Look& l) { return OwnFahrt(l) && NextKmh100(l); }

// The entry signal names its own speed and the expected one on separate panels. These rows
// come after the main rows and replace what those wrote.
constexpr MultiPanelRow<3> kEntrySpeeds[] = {
    // condition    aspect             speed indicator             speed pre-indicator
    {Kmh60To40,  {{{"Ks 1", "Fahrt"}, {"+ Zs 3 \"6\"", kZ60},    {"+ Zs 3v \"4\"", kV40}}}},
    {Kmh80To60,  {{{"Ks 1", "Fahrt"}, {"+ Zs 3 \"8\"", kZ80},    {"+ Zs 3v \"6\"", kV60}}}},
    {Kmh80To40,  {{{"Ks 1", "Fahrt"}, {"+ Zs 3 \"8\"", kZ80},    {"+ Zs 3v \"4\"", kV40}}}},
    {Kmh100To40, {{{"Ks 1", "Fahrt"}, {"+ Zs 3 \"10\"", kZ100},  {"+ Zs 3v \"4\"", kV40}}}},
    {Kmh100To60, {{{"Ks 1", "Fahrt"}, {"+ Zs 3 \"10\"", kZ100},  {"+ Zs 3v \"6\"", kV60}}}},
    {Kmh100To80, {{{"Ks 1", "Fahrt"}, {"+ Zs 3 \"10\"", kZ100},  {"+ Zs 3v \"8\"", kV80}}}},
    {FahrtTo40,  {{{"Ks 1", "Fahrt"}, {"+ Zs 3v \"4\"", kV40},   {}}}},
    {FahrtTo60,  {{{"Ks 1", "Fahrt"}, {"+ Zs 3v \"6\"", kV60},   {}}}},
    {FahrtTo80,  {{{"Ks 1", "Fahrt"}, {"+ Zs 3v \"8\"", kV80},   {}}}},
    {FahrtTo100, {{{"Ks 1", "Fahrt"}, {"+ Zs 3v \"10\"", kV100}, {}}}},
};

bool TwentyExpected(const Look& l) { return Any(l.next, {Aux12}) && l.own.Halt != 1; }

// The three code-55 signals of the line; only the entry signal skips rows.
enum class Placement55 { ExitOrIntermediate, Entry };

void MainDesignations55(const DesignationWriter& writer, int panel, const Look& look, Placement55 where)
{
    for (const MainRow55& r : kDesignations55)
        if (where == Placement55::ExitOrIntermediate || r.atEntry == AtEntry::Yes)
            Designations(writer, panel, look, {&r.row, 1});
}

void EntryDesignations55(const DesignationWriter& writer, const Look& look, std::int32_t next)
{
    constexpr auto& rows = kPanelsWrittenBy<55>;
    const std::array<int, 3> panels = {PanelFor(rows, next), PanelFor(rows, next, PanelPart::SpeedIndicator),
                                       PanelFor(rows, next, PanelPart::SpeedPreIndicator)};
    const int additionalLight = PanelFor(rows, next, PanelPart::AdditionalLight);
    MainDesignations55(writer, panels[0], look, Placement55::Entry);
    MultiPanelDesignations<3>(writer, panels, look, kEntrySpeeds);
    if (TopWhiteLit(look))
        writer.Write(additionalLight, "+ ZL", "verkürzter Bremswegabstand");
    else
        writer.Write(additionalLight, "", "");
    // Runs last: the 20 km/h pre-indication replaces any expected speed written above.
    if (TwentyExpected(look))
        writer.Write(panels[2], "+ Zs 3v \"2\"", kV20);
}

} // namespace

void KsMainSignal50(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    KsScreen(r.canvas, e, kTallScreen);
    Lamps(r.canvas, e, look, kLamps50);
    if (const int panel = PanelFor(kPanelsWrittenBy<50>, e.next))
        Designations(r.designations, panel, look, kDesignations50);
}

void KsDistant54(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    KsScreen(r.canvas, e, kShortScreen);
    Lamps(r.canvas, e, look, kLamps54);
    HandOver(r, e, look.next, kCopy54);
    if (const int panel = PanelFor(kPanelsWrittenBy<54>, e.next))
        Designations(r.designations, panel, look, kDesignations54);
}

void KsMainSignal55(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    KsScreen(r.canvas, e, kTallScreen55);
    Lamps(r.canvas, e, look, kLamps55);
    if (look.system == System::Ks)
        r.designations.Write(panel_table::kClearedByKsMainSignals, "", "");
    const PanelPlace* place = FindPanel(kPanelsWrittenBy<55>, e.next);
    if (!place)
        return;
    if (place->own == records::ks::kEntry)
        EntryDesignations55(r.designations, look, e.next);
    else
        MainDesignations55(r.designations, place->panel, look, Placement55::ExitOrIntermediate);
}

void KsDistant59(const ElementRoom& r, const Element& e)
{
    const Look look(r, e);
    KsScreen(r.canvas, e, kShortScreen);
    Lamps(r.canvas, e, look, kLamps59);
    HandOver(r, e, look.next, kCopy59);
    constexpr auto& rows = kPanelsWrittenBy<59>;
    const std::array<int, 2> panels = {PanelFor(rows, e.next), PanelFor(rows, e.next, PanelPart::SpeedPreIndicator)};
    if (panels[0] != 0)
        MultiPanelDesignations<2>(r.designations, panels, look, kDesignations59);
}

} // namespace lumaro::blocks
