#include "taskbar/resort_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "taskbar/pattern_table.h"

namespace vt {
namespace {

using Names = std::vector<std::string_view>;

// The titles in their new order, for readable expectations.
Names Reordered(const Names& titles, const ResortPlan& plan) {
    Names out;
    for (int i : plan.order) out.push_back(titles.at(static_cast<size_t>(i)));
    return out;
}

const Names kTitles = {"Inbox - Mail",    "Notepad - a.txt", "Calculator",
                       "Notepad - b.txt", "Sent - Mail",     "Paint"};

TEST(ResortPlan, WithoutStarUnmatchedButtonsFollowAllGroups) {
    const Names patterns = {"Notepad*", "*Mail"};
    ResortPlan plan = PlanResort(kTitles, -1, patterns, false);
    EXPECT_EQ(Reordered(kTitles, plan), (Names{"Notepad - a.txt", "Notepad - b.txt", "Inbox - Mail",
                                               "Sent - Mail", "Calculator", "Paint"}));
    EXPECT_EQ(plan.selection, -1);
}

TEST(ResortPlan, StarFirstPutsUnmatchedButtonsBeforeAllGroups) {
    const Names patterns = {"*", "Notepad*", "*Mail"};
    ResortPlan plan = PlanResort(kTitles, -1, patterns, false);
    EXPECT_EQ(Reordered(kTitles, plan), (Names{"Calculator", "Paint", "Notepad - a.txt",
                                               "Notepad - b.txt", "Inbox - Mail", "Sent - Mail"}));
}

TEST(ResortPlan, StarBetweenGroupsPutsUnmatchedButtonsThere) {
    const Names patterns = {"*Mail", "*", "Notepad*"};
    ResortPlan plan = PlanResort(kTitles, -1, patterns, false);
    EXPECT_EQ(Reordered(kTitles, plan), (Names{"Inbox - Mail", "Sent - Mail", "Calculator", "Paint",
                                               "Notepad - a.txt", "Notepad - b.txt"}));
}

TEST(ResortPlan, ButtonMatchingSeveralPatternsJoinsTheFirst) {
    const Names titles = {"Notepad - Mail", "Inbox - Mail", "Notepad"};
    const Names patterns = {"*Mail", "Notepad*"};
    EXPECT_EQ(Reordered(titles, PlanResort(titles, -1, patterns, false)),
              (Names{"Notepad - Mail", "Inbox - Mail", "Notepad"}));
    const Names swapped = {"Notepad*", "*Mail"};
    EXPECT_EQ(Reordered(titles, PlanResort(titles, -1, swapped, false)),
              (Names{"Notepad - Mail", "Notepad", "Inbox - Mail"}));
}

TEST(ResortPlan, GroupsKeepTheButtonsOldOrder) {
    const Names titles = {"b3", "a1", "b1", "a2", "b2", "a3"};
    const Names patterns = {"a*", "b*"};
    EXPECT_EQ(Reordered(titles, PlanResort(titles, -1, patterns, false)),
              (Names{"a1", "a2", "a3", "b3", "b1", "b2"}));
}

TEST(ResortPlan, NoPatternsOrNoMatchesKeepTheOrder) {
    const std::vector<int> same = {0, 1, 2, 3, 4, 5};
    EXPECT_EQ(PlanResort(kTitles, -1, {}, false).order, same);
    const Names nothing = {"zzz*"};
    EXPECT_EQ(PlanResort(kTitles, -1, nothing, false).order, same);
    const Names onlyStar = {"*"};
    EXPECT_EQ(PlanResort(kTitles, -1, onlyStar, false).order, same);
    EXPECT_TRUE(PlanResort({}, -1, nothing, false).order.empty());
}

TEST(ResortPlan, CaseSensitivityDecidesGroupMembership) {
    const Names titles = {"paint", "Notepad", "NOTEPAD"};
    const Names patterns = {"NOTE*"};
    EXPECT_EQ(Reordered(titles, PlanResort(titles, -1, patterns, false)),
              (Names{"Notepad", "NOTEPAD", "paint"}));
    EXPECT_EQ(Reordered(titles, PlanResort(titles, -1, patterns, true)),
              (Names{"NOTEPAD", "paint", "Notepad"}));
}

TEST(ResortPlan, SelectionFollowsTheSelectedButton) {
    const Names patterns = {"Notepad*", "*", "*Mail"};
    // Selected button in a group.
    ResortPlan plan = PlanResort(kTitles, 3, patterns, false);
    EXPECT_EQ(plan.order.at(static_cast<size_t>(plan.selection)), 3);
    EXPECT_EQ(plan.selection, 1);
    // Selected button unmatched: it keeps the selection too.
    plan = PlanResort(kTitles, 5, patterns, false);
    EXPECT_EQ(plan.selection, 3);
    EXPECT_EQ(plan.order.at(3), 5);
    // An index out of range selects nothing.
    EXPECT_EQ(PlanResort(kTitles, 6, patterns, false).selection, -1);
}

TEST(ResortPlan, FirstStarMarksThePlaceAndLaterStarsAreIgnored) {
    const Names patterns = {"*Mail", "*", "Notepad*", "*"};
    EXPECT_EQ(Reordered(kTitles, PlanResort(kTitles, -1, patterns, false)),
              (Names{"Inbox - Mail", "Sent - Mail", "Calculator", "Paint", "Notepad - a.txt",
                     "Notepad - b.txt"}));
}

TEST(ResortPlan, EveryButtonAppearsExactlyOnce) {
    std::vector<std::string> storage;
    for (int i = 0; i < kMaxButtons; ++i)
        storage.push_back("w" + std::to_string(i % 7) + "x" + std::to_string(i));
    Names titles(storage.begin(), storage.end());
    const Names patterns = {"w3*", "*x1?", "*", "w?x*0", "*9"};
    ResortPlan plan = PlanResort(titles, 17, patterns, false);
    std::vector<int> sorted = plan.order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < kMaxButtons; ++i) ASSERT_EQ(sorted.at(static_cast<size_t>(i)), i);
    EXPECT_EQ(plan.order.at(static_cast<size_t>(plan.selection)), 17);
}

// The slots handed over by the controlling program, built as it lays them out.
std::vector<char> Slots(const std::vector<std::string>& patterns) {
    std::vector<char> out(patterns.size() * kPatternBytes, 0);
    for (size_t i = 0; i < patterns.size(); ++i)
        std::copy(patterns[i].begin(), patterns[i].end(),
                  out.begin() + static_cast<long>(i * kPatternBytes));
    return out;
}

TEST(PatternTable, StoresAndLoadsPatternsAtTheirStride) {
    PatternSlots slots = {};
    std::vector<char> source = Slots({"Notepad*", "*", "", "*Mail"});
    EXPECT_EQ(StorePatterns(slots, source.data(), 4), 4);
    EXPECT_EQ(LoadPatterns(slots, 4), (Names{"Notepad*", "*", "", "*Mail"}));
    // A shorter pattern over a longer one leaves no tail behind.
    source = Slots({"ab"});
    StorePatterns(slots, source.data(), 1);
    EXPECT_EQ(LoadPatterns(slots, 1), (Names{"ab"}));
}

TEST(PatternTable, CountsOutsideTheArrayAreClampedNeverOverrun) {
    PatternSlots slots = {};
    std::vector<std::string> many;
    for (int i = 0; i < 150; ++i) many.push_back("p" + std::to_string(i));
    std::vector<char> source = Slots(many);
    EXPECT_EQ(StorePatterns(slots, source.data(), 150), kMaxPatterns);
    Names loaded = LoadPatterns(slots, 150);
    ASSERT_EQ(loaded.size(), static_cast<size_t>(kMaxPatterns));
    EXPECT_EQ(loaded.back(), "p99");
    EXPECT_EQ(StorePatterns(slots, source.data(), -5), 0);
    EXPECT_TRUE(LoadPatterns(slots, -5).empty());
    EXPECT_EQ(StorePatterns(slots, nullptr, 3), 0);
}

TEST(PatternTable, UnterminatedSlotIsCutToTheSlot) {
    PatternSlots slots = {};
    std::vector<char> source(2 * kPatternBytes, 'x');
    source[kPatternBytes + 1] = 0;
    EXPECT_EQ(StorePatterns(slots, source.data(), 2), 2);
    Names loaded = LoadPatterns(slots, 2);
    EXPECT_EQ(loaded.at(0).size(), kPatternBytes - 1);
    EXPECT_EQ(slots[0][kPatternBytes - 1], '\0');
    EXPECT_EQ(loaded.at(1), "x");
    // A slot in shared memory that lost its terminator is still read within the slot.
    std::fill(&slots[0][0], &slots[0][0] + kPatternBytes, 'y');
    EXPECT_EQ(LoadPatterns(slots, 1).at(0).size(), kPatternBytes - 1);
}

}  // namespace
}  // namespace vt
