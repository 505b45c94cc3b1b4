#include "librarian/library_writer.h"

#include <algorithm>
#include <cstring>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "librarian/format_entry_io.h"

namespace vt {
namespace {

constexpr uint32_t kNeHeaderOffset = 128;
constexpr uint16_t kFlags = 0x1C30;  // moveable, pure, discardable resources

// The resident-name table: 03 "ICL", then one length-prefixed name per icon (an empty name as the
// single character 0x03, which reads back as "(untitled)"). Without the final zero byte.
std::vector<uint8_t> BuildNameTable(const Workspace& ws, const std::vector<size_t>& order) {
    ByteWriter w;
    w.U8(3);
    w.Text("ICL");
    for (size_t i : order) {
        const IconEntry& icon = ws.icons()[i];
        size_t n = strnlen(icon.displayName, kMaxDisplayName);
        if (n == 0) {
            w.U8(1);
            w.U8(3);
            continue;
        }
        w.U8(static_cast<uint8_t>(n));
        w.Bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(icon.displayName), n));
    }
    return w.Take();
}

// The icons in the order the user sees them, which after a Delete is no longer the table's: the
// reader gives them back in file order. A damaged chain loses no icon: the rest follow in table
// order, each once.
std::vector<size_t> WritingOrder(const Workspace& ws) {
    std::vector<size_t> order;
    order.reserve(ws.icons().size());
    std::vector<bool> taken(ws.icons().size(), false);
    for (size_t i : ws.DisplayOrder())
        if (!taken[i]) taken[i] = true, order.push_back(i);
    for (size_t i = 0; i < taken.size(); ++i)
        if (!taken[i]) order.push_back(i);
    return order;
}

uint64_t UnitsFor(uint64_t bytes, uint64_t unit) {
    return (bytes + unit - 1) / unit;
}

}  // namespace

std::string TooManyResourcesMessage(uint32_t tableSize) {
    return Format(
        "Cannot save this many resources into a New Executable (NE) format library file.  The "
        "resource "
        "table is currently %d bytes - it must be reduced by %d bytes before it can be saved as a "
        "library.",
        static_cast<int>(tableSize), static_cast<int>(tableSize - kMaxResourceTableSize));
}

uint16_t LibraryAlignmentShift(uint64_t workspaceFileSize, size_t namesLength, size_t icons,
                               size_t images) {
    uint64_t c =
        workspaceFileSize + (namesLength + 1) + 14 * uint64_t{images} + 30 * uint64_t{icons} + 1106;
    uint64_t k = c / 65535 + (c % 65535 >= 32768 ? 1 : 0);
    uint16_t s = 0;
    while (k) ++s, k >>= 1;
    return std::max<uint16_t>(s, 1);
}

