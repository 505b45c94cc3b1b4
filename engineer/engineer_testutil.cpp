#include "engineer/engineer_testutil.h"

#include "librarian/librarian_testutil.h"

namespace vt::test {

LibStatus MemoryIconGroups::BuildIconFile(const std::string& path, int index,
                                          std::vector<uint8_t>* out) {
    ++calls;
    TempFolder folder;
    std::string real = folder.Write("source.bin", m_files.Bytes(path));
    LibrarianIconGroups librarian;
    return librarian.BuildIconFile(real, index, out);
}

std::vector<uint8_t> IconBlock(int width, int height, int bits, bool blank) {
    auto block = MakeDib(width, height, bits);
    if (!blank) return block;
    // Every visible mask bit set; the row padding stays 0, as it is never looked at.
    size_t stride = static_cast<size_t>((width + 31) / 32) * 4;
    size_t mask = block.size() - stride * static_cast<size_t>(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            block[mask + static_cast<size_t>(y) * stride + static_cast<size_t>(x / 8)] |=
                static_cast<uint8_t>(0x80 >> (x % 8));
    return block;
}

std::vector<uint8_t> IconFile(const std::vector<std::vector<uint8_t>>& blocks) {
    return MakeIco(blocks);
}

std::vector<uint8_t> ProgramWithIcons(
    const std::vector<std::vector<std::vector<uint8_t>>>& groups) {
    std::vector<PeResource> resources;
    uint16_t nextImage = 1;
    uint32_t groupId = 100;
    for (const auto& blocks : groups) {
        std::vector<uint16_t> ids;
        for (const auto& b : blocks) {
            ids.push_back(nextImage);
            resources.push_back({3, nextImage++, {}, b});
        }
        resources.push_back({14, groupId++, {}, MakeGroup(blocks, ids)});
    }
    return MakePe(resources);
}

}  // namespace vt::test
