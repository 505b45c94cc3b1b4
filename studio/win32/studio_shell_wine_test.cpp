// The Studio's shell as the user meets it: the pointer each tool shows over the grid, the texts of
// menus, tool tips and the status bar, the palette window's blend strip and wells, and the places
// of its windows from one session to the next.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "draw/command_ids.h"
#include "draw/palette_layout.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

constexpr uint32_t kWhiteIndex = 15;

class StudioShell : public ::testing::Test {
protected:
    void Start(int32_t code = kColors16, uint32_t fill = kWhiteIndex) {
        ResetStudioSettings();
        path = ScratchDir("shell") + "\\canvas.ico";
        std::vector<IconImage> images;
        images.push_back(MakeOpaqueImage(32, 32, code, fill));
        WriteIconFile(path, 1, std::move(images));
        ASSERT_TRUE(studio.Start("VTEDIT.EXE", path));
        frame = WaitForStudio(studio);
        ASSERT_NE(frame, nullptr);
        palette = studio.WaitForWindow("ICSPAlette");
        ASSERT_NE(palette, nullptr);
    }
    void TearDown() override {
        if (frame && IsWindow(frame)) {
            EXPECT_EQ(CloseDiscarding(studio, frame), 0);
        }
    }

    // The pointer the Studio shows with the mouse over a grid cell, as the system asks for it.
    HCURSOR GridCursor(int x, int y) {
        POINT p = StudioGrid(frame, 32, 32).CellCentre(x, y);
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

    Program studio;
    HWND frame = nullptr;
    HWND palette = nullptr;
    std::string path;
};

// The frame, the eraser and the shape tools share cursor resource 64; every other tool has a
// resource of its own. The handles are the Studio's, so the test compares which tools share one.
TEST_F(StudioShell, ToolsSharingACursorResourceShowTheSamePointerAndOthersTheirOwn) {
    Start();
    SetForegroundWindow(frame);
    const std::vector<int> crossHair = {kToolSelectionFrame, kToolEraser, kToolRectangle,
                                        IDM_TOOL_FILLED_RECTANGLE, kToolEllipse, IDM_TOOL_SOLID_ELLIPSE};
    const std::vector<int> own = {kToolPencil, kToolLine, kToolBrush, kToolFlood, kToolColorSelector,
                                  kToolColorLocator};
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

// The palette window's cells in its client area (the cells stand inside a margin of 4 pixels).
RECT PaletteCellRect(PaletteCellKind kind, int value) {
    for (const PaletteCell& c : PaletteCells(kColors256))
        if (c.kind == kind && c.value == value) return {c.rect.left + 4, c.rect.top + 4, c.rect.right + 4, c.rect.bottom + 4};
    ADD_FAILURE() << "no such palette cell";
    return {};
}

void ClickPaletteCell(HWND palette, PaletteCellKind kind, int value, bool right) {
    const RECT r = PaletteCellRect(kind, value);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    DWORD_PTR done;
    SendMessageTimeoutA(palette, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, at, SMTO_NORMAL, 5000, &done);
    SendMessageTimeoutA(palette, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at, SMTO_NORMAL, 5000, &done);
}

COLORREF CellCentre(const StudioPicture& picture, HWND palette, PaletteCellKind kind, int value) {
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
    StudioPicture before;
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
    StudioPicture after;
    ASSERT_TRUE(after.Take(frame, "shell-blend-cleared.bmp"));
    EXPECT_EQ(CellCentre(after, palette, PaletteCellKind::Entry, 100), RGB(100, 100, 100));
    for (int k = 0; k < kBlendStripCells; ++k)
        EXPECT_EQ(CellCentre(after, palette, PaletteCellKind::BlendStrip, k), RGB(0, 0, 0)) << "strip cell " << k;
    EXPECT_EQ(after.At(palette, well.left + 6, well.bottom - 4), RGB(0, 0, 0));
}

}  // namespace
}  // namespace vt::test
