#pragma once

// The trace format of lumaro-render --trace, --replay and the GDI tools.

#include "render/canvas.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumaro::io {

// The trace line of one operation, without the line break, e.g. "lineto 10 40 0x000000 2".
std::string FormatTraceOp(const TraceOp& op);

// Parses one trace line. On failure returns false and says why in `error`.
bool ParseTraceOp(std::string_view line, TraceOp& op, std::string& error);

// The text of --trace: one operation per line, each ending in "\n".
std::string FormatTrace(const std::vector<TraceOp>& ops);

// Reads the trace file at `path`. Blank lines are skipped, a "\r" before a line break is
// allowed. On failure returns false with the reason in `error`; a malformed line is named as
// "PATH:LINE: reason" with lines counted from 1.
bool ReadTrace(const std::string& path, std::vector<TraceOp>& ops, std::string& error);

} // namespace lumaro::io
