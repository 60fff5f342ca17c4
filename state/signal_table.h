#pragma once

// The signal records and the table of records 1 to 100.

#include <array>
#include <cassert>
#include <cstdint>

namespace lumaro {

// The flags of one signal, each 1 (set) or 0 (clear), in their fixed field order.
struct SignalRecord {
    std::int32_t Halt = 0;
    std::int32_t Fahrt = 0;
    std::int32_t Kmh40 = 0;
    std::int32_t Kmh60 = 0;
    std::int32_t Kmh80 = 0;
    std::int32_t Kmh100 = 0;
    std::int32_t Aux6 = 0;
    std::int32_t Rangier = 0;
    std::int32_t Ersatz = 0;
    std::int32_t Vorsicht = 0;
    std::int32_t Kennlicht = 0;
    std::int32_t Gwb = 0;
    std::int32_t Aux12 = 0;
    std::int32_t Aux13 = 0;
    std::int32_t Aux14 = 0;
    std::int32_t Aux15 = 0;

    friend bool operator==(const SignalRecord&, const SignalRecord&) = default;
};

using FieldPtr = std::int32_t SignalRecord::*;

// The 16 fields in record order (field number = index).
constexpr std::array<FieldPtr, 16> kRecordFields = {
    &SignalRecord::Halt,    &SignalRecord::Fahrt,    &SignalRecord::Kmh40,     &SignalRecord::Kmh60,
    &SignalRecord::Kmh80,   &SignalRecord::Kmh100,   &SignalRecord::Aux6,      &SignalRecord::Rangier,
    &SignalRecord::Ersatz,  &SignalRecord::Vorsicht, &SignalRecord::Kennlicht, &SignalRecord::Gwb,
    &SignalRecord::Aux12,   &SignalRecord::Aux13,    &SignalRecord::Aux14,     &SignalRecord::Aux15,
};

constexpr std::array<const char*, 16> kRecordFieldNames = {
    "Halt", "Fahrt", "Kmh40", "Kmh60", "Kmh80", "Kmh100", "Aux6", "Rangier",
    "Ersatz", "Vorsicht", "Kennlicht", "Gwb", "Aux12", "Aux13", "Aux14", "Aux15",
};

// Records 1 to 100. Record numbers are fixed by the placements; an index outside 1..100 is a
// programming error.
class SignalTable {
public:
    static constexpr int kCount = 100;

    SignalRecord& operator[](int n)
    {
        assert(n >= 1 && n <= kCount);
        return m_records[static_cast<std::size_t>(n - 1)];
    }
    const SignalRecord& operator[](int n) const
    {
        assert(n >= 1 && n <= kCount);
        return m_records[static_cast<std::size_t>(n - 1)];
    }

    // The state at start: every record at stop, the three signals of column 450 dark with
    // their identification light.
    void Initialise();

    friend bool operator==(const SignalTable&, const SignalTable&) = default;

private:
    std::array<SignalRecord, kCount> m_records {};
};

} // namespace lumaro
