#include "sysicons/system_icons.h"

#include <cstdlib>

#include "common/prompt.h"
#include "sysicons/text.h"

namespace vt {

const char* const kTablesNeedRebuildText = "Program tables require rebuilding.";
const char* const kWindowsDefaultCursorText = "Windows Default Cursor";

namespace {

const char* const kUserClasses = "Software\\Classes\\";

// Location texts are kept within the buffers the shell uses for them.
constexpr size_t kMaxLocation = 259;
constexpr size_t kMaxLocationInstaller = 255;
constexpr size_t kMaxDisplayName = 79;

std::string WithSubkey(const std::string& keyPath, const std::string& subkey) {
    return subkey.empty() ? keyPath : keyPath + "\\" + subkey;
}

}  // namespace

SystemIcons::SystemIcons(Registry& registry, Shell& shell, FileSystem& files,
                         const EnvironmentFacts& facts, Program program)
    : m_registry(registry), m_shell(shell), m_files(files), m_facts(facts), m_program(program) {
    int count = program == Program::Engineer ? kSystemObjectCount : kFirstCursorRow;
    for (int i = 0; i < count; ++i) {
        SystemObject o;
        static_cast<SystemObjectRow&>(o) = kSystemObjectTable[static_cast<size_t>(i)];
        o.itemName =
            program == Program::Engineer ? o.SystemObjectRow::itemName : InstallerItemName(i);
        m_rows.push_back(o);
    }
    for (const auto& k : kRegistryLocations) m_keyPaths.emplace_back(k.keyPath);
}

SystemIcons::~SystemIcons() {
    for (int i = 0; i < rowCount(); ++i) SetIcons(i, {}, false);
}

const char* SystemIcons::classText() const {
    return m_program == Program::Engineer ? "Vantoro Engineer" : "Vantoro 98";
}

const std::string& SystemIcons::recycleWord(int r) const {
    return m_words[row(r).alternateIndex == kRecycleEmptyAlternate ? 0 : 1];
}

void SystemIcons::SetRecycleWords(const std::string& empty, const std::string& full) {
    m_words[0] = empty;
    m_words[1] = full;
}

bool SystemIcons::Prepare() {
    if (!AdjustForPlatform()) return false;
    BuildDisplayNames();
    DiscoverDesktop();
    ReadAllCurrentLocations();
    return true;
}

bool SystemIcons::AdjustForPlatform() {
    if (!m_facts.isNt()) return true;
    m_keyPaths[kKeyDialUp] = kDialUpClassNt;
    // The NT defaults below are tied to the Control Panel row; a table edited out of step with
    // them must not silently give wrong icons.
    if (row(kRowControlPanel).key != kKeyControlPanel) return false;
    row(kRowControlPanel).defaultIndex = 46;
    row(kRowPrinters).defaultIndex = 47;
    return true;
}

long SystemIcons::ReadClassValue(RegRoot root, const std::string& keyPath,
                                 const std::string& subkey, const std::string& name,
                                 std::string* out) {
    out->clear();
    std::string path = WithSubkey(keyPath, subkey);
    std::string text;
    long err = kRegNotFound;
    if (m_facts.perUserClasses && root == RegRoot::ClassesRoot) {
        err = m_registry.ReadString(RegRoot::CurrentUser, kUserClasses + path, name, &text);
        // The user's copy of a default value only counts when it says something.
        if (err == kRegOk && name.empty() && text.empty()) err = kRegNotFound;
    }
    if (err != kRegOk) err = m_registry.ReadString(root, path, name, &text);
    if (err != kRegOk) return err;
    *out = EqualsNoCase(name, "Attributes") ? text : m_registry.ExpandEnvironment(text);
    return kRegOk;
}

long SystemIcons::WriteClassValue(int keyNumber, RegRoot root, const std::string& keyPath,
                                  const std::string& subkey, const std::string& name,
                                  const std::string& text) {
    std::string path = WithSubkey(keyPath, subkey);
    // The Briefcase is a machine-wide object that the shell never looks up per user.
    if (m_facts.perUserClasses && root == RegRoot::ClassesRoot && keyNumber != kKeyBriefcase) {
        root = RegRoot::CurrentUser;
        path = kUserClasses + path;
    }
    if (!text.empty()) return m_registry.WriteString(root, path, name, text, classText());
    long err = m_registry.DeleteValue(root, path, name);
    // Asking for the default when it is already in effect is not a failure.
    return err == kRegNotFound ? kRegOk : err;
}

bool SystemIcons::ResolveCursorLocation(const std::string& location, std::string* path) const {
    path->clear();
    if (location.empty()) return false;
    *path = location;
    for (const char* var : {"%Folder%", "%ThemeDir%"}) {
        size_t at = location.find(var);
        if (at != std::string::npos) {
            *path = m_variableFolder + location.substr(at + std::string(var).size());
            return true;
        }
    }
    size_t at = location.find("%WinDir%");
    if (at != std::string::npos) *path = m_facts.windowsDirectory + location.substr(at + 8);
    return true;
}

bool SystemIcons::ResolveLocation(const std::string& location, std::string* path,
                                  int* index) const {
    *index = -1;
    if (!ResolveCursorLocation(location, path)) return false;
    *index = 0;
    size_t comma = path->rfind(',');
    if (comma != std::string::npos) {
        *index = ParseDecimal(path->c_str() + comma + 1);
        path->resize(comma);
    }
    return true;
}

bool SystemIcons::IsListed(int r) const {
    const SystemObject& o = row(r);
    return o.shellIndex >= 0 && (!o.newerShellOnly || m_facts.newerShell);
}

void SystemIcons::SetIcons(int r, const IconPair& icons, bool shared) {
    SystemObject& o = row(r);
    if (!o.sharedIcon) {
        m_shell.ReleaseIcon(o.largeIcon);
        m_shell.ReleaseIcon(o.smallIcon);
    }
    o.largeIcon = icons.large;
    o.smallIcon = icons.small;
    o.sharedIcon = shared;
}

void SystemIcons::SetLocation(int r, const std::string& text) {
    size_t cap = m_program == Program::Engineer ? kMaxLocation : kMaxLocationInstaller;
    row(r).location = text.substr(0, cap);
}

int SystemIcons::AddChosenSlot() {
    m_chosenFiles.emplace_back();
    return static_cast<int>(m_chosenFiles.size());
}

void SystemIcons::SetChosenFile(int r, const std::string& path) {
    SystemObject& o = row(r);
    if (o.chosenSlot == 0) o.chosenSlot = AddChosenSlot();
    m_chosenFiles[static_cast<size_t>(o.chosenSlot - 1)] = path.substr(0, kMaxLocation);
}

std::string SystemIcons::ChosenFile(int r) const {
    int slot = row(r).chosenSlot;
    if (slot <= 0 || static_cast<size_t>(slot) > m_chosenFiles.size()) return {};
    return m_chosenFiles[static_cast<size_t>(slot - 1)];
}

void SystemIcons::ReleaseChosenFiles() {
    m_chosenFiles.clear();
    for (auto& o : m_rows) o.chosenSlot = 0;
}

std::string SystemIcons::DisplayNameFor(int r) {
    const SystemObject& o = row(r);
    if (o.isCursor() || o.key == kKeyShellIcons) return o.itemName;
    std::vector<std::pair<RegRoot, std::string>> tries;
    if (m_facts.newerShell && o.category == kCategoryDesktop) {
        std::string own = r == kRowInternetExplorer ? kInternetObjectClass : keyPath(o.key);
        tries.push_back({RegRoot::CurrentUser, kUserClasses + own});
        if (r == kRowInternetExplorer)
            tries.push_back({RegRoot::ClassesRoot, kInternetObjectClass});
    }
    tries.push_back({RegRoot::ClassesRoot, keyPath(o.key)});
    for (const auto& [root, path] : tries) {
        std::string text;
        if (ReadClassValue(root, path, {}, {}, &text) != kRegOk) continue;
        if (text.empty()) text = o.itemName;
        // Names are shown in fields of 80 characters; a longer registry text is cut there.
        if (text.size() > kMaxDisplayName) text.resize(kMaxDisplayName);
        if (o.key == kKeyRecycleBin)
            text = Format("%s  (%s)", text.c_str(), recycleWord(r).c_str());
        if (r == kRowDialUp)
            ReadClassValue(RegRoot::ClassesRoot, keyPath(o.key), "DefaultIcon", {},
                           &m_dialUpDefault);
        return text;
    }
    return {};
}

void SystemIcons::BuildDisplayNames() {
    for (int r = 0; r < rowCount(); ++r) row(r).displayName = DisplayNameFor(r);
}

void SystemIcons::DiscoverDesktop() {
    for (const auto& obj : m_shell.DesktopObjects()) {
        bool matched = false;
        for (int r = 0; r < rowCount(); ++r) {
            SystemObject& o = row(r);
            if (o.category != kCategoryDesktop || o.csidl != 0 || o.displayName.empty()) continue;
            if (o.displayName == obj.displayName) {
                o.shellIndex = obj.iconIndex;
                matched = true;
            }
        }
        // A briefcase renamed by the user is still known by its type.
        if (!matched && obj.typeName == "Briefcase" && kRowBriefcase < rowCount())
            row(kRowBriefcase).shellIndex = obj.iconIndex;
    }
    for (int r = 0; r < rowCount(); ++r)
        if (row(r).csidl != 0) row(r).shellIndex = m_shell.SpecialFolderIconIndex(row(r).csidl);
}

void SystemIcons::ReadAllCurrentLocations() {
    for (int r = 0; r < rowCount(); ++r) ReadCurrentLocation(r);
}

void SystemIcons::RefreshCurrentIcons() {
    for (int r = 0; r < rowCount(); ++r) {
        SystemObject& o = row(r);
        if (o.chosenSlot == 0) {
            ReadCurrentLocation(r);
            continue;
        }
        // Standard cursors and own icons do not depend on the icon size.
        if (o.sharedIcon) continue;
        if (o.isCursor()) {
            if (IconHandle cursor = m_shell.LoadCursorFile(ChosenFile(r)))
                SetIcons(r, {cursor, 0}, false);
            continue;
        }
        std::string path;
        int index = 0;
        IconPair icons;
        if (ResolveLocation(o.location, &path, &index) &&
            m_shell.LoadLocationIcons(path, index, &icons))
            SetIcons(r, icons, false);
    }
}

}  // namespace vt
