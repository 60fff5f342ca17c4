#include "cli/trace_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace lumaro::cli {

namespace {

// Reads a regular file, or anything else that reads like one; a directory fails with EISDIR.
bool ReadWholeFile(const std::string& path, std::string& text)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int saved = errno;
            close(fd);
            errno = saved;
            return false;
        }
        if (got == 0)
            break;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    close(fd);
    return true;
}

} // namespace

std::string FormatTrace(const std::vector<TraceOp>& ops)
{
    std::string out;
    out.reserve(ops.size() * 32);
    for (const TraceOp& op : ops) {
        out += FormatTraceOp(op);
        out += '\n';
    }
    return out;
}

bool ReadTrace(const std::string& path, std::vector<TraceOp>& ops, std::string& error)
{
    std::string text;
    if (!ReadWholeFile(path, text)) {
        error = "cannot read trace '" + path + "': " + std::strerror(errno);
        return false;
    }

    ops.clear();
    std::size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        TraceOp op;
        std::string reason;
        if (!ParseTraceOp(line, op, reason)) {
            error = path + ":" + std::to_string(lineNumber) + ": " + (reason.empty() ? "malformed line" : reason);
            return false;
        }
        ops.push_back(op);
    }
    return true;
}

} // namespace lumaro::cli
