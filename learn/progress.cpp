// The learner's progress in the self-test, its Leitner boxes and its text form.

#include "learn/progress.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

namespace lumaro::learn {

namespace {

constexpr std::string_view kHeader = "lumaro-progress 2";
// The first version had no exam lines; it is still read.
constexpr std::string_view kHeaderVersion1 = "lumaro-progress 1";
// Large enough for a lifetime of answers, small enough that no sum overflows.
constexpr std::int64_t kMaxCount = 1'000'000'000;
constexpr std::size_t kMaxDesignation = 64;
constexpr std::size_t kMaxEntries = 10'000;

bool ParseCount(std::string_view text, std::int64_t& value)
{
    // Plain decimal digits only: no sign, no spaces, no leading zeros but "0" itself.
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0'))
        return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value <= kMaxCount;
}

std::vector<std::string_view> Split(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

bool PlainText(std::string_view text)
{
    return !text.empty() && text.size() <= kMaxDesignation
        && std::none_of(text.begin(), text.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return byte < 0x20 || byte == 0x7F;
           });
}

} // namespace

void Progress::Record(const ProgressKey& key, bool right)
{
    ProgressEntry& entry = m_entries[key];
    m_answered = std::min(m_answered + 1, kMaxCount);
    entry.asked = std::min(entry.asked + 1, kMaxCount);
    if (right)
        entry.right = std::min(entry.right + 1, entry.asked);
    entry.box = right ? std::min(entry.box + 1, kBoxes) : 1;
    entry.lastSeen = m_answered;
}

void Progress::RecordExam(ExamResult result)
{
    m_exams.push_back(result);
    if (m_exams.size() > kMaxExams)
        m_exams.erase(m_exams.begin());
}

void KeptProgress::Reset()
{
    if (current.Empty())
        return;
    backup = std::move(current);
    current = {};
}

bool KeptProgress::Restore()
{
    if (!backup)
        return false;
    current = std::move(*backup);
    backup.reset();
    return true;
}

int Progress::KnownCount() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [](const auto& e) { return e.second.box >= kKnownBox; }));
}

int Progress::PracticeCount() const
{
    return static_cast<int>(m_entries.size()) - KnownCount();
}

std::int64_t Progress::Interval(int box)
{
    // Box 1 comes back after three other questions; each box up doubles the wait.
    return std::int64_t {3} << (std::clamp(box, 1, kBoxes) - 1);
}

std::optional<ProgressKey> Progress::Due() const
{
    static constexpr std::array kAll = {System::HV, System::Ks, System::Hl};
    return Due(kAll);
}

std::optional<ProgressKey> Progress::Due(std::span<const System> systems) const
{
    const ProgressKey* best = nullptr;
    const ProgressEntry* bestEntry = nullptr;
    for (const auto& [key, entry] : m_entries) {
        if (std::find(systems.begin(), systems.end(), key.system) == systems.end())
            continue;
        if (m_answered - entry.lastSeen < Interval(entry.box))
            continue;
        if (!best || entry.box < bestEntry->box
            || (entry.box == bestEntry->box && entry.lastSeen < bestEntry->lastSeen)) {
            best = &key;
            bestEntry = &entry;
        }
    }
    return best ? std::optional<ProgressKey>(*best) : std::nullopt;
}

bool Progress::Waiting(const ProgressKey& key) const
{
    const auto it = m_entries.find(key);
    return it != m_entries.end() && m_answered - it->second.lastSeen < Interval(it->second.box);
}

std::string Progress::Serialise() const
{
    std::string out;
    out += kHeader;
    out += "\nanswered " + std::to_string(m_answered) + "\n";
    for (const ExamResult& exam : m_exams)
        out += "exam " + std::to_string(exam.right) + ' ' + std::to_string(exam.asked) + '\n';
    for (const auto& [key, entry] : m_entries) {
        out += KindName(key.kind);
        out += '\t';
        out += SystemName(key.system);
        out += '\t' + key.designation + '\t' + std::to_string(entry.asked) + '\t' + std::to_string(entry.right)
            + '\t' + std::to_string(entry.lastSeen) + '\t' + std::to_string(entry.box) + '\n';
    }
    // The closing line makes a file cut off between two lines as damaged as one cut mid-line.
    out += "end " + std::to_string(m_entries.size()) + "\n";
    return out;
}

