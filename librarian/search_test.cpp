#include <gtest/gtest.h>

#include <filesystem>

#include "librarian/librarian_testutil.h"
#include "librarian/open_file.h"
#include "librarian/reader.h"
#include "librarian/search.h"

namespace vt {
namespace {

using test::MakeDib;

class SearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto a = MakeDib(32, 32, 4), b = MakeDib(16, 16, 4);
        dir.Write("a.ico", test::MakeIco({a, b}));
        dir.Write("b.dll", test::MakePe({{14, 1, {}, test::MakeGroup({a}, {1})},
                                         {14, 2, {}, test::MakeGroup({b}, {2})},
                                         {3, 1, {}, a},
                                         {3, 2, {}, b}}));
        dir.Write("x.il", {'M', 'Z'});
        dir.Write("notes.txt", {'h', 'i'});
        std::filesystem::create_directory(dir.File("sub"));
        dir.Write("sub/c.ico", test::MakeIco({a}));
    }
    LibStatus Search(OpenType type, bool recurse) {
        SearchOptions o;
        o.type = type;
        o.includeSubfolders = recurse;
        o.thousands = ".";
        o.prompt = &prompt;
        o.progress = [this](const std::vector<std::string>& parts) { statuses.push_back(parts); };
        return SearchFiles(ws, dir.path(), o, &counts);
    }

    test::TempFolder dir;
    Workspace ws;
    ScriptedPrompt prompt;
    SearchCounts counts;
    std::vector<std::vector<std::string>> statuses;
};

TEST_F(SearchTest, IconFilesTypeCollectsIconFilesAndLibrariesIntoOneWorkspace) {
    ASSERT_EQ(Search(OpenType::IconFiles, false), LibStatus::Ok);
    EXPECT_EQ(counts.files, 2u);
    EXPECT_EQ(counts.icons, 3u);
    EXPECT_EQ(counts.images, 4u);
    EXPECT_EQ(ws.icons().size(), 3u);
    EXPECT_EQ(ws.mode(), kModeSingleIconFile);
    EXPECT_TRUE(ws.modified());
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.front(), (std::vector<std::string>{"Scanning for icons..."}));
    EXPECT_EQ(statuses.back(), (std::vector<std::string>{"Files:  2", "Icons:  3", "Images:  4"}));
    EXPECT_TRUE(prompt.texts().empty());
}

TEST_F(SearchTest, TypeAndSubfoldersDecideWhatIsRead) {
    ASSERT_EQ(Search(OpenType::IconResources, false), LibStatus::Ok);
    EXPECT_EQ(ws.icons().size(), 1u);
    ASSERT_EQ(Search(OpenType::IconResources, true), LibStatus::Ok);
    EXPECT_EQ(ws.icons().size(), 2u);
    EXPECT_EQ(Search(OpenType::IconLibraries, true), LibStatus::NoIcons);
    EXPECT_EQ(prompt.texts().back(), "No icons found in file(s).");
    EXPECT_TRUE(ws.icons().empty());
    EXPECT_TRUE(ws.hasFile());
}

TEST_F(SearchTest, AnUnlistableRootIsReported) {
    SearchOptions o;
    o.prompt = &prompt;
    EXPECT_EQ(SearchFiles(ws, dir.File("missing"), o, &counts), LibStatus::CannotOpen);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"Could not find any files to open."}));
}

TEST_F(SearchTest, SeveralFoldersFillOneWorkspace) {
    // Dropped together: sub/c.ico (one icon), a folder that is gone, then the top folder's a.ico
    // and b.dll (three icons); none is left out and the missing folder is passed over quietly.
    SearchOptions o;
    o.prompt = &prompt;
    o.progress = [this](const std::vector<std::string>& parts) { statuses.push_back(parts); };
    const std::vector<std::string> roots{dir.File("sub"), dir.File("missing"), dir.path()};
    ASSERT_EQ(SearchFiles(ws, roots, o, &counts), LibStatus::Ok);
    EXPECT_EQ(ws.icons().size(), 4u);
    EXPECT_EQ(statuses.back(), (std::vector<std::string>{"Files:  3", "Icons:  4", "Images:  5"}));
    EXPECT_TRUE(prompt.texts().empty());
    EXPECT_EQ(SearchFiles(ws, {dir.File("missing"), dir.File("gone")}, o, &counts), LibStatus::CannotOpen);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"Could not find any files to open."}));
}

