// The Studio's clipboard, selection commands, GIF files, bitmap import and Icon Properties as a
// user meets them: commands through the frame, dialogs answered like a user, the results read
// from the clipboard and from the saved files.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "draw/command_ids.h"
#include "draw/win32/editor_ids.h"
#include "image/bmp_testutil.h"
#include "studio/gif_file.h"
#include "studio/win32/resource.h"
#include "studio/win32/resource_edit.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

constexpr uint32_t kGreenIndex = 10, kRedIndex = 9, kBlueIndex = 12, kWhiteIndex = 15;
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The pixels of the clipboard's CF_BITMAP as COLORREFs, rows from the top.
std::vector<COLORREF> ClipboardBitmap(int* width, int* height) {
    std::vector<COLORREF> out;
    if (!OpenClipboard(nullptr)) return out;
    if (HBITMAP bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP info{};
        GetObjectA(bmp, sizeof info, &info);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = info.bmWidth;
        bi.bmiHeader.biHeight = -info.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        std::vector<uint32_t> dib(static_cast<size_t>(info.bmWidth) * info.bmHeight);
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, bmp, 0, info.bmHeight, dib.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        for (uint32_t c : dib) out.push_back(RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
        *width = info.bmWidth;
        *height = info.bmHeight;
    }
    CloseClipboard();
    return out;
}

// Puts a plain bitmap of one colour on the clipboard, as another program would.
void PutPlainBitmap(int w, int h, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r{0, 0, w, h};
    FillRect(mem, &r, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bmp);
    CloseClipboard();
}

struct BoxSearch {
    DWORD pid;
    const std::string* title;
    const std::string* text;
    HWND found;
    std::string seen;
};

BOOL CALLBACK FindBox(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<BoxSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || WindowTitle(w) != *s->title) return TRUE;
    const std::string texts = AllChildTexts(w);
    s->seen = texts;
    if (texts.find(*s->text) == std::string::npos) return TRUE;
    s->found = w;
    return FALSE;
}

// A message box or dialog of the Studio with this title whose texts contain `text`.
HWND WaitForBox(Program& studio, const std::string& title, const std::string& text) {
    BoxSearch search{studio.pid(), &title, &text, nullptr, {}};
    WaitUntil(
        [&] {
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        kDefaultWaitMs, "a box saying " + text + " (seen: " + search.seen + ")");
    return search.found;
}

class StudioEditing : public StudioOnFile {
  protected:
    // saveAsType: the Save As type the Studio remembers from an earlier session (0: none).
    void StartWith(std::vector<IconImage> images, const char* name = "canvas.ico",
                   int saveAsType = 0) {
        ResetEditorSettings();
        if (saveAsType) {
            EditorState state;
            state.saveAsFileType = saveAsType;
            WriteStateRecord(state);
        }
        dir = ScratchDir("editing");
        path = dir + "\\" + name;
        WriteIconFile(path, 1, std::move(images));
        StartOn(path);
    }
    void Save() { ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE)); }
    bool Grayed(int id) { return (MenuItemState(frame, static_cast<UINT>(id)) & MF_GRAYED) != 0; }

    std::string dir;
};

TEST_F(StudioEditing, PropertiesOfANewIconShowOneColourAnd744Bytes) {
    ResetEditorSettings();
    StartOn("");
    ASSERT_FALSE(Grayed(IDM_VIEW_PROPERTIES));
    ASSERT_TRUE(PostCommand(frame, IDM_VIEW_PROPERTIES));
    HWND dlg = studio.WaitForWindowTitled("Icon Properties");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_PROP_NAME), "untitled");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_WIDTH), "32");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_HEIGHT), "32");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_FORMAT), "4 bit, 16 colors");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_COLORS), "1");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_SIZE), "744 bytes");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_TOTAL), "744 bytes");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_OTHER_FIRST), "");
    // The icon area holds the largest image the Studio edits, 64 x 64, whole.
    RECT area{};
    ASSERT_TRUE(GetClientRect(GetDlgItem(dlg, IDC_PROP_ICON), &area));
    EXPECT_GE(area.right, 64);
    EXPECT_GE(area.bottom, 64);
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, 5000, "Icon Properties to close"));
}

