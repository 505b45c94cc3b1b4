#include <gtest/gtest.h>

#include "librarian/file_kind.h"
#include "librarian/librarian_testutil.h"
#include "librarian/open_file.h"

namespace vt {
namespace {

using test::MakeDib;

class OpenFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto a = MakeDib(32, 32, 4);
        ico = dir.Write("one.ico", test::MakeIco({a}));
        dll = dir.Write("lib.dll",
                        test::MakePe({{14, 1, {}, test::MakeGroup({a}, {1})}, {3, 1, {}, a}}));
        empty = dir.Write("plain.dll", test::MakePe({{6, 1, {}, std::vector<uint8_t>(40, 'x')}}));
    }
    test::TempFolder dir;
    std::string ico, dll, empty;
    Workspace ws;
    ScriptedPrompt prompt;
};

TEST_F(OpenFileTest, KindDecidesModeAndAnIconFileSavesAsALibrary) {
    int kind = kKindIconFile;
    ASSERT_EQ(OpenWorkspaceFile(ws, ico, &kind, prompt), LibStatus::Ok);
    EXPECT_EQ(ws.mode(), kModeSingleIconFile);
    EXPECT_EQ(kind, kKindLibrary);
    kind = kKindProgram;
    ASSERT_EQ(OpenWorkspaceFile(ws, dll, &kind, prompt), LibStatus::Ok);
    EXPECT_EQ(ws.mode(), kModeProgram);
    // Chosen as an icon resource, a program file opens as a library.
    kind = DetectFileKind(dll, ProposedKind(OpenType::IconResources, dll));
    ASSERT_EQ(OpenWorkspaceFile(ws, dll, &kind, prompt), LibStatus::Ok);
    EXPECT_EQ(ws.mode(), kModeLibrary);
    EXPECT_TRUE(prompt.texts().empty());
}

TEST_F(OpenFileTest, FailedOpensTellTheUserAndLeaveANewWorkspace) {
    int kind = kKindProgram;
    EXPECT_EQ(OpenWorkspaceFile(ws, empty, &kind, prompt), LibStatus::NoIcons);
    auto broken = test::ReadAll(dll);
    broken.resize(broken.size() - 600);  // the image is gone
    std::string cut = dir.Write("cut.dll", broken);
    EXPECT_EQ(OpenWorkspaceFile(ws, cut, &kind, prompt), LibStatus::ReadError);
    kind = kKindUnknown;
    EXPECT_EQ(OpenWorkspaceFile(ws, dir.Write("t.txt", {'x'}), &kind, prompt),
              LibStatus::NotRecognised);
    EXPECT_EQ(prompt.texts(),
              (std::vector<std::string>{"No icons found in file.",
                                        "Error encountered opening file:\n\n" + cut}));
    EXPECT_TRUE(ws.hasFile());
    EXPECT_TRUE(ws.icons().empty());
}

TEST_F(OpenFileTest, SeveralFilesMakeOneWorkspace) {
    ASSERT_EQ(OpenWorkspaceFiles(ws, {empty, ico, dir.File("gone.ico"), dll}, prompt, false),
              LibStatus::Ok);
    EXPECT_EQ(ws.icons().size(), 2u);
    EXPECT_EQ(OpenWorkspaceFiles(ws, {empty}, prompt, true), LibStatus::NoIcons);
    EXPECT_TRUE(prompt.texts().empty());
    EXPECT_EQ(OpenWorkspaceFiles(ws, {empty}, prompt, false), LibStatus::NoIcons);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"No icons found in file(s)."}));
}

}  // namespace
}  // namespace vt