TEST_F(SearchTest, ACancelledSearchKeepsWhatItFoundAndSaysNothing) {
    // Subfolders included, three files hold four icons: a.ico, b.dll and sub/c.ico.
    for (uint64_t k = 0; k < 3; ++k) {
        SearchOptions o;
        o.includeSubfolders = true;
        o.prompt = &prompt;
        uint64_t read = 0;  // files that yielded icons
        o.onFile = [&](const FoundFile&, bool yielded) { read += yielded; };
        o.cancelled = [&] { return read == k; };
        LibStatus st = SearchFiles(ws, dir.path(), o, &counts);
        EXPECT_TRUE(counts.cancelled);
        EXPECT_EQ(read, k);
        EXPECT_EQ(counts.files, k);
        EXPECT_TRUE(prompt.texts().empty());
        if (k == 0) {
            EXPECT_EQ(st, LibStatus::NoIcons);
            EXPECT_TRUE(ws.icons().empty());
            EXPECT_TRUE(ws.hasFile());
            continue;
        }
        EXPECT_EQ(st, LibStatus::Ok);
        EXPECT_EQ(ws.icons().size(), counts.icons);
        EXPECT_LT(counts.icons, 4u);
        EXPECT_EQ(ws.mode(), kModeSingleIconFile);
        EXPECT_TRUE(ws.modified());
    }
    SearchOptions whole;
    whole.includeSubfolders = true;
    ASSERT_EQ(SearchFiles(ws, dir.path(), whole, &counts), LibStatus::Ok);
    EXPECT_FALSE(counts.cancelled);
    EXPECT_EQ(counts.icons, 4u);
}

TEST(SearchText, ThousandsSeparators) {
    EXPECT_EQ(WithThousands(0), "0");
    EXPECT_EQ(WithThousands(999), "999");
    EXPECT_EQ(WithThousands(1000), "1,000");
    EXPECT_EQ(WithThousands(1234567, "."), "1.234.567");
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

// Two program files of 16,384 icons each: the second would take the workspace past its 32,767
// serials.
TEST(SearchLimits, RunningOutOfSerialsEndsTheSearchWithWhatItFoundAndSaysSoOnce) {
    test::TempFolder dir;
    auto block = test::MakeDib(16, 16, 1);
    std::vector<test::PeResource> resources;
    constexpr uint16_t kIcons = 16384;
    for (uint16_t i = 1; i <= kIcons; ++i)
        resources.push_back({14, i, {}, test::MakeGroup({block}, {i})});
    for (uint16_t i = 1; i <= kIcons; ++i) resources.push_back({3, i, {}, block});
    auto pe = test::MakePe(resources);
    std::vector<std::string> paths = {dir.Write("big1.dll", pe), dir.Write("big2.dll", pe),
                                      dir.Write("big3.dll", pe)};
    const std::vector<std::string> once = {kOutOfGlobalMemory};

    Workspace ws;
    ScriptedPrompt prompt;
    SearchOptions o;
    o.prompt = &prompt;
    SearchCounts counts;
    ASSERT_EQ(SearchFiles(ws, dir.path(), o, &counts), LibStatus::Ok);
    EXPECT_EQ(ws.icons().size(), kIcons);
    EXPECT_EQ(counts.files, 1u);
    EXPECT_EQ(prompt.texts(), once);
    EXPECT_TRUE(ws.modified());

    // Opening the files together (a drop) stops the same way.
    prompt.Clear();
    ASSERT_EQ(OpenWorkspaceFiles(ws, paths, prompt, false), LibStatus::Ok);
    EXPECT_EQ(ws.icons().size(), kIcons);
    EXPECT_EQ(prompt.texts(), once);
}

// 65,535 images fill every image number: the next file cannot add one.
TEST(SearchLimits, RunningOutOfImageNumbersEndsTheOpenWithWhatItHas) {
    test::TempFolder dir;
    constexpr uint32_t kImages = 65535;
    auto block = test::MakeDib(1, 1, 1);
    std::string full = dir.Write("full.dll", test::MakeManyImagesPe(kImages));
    std::string more = dir.Write("more.ico", test::MakeIco({block}));

    Workspace ws;
    ScriptedPrompt prompt;
    ASSERT_EQ(OpenWorkspaceFiles(ws, {full, more, more}, prompt, false), LibStatus::Ok);
    EXPECT_EQ(ws.images().size(), kImages);
    EXPECT_EQ(ws.icons().size(), (kImages + 19) / 20);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{kOutOfGlobalMemory});
}

}  // namespace
}  // namespace vt
