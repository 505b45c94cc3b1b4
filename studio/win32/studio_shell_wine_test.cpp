// The Studio's shell as the user meets it: the pointer each tool shows over the grid, the texts of
// menus, tool tips and the status bar, the palette window's blend strip and wells, and the places
// of its windows from one session to the next.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>

#include "draw/command_ids.h"
#include "draw/palette_layout.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

constexpr uint32_t kWhiteIndex = 15;

class StudioShell : public StudioOnFile {
  protected:
    // type: 1 icon, 2 cursor.
    void Start(int32_t code = kColors16, uint32_t fill = kWhiteIndex, int type = 1) {
        Open("shell", type == 2 ? "canvas.cur" : "canvas.ico", type, MakeOpaqueImage(32, 32, code, fill));
    }

    // The pointer the Studio shows with the mouse over a grid cell, as the system asks for it.
    HCURSOR GridCursor(int x, int y) {
        POINT p = EditorGrid(frame, 32, 32).CellCentre(x, y);
        ClientToScreen(frame, &p);
        SetCursorPos(p.x, p.y);
        DWORD_PTR r = 0;
        EXPECT_NE(SendMessageTimeoutA(frame, WM_SETCURSOR, reinterpret_cast<WPARAM>(frame),
                                      MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), SMTO_NORMAL, 5000, &r),
                  0);
        EXPECT_EQ(r, static_cast<DWORD_PTR>(TRUE)) << "the frame chose no pointer of its own";
        CURSORINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetCursorInfo(&info));
        return info.hCursor;
    }
};

// The frame, the eraser and the shape tools share cursor resource 64; every other tool has a
// resource of its own. The handles are the Studio's, so the test compares which tools share one.
TEST_F(StudioShell, ToolsSharingACursorResourceShowTheSamePointerAndOthersTheirOwn) {
    Start();
    SetForegroundWindow(frame);
    const std::vector<int> crossHair = {kToolSelectionFrame, kToolEraser,
                                        kToolRectangle,      IDM_TOOL_FILLED_RECTANGLE,
                                        kToolEllipse,        IDM_TOOL_SOLID_ELLIPSE};
    const std::vector<int> own = {kToolPencil, kToolLine,          kToolBrush,
                                  kToolFlood,  kToolColorSelector, kToolColorLocator};
    std::map<HCURSOR, int> seen;
    HCURSOR shared = nullptr;
    for (int tool : crossHair) {
        ASSERT_TRUE(SendCommand(frame, tool));
        HCURSOR c = GridCursor(10, 10);
        ASSERT_NE(c, nullptr) << tool;
        if (!shared) shared = c;
        EXPECT_EQ(c, shared) << "tool " << tool << " should show the cross-hair of resource 64";
    }
    seen[shared] = kToolSelectionFrame;
    for (int tool : own) {
        ASSERT_TRUE(SendCommand(frame, tool));
        HCURSOR c = GridCursor(10, 10);
        ASSERT_NE(c, nullptr) << tool;
        const auto [at, added] = seen.emplace(c, tool);
        EXPECT_TRUE(added) << "tool " << tool << " shows the pointer of tool " << at->second;
    }
}

