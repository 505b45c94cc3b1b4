#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/file_io.h"
#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"

namespace vt {
namespace {

using test::MakeDib;
using test::MakeIco;

class IconFileReaderTest : public ::testing::Test {
  protected:
    test::TempFolder dir;
    Workspace ws;
};

TEST_F(IconFileReaderTest, OneIconNamedAfterTheFileWithEveryImage) {
    auto a = MakeDib(32, 32, 4, 1), b = MakeDib(16, 16, 1, 2);
    std::string path = dir.Write("Folder Icon.ico", MakeIco({a, b}));
    ASSERT_EQ(ReadIconFileToWorkspace(ws, path, true), LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 1u);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[0]), "Folder Icon");
    EXPECT_EQ(ws.icons()[0].imageCount, 2);
    ASSERT_EQ(ws.images().size(), 2u);
    EXPECT_EQ(ws.images()[1].sourceOffset, 6u + 32 + a.size());
    EXPECT_EQ(ws.images()[1].colorCode, 2);
    EXPECT_EQ(ws.formats()[1].imageNumber, 2);
    std::vector<uint8_t> block;
    ASSERT_TRUE(ws.ReadImageOf(ws.formats()[0], &block));
    EXPECT_EQ(block, a);
}

TEST_F(IconFileReaderTest, ZeroCountOpensAsAnIconWithoutImages) {
    std::string path = dir.Write("empty.ico", {0, 0, 1, 0, 0, 0});
    ASSERT_EQ(ReadIconFileToWorkspace(ws, path, true), LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 1u);
    EXPECT_EQ(ws.icons()[0].imageCount, 0);
}

TEST_F(IconFileReaderTest, LongTitlesAreCutAt49) {
    std::string path = dir.Write(std::string(60, 't') + ".ico", MakeIco({MakeDib(16, 16, 4)}));
    ASSERT_EQ(ReadIconFileToWorkspace(ws, path, true), LibStatus::Ok);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[0]), std::string(49, 't'));
}

TEST_F(IconFileReaderTest, BrokenFilesFailAndLeaveTheWorkspaceAsItWas) {
    ASSERT_EQ(ReadIconFileToWorkspace(ws, dir.Write("ok.ico", MakeIco({MakeDib(16, 16, 4)})), true),
              LibStatus::Ok);
    const auto before = ws.Save();

    auto notDib = MakeIco({MakeDib(16, 16, 4), MakeDib(32, 32, 4)});
    notDib[6 + 32 + 296] = 41;  // the second image's header size
    EXPECT_EQ(ReadIconFileToWorkspace(ws, dir.Write("bad.ico", notDib), false),
              LibStatus::ReadError);
    auto truncated = MakeIco({MakeDib(32, 32, 4)});
    truncated.resize(truncated.size() - 1);
    EXPECT_EQ(ReadIconFileToWorkspace(ws, dir.Write("short.ico", truncated), false),
              LibStatus::ReadError);
    EXPECT_EQ(ReadIconFileToWorkspace(ws, dir.Write("tiny.ico", {0, 0, 1}), false),
              LibStatus::ReadError);
    EXPECT_EQ(ReadIconFileToWorkspace(ws, dir.File("none.ico"), false), LibStatus::CannotOpen);

    EXPECT_EQ(ws.icons().size(), before.icons);
    EXPECT_EQ(ws.formats().size(), before.formats);
    EXPECT_EQ(ws.images().size(), before.images);
    EXPECT_EQ(ws.nextSerial(), before.nextSerial);
    EXPECT_EQ(ws.tallies()[0].count, 1u);
}

TEST_F(IconFileReaderTest, PngImagesAreLeftOutAndOnlyTwentyEntriesAreRead) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.resize(100);
    std::vector<std::vector<uint8_t>> blocks = {MakeDib(16, 16, 4)};
    auto ico = MakeIco({blocks[0], blocks[0]});
    // Point the second entry at a PNG appended to the file.
    StoreLE32(&ico[6 + 16 + 8], static_cast<uint32_t>(png.size()));
    StoreLE32(&ico[6 + 16 + 12], static_cast<uint32_t>(ico.size()));
    ico.insert(ico.end(), png.begin(), png.end());
    ASSERT_EQ(ReadIconFileToWorkspace(ws, dir.Write("png.ico", ico), true), LibStatus::Ok);
    EXPECT_EQ(ws.icons()[0].imageCount, 1);

    std::vector<std::vector<uint8_t>> many(22, MakeDib(16, 16, 1));
    ASSERT_EQ(ReadIconFileToWorkspace(ws, dir.Write("many.ico", MakeIco(many)), true),
              LibStatus::Ok);
    EXPECT_EQ(ws.icons()[0].imageCount, 20);
}

TEST_F(IconFileReaderTest, AddingMakesOneIconAtTheDropPointButNotInProgramMode) {
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    std::string path = dir.Write("dropped.ico", MakeIco({MakeDib(32, 32, 4), MakeDib(16, 16, 4)}));
    ASSERT_EQ(AddIconFileToWorkspace(ws, path, 200, 100), LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 1u);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[0]), "dropped");
    EXPECT_EQ(ws.icons()[0].imageCount, 2);
    EXPECT_EQ(ws.icons()[0].x, 200 - 32);
    EXPECT_TRUE(ws.modified());

    ws.SetMode(kModeProgram);
    ScriptedPrompt prompt;
    EXPECT_EQ(AddIconFileToWorkspace(ws, path, 0, 0, &prompt), LibStatus::Refused);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{kAddToProgramFileRefused}));
    EXPECT_EQ(ws.icons().size(), 1u);
}

TEST_F(IconFileReaderTest, AddingModuleIconsUsesTheLongerNumberedNames) {
    auto a = MakeDib(16, 16, 4);
    std::string path =
        dir.Write("a program with a long name.dll",
                  test::MakePe({{14, 1, {}, test::MakeGroup({a}, {1})}, {3, 1, {}, a}}));
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    ws.SetModified(false);
    ASSERT_EQ(AddModuleIcons(ws, path, 0, 0), LibStatus::Ok);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[0]), "a program with a long na 001");
    EXPECT_FALSE(ws.modified());  // added to an empty workspace
    ASSERT_EQ(AddModuleIcons(ws, path, 0, 0), LibStatus::Ok);
    EXPECT_TRUE(ws.modified());
}

}  // namespace
}  // namespace vt
