// The speed line: ranges from the panels' aspects, the step line as their minimum, the braking
// ramps before every drop, and the pieces with their reasons.

#include "learn/fahrt.h"

#include "learn/columns.h"
#include "learn/why_texts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace lumaro::learn {

namespace {

enum class Effect {
    None,        // proceed without a restriction at this signal
    Speed,       // `kmh` in the signal's range
    Zs1,         // 40 km/h in the range of Zs 1
    Zs7,         // on sight, at most 40 km/h
    Stop,        // 0 from the signal on
    Invalid,     // Ke: not a signal for this train
};

struct MainAspect {
    const char* caption;   // the caption, without a " + Zs 3 "N"" that follows it
    Effect effect;
    int kmh;
    bool takesZs3;         // a Zs 3 at the same signal sets the speed instead
};

// What a main signal's aspect does to the train.
constexpr auto kMainAspects = std::to_array<MainAspect>({
    // caption         effect           kmh  Zs 3
    {"Hp 0",           Effect::Stop,    0,   false},
    {"Hp 0 + Sh 1",    Effect::Stop,    0,   false},
    {"Hp 0 + Ra 12",   Effect::Stop,    0,   false},
    {"Hp 0 + Zs 1",    Effect::Zs1,     40,  false},
    {"Hp 0 + Zs 7",    Effect::Zs7,     40,  false},
    {"Hp 1",           Effect::None,    0,   true},
    {"Hp 2",           Effect::Speed,   40,  true},
    {"Ks 1",           Effect::None,    0,   true},
    {"Ks 2",           Effect::None,    0,   true},
    {"Hl 1",           Effect::None,    0,   false},
    {"Hl 4",           Effect::None,    0,   false},
    {"Hl 7",           Effect::None,    0,   false},
    {"Hl 10",          Effect::None,    0,   false},
    {"Hl 2",           Effect::Speed,   100, false},
    {"Hl 5",           Effect::Speed,   100, false},
    {"Hl 8",           Effect::Speed,   100, false},
    {"Hl 11",          Effect::Speed,   100, false},
    {"Hl 3b",          Effect::Speed,   60,  false},
    {"Hl 6b",          Effect::Speed,   60,  false},
    {"Hl 9b",          Effect::Speed,   60,  false},
    {"Hl 12b",         Effect::Speed,   60,  false},
    {"Hl 3a",          Effect::Speed,   40,  false},
    {"Hl 6a",          Effect::Speed,   40,  false},
    {"Hl 9a",          Effect::Speed,   40,  false},
    {"Hl 12a",         Effect::Speed,   40,  false},
    {"Ke",             Effect::Invalid, 0,   false},
});

// The main signals, left to right, with the panel of their aspect and the panels of supplements
// on the same mast (where a Zs 3 of the signal may stand). 0 ends a list.
struct MainColumn {
    int x;
    int panel;
    std::array<int, 3> supplements;
};

constexpr auto kMainColumns = std::to_array<MainColumn>({
    {150, 10, {11, 14, 13}},   // entry
    {550, 6,  {16, 0, 0}},     // intermediate
    {650, 4,  {5, 0, 0}},      // exit
    {950, 1,  {0, 0, 0}},      // block
});
constexpr int kEntry = 150;
constexpr int kIntermediate = 550;
constexpr int kExit = 650;
constexpr int kBlock = 950;

// Other columns that act on a train: a Sperrsignal or the signal of column 450 at Hp 0 stops it,
// a stand-alone Zs 3 sets its speed. Anything else they show does nothing for a train.
enum class OtherKind { StopAtHp0, StandAloneZs3 };

struct OtherColumn {
    int x;
    int panel;
    unsigned systems;
    OtherKind kind;
};

constexpr auto kOtherColumns = std::to_array<OtherColumn>({
    {250, 9, kHV | kKs,   OtherKind::StopAtHp0},
    {350, 8, kHV | kKs,   OtherKind::StandAloneZs3},
    {450, 7, kAllSystems, OtherKind::StopAtHp0},
});

// The far end of the crossover drawn after the exit signal: where the last switch of a route
// through the station ends.
constexpr int LastSwitch(System system) { return system == System::Hl ? 810 : 910; }

// How far a Zs 7 runs on sight past the next valid main signal: 400 m.
constexpr int kOnSightBeyond = 40;

// Where a range ends, which its reason names.
enum class EndKind {
    NextMain,       // the last axle has passed the next valid main signal
    LastSwitch,     // the last axle has left the last switch
    Platform,       // the train stops at the platform
    LineEnd,        // a convention: nothing follows on this line
    Indicator,      // the last axle has passed the stand-alone Zs 3
    OnSight,        // the head is 400 m past the next valid main signal
};

struct RangeEnd {
    int to = kLineEnd;
    EndKind kind = EndKind::LineEnd;
    int at = 0;            // the signal or switch it names
    int tailFrom = kLineEnd;   // from here on the range holds for the train's length alone
};

struct Range {
    int from = 0;
    int to = kLineEnd;
    int kmh = kLineSpeed;
    PieceKind kind = PieceKind::Line;
    int column = 0;
    int tailFrom = kLineEnd;
    std::string cause;
    std::string why;
};

struct MainSignal {
    int x = 0;
    std::string caption;     // the panel's caption; empty: cannot be read
    Effect effect = Effect::Stop;
    int kmh = 0;
    bool unreadable = false;
    bool valid() const { return effect != Effect::Invalid; }
};

// The N of a `Zs 3 "N"` (not of a Zs 3v) in a caption, or 0.
int Zs3Digits(std::string_view caption)
{
    constexpr std::string_view kZs3 = "Zs 3 \"";
    const std::size_t at = caption.find(kZs3);
    if (at == std::string_view::npos)
        return 0;
    int n = 0;
    for (std::size_t i = at + kZs3.size(); i < caption.size() && caption[i] >= '0' && caption[i] <= '9'; ++i)
        n = n * 10 + (caption[i] - '0');
    return n;
}

std::string_view CaptionOf(std::span<const PanelState> panels, int panel)
{
    return panel > 0 && static_cast<std::size_t>(panel) < panels.size() ? std::string_view(panels[panel].caption)
                                                                          : std::string_view();
}

MainSignal ReadMainSignal(std::span<const PanelState> panels, const MainColumn& column)
{
    MainSignal signal;
    signal.x = column.x;
    signal.caption = CaptionOf(panels, column.panel);
    std::string_view base = signal.caption;
    if (const std::size_t plus = base.find(" + Zs 3 \""); plus != std::string_view::npos)
        base = base.substr(0, plus);
    const MainAspect* aspect = nullptr;
    for (const MainAspect& row : kMainAspects)
        if (base == row.caption)
            aspect = &row;
    if (!aspect) {
        // An empty panel, or a caption no main signal shows: the driver assumes Halt.
        signal.unreadable = true;
        return signal;
    }
    signal.effect = aspect->effect;
    signal.kmh = aspect->kmh;
    if (!aspect->takesZs3)
        return signal;
    int zs3 = Zs3Digits(signal.caption);
    for (int panel : column.supplements)
        if (zs3 == 0 && panel)
            zs3 = Zs3Digits(CaptionOf(panels, panel));
    if (zs3 > 0) {
        signal.effect = Effect::Speed;
        signal.kmh = zs3 * 10;
    }
    return signal;
}

std::string Kmh(double kmh)
{
    char text[32];
    if (std::abs(kmh - std::round(kmh)) < 1e-9)
        std::snprintf(text, sizeof text, "%.0f", kmh);
    else {
        std::snprintf(text, sizeof text, "%.1f", kmh);
        for (char& c : text)
            if (c == '.')
                c = ',';
    }
    return text;
}

class LineBuilder {
public:
    LineBuilder(System system, std::span<const PanelState> panels, FahrtOptions options)
        : m_system(system)
        , m_panels(panels)
        , m_options(options)
    {
        for (std::size_t i = 0; i < kMainColumns.size(); ++i)
            m_main[i] = ReadMainSignal(panels, kMainColumns[i]);
    }

