// The border fill on bare pixel buffers: literal pictures for the cases where the walk must turn
// back or pass pixels that already show the brush colour, and random canvases against a plain
// breadth-first fill.

#include "render/canvas_raster.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace lumaro;

namespace {

constexpr Color kPalette[] = {clWhite, clBlack, clRed, clYellow};
constexpr char kSymbols[] = ".#ry";

Color ColorOf(char symbol)
{
    return kPalette[std::string_view(kSymbols).find(symbol)];
}

struct Grid {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    explicit Grid(std::initializer_list<const char*> rows)
    {
        for (const char* row : rows) {
            width = static_cast<int>(std::string_view(row).size());
            ++height;
            for (const char* c = row; *c; ++c)
                pixels.push_back(ColorOf(*c));
        }
    }

    Grid(int w, int h, std::vector<std::uint32_t> px) : width(w), height(h), pixels(std::move(px)) {}

    void Fill(int x, int y, Color border, Color brush, raster::FillWork& work)
    {
        raster::FloodFillBorder({pixels.data(), width, height, width}, x, y, border, brush, work);
    }

    std::string Picture() const
    {
        std::string out;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t c = pixels[static_cast<std::size_t>(y) * width + x];
                char symbol = '?';
                for (std::size_t i = 0; i < std::size(kPalette); ++i)
                    if (kPalette[i] == c)
                        symbol = kSymbols[i];
                out += symbol;
            }
            out += '\n';
        }
        return out;
    }
};

std::string Rows(std::initializer_list<const char*> rows)
{
    std::string out;
    for (const char* r : rows)
        out += std::string(r) + '\n';
    return out;
}

// The region is decided completely before anything is painted, so no brush colour can confuse it.
void ReferenceFill(std::vector<std::uint32_t>& px, int w, int h, int x, int y, Color border, Color brush)
{
    if (x < 0 || y < 0 || x >= w || y >= h || px[static_cast<std::size_t>(y * w + x)] == border)
        return;
    std::vector<bool> region(px.size());
    std::vector<std::pair<int, int>> todo{{x, y}};
    region[static_cast<std::size_t>(y * w + x)] = true;
    while (!todo.empty()) {
        const auto [cx, cy] = todo.back();
        todo.pop_back();
        const std::pair<int, int> neighbours[] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
        for (const auto& [nx, ny] : neighbours) {
            const auto i = static_cast<std::size_t>(ny * w + nx);
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || region[i] || px[i] == border)
                continue;
            region[i] = true;
            todo.push_back({nx, ny});
        }
    }
    for (std::size_t i = 0; i < px.size(); ++i)
        if (region[i])
            px[i] = brush;
}

} // namespace

TEST(FillTest, TurnsBackWhereARunReachesPastItsParent)
{
    raster::FillWork work;
    // From the foot of the left tooth the walk widens at the top and must come down the teeth to
    // the right of it.
    Grid comb({
        "#########",
        "#.......#",
        "#.#.#.#.#",
        "#.#.#.#.#",
        "#########",
    });
    comb.Fill(1, 3, clBlack, clRed, work);
    EXPECT_EQ(comb.Picture(), Rows({"#########", "#rrrrrrr#", "#r#r#r#r#", "#r#r#r#r#", "#########"}));

    // Upside down, entered at the top of the right tooth: the teeth lie to the left.
    Grid hanging({
        "#.#.#.#.",
        "#.#.#.#.",
        "........",
    });
    hanging.Fill(7, 0, clBlack, clYellow, work);
    EXPECT_EQ(hanging.Picture(), Rows({"#y#y#y#y", "#y#y#y#y", "yyyyyyyy"}));
}

