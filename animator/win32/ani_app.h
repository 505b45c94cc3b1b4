#pragma once
// Program-wide state of the Animator: one instance per process, filled in by start-up.

#include <windows.h>

#include <array>
#include <string>

#include "common/editor_launch.h"
#include "common/editor_state.h"
#include "common/mru_list.h"
#include "common/win32/window_picture.h"
#include "image/palette_state.h"

namespace vt {
class Animation;
}

namespace vt::animator {

inline constexpr const char kProgramTitle[] = "Vantoro Animator";
inline constexpr const char kSection[] = "Animator";
inline constexpr char kFrameClass[] = "ANIFrame";
inline constexpr char kPaletteClass[] = "ANIPAlette";
inline constexpr char kPreviewClass[] = "ANIPreview";
inline constexpr char kTextClass[] = "ANIText";

struct AnimatorApp {
    HINSTANCE instance = nullptr;
    std::string programFolder;
    bool multiByte = false;

    // The display, measured once at start-up.
    int screenWidth = 0, screenHeight = 0;
    int32_t displayCode = 1024;

    EditorCommandLine commandLine;
    bool sessionMode = false;

    PaletteState palettes;
    EditorState state;
    MruList mru;
    bool colorBTransparent = false;

    HFONT dialogFont = nullptr;
    HFONT statusFont = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    // Tool cursors 60 to 68.
    std::array<HCURSOR, 9> cursors{};
    HWND frame = nullptr;
    // Window pictures for the tests, answered only when the harness enabled them at start-up.
    WindowPictureHook pictures;
};

extern AnimatorApp g_app;

}  // namespace vt::animator
