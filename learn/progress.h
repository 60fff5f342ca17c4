#pragma once

// What a learner has answered in the self-test, per designation and kind of question, with the
// Leitner box that decides when a question comes back. Kept between runs as a small text.

#include "learn/quiz.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace lumaro::learn {

struct ProgressKey {
    ItemKind kind = ItemKind::Name;
    System system = System::HV;
    std::string designation;

    // Spelled out: the standard library of the browser build has no <=> for strings.
    friend bool operator==(const ProgressKey&, const ProgressKey&) = default;
    friend bool operator<(const ProgressKey& a, const ProgressKey& b)
    {
        return std::tie(a.kind, a.system, a.designation) < std::tie(b.kind, b.system, b.designation);
    }
};

struct ProgressEntry {
    std::int64_t asked = 0;
    std::int64_t right = 0;
    std::int64_t lastSeen = 0;   // the number of answers given in all when it was last asked
    int box = 1;                 // 1 (missed last time) .. kBoxes

    friend bool operator==(const ProgressEntry&, const ProgressEntry&) = default;
};

// One exam as it ended: how many of how many were right.
struct ExamResult {
    int right = 0;
    int asked = 0;

    friend bool operator==(const ExamResult&, const ExamResult&) = default;
};

class Progress {
public:
    static constexpr int kBoxes = 5;
    // A designation counts as known from this box on: answered right twice in a row.
    static constexpr int kKnownBox = 3;

    ProgressKey static KeyOf(const QuizItem& item) { return {item.kind, item.system, item.designation}; }

    // One answer: right moves the question one box up, wrong back to the first.
    void Record(const ProgressKey& key, bool right);
    void Reset() { *this = {}; }
    // An exam's result, kept for the picture of the exams over time (the latest kMaxExams).
    void RecordExam(ExamResult result);
    static constexpr std::size_t kMaxExams = 100;
    const std::vector<ExamResult>& Exams() const { return m_exams; }
    bool Empty() const { return m_entries.empty() && m_exams.empty() && m_answered == 0; }

    const std::map<ProgressKey, ProgressEntry>& Entries() const { return m_entries; }
    std::int64_t Answered() const { return m_answered; }
    int KnownCount() const;
    int PracticeCount() const;   // asked, not known yet

    // Answers to give before a question of `box` comes back: a missed one after a few others.
    static std::int64_t Interval(int box);
    // The question most overdue, if any is due: the lowest box first, then the longest unseen.
    std::optional<ProgressKey> Due() const;
    // The same among the questions of `systems` only.
    std::optional<ProgressKey> Due(std::span<const System> systems) const;
    // Whether the question has its turn still to come: asked before and not yet due again.
    bool Waiting(const ProgressKey& key) const;

    // The text form; Parse accepts exactly what Serialise writes and rejects anything else
    // (a cut-off file included) with a message naming the line.
    std::string Serialise() const;
    static std::optional<Progress> Parse(std::string_view text, std::string& error);

    friend bool operator==(const Progress&, const Progress&) = default;

private:
    std::map<ProgressKey, ProgressEntry> m_entries;
    std::int64_t m_answered = 0;
    std::vector<ExamResult> m_exams;
};

// The progress together with the one it replaced when the learner last reset it: a reset keeps
// the previous progress aside, and one step brings it back.
struct KeptProgress {
    Progress current;
    std::optional<Progress> backup;

    // Nothing to erase leaves the backup as it is, so that a second reset never loses it.
    void Reset();
    // Gives the backup back; false when there is none.
    bool Restore();
};

// Which of the kept progresses a text is about.
enum class KeptCopy { Current, Backup };

// What the self-test says when a saved progress could not be read from `where` (a file or a
// storage key) because of `reason`; `aside` is where it lies now, empty when it could not be set
// aside. A damaged backup costs only the way back, not the progress.
std::string UnreadableProgressText(KeptCopy copy, std::string_view where, std::string_view reason,
                                   std::string_view aside);

} // namespace lumaro::learn
