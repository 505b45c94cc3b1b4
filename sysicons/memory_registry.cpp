#include "sysicons/memory_registry.h"

namespace vt {

std::string MemoryRegistry::FullPath(RegRoot root, const std::string& keyPath) {
    static const char* const kRoots[] = {"HKCR", "HKLM", "HKCU"};
    return std::string(kRoots[static_cast<int>(root)]) + "\\" + keyPath;
}

bool MemoryRegistry::Failing(const std::string& keyPath) const {
    for (const auto& f : m_failing)
        if (StartsWithNoCase(keyPath, f)) return true;
    return false;
}

const MemoryRegistry::Key* MemoryRegistry::Find(RegRoot root, const std::string& keyPath) const {
    auto it = m_keys.find(FullPath(root, keyPath));
    return it == m_keys.end() ? nullptr : &it->second;
}

// Creates the key and every missing parent, as the system's create call does.
MemoryRegistry::Key& MemoryRegistry::Create(RegRoot root, const std::string& keyPath,
                                            const std::string& classText) {
    for (size_t cut = keyPath.find('\\'); cut != std::string::npos;
         cut = keyPath.find('\\', cut + 1)) {
        auto parent = FullPath(root, keyPath.substr(0, cut));
        if (!m_keys.count(parent)) m_keys[parent].classText = classText;
    }
    auto full = FullPath(root, keyPath);
    auto it = m_keys.find(full);
    if (it != m_keys.end()) return it->second;
    Key& k = m_keys[full];
    k.classText = classText;
    return k;
}

long MemoryRegistry::ReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                                std::string* out) {
    out->clear();
    const Key* k = Find(root, keyPath);
    if (!k) return kRegNotFound;
    auto v = k->values.find(name);
    if (v == k->values.end()) return kRegNotFound;
    *out = v->second;
    return kRegOk;
}

long MemoryRegistry::WriteString(RegRoot root, const std::string& keyPath, const std::string& name,
                                 const std::string& text, const std::string& classText) {
    if (Failing(keyPath)) return kRegAccessDenied;
    ++m_writes;
    Key& k = Create(root, keyPath, classText);
    k.values[name] = text;
    k.binary.erase(name);
    return kRegOk;
}

long MemoryRegistry::ReadBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                                size_t maxSize, std::vector<uint8_t>* out) {
    out->clear();
    std::string bytes;
    long err = ReadString(root, keyPath, name, &bytes);
    if (err != kRegOk) return err;
    if (bytes.size() > maxSize) return kRegMoreData;
    out->assign(bytes.begin(), bytes.end());
    return kRegOk;
}

long MemoryRegistry::WriteBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                                 std::span<const uint8_t> bytes, const std::string& classText) {
    long err =
        WriteString(root, keyPath, name, std::string(bytes.begin(), bytes.end()), classText);
    if (err == kRegOk) Create(root, keyPath, classText).binary.insert(name);
    return err;
}

long MemoryRegistry::DeleteValue(RegRoot root, const std::string& keyPath,
                                 const std::string& name) {
    if (Failing(keyPath)) return kRegAccessDenied;
    auto it = m_keys.find(FullPath(root, keyPath));
    if (it == m_keys.end()) return kRegNotFound;
    ++m_writes;
    return it->second.values.erase(name) ? kRegOk : kRegNotFound;
}

std::string MemoryRegistry::ExpandEnvironment(const std::string& text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        size_t open = text.find('%', i);
        size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) break;
        auto v = m_env.find(text.substr(open + 1, close - open - 1));
        out += text.substr(i, open - i);
        if (v != m_env.end()) {
            out += v->second;
            i = close + 1;
        } else {
            // An unknown name stays as written; its closing '%' may open the next reference.
            out += text.substr(open, close - open);
            i = close;
        }
    }
    out += text.substr(i);
    return out;
}

void MemoryRegistry::Set(RegRoot root, const std::string& keyPath, const std::string& name,
                         const std::string& text) {
    Create(root, keyPath, {}).values[name] = text;
}

bool MemoryRegistry::Has(RegRoot root, const std::string& keyPath, const std::string& name) const {
    const Key* k = Find(root, keyPath);
    return k && k->values.count(name);
}

std::string MemoryRegistry::Get(RegRoot root, const std::string& keyPath,
                                const std::string& name) const {
    const Key* k = Find(root, keyPath);
    if (!k) return {};
    auto v = k->values.find(name);
    return v == k->values.end() ? std::string() : v->second;
}

size_t MemoryRegistry::StoredSize(RegRoot root, const std::string& keyPath,
                                  const std::string& name) const {
    if (!Has(root, keyPath, name)) return 0;
    bool binary = Find(root, keyPath)->binary.count(name) != 0;
    return Get(root, keyPath, name).size() + (binary ? 0 : 1);
}

bool MemoryRegistry::KeyExists(RegRoot root, const std::string& keyPath) const {
    return Find(root, keyPath) != nullptr;
}

std::string MemoryRegistry::KeyClass(RegRoot root, const std::string& keyPath) const {
    const Key* k = Find(root, keyPath);
    return k ? k->classText : std::string();
}

}  // namespace vt
