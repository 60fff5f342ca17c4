#pragma once

// The texts of the exit notice and the three information windows, for the page.

#include <string>

namespace lumaro::web {

// One JSON object: {"Notice": {...}, "About": {...}, "Licence": {...}, "Manual": {...}}, each
// window with "title", "paragraphs" (strings), "links" ({"text", "url"}) and "photo" (the
// photograph's file name under assets/, empty for none).
std::string WindowTextsJson();

} // namespace lumaro::web
