#pragma once
// The registry seam over advapi32.

#include "sysicons/registry.h"

namespace vt {

class Win32Registry : public Registry {
  public:
    long ReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                    std::string* out) override;
    long WriteString(RegRoot root, const std::string& keyPath, const std::string& name,
                     const std::string& text, const std::string& classText) override;
    long ReadBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                    size_t maxSize, std::vector<uint8_t>* out) override;
    long WriteBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                     std::span<const uint8_t> bytes, const std::string& classText) override;
    long DeleteValue(RegRoot root, const std::string& keyPath, const std::string& name) override;
    std::string ExpandEnvironment(const std::string& text) override;
};

}  // namespace vt