TEST_F(StudioEditing, CopiedTransparentPixelsPasteBackTransparentAndOthersSeeColourB) {
    IconImage img = MakeOpaqueImage(16, 16, kColors16, kRedIndex);
    for (int x = 0; x < 16; ++x) {
        img.SetXorValue(x, 0, 0);
        img.SetAndBit(x, 0, true);  // the top row is transparent
    }
    std::vector<IconImage> images;
    images.push_back(std::move(img));
    StartWith(std::move(images));
    ClickPaletteIndex(palette, kColors16, kBlueIndex, true);  // colour B
    EXPECT_TRUE(Grayed(IDM_EDIT_COPY));
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    EXPECT_FALSE(Grayed(IDM_EDIT_COPY));
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_COPY));
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA("VT98Clip")));
    EXPECT_FALSE(Grayed(IDM_EDIT_PASTE));

    int w = 0, h = 0;
    const std::vector<COLORREF> pixels = ClipboardBitmap(&w, &h);
    ASSERT_EQ(w, 16);
    ASSERT_EQ(h, 16);
    EXPECT_EQ(pixels[0], kBlue);  // transparent: colour B
    EXPECT_EQ(pixels[15], kBlue);
    EXPECT_EQ(pixels[16], RGB(255, 0, 0));  // the red below

    // Clear leaves colour B everywhere; the paste brings back the transparent row.
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_CLEAR));
    EXPECT_TRUE(Grayed(IDM_EDIT_COPY));
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_PASTE));
    ASSERT_TRUE(SendCommand(frame, kToolPencil));  // puts the pasted selection down
    Save();
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    for (int x = 0; x < 16; ++x) {
        EXPECT_TRUE(doc.images[0].AndBit(x, 0)) << x;
        EXPECT_FALSE(doc.images[0].AndBit(x, 1)) << x;
        EXPECT_EQ(doc.images[0].XorValue(x, 1), kRedIndex) << x;
    }
}

TEST_F(StudioEditing, TooLargeBitmapShrinksToFitWhenTheUserSaysYes) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    PutPlainBitmap(64, 32, RGB(255, 0, 0));
    EXPECT_FALSE(Grayed(IDM_EDIT_PASTE));
    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_PASTE));
    HWND box = WaitForBox(studio, "Vantoro Studio", "Bitmap is too large.");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(AllChildTexts(box).find("Would you like to shrink the image to fit?"),
              std::string::npos);
    PostMessageA(box, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000, "the question to close"));
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    Save();
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    const IconImage& img = doc.images[0];
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(img.XorValue(x, y), y < 16 ? kRedIndex : kWhiteIndex) << x << "," << y;
}

TEST_F(StudioEditing, NudgeLeftUndoesInOneStepAndASelectionDraggedOffAndBackLosesNothing) {
    IconImage img = MakeOpaqueImage(16, 16, kColors16, kWhiteIndex);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) img.SetXorValue(x, y, static_cast<uint32_t>((x + y) % 7));
    std::vector<IconImage> images;
    images.push_back(std::move(img));
    StartWith(std::move(images));
    ASSERT_TRUE(SendCommand(frame, IDM_NUDGE_LEFT));
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_UNDO));
    EXPECT_TRUE(Grayed(IDM_EDIT_UNDO));

    EditorGrid grid(frame, 16, 16);
    ASSERT_TRUE(SendCommand(frame, kToolSelectionFrame));
    grid.Stroke({{8, 8}, {15, 15}});
    EXPECT_FALSE(Grayed(IDM_EDIT_COPY));
    grid.Stroke({{10, 10}, {14, 14}, {18, 18}, {22, 22}, {14, 14}, {10, 10}});
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    Save();
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(doc.images[0].XorValue(x, y), static_cast<uint32_t>((x + y) % 7))
                << x << "," << y;
}

