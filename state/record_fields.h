#pragma once

// Short names for the fields of a signal record and the field lists that the commands and the
// propagation write and copy, so that their code reads like a list of field assignments.

#include "state/signal_table.h"

#include <array>

namespace lumaro::field {

inline constexpr FieldPtr Halt = &SignalRecord::Halt;
inline constexpr FieldPtr Fahrt = &SignalRecord::Fahrt;
inline constexpr FieldPtr Kmh40 = &SignalRecord::Kmh40;
inline constexpr FieldPtr Kmh60 = &SignalRecord::Kmh60;
inline constexpr FieldPtr Kmh80 = &SignalRecord::Kmh80;
inline constexpr FieldPtr Kmh100 = &SignalRecord::Kmh100;
inline constexpr FieldPtr Rangier = &SignalRecord::Rangier;
inline constexpr FieldPtr Ersatz = &SignalRecord::Ersatz;
inline constexpr FieldPtr Vorsicht = &SignalRecord::Vorsicht;
inline constexpr FieldPtr Kennlicht = &SignalRecord::Kennlicht;
inline constexpr FieldPtr Gwb = &SignalRecord::Gwb;
inline constexpr FieldPtr Aux12 = &SignalRecord::Aux12;
inline constexpr FieldPtr Aux13 = &SignalRecord::Aux13;

// The fields of which a button keeps exactly one set. Aux6, Gwb and Aux12..Aux15 are not among them.
inline constexpr std::array<FieldPtr, 10> kAspectFields = {
    Halt, Fahrt, Kmh40, Kmh60, Kmh80, Kmh100, Rangier, Ersatz, Vorsicht, Kennlicht,
};

// What a relay record takes over from the signal it repeats: every aspect but the identification
// light, in this order. The track-change relay also takes the Gwb flag.
inline constexpr std::array<FieldPtr, 9> kNineFields = {
    Halt, Fahrt, Kmh40, Kmh60, Kmh80, Kmh100, Rangier, Ersatz, Vorsicht,
};
inline constexpr std::array<FieldPtr, 10> kTenFields = {
    Halt, Fahrt, Kmh40, Kmh60, Kmh80, Kmh100, Rangier, Ersatz, Vorsicht, Gwb,
};

} // namespace lumaro::field
