#pragma once

// Which designation panel names which signal: per system and panel, the element that writes it
// with its own and next record as the placements give them, and what of the column's signal the
// panel names. An element block finds the panels it writes among the rows of its codes, by the
// next record it is given; the explanations and the self-test read the same rows.

#include "state/records.h"
#include "state/system.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumaro {

// What kind of aspect a panel names.
enum class PanelRole {
    Main,         // a main signal's own aspect
    Distant,      // a distant signal or the distant part on a main signal's mast
    Indicator,    // an indicator standing alone (Zs 3, Zs 6)
    Shunting,     // a shunting signal
    Supplement,   // a further line under a main or distant signal's panel
};

// Which piece of the column's equipment a panel names: the signal itself or a part on its mast.
enum class PanelPart {
    Signal,
    DistantOnMast,      // the distant signal on the mast of the column's main signal
    SpeedIndicator,     // Zs 3, beside the main signal's aspect
    SpeedPreIndicator,  // Zs 3v
    AdditionalLight,    // ZL: shortened braking distance
    TrackChange,        // Zs 6 on a Hl main signal
    DeadEnd,            // Zs 13
};

struct PanelPlace {
    System system = System::HV;
    int panel = 0;
    std::int32_t code = 0;   // the element that writes the panel
    std::int32_t own = 0;    // its own record
    std::int32_t next = 0;   // the record it announces or depends on; tells its placements apart
    PanelRole role = PanelRole::Main;
    PanelPart part = PanelPart::Signal;
};

namespace panel_table {

using enum PanelRole;
using enum PanelPart;
namespace hv = records::hv;
namespace ks = records::ks;
namespace hl = records::hl;
constexpr System HV = System::HV;
constexpr System Ks = System::Ks;
constexpr System Hl = System::Hl;

// Per system from the right end of the line, a supplement after the panel it stands under.
inline constexpr PanelPlace kRows[] = {
    // system panel code own                    next                    role        part
    {HV,  1, 20, hv::kBlock,             hv::kBlockNext,         Main,       Signal},
    {HV,  2, 30, hv::kTrackChange,       hv::kBlock,             Indicator,  Signal},
    {HV,  3, 12, hv::kBlockDistant,      hv::kTrackChange,       Distant,    Signal},
    {HV,  4, 25, hv::kExit,              hv::kExitDistantPart,   Main,       Signal},
    {HV,  5, 14, hv::kExitDistantPart,   hv::kBlockDistant,      Distant,    DistantOnMast},
    {HV,  6, 25, hv::kIntermediate,      hv::kExit,              Main,       Signal},
    {HV,  7, 34, hv::kColumn450,         records::kNoNext,       Main,       Signal},
    {HV,  8, 31, hv::kSpeedIndicator,    hv::kIndicatorNext,     Indicator,  Signal},
    {HV,  9, 33, hv::kShunting,          hv::kSpeedIndicator,    Shunting,   Signal},
    {HV, 10, 21, hv::kEntry,             hv::kEntryDistantPart,  Main,       Signal},
    {HV, 11, 17, hv::kEntryDistantPart,  hv::kEntryRelay,        Distant,    DistantOnMast},
    {HV, 13, 17, hv::kEntryDistantPart,  hv::kEntryRelay,        Supplement, AdditionalLight},
    {HV, 12, 10, hv::kEntryDistant,      hv::kEntry,             Distant,    Signal},
    {HV, 15, 10, hv::kEntryDistant,      hv::kEntry,             Supplement, SpeedPreIndicator},

    {Ks,  1, 50, ks::kBlock,             ks::kBlockNext,         Main,       Signal},
    {Ks,  2, 30, ks::kTrackChange,       ks::kBlock,             Indicator,  Signal},
    {Ks,  3, 54, ks::kBlockDistant,      ks::kTrackChange,       Distant,    Signal},
    {Ks,  4, 55, ks::kExit,              ks::kBlockDistant,      Main,       Signal},
    {Ks,  6, 55, ks::kIntermediate,      ks::kIntermediateRelay, Main,       Signal},
    {Ks,  7, 34, ks::kColumn450,         ks::kColumn450Next,     Main,       Signal},
    {Ks,  8, 31, ks::kSpeedIndicator,    ks::kIndicatorNext,     Indicator,  Signal},
    {Ks,  9, 33, ks::kShunting,          ks::kSpeedIndicator,    Shunting,   Signal},
    {Ks, 10, 55, ks::kEntry,             ks::kEntryRelay,        Main,       Signal},
    {Ks, 11, 55, ks::kEntry,             ks::kEntryRelay,        Supplement, SpeedIndicator},
    {Ks, 13, 55, ks::kEntry,             ks::kEntryRelay,        Supplement, AdditionalLight},
    {Ks, 14, 55, ks::kEntry,             ks::kEntryRelay,        Supplement, SpeedPreIndicator},
    {Ks, 12, 59, ks::kEntryDistant,      ks::kEntry,             Distant,    Signal},
    {Ks, 15, 59, ks::kEntryDistant,      ks::kEntry,             Supplement, SpeedPreIndicator},

    {Hl,  1, 70, hl::kBlock,             hl::kBlockNext,         Main,       Signal},
    {Hl,  2, 72, hl::kBlockDistant,      hl::kBlock,             Distant,    Signal},
    {Hl,  4, 70, hl::kExit,              hl::kBlockDistant,      Main,       Signal},
    {Hl,  5, 70, hl::kExit,              hl::kBlockDistant,      Supplement, TrackChange},
    {Hl,  6, 70, hl::kIntermediate,      hl::kIntermediateRelay, Main,       Signal},
    {Hl, 16, 70, hl::kIntermediate,      hl::kIntermediateRelay, Supplement, TrackChange},
    {Hl,  7, 74, hl::kColumn450,         hl::kColumn450Next,     Main,       Signal},
    {Hl,  9, 75, hl::kShunting,          hl::kShuntingNext,      Shunting,   Signal},
    {Hl, 10, 70, hl::kEntry,             hl::kEntryRelay,        Main,       Signal},
    {Hl, 11, 70, hl::kEntry,             hl::kEntryRelay,        Supplement, DeadEnd},
    {Hl, 12, 72, hl::kEntryDistant,      hl::kEntry,             Distant,    Signal},
};

// The Ks line has no distant part on the exit signal's mast: its main signals clear the panel
// that the H/V one writes.
inline constexpr int kClearedByKsMainSignals = 5;

constexpr std::size_t CountWrittenBy(std::int32_t code)
{
    std::size_t n = 0;
    for (const PanelPlace& p : kRows)
        n += p.code == code ? 1 : 0;
    return n;
}

} // namespace panel_table

