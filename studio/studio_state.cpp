#include "studio/studio_state.h"

#include <cstring>

#include "common/byte_reader.h"

namespace vt {

namespace {
constexpr size_t kFontOffset = 844;
constexpr size_t kOpenTypeOffset = 904;
constexpr size_t kSaveAsTypeOffset = 908;
constexpr int32_t kLastFileType = 4;

int32_t ValidFileType(int32_t type) { return type >= 0 && type <= kLastFileType ? type : 0; }
}  // namespace

std::array<uint8_t, kStudioStateSize> EncodeStudioState(const StudioState& s) {
    std::array<uint8_t, kStudioStateSize> out{};
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

StudioState DecodeStudioState(std::span<const uint8_t> bytes) {
    StudioState s;
    if (bytes.size() != kStudioStateSize) return s;
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
    s.openFileType = ValidFileType(static_cast<int32_t>(LoadLE32(&bytes[kOpenTypeOffset])));
    s.saveAsFileType = ValidFileType(static_cast<int32_t>(LoadLE32(&bytes[kSaveAsTypeOffset])));
    return s;
}

}  // namespace vt
