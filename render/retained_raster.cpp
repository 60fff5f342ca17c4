// The canvas's pixels, drawn a frame at a time, again only where a frame differs from the last.
//
// Why drawing only a box B again gives the pixels of the whole frame: pair the operations of the
// new frame with equal ones of the shown frame, in order. Paired operations other than fills do
// not look at the pixels, so they write the same pixels in both frames; every unpaired one, old or
// new, writes only inside B. So outside B every pixel is written alike, up to the fills. A fill
// looks at the pixels: it is taken into B whole (with the ring of pixels around it that stopped
// it) whenever that ring touches B, so a paired fill outside B met the same pixels and painted the
// same ones as before. Inside B, the frame is drawn again from the erase on, clipped to B; a fill
// that then reaches B's edge might have gone on outside, and the whole frame is drawn instead.

#include "render/retained_raster.h"

#include <algorithm>
#include <atomic>

namespace lumaro {

using raster::Box;
using raster::i64;

namespace {

Box Union(const Box& a, const Box& b)
{
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool Overlap(const Box& a, const Box& b)
{
    return !a.Empty() && !b.Empty() && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const Box& outer, const Box& inner)
{
    return inner.Empty()
        || (inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top && inner.bottom <= outer.bottom);
}

Box Grown(const Box& box, i64 by)
{
    return box.Empty() ? box : Box{box.left - by, box.top - by, box.right + by, box.bottom + by};
}

// How far a pen reaches beyond the line it follows: half its width, rounded generously. A thin pen
// draws only pixels of the line itself.
i64 PenReach(std::int32_t width) { return width <= 1 ? 0 : width + 1; }

bool IsFill(const DrawOp& op) { return op.kind == DrawOp::Kind::FloodFill; }

// After this many unequal operations in a row on either side, the frames are taken to differ from
// there on: pairing looks no further ahead.
constexpr std::size_t kPairingReach = 16;

} // namespace

namespace {

std::uint64_t NewDrawing()
{
    static std::atomic<std::uint64_t> last {0};
    return ++last;
}

} // namespace

RetainedRaster::RetainedRaster(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_pixels(static_cast<std::size_t>(width) * height, clBlack)
    , m_drawing(NewDrawing())
{
}

Box RetainedRaster::Clip(const Box& box) const
{
    const Box clipped {std::max<i64>(box.left, 0), std::max<i64>(box.top, 0), std::min<i64>(box.right, m_width),
        std::min<i64>(box.bottom, m_height)};
    return clipped.Empty() ? Box{} : clipped;
}

Box RetainedRaster::Reach(const DrawOp& op) const
{
    switch (op.kind) {
    case DrawOp::Kind::Line: {
        const i64 reach = PenReach(op.penWidth);
        return Clip({std::min<i64>(op.x1, op.x2) - reach, std::min<i64>(op.y1, op.y2) - reach,
            std::max<i64>(op.x1, op.x2) + 1 + reach, std::max<i64>(op.y1, op.y2) + 1 + reach});
    }
    case DrawOp::Kind::Rectangle:
    case DrawOp::Kind::Ellipse: {
        // An empty box draws nothing at all.
        if (op.x1 == op.x2 || op.y1 == op.y2)
            return {};
        const i64 reach = PenReach(op.penWidth);
        return Clip({std::min<i64>(op.x1, op.x2) - reach, std::min<i64>(op.y1, op.y2) - reach,
            std::max<i64>(op.x1, op.x2) + reach, std::max<i64>(op.y1, op.y2) + reach});
    }
    case DrawOp::Kind::FloodFill:
        return Clip({op.x1, op.y1, i64{op.x1} + 1, i64{op.y1} + 1});
    }
    return {};
}

Box RetainedRaster::Draw(const raster::Raster& window, const Box& at, const DrawOp& op)
{
    const i64 x1 = op.x1 - at.left, y1 = op.y1 - at.top, x2 = op.x2 - at.left, y2 = op.y2 - at.top;
    const raster::Pen pen {op.pen, op.penWidth};
    switch (op.kind) {
    case DrawOp::Kind::Line:
        raster::StrokeLine(window, x1, y1, x2, y2, pen, m_outline, m_rowInsets);
        return {};
    case DrawOp::Kind::Rectangle:
        raster::DrawRectangle(window, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), pen,
            op.brush, m_outline, m_rowInsets);
        return {};
    case DrawOp::Kind::Ellipse:
        raster::DrawEllipse(window, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), pen,
            op.brush, m_outline, m_rowInsets);
        return {};
    case DrawOp::Kind::FloodFill: {
        const Box painted = raster::FloodFillBorder(window, x1, y1, op.border, op.brush, m_fillWork);
        return painted.Empty() ? painted
                               : Box{painted.left + at.left, painted.top + at.top, painted.right + at.left,
                                     painted.bottom + at.top};
    }
    }
    return {};
}

void RetainedRaster::Settle()
{
    if (!m_changed)
        return;
    m_changed = false;
    m_drawnFrom = m_drawing;
    m_drawing = NewDrawing();
    if (m_appending) {
        DrawAppended();
        return;
    }
    if (!m_shownValid || m_next.erase != m_shown.erase) {
        DrawWhole();
        return;
    }
    if (m_next.ops == m_shown.ops) {
        m_damage = {};
        return;
    }
    const Box box = TakeInFills(PairOperations());
    // Beyond half the raster, drawing a box costs about what the whole frame costs.
    const i64 area = (box.right - box.left) * (box.bottom - box.top);
    if (2 * area > i64{m_width} * m_height || !DrawInside(box))
        DrawWhole();
}

Box RetainedRaster::PairOperations()
{
    const std::vector<DrawOp>& shown = m_shown.ops;
    const std::vector<DrawOp>& next = m_next.ops;
    m_pairs.assign(next.size(), -1);
    Box box;
    auto unpairedShown = [&](std::size_t i) {
        // A fill is taken in with its ring: the same fill drawn again must not touch the box's edge.
        box = Union(box, IsFill(shown[i]) ? Clip(Grown(m_shown.boxes[i], 1)) : Reach(shown[i]));
    };
    auto unpairedNext = [&](std::size_t j) { box = Union(box, Reach(next[j])); };

    std::size_t i = 0, j = 0;
    while (i < shown.size() && j < next.size()) {
        if (shown[i] == next[j]) {
            m_pairs[j] = static_cast<std::int32_t>(i);
            ++i;
            ++j;
            continue;
        }
        // The nearest pair ahead: the fewest operations passed over on both sides together.
        std::size_t skipShown = shown.size() - i, skipNext = next.size() - j;
        for (std::size_t passed = 1; passed <= 2 * kPairingReach && skipShown + skipNext > passed; ++passed) {
            bool found = false;
            for (std::size_t a = 0; a <= passed && !found; ++a) {
                const std::size_t b = passed - a;
                if (i + a < shown.size() && j + b < next.size() && a <= kPairingReach && b <= kPairingReach
                    && shown[i + a] == next[j + b]) {
                    skipShown = a;
                    skipNext = b;
                    found = true;
                }
            }
            if (found)
                break;
        }
        for (std::size_t k = 0; k < skipShown; ++k)
            unpairedShown(i + k);
        for (std::size_t k = 0; k < skipNext; ++k)
            unpairedNext(j + k);
        i += skipShown;
        j += skipNext;
    }
    for (; i < shown.size(); ++i)
        unpairedShown(i);
    for (; j < next.size(); ++j)
        unpairedNext(j);
    return box;
}

Box RetainedRaster::TakeInFills(Box box) const
{
    for (bool grew = !box.Empty(); grew;) {
        grew = false;
        for (std::size_t j = 0; j < m_next.ops.size(); ++j) {
            if (!IsFill(m_next.ops[j]) || m_pairs[j] < 0)
                continue;
            const Box ring = Clip(Grown(m_shown.boxes[static_cast<std::size_t>(m_pairs[j])], 1));
            if (Overlap(ring, box) && !Contains(box, ring)) {
                box = Union(box, ring);
                grew = true;
            }
        }
    }
    return box;
}

bool RetainedRaster::DrawInside(const Box& box)
{
    const raster::Raster window {m_pixels.data() + box.top * m_width + box.left, static_cast<int>(box.right - box.left),
        static_cast<int>(box.bottom - box.top), m_width};
    raster::FillRect(window, 0, 0, window.width, window.height, m_next.erase);
    // An edge of the box inside the raster, which a fill must not reach.
    const Box inner {box.left > 0 ? box.left : i64{-1}, box.top > 0 ? box.top : i64{-1},
        box.right < m_width ? box.right : i64{m_width} + 1, box.bottom < m_height ? box.bottom : i64{m_height} + 1};
    m_nextBoxes.resize(m_next.ops.size());
    for (std::size_t j = 0; j < m_next.ops.size(); ++j) {
        const DrawOp& op = m_next.ops[j];
        if (!IsFill(op)) {
            if (Overlap(Reach(op), box))
                Draw(window, box, op);
            continue;
        }
        Box& written = m_nextBoxes[j];
        const Box seed = Reach(op);
        if (!Overlap(seed, box)) {
            // Paired, and wholly outside with its ring: it painted what it painted before.
            written = m_pairs[j] >= 0 ? m_shown.boxes[static_cast<std::size_t>(m_pairs[j])] : seed;
            continue;
        }
        const Box painted = Draw(window, box, op);
        if (!painted.Empty()
            && (painted.left == inner.left || painted.top == inner.top || painted.right == inner.right
                || painted.bottom == inner.bottom))
            return false;
        written = Union(painted, seed);
    }
    std::swap(m_shown.boxes, m_nextBoxes);
    Shown();
    m_damage = box;
    return true;
}

void RetainedRaster::Shown()
{
    m_shown.erase = m_next.erase;
    std::swap(m_shown.ops, m_next.ops);
    m_nextIsShown = true;
}

void RetainedRaster::DrawAppended()
{
    const raster::Raster whole {m_pixels.data(), m_width, m_height, m_width};
    const Box all {0, 0, m_width, m_height};
    // A raster drawn on again and again without an erase keeps no frame beyond this length: the
    // next erase then draws its frame whole.
    constexpr std::size_t kLongestKeptFrame = 1 << 14;
    const bool keep = m_shownValid && m_shown.ops.size() + m_next.ops.size() <= kLongestKeptFrame;
    m_damage = {};
    for (const DrawOp& op : m_next.ops) {
        const Box painted = Draw(whole, all, op);
        const Box written = IsFill(op) ? Union(painted, Reach(op)) : Reach(op);
        m_damage = Union(m_damage, written);
        if (keep) {
            m_shown.ops.push_back(op);
            m_shown.boxes.push_back(IsFill(op) ? written : Box{});
        }
    }
    if (!keep) {
        m_shownValid = false;
        m_shown.ops.clear();
        m_shown.boxes.clear();
    }
    m_next.ops.clear();
    m_appending = false;
    m_nextIsShown = true;
}

void RetainedRaster::DrawWhole()
{
    const raster::Raster whole {m_pixels.data(), m_width, m_height, m_width};
    raster::FillPixels(m_pixels.data(), static_cast<i64>(m_pixels.size()), m_next.erase);
    const Box all {0, 0, m_width, m_height};
    m_shown.boxes.resize(m_next.ops.size());
    for (std::size_t j = 0; j < m_next.ops.size(); ++j) {
        const DrawOp& op = m_next.ops[j];
        const Box painted = Draw(whole, all, op);
        if (IsFill(op))
            m_shown.boxes[j] = Union(painted, Reach(op));
    }
    Shown();
    m_shownValid = true;
    m_damage = all;
}

} // namespace lumaro
