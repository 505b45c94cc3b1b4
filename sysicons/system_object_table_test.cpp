// The production table is compared field by field with the object table as published, parsed
// from its own text here so that a typing slip in either one shows up.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "sysicons/system_object_table.h"

namespace vt {
namespace {

const char* const kPublishedRows = R"TABLE(
| 0 | 2048 | "My Computer" | 1 Desktop | 15 | 15 | 16 | 0 | 17 | -1 | 0 | 0 |
| 1 | 2049 | "My Documents" | 1 Desktop | -1 | -1 | -1 | 1 | 0 | 5 | 0 | 1 |
| 2 | 2050 | "Network Neighborhood" | 1 Desktop | 17 | 17 | 17 | 2 | 18 | -1 | 0 | 0 |
| 3 | 2051 | "Recycle Empty" | 1 Desktop | 31 | 31 | 20 | 3 | 10 | -1 | 0 | 0 |
| 4 | 2052 | "Recycle Full" | 1 Desktop | 32 | 32 | 21 | 3 | 10 | -1 | 0 | 0 |
| 5 | 2053 | "Briefcase" | 1 Desktop | -1 | -1 | 35 | 4 | 0 | 0 | 1 | 0 |
| 6 | 2054 | "Inbox" | 1 Desktop | -1 | -1 | 30 | 5 | 0 | 1 | 0 | 0 |
| 7 | 2055 | "The Microsoft Network" | 1 Desktop | -1 | -1 | 31 | 6 | 0 | 2 | 0 | 0 |
| 8 | 2056 | "Internet Explorer" | 1 Desktop | -1 | -1 | -1 | 7 | 0 | 3 | 0 | 0 |
| 9 | 2057 | "Floppy Drive 5.25" | 4 Drive | 5 | 5 | 9 | 11 | 0 | -1 | 1 | 0 |
| 10 | 2058 | "Floppy Drive 3.5" | 4 Drive | 6 | 6 | 8 | 11 | 0 | -1 | 1 | 0 |
| 11 | 2059 | "Removeable Drive" | 4 Drive | 7 | 7 | -1 | 11 | 0 | -1 | 1 | 0 |
| 12 | 2060 | "Hard Drive" | 4 Drive | 8 | 8 | 0 | 11 | 0 | -1 | 1 | 0 |
| 13 | 2061 | "Network Drive" | 4 Drive | 9 | 9 | 1 | 11 | 0 | -1 | 1 | 0 |
| 14 | 2062 | "Network Drive Offline" | 4 Drive | 10 | 10 | 29 | 11 | 0 | -1 | 1 | 0 |
| 15 | 2063 | "CD-ROM Drive" | 4 Drive | 11 | 11 | 10 | 11 | 0 | -1 | 1 | 0 |
| 16 | 2064 | "RAM Drive" | 4 Drive | 12 | 12 | -1 | 11 | 0 | -1 | 1 | 0 |
| 17 | 2065 | "Programs" | 2 Start | 19 | 19 | 4 | 11 | 0 | -1 | 1 | 0 |
| 18 | 2066 | "Favorites" | 2 Start | 43 | 43 | -1 | 11 | 0 | -1 | 1 | 1 |
| 19 | 2067 | "Documents" | 2 Start | 20 | 20 | 2 | 11 | 0 | -1 | 1 | 0 |
| 20 | 2068 | "Settings" | 2 Start | 21 | 21 | 6 | 11 | 0 | -1 | 1 | 0 |
| 21 | 2069 | "Find" | 2 Start | 22 | 22 | 3 | 11 | 0 | -1 | 1 | 0 |
| 22 | 2070 | "Help" | 2 Start | 23 | 23 | 15 | 11 | 0 | -1 | 1 | 0 |
| 23 | 2071 | "Run" | 2 Start | 24 | 24 | 5 | 11 | 0 | -1 | 1 | 0 |
| 24 | 2072 | "Log Off" | 2 Start | 44 | 44 | -1 | 11 | 0 | -1 | 1 | 1 |
| 25 | 2073 | "Shut Down" | 2 Start | 27 | 27 | 7 | 11 | 0 | -1 | 1 | 0 |
| 26 | 2074 | "Suspend" | 2 Start | 25 | 25 | 33 | 11 | 0 | -1 | 1 | 0 |
| 27 | 2075 | "Undock" | 2 Start | 26 | 26 | 32 | 11 | 0 | -1 | 1 | 0 |
| 28 | 2076 | "Closed Folder" | 3 Folder | 3 | 3 | 11 | 11 | 0 | -1 | 1 | 0 |
| 29 | 2077 | "Open Folder" | 3 Folder | 4 | 4 | 18 | 11 | 0 | -1 | 1 | 0 |
| 30 | 2078 | "Program Group" | 3 Folder | 36 | 36 | 24 | 11 | 0 | -1 | 1 | 0 |
| 31 | 2079 | "Control Panel" | 3 Folder | -1 | 35 | 12 | 9 | 3 | -1 | 1 | 0 |
| 32 | 2080 | "Printers" | 3 Folder | -1 | 37 | 19 | 10 | 4 | -1 | 1 | 0 |
| 33 | 2081 | "Dial-Up Networking" | 3 Folder | 33 | 33 | 27 | 8 | 0 | 4 | 1 | 0 |
| 34 | 2082 | "Shortcut" | 5 Misc. | 29 | 29 | -1 | 11 | 0 | -1 | 1 | 0 |
| 35 | 2083 | "Share" | 5 Misc. | 28 | 28 | 34 | 11 | 0 | -1 | 1 | 0 |
| 36 | 2084 | "Desktop" | 5 Misc. | 34 | 34 | -1 | 11 | 0 | -1 | 1 | 0 |
| 37 | 2085 | "Entire Network" | 5 Misc. | 13 | 13 | 13 | 11 | 0 | -1 | 1 | 0 |
| 38 | 2086 | "Workgroup" | 5 Misc. | 18 | 18 | -1 | 11 | 0 | -1 | 1 | 0 |
| 39 | 2087 | "Application" | 5 Misc. | 2 | 2 | -1 | 11 | 0 | -1 | 1 | 0 |
| 40 | 2088 | "Audio CD" | 5 Misc. | 40 | 40 | 26 | 11 | 0 | -1 | 1 | 0 |
| 41 | 2089 | "Default Icon" | 5 Misc. | 0 | 0 | 37 | 11 | 0 | -1 | 1 | 0 |
| 42 | 2090 | "Default Document" | 5 Misc. | 1 | 1 | -1 | 11 | 0 | -1 | 1 | 0 |
| 43 | 2091 | "Wait" | 6 Cursor | 32514 | -1 | 0 | 12 | 0 | -1 | 0 | 0 |
| 44 | 2092 | "AppStarting" | 6 Cursor | 32650 | -1 | 1 | 12 | 0 | -1 | 0 | 0 |
| 45 | 2093 | "Arrow" | 6 Cursor | 32512 | -1 | 2 | 12 | 0 | -1 | 0 | 0 |
| 46 | 2094 | "Crosshair" | 6 Cursor | 32515 | -1 | 3 | 12 | 0 | -1 | 0 | 0 |
| 47 | 2095 | "Help" | 6 Cursor | 32651 | -1 | 4 | 12 | 0 | -1 | 0 | 0 |
| 48 | 2096 | "IBeam" | 6 Cursor | 32513 | -1 | 5 | 12 | 0 | -1 | 0 | 0 |
| 49 | 2097 | "No" | 6 Cursor | 32648 | -1 | 6 | 12 | 0 | -1 | 0 | 0 |
| 50 | 2098 | "SizeAll" | 6 Cursor | 32646 | -1 | 7 | 12 | 0 | -1 | 0 | 0 |
| 51 | 2099 | "SizeNESW" | 6 Cursor | 32643 | -1 | 8 | 12 | 0 | -1 | 0 | 0 |
| 52 | 2100 | "SizeNS" | 6 Cursor | 32645 | -1 | 9 | 12 | 0 | -1 | 0 | 0 |
| 53 | 2101 | "SizeNWSE" | 6 Cursor | 32642 | -1 | 10 | 12 | 0 | -1 | 0 | 0 |
| 54 | 2102 | "SizeWE" | 6 Cursor | 32644 | -1 | 11 | 12 | 0 | -1 | 0 | 0 |
| 55 | 2103 | "UpArrow" | 6 Cursor | 32516 | -1 | 12 | 12 | 0 | -1 | 0 | 0 |
| 56 | 2104 | "Hand" | 6 Cursor | 32649 | -1 | 13 | 12 | 0 | -1 | 0 | 0 |
| 57 | 2105 | "NWPen" | 6 Cursor | 32631 | -1 | 14 | 12 | 0 | -1 | 0 | 0 |
)TABLE";

const char* const kPublishedKeys = R"TABLE(
| 0 | classes root | "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}" |
| 1 | classes root | "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}" |
| 2 | classes root | "CLSID\\{208D2C60-3AEA-1069-A2D7-08002B30309D}" |
| 3 | classes root | "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}" |
| 4 | classes root | "CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}" |
| 5 | classes root | "CLSID\\{00020D75-0000-0000-C000-000000000046}" |
| 6 | classes root | "CLSID\\{00028B00-0000-0000-C000-000000000046}" |
| 7 | classes root | "CLSID\\{FBF23B42-E3F0-101B-8488-00AA003E56F8}" |
| 8 | classes root | "CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}" |
| 9 | classes root | "CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}" |
| 10 | classes root | "CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}" |
| 11 | local machine | "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons" |
| 12 | current user | "Control Panel\\Cursors" |
)TABLE";

