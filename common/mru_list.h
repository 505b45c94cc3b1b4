#pragma once
// A program's recently-used file list: at most four paths with their file types, most recent
// first, stored as "MRU%d" = "%s,%d" values and shown as "&%d %s" menu labels. The Studio and the
// Librarian keep theirs with it; what a file type means is theirs.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct MruEntry {
    std::string path;
    int fileType = 1;
};

// How one program stores and shows its entries. The Studio's form is the default; the Engineer
// keeps a theme flag 0 or 1 and shows its paths with their extension.
struct MruForm {
    int minType = 1;
    int maxType = 4;
    int defaultType = 1;
    // A stored value whose text after the last comma is not a known type: true, the whole text is
    // the path; false, the path ends at that comma.
    bool wholeTextWithoutType = false;
    // Cut from the end of a label (any case); empty for none.
    std::string hiddenExtension = ".ico";
};

class MruList {
  public:
    static constexpr size_t kMaxEntries = 4;

    // After a successful open or save: a listed path moves to the front; a new one goes in front
    // with its file type, and the oldest drops out when the list is full.
    void Add(const std::string& path, int fileType);
    // When opening a listed path failed. Returns whether it was listed.
    bool Remove(const std::string& path);
    void Clear() { m_entries.clear(); }

    const std::vector<MruEntry>& entries() const { return m_entries; }
    size_t size() const { return m_entries.size(); }

    // The stored form of one entry, "%s,%d".
    static std::string StoredValue(const MruEntry& entry);
    // Reads a stored value: the number after the last comma is the file type (1 when there is no
    // comma, or when the number is not a known type 1 to 4).
    static MruEntry ParseStoredValue(std::string_view text);
    // Reads a stored value in the program's form: the type after the last comma when it is one
    // of minType to maxType, else the form's default (and the path as the form says).
    static MruEntry ParseStoredValue(std::string_view text, const MruForm& form);
    // Reads a stored value that must be whole: a path of 1 to maxPath characters, a comma, and a
    // file type from minType to maxType; anything else is nothing.
    static std::optional<MruEntry> ParseStoredValueStrict(std::string_view text, int minType,
                                                          int maxType, size_t maxPath);
    // "&%d %s": the path relative to the current folder when it lies in it, without its drive
    // when it is on the current drive elsewhere, in full on another drive; a trailing ".ico" is
    // dropped.
    static std::string Label(int position, const std::string& path,
                             const std::string& currentFolder);
    static std::string Label(int position, const std::string& path,
                             const std::string& currentFolder, const MruForm& form);

  private:
    std::vector<MruEntry> m_entries;
};

// Case-insensitive comparison of two paths as the file system sees them.
bool SamePath(std::string_view a, std::string_view b);
// The text without a trailing ".ico" in any case.
std::string WithoutIcoExtension(std::string_view name);

}  // namespace vt
