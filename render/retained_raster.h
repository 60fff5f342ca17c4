#pragma once

// The canvas's pixels, drawn a frame at a time. A frame is the erase and the operations after it;
// they are kept, and when the pixels are wanted only the part where the frame differs from the one
// already shown is drawn again. Whatever the history, the pixels are always those of the frame's
// operations drawn one after the other on an erased raster.

#include "render/canvas_raster.h"
#include "render/color.h"

#include <cstdint>
#include <vector>

namespace lumaro {

// One drawing operation as the raster needs it, pen and brush included. A line keeps its start, so
// two equal operations draw the same pixels wherever they stand in a frame.
struct DrawOp {
    enum class Kind : std::int32_t { Line, Rectangle, Ellipse, FloodFill };
    Kind kind = Kind::Line;
    // Line: from (x1, y1) to (x2, y2). Rectangle, Ellipse: the corners as passed. FloodFill: the seed.
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color pen = 0;
    std::int32_t penWidth = 1;
    Color brush = 0;
    Color border = 0;

    bool operator==(const DrawOp&) const = default;
};

class RetainedRaster {
public:
    RetainedRaster(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Starts a frame on a raster erased to the colour.
    void Begin(Color erase)
    {
        m_next.erase = erase;
        m_next.ops.clear();
        m_waiting = Waiting::Frame;
    }

    // One operation (see DrawOp), written straight into the frame: a whole DrawOp built by the
    // caller and copied would be read back in wider loads than it was written with, which stalls.
    void Add(DrawOp::Kind kind, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Color pen,
        std::int32_t penWidth, Color brush, Color border)
    {
        // A frame of very many operations is drawn as it goes, so that they never wait all at once.
        if (m_waiting != Waiting::Nothing && m_next.ops.size() >= kMostWaitingOps)
            Settle();
        // With nothing waiting the frame goes on from the one shown, and what is added to it can
        // be drawn on the pixels as they are.
        if (m_waiting == Waiting::Nothing) {
            m_next.ops.clear();
            m_waiting = Waiting::Appended;
        }
        DrawOp& op = m_next.ops.emplace_back();
        op.kind = kind;
        op.x1 = x1;
        op.y1 = y1;
        op.x2 = x2;
        op.y2 = y2;
        op.pen = pen;
        op.penWidth = penWidth;
        op.brush = brush;
        op.border = border;
    }

    // Draws what waits: afterwards the pixels show every operation added so far. Reading is
    // const and never draws; a reader draws first (Canvas hands out its pixels only that way).
    const RetainedRaster& Draw()
    {
        Settle();
        return *this;
    }

    // The pixels as last drawn, row by row.
    const std::uint32_t* Pixels() const { return m_pixels.data(); }
    Color Pixel(int x, int y) const { return m_pixels[static_cast<std::size_t>(y) * m_width + x]; }

    // The part of the raster the last drawing changed (empty when nothing was drawn).
    raster::Box Damage() const { return m_damage; }
    // Every drawing of a frame has a number of its own, unique among all rasters of the process,
    // copies included. A reader that showed the pixels of drawing N needs to show again only the
    // damage of the drawing that was drawn from N; after any other drawing, everything.
    std::uint64_t Drawing() const { return m_drawing; }
    std::uint64_t DrawnFrom() const { return m_drawnFrom; }
    // What a reader that shows the pixels of drawing `shown` must show again to show these
    // pixels: nothing when it shows this drawing, the damage when this one was drawn from it,
    // everything otherwise.
    raster::Box ChangedSince(std::uint64_t shown) const
    {
        if (shown == m_drawing)
            return {};
        if (shown == m_drawnFrom)
            return m_damage;
        return {0, 0, m_width, m_height};
    }

    // Lets the next drawing start from the erase, as on a new raster (for measurements of a frame
    // drawn from nothing, and for tests of the drawing that reuses a frame).
    void Forget() { m_shownKnown = false; }

private:
    static constexpr std::size_t kMostWaitingOps = 1 << 14;

    // What a fill of the frame painted: the box around its pixels and its seed, and its runs.
    struct FillRecord {
        raster::Box box;
        std::uint32_t firstRun = 0, runCount = 0;
    };

    struct Frame {
        Color erase = clBlack;
        std::vector<DrawOp> ops;
        // Per operation, used for fills only. What the others may have written is their reach.
        std::vector<FillRecord> fills;
        std::vector<raster::Run> runs;
    };

    void Settle();
    void DrawWhole();
    // Draws the operations added to the frame shown.
    void DrawAppended();
    // The frame asked for is now the frame shown.
    void Shown();
    // Pairs the operations of the new frame with equal ones of the shown frame where it can, in
    // order, and returns the box that must be drawn again: what every unpaired operation wrote or
    // may write, and every paired fill that met changed pixels, with the ring around it.
    raster::Box PairOperations();
    // Draws the frame again inside the box only. False when a fill drawn anew reached the box's
    // edge, where the pixels outside could have led it further.
    bool DrawInside(const raster::Box& box);
    // Draws a fill and notes what it painted in `frame`, or only its seed when it lies outside
    // the window.
    FillRecord Fill(const raster::Raster& window, const raster::Box& at, const DrawOp& op, Frame& frame);
    void Draw(const raster::Raster& window, const raster::Box& at, const DrawOp& op);
    raster::Box Reach(const DrawOp& op) const;
    raster::Box Clip(const raster::Box& box) const;

    int m_width;
    int m_height;
    // Made black at the first drawing, not when the raster is made (see Settle).
    raster::UninitialisedVector<std::uint32_t> m_pixels;
    bool m_pixelsMade = false;
    // The frame the pixels show, and the frame asked for.
    Frame m_shown;
    Frame m_next;
    // What waits to be drawn when the pixels are read: nothing (the pixels show every operation;
    // a new raster shows the frame of no operations on black), a frame of its own in m_next, or
    // operations in m_next that go on from the frame shown.
    enum class Waiting : std::uint8_t { Nothing, Frame, Appended };
    Waiting m_waiting = Waiting::Nothing;
    // m_shown holds the operations the pixels show; after Forget, or a frame too long to keep,
    // the next frame is drawn whole.
    bool m_shownKnown = true;
    raster::Box m_damage;
    std::uint64_t m_drawing;
    std::uint64_t m_drawnFrom = 0;
    // For each operation of the next frame, the index of its equal in the shown frame, or -1 when
    // it has none or is a fill that must be drawn anew.
    std::vector<std::int32_t> m_pairs;
    // For each fill of the next frame drawn anew, the box of what had changed up to it, its own
    // last pixels included: it must paint nothing outside.
    std::vector<raster::Box> m_anew;
    // The fills and runs of the frame being drawn inside a box.
    Frame m_drawn;
    // Work buffers of the raster, kept between drawings so that they allocate nothing.
    raster::FillWork m_fillWork;
    std::vector<std::int32_t> m_rowInsets;
    std::vector<std::int64_t> m_outline;
};

} // namespace lumaro
