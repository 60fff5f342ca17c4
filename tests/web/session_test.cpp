// The page's copy of the canvas: only what changed is written again, and what the page is told
// changed, laid over what it showed before, is always the canvas as it is.

#include "web/session.h"

#include "learn/columns.h"

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

std::string FirstDifference(const std::vector<std::uint32_t>& shown, const RetainedRaster& canvas)
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
    learn::Progress progress;
    learn::QuizSession& quiz = session.Quiz(progress);
    std::vector<std::uint32_t> shown(static_cast<std::size_t>(Canvas::kWidth) * Canvas::kHeight, 0);
    const char* menus[] = {"HVSystem1", "KsSystem1", "HlSystem1", "Nacht1", "ag1", "Gleisplan1"};
    int partial = 0;
    for (int step = 0; step < 300; ++step) {
        const unsigned what = rng() % 30;
        if (what == 0)
            session.MenuCommand(menus[rng() % std::size(menus)]);
        else if (what == 1)
            quiz.StartPractice(11);
        else if (what == 2)
            quiz.Proceed() || quiz.Choose(0);
        else if (what == 3)
            quiz.Close();
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
        // The canvas is drawn on a copy, so that the check leaves the session's own as the page did.
        Canvas canvas = session.Form().View().Canvas;
        ASSERT_EQ(FirstDifference(shown, canvas.Draw()), "") << "step " << step;
    }
    EXPECT_GT(partial, 50);
}

namespace {

// While a question asks about a column, the page hears nothing of it that holds the answer, and a
// held button is refused by the core itself.
TEST(WebSessionTest, AnOpenQuestionConcealsItsColumnAndHoldsTheButtons)
{
    web::Session session;
    learn::Progress progress;
    learn::QuizSession& quiz = session.Quiz(progress);
    quiz.StartExam(77);
    while (quiz.Item()->kind != learn::ItemKind::Name)
        quiz.Choose(0) || quiz.Proceed();
    const learn::QuizItem item = *quiz.Item();
    EXPECT_EQ(session.WhyOf(item.panel), learn::kConcealedText);
    const std::string access = session.AccessJson();
    EXPECT_NE(access.find(learn::kConcealedText), std::string::npos);
    EXPECT_NE(access.find("\"Panel" + std::to_string(item.panel) + "\": {\"name\": \""
                          + learn::PanelName(item.system, item.panel, "") + "\", \"description\": \"\"}"),
              std::string::npos) << access;
    const std::string view = session.QuizJson();
    EXPECT_NE(view.find("\"buttonsHeld\": true"), std::string::npos);
    EXPECT_NE(view.find("\"panel\": \"Panel" + std::to_string(item.panel) + "\""), std::string::npos);

    const std::string before = session.StateJson();
    for (int n = 1; n <= 60; ++n)
        EXPECT_FALSE(session.ClickButton(n)) << n;
    EXPECT_EQ(session.StateJson(), before);

    quiz.Close();
    EXPECT_NE(session.WhyOf(item.panel), learn::kConcealedText);
    EXPECT_FALSE(session.Concealed().buttonsHeld);
}

} // namespace
