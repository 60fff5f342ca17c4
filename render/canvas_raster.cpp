// The canvas's raster work: lines, rectangles, ellipses and the border-mode flood fill, by the
// pixel rules of the Windows GDI.

#include "render/canvas_raster.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <limits>

namespace lumaro::raster {

namespace {

using i128 = __int128;

// Boxes larger than this are beyond the exact ellipse stepping (its error terms would outgrow
// 64 bits) and are drawn from the ellipse equation instead.
constexpr i64 kMaxSteppedEllipse = 1 << 16;

[[gnu::noinline]] i64 FloorDivWide(i128 num, i128 den)
{
    i128 q = num / den;
    if ((num % den != 0) && ((num < 0) != (den < 0)))
        --q;
    return static_cast<i64>(q);
}

inline i64 FloorDiv(i128 num, i128 den)
{
    // Within the canvas the terms are small, and a 64-bit division is many times faster.
    constexpr i128 kSmall = i128{1} << 62;
    if (num <= -kSmall || num >= kSmall || den <= -kSmall || den >= kSmall)
        return FloorDivWide(num, den);
    const auto n = static_cast<i64>(num), d = static_cast<i64>(den);
    const i64 q = n / d;
    return (n % d != 0) && ((n < 0) != (d < 0)) ? q - 1 : q;
}

inline i64 CeilDiv(i128 num, i128 den) { return -FloorDiv(-num, den); }

// Short runs are written inline, in blocks of a fixed count that the compiler turns into vector
// stores even at -O2 without a target architecture.
constexpr i64 kBlock = 8;

// n pixels from p on, n a constant: the compiler makes vector stores of it.
template <i64 n>
inline void FillFixed(std::uint32_t* p, Color color)
{
    for (i64 i = 0; i < n; ++i)
        p[i] = color;
}

// The inline part of FillPixels: runs shorter than kLibraryFillMin, as two blocks of a fixed size
// that overlap in the middle. The length picks only the size of the blocks, never a loop count,
// so that lines and small shapes, whose runs change length from row to row, do not stall on
// mispredicted loop exits.
inline void FillShort(std::uint32_t* p, i64 count, Color color)
{
    static_assert(kLibraryFillMin <= 2 * kBlock);
    if (count >= kBlock) {
        FillFixed<kBlock>(p, color);
        FillFixed<kBlock>(p + count - kBlock, color);
    } else if (count >= 4) {
        FillFixed<4>(p, color);
        FillFixed<4>(p + count - 4, color);
    } else if (count >= 2) {
        FillFixed<2>(p, color);
        FillFixed<2>(p + count - 2, color);
    } else if (count == 1) {
        p[0] = color;
    }
}

// FillPixels with the short runs (most spans of lines and small shapes) kept inline.
inline void FillRun(std::uint32_t* p, i64 count, Color color)
{
    if (count < kLibraryFillMin)
        FillShort(p, count, color);
    else
        FillPixels(p, count, color);
}

void FillSpan(const Raster& r, i64 y, i64 left, i64 right, Color color)
{
    if (y < 0 || y >= r.height)
        return;
    left = std::max<i64>(left, 0);
    right = std::min<i64>(right, r.width);
    if (left >= right)
        return;
    std::uint32_t* row = r.pixels + y * r.stride;
    FillRun(row + left, right - left, color);
}

// GDI steps the minor axis of a line early (on a tie of its error term) for lines heading into
// the octants 3, 5, 6 and 8, counted counter-clockwise from +x with y pointing down.
bool OctantBias(i64 dx, i64 dy)
{
    if (dy > 0)
        return dx < 0 && -dx <= dy;
    return dx < 0 || dx > -dy;
}

struct AxisSpan {
    i64 begin, end;
};

// Pixels of a thin axis-parallel line from `from` towards `to`: the start pixel, not the end one.
AxisSpan ThinSpan(i64 from, i64 to)
{
    return from <= to ? AxisSpan{from, to} : AxisSpan{to + 1, from + 1};
}

// ThinLine for anything longer than a step to a neighbouring pixel.
void LongThinLine(const Raster& r, i64 x0, i64 y0, i64 x1, i64 y1, Color color)
{
    // Horizontal and vertical: a span that holds the start pixel and stops short of the end.
    if (y0 == y1) {
        const AxisSpan span = ThinSpan(x0, x1);
        FillSpan(r, y0, span.begin, span.end, color);
        return;
    }
    if (x0 == x1) {
        const AxisSpan span = ThinSpan(y0, y1);
        FillRect(r, x0, span.begin, x0 + 1, span.end, color);
        return;
    }

    // General case: pixel i (0 <= i < lenA) lies at major a0 + sa*i, minor b0 + sb*k(i) with
    // k(i) = floor((2*lenB*i + lenA + bias - 1) / (2*lenA)); clipping picks the range of i.
    const i64 dx = x1 - x0, dy = y1 - y0;
    const i64 adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const int bias = OctantBias(dx, dy) ? 1 : 0;
    const bool xMajor = adx > ady;
    const i64 a0 = xMajor ? x0 : y0, b0 = xMajor ? y0 : x0;
    const i64 sa = (xMajor ? dx : dy) < 0 ? -1 : 1, sb = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const i64 lenA = xMajor ? adx : ady, lenB = xMajor ? ady : adx;
    const i64 sizeA = xMajor ? r.width : r.height, sizeB = xMajor ? r.height : r.width;

    // Clipping picks the range of i and the minor step k at its start. A line whose ends both lie
    // inside (most of them) needs none of its divisions: it starts at i = 0, k = 0.
    i64 iBegin = 0, iEnd = lenA, k = 0, rem = lenA + bias - 1;
    const bool inside = x0 >= 0 && x0 < r.width && x1 >= 0 && x1 < r.width && y0 >= 0 && y0 < r.height && y1 >= 0
        && y1 < r.height;
    if (!inside) {
        // Clip on the major axis.
        if (sa > 0) {
            iBegin = std::max(iBegin, -a0);
            iEnd = std::min(iEnd, sizeA - a0);
        } else {
            iBegin = std::max(iBegin, a0 - sizeA + 1);
            iEnd = std::min(iEnd, a0 + 1);
        }
        if (iBegin >= iEnd)
            return;

        // Clip on the minor axis: the steps k that stay inside, turned into a range of i.
        i64 kLo = sb > 0 ? -b0 : b0 - sizeB + 1;
        i64 kHi = sb > 0 ? sizeB - 1 - b0 : b0;
        kLo = std::max<i64>(kLo, 0);
        if (kLo > kHi)
            return;
        auto firstStepReaching = [&](i64 m) -> i64 {
            const i128 need = static_cast<i128>(2) * lenA * m - lenA - bias + 1;
            return need <= 0 ? 0 : CeilDiv(need, static_cast<i128>(2) * lenB);
        };
        iBegin = std::max(iBegin, firstStepReaching(kLo));
        iEnd = std::min(iEnd, firstStepReaching(kHi + 1));
        if (iBegin >= iEnd)
            return;
        const i128 num = static_cast<i128>(2) * lenB * iBegin + lenA + bias - 1;
        k = FloorDiv(num, static_cast<i128>(2) * lenA);
        rem = static_cast<i64>(num - static_cast<i128>(k) * 2 * lenA);
    }

    // Walked as an index into the raster; the minor step is taken without a branch, since for a
    // slanted line it comes without a pattern the processor could learn.
    const i64 twoA = 2 * lenA, twoB = 2 * lenB;
    const i64 stepA = xMajor ? sa : sa * r.stride, stepB = xMajor ? sb * r.stride : sb;
    const i64 a = a0 + sa * iBegin, b = b0 + sb * k;
    i64 at = xMajor ? b * r.stride + a : a * r.stride + b;
    for (i64 i = iBegin; i < iEnd; ++i) {
        r.pixels[at] = color;
        rem += twoB;
        const i64 carry = rem >= twoA ? 1 : 0;
        rem -= carry * twoA;
        at += stepA + carry * stepB;
    }
}

// A line of pen width 1 from (x0, y0) to (x1, y1), end pixel left out.
inline void ThinLine(const Raster& r, i64 x0, i64 y0, i64 x1, i64 y1, Color color)
{
    // A step to a neighbouring pixel (every segment of a small ellipse's outline): its start pixel.
    if (x0 - x1 >= -1 && x0 - x1 <= 1 && y0 - y1 >= -1 && y0 - y1 <= 1 && (x0 != x1 || y0 != y1)) {
        if (x0 >= 0 && y0 >= 0 && x0 < r.width && y0 < r.height)
            r.pixels[y0 * r.stride + x0] = color;
        return;
    }
    LongThinLine(r, x0, y0, x1, y1, color);
}

// Row insets of the region GDI fills for an ellipse inscribed in a w x h box (w, h >= 2):
// row i covers [left + inset[i], right - inset[i]). In tall narrow boxes the stepping reaches the
// middle column before the top row; the rows it never reaches stay empty.
void EllipseRowInsets(i64 w, i64 h, std::vector<std::int32_t>& inset)
{
    inset.assign(static_cast<std::size_t>(h), static_cast<std::int32_t>(w));
    const i64 a = w - 1, b = h - 1;
    const i64 asq = 8 * a * a, bsq = 8 * b * b;
    i64 dx = 4 * b * b * (1 - a);
    i64 dy = 4 * a * a * (1 + b % 2);
    i64 err = dx + dy + a * a * (b % 2);
    i64 x = 0, y = h / 2;
    inset[static_cast<std::size_t>(y)] = 0;
    while (x <= w / 2) {
        const i64 e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            err += dx += bsq;
        }
        if (e2 <= dy) {
            ++y;
            err += dy += asq;
            if (y < h)
                inset[static_cast<std::size_t>(y)] = static_cast<std::int32_t>(x);
        }
    }
    for (i64 i = 0; i < h / 2; ++i)
        inset[static_cast<std::size_t>(i)] = inset[static_cast<std::size_t>(b - i)];
}

// The outline points of an ellipse in the box, in drawing order (counter-clockwise from the
// middle of the right side), as x, y pairs.
void EllipseOutline(i64 left, i64 top, i64 right, i64 bottom, std::vector<i64>& pts)
{
    const i64 w = right - left, h = bottom - top;
    const i64 a = w - 1, b = h - 1;
    const i64 asq = 8 * a * a, bsq = 8 * b * b;
    i64 dx = 4 * b * b * (1 - a);
    i64 dy = 4 * a * a * (1 + b % 2);
    i64 err = dx + dy + a * a * (b % 2);
    i64 px = a, py = h / 2;

    // First quadrant, from the right end of the middle row up to the top middle.
    pts.clear();
    while (px >= w / 2) {
        pts.push_back(left + px);
        pts.push_back(top + h - 1 - py);
        const i64 e2 = 2 * err;
        if (e2 >= dx) {
            --px;
            err += dx += bsq;
        }
        if (e2 <= dy) {
            ++py;
            err += dy += asq;
        }
    }
    // Mirror left, then down; a middle column or row of an odd box is not repeated.
    const auto count = static_cast<i64>(pts.size() / 2);
    i64 end = 2 * count - 1 - (w % 2);
    pts.resize(static_cast<std::size_t>(2 * (end + 1)));
    for (i64 i = 0; i < count; ++i) {
        pts[2 * (end - i)] = left + right - 1 - pts[2 * i];
        pts[2 * (end - i) + 1] = pts[2 * i + 1];
    }
    const i64 half = end + 1;
    end = 2 * half - 1 - (h % 2);
    pts.resize(static_cast<std::size_t>(2 * (end + 1)));
    for (i64 i = 0; i < half; ++i) {
        pts[2 * (end - i)] = pts[2 * i];
        pts[2 * (end - i) + 1] = top + bottom - 1 - pts[2 * i + 1];
    }
}

// The round cap and join of a wide pen: the ellipse region of a width x width box whose
// top-left corner lies width/2 up and left of the point.
void PenDisc(const Raster& r, i64 x, i64 y, int width, const std::vector<std::int32_t>& inset, Color color)
{
    const i64 x0 = x - width / 2, y0 = y - width / 2;
    for (int i = 0; i < width; ++i)
        FillSpan(r, y0 + i, x0 + inset[static_cast<std::size_t>(i)], x0 + width - inset[static_cast<std::size_t>(i)],
            color);
}

// round(width * d / len / 2) for len = sqrt(lenSq), exactly: the largest k with (2k - 1) * len <= width * d.
i64 NarrowHalf(int width, i64 d, i128 lenSq)
{
    const i128 wd2 = static_cast<i128>(width) * width * d * d;
    i64 k = 0;
    while ((2 * k + 1) * (2 * k + 1) * lenSq <= wd2)
        ++k;
    return k;
}

// round((width * d / len + 1) / 2): the largest k with (2k - 2) * len <= width * d.
i64 WideHalf(int width, i64 d, i128 lenSq)
{
    const i128 wd2 = static_cast<i128>(width) * width * d * d;
    i64 k = 1;
    while (4 * k * k * lenSq <= wd2)
        ++k;
    return k;
}

struct Pt {
    i64 x, y;
};

// An edge of a polygon, walked down row by row from its top (the end with the smaller y): on
// row y, top.y <= y < bottom.y, it crosses at x = top.x + ceil((y - top.y) * dx / dy). Each row
// adds the whole part of dx / dy and carries the rest, so only the first row divides.
class EdgeWalk {
public:
    // Starts at row `first` or at the top of the edge, whichever is lower.
    EdgeWalk(Pt a, Pt b, i64 first)
    {
        if (a.y > b.y)
            std::swap(a, b);
        m_top = a.y;
        m_bottom = b.y;
        if (m_top == m_bottom)
            return;
        m_dy = b.y - a.y;
        const i64 dx = b.x - a.x;
        const i128 start = static_cast<i128>(std::max(first, m_top) - a.y) * dx;
        const i64 whole = CeilDiv(start, m_dy);
        m_x = a.x + whole;
        m_excess = static_cast<i64>(static_cast<i128>(whole) * m_dy - start);
        m_stepWhole = FloorDiv(dx, m_dy);
        m_stepRest = dx - m_stepWhole * m_dy;
    }

