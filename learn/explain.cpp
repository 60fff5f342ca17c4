// Explanations of the designation panels: which record a panel's caption depends on, where that
// record's content came from, and the sentence for it.

#include "learn/explain.h"

#include "core/layout.h"
#include "learn/tables.h"
#include "learn/why_texts.h"
#include "render/canvas.h"
#include "render/elements.h"
#include "render/panels.h"
#include "render/scene.h"
#include "state/aspect_commands.h"
#include "state/propagation.h"
#include "state/record_fields.h"
#include "state/records.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace lumaro::learn {

namespace {

using namespace records;

// --- The signals above the panels ----------------------------------------------------------------

// The track-change records are the indicator only while it is lit; otherwise they pass the block
// signal on.
bool IsTrackChangeRecord(System system, int record)
{
    return system != System::Hl && record == In(kTrackChange, system);
}

// The panel that shows a signal's own aspect, where the record is that signal's.
int PanelOfSignal(System system, int record)
{
    return IsTrackChangeRecord(system, record) ? 0 : PanelOfRecord(system, record);
}

bool IsRelay(System system, int record)
{
    return record == In(kEntryRelay, system)
        || (system == System::Ks && record == ks::kIntermediateRelay)
        || (system == System::Hl && record == hl::kIntermediateRelay);
}

// Rules that repeat a signal rather than decide something about it.
bool RepeatsASignal(RuleId rule)
{
    return rule == RuleId::EntryRelay || rule == RuleId::IntermediateRelay
        || rule == RuleId::TrackChangeToIntermediate;
}

int ValidRecord(int n) { return n >= 1 && n <= SignalTable::kCount && n != kNone && n != kNoNext ? n : 0; }

// --- The rules asked again --------------------------------------------------------------------------

// The tick's rules run once more on a copy of the line, with the records in question made
// unlike anything a rule writes, so that every rule that writes them now is noted as their
// origin. That is the rules' own answer to "what fills this record", also where the last real
// tick found nothing to change.
class RulesAskedAgain {
public:
    explicit RulesAskedAgain(const LineView& line)
        : m_line(line)
    {
    }

    // The origins of the relay records' aspects and of their stop markers (Gwb, Aux12).
    const RecordOrigins& Relays()
    {
        if (!m_relays) {
            SignalTable table = m_line.records;
            for (int n = 1; n <= SignalTable::kCount; ++n) {
                if (!IsRelay(m_line.system, n))
                    continue;
                Poison(table[n], field::kAspectFields, -n);
                Poison(table[n], kStopMarkers, -n);
            }
            m_relays.emplace();
            PropagateStates(table, *m_relays, m_line.system);
        }
        return *m_relays;
    }

    // Whether the tick's rules, run now, would give the relay another aspect than it had when it
    // was drawn: the relays follow their signal one tick late.
    bool RelayLags(int record)
    {
        Plain();
        for (FieldPtr f : field::kNineFields)
            if ((*m_plain)[record].*f != m_line.records[record].*f)
                return true;
        return false;
    }

    // The origin of one marker field of one record, and the value the rules give it now.
    std::pair<RecordOrigin, std::int32_t> Marker(int record, FieldPtr marker)
    {
        SignalTable table = m_line.records;
        table[record].*marker = -1;
        RecordOrigins origins;
        PropagateStates(table, origins, m_line.system);
        return {origins.MarkerOrigin(record, marker), table[record].*marker};
    }

    // The caption the panel gets at the next tick's paint, when nothing is pressed before it: the
    // tick's rules as they ran after the last paint, then the elements drawn once more.
    const std::string& NextCaption(int panel)
    {
        if (!m_next) {
            Plain();
            SignalTable table = *m_plain;
            RecordOrigins origins;
            Canvas scratch(1, 1);
            const Palette colors {};
            m_next.emplace();
            const DesignationWriter designations(*m_next, colors.ColCaption);
            const ElementRoom room {scratch, table, origins, colors, false, m_line.system, designations, nullptr};
            for (const Placement& p : PlacementsOf(m_line.system))
                DrawElement(room, {p.x, p.y, p.code, p.own, p.next});
        }
        return (*m_next)[static_cast<std::size_t>(panel)].caption;
    }

private:
    static constexpr std::array<FieldPtr, 2> kStopMarkers = {field::Gwb, field::Aux12};

