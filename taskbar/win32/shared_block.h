#pragma once
// State of skyhook.dll. The shared block lives in a writable section mapped into every process
// that loads the library, so values the controller sets are seen inside the taskbar's process;
// everything else is per process.

#include <windows.h>

#include <cstdint>

#include "taskbar/pattern_table.h"
#include "taskbar/resort_plan.h"

namespace vt {

// The field order is the library's published layout; each field is one aligned word (or a
// pattern string set before the commands that read it), so no lock is needed.
struct SharedBlock {
    HHOOK hook;
    int32_t clickMode;
    int32_t tooltips;
    int32_t hotTracking;
    int32_t buttonStyle;
    int32_t squareButtons;
    int32_t caseSensitive;
    PatternSlots patterns;
    int32_t patternCount;
    int32_t subclassed;
    HWND tabControl;
    HWND controller;
    int32_t stored[2];
};

extern SharedBlock g_shared;

struct ButtonRecord {
    LPARAM value;                    // the item's application value as the tab control keeps it
    char title[kMaxTitleChars + 1];  // zero-terminated
    bool placed;
    bool wasSelected;
};

struct ProcessState {
    UINT message = 0;
    HMODULE module = nullptr;
    HWND tab = nullptr;
    HWND taskbar = nullptr;
    WNDPROC oldTabProc = nullptr;
    WNDPROC oldTaskbarProc = nullptr;
    UINT_PTR timer = 0;
    int hotItem = -1;
    bool haveItemSize = false;
    LPARAM itemSize = 0;       // the size the taskbar itself last asked for
    bool rememberSize = true;  // off around the library's own size requests
    bool resortNeeded = false;
    bool resorting = false;
    bool copyToScreen = true;
    int isNT = -1;        // tested once
    bool active = false;  // this process's tab control runs through the replacement procedure
    ButtonRecord buttons[kMaxButtons];
};

extern ProcessState g_process;

}  // namespace vt
