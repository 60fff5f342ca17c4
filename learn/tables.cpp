// The self-test's tables: the signals above the panels, the designations' meanings and speeds,
// the designations learners confuse, and a way to each designation the line shows.

#include "learn/tables.h"

#include "core/layout.h"
#include "learn/column_controls.h"
#include "learn/explain.h"

#include <array>

namespace lumaro::learn {

namespace {

// How the texts name a part on the mast of a column's signal; the signal itself goes by the
// column's name.
struct PartName {
    PanelPart part;
    const char* noun;
    Genus genus;
};

constexpr PartName kPartNames[] = {
    {PanelPart::DistantOnMast,     "Vorsignal",                   Genus::Neuter},
    {PanelPart::SpeedIndicator,    "Zusatzanzeiger",              Genus::Masculine},
    {PanelPart::SpeedPreIndicator, "Geschwindigkeitsvoranzeiger", Genus::Masculine},
    {PanelPart::AdditionalLight,   "Zusatzlicht",                 Genus::Neuter},
    {PanelPart::TrackChange,       "Gegengleisanzeiger",          Genus::Masculine},
    {PanelPart::DeadEnd,           "Zusatzanzeiger",              Genus::Masculine},
};

const PartName* NameOf(PanelPart part)
{
    for (const PartName& name : kPartNames)
        if (name.part == part)
            return &name;
    return nullptr;
}

// The one table of meanings: the explanations, the self-test and the column words all read it.
// The official meaning of the signal book comes first; a distant signal (or the distant part of
// a main signal) reads `announcing` where that differs. Sh 1 is named with its official meaning,
// not the panel's plainer hint; Zs 1 and Zs 7 say what sets them apart.
constexpr std::array kMeanings = std::to_array<Meaning>({
    // systems    caption               meaning; announcing
    {kAllSystems, "Hp 0",               "Halt"},
    {kHV,         "Hp 1",               "Fahrt"},
    {kHV,         "Hp 2",               "Langsamfahrt: im anschließenden Weichenbereich höchstens 40 km/h"},
    {kHV,         "Hp 1 + Zs 3 \"8\"",  "Fahrt, im anschließenden Weichenbereich höchstens 80 km/h"},
    {kHV,         "Hp 1 + Zs 3 \"10\"", "Fahrt, im anschließenden Weichenbereich höchstens 100 km/h"},
    {kHV,         "Hp 2 + Zs 3 \"6\"",  "Langsamfahrt, im anschließenden Weichenbereich höchstens 60 km/h statt 40 km/h"},
    {kAllSystems, "Hp 0 + Zs 1",        "Ersatzsignal: am Halt zeigenden Signal ohne schriftlichen Befehl vorbeifahren, höchstens 40 km/h im anschließenden Weichenbereich, ohne Fahrt auf Sicht"},
    {kHVKs,       "Hp 0 + Zs 7",        "Vorsichtsignal: am Halt zeigenden Signal ohne schriftlichen Befehl vorbeifahren, dann Fahrt auf Sicht bis zum nächsten Hauptsignal, höchstens 40 km/h"},
    {kHVKs,       "Hp 0 + Sh 1",        "Halt für Zugfahrten, Fahrverbot für Rangierfahrten aufgehoben"},
    {kHl,         "Hp 0 + Ra 12",       "Halt für Zugfahrten, Rangierfahrt erlaubt"},
    {kAllSystems, "Ke",                 "Kennlicht: das Signal ist abgeschaltet"},
    {kHVKs,       "Sh 1",               "Fahrverbot aufgehoben: für Züge und Rangierfahrten"},
    {kHVKs,       "Zs 3 \"2\"",         "Geschwindigkeitsanzeiger: höchstens 20 km/h im anschließenden Weichenbereich"},
    {kAllSystems, "Zs 6",               "Gegengleisanzeiger: der Fahrweg führt in das Streckengleis entgegen der gewöhnlichen Fahrtrichtung"},
    {kHl,         "Zs 13",              "Stumpfgleis- und Frühhaltanzeiger: Fahrt in ein Stumpfgleis oder in ein Gleis mit verkürztem Einfahrweg"},
    {kHl,         "Ra 11a",             "Wartezeichen: Auftrag des Wärters zur Rangierfahrt abwarten"},
    {kHl,         "Ra 12",              "Rangierfahrtsignal: Rangierfahrt erlaubt"},
    {kHV,         "Vr 0",               "Halt erwarten"},
    {kHV,         "Vr 1",               "Fahrt erwarten"},
    {kHV,         "Vr 2",               "Langsamfahrt erwarten"},
    {kHV,         "Vr 0 + ZL",          "Halt erwarten; das Vorsignal steht um mehr als 5 % näher am Hauptsignal, als der Bremsweg verlangt"},
    {kHV,         "Vr 1 + ZL",          "Fahrt erwarten; das Vorsignal steht um mehr als 5 % näher am Hauptsignal, als der Bremsweg verlangt"},
    {kHV,         "Vr 0 + Zs 3v \"2\"", "Halt erwarten und 20 km/h erwarten: ein seltener Fall, ein einzeln stehendes Zs 3 \"2\" zwischen den beiden Signalen"},
    {kHV,         "Vr 1 + Zs 3v \"8\"", "Fahrt erwarten, am nächsten Signal 80 km/h (Zs 3) erwarten"},
    {kHV,         "Vr 1 + Zs 3v \"10\"", "Fahrt erwarten, am nächsten Signal 100 km/h (Zs 3) erwarten"},
    {kHV,         "Vr 2 + Zs 3v \"6\"", "Langsamfahrt erwarten, am nächsten Signal 60 km/h (Zs 3) erwarten"},
    {kHVKs,       "+ ZL",               "Zusatzlicht: das Vorsignal steht um mehr als 5 % näher am Hauptsignal, als der Bremsweg verlangt"},
    {kHVKs,       "+ Zs 3v \"2\"",      "Geschwindigkeitsvoranzeiger: am nächsten Signal 20 km/h erwarten"},
    {kHVKs,       "+ Zs 3v \"4\"",      "Geschwindigkeitsvoranzeiger: am nächsten Signal 40 km/h erwarten"},
    {kHVKs,       "+ Zs 3v \"6\"",      "Geschwindigkeitsvoranzeiger: am nächsten Signal 60 km/h erwarten"},
    {kHVKs,       "+ Zs 3v \"8\"",      "Geschwindigkeitsvoranzeiger: am nächsten Signal 80 km/h erwarten"},
    {kHVKs,       "+ Zs 3v \"10\"",     "Geschwindigkeitsvoranzeiger: am nächsten Signal 100 km/h erwarten"},
    {kKs,         "+ Zs 3 \"4\"",       "Geschwindigkeitsanzeiger: ab dem Signal im anschließenden Weichenbereich höchstens 40 km/h"},
    {kKs,         "+ Zs 3 \"6\"",       "Geschwindigkeitsanzeiger: ab dem Signal im anschließenden Weichenbereich höchstens 60 km/h"},
    {kKs,         "+ Zs 3 \"8\"",       "Geschwindigkeitsanzeiger: ab dem Signal im anschließenden Weichenbereich höchstens 80 km/h"},
    {kKs,         "+ Zs 3 \"10\"",      "Geschwindigkeitsanzeiger: ab dem Signal im anschließenden Weichenbereich höchstens 100 km/h"},
    {kKs,         "Ks 1",               "Fahrt", "Fahrt erwarten"},
    {kKs,         "Ks 2",               "Halt erwarten; ein Hauptsignal mit Ks 2 darf der Zug passieren", "Halt erwarten"},
    {kKs,         "Ks 2 + ZL",          "Halt erwarten; das Vorsignal steht um mehr als 5 % näher am Hauptsignal, als der Bremsweg verlangt"},
    {kKs,         "Ks 1 + Zs 3 \"4\"",  "Fahrt, im anschließenden Weichenbereich höchstens 40 km/h"},
    {kKs,         "Ks 1 + Zs 3 \"6\"",  "Fahrt, im anschließenden Weichenbereich höchstens 60 km/h"},
    {kKs,         "Ks 1 + Zs 3 \"8\"",  "Fahrt, im anschließenden Weichenbereich höchstens 80 km/h"},
    {kKs,         "Ks 1 + Zs 3 \"10\"", "Fahrt, im anschließenden Weichenbereich höchstens 100 km/h"},
    {kKs,         "Ks 2 + Zs 3 \"4\"",  "Halt erwarten, im anschließenden Weichenbereich höchstens 40 km/h"},
    {kKs,         "Ks 2 + Zs 3 \"6\"",  "Halt erwarten, im anschließenden Weichenbereich höchstens 60 km/h"},
    {kKs,         "Ks 2 + Zs 3 \"8\"",  "Halt erwarten, im anschließenden Weichenbereich höchstens 80 km/h"},
    {kKs,         "Ks 2 + Zs 3 \"10\"", "Halt erwarten, im anschließenden Weichenbereich höchstens 100 km/h"},
    {kHl,         "Hl 1",               "Fahrt mit Höchstgeschwindigkeit", "Höchstgeschwindigkeit erwarten"},
    {kHl,         "Hl 2",               "Fahrt mit 100 km/h, dann mit Höchstgeschwindigkeit"},
    {kHl,         "Hl 3a",              "Fahrt mit 40 km/h, dann mit Höchstgeschwindigkeit"},
    {kHl,         "Hl 3b",              "Fahrt mit 60 km/h, dann mit Höchstgeschwindigkeit"},
    {kHl,         "Hl 4",               "Höchstgeschwindigkeit auf 100 km/h ermäßigen", "100 km/h erwarten"},
    {kHl,         "Hl 5",               "Fahrt mit 100 km/h"},
    {kHl,         "Hl 6a",              "Fahrt mit 40 km/h, dann mit 100 km/h"},
    {kHl,         "Hl 6b",              "Fahrt mit 60 km/h, dann mit 100 km/h"},
    {kHl,         "Hl 7",               "Höchstgeschwindigkeit auf 40 km/h (60 km/h) ermäßigen", "40 km/h (60 km/h) erwarten"},
    {kHl,         "Hl 8",               "Geschwindigkeit 100 km/h auf 40 km/h (60 km/h) ermäßigen"},
    {kHl,         "Hl 9a",              "Fahrt mit 40 km/h, dann mit 40 km/h (60 km/h)"},
    {kHl,         "Hl 9b",              "Fahrt mit 60 km/h, dann mit 40 km/h (60 km/h)"},
    {kHl,         "Hl 10",              "Fahrt mit Höchstgeschwindigkeit, Halt erwarten", "Halt erwarten"},
    {kHl,         "Hl 11",              "Geschwindigkeit 100 km/h ermäßigen, Halt erwarten"},
    {kHl,         "Hl 12a",             "Geschwindigkeit 40 km/h ermäßigen, Halt erwarten"},
    {kHl,         "Hl 12b",             "Geschwindigkeit 60 km/h ermäßigen, Halt erwarten"},
});

// "im anschließenden Weichenbereich" (AWB) starts at the signal; for Hl the lower speed holds
// from the signal on, which is all a question here asks.
constexpr std::array kSpeedFacts = std::to_array<SpeedFact>({
    {kAllSystems, "Hp 0",               kSpeedStop,     "Hp 0 heißt Halt: Der Zug hält vor dem Signal."},
    {kHV,         "Hp 1",               kSpeedLine,     "Hp 1 heißt Fahrt: Es gilt die Höchstgeschwindigkeit, die der Fahrplan zulässt."},
    {kHV,         "Hp 2",               "40 km/h",      "Hp 2 (Langsamfahrt) erlaubt ohne Zs 3 höchstens 40 km/h im anschließenden Weichenbereich."},
    {kHV,         "Hp 2 + Zs 3 \"6\"",  "60 km/h",      "Zs 3 \"6\" gilt statt der 40 km/h von Hp 2: höchstens 60 km/h im anschließenden Weichenbereich."},
    {kHV,         "Hp 1 + Zs 3 \"8\"",  "80 km/h",      "Zs 3 \"8\": höchstens 80 km/h im anschließenden Weichenbereich."},
    {kHV,         "Hp 1 + Zs 3 \"10\"", "100 km/h",     "Zs 3 \"10\": höchstens 100 km/h im anschließenden Weichenbereich."},
    {kAllSystems, "Hp 0 + Zs 1",        "40 km/h",      "Zs 1 erlaubt die Vorbeifahrt an Hp 0 mit höchstens 40 km/h im anschließenden Weichenbereich; das ist keine Fahrt auf Sicht."},
    {kHVKs,       "Hp 0 + Zs 7",        kSpeedOnSight,  "Zs 7 erlaubt die Vorbeifahrt an Hp 0; dann Fahrt auf Sicht, höchstens 40 km/h, bis zum nächsten Hauptsignal."},
    {kHVKs,       "Hp 0 + Sh 1",        kSpeedStop,     "Sh 1 hebt nur das Fahrverbot für Rangierfahrten auf; für Zugfahrten gilt Hp 0: Halt."},
    {kHl,         "Hp 0 + Ra 12",       kSpeedStop,     "Ra 12 erlaubt nur Rangierfahrten; für Zugfahrten gilt Hp 0: Halt."},
    {kHVKs,       "Zs 3 \"2\"",         "20 km/h",      "Zs 3 \"2\": höchstens 20 km/h im anschließenden Weichenbereich."},
    {kKs,         "Ks 1",               kSpeedLine,     "Ks 1 heißt Fahrt: Es gilt die Höchstgeschwindigkeit, die der Fahrplan zulässt."},
    {kKs,         "Ks 2",               kSpeedLine,     "Ks 2 erlaubt die Vorbeifahrt mit Höchstgeschwindigkeit und kündigt nur Halt am nächsten Hauptsignal an."},
    {kKs,         "Ks 1 + Zs 3 \"4\"",  "40 km/h",      "Zs 3 \"4\": höchstens 40 km/h im anschließenden Weichenbereich."},
    {kKs,         "Ks 1 + Zs 3 \"6\"",  "60 km/h",      "Zs 3 \"6\": höchstens 60 km/h im anschließenden Weichenbereich."},
    {kKs,         "Ks 1 + Zs 3 \"8\"",  "80 km/h",      "Zs 3 \"8\": höchstens 80 km/h im anschließenden Weichenbereich."},
    {kKs,         "Ks 1 + Zs 3 \"10\"", "100 km/h",     "Zs 3 \"10\": höchstens 100 km/h im anschließenden Weichenbereich."},
    {kKs,         "Ks 2 + Zs 3 \"4\"",  "40 km/h",      "Zs 3 \"4\": höchstens 40 km/h im anschließenden Weichenbereich; Ks 2 kündigt dazu Halt an."},
    {kKs,         "Ks 2 + Zs 3 \"6\"",  "60 km/h",      "Zs 3 \"6\": höchstens 60 km/h im anschließenden Weichenbereich; Ks 2 kündigt dazu Halt an."},
    {kKs,         "Ks 2 + Zs 3 \"8\"",  "80 km/h",      "Zs 3 \"8\": höchstens 80 km/h im anschließenden Weichenbereich; Ks 2 kündigt dazu Halt an."},
    {kKs,         "Ks 2 + Zs 3 \"10\"", "100 km/h",     "Zs 3 \"10\": höchstens 100 km/h im anschließenden Weichenbereich; Ks 2 kündigt dazu Halt an."},
    {kHl,         "Hl 1",               kSpeedLine,     "Hl 1: Fahrt mit Höchstgeschwindigkeit."},
    {kHl,         "Hl 2",               "100 km/h",     "Hl 2: Fahrt mit 100 km/h, dann mit Höchstgeschwindigkeit."},
    {kHl,         "Hl 3a",              "40 km/h",      "Hl 3a: Fahrt mit 40 km/h, dann mit Höchstgeschwindigkeit."},
    {kHl,         "Hl 3b",              "60 km/h",      "Hl 3b: Der gelbe Lichtstreifen hebt 40 km/h auf 60 km/h; danach Höchstgeschwindigkeit."},
    {kHl,         "Hl 4",               kSpeedLine,     "Hl 4: Höchstgeschwindigkeit; bis zum nächsten Signal auf 100 km/h ermäßigen."},
    {kHl,         "Hl 5",               "100 km/h",     "Hl 5: Fahrt mit 100 km/h, am nächsten Signal wieder 100 km/h."},
    {kHl,         "Hl 6a",              "40 km/h",      "Hl 6a: Fahrt mit 40 km/h, dann mit 100 km/h."},
    {kHl,         "Hl 6b",              "60 km/h",      "Hl 6b: Der gelbe Lichtstreifen hebt 40 km/h auf 60 km/h; danach 100 km/h."},
    {kHl,         "Hl 7",               kSpeedLine,     "Hl 7: Höchstgeschwindigkeit; bis zum nächsten Signal auf 40 km/h oder 60 km/h ermäßigen."},
    {kHl,         "Hl 8",               "100 km/h",     "Hl 8: Fahrt mit 100 km/h; bis zum nächsten Signal auf 40 km/h oder 60 km/h ermäßigen."},
    {kHl,         "Hl 9a",              "40 km/h",      "Hl 9a: Fahrt mit 40 km/h, am nächsten Signal 40 km/h oder 60 km/h."},
    {kHl,         "Hl 9b",              "60 km/h",      "Hl 9b: Der gelbe Lichtstreifen hebt 40 km/h auf 60 km/h; am nächsten Signal 40 km/h oder 60 km/h."},
    {kHl,         "Hl 10",              kSpeedLine,     "Hl 10: Vorbeifahrt mit Höchstgeschwindigkeit, Halt am nächsten Signal erwarten."},
    {kHl,         "Hl 11",              "100 km/h",     "Hl 11: Fahrt mit 100 km/h, Halt am nächsten Signal erwarten."},
    {kHl,         "Hl 12a",             "40 km/h",      "Hl 12a: Fahrt mit 40 km/h, Halt am nächsten Signal erwarten."},
    {kHl,         "Hl 12b",             "60 km/h",      "Hl 12b: Fahrt mit 60 km/h, Halt am nächsten Signal erwarten."},
});

// The pairs learners mix up most; either one is offered as a wrong choice for the other.
constexpr std::array kConfusions = std::to_array<Confusion>({
    {kHVKs, "Hp 0 + Zs 1",       "Hp 0 + Zs 7"},          // Ersatzsignal is no Fahrt auf Sicht
    {kHV,   "Hp 2",              "Hp 2 + Zs 3 \"6\""},    // 40 km/h only without Zs 3
    {kHV,   "Hp 2 + Zs 3 \"6\"", "Hp 1 + Zs 3 \"10\""},
    {kHV,   "Hp 1",              "Hp 1 + Zs 3 \"10\""},
    {kHV,   "Hp 2",              "Hp 1"},
    {kKs,   "Ks 1",              "Ks 1 + Zs 3 \"6\""},    // Ks 1 blinks only with a Zs 3v
    {kKs,   "Ks 1",              "Ks 2"},
    {kKs,   "Ks 2",              "Hp 0"},                 // Ks 2 lets the train pass
    {kKs,   "+ Zs 3 \"6\"",      "+ Zs 3v \"6\""},        // white: from here; yellow: expect
    {kKs,   "+ Zs 3 \"10\"",     "+ Zs 3v \"10\""},
    {kKs,   "Zs 3 \"2\"",        "+ Zs 3v \"2\""},
    {kHV,   "Vr 1",              "Vr 1 + Zs 3v \"10\""},
    {kHV,   "Vr 2",              "Vr 2 + Zs 3v \"6\""},
    {kHV,   "Vr 0",              "Vr 0 + ZL"},
    {kHl,   "Hl 4",              "Hl 7"},                 // green or yellow blinking
    {kHl,   "Hl 1",              "Hl 4"},
    {kHl,   "Hl 7",              "Hl 10"},
    {kHl,   "Hl 3a",             "Hl 3b"},                // the yellow strip
    {kHl,   "Hl 6a",             "Hl 6b"},
    {kHl,   "Hl 9a",             "Hl 9b"},
    {kHl,   "Hl 12a",            "Hl 12b"},
    {kHl,   "Hl 2",              "Hl 3a"},                // the green strip
    {kHl,   "Hl 5",              "Hl 6a"},
    {kHl,   "Hl 8",              "Hl 9a"},
    {kHl,   "Hl 11",             "Hl 12a"},
    {kHl,   "Hl 10",             "Hp 0"},                 // yellow is no stop
    {kHVKs, "Hp 0 + Sh 1",       "Hp 0 + Zs 1"},          // white lights for shunting or for trains
    {kHl,   "Hp 0 + Ra 12",      "Hp 0 + Zs 1"},
});

constexpr std::array kSupplements = std::to_array<SupplementOf>({
    {kKs, 10, 11},   // Zs 3 or Zs 3v beside the entry signal's Ks aspect
    {kKs, 10, 14},
    {kHl, 10, 11},   // Zs 13
    {kHl, 4, 5},     // Zs 6
    {kHl, 6, 16},
});

// The Hl entry signal's Zs 13 beside Zs 6 (at the exit and intermediate signals) and Zs 1 (at
// every Hl main signal, the entry signal's own included).
constexpr std::array kSupplementLines = std::to_array<SupplementSigns>({
    {System::Hl, 11, {"Zs 13", "Zs 6", "Zs 1"}},
});

constexpr std::array kButtonColumns = std::to_array<ButtonColumn>({
    {150, kAllSystems, 10},
    {250, kAllSystems, 9},
    {450, kAllSystems, 7},
    {550, kAllSystems, 6},
    {650, kAllSystems, 4},
    {750, kHl,         5},   // the exit signal's track-change buttons
    {850, kHVKs,       2},
    {950, kAllSystems, 1},
});

// Found by a search from the start over button presses; each row is checked by the tests.
constexpr std::array kRecipes = std::to_array<Recipe>({
    {System::HV, 1, "Hp 0", ""},
    {System::HV, 1, "Hp 0 + Zs 1", "Button23"},
    {System::HV, 1, "Hp 1", "Button22"},
    {System::HV, 2, "Zs 6", "Button25"},
    {System::HV, 3, "Ke", "Button25"},
    {System::HV, 3, "Vr 0 + ZL", ""},
    {System::HV, 3, "Vr 1 + ZL", "Button22"},
    {System::HV, 4, "Hp 0", ""},
    {System::HV, 4, "Hp 0 + Sh 1", "Button7"},
    {System::HV, 4, "Hp 0 + Zs 1", "Button8"},
    {System::HV, 4, "Hp 0 + Zs 7", "Button9"},
    {System::HV, 4, "Hp 1", "Button6"},
    {System::HV, 4, "Hp 1 + Zs 3 \"10\"", "Button5"},
    {System::HV, 4, "Hp 2", "Button2"},
    {System::HV, 4, "Hp 2 + Zs 3 \"6\"", "Button3"},
    {System::HV, 4, "Ke", "Button12"},
    {System::HV, 5, "Vr 0", "Button12"},
    {System::HV, 5, "Vr 1", "Button12 Button22"},
    {System::HV, 6, "Hp 0", ""},
    {System::HV, 6, "Hp 0 + Sh 1", "Button17"},
    {System::HV, 6, "Hp 0 + Zs 1", "Button18"},
    {System::HV, 6, "Hp 0 + Zs 7", "Button19"},
    {System::HV, 6, "Hp 1", "Button16"},
    {System::HV, 6, "Hp 2", "Button12"},
    {System::HV, 6, "Ke", "Button20"},
    {System::HV, 7, "Hp 0", "Button26"},
    {System::HV, 7, "Ke", ""},
    {System::HV, 8, "Zs 3 \"2\"", "Button26"},
    {System::HV, 9, "Hp 0", ""},
    {System::HV, 9, "Sh 1", "Button31"},
    {System::HV, 10, "Hp 0", ""},
    {System::HV, 10, "Hp 0 + Zs 1", "Button36"},
    {System::HV, 10, "Hp 0 + Zs 7", "Button37"},
    {System::HV, 10, "Hp 1", "Button20 Button35"},
    {System::HV, 10, "Hp 1 + Zs 3 \"10\"", "Button34"},
    {System::HV, 10, "Hp 2", "Button31"},
    {System::HV, 10, "Hp 2 + Zs 3 \"6\"", "Button32"},
    {System::HV, 11, "Vr 0", "Button31"},
    {System::HV, 11, "Vr 0 + Zs 3v \"2\"", "Button26 Button31"},
    {System::HV, 11, "Vr 1", "Button31 Button16"},
    {System::HV, 11, "Vr 1 + Zs 3v \"10\"", "Button31 Button12 Button5"},
    {System::HV, 11, "Vr 2", "Button31 Button12"},
    {System::HV, 11, "Vr 2 + Zs 3v \"6\"", "Button31 Button12 Button3"},
    {System::HV, 12, "Vr 0", ""},
    {System::HV, 12, "Vr 1", "Button34"},
    {System::HV, 12, "Vr 2", "Button31"},
    {System::HV, 12, "Vr 2 + Zs 3v \"6\"", "Button32"},
    {System::HV, 13, "+ ZL", "Button31"},
    {System::HV, 15, "+ Zs 3v \"10\"", "Button34"},
    {System::Hl, 1, "Hl 1", "Button22"},
    {System::Hl, 1, "Hp 0", ""},
    {System::Hl, 1, "Hp 0 + Zs 1", "Button23"},
    {System::Hl, 2, "Hl 1", "Button22"},
    {System::Hl, 2, "Hl 10", ""},
    {System::Hl, 4, "Hl 1", "Button6 Button22"},
    {System::Hl, 4, "Hl 10", "Button6"},
    {System::Hl, 4, "Hl 11", "Button5"},
    {System::Hl, 4, "Hl 12a", "Button2"},
    {System::Hl, 4, "Hl 12b", "Button3"},
    {System::Hl, 4, "Hl 2", "Button5 Button22"},
    {System::Hl, 4, "Hl 3a", "Button2 Button22"},
    {System::Hl, 4, "Hl 3b", "Button3 Button22"},
    {System::Hl, 4, "Hp 0", ""},
    {System::Hl, 4, "Hp 0 + Ra 12", "Button7"},
    {System::Hl, 4, "Hp 0 + Zs 1", "Button8"},
    {System::Hl, 4, "Ke", "Button12"},
    {System::Hl, 5, "Zs 6", "Button2 Button14"},
    {System::Hl, 6, "Hl 1", "Button16 Button22"},
    {System::Hl, 6, "Hl 10", "Button16"},
    {System::Hl, 6, "Hl 12a", "Button12"},
    {System::Hl, 6, "Hl 3a", "Button12 Button22"},
    {System::Hl, 6, "Hp 0", ""},
    {System::Hl, 6, "Hp 0 + Ra 12", "Button17"},
    {System::Hl, 6, "Hp 0 + Zs 1", "Button18"},
    {System::Hl, 6, "Ke", "Button20"},
    {System::Hl, 7, "Hp 0", "Button26"},
    {System::Hl, 7, "Ke", ""},
    {System::Hl, 9, "Ra 11a", ""},
    {System::Hl, 9, "Ra 12", "Button29"},
    {System::Hl, 10, "Hl 1", "Button16 Button35"},
    {System::Hl, 10, "Hl 10", "Button20 Button35"},
    {System::Hl, 10, "Hl 11", "Button34"},
    {System::Hl, 10, "Hl 12a", "Button31"},
    {System::Hl, 10, "Hl 12b", "Button32"},
    {System::Hl, 10, "Hl 2", "Button34 Button16"},
    {System::Hl, 10, "Hl 3a", "Button31 Button16"},
    {System::Hl, 10, "Hl 3b", "Button32 Button16"},
    {System::Hl, 10, "Hl 4", "Button12 Button5 Button35"},
    {System::Hl, 10, "Hl 5", "Button34 Button12 Button5"},
    {System::Hl, 10, "Hl 6a", "Button31 Button12 Button5"},
    {System::Hl, 10, "Hl 6b", "Button32 Button12 Button5"},
    {System::Hl, 10, "Hl 7", "Button12 Button2 Button35"},
    {System::Hl, 10, "Hl 8", "Button34 Button12"},
    {System::Hl, 10, "Hl 9a", "Button31 Button12"},
    {System::Hl, 10, "Hl 9b", "Button32 Button12"},
    {System::Hl, 10, "Hp 0", ""},
    {System::Hl, 10, "Hp 0 + Zs 1", "Button36"},
    {System::Hl, 11, "Zs 13", "Button26 Button31"},
    {System::Hl, 12, "Hl 1", "Button16 Button35"},
    {System::Hl, 12, "Hl 10", ""},
    {System::Hl, 12, "Hl 4", "Button34"},
    {System::Hl, 12, "Hl 7", "Button31"},
    {System::Hl, 16, "Zs 6", "Button12 Button14"},
    {System::Ks, 1, "Hp 0", ""},
    {System::Ks, 1, "Hp 0 + Zs 1", "Button23"},
    {System::Ks, 1, "Ks 1", "Button22"},
    {System::Ks, 2, "Zs 6", "Button25"},
    {System::Ks, 3, "Ke", "Button25"},
    {System::Ks, 3, "Ks 1", "Button22"},
    {System::Ks, 3, "Ks 2 + ZL", ""},
    {System::Ks, 4, "Hp 0", ""},
    {System::Ks, 4, "Hp 0 + Sh 1", "Button7"},
    {System::Ks, 4, "Hp 0 + Zs 1", "Button8"},
    {System::Ks, 4, "Hp 0 + Zs 7", "Button9"},
    {System::Ks, 4, "Ke", "Button12"},
    {System::Ks, 4, "Ks 1", "Button6 Button22"},
    {System::Ks, 4, "Ks 1 + Zs 3 \"10\"", "Button5 Button22"},
    {System::Ks, 4, "Ks 1 + Zs 3 \"4\"", "Button2 Button22"},
    {System::Ks, 4, "Ks 1 + Zs 3 \"6\"", "Button3 Button22"},
    {System::Ks, 4, "Ks 2", "Button6"},
    {System::Ks, 4, "Ks 2 + Zs 3 \"10\"", "Button5"},
    {System::Ks, 4, "Ks 2 + Zs 3 \"4\"", "Button2"},
    {System::Ks, 4, "Ks 2 + Zs 3 \"6\"", "Button3"},
    {System::Ks, 6, "Hp 0", ""},
    {System::Ks, 6, "Hp 0 + Sh 1", "Button17"},
    {System::Ks, 6, "Hp 0 + Zs 1", "Button18"},
    {System::Ks, 6, "Hp 0 + Zs 7", "Button19"},
    {System::Ks, 6, "Ke", "Button20"},
    {System::Ks, 6, "Ks 1", "Button16 Button22"},
    {System::Ks, 6, "Ks 1 + Zs 3 \"4\"", "Button12 Button22"},
    {System::Ks, 6, "Ks 2", "Button16"},
    {System::Ks, 6, "Ks 2 + Zs 3 \"4\"", "Button12"},
    {System::Ks, 7, "Hp 0", "Button26"},
    {System::Ks, 7, "Ke", ""},
    {System::Ks, 8, "Zs 3 \"2\"", "Button26"},
    {System::Ks, 9, "Hp 0", ""},
    {System::Ks, 9, "Sh 1", "Button31"},
    {System::Ks, 10, "Hp 0", ""},
    {System::Ks, 10, "Hp 0 + Zs 1", "Button36"},
    {System::Ks, 10, "Hp 0 + Zs 7", "Button37"},
    {System::Ks, 10, "Ks 1", "Button32 Button12"},
    {System::Ks, 10, "Ks 1 + Zs 3 \"10\"", "Button34 Button16"},
    {System::Ks, 10, "Ks 1 + Zs 3 \"4\"", "Button31 Button12"},
    {System::Ks, 10, "Ks 1 + Zs 3 \"6\"", "Button32 Button16"},
    {System::Ks, 10, "Ks 2", "Button20 Button35"},
    {System::Ks, 10, "Ks 2 + Zs 3 \"10\"", "Button34"},
    {System::Ks, 10, "Ks 2 + Zs 3 \"4\"", "Button31"},
    {System::Ks, 10, "Ks 2 + Zs 3 \"6\"", "Button32"},
    {System::Ks, 11, "+ Zs 3 \"10\"", "Button34 Button12"},
    {System::Ks, 11, "+ Zs 3 \"6\"", "Button32 Button12"},
    {System::Ks, 11, "+ Zs 3v \"10\"", "Button12 Button5 Button35"},
    {System::Ks, 11, "+ Zs 3v \"4\"", "Button12 Button2 Button35"},
    {System::Ks, 11, "+ Zs 3v \"6\"", "Button12 Button3 Button35"},
    {System::Ks, 12, "Ks 1", "Button31"},
    {System::Ks, 12, "Ks 2", ""},
    {System::Ks, 13, "+ ZL", "Button31"},
    {System::Ks, 14, "+ Zs 3v \"2\"", "Button26 Button31"},
    {System::Ks, 14, "+ Zs 3v \"4\"", "Button32 Button12"},
    {System::Ks, 14, "+ Zs 3v \"6\"", "Button34 Button12 Button3"},
    {System::Ks, 15, "+ Zs 3v \"10\"", "Button34"},
    {System::Ks, 15, "+ Zs 3v \"4\"", "Button31"},
    {System::Ks, 15, "+ Zs 3v \"6\"", "Button32"},
});

constexpr std::array<const char*, 7> kSpeedsHVKs = {
    kSpeedStop, kSpeedLine, "20 km/h", "40 km/h", "60 km/h", "100 km/h", kSpeedOnSight,
};
constexpr std::array<const char*, 5> kSpeedsHl = {kSpeedStop, kSpeedLine, "40 km/h", "60 km/h", "100 km/h"};

} // namespace

std::span<const Meaning> Meanings() { return kMeanings; }
std::span<const SpeedFact> SpeedFacts() { return kSpeedFacts; }
std::span<const Confusion> Confusions() { return kConfusions; }
std::span<const SupplementOf> Supplements() { return kSupplements; }
std::span<const SupplementSigns> SupplementLines() { return kSupplementLines; }
std::span<const Recipe> Recipes() { return kRecipes; }
std::span<const ButtonColumn> ButtonColumns() { return kButtonColumns; }

const PanelSignal* FindPanelSignal(System system, int panel)
{
    return FindPanelPlace(system, panel);
}

const Meaning* FindMeaning(System system, std::string_view caption)
{
    for (const Meaning& row : kMeanings)
        if (row.caption == caption && (row.systems & SystemBit(system)))
            return &row;
    return nullptr;
}

const char* MeaningOf(System system, std::string_view caption, bool announcing)
{
    const Meaning* row = FindMeaning(system, caption);
    if (!row)
        return nullptr;
    return announcing && row->announcing ? row->announcing : row->meaning;
}

const char* MeaningAt(System system, int panel, std::string_view caption)
{
    return MeaningOf(system, caption, AnnouncesOnly(system, panel));
}

const SpeedFact* FindSpeedFact(System system, std::string_view caption)
{
    for (const SpeedFact& row : kSpeedFacts)
        if (row.caption == caption && (row.systems & SystemBit(system)))
            return &row;
    return nullptr;
}

const SupplementSigns* FindSupplementSigns(System system, int panel)
{
    for (const SupplementSigns& row : kSupplementLines)
        if (row.system == system && row.panel == panel)
            return &row;
    return nullptr;
}

const ButtonColumn* FindButtonColumn(System system, int button)
{
    for (const ButtonDef& def : kButtons) {
        if (def.number != button)
            continue;
        const int column = ControlColumn(def.left, kButtonWidth);
        for (const ButtonColumn& row : kButtonColumns)
            if (row.column == column && (row.systems & SystemBit(system)))
                return &row;
    }
    return nullptr;
}

std::string PanelSignalName(System system, int panel, Case grammaticalCase)
{
    const PanelSignal* row = FindPanelSignal(system, panel);
    const std::int32_t x = PanelColumn(panel);
    if (!row || !ColumnSignal(system, x))
        return "das Signal";
    const PartName* part = NameOf(row->part);
    if (!part)
        return SignalWithArticle(system, x, grammaticalCase);
    return WithArticle(part->noun, part->genus, grammaticalCase) + " " + SignalAt(system, x);
}

std::string PanelSignalAt(System system, int panel)
{
    const PanelSignal* row = FindPanelSignal(system, panel);
    const std::int32_t x = PanelColumn(panel);
    if (!row || !ColumnSignal(system, x))
        return "am Signal";
    const PartName* part = NameOf(row->part);
    return part ? "am " + std::string(part->noun) + " " + SignalAt(system, x) : SignalAt(system, x);
}

std::span<const char* const> SpeedsOf(System system)
{
    if (system == System::Hl)
        return kSpeedsHl;
    return kSpeedsHVKs;
}

} // namespace lumaro::learn
