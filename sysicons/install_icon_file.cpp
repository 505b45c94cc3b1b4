#include "sysicons/install_icon_file.h"

#include <algorithm>

#include "sysicons/text.h"

namespace vt {

namespace {

constexpr long kMaxInstallNumber = 999999999;

const char* Caption(const SystemIcons& icons) {
    return icons.program() == Program::Engineer ? "Vantoro Engineer" : "Vantoro 98";
}

bool Fail(SystemIcons& icons, Prompt& prompt, const char* format, const std::string& path) {
    const char* tail = icons.program() == Program::Engineer
                           ? "\n\nInstallation of this icon was not completed."
                           : "\n\nInstallation aborted.";
    prompt.Show({Format(format, path.c_str()) + tail, Caption(icons), PromptIcon::Exclamation,
                 PromptButtons::Ok, true, 0});
    return false;
}

// Installed files are read-only, hidden and system; they must be made normal to be deleted.
bool DeleteInstalled(SystemIcons& icons, Prompt& prompt, const std::string& path) {
    FileSystem& fs = icons.files();
    uint32_t attributes = 0;
    if (fs.GetAttributes(path, &attributes) && attributes != kAttrNormal &&
        !fs.SetAttributes(path, kAttrNormal))
        return Fail(icons, prompt, "Error encountered while preparing to delete %s.", path);
    if (!fs.Delete(path))
        return Fail(icons, prompt, "Error encountered attempting to delete %s.", path);
    return true;
}

}  // namespace

std::string InstalledIconsFolder(const EnvironmentFacts& facts) {
    return facts.windowsDirectory + "Installed System Icons";
}

std::string StagePath(const std::string& folder) {
    return JoinPath(folder, "stage.ico");
}

std::string InstalledNamePrefix(const SystemIcons& icons, int row) {
    const SystemObject& o = icons.row(row);
    // Shell Icons overrides and the Briefcase are machine-wide: their files are shared by all
    // users.
    if (icons.facts().userNamePrefix && o.key != kKeyShellIcons && o.key != kKeyBriefcase)
        return Format("(%s) %s", icons.facts().userName.c_str(), o.itemName.c_str());
    return o.itemName;
}

bool IsInstalledName(const std::string& name, const std::string& prefix, long* number) {
    if (name.size() <= prefix.size() + 4 || !StartsWithNoCase(name, prefix) ||
        !EndsWithNoCase(name, ".ico"))
        return false;
    std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    long n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        n = n >= kMaxInstallNumber / 10 ? kMaxInstallNumber : n * 10 + (c - '0');
    }
    *number = n;
    return true;
}

bool InstallIconFile(SystemIcons& icons, Prompt& prompt, const std::string& folder, int row,
                     const std::string& stagePath, InstalledFile* out) {
    *out = {};
    FileSystem& fs = icons.files();
    std::string prefix = InstalledNamePrefix(icons, row);
    std::vector<std::pair<std::string, long>> found;
    for (const auto& name : fs.FindFiles(folder, prefix, ".ico")) {
        long number = 0;
        if (IsInstalledName(name, prefix, &number))
            found.push_back({JoinPath(folder, name), number});
    }
    // The file the registry names is the newest, the highest number; the system lists files in
    // no particular order.
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    // Only the newest is kept until the registry names the new one, so that any failure still
    // leaves the row the icon file it names.
    for (size_t i = 0; i + 1 < found.size(); ++i)
        if (!DeleteInstalled(icons, prompt, found[i].first)) return false;
    long next = found.empty() ? 1 : std::min(found.back().second + 1, kMaxInstallNumber);
    std::string target = JoinPath(folder, Format("%s%ld.ico", prefix.c_str(), next));
    if (!fs.Move(stagePath, target))
        return Fail(icons, prompt, "Error encountered attempting to rename stage file to %s.",
                    target);
    fs.SetAttributes(target, kAttrHidden | kAttrSystem | kAttrReadOnly);
    out->path = target;
    if (!found.empty()) out->previous = found.back().first;
    return true;
}

void RemovePreviousInstall(SystemIcons& icons, const InstalledFile& installed) {
    if (installed.previous.empty() || EqualsNoCase(installed.previous, installed.path)) return;
    // The install is complete once the registry names the new file; an old file that resists
    // deletion is only clutter, and the next install of the row deletes it.
    FileSystem& fs = icons.files();
    fs.SetAttributes(installed.previous, kAttrNormal);
    fs.Delete(installed.previous);
}

bool TakeBackInstall(SystemIcons& icons, const InstalledFile& installed,
                     const std::string& stagePath) {
    if (installed.path.empty()) return true;
    FileSystem& fs = icons.files();
    if (!fs.SetAttributes(installed.path, kAttrNormal)) return false;
    return stagePath.empty() ? fs.Delete(installed.path) : fs.Move(installed.path, stagePath);
}

}  // namespace vt
