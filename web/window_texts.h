#pragma once

// The exit notice and the three information windows as the page builds them: their controls with
// the desktop windows' names, texts, pictures and links, taken from contents/texts like the
// desktop's.

#include <string>

namespace lumaro::web {

// One JSON object: {"Notice": {...}, "About": {...}, "Licence": {...}, "Manual": {...}}. Each
// window has its "title" and its "controls" in the desktop's drawing order, bottom to top:
// {"name", "kind", "text", "url", "picture"} with
// - "name" the control's name in the desktop window ("Label2", "Image1", "RichEdit1", ...);
// - "kind" one of "label", "link", "picture", "button" (closes the window), "textView" (read-only
//   scrolling text) and "seconds" (the notice's seconds left, which the page fills in);
// - "text" what it says, line breaks kept; "url" where a click leads (links and linked pictures,
//   already encoded); "picture" a file under assets/ (empty for none).
std::string WindowTextsJson();

} // namespace lumaro::web
