#pragma once
// The Windows clipboard for the editors' Cut, Copy and Paste: a selection goes on it in two forms
// at once, a screen-compatible CF_BITMAP that other programs understand (masked pixels in colour
// B) and the private "VT98Clip" block that keeps indices and transparency.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "image/clipboard_block.h"

namespace vt {

// The registered "VT98Clip" format (registered on first use).
UINT ClipFormat();
// Whether the clipboard holds a bitmap (what Paste and the Paste buttons need).
bool ClipboardHasBitmap();

// Empties the clipboard and puts both forms of the block on it: `bitmapColours` (0x00BBGGRR, rows
// from the top, ClipBitmapColours) as the bitmap, and the block itself. False when the clipboard
// could not be opened, memory ran out or the clipboard refused either form; the clipboard is then
// left empty rather than half-filled, and nothing it did not take is leaked.
bool PutBlockOnClipboard(HWND owner, const std::vector<uint32_t>& bitmapColours,
                         const ClipBlock& block);

// With the clipboard open and empty: places the bitmap and then the block (in `blockFormat`)
// through `place` (SetClipboardData). Whatever was not taken is freed here; the block is not
// offered once the bitmap was refused. True when both were taken.
bool HandOverClipForms(HBITMAP bitmap, HGLOBAL block, UINT blockFormat,
                       HANDLE(WINAPI* place)(UINT, HANDLE));

// A screen-compatible bitmap of `width` x `height` with the colours (0x00BBGGRR, rows from the
// top); the caller owns it.
HBITMAP MakeScreenBitmap(const std::vector<uint32_t>& colours, int width, int height);
// The pixels of a bitmap as colours 0x00BBGGRR, rows from the top. False for a bitmap that
// cannot be read or is larger than kMaxClipboardBitmapSide on a side.
bool ReadBitmapColours(HBITMAP bitmap, std::vector<uint32_t>* colours, int* width, int* height);
constexpr int kMaxClipboardBitmapSide = 4096;

// What Paste finds: the private block when it is there, otherwise the bitmap's colours.
struct ClipboardContents {
    bool hasBlock = false;
    ClipBlock block;
    std::vector<uint32_t> colours;
    int width = 0;
    int height = 0;
};
// False when the clipboard holds no usable bitmap.
bool ReadClipboard(HWND owner, ClipboardContents* out);

}  // namespace vt
