#include <gtest/gtest.h>

#include "librarian/exchange_blocks.h"
#include "common/byte_reader.h"
#include "common/file_io.h"
#include "librarian/librarian_testutil.h"
#include "librarian/program_update.h"
#include "librarian/reader.h"
#include "librarian/save_flow.h"

namespace vt {
namespace {

using test::MakeDib;

class ProgramUpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        a = MakeDib(32, 32, 4, 1);
        b = MakeDib(16, 16, 4, 2);
        original = test::MakePe(
            {{14, 1, {}, test::MakeGroup({a, b}, {1, 2})}, {3, 1, {}, a}, {3, 2, {}, b}});
        path = dir.Write("app.exe", original);
        ReadOptions o;
        o.kind = kKindProgram;
        ASSERT_EQ(ReadModuleIcons(ws, path, true, o), LibStatus::Ok);
        ws.SetMode(kModeProgram);
        state.path = state.sourcePath = path;
    }
    size_t OffsetOf(const std::vector<uint8_t>& block) {
        auto at = std::search(original.begin(), original.end(), block.begin(), block.end());
        return static_cast<size_t>(at - original.begin());
    }

    test::TempFolder dir;
    std::vector<uint8_t> a, b, original;
    std::string path;
    Workspace ws;
    SaveState state;
    ScriptedPrompt prompt;
};

TEST_F(ProgramUpdateTest, SavingWithNothingChangedWritesNothingAfterTheWarning) {
    bool needsName = false;
    ASSERT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Ok);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{kProgramUpdateWarning}));
    EXPECT_EQ(test::ReadAll(path), original);
}

TEST_F(ProgramUpdateTest, EditedImagesGoBackInPlaceAndOnlyThey) {
    auto edited = MakeDib(32, 32, 4, 9);
    ASSERT_EQ(ApplyIconUpdate(ws, 0, {edited, b}), LibStatus::Ok);
    EXPECT_TRUE(ws.modified());
    bool needsName = false;
    ASSERT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Ok);
    auto now = test::ReadAll(path);
    auto expected = original;
    std::copy(edited.begin(), edited.end(), expected.begin() + static_cast<long>(OffsetOf(a)));
    EXPECT_EQ(now, expected);
    EXPECT_FALSE(ws.modified());
    for (const ImageEntry& image : ws.images()) EXPECT_EQ(image.pending, 0);
}

TEST_F(ProgramUpdateTest, CancelWritesNothing) {
    ApplyIconUpdate(ws, 0, {MakeDib(32, 32, 4, 9), b});
    prompt.Answer(PromptAnswer::Cancel);
    bool needsName = false;
    EXPECT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Refused);
    EXPECT_EQ(test::ReadAll(path), original);
    EXPECT_TRUE(ws.modified());
}

// A shorter block of the same format: a colour table of 8 entries instead of 16.
std::vector<uint8_t> Shorter(std::vector<uint8_t> block) {
    StoreLE32(&block[32], 8);  // biClrUsed
    block.erase(block.begin() + 40 + 32, block.begin() + 40 + 64);
    return block;
}

TEST_F(ProgramUpdateTest, ImagesWithoutAPlaceAreListedAndTheOthersWrittenOnYes) {
    // The 32 × 32 is edited in place; the 16 × 16 comes back shorter; a 48 × 48 is new.
    auto edited = MakeDib(32, 32, 4, 9);
    ASSERT_EQ(ApplyIconUpdate(ws, 0, {edited, Shorter(b), MakeDib(48, 48, 24)}), LibStatus::Ok);
    ws.Rename(0, "app");
    ws.SetMode(kModeProgram);

    std::vector<UnplacedImage> unplaced;
    size_t placeable = 0;
    ASSERT_EQ(FindUnplacedImages(ws, path, &unplaced, &placeable), LibStatus::Ok);
    EXPECT_EQ(placeable, 1u);
    const std::string list = std::string(kUnplacedImagesHeading) +
                             "\n\napp: 16x16, 16 colors - size differs from the original"
                             "\napp: 48x48, True Color - no such format in the file";
    EXPECT_EQ(UnplacedImagesText(unplaced), list);

    // No writes nothing.
    prompt.Answer(PromptAnswer::No);
    bool needsName = false;
    EXPECT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Refused);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{list + "\n\n" + kWriteOthersQuestion});
    EXPECT_EQ(test::ReadAll(path), original);
    EXPECT_TRUE(ws.modified());

    // Yes writes the edited 32 × 32 over its original and nothing else.
    prompt.Clear();
    prompt.Answer(PromptAnswer::Yes);
    ASSERT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Ok);
    ASSERT_EQ(prompt.texts().size(), 2u);
    EXPECT_EQ(prompt.texts()[1], kProgramUpdateWarning);
    auto expected = original;
    std::copy(edited.begin(), edited.end(), expected.begin() + static_cast<long>(OffsetOf(a)));
    EXPECT_EQ(test::ReadAll(path), expected);
    // The two that could not go stay marked, and the workspace stays modified.
    size_t marked = 0;
    for (const ImageEntry& image : ws.images()) marked += image.pending;
    EXPECT_EQ(marked, 2u);
    EXPECT_TRUE(ws.modified());

    // With only those left, the list alone is shown and nothing is written.
    prompt.Clear();
    EXPECT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Refused);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{list});
    EXPECT_EQ(test::ReadAll(path), expected);

    // Save As a library keeps every change.
    prompt.Clear();
    ASSERT_EQ(SaveWorkspaceAs(ws, state, dir.File("all.icl"), prompt), LibStatus::Ok);
    EXPECT_TRUE(prompt.texts().empty());
    ASSERT_EQ(ws.icons().size(), 1u);
    std::vector<std::vector<uint8_t>> back;
    for (size_t f : ws.FormatsOf(0)) {
        back.emplace_back();
        ASSERT_TRUE(ws.ReadImageOf(ws.formats()[f], &back.back()));
    }
    EXPECT_EQ(back, (std::vector<std::vector<uint8_t>>{edited, Shorter(b), MakeDib(48, 48, 24)}));
    EXPECT_EQ(test::ReadAll(path), expected);
}

