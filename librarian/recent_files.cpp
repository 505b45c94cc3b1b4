#include "librarian/recent_files.h"

#include "librarian/workspace_types.h"

namespace vt {
namespace {

constexpr size_t kMaxPath = 260;

}  // namespace

std::string StoredRecentFile(const MruEntry& entry) {
    return MruList::StoredValue({entry.path, entry.fileType - kKindIconFile});
}

MruList LoadRecentFiles(std::span<const std::string> storedValues) {
    std::vector<MruEntry> valid;
    for (const std::string& value : storedValues) {
        auto entry =
            MruList::ParseStoredValueStrict(value, 0, kKindProgram - kKindIconFile, kMaxPath);
        if (!entry) continue;
        entry->fileType += kKindIconFile;
        valid.push_back(std::move(*entry));
    }
    // Added oldest first, so that the first stored value ends up most recent.
    MruList list;
    for (auto it = valid.rbegin(); it != valid.rend(); ++it) list.Add(it->path, it->fileType);
    return list;
}

}  // namespace vt
