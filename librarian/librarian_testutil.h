#pragma once
// Fixtures for the Librarian's tests: image blocks, icon files and PE files built in code, and a
// private temporary folder.

#include <cstdint>
#include <string>
#include <vector>

namespace vt {
class Workspace;
}

namespace vt::test {

// A DIB image block (40-byte header with doubled height, colour table, XOR and AND bits) whose
// pixel bytes are all `fill`.
std::vector<uint8_t> MakeDib(int width, int height, int bits, uint8_t fill = 0x11);
// An icon file holding the blocks in order.
std::vector<uint8_t> MakeIco(const std::vector<std::vector<uint8_t>>& blocks);

struct PeResource {
    uint16_t type = 0;
    uint32_t id = 0;  // used when name is empty
    std::u16string name;
    std::vector<uint8_t> data;
};
// Where a PE file keeps its resources: the name of the one section that holds them, and how far
// into that section the resource directory starts.
struct PeLayout {
    bool plus = false;  // PE32+ instead of PE32
    std::string sectionName = ".rsrc";
    uint32_t directoryOffset = 0;
};
// A PE file with one section holding the resources, grouped by type in the order given.
std::vector<uint8_t> MakePe(const std::vector<PeResource>& resources, const PeLayout& layout);
std::vector<uint8_t> MakePe(const std::vector<PeResource>& resources, bool plus = false);
// A crafted program file: `images` 1 × 1 monochrome images named by icon groups of 20 formats.
std::vector<uint8_t> MakeManyImagesPe(uint32_t images);
// An icon group directory entry list: one entry per (block, image id).
std::vector<uint8_t> MakeGroup(const std::vector<std::vector<uint8_t>>& blocks,
                               const std::vector<uint16_t>& ids);

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return m_path; }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::string File(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};

std::vector<uint8_t> ReadAll(const std::string& path);
// The names of the files in a folder, sorted.
std::vector<std::string> ListFolder(const std::string& path);

// Wine's own program files, real-world files to check the readers against where Wine is installed.
inline constexpr const char* kWineProgramFolder = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
// The paths of its .dll and .exe files, sorted.
std::vector<std::string> WineProgramFiles();

// Every table field, the display chain, the counters and the modified flag of a workspace, as
// text: what an edit or a save may change, except the workspace file's length (bytes written
// before a failure stay there unused).
std::string DescribeWorkspace(const Workspace& ws);

}  // namespace vt::test
