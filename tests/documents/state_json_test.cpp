// The --state document: its shape, the values after start, and how scripted actions show in it.

#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumaro::test;

namespace {

class StateJsonTest : public ::testing::Test {
protected:
    // Runs the actions and returns the parsed --state document.
    Json StateAfter(std::vector<std::string> args)
    {
        args.insert(args.end(), {"--state", "state.json"});
        const RunResult run = RunRender(args, m_dir.Path());
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        Json state;
        std::string error;
        EXPECT_TRUE(ParseJson(ReadFile(m_dir / "state.json"), state, error)) << error;
        return state;
    }

    ScratchDir m_dir;
};

std::vector<std::string> Numbered(const char* prefix, std::initializer_list<int> skipped, int last)
{
    std::vector<std::string> names;
    for (int n = 1; n <= last; ++n)
        if (std::find(skipped.begin(), skipped.end(), n) == skipped.end())
            names.push_back(prefix + std::to_string(n));
    return names;
}

} // namespace

TEST_F(StateJsonTest, StartStateHasEveryKeyInOrderAndTheStartValues)
{
    const Json state = StateAfter({});
    EXPECT_EQ(state.Keys(),
              (std::vector<std::string> {"records", "panels", "buttons", "flags", "menu", "palette", "window_color"}));

    const Json& records = state["records"];
    ASSERT_EQ(records.items.size(), 100u);
    for (std::size_t i = 0; i < 100; ++i) {
        const int number = static_cast<int>(i) + 1;
        const bool dark = number == 9 || number == 29 || number == 48;
        // The start paint marks the block signal's record and carries the mark to the
        // track-change indicator's.
        const bool marked = number == 2 || number == 3;
        ASSERT_EQ(records[i].items.size(), 16u) << "record " << number;
        for (std::size_t f = 0; f < 16; ++f) {
            const int expected = f == 0 ? !dark : f == 10 ? dark : f == 12 ? marked : 0;   // Halt, Kennlicht, Aux12
            EXPECT_EQ(records[i][f].Int(), expected) << "record " << number << " field " << f;
        }
    }

    const Json& panels = state["panels"];
    EXPECT_EQ(panels.Keys(), Numbered("Panel", {}, 20));
    for (const auto& [name, panel] : panels.members) {
        EXPECT_EQ(panel.Keys(), (std::vector<std::string> {"caption", "hint", "font", "color"})) << name;
        EXPECT_EQ(panel["caption"].type, Json::Type::String) << name;
        EXPECT_EQ(panel["color"].type, Json::Type::Number) << name;
    }
    EXPECT_EQ(panels["Panel17"]["caption"].string, "ESig");
    EXPECT_EQ(panels["Panel18"]["caption"].string, "ASig");
    EXPECT_EQ(panels["Panel19"]["caption"].string, "ZSig");
    EXPECT_EQ(panels["Panel20"]["caption"].string, "BSig");
    EXPECT_EQ(panels["Panel20"]["hint"].string, "Blocksignal");

    const Json& buttons = state["buttons"];
    EXPECT_EQ(buttons.Keys(), Numbered("Button", {4, 15, 33}, 37));
    for (const auto& [name, button] : buttons.members) {
        EXPECT_EQ(button.Keys(), (std::vector<std::string> {"visible", "enabled"})) << name;
        EXPECT_EQ(button["visible"].type, Json::Type::Bool) << name;
    }

    const Json& flags = state["flags"];
    EXPECT_EQ(flags.Keys(), (std::vector<std::string> {"SystemHV", "SystemKs", "SystemHl", "BlinkPhase", "FirstTick",
                                                       "Closing", "MayClose", "CloseCountdown", "Ended"}));
    EXPECT_TRUE(flags["SystemHV"].boolean);
    EXPECT_FALSE(flags["SystemKs"].boolean);
    EXPECT_FALSE(flags["SystemHl"].boolean);
    EXPECT_FALSE(flags["BlinkPhase"].boolean);
    EXPECT_TRUE(flags["FirstTick"].boolean);
    EXPECT_FALSE(flags["Closing"].boolean);
    EXPECT_FALSE(flags["MayClose"].boolean);
    EXPECT_EQ(flags["CloseCountdown"].type, Json::Type::Number);
    EXPECT_EQ(flags["CloseCountdown"].Int(), 0);
    EXPECT_FALSE(flags["Ended"].boolean);

    const Json& menu = state["menu"];
    EXPECT_EQ(menu.Keys(), (std::vector<std::string> {"HVSystem1", "KsSystem1", "HlSystem1", "ag1", "Nacht1",
                                                      "Gleisplan1", "Signalbegriff1"}));
    for (const char* checked : {"HVSystem1", "ag1", "Gleisplan1", "Signalbegriff1"})
        EXPECT_TRUE(menu[checked].boolean) << checked;
    for (const char* unchecked : {"KsSystem1", "HlSystem1", "Nacht1"})
        EXPECT_FALSE(menu[unchecked].boolean) << unchecked;

    EXPECT_EQ(state["palette"].Keys(),
              (std::vector<std::string> {"ColCaption", "ColStructure", "ColPlate", "ColMedium", "ColGround"}));
    EXPECT_EQ(state["window_color"].Int(), 15780518);   // clSkyBlue 0xF0CAA6
}

