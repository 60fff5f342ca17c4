#include "cli/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumaro::cli {

namespace {

std::string Describe(const std::string& path, int error)
{
    return "'" + path + "': " + std::strerror(error);
}

// Writes `contents` to a new temporary file in the directory of `path`; returns its name, or an
// empty string with errno set.
std::string WriteTemporary(const std::string& path, const std::string& contents)
{
    // A short name beside the target: the target's own name may already be as long as allowed.
    const std::size_t slash = path.rfind('/');
    std::string name = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
                       ".lumaro-render-XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return {};
    // mkstemp creates the file private; the output gets the mode any new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0;
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (ok && left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    ok = ok && fsync(fd) == 0;
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
    m_outputs.push_back({std::move(path), std::move(contents), {}});
}

bool OutputSet::Commit(std::string& error)
{
    for (Output& output : m_outputs) {
        // rename() would fail on a directory only after earlier outputs were already in place.
        struct stat info;
        if (stat(output.path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            error = Describe(output.path, EISDIR);
            RemoveTemporaries();
            return false;
        }
        output.temporary = WriteTemporary(output.path, output.contents);
        if (output.temporary.empty()) {
            error = Describe(output.path, errno);
            RemoveTemporaries();
            return false;
        }
    }
    for (Output& output : m_outputs) {
        if (std::rename(output.temporary.c_str(), output.path.c_str()) != 0) {
            error = Describe(output.path, errno);
            RemoveTemporaries();
            return false;
        }
        output.temporary.clear();
    }
    return true;
}

void OutputSet::RemoveTemporaries()
{
    for (Output& output : m_outputs) {
        if (!output.temporary.empty())
            unlink(output.temporary.c_str());
        output.temporary.clear();
    }
}

} // namespace lumaro::cli
