#pragma once

// Where each record's content came from: the program's start, a button, one of the tick's rules
// or a copy an element made while it was drawn. Every writer of the table notes itself on the
// records it changes (a write that leaves a record as it was notes nothing), so a record's origin
// is the last thing that changed it. Explanations for learners are built from these notes.

#include "state/signal_table.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace lumaro {

// The tick's rules. The numbers are stable (a new rule takes a new number): a later layer keys its texts by
// them. Name and contract of each are in the rule table (state/propagation.h).
enum class RuleId : std::uint8_t {
    None = 0,
    BlockNextProceeds = 1,
    EntryRelay = 2,
    IntermediateRelay = 3,
    TrackChangeToIntermediate = 4,
    Column450AnnouncesStop = 5,
    Column450MarkersCleared = 6,
    EntryReleasesShunting = 7,
    HvEntryShortenedBraking = 8,
    KsEntryShortenedBraking = 9,
    ExitDarkensIntermediate = 10,
    ExitStopsIntermediate = 11,
    EntryFahrtAvailable = 12,
    Entry100Available = 13,
    KsEntryDistantProceeds = 14,
    AutomaticEntryStop = 15,
};

enum class OriginKind : std::uint8_t {
    Start,     // as the program's start left it
    Button,    // an aspect button (`button`)
    Rule,      // one of the tick's rules (`rule`)
    DrawCopy,  // an element while it was drawn (`element`); element 20 sets a marker, reading nothing
};

struct RecordOrigin {
    static constexpr std::size_t kMaxReads = 3;

    OriginKind kind = OriginKind::Start;
    RuleId rule = RuleId::None;
    std::uint8_t button = 0;
    std::uint8_t element = 0;
    // The records the writer read to decide and to fill this one, in the order it read them.
    std::uint8_t readCount = 0;
    std::array<std::uint8_t, kMaxReads> reads {};

    std::span<const std::uint8_t> Reads() const { return {reads.data(), readCount}; }

    static constexpr RecordOrigin FromButton(int button)
    {
        RecordOrigin o;
        o.kind = OriginKind::Button;
        o.button = static_cast<std::uint8_t>(button);
        return o;
    }
    static constexpr RecordOrigin FromRule(RuleId rule, std::initializer_list<int> read)
    {
        RecordOrigin o;
        o.kind = OriginKind::Rule;
        o.rule = rule;
        o.SetReads(read);
        return o;
    }
    static constexpr RecordOrigin FromDrawing(int element, std::initializer_list<int> read)
    {
        RecordOrigin o;
        o.kind = OriginKind::DrawCopy;
        o.element = static_cast<std::uint8_t>(element);
        o.SetReads(read);
        return o;
    }

    friend bool operator==(const RecordOrigin&, const RecordOrigin&) = default;

private:
    constexpr void SetReads(std::initializer_list<int> read)
    {
        assert(read.size() <= kMaxReads);
        for (int r : read)
            if (readCount < kMaxReads)
                reads[readCount++] = static_cast<std::uint8_t>(r);
    }
};

// The origin of every record 1 to 100, beside the SignalTable.
class RecordOrigins {
public:
    const RecordOrigin& operator[](int n) const
    {
        assert(n >= 1 && n <= SignalTable::kCount);
        return m_origins[static_cast<std::size_t>(n - 1)];
    }

    // Every record as the start leaves it.
    void Reset() { m_origins = {}; }

    // Runs `write` on record `n` of `table`; if that changed the record, `origin` becomes its
    // origin. A writer that changes a record in several steps makes one call for all of them, so
    // that only the net change counts.
    template <class Write>
    void Change(SignalTable& table, int n, const RecordOrigin& origin, Write&& write)
    {
        SignalRecord& record = table[n];
        const SignalRecord before = record;
        write(record);
        if (!(record == before))
            m_origins[static_cast<std::size_t>(n - 1)] = origin;
    }

private:
    std::array<RecordOrigin, SignalTable::kCount> m_origins {};
};

} // namespace lumaro
