#pragma once
// Program-wide state of the Librarian (VTMGR): one instance per process, filled in by start-up,
// and the two interfaces by which the frame "VtLibMain" and the icon window "VtLibChild" talk.
//
// The frame owns the workspace, the settings, the exchange, the toolbar with the "Image Format"
// box, the status bar and every menu command. The icon window shows the workspace in the current
// view and owns selection by mouse and keys, its own drags, context menus and the shell drops.
// The icon window tells the frame what changed through FrameServices; the frame asks the icon
// window through IconView.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/mru_list.h"
#include "common/prompt.h"
#include "common/win32/window_picture.h"
#include "librarian/file_kind.h"
#include "librarian/format_box.h"
#include "librarian/librarian_state.h"
#include "librarian/save_flow.h"
#include "librarian/workspace.h"
#include "librarian/win32/librarian_exchange.h"

namespace vt::librarian {

inline constexpr char kProgramTitle[] = "Vantoro Librarian";
inline constexpr char kSection[] = "Librarian";
inline constexpr char kFrameClass[] = "VtLibMain";
inline constexpr char kChildClass[] = "VtLibChild";

// The desktop's icon metrics, read once at start-up.
struct DesktopMetrics {
    int largeIcon = 32;
    int smallIcon = 16;
    int iconSpacing = 75;          // "IconSpacing"
    int iconVerticalSpacing = 72;  // "IconVerticalSpacing"
    int titleSize = 8;             // "IconTitleSize"
    std::string titleFace = "MS Sans Serif";
    int horizontalGap = 75 - 32;   // IconSpacing − large size
    int verticalGap = 72 - 32;     // IconVerticalSpacing − large size
    int labelOverhang = 20;        // horizontal gap ÷ 2 − 1
    int labelHeight = 39;          // the smaller of three text lines and the vertical gap
};

// What the frame asks of the icon window.
class IconView {
  public:
    virtual ~IconView() = default;
    virtual HWND hwnd() const = 0;
    // The workspace was replaced (new, open, search, read back after a save): the scroll position
    // goes to the top, the image cache is emptied, the icons are laid out and repainted.
    virtual void WorkspaceReplaced() = 0;
    // The view, the current format or the display changed: every cell is recomputed
    // (Workspace::UpdateAllCellSizes), the icons laid out in display order and repainted.
    virtual void Relayout() = 0;
    // Sort by position (key 1) and lay out: after a format change, a drop, Create Copy.
    virtual void ArrangeByPosition() = 0;
    // Repaints everything (after a rename, a select-all, a change of the selection by the frame).
    virtual void Redraw() = 0;
    // Repaints the areas of the given icons before they are removed (Delete).
    virtual void InvalidateIcons(const std::vector<size_t>& iconIndices) = 0;
};

// What the icon window asks of the frame.
class FrameServices {
  public:
    virtual ~FrameServices() = default;
    virtual Prompt& prompt() = 0;
    virtual LibrarianExchange& exchange() = 0;
    // The selection changed: status bar parts and command states follow.
    virtual void SelectionChanged() = 0;
    // Icons or images came in (drop-add) or went: the "Image Format" box is rebuilt (`before` are
    // the tallies before an addition, for the "not supported" warning), Save and title follow.
    virtual void ImagesChanged(FormatBoxCause cause, const std::vector<FormatTally>& before) = 0;
    // Save, the title and the commands follow the modified flag.
    virtual void ModifiedChanged() = 0;
    // The guard before the workspace is replaced: the sessions question, then the save question.
    // False when the user cancelled or a save did not complete.
    virtual bool ConfirmReplace() = 0;
    // "Open As New File" of dropped files, after the guard: one file opens with the kind its first
    // bytes give (string 21 for an unknown kind), several are read into one new workspace. Paths
    // that fail leave the recent files.
    virtual void OpenDroppedFiles(const std::vector<std::string>& paths) = 0;
    // Searches folders (subfolders included) into a new workspace, after the guard.
    virtual void SearchFolders(const std::vector<std::string>& roots) = 0;
    // A path that could not be read leaves the recent files.
    virtual void ForgetRecentFile(const std::string& path) = 0;
    // A command of a context menu or a double-click (the frame's command ids).
    virtual void Command(int id) = 0;
    // Menu and toolbar states (after the icon window changed the selection or the workspace).
    virtual void RefreshCommands() = 0;
};

struct LibrarianApp {
    HINSTANCE instance = nullptr;
    std::string programFolder;
    bool multiByte = false;

    // The one workspace of this window, and where it came from.
    Workspace workspace;
    SaveState saveState;
    int fileKind = kKindLibrary;  // the kind the window keeps for saving
    std::string fileTitle;        // "" for a workspace without file
    // The display name of the icon last hit with the mouse, renamed or copied, or the file's
    // title after an open or a search (handed to the Studio with an icon to edit).
    std::string nameLastTaken;
    // The type chosen last in the Open or Search dialog (1 to 4), shared by both.
    OpenType openType = OpenType::IconFiles;

    LibrarianState state;
    MruList mru;
    std::string thousands = ",";
    DesktopMetrics desktop;
    int displayColorCode = 1024;
    int shellColorCode = 16;
    HPALETTE palette = nullptr;  // on a palette display: the system palette
    std::string studioPath;      // "%s\\VTEDIT.EXE" in the program folder
    UINT iconClipFormat = 0;     // "VtIcon", registered only when the Studio is there

    HFONT dialogFont = nullptr;
    HFONT statusFont = nullptr;
    HFONT labelFont = nullptr;  // the icon titles' font
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HICON stackIcon = nullptr;  // the drag image of several icons

    HWND frame = nullptr;
    IconView* view = nullptr;
    FrameServices* services = nullptr;
    std::unique_ptr<LibrarianExchange> exchange;

    // Window pictures and delivered drops for the tests, answered only when the harness enabled
    // them at start-up.
    WindowPictureHook pictures;
};

extern LibrarianApp g_app;

// The icon window's side, in icon_window.cpp: registers "VtLibChild" and creates it as a child of
// the frame (the first extra window word holds the workspace mode).
bool RegisterIconWindow(HINSTANCE instance);
IconView* CreateIconView(HWND frame, FrameServices& services);

// The item dialogs, in item_dialogs.cpp, all centred on the screen. Rename: true when OK stored a
// name (the workspace is then modified unless it is a program file). `newCopy` titles it "Name
// New Copy".
bool RunRenameDialog(HWND owner, size_t iconIndex, bool newCopy);
void RunIconPropertiesDialog(HWND owner, size_t iconIndex);
void RunFilePropertiesDialog(HWND owner);

// The shell-drop handler (Algorithms of the icon window): the names dropped at `clientPoint` of
// the icon window; `askWhenNotEmpty` offers Open As New File / Add Icons To Workspace / Cancel
// when the workspace holds icons; `foldersToSearch` searches the names as folders. The test gate
// of the frame delivers drops here too.
void HandleShellDrop(const std::vector<std::string>& names, POINT clientPoint, bool askWhenNotEmpty,
                     bool foldersToSearch);

}  // namespace vt::librarian
