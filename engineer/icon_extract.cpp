#include "engineer/icon_extract.h"

#include "common/byte_reader.h"
#include "librarian/icon_groups.h"

namespace vt {

const char* const kInvalidIconFileText = "The file '%s' is not a valid file type for icons!";
const char* const kCascadeLimitText =
    "This file exceeds the cascade limits of Vantoro.  Kelvane Software would like to examine this "
    "file to expand "
    "Vantoro's ability.  Press OK to continue.";
const char* const kOutOfMemoryText = "Out of global memory.  Cannot complete this function.";

namespace {

void ShowError(Prompt& prompt, const std::string& text) {
    prompt.Show({text, "Vantoro Engineer", PromptIcon::Stop, PromptButtons::Ok, true, 0});
}

}  // namespace

LibStatus LibrarianIconGroups::BuildIconFile(const std::string& path, int index,
                                             std::vector<uint8_t>* out) {
    size_t group = static_cast<size_t>(index);
    if (index < 0) {
        std::vector<IconGroupInfo> groups;
        LibStatus st = ListIconGroups(path, &groups);
        if (st != LibStatus::Ok) return st;
        uint32_t id = static_cast<uint32_t>(-static_cast<int64_t>(index));
        group = groups.size();
        for (size_t i = 0; i < groups.size(); ++i)
            if (groups[i].resourceId == id) group = i;
        if (group == groups.size()) return LibStatus::NoIcons;
    }
    return BuildIconFileOfGroup(path, group, out);
}

bool IsIconFileHeader(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 4 && LoadLE16(bytes.data()) == 0 && LoadLE16(bytes.data() + 2) == 1;
}

IconLoad LoadIconFileBytes(FileSystem& files, Prompt& prompt, IconGroupSource& groups,
                           const std::string& source, int index, std::vector<uint8_t>* out) {
    out->clear();
    std::vector<uint8_t> bytes;
    if (!files.ReadFile(source, kMaxSourceFileSize, &bytes) || bytes.size() < kMinIconSourceSize)
        return IconLoad::Unreadable;
    if (IsIconFileHeader(bytes)) {
        *out = std::move(bytes);
        return IconLoad::Ok;
    }
    LibStatus st = groups.BuildIconFile(source, index, out);
    if (st == LibStatus::Ok && !out->empty()) return IconLoad::Ok;
    if (st == LibStatus::Cascade) ShowError(prompt, kCascadeLimitText);
    if (st == LibStatus::OutOfMemory) ShowError(prompt, kOutOfMemoryText);
    ShowError(prompt, Format(kInvalidIconFileText, source.c_str()));
    out->clear();
    return IconLoad::Invalid;
}

bool ExtractIconToFile(FileSystem& files, Prompt& prompt, IconGroupSource& groups,
                       const std::string& source, const std::string& target, int index) {
    std::vector<uint8_t> icon;
    if (LoadIconFileBytes(files, prompt, groups, source, index, &icon) != IconLoad::Ok)
        return false;
    return files.WriteFile(target, icon);
}

}  // namespace vt
