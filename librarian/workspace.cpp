#include "librarian/workspace.h"

#include <algorithm>
#include <cstring>

#include "common/byte_reader.h"
#include "common/file_io.h"
#include "librarian/image_block.h"

namespace vt {

constexpr uint64_t kMaxWorkspaceFile = 0x7FFFFFFF;

Workspace::Workspace() = default;

Workspace::~Workspace() {
    Discard();
}

void Workspace::CloseFile() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    m_lastAccess = 0;
    if (!m_filePath.empty()) RemoveFile(m_filePath);
    m_filePath.clear();
    m_fileEnd = 0;
}

void Workspace::Discard() {
    CloseFile();
    m_icons.clear();
    m_formats.clear();
    m_images.clear();
    m_tallies.clear();
    m_nextSerial = 1;
    m_head = m_tail = 0;
    SelectNone();
    m_modified = false;
}

LibStatus Workspace::New() {
    Discard();
    m_mode = kModeLibrary;
    if (!m_formatSet) {
        m_currentFormat = ImageFormat{};
        m_formatSet = true;
    }
    std::string path = CreateTempFileIn(TempDirectory(), "ICM");
    if (path.empty()) return LibStatus::WorkspaceError;
    m_file = std::fopen(path.c_str(), "w+b");
    if (!m_file) {
        RemoveFile(path);
        return LibStatus::WorkspaceError;
    }
    // Image blocks are small and many: a larger buffer turns their appends into few writes.
    m_buffer.resize(1 << 16);
    std::setvbuf(m_file, m_buffer.data(), _IOFBF, m_buffer.size());
    m_filePath = path;
    return LibStatus::Ok;
}

std::vector<size_t> Workspace::FormatsOf(size_t iconIndex) const {
    std::vector<size_t> out;
    if (iconIndex >= m_icons.size()) return out;
    uint32_t serial = m_icons[iconIndex].serial;
    for (size_t i = 0; i < m_formats.size(); ++i)
        if (!(m_formats[i].owner & kUnlinkedOwner) && m_formats[i].owner == serial)
            out.push_back(i);
    return out;
}

long Workspace::FindIconBySerial(uint32_t serial) const {
    for (size_t i = 0; i < m_icons.size(); ++i)
        if (m_icons[i].serial == serial) return static_cast<long>(i);
    return -1;
}

Workspace::Checkpoint Workspace::Save() const {
    return {m_icons.size(), m_formats.size(), m_images.size(), m_nextSerial,
            m_tallies,      m_head,           m_tail};
}

void Workspace::Restore(const Checkpoint& c) {
    m_icons.resize(std::min(c.icons, m_icons.size()));
    m_formats.resize(std::min(c.formats, m_formats.size()));
    m_images.resize(std::min(c.images, m_images.size()));
    m_nextSerial = c.nextSerial;
    m_tallies = c.tallies;
    m_head = c.head;
    m_tail = c.tail;
    if (m_tail > 0 && m_tail <= m_icons.size()) m_icons[m_tail - 1].next = 0;
}

bool Workspace::SeekFor(bool writing, uint64_t offset) const {
    int access = writing ? 2 : 1;
    if (m_lastAccess == access && m_position == offset) return true;
    m_lastAccess = 0;
    if (std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0) return false;
    m_lastAccess = access;
    m_position = offset;
    return true;
}

bool Workspace::AppendBlock(std::span<const uint8_t> block, uint32_t* offset) {
    // Offsets are kept in 32 bits and sought with a long, so the file stays below 2 GB on every
    // build.
    if (!m_file || m_fileEnd + block.size() > kMaxWorkspaceFile) return false;
    if (!SeekFor(true, m_fileEnd)) return false;
    if (!block.empty() && std::fwrite(block.data(), 1, block.size(), m_file) != block.size()) {
        m_lastAccess = 0;
        return false;
    }
    *offset = static_cast<uint32_t>(m_fileEnd);
    m_fileEnd += block.size();
    m_position = m_fileEnd;
    return true;
}

bool Workspace::ReadBlock(uint32_t offset, void* out, size_t n) const {
    if (!m_file || !InRange(m_fileEnd, offset, n)) return false;
    if (!SeekFor(false, offset)) return false;
    if (n != 0 && std::fread(out, 1, n, m_file) != n) {
        m_lastAccess = 0;
        return false;
    }
    m_position = offset + n;
    return true;
}

bool Workspace::WriteBlockAt(uint32_t offset, std::span<const uint8_t> block) {
    if (!m_file || !InRange(m_fileEnd, offset, block.size())) return false;
    if (!SeekFor(true, offset)) return false;
    if (!block.empty() && std::fwrite(block.data(), 1, block.size(), m_file) != block.size()) {
        m_lastAccess = 0;
        return false;
    }
    m_position = offset + block.size();
    return true;
}

