#include "core/main_form.h"
#include "state/record_fields.h"

namespace lumaro {

using namespace field;

namespace {

template <std::size_t N>
void Copy(SignalTable& table, int from, int to, const std::array<FieldPtr, N>& fields)
{
    for (FieldPtr f : fields)
        table[to].*f = table[from].*f;
}

bool Proceeds(const SignalRecord& r)
{
    return r.Fahrt == 1 || r.Kmh40 == 1 || r.Kmh60 == 1 || r.Kmh80 == 1 || r.Kmh100 == 1;
}

bool ProceedsFahrtOr40(const SignalRecord& r)
{
    return r.Fahrt == 1 || r.Kmh40 == 1;
}

// Stop expected: every aspect but the identification light cleared, Halt set.
void AnnounceStop(SignalRecord& r)
{
    r.Halt = 1;
    r.Fahrt = 0;
    r.Kmh40 = 0;
    r.Kmh60 = 0;
    r.Kmh80 = 0;
    r.Kmh100 = 0;
    r.Rangier = 0;
    r.Ersatz = 0;
    r.Vorsicht = 0;
}

} // namespace

// Runs once per tick, after the paint. The order of the steps is part of the behaviour: the
// relay records of the entry signal (33, 46) are refreshed from 25 and 44 before these are
// refreshed themselves, so a change at the exit signal reaches them one tick late while the
// intermediate signal is dark.
void MainForm::PropagateStates()
{
    SignalTable& t = Signals;

    // The Hl block signal's successor always proceeds.
    t[40].Fahrt = 1;
    t[40].Halt = 0;

    // Relays: what the entry signal announces (8, 33, 46) and what the intermediate signal
    // announces (25, 44); while the nearer signal shows only its identification light, the
    // relay repeats what that signal itself announces.
    if (t[7].Kennlicht == 1)
        Copy(t, 6, 8, kNineFields);
    if (t[7].Kennlicht == 0)
        Copy(t, 7, 8, kNineFields);
    if (t[26].Kennlicht == 1)
        Copy(t, 25, 33, kNineFields);
    if (t[26].Kennlicht == 0)
        Copy(t, 26, 33, kNineFields);
    if (t[24].Kennlicht == 1)
        Copy(t, 23, 25, kTenFields);
    if (t[24].Kennlicht == 0)
        Copy(t, 24, 25, kTenFields);
    if (t[45].Kennlicht == 1)
        Copy(t, 44, 46, kNineFields);
    if (t[45].Kennlicht == 0)
        Copy(t, 45, 46, kNineFields);
    if (t[43].Kennlicht == 1) {
        Copy(t, 42, 44, kNineFields);
        t[45].Gwb = t[43].Gwb;
    }
    if (t[43].Kennlicht == 0) {
        Copy(t, 43, 44, kNineFields);
        t[45].Gwb = 0;
    }

    // Signal of column 450 at stop: the entry signal announces stop with the 20 km/h markers
    // (H/V: Gwb of 8 and 11; Ks: Aux12 of 31 and 33; Hl: Aux12 of 46). Otherwise they are cleared.
    if (t[9].Halt == 1) {
        AnnounceStop(t[8]);
        t[8].Gwb = 1;
        t[11].Gwb = 1;
    }
    if (t[29].Halt == 1) {
        AnnounceStop(t[33]);
        t[33].Gwb = 0;
        t[31].Aux12 = 1;
        t[33].Aux12 = 1;
    }
    if (t[48].Halt == 1) {
        AnnounceStop(t[46]);
        t[46].Gwb = 0;
        t[46].Aux12 = 1;
    }
    if (t[9].Halt == 0) {
        t[8].Gwb = 0;
        t[11].Gwb = 0;
    }
    if (t[29].Halt == 0) {
        t[33].Gwb = 0;
        t[31].Aux12 = 0;
        t[33].Aux12 = 0;
    }
    if (t[48].Halt == 0) {
        t[46].Gwb = 0;
        t[46].Aux12 = 0;
    }

    // H/V: an entry signal that does not show stop releases the shunting signal behind it.
    if (t[14].Halt == 0) {
        t[12].Halt = 0;
        t[12].Rangier = 1;
    }

    // Shortened braking distance announced by the H/V entry signal: cleared only while the
    // intermediate signal is dark and column 450 does not stop.
    if (t[7].Kennlicht == 1 || t[9].Halt == 0)
        t[8].Aux13 = 0;
    if (t[7].Kennlicht == 0 || t[9].Halt == 1)
        t[8].Aux13 = 1;

    // The same marker for the Ks entry signal.
    if ((t[29].Kennlicht == 1 && (t[26].Fahrt == 1 || t[26].Kennlicht == 1)) || (t[26].Kmh40 == 1 && t[34].Kmh40 == 1))
        t[33].Aux13 = 0;
    else
        t[33].Aux13 = 1;

    // Exit and intermediate signal never proceed together: a proceeding exit signal darkens an
    // intermediate signal showing "Fahrt" or "40 km/h" ...
    for (auto [exit, intermediate] : {std::pair {6, 7}, std::pair {24, 26}, std::pair {43, 45}}) {
        SignalRecord& z = t[intermediate];
        if (Proceeds(t[exit]) && ProceedsFahrtOr40(z)) {
            z.Kennlicht = 1;
            z.Fahrt = 0;
            z.Kmh40 = 0;
        }
    }
    // ... and shunting, substitute or caution at the exit signal stops it.
    for (auto [exit, intermediate] : {std::pair {6, 7}, std::pair {24, 26}, std::pair {43, 45}}) {
        const SignalRecord& a = t[exit];
        SignalRecord& z = t[intermediate];
        if ((a.Rangier == 1 || a.Ersatz == 1 || a.Vorsicht == 1) && ProceedsFahrtOr40(z)) {
            z.Halt = 1;
            z.Fahrt = 0;
            z.Kmh40 = 0;
        }
    }

    // "Fahrt" of the entry signal: in H/V only while the intermediate signal is dark, in Ks and
    // Hl while it is dark or shows "Fahrt"; never while column 450 stops. The H/V rule runs
    // first and the Ks/Hl rule may override it, as only one system is selected at a time.
    const bool column450Stops = t[9].Halt == 1 || t[29].Halt == 1 || t[48].Halt == 1;
    if (SystemHV)
        Buttons[35].enabled = !(t[7].Kennlicht == 0 || column450Stops);
    if (SystemKs || SystemHl) {
        const bool ksIntermediateBlocks = t[26].Kennlicht == 0 && t[26].Fahrt == 0;
        const bool hlIntermediateBlocks = t[45].Kennlicht == 0 && t[45].Fahrt == 0;
        Buttons[35].enabled = !(ksIntermediateBlocks || hlIntermediateBlocks || column450Stops);
    }

    // "100 km/h" of the entry signal, in every system.
    Buttons[34].enabled = !column450Stops;

    // The Ks distant signal of the entry signal always has Fahrt set besides what it copies.
    t[36].Fahrt = 1;

    // H/V: an entry signal at "Fahrt" while the intermediate signal is in operation goes back
    // to stop, as if its "Halt" button were pressed (the program's own press: no enabled or
    // visibility check).
    if (SystemHV && t[7].Kennlicht == 0 && t[14].Fahrt == 1)
        Button30Click();
}

} // namespace lumaro
