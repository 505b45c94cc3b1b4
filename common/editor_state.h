#pragma once
// An editor's persistent window state (the Studio's and the Animator's "State" setting): one
// 912-byte record of 32-bit little-endian fields, and where the frame goes without one.
//
// Layout: 0 frame left, top, width, height; 16 palette left, top; 24 preview left, top; 32 text
// window left, top; 40 tool bar, status bar, palette, preview hidden, grid shown (0/1); 60-843
// zero; 844 the text tool's LOGFONT (60 bytes); 904 last Open file type; 908 last Save As type.

#include <array>
#include <cstdint>
#include <span>

namespace vt {

inline constexpr size_t kEditorStateSize = 912;
inline constexpr size_t kLogFontSize = 60;

struct EditorState {
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

std::array<uint8_t, kEditorStateSize> EncodeEditorState(const EditorState& state);
// Reads a stored record. A record of any other size is ignored (the defaults stand), as are file
// types outside 0..lastFileType: the setting is untrusted input.
EditorState DecodeEditorState(std::span<const uint8_t> bytes, int32_t lastFileType);

struct Rect32 {
    int left = 0, top = 0, width = 0, height = 0;
};

struct FrameMetrics {
    int screenWidth = 0, screenHeight = 0;
    int frameBorder = 0;  // SM_CXFRAME
    int caption = 0, menu = 0;
};

// The frame's default place for a client area of clientWidth x clientHeight below the tool bar
// (36 pixels, 8 without it): right of the screen with room for the palette window beside it,
// centred vertically.
Rect32 DefaultFramePlacement(const FrameMetrics& m, bool toolBarShown, int clientWidth,
                             int clientHeight);
// A saved window position moved back onto the screen when it lies (partly) off it.
Rect32 ClampToScreen(Rect32 r, int screenWidth, int screenHeight);
// Where the frame goes at start-up: its saved place moved onto the screen, or the default place
// when none was saved.
Rect32 StartingFramePlace(const EditorState& state, const FrameMetrics& m, int clientWidth, int clientHeight);

}  // namespace vt