std::optional<Progress> Progress::Parse(std::string_view text, std::string& error)
{
    const auto fail = [&error](std::size_t line, const std::string& what) {
        error = "Zeile " + std::to_string(line) + ": " + what;
        return std::nullopt;
    };
    if (text.empty() || text.back() != '\n')
        return fail(0, "die Datei endet mitten in einer Zeile");
    std::vector<std::string_view> lines = Split(text.substr(0, text.size() - 1), '\n');
    if (lines.size() < 3 || lines.size() - 3 > kMaxEntries)
        return fail(lines.size(), "die Datei ist unvollständig");
    if (lines[0] != kHeader && lines[0] != kHeaderVersion1)
        return fail(1, "keine Fortschrittsdatei dieser Version");

    Progress progress;
    if (!lines[1].starts_with("answered ") || !ParseCount(lines[1].substr(9), progress.m_answered))
        return fail(2, "Anzahl der Antworten fehlt");
    std::size_t first = 2;
    for (; first + 1 < lines.size() && lines[0] == kHeader && lines[first].starts_with("exam "); ++first) {
        const std::vector<std::string_view> f = Split(lines[first].substr(5), ' ');
        std::int64_t right = 0;
        std::int64_t asked = 0;
        if (f.size() != 2 || !ParseCount(f[0], right) || !ParseCount(f[1], asked) || asked == 0 || right > asked
            || asked > kMaxQuizItems || progress.m_exams.size() >= kMaxExams)
            return fail(first + 1, "unlesbares Prüfungsergebnis");
        progress.m_exams.push_back({static_cast<int>(right), static_cast<int>(asked)});
    }
    const std::size_t entries = lines.size() - 1 - first;
    std::int64_t count = 0;
    if (!lines.back().starts_with("end ") || !ParseCount(lines.back().substr(4), count)
        || static_cast<std::size_t>(count) != entries)
        return fail(lines.size(), "die Datei ist unvollständig");

    for (std::size_t i = first; i + 1 < lines.size(); ++i) {
        const std::vector<std::string_view> f = Split(lines[i], '\t');
        if (f.size() != 7)
            return fail(i + 1, "falsche Zahl von Feldern");
        const std::optional<ItemKind> kind = ParseKind(f[0]);
        const std::optional<System> system = ParseSystem(f[1]);
        ProgressEntry entry;
        std::int64_t box = 0;
        if (!kind || !system || !PlainText(f[2]) || !ParseCount(f[3], entry.asked) || !ParseCount(f[4], entry.right)
            || !ParseCount(f[5], entry.lastSeen) || !ParseCount(f[6], box))
            return fail(i + 1, "unlesbarer Eintrag");
        if (entry.right > entry.asked || entry.asked == 0 || entry.lastSeen > progress.m_answered || box < 1
            || box > kBoxes)
            return fail(i + 1, "Werte passen nicht zusammen");
        entry.box = static_cast<int>(box);
        if (!progress.m_entries.emplace(ProgressKey {*kind, *system, std::string(f[2])}, entry).second)
            return fail(i + 1, "Eintrag doppelt");
    }
    return progress;
}

std::string UnreadableProgressText(KeptCopy copy, std::string_view where, std::string_view reason,
                                   std::string_view aside)
{
    const bool current = copy == KeptCopy::Current;
    std::string text = current ? "Der gespeicherte Fortschritt (" : "Die Sicherung vor dem letzten Zurücksetzen (";
    text += where;
    text += ") war nicht lesbar: ";
    text += reason;
    text += ". ";
    if (!aside.empty()) {
        text += current ? "Er liegt jetzt unter „" : "Sie liegt jetzt unter „";
        text += aside;
        text += "“. ";
    } else {
        text += current ? "Er" : "Sie";
        text += " konnte nicht beiseitegelegt werden und bleibt, bis neu gespeichert wird. ";
    }
    text += current ? "Das Üben beginnt neu." : "„Wiederherstellen“ geht damit nicht mehr; der jetzige Fortschritt bleibt.";
    return text;
}

} // namespace lumaro::learn
