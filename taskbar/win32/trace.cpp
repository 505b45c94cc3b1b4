#include "taskbar/win32/trace.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace vt {

namespace {

bool g_traceLookedUp = false;
HWND g_traceWindow = nullptr;

}  // namespace

void Trace(const char* format, ...) {
    if (!g_traceLookedUp) {
        g_traceLookedUp = true;
        g_traceWindow = FindWindowA("#32770", "traceout");
    }
    if (g_traceWindow == nullptr || !IsWindow(g_traceWindow)) return;

    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    char line[600];
    const int n = snprintf(line, sizeof line, "%d\t%s", static_cast<int>(GetTickCount()), text);
    if (n < 0) return;

    COPYDATASTRUCT data = {};
    data.dwData = 1;
    data.cbData = static_cast<DWORD>(strnlen(line, sizeof line - 1) + 1);
    data.lpData = line;
    // A hung debugging window must never stall the taskbar, so the send gives up quickly.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(g_traceWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &ignored);
}

}  // namespace vt
