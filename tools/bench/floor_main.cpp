// lumaro-floor WAY COUNT: clears a 1016 x 696 canvas-sized buffer COUNT times the given way
// (loop, memset, wmemset), for timing the memory floor from outside as lumaro-render is timed.

#include "render/canvas.h"
#include "tools/bench/floor.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    using namespace lumaro;
    bench::FloorWay way{};
    long count = -1;
    if (argc == 3) {
        const char* end = argv[2] + std::strlen(argv[2]);
        const auto [ptr, ec] = std::from_chars(argv[2], end, count);
        if (ec != std::errc() || ptr != end)
            count = -1;
    }
    if (argc != 3 || !bench::ParseFloorWay(argv[1], way) || count < 0) {
        std::fputs("usage: lumaro-floor loop|memset|wmemset COUNT\n", stderr);
        return 2;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(Canvas::kWidth) * Canvas::kHeight);
    for (long i = 0; i < count; ++i)
        bench::ClearFloor(way, pixels.data(), pixels.size(), i % 2 ? clSkyBlue : clWhite);
    return pixels[pixels.size() / 2] == 1 ? 1 : 0;
}
