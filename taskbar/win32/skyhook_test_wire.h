#pragma once
// The messages by which the Wine test drives its two helper programs: a stand-in taskbar (a
// window owning a button-style tab control) and a stand-in controller that loads skyhook.dll.
// Every query is answered inside the helper's own process, so pointers never cross processes.

#include <windows.h>

namespace vt::test {

inline constexpr char kTaskbarClass[] = "VtTestTaskbar";
inline constexpr char kControllerClass[] = "VtTestController";
inline constexpr char kTaskbarExe[] = "skyhook_test_taskbar.exe";
inline constexpr char kControllerExe[] = "skyhook_test_controller.exe";

// To the stand-in taskbar window.
enum TaskbarQuery : UINT {
    kTbTabControl = WM_APP + 1,  // -> the tab control
    kTbCount,                    // -> TCM_GETITEMCOUNT
    kTbItemValue,                // wParam index -> the item's application value, or -1
    kTbSelection,                // -> TCM_GETCURSEL
    kTbSelect,                   // wParam index: TCM_SETCURSEL
    kTbLibraryLoaded,            // -> 1 when skyhook.dll is mapped in this process
    kTbRightClicks,              // -> right-button presses that reached the tab control's own code
    kTbLeftClicks,               // -> left-button presses that reached it
    kTbSetItemSize,        // wParam width, lParam height: TCM_SETITEMSIZE as the taskbar would
    kTbItemWidth,          // -> width of item 0
    kTbItemHeight,         // -> height of item 0
    kTbAddButton,          // wParam title index, lParam count (0 for 1): buttons added at the end
    kTbUpdate,             // UpdateWindow of the tab control (paints now when invalid)
    kTbTooltipDelay,       // wParam TTDT_*: TTM_GETDELAYTIME of the tab control's tooltips
    kTbTitleRequests,      // -> tooltip-text notifications answered so far
    kTbDropHookReference,  // FreeLibrary of skyhook.dll once, as the system does at unhook
    kTbPixel,              // wParam x, lParam y: the colour shown at that point of the tab control
    kTbItemEdge,           // wParam index, lParam 0..3 -> left, top, right or bottom of that item
    kTbRecreateTab,        // destroys the tab control, makes a new one with the first buttons -> it
};

// To the stand-in controller window. WM_COPYDATA (dwData 1) carries the parameters as text:
// "click case tooltips hot style square" followed by "|pattern" for each pattern.
enum ControllerRequest : UINT {
    kCtlInstall = WM_APP + 1,  // -> InstallPMHook()
    kCtlRemove,                // -> RemovePMHook()
    kCtlPost,                  // wParam command, lParam window: post the registered message
    kCtlSend,                  // wParam command, lParam window: send it (lParam 0 is passed)
    kCtlNotifications,         // wParam code -> how many notifications with that code arrived
    kCtlStoredParams,          // -> 1 when GetStoredParams wrote 0 and 0
};

}  // namespace vt::test
