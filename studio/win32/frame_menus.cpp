#include "studio/win32/frame_menus.h"

#include "common/prompt.h"
#include "draw/draw_engine.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_app.h"

namespace vt::studio {

namespace {

constexpr int kFileMenu = 0, kEditMenu = 1, kHelpMenu = 4;
constexpr int kEditEntries = 12;

void Enable(HMENU m, UINT id, bool on) { EnableMenuItem(m, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); }
void Check(HMENU m, UINT id, bool on) { CheckMenuItem(m, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }

void SetText(HMENU m, UINT id, const std::string& text) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(m, id, FALSE, &mi);
}

int PositionOf(HMENU m, UINT id) {
    const int n = GetMenuItemCount(m);
    for (int i = 0; i < n; ++i)
        if (GetMenuItemID(m, i) == id) return i;
    return -1;
}

std::string CurrentFolder() {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

}  // namespace

void AddStartupMenuEntries(HMENU bar, const StudioApp& app) {
    HMENU file = GetSubMenu(bar, kFileMenu);
    while (GetMenuItemCount(file) > 0) DeleteMenu(file, 0, MF_BYPOSITION);
    if (!app.serverMode) {
        AppendMenuA(file, MF_STRING, IDM_FILE_NEW, "&New...");
        AppendMenuA(file, MF_STRING, IDM_FILE_OPEN, "&Open...\tCtrl+O");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING | MF_GRAYED, IDM_FILE_SAVE, "&Save\tCtrl+S");
        AppendMenuA(file, MF_STRING, IDM_FILE_SAVE_AS, "Save &As...");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING, IDM_FILE_NEW_WINDOW, "New &Window\tAlt+N");
        AppendMenuA(file, MF_STRING, IDM_FILE_EXPLORER, "&Explorer\tAlt+X");
    } else {
        AppendMenuA(file, MF_STRING | MF_GRAYED, IDM_FILE_UPDATE, "&Update Librarian");
        AppendMenuA(file, MF_STRING | MF_GRAYED, IDM_FILE_UPDATE_EXIT, "Update Librarian &and Exit");
    }
    AppendMenuA(file, MF_SEPARATOR, IDM_FILE_MRU_SEPARATOR, nullptr);
    AppendMenuA(file, MF_STRING, IDM_FILE_EXIT, "E&xit\tAlt+F4");
    HMENU help = GetSubMenu(bar, kHelpMenu);
    AppendMenuA(help, MF_STRING, IDM_HELP_SUPPORT, "Inter&net Services and Support...");
    AppendMenuA(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(help, MF_STRING, IDM_HELP_ABOUT, "&About...");
    if (!app.serverMode) UpdateRecentMenu(bar, app);
}

void UpdateRecentMenu(HMENU bar, const StudioApp& app) {
    HMENU file = GetSubMenu(bar, kFileMenu);
    // Separators are found by position: the entries sit between their own separator and the
    // separator before Exit.
    const int first = PositionOf(file, IDM_FILE_MRU1);
    for (UINT id = IDM_FILE_MRU1; id <= IDM_FILE_MRU4; ++id) DeleteMenu(file, id, MF_BYCOMMAND);
    if (first > 0) DeleteMenu(file, static_cast<UINT>(first - 1), MF_BYPOSITION);
    const auto& entries = app.mru.entries();
    const int exitPos = PositionOf(file, IDM_FILE_EXIT);
    if (entries.empty() || exitPos < 1) return;
    const std::string folder = CurrentFolder();
    UINT pos = static_cast<UINT>(exitPos - 1);
    InsertMenuA(file, pos++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string label = MruList::Label(static_cast<int>(i + 1), entries[i].path, folder);
        InsertMenuA(file, pos++, MF_BYPOSITION | MF_STRING, IDM_FILE_MRU1 + static_cast<UINT>(i), label.c_str());
    }
}

void UpdatePaletteMenu(HMENU bar, bool deepImage) {
    HMENU edit = GetSubMenu(bar, kEditMenu);
    const int count = GetMenuItemCount(edit);
    if (deepImage && count == kEditEntries) {
        AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(edit, MF_STRING, IDM_EDIT_OPEN_PALETTE, "Ope&n Color Palette...");
        AppendMenuA(edit, MF_STRING, IDM_EDIT_SAVE_PALETTE, "Sa&ve Color Palette...");
    } else if (!deepImage && count > kEditEntries) {
        for (int pos = count - 1; pos >= kEditEntries; --pos) DeleteMenu(edit, static_cast<UINT>(pos), MF_BYPOSITION);
    }
}

void UpdateMenuStates(HMENU bar, const StudioApp& app, DrawEngine& engine, const ViewFlags& v) {
    const IconResource& doc = app.doc;
    if (app.serverMode) {
        Enable(bar, IDM_FILE_UPDATE, doc.modified);
        Enable(bar, IDM_FILE_UPDATE_EXIT, doc.modified);
    } else {
        Enable(bar, IDM_FILE_SAVE, doc.modified);
        const std::string folder = CurrentFolder();
        const auto& entries = app.mru.entries();
        for (size_t i = 0; i < entries.size(); ++i)
            SetText(bar, IDM_FILE_MRU1 + static_cast<UINT>(i),
                    MruList::Label(static_cast<int>(i + 1), entries[i].path, folder));
    }
    const UndoState u = engine.undoState();
    SetText(bar, IDM_EDIT_UNDO, engine.UndoMenuText());
    SetText(bar, IDM_EDIT_REDO, engine.RedoMenuText());
    Enable(bar, IDM_EDIT_UNDO, u.canUndo);
    Enable(bar, IDM_EDIT_REDO, u.canRedo);
    Check(bar, IDM_VIEW_GRID, v.grid);
    Check(bar, IDM_VIEW_PALETTE, v.palette);
    Check(bar, IDM_VIEW_TOOLBAR, v.toolBar);
    Check(bar, IDM_VIEW_STATUSBAR, v.statusBar);
    Check(bar, IDM_VIEW_PREVIEW, v.preview);
    Check(bar, IDM_COLORB_TRANSPARENT, app.colorBTransparent);
    Check(bar, IDM_COLORB_OPAQUE, !app.colorBTransparent);
    const DrawState& s = engine.state();
    const int current = s.tool == kToolRectangle || s.tool == kToolEllipse ? kToolRectangle + s.shapeVariant : s.tool;
    for (UINT id = IDM_TOOL_FIRST; id <= IDM_TOOL_SELECTOR; ++id) Check(bar, id, static_cast<int>(id) == current);
    Check(bar, IDM_TOOL_LOCATOR, current == kToolColorLocator);
    for (UINT id = IDM_DITHER_FIRST; id <= IDM_DITHER_LAST; ++id)
        Check(bar, id, static_cast<int>(id) - IDM_DITHER_FIRST == s.ditherMode);
    Enable(bar, IDM_NEW_FORMAT, !app.formatsLocked && doc.commands.newImageFormat);
    Enable(bar, IDM_REMOVE_FORMAT, !app.formatsLocked);
    Enable(bar, IDM_SET_HOT_SPOT, doc.IsCursor());
    Check(bar, IDM_SET_HOT_SPOT, v.hotSpotMode);
}

}  // namespace vt::studio