// The Studio's resources as the program loads them.
class StudioResources {
  public:
    StudioResources()
        : m_module(LoadLibraryExA((BinDir() + "\\VTEDIT.EXE").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE)) {}
    ~StudioResources() {
        if (m_menu) DestroyMenu(m_menu);
        if (m_module) FreeLibrary(m_module);
    }
    bool ok() const { return m_module != nullptr; }
    std::string String(int id) const {
        char text[256] = {};
        LoadStringA(m_module, static_cast<UINT>(id), text, sizeof text);
        return text;
    }
    // A menu entry's text without its mnemonic marker.
    std::string MenuText(int id, bool keepMarker = false) {
        if (!m_menu) m_menu = LoadMenuA(m_module, "zodedazi");
        char text[128] = {};
        GetMenuStringA(m_menu, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
        std::string out;
        for (const char* c = text; *c; ++c)
            if (keepMarker || *c != '&') out += *c;
        return out;
    }

  private:
    HMODULE m_module;
    HMENU m_menu = nullptr;
};

std::string StatusMessage(HWND frame) {
    HWND bar = GetDlgItem(frame, IDC_STATUSBAR);
    char text[256] = {};
    DWORD_PTR r = 0;
    SendMessageTimeoutA(bar, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        5000, &r);
    return text;
}

// The dithering modes carry the names of what they paint, in the menu, the tool tips of their
// buttons and the menu help; the Undo and Redo entries keep their space when nothing can be undone.
TEST_F(StudioShell, DitheringModesAreNamedForWhatTheyPaintAndUndoKeepsItsSpace) {
    StudioResources res;
    ASSERT_TRUE(res.ok());
    const char* names[4] = {"Paint all pixels", "Paint every other pixel", "Paint even pixels",
                            "Paint odd pixels"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(res.MenuText(1096 + i), names[i]);
        EXPECT_EQ(res.String(1096 + i - IDS_TIP_OFFSET), names[i]) << "tool tip of " << 1096 + i;
    }
    EXPECT_EQ(res.MenuText(IDM_EDIT_UNDO, true), "&Undo \tCtrl+Z");
    EXPECT_EQ(res.MenuText(IDM_EDIT_REDO, true), "&Redo \tCtrl+Y");
    Start();
    for (int i = 0; i < 4; ++i) {
        DWORD_PTR r = 0;
        ASSERT_NE(SendMessageTimeoutA(frame, WM_MENUSELECT, MAKEWPARAM(1096 + i, MF_STRING), 1,
                                      SMTO_NORMAL, 5000, &r),
                  0);
        EXPECT_EQ(StatusMessage(frame), names[i]);
    }
}

// The help system's window as a test stands it up: it records what the Studio asks of it.
class HelpWindow {
  public:
    HelpWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "MS_WINHELP";
        RegisterClassA(&wc);
        m_hwnd = CreateWindowA("MS_WINHELP", "help", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~HelpWindow() { DestroyWindow(m_hwnd); }
    // Handles messages until a request came or the time is up.
    bool WaitForRequest(DWORD ms) {
        return WaitUntil(
            [&] {
                MSG msg;
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
                return m_command >= 0;
            },
            ms, "a request to the help window");
    }
    int m_command = -1;
    std::string m_file;

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<HelpWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (msg == WM_COPYDATA && self) {
            // The help request: 16-bit size and command, 32-bit data and a reserved word, then
            // 16-bit offsets of the file name and of the data.
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
            const auto* block = static_cast<const uint8_t*>(data->lpData);
            if (block && data->cbData >= 16) {
                const size_t command = block[2] | block[3] << 8,
                             ofsPath = block[12] | block[13] << 8;
                if (ofsPath && ofsPath < data->cbData)
                    self->m_file.assign(reinterpret_cast<const char*>(block + ofsPath),
                                        strnlen(reinterpret_cast<const char*>(block + ofsPath),
                                                data->cbData - ofsPath));
                self->m_command = static_cast<int>(command);
            }
            return TRUE;
        }
        return DefWindowProcA(w, msg, wp, lp);
    }
    HWND m_hwnd = nullptr;
};

TEST_F(StudioShell, HelpTopicsOpensTheHelpFileAtItsContents) {
    HelpWindow help;
    Start();
    ASSERT_TRUE(PostCommand(frame, IDM_HELP_TOPICS));
    ASSERT_TRUE(help.WaitForRequest(10000));
    EXPECT_EQ(help.m_command, HELP_CONTENTS);
    const std::string tail = "\\VANTORO.HLP";
    ASSERT_GE(help.m_file.size(), tail.size());
    EXPECT_EQ(help.m_file.substr(help.m_file.size() - tail.size()), tail);
}

// The palette window's cells in its client area (the cells stand inside a margin of 4 pixels).
RECT PaletteCellRect(PaletteCellKind kind, int value) {
    for (const PaletteCell& c : PaletteCells(kColors256))
        if (c.kind == kind && c.value == value)
            return {c.rect.left + 4, c.rect.top + 4, c.rect.right + 4, c.rect.bottom + 4};
    ADD_FAILURE() << "no such palette cell";
    return {};
}

void ClickPaletteCell(HWND palette, PaletteCellKind kind, int value, bool right) {
    const RECT r = PaletteCellRect(kind, value);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    DWORD_PTR done;
    SendMessageTimeoutA(palette, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, at, SMTO_NORMAL, 5000,
                        &done);
    SendMessageTimeoutA(palette, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at, SMTO_NORMAL, 5000,
                        &done);
}

COLORREF CellCentre(const EditorPicture& picture, HWND palette, PaletteCellKind kind, int value) {
    const RECT r = PaletteCellRect(kind, value);
    return picture.At(palette, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The blend wells are ink bottles holding their colour; the strip between them starts black again
// when a palette file is opened.
TEST_F(StudioShell, BlendWellsAreInkBottlesAndOpeningAPaletteBlacksTheStrip) {
    Start(kColors256, 7);
    ClickPaletteIndex(palette, kColors256, 100);
    ClickPaletteCell(palette, PaletteCellKind::LeftBlendWell, 0, false);
    ClickPaletteIndex(palette, kColors256, 255, true);
    ClickPaletteCell(palette, PaletteCellKind::RightBlendWell, 0, true);
    EditorPicture before;
    ASSERT_TRUE(before.Take(frame, "shell-blend.bmp"));
    const COLORREF colour = CellCentre(before, palette, PaletteCellKind::Entry, 100);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(colour, face);
    const RECT well = PaletteCellRect(PaletteCellKind::LeftBlendWell, 0);
    // The bottle's body holds the colour; beside its neck the button face shows.
    EXPECT_EQ(before.At(palette, well.left + 6, well.bottom - 4), colour);
    EXPECT_EQ(before.At(palette, well.left + 1, well.top + 1), face);
    EXPECT_EQ(before.At(palette, well.right - 2, well.top + 2), face);
    const RECT right = PaletteCellRect(PaletteCellKind::RightBlendWell, 0);
    EXPECT_EQ(before.At(palette, right.left + 6, right.bottom - 4), RGB(255, 255, 255));
    EXPECT_NE(CellCentre(before, palette, PaletteCellKind::BlendStrip, 5), RGB(0, 0, 0));

    const std::string pal = ScratchDir("shell_palette") + "\\grey.pal";
    {
        std::ofstream out(pal, std::ios::binary);
        out << "JASC-PAL\r\n0100\r\n256\r\n";
        for (int i = 0; i < 256; ++i) out << i << ' ' << i << ' ' << i << "\r\n";
        ASSERT_TRUE(out.good());
    }
    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_OPEN_PALETTE));
    HWND dialog = studio.WaitForWindowTitled("Open");
    AnswerFileDialog(dialog, pal);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000, "the Open dialog to close"));
    EditorPicture after;
    ASSERT_TRUE(after.Take(frame, "shell-blend-cleared.bmp"));
    EXPECT_EQ(CellCentre(after, palette, PaletteCellKind::Entry, 100), RGB(100, 100, 100));
    for (int k = 0; k < kBlendStripCells; ++k)
        EXPECT_EQ(CellCentre(after, palette, PaletteCellKind::BlendStrip, k), RGB(0, 0, 0))
            << "strip cell " << k;
    EXPECT_EQ(after.At(palette, well.left + 6, well.bottom - 4), RGB(0, 0, 0));
}

