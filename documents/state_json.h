#pragma once

// The main window's state as JSON.

#include "core/main_form.h"

#include <string>

namespace lumaro::documents {

// The state of the main window as the JSON object of --state, ending in a line break.
// Keys and their order are part of the interface; other programs read them.
std::string StateJson(const MainForm& form);

} // namespace lumaro::documents
