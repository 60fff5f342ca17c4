// The words of the explanations: meanings of the designations, the signals of each column, and the
// sentence templates for every kind of case.

#include "learn/why_texts.h"

#include "state/record_fields.h"

#include <array>

namespace lumaro::learn {

namespace {

using namespace field;

// --- What each designation means --------------------------------------------------------------

struct Meaning {
    const char* caption;
    const char* meaning;
    const char* announcing;   // at a distant signal, where it reads differently; else nullptr
};

// Speeds "im anschließenden Weichenbereich" hold from the signal on; speeds "am nächsten
// Hauptsignal" are announced.
constexpr Meaning kMeanings[] = {
    // H/V main signals
    {"Hp 0", "Halt", nullptr},
    {"Hp 1", "Fahrt", nullptr},
    {"Hp 1 + Zs 3 \"8\"", "Fahrt, im anschließenden Weichenbereich höchstens 80 km/h", nullptr},
    {"Hp 1 + Zs 3 \"10\"", "Fahrt, im anschließenden Weichenbereich höchstens 100 km/h", nullptr},
    {"Hp 2", "Langsamfahrt, im anschließenden Weichenbereich höchstens 40 km/h", nullptr},
    {"Hp 2 + Zs 3 \"6\"", "Langsamfahrt, im anschließenden Weichenbereich höchstens 60 km/h", nullptr},
    {"Hp 0 + Zs 1",
     "Halt; das Ersatzsignal erlaubt die Vorbeifahrt ohne schriftlichen Befehl, im anschließenden "
     "Weichenbereich höchstens 40 km/h und ohne Fahrt auf Sicht",
     nullptr},
    {"Hp 0 + Zs 7",
     "Halt; das Vorsichtsignal erlaubt die Vorbeifahrt, dann Fahrt auf Sicht mit höchstens 40 km/h "
     "bis zum nächsten Hauptsignal",
     nullptr},
    {"Hp 0 + Sh 1", "Halt für Zugfahrten, Fahrverbot für Rangierfahrten aufgehoben", nullptr},
    {"Hp 0 + Ra 12", "Halt für Zugfahrten, Rangierfahrt erlaubt", nullptr},
    {"Ke", "nur das Kennlicht: das Signal ist ausgeschaltet und gilt nicht", nullptr},
    // Shunting signals and indicators
    {"Sh 1", "Fahrverbot aufgehoben: Rangierfahrten dürfen vorbeifahren", nullptr},
    {"Ra 11a", "Wartezeichen: auf den Auftrag zur Rangierfahrt warten", nullptr},
    {"Ra 12", "Rangierfahrtsignal: Rangierfahrt erlaubt", nullptr},
    {"Zs 6", "Gleiswechsel: der Fahrweg führt in das Gegengleis", nullptr},
    {"Zs 3 \"2\"", "im anschließenden Weichenbereich höchstens 20 km/h", nullptr},
    {"Zs 13", "Stumpfgleis- und Frühhaltanzeiger: Fahrt in ein Gleis mit verkürztem Einfahrweg", nullptr},
    // H/V distant signals
    {"Vr 0", "Halt erwarten", nullptr},
    {"Vr 1", "Fahrt erwarten", nullptr},
    {"Vr 2", "Langsamfahrt erwarten", nullptr},
    {"Vr 1 + Zs 3v \"8\"", "Fahrt erwarten, am nächsten Hauptsignal höchstens 80 km/h", nullptr},
    {"Vr 1 + Zs 3v \"10\"", "Fahrt erwarten, am nächsten Hauptsignal höchstens 100 km/h", nullptr},
    {"Vr 2 + Zs 3v \"6\"", "Langsamfahrt erwarten, am nächsten Hauptsignal höchstens 60 km/h", nullptr},
    {"Vr 0 + Zs 3v \"2\"", "Halt erwarten, davor 20 km/h an einem einzeln stehenden Geschwindigkeitsanzeiger",
     nullptr},
    {"Vr 0 + ZL", "Halt erwarten, mit verkürztem Bremswegabstand", nullptr},
    {"Vr 1 + ZL", "Fahrt erwarten, mit verkürztem Bremswegabstand", nullptr},
    {"+ ZL", "Zusatzlicht: verkürzter Bremswegabstand", nullptr},
    // Ks signals
    {"Ks 1", "Fahrt", "Fahrt erwarten"},
    {"Ks 2", "Fahrt, Halt erwarten", "Halt erwarten"},
    {"Ks 2 + ZL", "Halt erwarten, mit verkürztem Bremswegabstand", nullptr},
    {"Ks 1 + Zs 3 \"4\"", "Fahrt, im anschließenden Weichenbereich höchstens 40 km/h", nullptr},
    {"Ks 1 + Zs 3 \"6\"", "Fahrt, im anschließenden Weichenbereich höchstens 60 km/h", nullptr},
    {"Ks 1 + Zs 3 \"8\"", "Fahrt, im anschließenden Weichenbereich höchstens 80 km/h", nullptr},
    {"Ks 1 + Zs 3 \"10\"", "Fahrt, im anschließenden Weichenbereich höchstens 100 km/h", nullptr},
    {"Ks 2 + Zs 3 \"4\"", "Fahrt, im anschließenden Weichenbereich höchstens 40 km/h; Halt erwarten", nullptr},
    {"Ks 2 + Zs 3 \"6\"", "Fahrt, im anschließenden Weichenbereich höchstens 60 km/h; Halt erwarten", nullptr},
    {"Ks 2 + Zs 3 \"8\"", "Fahrt, im anschließenden Weichenbereich höchstens 80 km/h; Halt erwarten", nullptr},
    {"Ks 2 + Zs 3 \"10\"", "Fahrt, im anschließenden Weichenbereich höchstens 100 km/h; Halt erwarten", nullptr},
    {"+ Zs 3 \"6\"", "im anschließenden Weichenbereich höchstens 60 km/h", nullptr},
    {"+ Zs 3 \"8\"", "im anschließenden Weichenbereich höchstens 80 km/h", nullptr},
    {"+ Zs 3 \"10\"", "im anschließenden Weichenbereich höchstens 100 km/h", nullptr},
    {"+ Zs 3v \"2\"", "20 km/h am Geschwindigkeitsanzeiger vor dem nächsten Halt erwarten", nullptr},
    {"+ Zs 3v \"4\"", "am nächsten Hauptsignal höchstens 40 km/h erwarten", nullptr},
    {"+ Zs 3v \"6\"", "am nächsten Hauptsignal höchstens 60 km/h erwarten", nullptr},
    {"+ Zs 3v \"8\"", "am nächsten Hauptsignal höchstens 80 km/h erwarten", nullptr},
    {"+ Zs 3v \"10\"", "am nächsten Hauptsignal höchstens 100 km/h erwarten", nullptr},
    // Hl signals: the speed from this signal on, then what the next signal allows
    {"Hl 1", "Fahrt mit Höchstgeschwindigkeit", "Fahrt erwarten"},
    {"Hl 2", "100 km/h, dann Höchstgeschwindigkeit", nullptr},
    {"Hl 3a", "40 km/h, dann Höchstgeschwindigkeit", nullptr},
    {"Hl 3b", "60 km/h, dann Höchstgeschwindigkeit", nullptr},
    {"Hl 4", "Höchstgeschwindigkeit, bis zum nächsten Signal auf 100 km/h ermäßigen",
     "am nächsten Signal 100 km/h erwarten"},
    {"Hl 5", "100 km/h, am nächsten Signal wieder 100 km/h", nullptr},
    {"Hl 6a", "40 km/h, dann 100 km/h", nullptr},
    {"Hl 6b", "60 km/h, dann 100 km/h", nullptr},
    {"Hl 7", "Höchstgeschwindigkeit, bis zum nächsten Signal auf 40 km/h (60 km/h) ermäßigen",
     "am nächsten Signal 40 km/h (60 km/h) erwarten"},
    {"Hl 8", "100 km/h, bis zum nächsten Signal auf 40 km/h (60 km/h) ermäßigen", nullptr},
    {"Hl 9a", "40 km/h, am nächsten Signal 40 km/h (60 km/h)", nullptr},
    {"Hl 9b", "60 km/h, am nächsten Signal 40 km/h (60 km/h)", nullptr},
    {"Hl 10", "Höchstgeschwindigkeit, Halt erwarten", "Halt erwarten"},
    {"Hl 11", "100 km/h, Halt erwarten", nullptr},
    {"Hl 12a", "40 km/h, Halt erwarten", nullptr},
    {"Hl 12b", "60 km/h, Halt erwarten", nullptr},
};

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

constexpr const char* kAnnounceWithZl =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} zeigt {c}: also {a} ({m}). Das Zusatzlicht ZL "
    "zeigt, dass der Bremsweg bis zum Blocksignal kürzer ist als üblich.";
constexpr const char* kAnnounceAtExitMast =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} zeigt {c}: also {a} ({m}). Es leuchtet nur, "
    "solange das Ausfahrsignal selbst Fahrt zeigt.";
