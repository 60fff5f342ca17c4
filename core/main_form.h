#pragma once

// The main window of the program as plain data, with its event handlers. Everything the user
// sees is decided here; the Qt window and the headless renderer only call the handlers and show
// the result.

#include "core/layout.h"
#include "core/menu.h"
#include "render/canvas.h"
#include "render/color.h"
#include "render/designations.h"
#include "render/lamps.h"
#include "render/palette.h"
#include "render/scene.h"
#include "state/propagation.h"
#include "state/provenance.h"
#include "state/signal_table.h"

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace lumaro {

// The system's face colour of controls (clBtnFace), the window colour in the layout.
constexpr Color clBtnFace = 0xF0F0F0;

static_assert(kDesignationPanels == kDesignationPanelCount);

// The captions of the designation panels Panel1 .. Panel16 at one moment; [0] unused.
using DesignationCaptions = std::array<std::string, kDesignationPanelCount + 1>;

struct ButtonState {
    bool visible = true;
    bool enabled = true;
};

// The marks of the menu items that the paint reads ("Tag", "Nacht", "Gleisplan",
// "Signalbegriff"). The marks of the system items follow the selected system.
struct MenuState {
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

enum class SecondaryWindow { Notice, About, Licence, Manual };

// Everything the main window holds, as the shells read it.
struct FormState {
    SignalTable Signals;
    // Where each record's content came from; kept by every writer of Signals.
    RecordOrigins Origins;
    // The records and their origins as the last paint drew them: what the designation panels
    // show until the next paint, whatever the tick's rules and the buttons changed since.
    SignalTable PaintedSignals;
    RecordOrigins PaintedOrigins;
    // For each record n, the captions the panels showed when its aspect last changed by a press
    // or a rule (as of the last paint): a rule of the tick acts on what the paint before it
    // drew, a press shows at the next paint. What an explanation tells as "then".
    std::array<DesignationCaptions, SignalTable::kCount + 1> PaintedCaptionsThen;
    // Changes not yet painted: by a rule, with the captions it acted on; by a press.
    std::bitset<SignalTable::kCount + 1> ChangedByRule;
    std::bitset<SignalTable::kCount + 1> ChangedByPress;
    std::array<DesignationCaptions, SignalTable::kCount + 1> CaptionsAtRule;
    // None before FormCreate: nothing is drawn then.
    std::optional<System> system;
    bool BlinkPhase = false;
    bool FirstTick = false;
    bool MayClose = false;
    bool Closing = false;
    std::int32_t CloseCountdown = 0;
    // True once a granted close request has closed the main window; the program then ends.
    bool Ended = false;

    Palette Colors;
    Point TrackPlanOrigin;

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

    // The system shown; H/V before FormCreate, as the menu marks it.
    System SelectedSystem() const { return system.value_or(System::HV); }
    const WindowState& Window(SecondaryWindow window) const;
};

// The main window's handlers over its state. The shells call the handlers and read the state
// through View(); nothing else changes it.
class MainForm {
public:
    MainForm();

    const FormState& View() const { return m_state; }
    System SelectedSystem() const { return m_state.SelectedSystem(); }
    // Whether `item` shows its check mark (false for items without one).
    bool MenuChecked(const MenuItem& item) const;

    void FormCreate();
    // One paint message: the window erases its background, then FormPaint draws the scene.
    void Paint();
    void FormClick();
    void Timer1Timer();

    // A user's click on ButtonN: the button's command, then the focus taken away. Ignored
    // (returns false) when there is no such button or it is hidden or disabled.
    bool ClickButton(int n);
    // ButtonN pressed from the keyboard (Space or Enter while it has the focus): the same action
    // as a click, but the button keeps the focus, so that Tab goes on from there.
    bool KeyPressButton(int n);
    // The keyboard moved the focus to ButtonN (0: to no button), without a press.
    void ControlFocused(int n);
    // A menu command by component name ("ag1", "HVSystem1", ...). Returns false for an unknown name.
    bool MenuCommand(std::string_view component);
    void RunMenuAction(MenuAction action);

    // Close request of the main window: returns whether the window may close (and then sets Ended).
    bool FormCloseQuery();
    // The user closed a secondary window; closing only hides it.
    void WindowHidden(SecondaryWindow window);
    // Keep the canvas operations of the last paint, for a shell that writes them out.
    void RecordTrace(bool on) { m_state.Canvas.SetRecording(on); }
    // Let the next paint draw its pixels from the erase on instead of from the last frame, as
    // the very first paint does (for measuring that paint).
    void DrawNextPaintWhole() { m_state.Canvas.DrawNextFrameWhole(); }
    // The canvas's pixels, drawn up to the last operation, for a shell or a file to show.
    const RetainedRaster& DrawCanvas() { return m_state.Canvas.Draw(); }

private:
    void SelectSystem(System system);
    // "Tag" (true) or "Nacht" (false): window colour and marks.
    void ShowDaylight(bool day);
    void ApplyDecisions(const WindowDecisions& decisions);
    // Notes the records whose aspect the last press or the tick's rules changed (m_changed), for
    // the captions kept with them.
    enum class ChangeBy { Rule, Press };
    void NoteChanges(ChangeBy by);
    void KeepCaptionsOfChanges();
    void UpdateCountdown();
    void ClearDesignations();
    // Shows and hides the aspect buttons for the selected system (called by every paint).
    void ApplyButtonVisibility();
    // The steps of Paint.
    void FormPaint();
    void SettlePalette();
    void DrawElements();
    WindowState& Window(SecondaryWindow window);

    FormState m_state;
    // The records the last press or the tick's rules changed, as they were before.
    ChangedRecords m_changed;
};

} // namespace lumaro
