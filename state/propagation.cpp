// The tick's rules, one function each, and the table that runs them in order with their names and
// contracts.

#include "state/propagation.h"

#include "state/aspect_commands.h"
#include "state/record_fields.h"
#include "state/records.h"

#include <array>
#include <initializer_list>

namespace lumaro {

// What a rule works on. `Change` writes one record and notes the running rule as its origin,
// with the records the rule read, if the record changed.
struct RuleRun {
    SignalTable& t;
    RecordOrigins& origins;
    System system;
    WindowDecisions& decisions;
    RuleId rule = RuleId::None;

    template <class Write>
    void Change(int n, std::initializer_list<int> reads, Write&& write)
    {
        origins.Change(t, n, RecordOrigin::FromRule(rule, reads), write);
    }
};

namespace {

using namespace field;
using namespace records;

constexpr std::array kSystems = {System::HV, System::Ks, System::Hl};

template <std::size_t N>
void CopyInto(SignalRecord& to, const SignalRecord& from, const std::array<FieldPtr, N>& fields)
{
    for (FieldPtr f : fields)
        to.*f = from.*f;
}

bool Proceeds(const SignalRecord& r)
{
    return r.Fahrt == 1 || r.Kmh40 == 1 || r.Kmh60 == 1 || r.Kmh80 == 1 || r.Kmh100 == 1;
}

bool ProceedsFahrtOr40(const SignalRecord& r)
{
    return r.Fahrt == 1 || r.Kmh40 == 1;
}

bool ShowsShuntingSubstituteOrCaution(const SignalRecord& r)
{
    return r.Rangier == 1 || r.Ersatz == 1 || r.Vorsicht == 1;
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

bool Column450Stops(const SignalTable& t)
{
    return t[hv::kColumn450].Halt == 1 || t[ks::kColumn450].Halt == 1 || t[hl::kColumn450].Halt == 1;
}

// `relay` repeats `signal`, or, while `signal` shows only its identification light, what
// `signal` itself announces (`announced`). A Kennlicht other than 0 or 1 leaves it alone.
template <std::size_t N>
void Relay(RuleRun& run, int signal, int announced, int relay, const std::array<FieldPtr, N>& fields)
{
    const std::int32_t dark = run.t[signal].Kennlicht;
    if (dark != 0 && dark != 1)
        return;
    const int from = dark == 1 ? announced : signal;
    const auto copy = [&](SignalRecord& r) { CopyInto(r, run.t[from], fields); };
    if (dark == 1)
        run.Change(relay, {signal, announced}, copy);
    else
        run.Change(relay, {signal}, copy);
}

// --- The rules, in the order they run ----------------------------------------------------------

void BlockNextProceeds(RuleRun& run)
{
    run.Change(hl::kBlockNext, {}, [](SignalRecord& r) {
        r.Fahrt = 1;
        r.Halt = 0;
    });
}

// The entry relays of all three systems are refreshed before the intermediate relays they read,
// so while the intermediate signal is dark a change at the exit signal reaches the Ks and Hl
// entry signals one tick after the intermediate signals.
void EntryRelay(RuleRun& run)
{
    for (System s : kSystems)
        Relay(run, In(kIntermediate, s), In(kIntermediateAnnounces, s), In(kEntryRelay, s), kNineFields);
}

void IntermediateRelay(RuleRun& run)
{
    Relay(run, ks::kExit, ks::kBlockDistant, ks::kIntermediateRelay, kTenFields);
    Relay(run, hl::kExit, hl::kBlockDistant, hl::kIntermediateRelay, kNineFields);
}

void TrackChangeToIntermediate(RuleRun& run)
{
    const SignalRecord& exit = run.t[hl::kExit];
    if (exit.Kennlicht == 1)
        run.Change(hl::kIntermediate, {hl::kExit}, [&](SignalRecord& r) { r.Gwb = exit.Gwb; });
    if (exit.Kennlicht == 0)
        run.Change(hl::kIntermediate, {hl::kExit}, [](SignalRecord& r) { r.Gwb = 0; });
}

// H/V marks the 20 km/h on the relay and the speed indicator with Gwb, Ks and Hl with Aux12.
void Column450AnnouncesStop(RuleRun& run)
{
    if (run.t[hv::kColumn450].Halt == 1) {
        run.Change(hv::kEntryRelay, {hv::kColumn450}, [](SignalRecord& r) {
            AnnounceStop(r);
            r.Gwb = 1;
        });
        run.Change(hv::kSpeedIndicator, {hv::kColumn450}, [](SignalRecord& r) { r.Gwb = 1; });
    }
    if (run.t[ks::kColumn450].Halt == 1) {
        run.Change(ks::kEntryRelay, {ks::kColumn450}, [](SignalRecord& r) {
            AnnounceStop(r);
            r.Gwb = 0;
            r.Aux12 = 1;
        });
        run.Change(ks::kSpeedIndicator, {ks::kColumn450}, [](SignalRecord& r) { r.Aux12 = 1; });
    }
    if (run.t[hl::kColumn450].Halt == 1) {
        run.Change(hl::kEntryRelay, {hl::kColumn450}, [](SignalRecord& r) {
            AnnounceStop(r);
            r.Gwb = 0;
            r.Aux12 = 1;
        });
    }
}

void Column450MarkersCleared(RuleRun& run)
{
    if (run.t[hv::kColumn450].Halt == 0) {
        run.Change(hv::kEntryRelay, {hv::kColumn450}, [](SignalRecord& r) { r.Gwb = 0; });
        run.Change(hv::kSpeedIndicator, {hv::kColumn450}, [](SignalRecord& r) { r.Gwb = 0; });
    }
    if (run.t[ks::kColumn450].Halt == 0) {
        run.Change(ks::kEntryRelay, {ks::kColumn450}, [](SignalRecord& r) {
            r.Gwb = 0;
            r.Aux12 = 0;
        });
        run.Change(ks::kSpeedIndicator, {ks::kColumn450}, [](SignalRecord& r) { r.Aux12 = 0; });
    }
    if (run.t[hl::kColumn450].Halt == 0) {
        run.Change(hl::kEntryRelay, {hl::kColumn450}, [](SignalRecord& r) {
            r.Gwb = 0;
            r.Aux12 = 0;
        });
    }
}

void EntryReleasesShunting(RuleRun& run)
{
    if (run.t[hv::kEntry].Halt != 0)
        return;
    run.Change(hv::kShunting, {hv::kEntry}, [](SignalRecord& r) {
        r.Halt = 0;
        r.Rangier = 1;
    });
}

// Two tests in this order; the second wins where both hold.
void HvEntryShortenedBraking(RuleRun& run)
{
    const SignalRecord& intermediate = run.t[hv::kIntermediate];
    const SignalRecord& column450 = run.t[hv::kColumn450];
    run.Change(hv::kEntryRelay, {hv::kIntermediate, hv::kColumn450}, [&](SignalRecord& r) {
        if (intermediate.Kennlicht == 1 || column450.Halt == 0)
            r.Aux13 = 0;
        if (intermediate.Kennlicht == 0 || column450.Halt == 1)
            r.Aux13 = 1;
    });
}

void KsEntryShortenedBraking(RuleRun& run)
{
    const SignalRecord& column450 = run.t[ks::kColumn450];
    const SignalRecord& intermediate = run.t[ks::kIntermediate];
    const SignalRecord& entry = run.t[ks::kEntry];
    const bool full = (column450.Kennlicht == 1 && (intermediate.Fahrt == 1 || intermediate.Kennlicht == 1))
        || (intermediate.Kmh40 == 1 && entry.Kmh40 == 1);
    run.Change(ks::kEntryRelay, {ks::kColumn450, ks::kIntermediate, ks::kEntry},
               [full](SignalRecord& r) { r.Aux13 = full ? 0 : 1; });
}

// In each system: while the exit signal shows what `exitShows` tests and the intermediate signal
// shows "Fahrt" or "40 km/h", `write` changes the intermediate signal.
template <class Write>
void IntermediateBehindExit(RuleRun& run, bool (*exitShows)(const SignalRecord&), Write write)
{
    for (System s : kSystems) {
        const int exit = In(kExit, s);
        const int intermediate = In(kIntermediate, s);
        if (exitShows(run.t[exit]) && ProceedsFahrtOr40(run.t[intermediate]))
            run.Change(intermediate, {exit, intermediate}, write);
    }
}

void ExitDarkensIntermediate(RuleRun& run)
{
    IntermediateBehindExit(run, Proceeds, [](SignalRecord& r) {
        r.Kennlicht = 1;
        r.Fahrt = 0;
        r.Kmh40 = 0;
    });
}

void ExitStopsIntermediate(RuleRun& run)
{
    IntermediateBehindExit(run, ShowsShuntingSubstituteOrCaution, [](SignalRecord& r) {
        r.Halt = 1;
        r.Fahrt = 0;
        r.Kmh40 = 0;
    });
}

void EntryFahrtAvailable(RuleRun& run)
{
    const SignalTable& t = run.t;
    if (run.system == System::HV) {
        run.decisions.entryFahrtEnabled = !(t[hv::kIntermediate].Kennlicht == 0 || Column450Stops(t));
        return;
    }
    const auto blocks = [](const SignalRecord& intermediate) {
        return intermediate.Kennlicht == 0 && intermediate.Fahrt == 0;
    };
    run.decisions.entryFahrtEnabled =
        !(blocks(t[ks::kIntermediate]) || blocks(t[hl::kIntermediate]) || Column450Stops(t));
}

void Entry100Available(RuleRun& run)
{
    run.decisions.entry100Enabled = !Column450Stops(run.t);
}

void KsEntryDistantProceeds(RuleRun& run)
{
    run.Change(ks::kEntryDistant, {}, [](SignalRecord& r) { r.Fahrt = 1; });
}

// The program's own press: no enabled or visibility check.
void AutomaticEntryStop(RuleRun& run)
{
    if (run.system != System::HV || run.t[hv::kIntermediate].Kennlicht != 0 || run.t[hv::kEntry].Fahrt != 1)
        return;
    RunAspectCommand(run.t, run.origins, 30,
                     RecordOrigin::FromRule(run.rule, {hv::kIntermediate, hv::kEntry}));
    run.decisions.entryHaltPressed = true;
}

// clang-format off
constexpr Rule kRules[] = {
    {RuleId::BlockNextProceeds, "BlockNextProceeds",
     "The Hl block signal's successor (40) always proceeds: Fahrt 1, Halt 0.", BlockNextProceeds},
    {RuleId::EntryRelay, "EntryRelay",
     "What the entry signal announces (8, 33, 46) repeats the intermediate signal, or what it announces while it is dark.", EntryRelay},
    {RuleId::IntermediateRelay, "IntermediateRelay",
     "What the Ks and Hl intermediate signals announce (25, 44) repeats the exit signal, or what it announces while it is dark; Ks with Gwb.", IntermediateRelay},
    {RuleId::TrackChangeToIntermediate, "TrackChangeToIntermediate",
     "The Hl intermediate signal (45) shows the exit signal's track change while the exit signal is dark, otherwise none.", TrackChangeToIntermediate},
    {RuleId::Column450AnnouncesStop, "Column450AnnouncesStop",
     "While column 450 stops, the entry signal announces stop with the 20 km/h marker (H/V Gwb of 8 and 11, Ks Aux12 of 31 and 33, Hl Aux12 of 46).", Column450AnnouncesStop},
    {RuleId::Column450MarkersCleared, "Column450MarkersCleared",
     "While column 450 does not stop, the 20 km/h markers of the entry relays and speed indicators are clear.", Column450MarkersCleared},
    {RuleId::EntryReleasesShunting, "EntryReleasesShunting",
     "An H/V entry signal not at stop releases the shunting signal behind it (12: Rangier).", EntryReleasesShunting},
    {RuleId::HvEntryShortenedBraking, "HvEntryShortenedBraking",
     "The H/V entry signal announces a shortened braking distance (Aux13 of 8) unless the intermediate signal is dark and column 450 does not stop.", HvEntryShortenedBraking},
    {RuleId::KsEntryShortenedBraking, "KsEntryShortenedBraking",
     "The Ks entry signal announces a shortened braking distance (Aux13 of 33) unless column 450 is dark with the intermediate signal at Fahrt or dark, or both entry and intermediate signal show 40 km/h.", KsEntryShortenedBraking},
    {RuleId::ExitDarkensIntermediate, "ExitDarkensIntermediate",
     "A proceeding exit signal darkens an intermediate signal showing Fahrt or 40 km/h: only its identification light stays.", ExitDarkensIntermediate},
    {RuleId::ExitStopsIntermediate, "ExitStopsIntermediate",
     "Shunting, substitute or caution at the exit signal stops an intermediate signal showing Fahrt or 40 km/h.", ExitStopsIntermediate},
    {RuleId::EntryFahrtAvailable, "EntryFahrtAvailable",
     "\"Fahrt\" of the entry signal is available in H/V only while the intermediate signal is dark, in Ks and Hl while it is dark or shows Fahrt; never while column 450 stops.", EntryFahrtAvailable},
    {RuleId::Entry100Available, "Entry100Available",
     "\"100 km/h\" of the entry signal is available in every system unless column 450 stops.", Entry100Available},
    {RuleId::KsEntryDistantProceeds, "KsEntryDistantProceeds",
     "The Ks distant signal of the entry signal (36) has Fahrt set besides what it copies.", KsEntryDistantProceeds},
    {RuleId::AutomaticEntryStop, "AutomaticEntryStop",
     "H/V: an entry signal at Fahrt while the intermediate signal is in operation goes back to stop, as if its \"Halt\" were pressed.", AutomaticEntryStop},
};
// clang-format on

constexpr bool IdsUnique()
{
    for (std::size_t i = 0; i < std::size(kRules); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (kRules[i].id == kRules[j].id || kRules[i].id == RuleId::None)
                return false;
    return true;
}
static_assert(IdsUnique(), "every rule has an id of its own");

} // namespace

std::span<const Rule> PropagationRules()
{
    return kRules;
}

const Rule* FindRule(RuleId id)
{
    for (const Rule& rule : kRules)
        if (rule.id == id)
            return &rule;
    return nullptr;
}

WindowDecisions PropagateStates(SignalTable& table, RecordOrigins& origins, System system)
{
    WindowDecisions decisions;
    RuleRun run {table, origins, system, decisions};
    for (const Rule& rule : kRules) {
        run.rule = rule.id;
        rule.apply(run);
    }
    return decisions;
}

} // namespace lumaro