constexpr const char* kAnnounceAtEntryMast =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} zeigt {c}: also {a} ({m}). Es leuchtet nur, "
    "solange das Einfahrsignal selbst Fahrt zeigt.";
constexpr const char* kTrackChangeAhead =
    "{Aheadnom} zeigt {c}: Der Zug fährt in das Gegengleis, und für diesen Weg kündigt das Vorsignal "
    "nichts an. Es zeigt darum nur das Kennlicht ({a}).";
constexpr const char* kStopWithTwenty =
    "{N1} zeigt {c1}: {Part} kündigt darum Halt an, und der Geschwindigkeitsanzeiger davor "
    "zeigt Zs 3 \"2\". Vr 0 mit Zs 3v ist ein seltener Fall: Er kommt nur vor, wenn zwischen beiden "
    "Signalen ein einzelner Geschwindigkeitsanzeiger steht; also {a} ({m}).";
constexpr const char* kShortenedAtHvEntry =
    "Solange das Zwischensignal in Betrieb ist oder das hohe Sperrsignal Halt zeigt, ist der Bremsweg "
    "bis zum nächsten Halt kürzer als üblich. Jetzt zeigt {causes}: darum {a} ({m}).";
constexpr const char* kShortenedAtKsEntry =
    "Der Bremsweg bis zum nächsten Halt ist kürzer als üblich, wenn das hohe Sperrsignal Halt zeigt oder "
    "das Zwischensignal weder Fahrt noch Kennlicht zeigt. Jetzt zeigt {causes}: darum {a} ({m}).";
