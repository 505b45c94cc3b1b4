// Drags on the Studio's grid as the mouse really sends them: moves that leave the grid, a second
// button, commands that arrive while a button is down. What the drag leaves is read from the
// saved file.
#include <gtest/gtest.h>

#include "draw/command_ids.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

constexpr uint32_t kWhiteIndex = 15, kRedIndex = 9, kBlueIndex = 12;

class StudioDrag : public StudioOnFile {
  protected:
    // A white 32 x 32 icon; colour A red, colour B blue.
    void OpenCanvas() {
        Open("drag", "drag.ico", 1, MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
        PickColours();
    }
    void PickColours() {
        ClickPaletteIndex(palette, kColors16, kRedIndex);
        ClickPaletteIndex(palette, kColors16, kBlueIndex, true);
    }
    IconImage Saved() {
        EXPECT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
        IconResource doc = ReadIconFileBack(path);
        EXPECT_EQ(doc.images.size(), 1u);
        return doc.images.empty() ? IconImage{} : std::move(doc.images[0]);
    }
};

// Part of a stroke is drawn where the pointer went out, the rest where it came back; nothing joins
// the two.
TEST_F(StudioDrag, FreehandStrokesThatLeaveTheGridAreNotJoinedWhereTheyComeBack) {
    OpenCanvas();
    EditorGrid grid(frame, 32, 32);
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Press(2, 2);
    grid.MoveTo(4, 2);
    grid.MoveBelowGrid();
    grid.MoveTo(4, 10);
    grid.Release(4, 10);

    // The 3 x 3 brush, from (10,4) out and back at (10,20).
    ASSERT_TRUE(SendCommand(frame, kToolBrush));
    grid.Press(10, 4);
    grid.MoveBelowGrid();
    grid.MoveTo(10, 20);
    grid.Release(10, 20);

    // The eraser turns the red column at x = 20 blue only around where it pressed and came back.
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Stroke({{20, 0}, {20, 31}});
    ASSERT_TRUE(SendCommand(frame, kToolEraser));
    grid.Press(20, 4);
    grid.MoveBelowGrid();
    grid.MoveTo(20, 20);
    grid.Release(20, 20);

    const IconImage img = Saved();
    for (int x = 2; x <= 4; ++x) EXPECT_EQ(img.XorValue(x, 2), kRedIndex) << x;
    EXPECT_EQ(img.XorValue(4, 10), kRedIndex);
    for (int y = 3; y <= 9; ++y) EXPECT_EQ(img.XorValue(4, y), kWhiteIndex) << y;
    for (int y = 3; y <= 5; ++y) EXPECT_EQ(img.XorValue(10, y), kRedIndex) << y;
    for (int y = 6; y <= 18; ++y) EXPECT_EQ(img.XorValue(10, y), kWhiteIndex) << y;
    for (int y = 19; y <= 21; ++y) EXPECT_EQ(img.XorValue(10, y), kRedIndex) << y;
    for (int y = 3; y <= 5; ++y) EXPECT_EQ(img.XorValue(20, y), kBlueIndex) << y;
    for (int y = 6; y <= 18; ++y) EXPECT_EQ(img.XorValue(20, y), kRedIndex) << y;
    for (int y = 19; y <= 21; ++y) EXPECT_EQ(img.XorValue(20, y), kBlueIndex) << y;
}

// The right button pressed and released during a left-button rectangle is not the rectangle's.
TEST_F(StudioDrag, SecondButtonDuringADragIsNotDeliveredNorItsRelease) {
    OpenCanvas();
    EditorGrid grid(frame, 32, 32);
    ASSERT_TRUE(SendCommand(frame, IDM_TOOL_FILLED_RECTANGLE));
    grid.Press(5, 5);
    grid.MoveTo(7, 6);
    grid.Press(7, 6, true);
    grid.Release(7, 6, true);
    grid.MoveTo(9, 8);
    grid.Release(9, 8);
    const IconImage img = Saved();
    for (int x = 5; x <= 9; ++x) {
        EXPECT_EQ(img.XorValue(x, 5), kRedIndex) << x;
        EXPECT_EQ(img.XorValue(x, 8), kRedIndex) << x;
    }
    for (int y = 6; y <= 7; ++y)
        for (int x = 6; x <= 8; ++x) EXPECT_EQ(img.XorValue(x, y), kBlueIndex) << x << "," << y;
    EXPECT_EQ(img.XorValue(10, 9), kWhiteIndex);
}

// Puts a small bitmap on the clipboard, so that Paste has something to paste.
void PutBitmapOnClipboard() {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(bmp, nullptr);
    ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000, "the clipboard"));
    EmptyClipboard();
    if (!SetClipboardData(CF_BITMAP, bmp)) DeleteObject(bmp);
    CloseClipboard();
}

