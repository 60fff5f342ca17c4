// The words of the explanations: meanings of the designations, the signals of each column, and the
// sentence templates for every kind of case.

#include "learn/why_texts.h"

#include "learn/tables.h"
#include "state/record_fields.h"

#include <array>

namespace lumaro::learn {

namespace {

using namespace field;

// --- The parts that announce another signal -----------------------------------------------------

struct Announcer {
    unsigned systems;
    unsigned panels;
    const char* part;
    bool announcesOnly;   // a distant signal; otherwise a main signal that also lets trains pass
};

constexpr unsigned P(int panel) { return PanelBit(panel); }

constexpr Announcer kAnnouncers[] = {
    {kAllSystems, P(12) | P(15), "das Vorsignal", true},
    {kHV | kKs, P(3), "das Vorsignal", true},
    {kHl, P(2), "das Vorsignal", true},
    {kHV, P(5), "das Vorsignal am Mast des Ausfahrsignals", true},
    {kHV, P(11) | P(13), "das Vorsignal am Mast des Einfahrsignals", true},
    {kKs | kHl, P(4) | P(5), "das Ausfahrsignal", false},
    {kKs | kHl, P(6) | P(16), "das Zwischensignal", false},
    {kKs | kHl, P(10) | P(11) | P(13) | P(14), "das Einfahrsignal", false},
    {kKs | kHl, P(1), "das Blocksignal", false},
};

const Announcer* FindAnnouncer(System system, int panel)
{
    for (const Announcer& a : kAnnouncers)
        if ((a.systems & SystemBit(system)) && (a.panels & P(panel)))
            return &a;
    return nullptr;
}

// --- Sentence templates ---------------------------------------------------------------------------

constexpr const char* kAnnounce =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} zeigt {c}: also {a} ({m}).";
constexpr const char* kPassAndAnnounce =
    "{dark}{Part} lässt den Zug fahren und kündigt{darum} zugleich {ahead} an, und {pron} zeigt {c}: "
    "also {a} ({m}).";

constexpr const char* kAnnounceAtExitMast =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} zeigt {c}: also {a} ({m}). Zeigt das "
    "Ausfahrsignal Hp 0, ist dieses Vorsignal dunkel.";
constexpr const char* kAnnounceAtEntryMast =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} zeigt {c}: also {a} ({m}). Zeigt das "
    "Einfahrsignal Hp 0, ist dieses Vorsignal dunkel.";
constexpr const char* kTrackChangeAhead =
    "{Aheadnom} zeigt {c}: Der Zug fährt in das Gegengleis, und für diesen Weg kündigt das Vorsignal "
    "nichts an. Es zeigt darum nur das Kennlicht ({a}).";
constexpr const char* kStopWithTwenty =
    "{N1} zeigt {c1}: {Part} kündigt darum Halt an, und der Geschwindigkeitsanzeiger davor "
    "zeigt Zs 3 \"2\"; also {a} ({m}).";
constexpr const char* kShortenedAtHvEntry =
    "Das weiße Zusatzlicht ({a}) zeigt: Das Vorsignal am Einfahrsignal steht näher am nächsten Halt, als "
    "der Bremsweg verlangt. In diesem Programm leuchtet es, solange das Zwischensignal in Betrieb ist "
    "oder das hohe Sperrsignal Halt zeigt; jetzt gilt: {causes}.";
constexpr const char* kShortenedAtKsEntry =
    "Das weiße Zusatzlicht ({a}) zeigt: Das Einfahrsignal steht als Vorsignal näher am nächsten Halt, als "
    "der Bremsweg verlangt. In diesem Programm ist es nur aus, wenn das hohe Sperrsignal Ke zeigt und "
    "das Zwischensignal Ke oder Fahrt ohne Zs 3, oder wenn Einfahr- und Zwischensignal beide höchstens "
    "40 km/h erlauben; jetzt gilt: {causes}.";
constexpr const char* kSlowerAhead =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} erlaubt nur {kmh} ({c}): Darum blinkt Ks 1, und "
    "{a} kündigt die {kmh} an.";
constexpr const char* kTwentyExpected =
    "{N1} zeigt {c1}, und der Weg bis zu diesem Halt ist kurz: Der Geschwindigkeitsanzeiger davor zeigt "
    "darum Zs 3 \"2\" (höchstens 20 km/h), und {a} kündigt das am Einfahrsignal an.";
