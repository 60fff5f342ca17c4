#pragma once

// Right-justifying a top-level menu, which Qt menu bars cannot do by a flag.

class QAction;
class QMenuBar;

namespace lumaro {

// Makes the top-level menu `item` of `bar` stand at the right end of the menu bar. Qt menu bars
// have no right-justify flag, so the item moves into a second menu bar that `bar` keeps in its
// top-right corner. Returns false, leaving the item where it was, when the item is not a
// top-level item of `bar` or the bar is drawn by the platform (the corner is not shown there).
bool RightJustifyMenuItem(QMenuBar* bar, QAction* item);

} // namespace lumaro
