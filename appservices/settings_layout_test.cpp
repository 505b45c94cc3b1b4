#include "appservices/settings_layout.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(SettingsLayoutTest, KeyPathsPerSection) {
    EXPECT_EQ(SettingsKeyPath("Studio", "Persistent"), "Software\\Kelvane\\Vantoro 98\\Studio\\Persistent");
    EXPECT_EQ(SettingsKeyPath("Librarian", "MRU List"), "Software\\Kelvane\\Vantoro 98\\Librarian\\MRU List");
    // No section: the key sits directly under the suite's key.
    EXPECT_EQ(SettingsKeyPath("", "Persistent"), "Software\\Kelvane\\Vantoro 98\\Persistent");
    EXPECT_EQ(SettingsKeyPath("", ""), "Software\\Kelvane\\Vantoro 98");
}

TEST(SettingsLayoutTest, ReadsNeverOverrunTheBuffer) {
    EXPECT_EQ(KindOfWrite(0), SettingKind::Text);
    EXPECT_EQ(KindOfWrite(912), SettingKind::Binary);
    EXPECT_TRUE(FitsReadBuffer(SettingKind::Binary, 912, 912));
    EXPECT_FALSE(FitsReadBuffer(SettingKind::Binary, 913, 912));
    // A text needs its terminator inside the buffer.
    EXPECT_FALSE(FitsReadBuffer(SettingKind::Text, 260, 260));
    EXPECT_TRUE(FitsReadBuffer(SettingKind::Text, 259, 260));
    EXPECT_FALSE(FitsReadBuffer(SettingKind::Text, 0, 0));
}

}  // namespace
}  // namespace vt
