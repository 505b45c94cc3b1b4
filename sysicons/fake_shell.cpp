#include "sysicons/fake_shell.h"

#include "common/prompt.h"

namespace vt {

std::string FakeShell::Key(const std::string& path, int index) {
    return Format("%s,%d", path.c_str(), index);
}

IconHandle FakeShell::Make(const std::string& source, bool owned) {
    IconHandle h = ++m_next;
    m_sources[h] = source;
    if (owned) m_live.insert(h);
    return h;
}

int FakeShell::SpecialFolderIconIndex(int csidl) {
    auto it = m_folders.find(csidl);
    return it == m_folders.end() ? -1 : it->second;
}

bool FakeShell::LoadLocationIcons(const std::string& path, int index, IconPair* out) {
    *out = {};
    if (!m_icons.count(Key(path, index))) return false;
    out->large = Make(Key(path, index), true);
    out->small = Make(Key(path, index) + " small", true);
    return true;
}

IconHandle FakeShell::LoadCursorFile(const std::string& path) {
    return m_cursors.count(path) ? Make(path, true) : 0;
}

IconHandle FakeShell::LoadSystemCursor(int id) {
    return Make(Format("cursor:%d", id), false);
}

IconHandle FakeShell::LoadOwnIcon(int resourceId) {
    return Make(Format("own:%d", resourceId), false);
}

void FakeShell::ReleaseIcon(IconHandle icon) {
    if (icon && !m_live.erase(icon))
        m_log.push_back(Format("bad release of %s", SourceOf(icon).c_str()));
}

std::string FakeShell::SourceOf(IconHandle icon) const {
    auto it = m_sources.find(icon);
    return it == m_sources.end() ? std::string() : it->second;
}

std::string FakeShell::FindOnSearchPath(const std::string& file) {
    auto it = m_searchable.find(file);
    return it == m_searchable.end() ? std::string() : it->second;
}

void FakeShell::ReplaceSystemImage(int shellIndex, const IconPair& icons) {
    m_log.push_back(Format("replace image %d with %s", shellIndex, SourceOf(icons.large).c_str()));
}

void FakeShell::NotifyUpdateImage(int image) {
    m_log.push_back(Format("notify update image %d", image));
}

bool FakeShell::SetSystemParameter(int action, int value, bool updateIniFile) {
    m_log.push_back(
        Format("parameter %d = %d%s", action, value, updateIniFile ? " update ini" : ""));
    return true;
}

int FakeShell::IconCount(const std::string& path) {
    m_log.push_back("icon count " + path);
    auto it = m_counts.find(path);
    return it == m_counts.end() ? 0 : it->second;
}

bool FakeShell::GetIconMetrics(IconMetrics* out) {
    if (m_hasMetrics) *out = m_metrics;
    return m_hasMetrics;
}

bool FakeShell::SetIconTitleFont(const TitleFont& font) {
    m_log.push_back(Format("title font %s %d", font.faceName.c_str(), font.height));
    return true;
}

void FakeShell::BroadcastSettingChange(int action, const std::string& section) {
    m_log.push_back(Format("broadcast %d %s", action, section.c_str()));
}

bool FakeShell::ReinitializeIcons(bool full) {
    if (!m_hasReinit) return false;
    m_log.push_back(Format("reinitialize icons %d", full ? 1 : 0));
    return true;
}

void FakeShell::RedrawScreen() {
    m_log.push_back("redraw screen");
}

void FakeShell::RestartWindows() {
    m_log.push_back("restart windows");
}

}  // namespace vt
