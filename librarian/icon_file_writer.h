#pragma once
// One icon of the workspace as an icon file: "Save As ICO..." and the install staging file.

#include <cstdint>
#include <string>
#include <vector>

#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

// Header, one 16-byte directory entry per format entry of the icon in format-table order (the
// first 12 bytes copied, then the image's offset), then the image blocks in the same order.
LibStatus BuildIconFile(const Workspace& ws, size_t iconIndex, std::vector<uint8_t>* out);
// Writes that file through a temporary sibling: on failure nothing is left at `path` (an older
// file there stays as it was).
LibStatus SaveIconAsIco(const Workspace& ws, size_t iconIndex, const std::string& path);

}  // namespace vt
