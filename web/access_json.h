#pragma once

// What the page needs for assistive technology and the learners' overlays, as JSON: the signal
// columns in words, the buttons' and panels' accessible names, and the lights lit by the last
// paint.

#include "core/main_form.h"
#include "learn/quiz_session.h"

#include <string>

namespace lumaro::web {

// {"system": "H/V-System",
//  "columns": [{"x": 150, "name": "Spalte 2, Einfahrsignal", "aspect": "Hp 0",
//               "description": "Hp 0. Lampen: rot.",
//               "meanings": [{"panel": "Panel10", "meaning": "Halt"}, ...]}, ...],   (only columns with a signal)
//  "buttons": {"Button30": "Einfahrsignal: Halt", ...},
//  "panels": {"Panel1": {"name": "Blocksignal: Hp 0", "description": "Halt"}, ... Panel16},
//  "lights": [{"left", "top", "right", "bottom", "color": "rt"|"ge"|"gn"|"ws",
//              "kind": "lamp"|"figure", "blinking": bool, "burning": bool}, ...]}
// A panel's description and a column's meanings are the meanings of the designations shown, from
// the one meaning table (learn::PanelMeaning); the hover hints stay the panels' own. Column
// `concealed.column` is described by no aspect, no meaning, and its panels by their signal alone
// while a self-test question asks about it.
std::string AccessJson(const FormState& form, const learn::Concealment& concealed = {});

} // namespace lumaro::web
