#include "render/canvas.h"

namespace lumaro {
// FIXME: placeholder until the canvas lands.
Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, 0) {}
void Canvas::Erase(Color c) { Record({TraceOp::Kind::Erase, 0, 0, 0, 0, 0, 1, 0, c}); for (auto& p : m_pixels) p = c; }
void Canvas::MoveTo(std::int32_t x, std::int32_t y) { m_curX = x; m_curY = y; }
void Canvas::LineTo(std::int32_t x, std::int32_t y) { m_curX = x; m_curY = y; }
void Canvas::Rectangle(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void Canvas::Ellipse(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void Canvas::FloodFill(std::int32_t, std::int32_t, Color) {}
void Canvas::Replay(const TraceOp&) {}
std::string FormatTraceOp(const TraceOp&) { return {}; }
bool ParseTraceOp(std::string_view, TraceOp&, std::string&) { return false; }
} // namespace lumaro
