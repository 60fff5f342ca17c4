#pragma once

// What each aspect button does to the records, as one table. A press writes the records of all
// three systems at once, whichever system is shown; what depends on the state rather than on a
// press is left to the tick's rules (state/propagation.h).

#include "state/provenance.h"
#include "state/record_fields.h"
#include "state/records.h"
#include "state/signal_table.h"
#include "state/system.h"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace lumaro {

namespace command {

struct Assign {
    FieldPtr field = nullptr;
    std::int32_t value = 0;
};

enum class Effect : std::uint8_t {
    None,
    SetAspect,         // the aspect field 1, the nine other aspect fields 0; markers stay
    Write,             // exactly the listed fields, in order
    StopIfProceeding,  // a record showing "Fahrt" or "40 km/h" goes to stop; its other fields stay
    PressEntryHalt,    // the whole command of the entry signal's "Halt" button
};

// One effect on the records of a trio, H/V first.
struct Step {
    Effect effect = Effect::None;
    records::Trio records {};
    FieldPtr aspect = nullptr;
    std::array<Assign, 8> assigns {};   // Write: up to the first null field
};

constexpr Step Set(records::Trio r, FieldPtr aspect)
{
    return {Effect::SetAspect, r, aspect, {}};
}

constexpr Step Write(records::Trio r, std::initializer_list<Assign> assigns)
{
    Step s {Effect::Write, r, nullptr, {}};
    std::size_t i = 0;
    for (const Assign& a : assigns)
        s.assigns[i++] = a;
    return s;
}

constexpr Step StopIfProceeding(records::Trio r)
{
    return {Effect::StopIfProceeding, r, nullptr, {}};
}

inline constexpr Step kPressEntryHalt {Effect::PressEntryHalt, {}, nullptr, {}};

// A non-stop aspect of the entry signal releases the shunting signal behind it (H/V and Ks).
inline constexpr Step kReleaseShunting =
    Write(records::WithoutHl(records::kShunting), {{field::Rangier, 1}, {field::Halt, 0}});

} // namespace command

// The entry signal's buttons that the tick's rules press or enable besides the learner.
namespace entry_button {
inline constexpr int kHalt = 30;
inline constexpr int k100 = 34;
inline constexpr int kFahrt = 35;
} // namespace entry_button

struct AspectCommand {
    int button;                       // ButtonN
    command::Step first;
    command::Step then {};
};

namespace command_table {

using namespace command;
using namespace field;
using namespace records;

// Every aspect button and its effect, in this order: first, then. Grouped by the signal column
// above the buttons, left to right.
inline constexpr std::array<AspectCommand, 34> kAspectCommands = {{
    // Entry signal, column 150. Its Hl records have no caution aspect.
    {entry_button::kHalt, Set(kEntry, Halt)},
    {31, Set(kEntry, Kmh40), kReleaseShunting},
    {32, Set(kEntry, Kmh60), kReleaseShunting},
    {entry_button::k100, Set(kEntry, Kmh100), kReleaseShunting},
    {entry_button::kFahrt, Set(kEntry, Fahrt), kReleaseShunting},
    {36, Set(kEntry, Ersatz), kReleaseShunting},
    {37, Set(WithoutHl(kEntry), Vorsicht), kReleaseShunting},
    // Shunting signal, column 250. Its stop also stops the H/V and Ks entry signals, leaving
    // their identification light and shunting fields alone.
    {28, Write(kShunting, {{Halt, 1}, {Rangier, 0}}),
         Write(WithoutHl(kEntry), {{Halt, 1}, {Fahrt, 0}, {Kmh40, 0}, {Kmh60, 0}, {Kmh80, 0},
                                   {Kmh100, 0}, {Ersatz, 0}, {Vorsicht, 0}})},
    {29, Write(kShunting, {{Rangier, 1}, {Halt, 0}})},
    // Column 450. Its stop stops the entry signal in all three systems.
    {26, Write(kColumn450, {{Halt, 1}, {Kennlicht, 0}}), kPressEntryHalt},
    {27, Write(kColumn450, {{Kennlicht, 1}, {Halt, 0}})},
    // Intermediate signal, column 550. Proceeding here switches the exit signal to its
    // identification light; only one of the two shows it, the other stops.
    {11, Set(kIntermediate, Halt)},
    {12, Set(kIntermediate, Kmh40), Set(kExit, Kennlicht)},
    {16, Set(kIntermediate, Fahrt), Set(kExit, Kennlicht)},
    {17, Set(kIntermediate, Rangier)},
    {18, Set(kIntermediate, Ersatz)},
    {19, Set(WithoutHl(kIntermediate), Vorsicht)},
    {20, Set(kIntermediate, Kennlicht), Set(kExit, Halt)},
    // Exit signal, column 650. Its stop takes a proceeding intermediate signal back to stop.
    {1, Set(kExit, Halt), StopIfProceeding(kIntermediate)},
    {2, Set(kExit, Kmh40)},
    {3, Set(kExit, Kmh60)},
    {5, Set(kExit, Kmh100)},
    {6, Set(kExit, Fahrt)},
    {7, Set(kExit, Rangier)},
    {8, Set(kExit, Ersatz)},
    {9, Set(WithoutHl(kExit), Vorsicht)},
    {10, Set(kExit, Kennlicht), Set(kIntermediate, Halt)},
    // Track-change indicator: column 750 (Hl) and column 850 (H/V, Ks) do the same.
    {13, Write(kTrackChange, {{Gwb, 0}})},
    {14, Write(kTrackChange, {{Gwb, 1}})},
    {24, Write(kTrackChange, {{Gwb, 0}})},
    {25, Write(kTrackChange, {{Gwb, 1}})},
    // Block signal, column 950: only its three aspects; its markers stay.
    {21, Write(kBlock, {{Halt, 1}, {Fahrt, 0}, {Ersatz, 0}})},
    {22, Write(kBlock, {{Fahrt, 1}, {Halt, 0}, {Ersatz, 0}})},
    {23, Write(kBlock, {{Ersatz, 1}, {Halt, 0}, {Fahrt, 0}})},
}};

} // namespace command_table

using command_table::kAspectCommands;

constexpr bool HasAspectCommand(int button)
{
    for (const AspectCommand& c : kAspectCommands)
        if (c.button == button)
            return true;
    return false;
}

// Runs the command of ButtonN on the records, noting `origin` on each record it changes (and the
// record as it was in `changed`, if given). A number without a command changes nothing and
// returns false.
bool RunAspectCommand(SignalTable& table, RecordOrigins& origins, int button, const RecordOrigin& origin,
                      ChangedRecords* changed = nullptr);

// Whether ButtonN is shown in `system`: column 750 carries the Hl exit signal's track-change
// indication, column 850 the separate indicator of the other systems, and the Hl signals have no
// caution aspect.
bool AspectButtonVisible(int button, System system);

} // namespace lumaro
