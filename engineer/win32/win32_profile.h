#pragma once
// The profile seam over the system's private-profile calls.

#include "engineer/profile.h"

namespace vt {

class Win32Profile : public Profile {
  public:
    std::string Read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& defaultValue, size_t size) override;
    bool Write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
    bool DeleteKey(const std::string& file, const std::string& section,
                   const std::string& key) override;
    bool Create(const std::string& file, const std::string& text) override;
};

}  // namespace vt
