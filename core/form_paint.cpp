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
    DrawGroundStrip(m_state.Canvas, m_state.Colors.ColGround);
    if (m_state.Menu.Gleisplan1) {
        m_state.TrackPlanOrigin = {10, 40};
        DrawTrackPlan(m_state.Canvas, SelectedSystem(), m_state.TrackPlanOrigin);
    }
    // Buttons are settled before any element draws.
    ApplyButtonVisibility();
    // Before FormCreate no system is selected, and no element stands.
    if (m_state.system)
        DrawElements();
}

void MainForm::SettlePalette()
{
    const MenuState& menu = m_state.Menu;
    Palette& colors = m_state.Colors;
    // Hidden designations take the colour of the panel background they are written on.
    if (menu.Signalbegriff1)
        colors.ColCaption = menu.ag1 ? clBlack : clWhite;
    else
        colors.ColCaption = menu.ag1 ? clSkyBlue : clNightBlue;

    // Two separate tests: with neither mark set the palette keeps its last values.
    const auto applyDaylight = [this, &colors](Daylight daylight) {
        for (int n = 1; n <= kPanelCount; ++n)
            m_state.Panels[n].color = Pick(kPanelBackground, daylight);
        for (int n = kDesignationPanels + 1; n <= kPanelCount; ++n)
            m_state.Panels[n].font = Pick(kLabelFont, daylight);
        colors.ColStructure = Pick(kStructure, daylight);
        colors.ColPlate = Pick(kPlate, daylight);
        colors.ColMedium = Pick(kMedium, daylight);
        colors.ColGround = Pick(kGround, daylight);
    };
    if (menu.ag1)
        applyDaylight(Daylight::Day);
    if (menu.Nacht1)
        applyDaylight(Daylight::Night);
}

void MainForm::DrawElements()
{
    FormState& s = m_state;
    const DesignationWriter designations(s.Panels, s.Colors.ColCaption);
    const ElementRoom room {s.Canvas, s.Signals, s.Origins, s.Colors, s.BlinkPhase, SelectedSystem(), designations, &s.Lights};
    for (const Placement& p : PlacementsOf(SelectedSystem()))
        lumaro::DrawElement(room, {p.x, p.y, p.code, p.own, p.next});
}

void MainForm::ClearDesignations()
{
    // Caption before hint, panel by panel; the font colour stays.
    for (int n = 1; n <= kDesignationPanels; ++n) {
        m_state.Panels[n].caption.clear();
        m_state.Panels[n].hint.clear();
    }
}

} // namespace lumaro
