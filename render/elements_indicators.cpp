// Supplementary indicators and shunting signals: 27/31, 30, 32, 33/34.

#include "render/elements.h"

namespace lumaro::blocks {

void TrackChange30(const ElementRoom&, const Element&)
{
    // FIXME: the track-change indicator and its copies into the own record are not drawn yet.
}

void Shunting33_34(const ElementRoom&, const Element&)
{
    // FIXME: the shunting signals are not drawn yet.
}

void SpeedIndicator27_31(const ElementRoom&, const Element&)
{
    // FIXME: the speed indicators are not drawn yet.
}

void SpeedPreIndicator32(const ElementRoom&, const Element&)
{
    // FIXME: the speed pre-indicator is not drawn yet.
}

} // namespace lumaro::blocks
