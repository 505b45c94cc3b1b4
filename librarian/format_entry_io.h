#pragma once
// A format entry on disk: the 12 bytes an icon file's directory entry and an icon group's entry
// share, and the 14-byte group entry that adds the image number.

#include <cstdint>

#include "common/byte_writer.h"
#include "librarian/workspace_types.h"

namespace vt {

// Width, height, colour count, reserved, planes, bit count, bytes in resource.
void WriteFormatHead(ByteWriter& w, const FormatEntry& f);
// The first 12 bytes of a directory entry (the image number is left 0).
FormatEntry ReadFormatHead(const uint8_t* entry);

}  // namespace vt
