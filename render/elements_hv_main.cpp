// H/V main signals: block signal 20, entry signal 21, exit and intermediate signal 25.

#include "render/elements.h"

namespace lumaro::blocks {

void HvBlockSignal20(const ElementRoom&, const Element&)
{
    // FIXME: lamps and designation of the block signal are not drawn yet.
}

void HvEntrySignal21(const ElementRoom&, const Element&)
{
    // FIXME: lamps, indicators and designation of the entry signal are not drawn yet.
}

void HvMainSignal25(const ElementRoom&, const Element&)
{
    // FIXME: lamps, shunting and identification lights and designation are not drawn yet.
}

} // namespace lumaro::blocks
