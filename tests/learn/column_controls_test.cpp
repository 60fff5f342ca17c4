// The signal columns against the window: every control the window shows in a system belongs to a
// column where a signal stands in that system.

#include "learn/column_controls.h"

#include "core/layout.h"
#include "learn/columns.h"

#include "tests/core/form_script.h"

#include <map>
#include <vector>

namespace lumaro::learn {
namespace {

using test::FormScript;

using ColumnControlsTest = FormScript;

struct SystemCase {
    System system;
    const char* menu;
    const char* trackChange;   // the "GWB" button shown in the system
};
constexpr SystemCase kSystemCases[] = {
    {System::HV, "HVSystem1", "Button25"}, {System::Ks, "KsSystem1", "Button25"}, {System::Hl, "HlSystem1", "Button14"}};

TEST_F(ColumnControlsTest, AssignsButtonsAndPanelsByTheirPlaceUnderTheLine)
{
    EXPECT_EQ(ColumnButtons(150, System::HV), (std::vector<int> {30, 31, 32, 34, 35, 36, 37}));
    EXPECT_EQ(ColumnButtons(650, System::HV), (std::vector<int> {1, 2, 3, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(ColumnButtons(750, System::HV), (std::vector<int> {13, 14}));
    // The Hl line has nothing in column 750: its buttons switch the exit signal's indication.
    EXPECT_EQ(ColumnButtons(650, System::Hl), (std::vector<int> {1, 2, 3, 5, 6, 7, 8, 9, 10, 13, 14}));
    EXPECT_EQ(ColumnButtons(750, System::Hl), std::vector<int> {});
    EXPECT_EQ(ColumnButtons(50, System::Ks), std::vector<int> {});

    EXPECT_EQ(ControlColumn(1010, 6), 950);
}

TEST_F(ColumnControlsTest, EveryShownButtonBelongsToOneSignalOfItsSystem)
{
    for (const SystemCase& c : kSystemCases) {
        Run(c.menu);
        Run("paint");
        std::map<int, int> owners;
        for (const std::int32_t x : kColumns)
            for (int n : ColumnButtons(x, c.system))
                ++owners[n];
        for (const ButtonDef& b : kButtons) {
            if (Visible(b.number)) {
                EXPECT_EQ(owners[b.number], 1) << c.menu << " Button" << b.number;
            }
        }
    }
}

// Whatever a designation panel shows is shown under a column where a signal stands.
TEST_F(ColumnControlsTest, EveryWrittenDesignationStandsUnderANamedSignal)
{
    const char* scripts[] = {
        "tick tick",
        "Button31 Button2 Button22 Button29 Button27 tick tick tick",
        "Button16 Button36 Button23 Button28 tick tick tick",
    };
    for (const SystemCase& c : kSystemCases) {
        for (const char* script : scripts) {
            Run(c.menu);
            Run("paint");
            Run(c.trackChange);
            Run(script);
            for (int n = 1; n <= kDesignationPanels; ++n) {
                const PanelDef& p = kPanels[static_cast<std::size_t>(n - 1)];
                if (form.View().Panels[n].caption.empty())
                    continue;
                EXPECT_NE(ColumnSignal(c.system, ControlColumn(p.left, p.width)), nullptr)
                    << c.menu << " Panel" << n << " \"" << form.View().Panels[n].caption << "\" after " << script;
            }
        }
    }
}

} // namespace
} // namespace lumaro::learn
