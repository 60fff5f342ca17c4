// Hl signals: main signal 70, light strip 71, distant signal 72, boxes 73 and 77, signals 74 and 75.

#include "render/elements.h"

namespace lumaro::blocks {

void HlMainSignal70(const ElementRoom&, const Element&)
{
    // FIXME: the Hl main signal is not drawn yet.
}

void HlLightStrip71(const ElementRoom&, const Element&)
{
    // FIXME: the light strip is not drawn yet.
}

void HlDistant72(const ElementRoom&, const Element&)
{
    // FIXME: the Hl distant signal and its copies into the own record are not drawn yet.
}

void HlTrackChangeBox73(const ElementRoom&, const Element&)
{
    // FIXME: the track-change box is not drawn yet.
}

void HlSignal74(const ElementRoom&, const Element&)
{
    // FIXME: the signal of column 450 is not drawn yet.
}

void HlShunting75(const ElementRoom&, const Element&)
{
    // FIXME: the Hl shunting signal is not drawn yet.
}

void HlDeadEndBox77(const ElementRoom&, const Element&)
{
    // FIXME: the dead-end box is not drawn yet.
}

} // namespace lumaro::blocks
