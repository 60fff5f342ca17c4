#include "render/panels.h"

namespace lumaro {

const PanelPlace* FindPanelPlace(System system, int panel)
{
    for (const PanelPlace& p : kPanelPlaces)
        if (p.system == system && p.panel == panel)
            return &p;
    return nullptr;
}

int PanelBeside(const PanelPlace& place, PanelPart part)
{
    for (const PanelPlace& p : kPanelPlaces)
        if (p.system == place.system && p.code == place.code && p.next == place.next && p.part == part)
            return p.panel;
    return 0;
}

int PanelOfRecord(System system, int record)
{
    for (const PanelPlace& p : kPanelPlaces)
        if (p.system == system && p.own == record && p.role != PanelRole::Distant && p.role != PanelRole::Supplement)
            return p.panel;
    return 0;
}

} // namespace lumaro
