// Writing output files whole or not at all: standard output, descriptors, symlinks, devices and
// regular files replaced through a temporary file beside them.

#include "io/output_files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumaro::io {

namespace {

// The kernel's own limit on links followed in one name.
constexpr int kMaxLinkHops = 40;

std::string Describe(const std::string& path, int error)
{
    return "'" + path + "': " + std::strerror(error);
}

// The part of `path` up to and including its last slash; empty for a name in the current folder.
std::string Folder(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WriteAll(int fd, const std::string& contents)
{
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// The text of the symlink `link`, taken relative to the link's folder. Returns false with errno set.
bool ReadLink(const std::string& link, std::string& next)
{
    std::string text(PATH_MAX, '\0');
    const ssize_t length = readlink(link.c_str(), text.data(), text.size());
    if (length < 0)
        return false;
    if (static_cast<std::size_t>(length) == text.size()) {
        errno = ENAMETOOLONG;
        return false;
    }
    text.resize(static_cast<std::size_t>(length));
    next = text.starts_with('/') ? text : Folder(link) + text;
    return true;
}

// Follows the symlinks of `path` itself (not of its folders) to the name that is no link: an
// existing file or a name where nothing is yet. Returns false with errno set.
bool FollowLinks(const std::string& path, std::string& target)
{
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT)
                return false;
            target = current;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        if (!ReadLink(current, current))
            return false;
    }
    errno = ELOOP;
    return false;
}

// The open file descriptor N of this process when `path` leads to /proc/PID/fd/N (spelled
// /dev/stdout, /dev/fd/N, /proc/self/fd/N or through a link of one's own), else -1. Such a
// name is the descriptor itself, not the file it was opened on: writing goes through it, at
// its offset and with its flags (a shell's ">>" appends).
int OwnDescriptor(const std::string& path)
{
    const std::string own = "/proc/" + std::to_string(getpid()) + "/fd";
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return -1;
        const std::string folder = Folder(current);
        const std::string name = current.substr(folder.size());
        char resolved[PATH_MAX];
        if (!name.empty() && name.size() < 10 && name.find_first_not_of("0123456789") == std::string::npos &&
            realpath(folder.empty() ? "." : folder.c_str(), resolved) && own == resolved)
            return std::stoi(name);
        if (!ReadLink(current, current))
            return -1;
    }
    return -1;
}

mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Writes `contents` to a new temporary file in the folder of `target`; returns its name, or an
// empty string with errno set.
std::string WriteTemporary(const std::string& target, const std::string& contents, mode_t mode)
{
    // A short name: the target's own name may already be as long as allowed.
    std::string name = Folder(target) + ".lumaro-XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return {};
    // mkstemp creates the file private; the output gets the mode of the file it replaces.
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, contents) && fsync(fd) == 0;
    const int saved = errno;
    ok = close(fd) == 0 && ok;
    if (!ok) {
        unlink(name.c_str());
        errno = saved ? saved : EIO;
        return {};
    }
    return name;
}

} // namespace

void OutputSet::Add(std::string path, std::string contents)
{
    Output output;
    output.path = std::move(path);
    output.contents = std::move(contents);
    m_outputs.push_back(std::move(output));
}

bool OutputSet::Commit(std::string& error)
{
    const auto fail = [&](const Output& output) {
        error = Describe(output.path, errno);
        Discard();
        return false;
    };
    // Everything that can still be taken back is made ready first. What is written in place
    // cannot be taken back, so it goes next, while every replaced file is still untouched. The
    // renames come last.
    for (Output& output : m_outputs)
        if (!Prepare(output))
            return fail(output);
    for (Output& output : m_outputs)
        if (output.way != Way::Replace && !WriteInPlace(output))
            return fail(output);
    for (Output& output : m_outputs) {
        if (output.way != Way::Replace)
            continue;
        if (std::rename(output.temporary.c_str(), output.target.c_str()) != 0)
            return fail(output);
        output.temporary.clear();
    }
    return true;
}

bool OutputSet::Prepare(Output& output)
{
    if (output.path == kStandardOutput) {
        output.way = Way::Descriptor;
        output.fd = STDOUT_FILENO;
        return true;
    }
    if (const int fd = OwnDescriptor(output.path); fd >= 0) {
        output.way = Way::Descriptor;
        output.fd = fd;
        return true;
    }

    struct stat info;
    const bool exists = stat(output.path.c_str(), &info) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return false;
    }
    output.way = exists && !S_ISREG(info.st_mode) ? Way::Direct : Way::Replace;
    if (output.way == Way::Replace) {
        // A new file, or a regular one, where the links lead.
        if (!FollowLinks(output.path, output.target))
            return false;
        struct stat targetInfo;
        if (exists && (lstat(output.target.c_str(), &targetInfo) != 0 || targetInfo.st_dev != info.st_dev ||
                       targetInfo.st_ino != info.st_ino)) {
            // A link whose text names no file (/proc/PID/fd of another process, for a deleted
            // file): only writing into what it leads to reaches it.
            output.way = Way::Direct;
        }
        output.mode = exists ? (info.st_mode & 07777) : NewFileMode();
    }
    if (output.way == Way::Direct) {
        // Waits for a reader when the name is a FIFO, as any writer of a FIFO does.
        output.fd = open(output.path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
        return output.fd >= 0;
    }
    output.temporary = WriteTemporary(output.target, output.contents, output.mode);
    return !output.temporary.empty();
}

bool OutputSet::WriteInPlace(Output& output)
{
    if (!WriteAll(output.fd, output.contents))
        return false;
    if (output.way == Way::Direct) {
        const int fd = output.fd;
        output.fd = -1;
        return close(fd) == 0;
    }
    return true;
}

void OutputSet::Discard()
{
    for (Output& output : m_outputs) {
        if (!output.temporary.empty())
            unlink(output.temporary.c_str());
        output.temporary.clear();
        if (output.way == Way::Direct && output.fd >= 0)
            close(output.fd);
        output.fd = -1;
    }
}

bool WriteOutputFile(const std::string& path, std::string contents, std::string& error)
{
    OutputSet outputs;
    outputs.Add(path, std::move(contents));
    return outputs.Commit(error);
}

} // namespace lumaro::io