    bool Crosses(i64 y) const { return m_top <= y && y < m_bottom; }
    i64 X() const { return m_x; }

    // Without a branch: whether the rest carries over changes from row to row without a pattern.
    void Step()
    {
        m_excess -= m_stepRest;
        const i64 carry = m_excess < 0 ? 1 : 0;
        m_excess += carry * m_dy;
        m_x += m_stepWhole + carry;
    }

private:
    i64 m_top = 0, m_bottom = 0, m_dy = 1;
    i64 m_x = 0;
    // ceil(...) * dy minus the exact product, in [0, dy).
    i64 m_excess = 0;
    // dx = m_stepWhole * dy + m_stepRest, m_stepRest in [0, dy).
    i64 m_stepWhole = 0, m_stepRest = 0;
};

// Fills a polygon by GDI's region rule: on each row the crossings of the edges (EdgeWalk) are
// sorted, and pixels from one crossing up to the next (exclusive) are inside, alternating.
void FillQuad(const Raster& r, const Pt (&p)[4], Color color)
{
    i64 yMin = p[0].y, yMax = p[0].y;
    for (const Pt& q : p) {
        yMin = std::min(yMin, q.y);
        yMax = std::max(yMax, q.y);
    }
    yMin = std::max<i64>(yMin, 0);
    yMax = std::min<i64>(yMax, r.height);
    if (yMin >= yMax)
        return;
    EdgeWalk edges[4] = {
        {p[0], p[1], yMin},
        {p[1], p[2], yMin},
        {p[2], p[3], yMin},
        {p[3], p[0], yMin},
    };
    // Between two corners' rows the same edges cross every row: bands of rows, each with its
    // crossing edges picked once.
    i64 cuts[6] = {yMin, yMax};
    int cutCount = 2;
    for (const Pt& q : p)
        if (q.y > yMin && q.y < yMax)
            cuts[cutCount++] = q.y;
    // At most six cuts: an insertion sort, which g++ does not mistake for reading past them.
    for (int i = 1; i < cutCount; ++i)
        for (int j = i; j > 0 && cuts[j - 1] > cuts[j]; --j)
            std::swap(cuts[j - 1], cuts[j]);
    for (int c = 0; c + 1 < cutCount; ++c) {
        const i64 bandTop = cuts[c], bandBottom = cuts[c + 1];
        EdgeWalk* crossing[4];
        int n = 0;
        for (EdgeWalk& e : edges)
            if (e.Crosses(bandTop))
                crossing[n++] = &e;
        // Mostly the two long sides: one span a row, its ends in either order.
        if (n == 2) {
            EdgeWalk& e0 = *crossing[0];
            EdgeWalk& e1 = *crossing[1];
            for (i64 y = bandTop; y < bandBottom; ++y) {
                FillSpan(r, y, std::min(e0.X(), e1.X()), std::max(e0.X(), e1.X()), color);
                e0.Step();
                e1.Step();
            }
            continue;
        }
        for (i64 y = bandTop; y < bandBottom; ++y) {
            i64 xs[4];
            for (int i = 0; i < n; ++i) {
                xs[i] = crossing[i]->X();
                crossing[i]->Step();
            }
            for (int i = 1; i < n; ++i)
                for (int j = i; j > 0 && xs[j - 1] > xs[j]; --j)
                    std::swap(xs[j - 1], xs[j]);
            for (int i = 0; i + 1 < n; i += 2)
                FillSpan(r, y, xs[i], xs[i + 1], color);
        }
    }
}

// One segment of a wide pen, without caps. Returns false for a segment of length zero.
bool WideSegment(const Raster& r, Pt p1, Pt p2, int width, Color color)
{
    const i64 dx = p2.x - p1.x, dy = p2.y - p1.y;
    if (dx == 0 && dy == 0)
        return false;
    // Horizontal and vertical: a band of the pen's width, centred with the odd pixel below or right.
    if (dy == 0) {
        const i64 top = p1.y - width / 2;
        FillRect(r, std::min(p1.x, p2.x), top, std::max(p1.x, p2.x), top + width, color);
        return true;
    }
    if (dx == 0) {
        const i64 left = p1.x - width / 2;
        FillRect(r, left, std::min(p1.y, p2.y), left + width, std::max(p1.y, p2.y), color);
        return true;
    }
    // General case: a quadrilateral whose sides are offset by rounded halves of the pen width.
    const i128 lenSq = static_cast<i128>(dx) * dx + static_cast<i128>(dy) * dy;
    const i64 adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    Pt narrow{NarrowHalf(width, ady, lenSq), NarrowHalf(width, adx, lenSq)};
    Pt wide{WideHalf(width, ady, lenSq), WideHalf(width, adx, lenSq)};
    if (dx < 0) {
        wide.y = -wide.y;
        narrow.y = -narrow.y;
    }
    if (dy < 0) {
        std::swap(narrow, wide);
        wide.x = -wide.x;
        narrow.x = -narrow.x;
    }
    const Pt quad[4] = {
        {p1.x - narrow.x, p1.y + narrow.y},
        {p1.x + wide.x, p1.y - wide.y},
        {p2.x + wide.x, p2.y - wide.y},
        {p2.x - narrow.x, p2.y + narrow.y},
    };
    FillQuad(r, quad, color);
    return true;
}

void StrokeWide(const Raster& r, const std::vector<i64>& points, Path path, Pen pen,
    std::vector<std::int32_t>& scratch)
{
    auto at = [&](i64 i) { return Pt{points[2 * i], points[2 * i + 1]}; };
    auto same = [&](i64 i, i64 j) { return at(i).x == at(j).x && at(i).y == at(j).y; };
    i64 first = 0, n = static_cast<i64>(points.size() / 2);
    // Repeated points at either end do not count as segments.
    while (n - first > 2 && same(first, first + 1))
        ++first;
    while (n - first > 2 && same(n - 1, n - 2))
        --n;

    EllipseRowInsets(pen.width, pen.width, scratch);
    auto disc = [&](i64 i) { PenDisc(r, at(i).x, at(i).y, pen.width, scratch, pen.color); };
    auto segment = [&](i64 s) {
        const i64 next = s + 1 < n ? s + 1 : first;
        return WideSegment(r, at(s), at(next), pen.width, pen.color);
    };

    const bool closed = path == Path::Closed;
    const i64 segments = closed ? n - first : n - first - 1;
    if (!closed) {
        disc(first);
        disc(n - 1);
    }
    if (segments == 1) {
        segment(first);
        return;
    }
    segment(first);
    // Inner joins only where the segment after them has a length.
    for (i64 s = first + 1; s < first + segments - 1; ++s)
        if (segment(s))
            disc(s);
    const i64 last = first + segments - 1;
    segment(last);
    disc(last);
    if (closed)
        disc(first);
}

// Huge ellipses: the exact stepping would run through billions of outline points, so each
// visible row is computed from the ellipse equation instead (not pixel-identical to GDI).
void DrawHugeEllipse(const Raster& r, i64 left, i64 top, i64 right, i64 bottom, Pen pen, Color brush)
{
    const i64 w = right - left, h = bottom - top;
    const i64 yBegin = std::max<i64>(top, 0), yEnd = std::min<i64>(bottom, r.height);
    for (i64 y = yBegin; y < yEnd; ++y) {
        const i128 yy = 2 * (y - top) + 1 - h;
        const i128 rest = static_cast<i128>(h) * h - yy * yy;
        auto s = static_cast<i128>(std::sqrt(static_cast<long double>(rest)));
        while (s * s > rest)
            --s;
        while ((s + 1) * (s + 1) <= rest)
            ++s;
        const i64 halfWidth = static_cast<i64>(static_cast<i128>(w) * s / (2 * h));
        const i64 inset = std::max<i64>(w / 2 - halfWidth, 0);
        const i64 x0 = left + inset, x1 = right - inset;
        if (y == top || y == bottom - 1) {
            FillSpan(r, y, x0, x1, pen.color);
            continue;
        }
        FillSpan(r, y, x0, x1, brush);
        FillSpan(r, y, x0, x0 + pen.width, pen.color);
        FillSpan(r, y, x1 - pen.width, x1, pen.color);
    }
}

// A border fill walks the region span by span: a span painted on one row is the parent of the
// runs found next to it on the row beyond, and where such a run reaches past its parent the row of
// the parent is looked at again there. Each pixel is painted once; the painted bits keep a pixel
// that already showed the brush colour from being taken up twice. A brush of the border colour
// needs no bits: what it paints is border from then on.
class BorderFill {
public:
    BorderFill(const Raster& r, Color border, Color brush, FillWork& work)
        : m_r(r)
        , m_border(border)
        , m_brush(brush)
        , m_work(work)
        , m_stride((static_cast<i64>(r.width) + 63) / 64)
        , m_marks(brush != border)
    {
        m_work.spans.clear();
        if (!m_marks)
            return;
        const auto bits = static_cast<std::size_t>(m_stride * r.height);
        if (m_work.painted.size() < bits)
            m_work.painted.assign(bits, 0);
    }

