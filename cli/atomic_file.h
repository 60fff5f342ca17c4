#pragma once

#include <string>
#include <vector>

namespace lumaro::cli {

// A set of output files that appear together or not at all. Each file is written to a
// temporary file beside its target, and only when every one of them is complete are they
// renamed into place. A failure removes every temporary file and leaves the targets untouched.
class OutputSet {
public:
    void Add(std::string path, std::string contents);

    // On failure returns false with "'PATH': reason" naming the file in `error`.
    bool Commit(std::string& error);

private:
    struct Output {
        std::string path;
        std::string contents;
        std::string temporary;   // set once the temporary file exists
    };
    void RemoveTemporaries();

    std::vector<Output> m_outputs;
};

} // namespace lumaro::cli