    template <std::size_t N>
    static void Poison(SignalRecord& r, const std::array<FieldPtr, N>& fields, std::int32_t value)
    {
        for (FieldPtr f : fields)
            r.*f = value;
    }

    void Plain()
    {
        if (!m_plain) {
            m_plain.emplace(m_line.records);
            RecordOrigins origins;
            PropagateStates(*m_plain, origins, m_line.system);
        }
    }

    const LineView& m_line;
    std::optional<RecordOrigins> m_relays;
    std::optional<SignalTable> m_plain;
    std::optional<std::array<PanelState, kPanelCount + 1>> m_next;
};

// --- Following an announcement to the signal it names -----------------------------------------

struct Chain {
    std::vector<int> dark;   // panels of signals passed over because they show only Kennlicht
    int target = 0;          // the panel of the signal announced
    int targetRecord = 0;
    bool trackChange = false;  // the signal announced is the lit track-change indicator
    bool beyond = false;     // the signal announced lies beyond the line
    bool lags = false;       // a relay on the way still holds what the signal showed a tick ago
};

class Explainer {
public:
    explicit Explainer(const LineView& line)
        : m_line(line)
        , m_rules(line)
    {
    }

    std::optional<PanelWhy> Panel(int panel);

private:
    void Resolve(int record, Chain& chain, int depth = 0);
    std::vector<int> CausesOf(std::span<const std::uint8_t> reads, int except, int x);
    const std::string& Caption(int panel) const { return m_line.panels[static_cast<std::size_t>(panel)].caption; }
    // The caption, or for a panel without one what its signal's lamps show.
    std::string Described(int panel) const;
    // What `panel` showed when record `record` last changed by a press or a rule.
    std::string CaptionThen(int record, int panel) const;
    void SetThen(PanelWhy& why, int record) const;
    std::string TargetCaption(const Chain& chain) const;
    // Whether a Zs 3v stands under the signal of `panel`: then its Ks 1 blinks.
    bool ShowsSpeedAnnouncement(int panel) const;

    struct Words;
    void ExplainOwn(PanelWhy& why, const PanelPlace& place, Words& words, const char*& text);
    void ExplainFollowing(PanelWhy& why, const PanelPlace& place, const WhyRow* row, Words& words,
                          const char*& text);
    std::string Fill(const char* text, const PanelWhy& why, const Words& words) const;

