#include "librarian/workspace.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "common/byte_reader.h"
#include "common/file_io.h"
#include "image/display_colors.h"
#include "librarian/image_block.h"

namespace vt {

constexpr uint64_t kMaxWorkspaceFile = 0x7FFFFFFF;
constexpr uint32_t kMaxSerial = 0x7FFF;  // serials share 16 bits with the unlinked mark

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
    m_sourceSizes.clear();
    m_tallies.clear();
    m_iconOfSerial.clear();
    m_formatsOfSerial.clear();
    m_nextSerial = 1;
    m_head = m_tail = 0;
    SelectNone();
    m_modified = false;
}

LibStatus Workspace::New() {
    Discard();
    m_mode = kModeLibrary;
    if (!m_formatSet) {
        m_currentFormat = FormatKey{};
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

// Linked owners are serials below the unlinked mark; anything else has no list.
std::vector<uint32_t>* Workspace::OwnedList(uint32_t serial) {
    if (serial == 0 || serial >= kUnlinkedOwner) return nullptr;
    if (m_formatsOfSerial.size() <= serial) m_formatsOfSerial.resize(serial + 1);
    return &m_formatsOfSerial[serial];
}

void Workspace::IndexIcon(size_t index) {
    uint32_t serial = m_icons[index].serial;
    if (serial > 0xFFFF) return;
    if (m_iconOfSerial.size() <= serial) m_iconOfSerial.resize(serial + 1, -1);
    m_iconOfSerial[serial] = static_cast<int32_t>(index);
}

void Workspace::RebuildOwnerIndex() {
    std::fill(m_iconOfSerial.begin(), m_iconOfSerial.end(), -1);
    for (auto& list : m_formatsOfSerial) list.clear();
    for (size_t i = 0; i < m_icons.size(); ++i) IndexIcon(i);
    for (size_t i = 0; i < m_formats.size(); ++i) {
        if (m_formats[i].owner & kUnlinkedOwner) continue;
        if (auto* list = OwnedList(m_formats[i].owner)) list->push_back(static_cast<uint32_t>(i));
    }
}

std::vector<size_t> Workspace::FormatsOf(size_t iconIndex) const {
    if (iconIndex >= m_icons.size()) return {};
    uint32_t serial = m_icons[iconIndex].serial;
    if (serial == 0 || serial >= m_formatsOfSerial.size()) return {};
    const auto& list = m_formatsOfSerial[serial];
    return std::vector<size_t>(list.begin(), list.end());
}

long Workspace::FindIconBySerial(uint32_t serial) const {
    if (serial >= m_iconOfSerial.size()) return -1;
    int32_t at = m_iconOfSerial[serial];
    return at >= 0 && static_cast<size_t>(at) < m_icons.size() && m_icons[at].serial == serial ? at
                                                                                               : -1;
}

size_t Workspace::AppendFormat(const FormatEntry& f) {
    m_formats.push_back(f);
    size_t index = m_formats.size() - 1;
    if (!(f.owner & kUnlinkedOwner))
        if (auto* list = OwnedList(f.owner)) list->push_back(static_cast<uint32_t>(index));
    return index;
}

void Workspace::LinkFormat(size_t index, uint16_t imageNumber) {
    FormatEntry& f = m_formats[index];
    f.imageNumber = imageNumber;
    if (!(f.owner & kUnlinkedOwner)) return;
    f.owner = static_cast<uint16_t>(f.owner & ~kUnlinkedOwner);
    if (auto* list = OwnedList(f.owner))
        list->insert(std::upper_bound(list->begin(), list->end(), index),
                     static_cast<uint32_t>(index));
}

void Workspace::SetFormatSize(size_t index, uint32_t bytesInResource) {
    m_formats[index].bytesInResource = bytesInResource;
}

void Workspace::DropUnlinkedFormats(size_t first) {
    if (first >= m_formats.size()) return;
    // Only entries from `first` on move, so only their owners' lists are redone.
    for (size_t i = first; i < m_formats.size(); ++i) {
        if (m_formats[i].owner & kUnlinkedOwner) continue;
        if (auto* list = OwnedList(m_formats[i].owner))
            list->erase(std::lower_bound(list->begin(), list->end(), first), list->end());
    }
    size_t kept = first;
    for (size_t i = first; i < m_formats.size(); ++i)
        if (!(m_formats[i].owner & kUnlinkedOwner)) m_formats[kept++] = m_formats[i];
    m_formats.resize(kept);
    for (size_t i = first; i < m_formats.size(); ++i)
        if (auto* list = OwnedList(m_formats[i].owner)) list->push_back(static_cast<uint32_t>(i));
}

void Workspace::RemoveFormats(std::vector<size_t> indices) {
    if (indices.empty()) return;
    std::vector<bool> drop(m_formats.size(), false);
    for (size_t i : indices) {
        if (i >= m_formats.size() || drop[i]) continue;
        drop[i] = true;
        const FormatEntry& f = m_formats[i];
        if (f.imageNumber && f.imageNumber <= m_images.size()) {
            const ImageEntry& image = m_images[f.imageNumber - 1];
            UncountFormat(image.width, image.height, image.colorCode);
        }
    }
    size_t kept = 0;
    for (size_t i = 0; i < m_formats.size(); ++i)
        if (!drop[i]) m_formats[kept++] = m_formats[i];
    m_formats.resize(kept);
    RebuildOwnerIndex();
}

Workspace::Checkpoint Workspace::Save() const {
    return {m_icons.size(), m_formats.size(), m_images.size(), m_nextSerial,
            m_tallies,      m_head,           m_tail,          m_modified};
}

void Workspace::Restore(const Checkpoint& c) {
    m_icons.resize(std::min(c.icons, m_icons.size()));
    m_formats.resize(std::min(c.formats, m_formats.size()));
    m_images.resize(std::min(c.images, m_images.size()));
    m_sourceSizes.resize(m_images.size());
    m_modified = c.modified;
    m_nextSerial = c.nextSerial;
    m_tallies = c.tallies;
    m_head = c.head;
    m_tail = c.tail;
    if (m_tail > 0 && m_tail <= m_icons.size()) m_icons[m_tail - 1].next = 0;
    RebuildOwnerIndex();
}

bool Workspace::TakeWriteAllowance(size_t n) {
    if (n > m_writeAllowance) return false;
    m_writeAllowance -= n;
    return true;
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
    if (!TakeWriteAllowance(block.size())) return false;
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
    if (!TakeWriteAllowance(block.size())) return false;
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
    IndexIcon(index);
    return index;
}

uint16_t Workspace::AppendImage(std::span<const uint8_t> block, uint32_t sourceOffset,
                                uint16_t resourceId, uint16_t pending) {
    if (block.size() < 40 || block.size() > 0xFFFF || m_images.size() >= 0xFFFF) return 0;
    uint32_t offset = 0;
    if (!AppendBlock(block, &offset)) return 0;
    return RecordImage(block, offset, sourceOffset, resourceId, pending);
}

uint16_t Workspace::RecordImage(std::span<const uint8_t> block, uint32_t offset,
                                uint32_t sourceOffset, uint16_t resourceId, uint16_t pending) {
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
    m_sourceSizes.push_back(sourceOffset ? image.size : 0);
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

std::vector<size_t> Workspace::RawImagesOf(size_t iconIndex) const {
    std::vector<size_t> shown;
    for (size_t fi : FormatsOf(iconIndex)) {
        uint16_t number = m_formats[fi].imageNumber;
        if (number == 0 || number > m_images.size()) continue;
        if (FormatSuitsDisplay(m_images[number - 1].colorCode, m_metrics.displayColorCode))
            shown.push_back(number - 1u);
    }
    std::stable_sort(shown.begin(), shown.end(), [this](size_t a, size_t b) {
        const ImageEntry &x = m_images[a], &y = m_images[b];
        return std::tie(x.width, x.height, x.colorCode) < std::tie(y.width, y.height, y.colorCode);
    });
    if (shown.size() > kMaxRawImages) shown.resize(kMaxRawImages);
    return shown;
}

void Workspace::UpdateCellSize(size_t iconIndex) {
    if (iconIndex >= m_icons.size()) return;
    IconEntry& icon = m_icons[iconIndex];
    switch (m_metrics.view) {
        case kViewSpecific:
            icon.cellWidth = static_cast<int32_t>(m_currentFormat.width);
            icon.cellHeight = static_cast<int32_t>(m_currentFormat.height);
            break;
        case kViewRaw: {
            // The cell holds exactly what Raw View draws: the displayable images, at most ten.
            std::vector<size_t> shown = RawImagesOf(iconIndex);
            if (shown.empty()) {
                icon.cellWidth = icon.cellHeight = m_metrics.largeIconSize;
                break;
            }
            int32_t width = -16, height = 0;
            for (size_t i : shown) {
                width += m_images[i].width + 16;
                height = std::max<int32_t>(height, m_images[i].height);
            }
            icon.cellWidth = width;
            icon.cellHeight = height;
            break;
        }
        case kViewDesktop:
            icon.cellWidth = icon.cellHeight = m_metrics.largeIconSize;
            break;
        default:
            icon.cellWidth = m_metrics.smallIconSize + m_metrics.largeIconSize + 16;
            icon.cellHeight = m_metrics.largeIconSize;
            break;
    }
}

void Workspace::UpdateAllCellSizes() {
    for (size_t i = 0; i < m_icons.size(); ++i) UpdateCellSize(i);
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

std::vector<uint32_t> Workspace::SortedOrder(int key) const {
    const size_t n = m_icons.size();
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    // Each icon's key is worked out once; the comparisons only look it up.
    switch (key) {
        case kSortByName: {
            std::vector<std::string> names(n);
            for (size_t i = 0; i < n; ++i) names[i] = ShownName(m_icons[i]);
            std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
                return m_compare(names[a].c_str(), names[b].c_str()) < 0;
            });
            break;
        }
        case kSortByImageCount:
            std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
                return m_icons[a].imageCount > m_icons[b].imageCount;
            });
            break;
        case kSortBySpecificFormat: {
            std::vector<uint8_t> owns(n, 0);
            for (size_t i = 0; i < n; ++i) {
                for (size_t fi : FormatsOf(i)) {
                    uint16_t number = m_formats[fi].imageNumber;
                    if (number == 0 || number > m_images.size()) continue;
                    const ImageEntry& image = m_images[number - 1];
                    if (image.width == m_currentFormat.width &&
                        image.height == m_currentFormat.height &&
                        image.colorCode == m_currentFormat.colorCode)
                        owns[i] = 1;
                }
            }
            std::stable_partition(order.begin(), order.end(), [&](uint32_t i) { return owns[i]; });
            break;
        }
        default: {
            // The row test is not transitive (rows overlap by the vertical gap), so no ordering
            // sort can stand in: the stable insertion sort decides, moving small keys rather than
            // records. After a drag most icons are already in order, which it passes quickly.
            struct PositionKey {
                int32_t x, y, bottom;
                uint32_t serial, index;
            };
            std::vector<PositionKey> keys(n);
            for (uint32_t i = 0; i < n; ++i) {
                const IconEntry& icon = m_icons[i];
                keys[i] = {icon.x, icon.y, icon.y + icon.cellHeight, icon.serial, i};
            }
            const int32_t gap = m_metrics.verticalGap;
            auto before = [gap](const PositionKey& a, const PositionKey& b) {
                bool sameRow = a.y >= b.y - gap && a.y <= b.bottom;
                if (!sameRow) return a.y < b.y;
                return a.x != b.x ? a.x < b.x : a.serial < b.serial;
            };
            for (size_t i = 1; i < n; ++i) {
                if (!before(keys[i], keys[i - 1])) continue;
                PositionKey moving = keys[i];
                size_t j = i;
                for (; j > 0 && before(moving, keys[j - 1]); --j) keys[j] = keys[j - 1];
                keys[j] = moving;
            }
            for (size_t i = 0; i < n; ++i) order[i] = keys[i].index;
            break;
        }
    }
    return order;
}

