#include "sysicons/system_object_table.h"

namespace vt {

const std::array<RegistryLocation, kRegistryLocationCount> kRegistryLocations = {{
    {RegRoot::ClassesRoot, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
    {RegRoot::ClassesRoot, "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}"},
    {RegRoot::ClassesRoot, "CLSID\\{208D2C60-3AEA-1069-A2D7-08002B30309D}"},
    {RegRoot::ClassesRoot, "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}"},
    {RegRoot::ClassesRoot, "CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}"},
    {RegRoot::ClassesRoot, "CLSID\\{00020D75-0000-0000-C000-000000000046}"},
    {RegRoot::ClassesRoot, "CLSID\\{00028B00-0000-0000-C000-000000000046}"},
    {RegRoot::ClassesRoot, "CLSID\\{FBF23B42-E3F0-101B-8488-00AA003E56F8}"},
    {RegRoot::ClassesRoot, "CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}"},
    {RegRoot::ClassesRoot, "CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}"},
    {RegRoot::ClassesRoot, "CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}"},
    {RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons"},
    {RegRoot::CurrentUser, "Control Panel\\Cursors"},
}};

const char* const kDialUpClassNt = "CLSID\\{a4d92740-67cd-11cf-96f2-00aa00a11dd9}";
const char* const kInternetObjectClass = "CLSID\\{871C5380-42A0-1069-A2EA-08002B30309D}";

const std::array<DefaultModule, kDefaultModuleCount> kDefaultModules = {{
    {0, "SYNCUI.DLL"},
    {0, "MSNEXCH.EXE"},
    {0, "EXCHNG32.EXE"},
    {0, "IEXPLORE.EXE"},
    {0, "RNAUI.DLL"},
    {0, "MYDOCS.DLL"},
}};

// clang-format off
const std::array<SystemObjectRow, kSystemObjectCount> kSystemObjectTable = {{
    // id   item name                 cat shell  dflt  alt key csidl mod cached newer
    {2048, "My Computer",             1,  15,    15,   16,  0, 17, -1, 0, 0},
    {2049, "My Documents",            1,  -1,    -1,   -1,  1,  0,  5, 0, 1},
    {2050, "Network Neighborhood",    1,  17,    17,   17,  2, 18, -1, 0, 0},
    {2051, "Recycle Empty",           1,  31,    31,   20,  3, 10, -1, 0, 0},
    {2052, "Recycle Full",            1,  32,    32,   21,  3, 10, -1, 0, 0},
    {2053, "Briefcase",               1,  -1,    -1,   35,  4,  0,  0, 1, 0},
    {2054, "Inbox",                   1,  -1,    -1,   30,  5,  0,  1, 0, 0},
    {2055, "The Microsoft Network",   1,  -1,    -1,   31,  6,  0,  2, 0, 0},
    {2056, "Internet Explorer",       1,  -1,    -1,   -1,  7,  0,  3, 0, 0},
    {2057, "Floppy Drive 5.25",       4,   5,     5,    9, 11,  0, -1, 1, 0},
    {2058, "Floppy Drive 3.5",        4,   6,     6,    8, 11,  0, -1, 1, 0},
    {2059, "Removeable Drive",        4,   7,     7,   -1, 11,  0, -1, 1, 0},
    {2060, "Hard Drive",              4,   8,     8,    0, 11,  0, -1, 1, 0},
    {2061, "Network Drive",           4,   9,     9,    1, 11,  0, -1, 1, 0},
    {2062, "Network Drive Offline",   4,  10,    10,   29, 11,  0, -1, 1, 0},
    {2063, "CD-ROM Drive",            4,  11,    11,   10, 11,  0, -1, 1, 0},
    {2064, "RAM Drive",               4,  12,    12,   -1, 11,  0, -1, 1, 0},
    {2065, "Programs",                2,  19,    19,    4, 11,  0, -1, 1, 0},
    {2066, "Favorites",               2,  43,    43,   -1, 11,  0, -1, 1, 1},
    {2067, "Documents",               2,  20,    20,    2, 11,  0, -1, 1, 0},
    {2068, "Settings",                2,  21,    21,    6, 11,  0, -1, 1, 0},
    {2069, "Find",                    2,  22,    22,    3, 11,  0, -1, 1, 0},
    {2070, "Help",                    2,  23,    23,   15, 11,  0, -1, 1, 0},
    {2071, "Run",                     2,  24,    24,    5, 11,  0, -1, 1, 0},
    {2072, "Log Off",                 2,  44,    44,   -1, 11,  0, -1, 1, 1},
    {2073, "Shut Down",               2,  27,    27,    7, 11,  0, -1, 1, 0},
    {2074, "Suspend",                 2,  25,    25,   33, 11,  0, -1, 1, 0},
    {2075, "Undock",                  2,  26,    26,   32, 11,  0, -1, 1, 0},
    {2076, "Closed Folder",           3,   3,     3,   11, 11,  0, -1, 1, 0},
    {2077, "Open Folder",             3,   4,     4,   18, 11,  0, -1, 1, 0},
    {2078, "Program Group",           3,  36,    36,   24, 11,  0, -1, 1, 0},
    {2079, "Control Panel",           3,  -1,    35,   12,  9,  3, -1, 1, 0},
    {2080, "Printers",                3,  -1,    37,   19, 10,  4, -1, 1, 0},
    {2081, "Dial-Up Networking",      3,  33,    33,   27,  8,  0,  4, 1, 0},
    {2082, "Shortcut",                5,  29,    29,   -1, 11,  0, -1, 1, 0},
    {2083, "Share",                   5,  28,    28,   34, 11,  0, -1, 1, 0},
    {2084, "Desktop",                 5,  34,    34,   -1, 11,  0, -1, 1, 0},
    {2085, "Entire Network",          5,  13,    13,   13, 11,  0, -1, 1, 0},
    {2086, "Workgroup",               5,  18,    18,   -1, 11,  0, -1, 1, 0},
    {2087, "Application",             5,   2,     2,   -1, 11,  0, -1, 1, 0},
    {2088, "Audio CD",                5,  40,    40,   26, 11,  0, -1, 1, 0},
    {2089, "Default Icon",            5,   0,     0,   37, 11,  0, -1, 1, 0},
    {2090, "Default Document",        5,   1,     1,   -1, 11,  0, -1, 1, 0},
    {2091, "Wait",                    6, 32514,  -1,    0, 12,  0, -1, 0, 0},
    {2092, "AppStarting",             6, 32650,  -1,    1, 12,  0, -1, 0, 0},
    {2093, "Arrow",                   6, 32512,  -1,    2, 12,  0, -1, 0, 0},
    {2094, "Crosshair",               6, 32515,  -1,    3, 12,  0, -1, 0, 0},
    {2095, "Help",                    6, 32651,  -1,    4, 12,  0, -1, 0, 0},
    {2096, "IBeam",                   6, 32513,  -1,    5, 12,  0, -1, 0, 0},
    {2097, "No",                      6, 32648,  -1,    6, 12,  0, -1, 0, 0},
    {2098, "SizeAll",                 6, 32646,  -1,    7, 12,  0, -1, 0, 0},
    {2099, "SizeNESW",                6, 32643,  -1,    8, 12,  0, -1, 0, 0},
    {2100, "SizeNS",                  6, 32645,  -1,    9, 12,  0, -1, 0, 0},
    {2101, "SizeNWSE",                6, 32642,  -1,   10, 12,  0, -1, 0, 0},
    {2102, "SizeWE",                  6, 32644,  -1,   11, 12,  0, -1, 0, 0},
    {2103, "UpArrow",                 6, 32516,  -1,   12, 12,  0, -1, 0, 0},
    {2104, "Hand",                    6, 32649,  -1,   13, 12,  0, -1, 0, 0},
    {2105, "NWPen",                   6, 32631,  -1,   14, 12,  0, -1, 0, 0},
}};
// clang-format on

const char* InstallerItemName(int row) {
    return row == kRowNetworkDriveOffline ? "Network Drive (Offline)"
                                          : kSystemObjectTable[row].itemName;
}

}  // namespace vt
