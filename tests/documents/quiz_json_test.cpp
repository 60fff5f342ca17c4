// The self-test's items as lumaro-render --quiz writes them, one JSON object a line.

#include "documents/quiz_json.h"

#include <gtest/gtest.h>

namespace lumaro::documents {
namespace {

using learn::ItemKind;
using learn::QuizItem;

TEST(QuizJsonTest, JsonLineHasTheKeysInOrderAndNullsForTheOtherKind)
{
    QuizItem set;
    set.kind = ItemKind::Set;
    set.system = System::HV;
    set.setup = {"HVSystem1", "tick"};
    set.panel = 4;
    set.prompt = "Stelle das Ausfahrsignal auf Hp 2.";
    set.target = "Hp 2";
    set.solution = {"Button2", "tick"};
    set.why = "a \"b\"\n";
    EXPECT_EQ(QuizItemJson(set),
              "{\"kind\": \"set\", \"system\": \"HV\", \"setup\": [\"HVSystem1\", \"tick\"], \"panel\": \"Panel4\", "
              "\"prompt\": \"Stelle das Ausfahrsignal auf Hp 2.\", \"then\": [], \"choices\": [], \"answer\": null, "
              "\"target\": \"Hp 2\", \"solution\": [\"Button2\", \"tick\"], \"why\": \"a \\\"b\\\"\\n\"}");

    QuizItem name = set;
    name.kind = ItemKind::Name;
    name.choices = {"Hp 2 + Zs 3 \"6\"", "Hp 2", "Hp 1"};
    name.answer = 1;
    const std::string json = QuizItemJson(name);
    EXPECT_NE(json.find("\"choices\": [\"Hp 2 + Zs 3 \\\"6\\\"\", \"Hp 2\", \"Hp 1\"], \"answer\": 1, "
                        "\"target\": null, \"solution\": []"),
              std::string::npos);
}

} // namespace
} // namespace lumaro::documents
