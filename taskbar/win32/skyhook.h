#pragma once
// The exports of skyhook.dll as its controlling program calls them (it loads the library by name
// and looks the functions up), and the wire of the registered message.

#include <windows.h>

// RegisterWindowMessage name of the one message between the controller and the library.
#define SKYHOOK_MESSAGE_NAME "BBA138F0_4724_11D2_9BC1_0207011A3589"

namespace vt {

// wParam of the registered message.
enum SkyhookCommand : WPARAM {
    kSkyhookSubclass = 1,  // posted to the tab control with lParam = the tab control
    kSkyhookEnd = 2,       // lParam 0: end the subclassing; lParam = tab control: remove the hook
    kSkyhookRefresh = 3,
    kSkyhookResort = 4,
    kSkyhookCtrlRightClick = 5,  // library to controller
    kSkyhookApplySettings = 6,
    kSkyhookRepaint = 7,
    kSkyhookLeftClick = 8,  // library to controller
};

}  // namespace vt

extern "C" {
void WINAPI SetTaskBarParameters(int clickMode, int caseSensitive, int tooltips, int hotTracking,
                                 int buttonStyle, int squareButtons, const char* patterns,
                                 int count);
HWND WINAPI SetStoredHwnd(HWND controller);
void WINAPI GetStoredParams(int* first, int* second);
INT_PTR WINAPI InstallPMHook();
INT_PTR WINAPI RemovePMHook();

typedef void(WINAPI* SetTaskBarParametersFn)(int clickMode, int caseSensitive, int tooltips,
                                             int hotTracking, int buttonStyle, int squareButtons,
                                             const char* patterns, int count);
typedef HWND(WINAPI* SetStoredHwndFn)(HWND controller);
typedef void(WINAPI* GetStoredParamsFn)(int* first, int* second);
typedef INT_PTR(WINAPI* InstallPMHookFn)();
typedef INT_PTR(WINAPI* RemovePMHookFn)();
}
