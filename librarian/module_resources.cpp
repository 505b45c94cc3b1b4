#include "librarian/module_resources.h"

#include <algorithm>

#include "common/byte_reader.h"

namespace vt {
namespace {

constexpr uint16_t kGroupType = 14;
constexpr uint16_t kImageType = 3;
constexpr size_t kHeaderRead = 1024;
constexpr size_t kMinHeader = 440;
constexpr size_t kNeHeaderSize = 64;
constexpr size_t kDirectoryRead = 256;
constexpr uint32_t kHighBit = 0x80000000u;

LibStatus WalkNe(CachedFile& file, ModuleResources* out, std::span<const uint8_t> header) {
    ByteReader h(header);
    h.Seek(0x24);
    uint16_t tableOffset = h.U16();
    uint16_t namesOffset = h.U16();
    h.Seek(0x36);
    out->targetOs = h.U8();
    out->residentNameOffset = namesOffset;
    if (!h.ok() || namesOffset <= tableOffset) return LibStatus::ReadError;

    size_t length = static_cast<size_t>(namesOffset - tableOffset) + 1;
    std::vector<uint8_t> table(length);
    if (!file.ReadAt(out->headerOffset + tableOffset, table.data(), length))
        return LibStatus::ReadError;

    ByteReader r(table);
    uint16_t shift = r.U16();
    // Offsets are 16-bit unit counts; a shift past 31 cannot address anything a file can hold.
    if (shift > 31) return LibStatus::ReadError;
    out->alignUnit = uint64_t{1} << shift;

    bool groupsSeen = false;
    std::vector<ImageRef> images;
    for (;;) {
        uint16_t type = r.U16();
        if (!r.ok() || (type & 0x7FFF) == 0) break;
        uint16_t count = r.U16();
        r.Skip(4);
        bool wantGroups = (type & 0x7FFF) == kGroupType && !groupsSeen;
        bool wantImages = (type & 0x7FFF) == kImageType;
        for (uint16_t i = 0; i < count && r.ok(); ++i) {
            uint16_t offset = r.U16();
            uint16_t units = r.U16();
            r.U16();  // flags
            uint16_t id = r.U16();
            r.Skip(4);
            if (!r.ok()) break;  // the walk has passed the end of the table
            if (wantGroups) {
                if (offset == 0) return LibStatus::ReadError;
                GroupRef g;
                g.offset = uint64_t{offset} << shift;
                g.resourceId = static_cast<uint32_t>(id & 0x7FFF);
                g.size = uint64_t{units} << shift;
                // Without the high bit the ID is the table offset of a length-prefixed name.
                if (!(id & 0x8000)) {
                    g.named = true;
                    ByteReader n(table);
                    n.Seek(id);
                    uint8_t length = n.U8();
                    auto text = n.Bytes(length);
                    if (n.ok()) g.fullName.assign(text.begin(), text.end());
                }
                out->groups.push_back(std::move(g));
            } else if (wantImages) {
                images.push_back({uint64_t{offset} << shift, uint64_t{units} << shift,
                                  static_cast<uint16_t>(id & 0x7FFF)});
            }
        }
        if (wantGroups) groupsSeen = true;
        if (!r.ok()) break;
    }
    if (!out->groups.empty()) out->images = std::move(images);
    return LibStatus::Ok;
}

// Converts a resource name to the 8-bit code page: ASCII and Latin-1 pass, anything else becomes
// "?" as the system's default character does.
std::string NarrowName(std::span<const uint8_t> utf16, size_t chars) {
    std::string s;
    for (size_t i = 0; i < chars; ++i) {
        uint16_t c = LoadLE16(utf16.data() + 2 * i);
        s.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    }
    return s;
}

// The whole name in UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8Name(std::span<const uint8_t> utf16) {
    std::string s;
    size_t chars = utf16.size() / 2;
    for (size_t i = 0; i < chars; ++i) {
        uint32_t c = LoadLE16(utf16.data() + 2 * i);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < chars) {
            uint32_t low = LoadLE16(utf16.data() + 2 * (i + 1));
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;
        if (c < 0x80) {
            s.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            s.push_back(static_cast<char>(0xC0 | (c >> 6)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            s.push_back(static_cast<char>(0xE0 | (c >> 12)));
            s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            s.push_back(static_cast<char>(0xF0 | (c >> 18)));
            s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return s;
}

// A section of a PE file: where its addresses begin in memory and where its bytes lie in the file.
struct Section {
    uint32_t address = 0;
    uint32_t rawSize = 0;
    uint32_t rawPointer = 0;
};

class PeWalker {
  public:
    PeWalker(CachedFile& file, ModuleResources* out) : m_file(file), m_out(out) {}

    LibStatus Walk(std::span<const uint8_t> header) {
        ByteReader h(header);
        h.Seek(6);
        uint16_t sections = h.U16();
        h.Seek(20);
        uint16_t optionalSize = h.U16();
        h.Seek(24);
        uint16_t magic = h.U16();
        h.Seek(84);
        uint32_t headersSize = h.U32();
        // The third data directory sits at 136 in a 32-bit optional header and 16 bytes later in
        // the 64-bit one.
        h.Seek(magic == 0x20B ? 152 : 136);
        uint32_t directoryAddress = h.U32();
        if (!h.ok()) return LibStatus::ReadError;
        if (directoryAddress == 0) return LibStatus::Ok;  // no resources, so no icons

        size_t kept = std::min<size_t>(header.size(), headersSize);
        ByteReader s(header.first(kept));
        size_t at = 24 + size_t{optionalSize};
        for (uint16_t i = 0; i < sections; ++i) {
            ByteReader rec = s.Sub(at + 40 * size_t{i}, 40);
            rec.Seek(12);
            Section sec;
            sec.address = rec.U32();
            sec.rawSize = rec.U32();
            sec.rawPointer = rec.U32();
            if (!rec.ok()) break;
            m_sections.push_back(sec);
        }
        // The directory is found by its address, whatever its section is called and wherever in
        // the section it starts.
        m_directoryAddress = directoryAddress;
        std::vector<uint8_t> root;
        if (!ReadDirectory(0, &root, /*exact=*/true)) return LibStatus::ReadError;
        LibStatus st = WalkType(root, kGroupType, true);
        if (st != LibStatus::Ok || m_out->groups.empty()) return st;
        return WalkType(root, kImageType, false);
    }

  private:
    // The file position of an address, through the section that holds it in the file. False for
    // an address outside every section's file bytes.
    bool Map(uint64_t address, uint64_t* position) const {
        for (const Section& sec : m_sections) {
            if (sec.rawPointer == 0 || address < sec.address) continue;
            if (address - sec.address >= sec.rawSize) continue;
            *position = uint64_t{sec.rawPointer} + (address - sec.address);
            return true;
        }
        return false;
    }

    // A position inside the resource directory, given as an offset from its start.
    bool MapInDirectory(uint32_t offset, uint64_t* position) const {
        return Map(m_directoryAddress + uint64_t{offset}, position);
    }

    // Reads a directory at a directory-relative offset: 256 bytes, and again whole when its
    // entries need more. With `exact` the first 256 bytes must all be there.
    bool ReadDirectory(uint32_t offset, std::vector<uint8_t>* out, bool exact) {
        uint64_t pos = 0;
        if (!MapInDirectory(offset, &pos)) return false;
        out->resize(kDirectoryRead);
        size_t got = m_file.ReadSomeAt(pos, out->data(), out->size());
        if (got < 16 || (exact && got < kDirectoryRead)) return false;
        out->resize(got);
        size_t named = LoadLE16(out->data() + 12), numbered = LoadLE16(out->data() + 14);
        // Numbered entries follow the named ones, so both are needed either way.
        size_t need = 16 + 8 * (named + numbered);
        if (need > out->size()) {
            out->resize(need);
            if (!m_file.ReadAt(pos, out->data(), need)) return false;
        }
        return true;
    }

    LibStatus WalkType(const std::vector<uint8_t>& root, uint16_t type, bool groups) {
        size_t named = LoadLE16(root.data() + 12), numbered = LoadLE16(root.data() + 14);
        for (size_t i = 0; i < numbered; ++i) {
            const uint8_t* e = root.data() + 16 + 8 * (named + i);
            if (LoadLE32(e) != type) continue;
            uint32_t target = LoadLE32(e + 4);
            if (!(target & kHighBit)) return LibStatus::Cascade;
            std::vector<uint8_t> dir;
            if (!ReadDirectory(target & ~kHighBit, &dir, false)) return LibStatus::ReadError;
            return groups ? WalkGroups(dir) : WalkImages(dir);
        }
        return LibStatus::Ok;
    }

    // The data of one resource: its directory entry leads through the language level to a data
    // entry. False with *status set when it does not.
    bool FindData(uint32_t target, uint64_t* position, uint64_t* size, LibStatus* status) {
        if (!(target & kHighBit)) return *status = LibStatus::Cascade, false;
        uint8_t lang[24];
        uint64_t at = 0;
        if (!MapInDirectory(target & ~kHighBit, &at) || !m_file.ReadAt(at, lang, sizeof lang))
            return *status = LibStatus::ReadError, false;
        if (LoadLE16(lang + 12) + LoadLE16(lang + 14) == 0)
            return *status = LibStatus::ReadError, false;
        uint32_t dataEntry = LoadLE32(lang + 20);
        if (dataEntry & kHighBit) return *status = LibStatus::Cascade, false;
        uint8_t data[16];
        if (!MapInDirectory(dataEntry, &at) || !m_file.ReadAt(at, data, sizeof data))
            return *status = LibStatus::ReadError, false;
        // The data's address is relative to the image; its own section maps it to the file.
        if (!Map(LoadLE32(data), position)) return *status = LibStatus::ReadError, false;
        *size = LoadLE32(data + 4);
        return true;
    }

    LibStatus WalkGroups(const std::vector<uint8_t>& dir) {
        size_t count = size_t{LoadLE16(dir.data() + 12)} + LoadLE16(dir.data() + 14);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* e = dir.data() + 16 + 8 * i;
            GroupRef g;
            LibStatus st = LibStatus::Ok;
            if (!FindData(LoadLE32(e + 4), &g.offset, &g.size, &st)) return st;
            uint32_t name = LoadLE32(e);
            if (name & kHighBit) {
                g.named = true;
                uint64_t at = 0;
                uint8_t length[2] = {};
                size_t chars = MapInDirectory(name & ~kHighBit, &at) && m_file.ReadAt(at, length, 2)
                                   ? LoadLE16(length)
                                   : 0;
                std::vector<uint8_t> text(2 * chars);
                if (chars == 0 || !m_file.ReadAt(at + 2, text.data(), text.size())) text.clear();
                // A name that does not fit the 15-character field stays unconverted.
                if (chars >= 1 && chars <= 15 && !text.empty())
                    g.resourceName = NarrowName(text, chars);
                g.fullName = Utf8Name(text);
            } else {
                g.resourceId = name;
            }
            m_out->groups.push_back(std::move(g));
        }
        return LibStatus::Ok;
    }

    LibStatus WalkImages(const std::vector<uint8_t>& dir) {
        size_t named = LoadLE16(dir.data() + 12), numbered = LoadLE16(dir.data() + 14);
        for (size_t i = 0; i < numbered; ++i) {
            const uint8_t* e = dir.data() + 16 + 8 * (named + i);
            ImageRef image;
            LibStatus st = LibStatus::Ok;
            if (!FindData(LoadLE32(e + 4), &image.offset, &image.size, &st)) return st;
            image.resourceId = static_cast<uint16_t>(LoadLE32(e));
            m_out->images.push_back(image);
        }
        return LibStatus::Ok;
    }

    CachedFile& m_file;
    ModuleResources* m_out;
    std::vector<Section> m_sections;
    uint64_t m_directoryAddress = 0;
};

}  // namespace

LibStatus WalkModuleResources(CachedFile& file, ModuleResources* out) {
    *out = ModuleResources{};
    uint8_t pointer[4];
    if (!file.ReadAt(60, pointer, 4)) return LibStatus::ReadError;
    out->headerOffset = LoadLE32(pointer);
    std::vector<uint8_t> header(kHeaderRead);
    header.resize(file.ReadSomeAt(out->headerOffset, header.data(), header.size()));
    // An NE header is 64 bytes; a library holding one small icon ends less than 440 bytes after
    // it, so only the PE branch asks for the longer header.
    if (header.size() < kNeHeaderSize) return LibStatus::ReadError;
    if (header[0] == 'N' && header[1] == 'E') {
        out->isNE = true;
        return WalkNe(file, out, header);
    }
    if (header[0] == 'P' && header[1] == 'E' && header.size() >= kMinHeader)
        return PeWalker(file, out).Walk(header);
    return LibStatus::ReadError;
}

}  // namespace vt
