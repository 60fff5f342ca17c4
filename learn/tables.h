#pragma once

// What the self-test knows about the line beyond the core itself: which signal stands above each
// designation panel, what each designation means and how fast a train may pass it, which
// designations learners mix up, and one way to bring each panel to each of its designations.

#include "render/palette.h"

#include <span>
#include <string_view>

namespace lumaro::learn {

// Systems a row applies to.
enum SystemMask : unsigned { kHV = 1, kKs = 2, kHl = 4, kHVKs = kHV | kKs, kAllSystems = 7 };

constexpr unsigned MaskOf(System system)
{
    return system == System::HV ? kHV : system == System::Ks ? kKs : kHl;
}

enum class PanelRole {
    Main,         // a main signal's own aspect
    Distant,      // a distant signal or the distant part on a main signal's mast
    Indicator,    // an indicator standing alone (Zs 3, Zs 6)
    Shunting,     // a shunting signal
    Supplement,   // a further line under a main or distant signal's panel
};

// The signal above a designation panel, in the three grammatical forms the questions need.
struct PanelSignal {
    int panel;
    unsigned systems;
    PanelRole role;
    const char* nominative;   // "das Ausfahrsignal"
    const char* accusative;   // "das Ausfahrsignal", "den Gegengleisanzeiger"
    const char* at;           // "am Ausfahrsignal"
};

// A designation and its meaning in the words of the signal book, short.
struct Meaning {
    unsigned systems;
    const char* caption;
    const char* meaning;
};

// The speed at which a train may pass a signal showing this designation, and why.
struct SpeedFact {
    unsigned systems;
    const char* caption;
    const char* speed;
    const char* fact;
};

// Two designations that learners take for one another.
struct Confusion {
    unsigned systems;
    const char* a;
    const char* b;
};

// A supplement panel whose caption belongs to the aspect of a main signal's panel.
struct SupplementOf {
    unsigned systems;
    int main;
    int supplement;
};

// Button presses from the start (each followed by a tick) after which `panel` shows `caption`
// for good. Every designation that the line shows steadily has one row.
struct Recipe {
    System system;
    int panel;
    const char* caption;
    const char* presses;   // "Button20 Button35"; empty: the line shows it from the start
};

// The signal column above a group of buttons, as the questions name it.
struct ButtonColumn {
    int column;
    unsigned systems;
    const char* at;   // "am Einfahrsignal"
};

inline constexpr const char* kSpeedStop = "Halt";
inline constexpr const char* kSpeedLine = "Höchstgeschwindigkeit";
inline constexpr const char* kSpeedOnSight = "Fahrt auf Sicht, höchstens 40 km/h";

std::span<const PanelSignal> PanelSignals();
std::span<const Meaning> Meanings();
std::span<const SpeedFact> SpeedFacts();
std::span<const Confusion> Confusions();
std::span<const SupplementOf> Supplements();
std::span<const Recipe> Recipes();
std::span<const ButtonColumn> ButtonColumns();

// Look-ups; nullptr when the table has no row.
const PanelSignal* FindPanelSignal(System system, int panel);
const Meaning* FindMeaning(System system, std::string_view caption);
const SpeedFact* FindSpeedFact(System system, std::string_view caption);
const ButtonColumn* FindButtonColumn(System system, int button);

// The speeds a question of `system` may offer.
std::span<const char* const> SpeedsOf(System system);

} // namespace lumaro::learn
