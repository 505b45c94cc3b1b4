#pragma once
// A portable implementation of the private-profile calls with the same observable behaviour as
// the system's: names compare without case, values lose surrounding blanks and one pair of
// matching quotes, a missing key gives the default, and every change rewrites the file in the
// normal form "[section]" / "key=value" with CRLF line ends (comments and odd lines are kept).

#include <optional>
#include <string>
#include <vector>

#include "engineer/profile.h"
#include "sysicons/file_system.h"

namespace vt {

// The parsed form of a profile file.
struct IniDocument {
    struct Entry {
        std::string name;
        std::optional<std::string> value;  // none for a line without '='
    };
    struct Section {
        std::string name;  // empty for lines before the first section
        std::vector<Entry> entries;
    };
    std::vector<Section> sections;

    static IniDocument Parse(const std::string& text);
    std::string Serialize() const;
    Section* FindSection(const std::string& name);
    Entry* FindEntry(const std::string& section, const std::string& key);
};

// Profile files are small text files; anything larger is not one.
constexpr size_t kMaxProfileFileSize = 4u << 20;

class IniProfile : public Profile {
  public:
    explicit IniProfile(FileSystem& files) : m_files(files) {}
    std::string Read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& defaultValue, size_t size) override;
    bool Write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
    bool DeleteKey(const std::string& file, const std::string& section,
                   const std::string& key) override;
    bool Create(const std::string& file, const std::string& text) override;

  private:
    bool Load(const std::string& file, IniDocument* doc);
    bool Store(const std::string& file, const IniDocument& doc);

    FileSystem& m_files;
};

}  // namespace vt
