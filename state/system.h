#pragma once

// The three signalling systems the line can be shown in.

namespace lumaro {

enum class System { HV, Ks, Hl };

} // namespace lumaro
