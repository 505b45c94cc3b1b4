#include "common/file_io.h"

#include <cctype>
#include <cstring>

namespace vt {

namespace {

bool SeekTo(std::FILE* f, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(f, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

int64_t SizeOf(std::FILE* f) {
#ifdef _WIN32
    if (_fseeki64(f, 0, SEEK_END) != 0) return -1;
    return _ftelli64(f);
#else
    if (fseeko(f, 0, SEEK_END) != 0) return -1;
    return ftello(f);
#endif
}

}  // namespace

std::string DirectoryOf(const std::string& path) {
    size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return ".";
    if (cut == 0) return path.substr(0, 1);
    return path.substr(0, cut);
}

std::string FileNameOf(const std::string& path) {
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name.size() > 255 || name == "." || name == "..") return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("<>:\"/\\|?*", c)) return false;
    if (name.back() == '.' || name.back() == ' ') return false;
    // Device names are devices whatever extension follows them ("NUL.bmp" is NUL).
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (stem == device) return false;
    if (stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '0' &&
        stem[3] <= '9')
        return false;
    return true;
}

bool FileExists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* out, size_t maxSize) {
    out->clear();
    InputFile in;
    if (!in.Open(path) || in.size() > maxSize) return false;
    out->resize(static_cast<size_t>(in.size()));
    if (!out->empty() && !in.ReadAt(0, out->data(), out->size())) {
        out->clear();
        return false;
    }
    return true;
}

TempFileWriter::~TempFileWriter() { Abandon(); }

bool TempFileWriter::Open(const std::string& target, const std::string& prefix) {
    Abandon();
    m_target = target;
    m_tempPath = CreateTempFileIn(DirectoryOf(target), prefix);
    if (m_tempPath.empty()) return false;
    m_file = std::fopen(m_tempPath.c_str(), "wb");
    if (!m_file) {
        RemoveFile(m_tempPath);
        m_tempPath.clear();
        return false;
    }
    m_ok = true;
    return true;
}

bool TempFileWriter::Write(std::span<const uint8_t> bytes) {
    if (!m_file || !m_ok) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        m_ok = false;
    return m_ok;
}

bool TempFileWriter::Commit() {
    if (!m_file) return false;
    bool ok = m_ok;
    if (std::fflush(m_file) != 0) ok = false;
    if (std::fclose(m_file) != 0) ok = false;
    m_file = nullptr;
    if (ok) ok = ReplaceFileWith(m_tempPath, m_target);
    if (!ok) RemoveFile(m_tempPath);
    m_tempPath.clear();
    m_ok = false;
    return ok;
}

void TempFileWriter::Abandon() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_tempPath.empty()) {
        RemoveFile(m_tempPath);
        m_tempPath.clear();
    }
    m_ok = false;
}

bool WriteFileReplacing(const std::string& target, const std::string& prefix,
                        std::span<const uint8_t> bytes) {
    TempFileWriter w;
    return w.Open(target, prefix) && w.Write(bytes) && w.Commit();
}

InputFile::~InputFile() { Close(); }

bool InputFile::Open(const std::string& path) {
    Close();
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file) return false;
    int64_t size = SizeOf(m_file);
    if (size < 0) {
        Close();
        return false;
    }
    m_size = static_cast<uint64_t>(size);
    return true;
}

void InputFile::Close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    m_size = 0;
}

bool InputFile::ReadAt(uint64_t offset, void* out, size_t n) {
    if (!m_file || offset > m_size || n > m_size - offset) return false;
    return ReadSomeAt(offset, out, n) == n;
}

size_t InputFile::ReadSomeAt(uint64_t offset, void* out, size_t n) {
    if (!m_file || n == 0 || !SeekTo(m_file, offset)) return 0;
    return std::fread(out, 1, n, m_file);
}

UpdateFile::~UpdateFile() { Close(); }

bool UpdateFile::Open(const std::string& path) {
    Close();
    m_file = std::fopen(path.c_str(), "r+b");
    return m_file != nullptr;
}

bool UpdateFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    if (!m_file || !SeekTo(m_file, offset)) return false;
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
}

bool UpdateFile::ReadAt(uint64_t offset, void* out, size_t n) {
    if (!m_file || !SeekTo(m_file, offset)) return false;
    return n == 0 || std::fread(out, 1, n, m_file) == n;
}

bool UpdateFile::Close() {
    if (!m_file) return true;
    bool ok = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok;
}

}  // namespace vt
