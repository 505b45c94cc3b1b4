#pragma once
// The Librarian's recent files in the settings: "MRU%d" = "%s,%d" with the path and the file kind
// less 506, read back as untrusted input.

#include <span>
#include <string>

#include "common/mru_list.h"

namespace vt {

// The stored value of an entry whose file type is the file kind (506 to 508).
std::string StoredRecentFile(const MruEntry& entry);
// The list from the stored values in order, most recent first. A value without a kind of 0 to 2,
// or with an empty path or one over 260 characters, is dropped; at most four are kept.
MruList LoadRecentFiles(std::span<const std::string> storedValues);

}  // namespace vt
