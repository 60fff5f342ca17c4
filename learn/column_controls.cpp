// Which buttons of the window layout belong to which signal column.

#include "learn/column_controls.h"

#include "core/layout.h"
#include "learn/columns.h"

#include <algorithm>

namespace lumaro::learn {

namespace {

constexpr int kColumnWidth = kColumns[1] - kColumns[0];

// The column x serving the controls placed under column `under` in the system.
int ServedColumn(int under, System system)
{
    for (int x = under; x >= kColumns.front(); x -= kColumnWidth)
        if (ColumnSignal(system, x))
            return x;
    return under;
}

} // namespace

int ControlColumn(int left, int width)
{
    const int middle = left + width / 2;
    const int index = std::clamp(middle / kColumnWidth, 0, static_cast<int>(kColumns.size()) - 1);
    return kColumns[static_cast<std::size_t>(index)];
}

std::vector<int> ColumnButtons(int x, System system)
{
    std::vector<const ButtonDef*> found;
    for (const ButtonDef& b : kButtons)
        if (ColumnSignal(system, x) && ServedColumn(ControlColumn(b.left, kButtonWidth), system) == x)
            found.push_back(&b);
    // Under the Hl exit signal its own buttons come first, then those served from the right.
    std::stable_sort(found.begin(), found.end(), [](const ButtonDef* a, const ButtonDef* b) {
        return a->left != b->left ? a->left < b->left : a->top < b->top;
    });
    std::vector<int> numbers;
    for (const ButtonDef* b : found)
        numbers.push_back(b->number);
    return numbers;
}

} // namespace lumaro::learn
