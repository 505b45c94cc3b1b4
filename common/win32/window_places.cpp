#include "common/win32/window_places.h"

#include <algorithm>

namespace vt {

void TakeWindowPlaces(EditorState& s, HWND frame, HWND palette, HWND preview) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(frame, &wp);
    const RECT& f = wp.rcNormalPosition;
    s.frameLeft = f.left;
    s.frameTop = f.top;
    s.frameWidth = f.right - f.left;
    s.frameHeight = f.bottom - f.top;
    RECT r;
    if (palette && GetWindowRect(palette, &r)) {
        s.paletteLeft = r.left;
        s.paletteTop = r.top;
    }
    if (preview && GetWindowRect(preview, &r)) {
        s.previewLeft = r.left;
        s.previewTop = r.top;
    }
}

FrameMetrics SystemFrameMetrics(int screenWidth, int screenHeight) {
    FrameMetrics m;
    m.screenWidth = screenWidth;
    m.screenHeight = screenHeight;
    m.frameBorder = GetSystemMetrics(SM_CXFRAME);
    m.caption = GetSystemMetrics(SM_CYCAPTION);
    m.menu = GetSystemMetrics(SM_CYMENU);
    return m;
}

ToolWindowPlaces StartingToolWindowPlaces(const EditorState& s, const RECT& frame, int screenWidth,
                                          int screenHeight) {
    auto place = [&](int savedX, int savedY, int defX) {
        if (!s.HasSavedPositions()) return POINT{defX, frame.top};
        const Rect32 r = ClampToScreen({savedX, savedY, 120, 120}, screenWidth, screenHeight);
        return POINT{r.left, r.top};
    };
    return {place(s.paletteLeft, s.paletteTop, std::max(0, static_cast<int>(frame.left) - 190)),
            place(s.previewLeft, s.previewTop, std::max(0, static_cast<int>(frame.left) - 290))};
}

}  // namespace vt