    SpeedLine Build();

private:
    const MainSignal& Main(int x) const;
    // The next main signal after x that is valid for this train; nullptr when none follows.
    const MainSignal* NextValid(int x) const;
    std::string Name(int x) const { return ColumnSignal(m_system, x) ? ColumnSignal(m_system, x) : ""; }
    std::string Accusative(int x) const { return SignalWithArticle(m_system, x, Case::Accusative); }
    std::string Dative(int x) const { return SignalWithArticle(m_system, x, Case::Dative); }

    // The range of the signal at x as the table of ranges gives it; `shortenAtPlatform` applies
    // the stop at the platform to the entry signal.
    RangeEnd StandardEnd(int x, bool shortenAtPlatform) const;
    RangeEnd OnSightEnd(int x) const;
    std::string Until(const RangeEnd& end) const;

    void AddMainRanges();
    void AddOtherRanges();
    void AddStop(int x, std::string cause, std::string why);
    void Add(int from, const RangeEnd& end, int kmh, PieceKind kind, int column, std::string cause, std::string why);

    // The name of a point of the line for the spoken list.
    std::string PointName(int x) const;
    void MakePieces(SpeedLine& line) const;

    System m_system;
    std::span<const PanelState> m_panels;
    FahrtOptions m_options;
    std::array<MainSignal, kMainColumns.size()> m_main;
    std::vector<Range> m_ranges;
    int m_entrySpeedRange = -1;   // the index of the entry signal's own speed range, if any
    bool m_unreadable = false;
};

const MainSignal& LineBuilder::Main(int x) const
{
    for (const MainSignal& signal : m_main)
        if (signal.x == x)
            return signal;
    return m_main.front();
}

const MainSignal* LineBuilder::NextValid(int x) const
{
    for (const MainSignal& signal : m_main)
        if (signal.x > x && signal.valid())
            return &signal;
    return nullptr;
}

RangeEnd LineBuilder::StandardEnd(int x, bool shortenAtPlatform) const
{
    const int length = m_options.trainLength;
    const auto toLastSwitch = [&] {
        const int last = LastSwitch(m_system);
        return RangeEnd{last + length, EndKind::LastSwitch, last, last};
    };
    const auto toNextMain = [&] {
        const MainSignal* next = NextValid(x);
        if (!next)
            return RangeEnd{};
        return RangeEnd{next->x + length, EndKind::NextMain, next->x, next->x};
    };
    switch (x) {
    case kEntry:
        if (shortenAtPlatform && m_options.platform == PlatformStop::Stop)
            return {kPlatformStop, EndKind::Platform, kPlatformStop, kLineEnd};
        return toNextMain();
    case kIntermediate:
        // With the exit signal dark, the intermediate signal is the last main signal before the
        // line and its range ends as the exit signal's does.
        return Main(kExit).valid() ? toNextMain() : toLastSwitch();
    case kExit:
        return toLastSwitch();
    default:
        return {};
    }
}

RangeEnd LineBuilder::OnSightEnd(int x) const
{
    const MainSignal* next = NextValid(x);
    if (!next)
        return {};
    const RangeEnd order = StandardEnd(x, false);
    if (order.to > next->x + kOnSightBeyond)
        return order;
    return {next->x + kOnSightBeyond, EndKind::OnSight, next->x, kLineEnd};
}

std::string LineBuilder::Until(const RangeEnd& end) const
{
    const bool convention = m_system == System::Hl && end.kind == EndKind::LastSwitch;
    switch (end.kind) {
    case EndKind::NextMain:
        return "bis die letzte Achse " + Accusative(end.at) + " passiert hat";
    case EndKind::LastSwitch:
        return std::string("bis die letzte Achse die letzte Weiche verlassen hat") + (convention ? " (Konvention)" : "");
    case EndKind::Platform:
        return "bis zum Halt am Bahnsteig";
    case EndKind::LineEnd:
        return "bis zum Ende der Strecke (Konvention)";
    case EndKind::Indicator:
        return "bis die letzte Achse " + Accusative(end.at) + " passiert hat";
    case EndKind::OnSight:
        return "bis die Spitze 400 m hinter " + Dative(end.at) + " ist";
    }
    return {};
}

void LineBuilder::Add(int from, const RangeEnd& end, int kmh, PieceKind kind, int column, std::string cause,
                      std::string why)
{
    Range range;
    range.from = from;
    range.to = std::min(end.to, kLineEnd);
    range.kmh = kmh;
    range.kind = kind;
    range.column = column;
    range.tailFrom = std::min(end.tailFrom, range.to);
    range.cause = std::move(cause);
    range.why = std::move(why);
    if (range.from < range.to)
        m_ranges.push_back(std::move(range));
}

void LineBuilder::AddStop(int x, std::string cause, std::string why)
{
    Add(x, RangeEnd{}, 0, PieceKind::Stop, x, std::move(cause), std::move(why));
}

void LineBuilder::AddMainRanges()
{
    for (const MainSignal& signal : m_main) {
        const int x = signal.x;
        const std::string shows = Name(x) + " zeigt " + signal.caption;
        if (signal.unreadable) {
            m_unreadable = true;
            AddStop(x, "Begriff nicht lesbar",
                    "Der Begriff " + SignalWithArticle(m_system, x, Case::Genitive)
                        + " ist nicht zu lesen (leere Tafel): Halt angenommen.");
            continue;
        }
        switch (signal.effect) {
        case Effect::None:
        case Effect::Invalid:
            break;
        case Effect::Stop: {
            std::string why = shows + ": Halt.";
            if (signal.caption.find("Sh 1") != std::string::npos)
                why += " Sh 1 gilt nur für Rangierfahrten.";
            if (signal.caption.find("Ra 12") != std::string::npos)
                why += " Ra 12 gilt nur für Rangierfahrten.";
            AddStop(x, signal.caption, why);
            break;
        }
        case Effect::Speed: {
            const RangeEnd end = StandardEnd(x, true);
            if (x == kEntry)
                m_entrySpeedRange = static_cast<int>(m_ranges.size());
            Add(x, end, signal.kmh, PieceKind::Speed, x, signal.caption,
                shows + ": " + Kmh(signal.kmh) + " km/h im Weichenbereich, " + Until(end) + ".");
            break;
        }
        case Effect::Zs1: {
            const RangeEnd end = StandardEnd(x, false);
            std::string until = Until(end);
            if (end.kind == EndKind::NextMain)
                until = "bis die letzte Achse das nächste Hauptsignal (" + Accusative(end.at) + ") passiert hat";
            if (end.kind == EndKind::LineEnd)
                until = "bis zum Ende der Strecke (Konvention: Halt erwarten, bis das nächste Signal zu sehen ist)";
            Add(x, end, 40, PieceKind::Speed, x, "Zs 1", shows + ". Zs 1: 40 km/h, " + until + ".");
            break;
        }
        case Effect::Zs7: {
            const RangeEnd end = OnSightEnd(x);
            Add(x, end, 40, PieceKind::OnSight, x, "Zs 7",
                shows + ". Zs 7: auf Sicht, höchstens 40 km/h, " + Until(end) + ".");
            break;
        }
        }
    }
}

void LineBuilder::AddOtherRanges()
{
    for (const OtherColumn& column : kOtherColumns) {
        if (!(column.systems & SystemBit(m_system)))
            continue;
        const std::string caption(CaptionOf(m_panels, column.panel));
        const std::string shows = Name(column.x) + " zeigt " + caption;
        switch (column.kind) {
        case OtherKind::StopAtHp0:
            if (caption == "Hp 0")
                AddStop(column.x, caption, shows + ": Halt.");
            break;
        case OtherKind::StandAloneZs3: {
            const int digits = caption.starts_with("Zs 3 \"") ? Zs3Digits(caption) : 0;
            if (digits == 0)
                break;
            const RangeEnd entry = StandardEnd(kEntry, Main(kEntry).effect != Effect::Zs1
                                                           && Main(kEntry).effect != Effect::Zs7);
            // The entry signal's own speed holds until the last axle has passed the indicator;
            // a 40 km/h of Zs 1 or Zs 7 stays in force.
            if (m_entrySpeedRange >= 0) {
                Range& own = m_ranges[static_cast<std::size_t>(m_entrySpeedRange)];
                const RangeEnd cut{column.x + m_options.trainLength, EndKind::Indicator, column.x, column.x};
                if (cut.to < own.to) {
                    own.to = cut.to;
                    own.tailFrom = std::min(cut.tailFrom, own.to);
                    own.why = Name(kEntry) + " zeigt " + Main(kEntry).caption + ": " + Kmh(own.kmh)
                        + " km/h im Weichenbereich, " + Until(cut) + ".";
                }
            }
            Add(column.x, entry, digits * 10, PieceKind::Speed, column.x, caption,
                shows + ": " + Kmh(digits * 10) + " km/h bis zum Ende des Weichenbereichs "
                    + SignalWithArticle(m_system, kEntry, Case::Genitive) + ", " + Until(entry) + ".");
            break;
        }
        }
    }
}

std::string LineBuilder::PointName(int x) const
{
    if (x <= 0)
        return "Streckenanfang";
    if (x >= kLineEnd)
        return "Streckenende";
    const int length = m_options.trainLength;
    const int last = LastSwitch(m_system);
    const auto named = [&](int at) -> std::string {
        if (at == kPlatformStop)
            return "Halteplatz am Bahnsteig";
        if (at == last)
            return "letzte Weiche";
        return Name(at);
    };
    std::vector<int> points(kColumns.begin(), kColumns.end());
    points.push_back(kPlatformStop);
    points.push_back(last);
    for (int at : points)
        if (x == at && !named(at).empty())
            return named(at);
    for (int at : points)
        if (length > 0 && x == at + length && !named(at).empty())
            return named(at) + " plus Zuglänge";
    for (int at : points)
        if (x == at - kBrakingLength && !named(at).empty())
            return std::to_string(kBrakingLength * kMetresPerPixel) + " m vor " + named(at);
    for (int at : points)
        if (x == at + kOnSightBeyond && !named(at).empty())
            return std::to_string(kOnSightBeyond * kMetresPerPixel) + " m hinter " + named(at);
    return "Punkt bei " + std::to_string(x * kMetresPerPixel) + " m";
}

// Every straight piece of the line over a whole pixel: the step line's own value, or a ramp.
struct Window {
    int p;        // the drop point
    double t;     // the speed at p (0 at the platform)
    double s0;    // the step line's speed at p - kBrakingLength
    int range;    // the range that gives t; -1: the stop at the platform
    double At(double x) const { return t + (std::max(s0, t) - t) * (p - x) / kBrakingLength; }
};

void LineBuilder::MakePieces(SpeedLine& line) const
{
    // The step line: the lowest speed of every range holding x; among equal speeds the range
    // that began first, so that a range goes on naming the piece it began.
    std::array<int, kLineEnd> governing{};
    std::array<double, kLineEnd> step{};
    for (int x = 0; x < kLineEnd; ++x) {
        int best = -1;
        for (std::size_t i = 0; i < m_ranges.size(); ++i) {
            const Range& r = m_ranges[i];
            if (x < r.from || x >= r.to)
                continue;
            if (best < 0 || r.kmh < m_ranges[best].kmh
                || (r.kmh == m_ranges[best].kmh && r.from < m_ranges[best].from))
                best = static_cast<int>(i);
        }
        governing[x] = best;
        step[x] = m_ranges[static_cast<std::size_t>(best)].kmh;
    }

    std::vector<Window> windows;
    for (int p = 1; p < kLineEnd; ++p) {
        const bool platform = p == kPlatformStop && m_options.platform == PlatformStop::Stop;
        if (step[p] < step[p - 1] || platform)
            windows.push_back({p, platform ? 0.0 : step[p], step[std::max(p - kBrakingLength, 0)],
                               platform ? -1 : governing[p]});
    }

    // Per pixel: which function is lowest over it (-1 - w for window w, else the range).
    std::array<int, kLineEnd> chosen{};
    for (int x = 0; x < kLineEnd; ++x) {
        chosen[x] = governing[x];
        double lowest = step[x];
        for (std::size_t w = 0; w < windows.size(); ++w) {
            const Window& window = windows[w];
            if (x < window.p - kBrakingLength || x >= window.p)
                continue;
            const double value = window.At(x + 0.5);
            if (value < lowest - 1e-9) {
                lowest = value;
                chosen[x] = -1 - static_cast<int>(w);
            }
        }
    }

    for (int from = 0; from < kLineEnd;) {
        int to = from + 1;
        while (to < kLineEnd && chosen[to] == chosen[from])
            ++to;
        SpeedPiece piece;
        piece.from = from;
        piece.to = to;
        std::string speed;
        if (chosen[from] >= 0) {
            const Range& r = m_ranges[static_cast<std::size_t>(chosen[from])];
            piece.fromKmh = piece.toKmh = r.kmh;
            piece.kind = r.kind;
            piece.column = r.column;
            piece.cause = r.cause;
            piece.why = r.why;
            speed = r.kmh == 0 ? "Halt" : Kmh(r.kmh) + " km/h";
            if (r.kind == PieceKind::OnSight)
                speed = "auf Sicht, höchstens 40 km/h";
            const int tailFrom = std::max(from, r.tailFrom);
            const int tailTo = std::min(to, r.to);
            if (tailFrom < tailTo) {
                if (!line.trainLengthParts.empty() && line.trainLengthParts.back().to == tailFrom)
                    line.trainLengthParts.back().to = tailTo;
                else
                    line.trainLengthParts.push_back({tailFrom, tailTo});
            }
        } else {
            const Window& w = windows[static_cast<std::size_t>(-1 - chosen[from])];
            piece.fromKmh = w.At(from);
            piece.toKmh = w.At(to);
            piece.kind = PieceKind::Ramp;
            const bool flat = std::abs(piece.fromKmh - piece.toKmh) < 1e-9;
            if (w.range < 0) {
                piece.column = 0;
                piece.cause = "Halt am Bahnsteig";
                piece.why = "Bremsen auf 0 km/h: Der Zug hält am Bahnsteig (schematische Rampe, keine Bremskurve).";
            } else {
                const Range& target = m_ranges[static_cast<std::size_t>(w.range)];
                piece.column = target.column;
                piece.cause = target.cause;
                const std::string at = ColumnSignal(m_system, target.column)
                    ? std::string(" ") + SignalAt(m_system, target.column) : std::string();
                piece.why = flat ? "Nicht beschleunigen: " + Kmh(w.t) + " km/h" + at + " (" + target.cause + ")."
                                 : "Bremsen auf " + Kmh(w.t) + " km/h" + at + " (" + target.cause
                                       + "); die Rampe ist schematisch, keine Bremskurve.";
            }
            speed = flat ? Kmh(w.t) + " km/h" : "bremsen von " + Kmh(piece.fromKmh) + " auf " + Kmh(piece.toKmh) + " km/h";
        }
        piece.spoken = "von " + PointName(from) + " bis " + PointName(to) + ": " + speed + ", weil " + piece.cause;
        line.pieces.push_back(std::move(piece));
        from = to;
    }
}

SpeedLine LineBuilder::Build()
{
    SpeedLine line;
    line.system = m_system;
    line.options = m_options;
    m_ranges.push_back({0, kLineEnd, kLineSpeed, PieceKind::Line, 0, kLineEnd, "Streckengeschwindigkeit",
                        "Nichts schränkt ein: Streckengeschwindigkeit " + Kmh(kLineSpeed) + " km/h."});
    AddMainRanges();
    AddOtherRanges();
    MakePieces(line);
    line.unreadable = m_unreadable;
    return line;
}

} // namespace

