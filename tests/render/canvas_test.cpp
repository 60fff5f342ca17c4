// The canvas's pixel rules on tiny canvases, and the trace format.

#include "io/trace_format.h"
#include "render/canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;

namespace {

// Pictures use '.' for white, '#' for black, 'r' for red, 'y' for yellow, '?' for anything else.
char Symbol(Color c)
{
    switch (c) {
    case clWhite: return '.';
    case clBlack: return '#';
    case clRed: return 'r';
    case clYellow: return 'y';
    default: return '?';
    }
}

std::string Picture(Canvas& canvas)
{
    const RetainedRaster& c = canvas.Draw();
    std::string out;
    for (int y = 0; y < c.Height(); ++y) {
        for (int x = 0; x < c.Width(); ++x)
            out += Symbol(c.Pixel(x, y));
        out += '\n';
    }
    return out;
}

std::string Rows(std::initializer_list<const char*> rows)
{
    std::string out;
    for (const char* r : rows)
        out += std::string(r) + '\n';
    return out;
}

Canvas White(int w, int h)
{
    Canvas c(w, h);
    c.Erase(clWhite);
    c.SetPenColor(clBlack);
    return c;
}

} // namespace

TEST(CanvasTest, LineToLeavesOutEndPixel)
{
    Canvas c = White(6, 3);
    c.MoveTo(0, 1);
    c.LineTo(5, 1);
    EXPECT_EQ(Picture(c), Rows({"......", "#####.", "......"}));
}

TEST(CanvasTest, LeftwardAndUpwardLinesAlsoLeaveOutEndPixel)
{
    Canvas c = White(5, 5);
    c.MoveTo(4, 0);
    c.LineTo(1, 0);
    c.MoveTo(0, 4);
    c.LineTo(0, 1);
    EXPECT_EQ(Picture(c), Rows({"..###", ".....", "#....", "#....", "#...."}));
}

TEST(CanvasTest, DiagonalTiesFollowOctantBias)
{
    // Slope 1/2 has a tie in the middle: rightward-down steps late, rightward-up steps early.
    Canvas c = White(5, 4);
    c.MoveTo(0, 0);
    c.LineTo(4, 2);
    c.MoveTo(0, 3);
    c.LineTo(4, 1);
    EXPECT_EQ(Picture(c), Rows({"##...", "..##.", ".##..", "#...."}));
}

TEST(CanvasTest, RectangleOutlineAndBrushLeaveRightAndBottomOut)
{
    Canvas c = White(6, 5);
    c.SetBrushColor(clRed);
    c.Rectangle(5, 4, 0, 0); // corners in reverse order
    EXPECT_EQ(Picture(c), Rows({"#####.", "#rrr#.", "#rrr#.", "#####.", "......"}));
}

TEST(CanvasTest, EmptyBoxesDrawNothingAndThinEllipsesAreRectangles)
{
    Canvas c = White(5, 4);
    c.SetBrushColor(clRed);
    c.Rectangle(1, 1, 1, 3);
    c.Ellipse(0, 2, 4, 2);
    EXPECT_EQ(Picture(c), Rows({".....", ".....", ".....", "....."}));
    c.Ellipse(0, 0, 4, 2);
    EXPECT_EQ(Picture(c), Rows({"####.", "####.", ".....", "....."}));
}

TEST(CanvasTest, SmallEllipsesHaveGdiShape)
{
    Canvas c = White(7, 7);
    c.SetBrushColor(clRed);
    c.Ellipse(0, 0, 6, 6);
    EXPECT_EQ(Picture(c), Rows({"..##...", ".#rr#..", "#rrrr#.", "#rrrr#.", ".#rr#..", "..##...", "......."}));
}

TEST(CanvasTest, FloodFillStopsAtBorderAndLeaks4ConnectedOnly)
{
    Canvas c = White(6, 5);
    c.MoveTo(0, 0);
    c.LineTo(6, 6); // a diagonal: a 4-connected fill cannot pass it
    c.SetBrushColor(clRed);
    c.FloodFill(0, 4, clBlack);
    EXPECT_EQ(Picture(c), Rows({"#.....", "r#....", "rr#...", "rrr#..", "rrrr#."}));

    Canvas d = White(4, 4);
    d.SetPenColor(clBlack);
    d.SetBrushColor(clWhite);
    d.Rectangle(0, 0, 4, 4);
    d.SetBrushColor(clRed);
    d.FloodFill(0, 0, clBlack); // seed on the border colour: nothing
    d.FloodFill(-1, 2, clWhite); // seed outside the canvas: nothing
    d.FloodFill(1, 1, clBlack);
    EXPECT_EQ(Picture(d), Rows({"####", "#rr#", "#rr#", "####"}));
}

