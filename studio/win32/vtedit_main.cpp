// VTEDIT: the Studio, the suite's icon and cursor editor.
#include <windows.h>
#include <commctrl.h>

#include "common/win32/dde_blocks.h"
#include "appservices/win32/vtapp.h"
#include "common/win32/editor_message_loop.h"
#include "common/win32/program_launch.h"
#include "common/win32/window_places.h"
#include "image/format_list.h"
#include "draw/win32/text_window.h"
#include "studio/win32/capture_window.h"
#include "studio/win32/frame_window.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_app.h"
#include "studio/win32/studio_settings.h"

namespace vt::studio {

StudioApp g_app;

namespace {

void LoadArtwork(HINSTANCE instance) {
    LoadEditorArtwork(instance, IDI_PROGRAM, &g_app.icon, &g_app.smallIcon, g_app.cursors, IDC_CURSOR_FIRST);
}

bool RegisterClasses(HINSTANCE instance) {
    return FrameWindow::Register(instance) &&
           PaletteWindow::Register(instance, kPaletteClass, g_app.cursors[IDC_PALETTE_CURSOR - IDC_CURSOR_FIRST]) &&
           PreviewWindow::Register(instance, kPreviewClass) &&
           CaptureWindow::Register(instance, g_app.cursors[IDC_CAPTURE_CURSOR - IDC_CURSOR_FIRST]) &&
           TextWindow::Register(instance, kTextClass, kProgramTitle);
}

void MeasureDisplay() {
    g_app.fullWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    g_app.fullHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    HDC dc = GetDC(nullptr);
    g_app.screenWidth = GetDeviceCaps(dc, HORZRES);
    g_app.screenHeight = GetDeviceCaps(dc, VERTRES);
    g_app.logPixels = GetDeviceCaps(dc, LOGPIXELSY);
    g_app.paletteDisplay = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
    g_app.displayCode = DisplayColorCode(static_cast<uint32_t>(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES)));
    ReleaseDC(nullptr, dc);
    VtCreateFonts(&g_app.dialogFont, &g_app.statusFont);
}

void PlaceFrame(HWND frame) {
    const FrameMetrics m = SystemFrameMetrics(g_app.screenWidth, g_app.screenHeight);
    const Rect32 r = StartingFramePlace(g_app.state, m, kStudioClientWidth, kStudioClientHeight);
    MoveWindow(frame, r.left, r.top, r.width, r.height, FALSE);
}

}  // namespace

int Run(HINSTANCE instance, const char* args) {
    g_app.instance = instance;
    g_app.pictures = WindowPictureHook::FromEnvironment();
    const DdeBlockCountingScope ddeBlockCounting;
    g_app.multiByte = VtIsMultiByteCodePage() != FALSE;
    g_app.programFolder = ProgramFolder(instance, g_app.multiByte);
    g_app.palettes.Start(g_app.programFolder);
    if (WindowsTooOld()) {
        ShowEditorWindowsTooOld(kProgramTitle);
        return 1;
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    LoadArtwork(instance);
    if (!RegisterClasses(instance)) return 1;
    MeasureDisplay();
    VtSetProgramFolder(g_app.programFolder.c_str());
    LoadSettings(g_app);

    g_app.commandLine = ParseEditorCommandLine(args ? args : "", true);
    g_app.serverMode = g_app.commandLine.launch == EditorLaunch::Session;
    g_app.formatsLocked = g_app.commandLine.FormatsLocked();
    char thousands[8] = {};
    GetProfileStringA("Intl", "sThousand", ",", thousands, sizeof thousands);
    g_app.thousands = thousands;
    if (!g_app.serverMode) LoadRecentFiles(g_app);

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_ACCELERATORS));
    RegisterClipboardFormatA("VT98Clip");
    FrameWindow* frame = FrameWindow::Create(instance);
    if (!frame) return 1;
    PlaceFrame(frame->hwnd());
    frame->CreateToolWindows();

    bool opened = false;
    if (g_app.commandLine.launch == EditorLaunch::OpenFile) {
        const std::string path = CommandLinePath(g_app.commandLine.path);
        opened = frame->document().Open(path, FileTypeForPath(path));
    }
    if (!opened) frame->document().NewDocument(kIconResource);
    if (g_app.serverMode && !frame->StartSession(g_app.commandLine.modeLetter, g_app.commandLine.topic)) {
        DestroyWindow(frame->hwnd());
        return 1;
    }
    frame->Start(g_app.commandLine.launch == EditorLaunch::NewCursor);

    const int exitCode = RunEditorMessageLoop(g_app.frame, accelerators);
    if (!g_app.serverMode) {
        RestoreSuiteExplorer();
    }
    return exitCode;
}

}  // namespace vt::studio

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) { return vt::studio::Run(instance, args); }
