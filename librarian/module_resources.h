#pragma once
// The resource walk of icon libraries and program files: where a 16-bit (NE) or 32-bit (PE) file
// keeps its icon groups (type 14) and icon images (type 3). Only headers and tables are read.

#include <cstdint>
#include <string>
#include <vector>

#include "librarian/cached_file.h"
#include "librarian/librarian_status.h"

namespace vt {

struct GroupRef {
    uint64_t offset = 0;       // file position of the group directory
    uint32_t resourceId = 0;   // 0 when the group has a name
    std::string resourceName;  // at most 15 characters
    // What the command line needs beyond the Librarian's fields: whether the group is named, its
    // whole name (UTF-8 from a PE file, the stored bytes from an NE file) and the size the table
    // gives its directory (NE: whole alignment units).
    bool named = false;
    std::string fullName;
    uint64_t size = 0;
};

struct ImageRef {
    uint64_t offset = 0;
    uint64_t size = 0;  // as the table gives it; NE sizes are whole alignment units
    uint16_t resourceId = 0;
};

struct ModuleResources {
    bool isNE = false;
    uint64_t headerOffset = 0;        // the new header ("NE" or "PE")
    uint16_t residentNameOffset = 0;  // NE: relative to the header
    uint8_t targetOs = 0;             // NE: header byte 0x36
    uint64_t alignUnit = 1;           // NE: 2 to the alignment shift
    std::vector<GroupRef> groups;     // in table or directory order
    std::vector<ImageRef> images;     // only when there are groups
};

// Reads the MZ pointer, the new header and the resource table or directory of an open file.
// Ok with no groups means the file holds no icons; ReadError for malformed or truncated tables,
// Cascade for unexpected nesting of a PE directory.
LibStatus WalkModuleResources(CachedFile& file, ModuleResources* out);

}  // namespace vt
