#pragma once

// Why each designation panel shows what it shows, in words for a learner. Built from where the
// records got their content (the records' origins, noted by the buttons, the tick's rules and the
// copying elements themselves), never from a second copy of those rules.

#include "render/designations.h"
#include "render/lamps.h"
#include "state/provenance.h"
#include "state/signal_table.h"
#include "state/system.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumaro::learn {

// Where a panel's aspect comes from.
enum class WhySource {
    Start,    // unchanged since the program started
    Hand,     // set by a button of this signal
    Follows,  // announces or repeats another signal, directly or through a relay
    Rule,     // changed by one of the program's automatic rules, or by another signal's button
};

const char* SourceName(WhySource source);   // "start", "hand", "follows", "rule"

struct PanelWhy {
    int panel = 0;             // 1 .. 16
    int x = 0;                 // the signal column the panel stands under
    std::string signal;        // what stands in that column, in words
    std::string aspect;        // the panel's caption
    WhySource source = WhySource::Start;
    std::vector<int> causes;   // panels whose aspects made this one, nearest first
    // A rule's entry: the captions its causes showed when the rule (or another signal's button)
    // acted, in the order of `causes`. Empty for the other sources.
    std::vector<std::string> then;
    std::string why;           // one or two German sentences
};

struct Explanation {
    System system = System::HV;
    std::vector<PanelWhy> panels;   // every designation panel with a caption, Panel1 .. Panel16
};

// What an explanation reads: the line as the last paint left it.
struct LineView {
    System system;
    const SignalTable& records;
    const RecordOrigins& origins;
    std::span<const PanelState> panels;   // [n] is PanelN, n = 1 .. 16 at least
    // The lights the last paint lit: a signal whose panel has no caption is described by them.
    std::span<const LitLight> lights = {};
    // For each record n, the captions the panels showed when its aspect last changed by a press
    // or a rule; empty (or an empty entry) where they are not known, and then the present ones
    // stand in.
    std::span<const std::array<std::string, kDesignationPanelCount + 1>> captionsThen = {};
};

// The explanation of one designation panel; none when its caption is empty or it is no
// designation panel.
std::optional<PanelWhy> ExplainPanel(const LineView& line, int panel);

// Every designation panel with a caption.
Explanation Explain(const LineView& line);

// The explanation of one panel as the "Warum" line keeps it: computed again only when the line as
// painted, its captions or the panel asked for changed, so that keeping it up to date after every
// tick costs a comparison.
class PanelWhyCache {
public:
    const std::optional<PanelWhy>& Explain(const LineView& line, int panel);

private:
    bool m_valid = false;
    System m_system = System::HV;
    int m_panel = 0;
    SignalTable m_records;
    std::array<std::string, kDesignationPanelCount + 1> m_captions;
    std::optional<PanelWhy> m_why;
};

// The panel that speaks for the column at `x` (its first line with a caption), or 0. Column 750
// of the Hl line, which holds only the exit signal's track-change buttons, speaks for the exit
// signal.
int PanelOfColumn(const LineView& line, int x);


} // namespace lumaro::learn
