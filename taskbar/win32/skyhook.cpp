// skyhook.dll: exports for the controlling program, the message hook that gets the library into
// the taskbar's process, and the block of data shared with it.

#include "taskbar/win32/skyhook.h"

#include "taskbar/win32/shared_block.h"
#include "taskbar/win32/tab_subclass.h"
#include "taskbar/win32/trace.h"

namespace vt {

// The "shared" attribute gives the section the shared flag, so every process that maps the
// library sees the same bytes; it must be initialised data to land in that section.
SharedBlock g_shared __attribute__((section(".shared"), shared)) = {
    nullptr, 0, 1, 1, 2, 1, 0, {}, 0, 0, nullptr, nullptr, {0, 0}};

ProcessState g_process;

namespace {

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_process.message != 0) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == g_process.message && msg->hwnd != nullptr &&
            msg->hwnd == reinterpret_cast<HWND>(msg->lParam)) {
            if (msg->wParam == kSkyhookSubclass) {
                SubclassTabControl(msg->hwnd);
                // The library stays in this process by its own reference; the hook is no longer
                // needed anywhere.
                if (HHOOK hook = g_shared.hook) {
                    g_shared.hook = nullptr;
                    UnhookWindowsHookEx(hook);
                }
            } else if (msg->wParam == kSkyhookEnd) {
                RemovePMHook();
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

}  // namespace vt

using vt::g_process;
using vt::g_shared;

extern "C" {

void WINAPI SetTaskBarParameters(int clickMode, int caseSensitive, int tooltips, int hotTracking,
                                 int buttonStyle, int squareButtons, const char* patterns,
                                 int count) {
    g_shared.clickMode = clickMode;
    g_shared.caseSensitive = caseSensitive;
    g_shared.tooltips = tooltips;
    g_shared.hotTracking = hotTracking;
    g_shared.buttonStyle = buttonStyle;
    g_shared.squareButtons = squareButtons;
    // The count is clamped to the shared array; the patterns are stored before the count grows
    // so the taskbar's process never reads a slot that is half written.
    g_shared.patternCount = 0;
    g_shared.patternCount = vt::StorePatterns(g_shared.patterns, patterns, count);
}

HWND WINAPI SetStoredHwnd(HWND controller) {
    g_shared.controller = controller;
    return controller;
}

void WINAPI GetStoredParams(int* first, int* second) {
    if (first) *first = g_shared.stored[0];
    if (second) *second = g_shared.stored[1];
}

INT_PTR WINAPI RemovePMHook() {
    INT_PTR result = 0;
    if (HHOOK hook = g_shared.hook) {
        g_shared.hook = nullptr;
        result = UnhookWindowsHookEx(hook);
    }
    if (!g_shared.subclassed) return result;
    HWND tab = g_shared.tabControl;
    if (!IsWindow(tab)) return 0;
    return SendMessageW(tab, g_process.message, vt::kSkyhookEnd, 0);
}

INT_PTR WINAPI InstallPMHook() {
    RemovePMHook();
    HMODULE self = GetModuleHandleA("skyhook");
    if (self == nullptr) return static_cast<INT_PTR>(GetLastError());
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, vt::GetMessageHook, self, 0);
    if (hook == nullptr) return RemovePMHook();
    g_shared.hook = hook;
    return reinterpret_cast<INT_PTR>(hook);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_process.module = instance;
        g_process.message = RegisterWindowMessageA(SKYHOOK_MESSAGE_NAME);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        vt::ForgetTabControlOnExit();
        // At process exit other threads are gone and sending could hang; trace only on unload.
        if (reserved == nullptr)
            vt::Trace("DllDetach: %x \n", static_cast<unsigned>(GetCurrentProcessId()));
    }
    return TRUE;
}

}  // extern "C"
