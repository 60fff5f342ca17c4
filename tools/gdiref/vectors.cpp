// Generates the committed GDI reference pictures: draws each case with the real GDI under Wine
// and writes the traces with the pictures it produced into tests/data/gdi/.
//
//   lumaro-gdivectors GDIREF_EXE WORK_DIR OUT_DIR

#include "tools/gdiref/gdi_host.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::io;
using lumaro::gdiref::Case;

namespace {

constexpr Color kBack = clWhite, kPen = clBlack, kBrush = clRed;

TraceOp Op(TraceOp::Kind kind, int x1, int y1, int x2 = 0, int y2 = 0, int width = 1, Color pen = kPen,
    Color brush = kBrush, Color color = 0)
{
    TraceOp op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.penWidth = width;
    op.pen = pen;
    op.brush = brush;
    op.color = color;
    return op;
}

Case Fresh(const std::string& name, int w, int h)
{
    Case c{name, w, h, {}};
    c.ops.push_back(Op(TraceOp::Kind::Erase, 0, 0, 0, 0, 1, 0, 0, kBack));
    return c;
}

void Line(Case& c, int x0, int y0, int x1, int y1, int width)
{
    c.ops.push_back(Op(TraceOp::Kind::MoveTo, x0, y0));
    c.ops.push_back(Op(TraceOp::Kind::LineTo, x1, y1, 0, 0, width));
}

std::vector<Case> ThinLines()
{
    std::vector<Case> out;
    for (int dy = -10; dy <= 10; ++dy)
        for (int dx = -10; dx <= 10; ++dx) {
            Case c = Fresh("thin " + std::to_string(dx) + "," + std::to_string(dy), 23, 23);
            Line(c, 11, 11, 11 + dx, 11 + dy, 1);
            out.push_back(c);
        }
    for (int len = 11; len <= 40; len += 3)
        for (int sx : {-1, 1})
            for (int sy : {-1, 1})
                for (auto [a, b] : {std::pair{len, 0}, {0, len}, {len, len}, {len, len / 2}, {len / 2, len},
                         {len, 1}, {len, len - 1}, {len, (len + 1) / 2}}) {
                    const int dx = sx * a, dy = sy * b;
                    Case c = Fresh("long " + std::to_string(dx) + "," + std::to_string(dy), 83, 83);
                    Line(c, 41, 41, 41 + dx, 41 + dy, 1);
                    out.push_back(c);
                }
    return out;
}

std::vector<Case> WideLines()
{
    std::vector<Case> out;
    const int steps[] = {-8, -5, -3, -2, -1, 0, 1, 2, 3, 5, 8};
    for (int width = 2; width <= 5; ++width)
        for (int dy : steps)
            for (int dx : steps) {
                Case c = Fresh("wide " + std::to_string(width) + " " + std::to_string(dx) + "," + std::to_string(dy),
                    25, 25);
                Line(c, 12, 12, 12 + dx, 12 + dy, width);
                out.push_back(c);
            }
    // Polylines as the program draws masts and frames: joins between wide segments.
    for (int width = 2; width <= 5; ++width) {
        Case c = Fresh("wide polyline " + std::to_string(width), 40, 40);
        Line(c, 5, 35, 12, 4, width);
        c.ops.push_back(Op(TraceOp::Kind::LineTo, 19, 35, 0, 0, width));
        c.ops.push_back(Op(TraceOp::Kind::LineTo, 30, 30, 0, 0, width));
        c.ops.push_back(Op(TraceOp::Kind::LineTo, 30, 10, 0, 0, width));
        out.push_back(c);
    }
    return out;
}

std::vector<Case> Rectangles()
{
    std::vector<Case> out;
    const int sizes[] = {0, 1, 2, 3, 5, 8};
    for (int width = 1; width <= 5; ++width)
        for (int h : sizes)
            for (int w : sizes) {
                Case c = Fresh("rect " + std::to_string(width) + " " + std::to_string(w) + "x" + std::to_string(h),
                    18, 18);
                c.ops.push_back(Op(TraceOp::Kind::Rectangle, 5, 5, 5 + w, 5 + h, width));
                out.push_back(c);
            }
    for (int width = 1; width <= 5; ++width)
        for (int order = 0; order < 4; ++order) {
            Case c = Fresh("rect order " + std::to_string(width) + " " + std::to_string(order), 18, 18);
            const int x1 = order & 1 ? 13 : 4, x2 = order & 1 ? 4 : 13;
            const int y1 = order & 2 ? 11 : 5, y2 = order & 2 ? 5 : 11;
            c.ops.push_back(Op(TraceOp::Kind::Rectangle, x1, y1, x2, y2, width));
            out.push_back(c);
        }
    return out;
}

std::vector<Case> Ellipses()
{
    std::vector<Case> out;
    for (int h = 1; h <= 40; ++h)
        for (int w = 1; w <= 40; ++w) {
            Case c = Fresh("ellipse " + std::to_string(w) + "x" + std::to_string(h), w + 4, h + 4);
            c.ops.push_back(Op(TraceOp::Kind::Ellipse, 2, 2, 2 + w, 2 + h, 1));
            out.push_back(c);
        }
    for (int size : {50, 64, 97, 130}) {
        Case c = Fresh("ellipse large " + std::to_string(size), size + 4, size / 2 + 4);
        c.ops.push_back(Op(TraceOp::Kind::Ellipse, 2, 2, 2 + size, 2 + size / 2, 1));
        out.push_back(c);
    }
    for (int width = 2; width <= 5; ++width)
        for (int h : {1, 2, 3, 4, 5, 7, 10, 13, 20})
            for (int w : {1, 2, 3, 4, 6, 9, 14, 21}) {
                // Tall boxes this narrow make Wine read region rows it never wrote.
                if (w >= 3 && w <= 4 && h >= 10)
                    continue;
                Case c = Fresh("ellipse wide " + std::to_string(width) + " " + std::to_string(w) + "x" +
                        std::to_string(h), w + 10, h + 10);
                c.ops.push_back(Op(TraceOp::Kind::Ellipse, 5, 5, 5 + w, 5 + h, width));
                out.push_back(c);
            }
    for (int order = 0; order < 4; ++order) {
        Case c = Fresh("ellipse order " + std::to_string(order), 20, 16);
        const int x1 = order & 1 ? 16 : 3, x2 = order & 1 ? 3 : 16;
        const int y1 = order & 2 ? 12 : 2, y2 = order & 2 ? 2 : 12;
        c.ops.push_back(Op(TraceOp::Kind::Ellipse, x1, y1, x2, y2, 1));
        out.push_back(c);
    }
    return out;
}

std::vector<Case> FillsAndClipping()
{
    std::vector<Case> out;
    auto fill = [](Case& c, int x, int y, Color border, Color brush) {
        c.ops.push_back(Op(TraceOp::Kind::FloodFill, x, y, 0, 0, 1, 0, brush, border));
    };
    {
        Case c = Fresh("fill lamp", 20, 20);
        c.ops.push_back(Op(TraceOp::Kind::Ellipse, 3, 3, 15, 15, 1, clYellow, clWhite));
        fill(c, 9, 9, clYellow, clYellow);
        out.push_back(c);
    }
    {
        Case c = Fresh("fill seed on border", 12, 12);
        Line(c, 0, 5, 12, 5, 1);
        fill(c, 3, 5, kPen, kBrush);
        out.push_back(c);
    }
    {
        Case c = Fresh("fill seed outside", 12, 12);
        fill(c, -1, 3, kPen, kBrush);
        fill(c, 3, 12, kPen, kBrush);
        out.push_back(c);
    }
    {
        Case c = Fresh("fill diagonal gap", 16, 16);
        Line(c, 0, 0, 16, 16, 1);
        Line(c, 15, 0, 0, 15, 1);
        fill(c, 8, 2, kPen, kBrush);
        out.push_back(c);
    }
    {
        Case c = Fresh("fill whole canvas", 16, 12);
        fill(c, 7, 7, kPen, clYellow);
        out.push_back(c);
    }
    {
        Case c = Fresh("outside", 24, 20);
        Line(c, -30, -7, 50, 31, 1);
        Line(c, 30, -5, -7, 40, 1);
        Line(c, -5, 10, 40, 10, 3);
        Line(c, 12, -9, 12, 40, 4);
        Line(c, -10, 2, 2000, 3, 1);
        c.ops.push_back(Op(TraceOp::Kind::Rectangle, -5, -5, 8, 8, 2));
        c.ops.push_back(Op(TraceOp::Kind::Ellipse, 15, 12, 40, 30, 1));
        c.ops.push_back(Op(TraceOp::Kind::Ellipse, -10, 14, 6, 25, 3, kPen, clYellow));
        c.ops.push_back(Op(TraceOp::Kind::Rectangle, 30, 30, 40, 40, 1));
        fill(c, 23, 19, kPen, clYellow);
        out.push_back(c);
    }
    {
        // The ground strip: a closed outline running far beyond the right edge, then filled.
        Case c = Fresh("ground strip", 40, 12);
        Line(c, 0, 4, 1100, 4, 1);
        c.ops.push_back(Op(TraceOp::Kind::LineTo, 1100, 9));
        c.ops.push_back(Op(TraceOp::Kind::LineTo, 0, 9));
        c.ops.push_back(Op(TraceOp::Kind::LineTo, 0, 4));
        fill(c, 1, 5, kPen, kPen);
        out.push_back(c);
    }
    return out;
}

// Wine reads rows of the ellipse region that its stepping never wrote in some tall narrow boxes
// and paints whatever they hold, outside the box. Such pictures are no reference.
bool PaintsOutsideItsBox(const Case& c, const std::vector<std::uint32_t>& picture)
{
    if (c.ops.size() != 2 || c.ops[1].kind != TraceOp::Kind::Ellipse)
        return false;
    const TraceOp& e = c.ops[1];
    const int reach = e.penWidth;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const bool inBox = x >= std::min(e.x1, e.x2) - reach && x < std::max(e.x1, e.x2) + reach &&
                y >= std::min(e.y1, e.y2) - reach && y < std::max(e.y1, e.y2) + reach;
            if (!inBox && picture[static_cast<std::size_t>(y) * c.width + x] != kBack)
                return true;
        }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: lumaro-gdivectors GDIREF_EXE WORK_DIR OUT_DIR\n");
        return 2;
    }
    const std::pair<const char*, std::vector<Case>> groups[] = {
        {"lines_thin.txt", ThinLines()},
        {"lines_wide.txt", WideLines()},
        {"rectangles.txt", Rectangles()},
        {"ellipses.txt", Ellipses()},
        {"fills_clipping.txt", FillsAndClipping()},
    };
    for (const auto& [file, cases] : groups) {
        // Two runs: a case whose picture changes between runs read memory it never wrote.
        std::vector<std::vector<std::uint32_t>> pictures, again;
        std::string error;
        if (!gdiref::RunUnderWine(argv[1], argv[2], cases, pictures, error) ||
            !gdiref::RunUnderWine(argv[1], argv[2], cases, again, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        std::ofstream out(std::string(argv[3]) + "/" + file, std::ios::binary);
        int differing = 0, dropped = 0;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            if (PaintsOutsideItsBox(c, pictures[i]) || pictures[i] != again[i]) {
                ++dropped;
                continue;
            }
            out << "case " << c.width << ' ' << c.height << ' ' << c.name << '\n';
            for (const TraceOp& op : c.ops)
                out << FormatTraceOp(op) << '\n';
            out << "expect " << gdiref::EncodeRuns(pictures[i]) << '\n';
            if (gdiref::DrawOurs(c) != pictures[i]) {
                ++differing;
                std::fprintf(stderr, "%s: differs: %s\n", file, c.name.c_str());
            }
        }
        std::fprintf(stderr, "%s: %zu cases (%d dropped: Wine painted outside the box or not the same twice), %d differ from our canvas\n",
            file, cases.size() - dropped, dropped, differing);
    }
    return 0;
}
