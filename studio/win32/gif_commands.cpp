#include "studio/win32/gif_commands.h"

#include "studio/gif_file.h"
#include "studio/win32/resource_edit.h"

namespace vt::studio {

namespace {

INT_PTR CALLBACK CannotCompleteProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(dlg, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool OpenGifFile(IconResource& doc, ImageHost& host, const std::string& path) {
    if (!ReadGifFile(doc, host, path)) return false;
    doc.resourceType = kGifResource;
    doc.commands.newImageFormat = false;
    doc.fileType = kGifFile;
    return true;
}

bool SaveGifFile(HINSTANCE instance, HWND owner, IconResource& doc, ImageHost& host,
                 const std::string& path, int fileType) {
    const IconImage* img = doc.ActiveImage();
    if (!img) return false;
    if (img->colorCode == kTrueColor) {
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CANNOT_COMPLETE), owner, CannotCompleteProc,
                        0);
        return false;
    }
    if (img->colorCode == kMonochrome) {
        // Reached through Save of a GIF document whose active image is monochrome: refused as the
        // Save As dialog refuses it.
        MessageBeep(MB_ICONHAND);
        MessageBoxA(owner, "Save to GIF file format requires color image.", "Vantoro Studio",
                    MB_OK | MB_ICONSTOP);
        return false;
    }
    const bool interlaced = fileType == kInterlacedGifFile;
    if (WriteGifFile(doc, host, path, interlaced) != GifWriteStatus::Ok) return false;
    doc.path = path;
    doc.untitled = false;
    doc.fileType = fileType;
    return true;
}

}  // namespace vt::studio
