// Ks signals: main signals 50 and 55, distant signals 54 and 59.

#include "render/elements.h"

namespace lumaro::blocks {

void KsMainSignal50(const ElementRoom&, const Element&)
{
    // FIXME: the Ks block signal is not drawn yet.
}

void KsDistant54(const ElementRoom&, const Element&)
{
    // FIXME: the Ks distant signal and its copies into the own record are not drawn yet.
}

void KsMainSignal55(const ElementRoom&, const Element&)
{
    // FIXME: the Ks main signal with its indicators is not drawn yet.
}

void KsDistant59(const ElementRoom&, const Element&)
{
    // FIXME: the Ks distant signal of the entry signal is not drawn yet.
}

} // namespace lumaro::blocks
