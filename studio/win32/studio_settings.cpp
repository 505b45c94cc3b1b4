#include "studio/win32/studio_settings.h"

#include <vector>

#include "appservices/win32/vtapp.h"
#include "common/prompt.h"
#include "studio/win32/studio_app.h"

namespace vt::studio {

namespace {
constexpr char kPersistent[] = "Persistent";
constexpr char kMruKey[] = "MRU List";
}  // namespace

void LoadSettings(StudioApp& app) {
    char mode[8] = {};
    VtReadSetting(kSection, kPersistent, "Color B Mode", mode, sizeof mode);
    app.colorBTransparent = mode[0] == '1';
    // One byte more than the record, so a longer stored value is seen as the wrong size.
    std::vector<uint8_t> record(kStudioStateSize + 1, 0);
    const DWORD n = VtReadSetting(kSection, kPersistent, "State", record.data(),
                                  static_cast<DWORD>(record.size()));
    app.state = DecodeStudioState(std::span<const uint8_t>(record.data(), n));
}

void LoadRecentFiles(StudioApp& app) {
    char count[16] = {};
    VtReadSetting(kSection, kMruKey, "MRUCount", count, sizeof count);
    const int n = atoi(count);
    // Stored oldest last; adding from the back keeps the order.
    std::vector<MruEntry> entries;
    for (int i = 1; i <= n && i <= static_cast<int>(MruList::kMaxEntries); ++i) {
        char value[kMaxPath + 16] = {};
        VtReadSetting(kSection, kMruKey, Format("MRU%d", i).c_str(), value, sizeof value);
        if (!value[0]) continue;
        entries.push_back(MruList::ParseStoredValue(value));
    }
    app.mru.Clear();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) app.mru.Add(it->path, it->fileType);
}

void StoreSettings(const StudioApp& app) {
    if (!app.serverMode) {
        const auto& entries = app.mru.entries();
        const std::string count = std::to_string(entries.size());
        VtWriteSetting(kSection, kMruKey, "MRUCount", count.c_str(), 0);
        for (size_t i = 0; i < MruList::kMaxEntries; ++i) {
            const std::string name = Format("MRU%d", static_cast<int>(i + 1));
            if (i < entries.size()) {
                const std::string value = MruList::StoredValue(entries[i]);
                VtWriteSetting(kSection, kMruKey, name.c_str(), value.c_str(), 0);
            } else {
                VtDeleteSetting(kSection, kMruKey, name.c_str());
            }
        }
    }
    const auto record = EncodeStudioState(app.state);
    VtWriteSetting(kSection, kPersistent, "State", record.data(), static_cast<DWORD>(record.size()));
    VtWriteSetting(kSection, kPersistent, "Color B Mode", app.colorBTransparent ? "1" : "0", 0);
}

}  // namespace vt::studio
