#include "librarian/json_text.h"

#include <cstdint>
#include <cstdio>

namespace vt {
namespace {

// Length of the valid UTF-8 sequence at `at`, or 0: no overlong forms, no surrogates, nothing
// above U+10FFFF.
size_t Utf8Length(std::string_view s, size_t at) {
    auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    auto cont = [&](size_t i) { return i < s.size() && (byte(i) & 0xC0) == 0x80; };
    uint8_t b = byte(at);
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return cont(at + 1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        if (!cont(at + 1) || !cont(at + 2)) return 0;
        uint8_t b1 = byte(at + 1);
        if (b == 0xE0 && b1 < 0xA0) return 0;   // overlong
        if (b == 0xED && b1 >= 0xA0) return 0;  // surrogate
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (!cont(at + 1) || !cont(at + 2) || !cont(at + 3)) return 0;
        uint8_t b1 = byte(at + 1);
        if (b == 0xF0 && b1 < 0x90) return 0;   // overlong
        if (b == 0xF4 && b1 >= 0x90) return 0;  // beyond U+10FFFF
        return 4;
    }
    return 0;
}

void AppendEscape(std::string* out, unsigned code) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", code);
    out->append(buf);
}

}  // namespace

std::string JsonString(std::string_view bytes) {
    std::string out = "\"";
    for (size_t i = 0; i < bytes.size();) {
        uint8_t c = static_cast<uint8_t>(bytes[i]);
        size_t n = Utf8Length(bytes, i);
        if (n == 0) {
            AppendEscape(&out, c);  // the byte as its Latin-1 character
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(bytes.substr(i, n));
        } else if (c == '"') {
            out += "\\\"";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            AppendEscape(&out, c);
        } else {
            out.push_back(static_cast<char>(c));
        }
        i += n;
    }
    out += "\"";
    return out;
}

}  // namespace vt
