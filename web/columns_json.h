#pragma once

// The signal columns as the page needs them for its column sheets.

#include <string>

namespace lumaro::web {

// {"columns": [{"x": 50, "signal": {"HV": "...", "Ks": "...", "Hl": null}, "buttons": {"HV": [30, ...],
// "Ks": [...], "Hl": [...]}, "panels": [10, 11, ...]}, ...]}, columns left to right; "signal" null
// where nothing stands in that system.
std::string ColumnsJson();

} // namespace lumaro::web
