#include "sysicons/icon_metrics.h"

#include "common/byte_reader.h"

namespace vt {

namespace {

int32_t I32(std::span<const uint8_t> b, size_t at) {
    return static_cast<int32_t>(LoadLE32(b.data() + at));
}

void PutI32(uint8_t* p, int32_t v) {
    StoreLE32(p, static_cast<uint32_t>(v));
}

}  // namespace

std::optional<IconMetrics> DecodeIconMetrics(std::span<const uint8_t> b) {
    if (b.size() != kIconMetricsSize || I32(b, 0) != static_cast<int32_t>(kIconMetricsSize))
        return std::nullopt;
    IconMetrics m;
    m.horizontalSpacing = I32(b, 4);
    m.verticalSpacing = I32(b, 8);
    m.titleWrap = I32(b, 12);
    TitleFont& f = m.font;
    f.height = I32(b, 16);
    f.width = I32(b, 20);
    f.escapement = I32(b, 24);
    f.orientation = I32(b, 28);
    f.weight = I32(b, 32);
    f.italic = b[36];
    f.underline = b[37];
    f.strikeOut = b[38];
    f.charSet = b[39];
    f.outPrecision = b[40];
    f.clipPrecision = b[41];
    f.quality = b[42];
    f.pitchAndFamily = b[43];
    const uint8_t* face = b.data() + 44;
    size_t n = 0;
    while (n < kFaceNameSize - 1 && face[n] != 0) ++n;
    f.faceName.assign(reinterpret_cast<const char*>(face), n);
    return m;
}

std::array<uint8_t, kIconMetricsSize> EncodeIconMetrics(const IconMetrics& m) {
    std::array<uint8_t, kIconMetricsSize> b{};
    const TitleFont& f = m.font;
    PutI32(&b[0], static_cast<int32_t>(kIconMetricsSize));
    PutI32(&b[4], m.horizontalSpacing);
    PutI32(&b[8], m.verticalSpacing);
    PutI32(&b[12], m.titleWrap);
    PutI32(&b[16], f.height);
    PutI32(&b[20], f.width);
    PutI32(&b[24], f.escapement);
    PutI32(&b[28], f.orientation);
    PutI32(&b[32], f.weight);
    const uint8_t bytes[8] = {f.italic,       f.underline,     f.strikeOut, f.charSet,
                              f.outPrecision, f.clipPrecision, f.quality,   f.pitchAndFamily};
    for (size_t i = 0; i < 8; ++i) b[36 + i] = bytes[i];
    for (size_t i = 0; i < f.faceName.size() && i < kFaceNameSize - 1; ++i)
        b[44 + i] = static_cast<uint8_t>(f.faceName[i]);
    return b;
}

}  // namespace vt
