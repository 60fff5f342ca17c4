#pragma once

// The pixel rules behind Canvas: lines, outlines, ellipses and the border fill, on a bare pixel
// buffer. Coordinates are 64-bit so that every 32-bit input and the pen's reach around it are
// representable; everything outside the buffer is clipped before a pixel is touched.

#include "render/color.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace lumaro::raster {

// For pixel buffers that are written whole before they are read: a vector with this allocator
// leaves its new elements as memory gives them, so that making one costs no pass over it.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <typename U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
template <typename T>
using UninitialisedVector = std::vector<T, UninitialisedAllocator<T>>;


using i64 = std::int64_t;

// A window of `width` x `height` pixels whose rows lie `stride` pixels apart: a whole buffer, or a
// part of one with its top-left pixel at `pixels`. Drawing on a window shows, inside it, exactly
// what drawing on the whole buffer with the coordinates moved by the window's corner shows.
struct Raster {
    std::uint32_t* pixels;
    int width;
    int height;
    int stride;
};

// A box of pixels, right and bottom exclusive; empty when it holds no pixel.
// A box of pixels, x in [left, right) and y in [top, bottom); empty when either is empty. The part
// of a raster that a drawing changed is one.
struct Box {
    i64 left = 0, top = 0, right = 0, bottom = 0;

    bool Empty() const { return left >= right || top >= bottom; }
    bool operator==(const Box&) const = default;

    // The smallest box holding both.
    Box United(const Box& other) const
    {
        if (Empty())
            return other;
        if (other.Empty())
            return *this;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
    }
    bool Overlaps(const Box& other) const
    {
        return !Empty() && !other.Empty() && left < other.right && other.left < right && top < other.bottom
            && other.top < bottom;
    }
    bool Contains(const Box& inner) const
    {
        return inner.left >= left && inner.right <= right && inner.top >= top && inner.bottom <= bottom;
    }
    // The box with a ring of `by` pixels around it; an empty box stays empty.
    Box Grown(i64 by) const { return Empty() ? *this : Box {left - by, top - by, right + by, bottom + by}; }
};

struct Pen {
    Color color;
    int width;
};

enum class Path { Open, Closed };

// Ellipse boxes this thin or thinner in either direction are drawn as rectangles.
constexpr i64 kThinEllipseLimit = 2;

// Runs of at least this many pixels are filled by the C library.
constexpr i64 kLibraryFillMin = 16;

// Sets `count` pixels from p on to the colour: the one loop behind every erase and span.
void FillPixels(std::uint32_t* p, i64 count, Color color);

// Fills the pixels x in [left, right), y in [top, bottom), clipped.
void FillRect(const Raster& r, i64 left, i64 top, i64 right, i64 bottom, Color color);

// Strokes the polyline through the points (x0, y0, x1, y1, ...). A thin pen leaves out the end
// pixel of each segment; a wide pen draws round caps and joins.
void StrokePolyline(const Raster& r, const std::vector<i64>& points, Path path, Pen pen,
    std::vector<std::int32_t>& scratch);

// One segment of StrokePolyline's open path from (x0, y0) to (x1, y1); `points` is scratch.
void StrokeLine(const Raster& r, i64 x0, i64 y0, i64 x1, i64 y1, Pen pen, std::vector<i64>& points,
    std::vector<std::int32_t>& scratch);

// The box is ordered (left <= right, top <= bottom), right and bottom exclusive.
void DrawRectangle(const Raster& r, i64 left, i64 top, i64 right, i64 bottom, Pen pen, Color brush,
    std::vector<i64>& outline, std::vector<std::int32_t>& scratch);
void DrawEllipse(const Raster& r, i64 left, i64 top, i64 right, i64 bottom, Pen pen, Color brush,
    std::vector<i64>& outline, std::vector<std::int32_t>& scratch);

// Pixels left..right - 1 of row y.
struct Run {
    std::int32_t y, left, right;
};

// Work buffers of the border fill. The caller keeps them between fills, so that a fill allocates
// nothing once they have grown to what its canvas needs.
struct FillWork {
    // Pixels left..right (inclusive) of the row y - dy were painted; row y is still to be looked at.
    struct Span {
        std::int32_t y, left, right, dy;
    };
    std::vector<Span> spans;
    // One bit per pixel, set where the running fill has painted; all clear between fills.
    std::vector<std::uint64_t> painted;
    // Where not null, every run the fill paints is appended here.
    std::vector<Run>* runs = nullptr;
};

// Paints every pixel 4-connected to the seed that is not of colour `border`, the seed included,
// and returns the box around them. Nothing happens for a seed outside the raster or on a pixel of
// the border colour.
Box FloodFillBorder(const Raster& r, i64 x, i64 y, Color border, Color brush, FillWork& work);

} // namespace lumaro::raster
