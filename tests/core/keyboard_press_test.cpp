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
        EXPECT_EQ(clicked->FocusedControl, 0);
        EXPECT_EQ(pressed->FocusedControl, button);
        clicked->Timer1Timer();
        pressed->Timer1Timer();
    }
    for (int record = 1; record <= SignalTable::kCount; ++record)
        for (FieldPtr field : kRecordFields)
            EXPECT_EQ(pressed->Signals[record].*field, clicked->Signals[record].*field) << "record " << record;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        EXPECT_EQ(pressed->Panels[panel].caption, clicked->Panels[panel].caption) << "Panel" << panel;

    // A button the core does not show or has disabled takes no press and leaves the focus.
    ASSERT_FALSE(pressed->Buttons[13].visible);
    EXPECT_FALSE(pressed->KeyPressButton(13));
    EXPECT_EQ(pressed->FocusedControl, 22);
    pressed->Buttons[30].enabled = false;
    EXPECT_FALSE(pressed->KeyPressButton(30));
    EXPECT_FALSE(pressed->KeyPressButton(4));
    EXPECT_EQ(pressed->FocusedControl, 22);
}

} // namespace