// Closes whatever dialog a command opened in the Studio, so that a failing case does not block the
// cases after it.
void CloseDialogsOf(DWORD pid) {
    for (int i = 0; i < 5; ++i) {
        HWND w = nullptr;
        bool found = false;
        while ((w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != pid || !IsWindowVisible(w)) continue;
            found = true;
            PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
        }
        if (!found) return;
        Sleep(200);
    }
}

// The 32 x 32 image of a saved file of two formats (the Studio writes them smallest first).
const IconImage& Large(const IconResource& doc) {
    for (const IconImage& img : doc.images)
        if (img.width == 32) return img;
    ADD_FAILURE() << "no 32 x 32 image";
    return doc.images.front();
}

// Each command arrives in the middle of a pencil stroke of its own row (by accelerator, as a menu
// cannot open while the button is held). None may run: the strokes stay one operation that one
// Undo takes back whole, and the document, its formats and the tool are those of before.
TEST_F(StudioDrag, EditFileAndFormatCommandsDuringAStrokeAreIgnored) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
    images.push_back(MakeOpaqueImage(16, 16, kColors16, kWhiteIndex));
    Open("drag_commands", "two.ico", 1, std::move(images));
    PickColours();
    PutBitmapOnClipboard();
    const std::string title = WindowTitle(frame);
    HWND list = GetDlgItem(frame, IDC_FORMAT_LIST);
    ASSERT_NE(list, nullptr);
    EditorGrid grid(frame, 32, 32);
    ASSERT_TRUE(SendCommand(frame, kToolBrush));
    grid.Click(28, 28);  // something for Undo, Redo and the nudges to change
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_UNDO));
    ASSERT_TRUE(SendCommand(frame, kToolPencil));

    struct Case {
        const char* name;
        int id;
    };
    const Case cases[] = {{"Undo", IDM_EDIT_UNDO},
                          {"Redo", IDM_EDIT_REDO},
                          {"Select All", IDM_EDIT_SELECT_ALL},
                          {"Paste", IDM_EDIT_PASTE},
                          {"Paste Special", IDM_EDIT_PASTE_SPECIAL},
                          {"Clear", IDM_EDIT_CLEAR},
                          {"Cut", IDM_EDIT_CUT},
                          {"Nudge Left", IDM_NUDGE_LEFT},
                          {"Nudge Right", IDM_NUDGE_RIGHT},
                          {"Nudge Up", IDM_NUDGE_UP},
                          {"Nudge Down", IDM_NUDGE_DOWN},
                          {"Flip Horizontal", IDM_FLIP_HORIZONTAL},
                          {"Flip Vertical", IDM_FLIP_VERTICAL},
                          {"another format", IDC_FORMAT_LIST},
                          {"New Image Format", IDM_NEW_FORMAT},
                          {"Remove Image Format", IDM_REMOVE_FORMAT},
                          {"Open", IDM_FILE_OPEN},
                          {"New", IDM_FILE_NEW},
                          {"Save", IDM_FILE_SAVE}};
    const int rows = static_cast<int>(std::size(cases));
    for (int row = 0; row < rows; ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.name);
        grid.Press(1, row);
        grid.MoveTo(3, row);
        DWORD_PTR r = 0;
        bool answered;
        if (c.id == IDC_FORMAT_LIST) {
            SendMessageA(list, LB_SETCURSEL, 1, 0);
            answered =
                SendMessageTimeoutA(frame, WM_COMMAND, MAKEWPARAM(IDC_FORMAT_LIST, LBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(list), SMTO_NORMAL, 3000, &r) != 0;
            SendMessageA(list, LB_SETCURSEL, 0, 0);
        } else {
            answered = SendMessageTimeoutA(frame, WM_COMMAND, static_cast<WPARAM>(c.id), 0,
                                           SMTO_NORMAL, 3000, &r) != 0;
        }
        EXPECT_TRUE(answered) << "a dialog opened";
        if (!answered) CloseDialogsOf(studio.pid());
        grid.MoveTo(5, row);
        grid.Release(5, row);
        EXPECT_TRUE(MenuItemState(frame, kToolPencil) & MF_CHECKED);
        EXPECT_FALSE(MenuItemState(frame, IDM_EDIT_UNDO) & MF_GRAYED);
        EXPECT_TRUE(MenuItemState(frame, IDM_EDIT_REDO) & MF_GRAYED);
        EXPECT_EQ(WindowTitle(frame), title);
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    }
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    {
        const IconResource doc = ReadIconFileBack(path);
        ASSERT_EQ(doc.images.size(), 2u);
        const IconImage& img = Large(doc);
        int red = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) red += img.XorValue(x, y) == kRedIndex;
        EXPECT_EQ(red, 5 * rows);
        for (int row = 0; row < rows; ++row)
            for (int x = 1; x <= 5; ++x)
                EXPECT_EQ(img.XorValue(x, row), kRedIndex) << x << "," << row;
    }
    // All the strokes were one pencil operation.
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_UNDO));
    EXPECT_TRUE(MenuItemState(frame, IDM_EDIT_UNDO) & MF_GRAYED);
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 2u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(Large(doc).XorValue(x, y), kWhiteIndex) << x << "," << y;
}