void Workspace::Sort(int key) {
    if (m_icons.empty()) return;
    std::vector<uint32_t> selectedSerials;
    for (size_t i : Selection())
        if (i < m_icons.size()) selectedSerials.push_back(m_icons[i].serial);

    std::vector<uint32_t> order = SortedOrder(key);
    std::vector<IconEntry> sorted;
    sorted.reserve(m_icons.size());
    for (uint32_t i : order) sorted.push_back(m_icons[i]);
    m_icons.swap(sorted);
    RelinkInTableOrder();
    for (size_t i = 0; i < m_icons.size(); ++i) IndexIcon(i);

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
    // A program file cannot store names: marking it modified would promise a save that keeps
    // nothing of the rename.
    if (m_mode != kModeProgram) m_modified = true;
}

namespace {

// The header fields AddImage needs; false for anything that is not a usable image block.
struct BlockHeader {
    int32_t width = 0, height2 = 0;
    uint16_t planes = 0, bitCount = 0;
};
bool ReadBlockHeader(std::span<const uint8_t> block, BlockHeader* out) {
    ByteReader r(block);
    uint32_t headerSize = r.U32();
    out->width = r.I32();
    out->height2 = r.I32();
    out->planes = r.U16();
    out->bitCount = r.U16();
    return r.ok() && headerSize == 40 && block.size() <= 0xFFFF && out->width > 0 &&
           out->height2 > 0;
}

}  // namespace

