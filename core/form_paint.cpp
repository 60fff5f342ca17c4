// The paint handler: palette, panel colours, ground strip, track plan, button visibility, then
// every element of the selected system.

#include "core/main_form.h"
#include "render/elements.h"
#include "render/scene.h"

namespace lumaro {

namespace {

struct DayNight {
    Color day;
    Color night;
};

// The night entries are near-black but pairwise different and different from clBlack, so
// every fill stops at the same outline as by day.
constexpr DayNight kStructure {clGray, Rgb(3, 3, 3)};
constexpr DayNight kPlate {clWhite, Rgb(3, 3, 4)};
constexpr DayNight kMedium {clMedGray, Rgb(3, 3, 5)};
constexpr DayNight kGround {clGreen, Rgb(3, 3, 6)};
constexpr DayNight kPanelBackground {clSkyBlue, clNightBlue};
constexpr DayNight kLabelFont {clBlack, clWhite};

enum class Daylight { Day, Night };

constexpr Color Pick(const DayNight& entry, Daylight daylight)
{
    return daylight == Daylight::Day ? entry.day : entry.night;
}

} // namespace

void MainForm::FormPaint()
{
    SettlePalette();
    DrawGroundStrip(Canvas, Colors.ColGround);
    if (Menu.Gleisplan1) {
        TrackPlanOrigin = {10, 40};
        DrawTrackPlan(Canvas, SelectedSystem(), TrackPlanOrigin);
    }
    // Buttons are settled before any element draws.
    ApplyButtonVisibility();
    // Before FormCreate no system is selected, and no element stands.
    if (SystemHV || SystemKs || SystemHl)
        DrawElements();
}

void MainForm::SettlePalette()
{
    // Hidden designations take the colour of the panel background they are written on.
    if (Menu.Signalbegriff1)
        Colors.ColCaption = Menu.ag1 ? clBlack : clWhite;
    else
        Colors.ColCaption = Menu.ag1 ? clSkyBlue : clNightBlue;

    // Two separate tests: with neither mark set the palette keeps its last values.
    const auto applyDaylight = [this](Daylight daylight) {
        for (int n = 1; n <= kPanelCount; ++n)
            Panels[n].color = Pick(kPanelBackground, daylight);
        for (int n = kDesignationPanels + 1; n <= kPanelCount; ++n)
            Panels[n].font = Pick(kLabelFont, daylight);
        Colors.ColStructure = Pick(kStructure, daylight);
        Colors.ColPlate = Pick(kPlate, daylight);
        Colors.ColMedium = Pick(kMedium, daylight);
        Colors.ColGround = Pick(kGround, daylight);
    };
    if (Menu.ag1)
        applyDaylight(Daylight::Day);
    if (Menu.Nacht1)
        applyDaylight(Daylight::Night);
}

void MainForm::DrawElements()
{
    const DesignationWriter designations(Panels, Colors.ColCaption);
    const ElementRoom room {Canvas, Signals, Colors, BlinkPhase, SelectedSystem(), designations, &Lights};
    for (const Placement& p : PlacementsOf(SelectedSystem()))
        lumaro::DrawElement(room, {p.x, p.y, p.code, p.own, p.next});
}

void MainForm::DrawElement(std::int32_t x, std::int32_t y, std::int32_t code, std::int32_t own, std::int32_t next)
{
    const DesignationWriter designations(Panels, Colors.ColCaption);
    const ElementRoom room {Canvas, Signals, Colors, BlinkPhase, SelectedSystem(), designations, &Lights};
    lumaro::DrawElement(room, {x, y, code, own, next});
}

void MainForm::WriteDesignation(int panel, std::string_view caption, std::string_view hint)
{
    DesignationWriter(Panels, Colors.ColCaption).Write(panel, caption, hint);
}

void MainForm::ClearDesignations()
{
    // Caption before hint, panel by panel; the font colour stays.
    for (int n = 1; n <= kDesignationPanels; ++n) {
        Panels[n].caption.clear();
        Panels[n].hint.clear();
    }
}

} // namespace lumaro
