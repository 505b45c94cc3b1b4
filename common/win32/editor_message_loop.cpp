#include "common/win32/editor_message_loop.h"

namespace vt {

bool EditFieldOwnsKey(const MSG& msg, bool ctrlDown) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    char cls[16] = {};
    if (!msg.hwnd || !GetClassNameA(msg.hwnd, cls, sizeof cls) || lstrcmpiA(cls, "Edit") != 0)
        return false;
    switch (msg.wParam) {
        case VK_DELETE:
        case VK_BACK:  // Alt+Backspace too: the edit field's own undo
        case VK_INSERT:
            return true;
        case 'A': case 'C': case 'V': case 'X': case 'Y': case 'Z':
            return ctrlDown;
        default:
            return false;
    }
}

bool TranslateFrameAccelerator(HWND frame, HACCEL accelerators, MSG* msg) {
    if (!accelerators || !frame) return false;
    if (EditFieldOwnsKey(*msg, GetKeyState(VK_CONTROL) < 0)) return false;
    return TranslateAcceleratorA(frame, accelerators, msg) != 0;
}

int RunEditorMessageLoop(HWND frame, HACCEL accelerators) {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateFrameAccelerator(frame, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace vt
