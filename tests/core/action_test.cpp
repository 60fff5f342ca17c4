// The one parser of action words that lumaro-render, the self-test and the page share.

#include "core/action.h"

#include <gtest/gtest.h>

namespace lumaro {
namespace {

TEST(ActionTest, WordsNameTheirActionAndNothingElse)
{
    EXPECT_EQ(ParseAction("tick")->kind, Action::Kind::Tick);
    EXPECT_EQ(ParseAction("paint")->kind, Action::Kind::Paint);
    EXPECT_EQ(ParseAction("FormClick")->kind, Action::Kind::FormClick);
    EXPECT_EQ(ParseAction("Button37")->button, 37);
    EXPECT_EQ(ParseAction("Button1")->button, 1);
    ASSERT_TRUE(ParseAction("Nacht1"));
    EXPECT_STREQ(ParseAction("Nacht1")->menu, "Nacht1");

    // No aspect button (4, 15 and 33 are none), no other spelling, no other case.
    for (const char* word : {"Button4", "Button15", "Button33", "Button38", "Button0", "Button07", "Button+5",
             "Button", "Button5 ", "Tick", "nacht1", "", "FormClick1"})
        EXPECT_FALSE(ParseAction(word)) << '"' << word << '"';
    EXPECT_EQ(ButtonWord(12), "Button12");
}

} // namespace
} // namespace lumaro
