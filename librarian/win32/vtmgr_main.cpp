// VTMGR: the Librarian, the suite's icon collector.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "common/win32/dde_blocks.h"
#include "appservices/win32/vtapp.h"
#include "common/win32/program_launch.h"
#include "librarian/command_line.h"
#include "librarian/win32/frame_window.h"
#include "librarian/win32/librarian_app.h"
#include "librarian/win32/librarian_settings.h"
#include "librarian/win32/resource.h"
#include "librarian/win32/suite_exchange.h"
#include "librarian/win32/test_gate.h"

namespace vt::librarian {

LibrarianApp g_app;

namespace {

constexpr char kAccelerators[] = "ICMAccelerators";

// Names sort as the system's locale comparison orders them.
int SystemCompare(const char* a, const char* b) { return lstrcmpA(a, b); }

int ColorCodeOfBits(int bits) { return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 1024; }

// "Shell Icon BPP": "16" or "24" ask for true colour, anything else for 16 colours, never more
// than the display shows.
int ShellColorCode(int display) {
    char value[16] = {};
    DWORD size = sizeof value;
    int code = 16;
    if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\desktop\\WindowMetrics", "Shell Icon BPP", RRF_RT_REG_SZ,
                     nullptr, value, &size) == ERROR_SUCCESS) {
        const std::string v = value;
        code = v == "16" || v == "24" ? 1024 : 16;
        if (display < code) code = display == 256 ? 16 : display;
    }
    return code;
}

void MeasureDesktop() {
    DesktopMetrics& d = g_app.desktop;
    d.largeIcon = GetSystemMetrics(SM_CXICON);
    d.smallIcon = GetSystemMetrics(SM_CXSMICON);
    d.iconSpacing = static_cast<int>(GetProfileIntA("Desktop", "IconSpacing", 75));
    d.iconVerticalSpacing = static_cast<int>(GetProfileIntA("Desktop", "IconVerticalSpacing", 72));
    d.titleSize = static_cast<int>(GetProfileIntA("Desktop", "IconTitleSize", 8));
    char face[LF_FACESIZE] = {};
    GetProfileStringA("Desktop", "IconTitleFaceName", "MS Sans Serif", face, sizeof face);
    d.titleFace = face;
    // Spacings below the icon size would give negative gaps.
    d.horizontalGap = std::max(0, d.iconSpacing - d.largeIcon);
    d.verticalGap = std::max(0, d.iconVerticalSpacing - d.largeIcon);
    d.labelOverhang = std::max(0, d.horizontalGap / 2 - 1);

    HDC dc = GetDC(nullptr);
    g_app.displayColorCode = ColorCodeOfBits(GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL));
    if (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) {
        // A palette display draws through the system palette.
        std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
        auto* pal = reinterpret_cast<LOGPALETTE*>(buffer.data());
        pal->palVersion = 0x300;
        pal->palNumEntries = 256;
        GetSystemPaletteEntries(dc, 0, 256, pal->palPalEntry);
        g_app.palette = CreatePalette(pal);
    }
    g_app.labelFont = CreateFontA(-MulDiv(d.titleSize, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0,
                                  0, DEFAULT_CHARSET, 0, 0, 0, 0, d.titleFace.c_str());
    // Three lines of the suite font, or the vertical gap when that is smaller.
    HGDIOBJ old = SelectObject(dc, g_app.dialogFont ? g_app.dialogFont : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    d.labelHeight = std::min(3 * static_cast<int>(tm.tmHeight), d.verticalGap);
    g_app.shellColorCode = ShellColorCode(g_app.displayColorCode);

    char thousands[8] = {};
    GetProfileStringA("Intl", "sThousand", ",", thousands, sizeof thousands);
    g_app.thousands = thousands;
}

void LoadArtwork(HINSTANCE instance) {
    g_app.icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 32, 32, 0));
    g_app.smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 16, 16, 0));
    g_app.stackIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_STACK), IMAGE_ICON, 32, 32, 0));
}

}  // namespace

int Run(HINSTANCE instance, const char* args) {
    g_app.instance = instance;
    g_app.pictures = WindowPictureHook::FromEnvironment();
    StartTestGate();
    const DdeBlockCountingScope ddeBlockCounting;
    g_app.multiByte = VtIsMultiByteCodePage() != FALSE;
    g_app.programFolder = ProgramFolder(instance, g_app.multiByte);
    if (WindowsTooOld()) {
        MessageBeep(MB_ICONHAND);
        MessageBoxA(nullptr, "Vantoro has been created for use with Windows 95 or Windows NT 4.0.", kProgramTitle,
                    MB_OK | MB_ICONSTOP);
        return 1;
    }
    VtSetProgramFolder(g_app.programFolder.c_str());
    LoadSettings();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    VtCreateFonts(&g_app.dialogFont, &g_app.statusFont);
    MeasureDesktop();
    g_app.studioPath = g_app.programFolder + "\\VTEDIT.EXE";
    if (GetFileAttributesA(g_app.studioPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        g_app.iconClipFormat = RegisterClipboardFormatA("VtIcon");
    LoadArtwork(instance);

    Workspace& ws = g_app.workspace;
    ws.SetNameCompare(SystemCompare);
    ViewMetrics m;
    m.view = g_app.state.view;
    m.largeIconSize = g_app.desktop.largeIcon;
    m.smallIconSize = g_app.desktop.smallIcon;
    m.verticalGap = g_app.desktop.verticalGap;
    m.displayColorCode = g_app.displayColorCode;
    ws.SetMetrics(m);
    g_app.exchange = CreateSuiteExchange();

    if (!FrameWindow::Register(instance) || !RegisterIconWindow(instance)) return 1;
    std::string line = args ? args : "";
    // Command lines arrive in the OEM character set.
    OemToCharBuffA(line.data(), line.data(), static_cast<DWORD>(line.size()));
    const LibrarianCommandLine command = ParseLibrarianCommandLine(line);
    FrameWindow* frame = FrameWindow::Create(instance, command.defaultPlace);
    if (!frame) return 1;
    HACCEL accelerators = LoadAcceleratorsA(instance, kAccelerators);
    frame->Start(command.path);

    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(g_app.frame, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    RestoreSuiteExplorer();
    return static_cast<int>(msg.wParam);
}

}  // namespace vt::librarian

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) { return vt::librarian::Run(instance, args); }
