#pragma once

// Host side of the GDI reference: runs gdiref.exe under Wine on a batch of traces and reads back
// the pictures, and encodes pictures compactly for the committed reference data.

#include "io/trace_format.h"
#include "render/canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumaro::gdiref {

struct Case {
    std::string name;
    int width = 0, height = 0;
    std::vector<TraceOp> ops;
};

// Draws every case with the real GDI (one Wine start for the whole batch). `work` is a directory
// for the exchange files and the Wine prefix. Returns false and says why in `error`.
bool RunUnderWine(const std::string& exe, const std::string& work, const std::vector<Case>& cases,
    std::vector<std::vector<std::uint32_t>>& pictures, std::string& error);

// Draws a case with our canvas.
std::vector<std::uint32_t> DrawOurs(const Case& c);

// Run-length text of a picture: "COLOR*COUNT" words, row-major, the colour as six hex digits.
std::string EncodeRuns(const std::vector<std::uint32_t>& pixels);

} // namespace lumaro::gdiref
