#include "studio/win32/frame_menus.h"

#include "common/prompt.h"
#include "common/win32/menu_entries.h"
#include "draw/draw_engine.h"
#include "draw/win32/drawing_menu_states.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_app.h"

namespace vt::studio {

namespace {

constexpr int kFileMenu = 0, kEditMenu = 1, kHelpMenu = 4;

void Enable(HMENU m, UINT id, bool on) { EnableMenuItem(m, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); }
void Check(HMENU m, UINT id, bool on) { CheckMenuItem(m, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }

std::string CurrentFolder() {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

std::vector<std::string> RecentLabels(const StudioApp& app) {
    const std::string folder = CurrentFolder();
    std::vector<std::string> labels;
    const auto& entries = app.mru.entries();
    for (size_t i = 0; i < entries.size(); ++i)
        labels.push_back(MruList::Label(static_cast<int>(i + 1), entries[i].path, folder));
    return labels;
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
    vt::UpdateRecentMenu(GetSubMenu(bar, kFileMenu), IDM_FILE_MRU1, IDM_FILE_EXIT, RecentLabels(app));
}

void UpdatePaletteMenu(HMENU bar, bool deepImage) {
    UpdatePaletteFileMenu(GetSubMenu(bar, kEditMenu), deepImage, IDM_EDIT_OPEN_PALETTE, IDM_EDIT_SAVE_PALETTE);
}

void UpdateMenuStates(HMENU bar, const StudioApp& app, DrawEngine& engine, const ViewFlags& v) {
    const IconResource& doc = app.doc;
    if (app.serverMode) {
        Enable(bar, IDM_FILE_UPDATE, doc.modified);
        Enable(bar, IDM_FILE_UPDATE_EXIT, doc.modified);
    } else {
        Enable(bar, IDM_FILE_SAVE, doc.modified);
        const std::vector<std::string> labels = RecentLabels(app);
        for (size_t i = 0; i < labels.size(); ++i) SetMenuText(bar, IDM_FILE_MRU1 + static_cast<UINT>(i), labels[i]);
    }
    UpdateDrawingMenuStates(bar, engine, {v.grid, v.palette, v.toolBar, v.statusBar, v.preview}, app.colorBTransparent);
    Enable(bar, IDM_NEW_FORMAT, !app.formatsLocked && doc.commands.newImageFormat);
    Enable(bar, IDM_REMOVE_FORMAT, !app.formatsLocked);
    Enable(bar, IDM_SET_HOT_SPOT, doc.IsCursor());
    Check(bar, IDM_SET_HOT_SPOT, v.hotSpotMode);
}

}  // namespace vt::studio