long WriteLibrary(const Workspace& ws, TempFileWriter& out, Prompt& prompt) {
    // Every icon with the format entries it owns, in display order.
    const std::vector<size_t> order = WritingOrder(ws);
    std::vector<std::vector<size_t>> owned;
    size_t images = 0;
    for (size_t i : order) {
        owned.push_back(ws.FormatsOf(i));
        images += owned.back().size();
    }
    const size_t icons = owned.size();
    const uint64_t r = 16 + 12 * uint64_t{icons + images};
    if (r > kMaxResourceTableSize) {
        PromptMessage m{
            TooManyResourcesMessage(static_cast<uint32_t>(std::min<uint64_t>(r, INT32_MAX))),
            {},
            PromptIcon::Stop,
            PromptButtons::Ok,
            true,
            0};
        prompt.Show(m);
        out.Abandon();
        return -1;
    }

    const std::vector<uint8_t> names = BuildNameTable(ws, order);
    const uint64_t namesLength = names.size();
    const uint64_t namesEnd =
        kNeHeaderOffset + 64 + 20 + 12 * uint64_t{icons + images} + namesLength + 1;

    // The layout in units of 2^S. The unit counts are 16-bit, and the first data unit must not lie
    // inside the name table: when the shift from the sizes would break either, a larger one is
    // used.
    uint16_t shift = LibraryAlignmentShift(ws.fileSize(), namesLength, icons, images);
    uint64_t unit = 0, firstUnit = 0;
    std::vector<uint64_t> groupUnits, imageUnits;
    for (;; ++shift) {
        if (shift > 15) return 0;
        unit = uint64_t{1} << shift;
        firstUnit = (unit + r + 3) / unit + (namesLength + unit) / unit + 192 / unit;
        firstUnit = std::max(firstUnit, UnitsFor(namesEnd, unit));
        uint64_t at = firstUnit;
        groupUnits.clear();
        imageUnits.clear();
        for (const auto& own : owned) {
            groupUnits.push_back(at);
            at += (unit + 14 * own.size() + 5) / unit;
        }
        for (const auto& own : owned)
            for (size_t fi : own) {
                imageUnits.push_back(at);
                const FormatEntry& f = ws.formats()[fi];
                if (f.imageNumber == 0 || f.imageNumber > ws.images().size()) return 0;
                at += UnitsFor(ws.images()[f.imageNumber - 1].size, unit);
            }
        if (at <= 0xFFFF) break;
    }

    ByteWriter w;
    // MZ header: only the signature, the pointer to the NE header and the maker's "KV".
    w.Text("MZ");
    w.Zeros(58);
    w.U32(kNeHeaderOffset);
    w.Zeros(62);
    w.Text("KV");
    // NE header.
    w.Text("NE");
    w.Zeros(0x22 - 2);
    w.U16(64);  // segment table: empty, where the resource table starts
    w.U16(64);  // resource table
    w.U16(static_cast<uint16_t>(84 + 12 * (icons + images)));  // resident-name table
    w.Zeros(0x36 - 0x28);
    w.U8(2);  // target system: Windows
    w.Zeros(0x3F - 0x37);
    w.U8(3);  // expected Windows version 3
    // Resource table.
    w.U16(shift);
    w.U16(0x800E);
    w.U16(static_cast<uint16_t>(icons));
    w.U32(0);
    for (size_t i = 0; i < icons; ++i) {
        w.U16(static_cast<uint16_t>(groupUnits[i]));
        w.U16(static_cast<uint16_t>((unit + 14 * owned[i].size() + 5) / unit));
        w.U16(kFlags);
        w.U16(static_cast<uint16_t>(0x8001 + i));
        w.U32(0);
    }
    w.U16(0x8003);
    w.U16(static_cast<uint16_t>(images));
    w.U32(0);
    size_t position = 0;
    for (const auto& own : owned)
        for (size_t fi : own) {
            const ImageEntry& image = ws.images()[ws.formats()[fi].imageNumber - 1];
            w.U16(static_cast<uint16_t>(imageUnits[position]));
            w.U16(static_cast<uint16_t>(UnitsFor(image.size, unit)));
            w.U16(kFlags);
            w.U16(static_cast<uint16_t>(0x8001 + position));
            w.U32(0);
            ++position;
        }
    w.U16(0);
    w.Bytes(names);
    w.U8(0);
    w.Zeros(firstUnit * unit - w.size());
    // Group directories; image numbers run over the whole file.
    uint16_t running = 1;
    for (const auto& own : owned) {
        w.U16(0);
        w.U16(1);
        w.U16(static_cast<uint16_t>(own.size()));
        for (size_t fi : own) {
            WriteFormatHead(w, ws.formats()[fi]);
            w.U16(running++);
        }
        w.AlignTo(unit);
    }
    if (!out.Write(w.bytes())) return 0;

    // Image blocks, each padded to whole units.
    std::vector<uint8_t> block(kImageBufferSize + unit);
    for (const auto& own : owned)
        for (size_t fi : own) {
            const ImageEntry& image = ws.images()[ws.formats()[fi].imageNumber - 1];
            if (image.size > kImageBufferSize || image.size < 40) return 0;
            if (!ws.ReadBlock(image.workspaceOffset, block.data(), image.size)) return 0;
            if (LoadLE32(block.data()) != 40) return 0;
            size_t padded = static_cast<size_t>(UnitsFor(image.size, unit) * unit);
            std::fill(block.begin() + image.size, block.begin() + static_cast<long>(padded), 0);
            if (!out.Write(std::span<const uint8_t>(block.data(), padded))) return 0;
        }
    std::vector<uint8_t> last(unit, 0);
    if (!out.Write(last)) return 0;
    return static_cast<long>(icons);
}

}  // namespace vt