// Cut and Clear while a selection is being dragged leave it floating; it is put down whole.
TEST_F(StudioDrag, CutAndClearDuringASelectionMoveAreIgnored) {
    OpenCanvas();
    EditorGrid grid(frame, 32, 32);
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Stroke({{2, 2}, {4, 2}});
    ASSERT_TRUE(SendCommand(frame, kToolSelectionFrame));
    // The pointer is held to the grid while a selection is drawn or dragged, and a pointer outside
    // it is moved in, which sends a move of its own at some later time: the system's pointer is
    // put where each drag ends, so that a late move changes nothing.
    ParkPointer(frame, grid.CellCentre(5, 3));
    grid.Stroke({{1, 1}, {5, 3}});
    ParkPointer(frame, grid.CellCentre(3, 8));
    grid.Press(3, 2);
    grid.MoveTo(3, 5);
    for (int id : {IDM_EDIT_CUT, IDM_EDIT_CLEAR}) EXPECT_TRUE(SendCommand(frame, id, 3000));
    grid.MoveTo(3, 8);
    grid.Release(3, 8);
    ASSERT_TRUE(SendCommand(frame, kToolPencil));  // puts the selection down
    const IconImage img = Saved();
    for (int x = 2; x <= 4; ++x) {
        EXPECT_EQ(img.XorValue(x, 8), kRedIndex) << x;
        EXPECT_EQ(img.XorValue(x, 2), kBlueIndex) << x;  // lifted: colour B where it was
    }
}

// An emptied text box takes its text away: nothing is put down when the tool is left.
TEST_F(StudioDrag, ClearedTextIsNotPutDown) {
    OpenCanvas();
    EditorGrid grid(frame, 32, 32);
    ASSERT_TRUE(SendCommand(frame, kToolText));
    HWND text = studio.WaitForWindow("ICSText");
    ASSERT_NE(text, nullptr);
    HWND edit = GetDlgItem(text, 1112);
    ASSERT_NE(edit, nullptr);
    grid.Click(4, 4);
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("W"),
                                    SMTO_NORMAL, 5000, &r));
    // Selected and deleted, as the user empties the box.
    ASSERT_TRUE(SendMessageTimeoutA(edit, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, &r));
    ASSERT_TRUE(SendMessageTimeoutA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""),
                                    SMTO_NORMAL, 5000, &r));
    ASSERT_EQ(ControlText(text, 1112), "");
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    const IconImage img = Saved();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(img.XorValue(x, y), kWhiteIndex) << x << "," << y;
}


// The grid's pixels on the screen that a repaint shows otherwise; the marching ants of a selection
// (the lines around `antsCells`, in cells) crawl on and are left out.
int GridPixelsUnlikeARepaint(HWND frame, const EditorGrid& grid, const char* name,
                             const RECT* antsCells) {
    const std::string shownName = std::string("studio-drag-") + name + "-shown.bmp";
    const std::string repaintName = std::string("studio-drag-") + name + "-repaint.bmp";
    EXPECT_TRUE(RequestShownPicture(frame, shownName));
    EXPECT_TRUE(RequestPicture(frame, repaintName));
    const WindowPicture shown = ReadPicture(frame, shownName);
    const WindowPicture repaint = ReadPicture(frame, repaintName);
    if (shown.width != repaint.width || shown.height != repaint.height || shown.pixels.empty()) {
        ADD_FAILURE() << "pictures of different sizes";
        return -1;
    }
    const GridRect f = grid.Frame();
    RECT ants{};
    if (antsCells) {
        const POINT a = grid.CellCentre(antsCells->left, antsCells->top),
                    b = grid.CellCentre(antsCells->right, antsCells->bottom);
        const int halfW = (grid.CellCentre(1, 0).x - grid.CellCentre(0, 0).x) / 2 + 3;
        const int halfH = (grid.CellCentre(0, 1).y - grid.CellCentre(0, 0).y) / 2 + 3;
        ants = {a.x - halfW, a.y - halfH, b.x + halfW, b.y + halfH};
    }
    POINT topLeft{f.left, f.top};
    ClientToScreen(frame, &topLeft);
    const int x0 = topLeft.x - shown.corner.x, y0 = topLeft.y - shown.corner.y;
    if (x0 < 0 || y0 < 0 || x0 + f.Width() > shown.width || y0 + f.Height() > shown.height) {
        ADD_FAILURE() << "the grid is not in the picture";
        return -1;
    }
    int differing = 0;
    for (int y = 0; y < f.Height(); ++y)
        for (int x = 0; x < f.Width(); ++x) {
            const int cx = f.left + x, cy = f.top + y;
            const bool nearAnts = antsCells && cx >= ants.left && cx < ants.right &&
                                  cy >= ants.top && cy < ants.bottom &&
                                  (cx < ants.left + 6 || cx >= ants.right - 6 ||
                                   cy < ants.top + 6 || cy >= ants.bottom - 6);
            if (!nearAnts) differing += shown.At(x0 + x, y0 + y) != repaint.At(x0 + x, y0 + y);
        }
    return differing;
}

