// Timings of the window program that only a running Qt shell shows:
//
//   lumaro-shell-bench start [RUNS]   program start to the first painted frame of the main window,
//                                     over RUNS fresh processes (default 15)
//
// Every figure is wall-clock time on the platform Qt picks (QT_QPA_PLATFORM), so run it under the
// display that matters and compare figures of the same run or the same machine only.

#include "app/canvas_widget.h"
#include "app/main_window.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::int64_t MonotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// The child: what main() of the program does, until the canvas has been painted once. Prints the
// monotonic time of that moment; the parent took the time before it started this process.
int ChildStart(int argc, char** argv)
{
    QApplication app(argc, argv);
    lumaro::MainWindow window;
    window.timer()->stop();
    window.show();
    while (window.canvas()->corePaints() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const std::int64_t painted = MonotonicNs();
    std::printf("%lld\n", static_cast<long long>(painted));
    std::fflush(stdout);
    window.form().Ended = true;
    return 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Start(const char* self, int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0)
            return 1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        char childFlag[] = "--child-start";
        char* childArgv[] = {const_cast<char*>(self), childFlag, nullptr};
        pid_t pid = 0;
        const std::int64_t started = MonotonicNs();
        const int rc = posix_spawn(&pid, self, &actions, nullptr, childArgv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        if (rc != 0) {
            std::fprintf(stderr, "cannot start %s\n", self);
            return 1;
        }
        std::string out;
        char buffer[64];
        for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            out.append(buffer, std::size_t(n));
        close(pipeFds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        const long long painted = std::atoll(out.c_str());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || painted <= 0) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        ms.push_back(double(painted - started) / 1e6);
    }
    std::printf("start to first painted frame over %d runs: median %.1f ms, min %.1f ms, max %.1f ms\n",
                runs, Median(ms), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--child-start") == 0)
        return ChildStart(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "start") == 0)
        return Start("/proc/self/exe", argc >= 3 ? std::atoi(argv[2]) : 15);
    std::fprintf(stderr, "usage: lumaro-shell-bench start [RUNS]\n");
    return 2;
}
