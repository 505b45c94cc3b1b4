// VTENGNR: the Engineer, which changes the icons of the shell's objects and the system cursors,
// and keeps sets of them as Motif files.
#include <windows.h>
#include <commctrl.h>

#include "appservices/win32/vtapp.h"
#include "common/win32/program_launch.h"
#include "engineer/win32/engineer_app.h"
#include "engineer/win32/engineer_dialogs.h"
#include "engineer/win32/frame_window.h"
#include "engineer/win32/main_dialog.h"
#include "engineer/win32/resource.h"
#include "sysicons/win32/win32_environment.h"

namespace vt::engineer {

EngineerApp g_app;

std::string LoadText(int id) {
    char text[512] = {};
    LoadStringA(g_app.instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

PromptAnswer ModalPrompt::Show(const PromptMessage& message) {
    ModalScope scope;
    return MessageBoxPrompt::Show(message);
}

namespace {

int PlatformId() {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&v)) return VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
    return static_cast<int>(v.dwPlatformId);
}

HICON OwnIcon(int id, int size) {
    return static_cast<HICON>(LoadImageA(g_app.instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

void MeasureDisplay() {
    g_app.textUnit = LOWORD(GetDialogBaseUnits()) / 4;
    g_app.largeIconWidth = GetSystemMetrics(SM_CXICON);
    g_app.largeIconHeight = GetSystemMetrics(SM_CYICON);
    g_app.smallIconHeight = GetSystemMetrics(SM_CYSMICON);
    g_app.cursorIconSize = GetSystemMetrics(SM_CXICON);
    HDC dc = GetDC(nullptr);
    g_app.pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    g_app.displayBits = GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(nullptr, dc);
}

void ReleaseAll() {
    if (g_app.icons) g_app.icons->ReleaseChosenFiles();
    g_app.rules.reset();
    g_app.motif.reset();
    g_app.core.reset();
    g_app.icons.reset();  // releases every row's icons
    for (HICON* icon : {&g_app.programIcon, &g_app.programIconSmall})
        if (*icon) DestroyIcon(*icon), *icon = nullptr;
    for (HFONT* font : {&g_app.listFont, &g_app.comboFont})
        if (*font) DeleteObject(*font), *font = nullptr;
}

}  // namespace

int Run(HINSTANCE instance, const char* args) {
    g_app.instance = instance;
    g_app.pictures = WindowPictureHook::FromEnvironment();
    g_app.multiByte = VtIsMultiByteCodePage() != FALSE;
    g_app.programFolder = ProgramFolder(instance, g_app.multiByte);
    if (PlatformId() == VER_PLATFORM_WIN32s) {
        MessageBeep(MB_ICONHAND);
        MessageBoxA(nullptr, "Vantoro was designed for use with Windows 95 or Windows NT 4.0.", kProgramTitle,
                    MB_OK | MB_ICONSTOP);
        return 1;
    }
    RawEnvironment raw;
    if (!DetectRawEnvironment(g_app.registry, &raw)) return 1;  // a shell without a version block

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    MeasureDisplay();
    g_app.programIcon = OwnIcon(IDI_PROGRAM, GetSystemMetrics(SM_CXICON));
    g_app.programIconSmall = OwnIcon(IDI_PROGRAM, GetSystemMetrics(SM_CXSMICON));
    g_app.markIncluded = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MARK_INCLUDED));
    g_app.markExcluded = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MARK_EXCLUDED));
    if (!FrameWindow::Register(instance)) return 1;

    g_app.words[0] = LoadText(IDS_MODE_LOCAL);
    g_app.words[1] = LoadText(IDS_MODE_MOTIF);
    g_app.words[2] = "Icons";
    g_app.words[3] = "Cursors";
    VtCreateFonts(&g_app.comboFont, &g_app.listFont);

    g_app.icons = std::make_unique<SystemIcons>(g_app.registry, g_app.shell, g_app.files,
                                                DeriveEnvironment(raw), Program::Engineer);
    g_app.icons->SetRecycleWords(LoadText(IDS_EMPTY), LoadText(IDS_FULL));
    if (!g_app.icons->Prepare()) {
        MessageBeep(MB_ICONHAND);
        MessageBoxA(nullptr, kTablesNeedRebuildText, kProgramTitle, MB_OK | MB_ICONSTOP);
        ReleaseAll();
        return 1;
    }
    g_app.core = std::make_unique<Engineer>(*g_app.icons, g_app.prompt, g_app.groups);
    g_app.dialogs = std::make_unique<EngineerDialogs>();
    g_app.motif = std::make_unique<MotifFile>(*g_app.core, g_app.profile, *g_app.dialogs);
    g_app.rules = std::make_unique<EngineerFrame>(*g_app.core, *g_app.motif, g_app.prompt, g_app.recent);
    VtSetProgramFolder(g_app.programFolder.c_str());
    g_app.core->ReadStartupFacts();
    g_app.settings = LoadEngineerSettings(g_app.registry);
    g_app.recent = LoadRecentMotifs(g_app.registry);
    g_app.shellIconSize = ShellIconSize();

    FrameWindow* frame = FrameWindow::Create(instance);
    if (!frame) {
        ReleaseAll();
        return 1;
    }
    if (!frame->Start(SW_SHOWNORMAL)) {
        DestroyWindow(frame->hwnd());
        ReleaseAll();
        return 1;
    }
    if (args && *args) {
        std::string path = args;
        // Command lines arrive in the OEM character set; a quoted name loses its quotes.
        OemToCharBuffA(path.data(), path.data(), static_cast<DWORD>(path.size()));
        while (!path.empty() && path.back() == ' ') path.pop_back();
        if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
        frame->OpenFromCommandLine(path);
    }
    if (g_app.icons->facts().faultyNtShell) ShowFaultyShellDialog(frame->hwnd());

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_ACCELERATORS));
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (g_app.dialog && IsWindow(g_app.dialog) && accelerators &&
            TranslateAcceleratorA(g_app.frame, accelerators, &msg))
            continue;
        if (g_app.dialog && IsDialogMessageA(g_app.dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ReleaseAll();
    RestoreSuiteExplorer();
    return static_cast<int>(msg.wParam);
}

}  // namespace vt::engineer

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) { return vt::engineer::Run(instance, args); }
