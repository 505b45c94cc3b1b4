#pragma once
// Program-wide state of the Studio: one instance per process, filled in by start-up.

#include <windows.h>

#include <array>
#include <string>

#include "common/win32/window_picture.h"
#include "image/icon_resource.h"
#include "image/palette_state.h"
#include "common/mru_list.h"
#include "studio/studio_launch.h"
#include "common/editor_state.h"

namespace vt::studio {

inline constexpr const char kProgramTitle[] = "Vantoro Studio";
inline constexpr const char kSection[] = "Studio";

struct StudioApp {
    HINSTANCE instance = nullptr;
    std::string programFolder;
    bool multiByte = false;

    // The display, measured once at start-up.
    int fullWidth = 0, fullHeight = 0;
    int screenWidth = 0, screenHeight = 0;
    int logPixels = 96;
    bool paletteDisplay = false;
    int32_t displayCode = kTrueColor;

    EditorCommandLine commandLine;
    bool serverMode = false;
    bool formatsLocked = false;

    IconResource doc;
    PaletteState palettes;
    EditorState state;
    MruList mru;
    bool colorBTransparent = false;
    std::string thousands = ",";

    HFONT dialogFont = nullptr;
    HFONT statusFont = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    // Tool cursors 60 to 69.
    std::array<HCURSOR, 10> cursors{};
    HWND frame = nullptr;
    // Window pictures for the tests, answered only when the harness enabled them at start-up.
    WindowPictureHook pictures;
};

extern StudioApp g_app;

}  // namespace vt::studio
