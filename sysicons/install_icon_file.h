#pragma once
// Installing a staged icon as a row's icon file: every row keeps one file in the installed-icons
// folder, named after the row (and the user, where icons are per user) with a number that grows
// by one at each install, so the shell never sees a cached icon under a reused name.

#include <string>
#include <vector>

#include "common/prompt.h"
#include "sysicons/system_icons.h"

namespace vt {

// "<Windows directory>Installed System Icons".
std::string InstalledIconsFolder(const EnvironmentFacts& facts);
// "<folder>\stage.ico".
std::string StagePath(const std::string& folder);

// The part of an installed file's name before its number: "Hard Drive" or "(alice) My Computer".
std::string InstalledNamePrefix(const SystemIcons& icons, int row);
// Whether `name` is "<prefix><decimal digits>.ico"; the number is returned through `number`.
bool IsInstalledName(const std::string& name, const std::string& prefix, long* number);

// Moves the stage file to the row's next installed name and returns it through newPath. On
// failure the user is told (through `prompt`, with the program's caption) and false returned.
bool InstallIconFile(SystemIcons& icons, Prompt& prompt, const std::string& folder, int row,
                     const std::string& stagePath, std::string* newPath);

}  // namespace vt
