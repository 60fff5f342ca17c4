#pragma once

// The record numbers of every signal, relay record and indicator, named by column and role, one
// namespace per signalling system. The numbers are fixed: several elements choose their panel or
// a special case of their drawing by them, so the placements pass exactly these.
//
// The line runs from column 50 at the left to column 950 at the right; trains run left to right,
// so each signal announces the one to its right. A relay record belongs to no column: it holds
// what a signal announces, refreshed from the signal ahead by the tick's rules.

#include "state/system.h"

namespace lumaro::records {

// Given as own to an element that reads no record, and as next to one that reads no successor.
inline constexpr int kNone = 99;
inline constexpr int kNoNext = 98;

namespace hv {
inline constexpr int kBlockNext = 1;          // column 950: successor of the block signal, never written
inline constexpr int kBlock = 2;              // column 950: block signal
inline constexpr int kTrackChange = 3;        // column 850: track-change indicator, what column 750 announces
inline constexpr int kBlockDistant = 4;       // column 750: distant signal of the block signal
inline constexpr int kExitDistantPart = 5;    // column 650: distant part on the exit signal's mast
inline constexpr int kExit = 6;               // column 650: exit signal
inline constexpr int kIntermediate = 7;       // column 550: intermediate signal
inline constexpr int kEntryRelay = 8;         // what the entry signal announces
inline constexpr int kColumn450 = 9;          // column 450: stop or identification light only
inline constexpr int kIndicatorNext = 10;     // column 350: identifies the placement, never read
inline constexpr int kSpeedIndicator = 11;    // column 350: speed indicator
inline constexpr int kShunting = 12;          // column 250: shunting signal
inline constexpr int kEntryDistantPart = 13;  // column 150: distant part on the entry signal's mast
inline constexpr int kEntry = 14;             // column 150: entry signal
inline constexpr int kEntryDistant = 15;      // column 50: distant signal of the entry signal
} // namespace hv

namespace ks {
inline constexpr int kBlockNext = 20;
inline constexpr int kBlock = 21;
inline constexpr int kTrackChange = 22;
inline constexpr int kBlockDistant = 23;
inline constexpr int kExit = 24;
inline constexpr int kIntermediateRelay = 25;  // what the intermediate signal announces
inline constexpr int kIntermediate = 26;
inline constexpr int kColumn450Next = 28;      // never written
inline constexpr int kColumn450 = 29;
inline constexpr int kIndicatorNext = 30;
inline constexpr int kSpeedIndicator = 31;
inline constexpr int kShunting = 32;
inline constexpr int kEntryRelay = 33;
inline constexpr int kEntry = 34;
inline constexpr int kEntryDistant = 36;
} // namespace ks

// The Hl line has no signal in columns 350 and 750; its exit signal carries its own track-change
// indication, and its distant signal of the block signal stands in column 850.
namespace hl {
inline constexpr int kBlockNext = 40;          // always proceeds
inline constexpr int kBlock = 41;
inline constexpr int kBlockDistant = 42;
inline constexpr int kExit = 43;
inline constexpr int kIntermediateRelay = 44;
inline constexpr int kIntermediate = 45;
inline constexpr int kEntryRelay = 46;
inline constexpr int kColumn450Next = 47;      // never written
inline constexpr int kColumn450 = 48;
inline constexpr int kShuntingNext = 49;       // never written
inline constexpr int kShunting = 50;
inline constexpr int kEntry = 51;
inline constexpr int kEntryDistant = 53;
} // namespace hl

// One signal's records in the three systems, as a button writes them; 0 where a button leaves
// that system alone.
struct Trio {
    int hv = 0;
    int ks = 0;
    int hl = 0;
};

inline constexpr Trio kBlock {hv::kBlock, ks::kBlock, hl::kBlock};
// The Hl exit signal carries the track-change indication itself.
inline constexpr Trio kTrackChange {hv::kTrackChange, ks::kTrackChange, hl::kExit};
inline constexpr Trio kExit {hv::kExit, ks::kExit, hl::kExit};
inline constexpr Trio kIntermediate {hv::kIntermediate, ks::kIntermediate, hl::kIntermediate};
inline constexpr Trio kColumn450 {hv::kColumn450, ks::kColumn450, hl::kColumn450};
inline constexpr Trio kShunting {hv::kShunting, ks::kShunting, hl::kShunting};
inline constexpr Trio kEntry {hv::kEntry, ks::kEntry, hl::kEntry};
// What the entry signal announces, and what the intermediate signal announces: in H/V the exit
// signal itself, in Ks and Hl a relay record.
inline constexpr Trio kEntryRelay {hv::kEntryRelay, ks::kEntryRelay, hl::kEntryRelay};
inline constexpr Trio kIntermediateAnnounces {hv::kExit, ks::kIntermediateRelay, hl::kIntermediateRelay};

constexpr int In(Trio t, System system)
{
    switch (system) {
    case System::HV: return t.hv;
    case System::Ks: return t.ks;
    case System::Hl: return t.hl;
    }
    return 0;
}

// The same trio without its Hl record: the Hl signals have no caution aspect, and the buttons do
// not couple the Hl shunting and entry signals.
constexpr Trio WithoutHl(Trio t)
{
    return {t.hv, t.ks, 0};
}

} // namespace lumaro::records
