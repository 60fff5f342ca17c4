#pragma once

// The element blocks on a stage of their own: a canvas, a signal table with its origins, the
// palette, the blink phase, the selected system and the panels, handed to DrawElement as the
// paint hands them. Tests set records to any state, also to those no button reaches.

#include "core/layout.h"
#include "render/canvas.h"
#include "render/designations.h"
#include "render/elements.h"
#include "render/palette.h"
#include "render/scene.h"
#include "state/provenance.h"
#include "state/signal_table.h"

#include <array>
#include <string_view>

namespace lumaro::test {

struct ElementStage {
    lumaro::Canvas Canvas;
    SignalTable Signals;
    RecordOrigins Origins;
    Palette Colors;
    bool BlinkPhase = false;
    System system = System::HV;
    std::array<PanelState, kPanelCount + 1> Panels {};

    // The records as the program starts, the day palette, the panels on the day sky.
    void Start()
    {
        Signals.Initialise();
        Origins.Reset();
        Colors = {clBlack, clGray, clWhite, clMedGray, clGreen};
        for (PanelState& panel : Panels)
            panel.color = clSkyBlue;
    }

    void DrawElement(std::int32_t x, std::int32_t y, std::int32_t code, std::int32_t own, std::int32_t next)
    {
        const DesignationWriter designations(Panels, Colors.ColCaption);
        const ElementRoom room {Canvas, Signals, Origins, Colors, BlinkPhase, system, designations};
        lumaro::DrawElement(room, {x, y, code, own, next});
        Canvas.Draw();
    }

    // The whole line of the selected system on the day sky with its ground strip and track plan,
    // every placement in drawing order.
    void PaintLine()
    {
        Canvas.Erase(clSkyBlue);
        DrawGroundStrip(Canvas, Colors.ColGround);
        DrawTrackPlan(Canvas, system, {10, 40});
        for (const Placement& p : PlacementsOf(system))
            DrawElement(p.x, p.y, p.code, p.own, p.next);
    }

    void ClearDesignations()
    {
        for (int n = 1; n <= kDesignationPanelCount; ++n) {
            Panels[n].caption.clear();
            Panels[n].hint.clear();
        }
    }

    void WriteDesignation(int panel, std::string_view caption, std::string_view hint)
    {
        DesignationWriter(Panels, Colors.ColCaption).Write(panel, caption, hint);
    }
};

} // namespace lumaro::test
