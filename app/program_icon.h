#pragma once

// The program's icon, read from the resources each time a window asks for it.

#include <QIcon>

namespace lumaro {

// The program's icon in its eight drawn sizes (16 to 256 pixels). Unlike an icon of added files,
// which Qt decodes when it is made and keeps decoded for the program's life (some 360 KiB), this
// one decodes a size only when it is asked for and keeps nothing: the window system takes a copy
// of every size when a window is made, and nothing else asks.
QIcon ProgramIcon();

} // namespace lumaro
