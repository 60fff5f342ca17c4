// The native side of the page's speed figure: the time of one timer tick of the same session the
// page runs, after the same actions. Prints the median microseconds per tick of `rounds` rounds.
//
//   lumaro-web-ticktime TICKS ROUNDS [ACTION ...]

#include "core/action.h"
#include "web/session.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

std::optional<int> Count(const char* text)
{
    int n = 0;
    const char* end = text + std::strlen(text);
    const auto [last, ec] = std::from_chars(text, end, n);
    if (ec != std::errc() || last != end || n < 1)
        return std::nullopt;
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: lumaro-web-ticktime TICKS ROUNDS [ACTION ...]\n", stderr);
        return 2;
    }
    const std::optional<int> ticks = Count(argv[1]);
    const std::optional<int> rounds = Count(argv[2]);
    if (!ticks || !rounds) {
        std::fputs("lumaro-web-ticktime: TICKS and ROUNDS are whole numbers from 1 on\n", stderr);
        return 2;
    }

    lumaro::web::Session session;
    // The page's own calls for the words it has: a tick, a button, a menu item.
    for (int i = 3; i < argc; ++i) {
        const std::optional<lumaro::Action> action = lumaro::ParseAction(argv[i]);
        if (!action || (action->kind != lumaro::Action::Kind::Tick && action->kind != lumaro::Action::Kind::Button
                           && action->kind != lumaro::Action::Kind::Menu)) {
            std::fprintf(stderr, "lumaro-web-ticktime: unknown action '%s'\n", argv[i]);
            return 2;
        }
        if (action->kind == lumaro::Action::Kind::Tick)
            session.Tick();
        else if (action->kind == lumaro::Action::Kind::Button)
            session.ClickButton(action->button);
        else
            session.MenuCommand(action->menu);
    }

    std::vector<double> perTick;
    for (int r = 0; r < *rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int t = 0; t < *ticks; ++t)
            session.Tick();
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        perTick.push_back(took.count() / *ticks);
    }
    std::sort(perTick.begin(), perTick.end());
    std::printf("%.3f\n", perTick[perTick.size() / 2]);
    return 0;
}
