// Strings in the --state document: every byte must survive a JSON reader unchanged.

#include "io/json_text.h"
#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

using lumaro::io::AppendJsonString;
using namespace lumaro::test;

TEST(JsonTextTest, EscapesQuotesLineBreaksAndControlsAndKeepsUtf8Raw)
{
    auto quoted = [](std::string_view text) {
        std::string out;
        AppendJsonString(out, text);
        return out;
    };
    EXPECT_EQ(quoted("Vr 1 + Zs 3v \"8\""), "\"Vr 1 + Zs 3v \\\"8\\\"\"");
    EXPECT_EQ(quoted("Halt\r\nerwarten"), "\"Halt\\r\\nerwarten\"");
    EXPECT_EQ(quoted(std::string_view("\x01\x1f\x7f", 3)), "\"\\u0001\\u001f\x7f\"");
    EXPECT_EQ(quoted("Geschwindigkeitsübersicht"), "\"Geschwindigkeitsübersicht\"");

    // Every byte value round-trips through a strict reader.
    std::string all;
    for (int byte = 1; byte < 0x80; ++byte)
        all += static_cast<char>(byte);
    all += "äöüß\\/";
    Json parsed;
    std::string error;
    ASSERT_TRUE(ParseJson(quoted(all), parsed, error)) << error;
    EXPECT_EQ(parsed.string, all);
}