TEST_F(StudioEditing, ImportedSmallBitmapIsCentredWithATransparentBorderAndCannotBeUndone) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    const std::string bmp = dir + "\\red.bmp";
    {
        BmpFixture fixture;
        fixture.width = fixture.height = 16;
        fixture.pixels.assign(16 * 16, 0x0000FF);  // red
        const std::vector<uint8_t> bytes = MakeBmp(fixture);
        std::ofstream(bmp, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    ClickPaletteIndex(palette, kColors16, kBlueIndex);  // something to undo before the import
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    EditorGrid(frame, 32, 32).Click(1, 1);
    EXPECT_FALSE(Grayed(IDM_EDIT_UNDO));
    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_OPEN_BITMAP));
    AnswerFileDialog(studio.WaitForWindowTitled("Open Bitmap File"), bmp);
    ASSERT_TRUE(WaitUntil([&] { return !Grayed(IDM_FILE_SAVE) && Grayed(IDM_EDIT_UNDO); }, 5000,
                          "the import to finish"));
    Save();
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    const IconImage& img = doc.images[0];
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inside = x >= 8 && x < 24 && y >= 8 && y < 24;
            ASSERT_EQ(img.AndBit(x, y), !inside) << x << "," << y;
            if (inside) {
                ASSERT_EQ(img.XorValue(x, y), kRedIndex) << x << "," << y;
            }
        }
}

TEST_F(StudioEditing, SavedAsGifReadsBackWithTheSamePixelsAndReopensFromTheRecentList) {
    IconImage img = MakeOpaqueImage(16, 16, kColors16, kWhiteIndex);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            img.SetXorValue(x, y,
                            static_cast<uint32_t>((x * 3 + y) % 14 + 1));  // index 0 stays free
    img.SetXorValue(0, 0, 0);
    img.SetAndBit(0, 0, true);  // one transparent pixel
    std::vector<IconImage> images;
    images.push_back(img.Clone());
    StartWith(std::move(images), "canvas.ico", kGifFile);
    const std::string gif = dir + "\\picture.gif";
    ASSERT_TRUE(PostCommand(frame, IDM_FILE_SAVE_AS));
    AnswerFileDialog(studio.WaitForWindowTitled("Save As"), gif);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(frame) == "Vantoro Studio- picture.gif"; }, 5000,
                          "the GIF title"));

    IconResource back;
    ImageHost host;
    ASSERT_TRUE(ReadGifFile(back, host, gif));
    ASSERT_EQ(back.images.size(), 1u);
    const IconImage& read = back.images[0];
    EXPECT_EQ(read.colorCode, kColors256);
    EXPECT_TRUE(read.AndBit(0, 0));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (x == 0 && y == 0) continue;
            ASSERT_FALSE(read.AndBit(x, y)) << x << "," << y;
            ASSERT_EQ(read.TableColor(read.XorValue(x, y)), img.TableColor(img.XorValue(x, y)))
                << x << "," << y;
        }

    // The recently-used entry remembers the GIF type, so it opens as a GIF again.
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_MRU1));
    EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- picture.gif");
    EXPECT_TRUE(Grayed(IDM_NEW_FORMAT));
    ASSERT_TRUE(PostCommand(frame, IDM_VIEW_PROPERTIES));
    HWND dlg = studio.WaitForWindowTitled("Icon Properties");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_PROP_FORMAT), "8 bit, 256 colors");
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, 5000, "Icon Properties to close"));

    // Named on the command line, a ".gif" file opens with the GIF reader too.
    EXPECT_EQ(CloseDiscarding(studio, frame), 0);
    StartOn(gif);
    EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- picture.gif");
    EXPECT_TRUE(Grayed(IDM_NEW_FORMAT));
}

