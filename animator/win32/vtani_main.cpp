// VTANI: the Animator, the suite's animated-cursor editor.
#include <windows.h>
#include <commctrl.h>

#include "animator/win32/ani_app.h"
#include "animator/win32/ani_frame.h"
#include "animator/win32/ani_preview.h"
#include "animator/win32/ani_settings.h"
#include "animator/win32/resource.h"
#include "appservices/win32/vtapp.h"
#include "common/win32/editor_message_loop.h"
#include "common/win32/program_launch.h"
#include "common/win32/window_places.h"
#include "draw/win32/palette_window.h"
#include "draw/win32/text_window.h"
#include "image/format_list.h"

namespace vt::animator {

AnimatorApp g_app;

namespace {

// The client area the frame is made for when no place is stored: the tool box, a grid of 16-pixel
// cells and the frame list.
constexpr int kClientWidth = 700;
constexpr int kClientHeight = 640;

void LoadArtwork(HINSTANCE instance) {
    LoadEditorArtwork(instance, IDI_PROGRAM, &g_app.icon, &g_app.smallIcon, g_app.cursors, IDC_CURSOR_FIRST);
}

bool RegisterClasses(HINSTANCE instance) {
    return AnimatorFrame::Register(instance) &&
           PaletteWindow::Register(instance, kPaletteClass, g_app.cursors[IDC_PALETTE_CURSOR - IDC_CURSOR_FIRST]) &&
           AnimatorPreview::Register(instance, kPreviewClass) &&
           TextWindow::Register(instance, kTextClass, kProgramTitle);
}

void MeasureDisplay() {
    HDC dc = GetDC(nullptr);
    g_app.screenWidth = GetDeviceCaps(dc, HORZRES);
    g_app.screenHeight = GetDeviceCaps(dc, VERTRES);
    g_app.displayCode =
        DisplayColorCode(static_cast<uint32_t>(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES)));
    ReleaseDC(nullptr, dc);
    VtCreateFonts(&g_app.dialogFont, &g_app.statusFont);
}

void PlaceFrame(HWND frame) {
    const FrameMetrics m = SystemFrameMetrics(g_app.screenWidth, g_app.screenHeight);
    const Rect32 r = ClampToScreen(StartingFramePlace(g_app.state, m, kClientWidth, kClientHeight),
                                   g_app.screenWidth, g_app.screenHeight);
    MoveWindow(frame, r.left, r.top, r.width, r.height, FALSE);
}

}  // namespace

int Run(HINSTANCE instance, const char* args) {
    g_app.instance = instance;
    g_app.pictures = WindowPictureHook::FromEnvironment();
    g_app.multiByte = VtIsMultiByteCodePage() != FALSE;
    g_app.programFolder = ProgramFolder(instance, g_app.multiByte);
    g_app.palettes.Start(g_app.programFolder);
    if (WindowsTooOld()) {
        ShowEditorWindowsTooOld(kProgramTitle);
        return 1;
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    LoadArtwork(instance);
    if (!RegisterClasses(instance)) return 1;
    MeasureDisplay();
    VtSetProgramFolder(g_app.programFolder.c_str());
    LoadSettings(g_app);

    g_app.commandLine = ParseEditorCommandLine(args ? args : "", false);
    g_app.sessionMode = g_app.commandLine.launch == EditorLaunch::Session;
    if (!g_app.sessionMode) LoadRecentFiles(g_app);

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_ACCELERATORS));
    RegisterClipboardFormatA("VtIcon");
    RegisterClipboardFormatA("VT98Clip");
    AnimatorFrame* frame = AnimatorFrame::Create(instance);
    if (!frame) return 1;
    PlaceFrame(frame->hwnd());
    frame->CreateToolWindows();

    bool opened = false;
    if (g_app.commandLine.launch == EditorLaunch::OpenFile) {
        const std::string path = CommandLinePath(g_app.commandLine.path);
        opened = frame->OpenPath(path);
    }
    if (!opened) frame->NewAnimation(kColors16);
    if (g_app.sessionMode && !frame->StartSession(g_app.commandLine.modeLetter, g_app.commandLine.topic)) {
        DestroyWindow(frame->hwnd());
        return 1;
    }
    frame->Start();

    const int exitCode = RunEditorMessageLoop(g_app.frame, accelerators);
    if (!g_app.sessionMode) RestoreSuiteExplorer();
    return exitCode;
}

}  // namespace vt::animator

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) { return vt::animator::Run(instance, args); }
