#pragma once

// The canvas the scene is drawn on.

#include "render/color.h"
#include "render/retained_raster.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// One recorded canvas operation. Coordinates are kept exactly as they were passed
// (ellipse corners are not normalised), together with the pen and brush in effect.
struct TraceOp {
    enum class Kind { Erase, MoveTo, LineTo, Rectangle, Ellipse, FloodFill };
    Kind kind = Kind::MoveTo;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color pen = 0;      // LineTo, Rectangle, Ellipse
    int penWidth = 1;   // LineTo, Rectangle, Ellipse
    Color brush = 0;    // Rectangle, Ellipse, FloodFill
    Color color = 0;    // Erase: the colour; FloodFill: the border colour
};

// A 32-bit raster that draws by the pixel rules of the Windows GDI: lines leave out their end
// pixel, rectangles and ellipses leave out their right and bottom edge, flood fills run in border
// mode. Every coordinate of the 32-bit range is accepted; whatever falls outside is clipped.
class Canvas {
public:
    static constexpr int kWidth = 1016;
    static constexpr int kHeight = 696;

    explicit Canvas(int width = kWidth, int height = kHeight);

    int Width() const { return m_raster.Width(); }
    int Height() const { return m_raster.Height(); }
    // Draws the operations that wait and gives the pixels to read, row by row, each a Color
    // (0x00BBGGRR), with the numbers of the drawing (see RetainedRaster). Operations are drawn
    // only then, and only where the frame since the last Erase differs from the one drawn before;
    // the pixels are the same as if every operation had been drawn at once.
    const RetainedRaster& Draw() { return m_raster.Draw(); }
    // The pixels as the last Draw left them; reading never draws.
    const RetainedRaster& Drawn() const { return m_raster; }
    // Lets the next drawing of the pixels start from the erase, as on a new canvas.
    void DrawNextFrameWhole() { m_raster.Forget(); }

    void SetPenColor(Color color) { m_penColor = color; }
    void SetPenWidth(int width) { m_penWidth = width < 1 ? 1 : width; }
    void SetBrushColor(Color color) { m_brushColor = color; }
    Color PenColor() const { return m_penColor; }
    int PenWidth() const { return m_penWidth; }
    Color BrushColor() const { return m_brushColor; }

    // Fills the whole canvas (the window erasing its background).
    void Erase(Color color);
    void MoveTo(std::int32_t x, std::int32_t y);
    void LineTo(std::int32_t x, std::int32_t y);
    void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void FloodFill(std::int32_t x, std::int32_t y, Color border);

    // Recording: while on, every operation is appended to the trace. The trace keeps its
    // capacity when cleared, so recording a paint after the first allocates nothing.
    void SetRecording(bool on) { m_recording = on; }
    bool Recording() const { return m_recording; }
    void ClearTrace() { m_trace.clear(); }
    const std::vector<TraceOp>& Trace() const { return m_trace; }

    // Runs one recorded operation, pen and brush taken from the record.
    void Replay(const TraceOp& op);

private:
    void Record(const TraceOp& op)
    {
        if (m_recording)
            m_trace.push_back(op);
    }

    // Drawing is put off until a reader asks for the pixels.
    RetainedRaster m_raster;
    std::int32_t m_curX = 0;
    std::int32_t m_curY = 0;
    Color m_penColor = clBlack;
    int m_penWidth = 1;
    Color m_brushColor = clWhite;
    bool m_recording = false;
    std::vector<TraceOp> m_trace;
};

} // namespace lumaro
