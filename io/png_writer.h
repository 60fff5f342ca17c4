#pragma once

// The canvas as a PNG file's bytes.

#include "render/retained_raster.h"

#include <string>

namespace lumaro::io {

// Encodes the drawn pixels as an 8-bit RGB PNG into `out`. The encoding is deterministic: the same
// pixels give the same bytes. On failure returns false with libpng's reason in `error`.
bool EncodePng(const RetainedRaster& pixels, std::string& out, std::string& error);

} // namespace lumaro::io
