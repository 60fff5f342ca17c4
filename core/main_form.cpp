#include "core/main_form.h"

#include "state/aspect_commands.h"

namespace lumaro {

MainForm::MainForm()
{
    for (const PanelDef& p : kPanels) {
        Panels[p.number].caption = p.caption;
        Panels[p.number].hint = p.hint;
    }
    for (int n = 0; n <= kMaxButtonNumber; ++n)
        Buttons[n] = IsAspectButton(n) ? ButtonState {true, true} : ButtonState {false, false};
}

void MainForm::FormCreate()
{
    // The "Hilfe" menu is right-justified by the shell; nothing to decide here.
    MayClose = false;
    SystemHV = true;
    WindowColor = clSkyBlue;
    Signals.Initialise();
    Origins.Reset();
    FirstTick = true;
}

void MainForm::Paint()
{
    if (Canvas.Recording())
        Canvas.ClearTrace();
    Canvas.Erase(WindowColor);
    FormPaint();
    PaintedSignals = Signals;
    PaintedOrigins = Origins;
    RepaintPending = false;
}

void MainForm::FormClick()
{
    FocusedControl = 0;
}

void MainForm::Timer1Timer()
{
    // The timer dies with the window.
    if (Ended)
        return;
    if (FirstTick) {
        FocusedControl = 0;
        FirstTick = false;
    }
    BlinkPhase = !BlinkPhase;
    ClearDesignations();
    Paint();
    ApplyDecisions(PropagateStates(Signals, Origins, SelectedSystem()));
    if (Closing) {
        --CloseCountdown;
        UpdateCountdown();
    }
}

void MainForm::ApplyDecisions(const WindowDecisions& decisions)
{
    Buttons[35].enabled = decisions.entryFahrtEnabled;
    Buttons[34].enabled = decisions.entry100Enabled;
    if (decisions.entryHaltPressed)
        FocusedControl = 0;
}

bool MainForm::ClickButton(int n)
{
    // After the program has ended no message reaches the window any more.
    if (Ended || n < 0 || n > kMaxButtonNumber)
        return false;
    const ButtonState& button = Buttons[static_cast<std::size_t>(n)];
    if (!IsAspectButton(n) || !button.visible || !button.enabled)
        return false;
    // The pressed button takes the focus; its handler then takes it away again.
    FocusedControl = n;
    RunAspectCommand(Signals, Origins, n, RecordOrigin::FromButton(n));
    FocusedControl = 0;
    return true;
}

void MainForm::ApplyButtonVisibility()
{
    const System system = SelectedSystem();
    for (const ButtonDef& b : kButtons)
        Buttons[static_cast<std::size_t>(b.number)].visible = AspectButtonVisible(b.number, system);
}

namespace {

constexpr bool CommandsMatchLayout()
{
    for (int n = 0; n <= kMaxButtonNumber; ++n)
        if (HasAspectCommand(n) != IsAspectButton(n))
            return false;
    return true;
}
static_assert(CommandsMatchLayout(), "every aspect button of the layout needs its command, and only those");

} // namespace

void MainForm::SelectSystem(System system)
{
    SystemHV = system == System::HV;
    SystemKs = system == System::Ks;
    SystemHl = system == System::Hl;
    Menu.HVSystem1 = SystemHV;
    Menu.KsSystem1 = SystemKs;
    Menu.HlSystem1 = SystemHl;
    ClearDesignations();
}

void MainForm::HVSystem1Click() { SelectSystem(System::HV); }
void MainForm::KsSystem1Click() { SelectSystem(System::Ks); }
void MainForm::HlSystem1Click() { SelectSystem(System::Hl); }

void MainForm::ag1Click()
{
    // Only a change of the window colour makes the window system repaint.
    if (WindowColor != clSkyBlue)
        RepaintPending = true;
    WindowColor = clSkyBlue;
    Menu.ag1 = true;
    Menu.Nacht1 = false;
}

void MainForm::Nacht1Click()
{
    if (WindowColor != clNightBlue)
        RepaintPending = true;
    WindowColor = clNightBlue;
    Menu.ag1 = false;
    Menu.Nacht1 = true;
}

void MainForm::Gleisplan1Click() { Menu.Gleisplan1 = !Menu.Gleisplan1; }
void MainForm::Signalbegriff1Click() { Menu.Signalbegriff1 = !Menu.Signalbegriff1; }

void MainForm::Beenden1Click()
{
    FormCloseQuery();
}

static void ShowModeless(WindowState& window)
{
    window.visible = true;
    ++window.raises;
}

void MainForm::Lzenz1Click() { ShowModeless(Manual); }
void MainForm::Lizenz1Click() { ShowModeless(Licence); }
void MainForm::Info1Click() { ShowModeless(About); }

bool MainForm::FormCloseQuery()
{
    bool canClose = false;
    CloseCountdown = 10;
    NoticeSeconds = 10;
    ShowModeless(Notice);
    Closing = true;
    if (MayClose)
        canClose = true;
    if (canClose)
        Ended = true;
    return canClose;
}

void MainForm::UpdateCountdown()
{
    NoticeSeconds = CloseCountdown;
    if (CloseCountdown < 1) {
        MayClose = true;
        FormCloseQuery();
    }
}

bool MainForm::MenuCommand(std::string_view component)
{
    // The menu is gone with the window; a known name still counts as known.
    struct Item {
        std::string_view component;
        void (MainForm::*click)();
    };
    static constexpr Item kItems[] = {
        {"Beenden1", &MainForm::Beenden1Click},
        {"HVSystem1", &MainForm::HVSystem1Click},
        {"KsSystem1", &MainForm::KsSystem1Click},
        {"HlSystem1", &MainForm::HlSystem1Click},
        {"ag1", &MainForm::ag1Click},
        {"Nacht1", &MainForm::Nacht1Click},
        {"Gleisplan1", &MainForm::Gleisplan1Click},
        {"Signalbegriff1", &MainForm::Signalbegriff1Click},
        {"Lzenz1", &MainForm::Lzenz1Click},
        {"Lizenz1", &MainForm::Lizenz1Click},
        {"Info1", &MainForm::Info1Click},
    };
    for (const Item& item : kItems) {
        if (item.component == component) {
            if (!Ended)
                (this->*item.click)();
            return true;
        }
    }
    return false;
}

} // namespace lumaro