void Workspace::AttachFormat(size_t index, uint16_t imageNumber, std::span<const uint8_t> block) {
    BlockHeader h;
    ReadBlockHeader(block, &h);
    IconEntry& icon = m_icons[index];
    uint32_t bits = static_cast<uint32_t>(h.planes) * h.bitCount;
    FormatEntry f;
    f.width = static_cast<uint8_t>(h.width);
    f.height = static_cast<uint8_t>(h.height2 / 2);
    // The directory's byte cannot hold 256, so only the two small palettes are counted.
    f.colorCount = bits == 1 ? 2 : bits == 4 ? 16 : 0;
    f.planes = h.planes;
    f.bitCount = h.bitCount;
    f.bytesInResource = static_cast<uint32_t>(block.size());
    f.imageNumber = imageNumber;
    f.owner = static_cast<uint16_t>(icon.serial);
    AppendFormat(f);
    ++icon.imageCount;
}

long Workspace::AddImage(std::span<const uint8_t> block, long target, int x, int y) {
    BlockHeader h;
    if (!ReadBlockHeader(block, &h)) return -1;
    if (target >= 0 &&
        (static_cast<size_t>(target) >= m_icons.size() || m_icons[target].imageCount == 0xFF))
        return -1;
    // Serials share their 16 bits with the unlinked mark.
    if (target < 0 && m_nextSerial > kMaxSerial) return -1;

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
    AttachFormat(index, imageNumber, block);
    UpdateCellSize(index);
    if (target < 0) {
        IconEntry& icon = m_icons[index];
        icon.x = x - icon.cellWidth / 2;
        icon.y = y - icon.cellHeight / 2;
    }
    m_modified = true;
    return static_cast<long>(index);
}

