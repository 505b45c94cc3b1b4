#include <gtest/gtest.h>

#include "image/win32/clipboard.h"

namespace vt {
namespace {

// What the fake clipboard takes and refuses; what it takes it keeps, as the system's does.
UINT g_refuse = 0;
std::vector<HANDLE> g_taken;

HANDLE WINAPI FakePlace(UINT format, HANDLE data) {
    if (format == g_refuse) return nullptr;
    g_taken.push_back(data);
    return data;
}

bool BitmapAlive(HBITMAP b) {
    return GetObjectType(b) == OBJ_BITMAP;
}
bool BlockAlive(HGLOBAL g) {
    return GlobalSize(g) != 0;
}

// One of the two forms refused: the clipboard owns only what it took, so whatever it refused,
// and the block it was never offered, are freed rather than leaked.
TEST(ClipboardHandOver, WhatTheClipboardRefusesIsFreed) {
    const UINT blockFormat = ClipFormat();
    for (UINT refuse : {UINT{CF_BITMAP}, blockFormat, UINT{0}}) {
        SCOPED_TRACE(refuse);
        g_refuse = refuse;
        g_taken.clear();
        HBITMAP bitmap = MakeScreenBitmap({0x0000FF, 0x00FF00}, 2, 1);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);
        ASSERT_TRUE(bitmap);
        ASSERT_TRUE(block);
        const bool ok = HandOverClipForms(bitmap, block, blockFormat, FakePlace);
        EXPECT_EQ(ok, refuse == 0);
        EXPECT_EQ(BitmapAlive(bitmap), refuse != CF_BITMAP);
        EXPECT_EQ(BlockAlive(block), refuse == 0);
        // What the fake took is the test's to free now.
        for (HANDLE h : g_taken) {
            if (h == bitmap) DeleteObject(bitmap);
            if (h == block) GlobalFree(block);
        }
    }
}

}  // namespace
}  // namespace vt