    ~BorderFill()
    {
        // Only the words of the box around the painted pixels can hold bits.
        if (!m_marks || m_top > m_bottom)
            return;
        const i64 firstWord = m_left >> 6, lastWord = (m_right - 1) >> 6;
        for (i64 y = m_top; y <= m_bottom; ++y) {
            std::uint64_t* row = m_work.painted.data() + y * m_stride;
            std::fill(row + firstWord, row + lastWord + 1, std::uint64_t{0});
        }
    }

    BorderFill(const BorderFill&) = delete;
    BorderFill& operator=(const BorderFill&) = delete;

    void Run(i64 x, i64 y)
    {
        const Row row = RowAt(y);
        if (!Inside(row, x))
            return;
        const i64 left = RunStart(row, x), right = RunEnd(row, x + 1);
        Paint(row, y, left, right);
        Push(y - 1, left, right - 1, -1);
        Push(y + 1, left, right - 1, 1);
        while (!m_work.spans.empty()) {
            const FillWork::Span span = m_work.spans.back();
            m_work.spans.pop_back();
            Scan(span);
        }
    }

private:
    struct Row {
        std::uint32_t* pixels;
        std::uint64_t* painted;
    };

    // Without marks no bit is ever read: a pixel of the brush colour is then one of the border.
    Row RowAt(i64 y) const
    {
        return {m_r.pixels + y * m_r.stride, m_marks ? m_work.painted.data() + y * m_stride : nullptr};
    }

