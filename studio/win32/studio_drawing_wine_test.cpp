// Drawing in the Studio as a user does it: tools chosen from the menu, colours from the palette
// window, mouse presses on grid cells; the saved file holds exactly the pixels drawn.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "draw/command_ids.h"
#include "draw/palette_layout.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

constexpr uint32_t kWhiteIndex = 15, kRedIndex = 9, kBlueIndex = 12;

class StudioDrawing : public StudioOnFile {
protected:
    void SetUp() override { Open("drawing", "canvas.ico", 1, MakeOpaqueImage(32, 32, kColors16, kWhiteIndex)); }
    uint32_t Pixel(const IconResource& doc, int x, int y) {
        EXPECT_EQ(doc.images.size(), 1u);
        return doc.images.empty() ? 0xFFFFFFFF : doc.images[0].XorValue(x, y);
    }
    void Save() {
        ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
        EXPECT_TRUE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);
    }
};

TEST_F(StudioDrawing, PencilAndFilledRectangleThenFloodWithUndoAndRedoSaveExactPixels) {
    EditorGrid grid(frame, 32, 32);
    ClickPaletteIndex(palette, kColors16, kRedIndex);
    ClickPaletteIndex(palette, kColors16, kBlueIndex, true);

    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Stroke({{2, 2}, {3, 2}, {4, 2}});
    EXPECT_FALSE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);
    EXPECT_FALSE(MenuItemState(frame, IDM_EDIT_UNDO) & MF_GRAYED);
    ASSERT_TRUE(SendCommand(frame, IDM_TOOL_FILLED_RECTANGLE));
    grid.Stroke({{5, 5}, {7, 6}, {9, 8}});
    Save();
    {
        const IconResource doc = ReadIconFileBack(path);
        for (int x = 2; x <= 4; ++x) EXPECT_EQ(Pixel(doc, x, 2), kRedIndex) << x;
        EXPECT_EQ(Pixel(doc, 1, 2), kWhiteIndex);
        EXPECT_EQ(Pixel(doc, 5, 2), kWhiteIndex);
        // Outline in colour A, inside in colour B.
        for (int x = 5; x <= 9; ++x) {
            EXPECT_EQ(Pixel(doc, x, 5), kRedIndex) << x;
            EXPECT_EQ(Pixel(doc, x, 8), kRedIndex) << x;
        }
        EXPECT_EQ(Pixel(doc, 5, 6), kRedIndex);
        EXPECT_EQ(Pixel(doc, 9, 7), kRedIndex);
        for (int x = 6; x <= 8; ++x) {
            EXPECT_EQ(Pixel(doc, x, 6), kBlueIndex) << x;
            EXPECT_EQ(Pixel(doc, x, 7), kBlueIndex) << x;
        }
        EXPECT_EQ(Pixel(doc, 10, 5), kWhiteIndex);
        EXPECT_EQ(Pixel(doc, 4, 9), kWhiteIndex);
        EXPECT_FALSE(doc.images[0].AndBit(6, 6));
    }

    // A flood with the right button pours colour B over the white background.
    ASSERT_TRUE(SendCommand(frame, kToolFlood));
    grid.Click(20, 20, true);
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_UNDO));
    EXPECT_FALSE(MenuItemState(frame, IDM_EDIT_REDO) & MF_GRAYED);
    Save();
    {
        const IconResource doc = ReadIconFileBack(path);
        EXPECT_EQ(Pixel(doc, 20, 20), kWhiteIndex);
        EXPECT_EQ(Pixel(doc, 0, 0), kWhiteIndex);
        EXPECT_EQ(Pixel(doc, 3, 2), kRedIndex);
    }
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_REDO));
    Save();
    {
        const IconResource doc = ReadIconFileBack(path);
        EXPECT_EQ(Pixel(doc, 20, 20), kBlueIndex);
        EXPECT_EQ(Pixel(doc, 0, 0), kBlueIndex);
        EXPECT_EQ(Pixel(doc, 31, 31), kBlueIndex);
        EXPECT_EQ(Pixel(doc, 3, 2), kRedIndex);   // the stroke is not part of the region
        EXPECT_EQ(Pixel(doc, 5, 5), kRedIndex);   // nor is the outline
        EXPECT_EQ(Pixel(doc, 7, 6), kBlueIndex);
    }
}

