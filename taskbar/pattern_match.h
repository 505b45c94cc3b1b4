#pragma once
// Wildcard matching of task-button titles against the user's group patterns.

#include <string_view>

namespace vt {

// The folding used when case does not matter: every character that is not a lower-case letter
// has 32 added, so 'A'..'Z' meet 'a'..'z'. Every other pair of characters stays distinct because
// the same offset is added to both sides.
int FoldPatternChar(unsigned char c);

// "*" matches any run of characters and "?" any one character. Only the latest "*" is kept: on a
// mismatch the match resumes one character past where that "*" began, and a "*" that ends the
// pattern matches whatever is left at once.
bool MatchPattern(std::string_view title, std::string_view pattern, bool caseSensitive);

}  // namespace vt
