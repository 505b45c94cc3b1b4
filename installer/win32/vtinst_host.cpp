// A stand-in for the Librarian in the installer library's tests: a top-level owner window, the
// library loaded by name as the Librarian loads it, InstallIcon called with the folder from the
// command line, and its result as the exit code (0x100 added when the owner was left disabled). The
// owner answers window-picture requests (when the harness enabled them) with the open dialog on
// top.

#include <windows.h>

#include "common/win32/window_picture.h"

namespace {

const vt::WindowPictureHook* g_pictures = nullptr;

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA && g_pictures) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        return data && g_pictures->Answer(*data, {window}) ? TRUE : FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    static const vt::WindowPictureHook pictures = vt::WindowPictureHook::FromEnvironment();
    g_pictures = &pictures;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProcedure;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "VtInstHostOwner";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, wc.lpszClassName, "Installer host", WS_OVERLAPPEDWINDOW, 0, 0,
                                 320, 200, nullptr, nullptr, instance, nullptr);
    ShowWindow(owner, SW_SHOWNORMAL);
    int result = 2;  // the library or its export is missing
    if (HMODULE library = LoadLibraryA("vtinst.dll")) {
        using InstallIconFn = int(WINAPI*)(HWND, LPCSTR);
        auto install = reinterpret_cast<InstallIconFn>(
            reinterpret_cast<void*>(GetProcAddress(library, "InstallIcon")));
        if (install) result = install(owner, *commandLine ? commandLine : nullptr);
        FreeLibrary(library);
    }
    // A caller's window left disabled would be unusable: the tests see it in the exit code.
    if (!IsWindowEnabled(owner)) result |= 0x100;
    DestroyWindow(owner);
    return result;
}
