#include "sysicons/memory_file_system.h"

#include <algorithm>

#include "common/file_io.h"

namespace vt {

std::string MemoryFileSystem::Normal(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '/', '\\');
    while (out.size() > 3 && out.back() == '\\') out.pop_back();
    return out;
}

std::string MemoryFileSystem::Resolve(const std::string& path) const {
    auto n = Normal(path);
    auto it = m_alias.find(n);
    return it == m_alias.end() ? n : it->second;
}

bool MemoryFileSystem::Failing(const char* operation, const std::string& path) const {
    return m_fail.count(std::string(operation) + "|" + Normal(path)) > 0;
}

bool MemoryFileSystem::ReadFile(const std::string& path, size_t maxSize,
                                std::vector<uint8_t>* out) {
    out->clear();
    auto it = m_files.find(Resolve(path));
    if (it == m_files.end() || Failing("read", path) || it->second.bytes.size() > maxSize)
        return false;
    *out = it->second.bytes;
    return true;
}

bool MemoryFileSystem::WriteFile(const std::string& path, std::span<const uint8_t> bytes) {
    auto p = Resolve(path);
    if (Failing("write", path) || !m_dirs.count(Normal(DirectoryOf(p)))) return false;
    auto it = m_files.find(p);
    if (it != m_files.end() && (it->second.attributes & kAttrReadOnly)) return false;
    ++m_writes;
    File& f = m_files[p];
    f.bytes.assign(bytes.begin(), bytes.end());
    f.time = ++m_clock;
    return true;
}

bool MemoryFileSystem::Exists(const std::string& path) {
    return m_files.count(Resolve(path)) > 0;
}

bool MemoryFileSystem::Delete(const std::string& path) {
    auto it = m_files.find(Resolve(path));
    if (it == m_files.end() || Failing("delete", path) || (it->second.attributes & kAttrReadOnly))
        return false;
    m_files.erase(it);
    return true;
}

bool MemoryFileSystem::Move(const std::string& from, const std::string& to) {
    if (m_files.count(Resolve(to))) return false;
    return Replace(from, to);
}

bool MemoryFileSystem::Replace(const std::string& from, const std::string& to) {
    auto it = m_files.find(Resolve(from));
    auto target = Resolve(to);
    if (it == m_files.end() || Failing("move", from) || Failing("move", to) ||
        !m_dirs.count(Normal(DirectoryOf(target))))
        return false;
    auto old = m_files.find(target);
    if (old != m_files.end() && (old->second.attributes & kAttrReadOnly)) return false;
    if (old == it) return true;
    File f = std::move(it->second);
    m_files.erase(it);
    m_files[target] = std::move(f);
    return true;
}

bool MemoryFileSystem::GetAttributes(const std::string& path, uint32_t* attributes) {
    auto it = m_files.find(Resolve(path));
    if (it == m_files.end()) return false;
    *attributes = it->second.attributes;
    return true;
}

bool MemoryFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
    auto it = m_files.find(Resolve(path));
    if (it == m_files.end() || Failing("attributes", path)) return false;
    // The system stores "normal" as the absence of the other attributes.
    it->second.attributes = (attributes & ~kAttrNormal) ? (attributes & ~kAttrNormal) : kAttrNormal;
    return true;
}

bool MemoryFileSystem::MakeDirectory(const std::string& path) {
    m_dirs.insert(Normal(path));
    return true;
}

std::vector<std::string> MemoryFileSystem::FindFiles(const std::string& folder,
                                                     const std::string& prefix,
                                                     const std::string& suffix) {
    std::vector<std::string> out;
    for (const auto& name : List(folder))
        if (name.size() >= prefix.size() + suffix.size() && StartsWithNoCase(name, prefix) &&
            EndsWithNoCase(name, suffix))
            out.push_back(name);
    return out;
}

SameFile MemoryFileSystem::Compare(const std::string& a, const std::string& b) {
    auto ra = Resolve(a), rb = Resolve(b);
    if (!m_files.count(ra) || !m_files.count(rb)) return SameFile::Unknown;
    return EqualsNoCase(ra, rb) ? SameFile::Same : SameFile::Different;
}

bool MemoryFileSystem::Stamp(const std::string& path, FileStamp* out) {
    auto it = m_files.find(Resolve(path));
    if (it == m_files.end()) return false;
    out->size = it->second.bytes.size();
    out->time = it->second.time;
    return true;
}

void MemoryFileSystem::Put(const std::string& path, std::vector<uint8_t> bytes,
                           uint32_t attributes) {
    auto p = Normal(path);
    m_dirs.insert(Normal(DirectoryOf(p)));
    File& f = m_files[p];
    f.bytes = std::move(bytes);
    f.attributes = attributes;
    f.time = ++m_clock;
}

void MemoryFileSystem::PutText(const std::string& path, const std::string& text) {
    Put(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> MemoryFileSystem::Bytes(const std::string& path) const {
    auto it = m_files.find(Normal(path));
    return it == m_files.end() ? std::vector<uint8_t>() : it->second.bytes;
}

std::string MemoryFileSystem::Text(const std::string& path) const {
    auto b = Bytes(path);
    return std::string(b.begin(), b.end());
}

uint32_t MemoryFileSystem::Attributes(const std::string& path) const {
    auto it = m_files.find(Normal(path));
    return it == m_files.end() ? 0 : it->second.attributes;
}

std::vector<std::string> MemoryFileSystem::List(const std::string& folder) const {
    std::vector<std::string> out;
    auto dir = Normal(folder);
    for (const auto& [path, file] : m_files)
        if (EqualsNoCase(Normal(DirectoryOf(path)), dir)) out.push_back(FileNameOf(path));
    return out;
}

}  // namespace vt
