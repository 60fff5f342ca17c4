// Timings of the window program that only a running Qt shell shows:
//
//   lumaro-shell-bench start [RUNS]   program start to the first painted frame of the main window,
//                                     over RUNS fresh processes (default 15)
//   lumaro-shell-bench close [RUNS]   a close request of the main window to the exit notice fully
//                                     drawn, with the photograph decoded ahead and within the
//                                     request (as the program does it)
//   lumaro-shell-bench memory [RUNS]  resident memory (VmRSS) of the program 3 s after its start,
//                                     against an empty Qt window of the same outer size
//                                     (lumaro-bare-window), started in turn
//   lumaro-shell-bench tick [RUNS]    one tick of the window's timer on each system's busiest scene,
//                                     as the window shows it and with the whole canvas shown again
//
// Every figure is wall-clock time on the platform Qt picks (QT_QPA_PLATFORM), so run it under the
// display that matters and compare figures of the same run or the same machine only.

#include "app/application.h"
#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "dialogs/notice_window.h"

#include <QApplication>
#include <QLabel>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <csignal>
#include <fstream>
#include <thread>

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

// Takes the time right after the first paint of the watched widget has run.
class FirstPaintClock : public QObject {
public:
    std::int64_t painted = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || painted)
            return false;
        static_cast<QWidget*>(watched)->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
        painted = MonotonicNs();
        return true;
    }
};

