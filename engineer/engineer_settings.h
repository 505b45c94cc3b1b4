#pragma once
// The Engineer's own settings under the suite's layout ("Software\Kelvane\Vantoro 98\Engineer"),
// read and written through the registry seam: the recently-used Motifs (key "MRU List") and, under
// key "Persistent", the quality settings and the three remembered folders.
// The program calls: LoadRecentMotifs / SaveRecentMotifs, LoadEngineerSettings /
// SaveEngineerSettings (start-up and exit), RecentMotifLabel (File menu), kRecentMotifForm.

#include <string>

#include "common/mru_list.h"
#include "engineer/icon_quality.h"
#include "sysicons/registry.h"

namespace vt {

// Class text of every registry key the Engineer creates.
extern const char* const kEngineerClassText;  // "Vantoro Engineer"

// Entries are paths with a theme flag 0 or 1, shown with their extension.
extern const MruForm kRecentMotifForm;

// "MRUCount" (a count above 4 is read as 4) and "MRU1".."MRU<count>", "%s,%d" each; empty or
// missing values are skipped, as are paths of more than 259 characters.
MruList LoadRecentMotifs(Registry& registry);
// Writes the count and the entries and deletes the surplus values up to "MRU4". False when a
// write failed.
bool SaveRecentMotifs(Registry& registry, const MruList& list);
// "&%d %s" with the path shortened against the current folder.
std::string RecentMotifLabel(int position, const std::string& path,
                             const std::string& currentFolder);

struct EngineerSettings {
    QualitySettings quality;
    std::string folderOpen;
    std::string folderSave;
    std::string folderBrowse;
};

// Reads "Quality Checking" (28 bytes, anything else gives the defaults) and the folders (a text
// of 260 characters or more, or with control characters, is taken as absent).
EngineerSettings LoadEngineerSettings(Registry& registry);
bool SaveEngineerSettings(Registry& registry, const EngineerSettings& settings);

}  // namespace vt
