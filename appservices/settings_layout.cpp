#include "appservices/settings_layout.h"

namespace vt {

std::string SettingsKeyPath(std::string_view section, std::string_view key) {
    std::string path = kSettingsRoot;
    if (!section.empty()) {
        path += '\\';
        path += section;
    }
    if (!key.empty()) {
        path += '\\';
        path += key;
    }
    return path;
}

bool FitsReadBuffer(SettingKind kind, size_t size, size_t bufferSize) {
    if (kind == SettingKind::Text) return size < bufferSize;  // room for the terminator
    return size <= bufferSize;
}

}  // namespace vt