std::vector<std::vector<std::string>> Cells(const char* table) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(table);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<std::string> cells;
        std::istringstream cols(line);
        std::string cell;
        std::getline(cols, cell, '|');  // before the first bar
        while (std::getline(cols, cell, '|')) {
            size_t b = cell.find_first_not_of(' '), e = cell.find_last_not_of(' ');
            cells.push_back(b == std::string::npos ? "" : cell.substr(b, e - b + 1));
        }
        if (!cells.empty() && cells.back().empty()) cells.pop_back();
        rows.push_back(cells);
    }
    return rows;
}

// "\"CLSID\\\\{...}\"" as printed becomes the key path itself.
std::string Unquote(const std::string& cell) {
    std::string out;
    for (size_t i = 1; i + 1 < cell.size(); ++i) {
        if (cell[i] == '\\' && cell[i + 1] == '\\') ++i;
        out += cell[i];
    }
    return out;
}

TEST(SystemObjectTable, EveryRowMatchesThePublishedTable) {
    auto rows = Cells(kPublishedRows);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kSystemObjectCount));
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& c = rows[i];
        const SystemObjectRow& r = kSystemObjectTable[i];
        SCOPED_TRACE("row " + c[0]);
        ASSERT_EQ(c.size(), 12u);
        EXPECT_EQ(std::stoi(c[0]), static_cast<int>(i));
        EXPECT_EQ(std::stoi(c[1]), r.stringId);
        EXPECT_EQ(Unquote(c[2]), r.itemName);
        EXPECT_EQ(std::stoi(c[3]), r.category);
        EXPECT_EQ(std::stoi(c[4]), r.shellIndex);
        EXPECT_EQ(std::stoi(c[5]), r.defaultIndex);
        EXPECT_EQ(std::stoi(c[6]), r.alternateIndex);
        EXPECT_EQ(std::stoi(c[7]), r.key);
        EXPECT_EQ(std::stoi(c[8]), r.csidl);
        EXPECT_EQ(std::stoi(c[9]), r.module);
        EXPECT_EQ(std::stoi(c[10]), r.cached);
        EXPECT_EQ(std::stoi(c[11]), r.newerShellOnly);
    }
}

