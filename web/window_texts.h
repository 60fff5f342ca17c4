#pragma once

// The texts of the exit notice and the three information windows, for the page.

#include <string>

namespace lumaro::web {

// One JSON object: {"Notice": {...}, "About": {...}, "Licence": {...}, "Manual": {...}}, each
// window with "links" ([{"text", "url"}]), "title", "text" (line breaks kept), "photo" (the
// photograph's file name under assets/, empty for none) and, for the notice, the countdown
// line's text before and after the seconds ("countdownBefore", "countdownAfter").
std::string WindowTextsJson();

} // namespace lumaro::web