TEST(CanvasTest, FillWithBorderColourBrushTerminates)
{
    Canvas c = White(8, 8);
    c.SetBrushColor(clBlack);
    c.FloodFill(3, 3, clBlack);
    EXPECT_EQ(c.Draw().Pixel(7, 7), clBlack);
    c.SetBrushColor(clWhite);
    c.Erase(clWhite);
    c.FloodFill(3, 3, clBlack); // brush equals the old colour
    EXPECT_EQ(c.Draw().Pixel(0, 0), clWhite);
}

TEST(CanvasTest, WidePenLineHasRoundCaps)
{
    Canvas c = White(9, 7);
    c.SetPenWidth(3);
    c.MoveTo(2, 3);
    c.LineTo(6, 3);
    EXPECT_EQ(c.Draw().Pixel(2, 2), clBlack);
    EXPECT_EQ(c.Draw().Pixel(5, 4), clBlack);
    EXPECT_EQ(c.Draw().Pixel(4, 1), clWhite);
}

TEST(CanvasTest, LinesFarOutsideAreClippedWithoutIterating)
{
    // Each of these would take billions of steps if walked from its end points; the test's running
    // time is the check of that, the pixels the check of the clipping.
    Canvas c = White(16, 8);
    c.MoveTo(INT_MIN, 0);
    c.LineTo(INT_MAX, 5);
    // A line this flat crosses the whole canvas in one row, at the height of its middle.
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(c.Draw().Pixel(x, y), y == 3 ? clBlack : clWhite) << x << "," << y;

    c.MoveTo(INT_MAX, INT_MIN);
    c.LineTo(INT_MIN, INT_MAX);
    c.SetPenWidth(5);
    c.LineTo(INT_MAX, INT_MAX);
    c.SetBrushColor(clRed);
    c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    // The rectangle's outline lies far outside: its brush covers every pixel.
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(c.Draw().Pixel(x, y), clRed) << x << "," << y;
}

TEST(CanvasTest, ClippedLinesShowTheSamePixelsAsUnclippedOnes)
{
    // A line drawn wholly inside a large canvas, and the same line on a small window of it that
    // its ends lie outside of: the window shows exactly the large canvas's pixels. Lines of every
    // pen width, slanted steeply and flatly, in every direction.
    std::mt19937 rng(5);
    constexpr int kBig = 120, kLeft = 40, kTop = 30, kSmallW = 37, kSmallH = 29;
    for (int round = 0; round < 300; ++round) {
        auto coord = [&] { return static_cast<std::int32_t>(rng() % kBig); };
        const std::int32_t x0 = coord(), y0 = coord(), x1 = coord(), y1 = coord();
        const int width = 1 + static_cast<int>(rng() % 4);
        Canvas big = White(kBig, kBig), small = White(kSmallW, kSmallH);
        for (Canvas* c : {&big, &small}) {
            const std::int32_t dx = c == &small ? -kLeft : 0, dy = c == &small ? -kTop : 0;
            c->SetPenWidth(width);
            c->MoveTo(x0 + dx, y0 + dy);
            c->LineTo(x1 + dx, y1 + dy);
        }
        for (int y = 0; y < kSmallH; ++y)
            for (int x = 0; x < kSmallW; ++x)
                ASSERT_EQ(small.Draw().Pixel(x, y), big.Draw().Pixel(x + kLeft, y + kTop))
                    << "line " << x0 << ',' << y0 << " to " << x1 << ',' << y1 << " width " << width << " at " << x << ','
                    << y;
    }
}