// Shift over the grid lends the pencil's place to the colour selector until it is released: a
// click picks colour A and the pencil then draws with it.
TEST_F(StudioDrawing, ShiftOverTheGridPicksAColourAndReturnsToThePencil) {
    EditorGrid grid(frame, 32, 32);
    ClickPaletteIndex(palette, kColors16, kBlueIndex);
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Click(3, 3);  // a blue pixel to pick
    ClickPaletteIndex(palette, kColors16, kRedIndex);
    POINT over = grid.CellCentre(3, 3);
    ClientToScreen(frame, &over);
    ASSERT_TRUE(SetCursorPos(over.x, over.y));
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_KEYDOWN, VK_SHIFT, 1, SMTO_NORMAL, 5000, &r));
    EXPECT_TRUE(MenuItemState(frame, kToolColorSelector) & MF_CHECKED);
    grid.Click(3, 3);
    // Held by Shift, the selector stays after the click.
    EXPECT_TRUE(MenuItemState(frame, kToolColorSelector) & MF_CHECKED);
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_KEYUP, VK_SHIFT, static_cast<LPARAM>(0xC0000001u),
                                    SMTO_NORMAL, 5000, &r));
    EXPECT_TRUE(MenuItemState(frame, kToolPencil) & MF_CHECKED);
    grid.Click(10, 10);
    Save();
    const IconResource doc = ReadIconFileBack(path);
    EXPECT_EQ(Pixel(doc, 10, 10), kBlueIndex);
    EXPECT_EQ(Pixel(doc, 3, 3), kBlueIndex);
}

// The colour of a palette cell's edge and centre in a picture of the Studio's windows.
struct CellLook {
    uint32_t edge = 0, inside = 0, centre = 0;
};
CellLook PaletteCellInPicture(HWND frame, HWND palette, int index, const char* name) {
    EXPECT_TRUE(RequestShownPicture(frame, name));
    const WindowPicture picture = ReadPicture(frame, name);
    for (const PaletteCell& c : PaletteCells(kColors16)) {
        if (c.kind != PaletteCellKind::Entry || c.value != index || picture.pixels.empty()) continue;
        POINT origin{4, 4};  // the window's margin around its cells
        ClientToScreen(palette, &origin);
        const int x = origin.x - picture.corner.x + c.rect.left, y = origin.y - picture.corner.y + c.rect.top;
        return {picture.At(x, y + c.rect.Height() / 2), picture.At(x + 1, y + c.rect.Height() / 2),
                picture.At(x + c.rect.Width() / 2, y + c.rect.Height() / 2)};
    }
    ADD_FAILURE() << "no palette cell for " << index;
    return {};
}

uint32_t PictureRgb(COLORREF c) { return static_cast<uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); }

// While the "Color Locator" flashes a colour's pixels, the colour's cell in the palette window is
// framed twice in the flashing colour; the frame goes with the flashing.
TEST_F(StudioDrawing, ColorLocatorFramesTheColoursPaletteCell) {
    EditorGrid grid(frame, 32, 32);
    ClickPaletteIndex(palette, kColors16, kRedIndex);
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Click(6, 6);
    ASSERT_TRUE(SendCommand(frame, kToolColorLocator));
    grid.Click(6, 6);
    Sleep(800);  // the first 500 ms tick has painted
    const CellLook during = PaletteCellInPicture(frame, palette, kRedIndex, "studio-locator-during.bmp");
    const uint32_t highlight = PictureRgb(GetSysColor(COLOR_HIGHLIGHT));
    const uint32_t highlightText = PictureRgb(GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_TRUE(during.edge == highlight || during.edge == highlightText) << std::hex << during.edge;
    EXPECT_EQ(during.inside, during.edge);
    EXPECT_EQ(during.centre, 0xFF0000u);
    Sleep(5000);  // ten ticks of 500 ms in all
    const CellLook after = PaletteCellInPicture(frame, palette, kRedIndex, "studio-locator-after.bmp");
    EXPECT_EQ(after.edge, 0xFF0000u);
    EXPECT_EQ(after.inside, 0xFF0000u);
}

TEST_F(StudioDrawing, UndoMenuTextNamesTheOperation) {
    EditorGrid grid(frame, 32, 32);
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Click(1, 1);
    // Opening a menu re-labels Undo; the state query makes the program refresh its menus.
    EXPECT_FALSE(MenuItemState(frame, IDM_EDIT_UNDO) & MF_GRAYED);
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_UNDO));
    EXPECT_TRUE(MenuItemState(frame, IDM_EDIT_UNDO) & MF_GRAYED);
    EXPECT_FALSE(MenuItemState(frame, IDM_EDIT_REDO) & MF_GRAYED);
}

