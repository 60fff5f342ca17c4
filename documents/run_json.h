#pragma once

// The speed a train may run along the line, as JSON.

#include "learn/fahrt.h"

#include <string>

namespace lumaro::documents {

// The speed line as the JSON object of --run, ending in a line break. Keys and their order are
// part of the interface, as for --state.
std::string SpeedLineJson(const learn::SpeedLine& line);

// The line as a view draws it: the pieces with their kind ("line", "speed", "on_sight", "stop",
// "ramp"), the signal column they belong to (0 for none), their short cause and the sentence a
// screen reader says, the parts that hold for the train's length, and the conventions the view
// states. One line of JSON.
std::string SpeedLineViewJson(const learn::SpeedLine& line);

} // namespace lumaro::documents
