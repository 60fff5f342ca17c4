#include "core/main_form.h"

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
    FirstTick = true;
}

void MainForm::Paint()
{
    if (Canvas.Recording())
        Canvas.ClearTrace();
    Lights.Clear();
    Canvas.Erase(WindowColor);
    FormPaint();
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
    PropagateStates();
    if (Closing) {
        --CloseCountdown;
        UpdateCountdown();
    }
}

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