    // The one test of the fill. A pixel that does not show the brush colour cannot have been
    // painted yet, so only pixels of the brush colour need their painted bit.
    bool Inside(const Row& row, i64 x) const
    {
        const std::uint32_t pixel = row.pixels[x];
        return pixel != m_border && (pixel != m_brush || ((row.painted[x >> 6] >> (x & 63)) & 1) == 0);
    }

    // The first pixel of the run through x (x inside).
    i64 RunStart(const Row& row, i64 x) const
    {
        while (x > 0 && Inside(row, x - 1))
            --x;
        return x;
    }

    // The first pixel at or after x that is not inside, or the width.
    i64 RunEnd(const Row& row, i64 x) const
    {
        for (;;) {
            while (x + kBlock <= m_r.width && PlainBlock(row.pixels + x))
                x += kBlock;
            const i64 end = std::min<i64>(x + kBlock, m_r.width);
            while (x < end && Inside(row, x))
                ++x;
            if (x < end || x == m_r.width)
                return x;
        }
    }

    // Whether a block of pixels lies inside without a doubt: none shows the border or the brush
    // colour. Tested all at once, without an early exit, so that the compiler can do it in vectors.
    bool PlainBlock(const std::uint32_t* p) const
    {
        std::uint32_t hits = 0;
        for (i64 i = 0; i < kBlock; ++i)
            hits |= (p[i] == m_border ? ~0u : 0u) | (p[i] == m_brush ? ~0u : 0u);
        return hits == 0;
    }

public:
    // The box around every pixel painted so far; empty before the first.
    Box Painted() const
    {
        return m_top > m_bottom ? Box{} : Box{m_left, m_top, m_right, m_bottom + 1};
    }

private:
    void Paint(const Row& row, i64 y, i64 left, i64 right)
    {
        FillRun(row.pixels + left, right - left, m_brush);
        if (m_work.runs)
            m_work.runs->push_back({static_cast<std::int32_t>(y), static_cast<std::int32_t>(left),
                static_cast<std::int32_t>(right)});
        m_top = std::min(m_top, y);
        m_bottom = std::max(m_bottom, y);
        m_left = std::min(m_left, left);
        m_right = std::max(m_right, right);
        if (m_marks)
            SetBits(row.painted, left, right);
    }

