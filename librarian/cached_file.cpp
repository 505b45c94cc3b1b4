#include "librarian/cached_file.h"

#include <algorithm>
#include <cstring>

namespace vt {

bool CachedFile::Open(const std::string& path) {
    m_window.clear();
    m_windowStart = 0;
    return m_file.Open(path);
}

size_t CachedFile::ReadSomeAt(uint64_t offset, void* out, size_t n) {
    if (offset >= m_file.size() || n == 0) return 0;
    n = static_cast<size_t>(std::min<uint64_t>(n, m_file.size() - offset));
    if (n > kWindow / 2) return m_file.ReadSomeAt(offset, out, n);
    bool inside = offset >= m_windowStart && offset - m_windowStart + n <= m_window.size();
    if (!inside) {
        m_window.resize(kWindow);
        m_window.resize(m_file.ReadSomeAt(offset, m_window.data(), kWindow));
        m_windowStart = offset;
        if (m_window.size() < n) n = m_window.size();
    }
    std::memcpy(out, m_window.data() + (offset - m_windowStart), n);
    return n;
}

bool CachedFile::ReadAt(uint64_t offset, void* out, size_t n) {
    if (offset > m_file.size() || n > m_file.size() - offset) return false;
    return ReadSomeAt(offset, out, n) == n;
}

}  // namespace vt