constexpr const char* kShortRunHl =
    "{N1} zeigt {c1}, und der Weg bis zu diesem Halt ist kurz: Darum zeigt das Einfahrsignal {a} ({m}).";
constexpr const char* kClearAfterTrackChange =
    "{Signal} zeigt auch {c1}: Der Zug fährt in das Gegengleis, und dort kündigt es freie Fahrt an; "
    "also {a} ({m}).";
constexpr const char* kBeyondKs =
    "{Signal} zeigt {a} ({m}), weil seine Taste „{button}“ gedrückt wurde. Als Ks-Signal kündigt es "
    "zugleich das nächste Hauptsignal an; das steht hinter dem Ende der Strecke und wird hier nicht "
    "gezeigt.";
constexpr const char* kBeyondHl =
    "{Signal} zeigt {a} ({m}), weil seine Taste „{button}“ gedrückt wurde. Es kündigt zugleich das "
    "nächste Signal an; das steht hinter dem Ende der Strecke und zeigt hier immer Fahrt.";

constexpr WhyRow kRows[] = {
    // systems     panels             caption                   reads                        marker  text
    // Block signal: what a Ks or Hl block signal announces lies beyond the line.
    {kKs,        P(1),               "Ks 1",                   Reads::Beyond,               nullptr, kBeyondKs},
    {kHl,        P(1),               "Hl 1",                   Reads::Beyond,               nullptr, kBeyondHl},
    // Track-change indication: lit by its own buttons only.
    {kHV | kKs,  P(2),               "Zs 6",                   Reads::TrackChangeButton,    nullptr, nullptr},
    {kHl,        P(5),               "Zs 6",                   Reads::TrackChangeButton,    nullptr, nullptr},
    {kHl,        P(16),              "Zs 6",                   Reads::OwnMarker,            Gwb,     nullptr},
    // Distant signal of the block signal.
    {kHV | kKs,  P(3),               "Ke",                     Reads::Next,                 nullptr, kTrackChangeAhead},
    {kHV | kKs,  P(3),               "*",                      Reads::Next,                 nullptr, nullptr},
    {kHl,        P(2),               "*",                      Reads::Next,                 nullptr, nullptr},
    // H/V distant parts on the main signals' masts.
    {kHV,        P(5),               "*",                      Reads::Next,                 nullptr, kAnnounceAtExitMast},
    {kHV,        P(11),              "Vr 0 + Zs 3v \"2\"",     Reads::NextMarker,           Gwb,     kStopWithTwenty},
    {kHV,        P(11),              "*",                      Reads::Next,                 nullptr, kAnnounceAtEntryMast},
    {kHV,        P(13),              "+ ZL",                   Reads::NextMarker,           Aux13,   kShortenedAtHvEntry},
    // Speed indicator of column 350.
    {kHV,        P(8),               "Zs 3 \"2\"",             Reads::OwnMarker,            Gwb,     nullptr},
    {kKs,        P(8),               "Zs 3 \"2\"",             Reads::OwnMarker,            Aux12,   nullptr},
    // Ks main signals announce the next main signal with their own aspect.
    {kKs,        P(4) | P(6) | P(10), "Ks*",                   Reads::Next,                 nullptr, nullptr},
    {kKs,        P(11),              "+ Zs 3v*",               Reads::Next,                 nullptr, kSlowerAhead},
    {kKs,        P(11),              "+ Zs 3 *",               Reads::Own,                  nullptr, nullptr},
    {kKs,        P(14),              "+ Zs 3v \"2\"",          Reads::NextMarker,           Aux12,   kTwentyExpected},
    {kKs,        P(14),              "+ Zs 3v*",               Reads::Next,                 nullptr, kSlowerAhead},
    {kKs,        P(13),              "+ ZL",                   Reads::NextMarker,           Aux13,   kShortenedAtKsEntry},
    {kKs,        P(15),              "+ Zs 3v*",               Reads::Next,                 nullptr, kSlowerAhead},
    // Distant signals of the entry signal.
    {kAllSystems, P(12) | P(15),     "*",                      Reads::Next,                 nullptr, nullptr},
    // Hl main signals: a clear run ahead, or the track change.
    {kHl,        P(4) | P(6),        "Hl 1",                   Reads::AheadOrTrackChange,   nullptr, nullptr},
    {kHl,        P(4) | P(6),        "Hl 2",                   Reads::AheadOrTrackChange,   nullptr, nullptr},
    {kHl,        P(4) | P(6),        "Hl 3a",                  Reads::AheadOrTrackChange,   nullptr, nullptr},
    {kHl,        P(4) | P(6),        "Hl 3b",                  Reads::AheadOrTrackChange,   nullptr, nullptr},
    {kHl,        P(4) | P(6) | P(10), "Hl*",                   Reads::Next,                 nullptr, nullptr},
    {kHl,        P(11),              "Zs 13",                  Reads::NextMarker,           Aux12,   kShortRunHl},
};

