#include "engineer/ini_profile.h"

#include "sysicons/text.h"

namespace vt {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::string TrimLeft(const std::string& s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

std::string TrimRight(const std::string& s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return s.substr(0, e);
}

// One pair of matching quotes around a value is not part of it.
std::string Unquote(const std::string& s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

}  // namespace

IniDocument IniDocument::Parse(const std::string& text) {
    IniDocument doc;
    doc.sections.push_back({});
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = TrimLeft(text.substr(at, end - at));
        at = end + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            size_t close = line.rfind(']');
            if (close != std::string::npos) {
                doc.sections.push_back({line.substr(1, close - 1), {}});
                continue;
            }
        }
        line = TrimRight(line);
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            doc.sections.back().entries.push_back({line, std::nullopt});
        else
            doc.sections.back().entries.push_back(
                {TrimRight(line.substr(0, eq)), TrimLeft(line.substr(eq + 1))});
    }
    if (doc.sections.front().entries.empty()) doc.sections.erase(doc.sections.begin());
    return doc;
}

std::string IniDocument::Serialize() const {
    std::string out;
    for (const auto& s : sections) {
        if (!s.name.empty()) out += "[" + s.name + "]\r\n";
        for (const auto& e : s.entries)
            out += e.name + (e.value ? "=" + *e.value : std::string()) + "\r\n";
    }
    return out;
}

IniDocument::Section* IniDocument::FindSection(const std::string& name) {
    std::string wanted = Trim(name);
    for (auto& s : sections)
        if (EqualsNoCase(Trim(s.name), wanted)) return &s;
    return nullptr;
}

IniDocument::Entry* IniDocument::FindEntry(const std::string& section, const std::string& key) {
    Section* s = FindSection(section);
    if (!s) return nullptr;
    std::string wanted = Trim(key);
    for (auto& e : s->entries)
        if (EqualsNoCase(e.name, wanted)) return &e;
    return nullptr;
}

bool IniProfile::Load(const std::string& file, IniDocument* doc) {
    std::vector<uint8_t> bytes;
    if (!m_files.ReadFile(file, kMaxProfileFileSize, &bytes)) return false;
    *doc = IniDocument::Parse(std::string(bytes.begin(), bytes.end()));
    return true;
}

bool IniProfile::Store(const std::string& file, const IniDocument& doc) {
    std::string text = doc.Serialize();
    return m_files.WriteFile(
        file, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::string IniProfile::Read(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue, size_t size) {
    IniDocument doc;
    const IniDocument::Entry* e = Load(file, &doc) ? doc.FindEntry(section, key) : nullptr;
    std::string value = Unquote(e && e->value ? *e->value : TrimRight(defaultValue));
    if (size == 0) return {};
    return value.substr(0, size - 1);
}

bool IniProfile::Write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) {
    IniDocument doc;
    Load(file, &doc);
    std::string text = TrimLeft(value);
    IniDocument::Section* s = doc.FindSection(section);
    if (!s) {
        doc.sections.push_back({Trim(section), {}});
        s = &doc.sections.back();
    }
    IniDocument::Entry* e = doc.FindEntry(section, key);
    if (e && e->value == text) return true;
    if (e)
        e->value = text;
    else
        s->entries.push_back({Trim(key), text});
    return Store(file, doc);
}

bool IniProfile::DeleteKey(const std::string& file, const std::string& section,
                           const std::string& key) {
    IniDocument doc;
    if (!Load(file, &doc)) return true;
    IniDocument::Section* s = doc.FindSection(section);
    if (!s) return true;
    std::string wanted = Trim(key);
    for (size_t i = 0; i < s->entries.size(); ++i) {
        if (EqualsNoCase(s->entries[i].name, wanted)) {
            s->entries.erase(s->entries.begin() + static_cast<long>(i));
            return Store(file, doc);
        }
    }
    return true;
}

bool IniProfile::Create(const std::string& file, const std::string& text) {
    return m_files.WriteFile(
        file, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace vt
