#pragma once

// A main window started as the program starts it, driven by one-line scripts of the actions a
// user and the timer perform.

#include "core/layout.h"
#include "core/main_form.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <string_view>

namespace lumaro::test {

// The names of the set fields of a record in field order, e.g. "Halt Gwb"; "-" when none is set.
// A value other than 0 or 1 shows as "Field=value".
inline std::string FlagsOf(const SignalRecord& r)
{
    std::string out;
    for (std::size_t i = 0; i < kRecordFields.size(); ++i) {
        const std::int32_t v = r.*kRecordFields[i];
        if (v == 0)
            continue;
        out += out.empty() ? "" : " ";
        out += kRecordFieldNames[i];
        if (v != 1)
            out += "=" + std::to_string(v);
    }
    return out.empty() ? "-" : out;
}

class FormScript : public ::testing::Test {
protected:
    // Created, then painted once because the window is shown.
    void SetUp() override
    {
        form.FormCreate();
        form.Paint();
    }

    // Space-separated steps: "tick", "paint", "FormClick", "ButtonN" (a user click, which must
    // be accepted), or a menu component name ("KsSystem1", "Beenden1", ...). "tick*5" repeats.
    void Run(std::string_view script)
    {
        std::istringstream in {std::string(script)};
        std::string word;
        while (in >> word) {
            int repeat = 1;
            if (auto star = word.find('*'); star != std::string::npos) {
                repeat = std::stoi(word.substr(star + 1));
                word.resize(star);
            }
            for (int i = 0; i < repeat; ++i)
                Step(word);
        }
    }

    // Each aspect button pressed alone from the start, in each system, and three ticks after it;
    // `read(script)` after every tick, with the script that led there.
    template <typename Read>
    void ForEveryButtonFromTheStart(Read read)
    {
        for (const char* system : {"HVSystem1", "KsSystem1", "HlSystem1"}) {
            for (const ButtonDef& button : kButtons) {
                form = MainForm();
                SetUp();
                Run(std::string(system) + " tick");
                if (!form.ClickButton(button.number))
                    continue;
                for (int t = 1; t <= 3; ++t) {
                    form.Timer1Timer();
                    read(std::string(system) + " tick Button" + std::to_string(button.number) + " tick*" + std::to_string(t));
                }
            }
        }
    }

    std::string Flags(int record) const { return FlagsOf(form.View().Signals[record]); }

    const SignalRecord& R(int record) const { return form.View().Signals[record]; }
    bool Enabled(int button) const { return form.View().Buttons[button].enabled; }
    bool Visible(int button) const { return form.View().Buttons[button].visible; }

    MainForm form;

private:
    void Step(std::string_view word)
    {
        int n = 0;
        if (word == "tick") {
            form.Timer1Timer();
        } else if (word == "paint") {
            form.Paint();
        } else if (word == "FormClick") {
            form.FormClick();
        } else if (word.starts_with("Button")
                   && std::from_chars(word.data() + 6, word.data() + word.size(), n).ec == std::errc {}) {
            if (!form.ClickButton(n))
                ADD_FAILURE() << "click refused: " << word;
        } else if (!form.MenuCommand(word)) {
            ADD_FAILURE() << "unknown step: " << word;
        }
    }
};

} // namespace lumaro::test