// --- Rules and other signals' buttons -------------------------------------------------------------

// A rule or another signal's button acted at some moment before now: its entry tells the event
// with the captions its causes had then ({t1}), and says that the signal has stood so since. The
// rules that are this program's and not the signal book's say so.
constexpr const char* kReleasesShunting =
    "Als {n1} {t1} zeigte, hat das Programm {signal} auf {a} gestellt ({m}); so steht es seitdem. "
    "In diesem Programm hebt das Einfahrsignal das Fahrverbot {shunting} auf, sobald es eine Fahrt "
    "zulässt, auch mit Ersatz- oder Vorsichtsignal.";
constexpr const char* kStoppedWithPress =
    "Als {n1} auf {t1} gestellt wurde, hat das Programm auch {signal} auf Halt gestellt ({a}); so steht "
    "es seitdem. Das ist eine Regel dieses Programms, keine des Signalbuchs.";
constexpr const char* kDarkenedForOther =
    "Als {n1} {t1} zeigte, hat das Programm {signal} abgeschaltet ({a}); so steht es seitdem. In diesem "
    "Programm zeigen Zwischen- und Ausfahrsignal nie zugleich Fahrt.";
constexpr const char* kStoppedForDarkOther =
    "Als {n1} auf {t1} gestellt wurde, hat das Programm {signal} auf Halt gestellt ({a}); so steht es "
    "seitdem. In diesem Programm ist von Zwischen- und Ausfahrsignal höchstens eines abgeschaltet.";
constexpr const char* kIntermediateStoppedWithExit =
    "Als {n1} auf {t1} gestellt wurde, hat das Programm {signal}, das Fahrt zeigte, auf Halt "
    "zurückgenommen ({a}); so steht es seitdem. Das ist eine Regel dieses Programms, keine des "
    "Signalbuchs.";
constexpr const char* kExitStoppedIntermediate =
    "Als {n1} {t1} zeigte, hat das Programm {signal} auf Halt gestellt ({a}); so steht es seitdem. "
    "Solange am Ausfahrsignal rangiert oder mit Ersatz- oder Vorsichtsignal gefahren wird, zeigt das "
    "Zwischensignal in diesem Programm keine Fahrt.";
constexpr const char* kAutomaticEntryStop =
    "Als {n1} {t1} zeigte, hat das Programm {signal} selbst auf Halt gestellt ({a}); so steht es "
    "seitdem. Im H/V-System zeigt das Einfahrsignal in diesem Programm Hp 1 nur, solange das "
    "Zwischensignal abgeschaltet ist.";
constexpr const char* kTwentyBeforeStopThen =
    "Als {n1} {t1} zeigte, hat das Programm {signal} auf {a} gestellt ({m}), denn der Weg bis zu diesem "
    "Halt ist kurz; so steht es seitdem.";

// Rules that act on every tick, asked again on the line as it is now: their causes show the same
// now, and the text says so in the present.
constexpr const char* kTwentyBeforeStop =
    "{N1} zeigt {c1}, und der Weg bis zu diesem Halt ist kurz: Darum zeigt {signal} {a} ({m}).";
constexpr const char* kTrackChangeTakenOver =
    "{N1} zeigt nur Kennlicht ({c1}), und sein Gleiswechsel ist eingeschaltet (Taste „GWB“): Das "
    "Zwischensignal übernimmt darum die Anzeige, also {a} ({m}).";

