// lumaro-tick-bench: one tick of lumaro-render timed from outside against the memory floor timed
// the same way. A tick is (time of 1 + N ticks - time of 1 tick) / N; the floor is
// (time of N clears - time of 0 clears) / N with lumaro-floor, for each of its ways, the fastest
// way counting. Every figure is the median of RUNS runs, taken in the same rounds so that all see
// the same machine. Times are processor time of the child (user + system), which a machine busy
// with other work disturbs far less than wall time; wall time is printed beside it.
//   lumaro-tick-bench BUILD_DIR [RUNS [N [ACTION ...]]]
// ACTIONs before the ticks set up the scene (default: none, the H/V line as it starts).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Times {
    double cpu = 0;   // microseconds
    double wall = 0;  // microseconds
};

Times Run(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "lumaro-tick-bench: %s failed\n", args[0].c_str());
        std::exit(1);
    }
    const auto end = std::chrono::steady_clock::now();
    auto us = [](const timeval& t) { return t.tv_sec * 1e6 + t.tv_usec; };
    return {us(usage.ru_utime) + us(usage.ru_stime), std::chrono::duration<double, std::micro>(end - start).count()};
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Per-step figures of a pair of commands that differ by N steps.
struct Series {
    std::vector<double> cpuFew, cpuMany, wallFew, wallMany;
    void Add(const Times& few, const Times& many)
    {
        cpuFew.push_back(few.cpu);
        cpuMany.push_back(many.cpu);
        wallFew.push_back(few.wall);
        wallMany.push_back(many.wall);
    }
    double Cpu(long n) const { return (Median(cpuMany) - Median(cpuFew)) / n; }
    double Wall(long n) const { return (Median(wallMany) - Median(wallFew)) / n; }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: lumaro-tick-bench BUILD_DIR [RUNS [N [ACTION ...]]]\n", stderr);
        return 2;
    }
    const std::string build = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    const long n = argc > 3 ? std::atol(argv[3]) : 2000;
    if (runs < 1 || n < 1) {
        std::fputs("lumaro-tick-bench: RUNS and N must be positive\n", stderr);
        return 2;
    }
    std::vector<std::string> one{build + "/lumaro-render"};
    for (int i = 4; i < argc; ++i)
        one.emplace_back(argv[i]);
    one.emplace_back("tick");
    std::vector<std::string> many = one;
    many.insert(many.end(), static_cast<std::size_t>(n), "tick");

    const std::string floor = build + "/tools/lumaro-floor";
    const char* ways[] = {"loop", "memset", "wmemset"};
    Series ticks, floors[3];
    for (int r = 0; r < runs; ++r) {
        ticks.Add(Run(one), Run(many));
        for (int w = 0; w < 3; ++w)
            floors[w].Add(Run({floor, ways[w], "0"}), Run({floor, ways[w], std::to_string(n)}));
    }

    double floorCpu = 0, floorWall = 0;
    for (int w = 0; w < 3; ++w) {
        std::printf("floor %-8s %8.1f us processor  %8.1f us wall\n", ways[w], floors[w].Cpu(n), floors[w].Wall(n));
        if (w == 0 || floors[w].Cpu(n) < floorCpu)
            floorCpu = floors[w].Cpu(n);
        if (w == 0 || floors[w].Wall(n) < floorWall)
            floorWall = floors[w].Wall(n);
    }
    std::printf("tick           %8.1f us processor  %8.1f us wall\n", ticks.Cpu(n), ticks.Wall(n));
    std::printf("tick / floor   %8.2f processor     %8.2f wall   (medians of %d runs, %ld ticks)\n",
        ticks.Cpu(n) / floorCpu, ticks.Wall(n) / floorWall, runs, n);
    return 0;
}
