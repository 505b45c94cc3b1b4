#include <gtest/gtest.h>

#include "librarian/file_kind.h"

namespace vt {
namespace {

std::vector<uint8_t> Head(std::initializer_list<uint8_t> bytes) {
    return bytes;
}

TEST(FileKind, DialogTypesProposeAndTheFirstBytesCorrect) {
    EXPECT_EQ(ProposedKind(OpenType::IconFiles, "C:\\x\\A.ICL"), kKindLibrary);
    EXPECT_EQ(ProposedKind(OpenType::IconFiles, "a.Ico"), kKindIconFile);
    EXPECT_EQ(ProposedKind(OpenType::IconFiles, "a.nil"), kKindProgram);
    EXPECT_EQ(ProposedKind(OpenType::IconLibraries, "a.exe"), kKindLibrary);
    EXPECT_EQ(ProposedKind(OpenType::IconResources, "a.dll"), kKindIconFile);
    EXPECT_EQ(ProposedKind(OpenType::ProgramFiles, "a.ico"), kKindProgram);

    // A program file chosen as an icon resource opens as a library.
    EXPECT_EQ(CorrectKind(kKindIconFile, Head({'M', 'Z', 0x90, 0})), kKindLibrary);
    EXPECT_EQ(CorrectKind(kKindIconFile, Head({7, 0, 1, 0})), kKindUnknown);
    EXPECT_EQ(CorrectKind(kKindIconFile, Head({0, 0, 2, 0})), kKindIconFile);
    EXPECT_EQ(CorrectKind(kKindProgram, Head({0, 0, 1, 0})), kKindIconFile);
    EXPECT_EQ(CorrectKind(kKindLibrary, Head({'M', 'Z'})), kKindLibrary);
    EXPECT_EQ(CorrectKind(kKindLibrary, Head({})), kKindLibrary);
}

TEST(FileKind, DroppedFilesAreJudgedByTheirBytes) {
    EXPECT_EQ(DroppedFileKind("x.EXE", Head({'M', 'Z'})), kKindProgram);
    EXPECT_EQ(DroppedFileKind("x.dll", Head({'M', 'Z'})), kKindLibrary);
    EXPECT_EQ(DroppedFileKind("x.icl", Head({'M', 'Z'})), kKindLibrary);
    EXPECT_EQ(DroppedFileKind("x.txt", Head({0, 0, 1, 0})), kKindIconFile);
    EXPECT_EQ(DroppedFileKind("x.ico", Head({0, 0, 2, 0})), kKindUnknown);
    EXPECT_EQ(DroppedFileKind("notes.txt", Head({'h', 'e', 'l', 'l', 'o'})), kKindUnknown);
}

TEST(FileKind, SearchMatchesByExtensionAndNameLength) {
    EXPECT_EQ(SearchFileKind(OpenType::IconFiles, "a.ico"), kKindIconFile);
    EXPECT_EQ(SearchFileKind(OpenType::IconFiles, "a.icl"), kKindLibrary);
    EXPECT_EQ(SearchFileKind(OpenType::IconFiles, "a.nil"), kKindProgram);
    EXPECT_EQ(SearchFileKind(OpenType::IconFiles, "b.DLL"), kKindProgram);
    EXPECT_EQ(SearchFileKind(OpenType::IconFiles, "x.il"),
              kKindUnknown);  // 4 characters never match
    EXPECT_EQ(SearchFileKind(OpenType::IconFiles, "xy.il"), kKindProgram);
    EXPECT_EQ(SearchFileKind(OpenType::IconFiles, "a.txt"), kKindUnknown);
    EXPECT_EQ(SearchFileKind(OpenType::IconLibraries, "a.il"), kKindUnknown);
    EXPECT_EQ(SearchFileKind(OpenType::IconLibraries, "ab.il"), kKindLibrary);
    EXPECT_EQ(SearchFileKind(OpenType::IconLibraries, "ab.exe"), kKindUnknown);
    EXPECT_EQ(SearchFileKind(OpenType::IconResources, "b.dll"), kKindUnknown);
    EXPECT_EQ(SearchFileKind(OpenType::ProgramFiles, "b.exe"), kKindProgram);
}

TEST(FileKind, TitlesDropFolderAndExtension) {
    EXPECT_EQ(FileTitle("C:\\icons\\My.Icons.ico"), "My.Icons");
    EXPECT_EQ(FileTitle("/x/.hidden"), ".hidden");
    EXPECT_EQ(FileTitle("plain"), "plain");
}

}  // namespace
}  // namespace vt
