#pragma once

// Where each record's content came from: the program's start, a button, one of the tick's rules
// or a copy an element made while it was drawn. Every writer of the table notes itself on the
// records it changes (a write that leaves a record as it was notes nothing), so a record's origin
// is the last thing that changed it. Explanations for learners are built from these notes.

#include "state/signal_table.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace lumaro {

// The tick's rules (state/rules.def), in the order they run; None is no rule. Name and contract of
// each are in the rule table (state/propagation.h).
enum class RuleId : std::uint8_t {
    None = 0,
#define LUMARO_RULE(name, contract) name,
#include "state/rules.def"
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

// The records a run of writes changed, each as it was before its first change: what a run changed
// is found by comparing those alone, without a copy of the whole table.
class ChangedRecords {
public:
    void Clear() { m_changed.reset(); }
    void Note(int n, const SignalRecord& before)
    {
        const auto i = static_cast<std::size_t>(n);
        if (m_changed[i])
            return;
        m_changed.set(i);
        m_before[i - 1] = before;
    }
    bool Changed(int n) const { return m_changed[static_cast<std::size_t>(n)]; }
    bool Any() const { return m_changed.any(); }
    const SignalRecord& Before(int n) const { return m_before[static_cast<std::size_t>(n - 1)]; }

private:
    std::bitset<SignalTable::kCount + 1> m_changed;
    std::array<SignalRecord, SignalTable::kCount> m_before {};
};

// The origin of every record 1 to 100, beside the SignalTable.
class RecordOrigins {
public:
    const RecordOrigin& operator[](int n) const
    {
        assert(n >= 1 && n <= SignalTable::kCount);
        return m_origins[static_cast<std::size_t>(n - 1)];
    }

    // The origin of the record's aspect, fields Halt .. Kennlicht: the last change that touched
    // one of them. A marker changed since (Gwb, Aux12, Aux13) does not replace it.
    const RecordOrigin& AspectOrigin(int n) const
    {
        assert(n >= 1 && n <= SignalTable::kCount);
        return m_aspectOrigins[static_cast<std::size_t>(n - 1)];
    }

    // The origin of one marker (Gwb, Aux12 or Aux13): the last change of that field. Several
    // rules set markers on one record, each its own.
    const RecordOrigin& MarkerOrigin(int n, FieldPtr marker) const
    {
        assert(n >= 1 && n <= SignalTable::kCount);
        const std::size_t m = MarkerIndex(marker);
        assert(m < kMarkers.size());
        return m_markerOrigins[static_cast<std::size_t>(n - 1)][m];
    }

    // Every record as the start leaves it.
    void Reset()
    {
        m_origins = {};
        m_aspectOrigins = {};
        m_markerOrigins = {};
    }

    // Runs `write` on record `n` of `table`; if that changed the record, `origin` becomes its
    // origin, and `changed` (if given) notes the record as it was. A writer that changes a record
    // in several steps makes one call for all of them, so that only the net change counts.
    template <class Write>
    void Change(SignalTable& table, int n, const RecordOrigin& origin, Write&& write, ChangedRecords* changed = nullptr)
    {
        SignalRecord& record = table[n];
        const SignalRecord before = record;
        write(record);
        if (record == before)
            return;
        if (changed)
            changed->Note(n, before);
        const auto i = static_cast<std::size_t>(n - 1);
        m_origins[i] = origin;
        if (!SameAspect(record, before))
            m_aspectOrigins[i] = origin;
        for (std::size_t m = 0; m < kMarkers.size(); ++m)
            if (record.*kMarkers[m] != before.*kMarkers[m])
                m_markerOrigins[i][m] = origin;
    }

private:
    static constexpr std::array<FieldPtr, 3> kMarkers = {&SignalRecord::Gwb, &SignalRecord::Aux12,
                                                         &SignalRecord::Aux13};

    static constexpr std::size_t MarkerIndex(FieldPtr marker)
    {
        std::size_t m = 0;
        while (m < kMarkers.size() && kMarkers[m] != marker)
            ++m;
        return m;
    }

    static bool SameAspect(const SignalRecord& a, const SignalRecord& b)
    {
        return a.Halt == b.Halt && a.Fahrt == b.Fahrt && a.Kmh40 == b.Kmh40 && a.Kmh60 == b.Kmh60
            && a.Kmh80 == b.Kmh80 && a.Kmh100 == b.Kmh100 && a.Aux6 == b.Aux6 && a.Rangier == b.Rangier
            && a.Ersatz == b.Ersatz && a.Vorsicht == b.Vorsicht && a.Kennlicht == b.Kennlicht;
    }

    std::array<RecordOrigin, SignalTable::kCount> m_origins {};
    std::array<RecordOrigin, SignalTable::kCount> m_aspectOrigins {};
    std::array<std::array<RecordOrigin, kMarkers.size()>, SignalTable::kCount> m_markerOrigins {};
};

} // namespace lumaro
