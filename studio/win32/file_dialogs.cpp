#include "studio/win32/file_dialogs.h"

#include <commdlg.h>

#include "studio/win32/studio_app.h"

namespace vt::studio {

namespace {

constexpr char kOpenFilter[] = "Icon Resource\0*.ico\0Cursor Resource\0*.cur\0GIF Format\0*.gif\0";
constexpr char kSaveIconFilter[] =
    "Icon Resource\0*.ico\0Cursor Resource\0*.cur\0GIF Format\0*.gif\0Interlaced GIF\0*.gif\0";
constexpr char kSaveCursorFilter[] = "Cursor Resource\0*.cur\0";
constexpr char kPaletteFilter[] = "Palette\0*.pal\0";

struct SaveHookData {
    bool monochrome = false;
};

// Switching to a GIF type while the active image is monochrome is refused on the spot.
UINT_PTR CALLBACK SaveHook(HWND dlg, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dlg, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEA*>(lp)->lCustData);
        return 0;
    }
    if (msg != WM_NOTIFY) return 0;
    const auto* n = reinterpret_cast<const OFNOTIFYA*>(lp);
    const auto* data = reinterpret_cast<const SaveHookData*>(GetWindowLongPtrA(dlg, GWLP_USERDATA));
    if (!data || !data->monochrome) return 0;
    const DWORD type = n->lpOFN->nFilterIndex;
    if ((n->hdr.code == CDN_TYPECHANGE || n->hdr.code == CDN_FILEOK) && type >= 3) {
        MessageBeep(MB_ICONHAND);
        MessageBoxA(GetParent(dlg), kGifNeedsColourText, kProgramTitle, MB_OK | MB_ICONSTOP);
        if (n->hdr.code == CDN_FILEOK) {
            SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 1);
            return 1;
        }
    }
    return 0;
}

}  // namespace

bool AskOpenPath(HWND owner, std::string* path, int* fileType) {
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kOpenFilter;
    ofn.nFilterIndex = *fileType >= 1 && *fileType <= 3 ? static_cast<DWORD>(*fileType) : 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "ico";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&ofn)) return false;
    *path = file;
    *fileType = static_cast<int>(ofn.nFilterIndex);
    return true;
}

bool AskSaveAsPath(HWND owner, bool cursor, bool monochrome, std::string* path, int* fileType) {
    char file[MAX_PATH] = {};
    if (!path->empty() && path->size() < sizeof file) path->copy(file, path->size());
    SaveHookData data{monochrome};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = cursor ? kSaveCursorFilter : kSaveIconFilter;
    ofn.nFilterIndex = cursor ? 1 : (*fileType >= 1 && *fileType <= 4 ? static_cast<DWORD>(*fileType) : 1);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "ico";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_PATHMUSTEXIST;
    ofn.lpfnHook = SaveHook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&data);
    if (!GetSaveFileNameA(&ofn)) return false;
    *path = file;
    // The cursor dialog's only type is the cursor file.
    *fileType = cursor ? 2 : static_cast<int>(ofn.nFilterIndex);
    return true;
}

bool AskPalettePath(HWND owner, bool save, std::string* path) {
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kPaletteFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "pal";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn))) return false;
    *path = file;
    return true;
}

}  // namespace vt::studio
