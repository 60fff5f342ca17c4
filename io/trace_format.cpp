// The trace format: one canvas operation per line, written and read back strictly.

#include "io/trace_format.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace lumaro::io {

// --- Trace lines -------------------------------------------------------------------------------

namespace {

constexpr int kMaxTracePenWidth = 255;

void AppendInt(std::string& out, std::int64_t v)
{
    out += ' ';
    out += std::to_string(v);
}

void AppendColor(std::string& out, Color c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, " 0x%06X", static_cast<unsigned>(c & kColorMask));
    out += buf;
}

struct Words {
    std::string_view word[9];
    int count = 0;
    bool tooMany = false;
};

Words SplitWords(std::string_view line)
{
    Words w;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i == line.size())
            break;
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r')
            ++j;
        if (w.count == 9) {
            w.tooMany = true;
            break;
        }
        w.word[w.count++] = line.substr(i, j - i);
        i = j;
    }
    return w;
}

bool ParseInt32(std::string_view s, std::int32_t& out)
{
    if (s.empty() || s[0] == '+')
        return false;
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, out, 10);
    return ec == std::errc() && ptr == end;
}

bool ParseColor(std::string_view s, Color& out)
{
    if (s.size() != 8 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X'))
        return false;
    Color v = 0;
    for (char c : s.substr(2)) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            return false;
        v = v * 16 + static_cast<Color>(d);
    }
    out = v;
    return true;
}

struct OpSyntax {
    std::string_view name;
    TraceOp::Kind kind;
    int ints;      // coordinates
    bool pen;      // pen colour and width follow the coordinates
    bool brush;    // a brush colour follows
    bool border;   // FloodFill: border colour before the brush
    bool color;    // Erase: the one colour
};

// The words of each trace line, in the order they appear.
constexpr OpSyntax kSyntax[] = {
    {"erase", TraceOp::Kind::Erase, 0, false, false, false, true},
    {"moveto", TraceOp::Kind::MoveTo, 2, false, false, false, false},
    {"lineto", TraceOp::Kind::LineTo, 2, true, false, false, false},
    {"rectangle", TraceOp::Kind::Rectangle, 4, true, true, false, false},
    {"ellipse", TraceOp::Kind::Ellipse, 4, true, true, false, false},
    {"floodfill", TraceOp::Kind::FloodFill, 2, false, true, true, false},
};

int WordCount(const OpSyntax& s)
{
    return 1 + s.ints + (s.pen ? 2 : 0) + (s.brush ? 1 : 0) + (s.border ? 1 : 0) + (s.color ? 1 : 0);
}

} // namespace

std::string FormatTraceOp(const TraceOp& op)
{
    std::string out;
    out.reserve(64);
    switch (op.kind) {
    case TraceOp::Kind::Erase:
        out = "erase";
        AppendColor(out, op.color);
        break;
    case TraceOp::Kind::MoveTo:
        out = "moveto";
        AppendInt(out, op.x1);
        AppendInt(out, op.y1);
        break;
    case TraceOp::Kind::LineTo:
        out = "lineto";
        AppendInt(out, op.x1);
        AppendInt(out, op.y1);
        AppendColor(out, op.pen);
        AppendInt(out, op.penWidth);
        break;
    case TraceOp::Kind::Rectangle:
    case TraceOp::Kind::Ellipse:
        out = op.kind == TraceOp::Kind::Rectangle ? "rectangle" : "ellipse";
        AppendInt(out, op.x1);
        AppendInt(out, op.y1);
        AppendInt(out, op.x2);
        AppendInt(out, op.y2);
        AppendColor(out, op.pen);
        AppendInt(out, op.penWidth);
        AppendColor(out, op.brush);
        break;
    case TraceOp::Kind::FloodFill:
        out = "floodfill";
        AppendInt(out, op.x1);
        AppendInt(out, op.y1);
        AppendColor(out, op.color);
        AppendColor(out, op.brush);
        break;
    }
    return out;
}

bool ParseTraceOp(std::string_view line, TraceOp& op, std::string& error)
{
    const Words w = SplitWords(line);
    if (w.count == 0) {
        error = "empty line";
        return false;
    }
    const OpSyntax* syntax = nullptr;
    for (const OpSyntax& s : kSyntax)
        if (s.name == w.word[0])
            syntax = &s;
    if (!syntax) {
        error = "unknown operation '" + std::string(w.word[0]) + "'";
        return false;
    }
    const int expected = WordCount(*syntax);
    if (w.tooMany || w.count != expected) {
        error = std::string(syntax->name) + " takes " + std::to_string(expected - 1) + " values";
        return false;
    }

    TraceOp parsed;
    parsed.kind = syntax->kind;
    int at = 1;
    std::int32_t ints[4] = {};
    for (int i = 0; i < syntax->ints; ++i, ++at) {
        if (!ParseInt32(w.word[at], ints[i])) {
            error = "'" + std::string(w.word[at]) + "' is not a 32-bit decimal integer";
            return false;
        }
    }
    parsed.x1 = ints[0];
    parsed.y1 = ints[1];
    parsed.x2 = ints[2];
    parsed.y2 = ints[3];

    auto colorAt = [&](Color& out) {
        if (ParseColor(w.word[at], out)) {
            ++at;
            return true;
        }
        error = "'" + std::string(w.word[at]) + "' is not a colour 0xRRGGBB";
        return false;
    };
    if (syntax->color && !colorAt(parsed.color))
        return false;
    if (syntax->pen) {
        if (!colorAt(parsed.pen))
            return false;
        std::int32_t width = 0;
        if (!ParseInt32(w.word[at], width) || width < 1 || width > kMaxTracePenWidth) {
            error = "'" + std::string(w.word[at]) + "' is not a pen width 1.." + std::to_string(kMaxTracePenWidth);
            return false;
        }
        parsed.penWidth = width;
        ++at;
    }
    if (syntax->border && !colorAt(parsed.color))
        return false;
    if (syntax->brush && !colorAt(parsed.brush))
        return false;
    op = parsed;
    return true;
}

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

} // namespace lumaro::io