TEST_F(StudioEditing, TrueColourImageIsRefusedForGifWithTheDialogTexts) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(16, 16, kTrueColor, 0x00FF00));
    StartWith(std::move(images), "canvas.ico", kGifFile);
    ASSERT_TRUE(PostCommand(frame, IDM_FILE_SAVE_AS));
    AnswerFileDialog(studio.WaitForWindowTitled("Save As"), dir + "\\deep.gif");
    HWND dlg = studio.WaitForWindowTitled("Cannot Complete Request");
    ASSERT_NE(dlg, nullptr);
    const std::string texts = AllChildTexts(dlg);
    for (const char* t :
         {"This True Color image cannot be saved to a GIF file.  GIF files are limited to a "
          "maximum of 256 colors.",
          "To save to a GIF file:", "Select an existing 256 color image in the current icon", "or",
          "Create a new 256 color image format.  (Select 'New Image Format...' from the Tools "
          "menu.)"})
        EXPECT_NE(texts.find(t), std::string::npos) << t;
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, 5000, "the dialog to close"));
    EXPECT_EQ(GetFileAttributesA((dir + "\\deep.gif").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- canvas");
}

// Opens Screen Capture, picks the size button and starts the capture window.
HWND StartCapture(Program& studio, HWND frame, int sizeButton) {
    EXPECT_TRUE(PostCommand(frame, IDM_SCREEN_CAPTURE));
    HWND dlg = studio.WaitForWindowTitled("Screen Capture");
    if (!dlg) return nullptr;
    SendMessageA(GetDlgItem(dlg, sizeButton), BM_CLICK, 0, 0);
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    return studio.WaitForWindow("ICSCapture");
}

void Mouse(HWND w, UINT msg, WPARAM keys, int x, int y) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(w, msg, keys, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &r);
}

TEST_F(StudioEditing, CustomCaptureNineWideAndFortyTallIsTooSmall) {
    ResetEditorSettings();
    StartOn("");
    HWND capture = StartCapture(studio, frame, IDC_CAPTURE_CUSTOM);
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(WindowTitle(capture), "Capture");
    Mouse(capture, WM_MOUSEMOVE, 0, 100, 100);  // the first movement is ignored
    Mouse(capture, WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
    Mouse(capture, WM_MOUSEMOVE, MK_LBUTTON, 104, 120);
    PostMessageA(capture, WM_LBUTTONUP, 0, MAKELPARAM(108, 139));
    HWND box = WaitForBox(studio, "Vantoro Studio",
                          "Captured area is too small: 40 pixels tall, and 9 wide.");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(AllChildTexts(box).find("Area must be at least 10 x 10 pixels."), std::string::npos);
    EXPECT_FALSE(IsWindow(capture));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000, "the message to close"));
}

TEST_F(StudioEditing, FixedCapturePutsA32By32BitmapOnTheClipboard) {
    ResetEditorSettings();
    StartOn("");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    HWND capture = StartCapture(studio, frame, IDC_CAPTURE_32);
    ASSERT_NE(capture, nullptr);
    EXPECT_TRUE(IsIconic(frame));
    Mouse(capture, WM_MOUSEMOVE, 0, 40, 40);
    Mouse(capture, WM_MOUSEMOVE, 0, 50, 60);
    Mouse(capture, WM_LBUTTONDOWN, MK_LBUTTON, 50, 60);
    PostMessageA(capture, WM_LBUTTONUP, 0, MAKELPARAM(50, 60));
    HWND box = WaitForBox(studio, "Vantoro Studio",
                          "Bitmap information (32 x 32 pixels) successfully captured");
    ASSERT_NE(box, nullptr);
    int w = 0, h = 0;
    EXPECT_FALSE(ClipboardBitmap(&w, &h).empty());
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) && !IsIconic(frame); }, 5000,
                          "the frame to come back"));
}

TEST_F(StudioEditing, RightClickEndsTheCaptureWithoutTouchingTheClipboard) {
    ResetEditorSettings();
    StartOn("");
    PutPlainBitmap(12, 11, RGB(1, 2, 3));
    HWND capture = StartCapture(studio, frame, IDC_CAPTURE_16);
    ASSERT_NE(capture, nullptr);
    Mouse(capture, WM_MOUSEMOVE, 0, 40, 40);
    Mouse(capture, WM_MOUSEMOVE, 0, 50, 60);
    PostMessageA(capture, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 60));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(capture) && !IsIconic(frame); }, 5000,
                          "the capture to end"));
    int w = 0, h = 0;
    ClipboardBitmap(&w, &h);
    EXPECT_EQ(w, 12);
    EXPECT_EQ(h, 11);
}

