// Pictures of the Studio for people to look at: a 32 x 32 16-colour icon and a 256-colour image,
// each with the grid, tool box, palette and preview. Written as BMP files into the pictures folder;
// the test command turns them into PNG files next to them.
#include <gtest/gtest.h>

#include "common/win32/window_picture.h"
#include "draw/command_ids.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

void DrawSample(HWND frame, HWND palette, int32_t code, int size) {
    EditorGrid grid(frame, size, size);
    ClickPaletteIndex(palette, code, code == kColors16 ? 9 : 40);
    ClickPaletteIndex(palette, code, code == kColors16 ? 14 : 200, true);
    ASSERT_TRUE(SendCommand(frame, IDM_TOOL_FILLED_ELLIPSE));
    grid.Stroke({{4, 4}, {20, 20}, {27, 27}});
    ASSERT_TRUE(SendCommand(frame, IDM_TOOL_FILLED_RECTANGLE));
    grid.Stroke({{2, 20}, {8, 26}, {12, 29}});
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    ClickPaletteIndex(palette, code, code == kColors16 ? 12 : 100);
    grid.Stroke({{25, 2}, {26, 3}, {27, 4}, {28, 5}, {29, 6}});
}

void Shoot(const std::string& name, int32_t code, uint32_t fill) {
    ResetEditorSettings();
    const std::string dir = ScratchDir("screenshot_" + name);
    const std::string path = dir + "\\" + name + ".ico";
    std::vector<IconImage> images;
    IconImage img = MakeOpaqueImage(32, 32, code, fill);
    // A transparent border shows how screen pixels look in the grid and the preview.
    for (int i = 0; i < 32; ++i)
        for (int j : {0, 31}) {
            img.SetAndBit(i, j, true);
            img.SetXorValue(i, j, 0);
            img.SetAndBit(j, i, true);
            img.SetXorValue(j, i, 0);
        }
    images.push_back(std::move(img));
    WriteIconFile(path, 1, std::move(images));
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE", path));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    HWND palette = studio.WaitForWindow("ICSPAlette");
    ASSERT_NE(palette, nullptr);
    DrawSample(frame, palette, code, 32);
    const std::string shot = PictureFolder() + "\\studio-" + name + ".bmp";
    DeleteFileA(shot.c_str());
    ASSERT_TRUE(RequestPicture(frame, "studio-" + name + ".bmp"));
    const std::vector<uint8_t> bytes = ReadFileBytes(shot);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(CloseDiscarding(studio, frame), 0);
}

TEST(StudioScreenshot, SixteenColourIcon) { Shoot("16color", kColors16, 15); }
TEST(StudioScreenshot, TwoHundredFiftySixColourImage) { Shoot("256color", kColors256, 180); }

// Another process's request never makes the Studio write where that process chooses: without the
// harness's folder, read at start-up, nothing is written at all; with it, only a plain ".bmp"
// name inside that folder.
TEST(StudioScreenshot, PicturesOnlyIntoTheFolderTheHarnessNamedAtStartUp) {
    ResetEditorSettings();
    const std::string dir = ScratchDir("pictures_refused");
    const std::string elsewhere = dir + "\\elsewhere.bmp";
    const std::string inFolder = PictureFolder() + "\\refused.bmp";
    const std::string inProgramFolder = BinDir() + "\\refused.bmp";
    DeleteFileA(inFolder.c_str());
    DeleteFileA(inProgramFolder.c_str());
    {
        EnableWindowPictures(false);
        Program studio;
        const bool started = studio.Start("VTEDIT.EXE");
        EnableWindowPictures(true);  // too late for the Studio already started
        ASSERT_TRUE(started);
        HWND frame = WaitForEditorFrame(studio);
        ASSERT_NE(frame, nullptr);
        EXPECT_FALSE(RequestPicture(frame, "refused.bmp"));
        EXPECT_FALSE(RequestPicture(frame, elsewhere));
        EXPECT_EQ(GetFileAttributesA(inFolder.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA(inProgramFolder.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA(elsewhere.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(CloseDiscarding(studio, frame), 0);
    }
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE"));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    for (const std::string& bad : std::vector<std::string>{elsewhere, "..\\scratch\\pictures_refused\\elsewhere.bmp",
                                                           "refused.txt", "NUL.bmp", "a:b.bmp"})
        EXPECT_FALSE(RequestPicture(frame, bad)) << bad;
    EXPECT_EQ(GetFileAttributesA(elsewhere.c_str()), INVALID_FILE_ATTRIBUTES);
    WIN32_FIND_DATAA found;
    const HANDLE h = FindFirstFileA((dir + "\\*.bmp").c_str(), &found);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << found.cFileName;
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    // A block that is not ended by its zero is no request either.
    char unended[] = {'x', '.', 'b', 'm', 'p'};
    COPYDATASTRUCT data{kWindowPictureRequest, sizeof unended, unended};
    DWORD_PTR result = 1;
    ASSERT_NE(SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &result),
              0);
    EXPECT_EQ(result, 0u);
    EXPECT_TRUE(RequestPicture(frame, "accepted.bmp"));
    EXPECT_GT(ReadFileBytes(PictureFolder() + "\\accepted.bmp").size(), 54u);
    EXPECT_EQ(CloseDiscarding(studio, frame), 0);
}

}  // namespace
}  // namespace vt::test