    static void SetBits(std::uint64_t* words, i64 left, i64 right)
    {
        constexpr std::uint64_t kAll = ~std::uint64_t{0};
        const i64 first = left >> 6, last = (right - 1) >> 6;
        const std::uint64_t head = kAll << (left & 63), tail = kAll >> (63 - ((right - 1) & 63));
        if (first == last) {
            words[first] |= head & tail;
            return;
        }
        words[first] |= head;
        std::fill(words + first + 1, words + last, kAll);
        words[last] |= tail;
    }

    void Push(i64 y, i64 left, i64 right, i64 dy)
    {
        if (y < 0 || y >= m_r.height)
            return;
        m_work.spans.push_back({static_cast<std::int32_t>(y), static_cast<std::int32_t>(left),
            static_cast<std::int32_t>(right), static_cast<std::int32_t>(dy)});
    }

    // Paints the runs of the row that touch the parent span, and queues what lies beyond them.
    void Scan(const FillWork::Span& span)
    {
        const Row row = RowAt(span.y);
        const i64 back = span.y - span.dy, ahead = span.y + span.dy;
        for (i64 x = span.left; x <= span.right; ++x) {
            if (!Inside(row, x))
                continue;
            // Only the first run can begin left of the parent: any later one begins after a pixel
            // that is not inside.
            const i64 left = x == span.left ? RunStart(row, x) : x;
            const i64 right = RunEnd(row, x + 1);
            Paint(row, span.y, left, right);
            Push(ahead, left, right - 1, span.dy);
            if (left < span.left)
                Push(back, left, span.left - 1, -span.dy);
            if (right - 1 > span.right)
                Push(back, span.right + 1, right - 1, -span.dy);
            x = right; // not inside: the search goes on after it
        }
    }

