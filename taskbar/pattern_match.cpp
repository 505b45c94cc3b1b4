#include "taskbar/pattern_match.h"

namespace vt {

int FoldPatternChar(unsigned char c) {
    // Computed in int so that bytes from 0xE0 up cannot wrap onto the terminator.
    return (c >= 'a' && c <= 'z') ? c : c + 32;
}

namespace {

bool SameChar(char a, char b, bool caseSensitive) {
    if (caseSensitive) return a == b;
    return FoldPatternChar(static_cast<unsigned char>(a)) ==
           FoldPatternChar(static_cast<unsigned char>(b));
}

}  // namespace

bool MatchPattern(std::string_view title, std::string_view pattern, bool caseSensitive) {
    size_t t = 0;
    size_t p = 0;
    bool haveStar = false;
    size_t afterStar = 0;  // pattern position just behind the latest "*"
    size_t starText = 0;   // where in the title that "*" began matching
    while (t < title.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            ++p;
            if (p == pattern.size()) return true;
            haveStar = true;
            afterStar = p;
            starText = t;
            continue;
        }
        if (p < pattern.size() &&
            (pattern[p] == '?' || SameChar(pattern[p], title[t], caseSensitive))) {
            ++p;
            ++t;
            continue;
        }
        if (!haveStar) return false;
        p = afterStar;
        t = ++starText;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace vt