bool Workspace::ReadImageOf(const FormatEntry& f, std::vector<uint8_t>* out) const {
    if (f.imageNumber == 0 || f.imageNumber > m_images.size()) return false;
    const ImageEntry& image = m_images[f.imageNumber - 1];
    out->resize(image.size);
    if (!ReadBlock(image.workspaceOffset, out->data(), image.size)) return false;
    return image.size >= 4 && LoadLE32(out->data()) == 40;
}

size_t Workspace::AppendIcon(const IconEntry& entry) {
    m_icons.push_back(entry);
    size_t index = m_icons.size() - 1;
    IconEntry& icon = m_icons[index];
    icon.previous = m_tail;
    icon.next = 0;
    if (m_tail)
        m_icons[m_tail - 1].next = static_cast<uint32_t>(index + 1);
    else
        m_head = static_cast<uint32_t>(index + 1);
    m_tail = static_cast<uint32_t>(index + 1);
    return index;
}

uint16_t Workspace::AppendImage(std::span<const uint8_t> block, uint32_t sourceOffset,
                                uint16_t resourceId, uint16_t pending) {
    if (block.size() < 40 || block.size() > 0xFFFF || m_images.size() >= 0xFFFF) return 0;
    uint32_t offset = 0;
    if (!AppendBlock(block, &offset)) return 0;
    BlockFacts facts = FactsOf(block);
    ImageEntry image;
    image.workspaceOffset = offset;
    image.sourceOffset = sourceOffset;
    image.size = static_cast<uint16_t>(block.size());
    image.resourceId = resourceId ? resourceId : static_cast<uint16_t>(m_images.size() + 1);
    image.width = facts.width;
    image.height = facts.height;
    image.colorCode = facts.colorCode;
    image.pending = pending;
    m_images.push_back(image);
    CountFormat(image.width, image.height, image.colorCode);
    return static_cast<uint16_t>(m_images.size());
}

void Workspace::CountFormat(uint32_t width, uint32_t height, uint32_t colorCode) {
    for (FormatTally& t : m_tallies) {
        if (t.width == width && t.height == height && t.colorCode == colorCode) {
            ++t.count;
            return;
        }
    }
    m_tallies.push_back({width, height, colorCode, 1});
}

void Workspace::UncountFormat(uint32_t width, uint32_t height, uint32_t colorCode) {
    for (size_t i = 0; i < m_tallies.size(); ++i) {
        FormatTally& t = m_tallies[i];
        if (t.width == width && t.height == height && t.colorCode == colorCode) {
            if (--t.count == 0) m_tallies.erase(m_tallies.begin() + static_cast<long>(i));
            return;
        }
    }
}

void Workspace::SetCellSize(IconEntry* icon, std::span<const FormatEntry> entries) const {
    switch (m_metrics.view) {
        case kViewSpecific:
            icon->cellWidth = static_cast<int32_t>(m_currentFormat.width);
            icon->cellHeight = static_cast<int32_t>(m_currentFormat.height);
            break;
        case kViewRaw: {
            if (entries.empty()) {
                icon->cellWidth = icon->cellHeight = m_metrics.largeIconSize;
                break;
            }
            int32_t width = -16, height = 0;
            for (const FormatEntry& f : entries) {
                // A directory byte of 0 stands for 256 pixels.
                int32_t w = f.width ? f.width : 256, h = f.height ? f.height : 256;
                width += w + 16;
                height = std::max(height, h);
            }
            icon->cellWidth = width;
            icon->cellHeight = height;
            break;
        }
        case kViewDesktop:
            icon->cellWidth = icon->cellHeight = m_metrics.largeIconSize;
            break;
        default:
            icon->cellWidth = m_metrics.smallIconSize + m_metrics.largeIconSize + 16;
            icon->cellHeight = m_metrics.largeIconSize;
            break;
    }
}

void Workspace::RelinkInTableOrder() {
    uint32_t n = static_cast<uint32_t>(m_icons.size());
    for (uint32_t i = 0; i < n; ++i) {
        m_icons[i].previous = i;
        m_icons[i].next = i + 1 < n ? i + 2 : 0;
    }
    m_head = n ? 1 : 0;
    m_tail = n;
}

std::vector<size_t> Workspace::DisplayOrder() const {
    std::vector<size_t> order;
    // The chain is bounded by the table size, so a damaged chain cannot loop forever.
    for (uint32_t at = m_head; at != 0 && at <= m_icons.size() && order.size() < m_icons.size();
         at = m_icons[at - 1].next)
        order.push_back(at - 1);
    return order;
}

std::vector<size_t> Workspace::Selection() const {
    if (m_selection > 0) return {static_cast<size_t>(m_selection - 1)};
    return m_selectionList;
}

