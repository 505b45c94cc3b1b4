#include "librarian/librarian_state.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace vt {
namespace {

// Larger than any screen a frame could be dragged to.
constexpr int32_t kMaxFrameSide = 16384;

bool OnAMonitor(const LibrarianState& s, std::span<const ScreenRect> monitors) {
    int64_t right = int64_t{s.x} + s.width, bottom = int64_t{s.y} + s.height;
    for (const ScreenRect& m : monitors)
        if (s.x < m.right && right > m.left && s.y < m.bottom && bottom > m.top) return true;
    return false;
}

}  // namespace

std::vector<uint8_t> StoreLibrarianState(const LibrarianState& state) {
    ByteWriter w;
    w.I32(state.x);
    w.I32(state.y);
    w.I32(state.width);
    w.I32(state.height);
    w.U32(state.toolbarHidden ? 1 : 0);
    w.U32(state.statusBarHidden ? 1 : 0);
    w.U32(static_cast<uint32_t>(state.view));
    return w.Take();
}

LibrarianState LoadLibrarianState(std::span<const uint8_t> bytes,
                                  std::span<const ScreenRect> monitors) {
    LibrarianState s;
    if (bytes.size() != kLibrarianStateSize) return {};
    ByteReader r(bytes);
    s.x = r.I32();
    s.y = r.I32();
    s.width = r.I32();
    s.height = r.I32();
    s.toolbarHidden = r.U32() != 0;
    s.statusBarHidden = r.U32() != 0;
    uint32_t view = r.U32();
    if (!r.ok() || view > kViewWindows) return {};
    s.view = view == 0 ? kViewWindows : static_cast<int>(view);
    s.hasPlace = s.width > 0 && s.height > 0 && s.width <= kMaxFrameSide &&
                 s.height <= kMaxFrameSide && OnAMonitor(s, monitors);
    if (!s.hasPlace) s.x = s.y = s.width = s.height = 0;
    return s;
}

}  // namespace vt
