#pragma once
// The Librarian's file dialogs, centred on the screen: "Open File", "Search Drive or Folder",
// "Save File As" and the Save As ICO dialog.

#include <windows.h>

#include <string>

#include "librarian/file_kind.h"

namespace vt::librarian {

// "Open File" with the four types, `type` preselected and receiving the chosen one.
bool AskOpenPath(HWND owner, OpenType* type, std::string* path);

struct SearchRequest {
    OpenType type = OpenType::IconFiles;
    bool subfolders = false;
    std::string root;
};
// "Search Drive or Folder": the folder shown when "Search" is pressed, the type and the
// "Include Subfolders" box. False when cancelled.
bool AskSearchRoot(HWND owner, SearchRequest* request);

enum class SaveDialog { Library, IconFile };
// "Save File As" with "Library (*.ICL)", or the Save As ICO dialog with "Icon Resource (*.ICO)".
bool AskSavePath(HWND owner, SaveDialog which, std::string* path);

}  // namespace vt::librarian