// The frame, the palette, the preview and the text window come back where the user left them;
// the text window exists from the start, hidden, at its place.
TEST_F(StudioShell, WindowPlacesAreKeptFromOneSessionToTheNext) {
    Start();
    HWND preview = studio.WaitForWindow("ICSPreview");
    HWND text = studio.WaitForWindow("ICSText", 3000);
    ASSERT_NE(preview, nullptr);
    ASSERT_NE(text, nullptr) << "the text window is made at start-up";
    EXPECT_FALSE(IsWindowVisible(text));
    auto moveTo = [](HWND w, int x, int y) {
        ASSERT_TRUE(
            SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    };
    ASSERT_TRUE(SetWindowPos(frame, nullptr, 230, 60, 560, 470, SWP_NOZORDER | SWP_NOACTIVATE));
    moveTo(palette, 12, 70);
    moveTo(preview, 40, 420);
    moveTo(text, 300, 540);
    auto place = [](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r;
    };
    const RECT frameAt = place(frame), paletteAt = place(palette), previewAt = place(preview),
               textAt = place(text);
    ASSERT_EQ(frameAt.left, 230);
    ASSERT_EQ(paletteAt.left, 12);
    EXPECT_EQ(CloseDiscarding(studio, frame), 0);
    frame = nullptr;

    Program again;
    ASSERT_TRUE(again.Start("VTEDIT.EXE"));
    HWND frame2 = WaitForEditorFrame(again);
    ASSERT_NE(frame2, nullptr);
    HWND palette2 = again.WaitForWindow("ICSPAlette"), preview2 = again.WaitForWindow("ICSPreview"),
         text2 = again.WaitForWindow("ICSText", 3000);
    ASSERT_NE(palette2, nullptr);
    ASSERT_NE(preview2, nullptr);
    ASSERT_NE(text2, nullptr);
    auto same = [](const RECT& a, const RECT& b) {
        return testing::Message() << a.left << "," << a.top << " " << a.right - a.left << "x"
                                  << a.bottom - a.top << " against " << b.left << "," << b.top
                                  << " " << b.right - b.left << "x" << b.bottom - b.top;
    };
    const RECT f = place(frame2), p = place(palette2), v = place(preview2), t = place(text2);
    EXPECT_TRUE(EqualRect(&f, &frameAt)) << "frame " << same(f, frameAt);
    EXPECT_TRUE(p.left == paletteAt.left && p.top == paletteAt.top)
        << "palette " << same(p, paletteAt);
    EXPECT_TRUE(v.left == previewAt.left && v.top == previewAt.top)
        << "preview " << same(v, previewAt);
    EXPECT_TRUE(t.left == textAt.left && t.top == textAt.top) << "text window " << same(t, textAt);
    EXPECT_EQ(CloseDiscarding(again, frame2), 0);
}

POINT PaletteEntryCentre(int32_t code, int index) {
    for (const PaletteCell& c : PaletteCells(code))
        if (c.kind == PaletteCellKind::Entry && c.value == index)
            return {(c.rect.left + c.rect.right) / 2 + 4, (c.rect.top + c.rect.bottom) / 2 + 4};
    ADD_FAILURE() << "no palette cell for " << index;
    return {};
}

// On a 16-colour image the cross-hair shows each cell in the palette entry 15 - value: red (9)
// becomes the standard palette's teal (6), not the cyan of an inverted colour.
TEST_F(StudioShell, CrossHairOnASixteenColourImageShowsTheEntryFifteenMinusTheValue) {
    Start(kColors16, 9);
    ASSERT_TRUE(SendCommand(frame, kToolRectangle));
    EditorGrid grid(frame, 32, 32);
    ParkPointer(frame, grid.CellCentre(10, 10));
    grid.MoveTo(10, 10);
    EditorPicture shown;
    ASSERT_TRUE(shown.Take(frame, "shell-crosshair.bmp", true));
    const POINT six = PaletteEntryCentre(kColors16, 6), nine = PaletteEntryCentre(kColors16, 9);
    const COLORREF teal = shown.At(palette, six.x, six.y), red = shown.At(palette, nine.x, nine.y);
    ASSERT_NE(teal, red);
    auto cell = [&](int x, int y) {
        const POINT c = grid.CellCentre(x, y);
        return shown.At(frame, c.x, c.y);
    };
    EXPECT_EQ(cell(4, 10), teal);
    EXPECT_EQ(cell(10, 25), teal);
    EXPECT_EQ(cell(10, 10), red);  // the pointer's own cell keeps its colour
    EXPECT_EQ(cell(4, 4), red);
    ParkPointer(frame, {-40, -40});
    DWORD_PTR r = 0;
    SendMessageTimeoutA(frame, WM_MOUSELEAVE, 0, 0, SMTO_NORMAL, 5000, &r);
}

// The new hot spot's cell flashes, starting in the highlight colour.
TEST_F(StudioShell, NewHotSpotFlashesFirstInTheHighlightColour) {
    Start(kMonochrome, 1, 2);
    EditorGrid grid(frame, 32, 32);
    ParkPointer(frame, {-40, -40});
    // The first of the flash's ticks (350 ms apart) must be pictured before the second comes; on
    // a machine too busy for that the attempt is made again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        ASSERT_TRUE(SendCommand(frame, IDM_SET_HOT_SPOT));
        const int x = 5 + 3 * attempt, y = 19;
        const DWORD start = GetTickCount();
        grid.Click(x, y);
        EditorPicture shown;
        ASSERT_TRUE(shown.Take(frame, "shell-hotspot.bmp", true));
        if (GetTickCount() - start >= 300) continue;
        const POINT c = grid.CellCentre(x, y);
        EXPECT_EQ(shown.At(frame, c.x, c.y), GetSysColor(COLOR_HIGHLIGHT));
        // Over after five ticks: the cell shows its pixel again.
        Sleep(5 * 350 + 300);
        EditorPicture after;
        ASSERT_TRUE(after.Take(frame, "shell-hotspot-after.bmp", true));
        EXPECT_EQ(after.At(frame, c.x, c.y), RGB(255, 255, 255));
        return;
    }
    GTEST_SKIP() << "the machine was too busy to picture the first tick of the flash in time";
}

}  // namespace
}  // namespace vt::test
