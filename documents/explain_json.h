#pragma once

// Why every designation panel shows what it shows, as JSON.

#include "learn/explain.h"

#include <string>

namespace lumaro::documents {

// The explanation of every designation panel as the JSON object of --explain, ending in a line
// break. Keys and their order are part of the interface, as for --state.
std::string ExplanationJson(const learn::Explanation& explanation);

} // namespace lumaro::documents
