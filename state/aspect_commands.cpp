#include "core/main_form.h"
#include "state/record_fields.h"

#include <initializer_list>

namespace lumaro {

using namespace field;

namespace {

using Records = std::initializer_list<int>;

struct Assign {
    FieldPtr field;
    std::int32_t value;
};

// Sets aspect `aspect` on each record: that field 1, the other nine aspect fields 0. The marker
// fields are left alone.
void SetAspect(SignalTable& table, Records records, FieldPtr aspect)
{
    for (int r : records)
        for (FieldPtr f : kAspectFields)
            table[r].*f = f == aspect ? 1 : 0;
}

// Writes exactly the named fields of each record, record by record, in the order given.
void Write(SignalTable& table, Records records, std::initializer_list<Assign> assigns)
{
    for (int r : records)
        for (const Assign& a : assigns)
            table[r].*(a.field) = a.value;
}

// A non-stop aspect of the entry signal releases the shunting signal behind it (H/V and Ks only).
void ReleaseShunting(SignalTable& table)
{
    Write(table, {12, 32}, {{Rangier, 1}, {Halt, 0}});
}

} // namespace

// --- Entry signal (column 150): records 14, 34, 51 -------------------------------------------

void MainForm::Button30Click()
{
    SetAspect(Signals, {14, 34, 51}, Halt);
    FocusedControl = 0;
}

void MainForm::Button31Click()
{
    SetAspect(Signals, {14, 34, 51}, Kmh40);
    ReleaseShunting(Signals);
    FocusedControl = 0;
}

void MainForm::Button32Click()
{
    SetAspect(Signals, {14, 34, 51}, Kmh60);
    ReleaseShunting(Signals);
    FocusedControl = 0;
}

void MainForm::Button34Click()
{
    SetAspect(Signals, {14, 34, 51}, Kmh100);
    ReleaseShunting(Signals);
    FocusedControl = 0;
}

void MainForm::Button35Click()
{
    SetAspect(Signals, {14, 34, 51}, Fahrt);
    ReleaseShunting(Signals);
    FocusedControl = 0;
}

void MainForm::Button36Click()
{
    SetAspect(Signals, {14, 34, 51}, Ersatz);
    ReleaseShunting(Signals);
    FocusedControl = 0;
}

// The Hl entry signal has no caution aspect.
void MainForm::Button37Click()
{
    SetAspect(Signals, {14, 34}, Vorsicht);
    ReleaseShunting(Signals);
    FocusedControl = 0;
}

// --- Shunting signal (column 250): records 12, 32, 50 ----------------------------------------

// Stop at the shunting signal also stops the H/V and Ks entry signals; their identification
// light and shunting fields stay as they were.
void MainForm::Button28Click()
{
    Write(Signals, {12, 32, 50}, {{Halt, 1}, {Rangier, 0}});
    Write(Signals, {14, 34},
          {{Halt, 1}, {Fahrt, 0}, {Kmh40, 0}, {Kmh60, 0}, {Kmh80, 0}, {Kmh100, 0}, {Ersatz, 0}, {Vorsicht, 0}});
    FocusedControl = 0;
}

void MainForm::Button29Click()
{
    Write(Signals, {12, 32, 50}, {{Rangier, 1}, {Halt, 0}});
    FocusedControl = 0;
}

// --- Signal of column 450: records 9, 29, 48 -------------------------------------------------

// Stop here stops the entry signal in all three systems, through the full handler of its
// "Halt" button.
void MainForm::Button26Click()
{
    Write(Signals, {9, 29, 48}, {{Halt, 1}, {Kennlicht, 0}});
    Button30Click();
    FocusedControl = 0;
}

void MainForm::Button27Click()
{
    Write(Signals, {9, 29, 48}, {{Kennlicht, 1}, {Halt, 0}});
    FocusedControl = 0;
}

// --- Intermediate signal (column 550): records 7, 26, 45 -------------------------------------

void MainForm::Button11Click()
{
    SetAspect(Signals, {7, 26, 45}, Halt);
    FocusedControl = 0;
}

// A proceeding intermediate signal switches the exit signal to its identification light.
void MainForm::Button12Click()
{
    SetAspect(Signals, {7, 26, 45}, Kmh40);
    SetAspect(Signals, {6, 24, 43}, Kennlicht);
    FocusedControl = 0;
}

void MainForm::Button16Click()
{
    SetAspect(Signals, {7, 26, 45}, Fahrt);
    SetAspect(Signals, {6, 24, 43}, Kennlicht);
    FocusedControl = 0;
}

void MainForm::Button17Click()
{
    SetAspect(Signals, {7, 26, 45}, Rangier);
    FocusedControl = 0;
}

void MainForm::Button18Click()
{
    SetAspect(Signals, {7, 26, 45}, Ersatz);
    FocusedControl = 0;
}

void MainForm::Button19Click()
{
    SetAspect(Signals, {7, 26}, Vorsicht);
    FocusedControl = 0;
}

// Only one of the exit and intermediate signals shows its identification light: the other stops.
void MainForm::Button20Click()
{
    SetAspect(Signals, {7, 26, 45}, Kennlicht);
    SetAspect(Signals, {6, 24, 43}, Halt);
    FocusedControl = 0;
}

// --- Exit signal (column 650): records 6, 24, 43 ---------------------------------------------

// Stop at the exit signal takes an intermediate signal that proceeds ("Fahrt", "40 km/h") back to
// stop; its other aspects and markers stay.
void MainForm::Button1Click()
{
    SetAspect(Signals, {6, 24, 43}, Halt);
    for (int intermediate : {7, 26, 45}) {
        const SignalRecord& r = Signals[intermediate];
        if (r.Fahrt == 1 || r.Kmh40 == 1)
            Write(Signals, {intermediate}, {{Halt, 1}, {Fahrt, 0}, {Kmh40, 0}});
    }
    FocusedControl = 0;
}

void MainForm::Button2Click()
{
    SetAspect(Signals, {6, 24, 43}, Kmh40);
    FocusedControl = 0;
}

void MainForm::Button3Click()
{
    SetAspect(Signals, {6, 24, 43}, Kmh60);
    FocusedControl = 0;
}

void MainForm::Button5Click()
{
    SetAspect(Signals, {6, 24, 43}, Kmh100);
    FocusedControl = 0;
}

void MainForm::Button6Click()
{
    SetAspect(Signals, {6, 24, 43}, Fahrt);
    FocusedControl = 0;
}

void MainForm::Button7Click()
{
    SetAspect(Signals, {6, 24, 43}, Rangier);
    FocusedControl = 0;
}

void MainForm::Button8Click()
{
    SetAspect(Signals, {6, 24, 43}, Ersatz);
    FocusedControl = 0;
}

void MainForm::Button9Click()
{
    SetAspect(Signals, {6, 24}, Vorsicht);
    FocusedControl = 0;
}

void MainForm::Button10Click()
{
    SetAspect(Signals, {6, 24, 43}, Kennlicht);
    SetAspect(Signals, {7, 26, 45}, Halt);
    FocusedControl = 0;
}

// --- Track-change indicator: records 3, 22, 43 (Hl: the exit signal's own indicator) ---------
// The buttons of column 750 (Hl) and column 850 (H/V, Ks) do the same.

void MainForm::Button13Click()
{
    Write(Signals, {3, 22, 43}, {{Gwb, 0}});
    FocusedControl = 0;
}

void MainForm::Button24Click()
{
    Write(Signals, {3, 22, 43}, {{Gwb, 0}});
    FocusedControl = 0;
}

void MainForm::Button14Click()
{
    Write(Signals, {3, 22, 43}, {{Gwb, 1}});
    FocusedControl = 0;
}

void MainForm::Button25Click()
{
    Write(Signals, {3, 22, 43}, {{Gwb, 1}});
    FocusedControl = 0;
}

// --- Block signal (column 950): records 2, 21, 41 --------------------------------------------
// Only its three aspects are written; its markers stay.

void MainForm::Button21Click()
{
    Write(Signals, {2, 21, 41}, {{Halt, 1}, {Fahrt, 0}, {Ersatz, 0}});
    FocusedControl = 0;
}

void MainForm::Button22Click()
{
    Write(Signals, {2, 21, 41}, {{Fahrt, 1}, {Halt, 0}, {Ersatz, 0}});
    FocusedControl = 0;
}

void MainForm::Button23Click()
{
    Write(Signals, {2, 21, 41}, {{Ersatz, 1}, {Halt, 0}, {Fahrt, 0}});
    FocusedControl = 0;
}

// --- Clicks and visibility -------------------------------------------------------------------

namespace {

using Handler = void (MainForm::*)();

// Handler of ButtonN at index N; the numbers without a button (0, 4, 15, 33) have none.
constexpr std::array<Handler, kMaxButtonNumber + 1> kHandlers = {
    nullptr,                  &MainForm::Button1Click,  &MainForm::Button2Click,  &MainForm::Button3Click,
    nullptr,                  &MainForm::Button5Click,  &MainForm::Button6Click,  &MainForm::Button7Click,
    &MainForm::Button8Click,  &MainForm::Button9Click,  &MainForm::Button10Click, &MainForm::Button11Click,
    &MainForm::Button12Click, &MainForm::Button13Click, &MainForm::Button14Click, nullptr,
    &MainForm::Button16Click, &MainForm::Button17Click, &MainForm::Button18Click, &MainForm::Button19Click,
    &MainForm::Button20Click, &MainForm::Button21Click, &MainForm::Button22Click, &MainForm::Button23Click,
    &MainForm::Button24Click, &MainForm::Button25Click, &MainForm::Button26Click, &MainForm::Button27Click,
    &MainForm::Button28Click, &MainForm::Button29Click, &MainForm::Button30Click, &MainForm::Button31Click,
    &MainForm::Button32Click, nullptr,                  &MainForm::Button34Click, &MainForm::Button35Click,
    &MainForm::Button36Click, &MainForm::Button37Click,
};

constexpr bool HandlersMatchLayout()
{
    for (int n = 0; n <= kMaxButtonNumber; ++n)
        if ((kHandlers[static_cast<std::size_t>(n)] != nullptr) != IsAspectButton(n))
            return false;
    return true;
}
static_assert(HandlersMatchLayout(), "every aspect button of the layout needs its handler, and only those");

// Column 750 carries the Hl exit signal's track-change indication, column 850 the separate
// indicator of the other systems; the Hl signals have no caution aspect.
bool VisibleIn(int button, System system)
{
    const bool hl = system == System::Hl;
    switch (button) {
    case 13: case 14: return hl;           // "Dunkel", "GWB" of column 750
    case 24: case 25: return !hl;          // "Dunkel", "GWB" of column 850
    case 9: case 19: case 37: return !hl;  // "Vorsicht"
    default: return true;
    }
}

} // namespace

bool MainForm::ClickButton(int n)
{
    // After the program has ended no message reaches the window any more.
    if (Ended || n < 0 || n > kMaxButtonNumber)
        return false;
    const Handler handler = kHandlers[static_cast<std::size_t>(n)];
    const ButtonState& button = Buttons[static_cast<std::size_t>(n)];
    if (handler == nullptr || !button.visible || !button.enabled)
        return false;
    // The pressed button takes the focus; its handler then takes it away again.
    FocusedControl = n;
    (this->*handler)();
    return true;
}

void MainForm::ApplyButtonVisibility()
{
    const System system = SelectedSystem();
    for (const ButtonDef& b : kButtons)
        Buttons[static_cast<std::size_t>(b.number)].visible = VisibleIn(b.number, system);
}

} // namespace lumaro
