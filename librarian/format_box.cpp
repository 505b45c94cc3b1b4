#include "librarian/format_box.h"

#include <algorithm>
#include <tuple>

#include "common/prompt.h"
#include "image/display_colors.h"

namespace vt {

const char* const kSomeFormatsNotSupported =
    "This file includes images in color formats not supported by the current color settings of "
    "your video display.";
const char* const kNoFormatSupported =
    "This file does not include any images with color formats supported by the current color "
    "settings of your video display.";

namespace {

bool Suits(const FormatTally& t, int display) {
    return FormatSuitsDisplay(static_cast<int32_t>(t.colorCode), display);
}

bool SameFormat(const FormatTally& a, const FormatTally& b) {
    return a.width == b.width && a.height == b.height && a.colorCode == b.colorCode;
}

}  // namespace

FormatBox BuildFormatBox(const std::vector<FormatTally>& tallies, const FormatKey& current,
                         int displayColorCode, FormatBoxCause cause,
                         const std::vector<FormatTally>& before) {
    FormatBox box;
    std::vector<FormatTally> sorted = tallies;
    std::stable_sort(sorted.begin(), sorted.end(), [](const FormatTally& a, const FormatTally& b) {
        return std::tie(a.width, a.height, a.colorCode) < std::tie(b.width, b.height, b.colorCode);
    });
    bool hidden = false, broughtHidden = false;
    for (const FormatTally& t : sorted) {
        if (!Suits(t, displayColorCode)) {
            hidden = true;
            broughtHidden |= std::none_of(before.begin(), before.end(),
                                          [&](const FormatTally& b) { return SameFormat(b, t); });
            continue;
        }
        FormatBoxEntry e;
        e.format = {t.width, t.height, t.colorCode};
        e.count = t.count;
        e.text =
            t.colorCode == 1024
                ? Format("%dx%d, True Color", static_cast<int>(t.width), static_cast<int>(t.height))
                : Format("%dx%d, %d colors", static_cast<int>(t.width), static_cast<int>(t.height),
                         static_cast<int>(t.colorCode));
        box.entries.push_back(std::move(e));
    }

    switch (cause) {
        case FormatBoxCause::Opened:
            if (!tallies.empty() && box.entries.empty())
                box.warning = FormatBoxWarning::NoneSupported;
            else if (hidden)
                box.warning = FormatBoxWarning::SomeNotSupported;
            break;
        case FormatBoxCause::Added:
            if (broughtHidden) box.warning = FormatBoxWarning::SomeNotSupported;
            break;
        case FormatBoxCause::Removed:
            break;
    }

    if (box.entries.empty()) return box;
    int listed = -1;
    for (size_t i = 0; i < box.entries.size(); ++i)
        if (box.entries[i].format == current) listed = static_cast<int>(i);
    if (listed >= 0 && cause != FormatBoxCause::Opened) {
        box.selected = listed;
        return box;
    }
    int best = 0;
    for (int i = 1; i < static_cast<int>(box.entries.size()); ++i) {
        const FormatBoxEntry &e = box.entries[i], &b = box.entries[best];
        if (e.count > b.count) {
            best = i;
        } else if (e.count == b.count && !(b.format == current)) {
            if (e.format == current || e.format.width > b.format.width ||
                e.format.colorCode > b.format.colorCode)
                best = i;
        }
    }
    box.selected = best;
    return box;
}

}  // namespace vt
