#pragma once
// A program's recently-used list kept in its settings: "MRUCount" (decimal text) and "MRU1" to
// "MRU4", newest first. The Studio stores "%s,%d" (path and file type); the Animator stores the
// plain path (a path may hold commas). What is read is untrusted: a bad count reads as none, a bad
// value is skipped, and a value written by the other form is read as this form reads it.

#include <functional>
#include <string>

#include "common/mru_list.h"

namespace vt {

enum class MruValueForm { PathAndType, PlainPath };

// The settings store of one key (VTAPP in the programs, a map in tests).
struct MruStore {
    std::function<std::string(const std::string& name)> read;  // "" when absent
    std::function<void(const std::string& name, const std::string& value)> write;
    std::function<void(const std::string& name)> erase;
};

// The list as stored; the plain form gives every entry the file type 1. maxPath bounds a path.
MruList LoadMru(const MruStore& store, MruValueForm form, size_t maxPath);
// Writes the count and the entries, and deletes the values past them.
void SaveMru(const MruList& list, const MruStore& store, MruValueForm form);

// A plain stored value: a path of 1 to maxPath characters, none of them a control character.
bool IsStoredPlainPath(std::string_view text, size_t maxPath);

}  // namespace vt
