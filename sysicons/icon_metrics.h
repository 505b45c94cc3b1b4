#pragma once
// The system's icon metrics as the Engineer edits them: spacings, title wrap and the icon title
// font, and their 76-byte system record (four 32-bit fields and a 60-byte logical font).
// Called by the Win32 shell adapter (GetIconMetrics) and the Engineer's System page.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vt {

// The logical font inside the system's icon metrics, field by field (60 bytes on the system).
struct TitleFont {
    int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 400;
    uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
    uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    std::string faceName;  // at most 31 characters
};

struct IconMetrics {
    int horizontalSpacing = 75;
    int verticalSpacing = 75;
    int titleWrap = 1;
    TitleFont font;
};

constexpr size_t kIconMetricsSize = 76;
constexpr size_t kLogFontSize = 60;
constexpr size_t kFaceNameSize = 32;

// Reads the record; nothing when it is not 76 bytes or its size field does not say 76. A face
// name without a terminator inside its 32 bytes is cut at 31 characters.
std::optional<IconMetrics> DecodeIconMetrics(std::span<const uint8_t> record);
std::array<uint8_t, kIconMetricsSize> EncodeIconMetrics(const IconMetrics& metrics);

}  // namespace vt