constexpr const char* kSlowerAhead =
    "{dark}{Part} kündigt{darum} {ahead} an, und {pron} erlaubt nur {kmh} ({c}): Darum blinkt Ks 1, und "
    "{a} kündigt die {kmh} an.";
constexpr const char* kOwnSpeedAboveAhead =
    "{dark}Das Einfahrsignal erlaubt im anschließenden Weichenbereich höchstens {kmh} ({a}); es "
    "kündigt{darum} {ahead} an, und {pron} erlaubt noch weniger ({c}): Darum blinkt Ks 1, und die "
    "Ankündigung steht darunter.";
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
    {kHV | kKs,  P(3),               "Vr 0 + ZL",              Reads::Next,                 nullptr, kAnnounceWithZl},
    {kHV | kKs,  P(3),               "Vr 1 + ZL",              Reads::Next,                 nullptr, kAnnounceWithZl},
    {kHV | kKs,  P(3),               "Ks 2 + ZL",              Reads::Next,                 nullptr, kAnnounceWithZl},
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
    {kKs,        P(11),              "+ Zs 3 *",               Reads::Next,                 nullptr, kOwnSpeedAboveAhead},
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

constexpr const char* kReleasesShunting =
    "{N1} zeigt {c1}, und ein Einfahrsignal, das nicht Halt zeigt, hebt das Fahrverbot "
    "{shunting} dahinter auf: also {a} ({m}).";
constexpr const char* kStopByColumn450 =
    "{N1} wurde auf {c1} gestellt, und Halt dort stellt auch das Einfahrsignal auf Halt: also {a} ({m}).";
constexpr const char* kStopByShunting =
    "{N1} wurde auf {c1} gestellt, und Halt {shunting} stellt auch das Einfahrsignal auf Halt: "
    "also {a} ({m}).";
constexpr const char* kExitDarkByIntermediate =
    "{N1} zeigt {c1}, und Zwischen- und Ausfahrsignal zeigen nie zugleich Fahrt: Darum ist das "
    "Ausfahrsignal ausgeschaltet, also {a} ({m}).";
constexpr const char* kExitStopsForDarkIntermediate =
    "{N1} zeigt nur Kennlicht ({c1}), und von Zwischen- und Ausfahrsignal darf nur eines ausgeschaltet "
    "sein: Darum steht das Ausfahrsignal auf Halt, also {a} ({m}).";
