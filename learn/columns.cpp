// The signal columns in words: names of columns, buttons and panels, and what a column shows.

#include "learn/columns.h"

#include "core/layout.h"

#include <algorithm>
#include <vector>

namespace lumaro::learn {

namespace {

struct ColumnRow {
    std::int32_t x;
    const char* hv;
    const char* ks;
    const char* hl;
    std::array<int, 4> panels;  // top to bottom; 0 ends the list
    // What the buttons under the column set, where it is not the column's signal: the buttons
    // of column 750 are shown only with the Hl line, those of 850 only without it.
    const char* buttons;
};

// The Hl line leaves columns 350 and 750 empty and puts the block signal's distant signal in
// column 850; the buttons of column 750 set the Hl exit signal's track-change indicator.
constexpr ColumnRow kColumnRows[] = {
    {50, "Vorsignal des Einfahrsignals", "Vorsignal des Einfahrsignals", "Vorsignal des Einfahrsignals",
     {12, 15, 0, 0}, nullptr},
    {150, "Einfahrsignal", "Einfahrsignal", "Einfahrsignal", {10, 11, 14, 13}, nullptr},
    {250, "Sperrsignal", "Sperrsignal", "Rangiersignal", {9, 0, 0, 0}, nullptr},
    {350, "Geschwindigkeitsanzeiger", "Geschwindigkeitsanzeiger", nullptr, {8, 0, 0, 0}, nullptr},
    {450, "hohes Sperrsignal", "hohes Sperrsignal", "hohes Sperrsignal", {7, 0, 0, 0}, nullptr},
    {550, "Zwischensignal", "Zwischensignal", "Zwischensignal", {6, 16, 0, 0}, nullptr},
    {650, "Ausfahrsignal", "Ausfahrsignal", "Ausfahrsignal", {4, 5, 0, 0}, nullptr},
    {750, "Vorsignal des Blocksignals", "Vorsignal des Blocksignals", nullptr, {3, 0, 0, 0},
     "Gegengleisanzeiger am Ausfahrsignal"},
    {850, "Gegengleisanzeiger", "Gegengleisanzeiger", "Vorsignal des Blocksignals", {2, 0, 0, 0},
     "Gegengleisanzeiger"},
    {950, "Blocksignal", "Blocksignal", "Blocksignal", {1, 0, 0, 0}, nullptr},
};

const ColumnRow* RowOf(std::int32_t x)
{
    for (const ColumnRow& row : kColumnRows)
        if (row.x == x)
            return &row;
    return nullptr;
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
    const ColumnRow* row = RowOf(x);
    if (!row)
        return nullptr;
    switch (system) {
    case System::HV: return row->hv;
    case System::Ks: return row->ks;
    case System::Hl: return row->hl;
    }
    return nullptr;
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
    const char* signal = ColumnSignal(system, PanelColumn(panel));
    if (!signal)
        return {};
    std::string name = signal;
    if (!caption.empty())
        name.append(": ").append(caption);
    return name;
}

std::string OneLine(std::string_view hint)
{
    std::string line;
    for (std::size_t i = 0; i < hint.size(); ++i) {
        if (hint.substr(i).starts_with("\r\n")) {
            line += ' ';
            ++i;
        } else {
            line += hint[i];
        }
    }
    return line;
}

std::string ColumnAspect(std::span<const PanelState> panels, std::span<const LitLight> lights, std::int32_t x)
{
    const bool blinks = std::any_of(lights.begin(), lights.end(), [x](const LitLight& l) {
        return l.column == x && l.blinking && l.kind == LightKind::Lamp;
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