// The child: what main() of the program does, until the canvas has been painted once. Prints the
// monotonic time of that moment; the parent took the time before it started this process.
int ChildStart(int argc, char** argv)
{
    QApplication app(argc, argv);
    lumaro::SetUpApplication();
    lumaro::MainWindow window;
    window.timer()->stop();
    FirstPaintClock clock;
    window.canvas()->installEventFilter(&clock);
    window.show();
    while (!clock.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const std::int64_t painted = clock.painted;
    timespec cpu {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::printf("%lld %lld\n", static_cast<long long>(painted),
                static_cast<long long>(std::int64_t(cpu.tv_sec) * 1'000'000'000 + cpu.tv_nsec));
    std::fflush(stdout);
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
    std::vector<double> cpuMs;
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
        long long painted = 0;
        long long cpu = 0;
        std::sscanf(out.c_str(), "%lld %lld", &painted, &cpu);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || painted <= 0) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        ms.push_back(double(painted - started) / 1e6);
        cpuMs.push_back(double(cpu) / 1e6);
    }
    // The processor time of the program until then is steadier than the wall time on a busy machine.
    std::printf("start to first painted frame over %d runs: median %.1f ms, min %.1f ms, max %.1f ms; "
                "processor time median %.1f ms\n",
                runs, Median(ms), *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
                Median(cpuMs));
    return 0;
}

// Notes when a widget has been painted. Its parent window and the controls under it were
// painted before it in the same pass.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

double CloseToNoticeDrawn(bool photographAhead)
{
    lumaro::MainWindow window;
    window.timer()->stop();
    window.show();
    while (window.canvas()->corePaints() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    if (photographAhead)
        window.notice()->preparePhotograph();

    // The topmost control of the notice is the last one drawn. Without the photograph ahead, the
    // notice is made by the request; the watch goes on as it is made.
    PaintWatch watch;
    auto watchNotice = [&] {
        window.notice()->findChild<QLabel*>(QStringLiteral("Label9"))->installEventFilter(&watch);
    };
    if (photographAhead)
        watchNotice();
    const std::int64_t requested = MonotonicNs();
    if (!photographAhead)
        watchNotice();
    window.close();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const std::int64_t drawn = MonotonicNs();
    // Whatever the pass still had to do for the window after its last control.
    QCoreApplication::processEvents();
    return double(drawn - requested) / 1e6;
}

int Close(int argc, char** argv, int runs)
{
    QApplication app(argc, argv);
    lumaro::SetUpApplication();
    for (bool ahead : {true, false}) {
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i)
            ms.push_back(CloseToNoticeDrawn(ahead));
        std::printf("close request to notice drawn, photograph decoded %s, over %d runs: median %.1f ms, max %.1f ms\n",
                    ahead ? "ahead" : "in the request", runs, Median(ms), *std::max_element(ms.begin(), ms.end()));
    }
    return 0;
}

// Microseconds per tick of the window's timer, the median of `runs` rounds of 200 ticks. With
// `wholeCanvas` the canvas widget is repainted whole after each tick, as the window did before it
// showed only what a tick changed.
double TickMicroseconds(lumaro::MainWindow& window, bool wholeCanvas, int runs)
{
    constexpr int kTicks = 200;
    std::vector<double> us;
    for (int r = 0; r < runs; ++r) {
        const std::int64_t start = MonotonicNs();
        for (int i = 0; i < kTicks; ++i) {
            QMetaObject::invokeMethod(window.timer(), "timeout", Qt::DirectConnection);
            if (wholeCanvas)
                window.canvas()->repaint();
        }
        us.push_back(double(MonotonicNs() - start) / 1e3 / kTicks);
    }
    return Median(us);
}

// The busiest scene of each system: every signal proceeding with its speed indications, at night.
int Tick(int argc, char** argv, int runs)
{
    QApplication app(argc, argv);
    lumaro::SetUpApplication();
    struct Scene {
        const char* name;
        const char* system;
        std::vector<int> buttons;
    };
    const Scene scenes[] = {
        {"H/V", "HVSystem1", {34, 29, 27, 12, 5, 25, 22}},
        {"Ks", "KsSystem1", {34, 29, 27, 12, 3, 25, 22}},
        {"Hl", "HlSystem1", {34, 29, 27, 12, 3, 14, 22}},
    };
    for (const Scene& scene : scenes) {
        lumaro::MainWindow window;
        window.timer()->stop();
        window.show();
        while (window.canvas()->corePaints() == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        window.driver().MenuCommand(scene.system);
        for (int button : scene.buttons)
            window.driver().ClickButton(button);
        window.driver().MenuCommand("Nacht1");
        window.mirror();
        QCoreApplication::processEvents();
        const double shown = TickMicroseconds(window, false, runs);
        const double whole = TickMicroseconds(window, true, runs);
        std::printf("%s, one tick of the window over %d rounds of 200: median %.1f us; with the whole canvas shown "
                    "again %.1f us (%.2f times)\n",
                    scene.name, runs, shown, whole, whole / shown);
    }
    return 0;
}

// VmRSS of a process in KiB, or -1.
long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// Starts the program with `args`, waits `seconds`, reads its resident memory and ends it.
long ResidentAfter(const std::string& program, std::vector<std::string> args, double seconds)
{
    std::vector<char*> childArgv {const_cast<char*>(program.c_str())};
    for (std::string& arg : args)
        childArgv.push_back(arg.data());
    childArgv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, childArgv.data(), environ) != 0)
        return -1;
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const long kib = ResidentKiB(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return kib;
}

int Memory(int argc, char** argv, int runs)
{
    // The size the program gives its window; the empty window takes the same.
    QSize size;
    {
        QApplication app(argc, argv);
        size = lumaro::MainWindow().size();
    }
    const std::vector<std::string> bareArgs {std::to_string(size.width()), std::to_string(size.height())};

    // The programs beside this one: build/tools/ and build/.
    std::string dir = "/proc/self/exe";
    char path[4096];
    const ssize_t n = readlink(dir.c_str(), path, sizeof path - 1);
    if (n <= 0)
        return 1;
    dir.assign(path, std::size_t(n));
    dir.erase(dir.rfind('/'));
    const std::string program = dir + "/../lumaro", bare = dir + "/lumaro-bare-window";
    std::vector<double> programMiB, bareMiB;
    for (int i = 0; i < runs; ++i) {
        const long p = ResidentAfter(program, {}, 3.0), b = ResidentAfter(bare, bareArgs, 3.0);
        if (p <= 0 || b <= 0) {
            std::fprintf(stderr, "cannot measure %s or %s\n", program.c_str(), bare.c_str());
            return 1;
        }
        programMiB.push_back(p / 1024.0);
        bareMiB.push_back(b / 1024.0);
    }
    std::printf("resident 3 s after start over %d runs: program median %.1f MiB, bare window (%dx%d) median %.1f MiB, "
                "ratio %.3f\n",
                runs, Median(programMiB), size.width(), size.height(), Median(bareMiB),
                Median(programMiB) / Median(bareMiB));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--child-start") == 0)
        return ChildStart(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "start") == 0)
        return Start("/proc/self/exe", argc >= 3 ? std::atoi(argv[2]) : 15);
    if (argc >= 2 && std::strcmp(argv[1], "close") == 0)
        return Close(argc, argv, argc >= 3 ? std::atoi(argv[2]) : 15);
    if (argc >= 2 && std::strcmp(argv[1], "memory") == 0)
        return Memory(argc, argv, argc >= 3 ? std::atoi(argv[2]) : 5);
    if (argc >= 2 && std::strcmp(argv[1], "tick") == 0)
        return Tick(argc, argv, argc >= 3 ? std::atoi(argv[2]) : 7);
    std::fprintf(stderr, "usage: lumaro-shell-bench start|close|memory|tick [RUNS]\n");
    return 2;
}
