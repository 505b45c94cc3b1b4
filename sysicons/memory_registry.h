#pragma once
// An in-memory registry for tests and for running the core without a system: keys and names
// compare case-insensitively, every created key remembers its class text, and writes under a
// chosen key can be made to fail.

#include <map>
#include <set>
#include <string>

#include "sysicons/registry.h"
#include "sysicons/text.h"

namespace vt {

class MemoryRegistry : public Registry {
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

    // Test set-up and inspection.
    void Set(RegRoot root, const std::string& keyPath, const std::string& name,
             const std::string& text);
    bool Has(RegRoot root, const std::string& keyPath, const std::string& name) const;
    std::string Get(RegRoot root, const std::string& keyPath, const std::string& name) const;
    // Bytes stored for a value, a text's terminator included (0 when absent).
    size_t StoredSize(RegRoot root, const std::string& keyPath, const std::string& name) const;
    bool KeyExists(RegRoot root, const std::string& keyPath) const;
    std::string KeyClass(RegRoot root, const std::string& keyPath) const;
    void SetEnvironment(const std::string& name, const std::string& value) { m_env[name] = value; }
    // Every write or delete under this key path (of any root) fails with access denied.
    void FailWritesUnder(const std::string& keyPath) { m_failing.insert(keyPath); }
    void StopFailingWrites() { m_failing.clear(); }
    int writeCount() const { return m_writes; }

  private:
    struct Key {
        std::string classText;
        std::map<std::string, std::string, LessNoCase> values;
        std::set<std::string, LessNoCase> binary;  // names of the binary values
    };
    static std::string FullPath(RegRoot root, const std::string& keyPath);
    bool Failing(const std::string& keyPath) const;
    const Key* Find(RegRoot root, const std::string& keyPath) const;
    Key& Create(RegRoot root, const std::string& keyPath, const std::string& classText);

    std::map<std::string, Key, LessNoCase> m_keys;
    std::map<std::string, std::string, LessNoCase> m_env;
    std::set<std::string, LessNoCase> m_failing;
    int m_writes = 0;
};

}  // namespace vt
