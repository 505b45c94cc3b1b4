#pragma once
// A read-only source file seen through one 64 KB window. Resource tables, language entries, data
// entries and image blocks of a module lie close together; reading them through the window costs a
// few large reads instead of a seek and a read for every small record.

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
    InputFile m_file;
    std::vector<uint8_t> m_window;
    uint64_t m_windowStart = 0;
};

}  // namespace vt