TEST_F(StudioEditing, PasteControlPanelOffersTheClipboardAndTheSelectionAndIsPictured) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kRedIndex));
    StartWith(std::move(images));
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_COPY));
    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_PASTE_SPECIAL));
    HWND dlg = studio.WaitForWindowTitled("Paste Control Panel");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_PASTE_FROM_CLIPBOARD, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_PASTE_INTO_SELECTION, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, IDC_PASTE_INTO_SELECTION)));
    EXPECT_TRUE(RequestPicture(frame, "studio-paste-panel.bmp"));
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, 5000, "the panel to close"));
}

TEST_F(StudioEditing, RightClickInsideTheSelectionOpensItsMenuAndRemoveSelectionEndsIt) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(16, 16, kColors16, kRedIndex));
    StartWith(std::move(images));
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    EXPECT_FALSE(Grayed(IDM_EDIT_CUT));
    const POINT p = EditorGrid(frame, 16, 16).CellCentre(5, 5);
    PostMessageA(frame, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            menu = FindWindowA("#32768", nullptr);
            return menu && IsWindowVisible(menu);
        },
        5000, "the selection's menu"));
    PostMessageA(frame, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, 5000, "the menu to close"));
    ASSERT_TRUE(SendCommand(frame, IDM_REMOVE_SELECTION));
    EXPECT_TRUE(Grayed(IDM_EDIT_CUT));
    EXPECT_TRUE(Grayed(IDM_EDIT_COPY));
    EXPECT_TRUE(Grayed(IDM_EDIT_CLEAR));
}

TEST_F(StudioEditing, TypedTextIsCommittedInColourAAndTransparentColourBLeavesTheRest) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    ClickPaletteIndex(palette, kColors16, kRedIndex);
    ClickPaletteIndex(palette, kColors16, kBlueIndex, true);
    ASSERT_TRUE(SendCommand(frame, IDM_COLORB_TRANSPARENT));
    ASSERT_FALSE(Grayed(IDM_TOOL_TEXT));
    ASSERT_TRUE(SendCommand(frame, kToolText));
    HWND text = studio.WaitForWindow("ICSText");
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(text) != FALSE; }, 5000, "the text window"));
    EXPECT_EQ(WindowTitle(text), "Add Text");
    HWND edit = GetDlgItem(text, 1112);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(ControlText(text, 1110), "Font...");
    EXPECT_NE(AllChildTexts(text).find("Text:"), std::string::npos);
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Hi"),
                                    SMTO_NORMAL, 5000, &r));
    EXPECT_TRUE(RequestPicture(frame, "studio-text.bmp"));
    // The font dialog opens from "Font..." with an Apply button; cancelling it keeps the text.
    PostMessageA(GetDlgItem(text, 1110), BM_CLICK, 0, 0);
    HWND font = studio.WaitForWindowTitled("Font");
    ASSERT_NE(font, nullptr);
    EXPECT_NE(GetDlgItem(font, 1026), nullptr);
    ASSERT_TRUE(SendMessageTimeoutA(font, WM_COMMAND, 1026, 0, SMTO_NORMAL, 5000, &r));
    PostMessageA(font, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(font); }, 5000, "the font dialog to close"));
    ASSERT_TRUE(SendCommand(frame, kToolPencil));  // commits the text
    EXPECT_FALSE(IsWindowVisible(text));
    Save();
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    int lit = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint32_t v = doc.images[0].XorValue(x, y);
            ASSERT_TRUE(v == kRedIndex || v == kWhiteIndex) << x << "," << y << " holds " << v;
            lit += v == kRedIndex;
        }
    EXPECT_GT(lit, 6);
}

