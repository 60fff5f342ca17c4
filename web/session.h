#pragma once

// One run of the program as the web page drives it: the main window's core, the actions of the
// page, and what the page reads back after each of them. No browser here, so the same code runs
// natively for timing and tests.

#include "core/driver.h"

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
    // R, G, B in memory order; only the alpha byte is set. Valid until the next call.
    const std::uint8_t* Rgba();

    // The --state JSON and the --trace text of lumaro-render.
    std::string StateJson() const;
    std::string Trace() const;
    // What the page shows beyond the state: the four secondary windows and the notice's seconds.
    std::string WindowsJson() const;

    const MainForm& Form() const { return m_driver.Form(); }

    // The fixed layout of the controls over the canvas, for the page to build them from:
    // {"caption", "canvas": [w, h], "buttons": [{"number", "caption", "left", "top", "width",
    // "height"}], "panels": [{"number", "left", "top", "width", "height"}], "image1": [l, t, w, h]}.
    static std::string LayoutJson();

private:
    Driver m_driver;
    std::vector<std::uint32_t> m_rgba;
};

} // namespace lumaro::web