long Workspace::CreateCopy(size_t index) {
    if (index >= m_icons.size() || m_mode == kModeProgram) return -1;
    const IconEntry original = m_icons[index];
    // Everything is read before anything is added, and a failure on the way puts the tables back,
    // so a copy is made whole or not at all.
    std::vector<std::vector<uint8_t>> blocks;
    for (size_t fi : FormatsOf(index)) {
        blocks.emplace_back();
        if (!ReadImageOf(m_formats[fi], &blocks.back())) return -1;
    }
    if (blocks.empty()) return -1;  // an icon without images has nothing to copy
    const Checkpoint checkpoint = Save();
    long copy = -1;
    for (const auto& block : blocks) {
        copy = AddImage(block, copy);
        if (copy < 0) {
            Restore(checkpoint);
            return -1;
        }
    }
    IconEntry& icon = m_icons[static_cast<size_t>(copy)];
    std::memcpy(icon.displayName, original.displayName, sizeof icon.displayName);
    icon.x = original.x + 1;
    icon.y = original.y;
    return copy;
}

LibStatus Workspace::ReplaceIconImages(size_t index, std::span<const std::vector<uint8_t>> blocks) {
    if (index >= m_icons.size()) return LibStatus::Refused;
    const std::vector<size_t> own = FormatsOf(index);

    // The plan: which owned format each block replaces, or none for a new format.
    struct Step {
        const std::vector<uint8_t>* block;
        long replaces;  // position in `own`, or -1
        uint32_t offset = 0;
    };
    std::vector<Step> steps;
    std::vector<bool> kept(own.size(), false);
    size_t added = 0;
    for (const auto& block : blocks) {
        BlockHeader h;
        if (!ReadBlockHeader(block, &h)) continue;  // not an image block: ignored
        BlockFacts facts = FactsOf(block);
        long replaces = -1;
        for (size_t k = 0; k < own.size() && replaces < 0; ++k) {
            const ImageEntry& image = m_images[m_formats[own[k]].imageNumber - 1];
            if (!kept[k] && image.width == facts.width && image.height == facts.height &&
                image.colorCode == facts.colorCode)
                replaces = static_cast<long>(k), kept[k] = true;
        }
        if (replaces < 0) ++added;
        steps.push_back({&block, replaces});
    }
    size_t keptCount = static_cast<size_t>(std::count(kept.begin(), kept.end(), true));
    if (keptCount + added > 0xFF || m_images.size() + added > 0xFFFF) return LibStatus::Refused;

    // Every new block goes to the end of the workspace file before any table changes; a failure
    // here leaves marks, tables and tallies as they were (the bytes stay unused).
    for (Step& step : steps)
        if (!AppendBlock(*step.block, &step.offset)) return LibStatus::WorkspaceError;

    // From here nothing can fail.
    for (const Step& step : steps) {
        if (step.replaces >= 0) {
            size_t fi = own[static_cast<size_t>(step.replaces)];
            ImageEntry& image = m_images[m_formats[fi].imageNumber - 1];
            image.workspaceOffset = step.offset;
            image.size = static_cast<uint16_t>(step.block->size());
            image.pending = 1;
            m_formats[fi].bytesInResource = static_cast<uint32_t>(step.block->size());
        } else {
            uint16_t number = RecordImage(*step.block, step.offset, 0, 0, 1);
            AttachFormat(index, number, *step.block);
        }
    }
    // Formats the editor no longer sent leave the icon.
    std::vector<size_t> removed;
    for (size_t k = 0; k < own.size(); ++k)
        if (!kept[k]) removed.push_back(own[k]);
    m_icons[index].imageCount = static_cast<uint8_t>(m_icons[index].imageCount - removed.size());
    RemoveFormats(std::move(removed));
    UpdateCellSize(index);
    m_modified = true;
    return LibStatus::Ok;
}

