#pragma once
// Where the suite keeps its settings: under the current user's key, one key per program section
// ("Studio", "Animator", "Librarian", "Engineer", or none), then the caller's key.

#include <string>
#include <string_view>

namespace vt {

inline constexpr const char* kSettingsRoot = "Software\\Kelvane\\Vantoro 98";

// "Software\Kelvane\Vantoro 98\<section>\<key>"; an empty or absent section or key is left out.
std::string SettingsKeyPath(std::string_view section, std::string_view key);

// How a written value is stored: size 0 means a zero-terminated text, anything else that many
// bytes of binary data.
enum class SettingKind { Text, Binary };
inline SettingKind KindOfWrite(unsigned size) { return size == 0 ? SettingKind::Text : SettingKind::Binary; }

// Whether a stored value may be handed to a reader's buffer: a value larger than its reader
// expects is treated as absent, never cut or overrun. For texts `size` is the length up to the
// first zero byte, and the terminator must fit too.
bool FitsReadBuffer(SettingKind kind, size_t size, size_t bufferSize);

}  // namespace vt
