#include "librarian/name_compare.h"

#include <cstring>
#include <string_view>

namespace vt {
namespace {

// Punctuation in the order the system's sort table gives it; everything before digits.
constexpr std::string_view kPunctuationOrder = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

bool IsWordSortIgnored(unsigned char c) {
    return c == '-' || c == '\'';
}

// The primary weight of a character: what it sorts as when case is not considered.
int PrimaryWeight(unsigned char c) {
    if (c < 0x20 || c == 0x7F) return c;  // control characters first
    size_t p = kPunctuationOrder.find(static_cast<char>(c));
    if (p != std::string_view::npos) return 0x100 + static_cast<int>(p);
    if (c >= '0' && c <= '9') return 0x200 + (c - '0');
    if (c >= 'a' && c <= 'z') return 0x300 + (c - 'a');
    if (c >= 'A' && c <= 'Z') return 0x300 + (c - 'A');
    return 0x400 + c;
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

}  // namespace

int CompareNamesWordSort(const char* a, const char* b) {
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);

    // Alphabetic pass over the significant characters.
    size_t i = 0, j = 0;
    int caseDifference = 0;
    for (;;) {
        while (pa[i] && IsWordSortIgnored(pa[i])) ++i;
        while (pb[j] && IsWordSortIgnored(pb[j])) ++j;
        if (!pa[i] || !pb[j]) break;
        int d = PrimaryWeight(pa[i]) - PrimaryWeight(pb[j]);
        if (d != 0) return Sign(d);
        if (caseDifference == 0 && pa[i] != pb[j]) {
            // Same letter in another case: lowercase sorts first.
            caseDifference = (pa[i] >= 'a' && pa[i] <= 'z') ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (pa[i] || pb[j]) return pa[i] ? 1 : -1;
    if (caseDifference != 0) return caseDifference;
    // Only hyphens and apostrophes are left to tell the names apart.
    return Sign(std::strcmp(a, b));
}

}  // namespace vt
