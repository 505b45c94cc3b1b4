#pragma once
// The fixed description of every shell object and system cursor whose icon can be changed: where
// its icon lives in the registry, how the shell finds the icon it shows, and where its default
// icon is. Shared by the Engineer (all rows) and the installer library (rows before the cursors).

#include <array>

namespace vt {

enum class RegRoot { ClassesRoot, LocalMachine, CurrentUser };

struct RegistryLocation {
    RegRoot root;
    const char* keyPath;
};

constexpr int kRegistryLocationCount = 13;
extern const std::array<RegistryLocation, kRegistryLocationCount> kRegistryLocations;

// Key numbers that the rules single out.
constexpr int kKeyMyDocuments = 1;
constexpr int kKeyRecycleBin = 3;
constexpr int kKeyBriefcase = 4;
constexpr int kKeyInbox = 5;
constexpr int kKeyInternetExplorer = 7;
constexpr int kKeyDialUp = 8;
constexpr int kKeyControlPanel = 9;
constexpr int kKeyShellIcons = 11;
constexpr int kKeyCursors = 12;

// The class that Windows NT uses for Dial-Up Networking instead of key 8's.
extern const char* const kDialUpClassNt;
// The shell's Internet object, which holds the Internet Explorer icon under the newer shell.
extern const char* const kInternetObjectClass;
// Icon resource identifier of the Internet Explorer program icon.
constexpr int kInternetProgramIconId = -32528;

struct DefaultModule {
    int iconIndex;
    const char* fileName;  // in the Windows system directory
};
constexpr int kDefaultModuleCount = 6;
extern const std::array<DefaultModule, kDefaultModuleCount> kDefaultModules;

enum Category {
    kCategorySystem,
    kCategoryDesktop,
    kCategoryStart,
    kCategoryFolder,
    kCategoryDrive,
    kCategoryMisc,
    kCategoryCursor,
    kCategoryCount
};
// String-table identifier of a category's name ("System" .. "Cursor").
constexpr int kCategoryNameIdBase = 1316;

struct SystemObjectRow {
    int stringId;
    const char* itemName;
    int category;
    int shellIndex;      // cursor rows: the system cursor identifier
    int defaultIndex;    // icon index in SHELL32.DLL; key 11 rows: the value name read
    int alternateIndex;  // index in "cool.dll"; recycle rows: 20 empty / 21 full; cursors: icon 70
                         // + this
    int key;             // row of kRegistryLocations
    int csidl;           // special folder through which the shell finds the icon, 0 for none
    int module;          // row of kDefaultModules, -1 for none
    int cached;          // 1: an unannounced change needs the icon cache rebuilt
    int newerShellOnly;  // 1: listed only under the newer shell
};

constexpr int kSystemObjectCount = 58;
// Rows before this one are icons; the installer library uses only those.
constexpr int kFirstCursorRow = 43;
extern const std::array<SystemObjectRow, kSystemObjectCount> kSystemObjectTable;

// Rows the rules refer to by number.
constexpr int kRowMyDocuments = 1;
constexpr int kRowBriefcase = 5;
constexpr int kRowInternetExplorer = 8;
constexpr int kRowNetworkDriveOffline = 14;
constexpr int kRowControlPanel = 31;
constexpr int kRowPrinters = 32;
constexpr int kRowDialUp = 33;

// Shell indices with special handling: the shortcut overlay, the share overlay, the desktop.
constexpr int kShellIndexShare = 28;
constexpr int kShellIndexShortcut = 29;
constexpr int kShellIndexDesktop = 36;

// Alternate index of the "Recycle Empty" row; the full row has 21.
constexpr int kRecycleEmptyAlternate = 20;

// The Engineer's own icon resource shown for a cursor row that restores the standard cursor.
constexpr int kStandardCursorIconBase = 70;

// Item name as the installer library shows it (it differs in one row).
const char* InstallerItemName(int row);

}  // namespace vt
