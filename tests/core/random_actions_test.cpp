// Random sequences of clicks, ticks, paints and menu commands on one main window, checking after
// every action what no sequence may break. Under the sanitizer build this also runs the paint
// through many states of the signal table.

#include "tests/core/form_script.h"

#include <random>

using namespace lumaro;

namespace {

// Records that only buttons and the propagation's aspect rules write: each shows exactly one
// aspect at any time.
constexpr int kOneAspectRecords[] = {2, 6, 7, 9, 12, 14, 21, 24, 26, 29, 32, 34, 41, 43, 45, 48, 50, 51};

constexpr const char* kMenuWords[] = {
    "HVSystem1", "KsSystem1", "HlSystem1", "ag1", "Nacht1", "Gleisplan1", "Signalbegriff1",
    "Lzenz1", "Lizenz1", "Info1", "Beenden1",
};

void CheckInvariants(const MainForm& form, const std::string& step)
{
    SCOPED_TRACE(step);
    for (int n = 1; n <= SignalTable::kCount; ++n) {
        const SignalRecord& r = form.View().Signals[n];
        for (FieldPtr f : kRecordFields) {
            ASSERT_TRUE(r.*f == 0 || r.*f == 1) << "record " << n;
        }
        ASSERT_EQ(r.Aux6 + r.Aux14 + r.Aux15, 0) << "record " << n;
    }
    for (int n : kOneAspectRecords) {
        const SignalRecord& r = form.View().Signals[n];
        ASSERT_EQ(r.Halt + r.Fahrt + r.Kmh40 + r.Kmh60 + r.Kmh80 + r.Kmh100 + r.Rangier + r.Ersatz + r.Vorsicht
                      + r.Kennlicht,
                  1)
            << "record " << n;
    }
    ASSERT_TRUE(form.View().system.has_value());
    ASSERT_EQ(form.MenuChecked(*FindMenuItem("HVSystem1")), (form.View().system == System::HV));
    ASSERT_EQ(form.MenuChecked(*FindMenuItem("KsSystem1")), (form.View().system == System::Ks));
    ASSERT_EQ(form.MenuChecked(*FindMenuItem("HlSystem1")), (form.View().system == System::Hl));
    ASSERT_NE(form.View().Menu.ag1, form.View().Menu.Nacht1);
    for (const ButtonDef& b : kButtons) {
        if (b.number != 34 && b.number != 35) {
            ASSERT_TRUE(form.View().Buttons[b.number].enabled) << b.number;
        }
    }
}

} // namespace

TEST(RandomActionsTest, NoSequenceOfActionsBreaksTheInvariants)
{
    std::mt19937 random(20240611);
    auto form = std::make_unique<MainForm>();
    form->FormCreate();
    form->Paint();
    int ended = 0;
    for (int i = 0; i < 3000; ++i) {
        const unsigned kind = random() % 20;
        std::string step;
        if (kind < 12) {
            const int n = static_cast<int>(random() % 40) - 1;
            step = "Button" + std::to_string(n);
            if (form->ClickButton(n)) {
                ASSERT_EQ(form->View().FocusedControl, 0) << step;
            }
        } else if (kind < 16) {
            step = "tick";
            form->Timer1Timer();
            // In H/V the entry signal never stays at "Fahrt" past a tick while the intermediate
            // signal is in operation.
            if (form->View().system == System::HV) {
                ASSERT_FALSE(form->View().Signals[7].Kennlicht == 0 && form->View().Signals[14].Fahrt == 1);
            }
        } else if (kind < 17) {
            step = "paint";
            form->Paint();
        } else if (kind < 18) {
            step = "FormClick";
            form->FormClick();
        } else {
            // "Beenden" rarely, so that most runs go on long enough to reach many states.
            const std::size_t items = std::size(kMenuWords) - (random() % 8 == 0 ? 0 : 1);
            step = kMenuWords[random() % items];
            form->MenuCommand(step);
            if (form->View().RepaintPending)
                form->Paint();
        }
        ASSERT_NO_FATAL_FAILURE(CheckInvariants(*form, std::to_string(i) + ": " + step));
        if (form->View().Ended) {
            ++ended;
            form = std::make_unique<MainForm>();
            form->FormCreate();
            form->Paint();
        }
    }
    EXPECT_GT(ended, 0);
}
