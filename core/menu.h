#pragma once

// The main window's menu as one table: each item's component name, its text, the menu it stands
// in, whether a separator stands above it, whether it carries a check mark, and what it does.
// The core's dispatch, lumaro-render's words and help, the state's menu marks, the Qt menu and
// the page's menu are all read from it. The component names are part of the scripting interface.

#include <array>
#include <string_view>

namespace lumaro {

enum class TopMenu { Datei, Einstellungen, Hilfe };

struct TopMenuDef {
    TopMenu menu;
    const char* component;
    const char* text;
    bool rightJustified;   // stands at the right end of the menu bar
    const char* accessText;   // the text with "&" before the letter that opens it with Alt
};

inline constexpr std::array<TopMenuDef, 3> kTopMenus = {{
    {TopMenu::Datei,         "Datei1",         "Datei",         false, "&Datei"},
    {TopMenu::Einstellungen, "Einstellungen1", "Einstellungen", false, "&Einstellungen"},
    {TopMenu::Hilfe,         "Hilfe1",         "Hilfe",         true,  "&Hilfe"},
}};

enum class MenuAction {
    RequestClose,
    SelectHV,
    SelectKs,
    SelectHl,
    ShowDay,
    ShowNight,
    ToggleTrackPlan,
    ToggleDesignations,
    ShowManual,
    ShowLicence,
    ShowAbout,
    // The self-test's windows, which the window and the page open themselves.
    StartPractice,
    StartExam,
    ShowProgress,
    // The speed along the line, which the window and the page draw themselves.
    ShowFahrt,
};

// Items that the shells handle alone: the core's dispatch, lumaro-render's words and the state
// know nothing of them.
constexpr bool IsShellOnly(MenuAction action)
{
    return action == MenuAction::StartPractice || action == MenuAction::StartExam
        || action == MenuAction::ShowProgress || action == MenuAction::ShowFahrt;
}

struct MenuItem {
    const char* component;
    const char* text;
    TopMenu menu;
    bool separatorAbove;
    bool checkable;
    MenuAction action;
    const char* shortcut = nullptr;   // keys in the portable form of key sequences ("Ctrl+1"), or none
};

// In menu order. "Lzenz1" is the manual, "Lizenz1" the licence terms: the names are the window's
// own and stay as they are.
inline constexpr std::array<MenuItem, 15> kMenuItems = {{
    // component         text             menu                    sep.   check  action                             keys
    {"Ueben1",         "Üben …",        TopMenu::Datei,         false, false, MenuAction::StartPractice,         nullptr},
    {"Pruefung1",      "Prüfung …",     TopMenu::Datei,         false, false, MenuAction::StartExam,             nullptr},
    {"Fortschritt1",   "Fortschritt",   TopMenu::Datei,         false, false, MenuAction::ShowProgress,          nullptr},
    {"Beenden1",       "Beenden",       TopMenu::Datei,         true,  false, MenuAction::RequestClose,          nullptr},
    {"HVSystem1",      "H/V-System",    TopMenu::Einstellungen, false, true,  MenuAction::SelectHV,              "Ctrl+1"},
    {"KsSystem1",      "Ks-System",     TopMenu::Einstellungen, false, true,  MenuAction::SelectKs,              "Ctrl+2"},
    {"HlSystem1",      "Hl-System",     TopMenu::Einstellungen, false, true,  MenuAction::SelectHl,              "Ctrl+3"},
    {"ag1",            "Tag",           TopMenu::Einstellungen, true,  true,  MenuAction::ShowDay,               "Ctrl+T"},
    {"Nacht1",         "Nacht",         TopMenu::Einstellungen, false, true,  MenuAction::ShowNight,             "Ctrl+N"},
    {"Gleisplan1",     "Gleisplan",     TopMenu::Einstellungen, true,  true,  MenuAction::ToggleTrackPlan,       nullptr},
    {"Signalbegriff1", "Signalbegriff", TopMenu::Einstellungen, true,  true,  MenuAction::ToggleDesignations,    nullptr},
    {"Fahrt1",         "Fahrt zeigen",  TopMenu::Einstellungen, true,  true,  MenuAction::ShowFahrt,             nullptr},
    {"Lzenz1",         "Anleitung",     TopMenu::Hilfe,         false, false, MenuAction::ShowManual,            nullptr},
    {"Lizenz1",        "Lizenz",        TopMenu::Hilfe,         true,  false, MenuAction::ShowLicence,           nullptr},
    {"Info1",          "Info",          TopMenu::Hilfe,         false, false, MenuAction::ShowAbout,             nullptr},
}};

// The item named `component` that the core performs; nullptr for any other word, the shells'
// own items included.
constexpr const MenuItem* FindMenuItem(std::string_view component)
{
    for (const MenuItem& item : kMenuItems)
        if (component == item.component && !IsShellOnly(item.action))
            return &item;
    return nullptr;
}

} // namespace lumaro
