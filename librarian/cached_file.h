#pragma once
// A read-only source file seen through a few 64 KB windows. Resource tables, language entries, data
// entries and image blocks of a module each lie close together; reading them through the windows
// costs a few large reads instead of a seek and a read for every small record. There are several
// windows because a resource walk reads from those areas in turn, and one window would be reloaded
// at every step.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"

namespace vt {

class CachedFile {
  public:
    bool Open(const std::string& path);
    void Close() { m_file.Close(); }
    uint64_t size() const { return m_file.size(); }
    // Exactly n bytes at offset, or false.
    bool ReadAt(uint64_t offset, void* out, size_t n);
    // Up to n bytes at offset; how many were there.
    size_t ReadSomeAt(uint64_t offset, void* out, size_t n);

  private:
    static constexpr size_t kWindow = 1 << 16;
    static constexpr size_t kWindows = 4;
    struct Window {
        std::vector<uint8_t> bytes;
        uint64_t start = 0;
        uint64_t lastUse = 0;
    };
    InputFile m_file;
    std::array<Window, kWindows> m_windows;
    uint64_t m_clock = 0;
};

}  // namespace vt
