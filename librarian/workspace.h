#pragma once
// One Librarian window's collection of icons: the icon, format and image tables, the format
// tallies, and the workspace file that holds every image block. Readers fill it, writers write it
// out, and the shell drives its edits (rename, copy, delete, sort, select).

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "librarian/librarian_status.h"
#include "librarian/name_compare.h"
#include "librarian/workspace_types.h"

namespace vt {

// Width, height and colour code of one image format.
struct FormatKey {
    uint32_t width = 32;
    uint32_t height = 32;
    uint32_t colorCode = 16;
    bool operator==(const FormatKey&) const = default;
};

// What the views need from the desktop to size an icon's cell.
struct ViewMetrics {
    int view = kViewWindows;
    int largeIconSize = 32;
    int smallIconSize = 16;
    int verticalGap = 72 - 32;    // IconVerticalSpacing − large icon size
    int displayColorCode = 1024;  // what the screen can show; decides the Raw view's images
};

// Raw View draws at most this many images of an icon side by side.
constexpr size_t kMaxRawImages = 10;

// Sort keys.
constexpr int kSortByName = 0;
constexpr int kSortByPosition = 1;
constexpr int kSortBySpecificFormat = 2;
constexpr int kSortByImageCount = 3;

class Workspace {
  public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Empties the workspace, deletes its file and makes a new, empty one (mode library, serials
    // from 1). The current format becomes 32 × 32, 16 colours when none was set.
    LibStatus New();
    // Empties the workspace and deletes its file without making a new one.
    void Discard();

    // --- tables ---
    const std::vector<IconEntry>& icons() const { return m_icons; }
    const std::vector<FormatEntry>& formats() const { return m_formats; }
    const std::vector<ImageEntry>& images() const { return m_images; }
    const std::vector<FormatTally>& tallies() const { return m_tallies; }
    // Icon records may be changed in place, except their serial, which the owner index follows.
    std::vector<IconEntry>& icons() { return m_icons; }
    std::vector<ImageEntry>& images() { return m_images; }
    size_t iconCount() const { return m_icons.size(); }
    // Indices into formats() of the entries an icon owns, in format-table order. Answered from an
    // owner index that every change of the tables keeps, so it costs what the icon owns.
    std::vector<size_t> FormatsOf(size_t iconIndex) const;
    // The icon table index of a serial, or -1.
    long FindIconBySerial(uint32_t serial) const;

    // The format table changes only through these, so that the owner index stays true.
    // Appends an entry (indexed when its owner is linked); returns its index.
    size_t AppendFormat(const FormatEntry& f);
    // Ties a waiting entry to its image: the image number is set and the owner's mark cleared.
    void LinkFormat(size_t index, uint16_t imageNumber);
    void SetFormatSize(size_t index, uint32_t bytesInResource);
    // Removes the entries from `first` on that are still waiting for an image.
    void DropUnlinkedFormats(size_t first);
    // Removes the given entries (indices, any order) and their tallies.
    void RemoveFormats(std::vector<size_t> indices);

    // --- counters ---
    uint32_t nextSerial() const { return m_nextSerial; }
    uint32_t TakeSerial() { return m_nextSerial++; }
    // Image numbers are 16 bits: a workspace holds at most 65,535 images.
    bool imagesFull() const { return m_images.size() >= 0xFFFF; }

    // Everything a failed read must put back.
    struct Checkpoint {
        size_t icons = 0, formats = 0, images = 0;
        uint32_t nextSerial = 1;
        std::vector<FormatTally> tallies;
        uint32_t head = 0, tail = 0;
        bool modified = false;
    };
    Checkpoint Save() const;
    void Restore(const Checkpoint& c);

    // --- workspace file ---
    bool hasFile() const { return m_file != nullptr; }
    const std::string& filePath() const { return m_filePath; }
    uint64_t fileSize() const { return m_fileEnd; }
    // Appends an image block at the end of the workspace file; its offset goes to *offset.
    bool AppendBlock(std::span<const uint8_t> block, uint32_t* offset);
    bool ReadBlock(uint32_t offset, void* out, size_t n) const;
    // Overwrites a block in place (edited images of the same size).
    bool WriteBlockAt(uint32_t offset, std::span<const uint8_t> block);
    // Reads the image block of format entry f (through its image entry).
    bool ReadImageOf(const FormatEntry& f, std::vector<uint8_t>* out) const;

    // Appends an icon record at the end of the table and of the display chain; returns its index.
    size_t AppendIcon(const IconEntry& icon);
    // Appends an image block to the workspace file and the image table (with its tally); returns
    // the new image's 1-based number, or 0 when the workspace file cannot take it.
    uint16_t AppendImage(std::span<const uint8_t> block, uint32_t sourceOffset, uint16_t resourceId,
                         uint16_t pending);
    // The length an image's block had in its source file; 0 for images made in the workspace.
    uint16_t sourceSize(size_t imageIndex) const {
        return imageIndex < m_sourceSizes.size() ? m_sourceSizes[imageIndex] : 0;
    }
    // Lets the workspace file take only this many more bytes, as a full disk would; for tests of
    // what a failed write leaves behind.
    void LimitWrites(uint64_t bytes) { m_writeAllowance = bytes; }

    // Records one more image of a format in the tallies.
    void CountFormat(uint32_t width, uint32_t height, uint32_t colorCode);
    void UncountFormat(uint32_t width, uint32_t height, uint32_t colorCode);

    // --- mode, view, state ---
    int mode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    bool modified() const { return m_modified; }
    void SetModified(bool m) { m_modified = m; }
    const FormatKey& currentFormat() const { return m_currentFormat; }
    void SetCurrentFormat(const FormatKey& f) { m_currentFormat = f; }
    const ViewMetrics& metrics() const { return m_metrics; }
    void SetMetrics(const ViewMetrics& m) { m_metrics = m; }
    // The icon's drawing cell in the current view, from the images it shows there.
    void UpdateCellSize(size_t iconIndex);
    // Every icon's cell, after a change of view, format or display.
    void UpdateAllCellSizes();
    // The images (indices into images()) that Raw View draws for an icon: its displayable images
    // ordered by width, height and colour code, at most ten.
    std::vector<size_t> RawImagesOf(size_t iconIndex) const;
    void SetNameCompare(NameCompareFn fn) { m_compare = fn; }

    // --- display chain ---
    uint32_t head() const { return m_head; }
    uint32_t tail() const { return m_tail; }
    // Makes the display order equal the table order.
    void RelinkInTableOrder();
    // Table indices in display order.
    std::vector<size_t> DisplayOrder() const;

    // --- selection: one icon (1-based index, 0 = none) or a list of 0-based indices ---
    int32_t selectionValue() const { return m_selection; }
    std::vector<size_t> Selection() const;
    void SelectOne(size_t index) {
        m_selection = static_cast<int32_t>(index + 1), m_selectionList.clear();
    }
    void SelectList(std::vector<size_t> indices);
    void SelectNone() { m_selection = 0, m_selectionList.clear(); }
    void SelectAll();

    // --- edits ---
    void Sort(int key);
    // The table indices in the order a sort by `key` gives, without moving anything.
    std::vector<uint32_t> SortedOrder(int key) const;
    // Renames an icon; an empty text becomes "(untitled)", longer texts are cut at 50 characters.
    // In program-file mode the workspace does not become modified, as a program file keeps no
    // names.
    void Rename(size_t index, const std::string& name);
    // Appends one image block: to the icon `target` (table index) or, with target < 0, to a new
    // icon centred on (x, y). Returns the icon's index or -1 on failure.
    long AddImage(std::span<const uint8_t> block, long target, int x = 0, int y = 0);
    // Copies an icon to a new icon with the same name placed one pixel right of it. Returns the
    // new icon's index or -1 (always in program-file mode, which adds no icons); the shell then
    // opens "Name New Copy" and re-arranges by position.
    long CreateCopy(size_t index);
    // Removes the selected icons after the questions of the rule; `hasSession` tells which icons
    // have an open edit session, `endSessions` ends them when the user agrees.
    LibStatus DeleteSelection(Prompt& prompt,
                              const std::function<bool(uint32_t serial)>& hasSession = {},
                              const std::function<void(uint32_t serial)>& endSessions = {});
    // Replaces an icon's images by an editor's: a block of a format the icon has replaces that
    // image (marked changed), other blocks become new formats, and formats not sent are removed.
    // Blocks that are not image blocks are ignored. On failure nothing has changed.
    LibStatus ReplaceIconImages(size_t index, std::span<const std::vector<uint8_t>> blocks);
    // Removes one icon (table index) and its formats; the last icon moves into its place.
    void RemoveIcon(size_t index);
    // Removes several icons at once; each freed place takes the table's last record.
    void RemoveIcons(std::vector<size_t> indices);

    // The display name as shown: "(untitled)" for an empty one.
    static std::string ShownName(const IconEntry& icon);
    static void SetDisplayName(IconEntry* icon, const std::string& name);

  private:
    void CloseFile();
    void RebuildOwnerIndex();
    std::vector<uint32_t>* OwnedList(uint32_t serial);
    void IndexIcon(size_t index);
    void AttachFormat(size_t index, uint16_t imageNumber, std::span<const uint8_t> block);
    uint16_t RecordImage(std::span<const uint8_t> block, uint32_t offset, uint32_t sourceOffset,
                         uint16_t resourceId, uint16_t pending);
    bool TakeWriteAllowance(size_t n);

    std::vector<IconEntry> m_icons;
    std::vector<FormatEntry> m_formats;
    std::vector<ImageEntry> m_images;
    std::vector<uint16_t> m_sourceSizes;  // beside m_images
    std::vector<FormatTally> m_tallies;
    uint32_t m_nextSerial = 1;
    uint32_t m_head = 0;
    uint32_t m_tail = 0;
    int32_t m_selection = 0;
    std::vector<size_t> m_selectionList;
    int m_mode = kModeLibrary;
    bool m_modified = false;
    bool m_formatSet = false;
    FormatKey m_currentFormat;
    ViewMetrics m_metrics;
    NameCompareFn m_compare = CompareNamesWordSort;
    // The owner index: the icon of each serial (-1 for none) and, per serial, its format entries
    // in table order. Serials fit in 15 bits, so both are plain tables.
    std::vector<int32_t> m_iconOfSerial;
    std::vector<std::vector<uint32_t>> m_formatsOfSerial;

    // Moves the workspace file to `offset` for the next read or write, unless it is already there
    // in the same direction (a stream must be repositioned between reading and writing).
    bool SeekFor(bool writing, uint64_t offset) const;

    std::FILE* m_file = nullptr;
    std::string m_filePath;
    uint64_t m_fileEnd = 0;
    uint64_t m_writeAllowance = UINT64_MAX;
    std::vector<char> m_buffer;  // the stream's buffer; outlives the stream
    mutable uint64_t m_position = 0;
    mutable int m_lastAccess = 0;  // 0 none, 1 read, 2 write
};

}  // namespace vt
