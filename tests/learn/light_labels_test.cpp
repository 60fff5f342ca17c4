// Where the colour letters stand: the window and the page draw them at these places.

#include "learn/light_labels.h"

#include <gtest/gtest.h>

namespace lumaro::learn {
namespace {

LitLight Lamp(std::int32_t column, std::int32_t left, std::int32_t top, LampColor color)
{
    LitLight light;
    light.column = column;
    light.left = left;
    light.top = top;
    light.right = left + 10;
    light.bottom = top + 10;
    light.color = color;
    return light;
}

TEST(LightLabelsTest, LabelsStandAwayFromTheMiddleOfTheirColumnsLights)
{
    const LitLight lights[] = {
        Lamp(150, 130, 200, LampColor::Red),     // left of its column's middle: label on the left
        Lamp(150, 160, 200, LampColor::Green),   // right of it: label on the right
        Lamp(150, 145, 230, LampColor::Yellow),  // on the middle: on the right
        Lamp(350, 340, 100, LampColor::White),   // alone in its column: on the right
    };
    const std::vector<LightLabel> labels = LightLabels(lights);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_STREQ(labels[0].letters, "rt");
    EXPECT_TRUE(labels[0].left);
    EXPECT_EQ(labels[0].x, 128);   // two pixels free before the lamp
    EXPECT_EQ(labels[0].middleY, 205);
    EXPECT_FALSE(labels[1].left);
    EXPECT_EQ(labels[1].x, 172);   // two pixels free after the lamp's right edge (170)
    EXPECT_FALSE(labels[2].left);
    EXPECT_FALSE(labels[3].left);
    EXPECT_STREQ(labels[3].letters, "ws");
}

} // namespace
} // namespace lumaro::learn
