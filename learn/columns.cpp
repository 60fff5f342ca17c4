// The signal columns in words: names of columns, buttons and panels, and what a column shows.

#include "learn/columns.h"

#include "core/layout.h"
#include "learn/tables.h"
#include "render/panels.h"

#include <algorithm>
#include <vector>

namespace lumaro::learn {

namespace {

// A signal's name in parts, so that the adjective and the noun can be declined: "hohes
// Sperrsignal", "am hohen Sperrsignal", "des Vorsignals des Einfahrsignals".
struct SignalWords {
    const char* adjective;  // stem without ending ("hoh"), or nullptr
    const char* noun;       // the word that takes the article and the genitive "s"
    const char* tail;       // an attribute after the noun (" des Einfahrsignals"), or ""
    Genus genus;
    bool standing() const { return noun != nullptr; }
};

constexpr SignalWords kNone = {nullptr, nullptr, "", Genus::Neuter};
constexpr SignalWords Neuter(const char* noun, const char* tail = "") { return {nullptr, noun, tail, Genus::Neuter}; }
constexpr SignalWords Masculine(const char* noun) { return {nullptr, noun, "", Genus::Masculine}; }
constexpr SignalWords kHighShunting = {"hoh", "Sperrsignal", "", Genus::Neuter};

struct ColumnRow {
    std::int32_t x;
    SignalWords hv;
    SignalWords ks;
    SignalWords hl;
    std::array<int, 4> panels;  // top to bottom; 0 ends the list
    // What the buttons under the column set, where it is not the column's signal: the buttons
    // of column 750 are shown only with the Hl line, those of 850 only without it.
    const char* buttons;
};

// The only place that names the columns' signals: the window, the page, the explanations and the
// self-test all read it. The Hl line leaves columns 350 and 750 empty and puts the block signal's
// distant signal in column 850; the buttons of column 750 set the Hl exit signal's track-change
// indicator.
constexpr ColumnRow kColumnRows[] = {
    {50, Neuter("Vorsignal", " des Einfahrsignals"), Neuter("Vorsignal", " des Einfahrsignals"),
     Neuter("Vorsignal", " des Einfahrsignals"), {12, 15, 0, 0}, nullptr},
    {150, Neuter("Einfahrsignal"), Neuter("Einfahrsignal"), Neuter("Einfahrsignal"), {10, 11, 14, 13}, nullptr},
    // The Hl post of column 250 is the Wartezeichen Ra 11a with the Rangierfahrtsignal Ra 12.
    {250, Neuter("Sperrsignal"), Neuter("Sperrsignal"), Neuter("Wartezeichen"), {9, 0, 0, 0}, nullptr},
    {350, Masculine("Geschwindigkeitsanzeiger"), Masculine("Geschwindigkeitsanzeiger"), kNone, {8, 0, 0, 0}, nullptr},
    {450, kHighShunting, kHighShunting, kHighShunting, {7, 0, 0, 0}, nullptr},
    {550, Neuter("Zwischensignal"), Neuter("Zwischensignal"), Neuter("Zwischensignal"), {6, 16, 0, 0}, nullptr},
    {650, Neuter("Ausfahrsignal"), Neuter("Ausfahrsignal"), Neuter("Ausfahrsignal"), {4, 5, 0, 0}, nullptr},
    {750, Neuter("Vorsignal", " des Blocksignals"), Neuter("Vorsignal", " des Blocksignals"), kNone, {3, 0, 0, 0},
     "Gegengleisanzeiger am Ausfahrsignal"},
    {850, Masculine("Gegengleisanzeiger"), Masculine("Gegengleisanzeiger"), Neuter("Vorsignal", " des Blocksignals"),
     {2, 0, 0, 0}, "Gegengleisanzeiger"},
    {950, Neuter("Blocksignal"), Neuter("Blocksignal"), Neuter("Blocksignal"), {1, 0, 0, 0}, nullptr},
};

// Whether a panel shows the distant signal standing on the column signal's mast (the H/V exit and
// entry signals'), or its additional light: such a panel is named by that distant signal.
bool ShowsTheDistantOnTheMast(System system, int panel)
{
    const PanelPlace* place = FindPanelPlace(system, panel);
    return place && PanelBeside(*place, PanelPart::DistantOnMast) != 0;
}

// The article and the adjective's ending; `article` false gives the name standing alone.
std::string Declined(const SignalWords& w, Case grammaticalCase, bool article)
{
    const bool neuter = w.genus == Genus::Neuter;
    std::string text;
    const char* ending = "en";
    if (article) {
        switch (grammaticalCase) {
        case Case::Nominative: text = neuter ? "das " : "der "; ending = "e"; break;
        case Case::Accusative: text = neuter ? "das " : "den "; ending = neuter ? "e" : "en"; break;
        case Case::Dative: text = "dem "; break;
        case Case::Genitive: text = "des "; break;
        }
    } else {
        switch (grammaticalCase) {
        case Case::Nominative: ending = neuter ? "es" : "er"; break;
        case Case::Accusative: ending = neuter ? "es" : "en"; break;
        case Case::Dative: ending = "em"; break;
        case Case::Genitive: ending = "en"; break;
        }
    }
    if (w.adjective)
        text.append(w.adjective).append(ending).append(" ");
    text += w.noun;
    if (grammaticalCase == Case::Genitive)
        text += "s";
    return text + w.tail;
}

const ColumnRow* RowOf(std::int32_t x)
{
    for (const ColumnRow& row : kColumnRows)
        if (row.x == x)
            return &row;
    return nullptr;
}

const SignalWords* WordsOf(System system, std::int32_t x)
{
    const ColumnRow* row = RowOf(x);
    if (!row)
        return nullptr;
    const SignalWords& w = system == System::HV ? row->hv : system == System::Ks ? row->ks : row->hl;
    return w.standing() ? &w : nullptr;
}

std::string_view WithoutPlus(std::string_view caption)
{
    return caption.starts_with("+ ") ? caption.substr(2) : caption;
}

std::vector<LitLight> LightsOf(std::span<const LitLight> lights, std::int32_t x)
{
    std::vector<LitLight> mine;
    for (const LitLight& light : lights)
        if (light.column == x)
            mine.push_back(light);
    // Top to bottom, then left to right, as a reader scans a signal.
    std::stable_sort(mine.begin(), mine.end(), [](const LitLight& a, const LitLight& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    return mine;
}

} // namespace

const char* ColumnSignal(System system, std::int32_t x)
{
    // Spelt out once from the words, so that the names standing alone can be handed out as C
    // strings.
    static const auto names = [] {
        std::array<std::array<std::string, 3>, std::size(kColumnRows)> all;
        for (std::size_t i = 0; i < all.size(); ++i)
            for (const System s : {System::HV, System::Ks, System::Hl})
                if (const SignalWords* w = WordsOf(s, kColumnRows[i].x))
                    all[i][static_cast<std::size_t>(s)] = Declined(*w, Case::Nominative, false);
        return all;
    }();
    const ColumnRow* row = RowOf(x);
    if (!WordsOf(system, x))
        return nullptr;
    return names[static_cast<std::size_t>(row - kColumnRows)][static_cast<std::size_t>(system)].c_str();
}

std::string SignalWithArticle(System system, std::int32_t x, Case grammaticalCase)
{
    const SignalWords* w = WordsOf(system, x);
    return w ? Declined(*w, grammaticalCase, true) : std::string();
}

std::string SignalAt(System system, std::int32_t x)
{
    const SignalWords* w = WordsOf(system, x);
    return w ? "am " + Declined(*w, Case::Dative, true).substr(4) : std::string();
}

std::string WithArticle(std::string_view noun, Genus genus, Case grammaticalCase)
{
    const std::string word(noun);
    return Declined({nullptr, word.c_str(), "", genus}, grammaticalCase, true);
}

std::string ColumnName(System system, std::int32_t x)
{
    const char* signal = ColumnSignal(system, x);
    if (!signal)
        return {};
    return "Spalte " + std::to_string(ColumnNumber(x)) + ", " + signal;
}

std::span<const int> ColumnPanels(std::int32_t x)
{
    const ColumnRow* row = RowOf(x);
    if (!row)
        return {};
    const auto end = std::find(row->panels.begin(), row->panels.end(), 0);
    return {row->panels.data(), static_cast<std::size_t>(end - row->panels.begin())};
}

std::int32_t PanelColumn(int panel)
{
    for (const ColumnRow& row : kColumnRows)
        if (std::find(row.panels.begin(), row.panels.end(), panel) != row.panels.end() && panel != 0)
            return row.x;
    return 0;
}

const char* ButtonSignal(System system, int n)
{
    for (const ButtonDef& b : kButtons) {
        if (b.number != n)
            continue;
        const std::int32_t x = ColumnOf(b.left + kButtonWidth / 2);
        if (const ColumnRow* row = RowOf(x))
            return row->buttons ? row->buttons : ColumnSignal(system, x);
    }
    return nullptr;
}

std::string ButtonName(System system, int n)
{
    for (const ButtonDef& b : kButtons)
        if (b.number == n)
            if (const char* signal = ButtonSignal(system, n))
                return std::string(signal) + ": " + b.caption;
    return {};
}

std::string PanelName(System system, int panel, std::string_view caption)
{
    const std::int32_t x = PanelColumn(panel);
    const char* signal = ColumnSignal(system, x);
    if (!signal)
        return {};
    std::string name = signal;
    if (ShowsTheDistantOnTheMast(system, panel))
        name = "Vorsignal " + SignalAt(system, x);
    if (!caption.empty())
        name.append(": ").append(caption);
    return name;
}

std::string PanelMeaning(System system, std::span<const PanelState> panels, std::span<const LitLight> lights,
                         int panel)
{
    const std::int32_t x = PanelColumn(panel);
    if (x == 0 || static_cast<std::size_t>(panel) >= panels.size())
        return {};
    const std::string& caption = panels[static_cast<std::size_t>(panel)].caption;
    if (!caption.empty()) {
        if (const char* meaning = MeaningAt(system, panel, caption))
            return meaning;
        // A caption the table does not know is told by what is lit.
        return ColumnLights(lights, x);
    }
    // The column's lamps belong to the caption another of its panels shows, if there is one; a
    // column without any caption tells them once, on its first panel.
    if (MeaningPanels(panels, x) != std::vector<int> {panel})
        return "Kein Signalbegriff";
    std::string lamps = ColumnLights(lights, x);
    if (lamps.starts_with("Alle "))
        lamps[0] = 'a';
    return "Kein Signalbegriff (" + lamps + ")";
}

std::vector<int> MeaningPanels(std::span<const PanelState> panels, std::int32_t x)
{
    std::vector<int> telling;
    for (const int n : ColumnPanels(x))
        if (static_cast<std::size_t>(n) < panels.size() && !panels[static_cast<std::size_t>(n)].caption.empty())
            telling.push_back(n);
    if (telling.empty() && !ColumnPanels(x).empty())
        telling.push_back(ColumnPanels(x).front());
    return telling;
}

std::string ColumnAspect(std::span<const PanelState> panels, std::span<const LitLight> lights, std::int32_t x)
{
    // A blinking white light is the Ersatzsignal's, named by its own designation; a blinking
    // coloured lamp belongs to the main aspect ("Ks 1 blinkend").
    const bool blinks = std::any_of(lights.begin(), lights.end(), [x](const LitLight& l) {
        return l.column == x && l.blinking && l.kind == LightKind::Lamp && l.color != LampColor::White;
    });
    std::string aspect;
    bool saysDark = false;
    for (int n : ColumnPanels(x)) {
        if (n < 0 || static_cast<std::size_t>(n) >= panels.size())
            continue;
        const PanelState& panel = panels[static_cast<std::size_t>(n)];
        if (panel.caption.empty()) {
            saysDark = saysDark || panel.hint == "dunkel";
            continue;
        }
        if (!aspect.empty()) {
            aspect += ", ";
            aspect += WithoutPlus(panel.caption);
            continue;
        }
        aspect = panel.caption;
        if (blinks)
            aspect += " blinkend";
    }
    if (aspect.empty() && saysDark)
        return "dunkel";
    return aspect;
}

std::string ColumnLights(std::span<const LitLight> lights, std::int32_t x)
{
    // Runs of three or more alike, such as the lamps of a light strip, are counted.
    const auto join = [](const std::vector<std::string>& words) {
        std::string list;
        for (std::size_t i = 0; i < words.size();) {
            std::size_t run = 1;
            while (i + run < words.size() && words[i + run] == words[i])
                ++run;
            const std::size_t shown = run >= 3 ? 1 : run;
            for (std::size_t k = 0; k < shown; ++k) {
                if (!list.empty())
                    list += ", ";
                if (run >= 3)
                    list += std::to_string(run) + " × ";
                list += words[i];
            }
            i += run;
        }
        return list;
    };
    std::vector<std::string> lampWords;
    std::vector<std::string> figureWords;
    for (const LitLight& light : LightsOf(lights, x)) {
        std::string word = LampColorWord(light.color);
        if (light.blinking)
            word += " blinkend";
        (light.kind == LightKind::Lamp ? lampWords : figureWords).push_back(std::move(word));
    }
    const std::string lamps = join(lampWords);
    const std::string figures = join(figureWords);
    if (lamps.empty() && figures.empty())
        return "Alle Lampen dunkel";
    std::string text;
    if (!lamps.empty())
        text = "Lampen: " + lamps;
    if (!figures.empty())
        text += (text.empty() ? "" : "; ") + std::string("Lichtzeichen: ") + figures;
    return text;
}

std::string DescribeColumn(std::span<const PanelState> panels, std::span<const LitLight> lights, std::int32_t x)
{
    const std::string aspect = ColumnAspect(panels, lights, x);
    const std::string lamps = ColumnLights(lights, x);
    return aspect.empty() ? lamps + "." : aspect + ". " + lamps + ".";
}

} // namespace lumaro::learn
