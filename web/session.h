#pragma once

// One run of the program as the web page drives it: the main window's core, the actions of the
// page, and what the page reads back after each of them. No browser here, so the same code runs
// natively for timing and tests.

#include "core/driver.h"
#include "learn/explain.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::web {

class Session {
public:
    // The program starts as the window does: created, then painted once because it is shown.
    Session();

    // The actions, as lumaro-render performs them.
    void Tick();
    bool ClickButton(int n);
    // A menu item by component name; a changed window colour repaints at once.
    bool MenuCommand(std::string_view component);
    void FormClick();

    // The canvas as RGBA bytes for an ImageData: the core's 0x00BBGGRR already has the bytes
    // R, G, B in memory order; only the alpha byte is set. Valid until the next call. Only the
    // part that changed since the last call is written again; RgbaChanged() gives it as left,
    // top, width and height (the whole canvas the first time, zero width when nothing changed).
    const std::uint8_t* Rgba();
    const std::int32_t* RgbaChanged() const { return m_rgbaChanged.data(); }

    // The --state JSON and the --trace text of lumaro-render.
    std::string StateJson() const;
    std::string Trace() const;
    // What the page shows beyond the state: the four secondary windows and the notice's seconds.
    std::string WindowsJson() const;
    // The --explain JSON of lumaro-render: why each designation panel shows its aspect.
    std::string ExplainJson() const;
    // The panel that speaks for signal column `x` (its first line with a caption), or 0.
    int PanelOfColumn(int x) const;
    // The "why" of one designation panel, empty when it has no caption; the #Warum line asks after
    // every action, and the answer is computed again only when the line changed.
    std::string WhyOf(int panel);

    const MainForm& Form() const { return m_driver.Form(); }

    // The self-test sets up its situations on this line: a fresh start and the item's actions
    // (space-separated words), then keeps running as the learner acts. The learner's own line is
    // kept aside meanwhile and given back afterwards.
    void StartSituation(std::string_view actions);
    bool RunActions(std::string_view actions);
    void KeepLine();
    void RestoreLine();

    // The fixed layout of the controls over the canvas, for the page to build them from:
    // {"caption", "canvas": [w, h], "buttons": [{"number", "caption", "left", "top", "width",
    // "height"}], "panels": [{"number", "left", "top", "width", "height"}], "image1": [l, t, w, h]}.
    static std::string LayoutJson();

private:
    Driver m_driver;
    // The learner's own line while the self-test uses this one.
    std::unique_ptr<Driver> m_kept;
    learn::PanelWhyCache m_whyLine;
    std::vector<std::uint32_t> m_rgba;
    // The canvas drawing that m_rgba holds, and the part the last Rgba() wrote.
    std::uint64_t m_rgbaDrawing = 0;
    std::array<std::int32_t, 4> m_rgbaChanged {};
};

} // namespace lumaro::web