    const Raster& m_r;
    const Color m_border;
    const Color m_brush;
    FillWork& m_work;
    const i64 m_stride;
    const bool m_marks;
    // The box around the painted pixels, right exclusive.
    i64 m_top = std::numeric_limits<i64>::max();
    i64 m_bottom = -1;
    i64 m_left = std::numeric_limits<i64>::max();
    i64 m_right = -1;
};

} // namespace

void FillPixels(std::uint32_t* p, i64 count, Color color)
{
    // Where wchar_t is a 32-bit unit, the C library's wmemset is a fill of 32-bit values that the
    // library tunes for the machine it runs on (the widest vectors it has, string stores for large
    // sizes), which a build for the baseline architecture cannot do. Below a few blocks the call
    // costs more than it saves.
    if constexpr (sizeof(wchar_t) == sizeof(std::uint32_t)) {
        if (count >= kLibraryFillMin) {
            std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(color), static_cast<std::size_t>(count));
            return;
        }
    }
    for (; count >= kBlock; count -= kBlock, p += kBlock)
        for (i64 i = 0; i < kBlock; ++i)
            p[i] = color;
    FillShort(p, count, color);
}

void FillRect(const Raster& r, i64 left, i64 top, i64 right, i64 bottom, Color color)
{
    left = std::max<i64>(left, 0);
    top = std::max<i64>(top, 0);
    right = std::min<i64>(right, r.width);
    bottom = std::min<i64>(bottom, r.height);
    if (left >= right || top >= bottom)
        return;
    // A band as wide as the raster is one run.
    if (left == 0 && right == r.width && r.stride == r.width) {
        FillPixels(r.pixels + top * r.stride, (bottom - top) * r.stride, color);
        return;
    }
    const i64 width = right - left;
    std::uint32_t* row = r.pixels + top * r.stride + left;
    if (width < kLibraryFillMin) {
        // Narrow bands (wide pens' vertical strokes): no call per row.
        for (i64 y = top; y < bottom; ++y, row += r.stride)
            FillShort(row, width, color);
        return;
    }
    for (i64 y = top; y < bottom; ++y, row += r.stride)
        FillPixels(row, width, color);
}

