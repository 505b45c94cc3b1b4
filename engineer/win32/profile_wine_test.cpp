// The portable profile implementation against the system's private-profile calls: the same
// Motif saved through each must give the same file, and each must read back what the other wrote.

#include <gtest/gtest.h>

#include "engineer/ini_profile.h"
#include "engineer/motif_file.h"
#include "engineer/win32/win32_profile.h"
#include "engineer/win32/wine_fixture.h"
#include "sysicons/fake_shell.h"
#include "sysicons/memory_registry.h"
#include "tests/win32/uidriver.h"

namespace vt {
namespace {

constexpr int kHardDrive = 12, kRecycleFull = 4, kWait = 43, kArrow = 45;

class FixedPath : public MotifDialogs {
  public:
    explicit FixedPath(std::string path) : m_path(std::move(path)) {}
    bool AskSavePath(std::string* path) override {
        *path = m_path;
        return true;
    }
    bool AskOpenPath(std::string* path) override {
        *path = m_path;
        return true;
    }
    ReplaceAnswer AskReplace(const ReplaceQuestion&) override { return ReplaceAnswer::Yes; }

  private:
    std::string m_path;
};

// Saves the same Motif choices into `folder` through `profile`, then changes it as a user would
// (a row dropped, a row changed) and saves again in place.
std::string SaveMotif(Profile& profile, const std::string& folder, const std::string& art) {
    MemoryRegistry registry;
    FakeShell shell;
    Win32FileSystem files;
    RawEnvironment raw;
    raw.systemDirectory = "C:\\windows\\system32";
    raw.windowsDirectory = "C:\\windows";
    SystemIcons icons(registry, shell, files, DeriveEnvironment(raw), Program::Engineer);
    for (const char* name : {"disk.ico", "bin.ico"}) shell.AddIcon(art + "\\" + name, 0);
    shell.AddCursor(art + "\\pointer.cur");
    ScriptedPrompt prompt;
    LibrarianIconGroups groups;
    Engineer engineer(icons, prompt, groups);
    engineer.mode = EngineerMode::Motif;
    EXPECT_TRUE(engineer.AssignChosen(kHardDrive, art + "\\disk.ico", 0));
    EXPECT_TRUE(engineer.AssignChosen(kRecycleFull, art + "\\bin.ico", 0));
    EXPECT_TRUE(engineer.AssignChosen(kWait, art + "\\pointer.cur", 0));
    EXPECT_TRUE(engineer.AssignChosen(kArrow, "", 0));
    FixedPath dialogs(folder + "\\Same.motif");
    MotifFile motif(engineer, profile, dialogs);
    EXPECT_TRUE(motif.Save(false));
    engineer.ClearUpdate(kRecycleFull);
    EXPECT_TRUE(engineer.AssignChosen(kWait, art + "\\pointer.cur", 0));
    EXPECT_TRUE(motif.Save(false));
    return folder + "\\Same.motif";
}

std::string FileText(const std::string& path) {
    std::vector<uint8_t> bytes;
    Win32FileSystem files;
    files.ReadFile(path, 1 << 20, &bytes);
    return std::string(bytes.begin(), bytes.end());
}

TEST(ProfileOnWine, PortableProfileWritesTheSameMotifAsTheSystem) {
    std::string art = test::ScratchDir("profile_art");
    ASSERT_TRUE(test::WriteBytes(art + "\\disk.ico", test::SmallIconFile(1)));
    ASSERT_TRUE(test::WriteBytes(art + "\\bin.ico", test::SmallIconFile(1)));
    ASSERT_TRUE(test::WriteBytes(art + "\\pointer.cur", test::SmallIconFile(2)));
    Win32Profile system;
    Win32FileSystem files;
    IniProfile portable(files);
    std::string bySystem = SaveMotif(system, test::ScratchDir("profile_system"), art);
    std::string byPortable = SaveMotif(portable, test::ScratchDir("profile_portable"), art);
    std::string text = FileText(bySystem);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(FileText(byPortable), text);
    EXPECT_NE(text.find("Wait=%Folder%Same Wait.cur"), std::string::npos) << text;
    EXPECT_NE(text.find("Arrow=\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("full="), std::string::npos) << "the dropped row's entry is deleted";

    // Each reads what the other wrote, with the same defaults and limits.
    struct Query {
        const char* section;
        const char* key;
        const char* fallback;
        size_t size;
    };
    const Query queries[] = {
        {"Software Credits", "Software", "", 80},
        {"software credits", "SOFTWARE", "", 80},
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons", "8", "", 324},
        {"Control Panel\\Cursors", "Arrow", "DefaultValue", 324},
        {"Control Panel\\Cursors", "Help", "DefaultValue", 324},
        {"Control Panel\\Cursors", "Wait", "DefaultValue", 6},
        {"No Such Section", "x", "fallback  ", 324},
    };
    for (const auto& q : queries) {
        SCOPED_TRACE(std::string(q.section) + " / " + q.key);
        EXPECT_EQ(portable.Read(bySystem, q.section, q.key, q.fallback, q.size),
                  system.Read(bySystem, q.section, q.key, q.fallback, q.size));
        EXPECT_EQ(system.Read(byPortable, q.section, q.key, q.fallback, q.size),
                  portable.Read(byPortable, q.section, q.key, q.fallback, q.size));
    }
}

TEST(ProfileOnWine, OddFilesReadAndChangeAlike) {
    const std::string odd =
        "; comment\r\n[A]\r\n  k = \"quoted\"  \r\nj='single'\r\nbad "
        "line\r\n\r\n[B]\r\nx=1\r\n[A]\r\nk=second\r\n";
    std::string dir = test::ScratchDir("profile_odd");
    Win32Profile system;
    Win32FileSystem files;
    IniProfile portable(files);
    std::string a = dir + "\\system.ini", b = dir + "\\portable.ini";
    for (const auto& path : {a, b})
        ASSERT_TRUE(test::WriteBytes(path, std::vector<uint8_t>(odd.begin(), odd.end())));
    for (const char* key : {"k", "j", "bad line", "x", "none"})
        EXPECT_EQ(portable.Read(b, "a", key, "d", 100), system.Read(a, "a", key, "d", 100)) << key;
    for (Profile* p : {static_cast<Profile*>(&system), static_cast<Profile*>(&portable)}) {
        const std::string& path = p == &system ? a : b;
        p->Write(path, "B", "y", "2");
        p->DeleteKey(path, "A", "j");
        p->Write(path, "New Section", "v", "  lead");
        p->DeleteKey(path, "Missing", "k");
    }
    EXPECT_EQ(FileText(b), FileText(a));
}

}  // namespace
}  // namespace vt
