// H/V distant signals: free-standing (10, 12) and on a main signal's mast (14, 17).

#include "render/elements.h"

namespace lumaro::blocks {

void HvDistant10_12(const ElementRoom&, const Element&)
{
    // FIXME: lamps, copies into the own record and designation are not drawn yet.
}

void HvDistantAtMain14_17(const ElementRoom&, const Element&)
{
    // FIXME: lamps and designation of the distant part are not drawn yet.
}

} // namespace lumaro::blocks
