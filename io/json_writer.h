#pragma once

// A JSON text written front to back: the writer places the commas and colons, so that a document
// is a sequence of values and keys in their order, never hand-placed separators. Separators are
// ", " and ": ", as in every document the programs write. A document meant to be read by people
// puts some items on lines of their own (`BreakLine`): such an item follows ",\n" and two spaces
// per open bracket, and the bracket that closes it stands on a line of its own.

#include "io/json_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace lumaro::io {

class JsonWriter {
public:
    JsonWriter& BeginObject() { return Open('{'); }
    JsonWriter& EndObject() { return Close('}'); }
    JsonWriter& BeginArray() { return Open('['); }
    JsonWriter& EndArray() { return Close(']'); }

    // The next key or value starts a new line, indented by its depth.
    JsonWriter& BreakLine()
    {
        m_breakLine = true;
        return *this;
    }

    // The key of the next value in an object.
    JsonWriter& Key(std::string_view key)
    {
        Separate();
        AppendJsonString(m_out, key);
        m_out += ": ";
        m_afterKey = true;
        return *this;
    }

    JsonWriter& String(std::string_view text)
    {
        Separate();
        AppendJsonString(m_out, text);
        return *this;
    }
    JsonWriter& Int(std::int64_t n) { return Raw(std::to_string(n)); }
    JsonWriter& Bool(bool b) { return Raw(b ? "true" : "false"); }
    JsonWriter& Null() { return Raw("null"); }
    // A value that is JSON text already (a document written elsewhere).
    JsonWriter& Raw(std::string_view json)
    {
        Separate();
        m_out += json;
        return *this;
    }

    // Shorthands for a key and its value.
    JsonWriter& Field(std::string_view key, std::string_view text) { return Key(key).String(text); }
    JsonWriter& Field(std::string_view key, const char* text) { return Key(key).String(text); }
    JsonWriter& Field(std::string_view key, bool b) { return Key(key).Bool(b); }
    template <typename Number>
        requires(std::is_integral_v<Number> && !std::is_same_v<Number, bool>)
    JsonWriter& Field(std::string_view key, Number n)
    {
        return Key(key).Int(static_cast<std::int64_t>(n));
    }

    const std::string& Text() const { return m_out; }
    std::string Take() { return std::move(m_out); }

private:
    JsonWriter& Open(char bracket)
    {
        Separate();
        m_out += bracket;
        m_open.push_back({});
        return *this;
    }
    JsonWriter& Close(char bracket)
    {
        if (m_open.back().broken)
            NewLine(m_open.size() - 1);
        m_out += bracket;
        m_open.pop_back();
        return *this;
    }
    void NewLine(std::size_t depth)
    {
        m_out += '\n';
        m_out.append(2 * depth, ' ');
    }
    // A value after a key follows its colon; any other value or key after the first in its
    // object or array follows a comma.
    void Separate()
    {
        if (m_afterKey) {
            m_afterKey = false;
            return;
        }
        if (m_open.empty())
            return;
        Level& level = m_open.back();
        if (!level.first)
            m_out += m_breakLine ? "," : ", ";
        if (m_breakLine) {
            NewLine(m_open.size());
            level.broken = true;
            m_breakLine = false;
        }
        level.first = false;
    }

    struct Level {
        bool first = true;    // nothing written in it yet
        bool broken = false;  // an item of it stands on a line of its own
    };

    std::string m_out;
    std::vector<Level> m_open;   // the open objects and arrays, outermost first
    bool m_afterKey = false;
    bool m_breakLine = false;
};

} // namespace lumaro::io
