// The elements that show no aspect: masts, foundations, plates, boards and mast bands.

#include "tests/render/element_stage.h"
#include "io/trace_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;

namespace {

constexpr int kX = 200;
constexpr int kY = 400;

struct PaletteCase {
    const char* name;
    Color background;
    Palette palette;
};

const PaletteCase kDay {"day", clSkyBlue, {clBlack, clGray, clWhite, clMedGray, clGreen}};
const PaletteCase kNight {"night", clNightBlue, {clWhite, Rgb(3, 3, 3), Rgb(3, 3, 4), Rgb(3, 3, 5), Rgb(3, 3, 6)}};

// The aspect-independent codes.
constexpr int kCommonCodes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 35, 36, 51, 52, 53, 56, 57, 76, 78, 79, 80, 81};

class ElementsTest : public ::testing::Test {
protected:
    void Draw(int code, const PaletteCase& colours = kDay)
    {
        stage.Colors = colours.palette;
        stage.Canvas.Erase(colours.background);
        stage.Canvas.SetRecording(true);
        stage.Canvas.ClearTrace();
        stage.DrawElement(kX, kY, code, 99, 99);
    }

    // Pixel relative to the anchor.
    Color At(int dx, int dy) const { return stage.Canvas.Drawn().Pixel(kX + dx, kY + dy); }

    std::vector<std::string> TraceLines(std::size_t count) const
    {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < count && i < stage.Canvas.Trace().size(); ++i)
            lines.push_back(FormatTraceOp(stage.Canvas.Trace()[i]));
        return lines;
    }

    lumaro::test::ElementStage stage;
};

TEST_F(ElementsTest, MastsStandOnAFilledFoundation)
{
    for (int code : {1, 2, 3, 4, 35, 51, 56, 76}) {
        SCOPED_TRACE(code);
        Draw(code);
        EXPECT_EQ(At(0, 10), clMedGray);
        EXPECT_EQ(At(-9, 10), clMedGray);
        EXPECT_EQ(At(9, 12), clMedGray);
        EXPECT_EQ(At(0, 14), clSkyBlue);   // the ground strip starts here
        EXPECT_EQ(At(11, 10), clSkyBlue);
        EXPECT_EQ(At(0, -100), clGray);    // the shaft
    }
    Draw(36);
    EXPECT_EQ(At(0, 10), clMedGray);
    EXPECT_EQ(At(-9, 10), clSkyBlue);
    EXPECT_EQ(At(0, -10), clSkyBlue);  // a foundation without a mast
}

TEST_F(ElementsTest, MastTopsDifferByCode)
{
    const struct {
        int code;
        int top;
    } tops[] = {{1, -179}, {2, -199}, {3, -219}, {4, -160}, {35, -160}, {56, -219}, {76, -200}};
    for (const auto& t : tops) {
        SCOPED_TRACE(t.code);
        Draw(t.code);
        EXPECT_EQ(At(0, t.top + 4), clGray);
        EXPECT_EQ(At(0, t.top - 5), clSkyBlue);
    }
}

TEST_F(ElementsTest, KsMastFillsFootShaftBracketAndPostButNotItsFrame)
{
    Draw(51);
    EXPECT_EQ(At(0, -2), clGray);       // foot
    EXPECT_EQ(At(-3, -100), clGray);    // shaft, filled across
    EXPECT_EQ(At(3, -100), clGray);
    EXPECT_EQ(At(-10, -157), clGray);   // bracket
    EXPECT_EQ(At(-16, -190), clGray);   // post
    EXPECT_EQ(At(20, -180), clGray);    // frame edge
    EXPECT_EQ(At(10, -180), clSkyBlue); // frame interior stays open
    EXPECT_EQ(At(-5, -100), clSkyBlue);
}

