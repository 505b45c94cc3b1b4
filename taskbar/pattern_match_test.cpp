#include "taskbar/pattern_match.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

bool Insensitive(std::string_view title, std::string_view pattern) {
    return MatchPattern(title, pattern, false);
}
bool Sensitive(std::string_view title, std::string_view pattern) {
    return MatchPattern(title, pattern, true);
}

TEST(PatternMatch, LiteralPatternsMatchOnlyTheWholeTitle) {
    EXPECT_TRUE(Sensitive("Notepad", "Notepad"));
    EXPECT_FALSE(Sensitive("Notepad", "Note"));
    EXPECT_FALSE(Sensitive("Note", "Notepad"));
    EXPECT_TRUE(Sensitive("", ""));
    EXPECT_FALSE(Sensitive("x", ""));
    EXPECT_FALSE(Sensitive("", "x"));
}

TEST(PatternMatch, QuestionMarkTakesExactlyOneCharacter) {
    EXPECT_TRUE(Sensitive("cat", "c?t"));
    EXPECT_TRUE(Sensitive("c*t", "c?t"));
    EXPECT_FALSE(Sensitive("ct", "c?t"));
    EXPECT_FALSE(Sensitive("caat", "c?t"));
    EXPECT_FALSE(Sensitive("", "?"));
}

TEST(PatternMatch, StarTakesAnyRunIncludingNone) {
    EXPECT_TRUE(Sensitive("", "*"));
    EXPECT_TRUE(Sensitive("anything at all", "*"));
    EXPECT_TRUE(Sensitive("Inbox - Mail", "*Mail"));
    EXPECT_TRUE(Sensitive("Mail", "*Mail"));
    EXPECT_TRUE(Sensitive("ab", "a*b"));
    EXPECT_TRUE(Sensitive("a--b", "a*b"));
    EXPECT_FALSE(Sensitive("a--c", "a*b"));
    EXPECT_TRUE(Sensitive("abc", "a**c"));
    EXPECT_TRUE(Sensitive("ab", "ab**"));
    EXPECT_FALSE(Sensitive("ab", "ab*?"));
}

TEST(PatternMatch, MismatchAfterStarRetriesOnePastWhereTheStarBegan) {
    // The first "ab" after the star is a false start; the match must slide to the second.
    EXPECT_TRUE(Sensitive("xabxabc", "*abc"));
    EXPECT_TRUE(Sensitive("aaab", "*aab"));
    EXPECT_TRUE(Sensitive("mississippi", "m*issip*"));
    EXPECT_TRUE(Sensitive("mississippi", "*sip?i"));
    EXPECT_FALSE(Sensitive("mississippi", "*sipx"));
    // The latest star is the one retried: the part between the stars stays where it matched.
    EXPECT_TRUE(Sensitive("a1b2c3", "a*b*3"));
    EXPECT_FALSE(Sensitive("a1b2c3", "a*b*4"));
}

TEST(PatternMatch, TrailingStarMatchesWhateverIsLeft) {
    EXPECT_TRUE(Sensitive("Microsoft Word - Letter", "Microsoft*"));
    EXPECT_TRUE(Sensitive("Microsoft", "Microsoft*"));
    EXPECT_FALSE(Sensitive("Micro", "Microsoft*"));
}

TEST(PatternMatch, CaseFoldingWorksBothWays) {
    EXPECT_TRUE(Insensitive("NOTEPAD", "notepad"));
    EXPECT_TRUE(Insensitive("notepad", "NOTEPAD"));
    EXPECT_TRUE(Insensitive("NotePad", "nOTEpAD"));
    EXPECT_FALSE(Sensitive("NOTEPAD", "notepad"));
    EXPECT_FALSE(Sensitive("notepad", "NOTEPAD"));
    EXPECT_TRUE(Insensitive("Mail - INBOX", "*inbox"));
}

TEST(PatternMatch, UpperCasePatternEndingInStarNeedsCaseInsensitivity) {
    EXPECT_TRUE(Insensitive("Explorer - C:\\", "EXPL*"));
    EXPECT_TRUE(Insensitive("eXpLorer", "EXPL*"));
    EXPECT_FALSE(Sensitive("Explorer - C:\\", "EXPL*"));
    EXPECT_TRUE(Sensitive("EXPLORER", "EXPL*"));
}

TEST(PatternMatch, FoldingMergesOnlyTheTwoCasesOfALetter) {
    // The offset of 32 is added to every non-lower-case character, on both sides, so '@' and
    // '`' or '[' and '{' stay apart, as do digits and letters.
    EXPECT_FALSE(Insensitive("@", "`"));
    EXPECT_FALSE(Insensitive("[", "{"));
    EXPECT_FALSE(Insensitive("0", "p"));
    EXPECT_FALSE(Insensitive("0", "P"));
    EXPECT_TRUE(Insensitive("0", "0"));
    EXPECT_TRUE(Insensitive("~ 1.txt", "~ 1.TXT"));
    // High bytes: 0xE0 plus 32 must not become the terminator or another character.
    EXPECT_FALSE(Insensitive(std::string_view("\xE0", 1), std::string_view("\0", 1)));
    EXPECT_TRUE(Insensitive("caf\xE9", "CAF\xE9"));
    EXPECT_FALSE(Insensitive("\xC0", "\xE0"));
    for (int a = 1; a < 256; ++a) {
        for (int b = a + 1; b < 256; ++b) {
            const bool sameLetter = (a >= 'A' && a <= 'Z' && b == a + 32);
            ASSERT_EQ(FoldPatternChar(static_cast<unsigned char>(a)) ==
                          FoldPatternChar(static_cast<unsigned char>(b)),
                      sameLetter)
                << a << " " << b;
        }
    }
}

}  // namespace
}  // namespace vt
