#include "core/main_form.h"

#include <gtest/gtest.h>

using namespace lumaro;

TEST(MainFormTest, CreateSelectsHVAndDayColours)
{
    MainForm form;
    form.FormCreate();
    EXPECT_TRUE(form.SystemHV);
    EXPECT_FALSE(form.SystemKs);
    EXPECT_EQ(form.WindowColor, clSkyBlue);
    EXPECT_TRUE(form.FirstTick);
}
