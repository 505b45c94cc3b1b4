// The Librarian's files through its dialogs: opening and the recent files, the header question,
// resources in another section, saving in every way, and searching a folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "librarian/icon_file_writer.h"
#include "librarian/librarian_testutil.h"
#include "librarian/open_file.h"
#include "librarian/win32/librarian_wine_testutil.h"
#include "librarian/win32/resource.h"
#include "librarian/workspace.h"

namespace vt::test {
namespace {

constexpr int kTypeCombo = 0x470;  // the common dialog's file types

bool TitleIs(HWND frame, const std::string& file) {
    return WaitUntil([&] { return WindowTitle(frame) == std::string(kLibrarianTitle) + "- " + file; },
                     kDefaultWaitMs, "the title naming " + file);
}

// Runs a command that opens a file dialog titled `title` and answers it with `path`; `replace`
// answers Yes when the dialog asks whether to replace the file.
void ThroughDialog(Program& p, HWND frame, int command, const char* title, const std::string& path, int type = 0,
                   bool replace = false) {
    ASSERT_TRUE(PostCommand(frame, command));
    HWND dlg = p.WaitForWindowTitled(title);
    ASSERT_NE(dlg, nullptr) << title;
    AnswerFileDialog(dlg, path, type);
    if (replace) {
        // The question is a box of the same title owned by the dialog.
        HWND ask = nullptr;
        WaitUntil([&] {
            for (HWND w = FindWindowA("#32770", title); w; w = FindWindowExA(nullptr, w, "#32770", title))
                if (GetWindow(w, GW_OWNER) == dlg) ask = w;
            return ask != nullptr;
        }, kDefaultWaitMs, "the question whether to replace " + path);
        if (ask) PostMessageA(ask, WM_COMMAND, IDYES, 0);
    }
    WaitUntil([&] { return !IsWindow(dlg); }, kDefaultWaitMs, std::string(title) + " to close");
}

std::vector<uint8_t> PeWithOneIcon(const PeLayout& layout) {
    const std::vector<uint8_t> dib = MakeDib(32, 32, 4, 0x33);
    return MakePe({{14, 1, {}, MakeGroup({dib}, {1})}, {3, 1, {}, dib}}, layout);
}

// Waits until the program has written `path`; a message it shows instead fails the test.
void WaitForFile(const std::string& path) {
    HWND box = nullptr;
    WaitUntil([&] {
        box = FindWindowA("#32770", kLibrarianTitle);
        return box || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }, kDefaultWaitMs, path + " to be written");
    if (box) {
        ADD_FAILURE() << "instead of writing " << path << ": " << MessageText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

// The core's reading of a file, for comparing what the program wrote.
std::vector<std::vector<uint8_t>> ImagesOf(const std::string& path, int kind, size_t* icons) {
    Workspace ws;
    ScriptedPrompt prompt;
    std::vector<std::vector<uint8_t>> blocks;
    if (OpenWorkspaceFile(ws, path, &kind, prompt) != LibStatus::Ok) return blocks;
    *icons = ws.iconCount();
    for (const FormatEntry& f : ws.formats()) {
        if (f.owner & kUnlinkedOwner) continue;
        blocks.emplace_back();
        ws.ReadImageOf(f, &blocks.back());
    }
    ws.Discard();
    return blocks;
}

class LibrarianFiles : public ::testing::Test {
  protected:
    void SetUp() override { ResetLibrarianSettings(); }
    void Start(const std::string& folder = {}) {
        ASSERT_TRUE(p.Start("VTMGR.EXE", {}, folder));
        frame = WaitForLibrarian(p);
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override {
        if (frame) {
            EXPECT_EQ(CloseLibrarian(p, frame), 0);
        }
    }
    Program p;
    HWND frame = nullptr;
};

TEST_F(LibrarianFiles, OpenRecentFilesAndHeaderQuestion) {
    const std::string dir = ScratchDir("librarian_open");
    std::vector<std::string> paths;
    for (int i = 1; i <= 5; ++i) {
        paths.push_back(dir + "\\icon" + std::to_string(i) + ".ico");
        WriteTestIconFile(paths.back(), {"", {{32, 4}}, static_cast<uint8_t>(0x10 * i)});
    }
    Start();
    for (int i = 0; i < 5; ++i) {
        ThroughDialog(p, frame, IDM_FILE_OPEN, "Open File", paths[static_cast<size_t>(i)]);
        ASSERT_TRUE(TitleIs(frame, "icon" + std::to_string(i + 1)));
    }
    EXPECT_EQ(StatusText(frame), "1 object");
    // Five opens leave four entries, the newest first.
    for (int id = IDM_FILE_MRU1; id <= IDM_FILE_MRU4; ++id) {
        EXPECT_GE(MenuItemState(frame, id), 0) << id;
    }
    EXPECT_EQ(MenuItemState(frame, IDM_FILE_MRU4 + 1), -1);
    // A listed file that is gone says so and leaves the list.
    ASSERT_TRUE(DeleteFileA(paths[3].c_str()));
    ASSERT_TRUE(PostCommand(frame, IDM_FILE_MRU1 + 1));
    ExpectMessage(p, "Error encountered opening file");
    ASSERT_TRUE(TitleIs(frame, "(untitled)"));
    EXPECT_EQ(MenuItemState(frame, IDM_FILE_MRU4), -1);
    EXPECT_GE(MenuItemState(frame, IDM_FILE_MRU4 - 1), 0);

    // A library whose target-system byte is 0, opened as an icon library, asks once.
    const std::string lib = dir + "\\header.icl";
    WriteTestLibrary(lib, {{"One", {{32, 4}}}});
    std::vector<uint8_t> bytes = ReadBytes(lib);
    ASSERT_GT(bytes.size(), 182u);
    bytes[182] = 0;
    WriteBytes(lib, bytes);
    ThroughDialog(p, frame, IDM_FILE_OPEN, "Open File", lib, 2);
    ExpectMessage(p, "the file header is in error", IDNO);
    ASSERT_TRUE(TitleIs(frame, "header"));
    EXPECT_EQ(ReadBytes(lib), bytes);
    ThroughDialog(p, frame, IDM_FILE_OPEN, "Open File", lib, 2);
    ExpectMessage(p, "the file header is in error", IDYES);
    ASSERT_TRUE(TitleIs(frame, "header"));
    bytes[182] = 2;
    EXPECT_EQ(ReadBytes(lib), bytes);

    // A data entry where the resource directory needs a subdirectory: the cascade text, with the
    // file named, and an empty workspace.
    const std::string broken = dir + "\\broken.exe";
    std::vector<uint8_t> pe0 = PeWithOneIcon({});
    ASSERT_GT(pe0.size(), 0x417u);
    pe0[0x417] &= 0x7F;  // the root's first type entry: its offset loses the subdirectory mark
    WriteBytes(broken, pe0);
    ThroughDialog(p, frame, IDM_FILE_OPEN, "Open File", broken);
    ExpectMessage(p, "exceeds the cascade limits of Vantoro");
    ASSERT_TRUE(TitleIs(frame, "(untitled)"));

    // Resources in a section of another name, and not at its start, are found.
    const std::string pe = dir + "\\moved.exe";
    PeLayout layout;
    layout.sectionName = ".data";
    layout.directoryOffset = 64;
    WriteBytes(pe, PeWithOneIcon(layout));
    ThroughDialog(p, frame, IDM_FILE_OPEN, "Open File", pe);
    ASSERT_TRUE(TitleIs(frame, "moved"));
    EXPECT_EQ(StatusText(frame), "1 object");

    // The recent files as stored: newest first, each with its kind less 506.
    EXPECT_EQ(CloseLibrarian(p, frame), 0);
    frame = nullptr;
    auto text = [](const char* name) {
        const std::vector<uint8_t> v = ReadLibrarianSetting("MRU List", name);
        return std::string(v.begin(), std::find(v.begin(), v.end(), 0));
    };
    EXPECT_EQ(text("MRUCount"), "4");
    EXPECT_EQ(text("MRU1"), pe + ",2");
    EXPECT_EQ(text("MRU2"), lib + ",1");
    EXPECT_EQ(text("MRU3"), paths[4] + ",0");
    EXPECT_EQ(text("MRU4"), paths[2] + ",0");
}

TEST_F(LibrarianFiles, SavingTexts) {
    const std::string dir = ScratchDir("librarian_save");
    const std::string ico = dir + "\\two.ico";
    WriteTestIconFile(ico, {"", {{16, 4}, {32, 4}}, 0x55});
    Start();
    // The empty-save question.
    ASSERT_TRUE(PostCommand(frame, IDM_FILE_SAVE));
    ExpectMessage(p, "Cannot save an empty file.", IDNO);

    ThroughDialog(p, frame, IDM_FILE_OPEN, "Open File", ico);
    ASSERT_TRUE(TitleIs(frame, "two"));
    // An icon file's workspace is saved by name: .ico is no kind Save writes, and writes nothing.
    ThroughDialog(p, frame, IDM_FILE_SAVE_AS, "Save File As", dir + "\\again.ico");
    ExpectMessage(p, "Unknown file type (506).");
    EXPECT_EQ(GetFileAttributesA((dir + "\\again.ico").c_str()), INVALID_FILE_ATTRIBUTES);
    ThroughDialog(p, frame, IDM_FILE_SAVE_AS, "Save File As", dir + "\\missing.dll");
    ExpectMessage(p, "Save file cannot be opened.  The file may be READ ONLY or locked.");

    // Save As ICO of the one icon writes what the core builds.
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    ThroughDialog(p, frame, IDM_CTX_SAVE_ICO, "Save As ICO", dir + "\\copy.ico");
    WaitForFile(dir + "\\copy.ico");
    {
        Workspace ws;
        ScriptedPrompt prompt;
        int kind = kKindIconFile;
        ASSERT_EQ(OpenWorkspaceFile(ws, ico, &kind, prompt), LibStatus::Ok);
        std::vector<uint8_t> built;
        ASSERT_EQ(BuildIconFile(ws, 0, &built), LibStatus::Ok);
        EXPECT_EQ(ReadBytes(dir + "\\copy.ico"), built);
        ws.Discard();
    }

    // A library reads back with the same images.
    const std::string icl = dir + "\\kept.icl";
    ThroughDialog(p, frame, IDM_FILE_SAVE_AS, "Save File As", icl);
    WaitForFile(icl);
    ASSERT_TRUE(TitleIs(frame, "kept"));
    size_t icons = 0;
    const auto original = ImagesOf(ico, kKindIconFile, &icons);
    const auto saved = ImagesOf(icl, kKindLibrary, &icons);
    EXPECT_EQ(icons, 1u);
    EXPECT_EQ(saved, original);

    // A program file saved without changes stays byte for byte as it was.
    const std::string pe = dir + "\\tool.exe";
    WriteBytes(pe, PeWithOneIcon({}));
    const std::vector<uint8_t> peBytes = ReadBytes(pe);
    ThroughDialog(p, frame, IDM_FILE_OPEN, "Open File", pe);
    ASSERT_TRUE(TitleIs(frame, "tool"));
    ASSERT_TRUE(PostCommand(frame, IDM_FILE_SAVE));
    ExpectMessage(p, "A Program File Is About To Be Updated", IDOK);
    EXPECT_EQ(ReadBytes(pe), peBytes);
    // Its icons go back only into itself: another program file is refused, naming the source.
    const std::string other = dir + "\\other.exe";
    WriteBytes(other, PeWithOneIcon({}));
    const std::vector<uint8_t> otherBytes = ReadBytes(other);
    ThroughDialog(p, frame, IDM_FILE_SAVE_AS, "Save File As", other, 0, true);
    ExpectMessage(p, pe);
    EXPECT_EQ(ReadBytes(other), otherBytes);
}

// Starts a search from the dialog in the Librarian's working folder.
void Search(Program& p, HWND frame, int type, bool subfolders) {
    ASSERT_TRUE(PostCommand(frame, IDM_FILE_SEARCH));
    HWND dlg = p.WaitForWindowTitled("Search Drive or Folder");
    ASSERT_NE(dlg, nullptr);
    HWND types = GetDlgItem(dlg, kTypeCombo);
    ASSERT_NE(types, nullptr);
    SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kTypeCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    HWND extra = FindWindowExA(dlg, nullptr, "#32770", nullptr);
    ASSERT_NE(extra, nullptr);
    SendDlgItemMessageA(extra, IDC_INCLUDE_SUBFOLDERS, BM_SETCHECK, subfolders ? BST_CHECKED : BST_UNCHECKED, 0);
    EXPECT_EQ(ControlText(dlg, IDOK), "Search");
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(dlg); }, kDefaultWaitMs, "the search dialog to close");
}

TEST_F(LibrarianFiles, SearchFolder) {
    const std::string dir = ScratchDir("librarian_search");
    WriteTestIconFile(dir + "\\a.ico", {"", {{32, 4}}, 0x21});
    WriteBytes(dir + "\\b.dll", PeWithOneIcon({}));
    CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
    WriteTestLibrary(dir + "\\sub\\c.icl", {{"C1", {{32, 4}}}, {"C2", {{16, 4}}}});
    // A name of four characters is never matched.
    WriteTestIconFile(dir + "\\x.il", {"", {{32, 4}}, 0x44});
    CreateDirectoryA((dir + "\\empty").c_str(), nullptr);
    Start(dir);
    Search(p, frame, 1, true);
    ASSERT_TRUE(WaitUntil([&] { return StatusText(frame) == "4 objects"; }, kDefaultWaitMs, "4 icons found"));
    EXPECT_EQ(WindowTitle(frame), "Vantoro Librarian- (untitled)");
    EXPECT_FALSE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);
    Search(p, frame, 3, true);
    ExpectMessage(p, "Save this file before proceeding?", IDNO);
    ASSERT_TRUE(WaitUntil([&] { return StatusText(frame) == "1 object"; }, kDefaultWaitMs, "1 icon found"));
    // A search's workspace has no file: Save asks for a name.
    ASSERT_TRUE(PostCommand(frame, IDM_FILE_SAVE));
    HWND save = p.WaitForWindowTitled("Save File As");
    ASSERT_NE(save, nullptr);
    PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    WaitUntil([&] { return !IsWindow(save); }, kDefaultWaitMs, "the save dialog to close");
}

// A close asked for while a dropped folder's search shows its message waits for the message, and
// the program then ends cleanly.
TEST_F(LibrarianFiles, CloseDuringDroppedSearchMessage) {
    const std::string empty = PictureFolder() + "\\nothing-here";
    CreateDirectoryA(empty.c_str(), nullptr);
    Start();
    ASSERT_TRUE(SendTestDrop(frame, {"nothing-here"}, POINT{10, 10}, false, true));
    HWND box = WaitForMessage(p);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageText(box).find("No icons found in file(s)."), std::string::npos) << MessageText(box);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    Sleep(200);
    EXPECT_TRUE(p.running());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(p.WaitForExit(), 0);
    frame = nullptr;
}

// Esc waiting when a search starts ends it before its first file: the workspace is replaced by
// what was found, nothing, and no "No icons" message follows.
TEST_F(LibrarianFiles, EscapeEndsASearch) {
    const std::string folder = PictureFolder() + "\\escape-search";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteTestIconFile(folder + "\\a.ico", {"", {{32, 4}}, 0x21});
    ASSERT_TRUE(p.Start("VTMGR.EXE", "\"" + folder + "\\a.ico\""));
    frame = WaitForLibrarian(p);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(TitleIs(frame, "a"));
    // The drop is run from a posted message; the key posted after it waits in the queue.
    ASSERT_TRUE(SendTestDrop(frame, {"escape-search"}, POINT{10, 10}, false, true));
    PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(TitleIs(frame, "(untitled)"));
    ASSERT_TRUE(WaitUntil([&] { return StatusText(frame) == "0 objects"; }, kDefaultWaitMs, "an empty workspace"));
    EXPECT_EQ(FindWindowA("#32770", kLibrarianTitle), nullptr);
}

// Work that a save question's Yes does not save is kept: the end of the Windows session and the
// close both stop when the Save As dialog is cancelled.
TEST_F(LibrarianFiles, UnsavedYesKeepsTheWork) {
    const std::string dir = ScratchDir("librarian_keep");
    WriteTestIconFile(dir + "\\a.ico", {"", {{32, 4}}, 0x21});
    Start(dir);
    Search(p, frame, 1, false);
    ASSERT_TRUE(WaitUntil([&] { return StatusText(frame) == "1 object"; }, kDefaultWaitMs, "the search"));
    for (int round = 0; round < 2; ++round) {
        DWORD_PTR answer = 1;
        std::thread ask([&] {
            if (round == 0)
                SendMessageTimeoutA(frame, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 30000, &answer);
            else
                PostMessageA(frame, WM_CLOSE, 0, 0);
        });
        ExpectMessage(p, "The workspace has been changed.  Save this file before proceeding?", IDYES);
        HWND save = p.WaitForWindowTitled("Save File As");
        ASSERT_NE(save, nullptr);
        PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
        ask.join();
        if (round == 0) {
            EXPECT_EQ(answer, 0u);
        }
        WaitUntil([&] { return !IsWindow(save); }, kDefaultWaitMs, "the save dialog to close");
        EXPECT_TRUE(p.running());
        EXPECT_EQ(StatusText(frame), "1 object");
    }
}

// Ten thousand icons found by a search cannot go into one library: Save As says by how much the
// resource table is too large and writes nothing.
TEST_F(LibrarianFiles, TenThousandIconsRefusedAsLibrary) {
    const std::string dir = ScratchDir("librarian_many");
    for (int f = 0; f < 5; ++f) {
        std::vector<TestIcon> icons(2000, TestIcon{"", {{16, 4}}, static_cast<uint8_t>(0x10 + f)});
        WriteTestLibrary(dir + "\\part" + std::to_string(f) + ".icl", icons);
    }
    Start(dir);
    Search(p, frame, 2, false);
    ASSERT_TRUE(WaitUntil([&] { return StatusText(frame) == "10,000 objects"; }, 60000, "10,000 icons found"));
    const std::string big = dir + "\\all.icl";
    ThroughDialog(p, frame, IDM_FILE_SAVE_AS, "Save File As", big);
    // R = 16 + 12 × (10,000 icons + 10,000 images) = 240,016, and 65,466 is the most that fits.
    ExpectMessage(p, "The resource table is currently 240016 bytes - it must be reduced by 174550 bytes");
    EXPECT_EQ(GetFileAttributesA(big.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);
}

}  // namespace
}  // namespace vt::test
