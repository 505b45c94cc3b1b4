#include "draw/win32/editor_settings.h"

#include <windows.h>

#include <string>
#include <vector>

#include "appservices/win32/vtapp.h"
#include "common/editor_launch.h"

namespace vt {

namespace {
constexpr char kPersistent[] = "Persistent";
constexpr char kMruKey[] = "MRU List";
}  // namespace

EditorSettings LoadEditorSettings(const char* section, int32_t lastFileType) {
    EditorSettings s;
    char mode[8] = {};
    VtReadSetting(section, kPersistent, "Color B Mode", mode, sizeof mode);
    s.colorBTransparent = mode[0] == '1';
    // One byte more than the record, so a longer stored value is seen as the wrong size.
    std::vector<uint8_t> record(kEditorStateSize + 1, 0);
    const DWORD n = VtReadSetting(section, kPersistent, "State", record.data(), static_cast<DWORD>(record.size()));
    s.state = DecodeEditorState(std::span<const uint8_t>(record.data(), std::min<size_t>(n, record.size())),
                                 lastFileType);
    return s;
}

void StoreEditorSettings(const char* section, const EditorSettings& settings) {
    const auto record = EncodeEditorState(settings.state);
    VtWriteSetting(section, kPersistent, "State", record.data(), static_cast<DWORD>(record.size()));
    VtWriteSetting(section, kPersistent, "Color B Mode", settings.colorBTransparent ? "1" : "0", 0);
}

MruStore RecentFilesStore(const char* section) {
    const std::string name(section);
    return {[name](const std::string& value) {
                char text[kMaxPath + 16] = {};
                VtReadSetting(name.c_str(), kMruKey, value.c_str(), text, sizeof text);
                return std::string(text);
            },
            [name](const std::string& value, const std::string& data) {
                VtWriteSetting(name.c_str(), kMruKey, value.c_str(), data.c_str(), 0);
            },
            [name](const std::string& value) { VtDeleteSetting(name.c_str(), kMruKey, value.c_str()); }};
}

}  // namespace vt
