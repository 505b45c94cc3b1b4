#pragma once
// The file operations of installing icons and saving Motifs, with the system's attributes and its
// notion of "the same file". Paths are Windows paths. Win32: sysicons/win32; tests:
// MemoryFileSystem.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vt {

constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrHidden = 0x02;
constexpr uint32_t kAttrSystem = 0x04;
constexpr uint32_t kAttrNormal = 0x80;

// Icon and program files read whole are capped here; no icon source is larger.
constexpr size_t kMaxSourceFileSize = 64u << 20;

enum class SameFile { Different, Same, Unknown };

struct FileStamp {
    uint64_t size = 0;
    // The later of creation and last-write time, in the system's 100 ns units since 1601.
    uint64_t time = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Reads a whole file of at most maxSize bytes.
    virtual bool ReadFile(const std::string& path, size_t maxSize, std::vector<uint8_t>* out) = 0;
    // Creates or truncates the file and writes every byte; false when any byte was not written.
    virtual bool WriteFile(const std::string& path, std::span<const uint8_t> bytes) = 0;
    virtual bool Exists(const std::string& path) = 0;
    virtual bool Delete(const std::string& path) = 0;
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    // Moves `from` over `to`, which may exist; false, with `to` as it was, when that fails.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool GetAttributes(const std::string& path, uint32_t* attributes) = 0;
    virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
    // True when the folder exists afterwards.
    virtual bool MakeDirectory(const std::string& path) = 0;
    // Names (without folder) of the files in `folder` matching "<prefix>*<suffix>", in the
    // order the system enumerates them.
    virtual std::vector<std::string> FindFiles(const std::string& folder, const std::string& prefix,
                                               const std::string& suffix) = 0;
    // Whether two paths name one file (same volume serial number and file index).
    virtual SameFile Compare(const std::string& a, const std::string& b) = 0;
    virtual bool Stamp(const std::string& path, FileStamp* out) = 0;
};

}  // namespace vt
