#pragma once
// The commands of `vantoro`, each a function over its arguments (the command name removed) that
// returns the exit status. Output goes to standard output, every problem to standard error.

#include <string>
#include <string_view>
#include <vector>

namespace vt::tool {

// Exit statuses scripts can rely on.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // something asked for was left out, unreadable or not written
constexpr int kExitUsage = 2;

using Args = std::vector<std::string>;

int Info(const Args& args);
int Extract(const Args& args);
int Library(const Args& args);
int Search(const Args& args);
int Make(const Args& args);

// Animated cursors, reached through info and extract.
bool IsAnimatedCursor(const std::string& path);
// Prints the animation's text report, or appends its JSON object to *json when json is set.
int AniInfo(const std::string& path, std::string* json);
int AniExtract(const std::string& path, const std::string& outDir);

// A problem on standard error, prefixed "vantoro: ".
void Complain(const std::string& text);
// A bad command line: the problem and the command's usage on standard error; returns kExitUsage.
int Usage(const std::string& command, const std::string& problem);
// Text that is safe on a terminal: control bytes become '?'.
std::string Printable(std::string_view text);

}  // namespace vt::tool
