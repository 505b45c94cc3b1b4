#include "librarian/command_line.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(LibrarianCommandLine, PathPlaceAndLimits) {
    EXPECT_EQ(ParseLibrarianCommandLine("").path, "");
    EXPECT_FALSE(ParseLibrarianCommandLine("   ").defaultPlace);
    const auto quoted = ParseLibrarianCommandLine("  \"C:\\My Icons\\set.icl\" ");
    EXPECT_EQ(quoted.path, "C:\\My Icons\\set.icl");
    EXPECT_FALSE(quoted.defaultPlace);
    const auto place = ParseLibrarianCommandLine("|");
    EXPECT_TRUE(place.defaultPlace);
    EXPECT_EQ(place.path, "");
    EXPECT_EQ(ParseLibrarianCommandLine(std::string(300, 'a')).path.size(), 260u);
}

}  // namespace
}  // namespace vt