SpeedLine ComputeSpeedLine(System system, std::span<const PanelState> panels, FahrtOptions options)
{
    options.trainLength = std::clamp(options.trainLength, 0, kMaxTrainLength);
    return LineBuilder(system, panels, options).Build();
}

const SpeedLine& SpeedLineCache::Get(System system, std::span<const PanelState> panels, FahrtOptions options)
{
    bool same = m_valid && m_system == system && m_options == options;
    for (int n = 1; same && n <= kDesignationPanelCount; ++n)
        same = m_captions[n] == CaptionOf(panels, n);
    if (!same) {
        m_line = ComputeSpeedLine(system, panels, options);
        m_valid = true;
        m_system = system;
        m_options = options;
        for (int n = 1; n <= kDesignationPanelCount; ++n)
            m_captions[n] = CaptionOf(panels, n);
    }
    return m_line;
}

const SpeedPiece* PieceAt(const SpeedLine& line, double x)
{
    for (const SpeedPiece& piece : line.pieces)
        if (x >= piece.from && x < piece.to)
            return &piece;
    return nullptr;
}

double PermittedSpeedAt(const SpeedLine& line, double x)
{
    const SpeedPiece* piece = PieceAt(line, x);
    if (!piece)
        return 0;
    return piece->fromKmh + (piece->toKmh - piece->fromKmh) * (x - piece->from) / (piece->to - piece->from);
}

