#pragma once
// The icon library writer: a 16-bit NE module that holds only resources (icon groups and icons)
// and a resident-name table with the icons' names, read back field for field by the library reader.

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/prompt.h"
#include "librarian/workspace.h"

namespace vt {

// The largest resource table size R = 16 + 12 × (icons + images) that still saves.
constexpr uint32_t kMaxResourceTableSize = 65466;

// The alignment shift for a workspace: S from the file size, names length L and counts.
uint16_t LibraryAlignmentShift(uint64_t workspaceFileSize, size_t namesLength, size_t icons,
                               size_t images);

// Writes the library to `out` (opened by the caller). Returns the number of icons on success, 0 on
// a read or write failure, −1 when the resource table is too large (the message was shown).
long WriteLibrary(const Workspace& ws, TempFileWriter& out, Prompt& prompt);

std::string TooManyResourcesMessage(uint32_t tableSize);

}  // namespace vt
