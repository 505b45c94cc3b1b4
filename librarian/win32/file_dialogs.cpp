#include "librarian/win32/file_dialogs.h"

#include <commdlg.h>
#include <dlgs.h>

#include "librarian/win32/resource.h"

namespace vt::librarian {

namespace {

constexpr char kOpenFilter[] =
    "Icon Files\0*.exe;*.ico;*.ica;*.dll;*.icl;*.il;*.nil\0Icon Libraries\0*.icl;*.il;*.nil\0"
    "Icon Resources\0*.ico\0Program Files\0*.exe;*.dll\0";
constexpr const char* kOpenExtensions[] = {"ICL", "ICL", "ICO", "EXE"};

void CentreOnScreen(HWND dialog) {
    RECT r;
    GetWindowRect(dialog, &r);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every dialog here is centred on the screen once it is laid out.
UINT_PTR CALLBACK CentringHook(HWND dlg, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_NOTIFY && reinterpret_cast<const OFNOTIFYA*>(lp)->hdr.code == CDN_INITDONE)
        CentreOnScreen(GetParent(dlg));
    return 0;
}

int TypeIndex(OpenType t) {
    const int i = static_cast<int>(t);
    return i >= 1 && i <= 4 ? i : 1;
}

// The search dialog's state while it is open.
struct SearchDialogState {
    SearchRequest* request = nullptr;
    HWND hook = nullptr;
    WNDPROC parentProc = nullptr;
    bool searched = false;
};
SearchDialogState* g_search = nullptr;

// "Search" keeps the folder, the type and the box, then closes the dialog as if cancelled: the
// dialog itself would want a file name.
LRESULT CALLBACK SearchParentProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    SearchDialogState* s = g_search;
    if (s && msg == WM_COMMAND && LOWORD(wp) == IDOK) {
        char folder[MAX_PATH] = {};
        if (SendMessageA(dlg, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) > 0)
            s->request->root = folder;
        const LRESULT type = SendDlgItemMessageA(dlg, cmb1, CB_GETCURSEL, 0, 0);
        if (type >= 0 && type < 4) s->request->type = static_cast<OpenType>(type + 1);
        s->request->subfolders = IsDlgButtonChecked(s->hook, IDC_INCLUDE_SUBFOLDERS) == BST_CHECKED;
        s->searched = !s->request->root.empty();
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    return CallWindowProcA(s ? s->parentProc : DefWindowProcA, dlg, msg, wp, lp);
}

UINT_PTR CALLBACK SearchHook(HWND dlg, UINT msg, WPARAM, LPARAM lp) {
    SearchDialogState* s = g_search;
    if (!s) return 0;
    if (msg == WM_INITDIALOG) {
        s->hook = dlg;
        return 0;
    }
    if (msg != WM_NOTIFY) return 0;
    HWND parent = GetParent(dlg);
    const auto* n = reinterpret_cast<const OFNOTIFYA*>(lp);
    if (n->hdr.code == CDN_INITDONE) {
        for (int id : {stc2, stc3, edt1, cmb13}) SendMessageA(parent, CDM_HIDECONTROL, id, 0);
        SendMessageA(parent, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("Search"));
        // The box centred under the list.
        HWND list = GetDlgItem(parent, lst1);
        HWND box = GetDlgItem(dlg, IDC_INCLUDE_SUBFOLDERS);
        RECT lr{}, br{};
        if (list && box && GetWindowRect(list, &lr) && GetWindowRect(box, &br)) {
            POINT p{(lr.left + lr.right) / 2 - (br.right - br.left) / 2, br.top};
            ScreenToClient(dlg, &p);
            SetWindowPos(box, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        s->parentProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SearchParentProc)));
        CentreOnScreen(parent);
    } else if (n->hdr.code == CDN_FOLDERCHANGE) {
        char folder[MAX_PATH] = {};
        if (SendMessageA(parent, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) > 0)
            s->request->root = folder;
    }
    return 0;
}

}  // namespace

bool AskOpenPath(HWND owner, OpenType* type, std::string* path) {
    char file[MAX_PATH] = {};
    const int index = TypeIndex(*type);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kOpenFilter;
    ofn.nFilterIndex = static_cast<DWORD>(index);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Open File";
    ofn.lpstrDefExt = kOpenExtensions[index - 1];
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn.lpfnHook = CentringHook;
    if (!GetOpenFileNameA(&ofn)) return false;
    *path = file;
    *type = static_cast<OpenType>(TypeIndex(static_cast<OpenType>(ofn.nFilterIndex)));
    return true;
}

bool AskSearchRoot(HWND owner, SearchRequest* request) {
    char file[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    request->root = folder;
    SearchDialogState state;
    state.request = request;
    g_search = &state;
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    ofn.lpstrFilter = kOpenFilter;
    ofn.nFilterIndex = static_cast<DWORD>(TypeIndex(request->type));
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = folder;
    ofn.lpstrTitle = "Search Drive or Folder";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    ofn.lpfnHook = SearchHook;
    ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_SEARCH_EXTRA);
    GetOpenFileNameA(&ofn);
    g_search = nullptr;
    return state.searched;
}

bool AskSavePath(HWND owner, SaveDialog which, std::string* path) {
    char file[MAX_PATH] = {};
    const bool library = which == SaveDialog::Library;
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = library ? "Library (*.ICL)\0*.icl\0" : "Icon Resource (*.ICO)\0*.ico\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = library ? "Save File As" : "Save As ICO";
    ofn.lpstrDefExt = library ? "ICL" : "ICO";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_ENABLEHOOK;
    ofn.lpfnHook = CentringHook;
    if (!GetSaveFileNameA(&ofn)) return false;
    *path = file;
    return true;
}

}  // namespace vt::librarian
