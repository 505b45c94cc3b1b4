#pragma once
// JSON text for the command line's --json output. Names and paths are untrusted bytes: valid UTF-8
// passes as it is, control characters, quotes and backslashes are escaped, and every byte that is
// not part of valid UTF-8 is read as the Latin-1 character of that code (as the Librarian reads
// 8-bit names), so the document is always valid JSON and no byte is dropped.

#include <string>
#include <string_view>

namespace vt {

// The bytes as a quoted JSON string.
std::string JsonString(std::string_view bytes);

}  // namespace vt
