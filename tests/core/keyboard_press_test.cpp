// A button pressed from the keyboard: the click's action, with the focus left on the button.

#include "core/main_form.h"
#include "state/record_fields.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumaro;

namespace {

std::unique_ptr<MainForm> Started()
{
    auto form = std::make_unique<MainForm>();
    form->FormCreate();
    form->Paint();
    form->Timer1Timer();
    return form;
}

TEST(KeyPressButtonTest, ActsAsAClickButKeepsTheFocus)
{
    auto clicked = Started();
    auto pressed = Started();
    for (int button : {31, 12, 22}) {
        ASSERT_TRUE(clicked->ClickButton(button));
        ASSERT_TRUE(pressed->KeyPressButton(button));
        EXPECT_EQ(clicked->View().FocusedControl, 0);
        EXPECT_EQ(pressed->View().FocusedControl, button);
        clicked->Timer1Timer();
        pressed->Timer1Timer();
    }
    for (int record = 1; record <= SignalTable::kCount; ++record)
        for (FieldPtr field : kRecordFields)
            EXPECT_EQ(pressed->View().Signals[record].*field, clicked->View().Signals[record].*field)
                << "record " << record;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        EXPECT_EQ(pressed->View().Panels[panel].caption, clicked->View().Panels[panel].caption) << "Panel" << panel;

    // A button the core does not show takes no press and leaves the focus; so does a number
    // without a button.
    ASSERT_FALSE(pressed->View().Buttons[13].visible);
    EXPECT_FALSE(pressed->KeyPressButton(13));
    EXPECT_FALSE(pressed->KeyPressButton(4));
    EXPECT_EQ(pressed->View().FocusedControl, 22);

    // Tab moving the focus is noted; a number without a button means no button.
    pressed->ControlFocused(30);
    EXPECT_EQ(pressed->View().FocusedControl, 30);
    pressed->ControlFocused(4);
    EXPECT_EQ(pressed->View().FocusedControl, 0);
}

} // namespace
