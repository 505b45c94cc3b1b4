#include "engineer/engineer_settings.h"

#include <algorithm>

#include "appservices/settings_layout.h"

namespace vt {

const char* const kEngineerClassText = "Vantoro Engineer";
const MruForm kRecentMotifForm{0, 1, 0, true, ""};

namespace {

constexpr size_t kMaxPathChars = 259;

std::string MruKey() {
    return SettingsKeyPath("Engineer", "MRU List");
}
std::string PersistentKey() {
    return SettingsKeyPath("Engineer", "Persistent");
}
std::string MruName(size_t i) {
    return "MRU" + std::to_string(i);
}

// A stored folder is used only when it could be a path at all.
std::string ValidFolder(const std::string& text) {
    if (text.size() > kMaxPathChars) return {};
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20) return {};
    return text;
}

}  // namespace

MruList LoadRecentMotifs(Registry& registry) {
    MruList list;
    std::string text;
    if (registry.ReadString(RegRoot::CurrentUser, MruKey(), "MRUCount", &text) != kRegOk)
        return list;
    // Decimal digits; a larger count than the list holds (however large) is read as full.
    size_t count = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        count = std::min<size_t>(count * 10 + static_cast<size_t>(c - '0'), MruList::kMaxEntries);
    }
    std::vector<MruEntry> read;
    for (size_t i = 1; i <= count; ++i) {
        if (registry.ReadString(RegRoot::CurrentUser, MruKey(), MruName(i), &text) != kRegOk)
            continue;
        MruEntry e = MruList::ParseStoredValue(text, kRecentMotifForm);
        if (e.path.empty() || e.path.size() > kMaxPathChars) continue;
        read.push_back(e);
    }
    // Added oldest first, so the stored order (most recent first) is kept.
    for (auto it = read.rbegin(); it != read.rend(); ++it) list.Add(it->path, it->fileType);
    return list;
}

bool SaveRecentMotifs(Registry& registry, const MruList& list) {
    const auto& entries = list.entries();
    bool ok = registry.WriteString(RegRoot::CurrentUser, MruKey(), "MRUCount",
                                   std::to_string(entries.size()), kEngineerClassText) == kRegOk;
    for (size_t i = 0; i < entries.size(); ++i)
        ok &= registry.WriteString(RegRoot::CurrentUser, MruKey(), MruName(i + 1),
                                   MruList::StoredValue(entries[i]), kEngineerClassText) == kRegOk;
    for (size_t i = entries.size() + 1; i <= MruList::kMaxEntries; ++i) {
        long err = registry.DeleteValue(RegRoot::CurrentUser, MruKey(), MruName(i));
        ok &= err == kRegOk || err == kRegNotFound;
    }
    return ok;
}

std::string RecentMotifLabel(int position, const std::string& path,
                             const std::string& currentFolder) {
    return MruList::Label(position, path, currentFolder, kRecentMotifForm);
}

EngineerSettings LoadEngineerSettings(Registry& registry) {
    EngineerSettings s;
    std::vector<uint8_t> bytes;
    if (registry.ReadBinary(RegRoot::CurrentUser, PersistentKey(), "Quality Checking",
                            kQualitySettingsSize, &bytes) == kRegOk)
        s.quality = LoadQualitySettings(bytes);
    std::string text;
    auto folder = [&](const char* name, std::string* out) {
        if (registry.ReadString(RegRoot::CurrentUser, PersistentKey(), name, &text) == kRegOk)
            *out = ValidFolder(text);
    };
    folder("Folder Open", &s.folderOpen);
    folder("Folder Save", &s.folderSave);
    folder("Folder Browse", &s.folderBrowse);
    return s;
}

bool SaveEngineerSettings(Registry& registry, const EngineerSettings& s) {
    std::vector<uint8_t> bytes = SaveQualitySettings(s.quality);
    bool ok = registry.WriteBinary(RegRoot::CurrentUser, PersistentKey(), "Quality Checking", bytes,
                                   kEngineerClassText) == kRegOk;
    auto folder = [&](const char* name, const std::string& value) {
        ok &= registry.WriteString(RegRoot::CurrentUser, PersistentKey(), name, value,
                                   kEngineerClassText) == kRegOk;
    };
    folder("Folder Open", s.folderOpen);
    folder("Folder Save", s.folderSave);
    folder("Folder Browse", s.folderBrowse);
    return ok;
}

}  // namespace vt