TEST_F(StateJsonTest, TicksAndMenuCommandsShowInTheState)
{
    Json state = StateAfter({"tick"});
    EXPECT_TRUE(state["flags"]["BlinkPhase"].boolean);
    EXPECT_FALSE(state["flags"]["FirstTick"].boolean);
    state = StateAfter({"tick", "paint", "tick"});
    EXPECT_FALSE(state["flags"]["BlinkPhase"].boolean);

    state = StateAfter({"KsSystem1", "Gleisplan1"});
    EXPECT_TRUE(state["flags"]["SystemKs"].boolean);
    EXPECT_FALSE(state["flags"]["SystemHV"].boolean);
    EXPECT_TRUE(state["menu"]["KsSystem1"].boolean);
    EXPECT_FALSE(state["menu"]["HVSystem1"].boolean);
    EXPECT_FALSE(state["menu"]["Gleisplan1"].boolean);
}

TEST_F(StateJsonTest, NightRepaintsAtOnceAndDayRestores)
{
    const RunResult night = RunRender({"Nacht1", "--state", "night.json", "--trace", "night.trace"}, m_dir.Path());
    ASSERT_EQ(night.status, 0) << night.err;
    Json state;
    std::string error;
    ASSERT_TRUE(ParseJson(ReadFile(m_dir / "night.json"), state, error)) << error;
    EXPECT_EQ(state["window_color"].Int(), 9109504);   // RGB(0, 0, 139)
    EXPECT_FALSE(state["menu"]["ag1"].boolean);
    EXPECT_TRUE(state["menu"]["Nacht1"].boolean);
    // The trace holds the repaint that followed the colour change, not the start paint.
    EXPECT_TRUE(ReadFile(m_dir / "night.trace").starts_with("erase 0x8B0000\n"));

    const RunResult day = RunRender({"Nacht1", "ag1", "--trace", "day.trace", "--state", "day.json"}, m_dir.Path());
    ASSERT_EQ(day.status, 0) << day.err;
    ASSERT_TRUE(ParseJson(ReadFile(m_dir / "day.json"), state, error)) << error;
    EXPECT_EQ(state["window_color"].Int(), 15780518);
    EXPECT_TRUE(ReadFile(m_dir / "day.trace").starts_with("erase 0xF0CAA6\n"));
}

TEST_F(StateJsonTest, ActionsAfterTheCountdownEndedChangeNothing)
{
    std::vector<std::string> script = {"Beenden1"};
    Json state = StateAfter(script);
    EXPECT_TRUE(state["flags"]["Closing"].boolean);
    EXPECT_EQ(state["flags"]["CloseCountdown"].Int(), 10);
    EXPECT_FALSE(state["flags"]["Ended"].boolean);

    script.insert(script.end(), 10, "tick");
    script.insert(script.end(), {"Nacht1", "KsSystem1", "tick"});
    state = StateAfter(script);
    EXPECT_TRUE(state["flags"]["Ended"].boolean);
    EXPECT_TRUE(state["flags"]["MayClose"].boolean);
    EXPECT_EQ(state["window_color"].Int(), 15780518);
    EXPECT_TRUE(state["flags"]["SystemHV"].boolean);
    EXPECT_FALSE(state["flags"]["BlinkPhase"].boolean) << "ten ticks ran, the eleventh did not";
}

TEST_F(StateJsonTest, ClicksReachOnlyButtonsTheWindowShows)
{
    // After the first paint the H/V system hides the buttons of the Hl track-change column.
    const Json idle = StateAfter({"tick", "tick"});
    ASSERT_FALSE(idle["buttons"]["Button13"]["visible"].boolean);
    const Json hidden = StateAfter({"tick", "Button13", "Button14", "tick"});
    const Json shown = StateAfter({"tick", "Button6", "tick"});
    auto records = [](const Json& state) {
        std::vector<long long> flags;
        for (const Json& record : state["records"].items)
            for (const Json& flag : record.items)
                flags.push_back(flag.Int());
        return flags;
    };
    EXPECT_EQ(records(hidden), records(idle));
    EXPECT_NE(records(shown), records(idle));
}
