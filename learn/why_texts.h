#pragma once

// The words of the explanations: what each designation means, what stands in each column, and
// one row per kind of case that says how a panel's aspect came about. The explanation code picks
// a row and fills its placeholders; every sentence a learner reads is written here.

#include "learn/columns.h"
#include "state/aspect_commands.h"
#include "state/provenance.h"
#include "state/signal_table.h"
#include "state/system.h"

#include <span>
#include <string>
#include <string_view>

namespace lumaro::learn {

// Systems a row applies to, as a bit set.
enum Systems : unsigned {
    kHV = 1u << 0,
    kKs = 1u << 1,
    kHl = 1u << 2,
    kAllSystems = kHV | kKs | kHl,
};

constexpr unsigned SystemBit(System s)
{
    return s == System::HV ? kHV : s == System::Ks ? kKs : kHl;
}

constexpr unsigned PanelBit(int panel) { return 1u << panel; }

// What a panel's caption depends on, and so where its explanation looks.
enum class Reads {
    Own,                 // the signal's own aspect: start, its own button, or a rule
    Next,                // the aspect of the signal it announces, through relays and copies
    NextMarker,          // a marker a rule sets on the record it announces (`marker`)
    OwnMarker,           // a marker a rule sets on its own record (`marker`)
    TrackChangeButton,   // the track-change indication, lit only by the "GWB" buttons
    Beyond,              // announces a signal beyond the end of the line
    AheadOrTrackChange,  // announces the signal ahead, or a clear track after a track change
};

// Placeholders of the templates:
//   {signal}  this column's signal with its article ("das Einfahrsignal")
//   {part}    the part of it that announces ("das Vorsignal am Mast des Einfahrsignals")
//   {a}       the panel's caption        {m}  what it means
//   {ahead}   the announced signal with its article, {c} its caption
//   {dark}    "das Zwischensignal zeigt nur Kennlicht (Ke): " for each dark signal passed over,
//             empty otherwise; {darum} is " darum" after such a clause
//   {c1}, {n1}  the first cause's caption and its signal with article (and {c2}, {n2})
//   {causes}  every cause as "das Zwischensignal zeigt Hp 0", joined with " und "
//   {t1}, {t2}  the caption the first (second) cause showed when a rule or a press acted
//   {causesthen}  every cause as it was then: "das Zwischensignal Hp 1 zeigte"
//   {button}  the caption of the button that set it     {kmh}  the caption's speed in km/h
// The first letter of every sentence is made upper case after filling.
struct WhyRow {
    unsigned systems;
    unsigned panels;        // PanelBit of each panel
    const char* caption;    // exact, a prefix ending in '*', or "*" for any
    Reads reads;
    FieldPtr marker;        // NextMarker, OwnMarker: the marker field
    const char* text;       // nullptr: the general text for the source
};

// First matching row wins; a caption without a row is the signal's own aspect.
std::span<const WhyRow> WhyRows();

// General texts by source.
extern const char* const kStartText;
extern const char* const kHandText;
extern const char* const kTrackChangeHandText;
extern const char* const kFollowsText;          // a distant signal announces
extern const char* const kPassAndAnnounceText;  // a main signal lets pass and announces
extern const char* const kRuleText;
extern const char* const kClearAfterTrackChangeText;   // an Hl signal after the track change
extern const char* const kFollowsLateText;   // a relay on the way still holds the last tick's aspect
extern const char* const kAnnounceTrackChangeText;   // the route turns into the opposite track
extern const char* const kBlinkingKs1Text;           // Ks 1 blinks beside a Zs 3v
extern const char* const kMarkerTakenBackText;       // a rule's mark the next tick takes back
extern const char* const kMarkerSetBeforeText;       // a rule's mark whose causes changed since

extern const char* const kRuleEventText;   // a rule acted earlier, told with {causesthen}

// How one of the tick's rules changed a signal: `event` tells it as something that happened, with
// the captions its causes had then; `now` (nullptr: none) in the present, for a rule asked again
// on the line as it is. `caption` as in WhyRow.
struct RuleText {
    RuleId rule;
    const char* caption;
    const char* event;
    const char* now;
};
std::span<const RuleText> RuleTexts();

// How the second effect of another signal's button (the `then` step of its command) changed the
// signal of `panel`; `aspect` is the step's aspect field (nullptr for the other effects).
struct SecondEffectText {
    command::Effect effect;
    FieldPtr aspect;
    int panel;
    const char* text;
};
std::span<const SecondEffectText> SecondEffectTexts();

// What a caption means in any system (the meaning table of learn/tables.h); `announcing` picks the
// meaning at a distant signal where it differs. nullptr for an unknown caption.
const char* MeaningOf(std::string_view caption, bool announcing);

// The announcing part of a panel's signal, with article; nullptr where the panel only shows its
// signal's own aspect.
const char* AnnouncingPart(System system, int panel);
// Whether that part is a distant signal (it announces only) rather than a main signal that
// also lets the train pass.
bool AnnouncesOnly(System system, int panel);

} // namespace lumaro::learn
