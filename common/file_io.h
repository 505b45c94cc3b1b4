#pragma once
// Files are written to a temporary file in the target's folder and renamed over the target only
// once every byte is on disk; a failure at any point leaves the old file as it was.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// The folder part of a path (cut at the last '/' or '\\'); "." when there is none.
std::string DirectoryOf(const std::string& path);
// The last component of a path.
std::string FileNameOf(const std::string& path);
// True for a name that can only mean a file directly inside whatever folder it is joined to: no
// folder separator, drive, stream or wildcard, nothing Windows forbids or silently trims (a
// trailing dot or space), not "." or "..", not a device name such as "CON" or "LPT1", and at
// most 255 characters. Names received from other processes are checked with it before use.
bool IsPlainFileName(std::string_view name);
// The system's folder for temporary files.
std::string TempDirectory();
// Creates a new, empty file named from `prefix` inside `dir` and returns its path ("" on failure).
// Prefixes are the programs' own: "ICS", "ANI", "ICM".
std::string CreateTempFileIn(const std::string& dir, const std::string& prefix);
// Puts `temp` in place of `target` (which may or may not exist). Returns false and leaves the
// target as it was when that is not possible.
bool ReplaceFileWith(const std::string& temp, const std::string& target);
bool RemoveFile(const std::string& path);
bool FileExists(const std::string& path);

// Reads a whole file of at most maxSize bytes. Returns false when it cannot be opened, read, or is
// larger than maxSize.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* out, size_t maxSize);

// Writes a file through a temporary sibling. Nothing reaches `target` until Commit() succeeds;
// a writer destroyed uncommitted removes its temporary file.
class TempFileWriter {
public:
    TempFileWriter() = default;
    ~TempFileWriter();
    TempFileWriter(const TempFileWriter&) = delete;
    TempFileWriter& operator=(const TempFileWriter&) = delete;

    bool Open(const std::string& target, const std::string& prefix);
    bool Write(std::span<const uint8_t> bytes);
    bool Commit();
    void Abandon();
    bool ok() const { return m_file != nullptr && m_ok; }
    const std::string& tempPath() const { return m_tempPath; }

private:
    std::FILE* m_file = nullptr;
    std::string m_tempPath;
    std::string m_target;
    bool m_ok = false;
};

bool WriteFileReplacing(const std::string& target, const std::string& prefix,
                        std::span<const uint8_t> bytes);

// A read-only file opened for random access, for readers that must not load a source whole.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool Open(const std::string& path);
    void Close();
    bool isOpen() const { return m_file != nullptr; }
    uint64_t size() const { return m_size; }
    // Reads exactly n bytes at offset; false (and nothing promised about out) when they are not
    // all there.
    bool ReadAt(uint64_t offset, void* out, size_t n);
    // Reads up to n bytes at offset; returns how many were read.
    size_t ReadSomeAt(uint64_t offset, void* out, size_t n);

private:
    std::FILE* m_file = nullptr;
    uint64_t m_size = 0;
};

// An output file opened in place for read and write, for updates at known offsets.
class UpdateFile {
public:
    ~UpdateFile();
    bool Open(const std::string& path);
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes);
    bool ReadAt(uint64_t offset, void* out, size_t n);
    bool Close();

private:
    std::FILE* m_file = nullptr;
};

}  // namespace vt
