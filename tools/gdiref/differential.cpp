// Random traces drawn by our canvas and by the real GDI under Wine, compared pixel by pixel.
//
//   lumaro_gdi_differential GDIREF_EXE WORK_DIR [CASES] [SEED] [SESSIONS]
//
// Exits 77 (skipped) when the reference program or Wine is not available.

#include "core/main_form.h"
#include "io/trace_format.h"
#include "tools/gdiref/gdi_host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

using namespace lumaro;
using namespace lumaro::io;
using lumaro::gdiref::Case;

namespace {

constexpr int kSkipped = 77;
constexpr int kWidth = 48, kHeight = 40;

// Coordinates mostly near and across the canvas edges, some far outside.
int Coordinate(std::mt19937& rng, int size)
{
    switch (rng() % 8) {
    case 0: return static_cast<int>(rng() % 4001) - 2000;
    case 1: return static_cast<int>(rng() % 9) - 4;
    case 2: return size + static_cast<int>(rng() % 9) - 4;
    default: return static_cast<int>(rng() % (size + 16)) - 8;
    }
}

bool NarrowAndLong(const TraceOp& op)
{
    const long long w = std::llabs(static_cast<long long>(op.x2) - op.x1);
    const long long h = std::llabs(static_cast<long long>(op.y2) - op.y1);
    const long long lo = std::min(w, h), hi = std::max(w, h);
    return lo > 2 && (lo <= 8 ? hi > 2 * lo : hi > 4 * lo);
}

Case RandomCase(std::mt19937& rng, int index)
{
    // Few colours, so that fills meet borders of their colour.
    const Color colors[] = {clBlack, clWhite, clRed, clYellow};
    auto color = [&] { return colors[rng() % 4]; };
    Case c{"random " + std::to_string(index), kWidth, kHeight, {}};
    TraceOp erase;
    erase.kind = TraceOp::Kind::Erase;
    erase.color = color();
    c.ops.push_back(erase);
    const int count = 2 + static_cast<int>(rng() % 10);
    for (int i = 0; i < count; ++i) {
        TraceOp op;
        op.pen = color();
        op.brush = color();
        op.color = color();
        op.penWidth = 1 + static_cast<int>(rng() % 5);
        op.x1 = Coordinate(rng, kWidth);
        op.y1 = Coordinate(rng, kHeight);
        op.x2 = Coordinate(rng, kWidth);
        op.y2 = Coordinate(rng, kHeight);
        switch (rng() % 6) {
        case 0: op.kind = TraceOp::Kind::MoveTo; break;
        case 1:
        case 2: op.kind = TraceOp::Kind::LineTo; break;
        case 3: op.kind = TraceOp::Kind::Rectangle; break;
        case 4:
            op.kind = TraceOp::Kind::Ellipse;
            // Keep most ellipses small enough to be seen whole.
            if (rng() % 2) {
                op.x2 = op.x1 + static_cast<int>(rng() % 41) - 20;
                op.y2 = op.y1 + static_cast<int>(rng() % 41) - 20;
            }
            // Wine reads region rows it never wrote for boxes both narrow and long; there
            // its picture is no reference, so such boxes become rectangles.
            if (NarrowAndLong(op))
                op.kind = TraceOp::Kind::Rectangle;
            break;
        default:
            op.kind = TraceOp::Kind::FloodFill;
            op.x1 = static_cast<int>(rng() % (kWidth + 4)) - 2;
            op.y1 = static_cast<int>(rng() % (kHeight + 4)) - 2;
            break;
        }
        c.ops.push_back(op);
    }
    return c;
}

// The traces of real paints: each system by day and by night, after a few ticks so that the
// blinking and propagated states are in the picture too.
std::vector<Case> SceneCases()
{
    std::vector<Case> cases;
    for (const char* system : {"HVSystem1", "KsSystem1", "HlSystem1"}) {
        for (const char* daytime : {"ag1", "Nacht1"}) {
            MainForm form;
            form.FormCreate();
            form.MenuCommand(system);
            form.MenuCommand(daytime);
            form.RecordTrace(true);
            for (int tick = 0; tick < 3; ++tick)
                form.Timer1Timer();
            cases.push_back({std::string("scene ") + system + " " + daytime, Canvas::kWidth, Canvas::kHeight,
                form.View().Canvas.Trace()});
        }
    }
    return cases;
}

// The paints after random sessions of a user: button clicks (hidden and disabled buttons refuse
// them), ticks, and the menu's system, day and night, track plan and designation switches, so
// that every lamp kind and every record hand-over reaches the picture. Each session ends in the
// system it is named after, with a tick whose paint is the case.
std::vector<Case> SessionCases(std::mt19937& rng, int count)
{
    // From the menu: the three system items, and the other items with a check mark.
    std::vector<const char*> systems;
    std::vector<const char*> switches;
    for (const MenuItem& item : kMenuItems) {
        const bool system = item.action == MenuAction::SelectHV || item.action == MenuAction::SelectKs
            || item.action == MenuAction::SelectHl;
        if (system)
            systems.push_back(item.component);
        else if (item.checkable && !IsShellOnly(item.action))
            switches.push_back(item.component);
    }
    std::vector<Case> cases;
    for (int i = 0; i < count; ++i) {
        MainForm form;
        form.FormCreate();
        form.Paint();
        const char* system = systems[i % 3];
        form.MenuCommand(system);
        const int steps = 5 + static_cast<int>(rng() % 60);
        for (int step = 0; step < steps; ++step) {
            const unsigned roll = rng() % 100;
            if (roll < 60)
                form.ClickButton(kButtons[rng() % kButtons.size()].number);
            else if (roll < 88)
                form.Timer1Timer();
            else if (roll < 96)
                form.MenuCommand(switches[rng() % switches.size()]);
            else
                form.MenuCommand(systems[rng() % systems.size()]);
        }
        form.MenuCommand(system);
        form.Timer1Timer();
        form.RecordTrace(true);
        form.Timer1Timer();
        cases.push_back({"session " + std::to_string(i) + " " + system, Canvas::kWidth, Canvas::kHeight,
            form.View().Canvas.Trace()});
    }
    return cases;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argv[1][0] == '\0' || !std::filesystem::exists(argv[1])) {
        std::printf("gdi_differential: no gdiref.exe (cross compiler missing), skipped\n");
        return kSkipped;
    }
    if (std::system("command -v wine >/dev/null 2>&1") != 0) {
        std::printf("gdi_differential: wine not found, skipped\n");
        return kSkipped;
    }
    const int cases = argc > 3 ? std::atoi(argv[3]) : 3000;
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::atoi(argv[4])) : 20240601u;
    std::filesystem::create_directories(argv[2]);

    std::mt19937 rng(seed);
    std::vector<Case> batch;
    for (int i = 0; i < cases; ++i)
        batch.push_back(RandomCase(rng, i));
    for (Case& scene : SceneCases())
        batch.push_back(std::move(scene));
    const int sessions = argc > 5 ? std::atoi(argv[5]) : 60;
    for (Case& session : SessionCases(rng, sessions))
        batch.push_back(std::move(session));
    std::vector<std::vector<std::uint32_t>> pictures;
    std::string error;
    if (!gdiref::RunUnderWine(argv[1], argv[2], batch, pictures, error)) {
        std::printf("gdi_differential: %s\n", error.c_str());
        return 1;
    }
    int failed = 0;
    long long pixels = 0;
    for (std::size_t i = 0; i < batch.size(); ++i) {
        const auto ours = gdiref::DrawOurs(batch[i]);
        int differing = 0;
        for (std::size_t p = 0; p < ours.size(); ++p)
            differing += ours[p] != pictures[i][p];
        if (differing == 0)
            continue;
        pixels += differing;
        if (++failed <= 5) {
            std::printf("case %zu (%s) differs in %d pixels:\n", i, batch[i].name.c_str(), differing);
            for (const TraceOp& op : batch[i].ops)
                std::printf("  %s\n", FormatTraceOp(op).c_str());
            int shown = 0;
            for (std::size_t p = 0; p < ours.size() && shown < 10; ++p)
                if (ours[p] != pictures[i][p]) {
                    std::printf("  (%zu,%zu) ours %06X gdi %06X\n", p % batch[i].width, p / batch[i].width, ours[p],
                        pictures[i][p]);
                    ++shown;
                }
        }
    }
    std::printf("gdi_differential: %zu cases, %d differ (%lld pixels)\n", batch.size(), failed, pixels);
    return failed == 0 ? 0 : 1;
}
