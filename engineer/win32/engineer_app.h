#pragma once
// What the Engineer's windows share: the system seams, the core objects, the settings and the
// handles made at start-up. One instance lives for the whole run (vtengnr_main.cpp).

#include <windows.h>

#include <memory>
#include <string>

#include "common/mru_list.h"
#include "common/win32/message_box_prompt.h"
#include "common/win32/window_picture.h"
#include "engineer/engineer.h"
#include "engineer/engineer_frame.h"
#include "engineer/engineer_settings.h"
#include "engineer/icon_quality.h"
#include "engineer/motif_file.h"
#include "engineer/win32/win32_profile.h"
#include "sysicons/win32/win32_file_system.h"
#include "sysicons/win32/win32_registry.h"
#include "sysicons/win32/win32_shell.h"

namespace vt::engineer {

inline constexpr char kProgramTitle[] = "Vantoro Engineer";
inline constexpr char kFrameClass[] = "EGRFrame";

class EngineerDialogs;
class FrameWindow;

// Message boxes over the frame that count as open modal windows while they show (a drop is
// refused then).
class ModalPrompt : public MessageBoxPrompt {
  public:
    ModalPrompt() : MessageBoxPrompt(nullptr, kProgramTitle) {}
    PromptAnswer Show(const PromptMessage& message) override;
};

struct EngineerApp {
    HINSTANCE instance = nullptr;
    bool multiByte = false;
    std::string programFolder;
    WindowPictureHook pictures;

    Win32Registry registry;
    Win32Shell shell;
    Win32FileSystem files;
    Win32Profile profile;
    LibrarianIconGroups groups;
    ModalPrompt prompt;
    std::unique_ptr<SystemIcons> icons;
    std::unique_ptr<Engineer> core;
    std::unique_ptr<EngineerDialogs> dialogs;
    std::unique_ptr<MotifFile> motif;
    std::unique_ptr<EngineerFrame> rules;  // the frame's questions, title, menu state and opens

    EngineerSettings settings;  // "Quality Checking" and the three remembered folders
    int browseFilter[2] = {1, 1};  // icons, cursors
    MruList recent;

    // Start-up measures.
    int textUnit = 2;          // a quarter of the horizontal dialog base unit
    int largeIconWidth = 32;   // SM_CXICON
    int largeIconHeight = 32;  // SM_CYICON, or the shell's icon size
    int smallIconHeight = 16;
    int cursorIconSize = 32;  // the standard icon width, for cursor rows
    int shellIconSize = 32;     // "Shell Icon Size" as last seen
    int pixelsPerInch = 96;
    int displayBits = 24;
    std::string words[4];  // "Local", "Motif", "Icons", "Cursors"

    HICON programIcon = nullptr, programIconSmall = nullptr;
    HICON markIncluded = nullptr, markExcluded = nullptr;
    HFONT listFont = nullptr, comboFont = nullptr;
    HWND frame = nullptr, dialog = nullptr, status = nullptr;
    FrameWindow* frameWindow = nullptr;
    // Modal dialogs and message boxes of the program that are open now.
    int modalDepth = 0;
};

extern EngineerApp g_app;

std::string LoadText(int id);

// Counts a modal dialog or message box as open for as long as it lives.
class ModalScope {
  public:
    ModalScope() { ++g_app.modalDepth; }
    ~ModalScope() { --g_app.modalDepth; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

}  // namespace vt::engineer