TEST_F(StudioDrawing, HoldingTheShapeButtonOpensAChooserWhoseCellChoosesTheVariant) {
    HWND shapes = GetDlgItem(frame, IDM_TOOL_RECTANGLE);
    ASSERT_NE(shapes, nullptr);
    EXPECT_TRUE(MenuItemState(frame, IDM_TOOL_PENCIL) & MF_CHECKED);
    DWORD_PTR r;
    SendMessageTimeoutA(shapes, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), SMTO_NORMAL, 5000, &r);
    // After 200 ms the chooser opens beside the tool box and unfolds.
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (chooser = FindWindowExA(frame, nullptr, "VtToolChooser", nullptr)) != nullptr; },
                          3000, "the shape chooser"));
    ASSERT_TRUE(WaitUntil([&] {
        RECT c;
        GetWindowRect(chooser, &c);
        return c.right - c.left >= 5 * 32 + 2;
    }, 3000, "the chooser to unfold"));
    // Its second cell is the second variant after the current one: the solid rectangle.
    RECT button, box;
    GetWindowRect(shapes, &button);
    GetWindowRect(chooser, &box);
    const int x = box.left + 1 + 32 + 16 - button.left, y = box.top + 1 + 16 - button.top;
    SendMessageTimeoutA(shapes, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &r);
    SendMessageTimeoutA(shapes, WM_LBUTTONUP, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &r);
    EXPECT_FALSE(IsWindow(chooser));
    EXPECT_TRUE(MenuItemState(frame, IDM_TOOL_SOLID_RECTANGLE) & MF_CHECKED);
    EXPECT_FALSE(MenuItemState(frame, IDM_TOOL_PENCIL) & MF_CHECKED);
}

namespace {
void PostPaletteDoubleClick(HWND palette, int index) {
    for (const PaletteCell& c : PaletteCells(kColors256)) {
        if (c.kind != PaletteCellKind::Entry || c.value != index) continue;
        const LPARAM at = MAKELPARAM((c.rect.left + c.rect.right) / 2 + 4, (c.rect.top + c.rect.bottom) / 2 + 4);
        PostMessageA(palette, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(palette, WM_LBUTTONUP, 0, at);
        PostMessageA(palette, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(palette, WM_LBUTTONUP, 0, at);
        return;
    }
}
}  // namespace

TEST_F(StudioOnFile, BlendColorDialogEditsAnEntryClampingAndRefusingTypedValues) {
    IconImage image = MakeOpaqueImage(32, 32, kColors256, 7);
    const uint32_t before40 = image.TableColor(40);
    const uint32_t before7 = image.TableColor(7);
    Open("blend", "deep.ico", 1, std::move(image));

    // An entry every pixel uses: the question names their number, and No leaves it alone.
    PostPaletteDoubleClick(palette, 7);
    HWND question = studio.WaitForWindowTitled("Vantoro Studio");
    ASSERT_NE(question, nullptr);
    EXPECT_NE(AllChildTexts(question).find("is used by 1024 pixels"), std::string::npos) << AllChildTexts(question);
    PostMessageA(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 5000, "the question to close"));

    PostPaletteDoubleClick(palette, 40);
    HWND dialog = studio.WaitForWindowTitled("Blend Color");
    ASSERT_NE(dialog, nullptr);
    const LRESULT greenBefore = SendDlgItemMessageA(dialog, 312, TBM_GETPOS, 0, 0);
    // The track bars follow the fields as they are typed into, before the fields are left.
    SetDlgItemTextA(dialog, 303, "30");
    EXPECT_EQ(SendDlgItemMessageA(dialog, 302, TBM_GETPOS, 0, 0), 30);
    SetDlgItemTextA(dialog, 303, "300");  // red: clamped to 255
    EXPECT_EQ(SendDlgItemMessageA(dialog, 302, TBM_GETPOS, 0, 0), 255);
    SetDlgItemTextA(dialog, 313, "abc");  // green: refused, the old value stays
    EXPECT_EQ(SendDlgItemMessageA(dialog, 312, TBM_GETPOS, 0, 0), greenBefore);
    SetDlgItemTextA(dialog, 323, "17");   // blue
    EXPECT_EQ(SendDlgItemMessageA(dialog, 322, TBM_GETPOS, 0, 0), 17);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000, "the Blend Color dialog to close"));
    EXPECT_FALSE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    const uint32_t after = doc.images[0].TableColor(40);
    EXPECT_EQ(after & 0xFF, 255u);
    EXPECT_EQ((after >> 8) & 0xFF, (before40 >> 8) & 0xFF);
    EXPECT_EQ((after >> 16) & 0xFF, 17u);
    EXPECT_EQ(doc.images[0].TableColor(7), before7);
}