constexpr RuleText kRuleTexts[] = {
    // rule                              caption  event                         now
    {RuleId::EntryReleasesShunting,      "*",     kReleasesShunting,            nullptr},
    {RuleId::ExitDarkensIntermediate,    "*",     kDarkenedForOther,            nullptr},
    {RuleId::ExitStopsIntermediate,      "*",     kExitStoppedIntermediate,     nullptr},
    {RuleId::AutomaticEntryStop,         "*",     kAutomaticEntryStop,          nullptr},
    {RuleId::Column450AnnouncesStop,     "*",     kTwentyBeforeStopThen,        kTwentyBeforeStop},
    {RuleId::TrackChangeToIntermediate,  "*",     kTrackChangeTakenOver,        kTrackChangeTakenOver},
};

using command::Effect;

// The second effect of a button's command (the command table's `then` step) on the signal of
// `panel`, told as an event.
constexpr SecondEffectText kSecondEffectTexts[] = {
    // effect                 aspect           panel  text
    {Effect::Write,            nullptr,         9,     kReleasesShunting},
    {Effect::Write,            nullptr,         10,    kStoppedWithPress},
    {Effect::PressEntryHalt,   nullptr,         10,    kStoppedWithPress},
    {Effect::SetAspect,        Kennlicht,       4,     kDarkenedForOther},
    {Effect::SetAspect,        Halt,            4,     kStoppedForDarkOther},
    {Effect::SetAspect,        Halt,            6,     kStoppedForDarkOther},
    {Effect::StopIfProceeding, nullptr,         6,     kIntermediateStoppedWithExit},
};

} // namespace

const char* const kStartText =
    "{Signal} zeigt {a} ({m}) seit dem Start des Programms; keine Taste hat es seitdem umgestellt.";
const char* const kHandText = "{Signal} zeigt {a} ({m}), weil seine Taste „{button}“ gedrückt wurde.";
const char* const kTrackChangeHandText =
    "{Signal} zeigt {a} ({m}), weil die Taste „GWB“ gedrückt wurde; dunkel wird die Anzeige mit der "
    "Taste „Dunkel“.";
const char* const kFollowsText = kAnnounce;
const char* const kPassAndAnnounceText = kPassAndAnnounce;
const char* const kClearAfterTrackChangeText = kClearAfterTrackChange;
const char* const kFollowsLateText =
    "{dark}{Part} kündigt{darum} {ahead} an. {Pron} zeigt jetzt {c}; {part} übernimmt das erst beim "
    "nächsten Takt und zeigt bis dahin noch {a} ({m}).";
const char* const kAnnounceTrackChangeText =
    "{dark}{Aheadnom} zeigt {c}: Der Fahrweg führt in das Streckengleis entgegen der gewöhnlichen "
    "Fahrtrichtung, und {part} kündigt für diesen Weg kein Halt an; also {a} ({m}).";
const char* const kBlinkingKs1Text =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} zeigt {c}: also {a} ({m}). Ks 1 blinkt, weil "
    "der Geschwindigkeitsvoranzeiger Zs 3v darunter für dort eine niedrigere Geschwindigkeit ankündigt.";
const char* const kMarkerTakenBackText =
    "{Signal} zeigt noch {a} ({m}), wie eine Regel des Programms es vorher gestellt hat. Jetzt gilt: "
    "{causes}; darum nimmt das Programm es beim nächsten Takt zurück.";
const char* const kMarkerSetBeforeText =
    "{Signal} zeigt {a} ({m}), wie eine Regel des Programms es vorher gestellt hat; jetzt gilt: {causes}.";
const char* const kRuleText =
    "{Signal} zeigt {a} ({m}); eine Regel des Programms stellt es so, denn {causes}.";
const char* const kRuleEventText =
    "Als {causesthen}, hat eine Regel des Programms {signal} auf {a} gestellt ({m}); so steht es seitdem.";

std::span<const WhyRow> WhyRows() { return kRows; }

std::span<const RuleText> RuleTexts() { return kRuleTexts; }

std::span<const SecondEffectText> SecondEffectTexts() { return kSecondEffectTexts; }

const char* MeaningOf(std::string_view caption, bool announcing)
{
    for (const System system : {System::HV, System::Ks, System::Hl})
        if (const char* meaning = MeaningOf(system, caption, announcing))
            return meaning;
    return nullptr;
}

const char* AnnouncingPart(System system, int panel)
{
    const Announcer* a = FindAnnouncer(system, panel);
    return a ? a->part : nullptr;
}

bool AnnouncesOnly(System system, int panel)
{
    const Announcer* a = FindAnnouncer(system, panel);
    return a && a->announcesOnly;
}

} // namespace lumaro::learn
