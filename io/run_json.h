#pragma once

#include "learn/fahrt.h"

#include <string>

namespace lumaro::io {

// The speed line as the JSON object of --run, ending in a line break. Keys and their order are
// part of the interface, as for --state.
std::string SpeedLineJson(const learn::SpeedLine& line);

} // namespace lumaro::io
