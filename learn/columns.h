#pragma once

// The signal columns of the line in words: what stands in each column, what a column shows (by
// designation and lamp by lamp), and the names of the buttons and panels that belong to it. The
// window, the page and lumaro-render say the same thing because they all ask here.

#include "render/designations.h"
#include "render/lamps.h"
#include "render/palette.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::learn {

// The ten columns, left to right.
constexpr std::array<std::int32_t, 10> kColumns = {50, 150, 250, 350, 450, 550, 650, 750, 850, 950};

// 1 for column 50, ... 10 for column 950.
constexpr int ColumnNumber(std::int32_t x) { return static_cast<int>((x - 50) / 100) + 1; }

enum class Genus { Neuter, Masculine };
enum class Case { Nominative, Accusative, Dative, Genitive };

// What stands in column `x` in `system`, as the window calls it ("Einfahrsignal"); nullptr where
// the system leaves the column empty (Hl 350 and 750) or for a value that is no column.
const char* ColumnSignal(System system, std::int32_t x);

// The same with its definite article in `grammaticalCase`, the adjective declined ("das hohe
// Sperrsignal", "des hohen Sperrsignals"); empty where no signal stands.
std::string SignalWithArticle(System system, std::int32_t x, Case grammaticalCase);
// "am Einfahrsignal", "am hohen Sperrsignal"; empty where no signal stands.
std::string SignalAt(System system, std::int32_t x);
// A signal or a part of one, without adjective, with its definite article ("den Zusatzanzeiger").
std::string WithArticle(std::string_view noun, Genus genus, Case grammaticalCase);

// "Spalte 2, Einfahrsignal"; empty where no signal stands.
std::string ColumnName(System system, std::int32_t x);

// The designation panels under column `x`, top to bottom; empty for a value that is no column.
std::span<const int> ColumnPanels(std::int32_t x);
// The column a designation panel stands under, 0 for any other number.
std::int32_t PanelColumn(int panel);

// The signal that aspect button `n` sets in `system` ("Einfahrsignal"), or nullptr for a number
// without a button.
const char* ButtonSignal(System system, int n);
// "Einfahrsignal: 40 km/h": the signal and the visible caption. Empty for no button.
std::string ButtonName(System system, int n);

// A designation panel's name: its column's signal and the caption ("Einfahrsignal: Hp 0"), or
// the signal alone while the caption is empty. A panel of a further signal on the same mast
// names that one ("Vorsignal am Ausfahrsignal: Vr 0"). Empty for a panel under a column without signal.
std::string PanelName(System system, int panel, std::string_view caption);
// What designation panel `panel` tells, for its accessible description and the column sheet: the
// meaning of its caption from the one meaning table (learn/tables.h), read where the panel stands
// as the explanations read it. A panel without a caption says so, with its column's lamps while
// no panel of the column has a caption ("Kein Signalbegriff (alle Lampen dunkel)"). Empty for a
// number that is no designation panel.
std::string PanelMeaning(System system, std::span<const PanelState> panels, std::span<const LitLight> lights,
                         int panel);
// The panels whose meanings say what column `x` shows: those with a caption, top to bottom, or
// the column's first panel while none has one.
std::vector<int> MeaningPanels(std::span<const PanelState> panels, std::int32_t x);

// What column `x` shows by designation: the captions of its panels, top to bottom, supplements
// without their leading "+ ", and "blinkend" after the first one while a coloured lamp of the
// column blinks: "Ks 1 blinkend, Zs 3v "6"" (a blinking Ersatzsignal is no reason). "dunkel" for a column whose panels say so and show no
// caption; empty while the panels are empty (between a system change and the next paint).
// `panels[n]` is PanelN.
std::string ColumnAspect(std::span<const PanelState> panels, std::span<const LitLight> lights, std::int32_t x);

// What column `x` shows lamp by lamp, top to bottom: "Lampen: grün blinkend, gelb;
// Lichtzeichen: weiß", or "Alle Lampen dunkel".
std::string ColumnLights(std::span<const LitLight> lights, std::int32_t x);

// The aspect and the lamps together, as sentences: "Ks 1 blinkend. Lampen: grün blinkend."
std::string DescribeColumn(std::span<const PanelState> panels, std::span<const LitLight> lights, std::int32_t x);

} // namespace lumaro::learn
