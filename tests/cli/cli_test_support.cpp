// Running the built lumaro-render from the tests, and reading what it writes.

#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lumaro::test {

ScratchDir::ScratchDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lumaro-cli-test-XXXXXX";
    if (!mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot create a scratch directory";
    m_path = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<std::string> ScratchDir::ListOf(const std::string& path)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

RunResult RunRender(const std::vector<std::string>& args, const std::string& cwd)
{
    RunResult result;
    const std::string outPath = cwd + "/.stdout";
    const std::string errPath = cwd + "/.stderr";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());

    std::vector<std::string> words = {LUMARO_RENDER};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, LUMARO_RENDER, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << LUMARO_RENDER << ": " << std::strerror(spawned);
        return result;
    }
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    unlink(outPath.c_str());
    unlink(errPath.c_str());
    return result;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& contents)
{
    std::ofstream file(path, std::ios::binary);
    file << contents;
}

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// --- JSON ------------------------------------------------------------------------------------

const Json& Json::operator[](const std::string& key) const
{
    for (const auto& [name, value] : members)
        if (name == key)
            return value;
    ADD_FAILURE() << "JSON object has no key \"" << key << "\"";
    static const Json kNull;
    return kNull;
}

std::vector<std::string> Json::Keys() const
{
    std::vector<std::string> keys;
    for (const auto& member : members)
        keys.push_back(member.first);
    return keys;
}

namespace {

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : m_text(text) {}

    bool Document(Json& value, std::string& error)
    {
        if (!Value(value) || (SkipSpace(), m_pos != m_text.size())) {
            error = (m_error.empty() ? "trailing text" : m_error) + " at byte " + std::to_string(m_pos);
            return false;
        }
        return true;
    }

private:
    bool Fail(const char* why)
    {
        m_error = why;
        return false;
    }

    void SkipSpace()
    {
        while (m_pos < m_text.size() && std::strchr(" \t\r\n", m_text[m_pos]) && m_text[m_pos])
            ++m_pos;
    }

    bool Literal(const char* word)
    {
        const std::size_t n = std::strlen(word);
        if (m_text.compare(m_pos, n, word) != 0)
            return Fail("bad literal");
        m_pos += n;
        return true;
    }

    bool Value(Json& value)
    {
        SkipSpace();
        if (m_pos >= m_text.size())
            return Fail("unexpected end");
        const char c = m_text[m_pos];
        if (c == '{')
            return Object(value);
        if (c == '[')
            return Array(value);
        if (c == '"') {
            value.type = Json::Type::String;
            return String(value.string);
        }
        if (c == 't' || c == 'f') {
            value.type = Json::Type::Bool;
            value.boolean = c == 't';
            return Literal(c == 't' ? "true" : "false");
        }
        if (c == 'n')
            return Literal("null");
        return Number(value);
    }

    bool Number(Json& value)
    {
        const std::size_t start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '-')
            ++m_pos;
        while (m_pos < m_text.size() && std::strchr("0123456789.eE+-", m_text[m_pos]) && m_text[m_pos])
            ++m_pos;
        if (m_pos == start)
            return Fail("unexpected character");
        value.type = Json::Type::Number;
        value.number = std::strtod(m_text.substr(start, m_pos - start).c_str(), nullptr);
        return true;
    }

    bool Hex4(unsigned& code)
    {
        if (m_pos + 4 > m_text.size())
            return Fail("short \\u escape");
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_pos++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                code |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                code |= static_cast<unsigned>(h - 'A' + 10);
            else
                return Fail("bad \\u escape");
        }
        return true;
    }

    bool String(std::string& out)
    {
        ++m_pos;   // opening quote
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return Fail("raw control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                break;
            const char e = m_text[m_pos++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                // The writer escapes only control characters; anything else stays raw UTF-8.
                unsigned code = 0;
                if (!Hex4(code))
                    return false;
                if (code >= 0x20)
                    return Fail("needless \\u escape");
                out += static_cast<char>(code);
                break;
            }
            default:
                return Fail("bad escape");
            }
        }
        return Fail("unterminated string");
    }

    bool Array(Json& value)
    {
        value.type = Json::Type::Array;
        ++m_pos;
        SkipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == ']') {
            ++m_pos;
            return true;
        }
        for (;;) {
            Json item;
            if (!Value(item))
                return false;
            value.items.push_back(std::move(item));
            SkipSpace();
            if (m_pos >= m_text.size())
                return Fail("unterminated array");
            const char c = m_text[m_pos++];
            if (c == ']')
                return true;
            if (c != ',')
                return Fail("expected , or ]");
        }
    }

    bool Object(Json& value)
    {
        value.type = Json::Type::Object;
        ++m_pos;
        SkipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == '}') {
            ++m_pos;
            return true;
        }
        for (;;) {
            SkipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos] != '"')
                return Fail("expected a key");
            std::string key;
            if (!String(key))
                return false;
            for (const auto& member : value.members)
                if (member.first == key)
                    return Fail("duplicate key");
            SkipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos++] != ':')
                return Fail("expected :");
            Json item;
            if (!Value(item))
                return false;
            value.members.emplace_back(std::move(key), std::move(item));
            SkipSpace();
            if (m_pos >= m_text.size())
                return Fail("unterminated object");
            const char c = m_text[m_pos++];
            if (c == '}')
                return true;
            if (c != ',')
                return Fail("expected , or }");
        }
    }

    const std::string& m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

bool ParseJson(const std::string& text, Json& value, std::string& error)
{
    value = {};
    return JsonReader(text).Document(value, error);
}

// --- PNG -------------------------------------------------------------------------------------

std::uint32_t Image::Pixel(int x, int y) const
{
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return rgb[at] | (rgb[at + 1] << 8) | (static_cast<std::uint32_t>(rgb[at + 2]) << 16);
}

bool DecodePng(const std::string& path, Image& image)
{
    const std::string bytes = ReadFile(path);
    // Signature (8), IHDR length and type (8), width, height, bit depth, colour type.
    if (bytes.size() < 26 || bytes.compare(12, 4, "IHDR") != 0)
        return false;
    image.bitDepth = static_cast<unsigned char>(bytes[24]);
    image.colorType = static_cast<unsigned char>(bytes[25]);

    png_image decoder {};
    decoder.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&decoder, bytes.data(), bytes.size()))
        return false;
    decoder.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(decoder.width);
    image.height = static_cast<int>(decoder.height);
    image.rgb.assign(PNG_IMAGE_SIZE(decoder), 0);
    const bool ok = png_image_finish_read(&decoder, nullptr, image.rgb.data(), 0, nullptr) != 0;
    png_image_free(&decoder);
    return ok && BigEndian32(bytes, 16) == decoder.width;
}

} // namespace lumaro::test