TEST(CanvasTest, TraceFormatRoundTripsAndParserIsStrict)
{
    TraceOp op;
    std::string error;
    const char* lines[] = {
        "erase 0xF0CAA6",
        "moveto -2147483648 2147483647",
        "lineto 10 40 0x000000 2",
        "rectangle 1 2 3 4 0x0000FF 5 0x00FFFF",
        "ellipse 9 8 1 2 0x90EE90 1 0x000000",
        "floodfill 5 6 0x000000 0x0000FF",
    };
    for (const char* line : lines) {
        ASSERT_TRUE(ParseTraceOp(line, op, error)) << line << ": " << error;
        EXPECT_EQ(FormatTraceOp(op), line);
    }
    ASSERT_TRUE(ParseTraceOp("erase 0xf0caa6", op, error));
    EXPECT_EQ(op.color, 0xF0CAA6u);

    const char* bad[] = {
        "", "lineto 1 2 0x000000", "lineto 1 2 0x000000 0", "lineto 1 2 0x000000 256",
        "moveto 2147483648 0", "moveto 1.5 0", "moveto 1 2 3", "erase 0x12345", "erase 123456",
        "erase 0xGG0000", "circle 1 2", "moveto +1 2",
    };
    for (const char* line : bad) {
        error.clear();
        EXPECT_FALSE(ParseTraceOp(line, op, error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

TEST(CanvasTest, RecordingAndReplayReproduceThePicture)
{
    Canvas a = White(20, 12);
    a.SetRecording(true);
    a.Erase(clWhite);
    a.SetPenWidth(2);
    a.MoveTo(1, 1);
    a.LineTo(18, 9);
    a.SetPenWidth(1);
    a.SetBrushColor(clYellow);
    a.Ellipse(3, 2, 12, 11);
    a.SetBrushColor(clRed);
    a.FloodFill(0, 11, clBlack);
    ASSERT_EQ(a.Trace().size(), 5u);
    EXPECT_EQ(FormatTraceOp(a.Trace()[2]), "lineto 18 9 0x000000 2");

    Canvas b(20, 12);
    for (const TraceOp& op : a.Trace())
        b.Replay(op);
    EXPECT_EQ(Picture(a), Picture(b));
}

// Random scenes with extreme coordinates: nothing may crash or hang, and a fill never changes a
// pixel of its border colour nor escapes a closed border.
TEST(CanvasTest, RandomExtremeOperationsStaySafeAndFillsRespectBorders)
{
    std::mt19937 rng(12345);
    const std::int32_t extremes[] = {INT_MIN, INT_MIN + 1, -100000, -1, 0, 1, 7, 15, 16, 100000, INT_MAX - 1, INT_MAX};
    auto coord = [&]() -> std::int32_t {
        if (rng() % 2)
            return extremes[rng() % std::size(extremes)];
        return static_cast<std::int32_t>(rng() % 40) - 12;
    };
    const Color colors[] = {clBlack, clWhite, clRed};
    for (int round = 0; round < 300; ++round) {
        Canvas c = White(16, 12);
        for (int i = 0; i < 6; ++i) {
            c.SetPenColor(colors[rng() % 3]);
            c.SetPenWidth(1 + static_cast<int>(rng() % 5));
            c.SetBrushColor(colors[rng() % 3]);
            switch (rng() % 4) {
            case 0: c.MoveTo(coord(), coord()); c.LineTo(coord(), coord()); break;
            case 1: c.Rectangle(coord(), coord(), coord(), coord()); break;
            case 2: c.Ellipse(coord(), coord(), coord(), coord()); break;
            default: break;
            }
        }
        // Fence: a closed black frame; a fill inside must leave black pixels and the outside alone.
        c.SetPenColor(clBlack);
        c.SetPenWidth(1);
        c.SetBrushColor(clWhite);
        c.Rectangle(2, 2, 14, 10);
        std::vector<Color> before(c.Draw().Pixels(), c.Draw().Pixels() + 16 * 12);
        c.SetBrushColor(clYellow);
        c.FloodFill(static_cast<int>(rng() % 20) - 2, static_cast<int>(rng() % 16) - 2, clBlack);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x) {
                const Color was = before[static_cast<std::size_t>(y) * 16 + x];
                const Color now = c.Draw().Pixel(x, y);
                if (was == clBlack)
                    ASSERT_EQ(now, clBlack) << x << "," << y;
                else
                    ASSERT_TRUE(now == was || now == clYellow) << x << "," << y;
            }
        const bool seededInside = c.Draw().Pixel(5, 5) == clYellow;
        if (seededInside) {
            for (int x = 0; x < 16; ++x)
                ASSERT_NE(c.Draw().Pixel(x, 0), clYellow);
        }
    }
}
