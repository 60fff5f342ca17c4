#pragma once

// Which aspect buttons belong to which signal column: by where the window layout puts them,
// given what stands in each column (learn/columns.h).

#include "state/system.h"

#include <vector>

namespace lumaro::learn {

// The column (its x) whose 100 pixels hold the middle of a control placed at left with width;
// controls right of the last column belong to it.
int ControlColumn(int left, int width);

// The aspect buttons of column x's signal in the system, top to bottom. Buttons under a column
// where nothing stands serve the nearest signal to their left: in the Hl line the exit signal's
// track-change indication is switched from under the empty column 750. Whether a button shows
// is the state's business, not this list's.
std::vector<int> ColumnButtons(int x, System system);

} // namespace lumaro::learn
