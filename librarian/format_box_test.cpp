#include "librarian/format_box.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

std::vector<std::string> Texts(const FormatBox& box) {
    std::vector<std::string> out;
    for (const auto& e : box.entries) out.push_back(e.text);
    return out;
}

TEST(FormatBox, ListsDisplayableFormatsInOrderWithTheirTexts) {
    std::vector<FormatTally> tallies = {
        {32, 32, 1024, 1}, {16, 16, 16, 2}, {32, 32, 256, 1}, {32, 32, 2, 4}, {48, 48, 16, 1}};
    FormatBox box = BuildFormatBox(tallies, {}, 1024, FormatBoxCause::Opened);
    EXPECT_EQ(Texts(box),
              (std::vector<std::string>{"16x16, 16 colors", "32x32, 2 colors", "32x32, 256 colors",
                                        "32x32, True Color", "48x48, 16 colors"}));
    EXPECT_EQ(box.selected, 1);  // the most images
    EXPECT_EQ(box.warning, FormatBoxWarning::None);

    // On 256 colours the 256-colour and true-colour formats are left out, with the warning.
    box = BuildFormatBox(tallies, {}, 256, FormatBoxCause::Opened);
    EXPECT_EQ(Texts(box), (std::vector<std::string>{"16x16, 16 colors", "32x32, 2 colors",
                                                    "48x48, 16 colors"}));
    EXPECT_EQ(box.warning, FormatBoxWarning::SomeNotSupported);
    box = BuildFormatBox({{32, 32, 256, 3}}, {}, 256, FormatBoxCause::Opened);
    EXPECT_TRUE(box.entries.empty());
    EXPECT_EQ(box.selected, -1);
    EXPECT_EQ(box.warning, FormatBoxWarning::NoneSupported);
}

TEST(FormatBox, TiesGoToWiderOrDeeperLaterEntriesAndToTheCurrentFormat) {
    std::vector<FormatTally> tallies = {{16, 16, 16, 3}, {32, 32, 16, 3}, {32, 32, 2, 3}};
    // 32 × 32 in 16 colours is wider than the first; the 2-colour one after it is neither.
    FormatBox box = BuildFormatBox(tallies, {64, 64, 16}, 1024, FormatBoxCause::Opened);
    EXPECT_EQ(box.entries[box.selected].text, "32x32, 16 colors");
    // The current format wins any tie, before or after it.
    box = BuildFormatBox(tallies, {16, 16, 16}, 1024, FormatBoxCause::Opened);
    EXPECT_EQ(box.entries[box.selected].text, "16x16, 16 colors");
    box = BuildFormatBox(tallies, {32, 32, 2}, 1024, FormatBoxCause::Opened);
    EXPECT_EQ(box.entries[box.selected].text, "32x32, 2 colors");
    // Outside an open a listed current format stays chosen even with fewer images.
    tallies[0].count = 1;
    box = BuildFormatBox(tallies, {16, 16, 16}, 1024, FormatBoxCause::Removed);
    EXPECT_EQ(box.entries[box.selected].text, "16x16, 16 colors");
    box = BuildFormatBox(tallies, {16, 16, 16}, 1024, FormatBoxCause::Opened);
    EXPECT_EQ(box.entries[box.selected].text, "32x32, 16 colors");
}

TEST(FormatBox, WarningsOnlyWhenAChangeBringsAHiddenFormatIn) {
    std::vector<FormatTally> before = {{32, 32, 16, 2}, {32, 32, 1024, 1}};
    // A Delete, or an add of shown formats, says nothing about the hidden one already there.
    FormatBox box = BuildFormatBox(before, {32, 32, 16}, 256, FormatBoxCause::Removed);
    EXPECT_EQ(box.warning, FormatBoxWarning::None);
    std::vector<FormatTally> after = before;
    after.push_back({16, 16, 16, 1});
    box = BuildFormatBox(after, {32, 32, 16}, 256, FormatBoxCause::Added, before);
    EXPECT_EQ(box.warning, FormatBoxWarning::None);
    after.push_back({48, 48, 256, 1});
    box = BuildFormatBox(after, {32, 32, 16}, 256, FormatBoxCause::Added, before);
    EXPECT_EQ(box.warning, FormatBoxWarning::SomeNotSupported);
    // After a Delete that leaves only hidden formats the icons stay: no "none supported".
    box = BuildFormatBox({{32, 32, 1024, 1}}, {32, 32, 16}, 256, FormatBoxCause::Removed);
    EXPECT_EQ(box.warning, FormatBoxWarning::None);
    EXPECT_EQ(box.selected, -1);
}

}  // namespace
}  // namespace vt
