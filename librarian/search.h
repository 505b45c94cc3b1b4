#pragma once
// Searching a folder, and optionally its subfolders, for files that hold icons, reading each match
// into one new workspace as it is found.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "librarian/file_kind.h"
#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

struct FoundFile {
    std::string path;
    std::string title;
    int kind = kKindUnknown;
};

// Walks a folder tree holding one directory listing per open level, never a list of all files.
class FolderWalker {
  public:
    FolderWalker(std::string root, OpenType type, bool includeSubfolders);
    // The next matching file; false when the tree is exhausted. The first call lists the root.
    bool NextMatchingFile(FoundFile* out);
    // False when the root folder could not be listed at all.
    bool rootListed() const { return m_rootListed; }

  private:
    struct Level {
        std::filesystem::directory_iterator it;
    };
    bool Push(const std::filesystem::path& folder);

    std::string m_root;
    OpenType m_type;
    bool m_subfolders;
    bool m_started = false;
    bool m_rootListed = false;
    std::vector<Level> m_stack;
};

// "1,234,567" with the user's thousands separator.
std::string WithThousands(uint64_t n, const std::string& separator = ",");

struct SearchCounts {
    uint64_t files = 0;  // files that yielded icons
    uint64_t icons = 0;
    uint64_t images = 0;
    bool cancelled = false;  // the user ended the search early
};

struct SearchOptions {
    OpenType type = OpenType::IconFiles;
    bool includeSubfolders = false;
    std::string thousands = ",";
    // The status texts as the counts move: "Scanning for icons..." first, then the three parts
    // "Files:  %s", "Icons:  %s", "Images:  %s".
    std::function<void(const std::vector<std::string>& parts)> progress;
    // Each file read, with its kind, and whether it yielded icons.
    std::function<void(const FoundFile& file, bool yielded)> onFile;
    Prompt* prompt = nullptr;  // the readers' own messages and the search's closing message
    // Asked before each file is read (the shell polls Esc here); true ends the search with what it
    // has found so far.
    std::function<bool()> cancelled;
};

// Discards the workspace and fills it with the icons of every matching file. Ok when icons were
// found (mode 0, modified, no file); NoIcons ("No icons found in file(s).", a new empty
// workspace); CannotOpen when the root could not be listed ("Could not find any files to open.").
// A cancelled search keeps what it found, and with nothing found it says nothing: the user knows
// why the workspace is empty.
LibStatus SearchFiles(Workspace& ws, const std::string& root, const SearchOptions& options,
                      SearchCounts* counts);
// The same over several folders in turn, all into the one workspace (folders dropped together).
// A folder that cannot be listed is passed over; CannotOpen only when none could be.
LibStatus SearchFiles(Workspace& ws, const std::vector<std::string>& roots, const SearchOptions& options,
                      SearchCounts* counts);

}  // namespace vt