namespace {
POINT PaletteCellCentre(PaletteCellKind kind, int value) {
    for (const PaletteCell& c : PaletteCells(kColors256))
        if (c.kind == kind && c.value == value)
            return {(c.rect.left + c.rect.right) / 2 + 4, (c.rect.top + c.rect.bottom) / 2 + 4};
    ADD_FAILURE() << "no such palette cell";
    return {};
}
void SendMouse(HWND w, UINT msg, POINT p) {
    DWORD_PTR r;
    SendMessageTimeoutA(w, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y), SMTO_NORMAL, 5000, &r);
}
}  // namespace

TEST_F(StudioOnFile, StripColourDraggedOntoAnEntryReplacesIt) {
    IconImage image = MakeOpaqueImage(32, 32, kColors256, 7);
    const uint32_t colour100 = image.TableColor(100);
    Open("blend_drop", "drop.ico", 1, std::move(image));
    ClickPaletteIndex(palette, kColors256, 100);
    const POINT well = PaletteCellCentre(PaletteCellKind::LeftBlendWell, 0);
    SendMouse(palette, WM_LBUTTONDOWN, well);
    SendMouse(palette, WM_LBUTTONUP, well);
    // The strip's first cell is the left well's colour; dragged onto entry 40 it replaces it.
    const POINT from = PaletteCellCentre(PaletteCellKind::BlendStrip, 0);
    const POINT to = PaletteCellCentre(PaletteCellKind::Entry, 40);
    SendMouse(palette, WM_LBUTTONDOWN, from);
    SendMouse(palette, WM_MOUSEMOVE, {from.x + 4, from.y});
    SendMouse(palette, WM_MOUSEMOVE, to);
    SendMouse(palette, WM_LBUTTONUP, to);
    ASSERT_FALSE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    EXPECT_EQ(doc.images[0].TableColor(40), colour100);
}

TEST_F(StudioOnFile, HotSpotSetOnTheGridIsSavedInTheFileDirectory) {
    Open("hotspot", "pointer.cur", 2, MakeOpaqueImage(32, 32, kMonochrome, 1));
    EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- pointer.cur");
    EXPECT_FALSE(MenuItemState(frame, IDM_SET_HOT_SPOT) & MF_GRAYED);
    ASSERT_TRUE(SendCommand(frame, IDM_SET_HOT_SPOT));
    EXPECT_TRUE(MenuItemState(frame, IDM_SET_HOT_SPOT) & MF_CHECKED);
    EditorGrid grid(frame, 32, 32);
    grid.Click(7, 19);
    // The press set the hot spot and ended the mode; it drew nothing.
    EXPECT_FALSE(MenuItemState(frame, IDM_SET_HOT_SPOT) & MF_CHECKED);
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 22u);
    EXPECT_EQ(bytes[2], 2);                        // a cursor file
    EXPECT_EQ(bytes[6 + 4] | bytes[6 + 5] << 8, 7);   // hot-spot x
    EXPECT_EQ(bytes[6 + 6] | bytes[6 + 7] << 8, 19);  // hot-spot y
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    EXPECT_EQ(doc.images[0].XorValue(7, 19), 1u);
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
    frame = nullptr;
}

}  // namespace
}  // namespace vt::test
