#include "engineer/win32/win32_profile.h"

#include <windows.h>

#include <vector>

namespace vt {

std::string Win32Profile::Read(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& defaultValue,
                               size_t size) {
    if (size == 0) return {};
    std::vector<char> buf(size, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                       buf.data(), static_cast<DWORD>(size), file.c_str());
    return std::string(buf.data(), n < size ? n : size - 1);
}

bool Win32Profile::Write(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           0;
}

bool Win32Profile::DeleteKey(const std::string& file, const std::string& section,
                             const std::string& key) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str());
    return true;
}

bool Win32Profile::Create(const std::string& file, const std::string& text) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == text.size();
}

}  // namespace vt
