#include "librarian/cached_file.h"

#include <algorithm>
#include <cstring>

namespace vt {

bool CachedFile::Open(const std::string& path) {
    for (Window& w : m_windows) w = Window{};
    m_clock = 0;
    return m_file.Open(path);
}

size_t CachedFile::ReadSomeAt(uint64_t offset, void* out, size_t n) {
    if (offset >= m_file.size() || n == 0) return 0;
    n = static_cast<size_t>(std::min<uint64_t>(n, m_file.size() - offset));
    if (n > kWindow / 2) return m_file.ReadSomeAt(offset, out, n);
    Window* use = nullptr;
    for (Window& w : m_windows)
        if (offset >= w.start && offset - w.start + n <= w.bytes.size()) use = &w;
    if (!use) {
        // The window used longest ago moves to the new place.
        use = &*std::min_element(
            m_windows.begin(), m_windows.end(),
            [](const Window& a, const Window& b) { return a.lastUse < b.lastUse; });
        use->bytes.resize(kWindow);
        use->bytes.resize(m_file.ReadSomeAt(offset, use->bytes.data(), kWindow));
        use->start = offset;
        if (use->bytes.size() < n) n = use->bytes.size();
    }
    use->lastUse = ++m_clock;
    std::memcpy(out, use->bytes.data() + (offset - use->start), n);
    return n;
}

bool CachedFile::ReadAt(uint64_t offset, void* out, size_t n) {
    if (offset > m_file.size() || n > m_file.size() - offset) return false;
    return ReadSomeAt(offset, out, n) == n;
}

}  // namespace vt
