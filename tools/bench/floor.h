#pragma once

// The memory floor: the ways this machine can clear a canvas-sized buffer, compiled with the
// project's own flags. The fastest of them is the baseline every benchmark figure is divided by.

#include <cstddef>
#include <cstdint>

namespace lumaro::bench {

enum class FloorWay { Loop, Memset, Wmemset };

constexpr FloorWay kFloorWays[] = {FloorWay::Loop, FloorWay::Memset, FloorWay::Wmemset};

const char* FloorWayName(FloorWay way);
// Parses a name of FloorWayName; false for anything else.
bool ParseFloorWay(const char* name, FloorWay& way);

// Sets `count` 32-bit pixels to `color` (memset: to zero, the fill it can do) the given way.
void ClearFloor(FloorWay way, std::uint32_t* pixels, std::size_t count, std::uint32_t color);

} // namespace lumaro::bench
