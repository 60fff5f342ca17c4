// The memory floor's clearing loops. Each sits behind a call the optimiser cannot see through, so
// that a benchmark loop around it cannot drop or merge the stores.

#include "tools/bench/floor.h"

#include <cstring>
#include <cwchar>
#include <string_view>

namespace lumaro::bench {

namespace {

// A loop the compiler vectorises at -O2 without a target architecture: blocks of a fixed count.
[[gnu::noinline]] void LoopFill(std::uint32_t* p, std::size_t count, std::uint32_t color)
{
    constexpr std::size_t kBlock = 16;
    for (; count >= kBlock; count -= kBlock, p += kBlock)
        for (std::size_t i = 0; i < kBlock; ++i)
            p[i] = color;
    for (std::size_t i = 0; i < count; ++i)
        p[i] = color;
}

} // namespace

const char* FloorWayName(FloorWay way)
{
    switch (way) {
    case FloorWay::Loop:
        return "loop";
    case FloorWay::Memset:
        return "memset";
    case FloorWay::Wmemset:
        return "wmemset";
    }
    return "?";
}

bool ParseFloorWay(const char* name, FloorWay& way)
{
    for (FloorWay w : kFloorWays)
        if (std::string_view(name) == FloorWayName(w)) {
            way = w;
            return true;
        }
    return false;
}

void ClearFloor(FloorWay way, std::uint32_t* pixels, std::size_t count, std::uint32_t color)
{
    switch (way) {
    case FloorWay::Loop:
        LoopFill(pixels, count, color);
        break;
    case FloorWay::Memset:
        std::memset(pixels, 0, count * sizeof *pixels);
        break;
    case FloorWay::Wmemset:
        if constexpr (sizeof(wchar_t) == sizeof(std::uint32_t))
            std::wmemset(reinterpret_cast<wchar_t*>(pixels), static_cast<wchar_t>(color), count);
        else
            LoopFill(pixels, count, color);
        break;
    }
    // The stores must happen: the buffer escapes to the caller's view of memory.
    asm volatile("" : : "r"(pixels) : "memory");
}

} // namespace lumaro::bench
