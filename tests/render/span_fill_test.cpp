// The fast fills behind erase, rectangles and spans (library fill for long runs, blocks and single
// pixels for short ones) against plain per-pixel loops on random canvases.

#include "render/canvas.h"
#include "render/canvas_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

using namespace lumaro;

namespace {

std::vector<std::uint32_t> RandomPixels(std::mt19937& rng, std::size_t count)
{
    std::vector<std::uint32_t> px(count);
    for (std::uint32_t& p : px)
        p = rng() & 0xFFFFFF;
    return px;
}

} // namespace

TEST(SpanFillTest, RunsOfEveryLengthAndAlignmentTouchExactlyTheirPixels)
{
    std::mt19937 rng(7);
    // Lengths around the block size and the library threshold, at every offset within a vector.
    for (raster::i64 count = 0; count <= 3 * raster::kLibraryFillMin + 5; ++count) {
        for (int offset = 0; offset < 8; ++offset) {
            const std::vector<std::uint32_t> before = RandomPixels(rng, static_cast<std::size_t>(count) + 24);
            std::vector<std::uint32_t> fast = before, plain = before;
            const Color color = rng() & 0xFFFFFF;
            raster::FillPixels(fast.data() + offset, count, color);
            for (raster::i64 i = 0; i < count; ++i)
                plain[static_cast<std::size_t>(offset + i)] = color;
            ASSERT_EQ(fast, plain) << "count " << count << " offset " << offset;
        }
    }
}

TEST(SpanFillTest, RectanglesMatchAPlainClippedLoop)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 400; ++round) {
        const int w = 1 + static_cast<int>(rng() % 90), h = 1 + static_cast<int>(rng() % 12);
        const std::vector<std::uint32_t> before = RandomPixels(rng, static_cast<std::size_t>(w) * h);
        std::vector<std::uint32_t> fast = before, plain = before;
        // Boxes reach past every edge; every third one is a band across the whole width.
        auto coord = [&](int size) { return static_cast<raster::i64>(rng() % (size + 10)) - 5; };
        raster::i64 left = coord(w), right = coord(w), top = coord(h), bottom = coord(h);
        if (round % 3 == 0) {
            left = round % 2 ? 0 : -3;
            right = round % 2 ? w : w + 4;
        }
        const Color color = rng() & 0xFFFFFF;
        raster::FillRect({fast.data(), w, h, w}, left, top, right, bottom, color);
        for (raster::i64 y = std::max<raster::i64>(top, 0); y < std::min<raster::i64>(bottom, h); ++y)
            for (raster::i64 x = std::max<raster::i64>(left, 0); x < std::min<raster::i64>(right, w); ++x)
                plain[static_cast<std::size_t>(y * w + x)] = color;
        ASSERT_EQ(fast, plain) << "round " << round << ": " << left << ' ' << top << ' ' << right << ' ' << bottom
                               << " on " << w << " x " << h;
    }
}

TEST(SpanFillTest, EraseAndFilledRectanglesOnACanvasMatchPlainLoops)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 60; ++round) {
        const int w = 1 + static_cast<int>(rng() % 300), h = 1 + static_cast<int>(rng() % 40);
        Canvas canvas(w, h);
        std::vector<std::uint32_t> plain(static_cast<std::size_t>(w) * h);
        // The erase keeps the colour's low 24 bits only.
        const Color erase = rng();
        canvas.Erase(erase);
        std::fill(plain.begin(), plain.end(), erase & 0xFFFFFF);
        // A rectangle whose pen and brush agree covers its whole box, right and bottom exclusive.
        for (int i = 0; i < 8; ++i) {
            const Color color = rng() & 0xFFFFFF;
            const std::int32_t x1 = static_cast<std::int32_t>(rng() % (w + 20)) - 10;
            const std::int32_t x2 = static_cast<std::int32_t>(rng() % (w + 20)) - 10;
            const std::int32_t y1 = static_cast<std::int32_t>(rng() % (h + 6)) - 3;
            const std::int32_t y2 = static_cast<std::int32_t>(rng() % (h + 6)) - 3;
            canvas.SetPenColor(color);
            canvas.SetPenWidth(1);
            canvas.SetBrushColor(color);
            canvas.Rectangle(x1, y1, x2, y2);
            for (int y = std::max(std::min(y1, y2), 0); y < std::min(std::max(y1, y2), h); ++y)
                for (int x = std::max(std::min(x1, x2), 0); x < std::min(std::max(x1, x2), w); ++x)
                    plain[static_cast<std::size_t>(y) * w + x] = color;
        }
        ASSERT_TRUE(std::equal(plain.begin(), plain.end(), canvas.Draw().Pixels())) << "round " << round;
    }
}
