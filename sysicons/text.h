#pragma once
// Registry names, profile sections and file names compare without regard to case, as the system
// compares them (ASCII folding only: the names involved are ASCII).

#include <string>
#include <string_view>

namespace vt {

char FoldCase(char c);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
std::string LowerCase(std::string_view text);

// Orders strings case-insensitively, for maps keyed by registry or file names.
struct LessNoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// The decimal number at the start of `text` as the C library reads it (blanks, sign, digits),
// clamped to the int range: registry and profile texts are untrusted.
int ParseDecimal(const char* text);

// Joins a folder and a name with exactly one backslash between them.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace vt
