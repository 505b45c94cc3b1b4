#pragma once
// The "Image Format" box of the Librarian's frame: which formats of the workspace the display can
// show, their texts, which one is chosen, and which warning a change of the formats calls for.

#include <cstdint>
#include <string>
#include <vector>

#include "librarian/workspace.h"

namespace vt {

extern const char* const kSomeFormatsNotSupported;
extern const char* const kNoFormatSupported;

struct FormatBoxEntry {
    FormatKey format;
    uint32_t count = 0;  // images of this format in the workspace
    std::string text;    // "%dx%d, True Color" or "%dx%d, %d colors"
};

// What made the box be rebuilt: a new workspace from an open or a search; images coming in by an
// adding read or an editor's update; or icons going.
enum class FormatBoxCause { Opened, Added, Removed };

enum class FormatBoxWarning {
    None,
    SomeNotSupported,  // kSomeFormatsNotSupported
    NoneSupported,     // kNoFormatSupported, and the workspace is replaced by a new, empty one
};

struct FormatBox {
    std::vector<FormatBoxEntry> entries;  // by width, height and colour code
    int selected = -1;                    // index into entries; -1 when there are none
    FormatBoxWarning warning = FormatBoxWarning::None;
};

// Builds the box from the workspace's tallies. The chosen entry is the current format when it is
// listed, except after an open, when (as when it is not listed) the format with the most images is
// chosen: at equal counts a later entry wins when it is wider or has more colours, and the current
// format wins over any entry of its count. `before` are the tallies before an Added change: only a
// format that change brought in calls for the warning.
FormatBox BuildFormatBox(const std::vector<FormatTally>& tallies, const FormatKey& current,
                         int displayColorCode, FormatBoxCause cause,
                         const std::vector<FormatTally>& before = {});

}  // namespace vt
