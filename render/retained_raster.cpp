// The canvas's pixels, drawn a frame at a time, again only where a frame differs from the last.
//
// Why drawing only a box B again gives the pixels of the whole frame: pair the operations of the
// new frame with equal ones of the shown frame, in order. Paired operations other than fills do
// not look at the pixels, so they write the same pixels in both frames; every unpaired one, old or
// new, writes only inside B. A fill looks at the pixels, but only at those it painted and the ring
// around them that stopped it: if nothing before it in the frame wrote there differently, it
// paints what it painted before, and its runs, kept from the last frame, are painted again inside
// B. Otherwise it is drawn anew, and B takes in its last pixels and their ring; the fills after it
// are judged as if it painted nothing beyond what had changed up to it. Inside B the frame is drawn
// again from the erase on, clipped to B; a fill drawn anew that then reaches B's edge might have
// gone on outside, and one that paints beyond what had changed up to it might have met the fills
// after it: then the whole frame is drawn instead. Outside B, every operation wrote what it wrote
// before.

#include "render/retained_raster.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace lumaro {

using raster::Box;
using raster::i64;

namespace {

// How far a pen reaches beyond the line it follows: half its width, rounded generously. A thin pen
// draws only pixels of the line itself.
i64 PenReach(std::int32_t width) { return width <= 1 ? 0 : width + 1; }

bool IsFill(const DrawOp& op) { return op.kind == DrawOp::Kind::FloodFill; }

// After this many unequal operations in a row on either side, the frames are taken to differ from
// there on: pairing looks no further ahead.
constexpr std::size_t kPairingReach = 16;

std::uint64_t NewDrawing()
{
    static std::atomic<std::uint64_t> last {0};
    return ++last;
}

} // namespace

RetainedRaster::RetainedRaster(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_pixels(static_cast<std::size_t>(width) * height)
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

void RetainedRaster::Draw(const raster::Raster& window, const Box& at, const DrawOp& op)
{
    const i64 x1 = op.x1 - at.left, y1 = op.y1 - at.top, x2 = op.x2 - at.left, y2 = op.y2 - at.top;
    const raster::Pen pen {op.pen, op.penWidth};
    switch (op.kind) {
    case DrawOp::Kind::Line:
        raster::StrokeLine(window, x1, y1, x2, y2, pen, m_outline, m_rowInsets);
        return;
    case DrawOp::Kind::Rectangle:
        raster::DrawRectangle(window, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), pen,
            op.brush, m_outline, m_rowInsets);
        return;
    case DrawOp::Kind::Ellipse:
        raster::DrawEllipse(window, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), pen,
            op.brush, m_outline, m_rowInsets);
        return;
    case DrawOp::Kind::FloodFill:
        return;
    }
}

RetainedRaster::FillRecord RetainedRaster::Fill(const raster::Raster& window, const Box& at, const DrawOp& op,
    Frame& frame)
{
    FillRecord record;
    record.box = Reach(op);
    record.firstRun = static_cast<std::uint32_t>(frame.runs.size());
    if (!record.box.Overlaps(at))
        return record;
    m_fillWork.runs = &frame.runs;
    const Box painted = raster::FloodFillBorder(window, op.x1 - at.left, op.y1 - at.top, op.border, op.brush, m_fillWork);
    m_fillWork.runs = nullptr;
    for (auto run = frame.runs.begin() + record.firstRun; run != frame.runs.end(); ++run) {
        run->y += static_cast<std::int32_t>(at.top);
        run->left += static_cast<std::int32_t>(at.left);
        run->right += static_cast<std::int32_t>(at.left);
    }
    record.runCount = static_cast<std::uint32_t>(frame.runs.size()) - record.firstRun;
    if (!painted.Empty())
        record.box = record.box.United({painted.left + at.left, painted.top + at.top, painted.right + at.left,
                                           painted.bottom + at.top});
    return record;
}

