#include "sysicons/win32/win32_registry.h"

#include <windows.h>

#include <vector>

namespace vt {

namespace {

// Registry texts longer than this are not locations; they are refused rather than loaded.
constexpr DWORD kMaxValueBytes = 64 * 1024;

HKEY RootKey(RegRoot root) {
    switch (root) {
        case RegRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegRoot::CurrentUser:
            return HKEY_CURRENT_USER;
    }
    return HKEY_CURRENT_USER;
}

const char* ValueName(const std::string& name) {
    return name.empty() ? nullptr : name.c_str();
}

// Creates the key (and its parents) with the class text and sets one value.
LONG SetValue(RegRoot root, const std::string& keyPath, const std::string& name, DWORD type,
              const BYTE* data, DWORD size, const std::string& classText) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    std::vector<char> cls(classText.begin(), classText.end());
    cls.push_back('\0');
    LONG err = RegCreateKeyExA(RootKey(root), keyPath.c_str(), 0, cls.data(),
                               REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, &disposition);
    if (err != ERROR_SUCCESS) return err;
    err = RegSetValueExA(key, ValueName(name), 0, type, data, size);
    RegCloseKey(key);
    return err;
}

}  // namespace

long Win32Registry::ReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                               std::string* out) {
    out->clear();
    HKEY key = nullptr;
    LONG err = RegOpenKeyExA(RootKey(root), keyPath.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (err != ERROR_SUCCESS) return err;
    DWORD type = 0, size = 0;
    err = RegQueryValueExA(key, ValueName(name), nullptr, &type, nullptr, &size);
    if (err == ERROR_SUCCESS && size > kMaxValueBytes) err = ERROR_INVALID_DATA;
    std::vector<BYTE> data(size + 1, 0);
    if (err == ERROR_SUCCESS)
        err = RegQueryValueExA(key, ValueName(name), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (err != ERROR_SUCCESS) return err;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        // Stored strings need not be terminated; the extra zero byte above ends them.
        out->assign(reinterpret_cast<const char*>(data.data()));
        return ERROR_SUCCESS;
    }
    if (type == REG_DWORD && size == 4) {
        DWORD v = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24);
        *out = std::to_string(v);
        return ERROR_SUCCESS;
    }
    return ERROR_INVALID_DATA;
}

long Win32Registry::WriteString(RegRoot root, const std::string& keyPath, const std::string& name,
                                const std::string& text, const std::string& classText) {
    return SetValue(root, keyPath, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                    static_cast<DWORD>(text.size() + 1), classText);
}

long Win32Registry::ReadBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                               size_t maxSize, std::vector<uint8_t>* out) {
    out->clear();
    HKEY key = nullptr;
    LONG err = RegOpenKeyExA(RootKey(root), keyPath.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (err != ERROR_SUCCESS) return err;
    DWORD type = 0, size = 0;
    err = RegQueryValueExA(key, ValueName(name), nullptr, &type, nullptr, &size);
    if (err == ERROR_SUCCESS && size > maxSize) err = ERROR_MORE_DATA;
    std::vector<uint8_t> data(size);
    if (err == ERROR_SUCCESS && size > 0)
        err = RegQueryValueExA(key, ValueName(name), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (err != ERROR_SUCCESS) return err;
    data.resize(size);
    *out = std::move(data);
    return ERROR_SUCCESS;
}

long Win32Registry::WriteBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                                std::span<const uint8_t> bytes, const std::string& classText) {
    return SetValue(root, keyPath, name, REG_BINARY, bytes.data(),
                    static_cast<DWORD>(bytes.size()), classText);
}

long Win32Registry::DeleteValue(RegRoot root, const std::string& keyPath, const std::string& name) {
    HKEY key = nullptr;
    LONG err = RegOpenKeyExA(RootKey(root), keyPath.c_str(), 0, KEY_SET_VALUE, &key);
    if (err != ERROR_SUCCESS) return err;
    err = RegDeleteValueA(key, ValueName(name));
    RegCloseKey(key);
    return err;
}

std::string Win32Registry::ExpandEnvironment(const std::string& text) {
    DWORD need = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (need == 0 || need > kMaxValueBytes) return text;
    std::vector<char> buf(need + 1, '\0');
    if (ExpandEnvironmentStringsA(text.c_str(), buf.data(), need + 1) == 0) return text;
    return buf.data();
}

}  // namespace vt
