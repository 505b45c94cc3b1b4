#pragma once
// Icon names sort as the system's locale-aware, case-sensitive comparison orders them (the word
// sort of lstrcmpA). The Win32 build passes the system call through this seam; the portable build
// uses CompareNamesWordSort, which follows the same rules for the characters icon names use.

namespace vt {

using NameCompareFn = int (*)(const char* a, const char* b);

// Negative, zero or positive as a sorts before, equal to or after b:
// - hyphens and apostrophes are ignored unless the names are otherwise equal (word sort);
// - punctuation sorts before digits, digits before letters, letters alphabetically without regard
//   to case; bytes above 127 after the letters, by value;
// - names equal so far differ by the first letter of different case, lowercase first;
// - a name that is a prefix of the other sorts first.
int CompareNamesWordSort(const char* a, const char* b);

}  // namespace vt
