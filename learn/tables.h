#pragma once

// What the self-test knows about the line beyond the core itself: which signal stands above each
// designation panel, what each designation means and how fast a train may pass it, which
// designations learners mix up, and one way to bring each panel to each of its designations.

#include "learn/why_texts.h"
#include "render/palette.h"
#include "render/panels.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace lumaro::learn {

// Systems a row applies to, as the explanations' bit set (SystemBit).
inline constexpr unsigned kHVKs = kHV | kKs;

// The signal above a designation panel, with its role: the row of the panel table.
using PanelSignal = PanelPlace;

// A designation and its meaning in the words of the signal book, short; `announcing` is how it
// reads at a distant signal where that differs (nullptr: as `meaning`).
struct Meaning {
    unsigned systems;
    const char* caption;
    const char* meaning;
    const char* announcing = nullptr;
};

// The speed at which a train may pass a signal showing this designation, and why.
struct SpeedFact {
    unsigned systems;
    const char* caption;
    const char* speed;
    const char* fact;   // one sentence that names `speed` word for word
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

// A supplement line that shows a single designation: it is asked among the supplements that stand
// at the main signals of its system, so that naming it is a question and not a giveaway.
struct SupplementSigns {
    System system;
    int panel;
    std::array<const char*, 3> signs;   // the line's own designation first
};

// Button presses from the start (each followed by a tick) after which `panel` shows `caption`
// for good. Every designation that the line shows steadily has one row.
struct Recipe {
    System system;
    int panel;
    const char* caption;
    const char* presses;   // "Button20 Button35"; empty: the line shows it from the start
};

// The signal column above a group of buttons, and the panel whose signal names the group.
struct ButtonColumn {
    int column;
    unsigned systems;
    int panel;
};

inline constexpr const char* kSpeedStop = "Halt";
inline constexpr const char* kSpeedLine = "Höchstgeschwindigkeit";
inline constexpr const char* kSpeedOnSight = "Fahrt auf Sicht, höchstens 40 km/h";

std::span<const Meaning> Meanings();
std::span<const SpeedFact> SpeedFacts();
std::span<const Confusion> Confusions();
std::span<const SupplementOf> Supplements();
std::span<const SupplementSigns> SupplementLines();
std::span<const Recipe> Recipes();
std::span<const ButtonColumn> ButtonColumns();

// Look-ups; nullptr when the table has no row.
const PanelSignal* FindPanelSignal(System system, int panel);
const Meaning* FindMeaning(System system, std::string_view caption);
// The meaning of a caption in `system`, as a distant signal reads it when `announcing`; nullptr
// for a caption the table does not know.
const char* MeaningOf(System system, std::string_view caption, bool announcing);
// The meaning of `caption` where `panel` shows it: as a distant signal reads it where the panel's
// signal only announces. The explanations, the accessible descriptions and the column sheet all
// take a panel's meaning from here. nullptr for a caption the table does not know.
const char* MeaningAt(System system, int panel, std::string_view caption);
const SpeedFact* FindSpeedFact(System system, std::string_view caption);
const SupplementSigns* FindSupplementSigns(System system, int panel);
const ButtonColumn* FindButtonColumn(System system, int button);

// A panel's signal with its article ("das Ausfahrsignal", "den Gegengleisanzeiger am
// Ausfahrsignal"), and where something stands at it ("am Vorsignal am Einfahrsignal").
std::string PanelSignalName(System system, int panel, Case grammaticalCase);
std::string PanelSignalAt(System system, int panel);

// The speeds a question of `system` may offer.
std::span<const char* const> SpeedsOf(System system);

} // namespace lumaro::learn