// What the grid showed cell by cell while a selection was hovered, moved, hovered again and put
// down is what a repaint of the grid shows.
TEST_F(StudioDrag, GridAfterMovingAndPuttingDownASelectionLooksAsARepaint) {
    OpenCanvas();
    EditorGrid grid(frame, 32, 32);
    ParkPointer(frame, {-40, -40});
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Stroke({{2, 3}, {9, 3}, {9, 7}});
    grid.Stroke({{4, 2}, {4, 8}});
    ASSERT_TRUE(SendCommand(frame, kToolSelectionFrame));
    ParkPointer(frame, grid.CellCentre(8, 6));  // where the drag ends (see the test above)
    grid.Stroke({{2, 2}, {8, 6}});
    grid.MoveTo(5, 4);  // hovering: the cross-hair runs through the selection
    ParkPointer(frame, grid.CellCentre(9, 9));
    grid.Press(5, 4);
    grid.MoveTo(7, 6);
    grid.MoveTo(9, 9);
    grid.Release(9, 9);
    grid.MoveTo(10, 12);  // the cross-hair across the moved selection
    grid.MoveTo(12, 8);
    ParkPointer(frame, {-40, -40});
    DWORD_PTR r = 0;
    SendMessageTimeoutA(frame, WM_MOUSELEAVE, 0, 0, SMTO_NORMAL, 5000, &r);
    const RECT moved{6, 7, 12, 11};
    EXPECT_EQ(GridPixelsUnlikeARepaint(frame, grid, "moved", &moved), 0);

    grid.MoveTo(11, 9);
    ParkPointer(frame, grid.CellCentre(20, 20));
    grid.Press(20, 20);  // outside: the selection is put down
    grid.Release(20, 20);
    grid.MoveTo(14, 10);
    ParkPointer(frame, {-40, -40});
    SendMessageTimeoutA(frame, WM_MOUSELEAVE, 0, 0, SMTO_NORMAL, 5000, &r);
    EXPECT_EQ(GridPixelsUnlikeARepaint(frame, grid, "down", nullptr), 0);

    // The pictures are of the image as drawn: the selection's pixels went where it was dropped.
    const IconImage img = Saved();
    EXPECT_EQ(img.XorValue(6, 8), kRedIndex);
    EXPECT_EQ(img.XorValue(4, 2), kBlueIndex);
}

// Another tool, chosen by command or lent by Shift with the pointer still over the grid, takes the
// old tool's marks away: the cross-hair, the line tool's cell, the brush's footprint.
TEST_F(StudioDrag, HoverMarksGoWhenTheToolChangesUnderThePointer) {
    OpenCanvas();
    EditorGrid grid(frame, 32, 32);
    ParkPointer(frame, {-40, -40});
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    grid.Stroke({{3, 3}, {12, 3}});
    ASSERT_TRUE(SendCommand(frame, IDM_TOOL_ELLIPSE));
    grid.MoveTo(6, 8);
    ASSERT_TRUE(SendCommand(frame, kToolBrush));
    EXPECT_EQ(GridPixelsUnlikeARepaint(frame, grid, "crosshair-gone", nullptr), 0);
    grid.MoveTo(9, 9);
    ASSERT_TRUE(SendCommand(frame, kToolLine));
    EXPECT_EQ(GridPixelsUnlikeARepaint(frame, grid, "footprint-gone", nullptr), 0);
    grid.MoveTo(10, 4);
    ParkPointer(frame, grid.CellCentre(10, 4));
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_KEYDOWN, VK_SHIFT, 1, SMTO_NORMAL, 5000, &r));
    EXPECT_TRUE(MenuItemState(frame, kToolColorSelector) & MF_CHECKED);
    EXPECT_EQ(GridPixelsUnlikeARepaint(frame, grid, "line-mark-gone", nullptr), 0);
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_KEYUP, VK_SHIFT, static_cast<LPARAM>(0xC0000001u),
                                    SMTO_NORMAL, 5000, &r));
    ParkPointer(frame, {-40, -40});
}

}  // namespace
}  // namespace vt::test
