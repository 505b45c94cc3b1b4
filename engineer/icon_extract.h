#pragma once
// Taking one icon out of an icon file, icon library or program file as a stand-alone icon file.
// Icon files are used as they are; groups inside NE/PE files are rebuilt with the Librarian's
// reader, so the Engineer accepts exactly the icons the Librarian shows.

#include <cstdint>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "librarian/librarian_status.h"
#include "sysicons/file_system.h"

namespace vt {

// Where the icon file of an icon group comes from. Production: LibrarianIconGroups; tests can
// put the Librarian over files that live in a MemoryFileSystem.
class IconGroupSource {
  public:
    virtual ~IconGroupSource() = default;
    // The icon file of group `index` (0-based among the file's groups; a negative index names the
    // group by resource identifier).
    virtual LibStatus BuildIconFile(const std::string& path, int index,
                                    std::vector<uint8_t>* out) = 0;
};

class LibrarianIconGroups : public IconGroupSource {
  public:
    LibStatus BuildIconFile(const std::string& path, int index, std::vector<uint8_t>* out) override;
};

// Sources shorter than this cannot hold an icon and are refused without a message.
constexpr size_t kMinIconSourceSize = 22;

extern const char* const
    kInvalidIconFileText;  // "The file '%s' is not a valid file type for icons!"
extern const char* const kCascadeLimitText;
extern const char* const kOutOfMemoryText;

enum class IconLoad { Ok, Unreadable, Invalid };

// The icon file bytes of `source`'s icon `index`. Unreadable (too short, cannot be opened) is
// silent; Invalid has told the user why, through `prompt`.
IconLoad LoadIconFileBytes(FileSystem& files, Prompt& prompt, IconGroupSource& groups,
                           const std::string& source, int index, std::vector<uint8_t>* out);

// True when the first words of `bytes` are those of an icon file (reserved 0, type 1).
bool IsIconFileHeader(const std::vector<uint8_t>& bytes);

// Writes the stand-alone icon file; true when every byte was written.
bool ExtractIconToFile(FileSystem& files, Prompt& prompt, IconGroupSource& groups,
                       const std::string& source, const std::string& target, int index);

}  // namespace vt
