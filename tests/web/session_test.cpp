// The page's copy of the canvas: only what changed is written again, and what the page is told
// changed, laid over what it showed before, is always the canvas as it is.

#include "web/session.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace lumaro;

namespace {

// What the page does with each copy: takes over the part it is told changed.
void TakeOver(std::vector<std::uint32_t>& shown, const std::uint8_t* rgba, const std::int32_t* part)
{
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(rgba);
    for (int y = part[1]; y < part[1] + part[3]; ++y)
        for (int x = part[0]; x < part[0] + part[2]; ++x)
            shown[static_cast<std::size_t>(y) * Canvas::kWidth + x] = pixels[static_cast<std::size_t>(y) * Canvas::kWidth + x];
}

std::string FirstDifference(const std::vector<std::uint32_t>& shown, const Canvas& canvas)
{
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (shown[static_cast<std::size_t>(y) * canvas.Width() + x] != (canvas.Pixel(x, y) | 0xFF000000u))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

} // namespace

TEST(WebSessionTest, ThePageTakingOverOnlyTheChangedPartShowsTheCanvas)
{
    // Ticks, buttons and menus at random, the page copying after most steps but not all, and the
    // self-test's situations, which keep the learner's line aside and give it back.
    std::mt19937 rng(11);
    web::Session session;
    std::vector<std::uint32_t> shown(static_cast<std::size_t>(Canvas::kWidth) * Canvas::kHeight, 0);
    const char* menus[] = {"HVSystem1", "KsSystem1", "HlSystem1", "Nacht1", "ag1", "Gleisplan1"};
    int partial = 0;
    for (int step = 0; step < 300; ++step) {
        const unsigned what = rng() % 30;
        if (what == 0)
            session.MenuCommand(menus[rng() % std::size(menus)]);
        else if (what == 1)
            session.KeepLine();
        else if (what == 2)
            session.StartSituation("KsSystem1 Button34 tick");
        else if (what == 3)
            session.RestoreLine();
        else if (what < 12)
            session.ClickButton(1 + static_cast<int>(rng() % 37));
        else
            session.Tick();
        if (rng() % 4 == 0)
            continue;
        const std::uint8_t* rgba = session.Rgba();
        const std::int32_t* part = session.RgbaChanged();
        partial += part[2] > 0 && part[2] * part[3] < Canvas::kWidth * Canvas::kHeight;
        TakeOver(shown, rgba, part);
        ASSERT_EQ(FirstDifference(shown, session.Form().View().Canvas), "") << "step " << step;
    }
    EXPECT_GT(partial, 50);
}
