// The canvas draws a frame again only where it differs from the last one: whatever the history, its
// pixels must be those of the frame drawn whole on an erased canvas.

#include "core/main_form.h"
#include "render/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace lumaro;

namespace {

constexpr int kW = 240, kH = 160;

struct Op {
    TraceOp::Kind kind;
    int x1, y1, x2, y2;
    Color pen, brush, border;
    int width;
};

// Few colours, so that fills stop at the outlines drawn before them, leak through gaps and meet
// pixels of their own brush.
constexpr Color kColours[] = {clBlack, clRed, clYellow, clWhite, clGreen};

Color AnyColour(std::mt19937& rng) { return kColours[rng() % std::size(kColours)]; }

// One operation, or a shape and a fill inside it that stops at its outline as the scene's lamps
// do, or a fill that runs as far as what was drawn before it lets it.
std::vector<Op> RandomUnit(std::mt19937& rng)
{
    auto at = [&](int size) { return static_cast<int>(rng() % static_cast<unsigned>(size + 20)) - 10; };
    // Crowded into part of the canvas, so that shapes overlap and fills meet what others drew.
    const int x = at(kW / 2), y = at(kH / 2), w = 2 + static_cast<int>(rng() % 30), h = 2 + static_cast<int>(rng() % 30);
    const int width = rng() % 4 == 0 ? 2 + static_cast<int>(rng() % 3) : 1;
    const TraceOp::Kind shape = rng() % 2 ? TraceOp::Kind::Rectangle : TraceOp::Kind::Ellipse;
    // Now and then a fill that stops wherever the shapes drawn before it let it.
    if (rng() % 12 == 0)
        return {{TraceOp::Kind::FloodFill, x, y, 0, 0, 0, AnyColour(rng), AnyColour(rng), 1}};
    switch (rng() % 3) {
    case 0: return {{TraceOp::Kind::LineTo, x, y, x + w - 15, y + h - 15, AnyColour(rng), 0, 0, width}};
    case 1: return {{shape, x, y, x + w, y + h, AnyColour(rng), AnyColour(rng), 0, width}};
    default: {
        const Color outline = AnyColour(rng);
        return {{shape, x, y, x + w, y + h, outline, AnyColour(rng), 0, width},
            {TraceOp::Kind::FloodFill, x + w / 2, y + h / 2, 0, 0, 0, AnyColour(rng), outline, 1}};
    }
    }
}

// A fill anywhere, which may run over much of the canvas.
Op RandomFill(std::mt19937& rng)
{
    return {TraceOp::Kind::FloodFill, static_cast<int>(rng() % kW), static_cast<int>(rng() % kH), 0, 0, 0,
        AnyColour(rng), AnyColour(rng), 1};
}

// The operations, on what the canvas shows.
void DrawOn(Canvas& canvas, std::vector<Op>::const_iterator begin, std::vector<Op>::const_iterator end)
{
    for (; begin != end; ++begin) {
        const Op& op = *begin;
        canvas.SetPenColor(op.pen);
        canvas.SetPenWidth(op.width);
        canvas.SetBrushColor(op.brush);
        switch (op.kind) {
        case TraceOp::Kind::LineTo:
            canvas.MoveTo(op.x1, op.y1);
            canvas.LineTo(op.x2, op.y2);
            break;
        case TraceOp::Kind::Rectangle: canvas.Rectangle(op.x1, op.y1, op.x2, op.y2); break;
        case TraceOp::Kind::Ellipse: canvas.Ellipse(op.x1, op.y1, op.x2, op.y2); break;
        case TraceOp::Kind::FloodFill: canvas.FloodFill(op.x1, op.y1, op.border); break;
        default: break;
        }
    }
}

void Draw(Canvas& canvas, Color erase, const std::vector<Op>& ops)
{
    canvas.Erase(erase);
    DrawOn(canvas, ops.begin(), ops.end());
}

// The first pixel in which the two canvases differ, or "" when none does.
std::string FirstDifference(Canvas& canvasA, Canvas& canvasB)
{
    const RetainedRaster& a = canvasA.Draw();
    const RetainedRaster& b = canvasB.Draw();
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

bool Whole(const raster::Box& box, const RetainedRaster& c)
{
    return box == raster::Box{0, 0, c.Width(), c.Height()};
}

} // namespace

TEST(RetainedRasterTest, EveryFrameShowsWhatAFreshCanvasShows)
{
    // Frames that each change a few shapes of the one before (replaced, added, taken out), now
    // and then with a fill that runs anywhere, another erase colour or no change at all. The pixels
    // are read at the end of a frame and sometimes in the middle of one, after which it goes on.
    std::mt19937 rng(19);
    Canvas kept(kW, kH);
    std::vector<std::vector<Op>> units;
    for (int i = 0; i < 30; ++i)
        units.push_back(RandomUnit(rng));
    Color erase = clWhite;
    int partial = 0, untouched = 0, whole = 0;
    for (int frame = 0; frame < 1500; ++frame) {
        const unsigned changes = rng() % 8 == 0 ? 2 + rng() % 2 : rng() % 2;
        for (unsigned c = 0; c < changes; ++c) {
            const std::size_t at = rng() % (units.size() + 1);
            switch (rng() % 3) {
            case 0:
                if (at < units.size())
                    units[at] = RandomUnit(rng);
                break;
            case 1: units.insert(units.begin() + static_cast<long>(at), RandomUnit(rng)); break;
            default:
                if (at < units.size() && units.size() > 10)
                    units.erase(units.begin() + static_cast<long>(at));
                break;
            }
        }
        if (rng() % 50 == 0)
            erase = AnyColour(rng);
        std::vector<Op> ops;
        for (const std::vector<Op>& unit : units)
            ops.insert(ops.end(), unit.begin(), unit.end());
        if (rng() % 20 == 0)
            ops.insert(ops.begin() + static_cast<long>(rng() % ops.size()), RandomFill(rng));

        if (rng() % 10 == 0) {
            // Read halfway, then draw the rest of the frame without a new erase.
            const std::vector<Op> head(ops.begin(), ops.begin() + static_cast<long>(ops.size() / 2));
            Draw(kept, erase, head);
            Canvas fresh(kW, kH);
            Draw(fresh, erase, head);
            ASSERT_EQ(FirstDifference(kept, fresh), "") << "frame " << frame << ", first half";
            DrawOn(kept, ops.begin() + static_cast<long>(head.size()), ops.end());
        } else {
            Draw(kept, erase, ops);
        }
        Canvas fresh(kW, kH);
        Draw(fresh, erase, ops);
        ASSERT_EQ(FirstDifference(kept, fresh), "") << "frame " << frame;
        const raster::Box damage = kept.Draw().Damage();
        (damage.Empty() ? untouched : Whole(damage, kept.Draw()) ? whole : partial)++;
    }
    // The comparison must have covered each way a frame is brought up to date.
    EXPECT_GT(partial, 100);
    EXPECT_GT(untouched, 100);
    EXPECT_GT(whole, 50);
}

TEST(RetainedRasterTest, TheLineShowsWhatItsTraceDrawnWholeShows)
{
    // The program's own frames: buttons pressed at random between ticks in each system, by day
    // and by night; after every paint the canvas equals its trace drawn on a fresh canvas.
    std::mt19937 rng(7);
    MainForm form;
    form.FormCreate();
    form.RecordTrace(true);
    const char* menus[] = {"HVSystem1", "KsSystem1", "HlSystem1", "Nacht1", "ag1", "Gleisplan1", "Signalbegriff1"};
    int partial = 0;
    for (int step = 0; step < 400; ++step) {
        const unsigned what = rng() % 20;
        if (what == 0)
            form.MenuCommand(menus[rng() % std::size(menus)]);
        else if (what < 8)
            form.ClickButton(1 + static_cast<int>(rng() % 37));
        form.Timer1Timer();
        const RetainedRaster& canvas = form.DrawCanvas();
        Canvas fresh;
        for (const TraceOp& op : form.View().Canvas.Trace())
            fresh.Replay(op);
        const RetainedRaster& drawn = fresh.Draw();
        ASSERT_TRUE(std::equal(canvas.Pixels(), canvas.Pixels() + canvas.Width() * canvas.Height(), drawn.Pixels()))
            << "step " << step;
        const raster::Box damage = canvas.Damage();
        partial += !damage.Empty() && !Whole(damage, canvas);
    }
    EXPECT_GT(partial, 100);
}

TEST(RetainedRasterTest, DrawingOnWithoutAnEraseShowsEveryOperationAndKeepsNoEndlessFrame)
{
    // A canvas drawn on again and again, read in between, never erased: as long as the frame gets,
    // the pixels are those of all its operations; an erase after that starts afresh.
    std::mt19937 rng(3);
    Canvas kept(kW, kH), fresh(kW, kH);
    std::vector<Op> ops;
    for (int i = 0; i < 20000; ++i) {
        const std::vector<Op> unit = RandomUnit(rng);
        ops.insert(ops.end(), unit.begin(), unit.end());
        DrawOn(kept, ops.end() - static_cast<long>(unit.size()), ops.end());
        if (i % 1000 == 0 || i == 19999) {
            DrawOn(fresh, ops.begin(), ops.end());
            ASSERT_EQ(FirstDifference(kept, fresh), "") << "operation " << i;
            fresh = Canvas(kW, kH);
        }
    }
    ops.resize(30);
    Draw(kept, clWhite, ops);
    Draw(fresh, clWhite, ops);
    EXPECT_EQ(FirstDifference(kept, fresh), "");

    // One frame of more operations than are kept waiting, read only at its end, against the same
    // frame read every few hundred operations.
    ops.clear();
    while (ops.size() < 40000) {
        const std::vector<Op> unit = RandomUnit(rng);
        ops.insert(ops.end(), unit.begin(), unit.end());
    }
    Draw(kept, clYellow, ops);
    fresh.Erase(clYellow);
    for (std::size_t at = 0; at < ops.size(); at += 397) {
        DrawOn(fresh, ops.begin() + static_cast<long>(at), ops.begin() + static_cast<long>(std::min(at + 397, ops.size())));
        fresh.Draw();
    }
    EXPECT_EQ(FirstDifference(kept, fresh), "");
}

TEST(RetainedRasterTest, AFillThatNowRunsFurtherReachesTheFillsAfterIt)
{
    // A box split by a line that the second frame leaves out, so that the fill of its left part
    // now runs through the whole box, into a green frame farther right whose own fill then finds
    // nothing to paint. A line drawn last in the second frame widens the part drawn again over
    // the whole box.
    Canvas kept(400, 200);
    auto frame = [](Canvas& canvas, bool second) {
        canvas.Erase(clWhite);
        canvas.SetPenWidth(1);
        canvas.SetPenColor(clBlack);
        canvas.SetBrushColor(clWhite);
        canvas.Rectangle(0, 0, 100, 20);
        if (!second) {
            canvas.MoveTo(20, 0);
            canvas.LineTo(20, 20);
        }
        canvas.SetPenColor(clGreen);
        canvas.Rectangle(70, 5, 90, 15);
        canvas.SetBrushColor(clGreen);
        canvas.FloodFill(5, 5, clBlack);
        canvas.SetBrushColor(clYellow);
        canvas.FloodFill(80, 10, clGreen);
        if (second) {
            canvas.SetPenColor(clBlack);
            canvas.MoveTo(0, 30);
            canvas.LineTo(120, 30);
        }
    };
    frame(kept, false);
    ASSERT_EQ(kept.Draw().Pixel(80, 10), clYellow);
    frame(kept, true);
    Canvas fresh(400, 200);
    frame(fresh, true);
    ASSERT_EQ(fresh.Draw().Pixel(80, 10), clGreen);
    EXPECT_EQ(FirstDifference(kept, fresh), "");
}
