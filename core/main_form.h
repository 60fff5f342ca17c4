#pragma once

// The main window of the program as plain data, with its event handlers. Everything the user
// sees is decided here; the Qt window and the headless renderer only call the handlers and show
// the result.

#include "core/layout.h"
#include "render/canvas.h"
#include "render/color.h"
#include "render/designations.h"
#include "render/palette.h"
#include "render/scene.h"
#include "state/propagation.h"
#include "state/provenance.h"
#include "state/signal_table.h"

#include <array>
#include <string>
#include <string_view>

namespace lumaro {

// The system's face colour of controls (clBtnFace), the window colour in the layout.
constexpr Color clBtnFace = 0xF0F0F0;

static_assert(kDesignationPanels == kDesignationPanelCount);

struct ButtonState {
    bool visible = true;
    bool enabled = true;
};

// The check marks of the menu items; those of "Tag", "Nacht", "Gleisplan" and "Signalbegriff"
// are the state the paint reads.
struct MenuState {
    bool HVSystem1 = true;
    bool KsSystem1 = false;
    bool HlSystem1 = false;
    bool ag1 = true;          // "Tag"
    bool Nacht1 = false;
    bool Gleisplan1 = true;
    bool Signalbegriff1 = true;
};


// A secondary window as the main window sees it: created hidden, shown modeless on request.
// `raises` counts the requests to show it, so a shell can bring it to the front each time.
struct WindowState {
    bool visible = false;
    unsigned raises = 0;
};

class MainForm {
public:
    MainForm();

    // --- Globals -------------------------------------------------------------------------
    SignalTable Signals;
    // Where each record's content came from; kept by every writer of Signals.
    RecordOrigins Origins;
    // The records and their origins as the last paint drew them: what the designation panels
    // show until the next paint, whatever the tick's rules and the buttons changed since.
    SignalTable PaintedSignals;
    RecordOrigins PaintedOrigins;
    bool SystemHV = false;
    bool SystemKs = false;
    bool SystemHl = false;
    bool BlinkPhase = false;
    bool FirstTick = false;
    bool MayClose = false;
    bool Closing = false;
    std::int32_t CloseCountdown = 0;
    // True once a granted close request has closed the main window; the program then ends.
    bool Ended = false;

    Palette Colors;
    Point TrackPlanOrigin;

    // --- Controls ------------------------------------------------------------------------
    MenuState Menu;
    Color WindowColor = clBtnFace;
    std::array<PanelState, kPanelCount + 1> Panels;          // [1]..[20]; [0] unused
    std::array<ButtonState, kMaxButtonNumber + 1> Buttons;   // [n] for ButtonN; others unused
    // The control holding the keyboard focus: a button number, or 0 for none.
    int FocusedControl = 0;
    // Set when the window colour changed: the window system repaints soon after.
    bool RepaintPending = false;

    // The exit notice (TForm2) with the seconds it shows, and the three information windows.
    WindowState Notice;
    std::int32_t NoticeSeconds = 0;   // Label5 of the notice
    WindowState About;                // TForm3
    WindowState Licence;              // TForm4
    WindowState Manual;               // TForm5

    lumaro::Canvas Canvas;

    // --- Handlers ------------------------------------------------------------------------
    void FormCreate();
    // One paint message: the window erases its background, then FormPaint draws the scene.
    void Paint();
    void FormPaint();
    void FormClick();
    void Timer1Timer();

    void HVSystem1Click();
    void KsSystem1Click();
    void HlSystem1Click();
    void ag1Click();
    void Nacht1Click();
    void Gleisplan1Click();
    void Signalbegriff1Click();
    void Beenden1Click();
    void Lzenz1Click();
    void Lizenz1Click();
    void Info1Click();

    // Close request of the main window: returns whether the window may close (and then sets Ended).
    bool FormCloseQuery();
    void UpdateCountdown();

    // A user's click on ButtonN: the button's command, then the focus taken away. Ignored
    // (returns false) when there is no such button or it is hidden or disabled.
    bool ClickButton(int n);
    // A menu command by component name ("ag1", "HVSystem1", ...). Returns false for an unknown name.
    bool MenuCommand(std::string_view component);

    // Shows and hides the aspect buttons for the selected system (called by every paint).
    void ApplyButtonVisibility();
    void ClearDesignations();
    // One element drawn as the paint draws it, in the current palette and blink phase.
    void DrawElement(std::int32_t x, std::int32_t y, std::int32_t code, std::int32_t own, std::int32_t next);
    // Font colour := ColCaption, then caption, then hint.
    void WriteDesignation(int panel, std::string_view caption, std::string_view hint);

    System SelectedSystem() const { return SystemKs ? System::Ks : SystemHl ? System::Hl : System::HV; }

private:
    void SelectSystem(System system);
    void ApplyDecisions(const WindowDecisions& decisions);
    // The steps of FormPaint.
    void SettlePalette();
    void DrawElements();
};

} // namespace lumaro