TEST_F(ProgramUpdateTest, TheListShowsTenImagesThenHowManyMore) {
    ImageBlocks update = {a, b};
    for (int i = 1; i <= 12; ++i) update.push_back(MakeDib(2 * i + 40, 2 * i + 40, 4));
    ASSERT_EQ(ApplyIconUpdate(ws, 0, update), LibStatus::Ok);
    std::vector<UnplacedImage> unplaced;
    size_t placeable = 0;
    ASSERT_EQ(FindUnplacedImages(ws, path, &unplaced, &placeable), LibStatus::Ok);
    EXPECT_EQ(placeable, 2u);
    ASSERT_EQ(unplaced.size(), 12u);
    std::string text = UnplacedImagesText(unplaced);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 10 + 1);  // heading, lines, more
    EXPECT_NE(text.find("42x42, 16 colors - no such format in the file"), std::string::npos);
    EXPECT_EQ(text.find("62x62"), std::string::npos);
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "and 2 more");

    // An original that is no image block any more is not overwritten either.
    auto damaged = original;
    damaged[OffsetOf(a)] = 41;
    test::TempFolder other;
    std::string copy = other.Write("app.exe", damaged);
    ASSERT_EQ(FindUnplacedImages(ws, copy, &unplaced, &placeable), LibStatus::Ok);
    EXPECT_EQ(placeable, 1u);
    EXPECT_EQ(unplaced[0].reason, UnplacedReason::NoImageAtPlace);
}

TEST_F(ProgramUpdateTest, AnotherProgramFileIsNeverWritten) {
    ApplyIconUpdate(ws, 0, {MakeDib(32, 32, 4, 9), b});
    std::string other = dir.Write("other.exe", original);
    // Refused before the update warning, naming the file the icons came from.
    EXPECT_EQ(SaveWorkspaceAs(ws, state, other, prompt), LibStatus::Refused);
    EXPECT_EQ(test::ReadAll(other), original);
    EXPECT_EQ(prompt.texts(),
              (std::vector<std::string>{Format(kProgramSaveRefused, path.c_str())}));
    EXPECT_TRUE(ws.modified());
    // A library workspace has no place in any program file, its own source included.
    prompt.Clear();
    ws.SetMode(kModeLibrary);
    state.path = dir.File("lib.icl");
    state.sourcePath.clear();
    EXPECT_EQ(SaveWorkspaceAs(ws, state, path, prompt), LibStatus::Refused);
    EXPECT_EQ(prompt.texts(),
              (std::vector<std::string>{Format(kProgramSaveRefused, state.path.c_str())}));
    EXPECT_EQ(test::ReadAll(path), original);
    ws.SetMode(kModeProgram);
    state.path = state.sourcePath = path;
    // A program file that does not exist cannot be opened for the update.
    prompt.Clear();
    EXPECT_EQ(SaveWorkspaceAs(ws, state, dir.File("new.dll"), prompt), LibStatus::CannotOpen);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{kCannotOpenForSave}));
}

