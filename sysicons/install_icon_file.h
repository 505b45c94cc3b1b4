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

// An installed icon file and the one it replaces, which stays until the registry names the new.
struct InstalledFile {
    std::string path;
    std::string previous;  // empty when the row had no installed file
};

// Moves the stage file to the row's next installed name (one above the highest present) and
// deletes all older files but the newest. On failure the user is told (through `prompt`, with
// the program's caption) and false returned. The caller then writes the registry and calls
// RemovePreviousInstall on success or TakeBackInstall on failure.
bool InstallIconFile(SystemIcons& icons, Prompt& prompt, const std::string& folder, int row,
                     const std::string& stagePath, InstalledFile* out);
// Deletes the replaced file once the registry names the new one.
void RemovePreviousInstall(SystemIcons& icons, const InstalledFile& installed);
// Undoes the move after a failed registry write, so that the registry's value stays valid and
// nothing is orphaned: the new file goes back to `stagePath` with normal attributes, or is
// deleted when `stagePath` is empty. False when the file could not be taken back.
bool TakeBackInstall(SystemIcons& icons, const InstalledFile& installed,
                     const std::string& stagePath);

}  // namespace vt
