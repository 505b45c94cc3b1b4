#include "image/win32/clipboard.h"

#include <cstring>

namespace vt {

namespace {

// Opens the clipboard, retrying briefly: another program may hold it for a moment.
bool OpenClipboardRetrying(HWND owner) {
    for (int i = 0; i < 10; ++i) {
        if (OpenClipboard(owner)) return true;
        Sleep(20);
    }
    return false;
}

HGLOBAL CopyToGlobal(const std::vector<uint8_t>& bytes) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!mem) return nullptr;
    void* p = GlobalLock(mem);
    if (!p) {
        GlobalFree(mem);
        return nullptr;
    }
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem);
    return mem;
}

bool ReadBlock(UINT format, ClipBlock* block) {
    HANDLE h = GetClipboardData(format);
    if (!h) return false;
    const SIZE_T size = GlobalSize(h);
    const auto* p = static_cast<const uint8_t*>(GlobalLock(h));
    if (!p) return false;
    const bool ok = DecodeClipBlock({p, size}, block);
    GlobalUnlock(h);
    return ok;
}

}  // namespace

UINT ClipFormat() {
    static const UINT format = RegisterClipboardFormatA(kClipFormatName);
    return format;
}

bool ClipboardHasBitmap() {
    return IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

HBITMAP MakeScreenBitmap(const std::vector<uint32_t>& colours, int width, int height) {
    if (width <= 0 || height <= 0 ||
        colours.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (bitmap) {
        // Through a 32-bit DIB: one call instead of a SetPixel per pixel, exact on every depth.
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        std::vector<uint32_t> dib(colours.size());
        for (size_t i = 0; i < colours.size(); ++i) dib[i] = SwapRedBlue(colours[i] & 0xFFFFFF);
        if (!SetDIBits(screen, bitmap, 0, static_cast<UINT>(height), dib.data(), &bi,
                       DIB_RGB_COLORS)) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

bool ReadBitmapColours(HBITMAP bitmap, std::vector<uint32_t>* colours, int* width, int* height) {
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info)) return false;
    if (info.bmWidth <= 0 || info.bmHeight <= 0 || info.bmWidth > kMaxClipboardBitmapSide ||
        info.bmHeight > kMaxClipboardBitmapSide)
        return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> dib(static_cast<size_t>(info.bmWidth) *
                              static_cast<size_t>(info.bmHeight));
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), dib.data(), &bi,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != info.bmHeight) return false;
    for (uint32_t& c : dib) c = SwapRedBlue(c & 0xFFFFFF);
    *colours = std::move(dib);
    *width = info.bmWidth;
    *height = info.bmHeight;
    return true;
}

bool PutBlockOnClipboard(HWND owner, const std::vector<uint32_t>& bitmapColours,
                         const ClipBlock& block) {
    if (block.pixels.empty()) return false;
    HBITMAP bitmap = MakeScreenBitmap(bitmapColours, static_cast<int>(block.width),
                                      static_cast<int>(block.height));
    HGLOBAL mem = CopyToGlobal(EncodeClipBlock(block));
    if (!bitmap || !mem || !OpenClipboardRetrying(owner)) {
        if (bitmap) DeleteObject(bitmap);
        if (mem) GlobalFree(mem);
        return false;
    }
    EmptyClipboard();
    const bool ok = HandOverClipForms(bitmap, mem, ClipFormat(), SetClipboardData);
    // A bitmap without its block would paste without transparency: all or nothing.
    if (!ok) EmptyClipboard();
    CloseClipboard();
    return ok;
}

bool HandOverClipForms(HBITMAP bitmap, HGLOBAL block, UINT blockFormat,
                       HANDLE(WINAPI* place)(UINT, HANDLE)) {
    // What the clipboard took is its own from then on; what it refused is still ours to free.
    const bool bitmapTaken = place(CF_BITMAP, bitmap) != nullptr;
    const bool blockTaken = bitmapTaken && place(blockFormat, block) != nullptr;
    if (!bitmapTaken) DeleteObject(bitmap);
    if (!blockTaken) GlobalFree(block);
    return blockTaken;
}

bool ReadClipboard(HWND owner, ClipboardContents* out) {
    if (!ClipboardHasBitmap() || !OpenClipboardRetrying(owner)) return false;
    bool ok = false;
    if (IsClipboardFormatAvailable(ClipFormat()) && ReadBlock(ClipFormat(), &out->block)) {
        out->hasBlock = ok = true;
    } else if (HANDLE h = GetClipboardData(CF_BITMAP)) {
        ok = ReadBitmapColours(static_cast<HBITMAP>(h), &out->colours, &out->width, &out->height);
    }
    CloseClipboard();
    return ok;
}

}  // namespace vt
