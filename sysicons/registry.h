#pragma once
// The registry as the system-object code needs it: string and binary values under three roots,
// keys created with a class text, values deleted. Win32: advapi32 (sysicons/win32); tests: MemoryRegistry.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sysicons/system_object_table.h"

namespace vt {

// Registry error codes as the system reports them; 0 is success.
constexpr long kRegOk = 0;
constexpr long kRegNotFound = 2;
constexpr long kRegAccessDenied = 5;
constexpr long kRegMoreData = 234;

class Registry {
  public:
    virtual ~Registry() = default;
    // Reads a string value; an empty name reads the key's default value. Returns 0 or the error.
    virtual long ReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                            std::string* out) = 0;
    // Writes a string value with its terminator (an empty text is the 1-byte empty string),
    // creating missing keys with `classText`.
    virtual long WriteString(RegRoot root, const std::string& keyPath, const std::string& name,
                             const std::string& text, const std::string& classText) = 0;
    // Reads a binary value of at most maxSize bytes (a larger one is an error, never cut).
    virtual long ReadBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                            size_t maxSize, std::vector<uint8_t>* out) = 0;
    // Writes a binary value, creating missing keys with `classText`.
    virtual long WriteBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                             std::span<const uint8_t> bytes, const std::string& classText) = 0;
    // Deletes a value. A value or key that is already absent is reported as kRegNotFound.
    virtual long DeleteValue(RegRoot root, const std::string& keyPath, const std::string& name) = 0;
    // Expands %NAME% references from the environment as the system does for registry texts.
    virtual std::string ExpandEnvironment(const std::string& text) = 0;
};

}  // namespace vt
