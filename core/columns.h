#pragma once

// The ten signal columns of the main window: what stands in each of them in every system, and
// which aspect buttons and designation panels belong to it. Buttons and panels are assigned by
// where the window layout puts them, so this table only adds the signals' names.

#include "state/system.h"

#include <array>
#include <vector>

namespace lumaro {

constexpr int kColumnWidth = 100;   // columns at x = 50, 150, ... 950, each 100 pixels wide

struct SignalColumn {
    int x;
    // The signal in words, indexed by System (H/V, Ks, Hl); nullptr where nothing stands.
    std::array<const char*, 3> signal;
};

constexpr std::array<SignalColumn, 10> kSignalColumns = {{
    //  x   H/V                             Ks                              Hl
    { 50, {"Vorsignal des Einfahrsignals", "Vorsignal des Einfahrsignals", "Vorsignal des Einfahrsignals"}},
    {150, {"Einfahrsignal",                "Einfahrsignal",                "Einfahrsignal"}},
    {250, {"Sperrsignal",                  "Sperrsignal",                  "Rangiersignal"}},
    {350, {"Geschwindigkeitsanzeiger",     "Geschwindigkeitsanzeiger",     nullptr}},
    {450, {"hohes Sperrsignal",            "hohes Sperrsignal",            "hohes Sperrsignal"}},
    {550, {"Zwischensignal",               "Zwischensignal",               "Zwischensignal"}},
    {650, {"Ausfahrsignal",                "Ausfahrsignal",                "Ausfahrsignal"}},
    {750, {"Vorsignal des Blocksignals",   "Vorsignal des Blocksignals",   nullptr}},
    {850, {"Gegengleisanzeiger",           "Gegengleisanzeiger",           "Vorsignal des Blocksignals"}},
    {950, {"Blocksignal",                  "Blocksignal",                  "Blocksignal"}},
}};

// The column (its x) whose 100 pixels hold the middle of a control placed at left with width;
// controls right of the last column belong to it.
int ColumnOf(int left, int width);

// What stands in column x in the system, or nullptr (also for an x that is no column).
const char* ColumnSignal(int x, System system);

// The aspect buttons of column x's signal in the system, top to bottom. Buttons under a column
// where nothing stands serve the nearest signal to their left: in the Hl line the exit signal's
// track-change indication is switched from under the empty column 750. Whether a button shows
// is the state's business, not this list's.
std::vector<int> ColumnButtons(int x, System system);

// The designation panels (Panel1 .. Panel16) under column x, top to bottom.
std::vector<int> ColumnPanels(int x);

} // namespace lumaro
