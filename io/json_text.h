#pragma once

// JSON string literals for the documents the programs write.

#include <string>
#include <string_view>

namespace lumaro::io {

// Appends `text` (UTF-8) as a JSON string literal. Bytes of 0x80 and above pass through
// unchanged, so non-ASCII text stays readable; control characters become escapes.
inline void AppendJsonString(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace lumaro::io
