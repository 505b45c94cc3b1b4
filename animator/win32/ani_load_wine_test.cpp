// The system's own cursor loader as the judge of the animated cursors we write: it must load them
// from a file, report their steps and rates, and draw each step as the frame we wrote there.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animator/animation.h"
#include "common/file_io.h"
#include "tests/win32/uidriver.h"

namespace vt {
namespace {

// The system's step inquiry, which user32 exports without a header declaration.
using GetCursorFrameInfoFn = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);

GetCursorFrameInfoFn FrameInfo() {
    return reinterpret_cast<GetCursorFrameInfoFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetCursorFrameInfo")));
}

struct Editor {
    ImageHost host;
    Editor() {
        host.newImagePalette = [](int32_t, ColorValues256& out) {
            for (uint32_t i = 0; i < 256; ++i) out[i] = i * 0x010101u;
            return true;
        };
    }
};

// Frame f is a solid colour of its own with a transparent top-left quarter and a hot spot that
// moves with f.
void Paint(IconImage& img, uint32_t index, uint32_t f) {
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            const bool transparent = x < 16 && y < 16;
            img.SetAndBit(x, y, transparent);
            img.SetXorValue(x, y, transparent ? 0 : index);
        }
    img.hotSpotX = 4 * f;
    img.hotSpotY = 3 * f;
}

// The colour value a 16-colour frame index shows.
COLORREF ColourOf(const IconImage& img, uint32_t index) {
    return img.TableColor(index) & 0xFFFFFF;
}

// Draws step `step` of the cursor on white and returns the 32 x 32 pixels as COLORREFs.
std::vector<COLORREF> DrawStep(HCURSOR cursor, UINT step) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 32;
    bi.bmiHeader.biHeight = -32;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, 32, 32};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(DrawIconEx(dc, 0, 0, cursor, 32, 32, step, nullptr, DI_NORMAL));
    GdiFlush();
    std::vector<COLORREF> px(32 * 32);
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return px;
}

class AniLoadWine : public ::testing::Test {
  protected:
    void SetUp() override { m_dir = test::ScratchDir("ani_load"); }
    std::string Save(Animation& a, const std::string& name) {
        const std::string path = m_dir + "\\" + name;
        EXPECT_TRUE(a.Save(path)) << path;
        return path;
    }
    std::string m_dir;
};

TEST_F(AniLoadWine, LoadsOurFileWithItsStepsRatesAndPictures) {
    Editor e;
    Animation a(e.host);
    ASSERT_TRUE(a.New(16));
    a.InsertFrames(3, true, false);
    const uint32_t colours[] = {9, 10, 12, 9};  // steps 1 and 4 share a picture
    for (uint32_t f = 0; f < 4; ++f) Paint(a.frame(f).image(), colours[f], f == 3 ? 0 : f);
    a.SetTimeText(1, "5");
    a.SetTimeText(2, "30");
    a.SetTexts("walk", "");
    const std::string path = Save(a, "walk.ani");
    ASSERT_EQ(a.Properties().images, 3);

    HCURSOR fromFile = LoadCursorFromFileA(path.c_str());
    ASSERT_NE(fromFile, nullptr) << "LoadCursorFromFile refused " << path;
    HCURSOR image = static_cast<HCURSOR>(
        LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    ASSERT_NE(image, nullptr) << "LoadImage refused " << path;

    if (GetCursorFrameInfoFn info = FrameInfo()) {
        DWORD rate = 0, steps = 0;
        ASSERT_NE(info(image, 0, 0, &rate, &steps), nullptr);
        EXPECT_EQ(steps, 4u);
        const DWORD rates[] = {10, 5, 30, 10};
        for (DWORD s = 0; s < 4; ++s) {
            ASSERT_NE(info(image, 0, s, &rate, &steps), nullptr);
            EXPECT_EQ(rate, rates[s]) << "step " << s;
        }
    }

    for (UINT s = 0; s < 4; ++s) {
        const std::vector<COLORREF> px = DrawStep(image, s);
        const COLORREF want = ColourOf(a.frame(s).image(), colours[s]);
        int wrong = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                wrong += px[static_cast<size_t>(y * 32 + x)] !=
                         (x < 16 && y < 16 ? RGB(255, 255, 255) : want);
        EXPECT_EQ(wrong, 0) << "step " << s;
    }

    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(image, &ii));
    EXPECT_FALSE(ii.fIcon);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    DestroyCursor(image);
    DestroyCursor(fromFile);
}

TEST_F(AniLoadWine, LoadsNewAndSharedPictureAnimations) {
    Editor e;
    Animation a(e.host);
    ASSERT_TRUE(a.New(16));
    const std::string fresh = Save(a, "new.ani");
    HCURSOR c = LoadCursorFromFileA(fresh.c_str());
    ASSERT_NE(c, nullptr);
    DestroyCursor(c);

    // Three steps of one picture: one "icon" chunk, a sequence of zeros. Wine makes a cursor of
    // a single image a plain cursor, so only the picture is asked for here; the sequence itself
    // is checked with several pictures above.
    Paint(a.frame(0).image(), 12, 1);
    a.InsertFrames(2, true, true);
    const std::string shared = Save(a, "shared.ani");
    ASSERT_EQ(a.Properties().images, 1);
    c = static_cast<HCURSOR>(
        LoadImageA(nullptr, shared.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(c, nullptr);
    for (UINT s = 0; s < 3; ++s) {
        const std::vector<COLORREF> px = DrawStep(c, s);
        EXPECT_EQ(px[32 * 31 + 31], ColourOf(a.frame(0).image(), 12)) << "step " << s;
    }
    DestroyCursor(c);
}

}  // namespace
}  // namespace vt
