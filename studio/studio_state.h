#pragma once
// The Studio's persistent state: one 912-byte record of 32-bit little-endian fields, stored as
// the binary setting "State" of the key "Persistent".

#include <array>
#include <cstdint>
#include <span>

namespace vt {

inline constexpr size_t kStudioStateSize = 912;
inline constexpr size_t kLogFontSize = 60;

struct StudioState {
    int32_t frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
    int32_t paletteLeft = 0, paletteTop = 0;
    // A non-zero preview left also means that saved window positions exist at all.
    int32_t previewLeft = 0, previewTop = 0;
    int32_t textLeft = 0, textTop = 0;
    bool toolBarHidden = false;
    bool statusBarHidden = false;
    bool paletteHidden = false;
    bool previewHidden = false;
    bool gridShown = false;
    // The text tool's font, a LOGFONT record as the system lays it out; all zero until chosen.
    std::array<uint8_t, kLogFontSize> textFont{};
    int32_t openFileType = 0;    // last type chosen in the Open dialog, 0 = none
    int32_t saveAsFileType = 0;  // last type chosen in the Save As dialog, 0 = none

    bool HasSavedPositions() const { return previewLeft != 0; }
};

std::array<uint8_t, kStudioStateSize> EncodeStudioState(const StudioState& state);
// Reads a stored record. A record of any other size is ignored (the defaults stand), as are file
// types outside 0..4: the setting is untrusted input.
StudioState DecodeStudioState(std::span<const uint8_t> bytes);

}  // namespace vt
