#include <gtest/gtest.h>

#include <map>

#include "common/mru_store.h"

namespace vt {
namespace {

struct MapStore {
    std::map<std::string, std::string> values;
    MruStore Store() {
        return {[this](const std::string& n) { return values.count(n) ? values[n] : std::string(); },
                [this](const std::string& n, const std::string& v) { values[n] = v; },
                [this](const std::string& n) { values.erase(n); }};
    }
};

TEST(MruStoreTest, PlainPathsRoundTripNewestFirstWithCommas) {
    MruList list;
    for (const char* p : {"C:\\a.ani", "C:\\b,c.ani", "C:\\d.ani", "C:\\e.ani", "C:\\f, g.ani"})
        list.Add(p, 1);
    MapStore map;
    map.values["MRU4"] = "stale";
    SaveMru(list, map.Store(), MruValueForm::PlainPath);
    EXPECT_EQ(map.values["MRUCount"], "4");
    EXPECT_EQ(map.values["MRU1"], "C:\\f, g.ani");
    EXPECT_EQ(map.values["MRU3"], "C:\\d.ani");
    EXPECT_EQ(map.values["MRU4"], "C:\\b,c.ani");

    const MruList back = LoadMru(map.Store(), MruValueForm::PlainPath, 260);
    ASSERT_EQ(back.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(back.entries()[i].path, list.entries()[i].path) << i;

    list.Remove("C:\\d.ani");
    list.Remove("C:\\e.ani");
    SaveMru(list, map.Store(), MruValueForm::PlainPath);
    EXPECT_EQ(map.values.count("MRU3"), 0u);
    EXPECT_EQ(map.values.count("MRU4"), 0u);
}

TEST(MruStoreTest, BadCountsAndValuesAreIgnored) {
    MapStore map;
    map.values = {{"MRUCount", "3"}, {"MRU1", "C:\\ok.ani"}, {"MRU2", std::string("C:\\x\x01.ani")},
                  {"MRU3", std::string(261, 'a')}, {"MRU4", "C:\\beyond.ani"}};
    MruList list = LoadMru(map.Store(), MruValueForm::PlainPath, 260);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.entries()[0].path, "C:\\ok.ani");

    for (const char* count : {"", "x", "-1", "2x", "99999999999"}) {
        map.values["MRUCount"] = count;
        EXPECT_EQ(LoadMru(map.Store(), MruValueForm::PlainPath, 260).size(), 0u) << count;
    }
    // A count above four reads four.
    map.values = {{"MRUCount", "9"}, {"MRU1", "a"}, {"MRU2", "b"}, {"MRU3", "c"}, {"MRU4", "d"},
                  {"MRU5", "e"}};
    EXPECT_EQ(LoadMru(map.Store(), MruValueForm::PlainPath, 260).size(), 4u);
}

TEST(MruStoreTest, PathAndTypeFormKeepsTheTypes) {
    MruList list;
    list.Add("C:\\a.ico", 1);
    list.Add("C:\\b.gif", 3);
    MapStore map;
    SaveMru(list, map.Store(), MruValueForm::PathAndType);
    EXPECT_EQ(map.values["MRU1"], "C:\\b.gif,3");
    const MruList back = LoadMru(map.Store(), MruValueForm::PathAndType, 260);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back.entries()[0].fileType, 3);
    EXPECT_EQ(back.entries()[1].path, "C:\\a.ico");
}

}  // namespace
}  // namespace vt