    const LineView& m_line;
    RulesAskedAgain m_rules;
};

void Explainer::Resolve(int record, Chain& chain, int depth)
{
    constexpr int kLongestChain = 8;
    const System s = m_line.system;
    if (depth > kLongestChain || !ValidRecord(record))
        return;
    if (s == System::Hl && record == hl::kBlockNext) {
        chain.beyond = true;
        return;
    }
    if (IsTrackChangeRecord(s, record) && m_line.records[record].Gwb == 1) {
        chain.target = PanelOfRecord(s, record);
        chain.targetRecord = record;
        chain.trackChange = true;
        return;
    }
    if (const int panel = PanelOfSignal(s, record)) {
        chain.target = panel;
        chain.targetRecord = record;
        return;
    }
    if (IsRelay(s, record)) {
        chain.lags = chain.lags || m_rules.RelayLags(record);
        const RecordOrigins& relays = m_rules.Relays();
        // A relay at stop whose stop marker a rule of its own set (column 450 at stop) announces
        // what that rule read, even where the signal it repeats shows stop as well.
        if (m_line.records[record].Halt == 1) {
            for (FieldPtr marker : {field::Gwb, field::Aux12}) {
                const RecordOrigin& m = relays.MarkerOrigin(record, marker);
                if (m_line.records[record].*marker == 1 && m.kind == OriginKind::Rule && !RepeatsASignal(m.rule)
                    && !m.Reads().empty()) {
                    Resolve(m.Reads()[0], chain, depth + 1);
                    return;
                }
            }
        }
        const RecordOrigin& o = relays.AspectOrigin(record);
        const auto reads = o.Reads();
        if (o.kind != OriginKind::Rule || reads.empty())
            return;
        // A relay reads the signal it repeats and then where it copied from: the signal itself,
        // or, while that shows only Kennlicht, what the signal announces.
        if (RepeatsASignal(o.rule) && reads.size() >= 2 && reads[0] != reads[1]) {
            if (const int dark = PanelOfSignal(s, reads[0]))
                chain.dark.push_back(dark);
            Resolve(reads[1], chain, depth + 1);
            return;
        }
        Resolve(reads[0], chain, depth + 1);
        return;
    }
    // A record the drawing refreshes: the element owning it copies the record it announces.
    for (const Placement& p : PlacementsOf(s)) {
        if (p.own == record && ValidRecord(p.next)) {
            Resolve(p.next, chain, depth + 1);
            return;
        }
    }
}

std::vector<int> Explainer::CausesOf(std::span<const std::uint8_t> reads, int except, int x)
{
    std::vector<int> causes;
    for (const int r : reads) {
        if (r == except)
            continue;
        Chain chain;
        Resolve(r, chain);
        for (const int p : chain.dark)
            if (std::find(causes.begin(), causes.end(), p) == causes.end())
                causes.push_back(p);
        if (chain.target && std::find(causes.begin(), causes.end(), chain.target) == causes.end())
            causes.push_back(chain.target);
    }
    std::stable_sort(causes.begin(), causes.end(), [x](int a, int b) {
        return std::abs(PanelColumn(a) - x) < std::abs(PanelColumn(b) - x);
    });
    return causes;
}

bool Explainer::ShowsSpeedAnnouncement(int panel) const
{
    for (const int n : ColumnPanels(PanelColumn(panel)))
        if (n != panel && Caption(n).starts_with("+ Zs 3v"))
            return true;
    return false;
}

std::string Explainer::Described(int panel) const
{
    const std::string& caption = Caption(panel);
    if (!caption.empty())
        return caption;
    std::string lamps = ColumnLights(m_line.lights, PanelColumn(panel));
    if (lamps.starts_with("Alle "))
        lamps[0] = 'a';
    return "keinen Signalbegriff (" + lamps + ")";
}

std::string Explainer::CaptionThen(int record, int panel) const
{
    const auto r = static_cast<std::size_t>(record);
    if (r < m_line.captionsThen.size())
        if (const std::string& then = m_line.captionsThen[r][static_cast<std::size_t>(panel)]; !then.empty())
            return then;
    return Described(panel);
}

void Explainer::SetThen(PanelWhy& why, int record) const
{
    why.then.clear();
    for (const int cause : why.causes)
        why.then.push_back(CaptionThen(record, cause));
}

// The announced signal's aspect as its panels read; the Ks entry signal names its own speed on a
// second panel when it announces a lower one.
std::string Explainer::TargetCaption(const Chain& chain) const
{
    std::string caption = Described(chain.target);
    constexpr int kKsEntrySpeedPanel = 11;
    if (m_line.system == System::Ks && chain.target == 10 && Caption(kKsEntrySpeedPanel).starts_with("+ Zs 3 "))
        caption += " " + Caption(kKsEntrySpeedPanel);
    return caption;
}

// --- Words for the placeholders ------------------------------------------------------------------

struct Explainer::Words {
    std::string part;
    std::string ahead;       // the announced signal, accusative
    std::string aheadNom;
    std::string pron;
    std::string c;           // the announced signal's caption
    std::string dark;
    std::string button;
};

const WhyRow* FindRow(System system, int panel, std::string_view caption)
{
    for (const WhyRow& row : WhyRows()) {
        if (!(row.systems & SystemBit(system)) || !(row.panels & PanelBit(panel)))
            continue;
        const std::string_view pattern = row.caption;
        if (pattern == "*" || pattern == caption)
            return &row;
        if (pattern.ends_with('*') && caption.starts_with(pattern.substr(0, pattern.size() - 1)))
            return &row;
    }
    return nullptr;
}

const RuleText* FindRuleText(RuleId rule, std::string_view caption)
{
    for (const RuleText& t : RuleTexts()) {
        if (t.rule != rule)
            continue;
        const std::string_view pattern = t.caption;
        if (pattern == "*" || pattern == caption)
            return &t;
    }
    return nullptr;
}

const char* RuleEventText(RuleId rule, std::string_view caption)
{
    const RuleText* t = FindRuleText(rule, caption);
    return t ? t->event : kRuleEventText;
}

const char* RuleNowText(RuleId rule, std::string_view caption)
{
    const RuleText* t = FindRuleText(rule, caption);
    return t && t->now ? t->now : kRuleText;
}

// The text for the second effect of a button's command on the signal of `panel`.
const char* SecondEffectTextOf(const command::Step& step, int panel)
{
    for (const SecondEffectText& t : SecondEffectTexts())
        if (t.effect == step.effect && t.aspect == step.aspect && t.panel == panel)
            return t.text;
    return nullptr;
}

const AspectCommand* FindAspectCommand(int button)
{
    for (const AspectCommand& c : kAspectCommands)
        if (c.button == button)
            return &c;
    return nullptr;
}

const char* ButtonCaption(int button)
{
    for (const ButtonDef& b : kButtons)
        if (b.number == button)
            return b.caption;
    return "";
}

// The speed of the first quoted figure of a caption ("+ Zs 3v \"6\"" -> "60 km/h").
std::string SpeedOf(std::string_view caption)
{
    const auto open = caption.find('"');
    const auto close = open == std::string_view::npos ? open : caption.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(caption.substr(open + 1, close - open - 1)) + "0 km/h";
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string Capitalised(std::string text)
{
    if (!text.empty())
        text[0] = Upper(text[0]);
    return text;
}

std::string Explainer::Fill(const char* text, const PanelWhy& why, const Words& words) const
{
    const System s = m_line.system;
    auto causeName = [&](std::size_t i) {
        return i < why.causes.size() ? SignalWithArticle(s, PanelColumn(why.causes[i]), Case::Nominative)
                                     : std::string();
    };
    auto causeCaption = [&](std::size_t i) {
        return i < why.causes.size() ? Described(why.causes[i]) : std::string();
    };
    auto causeThen = [&](std::size_t i) {
        return i < why.then.size() ? why.then[i] : causeCaption(i);
    };
    std::string causes;
    std::string causesThen;
    for (std::size_t i = 0; i < why.causes.size(); ++i) {
        if (i) {
            causes += " und ";
            causesThen += " und ";
        }
        causes += causeName(i) + " zeigt " + causeCaption(i);
        causesThen += causeName(i) + " " + causeThen(i);
    }
    causesThen += why.causes.size() > 1 ? " zeigten" : " zeigte";
    const char* meaning = MeaningAt(s, why.panel, why.aspect);
    const std::pair<std::string_view, std::string> values[] = {
        {"signal", SignalWithArticle(s, why.x, Case::Nominative)},
        {"shunting", SignalAt(s, 250)},
        {"part", words.part},
        {"a", why.aspect},
        {"m", meaning ? meaning : ""},
        {"ahead", words.ahead},
        {"aheadnom", words.aheadNom},
        {"pron", words.pron},
        {"c", words.c},
        {"dark", words.dark},
        {"darum", words.dark.empty() ? "" : " darum"},
        {"c1", causeCaption(0)},
        {"n1", causeName(0)},
        {"c2", causeCaption(1)},
        {"n2", causeName(1)},
        {"causes", causes},
        {"causesthen", causesThen},
        {"t1", causeThen(0)},
        {"t2", causeThen(1)},
        {"button", words.button},
        {"kmh", SpeedOf(why.aspect)},
    };
    std::string out;
    for (const char* p = text; *p;) {
        if (*p != '{') {
            out += *p++;
            continue;
        }
        const char* end = p;
        while (*end && *end != '}')
            ++end;
        std::string key(p + 1, end);
        const bool upper = !key.empty() && key[0] >= 'A' && key[0] <= 'Z';
        if (upper)
            key[0] = static_cast<char>(key[0] - 'A' + 'a');
        for (const auto& [name, value] : values)
            if (name == key)
                out += upper ? Capitalised(value) : value;
        p = *end ? end + 1 : end;
    }
    return Capitalised(std::move(out));
}

// --- One panel -----------------------------------------------------------------------------------

// A signal's own aspect: untouched since the start, its own button, another signal's button that
// changed it, or a rule.
void Explainer::ExplainOwn(PanelWhy& why, const PanelPlace& place, Words& words, const char*& text)
{
    const System s = m_line.system;
    const RecordOrigin& o = m_line.origins.AspectOrigin(place.own);
    switch (o.kind) {
    case OriginKind::Start:
    case OriginKind::DrawCopy:
        why.source = WhySource::Start;
        text = kStartText;
        return;
    case OriginKind::Button: {
        const AspectCommand* command = FindAspectCommand(o.button);
        const int home = command ? In(command->first.records, s) : 0;
        words.button = ButtonCaption(o.button);
        if (home == place.own || home == 0) {
            why.source = WhySource::Hand;
            text = kHandText;
            return;
        }
        // Another signal's button: the second effect of its command.
        why.source = WhySource::Rule;
        if (const int panel = PanelOfSignal(s, home))
            why.causes.push_back(panel);
        SetThen(why, place.own);
        const char* second = SecondEffectTextOf(command->then, place.panel);
        text = second ? second : kRuleEventText;
        return;
    }
    case OriginKind::Rule: {
        why.causes = CausesOf(o.Reads(), place.own, why.x);
        if (RepeatsASignal(o.rule)) {
            why.source = WhySource::Follows;
            text = RuleNowText(o.rule, why.aspect);
            return;
        }
        why.source = WhySource::Rule;
        SetThen(why, place.own);
        text = RuleEventText(o.rule, why.aspect);
        return;
    }
    }
}

void Explainer::ExplainFollowing(PanelWhy& why, const PanelPlace& place, const WhyRow* row, Words& words,
                                 const char*& text)
{
    const System s = m_line.system;
    why.source = WhySource::Follows;
    const Reads reads = row->reads;
    if (reads == Reads::NextMarker || reads == Reads::OwnMarker) {
        const int record = reads == Reads::NextMarker ? place.next : place.own;
        const auto [o, now] = m_rules.Marker(record, row->marker);
        why.causes = CausesOf(o.Reads(), place.own, why.x);
        if (reads == Reads::OwnMarker && !RepeatsASignal(o.rule))
            why.source = WhySource::Rule;
        if (why.source == WhySource::Rule)
            SetThen(why, 0);   // the rule acts on the line as it is now
        if (now != m_line.records[record].*(row->marker)) {
            // The rules, run now, take the marker back: the panel still shows what they set
            // before its causes changed.
            why.source = WhySource::Rule;
            SetThen(why, 0);
            text = m_rules.NextCaption(why.panel) != why.aspect ? kMarkerTakenBackText : kMarkerSetBeforeText;
            return;
        }
        text = row->text ? row->text : RuleNowText(o.rule, why.aspect);
        return;
    }
    if (reads == Reads::Beyond) {
        const RecordOrigin& o = m_line.origins.AspectOrigin(place.own);
        words.button = o.kind == OriginKind::Button ? ButtonCaption(o.button) : "Fahrt";
        text = row->text;
        return;
    }
    if (reads == Reads::AheadOrTrackChange && m_line.records[place.own].Gwb == 1) {
        // The Hl exit and intermediate signals name the track change on their second panel.
        why.causes.push_back(PanelBeside(place, PanelPart::TrackChange));
        text = kClearAfterTrackChangeText;
        return;
    }
    Chain chain;
    Resolve(place.next, chain);
    why.causes = chain.dark;
    if (chain.target)
        why.causes.push_back(chain.target);
    if (chain.target) {
        const int x = PanelColumn(chain.target);
        words.ahead = SignalWithArticle(s, x, Case::Accusative);
        words.aheadNom = SignalWithArticle(s, x, Case::Nominative);
        words.pron = words.aheadNom.starts_with("der ") ? "der" : "das";
        words.c = TargetCaption(chain);
    }
    for (const int d : chain.dark)
        words.dark += SignalWithArticle(s, PanelColumn(d), Case::Nominative) + " zeigt nur Kennlicht ("
                    + Described(d) + "): ";
    words.dark = Capitalised(words.dark);
    // A relay that still holds the last tick's aspect: said only where the next tick changes the
    // panel; otherwise the signal ahead as it is now gives the same caption.
    if (chain.lags && m_rules.NextCaption(why.panel) != why.aspect) {
        text = kFollowsLateText;
        return;
    }
    if (row->text) {
        text = row->text;
    } else if (chain.trackChange) {
        text = kAnnounceTrackChangeText;
    } else if (s == System::Ks && why.aspect == "Ks 1" && ShowsSpeedAnnouncement(why.panel)) {
        text = kBlinkingKs1Text;
    } else {
        text = AnnouncesOnly(s, why.panel) ? kFollowsText : kPassAndAnnounceText;
    }
}

std::optional<PanelWhy> Explainer::Panel(int panel)
{
    if (panel < 1 || panel > kDesignationPanelCount || Caption(panel).empty())
        return std::nullopt;
    const System s = m_line.system;
    const PanelPlace* place = FindPanelPlace(s, panel);
    if (!place)
        return std::nullopt;
    PanelWhy why;
    why.panel = panel;
    why.x = PanelColumn(panel);
    why.aspect = Caption(panel);
    if (const char* name = ColumnSignal(s, why.x))
        why.signal = name;

    Words words;
    if (const char* part = AnnouncingPart(s, panel))
        words.part = part;
    const char* text = kStartText;
    const WhyRow* row = FindRow(s, panel, why.aspect);
    if (!row || row->reads == Reads::Own) {
        ExplainOwn(why, *place, words, text);
    } else if (row->reads == Reads::TrackChangeButton) {
        why.source = WhySource::Hand;
        text = kTrackChangeHandText;
    } else {
        ExplainFollowing(why, *place, row, words, text);
    }
    why.why = Fill(text, why, words);
    return why;
}

} // namespace

const char* SourceName(WhySource source)
{
    switch (source) {
    case WhySource::Start: return "start";
    case WhySource::Hand: return "hand";
    case WhySource::Follows: return "follows";
    case WhySource::Rule: return "rule";
    }
    return "start";
}

std::optional<PanelWhy> ExplainPanel(const LineView& line, int panel)
{
    return Explainer(line).Panel(panel);
}

Explanation Explain(const LineView& line)
{
    Explanation e;
    e.system = line.system;
    Explainer explainer(line);
    for (int panel = 1; panel <= kDesignationPanelCount; ++panel)
        if (auto why = explainer.Panel(panel))
            e.panels.push_back(std::move(*why));
    return e;
}

// The records decide the origins too: a write that leaves a record as it was notes nothing.
const std::optional<PanelWhy>& PanelWhyCache::Explain(const LineView& line, int panel)
{
    bool same = m_valid && m_system == line.system && m_panel == panel && m_records == line.records;
    for (int n = 1; same && n <= kDesignationPanelCount; ++n)
        same = m_captions[std::size_t(n)] == line.panels[std::size_t(n)].caption;
    if (same)
        return m_why;
    m_valid = true;
    m_system = line.system;
    m_panel = panel;
    m_records = line.records;
    for (int n = 1; n <= kDesignationPanelCount; ++n)
        m_captions[std::size_t(n)] = line.panels[std::size_t(n)].caption;
    m_why = ExplainPanel(line, panel);
    return m_why;
}

int PanelOfColumn(const LineView& line, int x)
{
    // The Hl line has no signal in column 750: the buttons there switch the exit signal's
    // track-change indication.
    if (line.system == System::Hl && x == 750)
        x = 650;
    // Line 1 first, then the supplements below it.
    constexpr int kOrder[] = {1, 2, 3, 4, 6, 7, 8, 9, 10, 12, 5, 16, 11, 14, 13, 15};
    for (const int panel : kOrder)
        if (PanelColumn(panel) == x && !line.panels[static_cast<std::size_t>(panel)].caption.empty())
            return panel;
    return 0;
}

} // namespace lumaro::learn
