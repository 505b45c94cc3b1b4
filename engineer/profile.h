#pragma once
// Profile (INI) files as the system's private-profile calls handle them. Motif files are read and
// written only through this. Win32: the system's calls (engineer/win32); portable: IniProfile.

#include <string>

namespace vt {

class Profile {
  public:
    virtual ~Profile() = default;
    // The value of a key, or `defaultValue` when the file, section, key or value is missing; at
    // most size - 1 characters.
    virtual std::string Read(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue,
                             size_t size) = 0;
    // Sets a key, creating the file, section and key as needed.
    virtual bool Write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    // Removes a key; a key that is not there is no failure.
    virtual bool DeleteKey(const std::string& file, const std::string& section,
                           const std::string& key) = 0;
    // Creates the file anew (truncating it) holding exactly `text`; false on a failed or short
    // write.
    virtual bool Create(const std::string& file, const std::string& text) = 0;
};

}  // namespace vt
