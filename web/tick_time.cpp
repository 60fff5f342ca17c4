// The native side of the page's speed figure: the time of one timer tick of the same session the
// page runs, after the same actions. Prints the median microseconds per tick of `rounds` rounds.
//
//   lumaro-web-ticktime TICKS ROUNDS [ACTION ...]

#include "web/session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: lumaro-web-ticktime TICKS ROUNDS [ACTION ...]\n", stderr);
        return 2;
    }
    const int ticks = std::max(1, std::atoi(argv[1]));
    const int rounds = std::max(1, std::atoi(argv[2]));

    lumaro::web::Session session;
    for (int i = 3; i < argc; ++i) {
        const std::string action = argv[i];
        if (action == "tick")
            session.Tick();
        else if (action.starts_with("Button"))
            session.ClickButton(std::atoi(action.c_str() + 6));
        else if (!session.MenuCommand(action)) {
            std::fprintf(stderr, "lumaro-web-ticktime: unknown action '%s'\n", action.c_str());
            return 2;
        }
    }

    std::vector<double> perTick;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int t = 0; t < ticks; ++t)
            session.Tick();
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        perTick.push_back(took.count() / ticks);
    }
    std::sort(perTick.begin(), perTick.end());
    std::printf("%.3f\n", perTick[perTick.size() / 2]);
    return 0;
}
