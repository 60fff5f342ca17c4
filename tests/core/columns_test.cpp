// The signal columns against the window: every control the window shows in a system belongs to a
// column where a signal stands in that system.

#include "core/columns.h"

#include "form_script.h"

#include <map>
#include <vector>

namespace lumaro {
namespace {

using test::FormScript;

using ColumnsTest = FormScript;

struct SystemCase {
    System system;
    const char* menu;
    const char* trackChange;   // the "GWB" button shown in the system
};
constexpr SystemCase kSystemCases[] = {
    {System::HV, "HVSystem1", "Button25"}, {System::Ks, "KsSystem1", "Button25"}, {System::Hl, "HlSystem1", "Button14"}};

TEST_F(ColumnsTest, AssignsButtonsAndPanelsByTheirPlaceUnderTheLine)
{
    EXPECT_EQ(ColumnButtons(150, System::HV), (std::vector<int> {30, 31, 32, 34, 35, 36, 37}));
    EXPECT_EQ(ColumnButtons(650, System::HV), (std::vector<int> {1, 2, 3, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(ColumnButtons(750, System::HV), (std::vector<int> {13, 14}));
    // The Hl line has nothing in column 750: its buttons switch the exit signal's indication.
    EXPECT_EQ(ColumnButtons(650, System::Hl), (std::vector<int> {1, 2, 3, 5, 6, 7, 8, 9, 10, 13, 14}));
    EXPECT_EQ(ColumnButtons(750, System::Hl), std::vector<int> {});
    EXPECT_EQ(ColumnButtons(50, System::Ks), std::vector<int> {});

    EXPECT_EQ(ColumnPanels(150), (std::vector<int> {10, 11, 14, 13}));
    EXPECT_EQ(ColumnPanels(50), (std::vector<int> {12, 15}));
    EXPECT_EQ(ColumnPanels(550), (std::vector<int> {6, 16}));
    EXPECT_EQ(ColumnPanels(950), std::vector<int> {1});

    EXPECT_EQ(ColumnOf(1010, 6), 950);
    EXPECT_EQ(ColumnSignal(350, System::Hl), nullptr);
    EXPECT_EQ(ColumnSignal(42, System::HV), nullptr);
}

TEST_F(ColumnsTest, EveryShownButtonBelongsToOneSignalOfItsSystem)
{
    for (const SystemCase& c : kSystemCases) {
        Run(c.menu);
        Run("paint");
        std::map<int, int> owners;
        for (const SignalColumn& column : kSignalColumns)
            for (int n : ColumnButtons(column.x, c.system))
                ++owners[n];
        for (const ButtonDef& b : kButtons) {
            if (Visible(b.number)) {
                EXPECT_EQ(owners[b.number], 1) << c.menu << " Button" << b.number;
            }
        }
    }
}

// Whatever a designation panel shows is shown under a column where a signal stands.
TEST_F(ColumnsTest, EveryWrittenDesignationStandsUnderANamedSignal)
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
                EXPECT_NE(ColumnSignal(ColumnOf(p.left, p.width), c.system), nullptr)
                    << c.menu << " Panel" << n << " \"" << form.View().Panels[n].caption << "\" after " << script;
            }
        }
    }
}

} // namespace
} // namespace lumaro
