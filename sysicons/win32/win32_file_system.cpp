#include "sysicons/win32/win32_file_system.h"

#include <windows.h>

#include "common/file_io.h"

namespace vt {

namespace {

uint64_t FileTimeValue(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace

bool Win32FileSystem::ReadFile(const std::string& path, size_t maxSize, std::vector<uint8_t>* out) {
    return ReadWholeFile(path, out, maxSize);
}

bool Win32FileSystem::WriteFile(const std::string& path, std::span<const uint8_t> bytes) {
    // Through a temporary sibling, so a failed write never leaves half a file under the name.
    return WriteFileReplacing(path, "EGR", bytes);
}

bool Win32FileSystem::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::Delete(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool Win32FileSystem::Move(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
    return ReplaceFileWith(from, to);
}

bool Win32FileSystem::GetAttributes(const std::string& path, uint32_t* attributes) {
    DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return false;
    // Plain files report "archive" as well; for the install rule only the protective bits count.
    DWORD protective =
        a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    *attributes = protective ? protective : kAttrNormal;
    return true;
}

bool Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool Win32FileSystem::MakeDirectory(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Win32FileSystem::FindFiles(const std::string& folder,
                                                    const std::string& prefix,
                                                    const std::string& suffix) {
    std::vector<std::string> out;
    WIN32_FIND_DATAA data;
    std::string pattern = folder + "\\" + prefix + "*" + suffix;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return out;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.emplace_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return out;
}

SameFile Win32FileSystem::Compare(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION info[2];
    const std::string* paths[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        HANDLE h = CreateFileA(paths[i]->c_str(), 0,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return SameFile::Unknown;
        BOOL ok = GetFileInformationByHandle(h, &info[i]);
        CloseHandle(h);
        if (!ok) return SameFile::Unknown;
    }
    bool same = info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
                info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
                info[0].nFileIndexLow == info[1].nFileIndexLow;
    return same ? SameFile::Same : SameFile::Different;
}

bool Win32FileSystem::Stamp(const std::string& path, FileStamp* out) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    out->size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    uint64_t created = FileTimeValue(data.ftCreationTime),
             written = FileTimeValue(data.ftLastWriteTime);
    out->time = created > written ? created : written;
    return true;
}

}  // namespace vt
