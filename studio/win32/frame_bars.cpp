#include "studio/win32/frame_bars.h"

#include <vector>

#include "common/win32/frame_bars.h"
#include "studio/win32/resource.h"

namespace vt::studio {

HWND CreateStudioToolBar(HWND frame, HINSTANCE instance, bool formatsLocked) {
    std::vector<BarButton> buttons = {
        {0, IDM_FILE_NEW, true, false}, {1, IDM_FILE_OPEN, true, false}, {2, IDM_FILE_SAVE, false, false},
        kBarSeparator, kBarSeparator, kBarSeparator,
        {3, IDM_EDIT_UNDO, false, false}, {4, IDM_EDIT_REDO, false, false}, kBarSeparator,
        {5, IDM_EDIT_CUT, false, false}, {6, IDM_EDIT_COPY, false, false}, {7, IDM_EDIT_PASTE, false, false},
        kBarSeparator, kBarSeparator, kBarSeparator,
        {8, IDM_SCREEN_CAPTURE, true, false}, kBarSeparator, {9, IDM_SET_HOT_SPOT, true, true}};
    if (!formatsLocked) {
        buttons.push_back(kBarSeparator);
        buttons.push_back({10, IDM_NEW_FORMAT, true, false});
    }
    return CreateFrameToolBar(frame, instance, IDC_TOOLBAR, IDB_TOOLBAR, 11, buttons);
}

std::string StudioToolTip(HINSTANCE instance, int command, bool serverMode) {
    std::string tip = ToolTipText(instance, command);
    if (serverMode && (command == IDM_FILE_NEW || command == IDM_FILE_OPEN || command == IDM_FILE_SAVE))
        tip += " (not available in server mode)";
    return tip;
}

}  // namespace vt::studio