TEST(FillTest, PixelsOfTheBrushColourNeitherStopNorRestartTheFill)
{
    raster::FillWork work;
    // A red wall inside the region, a red seed: the fill crosses both and stops only at black.
    Grid wall({
        "......#.",
        "..r...#.",
        "..r.r.#.",
        "..r...#.",
    });
    wall.Fill(2, 1, clBlack, clRed, work);
    EXPECT_EQ(wall.Picture(), Rows({"rrrrrr#.", "rrrrrr#.", "rrrrrr#.", "rrrrrr#."}));

    // A brush of the border colour paints the region once and ends; the pixels beyond stay.
    Grid sameAsBorder({
        "..#..",
        "..#.r",
        "..#..",
    });
    sameAsBorder.Fill(0, 0, clBlack, clBlack, work);
    EXPECT_EQ(sameAsBorder.Picture(), Rows({"###..", "###.r", "###.."}));

    // A brush of the region's own colour leaves everything as it was.
    Grid sameAsRegion({
        ".#.",
        "y#.",
    });
    sameAsRegion.Fill(0, 0, clBlack, clWhite, work);
    EXPECT_EQ(sameAsRegion.Picture(), Rows({".#.", ".#."}));
}

TEST(FillTest, SeedsOutsideOrOnTheBorderPaintNothing)
{
    raster::FillWork work;
    Grid g({
        "...",
        ".#.",
    });
    const std::pair<int, int> seeds[] = {{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {1, 1}, {-2147483647, 2147483647}};
    for (const auto& [x, y] : seeds)
        g.Fill(x, y, clBlack, clRed, work);
    EXPECT_EQ(g.Picture(), Rows({"...", ".#."}));
}

// Random canvases of one to three 64-pixel words per row, of every density of border pixels, with
// brushes that match the border, a colour inside or no colour at all, and seeds in and around the
// canvas. Several fills run one after the other on one canvas and one set of work buffers serves
// canvases of every size, so a painted bit left over from an earlier fill shows up as a difference.
TEST(FillTest, RandomCanvasesMatchAPlainBreadthFirstFill)
{
    std::mt19937 rng(20240611);
    raster::FillWork work;
    for (int round = 0; round < 3000; ++round) {
        const int w = 1 + static_cast<int>(rng() % (round % 3 == 0 ? 150 : 12));
        const int h = 1 + static_cast<int>(rng() % 12);
        const unsigned borderShare = rng() % 8; // in eighths
        std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
        for (std::uint32_t& p : px)
            p = rng() % 8 < borderShare ? clBlack : kPalette[rng() % std::size(kPalette)];
        Grid ours(w, h, px);
        for (int fill = 0; fill < 3; ++fill) {
            const Color border = rng() % 4 ? clBlack : kPalette[rng() % std::size(kPalette)];
            const Color brush = kPalette[rng() % std::size(kPalette)];
            const int x = static_cast<int>(rng() % static_cast<unsigned>(w + 4)) - 2;
            const int y = static_cast<int>(rng() % static_cast<unsigned>(h + 4)) - 2;
            const Grid before = ours;
            ReferenceFill(px, w, h, x, y, border, brush);
            ours.Fill(x, y, border, brush, work);
            ASSERT_EQ(ours.pixels, px) << "round " << round << ", fill " << fill << " from " << x << "," << y
                                       << " border " << border << " brush " << brush << "\n"
                                       << before.Picture() << "\n"
                                       << ours.Picture();
        }
    }
}

TEST(FillTest, RepeatedFillsReuseTheirWorkBuffers)
{
    raster::FillWork work;
    std::mt19937 rng(7);
    std::vector<std::uint32_t> px(200 * 100);
    for (std::uint32_t& p : px)
        p = rng() % 3 ? clWhite : clBlack;
    px[0] = clWhite;
    Grid g(200, 100, px);
    g.Fill(0, 0, clBlack, clRed, work);
    const auto* spans = work.spans.data();
    const auto* painted = work.painted.data();
    for (int i = 0; i < 10; ++i)
        g.Fill(0, 0, clBlack, i % 2 ? clRed : clYellow, work);
    EXPECT_EQ(work.spans.data(), spans);
    EXPECT_EQ(work.painted.data(), painted);
}
