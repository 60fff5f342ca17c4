// --explain: the document's shape, its agreement with the core's explanations, and that asking
// for it changes no other output.

#include "cli_test_support.h"

#include "core/main_form.h"
#include "learn/explain.h"
#include "learn/line_of_form.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumaro;
using namespace lumaro::test;

namespace {

const std::vector<std::string> kActions = {"KsSystem1", "tick", "Button20", "Button3", "tick",
                                           "Button35", "tick", "Button26", "tick", "tick"};

class ExplainOutputTest : public ::testing::Test {
protected:
    RunResult Render(std::vector<std::string> args) { return RunRender(args, m_dir.Path()); }

    ScratchDir m_dir;
};

} // namespace

TEST_F(ExplainOutputTest, ListsEveryCaptionedPanelInOrderWithTheCoresWords)
{
    std::vector<std::string> args = kActions;
    args.insert(args.end(), {"--explain", "why.json"});
    const RunResult run = Render(args);
    ASSERT_EQ(run.status, 0) << run.err;
    Json doc;
    std::string error;
    ASSERT_TRUE(ParseJson(ReadFile(m_dir / "why.json"), doc, error)) << error;
    EXPECT_EQ(doc.Keys(), (std::vector<std::string> {"system", "panels"}));
    EXPECT_EQ(doc["system"].string, "Ks");

    // The same actions on the core.
    auto form = std::make_unique<MainForm>();
    form->FormCreate();
    form->Paint();
    for (const std::string& a : kActions) {
        if (a == "tick")
            form->Timer1Timer();
        else if (a.starts_with("Button"))
            form->ClickButton(std::stoi(a.substr(6)));
        else
            form->MenuCommand(a);
    }
    const learn::Explanation e = learn::Explain(learn::LineOf(form->View()));
    ASSERT_EQ(doc["panels"].items.size(), e.panels.size());
    int previous = 0;
    int rules = 0;
    for (std::size_t i = 0; i < e.panels.size(); ++i) {
        const Json& p = doc["panels"][i];
        const learn::PanelWhy& why = e.panels[i];
        // A rule's entry says what its causes showed when it acted.
        if (why.source == learn::WhySource::Rule) {
            ++rules;
            EXPECT_EQ(p.Keys(), (std::vector<std::string> {"panel", "x", "signal", "aspect", "source", "causes", "then", "why"}));
            ASSERT_EQ(p["then"].items.size(), why.causes.size());
            for (std::size_t c = 0; c < why.then.size(); ++c)
                EXPECT_EQ(p["then"][c].string, why.then[c]);
        } else {
            EXPECT_EQ(p.Keys(), (std::vector<std::string> {"panel", "x", "signal", "aspect", "source", "causes", "why"}));
        }
        EXPECT_EQ(p["panel"].string, "Panel" + std::to_string(why.panel));
        EXPECT_GT(why.panel, previous);
        previous = why.panel;
        EXPECT_EQ(p["x"].Int(), why.x);
        EXPECT_EQ(p["signal"].string, why.signal);
        EXPECT_EQ(p["aspect"].string, form->View().Panels[why.panel].caption);
        EXPECT_EQ(p["source"].string, learn::SourceName(why.source));
        ASSERT_EQ(p["causes"].items.size(), why.causes.size());
        for (std::size_t c = 0; c < why.causes.size(); ++c)
            EXPECT_EQ(p["causes"][c].string, "Panel" + std::to_string(why.causes[c]));
        EXPECT_EQ(p["why"].string, why.why);
    }
    EXPECT_GT(rules, 0);
    // The speed indicator's caption has quotes and the texts umlauts: both survive the JSON.
    EXPECT_NE(ReadFile(m_dir / "why.json").find("\"aspect\": \"Zs 3 \\\"2\\\"\""), std::string::npos);
    EXPECT_NE(ReadFile(m_dir / "why.json").find("kündigt"), std::string::npos);
}

TEST_F(ExplainOutputTest, ChangesNoOtherOutput)
{
    std::vector<std::string> plain = kActions;
    plain.insert(plain.end(), {"--state", "a.json", "--trace", "a.trace", "--png", "a.png"});
    std::vector<std::string> explained = kActions;
    explained.insert(explained.end(),
                     {"--explain", "why.json", "--state", "b.json", "--trace", "b.trace", "--png", "b.png"});
    ASSERT_EQ(Render(plain).status, 0);
    ASSERT_EQ(Render(explained).status, 0);
    EXPECT_EQ(ReadFile(m_dir / "a.json"), ReadFile(m_dir / "b.json"));
    EXPECT_EQ(ReadFile(m_dir / "a.trace"), ReadFile(m_dir / "b.trace"));
    EXPECT_EQ(ReadFile(m_dir / "a.png"), ReadFile(m_dir / "b.png"));
}

TEST_F(ExplainOutputTest, StandardOutputAndUsageErrors)
{
    const RunResult out = Render({"--explain", "-"});
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_TRUE(out.out.starts_with("{\n  \"system\": \"HV\",\n  \"panels\": [\n")) << out.out;

    const RunResult missing = Render({"tick", "--explain"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("--explain"), std::string::npos);

    WriteFile(m_dir / "t.trace", "erase 0xF0CAA6\n");
    const RunResult replay = Render({"--replay", "t.trace", "--png", "p.png", "--explain", "why.json"});
    EXPECT_EQ(replay.status, 2);
    EXPECT_FALSE(FileExists(m_dir / "why.json"));
    EXPECT_FALSE(FileExists(m_dir / "p.png"));

    const RunResult twice = Render({"--explain", "x.json", "--state", "./x.json"});
    EXPECT_EQ(twice.status, 2);
}
