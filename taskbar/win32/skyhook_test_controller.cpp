// Stand-in for skyhook's controlling program in the Wine test: loads the library from the path
// on its command line, hands it the parameters, installs the hook, sends the commands the test
// asks for and counts the notifications the library posts back.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "taskbar/pattern_table.h"
#include "taskbar/win32/skyhook.h"
#include "taskbar/win32/skyhook_test_wire.h"

namespace {

using namespace vt::test;

UINT g_message = 0;
std::map<WPARAM, int> g_notifications;
SetTaskBarParametersFn g_setParameters = nullptr;
InstallPMHookFn g_install = nullptr;
RemovePMHookFn g_remove = nullptr;
GetStoredParamsFn g_getStored = nullptr;

// "click case tooltips hot style square|pattern|pattern..."
LRESULT SetParameters(const char* text, size_t size) {
    std::string line(text, strnlen(text, size));
    int v[6] = {};
    if (sscanf(line.c_str(), "%d %d %d %d %d %d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]) != 6)
        return 0;
    std::vector<char> slots;
    int count = 0;
    for (size_t bar = line.find('|'); bar != std::string::npos; ++count) {
        const size_t next = line.find('|', bar + 1);
        std::string pattern =
            line.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
        slots.resize(slots.size() + vt::kPatternBytes, 0);
        memcpy(slots.data() + count * vt::kPatternBytes, pattern.data(),
               std::min(pattern.size(), vt::kPatternBytes - 1));
        bar = next;
    }
    g_setParameters(v[0], v[1], v[2], v[3], v[4], v[5], slots.empty() ? nullptr : slots.data(),
                    count);
    return 1;
}

LRESULT CALLBACK ControllerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == g_message && g_message != 0) {
        ++g_notifications[wParam];
        return 0;
    }
    switch (msg) {
        case WM_COPYDATA: {
            auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
            if (data->dwData != 1 || data->lpData == nullptr) return 0;
            return SetParameters(static_cast<const char*>(data->lpData), data->cbData);
        }
        case kCtlInstall:
            return g_install();
        case kCtlRemove:
            return g_remove();
        case kCtlPost:
            return PostMessageA(reinterpret_cast<HWND>(lParam), g_message, wParam, lParam);
        case kCtlSend:
            return SendMessageA(reinterpret_cast<HWND>(lParam), g_message, wParam, 0);
        case kCtlNotifications:
            return g_notifications[wParam];
        case kCtlStoredParams: {
            int first = -1, second = -1;
            g_getStored(&first, &second);
            return first == 0 && second == 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// GetProcAddress returns a generic pointer; going through void* states the real type.
template <typename Fn>
Fn Export(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    HMODULE library = LoadLibraryA(commandLine);
    if (library == nullptr) return 2;
    g_setParameters = Export<SetTaskBarParametersFn>(library, "SetTaskBarParameters");
    auto setStoredHwnd = Export<SetStoredHwndFn>(library, "SetStoredHwnd");
    g_getStored = Export<GetStoredParamsFn>(library, "GetStoredParams");
    g_install = Export<InstallPMHookFn>(library, "InstallPMHook");
    g_remove = Export<RemovePMHookFn>(library, "RemovePMHook");
    if (!g_setParameters || !setStoredHwnd || !g_getStored || !g_install || !g_remove) return 3;
    g_message = RegisterWindowMessageA(SKYHOOK_MESSAGE_NAME);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ControllerProc;
    wc.hInstance = instance;
    wc.lpszClassName = kControllerClass;
    RegisterClassA(&wc);
    HWND window = CreateWindowA(kControllerClass, "Test Controller", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, instance, nullptr);
    if (setStoredHwnd(window) != window) return 4;

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    g_remove();
    FreeLibrary(library);
    return 0;
}
