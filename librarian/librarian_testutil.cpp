#include "librarian/librarian_testutil.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "common/byte_writer.h"
#include "librarian/workspace.h"

namespace vt::test {

std::vector<uint8_t> MakeDib(int width, int height, int bits, uint8_t fill) {
    int colors = bits <= 8 ? 1 << bits : 0;
    int xorStride = ((width * bits + 31) / 32) * 4;
    int andStride = ((width + 31) / 32) * 4;
    ByteWriter w;
    w.U32(40);
    w.I32(width);
    w.I32(height * 2);
    w.U16(1);
    w.U16(static_cast<uint16_t>(bits));
    w.U32(0);
    w.U32(static_cast<uint32_t>((xorStride + andStride) * height));
    w.Zeros(16);
    for (int i = 0; i < colors; ++i) w.U32(static_cast<uint32_t>(i * 0x010101));
    std::vector<uint8_t> pixels(static_cast<size_t>(xorStride * height), fill);
    w.Bytes(pixels);
    w.Zeros(static_cast<size_t>(andStride * height));
    return w.Take();
}

std::vector<uint8_t> MakeIco(const std::vector<std::vector<uint8_t>>& blocks) {
    ByteWriter w;
    w.U16(0);
    w.U16(1);
    w.U16(static_cast<uint16_t>(blocks.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * blocks.size());
    for (const auto& b : blocks) {
        int32_t width = static_cast<int32_t>(b[4] | b[5] << 8);
        int32_t height = static_cast<int32_t>(b[8] | b[9] << 8) / 2;
        int bits = b[14];
        w.U8(static_cast<uint8_t>(width));
        w.U8(static_cast<uint8_t>(height));
        w.U8(bits == 1 ? 2 : bits == 4 ? 16 : 0);
        w.U8(0);
        w.U16(1);
        w.U16(static_cast<uint16_t>(bits));
        w.U32(static_cast<uint32_t>(b.size()));
        w.U32(offset);
        offset += static_cast<uint32_t>(b.size());
    }
    for (const auto& b : blocks) w.Bytes(b);
    return w.Take();
}

std::vector<uint8_t> MakeGroup(const std::vector<std::vector<uint8_t>>& blocks,
                               const std::vector<uint16_t>& ids) {
    ByteWriter w;
    w.U16(0);
    w.U16(1);
    w.U16(static_cast<uint16_t>(blocks.size()));
    for (size_t i = 0; i < blocks.size(); ++i) {
        const auto& b = blocks[i];
        int bits = b[14];
        w.U8(b[4]);
        w.U8(static_cast<uint8_t>((b[8] | b[9] << 8) / 2));
        w.U8(bits == 1 ? 2 : bits == 4 ? 16 : 0);
        w.U8(0);
        w.U16(1);
        w.U16(static_cast<uint16_t>(bits));
        w.U32(static_cast<uint32_t>(b.size()));
        w.U16(ids[i]);
    }
    return w.Take();
}

std::vector<uint8_t> MakeManyImagesPe(uint32_t images) {
    auto block = MakeDib(1, 1, 1);
    std::vector<PeResource> resources;
    for (uint32_t first = 1; first <= images; first += 20) {
        std::vector<std::vector<uint8_t>> blocks;
        std::vector<uint16_t> ids;
        for (uint32_t id = first; id < first + 20 && id <= images; ++id)
            blocks.push_back(block), ids.push_back(static_cast<uint16_t>(id));
        resources.push_back({14, first, {}, MakeGroup(blocks, ids)});
    }
    for (uint32_t id = 1; id <= images; ++id) resources.push_back({3, id, {}, block});
    return MakePe(resources);
}

std::vector<uint8_t> MakePe(const std::vector<PeResource>& resources, bool plus) {
    PeLayout layout;
    layout.plus = plus;
    return MakePe(resources, layout);
}

std::vector<uint8_t> MakePe(const std::vector<PeResource>& resources, const PeLayout& layout) {
    constexpr uint32_t kPe = 64, kRaw = 0x400, kSectionVa = 0x3000;
    const bool plus = layout.plus;
    // Every address below is relative to the directory's start, which lies this far into the
    // section.
    const uint32_t lead = layout.directoryOffset;
    const uint32_t kVa = kSectionVa + lead;
    const uint16_t optionalSize = plus ? 240 : 224;
    // Types in first-seen order, each with its resources.
    std::vector<uint16_t> types;
    std::map<uint16_t, std::vector<const PeResource*>> byType;
    for (const auto& r : resources) {
        if (!byType.count(r.type)) types.push_back(r.type);
        byType[r.type].push_back(&r);
    }
    // Section layout: root, type directories, language directories, data entries, names, data.
    uint32_t at = 16 + 8 * static_cast<uint32_t>(types.size());
    std::map<uint16_t, uint32_t> typeDir;
    for (uint16_t t : types)
        typeDir[t] = at, at += 16 + 8 * static_cast<uint32_t>(byType[t].size());
    std::map<const PeResource*, uint32_t> langDir, dataEntry, nameAt, dataAt;
    for (const auto& r : resources) langDir[&r] = at, at += 24;
    for (const auto& r : resources) dataEntry[&r] = at, at += 16;
    for (const auto& r : resources)
        if (!r.name.empty()) nameAt[&r] = at, at += 2 + 2 * static_cast<uint32_t>(r.name.size());
    at = (at + 3) & ~3u;
    for (const auto& r : resources)
        dataAt[&r] = at, at = (at + static_cast<uint32_t>(r.data.size()) + 3) & ~3u;
    const uint32_t sectionSize =
        (lead + at + 511) & ~511u;  // file alignment, as linkers pad sections

    ByteWriter s;
    s.Zeros(lead);
    s.Zeros(12);
    s.U16(0);
    s.U16(static_cast<uint16_t>(types.size()));
    for (uint16_t t : types) s.U32(t), s.U32(0x80000000u | typeDir[t]);
    for (uint16_t t : types) {
        const auto& list = byType[t];
        uint16_t named = 0;
        for (auto* r : list) named += !r->name.empty();
        s.Zeros(12);
        s.U16(named);
        s.U16(static_cast<uint16_t>(list.size() - named));
        for (auto* r : list)
            if (!r->name.empty()) s.U32(0x80000000u | nameAt[r]), s.U32(0x80000000u | langDir[r]);
        for (auto* r : list)
            if (r->name.empty()) s.U32(r->id), s.U32(0x80000000u | langDir[r]);
    }
    for (const auto& r : resources)
        s.Zeros(12), s.U16(0), s.U16(1), s.U32(0x409), s.U32(dataEntry[&r]);
    for (const auto& r : resources)
        s.U32(kVa + dataAt[&r]), s.U32(static_cast<uint32_t>(r.data.size())), s.Zeros(8);
    for (const auto& r : resources) {
        if (r.name.empty()) continue;
        s.U16(static_cast<uint16_t>(r.name.size()));
        for (char16_t c : r.name) s.U16(c);
    }
    for (const auto& r : resources) {
        s.Zeros(lead + dataAt[&r] - s.size());
        s.Bytes(r.data);
    }
    s.Zeros(sectionSize - s.size());

    ByteWriter w;
    w.Text("MZ");
    w.Zeros(58);
    w.U32(kPe);
    w.Text("PE");
    w.Zeros(2);
    w.U16(plus ? 0x8664 : 0x14C);
    w.U16(1);  // sections
    w.Zeros(12);
    w.U16(optionalSize);
    w.U16(0x2102);
    size_t optional = w.size();
    w.U16(plus ? 0x20B : 0x10B);
    w.Zeros(optionalSize - 2);
    // SizeOfHeaders, an export directory (so a reader that takes the wrong directory notices) and
    // the resource data directory.
    w.PatchU32(optional + 60, kRaw);
    w.PatchU32(optional + (plus ? 112 : 96), 0x1000);
    w.PatchU32(optional + (plus ? 112 : 96) + 16, kVa);
    w.PatchU32(optional + (plus ? 112 : 96) + 20, sectionSize - lead);
    std::string name = layout.sectionName.substr(0, 8);
    w.Text(name);
    w.Zeros(8 - name.size());
    w.U32(sectionSize);
    w.U32(kSectionVa);
    w.U32(sectionSize);
    w.U32(kRaw);
    w.Zeros(16);
    w.Zeros(kRaw - w.size());
    w.Bytes(s.bytes());
    return w.Take();
}

// Everything an edit may change except the workspace file's length (bytes written before a
// failure stay there unused).
std::string DescribeWorkspace(const Workspace& ws) {
    std::ostringstream o;
    for (const IconEntry& i : ws.icons())
        o << "icon " << i.serial << ' ' << i.x << ',' << i.y << ' ' << i.cellWidth << 'x'
          << i.cellHeight << ' ' << i.previous << '/' << i.next << ' ' << int{i.imageCount} << ' '
          << Workspace::ShownName(i) << '\n';
    for (const FormatEntry& f : ws.formats())
        o << "format " << int{f.width} << 'x' << int{f.height} << ' ' << f.bitCount << ' '
          << f.bytesInResource << ' ' << f.imageNumber << ' ' << f.owner << '\n';
    for (const ImageEntry& m : ws.images())
        o << "image " << m.workspaceOffset << ' ' << m.sourceOffset << ' ' << m.size << ' '
          << m.resourceId << ' ' << m.width << 'x' << m.height << ' ' << m.colorCode << ' '
          << m.pending << '\n';
    for (const FormatTally& t : ws.tallies())
        o << "tally " << t.width << 'x' << t.height << ' ' << t.colorCode << ' ' << t.count << '\n';
    o << "head " << ws.head() << " tail " << ws.tail() << " serial " << ws.nextSerial()
      << " modified " << ws.modified() << '\n';
    return o.str();
}

TempFolder::TempFolder() {
#ifdef _WIN32
    // The Wine tests build their fixtures with these helpers too.
    std::error_code ec;
    for (unsigned n = 0; n < 1000 && m_path.empty(); ++n) {
        auto p = std::filesystem::temp_directory_path(ec) /
                 ("vtlib" + std::to_string(static_cast<unsigned>(std::rand()) * 1000u + n));
        if (std::filesystem::create_directory(p, ec)) m_path = p.string();
    }
#else
    std::string templ = (std::filesystem::temp_directory_path() / "vtlibXXXXXX").string();
    char* made = mkdtemp(templ.data());
    m_path = made ? made : "";
#endif
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

std::string TempFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::string p = File(name);
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return p;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(path, ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> WineProgramFiles() {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(kWineProgramFolder, ec)) {
        std::string ext = e.path().extension().string();
        if (ext == ".dll" || ext == ".exe") paths.push_back(e.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace vt::test