void Workspace::RemoveIcon(size_t index) {
    RemoveIcons({index});
}

void Workspace::RemoveIcons(std::vector<size_t> indices) {
    // Highest index first: the record that moves into a freed place is then never one still to be
    // removed.
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    indices.erase(std::remove_if(indices.begin(), indices.end(),
                                 [this](size_t i) { return i >= m_icons.size(); }),
                  indices.end());
    if (indices.empty()) return;

    // Their formats and tallies go in one pass; the image blocks stay unused in the workspace file.
    std::vector<size_t> formats;
    for (size_t i : indices)
        for (size_t fi : FormatsOf(i)) formats.push_back(fi);
    RemoveFormats(std::move(formats));

    for (size_t index : indices) {
        IconEntry& icon = m_icons[index];
        uint32_t self = static_cast<uint32_t>(index + 1);
        // Join the neighbours in the display chain.
        if (icon.previous && icon.previous <= m_icons.size())
            m_icons[icon.previous - 1].next = icon.next;
        if (icon.next && icon.next <= m_icons.size())
            m_icons[icon.next - 1].previous = icon.previous;
        if (m_head == self) m_head = icon.next;
        if (m_tail == self) m_tail = icon.previous;
        if (icon.serial < m_iconOfSerial.size()) m_iconOfSerial[icon.serial] = -1;

        // The last record moves into the freed place; whoever pointed at it follows.
        uint32_t last = static_cast<uint32_t>(m_icons.size());
        if (self != last) {
            m_icons[index] = m_icons[last - 1];
            IconEntry& moved = m_icons[index];
            if (moved.previous) m_icons[moved.previous - 1].next = self;
            if (moved.next) m_icons[moved.next - 1].previous = self;
            if (m_head == last) m_head = self;
            if (m_tail == last) m_tail = self;
            IndexIcon(index);
        }
        m_icons.pop_back();
    }
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

    RemoveIcons(std::move(selection));
    SelectNone();
    m_modified = true;
    return LibStatus::Ok;
}

}  // namespace vt
