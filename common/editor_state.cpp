#include "common/editor_state.h"

#include <algorithm>
#include <cstring>

#include "common/byte_reader.h"

namespace vt {

namespace {
constexpr size_t kFontOffset = 844;
constexpr size_t kOpenTypeOffset = 904;
constexpr size_t kSaveAsTypeOffset = 908;
}  // namespace

std::array<uint8_t, kEditorStateSize> EncodeEditorState(const EditorState& s) {
    std::array<uint8_t, kEditorStateSize> out{};
    const int32_t fields[] = {s.frameLeft,     s.frameTop,        s.frameWidth,    s.frameHeight,
                              s.paletteLeft,   s.paletteTop,      s.previewLeft,   s.previewTop,
                              s.textLeft,      s.textTop,         s.toolBarHidden, s.statusBarHidden,
                              s.paletteHidden, s.previewHidden,   s.gridShown};
    for (size_t i = 0; i < std::size(fields); ++i) StoreLE32(&out[i * 4], static_cast<uint32_t>(fields[i]));
    std::memcpy(&out[kFontOffset], s.textFont.data(), kLogFontSize);
    StoreLE32(&out[kOpenTypeOffset], static_cast<uint32_t>(s.openFileType));
    StoreLE32(&out[kSaveAsTypeOffset], static_cast<uint32_t>(s.saveAsFileType));
    return out;
}

EditorState DecodeEditorState(std::span<const uint8_t> bytes, int32_t lastFileType) {
    EditorState s;
    if (bytes.size() != kEditorStateSize) return s;
    auto validType = [&](int32_t type) { return type >= 0 && type <= lastFileType ? type : 0; };
    ByteReader r(bytes);
    s.frameLeft = r.I32();
    s.frameTop = r.I32();
    s.frameWidth = r.I32();
    s.frameHeight = r.I32();
    s.paletteLeft = r.I32();
    s.paletteTop = r.I32();
    s.previewLeft = r.I32();
    s.previewTop = r.I32();
    s.textLeft = r.I32();
    s.textTop = r.I32();
    s.toolBarHidden = r.U32() != 0;
    s.statusBarHidden = r.U32() != 0;
    s.paletteHidden = r.U32() != 0;
    s.previewHidden = r.U32() != 0;
    s.gridShown = r.U32() != 0;
    std::memcpy(s.textFont.data(), &bytes[kFontOffset], kLogFontSize);
    s.openFileType = validType(static_cast<int32_t>(LoadLE32(&bytes[kOpenTypeOffset])));
    s.saveAsFileType = validType(static_cast<int32_t>(LoadLE32(&bytes[kSaveAsTypeOffset])));
    return s;
}

Rect32 DefaultFramePlacement(const FrameMetrics& m, bool toolBarShown, int clientWidth,
                             int clientHeight) {
    Rect32 r;
    r.width = 2 * m.frameBorder + clientWidth;
    r.height = m.caption + m.menu + 2 * m.frameBorder + clientHeight + (toolBarShown ? 36 : 8);
    r.left = m.screenWidth - 2 * m.frameBorder - r.width - 182;
    r.top = (m.screenHeight - r.height) / 2;
    return r;
}

Rect32 ClampToScreen(Rect32 r, int screenWidth, int screenHeight) {
    r.left = std::clamp(r.left, 0, std::max(0, screenWidth - r.width));
    r.top = std::clamp(r.top, 0, std::max(0, screenHeight - r.height));
    return r;
}

Rect32 StartingFramePlace(const EditorState& s, const FrameMetrics& m, int clientWidth, int clientHeight) {
    if (s.HasSavedPositions() && s.frameWidth > 0 && s.frameHeight > 0)
        return ClampToScreen({s.frameLeft, s.frameTop, s.frameWidth, s.frameHeight}, m.screenWidth, m.screenHeight);
    return DefaultFramePlacement(m, !s.toolBarHidden, clientWidth, clientHeight);
}

}  // namespace vt