inline constexpr std::span<const PanelPlace> kPanelPlaces = panel_table::kRows;

// The rows of the panels that the elements `Codes` write, in table order, picked out once at
// compile time so that a block looks through its own few rows only.
template <std::int32_t... Codes>
inline constexpr auto kPanelsWrittenBy = [] {
    std::array<PanelPlace, (panel_table::CountWrittenBy(Codes) + ...)> rows {};
    std::size_t n = 0;
    for (const PanelPlace& p : panel_table::kRows)
        if (((p.code == Codes) || ...))
            rows[n++] = p;
    return rows;
}();

// Among the rows of a block's elements, the one that the placement with next record `next`
// writes for `part`: the next record, not the code, tells the placements apart. Null where that
// placement writes none.
constexpr const PanelPlace* FindPanel(std::span<const PanelPlace> rows, std::int32_t next,
                                      PanelPart part = PanelPart::Signal)
{
    for (const PanelPlace& p : rows)
        if (p.next == next && p.part == part)
            return &p;
    return nullptr;
}

// The same as a panel number; 0 where the placement writes none.
constexpr int PanelFor(std::span<const PanelPlace> rows, std::int32_t next, PanelPart part = PanelPart::Signal)
{
    const PanelPlace* p = FindPanel(rows, next, part);
    return p ? p->panel : 0;
}

// Among the rows of a block's elements, the panel written in `system`'s line; 0 where none is.
constexpr int PanelIn(std::span<const PanelPlace> rows, System system)
{
    for (const PanelPlace& p : rows)
        if (p.system == system)
            return p.panel;
    return 0;
}

// The row of `panel` in `system`; null where no element of that line writes it.
const PanelPlace* FindPanelPlace(System system, int panel);

// The panel that the element writing `place` writes for `part`; 0 where it writes none.
int PanelBeside(const PanelPlace& place, PanelPart part);

// The panel that names the own aspect of the signal with record `record` (a main, shunting or
// indicator panel, not a distant one and no supplement); 0 where none does.
int PanelOfRecord(System system, int record);

} // namespace lumaro
