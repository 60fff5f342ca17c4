// What an output name leads to decides how it is written: "-" is standard output, a symlink is
// followed and stays, a FIFO or device is written into, a regular file is replaced whole, and a
// directory or a name that cannot be created is status 1. Every case runs in a scratch folder:
// a faulty build run as root would replace the real /dev/stdout or /dev/null.

#include "tests/cli/cli_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace lumaro::test;

namespace {

const std::vector<std::string> kScript = {"KsSystem1", "tick", "Button6"};

// The three outputs of kScript, written to regular files.
struct Outputs {
    std::string state, trace, png;
};

Outputs ExpectedOutputs()
{
    ScratchDir dir;
    std::vector<std::string> args = kScript;
    args.insert(args.end(), {"--state", "s.json", "--trace", "t.txt", "--png", "p.png"});
    const RunResult run = RunRender(args, dir.Path());
    EXPECT_EQ(run.status, 0) << run.err;
    return {ReadFile(dir / "s.json"), ReadFile(dir / "t.txt"), ReadFile(dir / "p.png")};
}

RunResult RunScript(const std::string& option, const std::string& file, const std::string& cwd)
{
    std::vector<std::string> args = kScript;
    args.insert(args.end(), {option, file});
    return RunRender(args, cwd);
}

bool IsSymlink(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

mode_t FileType(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

// A copy of a character device of the system (/dev/null, /dev/full) in the scratch folder.
bool MakeDevice(const std::string& path, unsigned minor)
{
    return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

} // namespace

TEST(OutputFilesTest, DashIsStandardOutputForEachOutputAndAtMostOnce)
{
    const Outputs expected = ExpectedOutputs();
    const std::pair<const char*, const std::string*> cases[] = {
        {"--state", &expected.state}, {"--trace", &expected.trace}, {"--png", &expected.png}};
    for (const auto& [option, contents] : cases) {
        ScratchDir dir;
        const RunResult run = RunScript(option, "-", dir.Path());
        EXPECT_EQ(run.status, 0) << option << ": " << run.err;
        EXPECT_TRUE(run.out == *contents) << option << " - differs from the same output in a file";
        EXPECT_EQ(dir.List(), std::vector<std::string> {}) << option;
    }

    // A name that merely ends in "-" is a file.
    ScratchDir dir;
    RunResult run = RunRender({"--state", "-", "--trace", "./-"}, dir.Path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("{"));
    EXPECT_TRUE(ReadFile(dir / "-").starts_with("erase "));

    run = RunRender({"--png", "-", "--state", "-"}, dir.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("standard output"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(OutputFilesTest, ANameOfAnOpenDescriptorWritesThroughIt)
{
    // /dev/fd/1 and a link to /proc/self/fd/1 are standard output as the shell set it up, here
    // appending to a file in the scratch folder: what was in it stays.
    const Outputs expected = ExpectedOutputs();
    ScratchDir dir;
    ASSERT_EQ(symlink("/proc/self/fd/1", (dir / "out-link").c_str()), 0);
    for (const char* name : {"/dev/fd/1", "out-link"}) {
        WriteFile(dir / "log", "before\n");
        const std::string command = "cd '" + dir.Path() + "' && '" LUMARO_RENDER "' KsSystem1 tick Button6 --trace " +
                                    name + " >> log";
        EXPECT_EQ(std::system(command.c_str()), 0) << name;
        EXPECT_TRUE(ReadFile(dir / "log") == "before\n" + expected.trace) << name;
        EXPECT_TRUE(IsSymlink(dir / "out-link"));
        EXPECT_EQ(dir.List(), (std::vector<std::string> {"log", "out-link"})) << name;
    }
}

TEST(OutputFilesTest, SymlinksAreFollowedAndStay)
{
    const Outputs expected = ExpectedOutputs();
    ScratchDir dir;
    ASSERT_EQ(mkdir((dir / "real").c_str(), 0755), 0);
    WriteFile(dir / "real/s.json", "old");
    ASSERT_EQ(chmod((dir / "real/s.json").c_str(), 0600), 0);
    // A link to a link to a file in another folder, and a link to a name where nothing is yet.
    ASSERT_EQ(symlink("real/s.json", (dir / "inner").c_str()), 0);
    ASSERT_EQ(symlink("inner", (dir / "link.json").c_str()), 0);
    ASSERT_EQ(symlink("real/new.png", (dir / "dangling.png").c_str()), 0);

    const RunResult run = RunRender(
        {"KsSystem1", "tick", "Button6", "--state", "link.json", "--png", "dangling.png"}, dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(IsSymlink(dir / "link.json"));
    EXPECT_TRUE(IsSymlink(dir / "inner"));
    EXPECT_TRUE(IsSymlink(dir / "dangling.png"));
    EXPECT_TRUE(ReadFile(dir / "real/s.json") == expected.state);
    EXPECT_TRUE(ReadFile(dir / "real/new.png") == expected.png);
    // The replaced file keeps its permissions; no temporary file is left in either folder.
    struct stat info;
    ASSERT_EQ(stat((dir / "real/s.json").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.List(), (std::vector<std::string> {"dangling.png", "inner", "link.json", "real"}));
    EXPECT_EQ(ScratchDir::ListOf(dir / "real"), (std::vector<std::string> {"new.png", "s.json"}));
}

TEST(OutputFilesTest, AFifoWithAReaderGetsTheOutputAndStays)
{
    const Outputs expected = ExpectedOutputs();
    ScratchDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);

    // The reader is a process of its own, so that it can be ended if the FIFO was replaced and
    // it waits for a writer that never comes.
    const std::string fifo = dir / "fifo";
    const std::string read = dir / "read";
    const pid_t reader = fork();
    ASSERT_GE(reader, 0);
    if (reader == 0) {
        const int in = open(fifo.c_str(), O_RDONLY);
        const int out = open(read.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        char buffer[4096];
        ssize_t n = 0;
        while (in >= 0 && out >= 0 && (n = ::read(in, buffer, sizeof buffer)) > 0)
            if (write(out, buffer, static_cast<std::size_t>(n)) != n)
                _exit(1);
        _exit(n == 0 ? 0 : 1);
    }

    const RunResult run = RunScript("--state", "fifo", dir.Path());
    EXPECT_EQ(run.status, 0) << run.err;

    int status = 0;
    bool ended = false;
    for (int i = 0; i < 100 && !ended; ++i) {
        ended = waitpid(reader, &status, WNOHANG) == reader;
        if (!ended)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!ended) {
        kill(reader, SIGKILL);
        waitpid(reader, &status, 0);
        ADD_FAILURE() << "the reader of the FIFO got no end of file";
    }
    EXPECT_EQ(FileType(dir / "fifo"), static_cast<mode_t>(S_IFIFO));
    EXPECT_TRUE(ReadFile(dir / "read") == expected.state);
}

TEST(OutputFilesTest, DevicesAreWrittenIntoAndTheirErrorsReported)
{
    ScratchDir dir;
    if (!MakeDevice(dir / "null", 3) || !MakeDevice(dir / "full", 7))
        GTEST_SKIP() << "cannot make device nodes here (" << std::strerror(errno) << ")";
    ASSERT_EQ(symlink("null", (dir / "to-null").c_str()), 0);

    for (const char* name : {"null", "to-null"}) {
        const RunResult run = RunScript("--png", name, dir.Path());
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    }
    EXPECT_EQ(FileType(dir / "null"), static_cast<mode_t>(S_IFCHR));
    EXPECT_TRUE(IsSymlink(dir / "to-null"));

    // A device that refuses the data is no success, and the regular output beside it stays as it was.
    WriteFile(dir / "s.json", "old");
    const RunResult run = RunRender({"--state", "s.json", "--png", "full"}, dir.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("'full'"), std::string::npos) << run.err;
    EXPECT_EQ(FileType(dir / "full"), static_cast<mode_t>(S_IFCHR));
    EXPECT_EQ(ReadFile(dir / "s.json"), "old");
    EXPECT_EQ(dir.List(), (std::vector<std::string> {"full", "null", "s.json", "to-null"}));
}

TEST(OutputFilesTest, ADirectoryOrAFolderThatCannotTakeTheFileIsStatusOne)
{
    ScratchDir dir;
    ASSERT_EQ(mkdir((dir / "folder").c_str(), 0755), 0);
    ASSERT_EQ(symlink("folder", (dir / "to-folder").c_str()), 0);
    WriteFile(dir / "file", "");
    ASSERT_EQ(mkdir((dir / "locked").c_str(), 0555), 0);

    std::vector<std::string> names = {"folder", "to-folder", "file/s.json"};
    // Permission bits do not stop root.
    if (geteuid() != 0)
        names.push_back("locked/s.json");
    for (const std::string& name : names) {
        const RunResult run = RunScript("--state", name, dir.Path());
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find("'" + name + "'"), std::string::npos) << run.err;
        EXPECT_EQ(dir.List(), (std::vector<std::string> {"file", "folder", "locked", "to-folder"})) << name;
        EXPECT_TRUE(ScratchDir::ListOf(dir / "folder").empty()) << name;
    }
}
