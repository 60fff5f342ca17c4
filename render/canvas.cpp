// The canvas: the GDI operations on a 32-bit raster, with their recording and replay.

#include "render/canvas.h"

namespace lumaro {

Canvas::Canvas(int width, int height)
    : m_raster(width < 1 ? 1 : width, height < 1 ? 1 : height)
{
}

void Canvas::Erase(Color color)
{
    Record({TraceOp::Kind::Erase, 0, 0, 0, 0, 0, 1, 0, color});
    m_raster.Begin(color & kColorMask);
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
    m_raster.Add(DrawOp::Kind::Line, m_curX, m_curY, x, y, m_penColor & kColorMask, m_penWidth, 0, 0);
    m_curX = x;
    m_curY = y;
}

void Canvas::Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    Record({TraceOp::Kind::Rectangle, x1, y1, x2, y2, m_penColor, m_penWidth, m_brushColor, 0});
    m_raster.Add(DrawOp::Kind::Rectangle, x1, y1, x2, y2, m_penColor & kColorMask, m_penWidth, m_brushColor & kColorMask, 0);
}

void Canvas::Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    Record({TraceOp::Kind::Ellipse, x1, y1, x2, y2, m_penColor, m_penWidth, m_brushColor, 0});
    m_raster.Add(DrawOp::Kind::Ellipse, x1, y1, x2, y2, m_penColor & kColorMask, m_penWidth, m_brushColor & kColorMask, 0);
}

void Canvas::FloodFill(std::int32_t x, std::int32_t y, Color border)
{
    Record({TraceOp::Kind::FloodFill, x, y, 0, 0, 0, 1, m_brushColor, border});
    m_raster.Add(DrawOp::Kind::FloodFill, x, y, 0, 0, 0, 1, m_brushColor & kColorMask, border & kColorMask);
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
