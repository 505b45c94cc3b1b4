#pragma once
// The shell and window-manager services the system-object code needs: system image-list indices,
// icon loading, change notification and system parameters. Win32: shell32/user32
// (sysicons/win32); tests: FakeShell, which records every call that changes the system.

#include <cstdint>
#include <string>
#include <vector>

#include "sysicons/icon_metrics.h"

namespace vt {

// An icon or cursor handle owned by whoever loaded it; 0 is none.
using IconHandle = uintptr_t;

struct IconPair {
    IconHandle large = 0;
    IconHandle small = 0;
};

struct DesktopObject {
    std::string displayName;  // normal form, as shown on the desktop
    std::string typeName;
    int iconIndex = -1;  // index in the system image list
};

// Actions of SystemParametersInfo and WM_WININICHANGE that the Engineer uses.
constexpr int kSpiIconHorizontalSpacing = 13;
constexpr int kSpiIconVerticalSpacing = 24;
constexpr int kSpiSetIconTitleLogFont = 34;
constexpr int kSpiSetIconMetrics = 46;
constexpr int kSpiSetCursors = 87;

class Shell {
  public:
    virtual ~Shell() = default;
    // System image-list index of a special folder; -1 when the shell does not know it.
    virtual int SpecialFolderIconIndex(int csidl) = 0;
    // The objects of the desktop folder (folders and non-folders).
    virtual std::vector<DesktopObject> DesktopObjects() = 0;
    // Large and small icon of a file's icon `index` (negative: resource identifier).
    virtual bool LoadLocationIcons(const std::string& path, int index, IconPair* out) = 0;
    // The image of a cursor file (.cur or .ani); 0 on failure.
    virtual IconHandle LoadCursorFile(const std::string& path) = 0;
    // A standard system cursor by identifier (shared, never released); 0 on failure.
    virtual IconHandle LoadSystemCursor(int id) = 0;
    // One of the program's own icon resources (shared, never released).
    virtual IconHandle LoadOwnIcon(int resourceId) = 0;
    virtual void ReleaseIcon(IconHandle icon) = 0;
    // How many icons a file holds, as the system counts them (ExtractIcon with index -1); 0 when
    // it holds none or cannot be read.
    virtual int IconCount(const std::string& path) = 0;
    // The system's icon metrics (SPI_GETICONMETRICS); false when the system does not answer.
    virtual bool GetIconMetrics(IconMetrics* out) = 0;
    // Full path of a file found along the system search path; empty when not found.
    virtual std::string FindOnSearchPath(const std::string& file) = 0;

    // Puts the icons in place of image `shellIndex` of the system large and small image lists.
    virtual void ReplaceSystemImage(int shellIndex, const IconPair& icons) = 0;
    // SHChangeNotify(SHCNE_UPDATEIMAGE, SHCNF_DWORD, image); -1 means every image.
    virtual void NotifyUpdateImage(int image) = 0;
    // SystemParametersInfo with a value and no buffer.
    virtual bool SetSystemParameter(int action, int value, bool updateIniFile) = 0;
    // SystemParametersInfo(SPI_SETICONTITLELOGFONT) with SPIF_UPDATEINIFILE.
    virtual bool SetIconTitleFont(const TitleFont& font) = 0;
    // WM_WININICHANGE to every top-level window.
    virtual void BroadcastSettingChange(int action, const std::string& section) = 0;
    // The shell's icon re-initialisation entry; false when the shell does not export it.
    virtual bool ReinitializeIcons(bool full) = 0;
    // Invalidates and repaints every window of the screen at once.
    virtual void RedrawScreen() = 0;
    virtual void RestartWindows() = 0;
};

}  // namespace vt