void AdvanceTrain(const SpeedLine& line, TrainRun& train, int ms)
{
    if (!train.running)
        return;
    if (train.waitMs > 0) {
        train.waitMs = std::max(train.waitMs - ms, 0);
        return;
    }
    const SpeedPiece* here = PieceAt(line, train.head);
    if (here && here->kind == PieceKind::Stop)
        return;
    // Beyond the line's end the last axles run at the speed the line ends with.
    const double at = std::min(train.head, kLineEnd - 0.5);
    const double kmh = std::max(PermittedSpeedAt(line, at), kTrainCrawlKmh);
    double next = train.head + kmh / kLineSpeed * kTrainPixelsPerSecondAt160 * ms / 1000.0;
    // Never past the start of a stop.
    for (const SpeedPiece& piece : line.pieces)
        if (piece.kind == PieceKind::Stop && piece.from > train.head && piece.from < next)
            next = piece.from;
    if (line.options.platform == PlatformStop::Stop && !train.stoppedAtPlatform && train.head < kPlatformStop
        && next >= kPlatformStop) {
        next = kPlatformStop;
        train.stoppedAtPlatform = true;
        train.waitMs = kTrainPlatformWaitMs;
    }
    train.head = next;
    if (train.head - line.options.trainLength >= kLineEnd)
        train.running = false;
}

const char* FahrtAssumptions()
{
    return "Schematisch: Streckengeschwindigkeit 160 km/h, 1 Pixel = 10 m, Bremsrampen über 1000 m statt "
           "Bremskurven. Wer am Ende eines Bereichs das nächste Hauptsignal nicht sieht, nimmt dessen "
           "einschränkendsten Begriff an.";
}

} // namespace lumaro::learn