// Delete typed into the text field removes a character there; it is not the Clear command, which
// would take the floating text away.
TEST_F(StudioEditing, DeleteInTheTextFieldEditsTheText) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    ASSERT_TRUE(SendCommand(frame, kToolText));
    HWND text = studio.WaitForWindow("ICSText");
    ASSERT_NE(text, nullptr);
    HWND edit = GetDlgItem(text, 1112);
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Hi"),
                                    SMTO_NORMAL, 5000, &r));
    ASSERT_TRUE(SendMessageTimeoutA(edit, EM_SETSEL, 0, 0, SMTO_NORMAL, 5000, &r));
    ASSERT_FALSE(Grayed(IDM_EDIT_CLEAR));
    // Posted, the key goes through the Studio's message loop as a typed one does.
    PostMessageA(edit, WM_KEYDOWN, VK_DELETE, 0x01530001);
    PostMessageA(edit, WM_KEYUP, VK_DELETE, static_cast<LPARAM>(0xC1530001u));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(text, 1112) == "i"; }, 5000, "Delete in the text"));
    EXPECT_FALSE(Grayed(IDM_EDIT_CLEAR));  // the floating text is still there
}

// The pixel rectangle holding every pixel of `value` in the saved image, and how many there are.
struct Found {
    int count = 0;
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Found PixelsOfValue(const IconImage& img, uint32_t value) {
    Found f;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (!img.AndBit(x, y) && img.XorValue(x, y) == value) {
                ++f.count;
                f.left = std::min(f.left, x);
                f.top = std::min(f.top, y);
                f.right = std::max(f.right, x);
                f.bottom = std::max(f.bottom, y);
            }
    return f;
}

TEST_F(StudioEditing, TextGoesWhereTheGridWasClickedFollowsColourAAndItsWindowClosesTheStudio) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    ClickPaletteIndex(palette, kColors16, kRedIndex);
    ClickPaletteIndex(palette, kColors16, kBlueIndex, true);
    ASSERT_TRUE(SendCommand(frame, IDM_COLORB_TRANSPARENT));
    ASSERT_TRUE(SendCommand(frame, kToolText));
    HWND text = studio.WaitForWindow("ICSText");
    ASSERT_NE(text, nullptr);
    HWND edit = GetDlgItem(text, 1112);
    EditorGrid grid(frame, 32, 32);
    grid.Click(12, 14);
    DWORD_PTR r = 0;
    HWND bar = ChildOfClass(frame, "ToolbarWindow32");
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, IDM_EDIT_UNDO, 0));
    ASSERT_TRUE(SendMessageTimeoutA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Hi"),
                                    SMTO_NORMAL, 5000, &r));
    // The floating text can be undone and the document saved.
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, IDM_EDIT_UNDO, 0));
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, IDM_FILE_SAVE, 0));
    // A new colour A while the text floats renders it again in that colour.
    ClickPaletteIndex(palette, kColors16, kGreenIndex);
    // A press outside the text puts it down and empties the box for the next one.
    grid.Click(1, 1);
    EXPECT_EQ(ControlText(text, 1112), "");
    EXPECT_TRUE(IsWindowVisible(text));
    Save();
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    const Found green = PixelsOfValue(doc.images[0], kGreenIndex);
    EXPECT_GT(green.count, 6);
    EXPECT_GE(green.left, 12);
    EXPECT_GE(green.top, 14);
    EXPECT_EQ(PixelsOfValue(doc.images[0], kRedIndex).count, 0);
    EXPECT_EQ(PixelsOfValue(doc.images[0], kWhiteIndex).count + green.count, 32 * 32);

    // Closing the text window closes the program (no changes are pending after the save).
    PostMessageA(text, WM_CLOSE, 0, 0);
    EXPECT_EQ(studio.WaitForExit(), 0);
    frame = nullptr;
}

