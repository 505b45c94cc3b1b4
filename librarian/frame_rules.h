#pragma once
// The Librarian frame's decisions that need no window. The frame calls these and the tests call the
// same functions:
//   LibrarianCommandState - enabled and checked state of each menu command and toolbar button,
//                           from the facts MenuFactsOf gathers
//   SaveQuestionText      - string 16 with the file title, or with string 20 "The workspace"
//   SaveOrSaveAs          - the Save command: Save, or Save As under a name the shell asks for
//   MayDiscardWorkspace   - the sessions and save questions before the window closes or New, Open,
//                           Search, a recent file or a drop replaces the workspace
//   PlanFileDrop          - whether dropped files open as a new workspace at once or the drop
//                           menu is offered, and whether its "Add" item is enabled
//   CopySelectedIcon      - Create Copy (string 22 in program-file mode)
//   ApplyFormatBox        - rebuilds the "Image Format" box after a change, shows its warning and
//                           makes the chosen entry the current format
// Related rules live with their subject: ProgramSaveRefusal and the save texts (save_flow.h), the
// open messages (open_file.h), the search and its cancelling (search.h), Rename and the sorts'
// modified flag (workspace.h).

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "librarian/format_box.h"
#include "librarian/save_flow.h"
#include "librarian/workspace.h"

namespace vt {

// Menu, toolbar and context-menu commands.
constexpr int kCmdNew = 1025;
constexpr int kCmdOpen = 1026;
constexpr int kCmdSearch = 1027;
constexpr int kCmdSave = 1028;
constexpr int kCmdSaveAs = 1029;
constexpr int kCmdNewWindow = 1030;
constexpr int kCmdExplorer = 1031;
constexpr int kCmdExit = 1035;
constexpr int kCmdRecentFirst = 1036;  // to 1039
constexpr int kCmdRename = 1041;
constexpr int kCmdCreateCopy = 1042;
constexpr int kCmdDelete = 1043;
constexpr int kCmdSelectAll = 1044;
constexpr int kCmdNewIcon = 1045;
constexpr int kCmdEditIcon = 1046;
constexpr int kCmdInstall = 1047;
constexpr int kCmdToolbar = 1058;
constexpr int kCmdStatusBar = 1059;
constexpr int kCmdArrangeBySpecificFormat = 1060;
constexpr int kCmdArrangeByName = 1061;
constexpr int kCmdArrangeByImageCount = 1062;
constexpr int kCmdLayOut = 1063;
constexpr int kCmdArrangeByPosition = 1064;
constexpr int kCmdViewFirst = 1065;  // 1065 + view − 1, views 1 to 4
constexpr int kCmdHelpTopics = 1073;
constexpr int kCmdSupport = 1074;
constexpr int kCmdAbout = 1075;
constexpr int kCmdSaveAsIco = 9001;
constexpr int kCmdContextCreateCopy = 9002;
constexpr int kCmdContextEditIcon = 9003;
constexpr int kCmdContextNewIcon = 9004;
constexpr int kCmdContextDelete = 9005;
constexpr int kCmdContextRename = 9006;
constexpr int kCmdProperties = 9010;
constexpr int kCmdMoveHere = 9020;
constexpr int kCmdCopyHere = 9021;
constexpr int kCmdOpenAsNewFile = 9030;
constexpr int kCmdAddIcons = 9031;

// What the command states depend on.
struct LibrarianMenuFacts {
    bool modified = false;
    size_t selected = 0;  // icons in the selection
    int view = kViewWindows;
    bool toolbarShown = true;
    bool statusBarShown = true;
};
LibrarianMenuFacts MenuFactsOf(const Workspace& ws, int view, bool toolbarShown,
                               bool statusBarShown);

struct CommandState {
    bool enabled = true;
    bool checked = false;  // the views are checked as radio items, the bars as check marks
};
// Save only when modified; Rename, Create Copy, Save As ICO, Edit Icon and Install with exactly
// one icon selected; Delete with a selection; "by Specific Format" only in Specific View. Commands
// without a rule are enabled. Program-file mode greys nothing here: Create Copy and Delete there
// answer with their own messages.
CommandState LibrarianCommandState(int command, const LibrarianMenuFacts& facts);

// String 16, "%s has been changed.  Save this file before proceeding?", with the file title, or
// with string 20 "The workspace" for a workspace without a file (empty title).
std::string SaveQuestionText(const std::string& fileTitle);

// The Save command: Save, and Save As under the name `askName` gives when the workspace has no
// file yet or came from a single icon file (an empty name: the user cancelled). True only when
// the save wrote everything, so that the workspace is no longer modified.
bool SaveOrSaveAs(Workspace& ws, SaveState& state, Prompt& prompt,
                  const std::function<std::string()>& askName);

// Asked before the window closes or New, Open, Search, a recent file or a drop (also in
// program-file mode, and "Open As New File") replaces the workspace. `endSessions`, when given,
// asks the sessions question first and ends them, false when the user keeps them. A modified
// workspace then gets the save question (Yes/No/Cancel): Yes runs `save` (normally SaveOrSaveAs)
// and a save that fails, is cancelled or leaves changes unsaved stops the action, where going on
// would throw the work away; No goes on; Cancel stops. True when the action may go on. The end of
// the Windows session asks the save question alone.
bool MayDiscardWorkspace(const Workspace& ws, const std::string& fileTitle, Prompt& prompt,
                         const std::function<bool()>& save,
                         const std::function<bool()>& endSessions = {});

// Files dropped on the icon window. With an empty workspace, in program-file mode, or when the
// caller does not ask, they open as a new workspace at once; otherwise the menu "Open As New
// File" / "Add Icons To Workspace" / "Cancel" is offered. Either way opening as new takes
// MayDiscardWorkspace first. "Add" is greyed in program-file mode, where adding anyway gets
// string 22 from the adding readers.
struct DropPlan {
    bool openAtOnce = true;
    bool addEnabled = true;
};
DropPlan PlanFileDrop(const Workspace& ws, bool askWhenNotEmpty);

// Create Copy of the one selected icon. In program-file mode: string 22 (error beep, stop icon)
// and nothing is copied; a copy the workspace file cannot take tells the workspace-file text, one
// past the last serial or image number string 17. An icon without images gives no copy.
// Returns the copy's table index, or -1. The shell then opens "Name New Copy" for it and
// re-arranges by position.
long CopySelectedIcon(Workspace& ws, Prompt& prompt);

extern const char* const kWorkspaceFileError;

// Rebuilds the "Image Format" box after `cause` (before: the tallies before an Added change) and
// shows its warning (information beep, warning icon). The chosen entry becomes the current format.
// With none displayable right after an open or a search the workspace is replaced by a new, empty
// one, and the caller forgets the file it came from; after any other change the icons stay.
FormatBox ApplyFormatBox(Workspace& ws, FormatBoxCause cause,
                         const std::vector<FormatTally>& before, Prompt& prompt);

}  // namespace vt
