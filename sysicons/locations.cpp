// Reading, defaulting and writing one row's icon location.

#include <cctype>
#include <cstdlib>

#include "common/prompt.h"
#include "sysicons/system_icons.h"
#include "sysicons/text.h"

namespace vt {

namespace {

bool StartsWithDrive(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

std::string Decimal(int n) {
    return Format("%d", n);
}

}  // namespace

bool SystemIcons::LoadIcons(int r, const std::string& path, int index) {
    IconPair icons;
    bool ok = m_shell.LoadLocationIcons(path, index, &icons);
    if (ok) SetIcons(r, icons, false);
    return ok;
}

std::string SystemIcons::ReadDefaultIcon(int r) {
    const SystemObject& o = row(r);
    std::string text;
    if (r == kRowInternetExplorer && m_facts.newerShell) {
        ReadClassValue(RegRoot::ClassesRoot, kInternetObjectClass, "DefaultIcon", {}, &text);
        if (!text.empty()) return text;
    }
    ReadClassValue(keyRoot(o.key), keyPath(o.key), "DefaultIcon", {}, &text);
    return text;
}

void SystemIcons::ReadCurrentLocation(int r) {
    SystemObject& o = row(r);
    SetIcons(r, {}, false);
    o.chosenIndex = 0;
    o.chosenSlot = 0;
    if (o.isCursor()) {
        ReadCursorLocation(r);
        return;
    }
    std::string path;
    int index = 0;
    bool settled = false;
    if (o.key == kKeyShellIcons && o.csidl == 0) {
        o.displayName = o.itemName;
        std::string value;
        ReadClassValue(RegRoot::LocalMachine, keyPath(o.key), {}, Decimal(o.defaultIndex), &value);
        if (!value.empty() && ResolveLocation(value, &path, &index) && LoadIcons(r, path, index)) {
            SetLocation(r, Format("%s,%d", path.c_str(), index));
        } else {
            // A missing override file shows the shell's own icon, as the shell itself does.
            LoadIcons(r, "shell32.dll", o.defaultIndex);
            SetLocation(r, Format("shell32.dll,%d", o.defaultIndex));
        }
        settled = true;
    } else if (r == kRowDialUp) {
        if (ResolveLocation(m_dialUpDefault, &path, &index) && LoadIcons(r, path, index))
            SetLocation(r, Format("%s,%d", path.c_str(), index));
        else
            o.shellIndex = -1;
        settled = true;
    }
    if (!settled && o.csidl != 0) o.shellIndex = m_shell.SpecialFolderIconIndex(o.csidl);
    if (!settled && o.key == kKeyRecycleBin) {
        std::string name;
        if (ReadClassValue(RegRoot::ClassesRoot, keyPath(o.key), {}, {}, &name) == kRegOk) {
            o.displayName = Format("%s  (%s)", name.c_str(), recycleWord(r).c_str());
            std::string value;
            ReadClassValue(RegRoot::ClassesRoot, keyPath(o.key), "DefaultIcon", recycleWord(r),
                           &value);
            SetLocation(r, value);
            if (!(ResolveLocation(value, &path, &index) && LoadIcons(r, path, index)))
                LoadIcons(r, m_facts.shell32Path, 0);
            settled = true;
        }
    }
    if (!settled) {
        std::string value = ReadDefaultIcon(r);
        if (value.empty()) {
            ShowBuiltInIcon(r);
        } else if (ResolveLocation(value, &path, &index) && LoadIcons(r, path, index)) {
            SetLocation(r, Format("%s,%d", path.c_str(), index));
        }
    }
    CompleteFromSearchPath(r, false);
}

// With no "DefaultIcon" configured the shell still shows the object, with its built-in icon:
// the row stays listed and shows that icon, so the user can give it one of its own.
void SystemIcons::ShowBuiltInIcon(int r) {
    const SystemObject& o = row(r);
    std::string path;
    int index = 0;
    if (o.defaultIndex >= 0) {
        path = m_facts.shell32Path;
        index = o.defaultIndex;
    } else {
        DefaultChoice d = DefaultLocation(r);
        path = d.file;
        index = d.index;
    }
    // Without any icon the row is shown as a missing graphic (location empty).
    if (!path.empty() && LoadIcons(r, path, index))
        SetLocation(r, Format("%s,%d", path.c_str(), index));
}

void SystemIcons::ReadCursorLocation(int r) {
    SystemObject& o = row(r);
    o.displayName = o.itemName;
    std::string value;
    ReadClassValue(RegRoot::CurrentUser, keyPath(kKeyCursors), {}, o.itemName, &value);
    IconHandle cursor = 0;
    if (!value.empty()) {
        SetLocation(r, value);
        cursor = m_shell.LoadCursorFile(value);
    } else {
        SetLocation(r, kWindowsDefaultCursorText);
    }
    if (cursor) {
        SetIcons(r, {cursor, 0}, false);
        CompleteFromSearchPath(r, true);
        return;
    }
    IconHandle standard = m_shell.LoadSystemCursor(o.shellIndex);
    if (standard)
        SetIcons(r, {standard, 0}, true);
    else
        o.shellIndex = -1;
    o.chosenIndex = 1;
    if (!value.empty()) CompleteFromSearchPath(r, true);
}

void SystemIcons::CompleteFromSearchPath(int r, bool cursor) {
    SystemObject& o = row(r);
    if (o.location.empty() || StartsWithDrive(o.location)) return;
    std::string path = o.location;
    int index = 0;
    if (!cursor) {
        size_t comma = path.rfind(',');
        if (comma != std::string::npos) {
            index = ParseDecimal(path.c_str() + comma + 1);
            path.resize(comma);
        }
    }
    std::string full = m_shell.FindOnSearchPath(path);
    if (full.empty()) return;
    SetLocation(r, cursor ? full : Format("%s,%d", full.c_str(), index));
}

std::string SystemIcons::ProgramOfCommand(const std::string& classKey) {
    bool internet = EqualsNoCase(classKey, kInternetObjectClass);
    std::string command;
    ReadClassValue(
        RegRoot::ClassesRoot,
        Format(internet ? "%s\\Shell\\OpenHomePage\\Command" : "%s\\Shell\\Open\\Command",
               classKey.c_str()),
        {}, {}, &command);
    // The program is the first word of the command, except that a name with spaces may precede
    // its extension ("C:\Program Files\x.exe -a"): spaces end it only after a dot.
    std::string out;
    size_t i = !command.empty() && command[0] == '"' ? 1 : 0;
    bool dot = false;
    for (; i < command.size() && out.size() < 258; ++i) {
        char c = command[i];
        if (c == '"' || (dot && c == ' ')) break;
        if (c == '.') dot = true;
        out += c;
    }
    return out;
}

DefaultChoice SystemIcons::DefaultLocation(int r) {
    const SystemObject& o = row(r);
    DefaultChoice d;
    if (o.isCursor()) {
        d.restoreCursor = true;
        d.index = 1;
        return d;
    }
    if (!m_facts.newerShell && m_facts.coolDllPresent && o.alternateIndex > 0) {
        d.file = m_facts.systemDirectory + "\\cool.dll";
        d.index = o.alternateIndex;
    } else if (o.module == -1) {
        if (o.key != kKeyShellIcons) {
            d.file = m_facts.shell32Path;
            d.index = o.defaultIndex;
        }
    } else if (o.key == kKeyInbox) {
        d.file = ProgramOfCommand(keyPath(kKeyInbox));
    } else if (o.key == kKeyInternetExplorer) {
        d.file = ProgramOfCommand(keyPath(kKeyInternetExplorer));
        if (d.file.empty()) {
            d.file = ProgramOfCommand(kInternetObjectClass);
            d.index = kInternetProgramIconId;
        }
    } else if (o.key == kKeyDialUp && !m_facts.newerShell) {
        d.file = ProgramOfCommand(keyPath(kKeyDialUp));
    } else {
        const DefaultModule& m = kDefaultModules[static_cast<size_t>(o.module)];
        d.file = m_facts.systemDirectory + "\\" + m.fileName;
        d.index = m.iconIndex;
    }
    return d;
}

void SystemIcons::RefreshShellIndex(int r) {
    SystemObject& o = row(r);
    if (o.csidl != 0)
        o.shellIndex = m_shell.SpecialFolderIconIndex(o.csidl);
    else if (o.category == kCategoryDesktop)
        DiscoverDesktop();
}

bool SystemIcons::WriteRecycleLocation(int r, const std::string& value, bool* visible) {
    const std::string& path = keyPath(kKeyRecycleBin);
    std::string shown, empty;
    ReadClassValue(RegRoot::ClassesRoot, path, "DefaultIcon", {}, &shown);
    ReadClassValue(RegRoot::ClassesRoot, path, "DefaultIcon", m_words[0], &empty);
    // The shell shows the default value; it follows the word of the bin's present state.
    bool binEmpty = EqualsNoCase(shown, empty);
    bool emptyRow = row(r).alternateIndex == kRecycleEmptyAlternate;
    *visible = emptyRow == binEmpty;
    if (*visible && WriteClassValue(kKeyRecycleBin, RegRoot::ClassesRoot, path, "DefaultIcon", {},
                                    value) != kRegOk)
        return false;
    return WriteClassValue(kKeyRecycleBin, RegRoot::ClassesRoot, path, "DefaultIcon",
                           recycleWord(r), value) == kRegOk;
}

void SystemIcons::AnnounceChange(int r) {
    SystemObject& o = row(r);
    bool overlayUnderOverlayBuild = m_facts.overlayBuild && (o.shellIndex == kShellIndexShare ||
                                                             o.shellIndex == kShellIndexShortcut);
    if (!m_facts.isNt()) {
        if (o.key == kKeyShellIcons || o.key == kKeyBriefcase)
            m_shell.ReplaceSystemImage(o.shellIndex, {o.largeIcon, o.smallIcon});
        // That shell build mishandles the overlays' update notification; its cache is rebuilt
        // instead (below).
        if (!overlayUnderOverlayBuild) m_shell.NotifyUpdateImage(o.shellIndex);
    }
    if (m_facts.isNt() || overlayUnderOverlayBuild) {
        if (o.cached) iconCacheNeedsRebuild = true;
        if (o.key == kKeyBriefcase) briefcaseChanged = true;
    }
    if (o.shellIndex == kShellIndexShortcut ||
        (o.shellIndex == kShellIndexDesktop && m_facts.newerShell))
        m_shell.RedrawScreen();
}

bool SystemIcons::WriteLocation(int r, const std::string& file, int index) {
    SystemObject& o = row(r);
    // An empty file asks for the object's built-in icon: the value is removed, never written as
    // a bare ",0" that the shell could not load.
    std::string value = file.empty() ? std::string() : Format("%s,%d", file.c_str(), index);
    if (r == kRowDialUp) m_dialUpDefault = value;
    bool ok = false;
    bool visible = true;
    if (o.key == kKeyShellIcons) {
        ok = WriteClassValue(kKeyShellIcons, RegRoot::LocalMachine, keyPath(o.key), {},
                             Decimal(o.shellIndex), value) == kRegOk;
    } else {
        RefreshShellIndex(r);
        if (o.key == kKeyRecycleBin) {
            ok = WriteRecycleLocation(r, value, &visible);
        } else {
            bool internet = r == kRowInternetExplorer && m_facts.newerShell;
            const std::string& path = internet ? std::string(kInternetObjectClass) : keyPath(o.key);
            ok = WriteClassValue(o.key, keyRoot(o.key), path, "DefaultIcon", {}, value) == kRegOk;
        }
    }
    if (ok && visible) AnnounceChange(r);
    return ok;
}

}  // namespace vt
