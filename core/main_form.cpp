// The main window's handlers: creation, the timer's tick, the aspect buttons, the menu and the
// close request. The paint is in form_paint.cpp.

#include "core/main_form.h"

#include "state/aspect_commands.h"
#include "state/record_fields.h"

#include <array>
#include <bitset>

namespace lumaro {

const WindowState& FormState::Window(SecondaryWindow window) const
{
    switch (window) {
    case SecondaryWindow::Notice: return Notice;
    case SecondaryWindow::About: return About;
    case SecondaryWindow::Licence: return Licence;
    case SecondaryWindow::Manual: return Manual;
    }
    return Notice;
}

WindowState& MainForm::Window(SecondaryWindow window)
{
    return const_cast<WindowState&>(m_state.Window(window));
}

MainForm::MainForm()
{
    for (const PanelDef& p : kPanels) {
        m_state.Panels[p.number].caption = p.caption;
        m_state.Panels[p.number].hint = p.hint;
    }
    for (int n = 0; n <= kMaxButtonNumber; ++n)
        m_state.Buttons[n] = IsAspectButton(n) ? ButtonState {true, true} : ButtonState {false, false};
}

void MainForm::FormCreate()
{
    // The "Hilfe" menu is right-justified by the shell; nothing to decide here.
    m_state.MayClose = false;
    m_state.system = System::HV;
    m_state.WindowColor = clSkyBlue;
    m_state.Signals.Initialise();
    m_state.Origins.Reset();
    m_state.FirstTick = true;
}

void MainForm::Paint()
{
    Canvas& canvas = m_state.Canvas;
    if (canvas.Recording())
        canvas.ClearTrace();
    m_state.Lights.Clear();
    canvas.Erase(m_state.WindowColor);
    FormPaint();
    m_state.PaintedSignals = m_state.Signals;
    m_state.PaintedOrigins = m_state.Origins;
    KeepCaptionsOfChanges();
    m_state.RepaintPending = false;
}

void MainForm::FormClick()
{
    m_state.FocusedControl = 0;
}

void MainForm::Timer1Timer()
{
    // The timer dies with the window.
    if (m_state.Ended)
        return;
    if (m_state.FirstTick) {
        m_state.FocusedControl = 0;
        m_state.FirstTick = false;
    }
    m_state.BlinkPhase = !m_state.BlinkPhase;
    ClearDesignations();
    Paint();
    m_changed.Clear();
    ApplyDecisions(PropagateStates(m_state.Signals, m_state.Origins, SelectedSystem(), &m_changed));
    NoteChanges(ChangeBy::Rule);
    if (m_state.Closing) {
        --m_state.CloseCountdown;
        UpdateCountdown();
    }
}

void MainForm::ApplyDecisions(const WindowDecisions& decisions)
{
    m_state.Buttons[entry_button::kFahrt].enabled = decisions.entryFahrtEnabled;
    m_state.Buttons[entry_button::k100].enabled = decisions.entry100Enabled;
    if (decisions.entryHaltPressed)
        m_state.FocusedControl = 0;
}

bool MainForm::ClickButton(int n)
{
    // After the program has ended no message reaches the window any more.
    if (m_state.Ended || n < 0 || n > kMaxButtonNumber)
        return false;
    const ButtonState& button = m_state.Buttons[static_cast<std::size_t>(n)];
    if (!IsAspectButton(n) || !button.visible || !button.enabled)
        return false;
    // The pressed button takes the focus; its handler then takes it away again.
    m_state.FocusedControl = n;
    m_changed.Clear();
    RunAspectCommand(m_state.Signals, m_state.Origins, n, RecordOrigin::FromButton(n), &m_changed);
    NoteChanges(ChangeBy::Press);
    m_state.FocusedControl = 0;
    return true;
}

namespace {

bool SameAspect(const SignalRecord& a, const SignalRecord& b)
{
    for (FieldPtr f : field::kAspectFields)
        if (a.*f != b.*f)
            return false;
    return a.Aux6 == b.Aux6;
}

// The system whose line a record belongs to: the numbers of each system follow those of the one
// before (state/records.h).
System SystemOfRecord(int n)
{
    if (n < records::ks::kBlockNext)
        return System::HV;
    return n < records::hl::kBlockNext ? System::Ks : System::Hl;
}

// The records of each system's line, as a set of record numbers.
const std::bitset<SignalTable::kCount + 1>& RecordsOf(System system)
{
    static const auto sets = [] {
        std::array<std::bitset<SignalTable::kCount + 1>, 3> all;
        for (int n = 1; n <= SignalTable::kCount; ++n)
            all[static_cast<std::size_t>(SystemOfRecord(n))].set(static_cast<std::size_t>(n));
        return all;
    }();
    return sets[static_cast<std::size_t>(system)];
}

} // namespace

void MainForm::NoteChanges(ChangeBy by)
{
    // Most ticks change no record; the writers noted the others as they were.
    if (!m_changed.Any())
        return;
    for (int n = 1; n <= SignalTable::kCount; ++n) {
        if (!m_changed.Changed(n) || SameAspect(m_changed.Before(n), m_state.Signals[n]))
            continue;
        const auto i = static_cast<std::size_t>(n);
        m_state.ChangedByRule[i] = by == ChangeBy::Rule;
        m_state.ChangedByPress[i] = by == ChangeBy::Press;
        if (by == ChangeBy::Rule)
            for (int p = 1; p <= kDesignationPanelCount; ++p)
                m_state.CaptionsAtRule[i][static_cast<std::size_t>(p)] = m_state.Panels[p].caption;
    }
}

void MainForm::KeepCaptionsOfChanges()
{
    // A press writes the records of all three systems; each line shows it when it is painted, and
    // the other lines' records wait for theirs. A paint after which nothing of this line changed
    // costs two tests.
    std::bitset<SignalTable::kCount + 1> pressed;
    if (m_state.system)
        pressed = m_state.ChangedByPress & RecordsOf(*m_state.system);
    if (m_state.ChangedByRule.none() && pressed.none())
        return;
    for (std::size_t n = 1; n <= SignalTable::kCount; ++n) {
        if (m_state.ChangedByRule[n]) {
            m_state.PaintedCaptionsThen[n] = m_state.CaptionsAtRule[n];
            m_state.ChangedByRule[n] = false;
        } else if (pressed[n]) {
            for (int p = 1; p <= kDesignationPanelCount; ++p)
                m_state.PaintedCaptionsThen[n][static_cast<std::size_t>(p)] = m_state.Panels[p].caption;
            m_state.ChangedByPress[n] = false;
        }
    }
}

void MainForm::ApplyButtonVisibility()
{
    const System system = SelectedSystem();
    for (const ButtonDef& b : kButtons)
        m_state.Buttons[static_cast<std::size_t>(b.number)].visible = AspectButtonVisible(b.number, system);
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

void ShowModeless(WindowState& window)
{
    window.visible = true;
    ++window.raises;
}

} // namespace

void MainForm::SelectSystem(System system)
{
    m_state.system = system;
    ClearDesignations();
}

void MainForm::ShowDaylight(bool day)
{
    const Color color = day ? clSkyBlue : clNightBlue;
    // Only a change of the window colour makes the window system repaint.
    if (m_state.WindowColor != color)
        m_state.RepaintPending = true;
    m_state.WindowColor = color;
    m_state.Menu.ag1 = day;
    m_state.Menu.Nacht1 = !day;
}

void MainForm::RunMenuAction(MenuAction action)
{
    // The menu is gone with the window.
    if (m_state.Ended)
        return;
    MenuState& menu = m_state.Menu;
    switch (action) {
    case MenuAction::RequestClose: FormCloseQuery(); break;
    case MenuAction::SelectHV: SelectSystem(System::HV); break;
    case MenuAction::SelectKs: SelectSystem(System::Ks); break;
    case MenuAction::SelectHl: SelectSystem(System::Hl); break;
    case MenuAction::ShowDay: ShowDaylight(true); break;
    case MenuAction::ShowNight: ShowDaylight(false); break;
    case MenuAction::ToggleTrackPlan: menu.Gleisplan1 = !menu.Gleisplan1; break;
    case MenuAction::ToggleDesignations: menu.Signalbegriff1 = !menu.Signalbegriff1; break;
    case MenuAction::ShowManual: ShowModeless(m_state.Manual); break;
    case MenuAction::ShowLicence: ShowModeless(m_state.Licence); break;
    case MenuAction::ShowAbout: ShowModeless(m_state.About); break;
    case MenuAction::StartPractice:
    case MenuAction::StartExam:
    case MenuAction::ShowProgress:
    case MenuAction::ShowFahrt: break;      // the shells' own
    }
}

bool MainForm::MenuCommand(std::string_view component)
{
    // A known name still counts as known once the program has ended.
    const MenuItem* item = FindMenuItem(component);
    if (item == nullptr)
        return false;
    RunMenuAction(item->action);
    return true;
}

bool MainForm::MenuChecked(const MenuItem& item) const
{
    const MenuState& menu = m_state.Menu;
    switch (item.action) {
    case MenuAction::SelectHV: return SelectedSystem() == System::HV;
    case MenuAction::SelectKs: return SelectedSystem() == System::Ks;
    case MenuAction::SelectHl: return SelectedSystem() == System::Hl;
    case MenuAction::ShowDay: return menu.ag1;
    case MenuAction::ShowNight: return menu.Nacht1;
    case MenuAction::ToggleTrackPlan: return menu.Gleisplan1;
    case MenuAction::ToggleDesignations: return menu.Signalbegriff1;
    default: return false;
    }
}

bool MainForm::FormCloseQuery()
{
    bool canClose = false;
    m_state.CloseCountdown = 10;
    m_state.NoticeSeconds = 10;
    ShowModeless(m_state.Notice);
    m_state.Closing = true;
    if (m_state.MayClose)
        canClose = true;
    if (canClose)
        m_state.Ended = true;
    return canClose;
}

void MainForm::WindowHidden(SecondaryWindow window)
{
    Window(window).visible = false;
}

void MainForm::UpdateCountdown()
{
    m_state.NoticeSeconds = m_state.CloseCountdown;
    if (m_state.CloseCountdown < 1) {
        m_state.MayClose = true;
        FormCloseQuery();
    }
}

} // namespace lumaro
