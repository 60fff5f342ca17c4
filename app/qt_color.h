#pragma once

// The core's colours (0x00BBGGRR) as Qt's.

#include "render/color.h"

#include <QColor>

namespace lumaro {

inline QColor ToQColor(Color c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

} // namespace lumaro
