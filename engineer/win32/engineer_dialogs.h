#pragma once
// The Engineer's modal dialogs: "Change Icon", the browse and Motif file dialogs, "Confirm File
// Replace", the two quality warnings, "Icon Quality Check", "Icon Color Depth" and the
// explanation shown under the faulty Windows NT shell.

#include <windows.h>

#include <string>

#include "engineer/icon_quality.h"
#include "engineer/motif_file.h"

namespace vt::engineer {

// The core's questions, shown over the frame window.
class EngineerDialogs : public MotifDialogs, public QualityDialogs {
  public:
    bool AskSavePath(std::string* path) override;
    bool AskOpenPath(std::string* path) override;
    ReplaceAnswer AskReplace(const ReplaceQuestion& question) override;
    bool ConfirmBlankImage(const std::string& text) override;
    bool ConfirmMissingFormats(const std::string& text,
                               const std::array<bool, kQualityFormatCount>& found,
                               const std::array<bool, kQualityFormatCount>& desired) override;
};

// "Browse for Icons" or "Browse for Cursors"; "Folder Browse" and the filter are remembered.
bool BrowseForFile(HWND owner, bool cursors, std::string* path);
// "Change Icon": `path` starts as the row's current file; OK gives the chosen file (environment
// variables expanded) and icon number.
bool RunChangeIconDialog(HWND owner, std::string* path, int* index);
// "Icon Quality Check": OK stores the boxes into `settings`.
bool RunQualityCheckDialog(HWND owner, QualitySettings* settings);
// "Icon Color Depth": OK sets `depth` to 4, 16 or 24.
bool RunColourDepthDialog(HWND owner, int displayBits, int* depth);
void ShowFaultyShellDialog(HWND owner);

}  // namespace vt::engineer