void StrokeLine(const Raster& r, i64 x0, i64 y0, i64 x1, i64 y1, Pen pen, std::vector<i64>& points,
    std::vector<std::int32_t>& scratch)
{
    if (pen.width == 1) {
        ThinLine(r, x0, y0, x1, y1, pen.color);
        return;
    }
    points.assign({x0, y0, x1, y1});
    StrokeWide(r, points, Path::Open, pen, scratch);
}

void StrokePolyline(const Raster& r, const std::vector<i64>& points, Path path, Pen pen,
    std::vector<std::int32_t>& scratch)
{
    const auto n = static_cast<i64>(points.size() / 2);
    if (n < 2)
        return;
    if (pen.width > 1) {
        StrokeWide(r, points, path, pen, scratch);
        return;
    }
    for (i64 i = 0; i + 1 < n; ++i)
        ThinLine(r, points[2 * i], points[2 * i + 1], points[2 * i + 2], points[2 * i + 3], pen.color);
    if (path == Path::Closed)
        ThinLine(r, points[2 * n - 2], points[2 * n - 1], points[0], points[1], pen.color);
}

void DrawRectangle(const Raster& r, i64 left, i64 top, i64 right, i64 bottom, Pen pen, Color brush,
    std::vector<i64>& outline, std::vector<std::int32_t>& scratch)
{
    // An empty box draws nothing, not even its outline.
    if (left == right || top == bottom)
        return;
    // The outline runs through the last column and row inside the box.
    const i64 lastX = right - 1, lastY = bottom - 1;
    // The brush fills the box up to the middle of the outline, which a thin pen does not cover.
    const i64 penInset = pen.width == 1 ? 1 : 0;
    FillRect(r, left + penInset, top + penInset, lastX, lastY, brush);
    outline.assign({lastX, top, left, top, left, lastY, lastX, lastY});
    StrokePolyline(r, outline, Path::Closed, pen, scratch);
}