void Workspace::SelectList(std::vector<size_t> indices) {
    if (indices.size() == 1) return SelectOne(indices[0]);
    m_selectionList = std::move(indices);
    m_selection = -static_cast<int32_t>(m_selectionList.size());
}

void Workspace::SelectAll() {
    if (m_icons.empty()) return;
    std::vector<size_t> all(m_icons.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    m_selectionList = std::move(all);
    m_selection = -static_cast<int32_t>(m_selectionList.size());
}

std::string Workspace::ShownName(const IconEntry& icon) {
    std::string name(icon.displayName, strnlen(icon.displayName, sizeof icon.displayName));
    return name.empty() ? kUntitledName : name;
}

void Workspace::SetDisplayName(IconEntry* icon, const std::string& name) {
    std::memset(icon->displayName, 0, sizeof icon->displayName);
    std::memcpy(icon->displayName, name.data(), std::min(name.size(), kMaxDisplayName));
}

void Workspace::Sort(int key) {
    if (m_icons.empty()) return;
    std::vector<uint32_t> selectedSerials;
    for (size_t i : Selection())
        if (i < m_icons.size()) selectedSerials.push_back(m_icons[i].serial);

    auto ownsCurrent = [this](const IconEntry& icon) {
        for (const FormatEntry& f : m_formats) {
            if (f.owner != icon.serial || f.imageNumber == 0 || f.imageNumber > m_images.size())
                continue;
            const ImageEntry& image = m_images[f.imageNumber - 1];
            if (image.width == m_currentFormat.width && image.height == m_currentFormat.height &&
                image.colorCode == m_currentFormat.colorCode)
                return true;
        }
        return false;
    };
    auto before = [&](const IconEntry& a, const IconEntry& b) -> bool {
        switch (key) {
            case kSortByName:
                return m_compare(ShownName(a).c_str(), ShownName(b).c_str()) < 0;
            case kSortByImageCount:
                return a.imageCount > b.imageCount;
            case kSortBySpecificFormat:
                return ownsCurrent(a) && !ownsCurrent(b);
            default: {
                bool sameRow = a.y >= b.y - m_metrics.verticalGap && a.y <= b.y + b.cellHeight;
                if (!sameRow) return a.y < b.y;
                return a.x != b.x ? a.x < b.x : a.serial < b.serial;
            }
        }
    };
    // Stable insertion sort: a record moves back only past records it sorts strictly before.
    for (size_t i = 1; i < m_icons.size(); ++i) {
        for (size_t j = i; j > 0 && before(m_icons[j], m_icons[j - 1]); --j)
            std::swap(m_icons[j], m_icons[j - 1]);
    }
    RelinkInTableOrder();

    std::vector<size_t> reselected;
    for (uint32_t serial : selectedSerials) {
        long at = FindIconBySerial(serial);
        if (at >= 0) reselected.push_back(static_cast<size_t>(at));
    }
    if (reselected.empty())
        SelectNone();
    else
        SelectList(std::move(reselected));

    if (key != kSortByPosition && m_mode != kModeProgram) m_modified = true;
}

void Workspace::Rename(size_t index, const std::string& name) {
    if (index >= m_icons.size()) return;
    SetDisplayName(&m_icons[index], name.empty() ? std::string(kUntitledName) : name);
    m_modified = true;
}

long Workspace::AddImage(std::span<const uint8_t> block, long target, int x, int y) {
    ByteReader r(block);
    uint32_t headerSize = r.U32();
    int32_t width = r.I32();
    int32_t height2 = r.I32();
    uint16_t planes = r.U16();
    uint16_t bitCount = r.U16();
    if (!r.ok() || headerSize != 40 || block.size() > 0xFFFF || width <= 0 || height2 <= 0)
        return -1;
    if (target >= 0 &&
        (static_cast<size_t>(target) >= m_icons.size() || m_icons[target].imageCount == 0xFF))
        return -1;
    // Serials share their 16 bits with the unlinked mark.
    if (target < 0 && m_nextSerial > 0x7FFF) return -1;

    uint16_t imageNumber = AppendImage(block, 0, 0, 1);
    if (imageNumber == 0) return -1;

    size_t index;
    if (target < 0) {
        IconEntry icon;
        icon.serial = icon.resourceId = m_nextSerial++;
        index = AppendIcon(icon);
    } else {
        index = static_cast<size_t>(target);
    }
    IconEntry& icon = m_icons[index];
    uint32_t bits = static_cast<uint32_t>(planes) * bitCount;

    FormatEntry f;
    f.width = static_cast<uint8_t>(width);
    f.height = static_cast<uint8_t>(height2 / 2);
    // The directory's byte cannot hold 256, so only the two small palettes are counted.
    f.colorCount = bits == 1 ? 2 : bits == 4 ? 16 : 0;
    f.planes = planes;
    f.bitCount = bitCount;
    f.bytesInResource = static_cast<uint32_t>(block.size());
    f.imageNumber = imageNumber;
    f.owner = static_cast<uint16_t>(icon.serial);
    m_formats.push_back(f);
    ++icon.imageCount;

    if (target < 0) {
        std::vector<FormatEntry> own;
        for (size_t i : FormatsOf(index)) own.push_back(m_formats[i]);
        SetCellSize(&icon, own);
        icon.x = x - icon.cellWidth / 2;
        icon.y = y - icon.cellHeight / 2;
    }
    m_modified = true;
    return static_cast<long>(index);
}

long Workspace::CreateCopy(size_t index) {
    if (index >= m_icons.size()) return -1;
    const IconEntry original = m_icons[index];
    std::vector<uint8_t> block;
    long copy = -1;
    for (size_t fi : FormatsOf(index)) {
        FormatEntry f = m_formats[fi];
        if (!ReadImageOf(f, &block)) return -1;
        long at = AddImage(block, copy);
        if (at < 0) return -1;
        copy = at;
    }
    if (copy < 0) return -1;  // an icon without images has nothing to copy
    IconEntry& icon = m_icons[static_cast<size_t>(copy)];
    std::memcpy(icon.displayName, original.displayName, sizeof icon.displayName);
    icon.x = original.x + 1;
    icon.y = original.y;
    return copy;
}

void Workspace::RemoveIcon(size_t index) {
    if (index >= m_icons.size()) return;
    IconEntry& icon = m_icons[index];
    uint32_t self = static_cast<uint32_t>(index + 1);

    // Join the neighbours in the display chain.
    if (icon.previous && icon.previous <= m_icons.size())
        m_icons[icon.previous - 1].next = icon.next;
    if (icon.next && icon.next <= m_icons.size()) m_icons[icon.next - 1].previous = icon.previous;
    if (m_head == self) m_head = icon.next;
    if (m_tail == self) m_tail = icon.previous;

    // Its formats and their tallies go; the image blocks stay unused in the workspace file.
    uint32_t serial = icon.serial;
    for (size_t i = m_formats.size(); i-- > 0;) {
        const FormatEntry& f = m_formats[i];
        if ((f.owner & kUnlinkedOwner) || f.owner != serial) continue;
        if (f.imageNumber && f.imageNumber <= m_images.size()) {
            const ImageEntry& image = m_images[f.imageNumber - 1];
            UncountFormat(image.width, image.height, image.colorCode);
        }
        m_formats.erase(m_formats.begin() + static_cast<long>(i));
    }

    // The last record moves into the freed place; whoever pointed at it follows.
    uint32_t last = static_cast<uint32_t>(m_icons.size());
    if (self != last) {
        m_icons[index] = m_icons[last - 1];
        IconEntry& moved = m_icons[index];
        if (moved.previous) m_icons[moved.previous - 1].next = self;
        if (moved.next) m_icons[moved.next - 1].previous = self;
        if (m_head == last) m_head = self;
        if (m_tail == last) m_tail = self;
    }
    m_icons.pop_back();
}

LibStatus Workspace::DeleteSelection(Prompt& prompt,
                                     const std::function<bool(uint32_t)>& hasSession,
                                     const std::function<void(uint32_t)>& endSessions) {
    if (m_mode == kModeProgram) {
        prompt.Tell("Icons cannot be deleted from a Program file.", PromptIcon::Stop);
        return LibStatus::Refused;
    }
    std::vector<size_t> selection = Selection();
    selection.erase(std::remove_if(selection.begin(), selection.end(),
                                   [this](size_t i) { return i >= m_icons.size(); }),
                    selection.end());
    if (selection.empty()) return LibStatus::Refused;

    std::vector<uint32_t> withSessions;
    if (hasSession)
        for (size_t i : selection)
            if (hasSession(m_icons[i].serial)) withSessions.push_back(m_icons[i].serial);
    if (!withSessions.empty()) {
        PromptAnswer a = prompt.Ask(
            "One or more icons in the selection being removed have an open edit session with "
            "Studio.\n\n"
            "Select OK to terminate edit sessions and continue.  Select Cancel to return to your "
            "work.",
            PromptButtons::OkCancel, PromptIcon::Information);
        if (a != PromptAnswer::Ok) return LibStatus::Refused;
        if (endSessions)
            for (uint32_t s : withSessions) endSessions(s);
    }
    if (prompt.Ask("Delete the current icon selection?", PromptButtons::YesNo) != PromptAnswer::Yes)
        return LibStatus::Refused;

    // Highest index first: the record that moves into a freed place is then never a selected one.
    std::sort(selection.begin(), selection.end(), std::greater<>());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    for (size_t i : selection) RemoveIcon(i);
    SelectNone();
    m_modified = true;
    return LibStatus::Ok;
}

}  // namespace vt