TEST_F(StudioEditing, TextToolStartsOverOnAnotherFormat) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
    images.push_back(MakeOpaqueImage(16, 16, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    ASSERT_TRUE(SendCommand(frame, kToolText));
    HWND text = studio.WaitForWindow("ICSText");
    ASSERT_NE(text, nullptr);
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(GetDlgItem(text, 1112), EM_REPLACESEL, TRUE,
                                    reinterpret_cast<LPARAM>("Hi"), SMTO_NORMAL, 5000, &r));
    EXPECT_EQ(ControlText(text, 1112), "Hi");
    HWND list = GetDlgItem(frame, IDC_FORMAT_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    const LRESULT other = 1 - SendMessageA(list, LB_GETCURSEL, 0, 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(other), 0);
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_COMMAND, MAKEWPARAM(IDC_FORMAT_LIST, LBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(list), SMTO_NORMAL, 5000, &r));
    EXPECT_EQ(ControlText(text, 1112), "");
    EXPECT_TRUE(IsWindowVisible(text));
    EXPECT_FALSE(Grayed(IDM_EDIT_UNDO) && Grayed(IDM_FILE_SAVE));  // the text was put down
}

// The frame's dashes crawl: two pictures of the window a few ticks apart differ while a
// selection exists, and are equal without one.
TEST_F(StudioEditing, SelectionFrameDashesCrawl) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(16, 16, kColors16, kRedIndex));
    StartWith(std::move(images));
    const std::string a = dir + "\\ants-a.bmp", b = dir + "\\ants-b.bmp";
    auto twoPictures = [&] {
        EXPECT_TRUE(RequestSnapshot(frame, a));
        Sleep(3 * 125 + 60);
        EXPECT_TRUE(RequestSnapshot(frame, b));
        return ReadFileBytes(a) != ReadFileBytes(b);
    };
    EXPECT_FALSE(twoPictures());
    ASSERT_TRUE(SendCommand(frame, kToolSelectionFrame));
    EditorGrid(frame, 16, 16).Stroke({{3, 3}, {12, 12}});
    EXPECT_FALSE(Grayed(IDM_EDIT_COPY));
    EXPECT_TRUE(twoPictures());
}

TEST_F(StudioEditing, PasteIntoTheCurrentSelectionFillsItsRectangle) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(32, 32, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    EditorGrid grid(frame, 32, 32);
    ASSERT_TRUE(SendCommand(frame, kToolSelectionFrame));
    grid.Stroke({{4, 6}, {11, 13}});  // an 8 x 8 selection
    PutPlainBitmap(16, 16, kBlue);
    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_PASTE_SPECIAL));
    HWND dlg = studio.WaitForWindowTitled("Paste Control Panel");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_PASTE_INTO_SELECTION, BM_GETCHECK, 0, 0), BST_CHECKED);
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, 5000, "the panel to close"));
    // The 16 x 16 picture is scaled to the selection and floats at its place.
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    Save();
    const IconResource doc = ReadIconFileBack(path);
    ASSERT_EQ(doc.images.size(), 1u);
    const Found blue = PixelsOfValue(doc.images[0], kBlueIndex);
    EXPECT_EQ(blue.count, 64);
    EXPECT_EQ(blue.left, 4);
    EXPECT_EQ(blue.top, 6);
    EXPECT_EQ(blue.right, 11);
    EXPECT_EQ(blue.bottom, 13);
}

// The tool bar's Paste button follows the clipboard when another program changes it.
TEST_F(StudioEditing, PasteButtonFollowsTheClipboard) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(16, 16, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    HWND bar = ChildOfClass(frame, "ToolbarWindow32");
    ASSERT_NE(bar, nullptr);
    auto pasteEnabled = [&] { return SendMessageA(bar, TB_ISBUTTONENABLED, IDM_EDIT_PASTE, 0) != 0; };
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_TRUE(WaitUntil([&] { return !pasteEnabled(); }, 5000, "Paste to be disabled"));
    PutPlainBitmap(4, 4, kBlue);
    EXPECT_TRUE(WaitUntil(pasteEnabled, 5000, "Paste to be enabled"));
}