void DrawEllipse(const Raster& r, i64 left, i64 top, i64 right, i64 bottom, Pen pen, Color brush,
    std::vector<i64>& outline, std::vector<std::int32_t>& scratch)
{
    const i64 w = right - left, h = bottom - top;
    if (w == 0 || h == 0)
        return;
    if (w <= kThinEllipseLimit || h <= kThinEllipseLimit) {
        DrawRectangle(r, left, top, right, bottom, pen, brush, outline, scratch);
        return;
    }
    // Wholly outside: nothing to do (the outline never leaves the box by more than the pen).
    if (right + pen.width <= 0 || bottom + pen.width <= 0 || left - pen.width >= r.width || top - pen.width >= r.height)
        return;
    if (w > kMaxSteppedEllipse || h > kMaxSteppedEllipse) {
        DrawHugeEllipse(r, left, top, right, bottom, pen, brush);
        return;
    }
    EllipseRowInsets(w, h, scratch);
    const i64 yBegin = std::max<i64>(top, 0), yEnd = std::min<i64>(bottom, r.height);
    for (i64 y = yBegin; y < yEnd; ++y) {
        const i64 inset = scratch[static_cast<std::size_t>(y - top)];
        FillSpan(r, y, left + inset, right - inset, brush);
    }
    EllipseOutline(left, top, right, bottom, outline);
    StrokePolyline(r, outline, Path::Closed, pen, scratch);
}

Box FloodFillBorder(const Raster& r, i64 x, i64 y, Color border, Color brush, FillWork& work)
{
    if (x < 0 || y < 0 || x >= r.width || y >= r.height)
        return {};
    BorderFill fill(r, border, brush, work);
    fill.Run(x, y);
    return fill.Painted();
}

} // namespace lumaro::raster
