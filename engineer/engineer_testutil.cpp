#include "engineer/engineer_testutil.h"

#include "librarian/librarian_testutil.h"

namespace vt::test {

LibStatus MemoryIconGroups::BuildIconFile(const std::string& path, int index, std::vector<uint8_t>* out) {
    ++calls;
    TempFolder folder;
    std::string real = folder.Write("source.bin", m_files.Bytes(path));
    LibrarianIconGroups librarian;
    return librarian.BuildIconFile(real, index, out);
}

std::vector<uint8_t> IconBlock(int width, int height, int bits, uint8_t fill) { return MakeDib(width, height, bits, fill); }

std::vector<uint8_t> IconFile(const std::vector<std::vector<uint8_t>>& blocks) { return MakeIco(blocks); }

std::vector<uint8_t> ProgramWithIcons(const std::vector<std::vector<std::vector<uint8_t>>>& groups) {
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
