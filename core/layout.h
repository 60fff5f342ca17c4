#pragma once

// The fixed layout of the main window's controls, in client-area pixels.

#include <array>
#include <string_view>

namespace lumaro {

constexpr int kButtonWidth = 57;
constexpr int kButtonHeight = 17;

struct ButtonDef {
    int number;           // ButtonN
    const char* caption;
    int left;
    int top;
};

// The 34 aspect buttons, grouped by the signal column above them. There are no buttons 4, 15, 33.
constexpr std::array<ButtonDef, 34> kButtons = {{
    // column 150, entry signal
    {30, "Halt", 128, 448},     {31, "40 km/h", 128, 464}, {32, "60 km/h", 128, 480},
    {34, "100 km/h", 128, 512}, {35, "Fahrt", 128, 528},   {36, "Ersatz", 128, 544},
    {37, "Vorsicht", 128, 560},
    // column 250, shunting signal
    {28, "Halt", 224, 448},     {29, "Rangier", 224, 464},
    // column 450
    {26, "Halt", 424, 448},     {27, "Kennlicht", 424, 464},
    // column 550, intermediate signal
    {11, "Halt", 520, 448},     {12, "40 km/h", 520, 464}, {16, "Fahrt", 520, 480},
    {17, "Rangier", 520, 496},  {18, "Ersatz", 520, 512},  {19, "Vorsicht", 520, 528},
    {20, "Kennlicht", 520, 544},
    // column 650, exit signal
    {1, "Halt", 624, 448},      {2, "40 km/h", 624, 464},  {3, "60 km/h", 624, 480},
    {5, "100 km/h", 624, 512},  {6, "Fahrt", 624, 528},    {7, "Rangier", 624, 544},
    {8, "Ersatz", 624, 560},    {9, "Vorsicht", 624, 576}, {10, "Kennlicht", 624, 592},
    // column 750 (Hl: track-change indication of the exit signal)
    {13, "Dunkel", 728, 448},   {14, "GWB", 728, 464},
    // column 850, track-change indicator
    {24, "Dunkel", 824, 448},   {25, "GWB", 824, 464},
    // column 950, block signal
    {21, "Halt", 920, 448},     {22, "Fahrt", 920, 464},   {23, "Ersatz", 920, 480},
}};

constexpr int kMaxButtonNumber = 37;

constexpr bool IsAspectButton(int n)
{
    for (const ButtonDef& b : kButtons)
        if (b.number == n)
            return true;
    return false;
}

struct PanelDef {
    int number;           // PanelN
    int left;
    int top;
    int width;
    int height;
    const char* caption;  // fixed caption of the label panels, empty for designation panels
    const char* hint;
};

// Panel1..Panel16 carry designations; Panel17..Panel20 are the fixed column labels.
constexpr std::array<PanelDef, 20> kPanels = {{
    {1, 912, 616, 81, 17, "", ""},
    {2, 808, 616, 89, 17, "", ""},
    {3, 712, 616, 89, 17, "", ""},
    {4, 600, 616, 105, 17, "", ""},
    {5, 600, 632, 105, 17, "", ""},
    {6, 496, 616, 105, 17, "", ""},
    {7, 408, 616, 89, 17, "", ""},
    {8, 312, 616, 89, 17, "", ""},
    {9, 208, 616, 89, 17, "", ""},
    {10, 104, 616, 105, 17, "", ""},
    {11, 104, 632, 105, 17, "", ""},
    {12, 0, 616, 97, 17, "", ""},
    {13, 104, 664, 105, 17, "", ""},
    {14, 104, 650, 105, 15, "", ""},
    {15, 0, 632, 97, 17, "", ""},
    {16, 496, 632, 105, 17, "", ""},
    {17, 128, 424, 57, 17, "ESig", "Einfahrsignal"},
    {18, 624, 424, 57, 17, "ASig", "Ausfahrsignal"},
    {19, 520, 424, 57, 17, "ZSig", "Zwischensignal"},
    {20, 920, 424, 57, 17, "BSig", "Blocksignal"},
}};

constexpr int kDesignationPanels = 16;
constexpr int kPanelCount = 20;

// Image1 of the main window and the logo it shows.
constexpr int kImage1Left = 8, kImage1Top = 504, kImage1Width = 105, kImage1Height = 73;
constexpr int kLogoWidth = 99, kLogoHeight = 69;

// The main window: outer size, and the client area below the menu bar that the canvas covers.
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 750;
constexpr const char* kWindowCaption = "Lumaro | Tornvik";

} // namespace lumaro
