// Which buttons and designation panels of the window layout belong to which signal column.

#include "core/columns.h"

#include "core/layout.h"

#include <algorithm>

namespace lumaro {

namespace {

constexpr std::size_t Index(System system) { return static_cast<std::size_t>(system); }

// The column x serving the controls placed under column `under` in the system.
int ServedColumn(int under, System system)
{
    for (int x = under; x >= kSignalColumns.front().x; x -= kColumnWidth)
        if (ColumnSignal(x, system))
            return x;
    return under;
}

} // namespace

int ColumnOf(int left, int width)
{
    const int middle = left + width / 2;
    const int index = std::clamp(middle / kColumnWidth, 0, static_cast<int>(kSignalColumns.size()) - 1);
    return kSignalColumns[static_cast<std::size_t>(index)].x;
}

const char* ColumnSignal(int x, System system)
{
    for (const SignalColumn& column : kSignalColumns)
        if (column.x == x)
            return column.signal[Index(system)];
    return nullptr;
}

std::vector<int> ColumnButtons(int x, System system)
{
    std::vector<const ButtonDef*> found;
    for (const ButtonDef& b : kButtons)
        if (ColumnSignal(x, system) && ServedColumn(ColumnOf(b.left, kButtonWidth), system) == x)
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

std::vector<int> ColumnPanels(int x)
{
    std::vector<const PanelDef*> found;
    for (const PanelDef& p : kPanels)
        if (p.number <= kDesignationPanels && ColumnOf(p.left, p.width) == x)
            found.push_back(&p);
    std::stable_sort(found.begin(), found.end(), [](const PanelDef* a, const PanelDef* b) { return a->top < b->top; });
    std::vector<int> numbers;
    for (const PanelDef* p : found)
        numbers.push_back(p->number);
    return numbers;
}

} // namespace lumaro
