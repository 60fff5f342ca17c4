#pragma once

// The one writer of every file the program writes: lumaro-render's outputs and the picture the
// window saves.
//
// What a name leads to decides how it is written:
// - "-" is standard output. A name of one of the program's open file descriptors (/dev/stdout,
//   /dev/fd/N) is that descriptor, as the shell set it up: ">>" appends.
// - A symlink is followed; the link stays and what it points to is written as below.
// - A regular file, or a name where nothing is yet, is replaced at once: the contents go to a
//   temporary file beside it, which is renamed over it, so it is never seen half-written. A
//   replaced file keeps its permission bits.
// - Anything else that exists (a FIFO, a terminal, a device such as /dev/null) is written into
//   directly; it cannot be replaced without breaking what it is.
// - A directory, or a name that cannot be created, cannot be written.

#include <string>
#include <sys/types.h>
#include <vector>

namespace lumaro::io {

inline constexpr char kStandardOutput[] = "-";

// A set of output files that appear together or not at all, as far as the kinds of file allow.
// Every replaced file is complete in its temporary file and every other output is open before
// anything is written in place; the outputs written directly go first, the renames last. A
// failure before the renames removes every temporary file and leaves the regular files untouched.
class OutputSet {
public:
    void Add(std::string path, std::string contents);

    // On failure returns false with "'PATH': reason" naming the file in `error`.
    bool Commit(std::string& error);

private:
    enum class Way { Replace, Direct, Descriptor };
    struct Output {
        std::string path;
        std::string contents;
        Way way = Way::Replace;
        std::string target;      // Way::Replace: the name renamed over, links followed
        mode_t mode = 0;         // Way::Replace: permission bits of the new file
        std::string temporary;   // set once the temporary file exists
        int fd = -1;             // Way::Direct (opened here, closed once written), Way::Descriptor
    };
    // Each returns false with errno set.
    static bool Prepare(Output& output);
    static bool WriteInPlace(Output& output);
    void Discard();

    std::vector<Output> m_outputs;
};

// Writes one file by the rules above.
bool WriteOutputFile(const std::string& path, std::string contents, std::string& error);

} // namespace lumaro::io
