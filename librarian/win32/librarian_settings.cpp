#include "librarian/win32/librarian_settings.h"

#include <cstdlib>
#include <vector>

#include "appservices/win32/vtapp.h"
#include "librarian/recent_files.h"
#include "librarian/win32/librarian_app.h"

namespace vt::librarian {

namespace {

constexpr char kPersistent[] = "Persistent";
constexpr char kMruKey[] = "MRU List";
constexpr size_t kMaxStoredValue = 300;

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
    reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back({r->left, r->top, r->right, r->bottom});
    return TRUE;
}

}  // namespace

void LoadSettings() {
    // One byte more than the block, so that a longer stored value shows as the wrong size.
    std::vector<uint8_t> block(kLibrarianStateSize + 1, 0);
    const DWORD n = VtReadSetting(kSection, kPersistent, "State", block.data(), static_cast<DWORD>(block.size()));
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    g_app.state = LoadLibrarianState(std::span<const uint8_t>(block.data(), n), monitors);

    char count[16] = {};
    VtReadSetting(kSection, kMruKey, "MRUCount", count, sizeof count);
    const int stored = std::atoi(count);
    std::vector<std::string> values;
    for (int i = 1; i <= stored && i <= static_cast<int>(MruList::kMaxEntries); ++i) {
        char value[kMaxStoredValue + 2] = {};
        const DWORD len = VtReadSetting(kSection, kMruKey, Format("MRU%d", i).c_str(), value, sizeof value);
        // A value too long for the buffer is not one of ours.
        if (len == 0 || len > kMaxStoredValue) continue;
        values.push_back(value);
    }
    g_app.mru = LoadRecentFiles(values);
}

void StoreSettings() {
    const auto block = StoreLibrarianState(g_app.state);
    VtWriteSetting(kSection, kPersistent, "State", block.data(), static_cast<DWORD>(block.size()));
    const auto& entries = g_app.mru.entries();
    VtWriteSetting(kSection, kMruKey, "MRUCount", std::to_string(entries.size()).c_str(), 0);
    for (size_t i = 0; i < MruList::kMaxEntries; ++i) {
        const std::string name = Format("MRU%d", static_cast<int>(i + 1));
        if (i < entries.size()) {
            VtWriteSetting(kSection, kMruKey, name.c_str(), StoredRecentFile(entries[i]).c_str(), 0);
        } else {
            VtDeleteSetting(kSection, kMruKey, name.c_str());
        }
    }
}

}  // namespace vt::librarian
