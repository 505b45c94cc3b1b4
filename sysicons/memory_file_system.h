#pragma once
// An in-memory file system for tests: case-insensitive Windows paths, attributes kept per file,
// enumeration in name order, optional aliases (two paths naming one file) and injected failures.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "sysicons/file_system.h"
#include "sysicons/text.h"

namespace vt {

class MemoryFileSystem : public FileSystem {
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

    // Set-up and inspection.
    void Put(const std::string& path, std::vector<uint8_t> bytes,
             uint32_t attributes = kAttrNormal);
    void PutText(const std::string& path, const std::string& text);
    std::vector<uint8_t> Bytes(const std::string& path) const;
    std::string Text(const std::string& path) const;
    uint32_t Attributes(const std::string& path) const;
    // Every file directly inside the folder, by name.
    std::vector<std::string> List(const std::string& folder) const;
    bool HasDirectory(const std::string& path) const { return m_dirs.count(Normal(path)) > 0; }
    // `alias` names the same file as `target` (as a second path to one file would).
    void Alias(const std::string& alias, const std::string& target) {
        m_alias[Normal(alias)] = Normal(target);
    }
    // Operations on a path that fail: "read", "write", "delete", "move", "attributes".
    void Fail(const std::string& operation, const std::string& path) {
        m_fail.insert(operation + "|" + Normal(path));
    }
    void StopFailing() { m_fail.clear(); }
    // Read-only files refuse deletion and moving, as on the system.
    int writeCount() const { return m_writes; }

  private:
    struct File {
        std::vector<uint8_t> bytes;
        uint32_t attributes = kAttrNormal;
        uint64_t time = 0;
    };
    static std::string Normal(const std::string& path);
    std::string Resolve(const std::string& path) const;
    bool Failing(const char* operation, const std::string& path) const;

    std::map<std::string, File, LessNoCase> m_files;
    std::set<std::string, LessNoCase> m_dirs;
    std::map<std::string, std::string, LessNoCase> m_alias;
    std::set<std::string, LessNoCase> m_fail;
    uint64_t m_clock = 1;
    int m_writes = 0;
};

}  // namespace vt