void RetainedRaster::Settle()
{
    const Waiting waiting = std::exchange(m_waiting, Waiting::Nothing);
    // A new raster shows black, but its pixels are made only now, so that making a raster (the
    // program's start, a copy to look ahead) costs no pass over them: a frame of its own is drawn
    // whole from its erase, anything else goes on from black.
    if (!m_pixelsMade) {
        m_pixelsMade = true;
        if (waiting == Waiting::Frame)
            m_shownKnown = false;
        else
            raster::FillPixels(m_pixels.data(), static_cast<i64>(m_pixels.size()), clBlack);
    }
    if (waiting == Waiting::Nothing)
        return;
    m_drawnFrom = m_drawing;
    m_drawing = NewDrawing();
    if (waiting == Waiting::Appended) {
        DrawAppended();
        return;
    }
    if (!m_shownKnown || m_next.erase != m_shown.erase) {
        DrawWhole();
        return;
    }
    if (m_next.ops == m_shown.ops) {
        m_damage = {};
        return;
    }
    const Box box = PairOperations();
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
    m_anew.resize(next.size());
    // What the frame has written differently so far, in its order.
    Box changed;
    auto unpairedShown = [&](std::size_t i) {
        // A fill is taken in with its ring: the same fill drawn anew must not touch the box's edge.
        changed = changed.United(IsFill(shown[i]) ? Clip(m_shown.fills[i].box.Grown(1)) : Reach(shown[i]));
    };
    // The operations after a fill drawn anew are paired on the understanding that it paints
    // nothing outside what has changed so far.
    auto unpairedNext = [&](std::size_t j) {
        changed = changed.United(Reach(next[j]));
        m_anew[j] = changed;
    };
    auto pair = [&](std::size_t i, std::size_t j) {
        if (!IsFill(next[j])) {
            m_pairs[j] = static_cast<std::int32_t>(i);
            return;
        }
        const Box ring = Clip(m_shown.fills[i].box.Grown(1));
        if (ring.Overlaps(changed)) {
            changed = changed.United(ring);
            m_anew[j] = changed;
        } else {
            m_pairs[j] = static_cast<std::int32_t>(i);
        }
    };

    std::size_t i = 0, j = 0;
    while (i < shown.size() && j < next.size()) {
        if (shown[i] == next[j]) {
            pair(i++, j++);
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
    return changed;
}

bool RetainedRaster::DrawInside(const Box& box)
{
    const raster::Raster window {m_pixels.data() + box.top * m_width + box.left, static_cast<int>(box.right - box.left),
        static_cast<int>(box.bottom - box.top), m_width};
    const raster::Raster whole {m_pixels.data(), m_width, m_height, m_width};
    raster::FillRect(window, 0, 0, window.width, window.height, m_next.erase);
    // An edge of the box inside the raster, which a fill drawn anew must not reach.
    const Box inner {box.left > 0 ? box.left : i64{-1}, box.top > 0 ? box.top : i64{-1},
        box.right < m_width ? box.right : i64{m_width} + 1, box.bottom < m_height ? box.bottom : i64{m_height} + 1};
    m_drawn.fills.resize(m_next.ops.size());
    m_drawn.runs.clear();
    for (std::size_t j = 0; j < m_next.ops.size(); ++j) {
        const DrawOp& op = m_next.ops[j];
        if (!IsFill(op)) {
            if (Reach(op).Overlaps(box))
                Draw(window, box, op);
            continue;
        }
        FillRecord& record = m_drawn.fills[j];
        if (m_pairs[j] >= 0) {
            // It paints what it painted before: its runs again, inside the box.
            const FillRecord& before = m_shown.fills[static_cast<std::size_t>(m_pairs[j])];
            record = before;
            record.firstRun = static_cast<std::uint32_t>(m_drawn.runs.size());
            const auto runs = m_shown.runs.begin() + before.firstRun;
            m_drawn.runs.insert(m_drawn.runs.end(), runs, runs + before.runCount);
            if (before.box.Overlaps(box))
                for (auto run = runs; run != runs + before.runCount; ++run)
                    if (run->y >= box.top && run->y < box.bottom)
                        raster::FillRect(whole, std::max<i64>(run->left, box.left), run->y,
                            std::min<i64>(run->right, box.right), run->y + 1, op.brush);
            continue;
        }
        record = Fill(window, box, op, m_drawn);
        const Box& painted = record.box;
        if (record.runCount > 0
            && (painted.left == inner.left || painted.top == inner.top || painted.right == inner.right
                || painted.bottom == inner.bottom || !m_anew[j].Contains(painted)))
            return false;
    }
    std::swap(m_shown.fills, m_drawn.fills);
    std::swap(m_shown.runs, m_drawn.runs);
    Shown();
    m_damage = box;
    return true;
}

void RetainedRaster::Shown()
{
    m_shown.erase = m_next.erase;
    std::swap(m_shown.ops, m_next.ops);
}

void RetainedRaster::DrawAppended()
{
    const raster::Raster whole {m_pixels.data(), m_width, m_height, m_width};
    const Box all {0, 0, m_width, m_height};
    // A raster drawn on again and again without an erase keeps no frame beyond this length, nor
    // the runs of its fills beyond this count: the next erase then draws its frame whole.
    constexpr std::size_t kLongestKeptFrame = 1 << 14, kMostKeptRuns = 1 << 18;
    bool keep = m_shownKnown && m_shown.ops.size() + m_next.ops.size() <= kLongestKeptFrame;
    m_damage = {};
    for (const DrawOp& op : m_next.ops) {
        FillRecord record;
        if (IsFill(op)) {
            record = Fill(whole, all, op, m_shown);
            keep = keep && m_shown.runs.size() <= kMostKeptRuns;
            if (!keep)
                m_shown.runs.clear();
        } else {
            Draw(whole, all, op);
            record.box = Reach(op);
        }
        m_damage = m_damage.United(record.box);
        if (keep) {
            m_shown.ops.push_back(op);
            m_shown.fills.push_back(record);
        }
    }
    if (!keep) {
        m_shownKnown = false;
        m_shown.ops.clear();
        m_shown.fills.clear();
        m_shown.runs.clear();
    }
    m_next.ops.clear();
}

void RetainedRaster::DrawWhole()
{
    const raster::Raster whole {m_pixels.data(), m_width, m_height, m_width};
    raster::FillPixels(m_pixels.data(), static_cast<i64>(m_pixels.size()), m_next.erase);
    const Box all {0, 0, m_width, m_height};
    m_shown.fills.resize(m_next.ops.size());
    m_shown.runs.clear();
    for (std::size_t j = 0; j < m_next.ops.size(); ++j) {
        const DrawOp& op = m_next.ops[j];
        if (IsFill(op))
            m_shown.fills[j] = Fill(whole, all, op, m_shown);
        else
            Draw(whole, all, op);
    }
    Shown();
    m_shownKnown = true;
    m_damage = all;
}

} // namespace lumaro
