#pragma once

// The three signalling systems the line can be shown in, and their names.

#include <array>

namespace lumaro {

enum class System { HV, Ks, Hl };

struct SystemNames {
    System system;
    const char* id;        // in the programs' JSON, the page and the self-test's items
    const char* title;     // as the menu and learners call it
    const char* menuItem;  // the menu item that shows it
};

// In the order of the enum.
inline constexpr std::array<SystemNames, 3> kSystems = {{
    {System::HV, "HV", "H/V-System", "HVSystem1"},
    {System::Ks, "Ks", "Ks-System",  "KsSystem1"},
    {System::Hl, "Hl", "Hl-System",  "HlSystem1"},
}};

constexpr const SystemNames& NamesOf(System system)
{
    return kSystems[static_cast<std::size_t>(system)];
}

} // namespace lumaro