TEST(SystemObjectTable, RegistryLocationsMatchThePublishedTable) {
    auto rows = Cells(kPublishedKeys);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kRegistryLocationCount));
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("key " + rows[i][0]);
        RegRoot root = rows[i][1] == "classes root"    ? RegRoot::ClassesRoot
                       : rows[i][1] == "local machine" ? RegRoot::LocalMachine
                                                       : RegRoot::CurrentUser;
        EXPECT_EQ(kRegistryLocations[i].root, root);
        EXPECT_EQ(Unquote(rows[i][2]), kRegistryLocations[i].keyPath);
    }
}

TEST(SystemObjectTable, DefaultModulesAndInstallerNames) {
    const char* files[] = {"SYNCUI.DLL",   "MSNEXCH.EXE", "EXCHNG32.EXE",
                           "IEXPLORE.EXE", "RNAUI.DLL",   "MYDOCS.DLL"};
    for (size_t i = 0; i < kDefaultModules.size(); ++i) {
        EXPECT_STREQ(kDefaultModules[i].fileName, files[i]);
        EXPECT_EQ(kDefaultModules[i].iconIndex, 0);
    }
    EXPECT_STREQ(InstallerItemName(kRowNetworkDriveOffline), "Network Drive (Offline)");
    EXPECT_STREQ(InstallerItemName(13), "Network Drive");
}

}  // namespace
}  // namespace vt
