#pragma once

// Helpers for the tests that run the built lumaro-render: a scratch directory, running the
// binary with captured output, a small JSON reader and a PNG decoder.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lumaro::test {

// A fresh directory under the system's temporary directory, removed with its contents.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }
    // The names in the directory, sorted.
    std::vector<std::string> List() const { return ListOf(m_path); }
    static std::vector<std::string> ListOf(const std::string& path);

private:
    std::string m_path;
};

struct RunResult {
    int status = -1;   // exit status, or -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs lumaro-render with `args` in the directory `cwd`.
RunResult RunRender(const std::vector<std::string>& args, const std::string& cwd);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
bool FileExists(const std::string& path);

// A parsed JSON value. Objects keep their keys in file order.
struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    const Json& operator[](const std::string& key) const;   // fails the test when missing
    const Json& operator[](std::size_t index) const { return items.at(index); }
    std::vector<std::string> Keys() const;
    long long Int() const { return static_cast<long long>(number); }
};

// Parses a complete JSON text; returns false with a reason on any syntax error.
bool ParseJson(const std::string& text, Json& value, std::string& error);

struct Image {
    int width = 0;
    int height = 0;
    int colorType = -1;
    int bitDepth = 0;
    std::vector<std::uint8_t> rgb;   // row by row, 3 bytes a pixel
    std::uint32_t Pixel(int x, int y) const;   // as 0x00BBGGRR
};

bool DecodePng(const std::string& path, Image& image);

} // namespace lumaro::test
