#pragma once

// The signal records alone, driven by the aspect commands and the tick's rules without a window:
// no paint, no visibility or enabled state of the buttons. Records can be set to any state, also
// to those no button reaches.

#include "state/aspect_commands.h"
#include "state/propagation.h"
#include "tests/core/form_script.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <string_view>

namespace lumaro::test {

class LineScript : public ::testing::Test {
protected:
    LineScript() { table.Initialise(); }

    // Space-separated steps: "ButtonN" (its command), "tick" (the rules), "HV", "Ks", "Hl" (the
    // system the rules see).
    void Run(std::string_view script)
    {
        std::istringstream in {std::string(script)};
        std::string word;
        while (in >> word) {
            int n = 0;
            if (word == "tick")
                decisions = PropagateStates(table, origins, system);
            else if (word == "HV" || word == "Ks" || word == "Hl")
                system = word == "HV" ? System::HV : word == "Ks" ? System::Ks : System::Hl;
            else if (word.starts_with("Button")
                     && std::from_chars(word.data() + 6, word.data() + word.size(), n).ec == std::errc {})
                EXPECT_TRUE(RunAspectCommand(table, origins, n, RecordOrigin::FromButton(n))) << word;
            else
                ADD_FAILURE() << "unknown step: " << word;
        }
    }

    std::string Flags(int record) const { return FlagsOf(table[record]); }
    SignalRecord& R(int record) { return table[record]; }
    // "100 km/h" (34) and "Fahrt" (35) of the entry signal as the last tick decided.
    bool Enabled(int button) const { return button == 34 ? decisions.entry100Enabled : decisions.entryFahrtEnabled; }

    SignalTable table;
    RecordOrigins origins;
    System system = System::HV;
    WindowDecisions decisions;
};

} // namespace lumaro::test
