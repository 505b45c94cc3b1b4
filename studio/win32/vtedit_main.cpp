// VTEDIT: the Studio, the suite's icon and cursor editor.
#include <windows.h>

#include "appservices/win32/vtapp.h"
#include "studio/win32/frame_window.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_app.h"

namespace vt::studio {

StudioApp g_app;

std::string FrameTitle(const std::string& document) { return "Vantoro Studio- " + document; }

namespace {

// The folder of the program's own file: its full name cut at the last backslash, found
// character by character when the code page is a multi-byte one (a trail byte may be 0x5C).
std::string ProgramFolder(HINSTANCE instance, bool multiByte) {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(instance, path, sizeof path);
    if (n == 0 || n >= sizeof path) return ".";
    const char* cut = nullptr;
    for (const char* p = path; *p; p = multiByte ? CharNextA(p) : p + 1)
        if (*p == '\\') cut = p;
    return cut ? std::string(path, static_cast<size_t>(cut - path)) : std::string(".");
}

}  // namespace

int Run(HINSTANCE instance, int show) {
    g_app.instance = instance;
    g_app.multiByte = VtIsMultiByteCodePage() != FALSE;
    g_app.programFolder = ProgramFolder(instance, g_app.multiByte);
    if (!FrameWindow::Register(instance)) return 1;
    VtSetProgramFolder(g_app.programFolder.c_str());
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_ACCELERATORS));
    g_app.frame = FrameWindow::Create(instance, show);
    if (!g_app.frame) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(g_app.frame, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace vt::studio

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) { return vt::studio::Run(instance, show); }
