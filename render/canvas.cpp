// The canvas: the GDI operations on a 32-bit raster, with their recording and replay.

#include "render/canvas.h"

#include "render/canvas_raster.h"

#include <algorithm>

namespace lumaro {

using raster::i64;

namespace {

// Box of Rectangle and Ellipse after the corners are put in order; right and bottom exclusive.
struct Box {
    i64 left, top, right, bottom;
};

Box OrderedBox(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    return {std::min<i64>(x1, x2), std::min<i64>(y1, y2), std::max<i64>(x1, x2), std::max<i64>(y1, y2)};
}

} // namespace

Canvas::Canvas(int width, int height)
    : m_width(width < 1 ? 1 : width)
    , m_height(height < 1 ? 1 : height)
    , m_pixels(static_cast<std::size_t>(m_width) * m_height, clBlack)
{
}

void Canvas::Erase(Color color)
{
    Record({TraceOp::Kind::Erase, 0, 0, 0, 0, 0, 1, 0, color});
    raster::FillPixels(m_pixels.data(), static_cast<i64>(m_pixels.size()), color & kColorMask);
}

void Canvas::MoveTo(std::int32_t x, std::int32_t y)
{
    Record({TraceOp::Kind::MoveTo, x, y, 0, 0, 0, 1, 0, 0});
    m_curX = x;
    m_curY = y;
}

void Canvas::LineTo(std::int32_t x, std::int32_t y)
{
    Record({TraceOp::Kind::LineTo, x, y, 0, 0, m_penColor, m_penWidth, 0, 0});
    raster::Raster r{m_pixels.data(), m_width, m_height};
    raster::StrokeLine(r, m_curX, m_curY, x, y, raster::Pen{m_penColor & kColorMask, m_penWidth}, m_outline, m_rowInsets);
    m_curX = x;
    m_curY = y;
}

void Canvas::Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    Record({TraceOp::Kind::Rectangle, x1, y1, x2, y2, m_penColor, m_penWidth, m_brushColor, 0});
    const Box box = OrderedBox(x1, y1, x2, y2);
    raster::Raster r{m_pixels.data(), m_width, m_height};
    raster::DrawRectangle(r, box.left, box.top, box.right, box.bottom, raster::Pen{m_penColor & kColorMask, m_penWidth}, m_brushColor & kColorMask, m_outline,
        m_rowInsets);
}

void Canvas::Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    Record({TraceOp::Kind::Ellipse, x1, y1, x2, y2, m_penColor, m_penWidth, m_brushColor, 0});
    const Box box = OrderedBox(x1, y1, x2, y2);
    raster::Raster r{m_pixels.data(), m_width, m_height};
    raster::DrawEllipse(r, box.left, box.top, box.right, box.bottom, raster::Pen{m_penColor & kColorMask, m_penWidth}, m_brushColor & kColorMask, m_outline,
        m_rowInsets);
}

void Canvas::FloodFill(std::int32_t x, std::int32_t y, Color border)
{
    Record({TraceOp::Kind::FloodFill, x, y, 0, 0, 0, 1, m_brushColor, border});
    raster::Raster r{m_pixels.data(), m_width, m_height};
    raster::FloodFillBorder(r, x, y, border & kColorMask, m_brushColor & kColorMask, m_fillWork);
}

void Canvas::Replay(const TraceOp& op)
{
    switch (op.kind) {
    case TraceOp::Kind::Erase:
        Erase(op.color);
        return;
    case TraceOp::Kind::MoveTo:
        MoveTo(op.x1, op.y1);
        return;
    case TraceOp::Kind::LineTo:
        SetPenColor(op.pen);
        SetPenWidth(op.penWidth);
        LineTo(op.x1, op.y1);
        return;
    case TraceOp::Kind::Rectangle:
        SetPenColor(op.pen);
        SetPenWidth(op.penWidth);
        SetBrushColor(op.brush);
        Rectangle(op.x1, op.y1, op.x2, op.y2);
        return;
    case TraceOp::Kind::Ellipse:
        SetPenColor(op.pen);
        SetPenWidth(op.penWidth);
        SetBrushColor(op.brush);
        Ellipse(op.x1, op.y1, op.x2, op.y2);
        return;
    case TraceOp::Kind::FloodFill:
        SetBrushColor(op.brush);
        FloodFill(op.x1, op.y1, op.color);
        return;
    }
}

} // namespace lumaro
