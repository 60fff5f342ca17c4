// Our canvas against pictures drawn by the real GDI (tests/data/gdi, made by lumaro-gdivectors).

#include "io/trace_format.h"
#include "render/canvas.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;

namespace {

struct Reference {
    std::string name;
    int width = 0, height = 0;
    std::vector<TraceOp> ops;
    std::vector<std::uint32_t> pixels;
};

std::vector<std::uint32_t> DecodeRuns(std::istringstream& words)
{
    std::vector<std::uint32_t> out;
    std::string run;
    while (words >> run) {
        const auto star = run.find('*');
        const auto color = static_cast<std::uint32_t>(std::stoul(run.substr(0, star), nullptr, 16));
        out.insert(out.end(), std::stoul(run.substr(star + 1)), color);
    }
    return out;
}

std::vector<Reference> Load(const std::string& file)
{
    std::ifstream in(std::string(LUMARO_TEST_DATA_DIR) + "/gdi/" + file);
    std::vector<Reference> refs;
    std::string line, error;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string head;
        words >> head;
        if (head == "case") {
            refs.emplace_back();
            words >> refs.back().width >> refs.back().height;
            std::getline(words >> std::ws, refs.back().name);
        } else if (head == "expect") {
            refs.back().pixels = DecodeRuns(words);
        } else {
            TraceOp op;
            EXPECT_TRUE(ParseTraceOp(line, op, error)) << line << ": " << error;
            refs.back().ops.push_back(op);
        }
    }
    return refs;
}

void ExpectSameAsGdi(const std::string& file)
{
    const std::vector<Reference> refs = Load(file);
    ASSERT_FALSE(refs.empty()) << file;
    for (const Reference& ref : refs) {
        Canvas canvas(ref.width, ref.height);
        for (const TraceOp& op : ref.ops)
            canvas.Replay(op);
        ASSERT_EQ(ref.pixels.size(), static_cast<std::size_t>(ref.width) * ref.height) << ref.name;
        std::ostringstream diff;
        int differing = 0;
        for (int y = 0; y < ref.height; ++y)
            for (int x = 0; x < ref.width; ++x) {
                const std::uint32_t gdi = ref.pixels[static_cast<std::size_t>(y) * ref.width + x];
                if (canvas.Draw().Pixel(x, y) != gdi && ++differing <= 12)
                    diff << "  (" << x << "," << y << ") ours " << std::hex << canvas.Draw().Pixel(x, y) << " gdi " << gdi
                         << std::dec << "\n";
            }
        EXPECT_EQ(differing, 0) << file << ": " << ref.name << "\n" << diff.str();
    }
}

} // namespace

TEST(CanvasGdiTest, ThinLinesInEveryOctant) { ExpectSameAsGdi("lines_thin.txt"); }
TEST(CanvasGdiTest, WideLinesAndJoins) { ExpectSameAsGdi("lines_wide.txt"); }
TEST(CanvasGdiTest, RectanglesOfEveryPenWidth) { ExpectSameAsGdi("rectangles.txt"); }
TEST(CanvasGdiTest, EllipsesOfEverySmallBox) { ExpectSameAsGdi("ellipses.txt"); }
TEST(CanvasGdiTest, FillsAndClipping) { ExpectSameAsGdi("fills_clipping.txt"); }
