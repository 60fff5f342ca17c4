// The paint handler: palette, panel colours, ground strip, track plan, button visibility, then
// every element of the selected system.

#include "core/main_form.h"
#include "render/placements.h"

#include <span>

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

// Track-plan strokes mark the signal columns; the Hl line leaves out 350 and 750.
constexpr std::int32_t kSignalStrokes[] = {40, 140, 240, 340, 440, 540, 640, 740, 840, 940};
constexpr std::int32_t kNoHlSignal[] = {340, 740};

bool IsHlGap(std::int32_t dx)
{
    for (std::int32_t gap : kNoHlSignal)
        if (gap == dx)
            return true;
    return false;
}

} // namespace

void MainForm::FormPaint()
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

    // Ground strip across the whole window, its right end beyond the client area, directly
    // under the foundations.
    Canvas.SetPenColor(Colors.ColGround);
    Canvas.SetPenWidth(1);
    Canvas.MoveTo(0, 414);
    Canvas.LineTo(1100, 414);
    Canvas.LineTo(1100, 419);
    Canvas.LineTo(0, 419);
    Canvas.LineTo(0, 414);
    Canvas.SetBrushColor(Colors.ColGround);
    Canvas.FloodFill(1, 415, Colors.ColGround);

    if (Menu.Gleisplan1) {
        TrackPlanOrigin = {10, 40};
        const auto moveTo = [this](std::int32_t dx, std::int32_t dy) {
            Canvas.MoveTo(TrackPlanOrigin.x + dx, TrackPlanOrigin.y + dy);
        };
        const auto lineTo = [this](std::int32_t dx, std::int32_t dy) {
            Canvas.LineTo(TrackPlanOrigin.x + dx, TrackPlanOrigin.y + dy);
        };

        Canvas.SetPenColor(clBlack);
        Canvas.SetPenWidth(2);
        // Main track.
        moveTo(0, 0);
        lineTo(980, 0);
        // Second track with its left-hand turnout.
        moveTo(280, 0);
        lineTo(300, -20);
        lineTo(980, -20);
        // Crossover.
        moveTo(580, 0);
        lineTo(560, -20);
        // Open triangle pointing in the direction of travel.
        moveTo(80, 10);
        lineTo(100, 0);
        lineTo(80, -10);
        lineTo(80, 10);
        // The right-hand crossover stands in front of the block signal's column.
        if (SystemHV || SystemKs) {
            moveTo(880, 0);
            lineTo(900, -20);
        }
        if (SystemHl) {
            moveTo(780, 0);
            lineTo(800, -20);
        }
        // Platform between the tracks, outline only.
        moveTo(340, -5);
        Canvas.SetPenColor(clGray);
        Canvas.SetPenWidth(2);
        lineTo(540, -5);
        lineTo(540, -15);
        lineTo(340, -15);
        lineTo(340, -5);
        // One stroke under the main track per signal column.
        for (std::int32_t dx : kSignalStrokes) {
            if (SystemHl && IsHlGap(dx))
                continue;
            moveTo(dx, 10);
            Canvas.SetPenColor(clBlack);
            Canvas.SetPenWidth(1);
            lineTo(dx, 30);
        }
    }

    // Buttons are settled before any element draws.
    ApplyButtonVisibility();

    std::span<const Placement> placements;
    if (SystemHV)
        placements = kPlacementsHV;
    else if (SystemKs)
        placements = kPlacementsKs;
    else if (SystemHl)
        placements = kPlacementsHl;
    for (const Placement& p : placements)
        DrawElement(p.x, p.y, p.code, p.own, p.next);
}

} // namespace lumaro
