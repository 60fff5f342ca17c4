#pragma once

// The main window of the program as plain data, with its event handlers. Everything the user
// sees is decided here; the Qt window and the headless renderer only call the handlers and show
// the result.

#include "core/layout.h"
#include "render/canvas.h"
#include "render/color.h"
#include "render/designations.h"
#include "render/lamps.h"
#include "render/palette.h"
#include "render/scene.h"
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
    // The lights lit by the last paint, with the blinking ones in either phase.
    LightList Lights;

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

    // A user's click on ButtonN. Ignored (returns false) when there is no such button or it is
    // hidden or disabled.
    bool ClickButton(int n);
    // ButtonN pressed from the keyboard (Space or Enter while it has the focus): the same action
    // as a click, but the button keeps the focus, so that Tab goes on from there.
    bool KeyPressButton(int n);
    // A menu command by component name ("ag1", "HVSystem1", ...). Returns false for an unknown name.
    bool MenuCommand(std::string_view component);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void Button16Click();
    void Button17Click();
    void Button18Click();
    void Button19Click();
    void Button20Click();
    void Button21Click();
    void Button22Click();
    void Button23Click();
    void Button24Click();
    void Button25Click();
    void Button26Click();
    void Button27Click();
    void Button28Click();
    void Button29Click();
    void Button30Click();
    void Button31Click();
    void Button32Click();
    void Button34Click();
    void Button35Click();
    void Button36Click();
    void Button37Click();

    void PropagateStates();
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
    // The steps of FormPaint.
    void SettlePalette();
    void DrawElements();
};

} // namespace lumaro