TEST_F(ElementsTest, PlatesHaveTheirEdgeAndInterior)
{
    Draw(5);
    EXPECT_EQ(At(0, -20), clWhite);
    EXPECT_EQ(At(-10, -20), clBlack);
    EXPECT_EQ(At(10, -20), clBlack);
    EXPECT_EQ(At(0, -35), clBlack);
    EXPECT_EQ(At(0, -8), clBlack);
    EXPECT_EQ(At(0, -7), clSkyBlue);

    Draw(6, kNight);
    EXPECT_EQ(At(-10, -20), Rgb(3, 3, 4));
    EXPECT_EQ(At(10, -20), Rgb(3, 3, 4));
    EXPECT_EQ(At(-1, -20), clBlack);
    EXPECT_EQ(At(0, -20), clNightBlue);  // the gap between the pair
    EXPECT_EQ(At(1, -20), clBlack);

    Draw(9);
    EXPECT_EQ(At(-4, -116), clWhite);
    EXPECT_EQ(At(4, -116), clWhite);
    EXPECT_EQ(At(5, -116), clSkyBlue);
    Draw(53);
    EXPECT_EQ(At(6, -116), clWhite);
    EXPECT_EQ(At(7, -116), clSkyBlue);
}

TEST_F(ElementsTest, MastBandStripesHaveTheirColours)
{
    Draw(7);
    EXPECT_EQ(At(0, -95), clWhite);
    EXPECT_EQ(At(0, -70), clRed);
    EXPECT_EQ(At(-2, -90), clRed);  // the red outline repaints the white stripe's bottom row
    EXPECT_EQ(At(0, -55), clWhite);
    EXPECT_EQ(At(2, -70), clSkyBlue);

    Draw(8);
    const Color eight[] = {clWhite, clYellow, clWhite, clYellow, clWhite};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(At(0, -99 + 12 * i), eight[i]) << "stripe " << i;

    Draw(79);
    const Color seventyNine[] = {clWhite, clBlack, clWhite, clBlack, clWhite};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(At(2, -99 + 12 * i), seventyNine[i]) << "stripe " << i;

    for (int code : {80, 81}) {
        SCOPED_TRACE(code);
        Draw(code);
        EXPECT_EQ(At(0, -80), clRed);
        EXPECT_EQ(At(-2, -65), clWhite);  // the red stripe's long left edge is covered
        EXPECT_EQ(At(0, -65), clWhite);
    }
    EXPECT_EQ(At(0, -55), clSkyBlue);
    Draw(80);
    EXPECT_EQ(At(0, -55), clYellow);

    Draw(57);
    EXPECT_EQ(At(0, -108), clWhite);
    EXPECT_EQ(At(-4, -95), clRed);  // the white stripe's long left edge is covered
    EXPECT_EQ(At(0, -95), clRed);
    EXPECT_EQ(At(0, -84), clWhite);
    EXPECT_EQ(At(0, -60), clYellow);
    EXPECT_EQ(At(5, -95), clSkyBlue);
}

TEST_F(ElementsTest, RectangularStripeOutlineStartsAtTheLeftBottom)
{
    Draw(7);
    const std::vector<std::string> firstStripe = {
        "moveto 198 310",
        "lineto 198 295 0xFFFFFF 1",
        "lineto 201 295 0xFFFFFF 1",
        "lineto 201 310 0xFFFFFF 1",
        "lineto 198 310 0xFFFFFF 1",
        "floodfill 200 305 0xFFFFFF 0xFFFFFF",
        "moveto 198 340",
    };
    EXPECT_EQ(TraceLines(firstStripe.size()), firstStripe);

    // Two stripes whose left edge starts further down, inside the stripe that covers it.
    Draw(80);
    EXPECT_EQ(TraceLines(8)[6], "moveto 198 340");
    EXPECT_EQ(TraceLines(8)[7], "lineto 198 310 0x0000FF 1");
    Draw(57);
    EXPECT_EQ(TraceLines(2), (std::vector<std::string> {"moveto 196 310", "lineto 196 288 0xFFFFFF 1"}));
}

