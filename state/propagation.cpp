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
    ChangedRecords* changed;
    RuleId rule = RuleId::None;

    template <class Write>
    void Change(int n, std::initializer_list<int> reads, Write&& write)
    {
        origins.Change(t, n, RecordOrigin::FromRule(rule, reads), write, changed);
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
    RunAspectCommand(run.t, run.origins, entry_button::kHalt,
                     RecordOrigin::FromRule(run.rule, {hv::kIntermediate, hv::kEntry}), run.changed);
    run.decisions.entryHaltPressed = true;
}

constexpr Rule kRules[] = {
#define LUMARO_RULE(name, contract) {RuleId::name, #name, contract, name},
#include "state/rules.def"
};

// Both come from one list, so the rule with id N stands at N - 1.
constexpr bool IdsInTableOrder()
{
    for (std::size_t i = 0; i < std::size(kRules); ++i)
        if (static_cast<std::size_t>(kRules[i].id) != i + 1)
            return false;
    return true;
}
static_assert(IdsInTableOrder());

} // namespace

std::span<const Rule> PropagationRules()
{
    return kRules;
}

const Rule* FindRule(RuleId id)
{
    const auto n = static_cast<std::size_t>(id);
    return n >= 1 && n <= std::size(kRules) ? &kRules[n - 1] : nullptr;
}

WindowDecisions PropagateStates(SignalTable& table, RecordOrigins& origins, System system, ChangedRecords* changed)
{
    WindowDecisions decisions;
    RuleRun run {table, origins, system, decisions, changed};
    for (const Rule& rule : kRules) {
        run.rule = rule.id;
        rule.apply(run);
    }
    return decisions;
}

} // namespace lumaro