// While a selection is drawn the pointer is held on the grid; it is free again on release.
TEST_F(StudioEditing, DrawingASelectionHoldsThePointerOnTheGrid) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(16, 16, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    ASSERT_TRUE(SendCommand(frame, kToolSelectionFrame));
    EditorGrid grid(frame, 16, 16);
    RECT free{};
    ASSERT_TRUE(GetClipCursor(&free));
    grid.Press(2, 2);
    RECT held{};
    ASSERT_TRUE(GetClipCursor(&held));
    grid.MoveTo(6, 6);
    grid.Release(6, 6);
    RECT after{};
    ASSERT_TRUE(GetClipCursor(&after));
    EXPECT_TRUE(EqualRect(&after, &free));
    POINT first = grid.CellCentre(0, 0), last = grid.CellCentre(15, 15);
    ClientToScreen(frame, &first);
    ClientToScreen(frame, &last);
    EXPECT_TRUE(PtInRect(&held, first));
    EXPECT_TRUE(PtInRect(&held, last));
    // Half a cell and the grid's border around the outer cells' centres, no more.
    EXPECT_LT(held.right - held.left, last.x - first.x + 40);
    EXPECT_LT(held.bottom - held.top, last.y - first.y + 40);
}

// Over a selection the pointer shows that a press moves it; elsewhere it is the tool's own.
TEST_F(StudioEditing, PointerOverTheSelectionIsTheMovePointer) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(16, 16, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    ASSERT_TRUE(SendCommand(frame, kToolSelectionFrame));
    EditorGrid grid(frame, 16, 16);
    grid.Stroke({{2, 2}, {6, 6}});
    auto cursorOver = [&](int x, int y) {
        POINT p = grid.CellCentre(x, y);
        ClientToScreen(frame, &p);
        SetCursorPos(p.x, p.y);
        DWORD_PTR r = 0;
        SendMessageTimeoutA(frame, WM_SETCURSOR, reinterpret_cast<WPARAM>(frame),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), SMTO_NORMAL, 5000, &r);
        CURSORINFO info{sizeof info, 0, nullptr, {}};
        GetCursorInfo(&info);
        return info.hCursor;
    };
    // Cursor handles are the Studio's own, so they are compared with each other.
    const HCURSOR inside = cursorOver(4, 4), outside = cursorOver(12, 12);
    EXPECT_NE(inside, outside);
    EXPECT_EQ(cursorOver(6, 2), inside);
    EXPECT_EQ(cursorOver(7, 7), outside);
    ASSERT_TRUE(SendCommand(frame, IDM_REMOVE_SELECTION));
    EXPECT_EQ(cursorOver(4, 4), outside);
}

// The tool bar's Cut and Copy follow a selection made and ended with the mouse alone.
TEST_F(StudioEditing, CutAndCopyButtonsFollowTheSelectionDrawnWithTheMouse) {
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(16, 16, kColors16, kWhiteIndex));
    StartWith(std::move(images));
    HWND bar = ChildOfClass(frame, "ToolbarWindow32");
    ASSERT_NE(bar, nullptr);
    auto enabled = [&](int id) { return SendMessageA(bar, TB_ISBUTTONENABLED, id, 0) != 0; };
    ASSERT_TRUE(SendCommand(frame, kToolSelectionFrame));
    EXPECT_FALSE(enabled(IDM_EDIT_CUT));
    EditorGrid grid(frame, 16, 16);
    ParkPointer(frame, grid.CellCentre(6, 6));  // where each drag ends
    grid.Stroke({{2, 2}, {6, 6}});
    EXPECT_TRUE(enabled(IDM_EDIT_CUT));
    EXPECT_TRUE(enabled(IDM_EDIT_COPY));
    ParkPointer(frame, grid.CellCentre(12, 12));
    grid.Click(12, 12);  // outside: the selection ends and no new one is made
    EXPECT_FALSE(enabled(IDM_EDIT_CUT));
    EXPECT_FALSE(enabled(IDM_EDIT_COPY));
}

}  // namespace
}  // namespace vt::test
