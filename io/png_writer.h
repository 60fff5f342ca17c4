#pragma once

// The canvas as a PNG file's bytes.

#include "render/canvas.h"

#include <string>

namespace lumaro::io {

// Encodes the canvas as an 8-bit RGB PNG into `out`. The encoding is deterministic: the same
// pixels give the same bytes. On failure returns false with libpng's reason in `error`.
bool EncodePng(const Canvas& canvas, std::string& out, std::string& error);

} // namespace lumaro::io
