#include "common/mru_list.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cstdio>

namespace vt {

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SamePath(text.substr(0, prefix.size()), prefix);
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

}  // namespace

bool SamePath(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string WithoutIcoExtension(std::string_view name) {
    if (name.size() >= 4 && SamePath(name.substr(name.size() - 4), ".ico")) name.remove_suffix(4);
    return std::string(name);
}

void MruList::Add(const std::string& path, int fileType) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [&](const MruEntry& e) { return SamePath(e.path, path); });
    if (it != m_entries.end()) {
        std::rotate(m_entries.begin(), it, it + 1);
        return;
    }
    if (m_entries.size() == kMaxEntries) m_entries.pop_back();
    m_entries.insert(m_entries.begin(), MruEntry{path, fileType});
}

bool MruList::Remove(const std::string& path) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [&](const MruEntry& e) { return SamePath(e.path, path); });
    if (it == m_entries.end()) return false;
    m_entries.erase(it);
    return true;
}

std::string MruList::StoredValue(const MruEntry& entry) {
    return entry.path + "," + std::to_string(entry.fileType);
}

MruEntry MruList::ParseStoredValue(std::string_view text) {
    return ParseStoredValue(text, MruForm{});
}

MruEntry MruList::ParseStoredValue(std::string_view text, const MruForm& form) {
    MruEntry e;
    e.fileType = form.defaultType;
    size_t comma = text.rfind(',');
    if (comma == std::string_view::npos) {
        e.path = std::string(text);
        return e;
    }
    std::string_view number = text.substr(comma + 1);
    // Only the form's types exist: anything else, however long, stands for the default.
    int type = 0;
    const char* end = number.data() + number.size();
    auto [stop, ec] = std::from_chars(number.data(), end, type);
    bool known = !number.empty() && number.size() <= 3 && ec == std::errc() && stop == end &&
                 number[0] != '-' && type >= form.minType && type <= form.maxType;
    if (known) {
        e.fileType = type;
        e.path = std::string(text.substr(0, comma));
    } else {
        e.path = std::string(form.wholeTextWithoutType ? text : text.substr(0, comma));
    }
    return e;
}

std::optional<MruEntry> MruList::ParseStoredValueStrict(std::string_view text, int minType,
                                                        int maxType, size_t maxPath) {
    size_t comma = text.rfind(',');
    if (comma == std::string_view::npos || comma == 0 || comma > maxPath) return std::nullopt;
    std::string_view number = text.substr(comma + 1);
    int type = 0;
    const char* end = number.data() + number.size();
    auto [stop, ec] = std::from_chars(number.data(), end, type);
    if (number.empty() || ec != std::errc() || stop != end || type < minType || type > maxType)
        return std::nullopt;
    return MruEntry{std::string(text.substr(0, comma)), type};
}

std::string MruList::Label(int position, const std::string& path,
                           const std::string& currentFolder) {
    return Label(position, path, currentFolder, MruForm{});
}

std::string MruList::Label(int position, const std::string& path, const std::string& currentFolder,
                           const MruForm& form) {
    std::string_view shown = path;
    std::string folder = currentFolder;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    if (!currentFolder.empty() && StartsWithNoCase(shown, folder)) {
        shown.remove_prefix(folder.size());
    } else if (HasDrive(shown) && HasDrive(currentFolder) &&
               Lower(shown[0]) == Lower(currentFolder[0])) {
        shown.remove_prefix(2);
    }
    const std::string& cut = form.hiddenExtension;
    if (!cut.empty() && shown.size() >= cut.size() &&
        SamePath(shown.substr(shown.size() - cut.size()), cut))
        shown.remove_suffix(cut.size());
    return "&" + std::to_string(position) + " " + std::string(shown);
}

}  // namespace vt