TEST_F(ProgramUpdateTest, EditorUpdatesReplaceAddAndRemoveFormats) {
    // Only the 32 × 32 comes back: the 16 × 16 leaves the icon.
    ASSERT_EQ(ApplyIconUpdate(ws, 0, {MakeDib(32, 32, 4, 7)}), LibStatus::Ok);
    ASSERT_EQ(ws.FormatsOf(0).size(), 1u);
    EXPECT_EQ(ws.icons()[0].imageCount, 1);
    // A 48 × 48 is new: added as a format and a tally.
    ASSERT_EQ(ApplyIconUpdate(ws, 0, {MakeDib(32, 32, 4, 7), MakeDib(48, 48, 4)}), LibStatus::Ok);
    EXPECT_EQ(ws.FormatsOf(0).size(), 2u);
    bool found = false;
    for (const FormatTally& t : ws.tallies()) found |= t.width == 48 && t.count == 1;
    EXPECT_TRUE(found);
}

TEST(SaveFlow, MessagesForEmptyWorkspacesAndUnknownKinds) {
    test::TempFolder dir;
    Workspace ws;
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    SaveState state;
    ScriptedPrompt prompt;
    EXPECT_EQ(SaveWorkspaceAs(ws, state, dir.File("x.icl"), prompt), LibStatus::Refused);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"No icons to save."}));

    prompt.Clear();
    state.path = dir.Write("old.icl", {1, 2, 3});
    prompt.Answer(PromptAnswer::Yes);
    bool needsName = false;
    EXPECT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Ok);
    EXPECT_EQ(
        prompt.texts(),
        (std::vector<std::string>{
            "Cannot save an empty file.\r\n\r\nWould you like to delete this file on disk?"}));
    EXPECT_FALSE(FileExists(dir.File("old.icl")));

    ws.AddImage(MakeDib(16, 16, 4), -1);
    prompt.Clear();
    EXPECT_EQ(SaveWorkspaceAs(ws, state, dir.File("one.ico"), prompt), LibStatus::Refused);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"Unknown file type (506)."}));
    EXPECT_FALSE(FileExists(dir.File("one.ico")));

    // No file yet: Save asks for a name.
    EXPECT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Refused);
    EXPECT_TRUE(needsName);
}

TEST(SaveFlow, ALibraryThatCannotBeReadBackLeavesAWorkspaceWithoutItsPath) {
    test::TempFolder dir;
    Workspace ws;
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    ws.AddImage(MakeDib(16, 16, 4), -1);
    SaveState state;
    ScriptedPrompt prompt;
    // The library is written from the workspace file; reading it back needs room for the images.
    ws.LimitWrites(0);
    const std::string target = dir.File("lib.icl");
    ASSERT_EQ(SaveWorkspaceAs(ws, state, target, prompt), LibStatus::Ok);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{kSavedButNotReopened});
    EXPECT_EQ(state.savedPath, target);  // the recent files get it
    EXPECT_TRUE(state.path.empty());
    EXPECT_TRUE(ws.icons().empty());
    const auto written = test::ReadAll(target);
    ASSERT_FALSE(written.empty());

    // Save of the empty workspace offers to delete "this file": there is none, and the saved
    // library stays.
    ws.LimitWrites(UINT64_MAX);
    prompt.Clear();
    prompt.Answer(PromptAnswer::Yes);
    bool needsName = false;
    EXPECT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Ok);
    EXPECT_EQ(test::ReadAll(target), written);
    // New icons need a name of their own.
    ws.AddImage(MakeDib(16, 16, 4), -1);
    EXPECT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::Refused);
    EXPECT_TRUE(needsName);
    EXPECT_EQ(test::ReadAll(target), written);
}

TEST(SaveFlow, SavingALibraryReadsItBackAsTheWorkspace) {
    test::TempFolder dir;
    Workspace ws;
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    ws.AddImage(MakeDib(16, 16, 4), -1);
    ws.AddImage(MakeDib(32, 32, 4), -1);
    ws.Rename(1, "second");
    SaveState state;
    ScriptedPrompt prompt;
    std::string oldFile = ws.filePath();
    ASSERT_EQ(SaveWorkspaceAs(ws, state, dir.File("lib.icl"), prompt), LibStatus::Ok);
    EXPECT_TRUE(prompt.texts().empty());
    EXPECT_EQ(state.path, dir.File("lib.icl"));
    EXPECT_EQ(ws.mode(), kModeLibrary);
    EXPECT_FALSE(ws.modified());
    EXPECT_FALSE(FileExists(oldFile));
    ASSERT_EQ(ws.icons().size(), 2u);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[1]), "second");
    EXPECT_NE(ws.images()[0].sourceOffset, 0u);  // read from the saved file
}

}  // namespace
}  // namespace vt