constexpr const char* kIntermediateStopsForDarkExit =
    "{N1} zeigt nur Kennlicht ({c1}), und von Ausfahr- und Zwischensignal darf nur eines ausgeschaltet "
    "sein: Darum steht das Zwischensignal auf Halt, also {a} ({m}).";
constexpr const char* kIntermediateStopsWithExit =
    "{N1} wurde auf {c1} gestellt, und Halt am Ausfahrsignal nimmt ein Zwischensignal, das Fahrt "
    "zeigte, auf Halt zurück: also {a} ({m}).";
constexpr const char* kExitDarkensIntermediate =
    "{N1} zeigt {c1}, und Ausfahr- und Zwischensignal zeigen nie zugleich Fahrt: Darum hat das Programm "
    "das Zwischensignal ausgeschaltet, also {a} ({m}).";
constexpr const char* kExitStopsIntermediate =
    "{N1} zeigt {c1}; solange dort rangiert oder mit Ersatz- oder Vorsichtsignal gefahren wird, darf "
    "das Zwischensignal keine Fahrt zeigen: Darum hat das Programm es auf Halt gestellt, also {a} ({m}).";
constexpr const char* kAutomaticEntryStop =
    "{N1} ist in Betrieb und zeigt {c1}; im H/V-System darf das Einfahrsignal Hp 1 nur zeigen, solange "
    "das Zwischensignal ausgeschaltet ist: Darum hat das Programm das Einfahrsignal selbst auf Halt "
    "gestellt, also {a} ({m}).";
constexpr const char* kTwentyBeforeStop =
    "{N1} zeigt {c1}, und der Weg bis zu diesem Halt ist kurz: Darum zeigt {signal} {a} ({m}).";
constexpr const char* kTrackChangeTakenOver =
    "{N1} zeigt nur Kennlicht ({c1}), und sein Gleiswechsel ist eingeschaltet (Taste „GWB“): Das "
    "Zwischensignal übernimmt darum die Anzeige, also {a} ({m}).";

constexpr RuleText kRuleTexts[] = {
    // rule                              button caption  text
    {RuleId::None,                       26,    "*",     kStopByColumn450},
    {RuleId::None,                       28,    "*",     kStopByShunting},
    {RuleId::None,                       31,    "*",     kReleasesShunting},
    {RuleId::None,                       32,    "*",     kReleasesShunting},
    {RuleId::None,                       34,    "*",     kReleasesShunting},
    {RuleId::None,                       35,    "*",     kReleasesShunting},
    {RuleId::None,                       36,    "*",     kReleasesShunting},
    {RuleId::None,                       37,    "*",     kReleasesShunting},
    {RuleId::None,                       12,    "Ke",    kExitDarkByIntermediate},
    {RuleId::None,                       16,    "Ke",    kExitDarkByIntermediate},
    {RuleId::None,                       20,    "*",     kExitStopsForDarkIntermediate},
    {RuleId::None,                       10,    "*",     kIntermediateStopsForDarkExit},
    {RuleId::None,                       1,     "*",     kIntermediateStopsWithExit},
    {RuleId::EntryReleasesShunting,      0,     "*",     kReleasesShunting},
    {RuleId::ExitDarkensIntermediate,    0,     "*",     kExitDarkensIntermediate},
    {RuleId::ExitStopsIntermediate,      0,     "*",     kExitStopsIntermediate},
    {RuleId::AutomaticEntryStop,         0,     "*",     kAutomaticEntryStop},
    {RuleId::Column450AnnouncesStop,     0,     "*",     kTwentyBeforeStop},
    {RuleId::TrackChangeToIntermediate,  0,     "*",     kTrackChangeTakenOver},
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
const char* const kRuleText =
    "{Signal} zeigt {a} ({m}); eine Regel des Programms hat es so gestellt, denn {causes}.";

std::span<const WhyRow> WhyRows() { return kRows; }

std::span<const RuleText> RuleTexts() { return kRuleTexts; }

const char* MeaningOf(std::string_view caption, bool announcing)
{
    for (const Meaning& m : kMeanings)
        if (caption == m.caption)
            return announcing && m.announcing ? m.announcing : m.meaning;
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
