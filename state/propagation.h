#pragma once

// The tick's rules: what derives the records no button writes from those the buttons write, and
// what the line's state decides for the entry signal's buttons. They run once per tick, after
// the paint, in the order of the rule table; the order is part of the behaviour, as later rules
// read what earlier ones wrote.

#include "state/provenance.h"
#include "state/signal_table.h"
#include "state/system.h"

#include <span>

namespace lumaro {

// What the rules decide for the window besides the records.
struct WindowDecisions {
    bool entryFahrtEnabled = true;   // Button35
    bool entry100Enabled = true;     // Button34
    // The rules pressed the entry signal's "Halt" button as a user would; the window takes the
    // focus away as after every press.
    bool entryHaltPressed = false;
};

struct RuleRun;

// One rule: a stable id, a name, its contract in one line, and the code that does it.
struct Rule {
    RuleId id;
    const char* name;
    const char* contract;
    void (*apply)(RuleRun&);
};

// The rules in the order they run.
std::span<const Rule> PropagationRules();
// The rule with `id`; nullptr for RuleId::None.
const Rule* FindRule(RuleId id);

// Runs every rule once, in order, on the records of all three systems; `system` is the one
// shown. Each changed record notes the rule that changed it and the records it read.
// `changed`, if given, notes each record the rules change as it was before.
WindowDecisions PropagateStates(SignalTable& table, RecordOrigins& origins, System system,
                                ChangedRecords* changed = nullptr);

} // namespace lumaro
