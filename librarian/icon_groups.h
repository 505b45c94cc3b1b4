#pragma once
// Icon groups of a file, for callers outside the Librarian (the Engineer takes one icon of a
// program file as an icon file). Reads an icon library or program file (NE or PE), or an icon file
// (one group), with the Librarian's own readers, so the icons and formats are exactly those the
// Librarian shows: images it leaves out (PNG, 64 KB and more, larger than its image buffer) are
// absent here too. Nothing is asked and nothing in the file is changed.

#include <cstdint>
#include <string>
#include <vector>

#include "librarian/librarian_status.h"

namespace vt {

struct IconGroupInfo {
    uint32_t resourceId = 0;   // 0 when the group has a name
    std::string resourceName;  // PE names of up to 15 characters
    std::string displayName;   // as the Librarian names the icon
    size_t formatCount = 0;    // formats the Librarian keeps
};

// The icon groups in file order. NoIcons when the file holds none; CannotOpen, ReadError, Cascade
// or NotRecognised when it cannot be read.
LibStatus ListIconGroups(const std::string& path, std::vector<IconGroupInfo>* out);

// The icon file bytes of group `index` (0-based, in the order of ListIconGroups), as "Save As
// ICO..." writes it. NoIcons when that group keeps no format.
LibStatus BuildIconFileOfGroup(const std::string& path, size_t index, std::vector<uint8_t>* out);

}  // namespace vt
