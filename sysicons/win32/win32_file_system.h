#pragma once
// The file-system seam over kernel32.

#include "sysicons/file_system.h"

namespace vt {

class Win32FileSystem : public FileSystem {
  public:
    bool ReadFile(const std::string& path, size_t maxSize, std::vector<uint8_t>* out) override;
    bool WriteFile(const std::string& path, std::span<const uint8_t> bytes) override;
    bool Exists(const std::string& path) override;
    bool Delete(const std::string& path) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool GetAttributes(const std::string& path, uint32_t* attributes) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    bool MakeDirectory(const std::string& path) override;
    std::vector<std::string> FindFiles(const std::string& folder, const std::string& prefix,
                                       const std::string& suffix) override;
    SameFile Compare(const std::string& a, const std::string& b) override;
    bool Stamp(const std::string& path, FileStamp* out) override;
};

}  // namespace vt