TEST_F(ElementsTest, BoardsShowTheirWedgesAndRing)
{
    // Board 0's rectangle takes the pen that is left; its outlines must cover every pixel of it.
    stage.Canvas.SetPenColor(clRed);
    stage.Canvas.SetPenWidth(1);
    Draw(0);
    EXPECT_EQ(At(0, -59), clBlack);   // the wedges meet
    EXPECT_EQ(At(-7, -72), clBlack);
    EXPECT_EQ(At(-7, -46), clBlack);
    EXPECT_EQ(At(0, -68), clWhite);   // white triangle left in the upper wedge
    EXPECT_EQ(At(0, -50), clWhite);
    EXPECT_EQ(At(-7, -59), clWhite);  // the board at the sides of the tips
    EXPECT_EQ(At(-9, -59), clBlack);
    EXPECT_EQ(At(-10, -59), clSkyBlue);
    for (int y = 0; y < stage.Canvas.Height(); ++y)
        for (int x = 0; x < stage.Canvas.Width(); ++x)
            ASSERT_NE(stage.Canvas.Drawn().Pixel(x, y), clRed) << x << "," << y;

    // Both edges of board 0 run down from their top left corner.
    const std::vector<std::string> edges = {
        "rectangle 191 326 209 357 0x000000 1 0xFFFFFF",
        "moveto 192 327",
        "lineto 192 357 0x000000 1",
        "lineto 208 357 0x000000 1",
        "lineto 208 327 0x000000 1",
        "lineto 192 327 0x000000 1",
        "moveto 191 326",
        "lineto 191 356 0x000000 1",
        "lineto 209 356 0x000000 1",
        "lineto 209 326 0x000000 1",
        "lineto 191 326 0x000000 1",
        "moveto 191 326",
    };
    Draw(0);
    EXPECT_EQ(TraceLines(edges.size()), edges);

    Draw(78);
    EXPECT_EQ(At(-8, -30), clBlack);  // double edge
    EXPECT_EQ(At(-7, -30), clBlack);
    EXPECT_EQ(At(-6, -30), clWhite);
    EXPECT_EQ(At(-4, -29), clBlack);  // ring
    EXPECT_EQ(At(1, -29), clWhite);   // inside the ring
    EXPECT_EQ(At(7, -29), clWhite);
    EXPECT_EQ(At(9, -30), clBlack);
    EXPECT_EQ(At(10, -30), clSkyBlue);
}

// Every fill must stop at its own outline: by day and with the near-black night palette, no
// pixel outside the element's box changes.
TEST_F(ElementsTest, NoCommonElementFloodsOutsideItsBox)
{
    for (const PaletteCase* colours : {&kDay, &kNight}) {
        for (int code : kCommonCodes) {
            SCOPED_TRACE(std::string(colours->name) + " code " + std::to_string(code));
            Draw(code, *colours);
            int outside = 0;
            int inside = 0;
            for (int y = 0; y < stage.Canvas.Height(); ++y) {
                for (int x = 0; x < stage.Canvas.Width(); ++x) {
                    const bool changed = stage.Canvas.Drawn().Pixel(x, y) != colours->background;
                    const bool inBox = x >= kX - 25 && x <= kX + 25 && y >= kY - 225 && y <= kY + 13;
                    (inBox ? inside : outside) += changed;
                }
            }
            EXPECT_EQ(outside, 0);
            EXPECT_GT(inside, 0);
        }
    }
}

TEST_F(ElementsTest, CodesOutsideTheCatalogueDrawNothing)
{
    stage.Start();
    const SignalTable records = stage.Signals;
    for (int code : {-1, 11, 13, 15, 22, 58, 60, 82, 99, 1000}) {
        SCOPED_TRACE(code);
        stage.Canvas.SetRecording(true);
        stage.Canvas.ClearTrace();
        stage.DrawElement(kX, kY, code, 14, 13);
        EXPECT_TRUE(stage.Canvas.Trace().empty());
        EXPECT_EQ(stage.Signals, records);
        for (int n = 1; n <= 16; ++n)
            EXPECT_TRUE(stage.Panels[n].caption.empty() && stage.Panels[n].hint.empty());
    }
}

} // namespace
